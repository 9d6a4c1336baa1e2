#include "JsonTestSupport.h"
#include "json/JsonDesign.h"
#include "json/JsonGeneration.h"

#include <gtest/gtest.h>

using namespace Velto::Arduino::JSON::Design;

namespace {

struct TMakeSide {
  using Traits = TMakeJsonTraits;
  using TObjectComponent = TArduinoMakeJSON;
  using TArrayComponent = TArduinoMakeJSONArray;
  static constexpr auto ProcessObject = &ProcessObjectMaker;
  static constexpr auto ProcessArray = &ProcessArrayMaker;
};

struct TSplitSide {
  using Traits = TSplitJsonTraits;
  using TObjectComponent = TArduinoSplitJSON;
  using TArrayComponent = TArduinoSplitJSONArray;
  static constexpr auto ProcessObject = &ProcessObjectSplitter;
  static constexpr auto ProcessArray = &ProcessArraySplitter;
};

template <class Side>
struct JsonGenerationTest : ::testing::Test {
  using Traits = typename Side::Traits;
  typename Side::TObjectComponent ObjectComponent;
  typename Side::TArrayComponent ArrayComponent;

  typename Traits::TElements& Members() { return *ObjectComponent.GetElements(); }
  typename Traits::TArrayElements& Items() { return *ArrayComponent.GetElements(); }

  // Generates the sample into the object component and describes the result.
  std::string Object(const char* sample) {
    const IJsonElement root = TJsonParser::Parse(QString::fromUtf8(sample));
    Side::ProcessObject(dynamic_cast<const TObjectJsonElement&>(*root), Members());
    return DescribeStd(&Members());
  }
  std::string Array(const char* sample) {
    const IJsonElement root = TJsonParser::Parse(QString::fromUtf8(sample));
    Side::ProcessArray(dynamic_cast<const TArrayJsonElement&>(*root), Items());
    return DescribeStd(&Items());
  }

  template <class T>
  T* AddMember(const QString& name) {
    auto* element = static_cast<T*>(Members().Add(&T::staticMetaObject));
    element->SetName(name);
    return element;
  }
};

using Sides = ::testing::Types<TMakeSide, TSplitSide>;
TYPED_TEST_SUITE(JsonGenerationTest, Sides);

}  // namespace

TYPED_TEST(JsonGenerationTest, OneMemberOfEachKindInTextOrder) {
  EXPECT_EQ(this->Object(R"({"o": {}, "a": [], "b": true, "i": -3, "u": 18446744073709551615, "s": "x",
                             "f": 1.5, "n": null, "small": 7})"),
            "Object:o{}, Array:a{}, Digital:b, Integer:i, Unsigned:u, Text:s, Analog:f, Integer:small");
}

TYPED_TEST(JsonGenerationTest, ArrayItemsOfEachKindAndNesting) {
  EXPECT_EQ(this->Array(R"([{}, [], false, "s", 1, 18446744073709551615, 2.5, null, {"x": [1, [true]]}])"),
            "ObjectArray{}, ArrayArray{}, DigitalArray, TextArray, IntegerArray, UnsignedArray, AnalogArray, "
            "ObjectArray{Array:x{IntegerArray, ArrayArray{DigitalArray}}}");
  EXPECT_EQ(
      this->Object(R"({"list": [{"id": 1, "tags": ["a", "b"]}, {"id": 2, "on": true}], "empty": [{}]})"),
      "Array:list{ObjectArray{Integer:id, Array:tags{TextArray, TextArray}}, ObjectArray{Integer:id, Digital:on}}, "
      "Array:empty{ObjectArray{}}");
}

TYPED_TEST(JsonGenerationTest, SameKeyTwiceMergesOrAppendsByKind) {
  EXPECT_EQ(this->Object(R"({"a": {"x": 1}, "b": 1, "a": {"y": "s", "x": 2}, "b": "t", "c": 1.5, "c": 2.5,
                             "d": [1], "d": [1, "z"]})"),
            "Object:a{Integer:x, Text:y}, Integer:b, Text:b, Analog:c, Analog:c, Array:d{IntegerArray, TextArray}");
}

TYPED_TEST(JsonGenerationTest, ReuseFollowsTheAcceptedClasses) {
  using T = typename TestFixture::Traits;
  this->template AddMember<typename T::TIntegerElement>("u");
  this->template AddMember<typename T::TUnsignedElement>("i");
  this->template AddMember<typename T::TAnalogElement>("f");
  this->template AddMember<typename T::TTextElement>("n");
  this->template AddMember<typename T::TTextElement>("Case");
  // An unsigned value reuses an integer element; a signed one does not take an unsigned element; a
  // floating-point member appends beside an analog one; null touches nothing; names match exactly.
  EXPECT_EQ(this->Object(R"({"u": 18446744073709551615, "i": 5, "f": 0.5, "n": null, "case": "x", "Case": "y"})"),
            "Integer:u, Unsigned:i, Analog:f, Text:n, Text:Case, Integer:i, Analog:f, Text:case");
}

TYPED_TEST(JsonGenerationTest, RunningTwiceAppendsOnlyFloatsAndNullShiftedItems) {
  const char* sample = R"({"f": 1.5, "o": {"g": 2.5, "s": "x"}, "plain": [1, 0.5, {"k": true}],
                           "shifted": [null, 1, {"h": 0.5}]})";
  const std::string first = this->Object(sample);
  EXPECT_EQ(first,
            "Analog:f, Object:o{Analog:g, Text:s}, Array:plain{IntegerArray, AnalogArray, ObjectArray{Digital:k}}, "
            "Array:shifted{IntegerArray, ObjectArray{Analog:h}}");
  EXPECT_EQ(this->Object(sample),
            "Analog:f, Object:o{Analog:g, Text:s, Analog:g}, "
            "Array:plain{IntegerArray, AnalogArray, ObjectArray{Digital:k}}, "
            "Array:shifted{IntegerArray, ObjectArray{Analog:h}, IntegerArray, ObjectArray{Analog:h}}, Analog:f");
}

