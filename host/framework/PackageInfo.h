#pragma once

#include <cstdint>

// The plain-C face of a package library, as the designer loads it.
//
// Exports (extern "C", by these exact names): "Initialize" and "PackageLoad" (the same procedure),
// "Finalize" and "PackageUnload", "GetPackageInfoTable". Every contained module M also exports
// "M.initialization" and "M.Finalization", and a module with registrations exports "M.Register";
// the designer finds the Register procedures by looking up "<module name>.Register" for each module
// the table names, in table order. Names with dots are set with asm labels, e.g.
//   extern "C" VELTO_EXPORT void BasicRegister() __asm__("Velto.Arduino.Basic.Register.Register");

extern "C" {

using TPackageProc = void (*)();

// One initialization step: either procedure may be absent.
struct TPackageModuleEntry {
  TPackageProc Initialization;
  TPackageProc Finalization;
};

struct TPackageInfoTable {
  int32_t ModuleCount;                    // entries run by Initialize, in this order
  const TPackageModuleEntry* Modules;
  int32_t ContainedCount;                 // the package's own modules, by dotted name
  const char* const* ContainedModules;
  const char* Description;                // "Velto - Arduino Basic Design Package"
};

using TGetPackageInfoTable = const TPackageInfoTable* (*)();
}

#define VELTO_EXPORT __attribute__((visibility("default")))
