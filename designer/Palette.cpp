#include "Palette.h"

#include "framework/Registration.h"

#include <QSet>
#include <algorithm>

QString ReadableClassName(const QString& className) {
  QString name = className;
  if (name.startsWith(QLatin1Char('T'))) name.remove(0, 1);
  if (name.startsWith(QLatin1String("Arduino")) && name.size() > 7) name.remove(0, 7);
  QString words;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar c = name[i];
    const bool afterSmall = i > 0 && (name[i - 1].isLower() || name[i - 1].isDigit());
    const bool endsCapitals = i > 0 && name[i - 1].isUpper() && i + 1 < name.size() && name[i + 1].isLower();
    if (c.isUpper() && (afterSmall || endsCapitals)) words += QLatin1Char(' ');
    words += c;
  }
  return words;
}

std::vector<TPaletteEntry> PaletteEntries(const QString& filter) {
  std::vector<TPaletteEntry> entries;
  QSet<TClass> seen;
  for (const auto& registration : TDesignRegistry::Instance().Registrations()) {
    const auto* p = std::get_if<TPaletteRegistration>(&registration);
    if (!p || !p->ComponentClass || seen.contains(p->ComponentClass)) continue;
    const QString className = QString::fromLatin1(p->ComponentClass->className());
    TPaletteEntry entry{p->Page.isEmpty() ? QStringLiteral("Other") : p->Page, ReadableClassName(className),
                        p->ComponentClass};
    if (!filter.isEmpty() && !entry.Name.contains(filter, Qt::CaseInsensitive) &&
        !className.contains(filter, Qt::CaseInsensitive) && !entry.Page.contains(filter, Qt::CaseInsensitive))
      continue;
    seen.insert(p->ComponentClass);
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const TPaletteEntry& a, const TPaletteEntry& b) {
    const int page = QString::localeAwareCompare(a.Page, b.Page);
    return page != 0 ? page < 0 : QString::localeAwareCompare(a.Name, b.Name) < 0;
  });
  return entries;
}
