#include "JsonText.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string_view>

namespace {

using TJson = nlohmann::json;

// Qt's parser orders members by code point, which is the order of their UTF-8 bytes.
bool KeyLess(std::string_view a, std::string_view b) { return a < b; }

// nlohmann's messages start with "[json.exception.parse_error.101] parse error at line 2, column 5: ";
// the reader reports the place itself.
QString SyntaxReason(const std::string& what) {
  std::string_view text = what;
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find("] ");
    if (close != std::string_view::npos) text.remove_prefix(close + 2);
  }
  if (text.substr(0, 11) == "parse error") {
    const size_t colon = text.find(": ");
    if (colon != std::string_view::npos) text.remove_prefix(colon + 2);
  }
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

// Builds the flat tree from nlohmann's events. Each open container keeps where its children start
// in one shared list; closing it moves them into the tree's links, objects sorted by key first.
class TJsonTreeBuilder : public nlohmann::json_sax<TJson> {
public:
  explicit TJsonTreeBuilder(TJsonTree& tree) : FTree(tree) {}

  bool null() override {
    Add(TJsonTree::TType::Null);
    return true;
  }
  bool boolean(bool value) override {
    Add(value ? TJsonTree::TType::True : TJsonTree::TType::False);
    return true;
  }
  bool number_integer(number_integer_t value) override {
    TJsonTree::TNode& node = Add(TJsonTree::TType::Integer);
    node.integer = value;
    node.number = double(value);
    return true;
  }
  bool number_unsigned(number_unsigned_t value) override {
    // What does not fit a qint64 is a double, as Qt's parser has it.
    if (value > number_unsigned_t(std::numeric_limits<std::int64_t>::max())) {
      Add(TJsonTree::TType::Float).number = double(value);
      return true;
    }
    return number_integer(number_integer_t(value));
  }
  bool number_float(number_float_t value, const string_t&) override {
    Add(TJsonTree::TType::Float).number = value;
    return true;
  }
  bool string(string_t& value) override {
    TJsonTree::TNode& node = Add(TJsonTree::TType::String);
    node.first = FTree.FChars.size();
    node.count = value.size();
    FTree.FChars += value;
    return true;
  }
  bool binary(binary_t&) override { return false; }  // JSON text has none
  bool start_object(std::size_t) override { return Open(TJsonTree::TType::Object); }
  bool key(string_t& value) override {
    FKeyOffset = FTree.FChars.size();
    FKeyLength = value.size();
    FTree.FChars += value;
    return true;
  }
  bool end_object() override { return Close(true); }
  bool start_array(std::size_t) override { return Open(TJsonTree::TType::Array); }
  bool end_array() override { return Close(false); }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) override {
    FError = TJsonSyntaxError{qsizetype(position), SyntaxReason(error.what())};
    FFailed = true;
    return false;
  }

  bool Failed() const { return FFailed; }
  const TJsonSyntaxError& Error() const { return FError; }

private:
  TJsonTree::TNode& Add(TJsonTree::TType type) {
    const int index = int(FTree.FNodes.size());
    TJsonTree::TNode& node = FTree.FNodes.emplace_back();
    node.type = type;
    if (!FOpen.empty()) {
      if (FTree.FNodes[size_t(FOpen.back().node)].type == TJsonTree::TType::Object) {
        node.keyOffset = FKeyOffset;
        node.keyLength = FKeyLength;
      }
      FPending.push_back(index);
    }
    return node;
  }
  bool Open(TJsonTree::TType type) {
    Add(type);
    FOpen.push_back({int(FTree.FNodes.size()) - 1, FPending.size()});
    return true;
  }
  bool Close(bool object) {
    const TOpen open = FOpen.back();
    FOpen.pop_back();
    auto first = FPending.begin() + std::ptrdiff_t(open.start);
    auto last = FPending.end();
    if (object) {
      const auto key = [this](int node) {
        const TJsonTree::TNode& n = FTree.FNodes[size_t(node)];
        return std::string_view(FTree.FChars).substr(n.keyOffset, n.keyLength);
      };
      std::stable_sort(first, last, [&](int a, int b) { return KeyLess(key(a), key(b)); });
      // Of equal keys, now side by side in document order, the last one stays.
      auto kept = first;
      for (auto it = first; it != last; ++it) {
        if (it + 1 != last && key(*it) == key(*(it + 1))) continue;
        *kept++ = *it;
      }
      last = kept;
    }
    TJsonTree::TNode& node = FTree.FNodes[size_t(open.node)];
    node.first = FTree.FLinks.size();
    node.count = size_t(last - first);
    FTree.FLinks.insert(FTree.FLinks.end(), first, last);
    FPending.resize(open.start);
    return true;
  }

