#include "arduino/Values.h"

#include <QMetaType>
#include <utility>

QString TArduinoGrayscaleAlphaColor::ToString() const {
  return QStringLiteral("$%1").arg(Value, 4, 16, QLatin1Char('0')).toUpper();
}

std::optional<TArduinoGrayscaleAlphaColor> TArduinoGrayscaleAlphaColor::FromString(const QString& text) {
  const QString t = text.trimmed();
  bool ok = false;
  uint value = 0;
  if (t.startsWith(QLatin1Char('$')))
    value = t.mid(1).toUInt(&ok, 16);
  else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    value = t.mid(2).toUInt(&ok, 16);
  else
    value = t.toUInt(&ok, 10);
  if (!ok || value > 0xFFFF) return std::nullopt;
  return TArduinoGrayscaleAlphaColor{uint16_t(value)};
}

namespace {
// What installed libraries added, in the order they came.
TArduinoFontsList& LibraryFonts() {
  static TArduinoFontsList fonts;
  return fonts;
}

TArduinoFontCategory* FindCategory(TArduinoFontsList& list, const QString& name) {
  for (TArduinoFontCategory& category : list)
    if (category.Name == name) return &category;
  return nullptr;
}

// Adds the fonts to their category of the list, each name once; a new category goes last.
void Merge(TArduinoFontsList& list, const TArduinoFontCategory& fonts) {
  TArduinoFontCategory* category = FindCategory(list, fonts.Name);
  if (!category) category = &list.emplace_back(TArduinoFontCategory{fonts.Name, {}});
  for (const QString& name : fonts.Items)
    if (!category->Items.contains(name)) category->Items.append(name);
}
}  // namespace

void RegisterArduinoFonts(const TArduinoFontCategory& fonts) { Merge(LibraryFonts(), fonts); }

void UnregisterArduinoFonts(const TArduinoFontCategory& fonts) {
  TArduinoFontCategory* category = FindCategory(LibraryFonts(), fonts.Name);
  if (!category) return;
  for (const QString& name : fonts.Items) category->Items.removeAll(name);
  if (category->Items.isEmpty())
    LibraryFonts().removeIf([&](const TArduinoFontCategory& c) { return c.Name == fonts.Name; });
}

TArduinoFontsList GetArduinoFontsList() {
  // The scalable families come in four sizes and four styles each, named like FreeSansBold12pt7b.
  static const struct {
    const char* Family;
    const char* Styles[4];
  } families[] = {
      {"FreeMono", {"", "Bold", "Oblique", "BoldOblique"}},
      {"FreeSans", {"", "Bold", "Oblique", "BoldOblique"}},
      {"FreeSerif", {"", "Bold", "Italic", "BoldItalic"}},
  };
  TArduinoFontsList list;
  for (const auto& f : families) {
    TArduinoFontCategory category{QString::fromLatin1(f.Family).mid(4), {}};  // "Mono", "Sans", "Serif"
    for (const char* style : f.Styles)
      for (int size : {9, 12, 18, 24})
        category.Items.append(QStringLiteral("%1%2%3pt7b").arg(QLatin1String(f.Family), QLatin1String(style)).arg(size));
    list.append(category);
  }
  list.append({QStringLiteral("Small"),
               {QStringLiteral("Org_01"), QStringLiteral("Picopixel"), QStringLiteral("Tiny3x3a2pt7b"),
                QStringLiteral("TomThumb")}});
  for (const TArduinoFontCategory& added : LibraryFonts()) Merge(list, added);
  return list;
}

namespace {
template <typename From, typename To, typename F>
void AddConverter(F convert) {
  QMetaType::registerConverterFunction(
      [convert](const void* from, void* to) {
        const std::optional<To> result = convert(*static_cast<const From*>(from));
        if (result) *static_cast<To*>(to) = *result;
        return result.has_value();
      },
      QMetaType::fromType<From>(), QMetaType::fromType<To>());
}

template <typename Int>
void AddGrayscaleIntegerConverters() {
  AddConverter<TArduinoGrayscaleAlphaColor, Int>(
      [](TArduinoGrayscaleAlphaColor c) { return std::optional<Int>(Int(c.Value)); });
  AddConverter<Int, TArduinoGrayscaleAlphaColor>([](Int v) -> std::optional<TArduinoGrayscaleAlphaColor> {
    if (std::cmp_less(v, 0) || std::cmp_greater(v, 0xFFFF)) return std::nullopt;
    return TArduinoGrayscaleAlphaColor{uint16_t(v)};
  });
}

bool RegisterValueConverters() {
  AddConverter<TArduinoGrayscaleAlphaColor, QString>(
      [](TArduinoGrayscaleAlphaColor c) { return std::optional<QString>(c.ToString()); });
  AddConverter<QString, TArduinoGrayscaleAlphaColor>(&TArduinoGrayscaleAlphaColor::FromString);
  AddGrayscaleIntegerConverters<int>();
  AddGrayscaleIntegerConverters<uint>();
  AddGrayscaleIntegerConverters<qlonglong>();  // the integer editor's own type

  AddConverter<TArduinoCode, QString>([](const TArduinoCode& c) { return std::optional<QString>(c.Text); });
  AddConverter<QString, TArduinoCode>([](const QString& s) { return std::optional(TArduinoCode{s}); });

  AddConverter<TArduinoGraphicsFont, QString>(
      [](const TArduinoGraphicsFont& f) { return std::optional<QString>(f.Name); });
  AddConverter<QString, TArduinoGraphicsFont>(
      [](const QString& s) { return std::optional(TArduinoGraphicsFont{s.trimmed()}); });
  return true;
}

// Runs when velto_host is loaded, before any designer or package code can convert a value.
[[maybe_unused]] const bool ConvertersRegistered = RegisterValueConverters();
}  // namespace
