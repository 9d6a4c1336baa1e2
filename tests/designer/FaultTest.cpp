#include "DesignSession.h"
#include "MainWindow.h"
#include "TestComponents.h"
#include "runtime/Exceptions.h"
#include "common/DialogScript.h"
#include "common/FileSizeLimit.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {
QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QAction* MenuAction(TMainWindow& window, const QString& text) {
  for (QAction* menu : window.menuBar()->actions())
    for (QAction* a : menu->menu()->actions())
      if (a->text() == text) return a;
  return nullptr;
}
}  // namespace

// A save that cannot complete leaves the file as it was, reports the file and keeps the changes
// marked unsaved.
TEST(DesignerFaults, FailedSaveKeepsThePreviousFileAndTheWindowModified) {
  RegisterTestComponents();
  enum TFault { DiskFull, FolderGone };
  for (TFault fault : {DiskFull, FolderGone}) {
    SCOPED_TRACE(fault == DiskFull ? "disk full" : "folder gone");
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("designs")));
    const QString path = dir.filePath(QStringLiteral("designs/a.vdoc"));
    TDialogScript dialogs;
    TDesignSession session;
    TMainWindow window(&session);
    session.AddComponent(&TTestLed::staticMetaObject);
    ASSERT_TRUE(window.SaveFile(path));
    const QByteArray saved = ReadAll(path);
    for (int i = 0; i < 4; ++i) session.AddComponent(&TTestLed::staticMetaObject);
    ASSERT_TRUE(window.isWindowModified());

    QString kept = path;
    bool result = true;
    if (fault == DiskFull) {
      TFileSizeLimit full(rlim_t(saved.size()));
      result = window.SaveFile(path);
    } else {
      // Moved away while the document was open (a removed stick, a renamed project).
      ASSERT_TRUE(QDir(dir.path()).rename(QStringLiteral("designs"), QStringLiteral("moved")));
      kept = dir.filePath(QStringLiteral("moved/a.vdoc"));
      result = window.SaveFile(path);
      EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("designs")))) << "no folder is made up";
    }
    EXPECT_FALSE(result);
    EXPECT_EQ(ReadAll(kept), saved) << "the previous document is intact byte for byte";
    EXPECT_EQ(QDir(QFileInfo(kept).path()).entryList(QDir::Files), QStringList{QStringLiteral("a.vdoc")})
        << "no temporary file is left behind";
    EXPECT_TRUE(session.IsModified());
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(session.Document().GetCount(), 5);
    ASSERT_EQ(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].type, mtError);
    EXPECT_TRUE(dialogs.Asked()[0].text.contains(path)) << qPrintable(dialogs.Asked()[0].text);
  }
}

// File > Open with unsaved changes asks first; only Yes (save) and No (discard) go on to the file.
TEST(DesignerFaults, OpenWithUnsavedChangesAsksFirst) {
  RegisterTestComponents();
  QTemporaryDir dir;
  const QString current = dir.filePath(QStringLiteral("current.vdoc"));
  const QString other = dir.filePath(QStringLiteral("other.vdoc"));
  {
    TDesignSession session;
    session.AddComponent(&TTestLed::staticMetaObject)->SetName(QStringLiteral("Other"));
    session.Save(other);
  }
  const struct {
    int confirm;
    bool fileChosen;
    bool opened;     // the other document replaced the current one
    bool saved;      // the current one was written first
  } cases[] = {
      {mrCancel, true, false, false},
      {mrNo, false, false, false},  // discarding, then cancelling the file dialog, changes nothing
      {mrNo, true, true, false},
      {mrYes, true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "answer " << c.confirm << ", file chosen " << c.fileChosen);
    QFile::remove(current);
    TDesignSession session;
    TMainWindow window(&session);
    ASSERT_TRUE(window.SaveFile(current));
    const QByteArray before = ReadAll(current);
    session.AddComponent(&TTestLed::staticMetaObject)->SetName(QStringLiteral("Unsaved"));

    TDialogScript dialogs;
    dialogs.Answer(c.confirm);
    if (c.fileChosen) dialogs.AnswerFile(other);
    QAction* open = MenuAction(window, QStringLiteral("&Open..."));
    ASSERT_TRUE(open);
    open->trigger();

    ASSERT_GE(dialogs.Asked().size(), 1u);
    EXPECT_EQ(dialogs.Asked()[0].type, mtConfirmation);
    EXPECT_EQ(dialogs.Asked()[0].kind, TDialogRequest::Message) << "asked before the file dialog";
    const bool fileAsked = c.confirm != mrCancel;
    ASSERT_EQ(dialogs.Asked().size(), fileAsked ? 2u : 1u);
    if (fileAsked) {
      EXPECT_EQ(dialogs.Asked()[1].kind, TDialogRequest::OpenFile);
    }

    ASSERT_EQ(session.Document().GetCount(), 1);
    EXPECT_EQ(session.Document().GetComponent(0)->GetName(), c.opened ? QStringLiteral("Other") : QStringLiteral("Unsaved"));
    EXPECT_EQ(session.FileName(), c.opened ? other : current);
    EXPECT_EQ(session.IsModified(), !c.opened);
    EXPECT_EQ(ReadAll(current) != before, c.saved);
  }
}

