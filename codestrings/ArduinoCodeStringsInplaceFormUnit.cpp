#include "codestrings/ArduinoCodeStringsInplaceFormUnit.h"

#include "codestrings/ArduinoCodeNames.h"

TArduinoCodeStringsInplaceForm::TArduinoCodeStringsInplaceForm(QWidget* owner, IModifiable* modifiable,
                                                               IDesigner* designer, TChangeCallback onChange)
    : TResizableInplaceForm(owner, modifiable, designer, std::move(onChange), TOwnLayout{}) {
  LoadLayout(QStringLiteral(":/codestrings/layouts/ArduinoCodeStringsInplaceFormUnit.json"));
  new TSynEditHelp(Editor);
  Completion = new TSynCompletion(Editor, ArduinoCoreNames());
}

void TArduinoCodeStringsInplaceForm::BindControls() {
  TResizableInplaceForm::BindControls();
  Bind(Panel1, "Panel1");
  Bind(SpecialCharactersCheckBox, "SpecialCharactersCheckBox");
  Bind(Editor, "Editor");
  Bind(PopupMenu, "PopupMenu");
  Bind(SelectAllAction, "SelectAllAction");
  Bind(CopyAction, "CopyAction");
  Bind(PasteAction, "PasteAction");
  Bind(SynCppSyn1, "SynCppSyn1");
}

void TArduinoCodeStringsInplaceForm::SetValue(const QString& value) {
  // The same text again is no change: the caret and the undo history stay.
  if (Editor->text() != value) Editor->setText(value);
}

QString TArduinoCodeStringsInplaceForm::GetValue() const { return Editor->text(); }

void TArduinoCodeStringsInplaceForm::SpecialCharactersCheckBoxClick(QObject*) {
  TSynEdit::TSynEditorOptions options = Editor->Options();
  options.setFlag(TSynEdit::eoShowSpecialChars, SpecialCharactersCheckBox->isChecked());
  Editor->SetOptions(options);
}

void TArduinoCodeStringsInplaceForm::EditorChange(QObject*) { DoChange(); }
void TArduinoCodeStringsInplaceForm::EditorEnter(QObject*) { DoEditorEnter(); }
void TArduinoCodeStringsInplaceForm::EditorExit(QObject*) { DoEditorLeave(); }

void TArduinoCodeStringsInplaceForm::SelectAllActionExecute(QObject*) { Editor->selectAll(); }
void TArduinoCodeStringsInplaceForm::CopyActionExecute(QObject*) { Editor->copy(); }
void TArduinoCodeStringsInplaceForm::PasteActionExecute(QObject*) { Editor->paste(); }
