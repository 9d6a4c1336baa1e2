#include "framework/PackageInfo.h"
#include "framework/Registration.h"
#include "runtime/Exceptions.h"

#include <QLibrary>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

// The package as the designer meets it: a library loaded at run time through its plain-C exports.
namespace {
const QString PluginPath = QStringLiteral(VELTO_PACKAGES_DIR "/Velto.Embedded.Arduino.Basic.Design.so");

struct PluginTest : ::testing::Test {
  QLibrary Lib{PluginPath};
  TDesignRegistry& R = TDesignRegistry::Instance();

  void SetUp() override {
    R.Clear();
    ASSERT_TRUE(Lib.load()) << Lib.errorString().toStdString();
  }
  void TearDown() override {
    R.BeforeRegister = nullptr;
    R.Clear();
    Lib.unload();
  }
  TPackageProc Proc(const QString& name) { return reinterpret_cast<TPackageProc>(Lib.resolve(name.toLatin1().constData())); }
  const TPackageInfoTable& Table() {
    auto get = reinterpret_cast<TGetPackageInfoTable>(Lib.resolve("GetPackageInfoTable"));
    if (!get) throw Exception(QStringLiteral("GetPackageInfoTable is not exported"));
    return *get();
  }
  std::vector<QString> ModuleNames() {
    const TPackageInfoTable& t = Table();
    return std::vector<QString>(t.ContainedModules, t.ContainedModules + t.ContainedCount);
  }
  // What the designer does after Initialize: every "<module>.Register" export, in table order.
  void RegisterAll() {
    for (const QString& name : ModuleNames())
      if (TPackageProc reg = Proc(name + ".Register")) reg();
  }
  std::vector<QString> Lines() const {
    std::vector<QString> lines;
    for (const auto& r : R.Registrations()) lines.push_back(FormatRegistration(r));
    return lines;
  }
};
}  // namespace

TEST_F(PluginTest, ExportsAndModuleTableInDependencyOrder) {
  const TPackageInfoTable& t = Table();
  EXPECT_STREQ(t.Description, "Velto - Arduino Basic Design Package");
  const std::vector<QString> names = ModuleNames();
  ASSERT_EQ(t.ModuleCount, 20);
  ASSERT_EQ(names.size(), 20u);
  EXPECT_EQ(names[0], "Velto.Embedded.Arduino.Basic.Design");

  const auto at = [&](const char* suffix) {
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i].endsWith(QLatin1String(suffix))) return int(i);
    ADD_FAILURE() << suffix << " is not in the table";
    return -1;
  };
  // Each chain must initialize in this order: a module after the modules it uses, and the three
  // start-up registrations in their order.
  const std::vector<std::vector<const char*>> chains = {
      {"FontPropertyEditors", "GrayscaleAlphaColorInplaceFormUnit", "CodeStringsEditorFormUnit"},
      {"ResizableInplaceFormUnit", "CodeStringsInplaceFormUnit", "CodeStringsEditorFormUnit"},
      {"BasicPixelEditorFormUnit", "BasicSizedPixelEditorFormUnit", "BasicLoadSaveSizedPixelEditorFormUnit",
       "BasicMonochromeBitmapEditorFormUnit", "BasicMonochromeTransparencyBitmapEditorFormUnit",
       "MonochromePropertyBitmapEditors"},
      {"BasicLoadSaveSizedPixelEditorFormUnit", "AlphaColorBitmapEditorFormUnit", ".ColorPropertyBitmapEditors"},
      {"BasicLoadSaveSizedPixelEditorFormUnit", "AlphaRGBWColorBitmapEditorFormUnit", "RGBWColorPropertyBitmapEditors"},
      {"BasicLoadSaveSizedPixelEditorFormUnit", "AlphaGrayscaleBitmapEditorFormUnit"}};
  for (const auto& chain : chains)
    for (size_t i = 1; i < chain.size(); ++i) EXPECT_LT(at(chain[i - 1]), at(chain[i])) << chain[i];

  std::set<QString> registering;
  for (int i = 0; i < t.ModuleCount; ++i) {
    const TPackageProc init = Proc(names[size_t(i)] + ".initialization");
    const TPackageProc fin = Proc(names[size_t(i)] + ".Finalization");
    EXPECT_TRUE(init && fin) << names[size_t(i)].toStdString();
    // A table entry is the module's own pair, or empty when the module only counts.
    EXPECT_TRUE(!t.Modules[i].Initialization || t.Modules[i].Initialization == init);
    EXPECT_TRUE(!t.Modules[i].Finalization || t.Modules[i].Finalization == fin);
    if (Proc(names[size_t(i)] + ".Register")) registering.insert(names[size_t(i)]);
  }
  // Only modules whose editors exist register anything; the others come with those editors.
  EXPECT_EQ(registering, (std::set<QString>{"Velto.Arduino.Basic.Register", "Velto.Arduino.JSON.Design",
                                            "Velto.Inplace.Arduino.Boards.PropertyEditors",
                                            "Velto.Graphics.Arduino.MonochromePropertyBitmapEditors",
                                            "Velto.Arduino.Graphics.ColorPropertyBitmapEditors",
                                            "Velto.Arduino.Graphics.RGBWColorPropertyBitmapEditors"}));
  EXPECT_EQ(Proc("PackageLoad"), Proc("Initialize"));
  EXPECT_EQ(Proc("PackageUnload"), Proc("Finalize"));
}

