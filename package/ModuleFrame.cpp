#include "package/ModuleFrame.h"

namespace Velto::Package {

void InitializeModule(int32_t& counter, TPackageProc startUp) {
  if (counter-- == 0 && startUp) startUp();
}

void FinalizeModule(int32_t& counter) { ++counter; }

void InitializeModules(const TPackageInfoTable& table) {
  for (int32_t i = 0; i < table.ModuleCount; ++i)
    if (table.Modules[i].Initialization) table.Modules[i].Initialization();
}

void FinalizeModules(const TPackageInfoTable& table) {
  for (int32_t i = table.ModuleCount - 1; i >= 0; --i)
    if (table.Modules[i].Finalization) table.Modules[i].Finalization();
}

}  // namespace Velto::Package
