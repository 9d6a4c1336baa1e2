#include "DesignSession.h"

#include "DocumentStreamer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSaveFile>
#include <QUndoCommand>

namespace {

// Before and after states of one component; the first redo is the change already made.
class TStateCommand : public QUndoCommand {
public:
  TStateCommand(TDesignSession* session, int index, QByteArray before, QByteArray after, const QString& text,
                QUndoCommand* parent = nullptr)
      : QUndoCommand(text, parent), FSession(session), FIndex(index), FBefore(std::move(before)), FAfter(std::move(after)) {}
  void undo() override { FSession->RestoreState(FIndex, FBefore); }
  void redo() override {
    if (FDone) FSession->RestoreState(FIndex, FAfter);
    FDone = true;
  }

private:
  TDesignSession* FSession;
  int FIndex;
  QByteArray FBefore, FAfter;
  bool FDone = false;
};

// The property a change is about: the one property whose streamed value differs, followed into a
// sub-object or collection item when only one of its properties differs; empty when several do.
QString ChangedProperty(const QJsonValue& before, const QJsonValue& after) {
  QString name;
  QJsonValue from = before, to = after;
  for (;;) {
    if (from.isArray() && to.isArray() && from.toArray().size() == to.toArray().size()) {
      // A collection: one item changed.
      const QJsonArray a = from.toArray(), b = to.toArray();
      int changed = -1;
      for (int i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
          if (changed >= 0) return name;
          changed = i;
        }
      if (changed < 0) return name;
      from = a[changed];
      to = b[changed];
      continue;
    }
    const QJsonObject a = from.toObject().value(QStringLiteral("properties")).toObject();
    const QJsonObject b = to.toObject().value(QStringLiteral("properties")).toObject();
    if (!from.isObject() || !to.isObject() || (a.isEmpty() && b.isEmpty())) return name;
    QStringList keys = a.keys() + b.keys();
    keys.removeDuplicates();
    QString changed;
    for (const QString& key : keys)
      if (a.value(key) != b.value(key)) {
        if (!changed.isEmpty()) return name;
        changed = key;
      }
    if (changed.isEmpty()) return name;
    name = changed;
    from = a.value(changed);
    to = b.value(changed);
  }
}

// Adding and deleting are the same step in opposite directions: the component not in the document
// is kept here, whole.
class TInsertCommand : public QUndoCommand {
public:
  TInsertCommand(TDesignSession* session, int index, std::unique_ptr<TComponent> component, bool insert,
                 const QString& text)
      : QUndoCommand(text), FSession(session), FIndex(index), FInsert(insert), FKept(std::move(component)) {}
  void redo() override { FInsert ? Put() : Take(); }
  void undo() override { FInsert ? Take() : Put(); }

private:
  void Put() {
    TComponent* component = FKept.get();
    FSession->Document().Insert(FIndex, std::move(FKept));
    emit FSession->ComponentInserted(component);
    emit FSession->StructureChanged();
  }
  void Take() {
    FKept = FSession->Document().Take(FIndex);
    emit FSession->ComponentRemoved(FKept.get());
    emit FSession->StructureChanged();
  }

  TDesignSession* FSession;
  int FIndex;
  bool FInsert;
  std::unique_ptr<TComponent> FKept;
};

}  // namespace

class TModificationScope : public IModification {
public:
  TModificationScope(TDesignSession* session, TComponent* root, QByteArray before, TPersistent* target)
      : FSession(session), FRoot(root), FBefore(std::move(before)), FTarget(target) {}
  ~TModificationScope() override { FSession->EndModify(FRoot, FBefore, FTarget); }

private:
  TDesignSession* FSession;
  TComponent* FRoot;  // nullptr: not a document object, nothing to record
  QByteArray FBefore;
  QPointer<TPersistent> FTarget;
};

