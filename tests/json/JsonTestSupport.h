#pragma once

#include "arduino/JsonComponents.h"

#include <QRegularExpression>
#include <QStringList>
#include <string>

// An element tree as one line: "Object:a{Integer:x}, AnalogArray". Class names lose their side
// prefix and the Element suffix; named elements add their name; nested collections follow in braces,
// read through the published Elements property as the designer reads them.
inline std::string Describe(const TCollection* collection) {
  QStringList parts;
  for (const TCollectionItem* item : *collection) {
    QString text = QString::fromLatin1(item->metaObject()->className());
    text.remove(QRegularExpression(QStringLiteral("^TArduino(Make|Split)JSON|Element$")));
    if (const QVariant name = item->property("Name"); name.isValid()) text += QLatin1Char(':') + name.toString();
    if (const QVariant nested = item->property("Elements"); nested.isValid())
      text += '{' + QString::fromStdString(Describe(nested.value<TCollection*>())) + '}';
    parts.append(text);
  }
  return parts.join(QStringLiteral(", ")).toStdString();
}
