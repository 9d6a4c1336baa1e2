#include "Exceptions.h"

Exception::Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}

EInvalidCast::EInvalidCast() : Exception(QStringLiteral("Invalid class typecast")) {}

void AssertionFailure(const char* module, int line) {
  throw EAssertionFailed(QStringLiteral("Assertion failure (%1, line %2)").arg(QString::fromUtf8(module)).arg(line));
}
