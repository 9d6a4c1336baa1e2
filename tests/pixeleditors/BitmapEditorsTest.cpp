#include "Editors.h"
#include "common/DialogScript.h"
#include "toolkit/Application.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>

namespace {
// The handlers belong to each concrete editor, so they are reached by name, as the layouts do.
void Load(TEditor& form) { QMetaObject::invokeMethod(&form, "LoadButtonClick", Qt::DirectConnection); }
void Save(TEditor& form) { QMetaObject::invokeMethod(&form, "SaveButtonClick", Qt::DirectConnection); }
// The same with the file dialog answered with `file`.
void Load(TEditor& form, const QString& file) {
  TDialogScript script;
  script.AnswerFile(file);
  Load(form);
}
void Save(TEditor& form, const QString& file) {
  TDialogScript script;
  script.AnswerFile(file);
  Save(form);
}

// A picture written with Qt's own writer, for the load side.
QString WritePicture(const QTemporaryDir& dir, const QString& name, const QImage& picture) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(picture.save(path));
  return path;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct TKeyCase {
  TKind kind;
  uint64_t start;
  QString keys;
  uint64_t expected;
};
}  // namespace

// Clear asks first: No keeps the image, Yes gives every pixel the editor's clear colour, as growth does.
TEST(BitmapEditors, ClearAsksThenClearsToTheEditorsColour) {
  const std::pair<TKind, uint64_t> cases[] = {
      {Mono, 0xFF000000u}, {Transparency, 0xFF808080u}, {Color, 0xFF000000u}, {Gray, 0xFF000000u}, {RGBW, 0xFF00000000ull}};
  for (const auto& [kind, clear] : cases) {
    SCOPED_TRACE(int(kind));
    auto form = Make(kind);
    form->SetPixelsSize({2, 1});
    form->SetPixel(0, 0, 0x1234567890ABCDEFull);
    TDialogScript script;
    script.Answer(mrNo).Answer(mrYes);
    form->ClearButton->click();
    EXPECT_EQ(form->GetPixel(0, 0), 0x1234567890ABCDEFull) << "No keeps the image";
    form->ClearButton->click();
    EXPECT_EQ(Pixels(*form), std::vector<uint64_t>(2, clear));
    if (kind == Mono) {
      const TDialogRequest& asked = script.Asked().at(0);
      EXPECT_EQ(asked.text, "Clear Image?");
      EXPECT_EQ(asked.type, mtConfirmation);
      EXPECT_EQ(asked.buttons, MsgButtons({mbYes, mbNo}));
      EXPECT_EQ(asked.defaultButton, mbYes);
    }
    form->SetPixelsSize({3, 1});  // growth is clear too
    EXPECT_EQ(form->GetPixel(2, 0), clear);
  }
}