  struct TOpen {
    int node;
    size_t start;  // in FPending
  };
  TJsonTree& FTree;
  std::vector<TOpen> FOpen;
  std::vector<int> FPending;
  size_t FKeyOffset = 0, FKeyLength = 0;
  bool FFailed = false;
  TJsonSyntaxError FError;
};

namespace {

// The parser spends most of its time stepping over indentation. Whitespace between tokens goes,
// except one blank between two words ("1 2" stays two numbers) and one at the start (a byte order
// mark after blanks stays misplaced); strings are copied as they are. The tokens are the same, so
// the text parses to the same tree or fails too.
std::string WithoutIndentation(QByteArrayView text) {
  const auto word = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '+' ||
           c == '-' || static_cast<unsigned char>(c) >= 0x80;
  };
  std::string out;
  out.reserve(size_t(text.size()));
  const char* p = text.data();
  const char* const end = p + text.size();
  bool blank = false;
  while (p < end) {
    const char c = *p;
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      blank = true;
      ++p;
      continue;
    }
    if (blank && (out.empty() || (word(out.back()) && word(c)))) out += ' ';
    blank = false;
    if (c != '"') {
      out += c;
      ++p;
      continue;
    }
    const char* q = p + 1;
    while (q < end && *q != '"') q += *q == '\\' && q + 1 < end ? 2 : 1;
    if (q < end) ++q;
    out.append(p, size_t(q - p));
    p = q;
  }
  return out;
}

bool Parse(QByteArrayView text, TJsonTreeBuilder& builder) {
  static const char empty = 0;
  const char* begin = text.isEmpty() ? &empty : text.data();
  TJson::sax_parse(begin, begin + text.size(), &builder);
  return !builder.Failed();
}

}  // namespace

TJsonTree::TJsonTree(QByteArrayView text) {
  const std::string compact = WithoutIndentation(text);
  {
    TJsonTreeBuilder builder(*this);
    if (Parse(QByteArrayView(compact.data(), qsizetype(compact.size())), builder)) return;
  }
  // The place of a fault is told in the text as it was.
  FNodes.clear();
  FLinks.clear();
  FChars.clear();
  TJsonTreeBuilder builder(*this);
  if (!Parse(text, builder)) throw builder.Error();
}

QByteArrayView TJsonTree::KeyBytes(int member) const {
  const TNode& node = FNodes[size_t(member)];
  return QByteArrayView(FChars.data() + node.keyOffset, qsizetype(node.keyLength));
}

int TJsonTree::Member(int node, QByteArrayView key) const {
  if (node == None || !IsObject(node)) return None;
  for (int i = 0, n = Count(node); i < n; ++i) {
    const int member = Child(node, i);
    if (KeyBytes(member) == key) return member;
  }
  return None;
}

QString TJsonTree::String(int node) const {
  const TNode& n = FNodes[size_t(node)];
  return QString::fromUtf8(FChars.data() + n.first, qsizetype(n.count));
}

int TJsonTree::Int(int node, int otherwise) const {
  const TNode& n = FNodes[size_t(node)];
  if (n.type == TType::Integer)
    return n.integer >= std::numeric_limits<int>::min() && n.integer <= std::numeric_limits<int>::max() ? int(n.integer)
                                                                                                        : otherwise;
  if (n.type == TType::Float && std::trunc(n.number) == n.number && n.number >= std::numeric_limits<int>::min() &&
      n.number <= std::numeric_limits<int>::max())
    return int(n.number);
  return otherwise;
}

