#include "common/RegistryScope.h"
#include "PackageLoader.h"
#include "framework/Registration.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
QStringList Listing() {
  QStringList lines;
  for (const auto& r : TDesignRegistry::Instance().Registrations()) lines << FormatRegistration(r);
  return lines;
}

bool IsMapped(const QString& path) {
  void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}
}  // namespace

TEST(PackageLoader, LoadsRegistersFinalizesAndReportsBrokenPackages) {
  const TRegistryScope registry;  // what it will hold points into unloaded code
  qputenv("VELTO_TEST_PACKAGE_LOG", "");
  QTemporaryDir junk;
  ASSERT_TRUE(junk.isValid());
  QFile garbage(junk.filePath(QStringLiteral("Garbage.so")));
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write("this is not a shared library");
  garbage.close();

  const QString dir = QStringLiteral(VELTO_TEST_PACKAGES);
  const QString good = QDir(dir).filePath(QStringLiteral("Velto.Test.Good.so"));
  // The same package in a second folder: reported by its path, loaded and registered once.
  QTemporaryDir copies;
  const QString copy = copies.filePath(QStringLiteral("Velto.Test.Good.so"));
  ASSERT_TRUE(QFile::copy(good, copy));
  {
    TPackageLoader loader;
    loader.LoadFolders({junk.path(), dir, QStringLiteral("/nonexistent/folder"), copies.path()});
    loader.Load(good);  // a second request for a loaded package changes nothing

    // Broken ones are reported with their reason; the loader went on to the good one.
    ASSERT_EQ(loader.Errors().size(), 4u) << qPrintable(loader.ErrorReport());
    const QString report = loader.ErrorReport();
    EXPECT_TRUE(report.contains(QFileInfo(copy).canonicalFilePath() +
                                QStringLiteral(": not loaded: the package Velto.Test.Good is already loaded from ") +
                                QFileInfo(good).canonicalFilePath()))
        << qPrintable(report);
    EXPECT_FALSE(IsMapped(copy));
    EXPECT_TRUE(report.contains(QStringLiteral("Garbage.so: "))) << qPrintable(report);
    EXPECT_TRUE(
        report.contains(QStringLiteral("Velto.Test.Broken.so: Velto.Test.Unit2.Register failed: refused by the test")));
    EXPECT_TRUE(
        report.contains(QStringLiteral("Velto.Test.NoTable.so: not a package: does not export GetPackageInfoTable")));

    // Broken stays mapped (its initialization registered a class of its own) but is not registered.
    ASSERT_EQ(loader.Packages().size(), 2u);
    EXPECT_EQ(loader.Packages()[0]->Name, QStringLiteral("Velto.Test.Broken"));
    EXPECT_FALSE(loader.Packages()[0]->Registered);
    EXPECT_EQ(loader.Packages()[1]->Name, QStringLiteral("Velto.Test.Good"));
    EXPECT_EQ(loader.Packages()[1]->Description, QStringLiteral("Velto - Test Package"));
    EXPECT_TRUE(loader.Packages()[1]->Registered);

    // Initialization in table order, then the Register procedures the contained modules export.
    EXPECT_EQ(qgetenv("VELTO_TEST_PACKAGE_LOG"),
              "Velto.Test.Broken:init1;Velto.Test.Broken:init2;Velto.Test.Broken:register1;Velto.Test.Broken:register2;"
              "Velto.Test.Good:init1;Velto.Test.Good:init2;Velto.Test.Good:register1;Velto.Test.Good:register2;");
    EXPECT_EQ(Listing(), QStringList({
                             "property int TTestBlinker Rate TTestBlinkerEditor",
                             "property int TTestBlinker Rate TTestBlinkerEditor",
                             "palette Test TTestBlinker",
                             "component TTestBlinker TTestBlinkerEditor",
                         }));
    // The registered class works from the host side.
    TClass cls = TDesignRegistry::Instance().PaletteClasses().at(0);
    std::unique_ptr<QObject> made(CreateInstance(cls, &TComponent::staticMetaObject));
    EXPECT_EQ(made->property("Rate").toInt(), 1);
    made.reset();

    qputenv("VELTO_TEST_PACKAGE_LOG", "");
    EXPECT_TRUE(IsMapped(good));
  }
  // Finalized last-loaded first, each in reverse table order, then unloaded.
  EXPECT_EQ(qgetenv("VELTO_TEST_PACKAGE_LOG"),
            "Velto.Test.Good:fin2;Velto.Test.Good:fin1;Velto.Test.Broken:fin2;Velto.Test.Broken:fin1;");
  EXPECT_FALSE(IsMapped(good));
}
