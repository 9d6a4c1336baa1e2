#include "common/DialogScript.h"
#include "pixeleditors/BasicPixelEditorFormUnit.h"
#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaGrayscaleBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"

#include <QApplication>
#include <QSet>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
constexpr uint64_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

template <class TFormClass>
struct TShownForm {
  std::unique_ptr<TFormClass> form = std::make_unique<TFormClass>();
  int rebuilds = 0;
  explicit TShownForm(TSize size = {8, 8}) {
    form->SetPixelsSize(size);
    QObject::connect(form->PreviewImage, &TImage::OnPictureChange, [this] { ++rebuilds; });
    form->show();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Grid->setFocus();
    QApplication::processEvents();
    rebuilds = 0;
  }
  void ClickCell(int col, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(form->Grid->viewport(), Qt::LeftButton, modifiers, form->Grid->CellRect(col, row).center());
  }
};

// Exposes the executor so a test can see it go away with the form.
class TProbeForm : public TArduinoBasicPixelEditorForm {
public:
  std::weak_ptr<IMainThreadExecute> Executor() const { return FMainThread; }
};
}  // namespace

TEST(PixelEditorForm, StatusTextFollowsTheSelectedCell) {
  TShownForm<TArduinoBasicPixelEditorForm> f({20, 10});
  EXPECT_EQ(f.form->StatusBar->SimpleText(), "0:0");
  EXPECT_EQ(f.form->windowTitle(), "Pixel Editor");
  f.ClickCell(12, 3);
  EXPECT_EQ(f.form->StatusBar->SimpleText(), "12:3");
  QTest::keyClick(f.form->Grid, Qt::Key_Down);
  EXPECT_EQ(f.form->StatusBar->SimpleText(), "12:4");
}

TEST(PixelEditorForm, KeyTableEditsTheTopLeftCellOfTheSelection) {
  TShownForm<TArduinoBasicPixelEditorForm> f;
  auto* form = f.form.get();
  const struct {
    uint64_t start;
    const char* keys;
    uint64_t expected;
  } cases[] = {{kBlack, " ", kWhite}, {kWhite, " ", kBlack}, {0xFFFF0000u, " ", kBlack},
               {0x00000001FF000000ull, " ", kBlack},  // not exactly black: upper bits count
               {kBlack, "+", kWhite}, {kWhite, "-", kBlack}, {kBlack, "*", kWhite}, {kWhite, "x0R", kWhite}};
  for (const auto& c : cases) {
    form->SetPixel(0, 0, c.start);
    form->StatusBar->SetSimpleText("stale");
    QTest::keyClicks(form->Grid, c.keys);
    EXPECT_EQ(form->GetPixel(0, 0), c.expected) << c.keys << " on " << std::hex << c.start;
    EXPECT_EQ(form->StatusBar->SimpleText(), "0:0") << "refreshed after every key";
  }

  // Anchor at (1, 3), focus cell at (3, 1): the target (1, 1) is neither of them.
  f.ClickCell(1, 3);
  f.ClickCell(3, 1, Qt::ShiftModifier);
  const TGridRect sel = form->Grid->Selection();
  EXPECT_EQ(sel, (TGridRect{1, 1, 3, 3}));
  QTest::keyClicks(form->Grid, "+");
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(form->GetPixel(x, y), (x == 0 && y == 0) || (x == 1 && y == 1) ? kWhite : kBlack) << x << "," << y;
}