TSaveFailure TSaveFailure::Inspect(const QSaveFile& file, const QString& fileName) {
  TSaveFailure failure;
  failure.error = file.error();
  failure.qtText = file.errorString();
  const QFileInfo target(fileName);
  failure.folder = QDir::toNativeSeparators(target.absolutePath());
  failure.fileExists = target.exists() && !target.isDir();
  failure.fileReadOnly = failure.fileExists && !target.isWritable();
  const QFileInfo folder(target.absolutePath());
  if (folder.exists()) {
    failure.folderReadOnly = folder.isDir() && !folder.isWritable();
  } else {
    // Missing, unless what stands in its way is a file: then Qt's "Not a directory" says it.
    QString path = folder.absoluteFilePath();
    while (!QFileInfo::exists(path) && QFileInfo(path).absolutePath() != path) path = QFileInfo(path).absolutePath();
    failure.folderMissing = QFileInfo(path).isDir();
  }
  return failure;
}

QString SaveFailureReason(const TSaveFailure& failure) {
  if (failure.fileReadOnly) return QStringLiteral("permission denied: the file is read-only");
  if (failure.error == QFileDevice::OpenError) {
    if (failure.folderMissing) return QStringLiteral("the folder %1 does not exist").arg(failure.folder);
    if (failure.folderReadOnly)
      return QStringLiteral("permission denied: the folder %1 does not accept new files").arg(failure.folder);
    if (failure.fileExists)
      return QStringLiteral("cannot create a new file in the folder %1 (%2)").arg(failure.folder, failure.qtText);
  }
  return failure.qtText;
}

TDesignSession::TDesignSession(QObject* parent) : QObject(parent) {}

TDesignSession::~TDesignSession() {
  // Commands hold components that are not in the document; let them go before the document does.
  FUndoStack.clear();
}

void TDesignSession::New() {
  FUndoStack.clear();
  FDocument.Clear();
  FFileName.clear();
  emit DocumentReplaced();
  emit StructureChanged();
}

void TDesignSession::Open(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw Exception(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
  auto components = DocumentStreamer::ReadDocument(file.readAll(), QFileInfo(fileName).fileName());
  FUndoStack.clear();
  FDocument.Assign(std::move(components));
  FFileName = fileName;
  emit DocumentReplaced();
  emit StructureChanged();
}

void TDesignSession::Save(const QString& fileName) {
  const QByteArray data = DocumentStreamer::WriteDocument(FDocument);
  QSaveFile file(fileName);
  // commit() does not look at how its own final flush went (Qt 6.4): a small document still in the
  // write buffer would replace the file half written when the disk is full. Flush first.
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush() || !file.commit())
    throw Exception(
        QStringLiteral("Cannot save %1: %2").arg(fileName, SaveFailureReason(TSaveFailure::Inspect(file, fileName))));
  FFileName = fileName;
  FUndoStack.setClean();
}

TComponent* TDesignSession::AddComponent(TClass cls) {
  std::unique_ptr<TComponent> component(qobject_cast<TComponent*>(CreateInstance(cls, &TComponent::staticMetaObject)));
  if (!component) throw EInvalidCast();
  component->SetName(FDocument.UniqueName(cls));
  TComponent* added = component.get();
  FUndoStack.push(new TInsertCommand(this, FDocument.GetCount(), std::move(component), true,
                                     QStringLiteral("Add %1").arg(added->GetName())));
  return added;
}

void TDesignSession::DeleteComponent(TComponent* component) {
  const int index = FDocument.IndexOf(component);
  if (index < 0) return;
  FUndoStack.push(
      new TInsertCommand(this, index, nullptr, false, QStringLiteral("Delete %1").arg(component->GetName())));
}

void TDesignSession::SetProperty(TPersistent* object, const QMetaProperty& property, const QString& text) {
  auto* component = qobject_cast<TComponent*>(object);
  if (component && FDocument.IndexOf(component) >= 0 && qstrcmp(property.name(), "Name") == 0) {
    if (!DocumentStreamer::IsComponentName(text))
      throw EDocumentError(QStringLiteral("Name: \"%1\" is not a valid component name").arg(text));
    if (TComponent* other = FDocument.FindComponent(text); other && other != component)
      throw EDocumentError(QStringLiteral("Name: a component named \"%1\" already exists").arg(text));
  }
  auto scope = BeginModify(object);
  DocumentStreamer::SetPropertyText(object, property, text);
}

