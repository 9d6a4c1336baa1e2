#include "Editors.h"
#include "common/DialogScript.h"
#include "pixeleditors/GridZoom.h"
#include "pixeleditors/ImportOptionsFormUnit.h"

#include <QClipboard>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <functional>

namespace {
using TState = std::pair<TSize, std::vector<uint64_t>>;
TState StateOf(TArduinoBasicPixelEditorForm& form) { return {form.GetPixelsSize(), Pixels(form)}; }

// A value each editor can hold, RGBW white included.
uint64_t ValueFor(TKind kind, uint32_t r) {
  using BitmapKinds::States;
  return kind == Mono ? States[2 + r % 2] : kind == Transparency ? States[r % 4] : kind == RGBW ? r | uint64_t(r & 0xFF) << 32 : r;
}

void Fill(TArduinoBasicPixelEditorForm& form, TSize size, const std::function<uint64_t()>& value) {
  form.SetPixelsSize(size);
  for (int i = 0; i < size.cx * size.cy; ++i) form.SetPixel(i % size.cx, i / size.cx, value());
}

void CtrlWheel(TDrawGrid* grid, QPoint at, int steps) {
  QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, QPoint(0, steps * 120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(grid->viewport(), &wheel);
}
}  // namespace

// A random walk of every kind of change, undos and redos, against a model that keeps every image
// whole: the dialog always shows the model's current image, 64-bit values and size alike. A burst of
// one key on one cell is one step.
TEST(UndoRedo, EveryKindOfChangeAgainstAModelOfWholeImages) {
  QTemporaryDir dir;
  QImage picture(5, 3, QImage::Format_ARGB32);
  picture.fill(qRgba(200, 40, 90, 180));
  const QString file = dir.filePath("p.png");
  ASSERT_TRUE(picture.save(file));
  TAlphaRGBWColorBitmapEditorForm form;
  QRandomGenerator random(11);
  Fill(form, {6, 4}, [&] { return random.generate64(); });  // whole words: the upper half must come back
  ShowWithFocus(form);
  TDialogScript script;
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"key R", [&] { QTest::keyClicks(form.Grid, "R"); }},
      {"key w", [&] { QTest::keyClicks(form.Grid, "w"); }},
      {"key 0", [&] { QTest::keyClicks(form.Grid, "0"); }},
      {"move", [&] { QTest::keyClick(form.Grid, random.bounded(2) ? Qt::Key_Right : Qt::Key_Down); }},
      {"move back", [&] { QTest::keyClick(form.Grid, random.bounded(2) ? Qt::Key_Left : Qt::Key_Up); }},
      {"shift", [&] { QTest::keyClick(form.Grid, Qt::Key_Left, Qt::ControlModifier); }},
      {"shift down", [&] { form.ShiftDown1->trigger(); }},
      {"mirror", [&] { form.MirrorHorizontal1->trigger(); }},
      {"mirror vertical", [&] { form.MirrorVertical1->trigger(); }},
      {"rotate", [&] { form.RotateRight1->trigger(); }},
      {"invert", [&] { form.InvertButton->click(); }},
      {"clear", [&] { script.Answer(mrYes); form.ClearButton->click(); }},
      {"width", [&] { form.WidthSpinEdit->SetValue(form.WidthSpinEdit->value() % 7 + 1); }},
      {"height", [&] { form.HeightSpinEdit->SetValue(form.HeightSpinEdit->value() % 5 + 1); }},
      {"load", [&] { script.AnswerFile(file); form.LoadButton->click(); }},
      {"paste", [&] {
         QGuiApplication::clipboard()->setImage(picture.copy(0, 0, 2, 3));
         QTest::keyClick(form.Grid, Qt::Key_V, Qt::ControlModifier);
       }},
  };
  std::vector<TState> model{StateOf(form)};
  size_t at = 0;
  QString lastFold;
  auto change = [&](size_t i) {
    const QString name = QLatin1String(changes[i].first);
    const QString fold = name.startsWith("key") ? name + QString::number(form.Grid->Col() * 1000 + form.Grid->Row()) : "";
    const TState before = StateOf(form);
    changes[i].second();
    if (StateOf(form) == before) return;
    if (fold.isEmpty() || fold != lastFold) {
      model.resize(++at);
      model.push_back({});
    }
    model[at] = StateOf(form);
    lastFold = fold;
  };
  auto undo = [&](int how) {
    if (how == 0) QTest::keyClick(form.Grid, Qt::Key_Z, Qt::ControlModifier);
    else form.Undo1->trigger();
    at -= at > 0;
    lastFold.clear();
  };
  auto redo = [&](int how) {
    if (how == 0) QTest::keyClick(form.Grid, Qt::Key_Y, Qt::ControlModifier);
    else if (how == 1) QTest::keyClick(form.Grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    else form.Redo1->trigger();
    at += at + 1 < model.size();
    lastFold.clear();
  };
  for (int step = 0; step < 250; ++step) {
    const uint32_t pick = random.bounded(uint32_t(std::size(changes) + 8));
    if (pick < std::size(changes)) change(pick);
    else if (pick % 2) undo(int(pick % 4 / 2));
    else redo(int(pick % 3));
    ASSERT_EQ(StateOf(form), model[at]) << "step " << step << " pick " << pick;
    ASSERT_EQ((TSize{form.Grid->ColCount(), form.Grid->RowCount()}), model[at].first) << "the grid shows the size";
  }
  EXPECT_GT(model.size(), 20u);
}

