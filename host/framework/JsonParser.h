#pragma once

#include "runtime/Exceptions.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The host's JSON document tree. Objects keep their members in text order and keep duplicate keys as
// separate members; numbers keep the class the text gave them (signed, unsigned, floating-point).
// Nested trees are destroyed without recursion, so any depth the parser admits is safe to release.
class TJsonElement {
public:
  virtual ~TJsonElement() = default;
  TJsonElement() = default;
  TJsonElement(const TJsonElement&) = delete;
  TJsonElement& operator=(const TJsonElement&) = delete;

protected:
  using TOwned = std::unique_ptr<TJsonElement>;
  // Moves the nested elements out, so that the element can be deleted without descending.
  virtual void TakeChildren(std::vector<TOwned>&) {}
  static void DestroyChildren(std::vector<TOwned>&& pending);
};

class TObjectJsonElement final : public TJsonElement {
public:
  using TMember = std::pair<QString, std::unique_ptr<TJsonElement>>;
  ~TObjectJsonElement() override;

  int GetCount() const { return int(FMembers.size()); }
  // Raise ERangeError outside 0 .. count - 1.
  const QString& GetKey(int index) const;
  TJsonElement* GetValue(int index) const;
  auto begin() const { return FMembers.begin(); }
  auto end() const { return FMembers.end(); }

  void Add(QString key, std::unique_ptr<TJsonElement> value);

protected:
  void TakeChildren(std::vector<TOwned>& out) override;

private:
  std::vector<TMember> FMembers;
};

class TArrayJsonElement final : public TJsonElement {
public:
  ~TArrayJsonElement() override;

  int GetCount() const { return int(FItems.size()); }
  // Raises ERangeError outside 0 .. count - 1.
  TJsonElement* GetItem(int index) const;

  void Add(std::unique_ptr<TJsonElement> item);

protected:
  void TakeChildren(std::vector<TOwned>& out) override;

private:
  std::vector<TOwned> FItems;
};

template <class T>
class TScalarJsonElement : public TJsonElement {
public:
  explicit TScalarJsonElement(T value) : FValue(std::move(value)) {}
  const T& GetValue() const { return FValue; }

private:
  T FValue;
};

class TStringJsonElement final : public TScalarJsonElement<QString> {
  using TScalarJsonElement::TScalarJsonElement;
};
class TIntegerJsonElement final : public TScalarJsonElement<int64_t> {
  using TScalarJsonElement::TScalarJsonElement;
};
// Only integers above the signed 64-bit range are unsigned; smaller non-negative ones are signed.
class TUnsignedIntegerJsonElement final : public TScalarJsonElement<uint64_t> {
  using TScalarJsonElement::TScalarJsonElement;
};
class TDoubleJsonElement final : public TScalarJsonElement<double> {
  using TScalarJsonElement::TScalarJsonElement;
};
class TBooleanJsonElement final : public TScalarJsonElement<bool> {
  using TScalarJsonElement::TScalarJsonElement;
};
class TNullJsonElement final : public TJsonElement {};

// The root of a parsed document; it owns the whole tree.
using IJsonElement = std::shared_ptr<TJsonElement>;

struct TJsonParseError {
  qsizetype position = 0;  // offset in the UTF-8 text where the parser stopped
  QString reason;
};

class EJsonParseError : public Exception {
public:
  explicit EJsonParseError(const TJsonParseError& error);
  const TJsonParseError& GetError() const { return FError; }

private:
  TJsonParseError FError;
};

using TJsonErrorCallback = std::function<void(const TJsonParseError&)>;

class TJsonParser {
public:
  // Deeper nesting than this is refused, so no input can exhaust the stack of whoever walks the tree.
  static constexpr int MaxDepth = 10000;

  // Parses a whole JSON text: one value with nothing but whitespace around it. A raw NUL byte is an
  // error wherever it stands (U+0000 in a string is written \u0000); a leading UTF-8 byte order mark
  // is skipped but still counted in error offsets. On invalid text, or nesting deeper than MaxDepth,
  // raises EJsonParseError; with an error callback, reports the error to it instead and returns null.
  static IJsonElement Parse(const QString& text, const TJsonErrorCallback& onError = {});
  static IJsonElement Parse(const QByteArray& utf8, const TJsonErrorCallback& onError = {});
};
