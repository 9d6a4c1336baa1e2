#include "framework/JsonParser.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

#include <string_view>

using namespace std::string_view_literals;

namespace {

template <class T>
const T& As(const TJsonElement* element) {
  const T* typed = dynamic_cast<const T*>(element);
  if (!typed) throw std::runtime_error(std::string("unexpected class ") + typeid(*element).name());
  return *typed;
}

TJsonParseError ErrorOf(const QByteArray& text) {
  try {
    TJsonParser::Parse(text);
  } catch (const EJsonParseError& e) {
    return e.GetError();
  }
  ADD_FAILURE() << "parsed: " << text.left(40).constData();
  return {};
}

}  // namespace

TEST(JsonParserTest, ScalarsAndNumberClasses) {
  const IJsonElement root = TJsonParser::Parse(QStringLiteral(
      R"([5, 0, -5, -0, 9223372036854775807, -9223372036854775808, 9223372036854775808, 18446744073709551615,
          18446744073709551616, -9223372036854775809, 5.0, 1e3, -2.5E-1, "t\u00e9xt\n", "", true, false, null])"));
  const auto& a = As<TArrayJsonElement>(root.get());
  ASSERT_EQ(a.GetCount(), 18);
  EXPECT_EQ(As<TIntegerJsonElement>(a.GetItem(0)).GetValue(), 5);
  EXPECT_EQ(As<TIntegerJsonElement>(a.GetItem(1)).GetValue(), 0);
  EXPECT_EQ(As<TIntegerJsonElement>(a.GetItem(2)).GetValue(), -5);
  EXPECT_EQ(As<TIntegerJsonElement>(a.GetItem(3)).GetValue(), 0);
  EXPECT_EQ(As<TIntegerJsonElement>(a.GetItem(4)).GetValue(), INT64_MAX);
  EXPECT_EQ(As<TIntegerJsonElement>(a.GetItem(5)).GetValue(), INT64_MIN);
  EXPECT_EQ(As<TUnsignedIntegerJsonElement>(a.GetItem(6)).GetValue(), 9223372036854775808ull);
  EXPECT_EQ(As<TUnsignedIntegerJsonElement>(a.GetItem(7)).GetValue(), UINT64_MAX);
  EXPECT_DOUBLE_EQ(As<TDoubleJsonElement>(a.GetItem(8)).GetValue(), 18446744073709551616.0);
  EXPECT_DOUBLE_EQ(As<TDoubleJsonElement>(a.GetItem(9)).GetValue(), -9223372036854775809.0);
  EXPECT_DOUBLE_EQ(As<TDoubleJsonElement>(a.GetItem(10)).GetValue(), 5.0);
  EXPECT_DOUBLE_EQ(As<TDoubleJsonElement>(a.GetItem(11)).GetValue(), 1000.0);
  EXPECT_DOUBLE_EQ(As<TDoubleJsonElement>(a.GetItem(12)).GetValue(), -0.25);
  EXPECT_EQ(As<TStringJsonElement>(a.GetItem(13)).GetValue(), QStringLiteral("t\u00e9xt\n"));
  EXPECT_EQ(As<TStringJsonElement>(a.GetItem(14)).GetValue(), QString());
  EXPECT_TRUE(As<TBooleanJsonElement>(a.GetItem(15)).GetValue());
  EXPECT_FALSE(As<TBooleanJsonElement>(a.GetItem(16)).GetValue());
  EXPECT_NE(dynamic_cast<TNullJsonElement*>(a.GetItem(17)), nullptr);
  EXPECT_THROW(a.GetItem(18), ERangeError);
  EXPECT_THROW(a.GetItem(-1), ERangeError);

  // A bare scalar is a document of its own.
  EXPECT_EQ(As<TStringJsonElement>(TJsonParser::Parse(QStringLiteral(R"( "x" )")).get()).GetValue(), "x");
}