TEST_F(PluginTest, RepeatedInitializationRegistersNothingAndReloadRegistersAgain) {
  const TPackageProc initialize = Proc("Initialize"), finalize = Proc("Finalize");
  ASSERT_TRUE(initialize && finalize);
  initialize();
  // The modules with start-up work register their editors, in table order.
  EXPECT_EQ(Lines(), (std::vector<QString>{
                         "property TArduinoGraphicsFont * * TArduinoGraphicsFontPropertyEditor",
                         "property TArduinoGrayscaleAlphaColor * * TGrayscaleAlphaColorPropertyEditor",
                         "property TArduinoCode * * TArduinoCodeStringPropertyEditor"}));
  RegisterAll();
  const std::vector<QString> first = Lines();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(std::count(first.begin(), first.end(), "property TArduinoBasicShields * * TShieldsCollectionPropertyEditor"), 1);

  // A package that requires this one initializes every module again, then finalizes it.
  for (const QString& name : ModuleNames()) Proc(name + ".initialization")();
  initialize();
  EXPECT_EQ(Lines(), first);
  finalize();
  for (const QString& name : ModuleNames()) Proc(name + ".Finalization")();
  finalize();
  EXPECT_EQ(Lines(), first);  // nothing is undone either

  ASSERT_TRUE(Lib.unload());
  ASSERT_TRUE(Lib.load());
  Proc("Initialize")();
  RegisterAll();
  std::vector<QString> twice = first;
  twice.insert(twice.end(), first.begin(), first.end());
  EXPECT_EQ(Lines(), twice);
  Proc("Finalize")();
}

