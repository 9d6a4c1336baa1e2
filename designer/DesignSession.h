#pragma once

#include "DesignDocument.h"
#include "framework/ComponentEditors.h"

#include <QByteArray>
#include <QFileDevice>
#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUndoStack>
#include <memory>
#include <vector>

class QSaveFile;

// A save that failed, as QSaveFile reported it and as the disk looks afterwards.
struct TSaveFailure {
  QFileDevice::FileError error = QFileDevice::NoError;
  QString qtText;
  QString folder;               // the folder that was to hold the file
  bool fileExists = false;      // the file itself is there
  bool fileReadOnly = false;    // ... and cannot be written
  bool folderMissing = false;   // the folder is not there (and no file stands where a folder should)
  bool folderReadOnly = false;  // the folder is there and takes no new files

  static TSaveFailure Inspect(const QSaveFile& file, const QString& fileName);
};

// What to tell the user about a failed save. QSaveFile writes a temporary file beside the target
// and renames it, so a folder that refuses new files fails with that file's error: "No such file
// or directory" for a file that is right there.
QString SaveFailureReason(const TSaveFailure& failure);

// One open design document with its undo history: every change made through the session (adding
// or deleting a component, setting a property, a modification scope of an editor) is one undo step.
// No widgets here, so tests drive it directly; the main window binds it to controls.
class TDesignSession : public QObject, public IDesigner {
  Q_OBJECT
public:
  explicit TDesignSession(QObject* parent = nullptr);
  ~TDesignSession() override;

  TDesignDocument& Document() { return FDocument; }
  QUndoStack& UndoStack() { return FUndoStack; }
  const QString& FileName() const { return FFileName; }
  bool IsModified() const { return !FUndoStack.isClean(); }

  void New();
  // Replaces the document with the file's; raises Exception (with the file and the reason) and
  // leaves the open document as it was when the file cannot be read.
  void Open(const QString& fileName);
  // Writes atomically: the previous file stays whole when writing fails.
  void Save(const QString& fileName);

  TComponent* AddComponent(TClass cls);
  void DeleteComponent(TComponent* component);
  // Raises EDocumentError when the text is not a value of the property's type.
  void SetProperty(TPersistent* object, const QMetaProperty& property, const QString& text);

  // While the returned handle lives, changes of the target's component are collected; releasing it
  // records one undo step when the component's streamed state changed. Nested scopes on the same
  // component fold into the outermost one.
  std::shared_ptr<IModification> BeginModify(TPersistent* target) override;

  // Asks the window for its collection editor (CollectionEditorRequested).
  void ShowCollectionEditor(TCollection* collection, const QString& caption) override;

  // Puts a component back into a streamed state (undo and redo of modifications).
  void RestoreState(int index, const QByteArray& state);

signals:
  // Components were added, removed or rebuilt: objects shown may be gone.
  void StructureChanged();
  // An object's properties changed in place.
  void ObjectChanged(TPersistent* object);
  // Finer notices, each before StructureChanged or after the last ObjectChanged of a step: the
  // document was replaced (new, open); one component went in or out; a component was read back
  // from a state (undo, redo); the scopes open together all closed, having changed these targets.
  void DocumentReplaced();
  void ComponentInserted(TComponent* component);
  void ComponentRemoved(TComponent* component);
  void ComponentRestored(TComponent* component);
  void ObjectsChanged(const QList<TPersistent*>& targets);
  // An editor asked for the collection editor of one of the document's collections.
  void CollectionEditorRequested(TCollection* collection, const QString& caption);
  // Something went wrong outside a call that could raise it (undo, redo, the end of a scope).
  void ErrorOccurred(const QString& message);

private:
  friend class TModificationScope;
  void EndModify(TComponent* root, const QByteArray& before, TPersistent* target);

  TDesignDocument FDocument;
  QUndoStack FUndoStack;
  QString FFileName;
  QSet<TComponent*> FOpenScopes;
  // A change of one component, recorded when its scope closed.
  struct TPendingStep {
    int Index;
    QByteArray Before, After;
    QString Text, Property;  // Property: what changed, when one property did
  };
  // Steps of scopes that closed while others were still open.
  std::vector<TPendingStep> FPendingSteps;
  // Targets of the scopes that closed while others were still open.
  QList<QPointer<TPersistent>> FChangedTargets;
};
