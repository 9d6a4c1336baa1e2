#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
// Windows system colour indices that the toolkit uses, mapped to palette roles.
QColor SystemColor(uint32_t index) {
  const QPalette pal = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
  switch (index) {
    case 5: return pal.color(QPalette::Base);              // clWindow
    case 8: return pal.color(QPalette::Text);              // clWindowText
    case 13: return pal.color(QPalette::Highlight);        // clHighlight
    case 14: return pal.color(QPalette::HighlightedText);  // clHighlightText
    case 15: return pal.color(QPalette::Button);           // clBtnFace
    case 18: return pal.color(QPalette::ButtonText);       // clBtnText
    default: return pal.color(QPalette::Window);
  }
}
}  // namespace

TAlphaColor MakeColor(TColor color) {
  if (color & clSystemColorFlag) {
    const QColor c = SystemColor(color & 0xFFu);
    return GPMakeColor(255, uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()));
  }
  return GPMakeColor(255, uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16));
}

QString RGBAColorToString(TAlphaColor c) {
  return QStringLiteral("A:%1 R:%2 G:%3 B:%4").arg(GetAlpha(c)).arg(GetRed(c)).arg(GetGreen(c)).arg(GetBlue(c));
}

QString RGBWAlphaColorToString(TRGBWAlphaColor c) {
  return QStringLiteral("A:%1 W:%2 R:%3 G:%4 B:%5")
      .arg(GetRGBWAlpha(c))
      .arg(GetRGBWWhite(c))
      .arg(uint8_t(c >> 16))
      .arg(uint8_t(c >> 8))
      .arg(uint8_t(c));
}
