#include "StdControls.h"

#include <QMouseEvent>

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setRange(0, 10);
  ApplyTicks();
  connect(this, &QSlider::valueChanged, this, [this] { emit OnChange(this); });
}

void TTrackBar::SetThumbLength(int length) {
  FThumbLength = length;
  setStyleSheet(QStringLiteral("QSlider::handle:horizontal { width: %1px; }").arg(qMax(4, length / 2)));
}

void TTrackBar::SetTickMarks(const QString& marks) {
  FTickMarks = marks;
  ApplyTicks();
}

void TTrackBar::SetTickStyle(const QString& style) {
  FTickStyle = style;
  ApplyTicks();
}

void TTrackBar::ApplyTicks() {
  if (FTickStyle == QLatin1String("tsNone")) return setTickPosition(NoTicks);
  setTickPosition(FTickMarks == QLatin1String("tmBoth")      ? TicksBothSides
                  : FTickMarks == QLatin1String("tmTopLeft") ? TicksAbove
                                                             : TicksBelow);
}

void TTrackBar::mousePressEvent(QMouseEvent* event) {
  emit OnMouseDown(this, MouseButtonOf(event->button()), ShiftStateOf(event->modifiers()), int(event->position().x()),
                   int(event->position().y()));
  QSlider::mousePressEvent(event);
}

void TTrackBar::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  emit OnMouseUp(this, MouseButtonOf(event->button()), ShiftStateOf(event->modifiers()), int(event->position().x()),
                 int(event->position().y()));
}

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, [this] { emit OnClick(this); });
}
