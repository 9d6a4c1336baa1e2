#include "DocumentStreamer.h"

#include "framework/Registration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QMetaEnum>
#include <QVariant>
#include <cmath>

namespace DocumentStreamer {
namespace {

const QString kClass = QStringLiteral("class");
const QString kProperties = QStringLiteral("properties");
const QString kData = QStringLiteral("data");
const QString kFormat = QStringLiteral("velto-design");
constexpr int kVersion = 1;

[[noreturn]] void Raise(const QString& place, const QString& reason) {
  throw EDocumentError(place.isEmpty() ? reason : QStringLiteral("%1: %2").arg(place, reason));
}

QString Join(const QString& place, const QString& part) {
  return place.isEmpty() ? part : place + QLatin1Char('.') + part;
}

bool IsIntegral(QMetaType type) {
  switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
      return true;
    default:
      return false;
  }
}

bool IsFloating(QMetaType type) { return type.id() == QMetaType::Double || type.id() == QMetaType::Float; }

// Converts through QVariant and checks that nothing was lost on the way (QVariant truncates
// 1.5 to 1 and wraps 300 into a byte without complaint).
bool ConvertChecked(QVariant& value, QMetaType target) {
  const QVariant source = value;
  if (!value.convert(target)) return false;
  if (IsIntegral(target) && (source.typeId() == QMetaType::Double || source.typeId() == QMetaType::QString)) {
    bool ok = false;
    const double wanted = source.typeId() == QMetaType::Double ? source.toDouble() : source.toString().toDouble(&ok);
    if (source.typeId() == QMetaType::QString && !ok) return false;
    if (std::floor(wanted) != wanted || value.toDouble() != wanted) return false;
  }
  return true;
}

QString TypeName(const QMetaProperty& property) { return QString::fromLatin1(property.metaType().name()); }

// Enum values by key ("mdBlink", "[fsBold, fsItalic]" for sets).
QString EnumText(const QMetaEnum& e, int value) {
  if (e.isFlag()) return QString::fromLatin1(e.valueToKeys(value));
  const char* key = e.valueToKey(value);
  return key ? QString::fromLatin1(key) : QString::number(value);
}

QVariant ValueFromText(const QMetaProperty& property, const QString& text, const QString& place) {
  const QString bad = QStringLiteral("\"%1\" is not a valid %2 value").arg(text, TypeName(property));
  if (property.isEnumType()) {
    const QMetaEnum e = property.enumerator();
    bool ok = false;
    const int value =
        e.isFlag() ? e.keysToValue(text.toLatin1().constData(), &ok) : e.keyToValue(text.toLatin1().constData(), &ok);
    // The lookup would end the text at a NUL and take what came before.
    if (!ok || text.contains(QChar(0))) Raise(place, bad);
    QVariant v(value);
    if (!v.convert(property.metaType())) Raise(place, bad);
    return v;
  }
  if (property.metaType().id() == QMetaType::Bool) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1")) return true;
    if (t == QLatin1String("false") || t == QLatin1String("0")) return false;
    Raise(place, bad);
  }
  if (property.metaType().id() == QMetaType::QStringList) return text.split(QLatin1Char('\n'));
  QVariant v(text);
  if (IsIntegral(property.metaType()) || IsFloating(property.metaType())) v = QVariant(text.trimmed());
  if (!ConvertChecked(v, property.metaType())) Raise(place, bad);
  return v;
}

void WriteProperty(QObject* object, const QMetaProperty& property, const QVariant& value, const QString& place) {
  try {
    if (!property.write(object, value)) Raise(place, QStringLiteral("the property refused the value"));
  } catch (const EDocumentError&) {
    throw;
  } catch (const std::exception& e) {
    Raise(place, QString::fromUtf8(e.what()));
  }
}

QJsonValue WriteValue(const QObject* object, const QMetaProperty& property) {
  const QVariant value = property.read(object);
  if (property.isEnumType()) return EnumText(property.enumerator(), value.toInt());
  const QMetaType type = property.metaType();
  if (type.id() == QMetaType::Bool) return value.toBool();
  if (IsIntegral(type) || IsFloating(type)) return value.toDouble();
  if (type.id() == QMetaType::QString) return value.toString();
  if (type.id() == QMetaType::QStringList) return QJsonArray::fromStringList(value.toStringList());
  QVariant text = value;
  if (!text.convert(QMetaType::fromType<QString>()))
    throw EDocumentError(QStringLiteral("%1.%2: the type %3 has no text form")
                             .arg(QString::fromLatin1(object->metaObject()->className()),
                                  QString::fromLatin1(property.name()), TypeName(property)));
  return text.toString();
}

