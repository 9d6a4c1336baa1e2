#include "SpinEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
  setRange(0, 100);
  connect(this, &QSpinBox::valueChanged, this, [this] { emit OnChange(this); });
}

int TSpinEdit::Value() const {
  bool ok = false;
  const int v = cleanText().trimmed().toInt(&ok);
  // Leaving an empty field puts the previous value back; Enter reads the same.
  return ok ? std::clamp(v, minimum(), maximum()) : value();
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
  // QSpinBox refuses a digit that would leave the range, so 300 could not be typed to mean 255.
  const QString text = input.trimmed();
  if (text.isEmpty() || text == QLatin1String("-")) return QValidator::Intermediate;
  bool ok = false;
  text.toInt(&ok);
  return ok ? QValidator::Acceptable : QValidator::Invalid;
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  quint16 key = VirtualKeyOf(*event);
  if (key) {
    emit OnKeyDown(this, key, ShiftStateOf(event->modifiers()));
    if (!key) {
      event->accept();
      return;
    }
  }
  const QString text = event->text();
  if (text.size() == 1) {
    QChar ch = text.at(0);
    emit OnKeyPress(this, ch);
    if (ch.isNull()) {
      event->accept();
      return;
    }
    if (ch != text.at(0)) {  // the handler replaced the character
      QKeyEvent replaced(event->type(), 0, event->modifiers(), QString(ch));
      QSpinBox::keyPressEvent(&replaced);
      return;
    }
  }
  QSpinBox::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
  QSpinBox::focusOutEvent(event);
  // Leaving the control for another one of the form; the window losing activation is no exit.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
    emit OnExit(this);
}
