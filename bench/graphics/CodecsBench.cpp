// The codec registry on a 4000 x 3000 photo-like picture (PNG and JPEG, written at start-up into a
// temporary folder), an editor-sized save, and the monochrome reductions. Each benchmark reports
// the process's peak resident memory so far (getrusage), so run one at a time with
// --benchmark_filter to attribute it.

#include "graphics/Codecs.h"
#include "graphics/Reduce.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

QTemporaryDir* gDir = nullptr;

QImage Picture(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  quint32 noise = 12345;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = int((noise >> 16) & 15);
      row[x] = qRgba((x * 255 / width + n) & 255, (y * 255 / height + n) & 255, ((x + y) / 16 + n) & 255, 255);
    }
  }
  return image;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

const QString& LargeFile(const char* format) {
  static QString png, jpg;
  QString& path = QLatin1String(format) == QLatin1String("png") ? png : jpg;
  if (path.isEmpty()) {
    static const QImage picture = Picture(4000, 3000);
    path = gDir->filePath(QStringLiteral("large.%1").arg(QLatin1String(format)));
    EncodeImageFile(picture, path, QLatin1String(format));
  }
  return path;
}

void BM_DecodePng4000x3000(benchmark::State& state) {
  const QString& path = LargeFile("png");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeImageFile(path));
  ReportPeakMemory(state);
}
BENCHMARK(BM_DecodePng4000x3000)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg4000x3000(benchmark::State& state) {
  const QString& path = LargeFile("jpg");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeImageFile(path));
  ReportPeakMemory(state);
}
BENCHMARK(BM_DecodeJpeg4000x3000)->Unit(benchmark::kMillisecond);

void BM_EncodePng255x255(benchmark::State& state) {
  const QImage picture = Picture(255, 255);
  const QString path = gDir->filePath(QStringLiteral("small.png"));
  for (auto _ : state) EncodeImageFile(picture, path, QStringLiteral("png"));
  ReportPeakMemory(state);
}
BENCHMARK(BM_EncodePng255x255)->Unit(benchmark::kMillisecond);

void BM_ReduceToMonochrome4000x3000(benchmark::State& state) {
  const QImage picture = Picture(4000, 3000);
  for (auto _ : state) benchmark::DoNotOptimize(ReduceToMonochrome(picture));
  ReportPeakMemory(state);
}
BENCHMARK(BM_ReduceToMonochrome4000x3000)->Unit(benchmark::kMillisecond);

// The reduction with a choice, each dithering on the same picture (the goal for Floyd-Steinberg:
// under 200 ms).
void BM_Dither4000x3000(benchmark::State& state) {
  static const QImage picture = Picture(4000, 3000);
  const TReduceOptions options{128, TDithering(state.range(0))};
  for (auto _ : state) benchmark::DoNotOptimize(ReduceToMonochrome(picture, options));
  ReportPeakMemory(state);
}
BENCHMARK(BM_Dither4000x3000)
    ->ArgName("dithering")  // 0 none, 1 Floyd-Steinberg, 2 Atkinson, 3 ordered 4 x 4
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  gDir = &dir;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
