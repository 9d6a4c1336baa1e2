#pragma once
// Module Velto.Arduino.Graphics.FontPropertyEditors: the graphics fonts as a property's choices.

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"

// Offers the component library's fonts, grouped as it groups them. The list is asked for on every
// call and never kept, so fonts of a library installed meanwhile are offered at once.
class TArduinoGraphicsFontPropertyEditor : public TSinglePropertyEditor,
                                           public IPropertyEditorDropDownCategorizedStringList {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoGraphicsFontPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                                 const QByteArray& propertyName)
      : TSinglePropertyEditor(designer, instances, propertyName) {}

  TCategorizedStringList GetStringListValues() override { return GetArduinoFontsList(); }
};
