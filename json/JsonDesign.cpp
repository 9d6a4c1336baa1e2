#include "JsonDesign.h"

#include "JsonGeneration.h"
#include "package/hostapi/Runtime.h"
#include "package/hostapi/Toolkit.h"

namespace Velto::Arduino::JSON::Design {

const QString SJsonElementsExist = QStringLiteral(
    "Your component already contans elements.\r\n"
    "They may be destroied if you want to populate the component from JSON\r\n"
    "Do you want to delete the old, and generate new elements?");

void ProcessObjectMaker(const TObjectJsonElement& object, TArduinoMakeJSONElements& target) {
  TJsonElementsGenerator<TMakeJsonTraits>::ProcessObject(object, target);
}

void ProcessArrayMaker(const TArrayJsonElement& array, TArduinoMakeJSONArrayElements& target) {
  TJsonElementsGenerator<TMakeJsonTraits>::ProcessArray(array, target);
}

void ProcessObjectSplitter(const TObjectJsonElement& object, TArduinoSplitJSONElements& target) {
  TJsonElementsGenerator<TSplitJsonTraits>::ProcessObject(object, target);
}

void ProcessArraySplitter(const TArrayJsonElement& array, TArduinoSplitJSONArrayElements& target) {
  TJsonElementsGenerator<TSplitJsonTraits>::ProcessArray(array, target);
}

namespace {

const QString SParseObjectCaption = QStringLiteral("Parse JSON Object ...");
const QString SParseArrayCaption = QStringLiteral("Parse JSON Array ...");
const QString SObjectTitle = QStringLiteral("JSON Object");
const QString SArrayTitle = QStringLiteral("JSON Array");

// One run of a command: ask for a sample, parse it, and generate into the component's collection.
template <class TRoot, class TJsonComponent, class TTarget>
void RunCommand(TComponentEditor& editor, const QString& title, void (*generate)(const TRoot&, TTarget&)) {
  // Declared in reverse release order: the tree goes first, then the text, the modification last.
  std::shared_ptr<IModification> modification;
  const std::shared_ptr<IStringArrayList> lines = TStringArrayList::Create();
  if (!TAdvancedStringsEditorForm::Execute(title, lines)) return;
  try {
    const IJsonElement root = TJsonParser::Parse(lines->GetText());
    const auto* value = dynamic_cast<const TRoot*>(root.get());
    if (!value) return;
    modification = editor.BeginModify();
    auto* component = qobject_cast<TJsonComponent*>(editor.GetComponent());
    if (!component) throw EInvalidCast();
    TTarget& target = *component->GetElements();
    if (target.GetCount() > 0 && MessageDlg(SJsonElementsExist, mtWarning, MsgButtons({mbYes, mbNo}), -1) != mrYes)
      return;
    generate(*value, target);
  } catch (...) {
    // The user started this command; a failure ends it without a word and keeps what was made.
  }
}

}  // namespace

TArduinoMakeJSONObjectComponentEditor::TArduinoMakeJSONObjectComponentEditor(TComponent* component, IDesigner* designer)
    : TComponentEditor(component, designer) {}

void TArduinoMakeJSONObjectComponentEditor::PopulateMenuItems(IComponentEditorMenuItems& items) {
  items.Add(std::make_shared<TComponentEditorMenuItem>(
                SParseObjectCaption,
                [this] { RunCommand<TObjectJsonElement, TArduinoMakeJSON>(*this, SObjectTitle, &ProcessObjectMaker); }),
            1);
  TComponentEditor::PopulateMenuItems(items);
}

TArduinoMakeJSONArrayComponentEditor::TArduinoMakeJSONArrayComponentEditor(TComponent* component, IDesigner* designer)
    : TComponentEditor(component, designer) {}

void TArduinoMakeJSONArrayComponentEditor::PopulateMenuItems(IComponentEditorMenuItems& items) {
  items.Add(
      std::make_shared<TComponentEditorMenuItem>(
          SParseArrayCaption,
          [this] { RunCommand<TArrayJsonElement, TArduinoMakeJSONArray>(*this, SArrayTitle, &ProcessArrayMaker); }),
      1);
  TComponentEditor::PopulateMenuItems(items);
}

TArduinoSplitJSONObjectComponentEditor::TArduinoSplitJSONObjectComponentEditor(TComponent* component,
                                                                               IDesigner* designer)
    : TComponentEditor(component, designer) {}

void TArduinoSplitJSONObjectComponentEditor::PopulateMenuItems(IComponentEditorMenuItems& items) {
  items.Add(
      std::make_shared<TComponentEditorMenuItem>(
          SParseObjectCaption,
          [this] { RunCommand<TObjectJsonElement, TArduinoSplitJSON>(*this, SObjectTitle, &ProcessObjectSplitter); }),
      1);
  TComponentEditor::PopulateMenuItems(items);
}

TArduinoSplitJSONArrayComponentEditor::TArduinoSplitJSONArrayComponentEditor(TComponent* component, IDesigner* designer)
    : TComponentEditor(component, designer) {}

void TArduinoSplitJSONArrayComponentEditor::PopulateMenuItems(IComponentEditorMenuItems& items) {
  items.Add(
      std::make_shared<TComponentEditorMenuItem>(
          SParseArrayCaption,
          [this] { RunCommand<TArrayJsonElement, TArduinoSplitJSONArray>(*this, SArrayTitle, &ProcessArraySplitter); }),
      1);
  TComponentEditor::PopulateMenuItems(items);
}

void Register() {
  RegisterComponentEditor(&TArduinoMakeJSON::staticMetaObject,
                          &TArduinoMakeJSONObjectComponentEditor::staticMetaObject);
  RegisterComponentEditor(&TArduinoMakeJSONArray::staticMetaObject,
                          &TArduinoMakeJSONArrayComponentEditor::staticMetaObject);
  RegisterComponentEditor(&TArduinoSplitJSON::staticMetaObject,
                          &TArduinoSplitJSONObjectComponentEditor::staticMetaObject);
  RegisterComponentEditor(&TArduinoSplitJSONArray::staticMetaObject,
                          &TArduinoSplitJSONArrayComponentEditor::staticMetaObject);
}

}  // namespace Velto::Arduino::JSON::Design
