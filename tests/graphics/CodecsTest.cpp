#include "graphics/Codecs.h"
#include "graphics/MetafileProtocol.h"
#include "common/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <zlib.h>

namespace {

const QString kSamples = QStringLiteral(VELTO_TEST_DATA_DIR "/images/");

// The 4 x 3 pattern of tests/data/images/make-samples.py; BMP holds opaque cyan for the
// transparent pixel.
const QRgb kPattern[3][4] = {
    {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu},
    {0xFF000000u, 0xFF808080u, 0xFFFFFF00u, 0x00000000u},
    {0xFFFF00FFu, 0xFF00FFFFu, 0xFF404040u, 0xFFFF8000u},
};

// sample.jpg: 16 x 16, quadrants red, green, blue, white (top-left, top-right, bottom-left,
// bottom-right), written by EncodeImageFile as jpg.
QImage JpegPattern() {
  QImage image(16, 16, QImage::Format_ARGB32);
  const QRgb quadrant[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) image.setPixel(x, y, quadrant[(y / 8) * 2 + x / 8]);
  return image;
}

int MaxChannelDifference(QRgb a, QRgb b) {
  return std::max({qAbs(qAlpha(a) - qAlpha(b)), qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                   qAbs(qBlue(a) - qBlue(b))});
}

// Largest difference of any channel over the picture; INT_MAX when the sizes differ.
int MaxDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return INT_MAX;
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) worst = std::max(worst, MaxChannelDifference(a.pixel(x, y), b.pixel(x, y)));
  return worst;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(data), data.size());
}

// The message of the EImageError that `call` raises, or "no error".
template <class F>
std::string ErrorOf(F call) {
  try {
    call();
  } catch (const EImageError& e) {
    return e.Message().toStdString();
  }
  return "no error";
}

class TEnvironment {
public:
  TEnvironment(const char* name, const QByteArray& value) : FName(name) { qputenv(name, value); }
  ~TEnvironment() { qunsetenv(FName); }

private:
  const char* FName;
};

// A few colours, a transparent pixel and an odd size.
QImage FewColours(bool withAlpha) {
  QImage image(7, 5, QImage::Format_ARGB32);
  const QRgb colours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF123456u, 0xFFFFFFFFu, 0xFF000000u};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) image.setPixel(x, y, colours[(x + 2 * y) % 6]);
  if (withAlpha) image.setPixel(3, 2, 0x00000000u);
  return image;
}

// Every alpha a format with an alpha channel must keep, edges included, over colours whose
// premultiplied form would differ.
QImage Translucent() {
  const int alphas[] = {0, 1, 127, 128, 254, 255};
  const QRgb colours[] = {0xFF8040u, 0x0A0A0Au, 0x123456u, 0xFFFFFFu, 0x000000u};
  QImage image(6, 5, QImage::Format_ARGB32);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) image.setPixel(x, y, QRgb(alphas[x]) << 24 | colours[y]);
  return image;
}

// The drawing of the metafile samples (make-samples.py): 20 x 15, transparent where nothing is
// painted, a white square over (1, 1)-(4, 4), a red rectangle (5, 3)-(15, 12) in a black 1-pixel
// outline. A shape covers the pixels of its corner coordinates.
QImage MetafileDrawing() {
  QImage image(20, 15, QImage::Format_ARGB32);
  image.fill(0);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) {
      if (x >= 1 && x <= 4 && y >= 1 && y <= 4) image.setPixel(x, y, 0xFFFFFFFFu);
      if (x >= 5 && x <= 15 && y >= 3 && y <= 12)
        image.setPixel(x, y, x == 5 || x == 15 || y == 3 || y == 12 ? 0xFF000000u : 0xFFFF0000u);
    }
  return image;
}

}  // namespace

