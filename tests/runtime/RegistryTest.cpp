#include "framework/Registration.h"
#include "common/RegistryScope.h"
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

namespace {
class TBaseThing : public TPersistent {
  Q_OBJECT
};
class TDerivedThing : public TBaseThing {
  Q_OBJECT
};
class TComponentA : public TComponent {
  Q_OBJECT
};
class TComponentB : public TComponentA {
  Q_OBJECT
};
class TEditor1 : public QObject {
  Q_OBJECT
};
class TEditor2 : public QObject {
  Q_OBJECT
};
class TEditor3 : public QObject {
  Q_OBJECT
};

struct RegistryTest : ::testing::Test {
  const TRegistryScope Scope;
  TDesignRegistry& R = TDesignRegistry::Instance();
};
}  // namespace

TEST_F(RegistryTest, MostDerivedTypeThenMostSpecificThenLatestWins) {
  const QMetaType base = QMetaType::fromType<TBaseThing*>();
  const QMetaType derived = QMetaType::fromType<TDerivedThing*>();
  RegisterPropertyEditor(base, &TEditor1::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(derived, &TComponentA::staticMetaObject, "X"), &TEditor1::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(QMetaType::fromType<int>(), &TComponentA::staticMetaObject, "X"), nullptr);

  RegisterPropertyEditor(base, &TComponentB::staticMetaObject, "X", &TEditor2::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(derived, &TComponentB::staticMetaObject, "X"), &TEditor2::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(derived, &TComponentA::staticMetaObject, "X"), &TEditor1::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(derived, &TComponentB::staticMetaObject, "Y"), &TEditor1::staticMetaObject);

  // A general registration of the exact type beats a specific one of a base type.
  RegisterPropertyEditor(derived, &TEditor3::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(derived, &TComponentB::staticMetaObject, "X"), &TEditor3::staticMetaObject);

  // Registering the same binding again makes the later one win.
  RegisterPropertyEditor(derived, &TEditor1::staticMetaObject);
  EXPECT_EQ(R.FindPropertyEditor(derived, &TComponentB::staticMetaObject, "X"), &TEditor1::staticMetaObject);
}

// Among registrations of the same property type: naming the component class weighs more than
// naming the property, naming both most, and the latest of equals wins whichever order they came in.
TEST_F(RegistryTest, SpecificityOrdersRegistrationsOfOneType) {
  const QMetaType type = QMetaType::fromType<int>();
  const TClass a = &TComponentA::staticMetaObject, b = &TComponentB::staticMetaObject;
  const TClass e1 = &TEditor1::staticMetaObject, e2 = &TEditor2::staticMetaObject, e3 = &TEditor3::staticMetaObject;
  const struct {
    const char* name;
    std::vector<TPropertyEditorRegistration> made;
    TClass found;  // for property "x" of a TComponentB
  } cases[] = {
      {"class beats name", {{type, a, "", e1}, {type, nullptr, "X", e2}}, e1},
      {"class beats name, made the other way", {{type, nullptr, "X", e2}, {type, a, "", e1}}, e1},
      {"both beat class", {{type, a, "X", e3}, {type, b, "", e1}}, e3},
      {"name beats neither", {{type, nullptr, "X", e2}, {type, nullptr, "", e1}}, e2},
      {"latest of equals", {{type, a, "", e1}, {type, b, "", e2}}, e2},
      {"latest of equals, other order", {{type, b, "", e2}, {type, a, "", e1}}, e1},
      {"another name does not apply", {{type, nullptr, "", e1}, {type, b, "Y", e2}}, e1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    R.Clear();
    for (const auto& r : c.made) RegisterPropertyEditor(r.PropertyType, r.ComponentClass, r.PropertyName, r.EditorClass);
    EXPECT_EQ(R.FindPropertyEditor(type, b, "x"), c.found);
  }
}

TEST_F(RegistryTest, ComponentEditorOfTheNearestClass) {
  RegisterComponentEditor(&TComponentA::staticMetaObject, &TEditor1::staticMetaObject);
  EXPECT_EQ(R.FindComponentEditor(&TComponentB::staticMetaObject), &TEditor1::staticMetaObject);
  RegisterComponentEditor(&TComponentB::staticMetaObject, &TEditor2::staticMetaObject);
  RegisterComponentEditor(&TComponentA::staticMetaObject, &TEditor3::staticMetaObject);
  EXPECT_EQ(R.FindComponentEditor(&TComponentB::staticMetaObject), &TEditor2::staticMetaObject);
  EXPECT_EQ(R.FindComponentEditor(&TComponentA::staticMetaObject), &TEditor3::staticMetaObject);
  EXPECT_EQ(R.FindComponentEditor(&TComponent::staticMetaObject), nullptr);
}

TEST_F(RegistryTest, ListingFormatsAndRefusals) {
  constexpr TGUID id = TGUID::Parse("{7801FB9D-9E30-42A8-874D-2F19BAFAA106}");
  static_assert(id.D1 == 0x7801FB9D && id.D2 == 0x9E30 && id.D3 == 0x42A8 && id.D4[0] == 0x87 && id.D4[7] == 0x06);
  SWRegisterStreamColorThickness(id, 0x00DCF8FF, 2.5f);
  RegisterPropertyEditor(QMetaType::fromType<TBaseThing*>(), &TComponentA::staticMetaObject, "Pixels",
                         &TEditor1::staticMetaObject);
  RegisterPropertyEditor(QMetaType::fromType<QString>(), &TEditor2::staticMetaObject);
  RegisterComponentEditor(&TComponentA::staticMetaObject, &TEditor3::staticMetaObject);
  ASSERT_EQ(R.Registrations().size(), 4u);
  EXPECT_EQ(FormatRegistration(R.Registrations()[0]), "stream {7801FB9D-9E30-42A8-874D-2F19BAFAA106} 0x00DCF8FF 2.5");
  EXPECT_EQ(FormatRegistration(R.Registrations()[1]), "property TBaseThing TComponentA Pixels TEditor1");
  EXPECT_EQ(FormatRegistration(R.Registrations()[2]), "property QString * * TEditor2");
  EXPECT_EQ(FormatRegistration(R.Registrations()[3]), "component TComponentA TEditor3");

  R.BeforeRegister = [](const TRegistration&) { throw Exception("refused"); };
  EXPECT_THROW(RegisterComponentEditor(&TComponentB::staticMetaObject, &TEditor1::staticMetaObject), Exception);
  EXPECT_EQ(R.Registrations().size(), 4u);
}

#include "RegistryTest.moc"
