#pragma once

// Module Velto.Arduino.JSON.Design: the context-menu commands of the four JSON components, which
// generate a component's element collection from a sample JSON object or array typed by the user.

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"

#include <QString>

namespace Velto::Arduino::JSON::Design {

// Asked before generating into a collection that already holds elements.
extern const QString SJsonElementsExist;

struct TMakeJsonTraits {
  using TElements = TArduinoMakeJSONElements;
  using TArrayElements = TArduinoMakeJSONArrayElements;
  using TObjectElement = TArduinoMakeJSONObjectElement;
  using TArrayElement = TArduinoMakeJSONArrayElement;
  using TDigitalElement = TArduinoMakeJSONDigitalElement;
  using TIntegerElement = TArduinoMakeJSONIntegerElement;
  using TUnsignedElement = TArduinoMakeJSONUnsignedElement;
  using TTextElement = TArduinoMakeJSONTextElement;
  using TAnalogElement = TArduinoMakeJSONAnalogElement;
  using TObjectArrayElement = TArduinoMakeJSONObjectArrayElement;
  using TArrayArrayElement = TArduinoMakeJSONArrayArrayElement;
  using TDigitalArrayElement = TArduinoMakeJSONDigitalArrayElement;
  using TTextArrayElement = TArduinoMakeJSONTextArrayElement;
  using TIntegerArrayElement = TArduinoMakeJSONIntegerArrayElement;
  using TUnsignedArrayElement = TArduinoMakeJSONUnsignedArrayElement;
  using TAnalogArrayElement = TArduinoMakeJSONAnalogArrayElement;
};

struct TSplitJsonTraits {
  using TElements = TArduinoSplitJSONElements;
  using TArrayElements = TArduinoSplitJSONArrayElements;
  using TObjectElement = TArduinoSplitJSONObjectElement;
  using TArrayElement = TArduinoSplitJSONArrayElement;
  using TDigitalElement = TArduinoSplitJSONDigitalElement;
  using TIntegerElement = TArduinoSplitJSONIntegerElement;
  using TUnsignedElement = TArduinoSplitJSONUnsignedElement;
  using TTextElement = TArduinoSplitJSONTextElement;
  using TAnalogElement = TArduinoSplitJSONAnalogElement;
  using TObjectArrayElement = TArduinoSplitJSONObjectArrayElement;
  using TArrayArrayElement = TArduinoSplitJSONArrayArrayElement;
  using TDigitalArrayElement = TArduinoSplitJSONDigitalArrayElement;
  using TTextArrayElement = TArduinoSplitJSONTextArrayElement;
  using TIntegerArrayElement = TArduinoSplitJSONIntegerArrayElement;
  using TUnsignedArrayElement = TArduinoSplitJSONUnsignedArrayElement;
  using TAnalogArrayElement = TArduinoSplitJSONAnalogArrayElement;
};

// Merge a parsed sample into a collection: existing elements that match by name and kind (members)
// or by position and kind (items) are reused, everything else is appended. Exceptions pass out;
// what was appended before one stays.
void ProcessObjectMaker(const TObjectJsonElement& object, TArduinoMakeJSONElements& target);
void ProcessArrayMaker(const TArrayJsonElement& array, TArduinoMakeJSONArrayElements& target);
void ProcessObjectSplitter(const TObjectJsonElement& object, TArduinoSplitJSONElements& target);
void ProcessArraySplitter(const TArrayJsonElement& array, TArduinoSplitJSONArrayElements& target);

class TArduinoMakeJSONObjectComponentEditor : public TComponentEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoMakeJSONObjectComponentEditor(TComponent* component, IDesigner* designer);
  void PopulateMenuItems(IComponentEditorMenuItems& items) override;
};

class TArduinoMakeJSONArrayComponentEditor : public TComponentEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoMakeJSONArrayComponentEditor(TComponent* component, IDesigner* designer);
  void PopulateMenuItems(IComponentEditorMenuItems& items) override;
};

class TArduinoSplitJSONObjectComponentEditor : public TComponentEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoSplitJSONObjectComponentEditor(TComponent* component, IDesigner* designer);
  void PopulateMenuItems(IComponentEditorMenuItems& items) override;
};

class TArduinoSplitJSONArrayComponentEditor : public TComponentEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoSplitJSONArrayComponentEditor(TComponent* component, IDesigner* designer);
  void PopulateMenuItems(IComponentEditorMenuItems& items) override;
};

// Binds the four component editors to their components.
void Register();

}  // namespace Velto::Arduino::JSON::Design
