#include "codestrings/ArduinoCodeStringsInplaceFormUnit.h"

#include "codestrings/ArduinoCodeNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <algorithm>

TArduinoCodeStringsInplaceForm::TArduinoCodeStringsInplaceForm(QWidget* owner, IModifiable* modifiable,
                                                               IDesigner* designer, TChangeCallback onChange)
    : TResizableInplaceForm(owner, modifiable, designer, std::move(onChange), TOwnLayout{}) {
  LoadLayout(QStringLiteral(":/codestrings/layouts/ArduinoCodeStringsInplaceFormUnit.json"));
  // The layout's 116 pixels hold the caption in the classic 8-point Tahoma; a wider fallback font
  // would cut "Characters" short, so the box takes what its caption needs then.
  QCheckBox* box = SpecialCharactersCheckBox;
  box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
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

bool TArduinoCodeStringsInplaceForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != Editor || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride))
    return TResizableInplaceForm::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  const bool ctrlTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (mods & Qt::ControlModifier);
  // An open completion list or call tip takes Esc first.
  const bool leave = key->key() == Qt::Key_Escape && mods == Qt::NoModifier && !Editor->isListActive() &&
                     !Editor->isCallTipActive();
  if (!ctrlTab && !leave) return TResizableInplaceForm::eventFilter(watched, event);
  // Claimed before any shortcut of the window around the inspector can take it.
  key->accept();
  if (type == QEvent::KeyPress && leave) LeaveEditor();
  return true;
}

void TArduinoCodeStringsInplaceForm::LeaveEditor() {
  for (QWidget* around = parentWidget(); around; around = around->parentWidget()) {
    if (around->focusPolicy() == Qt::NoFocus || !around->isEnabled()) continue;
    around->setFocus(Qt::OtherFocusReason);
    if (!isAncestorOf(QApplication::focusWidget())) return;
  }
  Editor->clearFocus();
}
