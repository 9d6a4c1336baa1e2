#pragma once

#include "toolkit/Keys.h"

#include <QSpinBox>

// Whole-number edit with up and down buttons. Its events are signals, so a form detaches and
// re-attaches a handler with disconnect and connect. OnKeyDown and OnKeyPress see a key before the
// edit does; a handler that sets the key to 0 consumes it.
class TSpinEdit : public QSpinBox {
  Q_OBJECT
  Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
  Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
  Q_PROPERTY(int Value READ Value WRITE SetValue)
  Q_PROPERTY(int Increment READ singleStep WRITE setSingleStep)
public:
  explicit TSpinEdit(QWidget* parent = nullptr);

  int MinValue() const { return minimum(); }
  void SetMinValue(int v) { setMinimum(v); }
  int MaxValue() const { return maximum(); }
  void SetMaxValue(int v) { setMaximum(v); }
  // The number the text shows, limited to the range. Any whole number may be typed, also one above
  // the range; a field left empty reads as the value it held before.
  int Value() const;
  void SetValue(int v) { setValue(v); }

signals:
  void OnChange(QObject* Sender);
  void OnExit(QObject* Sender);
  void OnKeyDown(QObject* Sender, quint16& Key, TShiftState Shift);
  void OnKeyPress(QObject* Sender, QChar& Key);

protected:
  QValidator::State validate(QString& input, int& pos) const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};
