#include "Editors.h"
#include "common/DialogScript.h"

#include <QSet>
#include <QTimer>

namespace {
constexpr uint64_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

template <class TFormClass>
struct TShownForm {
  std::unique_ptr<TFormClass> form = std::make_unique<TFormClass>();
  int rebuilds = 0;
  explicit TShownForm(TSize size = {8, 8}) {
    form->SetPixelsSize(size);
    QObject::connect(form->PreviewImage, &TImage::OnPictureChange, [this] { ++rebuilds; });
    ShowWithFocus(*form);
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

// The status text follows the current cell; the keys edit the top-left cell of the selection,
// whichever corner the selection grew from.
TEST(PixelEditorForm, StatusTextAndKeysFollowTheSelection) {
  TShownForm<TArduinoBasicPixelEditorForm> f({20, 10});
  auto* form = f.form.get();
  EXPECT_EQ(form->StatusBar->SimpleText(), "0:0");
  f.ClickCell(12, 3);
  EXPECT_EQ(form->StatusBar->SimpleText(), "12:3");
  QTest::keyClick(form->Grid, Qt::Key_Down);
  EXPECT_EQ(form->StatusBar->SimpleText(), "12:4");
  // Anchor at (1, 3), focus cell at (3, 1): the target (1, 1) is neither of them.
  f.ClickCell(1, 3);
  f.ClickCell(3, 1, Qt::ShiftModifier);
  const TGridRect sel = form->Grid->Selection();
  EXPECT_EQ(sel, (TGridRect{1, 1, 3, 3}));
  QTest::keyClicks(form->Grid, "+");
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(form->GetPixel(x, y), x == 1 && y == 1 ? kWhite : kBlack) << x << "," << y;
}

TEST(PixelEditorForm, OnePreviewRebuildPerBurstAndNoneAfterTheFormIsFreed) {
  TShownForm<TBasicSizedPixelEditorForm> f({16, 9});
  auto* form = f.form.get();
  TDialogScript script;
  script.Answer(mrYes);
  const std::vector<std::function<void()>> bursts = {
      [&] { for (int i = 0; i < 100; ++i) form->SetPixel(i % 16, i % 9, 0xFF00FF00u + uint64_t(i)); },
      [&] { form->ClearButtonClick(); }, [&] { form->InvertButtonClick(); }, [&] { form->ShiftLeft1Click(); },
      [&] { form->RotateLeft1Click(); }, [&] { form->SetPixelsSize({40, 30}); },
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
  EXPECT_EQ(at(opaque.topLeft()), 0x336699u);
  EXPECT_EQ(at(opaque.bottomRight()), 0x336699u);

  // Translucent: the lower-right half is the colour made opaque, the upper-left half the colour
  // blended over the white-on-black pattern, so both blends occur along the top edge.
  const QRect translucent = form->Grid->CellRect(1, 0);
  EXPECT_EQ(at(translucent.bottomRight() - QPoint(1, 1)), 0xFF0000u);
  QSet<QRgb> blends;
  for (int d = 0; d < 8; ++d) blends << (image.pixel(translucent.topLeft() + QPoint(d, 0)) & 0xF0F0F0u);
  EXPECT_EQ(blends, (QSet<QRgb>{0xF07070u, 0x800000u}));

  // Focused: a round mark in the highlight colour, the cell's colour in its corner.
  const QRect focused = form->Grid->CellRect(2, 0);
  EXPECT_EQ(at(focused.center()), MakeColor(clHighlight) & 0xFFFFFFu);
  EXPECT_EQ(at(focused.topLeft()), 0x00FF00u);

  // Grid lines between cells, black background beyond the last cell.
  EXPECT_EQ(at(QPoint(opaque.right() + 1, opaque.center().y())), 0xC0C0C0u);
  const QRect last = form->Grid->CellRect(3, 1);
  EXPECT_EQ(at(last.bottomRight() + QPoint(10, 10)), 0x000000u);
}

// Every form is its base's layout plus the changes it states: the wider and taller forms keep the
// grid against the status bar and the panel, the bottom-anchored buttons at their distance from the
// panel's bottom, and the base's menu items in their order with the added ones after those they follow.
TEST(PixelEditorForm, InheritedLayouts) {
  std::unique_ptr<TArduinoBasicPixelEditorForm> forms[] = {
      std::make_unique<TArduinoBasicPixelEditorForm>(), std::make_unique<TBasicSizedPixelEditorForm>(),
      std::make_unique<TArduinoBasicMonochromeBitmapEditorForm>(), std::make_unique<TAlphaColorBitmapEditorForm>()};
  auto menuOf = [](TArduinoBasicPixelEditorForm& form) {
    QStringList items;
    for (QAction* a : form.PopupMenu->actions()) items << a->text();
    return items;
  };
  const QStringList baseMenu = menuOf(*forms[0]);
  int cancelToBottom = -1;
  for (auto& form : forms) {
    SCOPED_TRACE(form->metaObject()->className());
    form->show();
    QApplication::processEvents();
    const QWidget* panel = form->CancelButton->parentWidget();
    EXPECT_EQ(form->Grid->geometry().bottom() + 1, form->StatusBar->geometry().top());
    EXPECT_EQ(form->StatusBar->geometry(), QRect(0, form->height() - form->StatusBar->height(), form->width(), form->StatusBar->height()));
    EXPECT_EQ(form->Grid->geometry().right() + 1, panel->geometry().left());
    if (cancelToBottom < 0) cancelToBottom = panel->height() - form->CancelButton->geometry().bottom();
    EXPECT_EQ(panel->height() - form->CancelButton->geometry().bottom(), cancelToBottom);
    const QStringList menu = menuOf(*form);
    QStringList kept = menu;
    kept.removeIf([&](const QString& item) { return !baseMenu.contains(item); });
    EXPECT_EQ(kept, baseMenu);
    if (menu.contains("Copy")) {
      EXPECT_EQ(menu.indexOf("Copy"), menu.indexOf("Redo") + 1);
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

// The size lives in one place, between 1 and 255: the spin edits and the status text follow it
// through every change, and a turn keeps whole 64-bit values.
TEST(SizedPixelEditorForm, SizeAndStatusTextStayTrue) {
  TAlphaColorBitmapEditorForm form;
  EXPECT_EQ(form.GetPixel(7, 7), 0xFF000000u);
  EXPECT_THROW(form.GetPixel(8, 0), ERangeError);
  EXPECT_THROW(form.GetPixel(0, -1), ERangeError);
  form.SetPixelsSize({300, 0});
  EXPECT_EQ(form.GetPixelsSize(), (TSize{255, 1}));
  EXPECT_EQ(form.WidthSpinEdit->value(), 255);
  form.SetPixelsSize({10, 3});
  form.SetPixel(9, 0, 0xABCD1234FF00FF00ull);
  form.RotateLeft1Click();  // the top-right corner comes to the top left, whole
  EXPECT_EQ(form.GetPixelsSize(), (TSize{3, 10}));
  EXPECT_EQ(form.WidthSpinEdit->value(), 3);
  EXPECT_EQ(form.HeightSpinEdit->value(), 10);
  EXPECT_EQ(form.GetPixel(0, 0), 0xABCD1234FF00FF00ull);
  form.RotateRight1Click();
  EXPECT_EQ(form.GetPixel(9, 0), 0xABCD1234FF00FF00ull);
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

// Typing into a size field resizes nothing until Enter or leaving the field, and meanwhile Enter and
// Escape belong to the field, not to the OK and Cancel buttons; the arrows resize at once. Keys:
// * selects the field's text, \r Enter, \t Tab, \b Backspace, \x1b Escape, ^ v the arrows, $ End.
TEST(SizedPixelEditorForm, TypingModeEnterAndTab) {
  TShownForm<TBasicSizedPixelEditorForm> f;
  auto* form = f.form.get();
  const struct {
    const char* name;
    char field;  // w, h, or g for the grid
    const char* keys;
    TSize size;
    bool roles;
  } steps[] = {
      {"typing does not resize", 'h', "*300", {8, 8}, false},
      {"Escape is the field's", 'h', "\x1b", {8, 8}, false},
      {"Enter applies, above the range as the largest", 'h', "\r", {8, 255}, true},
      {"an arrow resizes at once", 'h', "v", {8, 254}, true},
      {"typed whole, read as the largest", 'w', "*300\r", {255, 254}, true},
      {"emptied, then Enter", 'w', "*\b\r", {255, 254}, true},
      {"emptied, then Tab", 'w', "*\b\t", {255, 254}, false},
      {"typed, then Tab: applied, the roles stay off", 'w', "*20\t", {20, 254}, false},
      {"Enter on the grid is no OK until the next change", 'g', "\r", {20, 254}, false},
      {"an arrow restores the roles", 'w', "^", {21, 254}, true},
      {"End keeps them", 'w', "$", {21, 254}, true},
      {"Backspace is typing too", 'w', "\b", {21, 254}, false},
      {"Enter applies what is left", 'w', "\r", {2, 254}, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    TSpinEdit* spin = step.field == 'w' ? form->WidthSpinEdit : step.field == 'h' ? form->HeightSpinEdit : nullptr;
    QWidget* target = spin ? static_cast<QWidget*>(spin) : form->Grid;
    target->setFocus();
    const QString special = QStringLiteral("\r\t\b\x1b^v$");
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Escape, Qt::Key_Up, Qt::Key_Down, Qt::Key_End};
    for (const char* k = step.keys; *k; ++k) {
      if (*k == '*') spin->selectAll();
      else if (special.contains(QLatin1Char(*k))) QTest::keyClick(target, keys[special.indexOf(QLatin1Char(*k))]);
      else QTest::keyClick(target, *k);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->GetPixelsSize(), step.size);
    EXPECT_EQ(form->OKButton->Default(), step.roles);
    EXPECT_EQ(form->CancelButton->Cancel(), step.roles);
    if (spin && step.roles) {
      EXPECT_EQ(spin->text(), QString::number(spin == form->WidthSpinEdit ? step.size.cx : step.size.cy));
    }
  }
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
