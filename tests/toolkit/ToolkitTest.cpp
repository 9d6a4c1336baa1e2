#include "common/DialogScript.h"
#include "toolkit/AlignLayout.h"
#include "toolkit/DrawGrid.h"
#include "toolkit/Forms.h"
#include "toolkit/SpinEdit.h"
#include "runtime/Exceptions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

TEST(Keys, ShortCutValuesOfTheLayoutsConvertToCtrlArrows) {
  EXPECT_EQ(ShortCutToKeySequence(16421), QKeySequence(Qt::CTRL | Qt::Key_Left));
  EXPECT_EQ(ShortCutToKeySequence(16423), QKeySequence(Qt::CTRL | Qt::Key_Right));
  EXPECT_EQ(ShortCutToKeySequence(16422), QKeySequence(Qt::CTRL | Qt::Key_Up));
  EXPECT_EQ(ShortCutToKeySequence(16424), QKeySequence(Qt::CTRL | Qt::Key_Down));
  EXPECT_EQ(ShortCutToKeySequence(scShift | scAlt | 'S'), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_S));
  EXPECT_TRUE(ShortCutToKeySequence(0x4000 | 0xFF).isEmpty());
  EXPECT_EQ(ShortCutToKeySequence(TShortCut(scCtrl | TShortCut(VK_NUMPAD0))),
            QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_0)));
  EXPECT_EQ(ShortCutToKeySequence(VK_DIVIDE), QKeySequence(QKeyCombination(Qt::KeypadModifier, Qt::Key_Slash)));

  const QKeyEvent keypadPlus(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier | Qt::ControlModifier, "+");
  EXPECT_EQ(VirtualKeyOf(keypadPlus), VK_ADD);
  EXPECT_EQ(ShiftStateOf(keypadPlus.modifiers()), TShiftState(ssCtrl));
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Asterisk, Qt::KeypadModifier)), VK_MULTIPLY);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Minus, Qt::KeypadModifier)), VK_SUBTRACT);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier)), VK_RETURN);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier)), VK_DELETE);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier)), 'A');
}

TEST(AlignLayout, AlignedStripsAndAnchoredEdges) {
  QWidget parent;
  parent.resize(200, 100);
  auto* top = new QWidget(&parent);
  top->setGeometry(0, 0, 200, 20);
  top->setProperty("Align", "alTop");
  auto* right = new QWidget(&parent);
  right->setGeometry(150, 20, 50, 80);
  right->setProperty("Align", "alRight");
  auto* client = new QWidget(&parent);
  client->setProperty("Align", "alClient");
  auto* stretch = new QWidget(right);
  stretch->setGeometry(5, 5, 40, 30);
  stretch->setProperty("Anchors", "akLeft|akTop|akRight|akBottom");
  auto* bottomRight = new QWidget(right);
  bottomRight->setGeometry(10, 60, 30, 10);
  bottomRight->setProperty("Anchors", "akRight|akBottom");
  auto* plain = new QWidget(right);
  plain->setGeometry(1, 2, 3, 4);
  TAlignLayout::Install(&parent);
  parent.show();
  QApplication::processEvents();
  EXPECT_EQ(client->geometry(), QRect(0, 20, 150, 80));
  parent.resize(300, 160);
  QApplication::processEvents();
  EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 20));
  EXPECT_EQ(right->geometry(), QRect(250, 20, 50, 140));
  EXPECT_EQ(client->geometry(), QRect(0, 20, 250, 140));
  EXPECT_EQ(stretch->geometry(), QRect(5, 5, 40, 90));
  EXPECT_EQ(bottomRight->geometry(), QRect(10, 120, 30, 10));
  EXPECT_EQ(plain->geometry(), QRect(1, 2, 3, 4));
}

namespace {
struct TPaintLog : QObject {
  std::vector<std::tuple<int, int, QRect, TGridDrawState>> cells;
  void Draw(QObject*, int c, int r, const QRect& rect, TGridDrawState s) { cells.emplace_back(c, r, rect, s); }
};
}  // namespace

