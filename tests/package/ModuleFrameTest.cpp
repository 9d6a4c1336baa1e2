#include "package/ModuleFrame.h"

#include <gtest/gtest.h>

#include <string>

// Three modules as the table runs them: A and C have start-up work, B only counts.
namespace {
std::string Log;
int32_t CounterA = 0, CounterB = 0, CounterC = 0;

void StartUpA() {
  Log += "startA ";
  RegisterComponents(QStringLiteral("Test"), {&TComponent::staticMetaObject});
}
void StartUpC() { Log += "startC "; }
void InitA() { Velto::Package::InitializeModule(CounterA, &StartUpA); }
void FinA() { Log += "finA "; Velto::Package::FinalizeModule(CounterA); }
void InitB() { Velto::Package::InitializeModule(CounterB, nullptr); }
void FinB() { Log += "finB "; Velto::Package::FinalizeModule(CounterB); }
void InitC() { Velto::Package::InitializeModule(CounterC, &StartUpC); }
void FinC() { Log += "finC "; Velto::Package::FinalizeModule(CounterC); }

const TPackageModuleEntry Entries[] = {{&InitA, &FinA}, {nullptr, nullptr}, {&InitC, &FinC}};
const TPackageInfoTable Table = {3, Entries, 0, nullptr, "test"};

struct ModuleFrameTest : ::testing::Test {
  void SetUp() override {
    TDesignRegistry::Instance().Clear();
    Log.clear();
    CounterA = CounterB = CounterC = 0;
  }
  void TearDown() override { TDesignRegistry::Instance().Clear(); }
};
}  // namespace

TEST_F(ModuleFrameTest, StartUpRunsOnTheFirstInitializationOnly) {
  Velto::Package::InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC ");
  EXPECT_EQ(TDesignRegistry::Instance().Registrations().size(), 1u);

  // Another package that requires these modules initializes them again: only counts.
  Velto::Package::InitializeModules(Table);
  InitB();
  EXPECT_EQ(Log, "startA startC ");
  EXPECT_EQ(TDesignRegistry::Instance().Registrations().size(), 1u);
  EXPECT_EQ(CounterA, -2);
  EXPECT_EQ(CounterB, -1);
  EXPECT_EQ(CounterC, -2);

  Log.clear();
  Velto::Package::FinalizeModules(Table);
  EXPECT_EQ(Log, "finC finA ");  // reverse table order, the empty entry skipped
  Velto::Package::FinalizeModules(Table);
  FinB();
  EXPECT_EQ(CounterA, 0);
  EXPECT_EQ(CounterB, 0);
  EXPECT_EQ(CounterC, 0);
  EXPECT_EQ(TDesignRegistry::Instance().Registrations().size(), 1u);  // nothing is undone

  // Back at 0 the next initialization is a first one again, as after a reload.
  Log.clear();
  Velto::Package::InitializeModules(Table);
  EXPECT_EQ(Log, "startA startC ");
  EXPECT_EQ(TDesignRegistry::Instance().Registrations().size(), 2u);
}
