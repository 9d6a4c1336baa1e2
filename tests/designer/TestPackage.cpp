// A small package library for the loader tests. Every step it is put through is appended to the
// environment variable VELTO_TEST_PACKAGE_LOG ("<package>:<step>;"), which outlives the library.
#include "framework/ComponentEditors.h"
#include "framework/PackageInfo.h"
#include "framework/Registration.h"
#include "runtime/Exceptions.h"

#include <QByteArray>
#include <cstdlib>

namespace {

void Log(const char* step) {
  QByteArray log = qgetenv("VELTO_TEST_PACKAGE_LOG");
  log += VELTO_TEST_NAME ":";
  log += step;
  log += ';';
  qputenv("VELTO_TEST_PACKAGE_LOG", log);
}

class TTestBlinker : public TComponent {
  Q_OBJECT
  Q_PROPERTY(int Rate READ GetRate WRITE SetRate)
public:
  Q_INVOKABLE explicit TTestBlinker(QObject* parent = nullptr) : TComponent(parent) {}
  int GetRate() const { return FRate; }
  void SetRate(int rate) { FRate = rate; }

private:
  int FRate = 1;
};

class TTestBlinkerEditor : public TComponentEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TTestBlinkerEditor(TComponent* component, IDesigner* designer) : TComponentEditor(component, designer) {}
};

void Unit1Initialization() {
  Log("init1");
  RegisterPropertyEditor(QMetaType::fromType<int>(), &TTestBlinker::staticMetaObject, QStringLiteral("Rate"),
                         &TTestBlinkerEditor::staticMetaObject);
}
void Unit1Finalization() { Log("fin1"); }
void Unit2Initialization() { Log("init2"); }
void Unit2Finalization() { Log("fin2"); }

const TPackageModuleEntry kModules[] = {
    {Unit1Initialization, Unit1Finalization},
    {Unit2Initialization, Unit2Finalization},
};
const char* const kContained[] = {"Velto.Test.Unit1", "Velto.Test.Unit2", "Velto.Test.Unit3"};
const TPackageInfoTable kTable = {2, kModules, 3, kContained, "Velto - Test Package"};

}  // namespace

extern "C" {
VELTO_EXPORT void Initialize() {
  for (const auto& m : kModules)
    if (m.Initialization) m.Initialization();
}
VELTO_EXPORT void Finalize() {
  for (int i = int(std::size(kModules)) - 1; i >= 0; --i)
    if (kModules[i].Finalization) kModules[i].Finalization();
}
#ifndef VELTO_TEST_NO_TABLE
VELTO_EXPORT const TPackageInfoTable* GetPackageInfoTable() { return &kTable; }
#endif

VELTO_EXPORT void Unit1Register() __asm__("Velto.Test.Unit1.Register");
VELTO_EXPORT void Unit2Register() __asm__("Velto.Test.Unit2.Register");
}

void Unit1Register() { Log("register1"); }

void Unit2Register() {
  Log("register2");
#ifdef VELTO_TEST_BROKEN_REGISTER
  throw Exception(QStringLiteral("refused by the test"));
#endif
  RegisterComponents(QStringLiteral("Test"), {&TTestBlinker::staticMetaObject});
  RegisterComponentEditor(&TTestBlinker::staticMetaObject, &TTestBlinkerEditor::staticMetaObject);
}

#include "TestPackage.moc"
