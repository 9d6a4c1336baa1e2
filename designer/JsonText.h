#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonValue>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// JSON text for design documents, read and written without recursion per nesting level: element
// trees generated from a user's sample nest as deep as the sample, tens of thousands of levels.

// Text that is not JSON. `offset` counts the bytes read up to the fault; beyond the last byte
// means the text ended inside a value.
struct TJsonSyntaxError {
  qsizetype offset = 0;
  QString reason;
};

// A parsed JSON text held in flat arrays: no node owns another, so neither building, walking nor
// freeing the tree recurses. Object members are in key order (by code point) and a key given
// twice keeps its last value, as QJsonDocument::fromJson has them.
class TJsonTree {
public:
  enum class TType : std::uint8_t { Null, False, True, Integer, Float, String, Array, Object };
  static constexpr int None = -1;

  // Raises TJsonSyntaxError.
  explicit TJsonTree(QByteArrayView text);

  int Root() const { return 0; }
  TType Type(int node) const { return FNodes[size_t(node)].type; }
  bool IsObject(int node) const { return Type(node) == TType::Object; }
  bool IsArray(int node) const { return Type(node) == TType::Array; }
  bool IsString(int node) const { return Type(node) == TType::String; }
  bool IsNumber(int node) const { return Type(node) == TType::Integer || Type(node) == TType::Float; }
  bool IsBool(int node) const { return Type(node) == TType::True || Type(node) == TType::False; }

  // Members of an object or items of an array.
  int Count(int node) const { return int(FNodes[size_t(node)].count); }
  int Child(int node, int index) const { return FLinks[FNodes[size_t(node)].first + size_t(index)]; }
  // The key of an object member, in UTF-8.
  QByteArrayView KeyBytes(int member) const;
  QString Key(int member) const { return QString::fromUtf8(KeyBytes(member)); }
  // The member of an object with this key, or None (also when `node` is None or no object).
  int Member(int node, QByteArrayView key) const;

  QString String(int node) const;
  bool Bool(int node) const { return Type(node) == TType::True; }
  double Number(int node) const { return FNodes[size_t(node)].number; }
  // A number as QJsonValue::toInt() reads it: whole and in range, else `otherwise`.
  int Int(int node, int otherwise = 0) const;

  // The value as Qt's JSON types, for custom data. Qt frees nested values recursively, so a value
  // nested deeper than `maxDepth` raises std::length_error instead.
  QJsonValue ToQJsonValue(int node, int maxDepth) const;

private:
  friend class TJsonTreeBuilder;
  struct TNode {
    TType type = TType::Null;
    size_t keyOffset = 0, keyLength = 0;  // in FChars
    size_t first = 0, count = 0;          // strings: in FChars; containers: in FLinks
    double number = 0;
    std::int64_t integer = 0;
  };
  std::vector<TNode> FNodes;
  std::vector<int> FLinks;
  std::string FChars;
};

// Writes JSON text the way QJsonDocument::toJson does (keys as given: callers write them in
// key order), four spaces per level when indented. Containers opened deeper than `indentLimit`
// are written compact: indentation grows with depth, and a document tens of thousands of levels
// deep would otherwise be gigabytes of spaces.
class TJsonWriter {
public:
  explicit TJsonWriter(bool indented, int indentLimit = 64);

  void BeginObject() { Begin('{'); }
  void EndObject() { End('}'); }
  void BeginArray() { Begin('['); }
  void EndArray() { End(']'); }
  void Key(QStringView key);
  void String(QStringView text);
  // Whole numbers up to 2^53 as integers, others in their shortest form, NaN and infinities as
  // null: what QJsonValue(double) writes.
  void Number(double value);
  void Integer(qint64 value);
  void Bool(bool value);
  void Null();
  // A Qt JSON value, without recursion.
  void Value(const QJsonValue& value);

  QByteArray Take();

private:
  struct TLevel {
    int entries = 0;
    bool compact = false;
  };
  void BeforeValue();
  void Begin(char open);
  void End(char close);
  void Indent(size_t depth);
  void Escaped(QStringView text);

  QByteArray FOut;
  std::vector<TLevel> FLevels;
  bool FIndented;
  int FIndentLimit;
  bool FAfterKey = false;
};
