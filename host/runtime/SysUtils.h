#pragma once

#include <QString>
#include <optional>

// Whole numbers as the run-time library writes and reads them: decimal with an optional sign, or
// hexadecimal after "$" (the display prefix) or "0x". Blanks around the number are ignored.
std::optional<qlonglong> TryStrToInt64(const QString& text);
// The number, or `defaultValue` for text that is none.
qlonglong StrToIntDef(const QString& text, qlonglong defaultValue);
// The prefix of hexadecimal numbers in display texts.
QString HexDisplayPrefix();
