#include "Forms.h"

#include "AlignLayout.h"
#include "FormLayout.h"
#include "runtime/Exceptions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

// ---------------------------------------------------------------------------------------------- TForm

TForm::TForm(QWidget* parent) : QDialog(parent) {
  // Dialog keys and key preview must see a key before the focused control does.
  qApp->installEventFilter(this);
}

TForm::~TForm() { qApp->removeEventFilter(this); }

void TForm::LoadLayout(const QString& resource) {
  LoadFormLayout(this, resource);
  BindControls();
  Loaded();
}

void TForm::MissingControl(const char* name) const {
  throw Exception(QStringLiteral("%1 has no control \"%2\" of the expected class")
                      .arg(QString::fromLatin1(metaObject()->className()), QLatin1String(name)));
}

void TForm::Loaded() {
  TAlignLayout::Install(this);
  for (QAction* item : findChildren<QAction*>()) {
    const QVariant shortCut = item->property("ShortCut");
    if (shortCut.isValid()) item->setShortcut(ShortCutToKeySequence(TShortCut(shortCut.toUInt())));
  }
  for (QWidget* control : findChildren<QWidget*>()) {
    const QString menuName = control->property("PopupMenu").toString();
    if (menuName.isEmpty()) continue;
    if (auto* menu = findChild<TPopupMenu*>(menuName)) menu->AttachTo(control);
  }
  emit OnCreate(this);
}

int TForm::ShowModal() {
  FModalResult = mrNone;
  if (HasDialogResponder()) {
    TDialogRequest request;
    request.kind = TDialogRequest::Form;
    request.text = Caption();
    request.form = this;
    FModalResult = AskDialogResponder(request).modalResult;
    return FModalResult;
  }
  exec();
  return FModalResult;
}

void TForm::SetModalResult(int result) {
  FModalResult = result;
  if (result != mrNone && isVisible()) QDialog::done(result);
}

void TForm::done(int result) {
  // Closing from the window frame or reject() counts as Cancel.
  FModalResult = result == QDialog::Rejected && FModalResult == mrNone ? mrCancel : FModalResult;
  if (result == QDialog::Accepted && FModalResult == mrNone) FModalResult = mrOk;
  QDialog::done(result);
}

void TForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) emit OnShow(this);
}

TButton* TForm::DefaultButton() const {
  for (TButton* b : findChildren<TButton*>())
    if (b->Default() && b->isVisible() && b->isEnabled() && b->window() == this) return b;
  return nullptr;
}

TButton* TForm::CancelButton() const {
  for (TButton* b : findChildren<TButton*>())
    if (b->Cancel() && b->isVisible() && b->isEnabled() && b->window() == this) return b;
  return nullptr;
}

bool TForm::HandleDialogKey(QKeyEvent* event) {
  const int key = event->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!enter && key != Qt::Key_Escape) return false;
  if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
  TButton* button = nullptr;
  if (enter) {
    button = qobject_cast<TButton*>(focusWidget());  // a focused button takes Enter itself
    if (!button) button = DefaultButton();
  } else {
    button = CancelButton();
  }
  if (!button) return false;
  button->click();
  return true;
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != this || !isVisible()) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  // An ignored key travels up to the parents; look at it once, at the control it was sent to.
  if (event == FSeenEvent && keyEvent->timestamp() == FSeenTimestamp && FSeenReceiver && widget != FSeenReceiver &&
      widget->isAncestorOf(FSeenReceiver))
    return false;
  FSeenEvent = event;
  FSeenTimestamp = keyEvent->timestamp();
  FSeenReceiver = widget;
  if (HandleDialogKey(keyEvent)) return true;
  if (FKeyPreview) {
    quint16 vk = VirtualKeyOf(*keyEvent);
    if (vk) {
      emit OnKeyDown(this, vk, ShiftStateOf(keyEvent->modifiers()));
      if (!vk) return true;
    }
    if (keyEvent->text().size() == 1) {
      QChar ch = keyEvent->text().at(0);
      emit OnKeyPress(this, ch);
      if (ch.isNull()) return true;
    }
  }
  return false;
}

void TForm::keyPressEvent(QKeyEvent* event) {
  FSeenEvent = nullptr;  // the key has travelled as far as it goes
  // Dialog keys were handled by the filter; without a default or cancel button they do nothing.
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// -------------------------------------------------------------------------------------------- TButton

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  // The form owns the default role; Qt's focus-follows-default would move it behind our back.
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] {
    if (FModalResult == mrNone) return;
    if (auto* form = qobject_cast<TForm*>(window())) form->SetModalResult(FModalResult);
  });
}

void TButton::SetDefault(bool on) {
  FDefault = on;
  setDefault(on);  // the thick frame of a default button
}

void TButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

// ------------------------------------------------------------------------------------- small controls

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

TPanel::TPanel(QWidget* parent) : QFrame(parent) { setFrameShape(QFrame::NoFrame); }

void TPanel::mousePressEvent(QMouseEvent* event) {
  emit OnMouseDown(this, MouseButtonOf(event->button()), ShiftStateOf(event->modifiers()), int(event->position().x()),
                   int(event->position().y()));
}

void TPanel::mouseMoveEvent(QMouseEvent* event) {
  emit OnMouseMove(this, ShiftStateOf(event->modifiers()), int(event->position().x()), int(event->position().y()));
}

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
  emit OnMouseUp(this, MouseButtonOf(event->button()), ShiftStateOf(event->modifiers()), int(event->position().x()),
                 int(event->position().y()));
}

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(QImage picture) {
  FPicture = std::move(picture);
  update();
  emit OnPictureChange(this);
}

QRect TImage::DestRect() const {
  if (FPicture.isNull()) return {};
  QSize size = FPicture.size();
  const QSize box = this->size();
  if (FStretch) {
    if (FProportional) size.scale(box, Qt::KeepAspectRatio);
    else size = box;
  } else if (FProportional && (size.width() > box.width() || size.height() > box.height())) {
    size.scale(box, Qt::KeepAspectRatio);
  }
  QPoint origin(0, 0);
  if (FCenter) origin = QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2);
  return QRect(origin, size);
}

void TImage::paintEvent(QPaintEvent*) {
  if (FPicture.isNull()) return;
  QPainter painter(this);
  painter.drawImage(DestRect(), FPicture);
}

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent), FPanel(new QLabel(this)) {
  FPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FPanel->setIndent(2);
  addWidget(FPanel, 1);
}

QString TStatusBar::SimpleText() const { return FPanel->text(); }
void TStatusBar::SetSimpleText(const QString& text) { FPanel->setText(text); }

TPopupMenu::TPopupMenu(QWidget* parent) : QMenu(parent) {}

void TPopupMenu::AttachTo(QWidget* control) {
  control->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(control, &QWidget::customContextMenuRequested, this,
          [this, control](const QPoint& pos) { popup(control->mapToGlobal(pos)); });
  for (QAction* item : actions()) {
    if (item->shortcut().isEmpty()) continue;
    item->setShortcutContext(Qt::WidgetShortcut);
    control->addAction(item);
  }
}
