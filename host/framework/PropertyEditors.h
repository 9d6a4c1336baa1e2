#pragma once

#include "framework/ComponentEditors.h"

#include <QList>
#include <QMetaProperty>
#include <QRect>
#include <QStringList>
#include <QVariant>
#include <memory>

class TGPGraphics;

// An editor with a dialog: the host offers "..." and calls Execute.
class IPropertyEditorDialog {
public:
  virtual ~IPropertyEditorDialog() = default;
  virtual void Execute(const QVariant& context) = 0;
};

// What kind of member a property row edits. Only a writable property of an object in a designer
// can be edited in place: an in-place form writes into the design and lives in its inspector.
enum TMemberKind { mkReadOnly = 1, mkDetached = 2, mkDesignProperty = 3 };

// The editor of one property of the selected objects. The instances are the objects that carry the
// property, the first selected first; each may be a component or an object a component owns. The
// registry holds editor classes; the host makes one through the invokable constructor
// (IDesigner*, QList<QObject*>, QByteArray) for every property row it shows.
class TSinglePropertyEditor : public QObject, public IModifiable {
  Q_OBJECT
public:
  Q_INVOKABLE TSinglePropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName);

  // The virtual operations, in this order (the constructor stands for Create).
  virtual QString GetName() const;
  // The first instance; there always is one while the host shows the row.
  virtual QObject* GetFirstMemberUnsafe() const;
  virtual bool GetIsVisible();
  // Runs once the editor is made, before the host uses it.
  virtual void InitCreate();
  // The property's value in every instance, the first selected at index 0.
  virtual QVariantList GetInstanceValues();
  // Stores the value in every instance, inside one modification.
  virtual void SetInstanceValues(const QVariant& value);
  // The text of the first instance's value.
  virtual QString GetDefaultStringValue();
  // Opens the modification of every instance; the change lasts until the result is released, and
  // the release tells the designer that the components changed.
  std::shared_ptr<IModification> BeginModify() override;
  // The text of every instance's value.
  virtual QStringList GetStringValuesInternal();
  // What the value cell shows: the common text, or nothing when the instances differ.
  virtual QString GetDisplayValues();
  // Converts the text to the property's type and stores it in every instance; text that is no
  // value of the type raises Exception and changes nothing.
  virtual void SetStringValue(const QString& text);
  // Brings the in-place forms of the row up to date; the base has none.
  virtual void UpdateInplaceForms();

  QStringList GetStringValues() { return GetStringValuesInternal(); }
  // The kind of `member`, one of the edited instances.
  TMemberKind GetMemberKind(const QObject* member) const;
  IDesigner* GetDesigner() const { return FDesigner; }
  const QList<QObject*>& GetInstances() const { return FInstances; }
  QMetaProperty GetProperty() const { return FProperty; }

  // The editor registered for the property of these instances, else the base editor for the
  // property's kind. Raises Exception when there is no instance or the first lacks the property.
  static std::unique_ptr<TSinglePropertyEditor> CreateFor(IDesigner* designer, const QList<QObject*>& instances,
                                                          const QByteArray& propertyName);

protected:
  // The text of one value of the property's type.
  virtual QString ValueText(const QVariant& value) const;

private:
  IDesigner* FDesigner;
  QList<QObject*> FInstances;
  QMetaProperty FProperty;
};

// A property that holds an object: shown as "(ClassName)"; the object's own properties are
// edited in nested rows, not as text.
class TClassPropertyEditor : public TSinglePropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TClassPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName);
  void SetStringValue(const QString& text) override;

protected:
  QString ValueText(const QVariant& value) const override;
};

class TStringPropertyEditor : public TSinglePropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TStringPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName);
};

// Whole numbers; text that is none raises "'<text>' is not a valid integer value".
class TBasicIntegerPropertyEditor : public TSinglePropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TBasicIntegerPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName);
  void SetStringValue(const QString& text) override;
};

// A collection: shown as "(3 items)"; its items are edited in nested rows and in the designer's
// collection editor, which Execute opens for the first instance's collection.
class TPersistentCollectionPropertyEditor : public TClassPropertyEditor, public IPropertyEditorDialog {
  Q_OBJECT
public:
  Q_INVOKABLE TPersistentCollectionPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                                  const QByteArray& propertyName);
  void Execute(const QVariant& context) override;

protected:
  QString ValueText(const QVariant& value) const override;
};

// An editor that paints its value cell. DrawValue paints into rect; AdjustValueRect narrows a cell
// rectangle to the part left for the text.
class IPropertyEditorDraw {
public:
  virtual ~IPropertyEditorDraw() = default;
  virtual void DrawValue(TGPGraphics& graphics, int, int, QRect& rect, int) = 0;
  virtual void AdjustValueRect(QRect& rect) = 0;
};