// Which keys share one undo step, against a model of the steps: each key starts a step (n), joins the
// last one (f), changes nothing (.), undoes (u) or redoes (y); then the history is walked back.
TEST(UndoRedo, ABurstOfOneKeyOnOneCellIsOneStep) {
  const struct {
    const char* name;
    const char* keys;  // R G r: keys on the grid, > move right, L Ctrl+Left (a command), Z Ctrl+Z, Y Ctrl+Y
    const char* steps;
  } cases[] = {
      {"one key held", "RRR", "nff"},
      {"another key", "RRGG", "nfnf"},
      {"the same key without Shift", "Rr", "nn"},
      {"another cell", "R>R", "n.n"},
      {"a command between", "RLR", "nnn"},
      {"commands never join", "LL", "nn"},
      {"after an undo", "RGZR", "nnun"},
      {"after a redo", "RZYR", "nuyn"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TAlphaColorBitmapEditorForm form;
    QRandomGenerator random(5);
    Fill(form, {4, 3}, [&] { return 0xFF000000u | random.bounded(0x800000u); });
    ShowWithFocus(form);
    std::vector<TState> model{StateOf(form)};
    size_t at = 0;
    for (size_t i = 0; c.keys[i]; ++i) {
      const char key = c.keys[i];
      if (key == '>') QTest::keyClick(form.Grid, Qt::Key_Right);
      else if (key == 'L') QTest::keyClick(form.Grid, Qt::Key_Left, Qt::ControlModifier);
      else if (key == 'Z' || key == 'Y') QTest::keyClick(form.Grid, Qt::Key(key), Qt::ControlModifier);
      else QTest::keyClicks(form.Grid, QString(QChar(key)));
      switch (c.steps[i]) {
        case 'n': model.resize(++at); model.push_back(StateOf(form)); break;
        case 'f': model[at] = StateOf(form); break;
        case 'u': --at; break;
        case 'y': ++at; break;
      }
      ASSERT_EQ(StateOf(form), model[at]) << "key " << i;
    }
    for (size_t back = at; back-- > 0;) {
      QTest::keyClick(form.Grid, Qt::Key_Z, Qt::ControlModifier);
      ASSERT_EQ(StateOf(form), model[back]) << "undo to step " << back;
    }
  }
}

TEST(UndoRedo, StepLimitWithMemoryBounded) {
  // Black and white within the step limit; noise in every bit, the worst case, within a byte limit.
  QRandomGenerator random(3);
  TPixelGrid mono, noise;
  mono.Resize(255, 255, 0);
  mono.Transform([&](uint64_t) { return random.bounded(2) ? 0xFFFFFFFFu : 0xFF000000u; });
  noise.Resize(255, 255, 0);
  noise.Transform([&](uint64_t) { return random.generate64(); });
  for (const auto& [start, maxBytes, inverts] : {std::tuple(&mono, TPixelHistory::kDefaultBytes, 120),
                                                 std::tuple(&noise, size_t(4) << 20, 30)}) {
    TPixelHistory history(TPixelHistory::kDefaultSteps, maxBytes);
    TPixelGrid image = *start, expected = *start;
    history.Commit(image);
    for (int i = 0; i < inverts; ++i) {
      image.Invert();
      history.Commit(image);
      ASSERT_LE(history.Bytes(), maxBytes);
    }
    int undone = 0;
    while (history.Undo(image)) ++undone;
    for (int i = 0; i < inverts - undone; ++i) expected.Invert();
    EXPECT_TRUE(image == expected) << undone;
    EXPECT_EQ(history.RedoCount(), undone);
    if (start == &mono) {
      EXPECT_EQ(undone, TPixelHistory::kDefaultSteps);
    } else {
      EXPECT_TRUE(undone > 0 && undone < inverts) << undone << ": the byte limit drops the oldest steps";
    }
  }
}

// Ctrl with the wheel zooms by levels, within the first and the last, keeping the cell under the
// mouse in place; a level chosen in the list changes neither the status text nor the preview.
TEST(GridZoom, CtrlWheelKeepsTheCellUnderTheMouse) {
  TAlphaColorBitmapEditorForm form;
  QRandomGenerator random(7);
  Fill(form, {60, 40}, [&] { return random.generate(); });
  ShowWithFocus(form);
  TGridZoom* zoom = form.Zoom();
  form.Grid->SetLeftCol(10);
  form.Grid->SetTopRow(5);
  QApplication::processEvents();
  const QString status = form.StatusBar->SimpleText();
  const QImage preview = form.PreviewImage->Picture();
  const QPoint mouse = form.Grid->CellRect(14, 9).center() + QPoint(5, -3);
  for (const auto& [steps, size] : {std::pair(5, 40), std::pair(-1, 32), std::pair(50, 48), std::pair(-50, 4)}) {
    SCOPED_TRACE(steps);
    CtrlWheel(form.Grid, mouse, steps);
    EXPECT_EQ(zoom->CellSize(), size);
    EXPECT_EQ(form.Grid->CellRect(form.Grid->LeftCol(), form.Grid->TopRow()).size(), QSize(size, size));
    EXPECT_EQ(zoom->Selector()->currentText(), QStringLiteral("%1 px").arg(size));
    if (size == 40 || size == 32) {
      EXPECT_EQ(form.Grid->MouseToCell(mouse), QPoint(14, 9));
    }
  }
  zoom->Selector()->activated(12);  // 40 px, as a click in the list
  QApplication::processEvents();
  EXPECT_EQ(zoom->CellSize(), 40);
  EXPECT_EQ(form.StatusBar->SimpleText(), status);
  EXPECT_EQ(form.PreviewImage->Picture(), preview);
}

TEST(Clipboard, CopyThenPasteBetweenTwoDialogsOfEveryEditor) {
  QRandomGenerator random(7);
  for (TKind kind : {Mono, Transparency, Color, Gray, RGBW}) {
    auto from = Make(kind), to = Make(kind);
    Fill(*from, {TBasicSizedPixelEditorForm::MaxSide, TBasicSizedPixelEditorForm::MaxSide}, [&] { return ValueFor(kind, random.generate()); });
    const TState copied = StateOf(*from), before = StateOf(*to);
    ShowWithFocus(*from);
    QTest::keyClick(from->Grid, Qt::Key_C, Qt::ControlModifier);
    ShowWithFocus(*to);
    QTest::keyClick(to->Grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(StateOf(*to), copied) << kind;
    to->Undo1Click();
    EXPECT_EQ(StateOf(*to), before) << "one undo step " << kind;
    // Other programs get the picture Save writes, as PNG with alpha.
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat("image/png"));
    const QImage image = QGuiApplication::clipboard()->image();
    EXPECT_EQ(image.size(), QSize(TBasicSizedPixelEditorForm::MaxSide, TBasicSizedPixelEditorForm::MaxSide));
    if (kind == Color) {
      EXPECT_EQ(image.pixel(1, 1), QRgb(copied.second[TBasicSizedPixelEditorForm::MaxSide + 1]));
    }
  }
  // Pictures at the side limit are taken, through the options dialog when that is to be shown.
  const QString group = ImportGroupOf(BitmapKinds::RGBW.Samples);
  TImportSettings(TReduceOptions{}, true).Save(group);
  TAlphaRGBWColorBitmapEditorForm rgbw;
  ShowWithFocus(rgbw);
  QGuiApplication::clipboard()->setImage(QImage(kMaxImageSide, 1, QImage::Format_ARGB32));
  TDialogScript script;
  script.AnswerForm([](QWidget*) { return mrOk; }).Answer(mrOk);
  QTest::keyClick(rgbw.Grid, Qt::Key_V, Qt::ControlModifier);
  TImportSettings().Save(group);
  EXPECT_EQ(script.Asked().size(), 1u);
  EXPECT_EQ(rgbw.GetPixelsSize(), (TSize{255, 1}));
  QGuiApplication::clipboard()->setImage(QImage(1, kMaxImageSide, QImage::Format_ARGB32));
  QTest::keyClick(rgbw.Grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(rgbw.GetPixelsSize(), (TSize{1, 255}));
  // The dialogs' own pixels cut short are not taken; the picture beside them is.
  QTest::keyClick(rgbw.Grid, Qt::Key_C, Qt::ControlModifier);
  const QString own = TBasicLoadSaveSizedPixelEditorForm::PixelsMimeType;
  auto* cut = new QMimeData;
  cut->setData(own, QGuiApplication::clipboard()->mimeData()->data(own).chopped(8));
  cut->setImageData(QImage(7, 3, QImage::Format_ARGB32));
  QGuiApplication::clipboard()->setMimeData(cut);
  QTest::keyClick(rgbw.Grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(rgbw.GetPixelsSize(), (TSize{7, 3}));
  // Nothing to paste, and a picture larger than Load takes: said, and the image stays.
  QGuiApplication::clipboard()->setText("text");
  QTest::keyClick(rgbw.Grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(rgbw.StatusBar->SimpleText(), "Nothing to paste: the clipboard holds no picture");
  QGuiApplication::clipboard()->setImage(QImage(kMaxImageSide + 1, 1, QImage::Format_ARGB32));
  rgbw.Paste1->trigger();
  ASSERT_EQ(script.Asked().size(), 2u);
  EXPECT_EQ(script.Asked()[1].type, mtError);
  EXPECT_TRUE(script.Asked()[1].text.contains("16385 x 1 pixels exceeds the limit of 16384 x 16384"));
  EXPECT_EQ(rgbw.GetPixelsSize(), (TSize{7, 3}));
  rgbw.Undo1Click();  // the refused paste left no step: the paste before is undone
  EXPECT_EQ(rgbw.GetPixelsSize(), (TSize{1, 255}));

  // The bare form knows no kind of bitmap: its Copy and Paste keys change nothing.
  TBasicLoadSaveSizedPixelEditorForm bare;
  const TState bareBefore = StateOf(bare);
  ShowWithFocus(bare);
  QTest::keyClick(bare.Grid, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(bare.Grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(StateOf(bare), bareBefore);
  EXPECT_EQ(QGuiApplication::clipboard()->image().width(), kMaxImageSide + 1);
}

TEST(ImportOptions, ShownWithLoadRememberedPreviewedAndAppliedAgain) {
  QTemporaryDir dir;  // the settings are the test run's own (test main)
  QImage picture(40, 12, QImage::Format_ARGB32);
  for (int i = 0; i < 40 * 12; ++i) picture.setPixel(i % 40, i / 40, qRgb(i % 40 * 6, i / 40 * 20, 128));
  const QString file = dir.filePath("gradient.png");
  ASSERT_TRUE(picture.save(file));
  const TReduceOptions chosen{100, TDithering::FloydSteinberg};
  auto pixelsOf = [](const QImage& mono) {
    std::vector<uint64_t> v;
    for (int i = 0; i < 40 * 12; ++i) v.push_back(mono.pixelIndex(i % 40, i / 40) ? 0xFFFFFFFFu : 0xFF000000u);
    return TState({40, 12}, v);
  };

  TImportSettings{{}, true}.Save();
  TArduinoBasicMonochromeBitmapEditorForm mono;
  TDialogScript script;
  script.AnswerFile(file).AnswerForm([&](QWidget* w) {
    auto* options = static_cast<TImportOptionsForm*>(w);
    EXPECT_EQ(options->PreviewImage->Picture(), ReduceToMonochrome(picture));
    options->ThresholdSpinEdit->SetValue(100);
    options->DitheringComboBox->setCurrentIndex(1);
    EXPECT_EQ(options->ThresholdTrackBar->value(), 100);
    EXPECT_EQ(options->PreviewImage->Picture(), ReduceToMonochrome(picture, chosen));
    return mrOk;
  });
  mono.LoadButton->click();
  EXPECT_EQ(StateOf(mono), pixelsOf(ReduceToMonochrome(picture, chosen)));
  EXPECT_TRUE((TImportSettings::Load() == TImportSettings{chosen, true}));
  mono.InvertButtonClick();
  const TState inverted = StateOf(mono);
  script.AnswerFile(file).AnswerForm([](QWidget*) { return mrCancel; });
  mono.LoadButton->click();
  EXPECT_EQ(StateOf(mono), inverted) << "cancelled options load nothing";

  // Without the dialog, the next Load uses what was chosen; the menu item loads the picture again.
  TImportSettings{chosen, false}.Save();
  TBasicMonochromeTransparencyBitmapEditorForm transparency;
  script.AnswerFile(file).AnswerForm([](QWidget* w) {
    static_cast<TImportOptionsForm*>(w)->DefaultButton->click();
    return mrOk;
  });
  transparency.LoadButton->click();
  EXPECT_EQ(StateOf(transparency), pixelsOf(ReduceToMonochrome(picture, chosen)));
  transparency.findChild<QAction*>("ImportOptions1")->trigger();
  EXPECT_EQ(StateOf(transparency), pixelsOf(ReduceToMonochrome(picture)));
  EXPECT_TRUE((TImportSettings::Load() == TImportSettings{}));
  EXPECT_EQ(script.Asked().size(), 6u);
}

// Every dialog places a picture as the options say, remembers them for its kind alone, says which
// were applied, and undoes the import in one step.
TEST(ImportOptions, PlacedInEveryDialogRememberedPerKindAndSaid) {
  QTemporaryDir dir;
  QImage picture(40, 12, QImage::Format_ARGB32);
  for (int i = 0; i < 40 * 12; ++i)  // the left quarter transparent, a gradient elsewhere
    picture.setPixel(i % 40, i / 40, i % 40 < 10 ? 0u : qRgba(i % 40 * 6, 255 - i / 40 * 20, 60, 255));
  const QString file = dir.filePath("logo.png");
  ASSERT_TRUE(picture.save(file));
  const TSampleConversion* conversions[] = {&BitmapKinds::Monochrome.Samples, &BitmapKinds::Transparency.Samples,
                                            &BitmapKinds::Color.Samples, &BitmapKinds::Grayscale.Samples,
                                            &BitmapKinds::RGBW.Samples};
  const QString groups[] = {"MonochromeImport", "ColorImport", "GrayscaleImport", "RGBWImport"};
  for (TKind kind : {Mono, Transparency, Color, Gray, RGBW}) {
    SCOPED_TRACE(int(kind));
    const bool mono = kind == Mono || kind == Transparency;
    const TSampleConversion& conversion = *conversions[kind];
    for (const QString& g : groups) TImportSettings().Save(g);
    TImportSettings(TReduceOptions{}, true).Save(ImportGroupOf(conversion));
    auto form = Make(kind);
    Fill(*form, {10, 10}, [] { return uint64_t(0xFF000000u); });
    const TState before = StateOf(*form);
    TDialogScript script;
    script.AnswerFile(file).AnswerForm([&](QWidget* w) {
      auto* options = static_cast<TImportOptionsForm*>(w);
      EXPECT_EQ(options->Target(), QSize(10, 10)) << "the current size at first";
      EXPECT_EQ(options->InvertCheckBox->isVisibleTo(options), mono);
      options->PlacementComboBox->setCurrentIndex(int(TPlacement::Fit));
      options->BackgroundComboBox->setCurrentIndex(int(TBackground::White));
      options->TargetWidthSpinEdit->SetValue(16);
      options->TargetHeightSpinEdit->SetValue(8);
      options->InvertCheckBox->setChecked(mono);
      EXPECT_EQ(options->PreviewImage->Picture().size(), QSize(16, 8));
      return mrOk;
    });
    form->LoadButton->click();

    TImportSettings expected(TReduceOptions{}, true, {TPlacement::Fit, TScaling::Smooth, TBackground::White}, mono);
    EXPECT_TRUE(TImportSettings::Load(ImportGroupOf(conversion)) == expected);
    for (const QString& g : groups) {
      if (g == ImportGroupOf(conversion)) continue;
      EXPECT_TRUE(TImportSettings::Load(g) == TImportSettings()) << g.toStdString();
    }
    QImage bitmap = PlacePicture(picture, {16, 8}, expected.Place);
    if (mono) {
      bitmap = ReduceToMonochrome(bitmap);
      bitmap.invertPixels();
    } else {
      bitmap = bitmap.convertToFormat(QImage::Format_ARGB32);
    }
    std::vector<uint64_t> values(16 * 8);
    ReadSamples(bitmap, conversion, 16, 8, [&](int x, int y, uint64_t v) { values[size_t(y * 16 + x)] = v; });
    EXPECT_EQ(StateOf(*form), TState({16, 8}, values));
    EXPECT_EQ(form->StatusBar->SimpleText(), mono ? "Import options: fitted into 16 x 8, white background, inverted"
                                                  : "Import options: fitted into 16 x 8, white background");
    form->Undo1Click();
    EXPECT_EQ(StateOf(*form), before);
    EXPECT_EQ(script.Asked().size(), 2u);
  }
  for (const QString& g : groups) TImportSettings().Save(g);
}

TEST(ImportOptions, AppliedNamesTheScalingOnlyWhereThePictureIsScaled) {
  const struct {
    const char* name;
    TPlacement placement;
    const char* text;
  } cases[] = {{"top left", TPlacement::TopLeft, ""},
               {"centred", TPlacement::Centre, "centred in 16 x 8"},
               {"fitted", TPlacement::Fit, "fitted into 16 x 8, nearest scaling"},
               {"stretched", TPlacement::Stretch, "stretched to 16 x 8, nearest scaling"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TImportSettings settings(TReduceOptions{}, false, {c.placement, TScaling::Nearest});
    EXPECT_EQ(settings.Applied(false, {16, 8}).join(", "), c.text);
  }
}

// A JPEG that Load only scales down is decoded smaller; the options dialog shows it whole again.
TEST(ImportOptions, ReducedDecodingOnlyWhereItCannotShow) {
  QTemporaryDir dir;
  QImage photo(160, 80, QImage::Format_RGB32);
  for (int i = 0; i < 160 * 80; ++i) photo.setPixel(i % 160, i / 160, qRgb(i % 160, i / 160 * 3, 90));
  const QString file = dir.filePath("photo.jpg");
  ASSERT_TRUE(photo.save(file, "JPEG", 95));
  const TImportSettings fit(TReduceOptions{}, false, {TPlacement::Fit});
  fit.Save(ImportGroupOf(BitmapKinds::Color.Samples));
  TAlphaColorBitmapEditorForm form;
  form.SetPixelsSize({20, 10});
  TDialogScript script;
  script.AnswerFile(file);
  form.LoadButton->click();
  // Decoded at 1/8, so each pixel is one 8 x 8 block: the same as averaging the whole picture, within
  // the decoder's rounding.
  const QImage expected = PlacePicture(DecodeImageFile(file), {20, 10}, fit.Place);
  ASSERT_EQ(form.GetPixelsSize(), (TSize{20, 10}));
  for (int i = 0; i < 200; ++i) {
    const QRgb got = QRgb(form.GetPixel(i % 20, i / 20)), want = expected.pixel(i % 20, i / 20);
    ASSERT_LE(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) + std::abs(qBlue(got) - qBlue(want)), 12)
        << i;
  }
  script.AnswerForm([](QWidget* w) {
    EXPECT_EQ(static_cast<TImportOptionsForm*>(w)->InfoLabel->text(), "160 x 80 pixels, 20 x 10 after import");
    return mrCancel;
  });
  form.findChild<QAction*>("ImportOptions1")->trigger();
  EXPECT_EQ(script.Asked().size(), 2u);
  TImportSettings().Save(ImportGroupOf(BitmapKinds::Color.Samples));
}