TEST(BitmapEditors, KeyTablesAtTheirBounds) {
  const uint64_t T = 0xFF808080u, S = 0xFFC0C0C0u, K = 0xFF000000u, W = 0xFFFFFFFFu;
  const TKeyCase cases[] = {
      // Monochrome: space toggles, any value but exact black counting as white, upper bits too.
      {Mono, K, " ", W}, {Mono, W, " ", K}, {Mono, 0xFFFF0000u, " ", K}, {Mono, 0x00000001FF000000ull, " ", K},
      {Mono, 0xFF123456u, "-", K}, {Mono, K, "+", W}, {Mono, K, "*", W}, {Mono, W, "x0R", W},
      // Transparency: space cycles, + and - stop at the ends, digits select, other values stay.
      {Transparency, T, " ", S}, {Transparency, S, " ", K}, {Transparency, K, " ", W}, {Transparency, W, " ", T},
      {Transparency, W, "+", W}, {Transparency, K, "*", W}, {Transparency, T, "-", T}, {Transparency, W, "-", K},
      {Transparency, 0xFF123456u, " +-", 0xFF123456u}, {Transparency, 0xFF123456u, "1", S}, {Transparency, W, "0", T},
      {Transparency, T, "2", K}, {Transparency, S, "3", W}, {Transparency, S, "x", S},
      // Colour: channels saturate, + and - move red, green and blue, 0 is opaque black.
      {Color, 0xFFFF0000u, "R", 0xFFFF0000u}, {Color, 0xFF00FFFFu, "r", 0xFF00FFFFu}, {Color, 0xFF000000u, "RGB", 0xFF010101u},
      {Color, 0xFFFF10FFu, "+", 0xFFFF11FFu}, {Color, 0xFF000100u, "-", 0xFF000000u}, {Color, 0xFF000000u, "A", 0xFF000000u},
      {Color, 0x00000000u, "a", 0x00000000u}, {Color, 0x80102030u, "agbr", 0x7F0F1F2Fu}, {Color, 0x00123456u, "0", K},
      {Color, 0x80123456u, " 5Wx", 0x80123456u},
      // Grayscale: + - change the gray, A a the alpha, each stopping at its bound.
      {Gray, 0xFFFFFFFFu, "+", 0xFFFFFFFFu}, {Gray, 0xFF000000u, "-", 0xFF000000u}, {Gray, 0x00000000u, "a", 0x00000000u},
      {Gray, 0xFE7F7F7Fu, "A*", 0xFF808080u}, {Gray, 0x12345678u, "0", K}, {Gray, 0x80404040u, "RGBw", 0x80404040u},
      // RGBW: five channels; + raises white with the colour, - leaves white alone.
      {RGBW, 0xFFFF000000ull, "W", 0xFFFF000000ull}, {RGBW, 0xFF00FFFFFFull, "w", 0xFF00FFFFFFull},
      {RGBW, 0xFF0AFF0010ull, "+", 0xFF0BFF0111ull}, {RGBW, 0xFF0BFF0111ull, "-", 0xFF0BFE0010ull},
      {RGBW, 0x0012345678ull, "a", 0x0012345678ull}, {RGBW, 0x8012345678ull, "ARGBW", 0x8113355779ull},
      {RGBW, 0x1234567890ull, "0", 0xFF00000000ull},
  };
  std::unique_ptr<TEditor> forms[5];
  for (const TKeyCase& c : cases) {
    auto& form = forms[c.kind];
    if (!form) {
      form = Make(c.kind);
      form->SetPixelsSize({3, 5});
      ShowWithFocus(*form);
      form->Grid->SetCol(2);
      form->Grid->SetRow(4);
    }
    form->SetPixel(2, 4, c.start);
    form->StatusBar->SetSimpleText("stale");
    QTest::keyClicks(form->Grid, c.keys);
    EXPECT_EQ(form->GetPixel(2, 4), c.expected) << c.kind << " " << c.keys.toStdString() << " on " << std::hex << c.start;
    EXPECT_TRUE(form->StatusBar->SimpleText().startsWith("2:4")) << "refreshed after every key " << c.kind;
    EXPECT_EQ(form->GetPixel(1, 4), form->GetClearColor()) << "only the current cell changes";
  }
  // The status text names the current cell and its value.
  EXPECT_EQ(forms[RGBW]->StatusBar->SimpleText(), "2:4 - " + RGBWAlphaColorToString(0xFF00000000ull));
}

TEST(BitmapEditors, GrayscaleCtrlKeypadEditsAlphaAndStoresNothingAtTheBounds) {
  TAlphaGrayscaleBitmapEditorForm form;
  form.show();
  form.Grid->setFocus();
  int stores = 0;
  QObject::connect(form.PreviewImage, &TImage::OnPictureChange, [&] { ++stores; });
  const struct {
    uint64_t start;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    uint64_t expected;
  } cases[] = {
      {0xC80A0A0Au, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 0xC90B0B0Bu},  // the "+" raises the gray too
      {0xC90B0B0Bu, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 0xC80A0A0Au},
      {0xC80A0A0Au, Qt::Key_Plus, Qt::KeypadModifier, 0xC80B0B0Bu},  // without Ctrl only the character counts
      {0xFFFFFFFFu, Qt::Key_Asterisk, Qt::ControlModifier | Qt::KeypadModifier, 0xFFFFFFFFu},
      {0x00000000u, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 0x00000000u},
      {0x80404040u, Qt::Key_F5, Qt::ControlModifier, 0x80404040u},
  };
  for (const auto& c : cases) {
    form.SetPixel(0, 0, c.start);
    QApplication::processEvents();
    stores = 0;
    form.StatusBar->SetSimpleText("stale");
    QTest::keyClick(form.Grid, c.key, c.modifiers);
    QApplication::processEvents();
    EXPECT_EQ(form.GetPixel(0, 0), c.expected) << std::hex << c.start;
    EXPECT_EQ(stores, c.expected != c.start) << "nothing is stored at a bound";
    EXPECT_EQ(form.StatusBar->SimpleText(), QStringLiteral("0:0 Alpha: %1 Value: %2").arg(c.expected >> 24).arg(c.expected & 0xFF));
  }
}