namespace {
// Makes a file or folder refuse writing until it goes out of scope. Root writes whatever the mode
// says, so there the file system's immutable flag does it (where the file system has one).
class TWriteLock {
public:
  explicit TWriteLock(const QString& path) : FPath(path), FRoot(geteuid() == 0) {
    FLocked = FRoot ? QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0
                    : QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  }
  ~TWriteLock() {
    if (!FLocked) return;
    if (FRoot)
      QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), FPath});
    else
      QFile::setPermissions(FPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  bool Locked() const { return FLocked && !QFileInfo(FPath).isWritable(); }

private:
  QString FPath;
  bool FRoot;
  bool FLocked = false;
};
}  // namespace

// A save that fails says what happened: a read-only file or folder is "permission denied", a
// missing folder is named; where Qt's own words are right they stay.
TEST(DesignerFaults, SaveErrorsSayWhatHappened) {
  const struct {
    TSaveFailure failure;
    const char* reason;
  } rules[] = {
      {{.error = QFileDevice::WriteError,
        .qtText = "Existing file /d/a.vdoc is not writable",
        .folder = "/d",
        .fileExists = true,
        .fileReadOnly = true},
       "permission denied: the file is read-only"},
      {{.error = QFileDevice::OpenError, .qtText = "Permission denied", .folder = "/d", .folderReadOnly = true},
       "permission denied: the folder /d does not accept new files"},
      {{.error = QFileDevice::OpenError,
        .qtText = "No such file or directory",
        .folder = "/d/gone",
        .folderMissing = true},
       "the folder /d/gone does not exist"},
      // The file is there; the temporary file beside it is what could not be made.
      {{.error = QFileDevice::OpenError, .qtText = "No such file or directory", .folder = "/proc", .fileExists = true},
       "cannot create a new file in the folder /proc (No such file or directory)"},
      {{.error = QFileDevice::OpenError, .qtText = "Not a directory", .folder = "/d/file.txt"}, "Not a directory"},
      {{.error = QFileDevice::WriteError, .qtText = "File too large", .folder = "/d", .fileExists = true},
       "File too large"},
  };
  for (const auto& rule : rules) EXPECT_EQ(SaveFailureReason(rule.failure), QString::fromUtf8(rule.reason));

  // The same through a session, on the disk.
  RegisterTestComponents();
  QTemporaryDir dir;
  TDesignSession session;
  session.AddComponent(&TTestLed::staticMetaObject);
  const auto saveError = [&](const QString& path) {
    try {
      session.Save(path);
    } catch (const Exception& e) {
      return e.Message();
    }
    return QString();
  };
  const QString file = dir.filePath(QStringLiteral("a.vdoc"));
  session.Save(file);
  const QString folder = dir.filePath(QStringLiteral("locked"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));

  EXPECT_EQ(saveError(file + QStringLiteral("/x.vdoc")),
            QStringLiteral("Cannot save %1/x.vdoc: Not a directory").arg(file));
  EXPECT_EQ(saveError(dir.filePath(QStringLiteral("gone/x.vdoc"))),
            QStringLiteral("Cannot save %1: the folder %2 does not exist")
                .arg(dir.filePath(QStringLiteral("gone/x.vdoc")), dir.filePath(QStringLiteral("gone"))));
  {
    TWriteLock lock(file);
    if (lock.Locked())
      EXPECT_EQ(saveError(file), QStringLiteral("Cannot save %1: permission denied: the file is read-only").arg(file));
    else
      std::fprintf(stderr, "note: this file system cannot make a file read-only for root; the rules above cover it\n");
  }
  {
    TWriteLock lock(folder);
    const QString inside = folder + QStringLiteral("/x.vdoc");
    if (lock.Locked())
      EXPECT_EQ(saveError(inside), QStringLiteral("Cannot save %1: permission denied: the folder %2 does not accept "
                                                  "new files")
                                       .arg(inside, folder));
    else
      std::fprintf(stderr,
                   "note: this file system cannot make a folder read-only for root; the rules above cover it\n");
  }
  EXPECT_EQ(saveError(file), QString()) << "unlocked, it saves again";
}
