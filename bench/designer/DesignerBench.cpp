#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "DesignSession.h"
#include "MainWindow.h"
#include "arduino/JsonComponents.h"
#include "arduino/JsonPackage.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

namespace {
// 100 components, each with 100 elements: 10,000 elements in all.
void Fill(TDesignSession& session) {
  for (int c = 0; c < 100; ++c) {
    auto* maker = static_cast<TArduinoMakeJSON*>(session.AddComponent(&TArduinoMakeJSON::staticMetaObject));
    for (int e = 0; e < 100; ++e) {
      auto* element = maker->GetElements()->Add(&TArduinoMakeJSONTextElement::staticMetaObject);
      element->setProperty("Name", QStringLiteral("member%1").arg(e));
    }
  }
}

void BM_SaveDocument(benchmark::State& state) {
  Velto::Arduino::Json::RegisterPkg();
  QTemporaryDir dir;
  TDesignSession session;
  Fill(session);
  const QString file = dir.filePath(QStringLiteral("big.vdoc"));
  for (auto _ : state) session.Save(file);
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

void BM_OpenDocument(benchmark::State& state) {
  Velto::Arduino::Json::RegisterPkg();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("big.vdoc"));
  {
    TDesignSession session;
    Fill(session);
    session.Save(file);
  }
  TDesignSession session;
  for (auto _ : state) session.Open(file);
  if (session.Document().GetCount() != 100) state.SkipWithError("the document did not open");
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
// One text value of the given size in MiB, in an element the tree shows: opening grows with it
// linearly, in the session alone and in the window with the element's row open.
void BM_OpenLargeText(benchmark::State& state) {
  Velto::Arduino::Json::RegisterPkg();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("text.vdoc"));
  {
    TDesignSession session;
    auto* maker = static_cast<TArduinoMakeJSON*>(session.AddComponent(&TArduinoMakeJSON::staticMetaObject));
    auto* element = maker->GetElements()->Add(&TArduinoMakeJSONTextElement::staticMetaObject);
    element->setProperty("Name", QString(int(state.range(0) << 20), QLatin1Char('a')));
    session.Save(file);
  }
  TDesignSession session;
  std::unique_ptr<TMainWindow> window;
  if (state.range(1)) {
    window = std::make_unique<TMainWindow>(&session, true);
    window->show();
  }
  for (auto _ : state) {
    if (!window) {
      session.Open(file);
      continue;
    }
    window->OpenFile(file);
    window->Tree()->ExpandBelow(window->TreeModel()->index(0, 0));
    QApplication::processEvents();
  }
  state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}
BENCHMARK(BM_OpenLargeText)->ArgsProduct({{5, 50}, {0, 1}})->Unit(benchmark::kMillisecond);
}  // namespace
