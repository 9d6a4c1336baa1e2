#pragma once

#include "framework/Registration.h"

#include <vector>

// The process's design registry as a test found it, given back however the test ends (a failed
// ASSERT returns early): the test starts on an empty registry and what it registers is gone after.
// Declare it before the session and windows so that they go first.
class TRegistryScope {
public:
  TRegistryScope() : FSaved(Registry().Registrations()), FHook(std::move(Registry().BeforeRegister)) {
    Registry().BeforeRegister = nullptr;
    Registry().Clear();
  }
  ~TRegistryScope() {
    Registry().BeforeRegister = nullptr;
    Registry().Clear();
    for (const TRegistration& r : FSaved) Registry().Add(r);
    Registry().BeforeRegister = std::move(FHook);
  }
  TRegistryScope(const TRegistryScope&) = delete;
  TRegistryScope& operator=(const TRegistryScope&) = delete;

private:
  static TDesignRegistry& Registry() { return TDesignRegistry::Instance(); }
  std::vector<TRegistration> FSaved;
  std::function<void(const TRegistration&)> FHook;
};
