#include "runtime/SysUtils.h"

#include <limits>

std::optional<qlonglong> TryStrToInt64(const QString& text) {
  QString t = text.trimmed();
  bool negative = false;
  if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
    negative = t.front() == QLatin1Char('-');
    t.remove(0, 1);
  }
  int base = 10;
  if (t.startsWith(QLatin1Char('$'))) {
    base = 16;
    t.remove(0, 1);
  } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    t.remove(0, 2);
  }
  // Only digits of the base may follow: toULongLong alone would also take a second sign or prefix.
  if (t.isEmpty()) return std::nullopt;
  for (const QChar c : t)
    if (!(c.isDigit() && c.unicode() < 128) && !(base == 16 && QStringLiteral("abcdefABCDEF").contains(c)))
      return std::nullopt;
  bool ok = false;
  const qulonglong magnitude = t.toULongLong(&ok, base);
  constexpr qulonglong limit = qulonglong(std::numeric_limits<qlonglong>::max());
  if (!ok || magnitude > limit + (negative ? 1 : 0)) return std::nullopt;
  return negative ? qlonglong(0 - magnitude) : qlonglong(magnitude);
}

qlonglong StrToIntDef(const QString& text, qlonglong defaultValue) {
  return TryStrToInt64(text).value_or(defaultValue);
}

QString HexDisplayPrefix() { return QStringLiteral("$"); }
