#include "arduino/Components.h"
#include "arduino/Packages.h"
#include "framework/Registration.h"

#include <QMetaProperty>
#include <QSet>
#include <gtest/gtest.h>

namespace {
QMetaType PropertyType(TClass cls, const char* name) {
  const int index = cls->indexOfProperty(name);
  return index < 0 ? QMetaType() : cls->property(index).metaType();
}
}  // namespace

TEST(ArduinoValuesTest, DistinctMetaTypesConvertToAndFromText) {
  const QMetaType gray = QMetaType::fromType<TArduinoGrayscaleAlphaColor>();
  const QMetaType code = QMetaType::fromType<TArduinoCode>();
  const QMetaType font = QMetaType::fromType<TArduinoGraphicsFont>();
  EXPECT_NE(code, QMetaType::fromType<QString>());
  EXPECT_NE(font, code);

  EXPECT_EQ(QVariant::fromValue(TArduinoGrayscaleAlphaColor::Make(255, 128)).toString(), "$FF80");
  EXPECT_EQ(QVariant::fromValue(TArduinoGrayscaleAlphaColor{0}).toString(), "$0000");
  EXPECT_EQ(QVariant::fromValue(TArduinoGrayscaleAlphaColor{0x00FF}).toInt(), 255);
  for (const auto& [text, value] : {std::pair{"$ff80", 0xFF80}, {"0x00Ff", 0x00FF}, {"65535", 0xFFFF}, {" $0001 ", 1}}) {
    QVariant v(QString::fromLatin1(text));
    ASSERT_TRUE(v.convert(gray)) << text;
    EXPECT_EQ(v.value<TArduinoGrayscaleAlphaColor>().Value, value) << text;
  }
  for (const char* bad : {"$10000", "65536", "-1", "gray", "", "$"}) {
    QVariant v(QString::fromLatin1(bad));
    EXPECT_FALSE(v.convert(gray)) << bad;
  }
  QVariant big(70000);
  EXPECT_FALSE(big.convert(gray));

  const QString lines = QStringLiteral("pinMode(13, OUTPUT);\ndigitalWrite(13, HIGH);");
  EXPECT_EQ(QVariant(lines).value<TArduinoCode>().Text, lines);
  EXPECT_EQ(QVariant::fromValue(TArduinoCode{lines}).toString(), lines);
  EXPECT_EQ(QVariant(QStringLiteral("TomThumb")).value<TArduinoGraphicsFont>().Name, "TomThumb");
  EXPECT_EQ(QVariant::fromValue(TArduinoGraphicsFont{"FreeSans9pt7b"}).toString(), "FreeSans9pt7b");
}

TEST(ArduinoValuesTest, FontsListIsCategorizedWithoutDuplicates) {
  const TArduinoFontsList list = GetArduinoFontsList();
  QSet<QString> seen;
  QStringList categories;
  for (const auto& category : list) {
    categories << category.Name;
    EXPECT_FALSE(category.Items.isEmpty()) << category.Name.toStdString();
    for (const QString& name : category.Items) {
      EXPECT_FALSE(seen.contains(name)) << name.toStdString();
      seen.insert(name);
    }
  }
  EXPECT_EQ(categories, QStringList({"Mono", "Sans", "Serif", "Small"}));
  for (const char* name : {"FreeMono9pt7b", "FreeMonoBoldOblique24pt7b", "FreeSerifBoldItalic12pt7b", "TomThumb", "Org_01"})
    EXPECT_TRUE(seen.contains(QString::fromLatin1(name))) << name;
  EXPECT_EQ(seen.size(), 3 * 16 + 4);

  // Libraries installed while the designer runs: their fonts join their category (a new one goes
  // last), each name once; removed again, the list is as it was and the built-in fonts stay.
  const TArduinoFontCategory known{list.back().Name, {QStringLiteral("Mini5x7"), list.back().Items.first()}};
  const TArduinoFontCategory added{QStringLiteral("Pixel"), {QStringLiteral("Block8"), QStringLiteral("Block16")}};
  RegisterArduinoFonts(known);
  RegisterArduinoFonts(added);
  RegisterArduinoFonts(added);
  TArduinoFontsList expected = list;
  expected.back().Items << QStringLiteral("Mini5x7");
  expected << added;
  EXPECT_EQ(GetArduinoFontsList(), expected);
  UnregisterArduinoFonts(known);
  UnregisterArduinoFonts(added);
  EXPECT_EQ(GetArduinoFontsList(), list);
}