TEST(JsonParserTest, ObjectsKeepTextOrderAndDuplicateKeys) {
  const IJsonElement root = TJsonParser::Parse(QStringLiteral(R"({"b": 1, "a": {"x": []}, "b": "two", "é": null})"));
  const auto& o = As<TObjectJsonElement>(root.get());
  ASSERT_EQ(o.GetCount(), 4);
  EXPECT_EQ(o.GetKey(0), "b");
  EXPECT_EQ(As<TIntegerJsonElement>(o.GetValue(0)).GetValue(), 1);
  EXPECT_EQ(o.GetKey(1), "a");
  const auto& inner = As<TObjectJsonElement>(o.GetValue(1));
  ASSERT_EQ(inner.GetCount(), 1);
  EXPECT_EQ(As<TArrayJsonElement>(inner.GetValue(0)).GetCount(), 0);
  EXPECT_EQ(o.GetKey(2), "b");
  EXPECT_EQ(As<TStringJsonElement>(o.GetValue(2)).GetValue(), "two");
  EXPECT_EQ(o.GetKey(3), QStringLiteral("\u00e9"));
  EXPECT_THROW(o.GetKey(4), ERangeError);
}

TEST(JsonParserTest, InvalidTextIsAnErrorWithPositionAndReason) {
  for (const char* text : {"", "   ", "{", "[1,]", R"({"a" 1})", R"({"a":1} x)", "1E400", "tru", R"(["\x"])", "{'a':1}",
                           "[1] [2]", "\xff"}) {
    SCOPED_TRACE(text);
    const TJsonParseError error = ErrorOf(text);
    EXPECT_FALSE(error.reason.isEmpty());
    EXPECT_GT(error.position, 0);
  }
  EXPECT_EQ(ErrorOf("[1,]").position, 4);
  EXPECT_EQ(ErrorOf(R"({"a":1} x)").position, 9);

  // With a callback the error goes to it and no root is returned.
  int calls = 0;
  TJsonParseError seen;
  EXPECT_EQ(TJsonParser::Parse(QStringLiteral("[1, 2"), [&](const TJsonParseError& e) { ++calls, seen = e; }), nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen.position, 6);
  EXPECT_TRUE(seen.reason.contains("unexpected end of input")) << seen.reason.toStdString();
  try {
    TJsonParser::Parse(QStringLiteral("[1, 2"));
    FAIL();
  } catch (const EJsonParseError& e) {
    EXPECT_TRUE(e.Message().startsWith("Invalid JSON at offset 6: ")) << e.Message().toStdString();
  }
}

