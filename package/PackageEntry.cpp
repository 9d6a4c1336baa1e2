// The plain-C exports of the package library and its module table.
//
// Form layouts and other resources are compiled in and register themselves when the library is
// loaded, so the library needs no entry point code of its own.

#include "package/ModuleFrame.h"
#include "package/hostapi/DesignFramework.h"

#include <cstdint>
#include <iterator>

// The package's modules in initialization order, each after the modules it uses. One row each:
//   MODULE  (Id, "Dotted.Name")                 the initialization only counts
//   STARTUP (Id, "Dotted.Name", Name::Space)    first initialization calls Name::Space::StartUp()
//   REGISTER(Id, "Dotted.Name", Name::Space)    exports "Dotted.Name.Register" = Name::Space::Register()
// The row declares the procedure it names; its module defines it.
#define VELTO_PACKAGE_MODULES(MODULE, STARTUP, REGISTER)                                                      \
  MODULE(Design, "Velto.Embedded.Arduino.Basic.Design")                                                       \
  REGISTER(BasicRegister, "Velto.Arduino.Basic.Register", Velto::Arduino::Basic::Register)                    \
  STARTUP(FontPropertyEditors, "Velto.Arduino.Graphics.FontPropertyEditors",                                  \
          Velto::Arduino::Graphics::FontPropertyEditors)                                                      \
  REGISTER(BoardsPropertyEditors, "Velto.Inplace.Arduino.Boards.PropertyEditors",                             \
           Velto::Inplace::Arduino::Boards::PropertyEditors)                                                  \
  REGISTER(JsonDesign, "Velto.Arduino.JSON.Design", Velto::Arduino::JSON::Design)                            \
  STARTUP(GrayscaleAlphaColorInplaceForm, "Velto.Arduino.GrayscaleAlphaColorInplaceFormUnit",                 \
          Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit)                                                 \
  MODULE(ResizableInplaceForm, "Velto.ResizableInplaceFormUnit")                                              \
  MODULE(CodeStringsInplaceForm, "Velto.ArduinoCodeStringsInplaceFormUnit")                                   \
  STARTUP(CodeStringsEditorForm, "Velto.ArduinoCodeStringsEditorFormUnit", Velto::ArduinoCodeStringsEditorFormUnit) \
  MODULE(BasicPixelEditorForm, "Velto.Arduino.BasicPixelEditorFormUnit")                                      \
  MODULE(BasicSizedPixelEditorForm, "Velto.Arduino.BasicSizedPixelEditorFormUnit")                            \
  MODULE(BasicLoadSaveSizedPixelEditorForm, "Velto.Arduino.BasicLoadSaveSizedPixelEditorFormUnit")            \
  MODULE(BasicMonochromeBitmapEditorForm, "Velto.Arduino.BasicMonochromeBitmapEditorFormUnit")                \
  MODULE(BasicMonochromeTransparencyBitmapEditorForm,                                                         \
         "Velto.Arduino.BasicMonochromeTransparencyBitmapEditorFormUnit")                                     \
  MODULE(AlphaColorBitmapEditorForm, "Velto.Arduino.AlphaColorBitmapEditorFormUnit")                          \
  MODULE(AlphaGrayscaleBitmapEditorForm, "Velto.Arduino.AlphaGrayscaleBitmapEditorFormUnit")                  \
  MODULE(AlphaRGBWColorBitmapEditorForm, "Velto.Arduino.AlphaRGBWColorBitmapEditorFormUnit")                  \
  REGISTER(MonochromePropertyBitmapEditors, "Velto.Graphics.Arduino.MonochromePropertyBitmapEditors",          \
           Velto::Graphics::Arduino::MonochromePropertyBitmapEditors)                                         \
  REGISTER(ColorPropertyBitmapEditors, "Velto.Arduino.Graphics.ColorPropertyBitmapEditors",                    \
           Velto::Arduino::Graphics::ColorPropertyBitmapEditors)                                              \
  REGISTER(RGBWColorPropertyBitmapEditors, "Velto.Arduino.Graphics.RGBWColorPropertyBitmapEditors",            \
           Velto::Arduino::Graphics::RGBWColorPropertyBitmapEditors)

// Each module's counter and its exported "<name>.initialization" and "<name>.Finalization", so that
// a package requiring this one can initialize the module itself.
#define VELTO_MODULE_COUNTER(Id, Name, StartUpProc)                                                     \
  namespace {                                                                                           \
  int32_t Id##Counter = 0;                                                                              \
  }                                                                                                     \
  extern "C" VELTO_EXPORT void VeltoModule_##Id##_initialization() __asm__(Name ".initialization");     \
  extern "C" VELTO_EXPORT void VeltoModule_##Id##_Finalization() __asm__(Name ".Finalization");         \
  void VeltoModule_##Id##_initialization() { Velto::Package::InitializeModule(Id##Counter, StartUpProc); } \
  void VeltoModule_##Id##_Finalization() { Velto::Package::FinalizeModule(Id##Counter); }

#define VELTO_DEFINE_MODULE(Id, Name) VELTO_MODULE_COUNTER(Id, Name, nullptr)
#define VELTO_DEFINE_STARTUP(Id, Name, Space) \
  namespace Space {                           \
  void StartUp();                             \
  }                                           \
  VELTO_MODULE_COUNTER(Id, Name, &Space::StartUp)
#define VELTO_DEFINE_REGISTER(Id, Name, Space)                                               \
  namespace Space {                                                                          \
  void Register();                                                                           \
  }                                                                                          \
  VELTO_MODULE_COUNTER(Id, Name, nullptr)                                                    \
  extern "C" VELTO_EXPORT void VeltoModule_##Id##_Register() __asm__(Name ".Register");      \
  void VeltoModule_##Id##_Register() { Space::Register(); }

VELTO_PACKAGE_MODULES(VELTO_DEFINE_MODULE, VELTO_DEFINE_STARTUP, VELTO_DEFINE_REGISTER)

namespace {
// A module whose initialization and finalization only count contributes no procedure.
#define VELTO_ENTRY_NONE(Id, ...) {nullptr, nullptr},
#define VELTO_ENTRY_STARTUP(Id, ...) {&VeltoModule_##Id##_initialization, &VeltoModule_##Id##_Finalization},
constexpr TPackageModuleEntry Modules[] = {
    VELTO_PACKAGE_MODULES(VELTO_ENTRY_NONE, VELTO_ENTRY_STARTUP, VELTO_ENTRY_NONE)};

#define VELTO_NAME(Id, Name, ...) Name,
constexpr const char* ContainedModules[] = {VELTO_PACKAGE_MODULES(VELTO_NAME, VELTO_NAME, VELTO_NAME)};

static_assert(std::size(Modules) == std::size(ContainedModules));

constexpr TPackageInfoTable PackageInfoTable = {
    int32_t(std::size(Modules)), Modules, int32_t(std::size(ContainedModules)), ContainedModules,
    "Velto - Arduino Basic Design Package"};
}  // namespace

extern "C" {

VELTO_EXPORT void Initialize() { Velto::Package::InitializeModules(PackageInfoTable); }
VELTO_EXPORT void Finalize() { Velto::Package::FinalizeModules(PackageInfoTable); }
VELTO_EXPORT void PackageLoad() __attribute__((alias("Initialize")));
VELTO_EXPORT void PackageUnload() __attribute__((alias("Finalize")));

VELTO_EXPORT const TPackageInfoTable* GetPackageInfoTable() { return &PackageInfoTable; }

}  // extern "C"