TEST(ArduinoComponentsTest, PropertiesHaveTheLibraryTypesAndOwnTheirObjects) {
  std::unique_ptr<QObject> text(CreateInstance(&TArduinoGraphicsElementDrawText::staticMetaObject, &TComponent::staticMetaObject));
  EXPECT_EQ(PropertyType(text->metaObject(), "Font"), QMetaType::fromType<TArduinoGraphicsFont>());
  // The designer writes values it read from text.
  ASSERT_TRUE(text->setProperty("Font", QStringLiteral("Picopixel")));
  EXPECT_EQ(static_cast<TArduinoGraphicsElementDrawText*>(text.get())->GetFont().Name, "Picopixel");

  TArduinoColorToGrayscaleAlphaColor converter;
  ASSERT_TRUE(converter.setProperty("InitialValue", QStringLiteral("$7F10")));
  EXPECT_EQ(converter.GetInitialValue().Value, 0x7F10);
  TArduinoCustomCode code;
  EXPECT_EQ(PropertyType(code.metaObject(), "Loop"), QMetaType::fromType<TArduinoCode>());

  const TClass bitmaps[] = {&TArduinoColorGraphicsElementDrawBitmap::staticMetaObject,
                            &TArduinoRGBWGraphicsElementDrawBitmap::staticMetaObject,
                            &TArduinoMonochromeGraphicsElementDrawBitmap::staticMetaObject,
                            &TArduinoMonochromeGraphicsElementDrawTransparencyBitmap::staticMetaObject};
  const TClass pixels[] = {&TArduinoColorGraphicsElementDrawBitmapPixels::staticMetaObject,
                           &TArduinoRGBWGraphicsElementDrawBitmapPixels::staticMetaObject,
                           &TArduinoMonochromeGraphicsElementDrawBitmapPixels::staticMetaObject,
                           &TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels::staticMetaObject};
  for (size_t i = 0; i < std::size(bitmaps); ++i) {
    std::unique_ptr<QObject> element(CreateInstance(bitmaps[i], &TComponent::staticMetaObject));
    EXPECT_EQ(PropertyClass(PropertyType(bitmaps[i], "Bitmap")), pixels[i]);
    auto* bitmap = element->property("Bitmap").value<TArduinoGraphicsElementDrawBitmapBasicPixels*>();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->metaObject(), pixels[i]);
    EXPECT_EQ(bitmap->GetOwner(), element.get());
  }
}

TEST(ArduinoComponentsTest, TheShieldsCollectionDecidesItsVisibility) {
  TArduinoUno uno;
  TArduinoNano nano;
  EXPECT_EQ(PropertyClass(PropertyType(&TArduinoUno::staticMetaObject, "Shields")), &TArduinoBasicShields::staticMetaObject);
  EXPECT_TRUE(uno.GetShields()->GetShieldsVisible());
  EXPECT_FALSE(nano.GetShields()->GetShieldsVisible());
  auto* shield = uno.GetShields()->Add(&TArduinoEthernetShield::staticMetaObject);
  EXPECT_EQ(shield->GetDisplayName(), "Ethernet Shield");
  EXPECT_EQ(uno.GetShields()->GetCount(), 1);
}

TEST(ArduinoPackagesTest, EachPackagePutsComponentsOnThePalette) {
  auto& registry = TDesignRegistry::Instance();
  for (auto registerPkg : {&Velto::Arduino::Converters::RegisterPkg, &Velto::Arduino::Packet::RegisterPkg,
                           &Velto::Arduino::Text::RegisterPkg, &Velto::Arduino::Structure::RegisterPkg,
                           &Velto::Arduino::Mqtt::RegisterPkg}) {
    registry.Clear();
    registerPkg();
    EXPECT_FALSE(registry.PaletteClasses().empty());
    EXPECT_EQ(registry.PaletteClasses().size(), registry.Registrations().size());
  }
  registry.Clear();
}
