#include "Editors.h"

#include <functional>

namespace {
using TCells = std::vector<uint64_t>;  // row by row, kW x kH
constexpr int kW = 12, kH = 10;
constexpr uint64_t kA = 0xFF102030u, kB = 0x80405060u, kInk = 0xFFA0B0C0u, kPick = 0xFF0A0B0Cu, kClear = 0xFF000000u;

struct TMouse {
  TDrawGrid* grid;
  QPoint At(QPoint cell) const { return grid->CellRect(cell.x(), cell.y()).center(); }
  void Press(QPoint cell, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) const {
    QTest::mousePress(grid->viewport(), b, m, At(cell));
  }
  void Move(QPoint cell, Qt::KeyboardModifiers m = {}) const {
    // QTest's move carries no modifiers; the tools read Shift from the move itself.
    QMouseEvent move(QEvent::MouseMove, At(cell), grid->viewport()->mapToGlobal(At(cell)), Qt::NoButton,
                     QGuiApplication::mouseButtons(), m);
    QApplication::sendEvent(grid->viewport(), &move);
  }
  void Release(QPoint cell, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) const {
    QTest::mouseRelease(grid->viewport(), b, m, At(cell));
  }
};

TCells With(TCells image, const std::vector<QPoint>& cells, uint64_t value) {
  for (QPoint c : cells) image[size_t(c.y() * kW + c.x())] = value;
  return image;
}
}  // namespace