QJsonValue TJsonTree::ToQJsonValue(int node, int maxDepth) const {
  const auto scalar = [this](int n) -> QJsonValue {
    switch (Type(n)) {
      case TType::False:
        return false;
      case TType::True:
        return true;
      case TType::Integer:
        return qint64(FNodes[size_t(n)].integer);
      case TType::Float: {
        // Qt's parser keeps a whole number that fits as an integer, however it was written.
        const double d = FNodes[size_t(n)].number;
        if (std::trunc(d) == d && d >= -9223372036854775808.0 && d < 9223372036854775808.0) return qint64(d);
        return d;
      }
      case TType::String:
        return String(n);
      default:
        return QJsonValue();
    }
  };
  if (!IsObject(node) && !IsArray(node)) return scalar(node);
  // Children first: a container becomes a value once all of its own are made.
  struct TFrame {
    explicit TFrame(int n) : node(n) {}
    int node;
    int next = 0;
    QJsonArray array;
    QJsonObject object;
  };
  std::vector<TFrame> stack;
  stack.emplace_back(node);
  QJsonValue result;
  const auto put = [this](TFrame& frame, int child, QJsonValue value) {
    if (IsObject(frame.node))
      frame.object.insert(Key(child), std::move(value));
    else
      frame.array.append(std::move(value));
  };
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    if (frame.next < Count(frame.node)) {
      const int child = Child(frame.node, frame.next++);
      if (IsObject(child) || IsArray(child)) {
        if (int(stack.size()) >= maxDepth)
          throw std::length_error("nested deeper than " + std::to_string(maxDepth) + " levels");
        stack.emplace_back(child);
      } else {
        put(frame, child, scalar(child));
      }
      continue;
    }
    QJsonValue done = IsObject(frame.node) ? QJsonValue(std::move(frame.object)) : QJsonValue(std::move(frame.array));
    const int finished = frame.node;
    stack.pop_back();
    if (stack.empty())
      result = std::move(done);
    else
      put(stack.back(), finished, std::move(done));
  }
  return result;
}

TJsonWriter::TJsonWriter(bool indented, int indentLimit) : FIndented(indented), FIndentLimit(indentLimit) {}

void TJsonWriter::Indent(size_t depth) { FOut.append(qsizetype(4 * depth), ' '); }

void TJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (FLevels.empty()) return;
  TLevel& level = FLevels.back();
  if (level.entries++ > 0) FOut += level.compact ? "," : ",\n";
  if (!level.compact) Indent(FLevels.size());
}

void TJsonWriter::Begin(char open) {
  BeforeValue();
  const bool compact =
      !FIndented || int(FLevels.size()) >= FIndentLimit || (!FLevels.empty() && FLevels.back().compact);
  FOut += open;
  if (!compact) FOut += '\n';
  FLevels.push_back({0, compact});
}

void TJsonWriter::End(char close) {
  const TLevel level = FLevels.back();
  FLevels.pop_back();
  if (!level.compact) {
    if (level.entries > 0) FOut += '\n';
    Indent(FLevels.size());
  }
  FOut += close;
  if (FLevels.empty() && FIndented) FOut += '\n';
}

void TJsonWriter::Key(QStringView key) {
  TLevel& level = FLevels.back();
  if (level.entries++ > 0) FOut += level.compact ? "," : ",\n";
  if (!level.compact) Indent(FLevels.size());
  FOut += '"';
  Escaped(key);
  FOut += level.compact ? "\":" : "\": ";
  FAfterKey = true;
}

void TJsonWriter::String(QStringView text) {
  BeforeValue();
  FOut += '"';
  Escaped(text);
  FOut += '"';
}

void TJsonWriter::Number(double value) {
  if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) <= 9007199254740992.0) {
    Integer(qint64(value));
    return;
  }
  BeforeValue();
  FOut += std::isfinite(value) ? QByteArray::number(value, 'g', QLocale::FloatingPointShortest) : QByteArray("null");
}

void TJsonWriter::Integer(qint64 value) {
  BeforeValue();
  FOut += QByteArray::number(value);
}

void TJsonWriter::Bool(bool value) {
  BeforeValue();
  FOut += value ? "true" : "false";
}

