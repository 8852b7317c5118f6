// The game in its real window under Xvfb, in a folder holding the pictures and tunes the build
// generated, and two saved games. A pacing timer of the test's own (never seen by the game)
// takes the steps: the title with the pointer on the new-game button, a real click on load, the
// load menu, back to the title, a real click on new game, two real clicks on the right arrow, the
// nation choice. Every screenshot must equal the game's framebuffer.
#include <cstdio>
#include <filesystem>

#include "core/game.h"
#include "core/main_window.h"
#include "core/new_world.h"
#include "core/save_slot.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"
#include "tests/window/support/paced_game.h"
#include "tests/window/support/window_shot.h"

namespace {

Game* game = nullptr;
int step = 0;
using window_test::Expect;

// A nation's game in slot 1 (turn 7 of year 301) and a spectator's game in slot 3 (turn 25).
bool SaveTwoGames() {
  std::filesystem::create_directories("DATAFILE");
  OwnedWorld world;
  world.Build(7);
  ThinkingScreen thinking;
  thinking.SetYear(301);
  thinking.SetMonth(3);
  thinking.SetTurnCount(25);
  bool ok = SaveSlot::Save(thinking, world.characters, world.nations, world.cities, world.field_parties,
                           world.divisions, world.name_pool, world.inhabitants, world.trade_goods, 3);
  world.nations.GetAt(2)->SetPlayerControlled();
  thinking.SetYear(300);
  thinking.SetTurnCount(7);
  ok = ok && SaveSlot::Save(thinking, world.characters, world.nations, world.cities, world.field_parties,
                            world.divisions, world.name_pool, world.inhabitants, world.trade_goods, 1);
  return ok;
}

// A click reaches the game through the X server; on a busy machine that can take more than one
// pacing tick. A step that waits for the click's effect keeps its turn until it is seen.
int waited = 0;
bool Reached(bool condition, const char* what) {
  if (condition) {
    waited = 0;
    return true;
  }
  if (++waited < 20) return false;
  Expect(false, what);
  waited = 0;
  return true;
}

void Step(HWND window) {
  switch (step) {
    case 0:
      Expect(game->Title().GetState() == TitleScreen::kMenu, "title at start-up");
      MainWindowProc(window, WM_MOUSEMOVE, 0, MAKELPARAM(300, 436));  // the pointer on new game
      Expect(window_test::Shot("title"), "title shot");
      window_test::Click(300, 466);  // load
      break;
    case 1:
      if (!Reached(game->Title().GetState() == TitleScreen::kLoadMenu, "the click opened the load menu")) return;
      Expect(window_test::Shot("load-menu"), "load menu shot");
      MainWindowProc(window, WM_RBUTTONDOWN, 0, MAKELPARAM(320, 240));  // back to the title
      window_test::Click(300, 436);  // new game
      break;
    case 2:
      if (!Reached(game->Title().GetState() == TitleScreen::kNationChoice, "the click opened the nation choice")) return;
      window_test::Click(420, 360);  // the right arrow: the second nation
      break;
    case 3:
      if (!Reached(game->Title().GetArrowState() == 0, "the right arrow moved to the second nation")) return;
      window_test::Click(420, 360);  // the third nation
      break;
    case 4:
      if (!Reached(game->Title().GetChosenIndex() == 2, "the right arrow moved to the third nation")) return;
      Expect(window_test::Shot("nation-choice"), "nation choice shot");
      KillTimer(window, window_test::pacing.timer);
      window_test::AskToClose();
      break;
    default:
      break;
  }
  ++step;
}

}  // namespace

int main() {
  // The generated pictures and tunes, copied into a scratch folder that the game runs in.
  test_support::TempDir dir;
  for (const char* folder : {"BITMAP", "MUSIC"}) {
    std::error_code ec;
    std::filesystem::copy(std::filesystem::path(VALDRIM_GAME_DIR) / folder, dir.Path() / folder,
                          std::filesystem::copy_options::recursive, ec);
    if (ec) {
      std::fprintf(stderr, "assets window: cannot copy %s: %s\n", folder, ec.message().c_str());
      return 2;
    }
  }
  test_support::ScopedCurrentDir here(dir.Path());
  if (!SaveTwoGames()) {
    std::fprintf(stderr, "assets window: the two games were not saved\n");
    return 2;
  }
  static Game the_game;
  game = &the_game;
  window_test::pacing.period_ms = 1000;
  window_test::pacing.step = Step;
  if (OpenMainWindow(the_game, nullptr, window_test::PacedProcedure) == nullptr) return 2;
  const int code = RunMessageLoop();
  if (step < 5) {
    std::fprintf(stderr, "assets window: only %d steps ran\n", step);
    return 4;
  }
  return window_test::pacing.failures ? 3 : code;
}
