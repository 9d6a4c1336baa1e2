#include "InplaceForms.h"

#include <QMetaMethod>

// ------------------------------------------------------------------------------------ TBasicInplaceForm

TBasicInplaceForm::TBasicInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer,
                                     TChangeCallback onChange)
    : TForm(owner), FModifiable(modifiable), FDesigner(designer), FOnChange(std::move(onChange)) {
  setWindowFlags(Qt::Widget);
  setAutoFillBackground(true);
  // The layout's own notification events exist once the derived form has loaded its layout.
  connect(this, &TForm::OnCreate, this, &TBasicInplaceForm::ConnectNotifications);
}

TBasicInplaceForm::~TBasicInplaceForm() = default;

void TBasicInplaceForm::ConnectNotifications() {
  const QMetaObject* meta = metaObject();
  for (int i = TBasicInplaceForm::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
    const QMetaMethod signal = meta->method(i);
    if (signal.methodType() != QMetaMethod::Signal || signal.parameterCount() != 1 ||
        signal.parameterMetaType(0) != QMetaType::fromType<QObject*>())
      continue;
    const QByteArray name = signal.name();
    const char* slot = name == "OnEditorEnter"                                ? "DoEditorEnterFrom(QObject*)"
                       : name == "OnEditorLeave"                              ? "DoEditorLeaveFrom(QObject*)"
                       : name.startsWith("On") && name.endsWith("Change") ? "DoChangeFrom(QObject*)"
                                                                              : nullptr;
    if (!slot) continue;
    const QMetaMethod handler = staticMetaObject.method(staticMetaObject.indexOfSlot(slot));
    connect(this, signal, this, handler);
  }
}

void TBasicInplaceForm::DoChange() {
  if (!FOnChange) return;
  ++FChanging;
  struct TDone {
    int& count;
    ~TDone() { --count; }
  } done{FChanging};
  FOnChange(this);
}

void TBasicInplaceForm::Finish() {
  if (InEditor()) DoEditorLeave();
}

void TBasicInplaceForm::DoEditorEnter() {
  if (!FModification && FModifiable) FModification = FModifiable->BeginModify();
}

void TBasicInplaceForm::DoEditorLeave() {
  // Released first: the designer records the step before the row reads the value again. What the
  // designer does then may take the form away.
  const QPointer<TBasicInplaceForm> self(this);
  FModification.reset();
  if (self) emit OnEditorLeft(this);
}

void TBasicInplaceForm::Detach() {
  FOnChange = nullptr;
  FModifiable = nullptr;
  FModification.reset();
}

void TBasicInplaceForm::SetParentControl(QWidget* parent) {
  setParent(parent, Qt::Widget);
}

void TBasicInplaceForm::SetFormColor(const QColor& color) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, color);
  setPalette(palette);
}

void TBasicInplaceForm::resizeEvent(QResizeEvent* event) {
  TForm::resizeEvent(event);
  emit OnResize(this);
}

// ----------------------------------------------------------------------------------------- TInplaceForm

TInplaceForm::TInplaceForm(TBasicInplaceForm* form, std::shared_ptr<IMemberUIUpdate> uiUpdate)
    : FForm(form), FUIUpdate(std::move(uiUpdate)) {}

void TInplaceForm::Close() {
  // Hiding moves the focus, which may end up here again: this call owns the form from now on.
  QPointer<TBasicInplaceForm> form = std::exchange(FForm, nullptr);
  if (form) form->hide();
  if (form) form->deleteLater();
}

// ---------------------------------------------------------------------------- the in-place controller

TBasicInplaceEditorFormController::TBasicInplaceEditorFormController(TMakeForm make, TInitForm init)
    : FMake(std::move(make)), FInit(std::move(init)) {}

TBasicInplaceEditorFormController::~TBasicInplaceEditorFormController() {
  // The form may be the one whose event led here: it goes once that event is over.
  for (const std::shared_ptr<IInplaceForm>& open : FForms) {
    if (TBasicInplaceForm* form = open->GetForm()) form->Detach();
    open->Close();
  }
}

std::shared_ptr<IInplaceForm> TBasicInplaceEditorFormController::OpenForm(QWidget* parent, const IInplaceHost& host,
                                                                          const QRect& rect,
                                                                          std::shared_ptr<IMemberUIUpdate> uiUpdate) {
  TBasicInplaceForm* form = FMake();
  // Once the user has finished in the form, the inspector shows what he did.
  QObject::connect(form, &TBasicInplaceForm::OnEditorLeft, form, [uiUpdate] {
    if (!uiUpdate) return;
    uiUpdate->MemberChanged();
    uiUpdate->UpdateMember(true);
  });
  auto inplace = std::make_shared<TInplaceForm>(form, uiUpdate);
  FForms.removeIf([](const std::shared_ptr<IInplaceForm>& open) { return !open->GetForm(); });
  FForms.append(inplace);
  FLastUIUpdate = std::move(uiUpdate);
  if (FInit) FInit(form);
  form->SetParentControl(parent);
  form->SetFormColor(host.GetInplaceColor());
  form->SetBounds(rect.x(), rect.y(), rect.width(), form->height());
  form->show();
  return inplace;
}

QList<TInplaceFormInfo> TBasicInplaceEditorFormController::GetForms() const {
  QList<TInplaceFormInfo> forms;
  for (const std::shared_ptr<IInplaceForm>& open : FForms)
    if (TBasicInplaceForm* form = open->GetForm()) forms.append({form, open->GetUIUpdate()});
  return forms;
}

QObject* GetRealTypeInstance(const QVariant& value) { return value.value<QObject*>(); }