void ReadValue(QObject* object, const QMetaProperty& property, const QJsonValue& json, const QString& place) {
  const QMetaType type = property.metaType();
  QVariant value;
  if (json.isString()) {
    value = ValueFromText(property, json.toString(), place);
  } else if (json.isArray() && type.id() == QMetaType::QStringList) {
    QStringList lines;
    for (const QJsonValue& line : json.toArray()) {
      if (!line.isString()) Raise(place, QStringLiteral("expected an array of strings"));
      lines << line.toString();
    }
    value = lines;
  } else if (json.isBool() && type.id() == QMetaType::Bool) {
    value = json.toBool();
  } else if (json.isDouble() && (IsIntegral(type) || IsFloating(type))) {
    value = json.toDouble();
    if (!ConvertChecked(value, type))
      Raise(place, QStringLiteral("%1 is not a valid %2 value").arg(json.toDouble()).arg(TypeName(property)));
  } else {
    Raise(place, QStringLiteral("expected a %1 value").arg(TypeName(property)));
  }
  WriteProperty(object, property, value, place);
}

QJsonArray WriteCollection(const TCollection* collection) {
  QJsonArray items;
  for (const TCollectionItem* item : *collection) items.append(WriteObject(item));
  return items;
}

// The class an item names, which may also be a class that is known but no item of the collection.
TClass FindNamedClass(const TCollection* collection, const QString& name) {
  TClass base = collection->GetItemClass();
  if (name.isEmpty() || name == QLatin1String(base->className())) return base;
  // Item classes are not on the palette: the library registers them by name, and a class used
  // as a property type is known to the meta-type system by its pointer type.
  TClass cls = FindClass(name);
  return cls ? cls : PropertyClass(QMetaType::fromName((name + QLatin1Char('*')).toLatin1()));
}

void ReadCollection(TCollection* collection, const QJsonValue& json, const QString& place) {
  if (!json.isArray()) Raise(place, QStringLiteral("expected an array of items"));
  collection->Clear();
  const QJsonArray items = json.toArray();
  for (int i = 0; i < items.size(); ++i) {
    const QString itemPlace = QStringLiteral("%1[%2]").arg(place).arg(i);
    if (!items[i].isObject()) Raise(itemPlace, QStringLiteral("expected an object"));
    const QJsonObject item = items[i].toObject();
    const QString className = item.value(kClass).toString();
    TClass cls = FindNamedClass(collection, className);
    const QString itemClass = QString::fromLatin1(collection->GetItemClass()->className());
    if (!cls) Raise(itemPlace, QStringLiteral("unknown class \"%1\" for items of %2").arg(className, itemClass));
    if (!InheritsFrom(cls, collection->GetItemClass()))
      Raise(itemPlace, QStringLiteral("class \"%1\" does not belong to this collection, whose items are %2")
                           .arg(className, itemClass));
    TCollectionItem* added = nullptr;
    try {
      added = collection->Add(cls);
    } catch (const std::exception& e) {
      // A base item class with no constructor of its own (an item that names no class).
      Raise(itemPlace,
            QStringLiteral("cannot create %1: %2").arg(QString::fromLatin1(cls->className()), QString::fromUtf8(e.what())));
    }
    ReadObject(added, item, itemPlace);
  }
}

}  // namespace

std::vector<QMetaProperty> PublishedProperties(const QMetaObject* cls) {
  std::vector<QMetaProperty> properties;
  for (int i = QObject::staticMetaObject.propertyCount(); i < cls->propertyCount(); ++i)
    properties.push_back(cls->property(i));
  return properties;
}

TPersistent* SubObject(const QObject* object, const QMetaProperty& property) {
  if (!PropertyClass(property.metaType())) return nullptr;
  auto* sub = qobject_cast<TPersistent*>(property.read(object).value<QObject*>());
  // Only objects the property owns are streamed in place; anything else is a reference.
  return sub && sub->parent() == object ? sub : nullptr;
}