TEST(PixelEditorForm, OnePreviewRebuildPerBurstAndNoneAfterTheFormIsFreed) {
  TShownForm<TBasicSizedPixelEditorForm> f({16, 9});
  auto* form = f.form.get();
  TDialogScript script;
  script.Answer(mrYes);
  const std::vector<std::function<void()>> bursts = {
      [&] { for (int i = 0; i < 100; ++i) form->SetPixel(i % 16, i % 9, 0xFF00FF00u + uint64_t(i)); },
      [&] { form->ClearButtonClick(); },     [&] { form->InvertButtonClick(); },
      [&] { form->ShiftLeft1Click(); },      [&] { form->ShiftRight1Click(); },
      [&] { form->ShiftUp1Click(); },        [&] { form->ShiftDown1Click(); },
      [&] { form->MirrorHorizontal1Click(); }, [&] { form->MirroroVertical1Click(); },
      [&] { form->RotateLeft1Click(); },     [&] { form->RotateRight1Click(); },
      [&] { form->SetPixelsSize({40, 30}); },
  };
  for (size_t i = 0; i < bursts.size(); ++i) {
    f.rebuilds = 0;
    bursts[i]();
    EXPECT_EQ(f.rebuilds, 0) << "burst " << i << " rebuilt inside the handler";
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(f.rebuilds, 1) << "burst " << i;
  }
  // The preview shows the colour bits at true size.
  form->SetPixel(5, 7, 0x0000000080123456ull);
  QApplication::processEvents();
  const QImage& preview = form->PreviewImage->Picture();
  ASSERT_EQ(preview.size(), QSize(40, 30));
  EXPECT_EQ(preview.pixel(5, 7), 0xFF123456u);

  auto probe = std::make_unique<TProbeForm>();
  probe->SetPixelsSize({4, 4});
  std::weak_ptr<IMainThreadExecute> executor = probe->Executor();
  ASSERT_TRUE(executor.lock()->Pending());
  probe.reset();
  EXPECT_TRUE(executor.expired());
  QApplication::processEvents();  // would touch the freed form if the rebuild were still queued
}

