// One whole new world built from the tables, as window creation and the return from the ending
// build it: the lists cleared and refilled, 126 characters with their skills, 1000 inhabitants.
#include <benchmark/benchmark.h>

#include "tests/support/owned_world.h"

static void BM_BuildNewWorld(benchmark::State& state) {
  OwnedWorld world;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    world.Build(seed++);
    benchmark::DoNotOptimize(world.characters.Count());
  }
}
BENCHMARK(BM_BuildNewWorld)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
