#include "tests/support/spectator_game.h"

#include "core/main_window.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "world/random.h"

namespace test_support {

namespace {

// The game's own procedure, less the drawing: the rules never read what a paint draws, and a
// whole game's thousands of repaints would cost most of the run.
LRESULT UnpaintedProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return MainWindowProc(window, message, wparam, lparam);
  PAINTSTRUCT ps;
  BeginPaint(window, &ps);
  EndPaint(window, &ps);
  return 0;
}

}  // namespace

SpectatorGame::SpectatorGame(std::uint32_t seed) {
  headless::Reset();
  platform::SetMusicOutput(platform::MusicOutput::kOffline);
  folder_ = std::make_unique<GameFolder>();
  game_ = std::make_unique<Game>();
  game_->SetWorldSeeder([seed] { rng::Srand(seed); });
  if (!OpenMainWindow(*game_, nullptr, UnpaintedProc)) return;
  // The window seeds from the time of day; seed again before anything on the title draws.
  rng::Srand(seed);
  for (const auto& [x, y] : {std::pair{300, 430}, std::pair{580, 360}}) {  // new game, spectate
    headless::PostMouse(WM_LBUTTONDOWN, x, y);
    headless::PumpMessages();
  }
}

SpectatorGame::~SpectatorGame() {
  game_.reset();
  folder_.reset();
  headless::Reset();
}

bool SpectatorGame::NextTick() {
  const auto t = headless::Timer(Game::kPlayTimer);
  if (!t) return false;
  headless::RunFor(t->due - headless::Now());
  return true;
}

}  // namespace test_support