std::shared_ptr<IModification> TDesignSession::BeginModify(TPersistent* target) {
  TComponent* root = FDocument.RootOf(target);
  if (!root || FOpenScopes.contains(root))
    return std::make_shared<TModificationScope>(this, nullptr, QByteArray(), target);
  QByteArray before;
  try {
    before = DocumentStreamer::WriteObject(root);
  } catch (const std::exception& e) {
    // Without a streamed state there is nothing to undo to; the change itself may still go ahead.
    emit ErrorOccurred(QStringLiteral("%1 cannot be undone: %2").arg(root->GetName(), QString::fromUtf8(e.what())));
    return std::make_shared<TModificationScope>(this, nullptr, QByteArray(), target);
  }
  FOpenScopes.insert(root);
  return std::make_shared<TModificationScope>(this, root, std::move(before), target);
}

void TDesignSession::EndModify(TComponent* root, const QByteArray& before, TPersistent* target) {
  if (root) {
    FOpenScopes.remove(root);
    const int index = FDocument.IndexOf(root);
    if (index >= 0) {
      try {
        QByteArray after = DocumentStreamer::WriteObject(root);
        if (after != before) {
          const QString property = ChangedProperty(QJsonDocument::fromJson(before).object(),
                                                   QJsonDocument::fromJson(after).object());
          const QString text = property.isEmpty() ? QStringLiteral("Modify %1").arg(root->GetName())
                                                  : QStringLiteral("Change %1 of %2").arg(property, root->GetName());
          FPendingSteps.push_back({index, before, after, text, property});
        }
      } catch (const std::exception& e) {
        emit ErrorOccurred(
            QStringLiteral("The change of %1 cannot be undone: %2").arg(root->GetName(), QString::fromUtf8(e.what())));
      }
    }
    // The last scope closed: what they changed together is one step.
    if (FOpenScopes.isEmpty() && !FPendingSteps.empty()) {
      const std::vector<TPendingStep> steps = std::exchange(FPendingSteps, {});
      if (steps.size() == 1) {
        const TPendingStep& step = steps.front();
        FUndoStack.push(new TStateCommand(this, step.Index, step.Before, step.After, step.Text));
      } else {
        // One step of several components: Qt's parent command undoes its children in reverse.
        QString property = steps.front().Property;
        for (const TPendingStep& step : steps)
          if (step.Property != property) property.clear();
        auto* group = new QUndoCommand(property.isEmpty()
                                           ? QStringLiteral("Modify %1 components").arg(steps.size())
                                           : QStringLiteral("Change %1 of %2 components").arg(property).arg(steps.size()));
        for (const TPendingStep& step : steps) new TStateCommand(this, step.Index, step.Before, step.After, step.Text, group);
        FUndoStack.push(group);
      }
    }
  }
  emit ObjectChanged(target);
  if (target && !FChangedTargets.contains(target)) FChangedTargets << target;
  if (!FOpenScopes.isEmpty()) return;
  QList<TPersistent*> targets;
  for (const QPointer<TPersistent>& changed : std::exchange(FChangedTargets, {}))
    if (changed) targets << changed;
  if (!targets.isEmpty()) emit ObjectsChanged(targets);
}

void TDesignSession::RestoreState(int index, const QByteArray& state) {
  if (index < 0 || index >= FDocument.GetCount()) return;
  try {
    DocumentStreamer::ReadObject(FDocument.GetComponent(index), state, QString());
  } catch (const std::exception& e) {
    // Written by this designer from the same classes, so only a setter that refuses a value it
    // reported gets here; reading stops there, and what was read before it stays.
    emit ErrorOccurred(QString::fromUtf8(e.what()));
  }
  emit ComponentRestored(FDocument.GetComponent(index));
  emit StructureChanged();
}

void TDesignSession::ShowCollectionEditor(TCollection* collection, const QString& caption) {
  if (!FDocument.RootOf(collection))
    throw EDocumentError(QStringLiteral("%1 is not part of the design").arg(caption));
  emit CollectionEditorRequested(collection, caption);
}
