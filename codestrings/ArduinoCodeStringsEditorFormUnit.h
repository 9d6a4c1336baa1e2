#pragma once
// Module Velto.ArduinoCodeStringsEditorFormUnit: the property editor of code strings and its dialog.

#include "codestrings/ArduinoCodeStringsInplaceFormUnit.h"
#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/Runtime.h"

#include <memory>

// The code dialog: the host's text dialog with C++ colouring. One form serves the whole process.
class TArduinoCodeStringsEditorForm : public TAdvancedStringsEditorForm {
  Q_OBJECT
public:
  explicit TArduinoCodeStringsEditorForm(QWidget* parent = nullptr);

  // Shows the process's code dialog with `caption` over exactly the list's lines. True when the user
  // confirmed; the list then holds exactly the edited lines, else it is left as it was.
  static bool Execute(const QString& caption, const std::shared_ptr<IStringArrayList>& lines);

  TSynCppSyn* SynCppSyn1 = nullptr;
  // Find and replace above the text, and completion of the Arduino core's names (also after three
  // typed letters).
  TSynFindBar* FindBar = nullptr;
  TSynCompletion* Completion = nullptr;

protected:
  void BindControls() override;
};

// Editor of TArduinoCode properties. The row shows a one-line value as it is and a longer one as its
// line count; in a designer the row edits the value live in an in-place code editor; "..." opens the
// code dialog, which writes the value back on OK.
class TArduinoCodeStringPropertyEditor : public TStringPropertyEditor,
                                         public IPropertyEditorDialog,
                                         public IPropertyEditorInplace {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoCodeStringPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                               const QByteArray& propertyName);
  ~TArduinoCodeStringPropertyEditor() override;

  void InitCreate() override;
  // Writes the value, then shows it in every open in-place form.
  void SetInstanceValues(const QVariant& value) override;
  // The objects' common display text; empty when they differ.
  QString GetDisplayValues() override;
  // The code dialog. Whatever fails on the way is dropped without a message.
  void Execute(const QVariant& context) override;
  IInplaceEditorFormController* GetInplaceFormController() const override { return FController.get(); }

  // One display text per edited object, the first selected first.
  QStringList GetDisplayTexts();
  // "( n Lines )" for a value with a line break, else the value itself.
  static QString DisplayText(const QString& value);

  // A form's text changed: it is written to the objects and that form's row is told.
  void FormValueChange(QObject* Sender);
  // A form's size changed: that form's row follows it.
  void FormEditorResize(QObject* Sender);

private:
  TArduinoCodeStringsInplaceForm* MakeForm();
  std::shared_ptr<IInplaceEditorFormController> FController;
  bool FSettingForms = false;
};

namespace Velto::ArduinoCodeStringsEditorFormUnit {
// Registers the editor for every TArduinoCode property.
void StartUp();
}  // namespace Velto::ArduinoCodeStringsEditorFormUnit