TPropertyKind KindOf(const QObject* object, const QMetaProperty& property) {
  if (PropertyClass(property.metaType())) {
    TPersistent* sub = SubObject(object, property);
    if (!sub) return TPropertyKind::Ignored;
    return qobject_cast<TCollection*>(sub) ? TPropertyKind::Collection : TPropertyKind::Object;
  }
  if (!property.isWritable() || !property.isStored()) return TPropertyKind::Ignored;
  return TPropertyKind::Value;
}

QString PropertyText(const QObject* object, const QMetaProperty& property) {
  const QVariant value = property.read(object);
  if (property.isEnumType()) return EnumText(property.enumerator(), value.toInt());
  if (property.metaType().id() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char('\n'));
  if (property.metaType().id() == QMetaType::Bool)
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  QVariant text = value;
  return text.convert(QMetaType::fromType<QString>()) ? text.toString() : QString();
}

void SetPropertyText(QObject* object, const QMetaProperty& property, const QString& text) {
  const QString place = QString::fromLatin1(property.name());
  WriteProperty(object, property, ValueFromText(property, text, place), place);
}

QJsonObject WriteObject(const TPersistent* object) {
  QJsonObject json;
  json.insert(kClass, QString::fromLatin1(object->metaObject()->className()));
  QJsonObject properties;
  for (const QMetaProperty& property : PublishedProperties(object->metaObject())) {
    const QString name = QString::fromLatin1(property.name());
    switch (KindOf(object, property)) {
      case TPropertyKind::Value:
        properties.insert(name, WriteValue(object, property));
        break;
      case TPropertyKind::Object:
        properties.insert(name, WriteObject(SubObject(object, property)));
        break;
      case TPropertyKind::Collection:
        properties.insert(name, WriteCollection(static_cast<TCollection*>(SubObject(object, property))));
        break;
      case TPropertyKind::Ignored:
        break;
    }
  }
  json.insert(kProperties, properties);
  if (const QJsonValue data = object->WriteCustomData(); !data.isNull() && !data.isUndefined())
    json.insert(kData, data);
  return json;
}

void ReadObject(TPersistent* object, const QJsonObject& json, const QString& place) {
  const QJsonValue propertiesValue = json.value(kProperties);
  if (!propertiesValue.isUndefined() && !propertiesValue.isObject())
    Raise(Join(place, kProperties), QStringLiteral("expected an object"));
  const QJsonObject properties = propertiesValue.toObject();
  const QMetaObject* cls = object->metaObject();
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    const QString propertyPlace = Join(place, it.key());
    const int index = cls->indexOfProperty(it.key().toLatin1().constData());
    // The lookup stops at a NUL and turns other characters into '?': only the exact name counts.
    if (index < QObject::staticMetaObject.propertyCount() || it.key() != QLatin1String(cls->property(index).name()))
      Raise(propertyPlace,
            QStringLiteral("%1 has no property \"%2\"").arg(QString::fromLatin1(cls->className()), it.key()));
    const QMetaProperty property = cls->property(index);
    switch (KindOf(object, property)) {
      case TPropertyKind::Value:
        ReadValue(object, property, it.value(), propertyPlace);
        break;
      case TPropertyKind::Object:
        if (!it.value().isObject()) Raise(propertyPlace, QStringLiteral("expected an object"));
        ReadObject(SubObject(object, property), it.value().toObject(), propertyPlace);
        break;
      case TPropertyKind::Collection:
        ReadCollection(static_cast<TCollection*>(SubObject(object, property)), it.value(), propertyPlace);
        break;
      case TPropertyKind::Ignored:
        Raise(propertyPlace, QStringLiteral("the property cannot be set from a document"));
    }
  }
  // No "data" means the object has none: one that holds some now (a state being restored) is reset.
  if (json.contains(kData) || !object->WriteCustomData().isNull()) {
    try {
      object->ReadCustomData(json.contains(kData) ? json.value(kData) : QJsonValue());
    } catch (const std::exception& e) {
      Raise(Join(place, kData), QString::fromUtf8(e.what()));
    }
  }
}

