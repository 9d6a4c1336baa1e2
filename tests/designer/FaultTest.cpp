#include "DesignSession.h"
#include "MainWindow.h"
#include "TestComponents.h"
#include "common/DialogScript.h"
#include "common/FileSizeLimit.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>

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