// How the transparency and RGBW editors show their cells, and what Invert does to their values.
TEST(BitmapEditors, CellsAndInvertOfTheTransparencyAndRGBWEditors) {
  auto grab = [](TEditor& form) {
    QApplication::processEvents();
    return form.Grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  TBasicMonochromeTransparencyBitmapEditorForm mono;
  mono.SetPixelsSize({4, 1});
  mono.SetPixel(1, 0, 0xFFC0C0C0u);  // split
  mono.SetPixel(2, 0, 0xFFFFFFFFu);
  mono.SetPixel(3, 0, 0xFF000000u);
  mono.show();
  mono.Grid->SetCol(2);
  QImage image = grab(mono);
  const QRect t = mono.Grid->CellRect(0, 0), s = mono.Grid->CellRect(1, 0);
  int white = 0;
  for (int x = 0; x < 16; ++x) white += (image.pixel(t.left() + x, t.top() + 4) & 0xFFFFFF) == 0xFFFFFF;
  EXPECT_GT(white, 0) << "transparent cells show the pattern";
  EXPECT_LT(white, 16);
  EXPECT_EQ(image.pixel(s.topLeft() + QPoint(2, 2)) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(image.pixel(s.bottomRight() - QPoint(2, 2)) & 0xFFFFFF, 0xFFFFFFu);
  mono.InvertButtonClick();  // black and white swap, the other two states stay
  EXPECT_EQ(Pixels(mono), (std::vector<uint64_t>{0xFF808080u, 0xFFC0C0C0u, 0xFF000000u, 0xFFFFFFFFu}));

  TAlphaRGBWColorBitmapEditorForm rgbw;
  rgbw.SetPixelsSize({3, 1});
  rgbw.SetPixel(0, 0, MakeRGBWAlphaColor(255, 0, 0, 0, 255));    // blue, no white: black wedge
  rgbw.SetPixel(1, 0, MakeRGBWAlphaColor(255, 255, 0, 0, 255));  // blue, full white: white wedge
  rgbw.SetPixel(2, 0, MakeRGBWAlphaColor(0, 128, 255, 0, 0));    // transparent red, gray wedge
  rgbw.show();
  rgbw.Grid->SetCol(2);
  rgbw.Grid->SetRow(0);
  image = grab(rgbw);
  for (int col = 0; col < 3; ++col) {
    const QRect r = rgbw.Grid->CellRect(col, 0);
    const QRgb wedge = image.pixel(r.center().x(), r.top() + 2) & 0xFFFFFF;
    EXPECT_EQ(wedge, col == 0 ? 0x000000u : col == 1 ? 0xFFFFFFu : 0x808080u) << col;
  }
  EXPECT_EQ(image.pixel(rgbw.Grid->CellRect(0, 0).bottomLeft() + QPoint(2, -2)) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(image.pixel(rgbw.Grid->CellRect(2, 0).bottomRight() - QPoint(1, 1)) & 0xFFFFFF, 0xFF0000u);
  rgbw.InvertButtonClick();  // every channel but alpha, white too
  EXPECT_EQ(rgbw.GetPixel(2, 0), MakeRGBWAlphaColor(0, 127, 0, 255, 255));
}

TEST(BitmapEditors, SaveAndLoadRoundTripsEveryTypeInEveryEditor) {
  QTemporaryDir dir;
  // A picture each editor can hold: per editor, the pixels it starts with and what must come back
  // from a file that keeps colours and alpha.
  const uint64_t mono[] = {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu, 0xFF000000u};
  const uint64_t transparency[] = {0xFF808080u, 0xFFC0C0C0u, 0xFF000000u, 0xFFFFFFFFu, 0xFF808080u, 0xFFFFFFFFu};
  const uint64_t transparencyBack[] = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu};
  const uint64_t color[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF123456u, 0xFFFFFFFFu, 0xFF000000u};
  const uint64_t gray[] = {0xFF000000u, 0xFF404040u, 0xFF808080u, 0xFFC0C0C0u, 0xFFFFFFFFu, 0xFF0A0A0Au};
  const uint64_t rgbw[] = {0xFF10FF0000ull, 0xFF0000FF00ull, 0xFFFF0000FFull, 0xFF00123456ull, 0xFF20FFFFFFull, 0xFF00000000ull};
  const uint64_t rgbwBack[] = {0xFF00FF0000ull, 0xFF0000FF00ull, 0xFF000000FFull, 0xFF00123456ull, 0xFF00FFFFFFull, 0xFF00000000ull};
  const struct {
    TKind kind;
    const uint64_t* in;
    const uint64_t* back;
  } editors[] = {{Mono, mono, mono}, {Transparency, transparency, transparencyBack}, {Color, color, color},
                 {Gray, gray, gray}, {RGBW, rgbw, rgbwBack}};
  const char* const lossless[] = {"png", "bmp", "gif", "tif", "tiff", "PNG"};
  for (const auto& e : editors) {
    for (const char* type : lossless) {
      auto form = Make(e.kind);
      form->SetPixelsSize({3, 2});
      for (int i = 0; i < 6; ++i) form->SetPixel(i % 3, i / 3, e.in[i]);
      const QString path = dir.filePath(QStringLiteral("p%1.%2").arg(int(e.kind)).arg(QLatin1String(type)));
      Save(*form, path);
      EXPECT_EQ(Pixels(*form), std::vector<uint64_t>(e.in, e.in + 6)) << "saving changes no pixel";
      auto loaded = Make(e.kind);
      Load(*loaded, path);
      EXPECT_EQ(loaded->GetPixelsSize(), (TSize{3, 2}));
      EXPECT_EQ(Pixels(*loaded), std::vector<uint64_t>(e.back, e.back + 6)) << e.kind << " " << type;
    }
  }
  // Alpha comes through PNG unchanged, in the colour and grayscale editors.
  for (TKind kind : {Color, Gray}) {
    auto form = Make(kind);
    form->SetPixelsSize({2, 1});
    form->SetPixel(0, 0, kind == Color ? 0x80FF8040u : 0x80404040u);
    form->SetPixel(1, 0, 0x00000000u);
    const QString path = dir.filePath(QStringLiteral("alpha%1.png").arg(int(kind)));
    Save(*form, path);
    auto loaded = Make(kind);
    Load(*loaded, path);
    EXPECT_EQ(Pixels(*loaded), Pixels(*form));
  }
}

TEST(BitmapEditors, LoadCutsConvertsAndReplacesTheWholeImage) {
  QTemporaryDir dir;
  QImage wide(300, 20, QImage::Format_ARGB32);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 300; ++x) wide.setPixel(x, y, qRgba(x % 256, y, 7, 255));
  const QString widePath = WritePicture(dir, "wide.png", wide);
  TAlphaColorBitmapEditorForm color;
  Load(color, widePath);
  ASSERT_EQ(color.GetPixelsSize(), (TSize{255, 20}));
  EXPECT_EQ(color.GetPixel(254, 19), uint64_t(qRgba(254, 19, 7, 255)));

  // A 4 x 4 picture into an 8 x 8 image leaves a 4 x 4 image: nothing of the old one stays.
  QImage small(4, 4, QImage::Format_ARGB32);
  small.fill(qRgba(255, 255, 255, 255));
  small.setPixel(1, 2, qRgba(0, 0, 0, 255));
  const QString smallPath = WritePicture(dir, "small.bmp", small);
  TArduinoBasicMonochromeBitmapEditorForm mono;
  mono.SetPixelsSize({8, 8});
  Load(mono, smallPath);
  ASSERT_EQ(mono.GetPixelsSize(), (TSize{4, 4}));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(mono.GetPixel(x, y), x == 1 && y == 2 ? 0xFF000000u : 0xFFFFFFFFu);

  // Gray levels from pure colours, alpha carried over.
  QImage colours(6, 1, QImage::Format_ARGB32);
  const QRgb in[] = {qRgba(255, 0, 0, 255), qRgba(0, 255, 0, 255), qRgba(0, 0, 255, 255),
                     qRgba(255, 255, 255, 255), qRgba(0, 0, 0, 255), qRgba(255, 0, 0, 77)};
  for (int x = 0; x < 6; ++x) colours.setPixel(x, 0, in[x]);
  const QString coloursPath = WritePicture(dir, "colours.png", colours);
  TAlphaGrayscaleBitmapEditorForm gray;
  Load(gray, coloursPath);
  EXPECT_EQ(Pixels(gray), (std::vector<uint64_t>{GPMakeGrayScaleColor(255, 76), GPMakeGrayScaleColor(255, 150),
                                                 GPMakeGrayScaleColor(255, 29), GPMakeGrayScaleColor(255, 255),
                                                 GPMakeGrayScaleColor(255, 0), GPMakeGrayScaleColor(77, 76)}));
  // Exact halves go to the even neighbour; in extended precision 36 green and 12 blue lie just above
  // 22.5 and 62 green, 229 blue just above 62.5, where double arithmetic gives 22 and 62.
  const struct {
    uint8_t r, g, b, gray;
  } grays[] = {{0, 0, 250, 28}, {0, 4, 168, 22}, {0, 36, 12, 23}, {0, 62, 229, 63}, {255, 255, 255, 255}};
  for (const auto& g : grays) EXPECT_EQ(BitmapKinds::GrayOf(g.r, g.g, g.b), g.gray) << int(g.b);

  // The RGBW editor loads no white.
  TAlphaRGBWColorBitmapEditorForm rgbw;
  Load(rgbw, coloursPath);
  EXPECT_EQ(rgbw.GetPixel(5, 0), MakeRGBWAlphaColor(77, 0, 255, 0, 0));
}

TEST(BitmapEditors, FileDialogsOverwriteQuestionAndDefaultExtension) {
  QTemporaryDir dir;
  TArduinoBasicMonochromeBitmapEditorForm form;
  form.SetPixelsSize({5, 3});
  form.SetPixel(4, 2, 0xFFFFFFFFu);
  const std::vector<uint64_t> before = Pixels(form);
  TDialogScript script;
  // Cancelled dialogs change nothing and ask nothing more.
  script.Answer(mrCancel).Answer(mrCancel);
  Load(form);
  Save(form);
  ASSERT_EQ(script.Asked().size(), 2u);
  const TDialogRequest& open = script.Asked()[0];
  EXPECT_EQ(open.kind, TDialogRequest::OpenFile);
  EXPECT_TRUE(open.defaultExt.isEmpty());
  EXPECT_EQ(script.Asked()[1].filter, open.filter);
  EXPECT_EQ(script.Asked()[1].defaultExt, "bmp");
  EXPECT_EQ(Pixels(form), before);

  // A name without an extension becomes a BMP file.
  script.AnswerFile(dir.filePath("logo"));
  Save(form);
  const QString bmp = dir.filePath("logo.bmp");
  EXPECT_EQ(ReadAll(bmp).left(2), "BM");
  EXPECT_FALSE(QFile::exists(dir.filePath("logo")));

  // Over an existing file: the full path is named; No keeps the file byte for byte, Yes replaces it.
  const QByteArray old = ReadAll(bmp);
  form.SetPixel(0, 0, 0xFFFFFFFFu);
  script.AnswerFile(bmp).Answer(mrNo);
  Save(form);
  const TDialogRequest& question = script.Asked().back();
  EXPECT_EQ(question.text, "File " + bmp + " Exists. Override?");
  EXPECT_EQ(question.type, mtConfirmation);
  EXPECT_EQ(question.buttons, MsgButtons({mbYes, mbNo}));
  EXPECT_EQ(question.defaultButton, mbYes);
  EXPECT_EQ(ReadAll(bmp), old);
  script.AnswerFile(bmp).Answer(mrYes);
  Save(form);
  EXPECT_NE(ReadAll(bmp), old);

}

TEST(BitmapEditors, BrokenFilesRaiseAClearErrorAndLeaveThePixels) {
  // How each type fails to decode is the codecs' to test; here one file of each kind of failure.
  QTemporaryDir dir;
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(qRgba(10, 200, 30, 255));
  ASSERT_TRUE(picture.save(dir.filePath("whole.png")));
  std::vector<QString> broken;
  for (const auto& [name, data] : {std::pair{"cut.png", ReadAll(dir.filePath("whole.png")).left(30)},
                                   {"empty.png", QByteArray()}, {"garbage.wmf", QByteArray(200, 'x')}}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    broken.push_back(f.fileName());
  }
  const QString huge = QStringLiteral(VELTO_TEST_DATA_DIR "/images/huge-header.png");  // 100000 x 100000
  ASSERT_TRUE(QFile::exists(huge));
  broken.push_back(huge);
  TAlphaColorBitmapEditorForm form;
  form.SetPixelsSize({3, 3});
  form.SetPixel(1, 1, 0x80112233u);
  const std::vector<uint64_t> before = Pixels(form);
  // Through the button, as a user meets it: one error report naming the file, and the dialog goes on.
  form.show();
  for (const QString& path : broken) {
    SCOPED_TRACE(path.toStdString());
    TDialogScript script;
    script.AnswerFile(path).Answer(mrOk);
    QTest::mouseClick(form.LoadButton, Qt::LeftButton);
    ASSERT_EQ(script.Asked().size(), 2u);
    EXPECT_EQ(script.Asked()[1].type, mtError);
    EXPECT_TRUE(script.Asked()[1].text.contains(path)) << script.Asked()[1].text.toStdString();
    if (path == huge) {
      EXPECT_TRUE(script.Asked()[1].text.contains("16384")) << "refused for its size, not as damaged";
    }
    EXPECT_EQ(Pixels(form), before);
  }
  EXPECT_TRUE(form.isVisible());
}