TEST_F(PluginTest, BasicRegisterMakesTheStreamColoursFirstInTableOrder) {
  const TPackageProc reg = Proc("Velto.Arduino.Basic.Register.Register");
  ASSERT_TRUE(reg);
  reg();
  const auto& regs = R.Registrations();
  ASSERT_GT(regs.size(), 34u);
  std::set<QString> ids;
  for (size_t i = 0; i < regs.size(); ++i) {
    if (i < 34) {
      ASSERT_TRUE(std::holds_alternative<TStreamColorRegistration>(regs[i])) << i;
      ids.insert(std::get<TStreamColorRegistration>(regs[i]).StreamType.ToString());
    } else {
      EXPECT_TRUE(std::holds_alternative<TPaletteRegistration>(regs[i])) << FormatRegistration(regs[i]).toStdString();
    }
  }
  EXPECT_EQ(ids.size(), 34u);

  const auto entry = [&](int number) -> const TStreamColorRegistration& { return std::get<TStreamColorRegistration>(regs[size_t(number - 1)]); };
  const struct {
    int Number;
    TGUID Id;
    uint32_t Color;
    float Thickness;
  } expected[] = {
      {1, TGUID::Parse("{7801FB9D-9E30-42A8-874D-2F19BAFAA106}"), 0x00DCF8FF, 1.0f},
      {3, TGUID::Parse("{7BD01E33-E993-45E7-89E8-174AAF215D1D}"), 0x00EBCE87, 3.0f},
      {4, TGUID::Parse("{346A1459-57F0-4A7C-BED8-A5D958D13E99}"), 0x00EBCE87, 2.0f},
      {6, TGUID::Parse("{755ADE19-9ED5-4C58-8A49-4C28E6E33E6F}"), 0x00CC3299, 2.0f},
      {7, TGUID::Parse("{199144E2-F2FC-4B93-9304-DA7D4EE47182}"), 0x00CC3299, 2.0f},
      {8, TGUID::Parse("{35286361-40A8-4AED-98E2-1766DA289550}"), 0x00CC3299, 2.0f},
      {20, TGUID::Parse("{1A99DCB6-9CC9-4F44-AD57-8E02CB9F5188}"), 0x000000FF, 2.5f},
      {25, TGUID::Parse("{C6F0FC2B-1016-4803-BC03-35538EE13438}"), 0x00808080, 2.0f},
      {26, TGUID::Parse("{524D83E5-A5C6-4BDE-8B77-D035A8E6818B}"), 0x00808080, 1.5f},
      {34, TGUID::Parse("{F81192FE-384B-4224-9136-FF6CD46F71E5}"), 0x00DCF8FF, 2.0f},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(entry(e.Number).StreamType, e.Id) << e.Number;
    EXPECT_EQ(entry(e.Number).Color, e.Color) << e.Number;
    EXPECT_EQ(entry(e.Number).Thickness, e.Thickness) << e.Number;
  }
  // The usual GUID memory layout: three little-endian fields, then eight bytes in order.
  static_assert(sizeof(TGUID) == 16);
  const unsigned char red[16] = {0xB6, 0xDC, 0x99, 0x1A, 0xC9, 0x9C, 0x44, 0x4F,
                                 0xAD, 0x57, 0x8E, 0x02, 0xCB, 0x9F, 0x51, 0x88};
  EXPECT_EQ(std::memcmp(&entry(20).StreamType, red, 16), 0);
}

TEST_F(PluginTest, AnErrorOfARegistrationCallPassesOutOfRegister) {
  int calls = 0;
  R.BeforeRegister = [&](const TRegistration&) {
    if (++calls == 5) throw Exception(QStringLiteral("refused"));
  };
  const TPackageProc reg = Proc("Velto.Arduino.Basic.Register.Register");
  ASSERT_TRUE(reg);
  EXPECT_THROW(reg(), Exception);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(R.Registrations().size(), 4u);
}

TEST_F(PluginTest, OnlyPlainCSymbolsAreExported) {
  QProcess nm;
  nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), PluginPath});
  if (!nm.waitForFinished(30000) || nm.exitCode() != 0) GTEST_SKIP() << "nm is not available";
  const QList<QByteArray> lines = nm.readAllStandardOutput().split('\n');
  int exported = 0;
  for (const QByteArray& line : lines) {
    const QByteArray symbol = line.mid(line.lastIndexOf(' ') + 1);
    if (symbol.isEmpty()) continue;
    EXPECT_FALSE(symbol.startsWith("_Z")) << symbol.constData();
    exported += line.contains(" T ");
  }
  EXPECT_EQ(exported, 5 + 2 * 20 + 6);  // entry points, module pairs, the Register procedures

  // Every module is in the library, also those that nothing else in it calls.
  nm.start(QStringLiteral("nm"), {QStringLiteral("-C"), QStringLiteral("--defined-only"), PluginPath});
  ASSERT_TRUE(nm.waitForFinished(30000));
  const QByteArray all = nm.readAllStandardOutput();
  for (const char* form : {"TArduinoBasicMonochromeBitmapEditorForm", "TBasicMonochromeTransparencyBitmapEditorForm",
                           "TAlphaColorBitmapEditorForm", "TAlphaGrayscaleBitmapEditorForm", "TAlphaRGBWColorBitmapEditorForm",
                           "TArduinoGrayscaleAlphaColorInplaceForm"})
    EXPECT_TRUE(all.contains(QByteArray(form) + "::staticMetaObject")) << form;
}
