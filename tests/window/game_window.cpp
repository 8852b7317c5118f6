// The game in its real window under Xvfb. A pacing timer of the test's own (id 99, never seen by
// the game) takes the steps: screenshot of the title, a real click on the new-game button, a
// screenshot of the nation choice, a real click on spectate, a screenshot of the thinking phase,
// then the close box. Every screenshot must equal the game's framebuffer.
#include <cstdio>
#include <filesystem>

#include "core/game.h"
#include "core/main_window.h"
#include "tests/support/game_folder.h"
#include "tests/window/support/window_shot.h"

namespace {

constexpr UINT_PTR kPaceTimer = 99;
Game* game = nullptr;
int step = 0;
int failures = 0;

void Expect(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "game window: %s\n", what);
  ++failures;
}

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
      KillTimer(window, kPaceTimer);
      window_test::AskToClose();
      break;
    default:
      break;
  }
}

LRESULT Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kPaceTimer) {
    Step(window);
    return 0;
  }
  if (message == WM_CREATE) {
    const LRESULT r = MainWindowProc(window, message, wparam, lparam);
    SetTimer(window, kPaceTimer, 1500, nullptr);
    return r;
  }
  if (message == WM_DESTROY) {
    const LRESULT r = MainWindowProc(window, message, wparam, lparam);
    KillTimer(window, kPaceTimer);
    if (failures) PostQuitMessage(3);
    return r;
  }
  return MainWindowProc(window, message, wparam, lparam);
}

}  // namespace

int main() {
  // The test's own pictures and tunes in a scratch folder made current.
  test_support::GameFolder folder;
  static Game the_game;
  game = &the_game;
  if (OpenMainWindow(the_game, nullptr, Procedure) == nullptr) return 2;
  const int code = RunMessageLoop();
  if (step < 3) {
    std::fprintf(stderr, "game window: only %d steps ran\n", step);
    return 4;
  }
  return failures ? 3 : code;
}
