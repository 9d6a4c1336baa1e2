#include "AdvancedStringsEditorForm.h"

#include "ui_AdvancedStringsEditorForm.h"

#include <QApplication>
#include <QFontDatabase>
#include <Qsci/qsciscintilla.h>

namespace {
TAdvancedStringsEditorForm::TExecuteHook& ExecuteHook() {
  static TAdvancedStringsEditorForm::TExecuteHook hook;
  return hook;
}
}  // namespace

TAdvancedStringsEditorForm::TAdvancedStringsEditorForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TAdvancedStringsEditorForm>()) {
  ui->setupUi(this);
  QsciScintilla* editor = ui->Editor;
  const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  editor->setFont(mono);
  editor->setUtf8(true);
  editor->setMarginType(0, QsciScintilla::NumberMargin);
  editor->setMarginWidth(0, QStringLiteral("00000"));
  editor->setMarginsFont(mono);
  editor->setAutoIndent(true);
  editor->setTabWidth(2);
  editor->setFocus();
}

TAdvancedStringsEditorForm::~TAdvancedStringsEditorForm() = default;

QsciScintilla* TAdvancedStringsEditorForm::GetEditor() const { return ui->Editor; }

void TAdvancedStringsEditorForm::SetLines(const IStringArrayList& lines) {
  QStringList all;
  all.reserve(lines.GetCount());
  for (int i = 0; i < lines.GetCount(); ++i) all.append(lines.GetItem(i));
  ui->Editor->setText(all.join(QLatin1Char('\n')));
}

void TAdvancedStringsEditorForm::GetLines(IStringArrayList& lines) const { lines.SetText(ui->Editor->text()); }

bool TAdvancedStringsEditorForm::Execute(const QString& caption, const std::shared_ptr<IStringArrayList>& lines) {
  if (const TExecuteHook& hook = ExecuteHook()) return hook(caption, lines);
  TAdvancedStringsEditorForm form(QApplication::activeWindow());
  form.setWindowTitle(caption);
  form.SetLines(*lines);
  if (form.exec() != QDialog::Accepted) return false;
  form.GetLines(*lines);
  return true;
}

void TAdvancedStringsEditorForm::SetExecuteHook(TExecuteHook hook) { ExecuteHook() = std::move(hook); }