TEST(Codecs, RoundTripEveryEncodableType) {
  enum TKind { Exact, Lossy, Mono };
  enum TAlpha { NoAlpha, OnOff, Full };  // what the format stores of alpha
  struct TCase {
    const char* format;
    TAlpha alpha;
    TKind kind;
  };
  const TCase cases[] = {
      {"png", Full, Exact},     {"PNG", Full, Exact},    {"bmp", NoAlpha, Exact}, {"tif", Full, Exact},
      {"tiff", Full, Exact},    {"gif", OnOff, Exact},   {"GIF", OnOff, Exact},   {"jpg", NoAlpha, Lossy},
      {"jpeg", NoAlpha, Lossy}, {"JPG", NoAlpha, Lossy}, {"bmp", NoAlpha, Mono},  {"png", NoAlpha, Mono},
      {"tif", NoAlpha, Mono},   {"gif", NoAlpha, Mono},
  };
  QImage mono(13, 7, QImage::Format_Mono);
  mono.setColorTable({0xFF000000u, 0xFFFFFFFFu});
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) mono.setPixel(x, y, (x * 7 + y * 3) % 5 < 2 ? 1 : 0);
  QTemporaryDir dir;
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format << (c.kind == Mono ? " 1-bit" : ""));
    const QImage source = c.kind == Mono    ? mono
                          : c.kind == Lossy ? JpegPattern()
                          : c.alpha == Full ? Translucent()
                                            : FewColours(c.alpha == OnOff);
    const QString path = dir.filePath(QStringLiteral("picture%1.%2").arg(c.kind).arg(QString::fromLatin1(c.format)));
    EncodeImageFile(source, path, QString::fromLatin1(c.format));
    const QImage back = DecodeImageFile(path);
    ASSERT_EQ(back.format(), QImage::Format_ARGB32);
    if (c.kind != Lossy) {
      EXPECT_EQ(MaxDifference(back, source.convertToFormat(QImage::Format_ARGB32)), 0);
    } else {
      // Away from the quadrant edges the colours survive JPEG closely.
      ASSERT_EQ(back.size(), source.size());
      for (const QPoint p : {QPoint(3, 3), QPoint(12, 3), QPoint(3, 12), QPoint(12, 12)})
        EXPECT_LE(MaxChannelDifference(back.pixel(p), source.pixel(p)), 16) << p.x() << "," << p.y();
    }
  }
  // A BMP of a 1-bit image is a 1-bit file.
  const QByteArray bmp = ReadAll(dir.filePath(QStringLiteral("picture2.bmp")));
  ASSERT_GE(bmp.size(), 30);
  EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 1);
}

namespace {
// Colour i of a set of distinct colours at least 7 apart in green from each other.
QRgb Distinct(int i) { return qRgb(i, (i * 7) & 255, (i * 13) & 255); }

// `count` distinct colours, each on two pixels, on a 32-pixel-wide picture filled up with colour 0;
// pixel 0 may hold one colour more (three units of red beside colour 100, nearest to it by far),
// and transparent pixels over the colours `hidden` follow the others.
QImage Palette(int count, bool rare, const QList<QRgb>& hidden) {
  QImage image(32, int(2 * count + 1 + hidden.size() + 31) / 32, QImage::Format_ARGB32);
  image.fill(Distinct(0));
  int at = 0;
  const auto put = [&](QRgb colour) { image.setPixel(at % 32, at / 32, colour), ++at; };
  if (rare) put(Distinct(100) + 0x030000u);
  for (int i = 0; i < 2 * count; ++i) put(Distinct(i / 2));
  for (const QRgb colour : hidden) put(colour & 0x00FFFFFFu);
  return image;
}
}  // namespace

// A GIF keeps up to 256 colours exactly, 255 beside transparency whatever lies under the transparent
// pixels; one colour too many for the table gives up its pixels to its nearest colour; more still are
// reduced to a dithered palette, close on average.
TEST(Codecs, GifPaletteIsExactAsLongAsTheColoursFit) {
  struct TCase {
    const char* name;
    QImage source;
    QImage expected;  // opaque pixels; null: judged by the mean error
  };
  QImage rareJoinsItsNearest = Palette(255, true, {Distinct(0)});
  rareJoinsItsNearest.setPixel(0, 0, Distinct(100));
  const QList<QRgb> unseen{qRgb(1, 255, 1), qRgb(2, 255, 1)};
  const TCase cases[] = {
      {"256 opaque colours", Palette(256, false, {}), Palette(256, false, {})},
      {"255 colours, transparency over others", Palette(255, false, unseen), Palette(255, false, unseen)},
      {"256 colours and transparency", Palette(255, true, {Distinct(0)}), rareJoinsItsNearest},
      {"257 colours", Palette(257, false, {}), {}},
      {"257 colours and transparency", Palette(257, false, {Distinct(9)}), {}},
  };
  QTemporaryDir dir;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(QStringLiteral("palette.gif"));
    EncodeImageFile(c.source, path, QStringLiteral("gif"));
    const QImage back = DecodeImageFile(path);
    ASSERT_EQ(back.size(), c.source.size());
    qint64 error = 0;
    for (int y = 0; y < back.height(); ++y)
      for (int x = 0; x < back.width(); ++x) {
        const QRgb was = c.source.pixel(x, y), now = back.pixel(x, y);
        if (qAlpha(was) == 0) ASSERT_EQ(now, 0u) << x << "," << y;
        else if (!c.expected.isNull()) ASSERT_EQ(now, c.expected.pixel(x, y)) << x << "," << y;
        else ASSERT_EQ(qAlpha(now), 255) << x << "," << y;
        error += qAlpha(was) ? MaxChannelDifference(was, now) : 0;
      }
    EXPECT_LT(error / (back.width() * back.height()), 40) << "mean of the largest channel difference";
  }
}

