// The game object's costs that a player waits for: start-up to the first title paint (a new
// world, every screen's pictures and music, the totals), and a whole save slot written and read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "core/game.h"
#include "core/main_window.h"
#include "core/save_slot.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/game_folder.h"
#include "tests/support/owned_world.h"

namespace {

void BM_StartUpToFirstTitlePaint(benchmark::State& state) {
  test_support::GameFolder folder;
  platform::SetMusicOutput(platform::MusicOutput::kOffline);
  for (auto _ : state) {
    headless::Reset();
    auto game = std::make_unique<Game>();
    OpenMainWindow(*game, nullptr);
    headless::PumpMessages();
    if (headless::PaintCount() == 0) state.SkipWithError("no paint");
    state.PauseTiming();
    game.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstTitlePaint)->Unit(benchmark::kMillisecond);

struct SlotBench {
  test_support::GameFolder folder;
  OwnedWorld w;
  ThinkingScreen thinking;
  SlotBench() {
    headless::Reset();
    w.Build(42);
    thinking.NewGame();
  }
  bool Save() {
    return SaveSlot::Save(thinking, w.characters, w.nations, w.cities, w.field_parties, w.divisions, w.name_pool,
                          w.inhabitants, w.trade_goods, 2);
  }
  bool Load() {
    return SaveSlot::Load(thinking, w.characters, w.nations, w.cities, w.field_parties, w.divisions, w.name_pool,
                          w.inhabitants, w.trade_goods, 2);
  }
};

void BM_SlotSave(benchmark::State& state) {
  SlotBench b;
  for (auto _ : state)
    if (!b.Save()) state.SkipWithError("save failed");
}
BENCHMARK(BM_SlotSave)->Unit(benchmark::kMillisecond);

void BM_SlotLoad(benchmark::State& state) {
  SlotBench b;
  if (!b.Save()) state.SkipWithError("save failed");
  for (auto _ : state)
    if (!b.Load()) state.SkipWithError("load failed");
}
BENCHMARK(BM_SlotLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
