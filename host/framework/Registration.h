#pragma once

#include "runtime/Classes.h"

#include <QMetaType>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

// 128-bit identifier in the usual in-memory GUID layout.
struct TGUID {
  uint32_t D1 = 0;
  uint16_t D2 = 0;
  uint16_t D3 = 0;
  std::array<uint8_t, 8> D4{};

  // "{7801FB9D-9E30-42A8-874D-2F19BAFAA106}"; evaluated at compile time for constants.
  static consteval TGUID Parse(const char (&text)[39]);
  QString ToString() const;  // the same brace notation, upper-case hex
  friend constexpr bool operator==(const TGUID&, const TGUID&) = default;

private:
  static consteval uint32_t Hex(const char* p, int digits) {
    uint32_t v = 0;
    for (int i = 0; i < digits; ++i) {
      const char c = p[i];
      const int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                           : throw "not a hexadecimal digit";
      v = v * 16 + uint32_t(d);
    }
    return v;
  }
};

consteval TGUID TGUID::Parse(const char (&t)[39]) {
  if (t[0] != '{' || t[9] != '-' || t[14] != '-' || t[19] != '-' || t[24] != '-' || t[37] != '}')
    throw "malformed GUID";
  TGUID g;
  g.D1 = Hex(t + 1, 8);
  g.D2 = uint16_t(Hex(t + 10, 4));
  g.D3 = uint16_t(Hex(t + 15, 4));
  g.D4[0] = uint8_t(Hex(t + 20, 2));
  g.D4[1] = uint8_t(Hex(t + 22, 2));
  for (int i = 0; i < 6; ++i) g.D4[size_t(2 + i)] = uint8_t(Hex(t + 25 + 2 * i, 2));
  return g;
}

struct TPropertyEditorRegistration {
  QMetaType PropertyType;
  TClass ComponentClass = nullptr;  // nullptr: every component class
  QString PropertyName;             // empty: every property of the type
  TClass EditorClass = nullptr;
};

struct TComponentEditorRegistration {
  TClass ComponentClass = nullptr;
  TClass EditorClass = nullptr;
};

struct TStreamColorRegistration {
  TGUID StreamType;
  uint32_t Color = 0;  // 0x00BBGGRR
  float Thickness = 0;
};

struct TPaletteRegistration {
  QString Page;
  TClass ComponentClass = nullptr;
};

using TRegistration =
    std::variant<TPropertyEditorRegistration, TComponentEditorRegistration, TStreamColorRegistration, TPaletteRegistration>;

// Every registration a package makes, in the order made. The registry is one instance per process
// (defined in velto_host) and never forgets a registration on its own: a package loaded again
// registers again, and the later registration wins lookups.
class TDesignRegistry {
public:
  static TDesignRegistry& Instance();

  void Add(TRegistration registration);
  const std::vector<TRegistration>& Registrations() const { return FRegistrations; }
  void Clear();

  // The editor for a property of `type` named `name` on a component of class `component`.
  // Candidates are registrations whose type is the property's type (or, for object properties,
  // a base class of it) and whose component class and name are absent or match. The winner is the
  // one with the most derived property type; among those a registration naming a component class
  // beats one that does not, then one naming the property beats one that does not, and among equals
  // the latest registration wins.
  TClass FindPropertyEditor(QMetaType type, TClass component, const QString& name) const;
  // The editor registered for the nearest class in `component`'s ancestry; the latest wins a tie.
  TClass FindComponentEditor(TClass component) const;
  std::vector<TClass> PaletteClasses() const;

  // Called before each registration is stored; what it throws passes out of the registering call.
  // Lets a host (or a test) refuse a registration.
  std::function<void(const TRegistration&)> BeforeRegister;

private:
  std::vector<TRegistration> FRegistrations;
};

// The class behind a property's meta-type when it holds a QObject pointer, else nullptr.
TClass PropertyClass(QMetaType type);

void RegisterPropertyEditor(QMetaType propertyType, TClass componentClass, const QString& propertyName, TClass editorClass);
void RegisterPropertyEditor(QMetaType propertyType, TClass editorClass);
void RegisterComponentEditor(TClass componentClass, TClass editorClass);
void SWRegisterStreamColorThickness(const TGUID& streamType, uint32_t color, float thickness);
// Puts component classes on the designer's palette page.
void RegisterComponents(const QString& page, std::initializer_list<TClass> classes);

// One line per registration in the listing format of `velto-designer --list-registrations`.
QString FormatRegistration(const TRegistration& registration);
