#include "StringArrayList.h"

QString TStringArrayList::GetText() const { return GetText(QStringLiteral("\n")); }

QString TStringArrayList::GetText(const QString& separator) const {
  qsizetype length = separator.size() * qMax(FCount - 1, 0);
  for (const QString& line : *this) length += line.size();
  QString text;
  text.reserve(length);
  for (int i = 0; i < FCount; ++i) {
    if (i > 0) text += separator;
    text += FArray[i];
  }
  return text;
}

void TStringArrayList::SetText(const QString& text) {
  DoClear();
  if (text.isEmpty()) return;
  const QChar* const data = text.constData();
  const qsizetype n = text.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = data[i];
    if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) continue;
    DoAdd(text.mid(start, i - start), 1);
    if (c == QLatin1Char('\r') && i + 1 < n && data[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  DoAdd(text.mid(start), 1);
}

IArrayList<QString>& TStringArrayList::Assign(const QStringList& lines) {
  return Assign(std::span<const QString>(lines.constData(), size_t(lines.size())));
}

QStringList TStringArrayList::ToStringList() const { return QStringList(begin(), end()); }