TEST(Codecs, DecodesEverySample) {
  const auto pattern = [](bool cyanForTransparent) {
    QImage image(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x)
        image.setPixel(x, y, cyanForTransparent && kPattern[y][x] == 0 ? 0xFF00FFFFu : kPattern[y][x]);
    return image;
  };
  for (const char* name : {"sample.png", "sample.gif", "sample.ico", "sample.tif"}) {
    const QImage image = DecodeImageFile(kSamples + QLatin1String(name));
    ASSERT_EQ(image.format(), QImage::Format_ARGB32) << name;
    EXPECT_EQ(MaxDifference(image, pattern(false)), 0) << name;
  }
  EXPECT_EQ(MaxDifference(DecodeImageFile(kSamples + QStringLiteral("sample.bmp")), pattern(true)), 0);
  const QImage jpeg = DecodeImageFile(kSamples + QStringLiteral("sample.jpg"));
  ASSERT_EQ(jpeg.size(), QSize(16, 16));
  EXPECT_LE(MaxChannelDifference(jpeg.pixel(3, 3), 0xFFFF0000u), 16);
  EXPECT_LE(MaxChannelDifference(jpeg.pixel(12, 12), 0xFFFFFFFFu), 16);

  // Both metafile types draw the same picture the same way.
  for (const char* name : {"sample.emf", "sample.wmf", "sample-plain.wmf", "sample-plain-shifted.wmf"})
    EXPECT_EQ(MaxDifference(DecodeImageFile(kSamples + QLatin1String(name)), MetafileDrawing()), 0) << name;

  // The content decides over a misleading extension.
  QTemporaryDir dir;
  for (const char* name : {"png", "emf"}) {
    const QString renamed = dir.filePath(QStringLiteral("picture.bmp"));
    QFile::remove(renamed);
    ASSERT_TRUE(QFile::copy(kSamples + QStringLiteral("sample.%1").arg(QLatin1String(name)), renamed));
    EXPECT_FALSE(DecodeImageFile(renamed).isNull()) << name;
  }
}

