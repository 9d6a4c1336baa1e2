#include "Registration.h"

#include <QMetaObject>

QString TGUID::ToString() const {
  return QStringLiteral("{%1-%2-%3-%4%5-%6%7%8%9%10%11}")
      .arg(D1, 8, 16, QLatin1Char('0'))
      .arg(D2, 4, 16, QLatin1Char('0'))
      .arg(D3, 4, 16, QLatin1Char('0'))
      .arg(D4[0], 2, 16, QLatin1Char('0'))
      .arg(D4[1], 2, 16, QLatin1Char('0'))
      .arg(D4[2], 2, 16, QLatin1Char('0'))
      .arg(D4[3], 2, 16, QLatin1Char('0'))
      .arg(D4[4], 2, 16, QLatin1Char('0'))
      .arg(D4[5], 2, 16, QLatin1Char('0'))
      .arg(D4[6], 2, 16, QLatin1Char('0'))
      .arg(D4[7], 2, 16, QLatin1Char('0'))
      .toUpper();
}

TDesignRegistry& TDesignRegistry::Instance() {
  static TDesignRegistry registry;
  return registry;
}

void TDesignRegistry::Add(TRegistration registration) {
  if (BeforeRegister) BeforeRegister(registration);
  FRegistrations.push_back(std::move(registration));
}

void TDesignRegistry::Clear() { FRegistrations.clear(); }

TClass PropertyClass(QMetaType type) {
  return (type.flags() & QMetaType::PointerToQObject) ? type.metaObject() : nullptr;
}

namespace {
// Distance from cls up to base in the class chain, or -1 when base is not an ancestor.
int ClassDistance(TClass cls, TClass base) {
  int d = 0;
  for (TClass c = cls; c; c = c->superClass(), ++d)
    if (c == base) return d;
  return -1;
}

// How far the registered type is from the property's type: 0 for the same type, the class distance
// for object properties, -1 when it does not apply.
int TypeDistance(QMetaType registered, QMetaType property) {
  if (registered == property) return 0;
  TClass r = PropertyClass(registered), p = PropertyClass(property);
  return (r && p) ? ClassDistance(p, r) : -1;
}
}  // namespace

TClass TDesignRegistry::FindPropertyEditor(QMetaType type, TClass component, const QString& name) const {
  TClass best = nullptr;
  int bestDistance = 0, bestSpecificity = 0;
  for (const auto& r : FRegistrations) {
    const auto* p = std::get_if<TPropertyEditorRegistration>(&r);
    if (!p) continue;
    const int distance = TypeDistance(p->PropertyType, type);
    if (distance < 0) continue;
    if (p->ComponentClass && !InheritsFrom(component, p->ComponentClass)) continue;
    if (!p->PropertyName.isEmpty() && p->PropertyName.compare(name, Qt::CaseInsensitive) != 0) continue;
    const int specificity = (p->ComponentClass ? 2 : 0) + (p->PropertyName.isEmpty() ? 0 : 1);
    if (!best || distance < bestDistance || (distance == bestDistance && specificity >= bestSpecificity)) {
      best = p->EditorClass;
      bestDistance = distance;
      bestSpecificity = specificity;
    }
  }
  return best;
}

TClass TDesignRegistry::FindComponentEditor(TClass component) const {
  TClass best = nullptr;
  int bestDistance = 0;
  for (const auto& r : FRegistrations) {
    const auto* c = std::get_if<TComponentEditorRegistration>(&r);
    if (!c) continue;
    const int distance = ClassDistance(component, c->ComponentClass);
    if (distance >= 0 && (!best || distance <= bestDistance)) {
      best = c->EditorClass;
      bestDistance = distance;
    }
  }
  return best;
}

std::vector<TClass> TDesignRegistry::PaletteClasses() const {
  std::vector<TClass> classes;
  for (const auto& r : FRegistrations)
    if (const auto* p = std::get_if<TPaletteRegistration>(&r)) classes.push_back(p->ComponentClass);
  return classes;
}

void RegisterPropertyEditor(QMetaType propertyType, TClass componentClass, const QString& propertyName,
                            TClass editorClass) {
  TDesignRegistry::Instance().Add(TPropertyEditorRegistration{propertyType, componentClass, propertyName, editorClass});
}

void RegisterPropertyEditor(QMetaType propertyType, TClass editorClass) {
  RegisterPropertyEditor(propertyType, nullptr, QString(), editorClass);
}

void RegisterComponentEditor(TClass componentClass, TClass editorClass) {
  TDesignRegistry::Instance().Add(TComponentEditorRegistration{componentClass, editorClass});
}

void SWRegisterStreamColorThickness(const TGUID& streamType, uint32_t color, float thickness) {
  TDesignRegistry::Instance().Add(TStreamColorRegistration{streamType, color, thickness});
}

void RegisterComponents(const QString& page, std::initializer_list<TClass> classes) {
  for (TClass cls : classes) TDesignRegistry::Instance().Add(TPaletteRegistration{page, cls});
}

namespace {
// A class is listed by its own name; the C++ namespace only mirrors the module that declares it.
QString ClassName(TClass cls) {
  if (!cls) return QStringLiteral("*");
  const QString name = QString::fromLatin1(cls->className());
  return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

// Object properties are registered by pointer type; list them by class name.
QString TypeName(QMetaType type) {
  if (TClass cls = PropertyClass(type)) return ClassName(cls);
  return QString::fromLatin1(type.name());
}
}  // namespace

QString FormatRegistration(const TRegistration& registration) {
  struct {
    QString operator()(const TPropertyEditorRegistration& p) const {
      return QStringLiteral("property %1 %2 %3 %4")
          .arg(TypeName(p.PropertyType), ClassName(p.ComponentClass),
               p.PropertyName.isEmpty() ? QStringLiteral("*") : p.PropertyName, ClassName(p.EditorClass));
    }
    QString operator()(const TComponentEditorRegistration& c) const {
      return QStringLiteral("component %1 %2").arg(ClassName(c.ComponentClass), ClassName(c.EditorClass));
    }
    QString operator()(const TStreamColorRegistration& s) const {
      return QStringLiteral("stream %1 0x%2 %3")
          .arg(s.StreamType.ToString())
          .arg(QStringLiteral("%1").arg(s.Color, 8, 16, QLatin1Char('0')).toUpper())
          .arg(double(s.Thickness), 0, 'f', 1);
    }
    QString operator()(const TPaletteRegistration& p) const {
      return QStringLiteral("palette %1 %2").arg(p.Page, ClassName(p.ComponentClass));
    }
  } visitor;
  return std::visit(visitor, registration);
}