TEST(DrawGrid, PaintsOnlyVisibleCellsAndNavigatesByKeyboard) {
  TDrawGrid grid;
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.SetDefaultColWidth(10);
  grid.SetDefaultRowHeight(10);
  grid.SetColCount(1000);
  grid.SetRowCount(1000);
  grid.SetOptions(TDrawGrid::goVertLine | TDrawGrid::goHorzLine | TDrawGrid::goRangeSelect);
  grid.resize(200, 150);
  TPaintLog log;
  QObject::connect(&grid, &TDrawGrid::OnDrawCell, &log, &TPaintLog::Draw);
  grid.show();
  QApplication::processEvents();
  log.cells.clear();
  QImage canvas(grid.viewport()->size(), QImage::Format_ARGB32);
  {
    QPainter p(&canvas);
    grid.PaintCells(p, canvas.rect());
  }
  const int cols = grid.viewport()->width() / 11 + 1, rows = grid.viewport()->height() / 11 + 1;
  EXPECT_LE(log.cells.size(), size_t(cols * rows));
  EXPECT_GE(log.cells.size(), size_t((cols - 1) * (rows - 1)));
  EXPECT_EQ(std::get<2>(log.cells[1]), QRect(11, 0, 10, 10));

  int vetoed = 0;
  QObject::connect(&grid, &TDrawGrid::OnSelectCell, [&](QObject*, int c, int, bool& can) {
    if (c == 3) {
      can = false;
      ++vetoed;
    }
  });
  QTest::keyClick(&grid, Qt::Key_Right);
  QTest::keyClick(&grid, Qt::Key_Right);
  QTest::keyClick(&grid, Qt::Key_Right);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(vetoed, 1);
  QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(grid.Selection(), (TGridRect{2, 0, 2, 2}));
  QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(grid.Col(), 999);
  EXPECT_EQ(grid.Row(), 999);
  EXPECT_EQ(grid.Selection(), (TGridRect{999, 999, 999, 999}));
  // Scrolled so that the focus cell is fully visible at the bottom right.
  EXPECT_EQ(grid.LeftCol() + grid.VisibleColCount() - 1, 999);
  EXPECT_EQ(grid.TopRow() + grid.VisibleRowCount() - 1, 999);
  const QRect last = grid.CellRect(999, 999);
  EXPECT_TRUE(grid.viewport()->rect().contains(last));
  EXPECT_EQ(grid.MouseToCell(last.center()), QPoint(999, 999));
  EXPECT_TRUE(grid.CellRect(0, 0).isEmpty());

  grid.SetColCount(5);
  EXPECT_EQ(grid.Col(), 4);
  EXPECT_EQ(grid.LeftCol(), 0);
}

TEST(DrawGrid, FixedCellsStayWhileScrolling) {
  TDrawGrid grid;  // one fixed row and column by default
  grid.SetColCount(100);
  grid.SetRowCount(3);
  grid.resize(300, 120);
  grid.show();
  QApplication::processEvents();
  EXPECT_EQ(grid.Col(), 1);
  grid.SetLeftCol(50);
  EXPECT_EQ(grid.LeftCol(), 50);
  EXPECT_EQ(grid.CellRect(0, 0).topLeft(), QPoint(0, 0));
  EXPECT_EQ(grid.CellRect(50, 1).left(), grid.DefaultColWidth() + 1);
  TPaintLog log;
  QObject::connect(&grid, &TDrawGrid::OnDrawCell, &log, &TPaintLog::Draw);
  QImage canvas(grid.viewport()->size(), QImage::Format_ARGB32);
  QPainter p(&canvas);
  grid.PaintCells(p, canvas.rect());
  int fixed = 0;
  for (auto& [c, r, rect, state] : log.cells)
    if (state & gdFixed) {
      ++fixed;
      EXPECT_TRUE(c == 0 || r == 0);
    }
  EXPECT_GT(fixed, 2);
}

namespace {
// Records the keys a child left unhandled (Qt passes an ignored key press on to the parent), except
// the presses of the modifier keys themselves.
struct TKeySink : QWidget {
  QList<int> passed;
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() < Qt::Key_Shift || event->key() > Qt::Key_Alt) passed << event->key();
  }
};
}  // namespace

