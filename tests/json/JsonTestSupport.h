#pragma once

#include "arduino/JsonComponents.h"
#include "framework/ComponentEditors.h"

#include <QMetaProperty>
#include <QStringList>
#include <functional>
#include <memory>

// An element tree as one line: "Object:a{Integer:x}, AnalogArray". Class names lose their side
// prefix and the Element suffix; named elements add their name; nested collections follow in braces,
// read through the published Elements property as the designer reads them.
inline QString Describe(const TCollection* collection) {
  QStringList parts;
  for (const TCollectionItem* item : *collection) {
    QString text = QString::fromLatin1(item->metaObject()->className());
    for (const char* prefix : {"TArduinoMakeJSON", "TArduinoSplitJSON"})
      if (text.startsWith(QLatin1String(prefix))) text.remove(0, int(qstrlen(prefix)));
    text.chop(int(qstrlen("Element")));
    const QVariant name = item->property("Name");
    if (name.isValid()) text += QLatin1Char(':') + name.toString();
    const QVariant nested = item->property("Elements");
    if (nested.isValid()) text += QLatin1Char('{') + Describe(nested.value<TCollection*>()) + QLatin1Char('}');
    parts.append(text);
  }
  return parts.join(QStringLiteral(", "));
}

inline std::string DescribeStd(const TCollection* collection) { return Describe(collection).toStdString(); }

// A designer that counts the modifications opened and released.
class TCountingDesigner final : public IDesigner {
public:
  int Begun = 0;
  int Released = 0;
  TPersistent* LastTarget = nullptr;
  std::function<void()> OnRelease;  // runs as a modification is released

  std::shared_ptr<IModification> BeginModify(TPersistent* target) override {
    ++Begun;
    LastTarget = target;
    return std::make_shared<TModification>(*this);
  }

private:
  struct TModification final : IModification {
    explicit TModification(TCountingDesigner& owner) : Owner(owner) {}
    ~TModification() override {
      ++Owner.Released;
      if (Owner.OnRelease) Owner.OnRelease();
    }
    TCountingDesigner& Owner;
  };
};
