#pragma once

#include "framework/ComponentEditors.h"
#include "runtime/Classes.h"

#include <QJsonValue>
#include <QMetaType>
#include <vector>

// A value type known to the designer only through its QString converters.
struct TTestCode {
  QString Text;
  bool operator==(const TTestCode&) const = default;
};
Q_DECLARE_METATYPE(TTestCode)

class TTestFont : public TPersistent {
  Q_OBJECT
  Q_PROPERTY(int Size MEMBER FSize)
  Q_PROPERTY(QString Face MEMBER FFace)
public:
  using TPersistent::TPersistent;
  int FSize = 8;
  QString FFace = QStringLiteral("Sans");
};

class TTestElements;

class TTestElement : public TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(QString Text MEMBER FText)
  Q_PROPERTY(TTestElements* Children READ GetChildren)
public:
  Q_INVOKABLE explicit TTestElement(QObject* parent = nullptr);
  TTestElements* GetChildren() const { return FChildren; }
  QString FText;

private:
  TTestElements* FChildren;
};

class TTestNumberElement : public TTestElement {
  Q_OBJECT
  Q_PROPERTY(double Value MEMBER FValue)
public:
  Q_INVOKABLE explicit TTestNumberElement(QObject* parent = nullptr) : TTestElement(parent) {}
  double FValue = 0;
};

class TTestElements : public TCollection {
  Q_OBJECT
public:
  explicit TTestElements(QObject* parent) : TCollection(&TTestElement::staticMetaObject, parent) {}
};

class TTestLed : public TComponent {
  Q_OBJECT
  Q_PROPERTY(int Brightness MEMBER FBrightness)
  Q_PROPERTY(bool Enabled MEMBER FEnabled)
  Q_PROPERTY(TMode Mode MEMBER FMode)
  Q_PROPERTY(TTestCode Code MEMBER FCode)
  Q_PROPERTY(QStringList Lines MEMBER FLines)
  Q_PROPERTY(TTestFont* Font READ GetFont)
  Q_PROPERTY(TTestElements* Elements READ GetElements)
public:
  enum TMode { mdSteady, mdBlink, mdFade };
  Q_ENUM(TMode)

  Q_INVOKABLE explicit TTestLed(QObject* parent = nullptr);
  TTestFont* GetFont() const { return FFont; }
  TTestElements* GetElements() const { return FElements; }

  // Pixels stand for state no property expresses.
  QJsonValue WriteCustomData() const override;
  void ReadCustomData(const QJsonValue& data) override;

  int FBrightness = 100;
  bool FEnabled = true;
  TMode FMode = mdSteady;
  TTestCode FCode;
  QStringList FLines;
  std::vector<int> FPixels;

private:
  TTestFont* FFont;
  TTestElements* FElements;
};

// Its one command rebuilds the elements under one modification, as the JSON commands do.
class TTestLedEditor : public TComponentEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TTestLedEditor(TComponent* component, IDesigner* designer) : TComponentEditor(component, designer) {}
  void PopulateMenuItems(IComponentEditorMenuItems& items) override;
};

// Registers the converters (once per process) and, in a cleared registry, the palette class and
// the component editor.
void RegisterTestComponents();
