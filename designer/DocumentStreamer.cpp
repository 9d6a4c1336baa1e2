#include "DocumentStreamer.h"

#include "JsonText.h"
#include "framework/Registration.h"

#include <QJsonArray>
#include <QLocale>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QSet>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace DocumentStreamer {
namespace {

using Reflection::KindOf;
using Reflection::PublishedProperties;
using Reflection::SubObject;

const QString kClass = QStringLiteral("class");
const QString kProperties = QStringLiteral("properties");
const QString kData = QStringLiteral("data");
const QString kFormat = QStringLiteral("velto-design");
constexpr int kVersion = 1;
// Custom data becomes Qt JSON values, which Qt frees recursively; no component keeps state this deep.
constexpr int kDataDepth = 512;

[[noreturn]] void Raise(const QString& place, const QString& reason) {
  throw EDocumentError(place.isEmpty() ? reason : QStringLiteral("%1: %2").arg(place, reason));
}

QString Join(const QString& place, const QString& part) {
  return place.isEmpty() ? part : place + QLatin1Char('.') + part;
}

// A value that cannot be set, without its place: the reader knows the place and builds it only
// for a message (at ten thousand levels it is a long text).
struct TReason {
  QString text;
};

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

QVariant ValueFromText(const QMetaProperty& property, const QString& text) {
  const QString bad = QStringLiteral("\"%1\" is not a valid %2 value").arg(text, TypeName(property));
  if (property.isEnumType()) {
    const QMetaEnum e = property.enumerator();
    bool ok = false;
    const int value =
        e.isFlag() ? e.keysToValue(text.toLatin1().constData(), &ok) : e.keyToValue(text.toLatin1().constData(), &ok);
    // The lookup would end the text at a NUL and take what came before.
    if (!ok || text.contains(QChar(0))) throw TReason{bad};
    QVariant v(value);
    if (!v.convert(property.metaType())) throw TReason{bad};
    return v;
  }
  if (property.metaType().id() == QMetaType::Bool) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1")) return true;
    if (t == QLatin1String("false") || t == QLatin1String("0")) return false;
    throw TReason{bad};
  }
  if (property.metaType().id() == QMetaType::QStringList) return text.split(QLatin1Char('\n'));
  QVariant v(text);
  if (IsIntegral(property.metaType()) || IsFloating(property.metaType())) v = QVariant(text.trimmed());
  if (!ConvertChecked(v, property.metaType())) throw TReason{bad};
  return v;
}

void WriteProperty(QObject* object, const QMetaProperty& property, const QVariant& value) {
  bool written = false;
  try {
    written = property.write(object, value);
  } catch (const std::exception& e) {
    throw TReason{QString::fromUtf8(e.what())};
  }
  if (!written) throw TReason{QStringLiteral("the property refused the value")};
}

void ReadValue(QObject* object, const QMetaProperty& property, const TJsonTree& json, int node) {
  const QMetaType type = property.metaType();
  QVariant value;
  if (json.IsString(node)) {
    value = ValueFromText(property, json.String(node));
  } else if (json.IsArray(node) && type.id() == QMetaType::QStringList) {
    QStringList lines;
    for (int i = 0, n = json.Count(node); i < n; ++i) {
      const int line = json.Child(node, i);
      if (!json.IsString(line)) throw TReason{QStringLiteral("expected an array of strings")};
      lines << json.String(line);
    }
    value = lines;
  } else if (json.IsBool(node) && type.id() == QMetaType::Bool) {
    value = json.Bool(node);
  } else if (json.IsNumber(node) && (IsIntegral(type) || IsFloating(type))) {
    value = json.Number(node);
    if (!ConvertChecked(value, type))
      throw TReason{QStringLiteral("%1 is not a valid %2 value").arg(json.Number(node)).arg(TypeName(property))};
  } else {
    throw TReason{QStringLiteral("expected a %1 value").arg(TypeName(property))};
  }
  WriteProperty(object, property, value);
}

