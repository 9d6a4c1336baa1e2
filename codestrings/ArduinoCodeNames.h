#pragma once
// The names the code editors complete: the Arduino core's, from the data file compiled in, and
// those the user declared in the code of the same component.

#include "package/hostapi/Toolkit.h"

#include <functional>

class QObject;

// The core's functions with their parameters, constants, types and objects with their members
// (codestrings/data/arduino-core.api), read once.
const TSynApiList& ArduinoCoreNames();

// The names `code` declares, found by a scan of its text, not by a C++ parser:
// - comments, string and character literals are skipped;
// - "#define NAME" and "#define NAME(params)" declare NAME;
// - elsewhere a type followed by a name declares it when "(", "=", ";", ",", "[" or "{" comes next
//   (qualifiers such as const, static, unsigned before the type are allowed, as are * and &); with
//   "(" the name is a function whose parameters run to the matching ")"; further names after "," in
//   the same statement are declared too. Statement words (return, else, case, new, ...) are no types.
// Variables keep their type, so that "message." offers the members of String.
TSynApiList ScanDeclaredNames(const QString& code);

// A source of the names declared in the Declarations and Setup code of `component`, read each time
// it is asked; none once the component is gone.
std::function<TSynApiList()> DeclaredNamesOf(QObject* component);