// Each key from a cell clicked with the mouse, against the model: the move, clamped to the
// scrolling cells; Shift extends the selection only when range selection is on.
TEST(DrawGrid, KeysMoveTheFocusCellAndPassOnWhatTheGridDoesNotUse) {
  struct TCase {
    const char* name;
    QPoint start;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool rangeSelect;
    QPoint end;  // page moves: y is a multiple of the page (the fully visible rows)
    int pages;
    TGridRect selection;  // empty (all 0): just the end cell
    bool passedOn;
  };
  const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
  const TCase cases[] = {
      {"left", {5, 10}, Qt::Key_Left, none, true, {4, 10}, 0, {}, false},
      {"right", {5, 10}, Qt::Key_Right, none, true, {6, 10}, 0, {}, false},
      {"up", {5, 10}, Qt::Key_Up, none, true, {5, 9}, 0, {}, false},
      {"down", {5, 10}, Qt::Key_Down, none, true, {5, 11}, 0, {}, false},
      {"left stops at the fixed column", {1, 10}, Qt::Key_Left, none, true, {1, 10}, 0, {}, false},
      {"up stops at the fixed row", {5, 1}, Qt::Key_Up, none, true, {5, 1}, 0, {}, false},
      {"page down", {5, 2}, Qt::Key_PageDown, none, true, {5, 2}, 1, {}, false},
      {"page up stops at the fixed row", {5, 3}, Qt::Key_PageUp, none, true, {5, 1}, 0, {}, false},
      {"home", {5, 10}, Qt::Key_Home, none, true, {1, 10}, 0, {}, false},
      {"ctrl home", {5, 10}, Qt::Key_Home, ctrl, true, {1, 1}, 0, {}, false},
      {"end", {5, 10}, Qt::Key_End, none, true, {19, 10}, 0, {}, false},
      {"ctrl end", {5, 10}, Qt::Key_End, ctrl, true, {19, 29}, 0, {}, false},
      {"shift right extends", {5, 10}, Qt::Key_Right, shift, true, {6, 10}, 0, {5, 10, 6, 10}, false},
      {"shift up extends", {5, 10}, Qt::Key_Up, shift, true, {5, 9}, 0, {5, 9, 5, 10}, false},
      {"shift without range selection moves", {5, 10}, Qt::Key_Right, shift, false, {6, 10}, 0, {}, false},
      {"a letter stays in the grid", {5, 10}, Qt::Key_A, none, true, {5, 10}, 0, {}, false},
      {"an unused key is passed on", {5, 10}, Qt::Key_F5, none, true, {5, 10}, 0, {}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TKeySink parent;
    auto* grid = new TDrawGrid(&parent);
    grid->SetDefaultColWidth(10);
    grid->SetDefaultRowHeight(10);
    grid->SetColCount(20);
    grid->SetRowCount(30);
    grid->SetOptions(c.rangeSelect ? TDrawGrid::goRangeSelect : 0u);
    grid->resize(200, 150);
    parent.show();
    QApplication::processEvents();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->CellRect(c.start.x(), c.start.y()).center());
    ASSERT_EQ(QPoint(grid->Col(), grid->Row()), c.start);
    QList<QChar> typed;
    QObject::connect(grid, &TDrawGrid::OnKeyPress, [&](QObject*, QChar& ch) { typed << ch; });
    const QPoint end = c.end + QPoint(0, c.pages * grid->VisibleRowCount());
    QTest::keyClick(grid, c.key, c.modifiers);
    EXPECT_EQ(QPoint(grid->Col(), grid->Row()), end);
    const TGridRect single{end.x(), end.y(), end.x(), end.y()};
    EXPECT_EQ(grid->Selection(), c.selection == TGridRect{} ? single : c.selection);
    EXPECT_EQ(parent.passed, c.passedOn ? QList<int>{c.key} : QList<int>{});
    EXPECT_EQ(typed, c.key == Qt::Key_A ? QList<QChar>{QLatin1Char('a')} : QList<QChar>{});
  }
  // A key the handler consumes does nothing more, and is not passed on.
  TKeySink parent;
  auto* grid = new TDrawGrid(&parent);
  grid->SetOptions(TDrawGrid::goRangeSelect);
  QObject::connect(grid, &TDrawGrid::OnKeyDown, [](QObject*, quint16& key, TShiftState) {
    if (key == VK_DOWN) key = 0;
  });
  parent.show();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_TRUE(parent.passed.isEmpty());
  // Dragging with the button held selects from the pressed cell to the one under the mouse; the
  // fixed row is passed over.
  QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->CellRect(1, 1).center());
  QTest::mouseMove(grid->viewport(), grid->CellRect(3, 2).center());
  QTest::mouseMove(grid->viewport(), grid->CellRect(2, 0).center());
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->CellRect(3, 2).center());
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));
}

TEST(SpinEdit, KeyHandlersSeeKeysFirstAndValueReadsTheText) {
  TSpinEdit edit;
  edit.SetMinValue(1);
  edit.SetMaxValue(255);
  edit.SetValue(8);
  int changes = 0;
  QObject::connect(&edit, &TSpinEdit::OnChange, [&] { ++changes; });
  QObject::connect(&edit, &TSpinEdit::OnKeyDown, [](QObject*, quint16& key, TShiftState) {
    if (key == VK_UP) key = 0;  // consumed: the edit must not step
  });
  QObject::connect(&edit, &TSpinEdit::OnKeyPress, [](QObject*, QChar& key) {
    if (key == QLatin1Char('x')) key = QLatin1Char('7');
  });
  edit.show();
  edit.setFocus();
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.Value(), 8);
  QTest::keyClick(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.Value(), 7);
  EXPECT_EQ(changes, 1);
  edit.selectAll();
  QTest::keyClicks(&edit, "1x");
  EXPECT_EQ(edit.text(), "17");
  EXPECT_EQ(edit.Value(), 17);
  edit.selectAll();
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.Value(), 17) << "empty text reads as the value it held";
  QTest::keyClicks(&edit, "300");
  EXPECT_EQ(edit.text(), "300") << "a number above the range can be typed";
  EXPECT_EQ(edit.Value(), 255);
}

