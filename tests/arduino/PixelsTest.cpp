#include "arduino/Pixels.h"
#include "runtime/Exceptions.h"

#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
using TTransparency = TArduinoMonochromeGraphicsTransparencyPixelColor;

// A distinct, non-default value per position for each pixel class.
uint32_t ValueAt(const TArduinoColorGraphicsElementDrawBitmapPixels*, int x, int y) {
  return 0x80000000u | uint32_t(y * 1000 + x + 1);
}
int64_t ValueAt(const TArduinoRGBWGraphicsElementDrawBitmapPixels*, int x, int y) {
  return -int64_t(y * 1000 + x + 1) << 20;  // negative and beyond 32 bits
}
bool ValueAt(const TArduinoMonochromeGraphicsElementDrawBitmapPixels*, int x, int y) { return (x + 2 * y) % 3 != 0; }
TTransparency ValueAt(const TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels*, int x, int y) {
  return TTransparency((x + y) % 3 + 1);
}

template <typename P>
void Fill(P& p) {
  for (int y = 0; y < p.GetSize().cy; ++y)
    for (int x = 0; x < p.GetSize().cx; ++x) p.SetPixel(x, y, ValueAt(&p, x, y));
}

template <typename P>
void ExpectFilled(const P& p, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(p.GetPixel(x, y), ValueAt(&p, x, y)) << x << "," << y;
}

template <typename P>
struct PixelsTest : ::testing::Test {};
using PixelClasses = ::testing::Types<TArduinoColorGraphicsElementDrawBitmapPixels, TArduinoRGBWGraphicsElementDrawBitmapPixels,
                                      TArduinoMonochromeGraphicsElementDrawBitmapPixels,
                                      TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels>;
TYPED_TEST_SUITE(PixelsTest, PixelClasses);
}  // namespace

TYPED_TEST(PixelsTest, SetSizeKeepsOverlappingPixels) {
  TypeParam p;
  EXPECT_EQ(p.GetSize(), (TSize{0, 0}));
  p.SetSize(5, 3);
  Fill(p);

  p.SetSize(7, 4);  // grow both ways: old pixels stay, new ones are the default
  EXPECT_EQ(p.GetSize(), (TSize{7, 4}));
  ExpectFilled(p, 5, 3);
  EXPECT_EQ(p.GetPixel(6, 0), decltype(p.GetPixel(0, 0)){});
  EXPECT_EQ(p.GetPixel(0, 3), decltype(p.GetPixel(0, 0)){});

  p.SetSize(2, 5);  // narrower and taller
  ExpectFilled(p, 2, 3);

  EXPECT_THROW(p.GetPixel(2, 0), ERangeError);
  EXPECT_THROW(p.SetPixel(0, 5, ValueAt(&p, 0, 0)), ERangeError);
  EXPECT_THROW(p.GetPixel(-1, 0), ERangeError);
  EXPECT_THROW(p.SetSize(-1, 4), ERangeError);
  EXPECT_THROW(p.SetSize(1 << 16, 1 << 16), ERangeError);
  EXPECT_EQ(p.GetSize(), (TSize{2, 5}));
  ExpectFilled(p, 2, 3);

  p.SetSize(0, 9);
  EXPECT_THROW(p.GetPixel(0, 0), ERangeError);
}

TYPED_TEST(PixelsTest, CustomDataRoundTrip) {
  TypeParam source;
  source.SetSize(13, 3);  // 39 pixels: not a whole number of bytes when packed in bits
  Fill(source);
  const QJsonValue data = source.WriteCustomData();
  EXPECT_EQ(data[QStringLiteral("width")].toInt(), 13);

  TypeParam copy;
  copy.SetSize(2, 2);
  copy.ReadCustomData(data);
  EXPECT_EQ(copy.GetSize(), (TSize{13, 3}));
  ExpectFilled(copy, 13, 3);

  TypeParam empty;
  copy.ReadCustomData(empty.WriteCustomData());
  EXPECT_EQ(copy.GetSize(), (TSize{0, 0}));
}

TYPED_TEST(PixelsTest, CorruptCustomDataRaisesAndKeepsThePixels) {
  TypeParam p;
  p.SetSize(4, 2);
  Fill(p);
  QJsonObject good = p.WriteCustomData().toObject();
  const auto with = [&](const char* key, const QJsonValue& value) {
    QJsonObject o = good;
    o.insert(QLatin1String(key), value);
    return QJsonValue(o);
  };
  const QJsonValue corrupt[] = {
      QJsonValue(QStringLiteral("pixels")),
      with("width", 5),  // too few bytes for the size
      with("width", -4),
      with("height", 1.5),
      with("height", QStringLiteral("2")),
      with("width", 1 << 30),
      with("pixels", QStringLiteral("@@not base64@@")),
      with("pixels", 17),
      with("pixels", good[QStringLiteral("pixels")].toString() + QStringLiteral("AAAA")),  // too many
  };
  for (size_t i = 0; i < std::size(corrupt); ++i) {
    EXPECT_THROW(p.ReadCustomData(corrupt[i]), Exception) << "case " << i;
    EXPECT_EQ(p.GetSize(), (TSize{4, 2}));
    ExpectFilled(p, 4, 2);
  }
}

TEST(TransparencyPixelsTest, OnlyTheFourStatesAreAccepted) {
  TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels p;
  p.SetSize(2, 1);
  p.SetPixel(1, 0, TTransparency::tpcWhite);
  EXPECT_THROW(p.SetPixel(0, 0, TTransparency(4)), ERangeError);
  EXPECT_EQ(p.GetPixel(0, 0), TTransparency::tpcTransparent);

  // Two pixels, the second one set to 4 in the stream.
  QJsonObject data{{"width", 2}, {"height", 1}, {"pixels", QString::fromLatin1(QByteArray("\x03\x04", 2).toBase64())}};
  EXPECT_THROW(p.ReadCustomData(data), Exception);
  EXPECT_EQ(p.GetPixel(1, 0), TTransparency::tpcWhite);
}
