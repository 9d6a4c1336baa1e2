#include "JsonTestSupport.h"
#include "json/JsonDesign.h"
#include "json/JsonGeneration.h"

#include <gtest/gtest.h>

using namespace Velto::Arduino::JSON::Design;

namespace {

// One family of element classes with the components that hold its collections.
struct TMakeSide : TMakeJsonTraits {
  using TObjectComponent = TArduinoMakeJSON;
  using TArrayComponent = TArduinoMakeJSONArray;
};
struct TSplitSide : TSplitJsonTraits {
  using TObjectComponent = TArduinoSplitJSON;
  using TArrayComponent = TArduinoSplitJSONArray;
};

template <class Side>
struct JsonGenerationTest : ::testing::Test {
  typename Side::TObjectComponent ObjectComponent;
  typename Side::TArrayComponent ArrayComponent;

  typename Side::TElements& Members() { return *ObjectComponent.GetElements(); }
  typename Side::TArrayElements& Items() { return *ArrayComponent.GetElements(); }

  // Generates the sample into the object component and describes the result.
  std::string Object(const char* sample) {
    const IJsonElement root = TJsonParser::Parse(QString::fromUtf8(sample));
    TJsonElementsGenerator<Side>::ProcessObject(dynamic_cast<const TObjectJsonElement&>(*root), Members());
    return Describe(&Members());
  }
  std::string Array(const char* sample) {
    const IJsonElement root = TJsonParser::Parse(QString::fromUtf8(sample));
    TJsonElementsGenerator<Side>::ProcessArray(dynamic_cast<const TArrayJsonElement&>(*root), Items());
    return Describe(&Items());
  }
  // Appends one element of each class, named by the space-separated names in turn.
  void AddMembers(std::initializer_list<TClass> classes, const QString& names) {
    const QStringList list = names.split(QLatin1Char(' '));
    for (size_t i = 0; i < classes.size(); ++i) Members().Add(classes.begin()[i])->SetName(list[int(i)]);
  }
};

using Sides = ::testing::Types<TMakeSide, TSplitSide>;
TYPED_TEST_SUITE(JsonGenerationTest, Sides);

}  // namespace

TYPED_TEST(JsonGenerationTest, FreshElementsFollowTheKindsInTextOrder) {
  EXPECT_EQ(this->Object(R"({"o": {}, "a": [], "b": true, "i": -3, "u": 18446744073709551615, "s": "x", "f": 1.5,
                             "n": null, "small": 7})"),
            "Object:o{}, Array:a{}, Digital:b, Integer:i, Unsigned:u, Text:s, Analog:f, Integer:small");
  EXPECT_EQ(this->Array(R"([{}, [], false, "s", 1, 18446744073709551615, 2.5, null, {"x": [1, [true]]}])"),
            "ObjectArray{}, ArrayArray{}, DigitalArray, TextArray, IntegerArray, UnsignedArray, AnalogArray, "
            "ObjectArray{Array:x{IntegerArray, ArrayArray{DigitalArray}}}");
}

TYPED_TEST(JsonGenerationTest, RunningTwiceAppendsOnlyFloatsAndNullShiftedItems) {
  const char* sample = R"({"f": 1.5, "o": {"g": 2.5, "s": "x"}, "plain": [1, 0.5, {"k": true}],
                           "shifted": [null, 1, {"h": 0.5}]})";
  EXPECT_EQ(this->Object(sample),
            "Analog:f, Object:o{Analog:g, Text:s}, Array:plain{IntegerArray, AnalogArray, ObjectArray{Digital:k}}, "
            "Array:shifted{IntegerArray, ObjectArray{Analog:h}}");
  EXPECT_EQ(this->Object(sample),
            "Analog:f, Object:o{Analog:g, Text:s, Analog:g}, "
            "Array:plain{IntegerArray, AnalogArray, ObjectArray{Digital:k}}, "
            "Array:shifted{IntegerArray, ObjectArray{Analog:h}, IntegerArray, ObjectArray{Analog:h}}, Analog:f");
}

TYPED_TEST(JsonGenerationTest, ItemsMatchByPositionAndKind) {
  EXPECT_EQ(this->Array(R"([1, "a", 2.5])"), "IntegerArray, TextArray, AnalogArray");
  // Position 1 holds a number now: it appends and the text element stays; the float reuses the analog element.
  EXPECT_EQ(this->Array(R"([18446744073709551615, 7, 0.25, {"x": 1}])"),
            "IntegerArray, TextArray, AnalogArray, IntegerArray, ObjectArray{Integer:x}");
  // Position 4 is now past an element of the wrong kind; reuse never looks elsewhere.
  EXPECT_EQ(this->Array(R"([1, "a", 2.5, true, {"y": 2}])"),
            "IntegerArray, TextArray, AnalogArray, IntegerArray, ObjectArray{Integer:x, Integer:y}, DigitalArray");
}

TYPED_TEST(JsonGenerationTest, MembersReuseTheFirstElementOfTheNameThatAcceptsTheValue) {
  using T = TypeParam;
  // Below and above the collection size from which members are found through a name index.
  for (const int padding : {0, TJsonElementsGenerator<T>::IndexThreshold + 8}) {
    SCOPED_TRACE(padding);
    this->Members().Clear();
    std::string expected;
    for (int i = 0; i < padding; ++i) {
      this->AddMembers({&T::TDigitalElement::staticMetaObject}, QString::number(i));
      expected += "Digital:" + std::to_string(i) + ", ";
    }
    this->AddMembers({&T::TArrayElement::staticMetaObject, &T::TObjectElement::staticMetaObject,
                      &T::TObjectElement::staticMetaObject, &T::TTextElement::staticMetaObject,
                      &T::TUnsignedElement::staticMetaObject, &T::TIntegerElement::staticMetaObject,
                      &T::TUnsignedElement::staticMetaObject, &T::TAnalogElement::staticMetaObject,
                      &T::TTextElement::staticMetaObject},
                     "o o o u u big i f Case");
    // An unsigned value takes an unsigned or an integer element, a signed one no unsigned one; floats always
    // append; names match exactly; an appended element is found by the members after it.
    EXPECT_EQ(this->Object(R"({"o": {"x": 1}, "u": 18446744073709551615, "o": {"y": 1}, "big": 18446744073709551615,
                               "i": 5, "f": 0.5, "case": "x", "Case": "y", "new": {"z": 1}, "new": {"w": 1}})"),
              expected +
                  "Array:o{}, Object:o{Integer:x, Integer:y}, Object:o{}, Text:u, Unsigned:u, Integer:big, Unsigned:i, "
                  "Analog:f, Text:Case, Integer:i, Analog:f, Text:case, Object:new{Integer:z, Integer:w}");
  }
}

TYPED_TEST(JsonGenerationTest, TenThousandLevelsGenerateReuseAndReleaseWithoutRecursion) {
  const int pairs = TJsonParser::MaxDepth / 2 - 1;  // each {"k":[ opens two levels
  const IJsonElement root =
      TJsonParser::Parse(QByteArray(R"({"k":[)").repeated(pairs) + "{}" + QByteArray("]}").repeated(pairs));
  for (const int run : {1, 2}) {
    SCOPED_TRACE(run);  // the second run reuses every level
    TJsonElementsGenerator<TypeParam>::ProcessObject(dynamic_cast<const TObjectJsonElement&>(*root), this->Members());
    int levels = 0;
    for (const TCollection* level = &this->Members(); level->GetCount() == 1; ++levels)
      level = level->GetItem(0)->property("Elements").value<TCollection*>();
    EXPECT_EQ(levels, 2 * pairs);
  }
}
