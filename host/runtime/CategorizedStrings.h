#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A list of choices in named groups, shown as a drop-down with category headings.
struct TStringCategory {
  QString Name;
  QStringList Items;
  friend bool operator==(const TStringCategory&, const TStringCategory&) = default;
};
using TCategorizedStringList = QList<TStringCategory>;
