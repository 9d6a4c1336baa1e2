// The main of benchmarks that make widgets: the application they need, without a display.
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  PrepareHeadless();
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