TClass FindPaletteClass(const QString& className) {
  for (TClass cls : TDesignRegistry::Instance().PaletteClasses())
    if (cls && className == QLatin1String(cls->className())) return cls;
  return nullptr;
}

std::unique_ptr<TComponent> CreateComponent(const QJsonObject& json, const QString& place) {
  const QString className = json.value(kClass).toString();
  if (className.isEmpty()) Raise(place, QStringLiteral("the component names no class"));
  TClass cls = FindPaletteClass(className);
  if (!cls) Raise(place, QStringLiteral("unknown class \"%1\" (no loaded package registers it)").arg(className));
  std::unique_ptr<TComponent> component;
  try {
    component.reset(qobject_cast<TComponent*>(CreateInstance(cls, &TComponent::staticMetaObject)));
  } catch (const std::exception& e) {
    Raise(place, QStringLiteral("cannot create %1: %2").arg(className, QString::fromUtf8(e.what())));
  }
  if (!component) Raise(place, QStringLiteral("cannot create %1").arg(className));
  ReadObject(component.get(), json, place);
  return component;
}

QByteArray WriteDocument(const TDesignDocument& document) {
  QJsonArray components;
  for (int i = 0; i < document.GetCount(); ++i) components.append(WriteObject(document.GetComponent(i)));
  QJsonObject root;
  root.insert(QStringLiteral("format"), kFormat);
  root.insert(QStringLiteral("version"), kVersion);
  root.insert(QStringLiteral("components"), components);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::vector<std::unique_ptr<TComponent>> ReadDocument(const QByteArray& data, const QString& fileLabel) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
  if (error.error != QJsonParseError::NoError) {
    // The offset is in bytes; people look for lines. A file cut short fails where it ends, and an
    // offset beyond its last byte would send them looking for something that is not there.
    const int line = int(data.left(error.offset).count('\n')) + 1;
    if (error.offset >= data.size()) {
      const bool cut = error.error == QJsonParseError::UnterminatedObject ||
                       error.error == QJsonParseError::UnterminatedArray ||
                       error.error == QJsonParseError::UnterminatedString;
      if (cut) Raise(fileLabel, QStringLiteral("invalid JSON: the file ends early, at line %1").arg(line));
      Raise(fileLabel, QStringLiteral("invalid JSON at the end of the file (line %1): %2").arg(line).arg(error.errorString()));
    }
    Raise(
        fileLabel,
        QStringLiteral("invalid JSON at line %1 (offset %2): %3").arg(line).arg(error.offset).arg(error.errorString()));
  }
  if (!doc.isObject()) Raise(fileLabel, QStringLiteral("expected a JSON object at the top level"));
  const QJsonObject root = doc.object();
  if (root.value(QStringLiteral("format")).toString() != kFormat)
    Raise(fileLabel, QStringLiteral("not a design document (\"format\" is not \"%1\")").arg(kFormat));
  if (root.value(QStringLiteral("version")).toInt() > kVersion)
    Raise(fileLabel, QStringLiteral("document version %1 is newer than this designer reads (%2)")
                         .arg(root.value(QStringLiteral("version")).toInt())
                         .arg(kVersion));
  const QJsonValue list = root.value(QStringLiteral("components"));
  if (!list.isArray()) Raise(fileLabel, QStringLiteral("\"components\" must be an array"));
  std::vector<std::unique_ptr<TComponent>> components;
  const QJsonArray array = list.toArray();
  for (int i = 0; i < array.size(); ++i) {
    const auto at = [&](const QString& place) {
      return fileLabel.isEmpty() ? place : fileLabel + QStringLiteral(": ") + place;
    };
    QString place = QStringLiteral("components[%1]").arg(i);
    if (!array[i].isObject()) Raise(at(place), QStringLiteral("expected an object"));
    const QString name = array[i].toObject().value(kProperties).toObject().value(QStringLiteral("Name")).toString();
    if (!name.isEmpty()) place += QStringLiteral(" (%1)").arg(name);
    for (const auto& c : components)
      if (!name.isEmpty() && c->GetName().compare(name, Qt::CaseInsensitive) == 0)
        Raise(at(place), QStringLiteral("a component named \"%1\" comes earlier").arg(name));
    components.push_back(CreateComponent(array[i].toObject(), at(place)));
  }
  return components;
}

}  // namespace DocumentStreamer
