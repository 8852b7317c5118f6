// The game in its real window under Xvfb. A pacing timer of the test's own (never seen by
// the game) takes the steps: screenshot of the title, a real click on the new-game button, a
// screenshot of the nation choice, a real click on spectate, a screenshot of the thinking phase,
// then the close box. Every screenshot must equal the game's framebuffer.
#include <cstdio>
#include <filesystem>

#include "core/game.h"
#include "core/main_window.h"
#include "tests/support/game_folder.h"
#include "tests/window/support/paced_game.h"
#include "tests/window/support/window_shot.h"

namespace {

Game* game = nullptr;
int step = 0;
using window_test::Expect;

void Step(HWND window) {
  switch (step++) {
    case 0:
      Expect(game->GetMode() == kModeTitle && game->Title().GetState() == TitleScreen::kMenu, "title at start-up");
      Expect(window_test::Shot("title"), "title shot");
      window_test::Click(300, 430);  // the new-game button
      break;
    case 1:
      Expect(game->Title().GetState() == TitleScreen::kNationChoice, "the click opened the nation choice");
      Expect(window_test::Shot("nation-choice"), "nation choice shot");
      window_test::Click(580, 360);  // spectate
      break;
    case 2:
      Expect(game->GetMode() == kModeThinking, "spectating started the thinking phase");
      Expect(game->Nations().CountByComputerFlag(0) == 0, "every nation stays the computer's");
      Expect(window_test::Shot("thinking"), "thinking shot");
      KillTimer(window, window_test::pacing.timer);
      window_test::AskToClose();
      break;
    default:
      break;
  }
}

}  // namespace

int main() {
  // The test's own pictures and tunes in a scratch folder made current.
  test_support::GameFolder folder;
  static Game the_game;
  game = &the_game;
  window_test::pacing.period_ms = 1500;
  window_test::pacing.step = Step;
  if (OpenMainWindow(the_game, nullptr, window_test::PacedProcedure) == nullptr) return 2;
  const int code = RunMessageLoop();
  if (step < 3) {
    std::fprintf(stderr, "game window: only %d steps ran\n", step);
    return 4;
  }
  return window_test::pacing.failures ? 3 : code;
}
