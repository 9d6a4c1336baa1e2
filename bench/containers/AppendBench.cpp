// Appending ints one by one, and reading them back, the array list against std::vector. AppendRatio runs both in the
// same iteration, alternating, and reports the array list's time over the vector's, which is the
// figure to watch (target: at most 1.3).

#include "ArrayList.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int KCount = 10'000'000;

// Thread CPU time (user and kernel, so page faults count) rather than wall time: the build machine
// is shared, and other processes must not decide the ratio.
struct TCpuClock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<TCpuClock>;
  static time_point now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return time_point(duration(std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec));
  }
};

double VectorSeconds() {
  const auto start = TCpuClock::now();
  std::vector<int> v;
  for (int i = 0; i < KCount; ++i) v.push_back(i);
  benchmark::DoNotOptimize(v.data());
  benchmark::ClobberMemory();
  return std::chrono::duration<double>(TCpuClock::now() - start).count();
}

double ArrayListSeconds() {
  const auto start = TCpuClock::now();
  auto list = std::make_shared<TArrayList<int>>();
  for (int i = 0; i < KCount; ++i) list->Add(i);
  benchmark::DoNotOptimize(list->data());
  benchmark::ClobberMemory();
  return std::chrono::duration<double>(TCpuClock::now() - start).count();
}

void BM_StdVectorPushBack(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(VectorSeconds());
  state.SetItemsProcessed(state.iterations() * KCount);
}
BENCHMARK(BM_StdVectorPushBack)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_TArrayListAdd(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(ArrayListSeconds());
  state.SetItemsProcessed(state.iterations() * KCount);
}
BENCHMARK(BM_TArrayListAdd)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same through the interface, as code holding only an IArrayList pays a virtual call per Add.
void BM_IArrayListAdd(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = TCpuClock::now();
    std::shared_ptr<IArrayList<int>> list = TArrayList<int>::Create();
    for (int i = 0; i < KCount; ++i) list->Add(i);
    benchmark::DoNotOptimize(list->Data());
    benchmark::ClobberMemory();
    state.SetIterationTime(std::chrono::duration<double>(TCpuClock::now() - start).count());
  }
  state.SetItemsProcessed(state.iterations() * KCount);
}
BENCHMARK(BM_IArrayListAdd)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AppendRatio(benchmark::State& state) {
  double vector = 0, list = 0;
  for (auto _ : state) {
    vector += VectorSeconds();
    list += ArrayListSeconds();
    state.SetIterationTime(0);
  }
  state.counters["vector_ms"] = 1000 * vector / double(state.iterations());
  state.counters["arraylist_ms"] = 1000 * list / double(state.iterations());
  state.counters["ratio"] = list / vector;
}
BENCHMARK(BM_AppendRatio)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// Reading back: checked GetItem and range-based for against vector indexing.
void BM_StdVectorIndexSum(benchmark::State& state) {
  std::vector<int> v(KCount / 10, 1);
  for (auto _ : state) {
    long long sum = 0;
    for (size_t i = 0; i < v.size(); ++i) sum += v[i];
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * (KCount / 10));
}
BENCHMARK(BM_StdVectorIndexSum);

void BM_TArrayListGetItemSum(benchmark::State& state) {
  TArrayList<int> list;
  list.Add(1, KCount / 10);
  for (auto _ : state) {
    long long sum = 0;
    for (int i = 0; i < list.GetCount(); ++i) sum += list.GetItem(i);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * (KCount / 10));
}
BENCHMARK(BM_TArrayListGetItemSum);

void BM_TArrayListRangeForSum(benchmark::State& state) {
  TArrayList<int> list;
  list.Add(1, KCount / 10);
  for (auto _ : state) {
    long long sum = 0;
    for (int v : list) sum += v;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * (KCount / 10));
}
BENCHMARK(BM_TArrayListRangeForSum);

}  // namespace

BENCHMARK_MAIN();
