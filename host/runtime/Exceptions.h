#pragma once

#include <QString>
#include <exception>
#include <string>

// Run-time errors of the host. Every failure that reaches the host's error report is one of these;
// what() carries the message in UTF-8 so std::exception handlers can show it too.
class Exception : public std::exception {
public:
  explicit Exception(QString message);
  const QString& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

private:
  QString FMessage;
  std::string FUtf8;
};

class ERangeError : public Exception {
public:
  using Exception::Exception;
};

class EAssertionFailed : public Exception {
public:
  using Exception::Exception;
};

class EInvalidCast : public Exception {
public:
  using Exception::Exception;
  EInvalidCast();  // "Invalid class typecast"
};

// Raises EAssertionFailed with "Assertion failure (module, line N)".
[[noreturn]] void AssertionFailure(const char* module, int line);

#define VELTO_ASSERT(cond) ((cond) ? void(0) : ::AssertionFailure(__FILE__, __LINE__))
