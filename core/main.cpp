// The program entry. The game object lives for the whole process: it is built before the entry
// runs and destroyed after it returns.
#include "core/game.h"
#include "core/main_window.h"

namespace {
Game game;
}  // namespace

// The command line and the show command are not used.
int WinMain(HINSTANCE instance, HINSTANCE, char*, int) { return RunGame(game, instance); }

int main() { return WinMain(nullptr, nullptr, nullptr, 0); }