// The published properties of the classes met while streaming, in key order. A name declared
// again further down the class tree stands for the later declaration, as indexOfProperty has it.
class TClassCache {
public:
  struct TPublished {
    QMetaProperty property;
    QByteArray name;
    QString key;
  };
  struct TInfo {
    QString className;
    std::vector<TPublished> properties;
  };

  // Stays where it is while other classes are added: writer frames point into it.
  const TInfo& Info(const QMetaObject* cls) {
    auto it = FClasses.find(cls);
    if (it != FClasses.end()) return it->second;
    TInfo info{QString::fromLatin1(cls->className()), {}};
    for (const QMetaProperty& property : PublishedProperties(cls))
      info.properties.push_back({property, QByteArray(property.name()), QString::fromLatin1(property.name())});
    std::stable_sort(info.properties.begin(), info.properties.end(),
                     [](const TPublished& a, const TPublished& b) { return a.name < b.name; });
    auto kept = info.properties.begin();
    for (auto p = info.properties.begin(); p != info.properties.end(); ++p)
      if (p + 1 == info.properties.end() || p->name != (p + 1)->name) *kept++ = *p;
    info.properties.erase(kept, info.properties.end());
    return FClasses.emplace(cls, std::move(info)).first->second;
  }

  // The property named exactly `name` (a NUL or any other byte counts), or nullptr.
  const TPublished* Find(const QMetaObject* cls, QByteArrayView name) {
    const std::vector<TPublished>& properties = Info(cls).properties;
    const auto it = std::lower_bound(properties.begin(), properties.end(), name,
                                     [](const TPublished& p, QByteArrayView n) { return QByteArrayView(p.name) < n; });
    return it != properties.end() && QByteArrayView(it->name) == name ? &*it : nullptr;
  }

private:
  std::unordered_map<const QMetaObject*, TInfo> FClasses;
};

void WriteValue(TJsonWriter& out, const QObject* object, const QMetaProperty& property) {
  const QVariant value = property.read(object);
  if (property.isEnumType()) return out.String(EnumText(property.enumerator(), value.toInt()));
  const QMetaType type = property.metaType();
  if (type.id() == QMetaType::Bool) return out.Bool(value.toBool());
  if (IsIntegral(type) || IsFloating(type)) return out.Number(value.toDouble());
  if (type.id() == QMetaType::QString) return out.String(value.toString());
  if (type.id() == QMetaType::QStringList) {
    out.BeginArray();
    for (const QString& line : value.toStringList()) out.String(line);
    return out.EndArray();
  }
  QVariant text = value;
  if (!text.convert(QMetaType::fromType<QString>()))
    throw EDocumentError(QStringLiteral("%1.%2: the type %3 has no text form")
                             .arg(QString::fromLatin1(object->metaObject()->className()),
                                  QString::fromLatin1(property.name()), TypeName(property)));
  out.String(text.toString());
}

// Streams an object with its sub-objects and collection items, keys in order; the nesting is a
// stack of frames, not of calls.
class TObjectWriter {
public:
  TObjectWriter(TJsonWriter& out, TClassCache& classes) : FOut(out), FClasses(classes) {}

  void Write(const TPersistent* object) {
    Open(object);
    while (!FStack.empty()) {
      TFrame& frame = FStack.back();
      if (frame.collection) {
        if (frame.next < frame.collection->GetCount()) {
          Open(frame.collection->GetItem(frame.next++));
        } else {
          FOut.EndArray();
          FStack.pop_back();
        }
      } else if (WriteProperties()) {
        FOut.EndObject();  // properties
        FOut.EndObject();
        FStack.pop_back();
      }
    }
  }

private:
  struct TFrame {
    const TPersistent* object = nullptr;
    const std::vector<TClassCache::TPublished>* properties = nullptr;
    int next = 0;
    const TCollection* collection = nullptr;  // a collection's items rather than an object's properties
  };

