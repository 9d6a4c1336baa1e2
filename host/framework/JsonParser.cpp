#include "JsonParser.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <iterator>
#include <limits>

void TJsonElement::DestroyChildren(std::vector<TOwned>&& pending) {
  // Each element is emptied before it is deleted, so deletion never descends more than one level.
  while (!pending.empty()) {
    TOwned element = std::move(pending.back());
    pending.pop_back();
    element->TakeChildren(pending);
  }
}

TObjectJsonElement::~TObjectJsonElement() {
  std::vector<TOwned> pending;
  TakeChildren(pending);
  DestroyChildren(std::move(pending));
}

const QString& TObjectJsonElement::GetKey(int index) const {
  if (index < 0 || index >= GetCount())
    throw ERangeError(QStringLiteral("Index out of range = %1").arg(uint32_t(index)));
  return FMembers[size_t(index)].first;
}

TJsonElement* TObjectJsonElement::GetValue(int index) const {
  if (index < 0 || index >= GetCount())
    throw ERangeError(QStringLiteral("Index out of range = %1").arg(uint32_t(index)));
  return FMembers[size_t(index)].second.get();
}

void TObjectJsonElement::Add(QString key, std::unique_ptr<TJsonElement> value) {
  FMembers.emplace_back(std::move(key), std::move(value));
}

void TObjectJsonElement::TakeChildren(std::vector<TOwned>& out) {
  for (auto& member : FMembers)
    if (member.second) out.push_back(std::move(member.second));
  FMembers.clear();
}

TArrayJsonElement::~TArrayJsonElement() {
  std::vector<TOwned> pending;
  TakeChildren(pending);
  DestroyChildren(std::move(pending));
}

TJsonElement* TArrayJsonElement::GetItem(int index) const {
  if (index < 0 || index >= GetCount())
    throw ERangeError(QStringLiteral("Index out of range = %1").arg(uint32_t(index)));
  return FItems[size_t(index)].get();
}

void TArrayJsonElement::Add(std::unique_ptr<TJsonElement> item) { FItems.push_back(std::move(item)); }

void TArrayJsonElement::TakeChildren(std::vector<TOwned>& out) {
  for (auto& item : FItems)
    if (item) out.push_back(std::move(item));
  FItems.clear();
}

EJsonParseError::EJsonParseError(const TJsonParseError& error)
    : Exception(QStringLiteral("Invalid JSON at offset %1: %2").arg(error.position).arg(error.reason)), FError(error) {}

namespace {

using json = nlohmann::json;

// A char iterator that publishes how far the parser has read, so that errors raised from the event
// handler (which nlohmann gives no position) can say where they happened.
struct TTrackedIterator {
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  const char* p = nullptr;
  const char** cursor = nullptr;

  reference operator*() const { return *p; }
  TTrackedIterator& operator++() {
    ++p;
    *cursor = p;
    return *this;
  }
  TTrackedIterator operator++(int) {
    TTrackedIterator old = *this;
    ++*this;
    return old;
  }
  bool operator==(const TTrackedIterator& other) const { return p == other.p; }
  bool operator!=(const TTrackedIterator& other) const { return p != other.p; }
};

class TTreeBuilder final : public nlohmann::json_sax<json> {
public:
  TTreeBuilder(const char* begin, const char* const* cursor) : FBegin(begin), FCursor(cursor) {}

  std::unique_ptr<TJsonElement> TakeRoot() { return std::move(FRoot); }
  const TJsonParseError& GetError() const { return FError; }

