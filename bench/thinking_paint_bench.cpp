// How long one paint of the thinking phase takes with the game's own pictures (the generator's
// BITMAP/ in <build>/game): the main menu that every tick of a computer nation's turn repaints,
// and a character card, the screen's most text-heavy view. Each paint is timed on its own, so
// the median and the 99th percentile stand beside the mean; one copy of an 840 x 480 frame, timed
// the same way in the same run, is the yardstick.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "bench/step_timing.h"
#include "core/game.h"
#include "core/main_window.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/game_folder.h"
#include "world/random.h"

// The card page, which only the screen's click handlers set (the tests' hook, by its name).
struct ThinkingPaintTestAccess {
  ThinkingScreen& s;
  std::int32_t& CardPage() { return s.card_page_; }
};

namespace {

// Times each run of `step` and reports the median and 99th percentile beside one frame copy.
template <typename Step>
void TimeEach(benchmark::State& state, Step step) {
  std::vector<double> us;
  for (auto _ : state) {
    const double start = step_timing::NowMicros();
    step();
    us.push_back(step_timing::NowMicros() - start);
  }
  step_timing::Report(state, us, step_timing::FrameCopyMicros());
}

// The whole game in a folder of its own with the generated pictures over the tests' ones, a new
// game started for the first nation on its own turn.
struct PlayingGame {
  PlayingGame() {
    headless::Reset();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    const std::filesystem::path generated = std::filesystem::path(VALDRIM_GAME_DIR) / "BITMAP";
    for (const auto& entry : std::filesystem::directory_iterator(generated))
      std::filesystem::copy_file(entry.path(), std::filesystem::path("BITMAP") / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    game = std::make_unique<Game>();
    game->SetWorldSeeder([] { rng::Srand(20240611); });
    window = OpenMainWindow(*game, nullptr);
    Click(300, 430);  // new game
    Click(480, 360);  // this nation
    KillTimer(window, Game::kPlayTimer);
    if (Nation* player = game->Nations().FindByComputerFlag(0)) game->Thinking().SetTurnNationId(player->GetId());
  }
  ~PlayingGame() {
    game.reset();
    headless::Reset();
  }
  void Click(int x, int y) {
    headless::PostMouse(WM_LBUTTONDOWN, x, y);
    headless::PumpMessages();
  }
  bool Ready() const { return window != nullptr && game->GetMode() == kModeThinking && headless::Boxes().empty(); }

  test_support::GameFolder folder;
  std::unique_ptr<Game> game;
  HWND window = nullptr;
};

void BM_ThinkingPaint(benchmark::State& state) {
  PlayingGame g;
  if (!g.Ready()) {
    state.SkipWithError("the game did not reach the thinking phase with every picture");
    return;
  }
  ThinkingScreen& thinking = g.game->Thinking();
  thinking.SetMenuState(static_cast<std::int32_t>(state.range(0)));
  ThinkingPaintTestAccess{thinking}.CardPage() = 1;
  TimeEach(state, [&] { thinking.Refresh(g.window, 0, 0, 840, 480); });
}
// 0: the main menu with the player's city box; 56: the first unaffiliated character's card.
BENCHMARK(BM_ThinkingPaint)->Arg(0)->Arg(56)->ArgName("menu")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