  void Open(const TPersistent* object) {
    const TClassCache::TInfo& info = FClasses.Info(object->metaObject());
    FOut.BeginObject();
    FOut.Key(kClass);
    FOut.String(info.className);
    if (const QJsonValue data = object->WriteCustomData(); !data.isNull() && !data.isUndefined()) {
      FOut.Key(kData);
      FOut.Value(data);
    }
    FOut.Key(kProperties);
    FOut.BeginObject();
    FStack.push_back({object, &info.properties, 0, nullptr});
  }

  // Writes the top frame's properties up to the next one that nests; true when all are written.
  bool WriteProperties() {
    TFrame& frame = FStack.back();
    while (frame.next < int(frame.properties->size())) {
      const TClassCache::TPublished& p = (*frame.properties)[size_t(frame.next++)];
      switch (KindOf(frame.object, p.property)) {
        case TPropertyKind::Value:
          FOut.Key(p.key);
          WriteValue(FOut, frame.object, p.property);
          break;
        case TPropertyKind::Object:
          FOut.Key(p.key);
          Open(SubObject(frame.object, p.property));
          return false;
        case TPropertyKind::Collection: {
          FOut.Key(p.key);
          FOut.BeginArray();
          const auto* collection = static_cast<const TCollection*>(SubObject(frame.object, p.property));
          FStack.push_back({nullptr, nullptr, 0, collection});
          return false;
        }
        case TPropertyKind::Ignored:
          break;
      }
    }
    return true;
  }

  TJsonWriter& FOut;
  TClassCache& FClasses;
  std::vector<TFrame> FStack;
};

// The class an item names, which may also be a class that is known but no item of the collection.
TClass FindNamedClass(const TCollection* collection, const QString& name) {
  TClass base = collection->GetItemClass();
  if (name.isEmpty() || name == QLatin1String(base->className())) return base;
  // Item classes are not on the palette: the library registers them by name, and a class used
  // as a property type is known to the meta-type system by its pointer type.
  TClass cls = FindClass(name);
  return cls ? cls : PropertyClass(QMetaType::fromName((name + QLatin1Char('*')).toLatin1()));
}

// Reads a parsed object into a design object: properties in key order, sub-objects in place,
// collections rebuilt, custom data after an object's properties. The nesting is a stack of frames.
class TObjectReader {
public:
  // `inPlace`: items that are there already and of the class read are read into, not made anew.
  TObjectReader(const TJsonTree& json, TClassCache& classes, QString base, bool inPlace = false)
      : FJson(json), FClasses(classes), FBase(std::move(base)), FInPlace(inPlace) {}

  void Read(TPersistent* object, int node) {
    PushObject(object, node, TJsonTree::None, -1);
    while (!FStack.empty()) {
      TFrame& frame = FStack.back();
      if (frame.next < frame.count) {
        const int index = frame.next++;
        if (frame.collection)
          ReadItem(index);
        else
          ReadMember(FJson.Child(frame.properties, index));
      } else {
        if (!frame.collection) ReadData();
        if (frame.collection && FInPlace) Truncate(static_cast<TCollection*>(frame.object), frame.count);
        FStack.pop_back();
      }
    }
  }

private:
  struct TFrame {
    TPersistent* object;  // or the collection
    int node;             // the object's JSON object, or the array of items
    int properties = TJsonTree::None;
    int next = 0;
    int count = 0;
    bool collection = false;
    // What this frame adds to its parent's place: the member it was read from, or the item index.
    int member = TJsonTree::None;
    int index = -1;
  };

  // Appended in place: ten thousand levels of copying the whole text so far would be quadratic.
  QString Place() const {
    QString place = FBase;
    for (const TFrame& frame : FStack) {
      if (frame.member != TJsonTree::None) {
        if (!place.isEmpty()) place += QLatin1Char('.');
        place += FJson.Key(frame.member);
      }
      if (frame.index >= 0) {
        place += QLatin1Char('[');
        place += QString::number(frame.index);
        place += QLatin1Char(']');
      }
    }
    return place;
  }
  QString MemberPlace(int member) const { return Join(Place(), FJson.Key(member)); }

