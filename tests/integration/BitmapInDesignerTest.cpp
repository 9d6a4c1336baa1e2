#include "common/RegistryScope.h"
#include "DesignSession.h"
#include "EditorCell.h"
#include "MainWindow.h"
#include "arduino/Components.h"
#include "arduino/Displays.h"
#include "common/DialogScript.h"
#include "framework/Registration.h"
#include "pixeleditors/BasicPixelEditorFormUnit.h"
#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "common/TreeRows.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace Velto::Arduino::Graphics::ColorPropertyBitmapEditors {
void Register();
}

namespace {
using TBitmapComponent = TArduinoColorGraphicsElementDrawBitmap;

TEditorCell* CellOf(TMainWindow& window, const QString& property) { return window.EditorCellOf(property); }

TBitmapComponent* Component(TDesignSession& session, int index) {
  return qobject_cast<TBitmapComponent*>(session.Document().GetComponent(index));
}

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}
}  // namespace

// A user selects a display element, sees its bitmap in the inspector, opens the dialog with "...",
// edits, presses OK; the component, Undo and Cancel agree.
TEST(BitmapInDesigner, InspectorPreviewDialogUndoAndSelection) {
  const TRegistryScope registry;
  Velto::Arduino::Graphics::ColorPropertyBitmapEditors::Register();
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  for (int i = 0; i < 2; ++i) {
    auto* c = static_cast<TBitmapComponent*>(session.AddComponent(&TBitmapComponent::staticMetaObject));
    c->GetBitmap()->SetSize(2, 2);
    c->GetBitmap()->SetPixel(0, 0, 0xFFFF0000u);
  }
  window.Select(Component(session, 0));
  Settle();
  TEditorCell* cell = CellOf(window, "Bitmap");
  ASSERT_TRUE(cell && cell->EllipsisButton());
  // The preview: the box's outline at (1, 1), the red pixel in its top-left quarter.
  const QImage shot = cell->grab().toImage();
  EXPECT_EQ(shot.pixel(1, 1) & 0xFFFFFFu, 0xD3D3D3u);
  EXPECT_EQ(shot.pixel(3, 3) & 0xFFFFFFu, 0xFF0000u);
  // ... and its bottom edge on the cell's last line, not cut off below it.
  int bottomEdge = 0;
  for (int x = 0; x < shot.width(); ++x) bottomEdge += (shot.pixel(x, shot.height() - 1) & 0xFFFFFFu) == 0xD3D3D3u;
  EXPECT_GE(bottomEdge, shot.height());

  // Cancel: nothing written, no undo step.
  const int steps = session.UndoStack().count();
  dialogs.AnswerForm([](QWidget*) { return mrCancel; });
  cell->EllipsisButton()->click();
  Settle();
  EXPECT_EQ(session.UndoStack().count(), steps);

  // OK after edits: one undo step; Undo gives the old pixels back.
  dialogs.AnswerForm([](QWidget* w) {
    auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
    form->SetPixelsSize({3, 1});
    form->SetPixel(2, 0, 0xFF00FF00u);
    return mrOk;
  });
  QTest::mouseDClick(CellOf(window, "Bitmap"), Qt::LeftButton);  // a double-click opens it too
  Settle();
  EXPECT_EQ(session.UndoStack().count(), steps + 1);
  EXPECT_EQ(Component(session, 0)->GetBitmap()->GetSize(), (TSize{3, 1}));
  EXPECT_EQ(Component(session, 0)->GetBitmap()->GetPixel(2, 0), 0xFF00FF00u);
  EXPECT_TRUE(session.IsModified());
  session.UndoStack().undo();
  EXPECT_EQ(Component(session, 0)->GetBitmap()->GetSize(), (TSize{2, 2}));
  EXPECT_EQ(Component(session, 0)->GetBitmap()->GetPixel(0, 0), 0xFFFF0000u);

  // Two selected: the first is shown and written, the second stays.
  Settle();
  window.Select(Component(session, 1));
  window.Tree()->selectionModel()->select(window.TreeModel()->index(0, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Settle();
  dialogs.AnswerForm([](QWidget* w) {
    auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
    EXPECT_EQ(form->GetPixelsSize(), (TSize{2, 2}));
    form->SetPixel(1, 1, 0xFF0000FFu);
    return mrOk;
  });
  CellOf(window, "Bitmap")->EllipsisButton()->click();
  Settle();
  EXPECT_EQ(Component(session, 1)->GetBitmap()->GetPixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(Component(session, 0)->GetBitmap()->GetPixel(1, 1), 0u);

  for (const TDialogRequest& asked : dialogs.Asked()) EXPECT_EQ(asked.kind, TDialogRequest::Form) << asked.text.toStdString();
}

namespace Velto::Graphics::Arduino::MonochromePropertyBitmapEditors {
void Register();
}
namespace Velto::Arduino::Structure {
void RegisterPkg();
}

// A display's bitmap elements are edited from the tree like components: one undo step on the
// display, and the pixels come back from the saved document.
TEST(BitmapInDesigner, DisplayElementsEditSaveAndReopen) {
  const TRegistryScope registry;
  Velto::Arduino::Structure::RegisterPkg();
  Velto::Graphics::Arduino::MonochromePropertyBitmapEditors::Register();
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* display = static_cast<TArduinoMonochromeDisplay*>(session.AddComponent(&TArduinoMonochromeDisplay::staticMetaObject));
  // Elements are added from the collection's context menu, which offers the monochrome ones only.
  for (const QString kind : {"Monochrome Display Draw Bitmap", "Monochrome Display Draw Transparency Bitmap"}) {
    std::unique_ptr<QMenu> menu(window.CreateContextMenu(display->GetElements(), nullptr));
    QMenu* add = menu->actions().first()->menu();
    ASSERT_TRUE(add);
    ASSERT_EQ(add->actions().size(), 2);
    for (QAction* action : add->actions())
      if (action->text() == kind) action->trigger();
  }
  ASSERT_EQ(display->GetElements()->GetCount(), 2);
  EXPECT_THROW(display->GetElements()->Add(&TArduinoColorDisplayDrawBitmap::staticMetaObject), EInvalidCast);
  auto* plain = qobject_cast<TArduinoMonochromeDisplayDrawBitmap*>(display->GetElements()->GetItem(0));
  ASSERT_TRUE(plain);
  window.Select(plain);
  Settle();
  ASSERT_EQ(window.Selected(), plain);
  TEditorCell* cell = CellOf(window, "Bitmap");
  ASSERT_TRUE(cell && cell->EllipsisButton());
  const int steps = session.UndoStack().index();
  dialogs.AnswerForm([](QWidget* w) {
    auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
    form->SetPixelsSize({3, 2});
    form->SetPixel(2, 1, 0xFFFFFFFFu);
    return mrOk;
  });
  cell->EllipsisButton()->click();
  Settle();
  EXPECT_EQ(session.UndoStack().index(), steps + 1);
  EXPECT_TRUE(plain->GetBitmap()->GetPixel(2, 1));

  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("display.vdoc"));
  session.Save(file);
  TDesignSession reopened;
  reopened.Open(file);
  auto* loaded = qobject_cast<TArduinoMonochromeDisplay*>(reopened.Document().GetComponent(0));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->GetElements()->GetCount(), 2);
  auto* element = qobject_cast<TArduinoMonochromeDisplayDrawBitmap*>(loaded->GetElements()->GetItem(0));
  ASSERT_TRUE(element);
  EXPECT_EQ(element->GetBitmap()->GetSize(), (TSize{3, 2}));
  EXPECT_TRUE(element->GetBitmap()->GetPixel(2, 1));
  EXPECT_FALSE(element->GetBitmap()->GetPixel(0, 0));
  EXPECT_TRUE(qobject_cast<TArduinoMonochromeDisplayDrawTransparencyBitmap*>(loaded->GetElements()->GetItem(1)));
  for (const TDialogRequest& asked : dialogs.Asked()) EXPECT_EQ(asked.kind, TDialogRequest::Form) << asked.text.toStdString();
}