void TJsonWriter::Null() {
  BeforeValue();
  FOut += "null";
}

void TJsonWriter::Value(const QJsonValue& value) {
  // Containers are kept by value: their iterators would point into frames that move.
  struct TFrame {
    QJsonArray array;
    QJsonObject object;
    bool isObject;
    qsizetype next = 0;
  };
  std::vector<TFrame> stack;
  const auto one = [&](const QJsonValue& v) {
    switch (v.type()) {
      case QJsonValue::Bool:
        Bool(v.toBool());
        break;
      case QJsonValue::Double: {
        // Qt keeps whole numbers as integers and writes them exactly; doubles in shortest form.
        if (v.toVariant().typeId() == QMetaType::LongLong) {
          Integer(v.toInteger());
        } else {
          BeforeValue();
          const double d = v.toDouble();
          FOut += std::isfinite(d) ? QByteArray::number(d, 'g', QLocale::FloatingPointShortest) : QByteArray("null");
        }
        break;
      }
      case QJsonValue::String:
        String(v.toString());
        break;
      case QJsonValue::Array:
        BeginArray();
        stack.push_back({v.toArray(), {}, false});
        break;
      case QJsonValue::Object:
        BeginObject();
        stack.push_back({{}, v.toObject(), true});
        break;
      default:
        Null();
        break;
    }
  };
  one(value);
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    const qsizetype count = frame.isObject ? frame.object.size() : frame.array.size();
    if (frame.next == count) {
      frame.isObject ? EndObject() : EndArray();
      stack.pop_back();
      continue;
    }
    const qsizetype i = frame.next++;
    if (frame.isObject) {
      const auto it = frame.object.constBegin() + i;
      Key(it.key());
      const QJsonValue child = it.value();
      one(child);
    } else {
      const QJsonValue child = frame.array.at(i);
      one(child);
    }
  }
}

void TJsonWriter::Escaped(QStringView text) {
  static const char hex[] = "0123456789abcdef";
  const char16_t* p = text.utf16();
  const char16_t* const end = p + text.size();
  while (p < end) {
    const char16_t u = *p;
    if (u >= 0x80) {
      char32_t c = u;
      ++p;
      if (QChar::isHighSurrogate(u) && p < end && QChar::isLowSurrogate(*p))
        c = QChar::surrogateToUcs4(u, *p++);
      else if (QChar::isSurrogate(u))
        c = 0xFFFD;  // Qt would write it escaped, and JSON readers refuse a lone surrogate
      char bytes[4];
      int n = 0;
      if (c < 0x800) {
        bytes[n++] = char(0xC0 | (c >> 6));
      } else if (c < 0x10000) {
        bytes[n++] = char(0xE0 | (c >> 12));
        bytes[n++] = char(0x80 | ((c >> 6) & 0x3F));
      } else {
        bytes[n++] = char(0xF0 | (c >> 18));
        bytes[n++] = char(0x80 | ((c >> 12) & 0x3F));
        bytes[n++] = char(0x80 | ((c >> 6) & 0x3F));
      }
      bytes[n++] = char(0x80 | (c & 0x3F));
      FOut.append(bytes, n);
      continue;
    }
    if (u >= 0x20 && u != '"' && u != '\\') {
      const char16_t* run = p;
      while (p < end && *p < 0x80 && *p >= 0x20 && *p != '"' && *p != '\\') ++p;
      const qsizetype at = FOut.size();
      FOut.resize(at + (p - run));
      char* out = FOut.data() + at;
      for (; run < p; ++run) *out++ = char(*run);
      continue;
    }
    FOut += '\\';
    switch (u) {
      case '"':
        FOut += '"';
        break;
      case '\\':
        FOut += '\\';
        break;
      case '\b':
        FOut += 'b';
        break;
      case '\f':
        FOut += 'f';
        break;
      case '\n':
        FOut += 'n';
        break;
      case '\r':
        FOut += 'r';
        break;
      case '\t':
        FOut += 't';
        break;
      default:
        FOut += "u00";
        FOut += hex[u >> 4];
        FOut += hex[u & 0xf];
    }
    ++p;
  }
}

QByteArray TJsonWriter::Take() { return std::move(FOut); }