TEST(Codecs, RefusesDamagedFiles) {
  QTemporaryDir dir;
  struct TDamage {
    const char* what;
    QByteArray (*make)(const QByteArray&);
  };
  const TDamage damages[] = {
      {"first half", [](const QByteArray& d) { return d.left(d.size() / 2); }},
      {"all but the last 4 bytes", [](const QByteArray& d) { return d.left(d.size() - 4); }},
      {"first 10 bytes", [](const QByteArray& d) { return d.left(10); }},
      {"body overwritten", [](const QByteArray& d) {
         QByteArray c = d;
         for (qsizetype i = std::min<qsizetype>(12, c.size() / 4); i < c.size(); ++i) c[i] = char(0xA5);
         return c;
       }},
  };
  for (const char* type : {"png", "gif", "jpg", "bmp", "ico", "tif", "emf", "wmf"}) {
    const QByteArray sample = ReadAll(kSamples + QStringLiteral("sample.%1").arg(QLatin1String(type)));
    ASSERT_FALSE(sample.isEmpty()) << type;
    for (const TDamage& damage : damages) {
      const QString path = dir.filePath(QStringLiteral("damaged.%1").arg(QLatin1String(type)));
      WriteAll(path, damage.make(sample));
      const std::string message = ErrorOf([&] { DecodeImageFile(path); });
      EXPECT_NE(message, "no error") << type << ": " << damage.what;
      EXPECT_NE(message.find("Cannot load \"" + QDir::toNativeSeparators(path).toStdString() + "\": "),
                std::string::npos)
          << message;
    }
  }

  const std::tuple<const char*, const char*, const char*> plain[] = {
      {"empty.png", "", "the file is empty"},
      {"empty.emf", "", "the file is empty"},
      {"missing.png", nullptr, "does not exist"},
      {"text.png", "not a picture at all\n", "unsupported or corrupt image data"},
      // Readable by Qt, but not one of the offered types.
      {"icon.png", "/* XPM */\nstatic char *x[] = {\"1 1 1 1\", \"a c #ff0000\", \"a\"};\n", "Cannot load"},
  };
  for (const auto& [name, contents, expected] : plain) {
    SCOPED_TRACE(name);
    const QString path = dir.filePath(QLatin1String(name));
    if (contents) WriteAll(path, contents);
    EXPECT_NE(ErrorOf([&] { DecodeImageFile(path); }).find(expected), std::string::npos);
  }

  // A BMP header declaring absurd sizes and sample depth (found by fuzzing: the completeness
  // check overflowed).
  QByteArray bmp = ReadAll(kSamples + QStringLiteral("sample.bmp"));
  qToLittleEndian<qint32>(0x7FFFFFFF, bmp.data() + 18);
  qToLittleEndian<qint32>(-0x7FFFFFFF, bmp.data() + 22);
  qToLittleEndian<quint16>(2048, bmp.data() + 28);
  const QString absurd = dir.filePath(QStringLiteral("absurd.bmp"));
  WriteAll(absurd, bmp);
  EXPECT_NE(ErrorOf([&] { DecodeImageFile(absurd); }), "no error");

  // An EMF whose header is right but whose first record claims to run past the end: the child
  // refuses it.
  QByteArray emf = ReadAll(kSamples + QStringLiteral("sample.emf"));
  qToLittleEndian<quint32>(0x7FFFFFF0u, emf.data() + 88 + 4);
  const QString badEmf = dir.filePath(QStringLiteral("bad.emf"));
  WriteAll(badEmf, emf);
  EXPECT_NE(ErrorOf([&] { DecodeImageFile(badEmf); }).find("EMF"), std::string::npos);
}

