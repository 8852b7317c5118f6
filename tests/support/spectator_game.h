#pragma once
// A spectator game through the game object, headless, in a game folder of its own: a new world
// from a fixed seed, "観戦モード" chosen on the title, and then the seven computer nations play
// each other on the ticks of timer 1 alone (thinking phases, action phases, ends of turn). The
// window validates its paints without drawing.
#include <cstdint>
#include <memory>

#include "core/game.h"
#include "tests/support/game_folder.h"

namespace test_support {

class SpectatorGame {
 public:
  // Resets the headless platform, opens the game's window and starts watching: the thinking
  // phase of the first turn.
  explicit SpectatorGame(std::uint32_t seed);
  ~SpectatorGame();
  SpectatorGame(const SpectatorGame&) = delete;
  SpectatorGame& operator=(const SpectatorGame&) = delete;

  Game& Get() { return *game_; }
  // Lets the clock run to the next tick of timer 1 and handles it (the end of turn's pause may
  // let one more tick fall due inside); false when timer 1 is not running.
  bool NextTick();

 private:
  std::unique_ptr<GameFolder> folder_;
  std::unique_ptr<Game> game_;
};

}  // namespace test_support
