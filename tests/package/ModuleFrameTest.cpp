#include "package/ModuleFrame.h"

#include <gtest/gtest.h>

#include <string>

// Three modules as a table runs them: A and C have start-up work, B only counts. D lies just past the
// table's end, so a walk that overruns the table shows in the log.
namespace {
using namespace Velto::Package;
std::string Log;
int32_t CounterA = 0, CounterB = 0, CounterC = 0, CounterD = 0;

const TPackageModuleEntry Entries[] = {
    {[] { InitializeModule(CounterA, [] { Log += "startA "; }); }, [] { Log += "finA "; FinalizeModule(CounterA); }},
    {nullptr, nullptr},
    {[] { InitializeModule(CounterC, [] { Log += "startC "; }); }, [] { Log += "finC "; FinalizeModule(CounterC); }},
    {[] { InitializeModule(CounterD, [] { Log += "startD "; }); }, [] { Log += "finD "; }}};
const TPackageInfoTable Table = {3, Entries, 0, nullptr, "test"};
}  // namespace

TEST(ModuleFrameTest, StartUpRunsOnTheFirstInitializationOnlyAndNothingIsUndone) {
  InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC ");

  // Another package that requires these modules initializes them again: that only counts.
  InitializeModules(Table);
  InitializeModule(CounterB, nullptr);
  EXPECT_EQ(Log, "startA startC ");

  Log.clear();
  FinalizeModules(Table);
  EXPECT_EQ(Log, "finC finA ");  // reverse table order, the empty entry skipped
  FinalizeModules(Table);
  FinalizeModule(CounterB);
  EXPECT_EQ(Log, "finC finA finC finA ");

  // Once every initialization is balanced the next one is a first one again, as after a reload.
  Log.clear();
  InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC ");
}
