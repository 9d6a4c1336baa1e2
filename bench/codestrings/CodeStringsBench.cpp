#include "arduino/Components.h"
#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
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

// One keystroke in the middle of the row's form, painted: what the user waits for per key. The
// value is 20,000 short lines (state.range(0) == 0), one line of 200,000 characters of statements
// (1), or one line of 200,000 characters without a break (2).
void BM_TypeIntoInplaceForm(benchmark::State& state) {
  const bool oneLine = state.range(0) > 0;
  QString value;
  if (oneLine) {
    for (int i = 0; value.size() < 200000; ++i)
      value += state.range(0) == 1 ? QStringLiteral("digitalWrite(%1, HIGH); ").arg(i % 14) : QStringLiteral("x");
    value.truncate(200000);
  } else {
    QStringList lines;
    for (int i = 0; i < 20000; ++i) lines << QStringLiteral("  digitalWrite(%1, HIGH);").arg(i % 14);
    value = lines.join(QLatin1Char('\n'));
  }
  TArduinoCustomCode code;
  code.SetLoop({value});
  TNoDesigner designer;
  TArduinoCodeStringPropertyEditor editor(&designer, {&code}, "Loop");
  editor.InitCreate();
  TInspector inspector;
  inspector.resize(400, 300);
  inspector.show();
  const std::shared_ptr<IInplaceForm> open =
      editor.GetInplaceFormController()->OpenForm(&inspector, inspector, QRect(0, 0, 380, 20), nullptr);
  auto* form = static_cast<TArduinoCodeStringsInplaceForm*>(open->GetForm());
  form->Editor->setFocus();
  form->Editor->SendScintilla(QsciScintilla::SCI_GOTOPOS, static_cast<unsigned long>(oneLine ? 100000 : value.size() / 2));
  QCoreApplication::processEvents();
  for (auto _ : state) {
    QTest::keyClick(form->Editor, Qt::Key_A);
    form->Editor->repaint();  // the paint the key leads to, now
  }
  state.counters["value"] = double(code.GetLoop().Text.size());
}
BENCHMARK(BM_TypeIntoInplaceForm)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_DisplayText(benchmark::State& state) {
  TArduinoCustomCode code;
  code.SetLoop({TenThousandLines()});
  TArduinoCodeStringPropertyEditor editor(nullptr, {&code}, "Loop");
  for (auto _ : state) benchmark::DoNotOptimize(editor.GetDisplayValues());
}
BENCHMARK(BM_DisplayText)->Unit(benchmark::kMicrosecond);
}  // namespace