TEST(Codecs, MetafileHelperFailuresBecomeErrors) {
  QTemporaryDir dir;
  const QString sample = kSamples + QStringLiteral("sample.wmf");
  struct TCase {
    const char* what;
    const char* script;
    const char* expected;  // part of the message
  };
  const TCase cases[] = {
      {"crash", "kill -SEGV $$", "crashed"},
      {"hang", "exec sleep 30", "did not finish within 700 ms"},
      {"failure", "echo 'the picture is broken' >&2; exit 4", "the picture is broken"},
      {"silent failure", "exit 5", "exit code 5"},
      {"environment", "[ -z \"$VELTO_METAFILE_HELPER\" ] || echo inherited >&2; exit 6", "exit code 6"},
      {"wrong magic", "printf 'XXXX\\002\\000\\000\\000\\001\\000\\000\\000abcdefgh'", "malformed"},
      {"short reply", "printf 'VMF1\\002\\000\\000\\000\\001\\000\\000\\000abcd'", "malformed"},
      {"long reply", "printf 'VMF1\\001\\000\\000\\000\\001\\000\\000\\000abcdefgh'", "malformed"},
      {"huge size", "printf 'VMF1\\240\\206\\001\\000\\240\\206\\001\\000'; exec sleep 30", "16384 x 16384"},
      {"zero size", "printf 'VMF1\\000\\000\\000\\000\\001\\000\\000\\000'", "exceeds the limit"},
  };
  const int saved = MetafileTimeout();
  SetMetafileTimeout(700);
  for (const TCase& c : cases) {
    const QString script = dir.filePath(QString::fromLatin1(c.what).replace(QLatin1Char(' '), QLatin1Char('_')));
    WriteAll(script, QByteArray("#!/bin/sh\nulimit -c 0\n") + c.script + "\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const TEnvironment helper("VELTO_METAFILE_HELPER", QFile::encodeName(script));
    const std::string message = ErrorOf([&] { DecodeImageFile(sample); });
    EXPECT_NE(message.find(c.expected), std::string::npos) << c.what << ": " << message;
  }
  {
    const TEnvironment helper("VELTO_METAFILE_HELPER", QFile::encodeName(dir.filePath(QStringLiteral("none"))));
    EXPECT_NE(ErrorOf([&] { DecodeImageFile(sample); }).find("could not be started"), std::string::npos);
  }
  SetMetafileTimeout(saved);
}

// The helper is looked for by the variable, then beside the program, beside the host library and in
// bin beside the library's folder; only a file that can run counts. The layout probe and a copy of the
// library are laid out in app/ and lib/ for each case.
TEST(Codecs, MetafileHelperIsFoundBesideTheProgramOrTheLibrary) {
  struct TCase {
    const char* name;
    const char* app;  // what lies at app/velto-metafile, lib/... and bin/...: "" nothing, "x" a program,
    const char* lib;  // "f" a file that cannot run, "d" a folder
    const char* bin;
    const char* variable;  // VELTO_METAFILE_HELPER, relative to the layout
    const char* expected;  // relative to the layout; "" none
  };
  const TCase cases[] = {
      {"beside the program", "x", "", "", "", "app/velto-metafile"},
      {"beside the library", "", "x", "", "", "lib/velto-metafile"},
      {"in bin beside the library's folder", "", "", "x", "", "bin/velto-metafile"},
      {"the program's folder first", "x", "x", "x", "", "app/velto-metafile"},
      {"the library's folder before bin", "", "x", "x", "", "lib/velto-metafile"},
      {"a file that cannot run is passed over", "f", "x", "", "", "lib/velto-metafile"},
      {"a folder of that name is passed over", "d", "", "x", "", "bin/velto-metafile"},
      {"nowhere", "f", "d", "", "", ""},
      {"the variable, found or not", "x", "", "", "elsewhere/helper", "elsewhere/helper"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    for (const char* sub : {"app", "lib", "bin"}) ASSERT_TRUE(QDir(root).mkdir(QLatin1String(sub)));
    const QString probe = root + QStringLiteral("/app/probe");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELTO_LAYOUT_PROBE), probe));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELTO_HOST_LIBRARY), root + QStringLiteral("/lib/libvelto_host.so")));
    for (const auto& [sub, kind] : {std::pair("app", c.app), std::pair("lib", c.lib), std::pair("bin", c.bin)}) {
      const QString helper = QStringLiteral("%1/%2/velto-metafile").arg(root, QLatin1String(sub));
      const std::string what = kind;
      if (what == "d") {
        ASSERT_TRUE(QDir().mkdir(helper));
      } else if (!what.empty()) {
        WriteAll(helper, "#!/bin/sh\n");
        if (what == "x") QFile::setPermissions(helper, QFile::ReadOwner | QFile::ExeOwner);
      }
    }
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"), root + QStringLiteral("/lib"));
    environment.remove(QStringLiteral("VELTO_METAFILE_HELPER"));
    if (*c.variable) environment.insert(QStringLiteral("VELTO_METAFILE_HELPER"), root + QLatin1Char('/') + QLatin1String(c.variable));
    run.setProcessEnvironment(environment);
    run.start(probe, {QStringLiteral("helper")});
    ASSERT_TRUE(run.waitForFinished(30000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QString expected = *c.expected ? root + QLatin1Char('/') + QLatin1String(c.expected) : QString();
    EXPECT_EQ(QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed(), expected);
  }
}

// The real helper, told to misbehave once inside its sandbox: each protection must stop it.
TEST(Codecs, MetafileSandboxStopsWhatDecodingMustNotDo) {
  const QString helper = MetafileHelperPath();
  ASSERT_FALSE(helper.isEmpty());
  const QString sample = kSamples + QStringLiteral("sample.emf");
  struct TCase {
    const char* provoke;
    const char* expected;
  };
  const TCase cases[] = {
#ifndef VELTO_ASAN  // the sanitizer build has no address-space limit (see the helper)
      {"alloc", "decoding needs more memory than the limit of 64 MiB"},
#endif
      {"spin", "used more than 1 s of processor time"},
      {"socket", "stopped for a forbidden system call"},
      {"write", "stopped for a forbidden system call"},
  };
  QTemporaryDir dir;
  const int savedTimeout = MetafileTimeout();
  const TMetafileLimits savedLimits = MetafileLimits();
  SetMetafileTimeout(20000);  // longer than the processor time limit, on a busy machine too
  SetMetafileLimits({1, 64});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.provoke);
    const QString script = dir.filePath(QLatin1String(c.provoke));
    WriteAll(script, "#!/bin/sh\nexec '" + QFile::encodeName(helper) + "' --provoke " + c.provoke + " \"$@\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const TEnvironment wrapper("VELTO_METAFILE_HELPER", QFile::encodeName(script));
    const std::string message = ErrorOf([&] { DecodeImageFile(sample); });
    EXPECT_NE(message.find("Cannot load \"" + QDir::toNativeSeparators(sample).toStdString() + "\": "), std::string::npos);
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
  }
  EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/velto-metafile-provoked")));
  SetMetafileLimits(savedLimits);
  SetMetafileTimeout(savedTimeout);
  // And the designer goes on: the same helper still decodes.
  EXPECT_EQ(MaxDifference(DecodeImageFile(sample), MetafileDrawing()), 0);
}