TEST(Forms, DialogKeysFollowTheSwitchableRoles) {
  TForm form;
  auto* ok = new TButton(&form);
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  auto* cancel = new TButton(&form);
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  auto* edit = new TSpinEdit(&form);
  edit->move(0, 40);
  form.SetKeyPreview(true);
  int previewed = 0;
  QObject::connect(&form, &TForm::OnKeyDown, [&](QObject*, quint16& key, TShiftState) {
    ++previewed;
    if (key == VK_F1) key = 0;
  });
  form.show();
  edit->setFocus();

  ok->SetDefault(false);
  cancel->SetCancel(false);
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  QTest::keyClick(edit, Qt::Key_F1);
  EXPECT_EQ(previewed, 3);

  cancel->SetCancel(true);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.ModalResult(), mrCancel);

  form.SetModalResult(mrNone);
  form.show();
  ok->SetDefault(true);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.ModalResult(), mrOk);
  EXPECT_EQ(form.DefaultButton(), nullptr) << "hidden buttons hold no role";

  // A focused button takes Enter for itself, from either key.
  for (const auto& [key, modifiers] : {std::pair(Qt::Key_Return, Qt::NoModifier), std::pair(Qt::Key_Enter, Qt::KeypadModifier)}) {
    form.SetModalResult(mrNone);
    form.show();
    cancel->setFocus();
    QTest::keyClick(cancel, key, modifiers);
    EXPECT_FALSE(form.isVisible()) << key;
    EXPECT_EQ(form.ModalResult(), mrCancel) << key;
  }
}

TEST(Dialogs, FileDialogsGoThroughTheSeam) {
  const QString filter = "All (*.gif;*.png)|*.gif;*.png|Bitmaps (*.bmp)|*.bmp";
  EXPECT_EQ(FilterToNameFilters(filter + "|Pictures|*.jpg; *.tif|Mixed (*.x)|*.y"),
            QStringList({"All (*.gif *.png)", "Bitmaps (*.bmp)", "Pictures (*.jpg *.tif)", "Mixed (*.x) (*.y)"}));
  EXPECT_THROW(FilterToNameFilters("Only a description"), Exception);

  TDialogScript script;
  script.AnswerFile("/tmp/picture", 2).AnswerFile("/tmp/photo.png").Answer(mrCancel);
  TSaveDialog save;
  save.Filter = filter;
  save.DefaultExt = "bmp";
  save.FileName = "start.bmp";
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, "/tmp/picture.bmp");
  EXPECT_EQ(save.FilterIndex, 2);
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, "/tmp/photo.png");
  TOpenDialog open;
  open.Filter = filter;
  open.FileName = "keep";
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName, "keep");
  ASSERT_EQ(script.Asked().size(), 3u);
  EXPECT_EQ(script.Asked()[0].kind, TDialogRequest::SaveFile);
  EXPECT_EQ(script.Asked()[0].filter, filter);
  EXPECT_EQ(script.Asked()[0].defaultExt, "bmp");
  EXPECT_EQ(script.Asked()[0].fileName, "start.bmp");
  EXPECT_EQ(script.Asked()[2].kind, TDialogRequest::OpenFile);
}

TEST(Image, StretchesKeepingTheAspectRatioWithSharpPixels) {
  TImage image;
  image.resize(79, 160);
  QImage picture(24, 16, QImage::Format_RGB32);
  picture.fill(0xFF000000u);
  picture.setPixel(23, 15, 0xFFFF0000u);
  int changes = 0;
  QObject::connect(&image, &TImage::OnPictureChange, [&] { ++changes; });
  image.SetPicture(picture);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(image.DestRect(), QRect(0, 0, 24, 16)) << "no stretch: true size";
  image.SetStretch(true);
  image.SetProportional(true);
  EXPECT_EQ(image.DestRect(), QRect(0, 0, 79, 52));
  image.SetCenter(true);
  EXPECT_EQ(image.DestRect(), QRect(0, 54, 79, 52));
  const QImage shown = image.grab().toImage();
  EXPECT_EQ(shown.pixel(78, 54 + 51), 0xFFFF0000u);
  EXPECT_EQ(shown.pixel(74, 54 + 47), 0xFF000000u) << "nearest neighbour, no smoothing across pixels";
}
