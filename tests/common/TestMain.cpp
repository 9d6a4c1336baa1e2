#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // gtest_discover_tests runs us at build time without the test environment.
  PrepareHeadless();
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
