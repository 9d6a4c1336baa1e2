#pragma once

#include "framework/InplaceForms.h"
#include "framework/PropertyEditors.h"

#include <QWidget>
#include <memory>

class QLineEdit;
class QMenu;
class QToolButton;

// The value cell of a property whose editor does more than text: the editor's picture at the left,
// its text beside it, "..." when there is a dialog (a double-click opens it too), a drop-down
// button for a list of choices in groups, and below the text line the editor's in-place form while
// the row is current. Errors the editor raises are handed on through Failed. The editor is the
// inspector model's and outlives the cell.
class TEditorCell : public QWidget {
  Q_OBJECT
public:
  TEditorCell(TSinglePropertyEditor* editor, int lineHeight, QWidget* parent = nullptr);
  ~TEditorCell() override;

  TSinglePropertyEditor* Editor() const { return FEditor; }
  IPropertyEditorDialog* Dialog() const { return FDialog; }
  IPropertyEditorDropDownCategorizedStringList* DropDown() const { return FDropDown; }
  QToolButton* EllipsisButton() const { return FButton; }
  // Opens the editor's dialog; does nothing for an editor without one.
  void Execute();
  // The value drawn bold (it differs from the default); the cell's children keep the plain font.
  void SetValueBold(bool bold);
  // The list of choices, a submenu per group; choosing one sets it as the value.
  QMenu* CreateDropDown(QWidget* parent);
  void ShowDropDown();

  // The editor's in-place controller, or null when the row has no in-place form.
  IInplaceEditorFormController* InplaceController() const;
  void OpenInplaceForm(const IInplaceHost& host, std::shared_ptr<IMemberUIUpdate> uiUpdate);
  // Makes the open form anew from the value; the control that had the focus in the old form has it
  // in the new one.
  void RenewInplaceForm(const IInplaceHost& host, std::shared_ptr<IMemberUIUpdate> uiUpdate);
  // Ends the user's work in the form first (its modification is released), then closes it.
  void CloseInplaceForm();
  // Ends the user's work in the open form, which stays open.
  void FinishInplaceForm();
  TBasicInplaceForm* InplaceForm() const { return FForm ? FForm->GetForm() : nullptr; }
  // The text the open form was made for: a form not in use is made again when the value moves on.
  const QString& InplaceFormText() const { return FFormText; }
  // The open form wrote the value itself: it shows the value as it is now.
  void NoteInplaceFormValue();
  // Opens a line over the value's text for the user to type the value; `key`, a key press, is
  // its first input. Enter or leaving the line hands its text on through TextEntered, Esc drops it.
  void EditText(const QString& text, QEvent* key);
  QLineEdit* TextLine() const { return FLine; }
  // The text line and the open form below it.
  int WantedHeight() const;
  // The line the value is drawn in: what of the text line the row shows.
  int LineHeight() const;

signals:
  void Executed();
  void Failed(const QString& message);
  void HeightWanted();
  // A press on the cell: its row becomes the current one, as a press on a plain cell makes it.
  void Pressed();
  void TextEntered(const QString& text);
  void TextLineClosed();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Runs an editor operation; what it raises goes to Failed.
  template <class F>
  void Guarded(F&& operation);
  TSinglePropertyEditor* FEditor;
  IPropertyEditorDialog* FDialog;
  IPropertyEditorDraw* FDraw;
  IPropertyEditorDropDownCategorizedStringList* FDropDown;
  IPropertyEditorInplace* FInplace;
  int FLineHeight;
  void CloseTextLine(bool enter);
  QToolButton* FButton = nullptr;
  QLineEdit* FLine = nullptr;
  std::shared_ptr<IInplaceForm> FForm;
  QString FFormText;
  QString FPaintError;  // reported once, then shown in the cell
  bool FValueBold = false;
};