  bool null() override { return Put(std::make_unique<TNullJsonElement>()); }
  bool boolean(bool value) override { return Put(std::make_unique<TBooleanJsonElement>(value)); }
  bool number_integer(number_integer_t value) override {
    return Put(std::make_unique<TIntegerJsonElement>(int64_t(value)));
  }
  bool number_unsigned(number_unsigned_t value) override {
    // nlohmann reports every non-negative integer as unsigned; only those beyond int64 are.
    if (value <= uint64_t(std::numeric_limits<int64_t>::max()))
      return Put(std::make_unique<TIntegerJsonElement>(int64_t(value)));
    return Put(std::make_unique<TUnsignedIntegerJsonElement>(uint64_t(value)));
  }
  bool number_float(number_float_t value, const string_t&) override {
    return Put(std::make_unique<TDoubleJsonElement>(double(value)));
  }
  bool string(string_t& value) override {
    return Put(std::make_unique<TStringJsonElement>(QString::fromStdString(value)));
  }
  bool binary(binary_t&) override { return Fail(QStringLiteral("binary values are not JSON")); }
  bool key(string_t& value) override {
    FKey = QString::fromStdString(value);
    return true;
  }
  bool start_object(std::size_t) override { return Open(std::make_unique<TObjectJsonElement>()); }
  bool start_array(std::size_t) override { return Open(std::make_unique<TArrayJsonElement>()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex) override {
    FError = {qsizetype(position), QString::fromUtf8(ex.what())};
    return false;
  }

private:
  bool Put(std::unique_ptr<TJsonElement> value) {
    if (FStack.empty()) {
      FRoot = std::move(value);
      return true;
    }
    TJsonElement* top = FStack.back();
    if (auto* array = dynamic_cast<TArrayJsonElement*>(top))
      array->Add(std::move(value));
    else
      static_cast<TObjectJsonElement*>(top)->Add(std::move(FKey), std::move(value));
    return true;
  }
  bool Open(std::unique_ptr<TJsonElement> container) {
    if (int(FStack.size()) >= TJsonParser::MaxDepth)
      return Fail(QStringLiteral("nesting deeper than %1 levels").arg(TJsonParser::MaxDepth));
    TJsonElement* raw = container.get();
    Put(std::move(container));
    FStack.push_back(raw);
    return true;
  }
  bool Close() {
    FStack.pop_back();
    return true;
  }
  bool Fail(const QString& reason) {
    FError = {qsizetype(*FCursor - FBegin), reason};
    return false;
  }

  const char* FBegin;
  const char* const* FCursor;
  std::unique_ptr<TJsonElement> FRoot;
  std::vector<TJsonElement*> FStack;
  QString FKey;
  TJsonParseError FError;
};

}  // namespace

IJsonElement TJsonParser::Parse(const QString& text, const TJsonErrorCallback& onError) {
  return Parse(text.toUtf8(), onError);
}

IJsonElement TJsonParser::Parse(const QByteArray& utf8, const TJsonErrorCallback& onError) {
  const char* begin = utf8.constData();
  // nlohmann's lexer takes a NUL byte where a token may start for the end of the input, and would accept
  // "1<NUL>garbage". No JSON text holds a raw NUL (U+0000 in a string is written \u0000), so the lexer
  // only sees the bytes before the first one, and reaching that end is an error at the NUL.
  const auto* nul = static_cast<const char*>(std::memchr(begin, '\0', size_t(utf8.size())));
  const char* end = nul ? nul : begin + utf8.size();
  const char* cursor = begin;
  TTreeBuilder builder(begin, &cursor);
  const bool ok = json::sax_parse(TTrackedIterator{begin, &cursor}, TTrackedIterator{end, &cursor}, &builder,
                                  json::input_format_t::json, true);
  std::unique_ptr<TJsonElement> root = builder.TakeRoot();
  TJsonParseError error = builder.GetError();
  // Errors count the byte that caused them, so one found at the end of the bytes before the NUL is the NUL's.
  const qsizetype nulPosition = nul ? qsizetype(nul - begin) + 1 : 0;
  if (nul && (ok || error.position >= nulPosition))
    error = {nulPosition, QStringLiteral("NUL byte; U+0000 is allowed only inside a string, written as \\u0000")};
  else if (ok && root)
    return IJsonElement(std::move(root));
  if (error.reason.isEmpty()) error.reason = QStringLiteral("no JSON value");
  if (onError) {
    onError(error);
    return nullptr;
  }
  throw EJsonParseError(error);
}
