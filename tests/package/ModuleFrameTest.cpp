#include "package/ModuleFrame.h"

#include <gtest/gtest.h>

#include <string>

// Modules as a table runs them: A and C have start-up work, the empty entry's module only counts. D
// lies just past the table's end, so a walk that overruns the table shows in the log.
namespace {
using namespace Velto::Package;
std::string Log;
int32_t CounterA = 0, CounterC = 0, CounterD = 0;

template <int32_t* Counter, char Module>
void Init() {
  InitializeModule(*Counter, [] { Log += std::string("start") + Module + ' '; });
}
template <int32_t* Counter, char Module>
void Fin() {
  Log += std::string("fin") + Module + ' ';
  FinalizeModule(*Counter);
}

const TPackageModuleEntry Entries[] = {{&Init<&CounterA, 'A'>, &Fin<&CounterA, 'A'>},
                                       {nullptr, nullptr},
                                       {&Init<&CounterC, 'C'>, &Fin<&CounterC, 'C'>},
                                       {&Init<&CounterD, 'D'>, &Fin<&CounterD, 'D'>}};
const TPackageInfoTable Table = {3, Entries, 0, nullptr, "test"};
}  // namespace

TEST(ModuleFrameTest, StartUpRunsOnTheFirstInitializationOnlyAndNothingIsUndone) {
  InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC ");
  // Another package that requires these modules initializes them again: that only counts.
  InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC ");

  FinalizeModules(Table);
  EXPECT_EQ(Log, "startA startC finC finA ");  // reverse table order, the empty entry skipped
  FinalizeModules(Table);
  EXPECT_EQ(Log, "startA startC finC finA finC finA ");

  // Once every initialization is balanced the next one is a first one again, as after a reload.
  InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC finC finA finC finA startA startC ");
}
