#pragma once

#include "runtime/Classes.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// A change of a design object lasts while an IModification is held; releasing the last reference
// tells the designer that the object changed (one undo step).
class IModification {
public:
  virtual ~IModification() = default;
};

// Something whose change can be opened as a modification: a property editor's edited objects.
class IModifiable {
public:
  virtual ~IModifiable() = default;
  virtual std::shared_ptr<IModification> BeginModify() = 0;
};

// What the package's editors may ask of the designer that hosts them.
class IDesigner {
public:
  virtual ~IDesigner() = default;
  virtual std::shared_ptr<IModification> BeginModify(TPersistent* target) = 0;
  // The designer's editor of a collection's items; the base has none and raises Exception.
  virtual void ShowCollectionEditor(TCollection* collection, const QString& caption);
};

using TProc = std::function<void()>;

class TComponentEditorMenuItem {
public:
  TComponentEditorMenuItem(QString caption, TProc action);
  const QString& GetCaption() const { return FCaption; }
  void Execute() const;

private:
  QString FCaption;
  TProc FAction;
};

using IComponentEditorMenuItem = std::shared_ptr<TComponentEditorMenuItem>;

// The commands a component editor contributes to the component's context menu, in order.
class IComponentEditorMenuItems {
public:
  virtual ~IComponentEditorMenuItems() = default;
  virtual IComponentEditorMenuItems& Add(const IComponentEditorMenuItem& item, int count) = 0;
  virtual int GetCount() const = 0;
  virtual IComponentEditorMenuItem GetItem(int index) const = 0;
};

class TComponentEditorMenuItems final : public IComponentEditorMenuItems {
public:
  IComponentEditorMenuItems& Add(const IComponentEditorMenuItem& item, int count) override;
  int GetCount() const override { return int(FItems.size()); }
  IComponentEditorMenuItem GetItem(int index) const override;

private:
  std::vector<IComponentEditorMenuItem> FItems;
};

// Base of the component editors the designer creates for a selected component. Derived classes are
// created through their invokable constructor (TComponent*, IDesigner*) from the registered class.
class TComponentEditor : public QObject {
  Q_OBJECT
public:
  TComponentEditor(TComponent* component, IDesigner* designer);

  virtual std::shared_ptr<IModification> BeginModify();
  // The default action (a double-click): the base runs the first menu command, if there is one.
  virtual void Execute();
  virtual void PopulateMenuItems(IComponentEditorMenuItems& items);
  IComponentEditorMenuItems& GetMenuItems(IComponentEditorMenuItems& items) {
    PopulateMenuItems(items);
    return items;
  }

  TComponent* GetComponent() const { return FComponent; }
  IDesigner* GetDesigner() const { return FDesigner; }

  // Makes the editor registered for the class of `component`, or nullptr when none is.
  static std::unique_ptr<TComponentEditor> CreateFor(TComponent* component, IDesigner* designer);

private:
  TComponent* FComponent;
  IDesigner* FDesigner;
};

Q_DECLARE_METATYPE(IDesigner*)