TEST(PixelEditorForm, ButtonsMenuItemsAndShortcutsReachTheirOperations) {
  TShownForm<TArduinoBasicPixelEditorForm> f({3, 2});
  auto* form = f.form.get();
  form->SetPixel(0, 0, 0x0000000AFF000001ull);
  auto* leftRight = form->findChild<TSpeedButton*>("MirrorLeftRightButton");
  auto* topBottom = form->findChild<TSpeedButton*>("MirrorTopBottomButton");
  ASSERT_TRUE(leftRight && topBottom);
  leftRight->click();
  EXPECT_EQ(form->GetPixel(2, 0), 0x0000000AFF000001ull);
  topBottom->click();
  EXPECT_EQ(form->GetPixel(2, 1), 0x0000000AFF000001ull);
  form->MirrorVertical1->trigger();
  EXPECT_EQ(form->GetPixel(0, 1), 0x0000000AFF000001ull);
  form->MirrorHorizontal1->trigger();
  EXPECT_EQ(form->GetPixel(0, 0), 0x0000000AFF000001ull);

  EXPECT_EQ(form->ShiftLeft1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Left));
  QTest::keyClick(form->Grid, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(form->GetPixel(1, 0), 0x0000000AFF000001ull);
  QTest::keyClick(form->Grid, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(form->GetPixel(1, 1), 0x0000000AFF000001ull);
  QTest::keyClick(form->Grid, Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(form->Grid, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(form->GetPixel(0, 0), 0x0000000AFF000001ull);
  EXPECT_EQ(form->Grid->Col(), 0);  // the shortcut did not move the focus cell
}

TEST(PixelEditorForm, PaintsOpaqueTranslucentAndFocusedCells) {
  TShownForm<TArduinoBasicPixelEditorForm> f({4, 2});
  auto* form = f.form.get();
  form->SetPixel(0, 0, 0xFF336699u);
  form->SetPixel(1, 0, 0x80FF0000u);
  form->SetPixel(2, 0, 0xFF00FF00u);
  f.ClickCell(2, 0);
  QApplication::processEvents();
  const QImage image = form->Grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  auto at = [&](QPoint p) { return image.pixel(p) & 0xFFFFFFu; };

  const QRect opaque = form->Grid->CellRect(0, 0);
  ASSERT_EQ(opaque.size(), QSize(18, 18));
  EXPECT_EQ(at(opaque.topLeft()), 0x336699u);
  EXPECT_EQ(at(opaque.center()), 0x336699u);
  EXPECT_EQ(at(opaque.bottomRight()), 0x336699u);

  // Translucent: the lower-right half is the colour made opaque, the upper-left half the colour
  // blended over the white-on-black pattern, so both blends occur along the top edge.
  const QRect translucent = form->Grid->CellRect(1, 0);
  EXPECT_EQ(at(translucent.bottomRight() - QPoint(1, 1)), 0xFF0000u);
  QSet<QRgb> blends;
  for (int d = 0; d < 8; ++d) blends << (image.pixel(translucent.topLeft() + QPoint(d, 0)) & 0xF0F0F0u);
  EXPECT_EQ(blends, (QSet<QRgb>{0xF07070u, 0x800000u}));

  // Focused: a round mark in the highlight colour, the cell's colour in the corners.
  const QRect focused = form->Grid->CellRect(2, 0);
  EXPECT_EQ(at(focused.center()), MakeColor(clHighlight) & 0xFFFFFFu);
  EXPECT_EQ(at(focused.topLeft()), 0x00FF00u);
  EXPECT_EQ(at(focused.bottomRight()), 0x00FF00u);

  // Grid lines between cells, black background beyond the last cell.
  EXPECT_EQ(at(QPoint(opaque.right() + 1, opaque.center().y())), 0xC0C0C0u);
  const QRect last = form->Grid->CellRect(3, 1);
  EXPECT_EQ(at(last.bottomRight() + QPoint(10, 10)), 0x000000u);
}

// Every form is its base's layout plus the changes it states; one table checks where each control
// ends up, inherited ones included, and where anchored ones go when the form is resized.
TEST(PixelEditorForm, InheritedLayouts) {
  struct TPlace {
    const char* name;
    QRect bounds;
  };
  const struct {
    std::function<TArduinoBasicPixelEditorForm*()> make;
    QSize client;
    std::vector<TPlace> places;
    QStringList menu;
  } forms[] = {
      {[] { return new TArduinoBasicPixelEditorForm; }, {542, 363},
       {{"Grid", {0, 35, 451, 309}}, {"PreviewImage", {6, 6, 79, 160}}, {"CancelButton", {7, 274, 75, 25}},
        {"FillToolButton", {290, 7, 23, 22}}},
       {"Shift Left", "Shift Right", "Shift Up", "Shift Down", "Mirror Horizontal", "Mirror Vertical", "Undo", "Redo"}},
      // Wider than the classic layout by the tool group.
      {[] { return new TBasicSizedPixelEditorForm; }, {632, 363},
       {{"Grid", {0, 35, 541, 309}}, {"HeightSpinEdit", {160, 7, 65, 22}}, {"MirrorLeftRightButton", {289, 7, 23, 22}},
        {"SelectToolButton", {468, 7, 23, 22}}, {"FillToolButton", {568, 7, 23, 22}}},
       {"Shift Left", "Shift Right", "Shift Up", "Shift Down", "Rotate Left", "Rotate Right", "Mirror Horizontal",
        "Mirror Vertical", "Undo", "Redo"}},
      {[] { return new TArduinoBasicMonochromeBitmapEditorForm; }, {632, 385},
       {{"Grid", {0, 35, 541, 331}}, {"PreviewImage", {6, 6, 79, 121}}, {"SaveButton", {6, 164, 75, 25}},
        {"CancelButton", {7, 296, 75, 25}}},
       {"Shift Left", "Shift Right", "Shift Up", "Shift Down", "Rotate Left", "Rotate Right", "Mirror Horizontal",
        "Mirror Vertical", "Undo", "Redo", "Copy", "Paste", "Import Options..."}},
      // Wider and taller: the inherited buttons keep their distance from the panel's bottom.
      {[] { return new TAlphaColorBitmapEditorForm; }, {852, 461},
       {{"Grid", {0, 35, 761, 407}}, {"StatusBar", {0, 442, 852, 19}}, {"PreviewImage", {6, 6, 79, 197}},
        {"CancelButton", {7, 372, 75, 25}}},
       {"Shift Left", "Shift Right", "Shift Up", "Shift Down", "Rotate Left", "Rotate Right", "Mirror Horizontal",
        "Mirror Vertical", "Undo", "Redo", "Copy", "Paste", "Import Options..."}},
  };
  for (const auto& f : forms) {
    std::unique_ptr<TArduinoBasicPixelEditorForm> form(f.make());
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(form->size(), f.client) << form->metaObject()->className();
    for (const TPlace& p : f.places) {
      auto* control = form->findChild<QWidget*>(p.name);
      ASSERT_TRUE(control) << p.name;
      EXPECT_EQ(control->geometry(), p.bounds) << form->metaObject()->className() << " " << p.name;
    }
    if (!f.menu.isEmpty()) {
      QStringList items;
      for (QAction* a : form->PopupMenu->actions()) items << a->text();
      EXPECT_EQ(items, f.menu);
    }
  }
  // Tab order: the spin edits, the grid, then the panel's buttons in their stated order.
  TAlphaGrayscaleBitmapEditorForm gray;
  QStringList chain;
  for (QWidget* w = gray.WidthSpinEdit; chain.size() < 9; w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus && !w->focusProxy()) chain << w->objectName();
  EXPECT_EQ(chain, QStringList({"WidthSpinEdit", "HeightSpinEdit", "Grid", "LoadButton", "SaveButton", "ClearButton",
                                "InvertButton", "OKButton", "CancelButton"}));

}

// The size lives in one place; the status text follows the current cell through every change.
TEST(PixelEditorForm, SizeAndStatusTextStayTrue) {
  TAlphaColorBitmapEditorForm form;
  EXPECT_EQ(form.GetPixelsSize(), (TSize{8, 8}));
  EXPECT_EQ(form.GetPixel(7, 7), 0xFF000000u);
  EXPECT_THROW(form.GetPixel(8, 0), ERangeError);
  EXPECT_THROW(form.GetPixel(0, -1), ERangeError);
  form.show();
  form.Grid->SetCol(6);
  form.Grid->SetRow(1);
  form.SetPixel(6, 1, 0xFF0000FFu);
  form.SetPixel(1, 0, 0xFF00FF00u);
  form.SetPixelsSize({2, 2});  // the current cell moves inside
  EXPECT_EQ(form.StatusBar->SimpleText(), "1:1 - " + RGBAColorToString(0xFF000000u));
  form.RotateRight1Click();  // (1, 0) turns to (1, 1)
  EXPECT_EQ(form.StatusBar->SimpleText(), "1:1 - " + RGBAColorToString(0xFF00FF00u));
  form.InvertButtonClick();
  EXPECT_EQ(form.StatusBar->SimpleText(), "1:1 - " + RGBAColorToString(0xFFFF00FFu));
}

TEST(SizedPixelEditorForm, LimitsAndRotationsThroughTheSize) {
  TBasicSizedPixelEditorForm form;
  form.SetPixelsSize({300, 0});
  EXPECT_EQ(form.GetPixelsSize(), (TSize{255, 1}));
  EXPECT_EQ(form.WidthSpinEdit->value(), 255);
  EXPECT_EQ(form.HeightSpinEdit->value(), 1);
  form.SetPixelsSize({10, 3});
  form.SetPixel(9, 0, 0xABCD1234FF00FF00ull);
  form.RotateLeft1Click();  // the top-right corner comes to the top left, whole
  EXPECT_EQ(form.GetPixelsSize(), (TSize{3, 10}));
  EXPECT_EQ(form.WidthSpinEdit->value(), 3);
  EXPECT_EQ(form.HeightSpinEdit->value(), 10);
  EXPECT_EQ(form.GetPixel(0, 0), 0xABCD1234FF00FF00ull);
  form.RotateRight1Click();
  EXPECT_EQ(form.GetPixel(9, 0), 0xABCD1234FF00FF00ull);
}

TEST(SizedPixelEditorForm, TypingModeEnterAndTab) {
  TShownForm<TBasicSizedPixelEditorForm> f;
  auto* form = f.form.get();
  TSpinEdit* height = form->HeightSpinEdit;
  height->setFocus();
  height->selectAll();
  QTest::keyClicks(height, "300");
  EXPECT_EQ(form->GetPixelsSize(), (TSize{8, 8})) << "typing must not resize";
  EXPECT_FALSE(form->OKButton->Default());
  EXPECT_FALSE(form->CancelButton->Cancel());
  QTest::keyClick(height, Qt::Key_Escape);  // no cancel role while typing
  EXPECT_TRUE(form->isVisible());
  QTest::keyClick(height, Qt::Key_Return);
  EXPECT_TRUE(form->isVisible()) << "Enter while typing applies the size, it does not end the dialog";
  EXPECT_EQ(form->GetPixelsSize(), (TSize{8, 255}));
  EXPECT_EQ(height->value(), 255);
  EXPECT_EQ(height->text(), "255");
  EXPECT_TRUE(form->OKButton->Default());
  EXPECT_TRUE(form->CancelButton->Cancel());
  // The arrow keys resize at once while the change handler is attached.
  QTest::keyClick(height, Qt::Key_Down);
  EXPECT_EQ(form->GetPixelsSize(), (TSize{8, 254}));

  // Above the range: typed whole, read as the largest value.
  TSpinEdit* width = form->WidthSpinEdit;
  width->setFocus();
  width->selectAll();
  QTest::keyClicks(width, "300");
  EXPECT_EQ(width->text(), "300");
  QTest::keyClick(width, Qt::Key_Return);
  EXPECT_EQ(form->GetPixelsSize(), (TSize{255, 254}));
  EXPECT_EQ(width->text(), "255");
  // An emptied field reads the same on Enter and on leaving it.
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
    width->setFocus();
    width->selectAll();
    QTest::keyClick(width, Qt::Key_Backspace);
    QTest::keyClick(width, key);
    EXPECT_EQ(form->GetPixelsSize(), (TSize{255, 254})) << key;
    EXPECT_EQ(width->text(), "255");
  }

  // Typing, then leaving with Tab: the size is applied, the keyboard roles stay off.
  width->setFocus();
  width->selectAll();
  QTest::keyClicks(width, "20");
  EXPECT_EQ(form->GetPixelsSize().cx, 255);
  QTest::keyClick(width, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), width);
  EXPECT_EQ(form->GetPixelsSize(), (TSize{20, 254}));
  EXPECT_FALSE(form->OKButton->Default());
  form->Grid->setFocus();
  QTest::keyClick(form->Grid, Qt::Key_Return);
  EXPECT_TRUE(form->isVisible()) << "Enter is no OK until the next change";
  // Backspace enters typing mode too; a change through the arrows restores the roles.
  width->setFocus();
  QTest::keyClick(width, Qt::Key_Up);
  EXPECT_EQ(form->GetPixelsSize().cx, 21);
  EXPECT_TRUE(form->OKButton->Default());
  QTest::keyClick(width, Qt::Key_End);
  EXPECT_TRUE(form->OKButton->Default());
  QTest::keyClick(width, Qt::Key_Backspace);
  EXPECT_FALSE(form->OKButton->Default());
  QTest::keyClick(width, Qt::Key_Return);
  EXPECT_TRUE(form->OKButton->Default());
  EXPECT_EQ(form->GetPixelsSize().cx, 2);  // "21" with its last digit deleted

  form->Grid->setFocus();
  QTest::keyClick(form->Grid, Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST(PixelEditorForm, ShowModalEndsWithTheButtonsModalResults) {
  TArduinoBasicPixelEditorForm form;
  form.SetPixelsSize({8, 8});
  QTimer::singleShot(0, &form, [&] { QTest::keyClick(form.Grid, Qt::Key_Escape); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  QTimer::singleShot(0, &form, [&] {
    QTest::keyClick(form.Grid, Qt::Key_Space);
    QTest::keyClick(form.Grid, Qt::Key_Return);
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(form.GetPixel(0, 0), kWhite);
  QTimer::singleShot(0, &form, [&] { form.CancelButton->click(); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
}
