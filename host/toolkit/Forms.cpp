#include "Forms.h"

#include "AlignLayout.h"
#include "FormLayout.h"
#include "runtime/Exceptions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <Qsci/qsciscintilla.h>
#include <utility>

// ---------------------------------------------------------------------------------------------- TForm

TForm::TForm(QWidget* parent) : QDialog(parent) { Watch(this); }

TForm::~TForm() = default;

void TForm::Watch(QObject* object) {
  if (!object->isWidgetType()) return;
  object->installEventFilter(this);
  // Controls added later are announced to their parent, which is watched by then.
  for (QObject* child : object->children()) Watch(child);
}

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

namespace {
// Whether the focused control keeps Enter or Esc for itself.
bool WantsDialogKey(QWidget* control, int key) {
  if (key == Qt::Key_Escape) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->view() && combo->view()->isVisible();
    if (auto* editor = qobject_cast<QsciScintilla*>(control)) return editor->isListActive() || editor->isCallTipActive();
    return false;
  }
  return qobject_cast<TButton*>(control) || (control->inputMethodHints() & Qt::ImhMultiLine);
}
}  // namespace

bool TForm::HandleDialogKey(const QKeyEvent& event) {
  if (!isWindow()) return false;
  const int key = event.key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!enter && key != Qt::Key_Escape) return false;
  // Ctrl+Enter is the default button's wherever the focus is: the way out of a multi-line editor.
  const bool ctrlEnter = enter && (event.modifiers() & Qt::ControlModifier);
  if (event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier | (ctrlEnter ? Qt::ControlModifier : Qt::NoModifier)))
    return false;
  if (QWidget* control = focusWidget(); !ctrlEnter && control && control != this && WantsDialogKey(control, key))
    return false;
  TButton* button = enter ? DefaultButton() : CancelButton();
  if (!button) return false;
  button->click();
  return true;
}

bool TForm::PreviewKey(QKeyEvent& event) {
  if (quint16 vk = VirtualKeyOf(event)) {
    emit OnKeyDown(this, vk, ShiftStateOf(event.modifiers()));
    if (!vk) return true;
  }
  if (event.text().size() == 1) {
    QChar ch = event.text().at(0);
    emit OnKeyPress(this, ch);
    if (ch.isNull()) return true;
  }
  return false;
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded) {
    Watch(static_cast<QChildEvent*>(event)->child());
    return false;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    FKeyOfDropDown = watched->isWidgetType() && static_cast<QWidget*>(watched)->window()->windowType() == Qt::Popup;
    return false;
  }
  if (event->type() != QEvent::KeyPress || !isVisible()) return false;
  // Only where the key enters: on its way up through the parents it has been looked at already.
  QWidget* entry = focusWidget();
  if (watched != (entry ? entry : this)) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  if (std::exchange(FKeyOfDropDown, false) && keyEvent->key() == Qt::Key_Escape) return false;
  if (HandleDialogKey(*keyEvent)) return true;
  return FKeyPreview && PreviewKey(*keyEvent);
}

void TForm::keyPressEvent(QKeyEvent* event) {
  // An in-place form leaves every key to the control it is placed in.
  if (!isWindow()) return QWidget::keyPressEvent(event);
  // Dialog keys were decided where they entered; QDialog would end the form on a left-over Esc.
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

bool TButton::event(QEvent* event) {
  // An ambiguous mnemonic only moves the focus, as Qt does.
  if (event->type() == QEvent::Shortcut && isEnabled() && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
    click();
    return true;
  }
  return QPushButton::event(event);
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
