#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // gtest_discover_tests runs us at build time without the test environment.
  PrepareHeadless();
  ::testing::InitGoogleTest(&argc, argv);
  TApplication app(argc, argv);
  // Settings a test writes stay with the test, and the user's own never reach it.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  return RUN_ALL_TESTS();
}
