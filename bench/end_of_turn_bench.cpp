// One end of turn on the new world without the repaint and the one-second pause: the market, the
// calendar and income, the lords, divisions and inhabitants, every order at its city, and the
// closing totals. Each run starts from the same freshly built world.
#include <benchmark/benchmark.h>

#include "core/end_of_turn.h"
#include "tests/support/owned_world.h"
#include "world/random.h"

static void BM_EndOfTurn(benchmark::State& state) {
  OwnedWorld fresh;
  fresh.Build(12345);
  for (auto _ : state) {
    state.PauseTiming();
    OwnedWorld w = fresh;
    end_of_turn::TurnState t;
    rng::Srand(1);
    state.ResumeTiming();
    const end_of_turn::Lists lists{w.characters, w.nations, w.cities, w.divisions, w.inhabitants, w.trade_goods};
    end_of_turn::RunBeforePause(lists, t);
    end_of_turn::RunAfterPause(lists);
    benchmark::DoNotOptimize(w.nations.GetAt(0)->GetFunds());
  }
}
BENCHMARK(BM_EndOfTurn)->Unit(benchmark::kMicrosecond);

// A hundred turns in a row on one world (no phases between them), per turn.
static void BM_EndOfTurnInARow(benchmark::State& state) {
  OwnedWorld fresh;
  fresh.Build(12345);
  for (auto _ : state) {
    state.PauseTiming();
    OwnedWorld w = fresh;
    end_of_turn::TurnState t;
    rng::Srand(1);
    state.ResumeTiming();
    const end_of_turn::Lists lists{w.characters, w.nations, w.cities, w.divisions, w.inhabitants, w.trade_goods};
    for (int i = 0; i < 100; ++i) {
      end_of_turn::RunBeforePause(lists, t);
      end_of_turn::RunAfterPause(lists);
    }
    benchmark::DoNotOptimize(w.nations.GetAt(0)->GetFunds());
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_EndOfTurnInARow)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
