#include "DesignSession.h"
#include "arduino/JsonComponents.h"
#include "arduino/JsonPackage.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

