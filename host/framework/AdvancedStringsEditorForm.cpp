#include "AdvancedStringsEditorForm.h"

#include <QApplication>

namespace {
TAdvancedStringsEditorForm::TExecuteHook& ExecuteHook() {
  static TAdvancedStringsEditorForm::TExecuteHook hook;
  return hook;
}
}  // namespace

TAdvancedStringsEditorForm::TAdvancedStringsEditorForm(QWidget* parent) : TForm(parent) {
  LoadLayout(QStringLiteral(":/framework/layouts/AdvancedStringsEditorForm.json"));
}

TAdvancedStringsEditorForm::TAdvancedStringsEditorForm(QWidget* parent, TOwnLayout) : TForm(parent) {}

TAdvancedStringsEditorForm::~TAdvancedStringsEditorForm() = default;

void TAdvancedStringsEditorForm::BindControls() {
  Bind(Editor, "Editor");
  Bind(Panel1, "Panel1");
  Bind(OKButton, "OKButton");
  Bind(CancelButton, "CancelButton");
}

void TAdvancedStringsEditorForm::FormShow(QObject*) { Editor->setFocus(); }

void TAdvancedStringsEditorForm::SetLines(const IStringArrayList& lines) { Editor->SetLines(lines.ToStringList()); }

void TAdvancedStringsEditorForm::GetLines(IStringArrayList& lines) const { lines.Assign(Editor->Lines()); }

bool TAdvancedStringsEditorForm::Execute(const QString& caption, const std::shared_ptr<IStringArrayList>& lines) {
  if (const TExecuteHook& hook = ExecuteHook()) return hook(caption, lines);
  TAdvancedStringsEditorForm form(QApplication::activeWindow());
  form.SetCaption(caption);
  form.SetLines(*lines);
  if (form.ShowModal() != mrOk) return false;
  form.GetLines(*lines);
  return true;
}

void TAdvancedStringsEditorForm::SetExecuteHook(TExecuteHook hook) { ExecuteHook() = std::move(hook); }
