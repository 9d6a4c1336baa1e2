#pragma once

#include "toolkit/Keys.h"

#include <QCheckBox>
#include <QSlider>

// Horizontal track bar. OnChange follows every change of Position, also one made by code, so a
// handler that must tell the user's moves apart guards itself.
class TTrackBar : public QSlider {
  Q_OBJECT
  Q_PROPERTY(int Min READ minimum WRITE setMinimum)
  Q_PROPERTY(int Max READ maximum WRITE setMaximum)
  Q_PROPERTY(int Position READ value WRITE setValue)
  Q_PROPERTY(int ThumbLength READ ThumbLength WRITE SetThumbLength)
  Q_PROPERTY(QString TickMarks READ TickMarks WRITE SetTickMarks)
  Q_PROPERTY(QString TickStyle READ TickStyle WRITE SetTickStyle)
public:
  explicit TTrackBar(QWidget* parent = nullptr);
  int ThumbLength() const { return FThumbLength; }
  void SetThumbLength(int length);
  // "tmBottomRight", "tmTopLeft" or "tmBoth"; ticks show only with a tick style other than "tsNone".
  QString TickMarks() const { return FTickMarks; }
  void SetTickMarks(const QString& marks);
  QString TickStyle() const { return FTickStyle; }
  void SetTickStyle(const QString& style);

signals:
  void OnChange(QObject* Sender);
  void OnMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void OnMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void ApplyTicks();
  int FThumbLength = 20;
  QString FTickMarks = QStringLiteral("tmBottomRight");
  QString FTickStyle = QStringLiteral("tsAuto");
};

// Check box; OnClick follows every change of Checked, by the user or by code.
class TCheckBox : public QCheckBox {
  Q_OBJECT
  Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
public:
  explicit TCheckBox(QWidget* parent = nullptr);

signals:
  void OnClick(QObject* Sender);
};