  void PushObject(TPersistent* object, int node, int member, int index) {
    FStack.push_back({object, node, TJsonTree::None, 0, 0, false, member, index});
    const int properties = FJson.Member(node, "properties");
    if (properties == TJsonTree::None) return;
    if (!FJson.IsObject(properties)) Raise(Join(Place(), kProperties), QStringLiteral("expected an object"));
    FStack.back().properties = properties;
    FStack.back().count = FJson.Count(properties);
  }

  void ReadMember(int member) {
    TPersistent* object = FStack.back().object;
    const TClassCache::TPublished* published = FClasses.Find(object->metaObject(), FJson.KeyBytes(member));
    if (!published)
      Raise(MemberPlace(member), QStringLiteral("%1 has no property \"%2\"")
                                     .arg(QString::fromLatin1(object->metaObject()->className()), FJson.Key(member)));
    const QMetaProperty& property = published->property;
    switch (KindOf(object, property)) {
      case TPropertyKind::Value:
        try {
          ReadValue(object, property, FJson, member);
        } catch (const TReason& reason) {
          Raise(MemberPlace(member), reason.text);
        }
        break;
      case TPropertyKind::Object:
        if (!FJson.IsObject(member)) Raise(MemberPlace(member), QStringLiteral("expected an object"));
        CheckSubObjectClass(object, property, member);
        PushObject(SubObject(object, property), member, member, -1);
        break;
      case TPropertyKind::Collection: {
        if (!FJson.IsArray(member)) Raise(MemberPlace(member), QStringLiteral("expected an array of items"));
        auto* collection = static_cast<TCollection*>(SubObject(object, property));
        if (!FInPlace) collection->Clear();
        FStack.push_back({collection, member, TJsonTree::None, 0, FJson.Count(member), true, member, -1});
        break;
      }
      case TPropertyKind::Ignored:
        Raise(MemberPlace(member), QStringLiteral("the property cannot be set from a document"));
    }
  }

  // The class a sub-object names, when it names one, is the property's class or derives from it.
  void CheckSubObjectClass(const TPersistent* object, const QMetaProperty& property, int member) {
    const int classNode = FJson.Member(member, "class");
    if (classNode == TJsonTree::None) return;
    const auto place = [&] { return Join(MemberPlace(member), kClass); };
    if (!FJson.IsString(classNode)) Raise(place(), QStringLiteral("expected the name of a class"));
    const TClass base = PropertyClass(property.metaType());
    const QString name = FJson.String(classNode);
    TClass named = nullptr;
    // The object's own class and its ancestors, else any class the runtime knows by name.
    for (TClass cls = SubObject(object, property)->metaObject(); cls && !named; cls = cls->superClass())
      if (name == QLatin1String(cls->className())) named = cls;
    if (!named) named = FindClass(name);
    if (!named) named = PropertyClass(QMetaType::fromName((name + QLatin1Char('*')).toLatin1()));
    if (!named || !base || !InheritsFrom(named, base))
      Raise(place(), QStringLiteral("class \"%1\" is not a %2").arg(name, QString::fromLatin1(base ? base->className() : "")));
  }