TYPED_TEST(JsonGenerationTest, ItemsMatchByPositionAndKind) {
  EXPECT_EQ(this->Array(R"([1, "a", 2.5])"), "IntegerArray, TextArray, AnalogArray");
  // Position 1 now holds a number: a new element goes to the end, the text element stays where it is.
  // The floating-point item reuses the analog element at its position.
  EXPECT_EQ(this->Array(R"([18446744073709551615, 7, 0.25, {"x": 1}])"),
            "IntegerArray, TextArray, AnalogArray, IntegerArray, ObjectArray{Integer:x}");
  // Position 4 is now past an element of the wrong kind; reuse never looks elsewhere.
  EXPECT_EQ(this->Array(R"([1, "a", 2.5, true, {"y": 2}])"),
            "IntegerArray, TextArray, AnalogArray, IntegerArray, ObjectArray{Integer:x, Integer:y}, DigitalArray");
}

TYPED_TEST(JsonGenerationTest, FirstMatchWinsWithAndWithoutTheNameIndex) {
  using T = typename TestFixture::Traits;
  using Generator = TJsonElementsGenerator<T>;
  for (const int padding : {0, Generator::IndexThreshold + 8}) {
    SCOPED_TRACE(padding);
    this->Members().Clear();
    for (int i = 0; i < padding; ++i) this->template AddMember<typename T::TDigitalElement>(QString::number(i));
    this->template AddMember<typename T::TArrayElement>("o");
    this->template AddMember<typename T::TObjectElement>("o");
    this->template AddMember<typename T::TObjectElement>("o");
    this->template AddMember<typename T::TTextElement>("u");
    this->template AddMember<typename T::TUnsignedElement>("u");
    this->template AddMember<typename T::TIntegerElement>("u");
    std::string prefix;
    for (int i = 0; i < padding; ++i) prefix += "Digital:" + std::to_string(i) + ", ";
    EXPECT_EQ(
        this->Object(R"({"o": {"x": 1}, "u": 18446744073709551615, "o": {"y": 1}, "new": {"z": 1}, "new": {"w": 1}})"),
        prefix +
            "Array:o{}, Object:o{Integer:x, Integer:y}, Object:o{}, Text:u, Unsigned:u, Integer:u, "
            "Object:new{Integer:z, Integer:w}");
  }
}

TYPED_TEST(JsonGenerationTest, TenThousandLevelsGenerateAndReleaseWithoutRecursion) {
  const int depth = TJsonParser::MaxDepth;
  const int pairs = depth / 2 - 1;  // each {"k":[ opens two levels
  QByteArray objects;
  for (int i = 0; i < pairs; ++i) objects += R"({"k":[)";
  objects += "{}";
  for (int i = 0; i < pairs; ++i) objects += "]}";
  const IJsonElement root = TJsonParser::Parse(objects);
  {
    typename TypeParam::TObjectComponent component;
    TypeParam::ProcessObject(dynamic_cast<const TObjectJsonElement&>(*root), *component.GetElements());
    // Walk down: every level holds one array element holding one object item.
    const TCollection* level = component.GetElements();
    int levels = 0;
    while (level->GetCount() == 1) {
      ++levels;
      level = level->GetItem(0)->property("Elements").value<TCollection*>();
    }
    EXPECT_EQ(levels, 2 * pairs);
  }  // the component releases the whole tree here

  const IJsonElement arrays = TJsonParser::Parse(QByteArray(depth, '[') + QByteArray(depth, ']'));
  typename TypeParam::TArrayComponent component;
  TypeParam::ProcessArray(dynamic_cast<const TArrayJsonElement&>(*arrays), *component.GetElements());
  TypeParam::ProcessArray(dynamic_cast<const TArrayJsonElement&>(*arrays), *component.GetElements());
  int levels = 0;
  for (const TCollection* level = component.GetElements(); level->GetCount() == 1; ++levels)
    level = level->GetItem(0)->property("Elements").value<TCollection*>();
  EXPECT_EQ(levels, depth - 1);  // the second run reused every level
}

namespace {

// An integer element whose construction fails once a budget is spent, to break generation midway.
class TFailingIntegerElement : public TArduinoMakeJSONIntegerElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TFailingIntegerElement(QObject* parent = nullptr) : TArduinoMakeJSONIntegerElement(parent) {
    if (Budget-- <= 0) throw ERangeError(QStringLiteral("out of elements"));
  }
  static inline int Budget = 0;
};

struct TFailingTraits : TMakeJsonTraits {
  using TIntegerElement = TFailingIntegerElement;
};

}  // namespace

TEST(JsonGenerationFailureTest, AnExceptionMidwayPassesOutAndKeepsWhatWasMade) {
  TArduinoMakeJSON component;
  const IJsonElement root = TJsonParser::Parse(QStringLiteral(R"({"a": "x", "o": {"i": 1, "j": 2, "s": ""}, "z": 3})"));
  TFailingIntegerElement::Budget = 1;
  EXPECT_THROW(TJsonElementsGenerator<TFailingTraits>::ProcessObject(dynamic_cast<const TObjectJsonElement&>(*root),
                                                                     *component.GetElements()),
               ERangeError);
  EXPECT_EQ(DescribeStd(component.GetElements()), "Text:a, Object:o{TFailingInteger:i}");
}

#include "JsonGenerationTest.moc"