TEST(Codecs, SaveFailuresLeaveFilesAlone) {
  QTemporaryDir dir;
  const QImage image = FewColours(true);
  const QByteArray original = "existing contents";
  for (const char* format : {"ico", "emf", "wmf", "", "xyz", "ICO"}) {
    const QString existing = dir.filePath(QStringLiteral("existing.%1").arg(QLatin1String(format)));
    WriteAll(existing, original);
    const QString fresh = dir.filePath(QStringLiteral("fresh.%1").arg(QLatin1String(format)));
    for (const QString& path : {existing, fresh}) {
      const std::string message = ErrorOf([&] { EncodeImageFile(image, path, QString::fromLatin1(format)); });
      EXPECT_NE(message.find(std::string("no encoder for the format \"") + format + "\""), std::string::npos)
          << message;
    }
    EXPECT_EQ(ReadAll(existing), original) << format;
    EXPECT_FALSE(QFile::exists(fresh)) << format;
  }
  // Write errors: a missing folder, a folder in place of the file.
  const QString missing = dir.filePath(QStringLiteral("no/such/folder/picture.png"));
  EXPECT_NE(ErrorOf([&] { EncodeImageFile(image, missing, QStringLiteral("png")); }), "no error");
  EXPECT_FALSE(QFile::exists(missing));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
  EXPECT_NE(ErrorOf([&] { EncodeImageFile(image, dir.filePath(QStringLiteral("folder.png")), QStringLiteral("png")); }),
            "no error");
  // A full disk: the old picture stays whole.
  const QString full = dir.filePath(QStringLiteral("full.bmp"));
  WriteAll(full, original);
  {
    TFileSizeLimit limit(rlim_t(original.size()));
    EXPECT_NE(ErrorOf([&] { EncodeImageFile(image, full, QStringLiteral("bmp")); }), "no error");
  }
  EXPECT_EQ(ReadAll(full), original);
  // A good save replaces an existing file as a whole.
  const QString replaced = dir.filePath(QStringLiteral("existing.png"));
  EncodeImageFile(image, replaced, QStringLiteral("png"));
  EXPECT_EQ(MaxDifference(DecodeImageFile(replaced), image), 0);
}

TEST(Codecs, RefusesOversizedPicturesBeforeDecoding) {
  // A valid PNG header declaring the size, and a tiny IDAT of one row.
  const auto png = [](quint32 width, quint32 height) {
    const auto chunk = [](const QByteArray& kind, const QByteArray& data) {
      QByteArray out(4, '\0');
      qToBigEndian<quint32>(quint32(data.size()), out.data());
      const QByteArray body = kind + data;
      QByteArray crc(4, '\0');
      qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
                            crc.data());
      return out + body + crc;
    };
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(width, header.data());
    qToBigEndian<quint32>(height, header.data() + 4);
    header[8] = 8;  // 8-bit RGBA
    header[9] = 6;
    const QByteArray pixels(5, '\0');
    QByteArray packed(64, '\0');
    uLongf length = uLongf(packed.size());
    compress(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(pixels.constData()),
             uLong(pixels.size()));
    packed.resize(qsizetype(length));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", packed) + chunk("IEND", {});
  };
  struct TCase {
    quint32 width, height;
    bool overLimit;
  };
  const TCase cases[] = {{100000, 100000, true}, {16385, 1, true}, {1, 16385, true}, {16384, 16384, true},
                         {8192, 8193, true},     {8192, 8192, false}, {1, 1, false}};
  QTemporaryDir dir;
  for (const TCase& c : cases) {
    const QString path = dir.filePath(QStringLiteral("big.png"));
    WriteAll(path, png(c.width, c.height));
    const std::string message = ErrorOf([&] { DecodeImageFile(path); });
    const std::string size = std::to_string(c.width) + " x " + std::to_string(c.height) + " pixels";
    if (c.overLimit) {
      EXPECT_NE(message.find(size + " exceeds the limit of 16384 x 16384 / 256 MiB"), std::string::npos) << message;
    } else {
      EXPECT_EQ(message.find("exceeds the limit"), std::string::npos) << message;
    }
  }
}
