#pragma once

#include "arduino/JsonComponents.h"

#include <QRegularExpression>
#include <QStringList>
#include <string>

// An element tree as one line: "Object:a{Integer:x}, AnalogArray". Class names lose their side
// prefix and the Element suffix; named elements add their name; nested collections follow in braces,
// read through the published Elements property as the designer reads them.
inline QString Describe(const TCollection* collection) {
  QStringList parts;
  for (const TCollectionItem* item : *collection) {
    QString text = QString::fromLatin1(item->metaObject()->className());
    text.remove(QRegularExpression(QStringLiteral("^TArduino(Make|Split)JSON|Element$")));
    const QVariant name = item->property("Name");
    if (name.isValid()) text += QLatin1Char(':') + name.toString();
    const QVariant nested = item->property("Elements");
    if (nested.isValid()) text += QLatin1Char('{') + Describe(nested.value<TCollection*>()) + QLatin1Char('}');
    parts.append(text);
  }
  return parts.join(QStringLiteral(", "));
}

inline std::string DescribeStd(const TCollection* collection) { return Describe(collection).toStdString(); }
