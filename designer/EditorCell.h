#pragma once

#include "framework/PropertyEditors.h"

#include <QWidget>
#include <memory>

class QToolButton;

// The value cell of a property whose registered editor paints the value or has a dialog: the
// editor's picture at the left, its text beside it, and "..." when there is a dialog (a
// double-click opens it too). Errors the editor raises are handed on through Failed.
class TEditorCell : public QWidget {
  Q_OBJECT
public:
  explicit TEditorCell(std::unique_ptr<TSinglePropertyEditor> editor, QWidget* parent = nullptr);
  ~TEditorCell() override;

  TSinglePropertyEditor* Editor() const { return FEditor.get(); }
  IPropertyEditorDialog* Dialog() const { return FDialog; }
  QToolButton* EllipsisButton() const { return FEllipsis; }
  // Opens the editor's dialog; does nothing for an editor without one.
  void Execute();

signals:
  void Executed();
  void Failed(const QString& message);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  std::unique_ptr<TSinglePropertyEditor> FEditor;
  IPropertyEditorDialog* FDialog;
  IPropertyEditorDraw* FDraw;
  QToolButton* FEllipsis = nullptr;
  QString FPaintError;  // reported once, then shown in the cell
};