// Each tool driven by the mouse on a real dialog: what it draws, that it is one undo step restoring
// every pixel, the ink picked with Alt, the right button's clear colour and the status bar.
TEST(Drawing, EveryToolByMouseIsOneUndoStep) {
  TAlphaColorBitmapEditorForm form;
  form.SetPixelsSize({kW, kH});
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) form.SetPixel(x, y, x < 6 ? kA : kB);  // two halves for the fill
  form.SetPixel(9, 8, kInk);
  form.SetPixel(0, 7, kPick);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const TMouse mouse{form.Grid};

  // Alt+click picks the ink with the Select tool too, in the first column as well; a click only
  // moves the current cell.
  const TCells start = Pixels(form);
  mouse.Press({0, 7}, Qt::LeftButton, Qt::AltModifier);
  mouse.Release({0, 7}, Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(form.Ink(), kPick);
  mouse.Press({3, 4});
  mouse.Release({3, 4});
  EXPECT_EQ(Pixels(form), start);
  EXPECT_EQ(form.Grid->Selection(), (TGridRect{3, 4, 3, 4}));

  // Choosing a tool takes the current cell's value; Alt+click picks another.
  QTest::mouseClick(form.PencilToolButton, Qt::LeftButton);
  EXPECT_EQ(form.Tool(), TPixelTool::Pencil);
  EXPECT_EQ(form.Ink(), kA);
  mouse.Press({9, 8}, Qt::LeftButton, Qt::AltModifier);
  mouse.Release({9, 8}, Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(form.Ink(), kInk);
  EXPECT_EQ(Pixels(form), start) << "picking draws nothing";
  mouse.Move({2, 3});
  EXPECT_TRUE(form.StatusBar->SimpleText().startsWith("2:3 ")) << form.StatusBar->SimpleText().toStdString();
  EXPECT_TRUE(form.StatusBar->SimpleText().endsWith("Ink: #FFA0B0C0")) << form.StatusBar->SimpleText().toStdString();

  // Each stroke presses at its first cell, moves through the others and is released at the last; a
  // Shift stroke holds Shift from its second move on.
  struct TStep {
    const char* name;
    TPixelTool tool;
    Qt::MouseButton button;
    std::vector<QPoint> path;
    bool shift;
    std::function<TCells(const TCells&)> expected;
  };
  const TStep steps[] = {
      {"pencil stroke, a fast move leaves no gap", TPixelTool::Pencil, Qt::LeftButton, {{1, 1}, {6, 1}, {9, 4}}, false,
       [](const TCells& i) { return With(With(i, LineCells({1, 1}, {6, 1}), kInk), LineCells({6, 1}, {9, 4}), kInk); }},
      {"right button draws the clear colour", TPixelTool::Pencil, Qt::RightButton, {{0, 5}, {0, 8}}, false,
       [](const TCells& i) { return With(i, LineCells({0, 5}, {0, 8}), kClear); }},
      {"line follows the mouse, Shift keeps it horizontal", TPixelTool::Line, Qt::LeftButton, {{0, 9}, {5, 3}, {11, 7}}, true,
       [](const TCells& i) { return With(i, LineCells({0, 9}, {11, 9}), kInk); }},
      {"rectangle", TPixelTool::Rectangle, Qt::LeftButton, {{8, 6}, {11, 0}, {2, 2}}, false,
       [](const TCells& i) { return With(i, RectangleCells({8, 6}, {2, 2}), kInk); }},
      {"fill stops at other values", TPixelTool::Fill, Qt::LeftButton, {{10, 8}}, false,
       [](const TCells& i) {
         // What is left of the right half, but for the inside of the rectangle, which it closes off.
         TCells e = i;
         for (int c = 0; c < kW * kH; ++c)
           if (c % kW >= 6 && i[size_t(c)] == kB && !QRect(6, 3, 2, 3).contains(c % kW, c / kW)) e[size_t(c)] = kInk;
         return e;
       }},
      {"Shift keeps a steep line diagonal, cut at the edge", TPixelTool::Line, Qt::LeftButton, {{10, 1}, {4, 4}, {0, 9}}, true,
       [](const TCells& i) { return With(i, LineCells({10, 1}, {2, 9}), kInk); }},  // on to (0, 11) off the grid
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.name);
    if (form.Tool() != step.tool) {
      TSpeedButton* buttons[] = {form.SelectToolButton, form.PencilToolButton, form.LineToolButton,
                                 form.RectangleToolButton, form.FillToolButton};
      QTest::mouseClick(buttons[int(step.tool)], Qt::LeftButton);
      mouse.Press({9, 8}, Qt::LeftButton, Qt::AltModifier);  // the current cell is elsewhere
      mouse.Release({9, 8}, Qt::LeftButton, Qt::AltModifier);
    }
    ASSERT_EQ(form.Ink(), kInk);
    const TCells before = Pixels(form), after = step.expected(before);
    mouse.Press(step.path.front(), step.button);
    for (size_t i = 1; i < step.path.size(); ++i) mouse.Move(step.path[i], step.shift && i > 1 ? Qt::ShiftModifier : Qt::NoModifier);
    mouse.Release(step.path.back(), step.button, step.shift ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(Pixels(form), after);
    mouse.Move({11, 0});
    EXPECT_EQ(Pixels(form), after) << "released: moving draws nothing";
    form.Undo1Click();
    EXPECT_EQ(Pixels(form), before);
    form.Redo1Click();
    EXPECT_EQ(Pixels(form), after);
  }

  // The grid still paints while a drawing tool is chosen.
  QApplication::processEvents();
  const QImage shown = form.Grid->viewport()->grab().toImage();
  EXPECT_EQ(shown.pixel(form.Grid->CellRect(1, 1).center()), QRgb(kInk));

  // An undo in the middle of a line ends it: the mouse draws nothing more until the next press.
  QTest::mouseClick(form.LineToolButton, Qt::LeftButton);
  const TCells before = Pixels(form);
  mouse.Press({0, 0});
  mouse.Move({11, 9});
  ASSERT_NE(Pixels(form), before);
  QTest::keyClick(form.Grid, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Pixels(form), before);
  mouse.Move({11, 0});
  mouse.Release({11, 0});
  EXPECT_EQ(Pixels(form), before);
  // A press beyond the last cell starts nothing, even when the mouse then moves onto the cells.
  QTest::mousePress(form.Grid->viewport(), Qt::LeftButton, {}, form.Grid->CellRect(kW - 1, 0).topRight() + QPoint(20, 2));
  mouse.Move({5, 5});
  mouse.Release({5, 5});
  EXPECT_EQ(Pixels(form), before);
}
