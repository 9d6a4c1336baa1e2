#pragma once

#include "package/hostapi/DesignFramework.h"

#include <cstdint>

namespace Velto::Package {

// A module's initialization: counts down, and does the module's start-up work (if any) only when
// the counter was 0 before, i.e. on the first initialization. A package that requires this one may
// initialize the module again; that only counts.
void InitializeModule(int32_t& counter, TPackageProc startUp);
// Counts up and does nothing else: no registration is ever undone.
void FinalizeModule(int32_t& counter);

// Every initialization of the table in table order, and every finalization in reverse order.
// Absent procedures are skipped; an error passes out and stops the steps after it.
void InitializeModules(const TPackageInfoTable& table);
void FinalizeModules(const TPackageInfoTable& table);

}  // namespace Velto::Package
