#include "runtime/MainThreadExecute.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {
void SpinEventLoop() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}
}  // namespace

TEST(MainThreadExecute, RunsAfterTheQueueingHandlerHasReturned) {
  auto executor = TMainThreadExecute::Create();
  std::vector<int> ran;
  bool handlerDone = false;
  QTimer::singleShot(0, [&] {
    for (int i = 0; i < 100; ++i)
      executor->Queue([&ran, &handlerDone, i] {
        EXPECT_TRUE(handlerDone);
        ran.push_back(i);
      });
    handlerDone = true;
  });
  SpinEventLoop();
  EXPECT_EQ(ran, std::vector<int>{99});
}

TEST(MainThreadExecute, BurstEndsInOneRunOfTheLastProcedure) {
  auto executor = TMainThreadExecute::Create();
  std::vector<int> ran;
  for (int i = 0; i < 1000; ++i) executor->Queue([&ran, i] { ran.push_back(i); });
  EXPECT_TRUE(ran.empty());
  EXPECT_TRUE(executor->Pending());
  SpinEventLoop();
  EXPECT_EQ(ran, std::vector<int>{999});
  EXPECT_FALSE(executor->Pending());
}

TEST(MainThreadExecute, WithdrawAndReleaseCancelThePendingProcedure) {
  int runs = 0;
  {
    auto executor = TMainThreadExecute::Create();
    executor->Queue([&] { ++runs; });
    executor->Withdraw();
    SpinEventLoop();
    EXPECT_EQ(runs, 0);
    executor->Queue([&] { ++runs; });
  }  // released while pending
  SpinEventLoop();
  EXPECT_EQ(runs, 0);
}

TEST(MainThreadExecute, ProcedureMayQueueAgain) {
  auto executor = TMainThreadExecute::Create();
  int runs = 0;
  std::function<void()> again = [&] {
    if (++runs < 3) executor->Queue(again);
  };
  executor->Queue(again);
  SpinEventLoop();
  EXPECT_EQ(runs, 3);
}
