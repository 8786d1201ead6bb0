// Whole traverses (a measurement, not a test): a 10 000 ft vertical oil well
// in 100 segments per correlation, and many such wells on 1 and 2 threads as
// the batch command runs them.
#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>
#include <vector>

#include "pdrop/pdrop.h"

namespace {

pdrop::TraverseCase OilWell(int code) {
  pdrop::TraverseCase c;
  c.correlation = code;
  c.stations = {{0.0, 0.0, 2.441, 0.0, 0.0006}, {10000.0, 10000.0, 2.441, 0.0, 0.0006}};
  c.max_segment_ft = 100.0;
  c.temperature.first_F = 100.0;
  c.temperature.last_F = 230.0;
  c.known_pressure_psia = 250.0;
  c.gas_MMscfd = 0.6;
  c.oil_STBd = 1200.0;
  c.water_bbld = 300.0;
  return c;
}

void BM_Traverse10000ft(benchmark::State& state) {
  const pdrop::TraverseCase c = OilWell(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const pdrop::TraverseResult r = pdrop::RunTraverse(c);
    benchmark::DoNotOptimize(r.computed_end_pressure_psia);
  }
}
BENCHMARK(BM_Traverse10000ft)->Arg(3)->Arg(5)->Arg(9)->Unit(benchmark::kMillisecond);

// 64 wells of different rates per iteration, shared out like the batch command.
void BM_BatchThroughput(benchmark::State& state) {
  const int threads = static_cast<int>(state.range(0));
  std::vector<pdrop::TraverseCase> cases;
  for (int i = 0; i < 64; ++i) {
    pdrop::TraverseCase c = OilWell(3);
    c.oil_STBd = 400.0 + 25.0 * i;
    cases.push_back(c);
  }
  for (auto _ : state) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
      for (std::size_t i = next++; i < cases.size(); i = next++) {
        benchmark::DoNotOptimize(pdrop::RunTraverse(cases[i]).complete);
      }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) pool.emplace_back(work);
    for (std::thread& t : pool) t.join();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(cases.size()));
}
BENCHMARK(BM_BatchThroughput)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
