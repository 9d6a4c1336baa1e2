#include "arduino/Components.h"
#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
struct TNoDesigner : IDesigner {
  std::shared_ptr<IModification> BeginModify(TPersistent*) override { return nullptr; }
};

struct TInspector : QWidget, IInplaceHost {
  QColor GetInplaceColor() const override { return Qt::white; }
};

// 10,000 lines of sketch code, CR LF as a document from Windows has them.
QString TenThousandLines() {
  QStringList lines;
  for (int i = 0; i < 10000; ++i)
    lines << QStringLiteral("  analogWrite(%1, map(analogRead(A0), 0, 1023, 0, 255)); // step %2").arg(i % 14).arg(i);
  return lines.join(QStringLiteral("\r\n"));
}

// The inspector opens the row's form: made from its layout, given the value, placed, shown and painted.
void BM_OpenInplaceForm(benchmark::State& state) {
  TArduinoCustomCode code;
  code.SetLoop({TenThousandLines()});
  TNoDesigner designer;
  TArduinoCodeStringPropertyEditor editor(&designer, {&code}, "Loop");
  editor.InitCreate();
  TInspector inspector;
  inspector.resize(400, 300);
  inspector.show();
  for (auto _ : state) {
    const std::shared_ptr<IInplaceForm> form =
        editor.GetInplaceFormController()->OpenForm(&inspector, inspector, QRect(0, 0, 380, 20), nullptr);
    QCoreApplication::processEvents();  // its first paint, which colours the lines in view
    state.PauseTiming();
    form->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenInplaceForm)->Unit(benchmark::kMillisecond);

void BM_DisplayText(benchmark::State& state) {
  TArduinoCustomCode code;
  code.SetLoop({TenThousandLines()});
  TArduinoCodeStringPropertyEditor editor(nullptr, {&code}, "Loop");
  for (auto _ : state) benchmark::DoNotOptimize(editor.GetDisplayValues());
}
BENCHMARK(BM_DisplayText)->Unit(benchmark::kMicrosecond);
}  // namespace
