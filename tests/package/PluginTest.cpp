#include "framework/PackageInfo.h"
#include "common/RegistryScope.h"
#include "framework/Registration.h"
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>
#include <QLibrary>
#include <QProcess>

#include <set>

// The package as the designer meets it: a library loaded at run time through its plain-C exports.
// Which editors it binds is checked on the designer's own listing (tests/designer/CheckListing.cmake).
namespace {
const QString PluginPath = QStringLiteral(VELTO_PACKAGES_DIR "/Velto.Embedded.Arduino.Basic.Design.so");

struct PluginTest : ::testing::Test {
  const TRegistryScope Registry;  // given back after the library is gone; nothing reads the classes it names
  QLibrary Lib{PluginPath};
  TDesignRegistry& R = TDesignRegistry::Instance();
  const TPackageInfoTable* Table = nullptr;
  std::vector<QString> Names;  // the module table's names, in table order

  void SetUp() override {
    ASSERT_TRUE(Lib.load()) << Lib.errorString().toStdString();
    const auto get = reinterpret_cast<TGetPackageInfoTable>(Lib.resolve("GetPackageInfoTable"));
    ASSERT_TRUE(get);
    Table = get();
    Names.assign(Table->ContainedModules, Table->ContainedModules + Table->ContainedCount);
  }
  void TearDown() override { Lib.unload(); }
  TPackageProc Proc(const QString& name) {
    return reinterpret_cast<TPackageProc>(Lib.resolve(name.toLatin1().constData()));
  }
  // What the designer does after Initialize: every "<module>.Register" export, in table order.
  void RegisterAll() {
    for (const QString& name : Names)
      if (TPackageProc reg = Proc(name + ".Register")) reg();
  }
  std::vector<QString> Lines() const {
    std::vector<QString> lines;
    for (const auto& r : R.Registrations()) lines.push_back(FormatRegistration(r));
    return lines;
  }
};
}  // namespace

TEST_F(PluginTest, ARequiringPackageRegistersNothingTwiceAndAReloadStartsOver) {
  Proc("Initialize")();
  RegisterAll();
  const std::vector<QString> first = Lines();
  ASSERT_FALSE(first.empty());

  // A package that requires this one initializes every module itself, then the package again.
  for (const QString& name : Names) Proc(name + ".initialization")();
  Proc("Initialize")();
  EXPECT_EQ(Lines(), first);

  // A fresh copy of the library starts over.
  ASSERT_TRUE(Lib.unload());
  ASSERT_TRUE(Lib.load());
  R.Clear();
  Proc("Initialize")();
  RegisterAll();
  EXPECT_EQ(Lines(), first);
}

TEST_F(PluginTest, ARegistrationTheHostRefusesPassesOutOfRegisterAndEndsIt) {
  R.BeforeRegister = [calls = 0](const TRegistration&) mutable {
    if (++calls == 5) throw Exception(QStringLiteral("refused"));
  };
  EXPECT_THROW(Proc("Velto.Arduino.Basic.Register.Register")(), Exception);
  EXPECT_EQ(R.Registrations().size(), 4u);
}

TEST_F(PluginTest, ModuleTableInDependencyOrderAndOnlyItsProceduresExported) {
  const TPackageInfoTable& t = *Table;  // entry i runs module i
  const auto at = [&](const char* suffix) {
    for (size_t i = 0; i < Names.size(); ++i)
      if (Names[i].endsWith(QLatin1String(suffix))) return int(i);
    ADD_FAILURE() << suffix << " is not in the table";
    return -1;
  };
  // A module initializes after the modules it uses.
  const std::vector<std::vector<const char*>> chains = {
      {"ResizableInplaceFormUnit", "CodeStringsInplaceFormUnit", "CodeStringsEditorFormUnit"},
      {"BasicPixelEditorFormUnit", "BasicSizedPixelEditorFormUnit", "BasicLoadSaveSizedPixelEditorFormUnit",
       "BasicMonochromeBitmapEditorFormUnit", "BasicMonochromeTransparencyBitmapEditorFormUnit",
       "MonochromePropertyBitmapEditors"},
      {"BasicLoadSaveSizedPixelEditorFormUnit", "AlphaColorBitmapEditorFormUnit", ".ColorPropertyBitmapEditors"},
      {"BasicLoadSaveSizedPixelEditorFormUnit", "AlphaRGBWColorBitmapEditorFormUnit", "RGBWColorPropertyBitmapEditors"},
      {"BasicLoadSaveSizedPixelEditorFormUnit", "AlphaGrayscaleBitmapEditorFormUnit"}};
  for (const auto& chain : chains)
    for (size_t i = 1; i < chain.size(); ++i) EXPECT_LT(at(chain[i - 1]), at(chain[i])) << chain[i];

  std::set<QByteArray> expected = {"Initialize", "Finalize", "PackageLoad", "PackageUnload", "GetPackageInfoTable"};
  for (int i = 0; i < t.ModuleCount; ++i) {
    const QString& name = Names[size_t(i)];
    // A table entry is the module's own pair, or empty when the module only counts.
    EXPECT_TRUE(!t.Modules[i].Initialization || t.Modules[i].Initialization == Proc(name + ".initialization")) << i;
    EXPECT_TRUE(!t.Modules[i].Finalization || t.Modules[i].Finalization == Proc(name + ".Finalization")) << i;
    expected.insert({(name + ".initialization").toLatin1(), (name + ".Finalization").toLatin1()});
    if (Proc(name + ".Register")) expected.insert((name + ".Register").toLatin1());
  }
  EXPECT_EQ(Proc("PackageLoad"), Proc("Initialize"));
  EXPECT_EQ(Proc("PackageUnload"), Proc("Finalize"));

  // Global symbols are what the library exports; the rest, C++ included, stays inside.
  QProcess nm;
  nm.start(QStringLiteral("nm"), {QStringLiteral("--defined-only"), PluginPath});
  if (!nm.waitForFinished(30000) || nm.exitCode() != 0) GTEST_SKIP() << "nm is not available";
  const QByteArray symbols = nm.readAllStandardOutput();
  std::set<QByteArray> exported;
  for (const QByteArray& line : symbols.split('\n'))
    if (const QList<QByteArray> f = line.split(' '); f.size() == 3 && QChar::isUpper(f[1][0])) exported.insert(f[2]);
  EXPECT_EQ(exported, expected);
  // The library carries every module, also one that nothing else in it calls.
  EXPECT_TRUE(symbols.contains("TAlphaGrayscaleBitmapEditorForm16staticMetaObject"));
}
