#pragma once

#include "PropertyReflection.h"
#include "framework/PropertyEditors.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QPointer>
#include <memory>
#include <vector>

class TDesignSession;

// The object inspector's rows, without widgets: one row per published property of the selection,
// nested rows for the objects a property owns and for a collection's items. A row of the selection
// itself edits every selected object that carries the property and shows the value they share
// (empty when they differ). Each row's editor is made once, for the instance's class, when the row
// is built; the rows are built when their parent is opened (fetchMore).
class TInspectorModel : public QAbstractItemModel {
  Q_OBJECT
public:
  enum TColumn { NameColumn, ValueColumn };
  // Qt::FontRole is bold for a value that is not the class's default.
  enum TRole { DefaultRole = Qt::UserRole + 1 };

  explicit TInspectorModel(TDesignSession* session, QObject* parent = nullptr);
  ~TInspectorModel() override;

  // The rows of these objects; the first is the one whose properties are listed.
  void SetSelection(const QList<TPersistent*>& selection);
  QList<TPersistent*> Selection() const;
  // The objects moved on: values are shown again; when rows are gone or new (a collection grew,
  // an object was rebuilt) the rows are made anew.
  void Refresh();
  // Every row still stands for what it was made for: Refresh only shows values again.
  bool RowsHold() const;

  // The row `path` names: property names from the top, joined by '.', an item by its index
  // ("Elements.0.Bitmap"). Invalid when there is none; opens the rows on the way.
  QModelIndex Find(const QString& path);
  QString Path(const QModelIndex& index) const;

  QString Name(const QModelIndex& index) const;
  QString Text(const QModelIndex& index) const;
  // The row's editor (the registered one, the collection editor, or the base editor of the kind);
  // null for an item row. Owned by the model until the rows are made anew.
  TSinglePropertyEditor* Editor(const QModelIndex& index) const;
  // An editor of its own is registered for the row's property of the instance's class.
  bool HasRegisteredEditor(const QModelIndex& index) const;
  TPropertyKind Kind(const QModelIndex& index) const;
  bool IsVisible(const QModelIndex& index) const;
  // Text typed into the row can be applied.
  bool IsEditable(const QModelIndex& index) const;
  // Every object the row edits holds its class's default: that of a freshly made object of the
  // class (for a row below a component, the same member of a fresh component).
  bool IsDefault(const QModelIndex& index) const;
  bool CanReset(const QModelIndex& index) const;

  // Writes the text into every object the row edits: one undo step. Raises on a text that is no
  // value of the property, and changes nothing then.
  void Apply(const QModelIndex& index, const QString& text);
  // Gives every object the row edits its default back: one undo step.
  void ResetToDefault(const QModelIndex& index);

  // QAbstractItemModel
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
  // setData refused the text: why.
  void Failed(const QString& message);

private:
  struct TRow;
  TRow* RowOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const TRow* row, int column) const;
  void Build(TRow* parent);
  std::unique_ptr<TRow> MakePropertyRow(TRow* parent, TPersistent* object, const QMetaProperty& property);
  QList<QObject*> Instances(const TRow* row) const;
  // The default counterpart of the row's object, or null when there is none to compare with.
  QObject* DefaultOf(const TRow* row) const;
  QObject* Fresh(const QMetaObject* cls) const;
  bool StillValid(const TRow* row) const;
  void EmitValuesChanged(TRow* parent);

  TDesignSession* FSession;
  QList<QPointer<TPersistent>> FSelection;
  std::unique_ptr<TRow> FRoot;
  // Freshly made objects per class, to compare with; released with the model.
  mutable QHash<const QMetaObject*, std::shared_ptr<QObject>> FFresh;
};
