#pragma once

#include "runtime/CategorizedStrings.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// Value types of component properties. Each is a distinct meta-type, so the designer can find the
// property editor registered for it, and converts to and from QString for the inspector's text and
// the design document. Converters are registered when velto_host is loaded.

// Gray level in bits 0-7 (0 black, 255 white), alpha in bits 8-15 (0 transparent, 255 opaque).
struct TArduinoGrayscaleAlphaColor {
  uint16_t Value = 0xFF00;  // opaque black

  constexpr uint8_t GetGray() const { return uint8_t(Value); }
  constexpr uint8_t GetAlpha() const { return uint8_t(Value >> 8); }
  static constexpr TArduinoGrayscaleAlphaColor Make(uint8_t alpha, uint8_t gray) {
    return {uint16_t((alpha << 8) | gray)};
  }
  // "$FF80": a dollar sign and four upper-case hexadecimal digits.
  QString ToString() const;
  // Takes "$FF80", "0xFF80" or a decimal number up to 65535; nothing for anything else.
  static std::optional<TArduinoGrayscaleAlphaColor> FromString(const QString& text);
  friend constexpr bool operator==(TArduinoGrayscaleAlphaColor, TArduinoGrayscaleAlphaColor) = default;
};

// Program text inserted into the generated sketch; multi-line, line breaks as LF.
struct TArduinoCode {
  QString Text;
  friend bool operator==(const TArduinoCode&, const TArduinoCode&) = default;
};

// A font of the graphics displays, by the name of its font table; empty selects the display's
// built-in font.
struct TArduinoGraphicsFont {
  QString Name;
  friend bool operator==(const TArduinoGraphicsFont&, const TArduinoGraphicsFont&) = default;
};

using TArduinoFontCategory = TStringCategory;
using TArduinoFontsList = TCategorizedStringList;

// The fonts a graphics text element can use, grouped by family: the built-in ones, then those that
// installed libraries brought. The list is made anew on every call.
TArduinoFontsList GetArduinoFontsList();
// A library installed while the designer runs brings fonts: they are listed from now on, in their
// category (a new one goes last), each name once.
void RegisterArduinoFonts(const TArduinoFontCategory& fonts);
// The library is removed again: its fonts are no longer listed, and neither is a category left
// empty. Built-in fonts stay.
void UnregisterArduinoFonts(const TArduinoFontCategory& fonts);

Q_DECLARE_METATYPE(TArduinoGrayscaleAlphaColor)
Q_DECLARE_METATYPE(TArduinoCode)
Q_DECLARE_METATYPE(TArduinoGraphicsFont)