  void ReadItem(int index) {
    auto* collection = static_cast<TCollection*>(FStack.back().object);
    const int item = FJson.Child(FStack.back().node, index);
    const auto itemPlace = [&] { return Place() + QStringLiteral("[%1]").arg(index); };
    if (!FJson.IsObject(item)) Raise(itemPlace(), QStringLiteral("expected an object"));
    const int classNode = FJson.Member(item, "class");
    const QString className =
        classNode != TJsonTree::None && FJson.IsString(classNode) ? FJson.String(classNode) : QString();
    TClass cls = FindNamedClass(collection, className);
    const auto itemClass = [collection] { return QString::fromLatin1(collection->GetItemClass()->className()); };
    if (!cls) Raise(itemPlace(), QStringLiteral("unknown class \"%1\" for items of %2").arg(className, itemClass()));
    if (!InheritsFrom(cls, collection->GetItemClass()))
      Raise(itemPlace(), QStringLiteral("class \"%1\" does not belong to this collection, whose items are %2")
                             .arg(className, itemClass()));
    TCollectionItem* added = nullptr;
    if (FInPlace && index < collection->GetCount() && collection->GetItem(index)->metaObject() == cls) {
      PushObject(collection->GetItem(index), item, TJsonTree::None, index);
      return;
    }
    if (FInPlace) Truncate(collection, index);
    try {
      added = collection->Add(cls);
    } catch (const std::exception& e) {
      // A base item class with no constructor of its own (an item that names no class).
      Raise(itemPlace(), QStringLiteral("cannot create %1: %2")
                             .arg(QString::fromLatin1(cls->className()), QString::fromUtf8(e.what())));
    }
    PushObject(added, item, TJsonTree::None, index);
  }

  // No "data" means the object has none: one that holds some now (a state being restored) is reset.
  void ReadData() {
    TPersistent* object = FStack.back().object;
    const int data = FJson.Member(FStack.back().node, "data");
    if (data == TJsonTree::None && object->WriteCustomData().isNull()) return;
    try {
      object->ReadCustomData(data != TJsonTree::None ? FJson.ToQJsonValue(data, kDataDepth) : QJsonValue());
    } catch (const std::exception& e) {
      Raise(Join(Place(), kData), QString::fromUtf8(e.what()));
    }
  }

  static void Truncate(TCollection* collection, int count) {
    while (collection->GetCount() > count) collection->Delete(collection->GetCount() - 1);
  }

  const TJsonTree& FJson;
  TClassCache& FClasses;
  QString FBase;
  bool FInPlace;
  std::vector<TFrame> FStack;
};

std::unique_ptr<TComponent> CreateComponent(const TJsonTree& json, int node, const QString& place,
                                            TClassCache& classes) {
  const int classNode = json.Member(node, "class");
  const QString className =
      classNode != TJsonTree::None && json.IsString(classNode) ? json.String(classNode) : QString();
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
  TObjectReader(json, classes, place).Read(component.get(), node);
  return component;
}

// Parses a document, or raises with the line (and offset) of the fault.
TJsonTree ParseDocument(const QByteArray& data, const QString& fileLabel) {
  try {
    return TJsonTree(data);
  } catch (const TJsonSyntaxError& error) {
    // The offset is in bytes; people look for lines. A file cut short fails where it ends, and an
    // offset beyond its last byte would send them looking for something that is not there.
    const int line = int(data.left(error.offset).count('\n')) + 1;
    if (error.offset > data.size())
      Raise(fileLabel, QStringLiteral("invalid JSON: the file ends early, at line %1").arg(line));
    if (error.offset == data.size())
      Raise(fileLabel, QStringLiteral("invalid JSON at the end of the file (line %1): %2").arg(line).arg(error.reason));
    Raise(fileLabel,
          QStringLiteral("invalid JSON at line %1 (offset %2): %3").arg(line).arg(error.offset).arg(error.reason));
  }
}

}  // namespace

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
  try {
    WriteProperty(object, property, ValueFromText(property, text));
  } catch (const TReason& reason) {
    Raise(QString::fromLatin1(property.name()), reason.text);
  }
}

QByteArray WriteObject(const TPersistent* object) {
  TJsonWriter out(false);
  TClassCache classes;
  TObjectWriter(out, classes).Write(object);
  return out.Take();
}

void ReadObject(TPersistent* object, const QByteArray& json, const QString& place) {
  std::optional<TJsonTree> tree;
  try {
    tree.emplace(json);
  } catch (const TJsonSyntaxError& error) {
    Raise(place, QStringLiteral("invalid JSON at offset %1: %2").arg(error.offset).arg(error.reason));
  }
  if (!tree->IsObject(tree->Root())) Raise(place, QStringLiteral("expected an object"));
  TClassCache classes;
  TObjectReader(*tree, classes, place, true).Read(object, tree->Root());
}

