// Parse + generate, the work of one run of a JSON component command, on two sample shapes.

#include "json/JsonDesign.h"

#include <benchmark/benchmark.h>

using namespace Velto::Arduino::JSON::Design;

namespace {

// One object of `members` distinct keys cycling through every value kind.
QByteArray FlatObject(int members) {
  static const char* values[] = {"1", "\"text\"", "true", "-7", "18446744073709551615", "2.5", "null", "{}", "[]"};
  QByteArray text = "{";
  for (int i = 0; i < members; ++i) {
    if (i) text += ",\n";
    text += "\"member" + QByteArray::number(i) + "\": " + values[i % 9];
  }
  return text + "}";
}

// About `bytes` of a broker's device report: an array of nested device records with readings.
QByteArray RealisticSample(int bytes) {
  QByteArray text = R"({"broker": "mqtt://broker.local", "generated": 1733400000, "devices": [)";
  for (int d = 0; text.size() < bytes; ++d) {
    if (d) text += ",";
    text += R"({"id": "dev-)" + QByteArray::number(d) + R"(", "name": "Sensor node )" + QByteArray::number(d) +
            R"(", "online": true, "rssi": -67, "battery": 3.71, "uptime": 18446744073709551615,
              "location": {"lat": 48.1372, "lon": 11.5756, "floor": 3, "room": "lab"},
              "tags": ["temperature", "humidity", "outdoor"], "config": {"interval": 60, "unit": "C",
              "thresholds": {"low": -10, "high": 45.5}, "enabled": [true, false, true]}, "readings": [)";
    for (int r = 0; r < 8; ++r) {
      if (r) text += ",";
      text += R"({"t": 17334000)" + QByteArray::number(r) + R"(, "temp": 21.5, "hum": 40, "ok": true, "note": null})";
    }
    text += "]}";
  }
  return text + "]}";
}

template <class TComponent, auto Process>
void ParseAndGenerateObject(benchmark::State& state, const QByteArray& text) {
  for (auto _ : state) {
    TComponent component;
    const IJsonElement root = TJsonParser::Parse(text);
    Process(dynamic_cast<const TObjectJsonElement&>(*root), *component.GetElements());
    benchmark::DoNotOptimize(component.GetElements()->GetCount());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}

void BM_FlatObject10000Make(benchmark::State& state) {
  static const QByteArray text = FlatObject(10000);
  ParseAndGenerateObject<TArduinoMakeJSON, &ProcessObjectMaker>(state, text);
}
BENCHMARK(BM_FlatObject10000Make)->Unit(benchmark::kMillisecond);

void BM_FlatObject10000Split(benchmark::State& state) {
  static const QByteArray text = FlatObject(10000);
  ParseAndGenerateObject<TArduinoSplitJSON, &ProcessObjectSplitter>(state, text);
}
BENCHMARK(BM_FlatObject10000Split)->Unit(benchmark::kMillisecond);

void BM_Realistic1MBMake(benchmark::State& state) {
  static const QByteArray text = RealisticSample(1 << 20);
  ParseAndGenerateObject<TArduinoMakeJSON, &ProcessObjectMaker>(state, text);
}
BENCHMARK(BM_Realistic1MBMake)->Unit(benchmark::kMillisecond);

void BM_Realistic1MBSplit(benchmark::State& state) {
  static const QByteArray text = RealisticSample(1 << 20);
  ParseAndGenerateObject<TArduinoSplitJSON, &ProcessObjectSplitter>(state, text);
}
BENCHMARK(BM_Realistic1MBSplit)->Unit(benchmark::kMillisecond);

void BM_Realistic1MBParseOnly(benchmark::State& state) {
  static const QByteArray text = RealisticSample(1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(TJsonParser::Parse(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(BM_Realistic1MBParseOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
