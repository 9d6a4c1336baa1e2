#pragma once
// Module Velto.Inplace.Arduino.Boards.PropertyEditors: the shields of a board.

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"

// The host's collection editor for a board's shields; the collection itself decides whether the
// property is listed, and only the first selected board's collection is asked.
class TShieldsCollectionPropertyEditor : public TPersistentCollectionPropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TShieldsCollectionPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                               const QByteArray& propertyName)
      : TPersistentCollectionPropertyEditor(designer, instances, propertyName) {}

  // False when the first board holds no collection; an object that is no shields collection raises
  // EInvalidCast.
  bool GetIsVisible() override;
};