bool IsComponentName(const QString& name) {
  static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  return identifier.match(name).hasMatch();
}

TClass FindPaletteClass(const QString& className) {
  for (TClass cls : TDesignRegistry::Instance().PaletteClasses())
    if (cls && className == QLatin1String(cls->className())) return cls;
  return nullptr;
}

QByteArray WriteDocument(const TDesignDocument& document) {
  TJsonWriter out(true);
  TClassCache classes;
  TObjectWriter writer(out, classes);
  // Keys in order, as QJsonObject had them: components, format, version.
  out.BeginObject();
  out.Key(u"components");
  out.BeginArray();
  for (int i = 0; i < document.GetCount(); ++i) writer.Write(document.GetComponent(i));
  out.EndArray();
  out.Key(u"format");
  out.String(kFormat);
  out.Key(u"version");
  out.Integer(kVersion);
  out.EndObject();
  return out.Take();
}

std::vector<std::unique_ptr<TComponent>> ReadDocument(const QByteArray& data, const QString& fileLabel) {
  const TJsonTree json = ParseDocument(data, fileLabel);
  const int root = json.Root();
  if (!json.IsObject(root)) Raise(fileLabel, QStringLiteral("expected a JSON object at the top level"));
  const int format = json.Member(root, "format");
  if (format == TJsonTree::None || !json.IsString(format) || json.String(format) != kFormat)
    Raise(fileLabel, QStringLiteral("not a design document (\"format\" is not \"%1\")").arg(kFormat));
  // A version, when given, is one of the whole numbers this reader knows.
  if (const int versionNode = json.Member(root, "version"); versionNode != TJsonTree::None) {
    if (!json.IsNumber(versionNode))
      Raise(fileLabel, QStringLiteral("\"version\" must be a number"));
    const double version = json.Number(versionNode);
    if (version > kVersion && std::floor(version) == version)
      Raise(fileLabel, QStringLiteral("document version %1 is newer than this designer reads (%2)")
                           .arg(version, 0, 'g', QLocale::FloatingPointShortest)
                           .arg(kVersion));
    if (version != kVersion)
      Raise(fileLabel, QStringLiteral("document version %1 is not one this designer reads (%2)")
                           .arg(version, 0, 'g', QLocale::FloatingPointShortest)
                           .arg(kVersion));
  }
  const int list = json.Member(root, "components");
  if (list == TJsonTree::None || !json.IsArray(list))
    Raise(fileLabel, QStringLiteral("\"components\" must be an array"));
  std::vector<std::unique_ptr<TComponent>> components;
  TClassCache classes;
  QSet<QString> names;  // in lower case: names differ in more than case
  for (int i = 0, n = json.Count(list); i < n; ++i) {
    const auto at = [&](const QString& place) {
      return fileLabel.isEmpty() ? place : fileLabel + QStringLiteral(": ") + place;
    };
    QString place = QStringLiteral("components[%1]").arg(i);
    const int node = json.Child(list, i);
    if (!json.IsObject(node)) Raise(at(place), QStringLiteral("expected an object"));
    const int nameNode = json.Member(json.Member(node, "properties"), "Name");
    const QString name = nameNode != TJsonTree::None && json.IsString(nameNode) ? json.String(nameNode) : QString();
    if (!name.isEmpty()) place += QStringLiteral(" (%1)").arg(name);
    components.push_back(CreateComponent(json, node, at(place), classes));
    // The name read, whatever the component made of it.
    const QString read = components.back()->GetName();
    if (!IsComponentName(read))
      Raise(at(place + QStringLiteral(".Name")),
            QStringLiteral("\"%1\" is not a valid component name").arg(read));
    if (names.contains(read.toLower()))
      Raise(at(place), QStringLiteral("a component named \"%1\" comes earlier").arg(read));
    names.insert(read.toLower());
  }
  return components;
}

}  // namespace DocumentStreamer
