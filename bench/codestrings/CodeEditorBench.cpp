// The code dialog's helpers on large inputs: the completion list over every name, and the find
// bar's search of a 20,000-line text.
#include "arduino/Components.h"
#include "codestrings/ArduinoCodeNames.h"
#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
// Ctrl+Space with nothing typed: the list of every name of the core and of a component's code,
// made, shown and painted once.
void BM_OpenCompletionListOfAllNames(benchmark::State& state) {
  TArduinoCustomCode code;
  code.SetDeclarations({"#define LED 13\nconst int ledPin = 13;\nString message;\nint readLevel(int sensor);"});
  auto* form = Designer::GetForm<TArduinoCodeStringsEditorForm>();
  form->Completion->SetExtraNames(DeclaredNamesOf(&code));
  form->Editor->setText(QString());
  form->show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    if (!form->Completion->ShowList(true)) state.SkipWithError("no list");
    QCoreApplication::processEvents();
    state.PauseTiming();
    form->Editor->cancelList();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["names"] = double(ArduinoCoreNames().Entries().size());
  form->hide();
}
BENCHMARK(BM_OpenCompletionListOfAllNames)->Unit(benchmark::kMillisecond);

// 20,000 lines of sketch code with one hit of "analogRead" on each.
QString TwentyThousandLines() {
  QStringList lines;
  for (int i = 0; i < 20000; ++i)
    lines << QStringLiteral("  analogWrite(%1, map(analogRead(A%2), 0, 1023, 0, 255)); // step %3").arg(i % 14).arg(i % 6).arg(i);
  return lines.join(QLatin1Char('\n'));
}

// Every hit found (the search alone), and found and marked as the find bar does on each change;
// case ignored, as the bar starts.
void BM_FindAllIn20000Lines(benchmark::State& state) {
  const bool mark = state.range(0);
  auto* form = Designer::GetForm<TArduinoCodeStringsEditorForm>();
  form->Editor->setText(TwentyThousandLines());
  form->FindBar->Open(TSynFindBar::mdFind);
  qsizetype hits = 0;
  for (auto _ : state) {
    if (mark) {
      form->FindBar->FindEdit->setText(QString());
      form->FindBar->FindEdit->setText(QStringLiteral("analogRead"));
      hits = form->FindBar->Hits().size();
    } else {
      hits = SynFindAll(*form->Editor, QStringLiteral("analogRead"), false, false).size();
    }
  }
  if (hits != 20000) state.SkipWithError("wrong number of hits");
  state.counters["hits"] = double(hits);
  form->FindBar->Close();
}
BENCHMARK(BM_FindAllIn20000Lines)->Arg(0)->Arg(1)->ArgName("marked")->Unit(benchmark::kMillisecond);
}  // namespace
