#include "JsonText.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace {
QByteArray Written(const QJsonValue& value, bool indented, int indentLimit = 64) {
  TJsonWriter writer(indented, indentLimit);
  writer.Value(value);
  return writer.Take();
}

bool Parses(const QByteArray& text) {
  try {
    TJsonTree tree(text);
    return true;
  } catch (const TJsonSyntaxError&) {
    return false;
  }
}
}  // namespace

// Documents written before stay byte for byte what QJsonDocument wrote: layout, key order,
// escapes and number forms.
TEST(JsonText, WritesWhatQtWrites) {
  QJsonArray numbers;
  for (double d : {0.0, -0.0, 1.0, -42.0, 2.5, 0.1, 1e-7, 1e15, 1e16, 1e300, 9007199254740992.0, 4294967295.0,
                   std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
    numbers.append(d);
  numbers.append(qint64(1) << 60);
  const QJsonObject value{
      {QStringLiteral("numbers"), numbers},
      {QStringLiteral("text"), QString::fromUtf16(u"q\"b\\s/\b\f\n\r\t\u0001\u001f\u007f é 😀 €")},
      {QString::fromUtf16(u"\uE000"), 1},
      {QString::fromUtf16(u"😀"), 2},  // before U+E000 in QString's order
      {QStringLiteral("Z"), QJsonObject()},
      {QStringLiteral("nested"), QJsonArray{QJsonObject{{QStringLiteral("a"), QJsonArray()}}, true, QJsonValue()}},
  };
  EXPECT_EQ(Written(value, true), QJsonDocument(value).toJson(QJsonDocument::Indented));
  EXPECT_EQ(Written(value, false), QJsonDocument(value).toJson(QJsonDocument::Compact));

  // Past the limit containers are compact inside an indented document, and it reads back the same.
  const QByteArray limited = Written(value, true, 2);
  EXPECT_TRUE(limited.contains("\"nested\": [\n        {\"a\":[]},\n        true,")) << limited.constData();
  EXPECT_EQ(QJsonDocument::fromJson(limited), QJsonDocument::fromJson(Written(value, true)));

  // A lone surrogate would be written escaped, which readers refuse: it becomes U+FFFD.
  TJsonWriter writer(false);
  writer.String(QString(QChar(0xD800)) + QLatin1Char('x'));
  const QByteArray lone = writer.Take();
  EXPECT_EQ(lone, QByteArray("\"\xEF\xBF\xBDx\""));
  EXPECT_EQ(TJsonTree(lone).String(0), QString::fromUtf16(u"\uFFFDx"));
}

// The tree holds what QJsonDocument would read, and dropping indentation before parsing changes
// no verdict on what is JSON.
TEST(JsonText, ReadsWhatQtReads) {
  const QByteArray texts[] = {
      R"({"b": 1, "a": [true, null, "x\u0000y"], "b": {"c": -0.5}, "é": 2, "\t": 3})",
      R"([12345678901234567890, -9223372036854775808, 1e16, 1.0, 7])",
      R"({"a" : { "x" : [ "  spaced  \"quoted\" " , 1 ] } })",
  };
  for (const QByteArray& text : texts) {
    SCOPED_TRACE(text.constData());
    const TJsonTree tree(text);
    const QJsonDocument qt = QJsonDocument::fromJson(text);
    EXPECT_EQ(tree.ToQJsonValue(tree.Root(), 64), qt.isObject() ? QJsonValue(qt.object()) : QJsonValue(qt.array()));
    if (tree.IsObject(tree.Root())) {
      QStringList keys;
      for (int i = 0; i < tree.Count(tree.Root()); ++i) keys << tree.Key(tree.Child(tree.Root(), i));
      EXPECT_EQ(keys, qt.object().keys());
    }
    // Written back, the tree's value gives Qt's text.
    EXPECT_EQ(Written(tree.ToQJsonValue(tree.Root(), 64), true), qt.toJson());
  }
  // Whole numbers in int's range, however written, are ints; everything else is the fallback.
  const QByteArray ints = "[1.0, -0.0, 1.5, -2147483648.0, -2147483648, 2147483647.0, 2147483648.0, -2147483649, "
                          "-2147483648.5, 1e9, 1e10, 7, \"7\", true, null]";
  const TJsonTree numbers(ints);
  const QJsonArray qtNumbers = QJsonDocument::fromJson(ints).array();
  for (int i = 0; i < numbers.Count(numbers.Root()); ++i)
    EXPECT_EQ(numbers.Int(numbers.Child(numbers.Root(), i), -7), qtNumbers.at(i).toInt(-7)) << "item " << i;

  // Members come in Qt's order, by code point.
  const QByteArray keyed = R"({"\uE000": 1, "😀": 2, "b": 3, "B": 4, "\u0000": 5})";
  QStringList keys;
  const TJsonTree tree(keyed);
  for (int i = 0; i < tree.Count(tree.Root()); ++i) keys << tree.Key(tree.Child(tree.Root(), i));
  EXPECT_EQ(keys, QJsonDocument::fromJson(keyed).object().keys());

  const QByteArray verdicts[] = {"[1 2]",           "[1, 2]",      "[tr ue]",  "[- 1]",
                                 "[\"a\" \"b\"]",   "{\"a\":1}  ", "  {}",     "  \xEF\xBB\xBF{}",
                                 "\xEF\xBB\xBF {}", "[1.5 e3]",    "[\"\\\"]", "[\"a\\\\\" ]",
                                 "[\"\\",           "\t[\n1\r]\n", "[1]x",     ""};
  for (const QByteArray& text : verdicts)
    EXPECT_EQ(Parses(text), nlohmann::json::accept(text.begin(), text.end())) << text.constData();
}

// Nothing recurses per level: a hundred thousand levels parse, walk and write; only custom data
// for Qt's own types is held to a depth.
TEST(JsonText, DepthCostsNoStack) {
  constexpr int kDepth = 100000;
  const QByteArray text = QByteArray(kDepth, '[') + QByteArray(kDepth, ']');
  const TJsonTree tree(text);
  int node = tree.Root(), depth = 1;
  for (; tree.Count(node) == 1; ++depth) node = tree.Child(node, 0);
  EXPECT_EQ(depth, kDepth);
  EXPECT_THROW(tree.ToQJsonValue(tree.Root(), 512), std::length_error);
  int inner = tree.Root();
  for (int i = 0; i < kDepth - 100; ++i) inner = tree.Child(inner, 0);
  EXPECT_EQ(Written(tree.ToQJsonValue(inner, 512), false), QByteArray(100, '[') + QByteArray(100, ']'));

  TJsonWriter writer(true, 8);
  for (int i = 0; i < kDepth; ++i) writer.BeginArray();
  for (int i = 0; i < kDepth; ++i) writer.EndArray();
  const QByteArray written = writer.Take();
  EXPECT_LT(written.size(), 2 * kDepth + 300) << "indentation stops at the limit";
  EXPECT_EQ(written.count('['), kDepth);
  EXPECT_TRUE(Parses(written));
}