TEST(JsonParserTest, NulBytesAndTheEdgesOfTheText) {
  struct TCase {
    std::string_view bytes;
    qsizetype position;      // of the error; 0 when the text is valid
    bool bytesOnly = false;  // not UTF-8, so it cannot be given as a QString
  };
  const TCase cases[] = {
      // A raw NUL is an error wherever it stands, never the end of the text.
      {"123\0"sv, 4},
      {"123\0garbage"sv, 4},
      {"{\"a\":1}\0x"sv, 8},
      {"{\"a\":1} \0 "sv, 9},
      {"\0"sv, 1},
      {"\0[1]"sv, 1},
      {"[1,\0 2]"sv, 4},
      {"[1\0]"sv, 3},
      {"1.\0"sv, 3},
      {"tr\0e"sv, 3},
      {"\"a\0b\""sv, 3},
      {"{\"k\0\":1}"sv, 4},
      // An error before the NUL is the one reported.
      {"[1,]\0"sv, 4},
      // A leading UTF-8 byte order mark is skipped (offsets still count it), anywhere else it is an error.
      {"\xEF\xBB\xBF\0"sv, 4},
      {" \xEF\xBB\xBF[1]"sv, 2},
      {"1\xEF\xBB\xBF"sv, 2},
      {"\xEF\xBB\xBF\xEF\xBB\xBF[1]"sv, 4},
      {"\xEF\xBB"sv, 3, true},
      // 0xFF is a byte like any other, not the end of the text.
      {"1 \xFF"sv, 3, true},
      // Escaped, U+0000 is an ordinary character.
      {R"(["\u0000", {"k\u0000": "\u0000x"}])"sv, 0},
      {"\xEF\xBB\xBF"
       R"(["\u0000", {"k\u0000": "\u0000x"}])"sv,
       0},
  };
  for (const TCase& c : cases) {
    const QByteArray bytes(c.bytes.data(), qsizetype(c.bytes.size()));
    SCOPED_TRACE(bytes.toHex(' ').toStdString());
    // The bytes raise, the text reports to a callback: both entry points and both ways of failing.
    std::vector<IJsonElement> roots;
    if (c.position) {
      const TJsonParseError error = ErrorOf(bytes);
      EXPECT_EQ(error.position, c.position) << error.reason.toStdString();
      EXPECT_FALSE(error.reason.isEmpty());
      // Stopped by a NUL, the reason says so rather than speaking of the end of the input.
      if (c.position <= bytes.size() && bytes.at(c.position - 1) == '\0') {
        EXPECT_TRUE(error.reason.contains("NUL")) << error.reason.toStdString();
      }
    } else {
      roots.push_back(TJsonParser::Parse(bytes));
    }
    if (!c.bytesOnly) {
      TJsonParseError seen;
      // QString::fromUtf8 would drop a leading byte order mark; the text keeps it as U+FEFF.
      const QString text = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(bytes);
      roots.push_back(TJsonParser::Parse(text, [&](const TJsonParseError& e) { seen = e; }));
      EXPECT_EQ(seen.position, c.position) << seen.reason.toStdString();
      EXPECT_EQ(roots.back() == nullptr, c.position != 0);
    }
    if (c.position) continue;
    for (const IJsonElement& root : roots) {
      const auto& a = As<TArrayJsonElement>(root.get());
      ASSERT_EQ(a.GetCount(), 2);
      EXPECT_EQ(As<TStringJsonElement>(a.GetItem(0)).GetValue(), QString(QChar(0)));
      const auto& o = As<TObjectJsonElement>(a.GetItem(1));
      ASSERT_EQ(o.GetCount(), 1);
      EXPECT_EQ(o.GetKey(0), QStringLiteral("k") + QChar(0));
      EXPECT_EQ(As<TStringJsonElement>(o.GetValue(0)).GetValue(), QChar(0) + QStringLiteral("x"));
    }
  }
}

TEST(JsonParserTest, NestingIsLimitedAndDeepTreesAreReleasedSafely) {
  const int limit = TJsonParser::MaxDepth;
  const QByteArray deepArray = QByteArray(limit, '[') + QByteArray(limit, ']');
  {
    IJsonElement root = TJsonParser::Parse(deepArray);
    const TJsonElement* e = root.get();
    int depth = 0;
    while (auto* a = dynamic_cast<const TArrayJsonElement*>(e)) {
      ++depth;
      e = a->GetCount() ? a->GetItem(0) : nullptr;
    }
    EXPECT_EQ(depth, limit);
  }  // released here without recursing

  QByteArray deepObject;
  for (int i = 0; i < limit; ++i) deepObject += R"({"k":)";
  deepObject += "1";
  deepObject += QByteArray(limit, '}');
  EXPECT_NE(dynamic_cast<TObjectJsonElement*>(TJsonParser::Parse(deepObject).get()), nullptr);

  const TJsonParseError tooDeep = ErrorOf(QByteArray(limit + 1, '[') + QByteArray(limit + 1, ']'));
  EXPECT_EQ(tooDeep.position, limit + 1);
  EXPECT_TRUE(tooDeep.reason.contains("nesting")) << tooDeep.reason.toStdString();

  // A million open brackets end in the same error, the partial tree released behind it.
  EXPECT_EQ(ErrorOf(QByteArray(1000000, '[')).position, limit + 1);
}
