#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"

#include "codestrings/ArduinoCodeNames.h"

// ------------------------------------------------------------------------ TArduinoCodeStringsEditorForm

TArduinoCodeStringsEditorForm::TArduinoCodeStringsEditorForm(QWidget* parent)
    : TAdvancedStringsEditorForm(parent, TOwnLayout{}) {
  InitCodeStringsModule();
  LoadLayout(QStringLiteral(":/codestrings/layouts/ArduinoCodeStringsEditorFormUnit.json"));
  new TSynEditHelp(Editor);
  FindBar = new TSynFindBar(Editor);
  Completion = new TSynCompletion(Editor, ArduinoCoreNames());
  Completion->SetThreshold(3);
}

void TArduinoCodeStringsEditorForm::BindControls() {
  TAdvancedStringsEditorForm::BindControls();
  Bind(SynCppSyn1, "SynCppSyn1");
}

bool TArduinoCodeStringsEditorForm::Execute(const QString& caption, const std::shared_ptr<IStringArrayList>& lines) {
  auto* form = Designer::GetForm<TArduinoCodeStringsEditorForm>();
  form->SetCaption(caption);
  form->SetLines(*lines);
  const bool ok = form->ShowModal() == mrOk;
  if (ok) form->GetLines(*lines);
  return ok;
}

// --------------------------------------------------------------------- TArduinoCodeStringPropertyEditor

TArduinoCodeStringPropertyEditor::TArduinoCodeStringPropertyEditor(IDesigner* designer,
                                                                   const QList<QObject*>& instances,
                                                                   const QByteArray& propertyName)
    : TStringPropertyEditor(designer, instances, propertyName) {}

TArduinoCodeStringPropertyEditor::~TArduinoCodeStringPropertyEditor() = default;

void TArduinoCodeStringPropertyEditor::InitCreate() {
  TStringPropertyEditor::InitCreate();
  QObject* member = GetFirstMemberUnsafe();
  if (!member || GetMemberKind(member) != mkDesignProperty) return;
  FController = std::make_shared<TInplaceEditorFormController<TArduinoCodeStringsInplaceForm>>(
      [this] { return MakeForm(); }, [](TArduinoCodeStringsInplaceForm*) {});
}

TArduinoCodeStringsInplaceForm* TArduinoCodeStringPropertyEditor::MakeForm() {
  auto form = std::make_unique<TArduinoCodeStringsInplaceForm>(
      nullptr, this, GetDesigner(), [this](TBasicInplaceForm* changed) { FormValueChange(changed); });
  form->SetValue(GetInstanceValues().front().toString());
  form->Completion->SetExtraNames(DeclaredNamesOf(GetInstances().value(0)));
  connect(form.get(), &TBasicInplaceForm::OnResize, this, &TArduinoCodeStringPropertyEditor::FormEditorResize);
  return form.release();
}

void TArduinoCodeStringPropertyEditor::SetInstanceValues(const QVariant& value) {
  TStringPropertyEditor::SetInstanceValues(value);
  if (!FController) return;
  const QString text = value.toString();
  // The forms report the text they are given as a change; it is the value just written.
  FSettingForms = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FSettingForms};
  for (const TInplaceFormInfo& info : FController->GetForms())
    static_cast<TArduinoCodeStringsInplaceForm*>(info.Form)->SetValue(text);
}

void TArduinoCodeStringPropertyEditor::FormValueChange(QObject* Sender) {
  if (!FController || FSettingForms) return;
  for (const TInplaceFormInfo& info : FController->GetForms()) {
    if (info.Form != Sender) continue;
    const QString text = static_cast<TArduinoCodeStringsInplaceForm*>(info.Form)->GetValue();
    // The base writes: this editor's own SetInstanceValues would set the text back into the forms.
    TStringPropertyEditor::SetInstanceValues(QVariant::fromValue(TArduinoCode{text}));
    if (info.UIUpdate) {
      info.UIUpdate->MemberChanged();
      info.UIUpdate->UpdateMember(false);
    }
  }
}

void TArduinoCodeStringPropertyEditor::FormEditorResize(QObject* Sender) {
  if (!FController) return;
  for (const TInplaceFormInfo& info : FController->GetForms())
    if (info.Form == Sender && info.UIUpdate) info.UIUpdate->InplaceFormResized();
}

QString TArduinoCodeStringPropertyEditor::DisplayText(const QString& value) {
  if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'))) return value;
  return QStringLiteral("( %1 Lines )").arg(TStringArrayList::CountLines(value));
}

QStringList TArduinoCodeStringPropertyEditor::GetDisplayTexts() {
  TStringArrayList texts;
  for (const QString& value : GetStringValues()) texts.Add(DisplayText(value), 1);
  return texts.ToStringList();
}

QString TArduinoCodeStringPropertyEditor::GetDisplayValues() {
  const QStringList texts = GetDisplayTexts();
  for (const QString& text : texts)
    if (text != texts.front()) return {};
  return texts.isEmpty() ? QString() : texts.front();
}

void TArduinoCodeStringPropertyEditor::Execute(const QVariant&) {
  try {
    const std::shared_ptr<IStringArrayList> lines = TStringArrayList::Create();
    lines->SetText(GetInstanceValues().front().toString());
    Designer::GetForm<TArduinoCodeStringsEditorForm>()->Completion->SetExtraNames(DeclaredNamesOf(GetInstances().value(0)));
    if (TArduinoCodeStringsEditorForm::Execute(GetName(), lines)) {
      const std::shared_ptr<IModification> modification = BeginModify();
      SetStringValue(lines->GetText());
    }
  } catch (...) {
    // The command was the user's own: a failure ends it quietly, what was written stays.
  }
}

namespace Velto::ArduinoCodeStringsEditorFormUnit {
void StartUp() {
  RegisterPropertyEditor(QMetaType::fromType<TArduinoCode>(), nullptr, QString(),
                         &TArduinoCodeStringPropertyEditor::staticMetaObject);
}
}  // namespace Velto::ArduinoCodeStringsEditorFormUnit
