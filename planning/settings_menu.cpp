// The settings menu of the system menu (menu state 66): game speed and music. It answers clicks
// also while a computer nation acts.
#include <cstdint>

#include "planning/thinking_screen.h"

void ThinkingScreen::ClickSettingsMenu(std::int32_t x, std::int32_t y) {
  auto inside = [x, y](std::int32_t left, std::int32_t top) {
    return x >= left && x <= left + 11 && y >= top && y <= top + 11;
  };
  // The speed is tested first, then the music. A new speed applies when timer 1 is next started.
  if (inside(174, 52)) game_speed_ = 1;
  if (inside(294, 52)) game_speed_ = 0;
  if (inside(414, 52)) game_speed_ = 2;
  // Either music button works again when the music is already in its state.
  if (inside(174, 132)) {
    music_off_ = 0;
    music_player.Play(music_segment.GetSegment(), 1);
  }
  if (inside(414, 132)) {
    music_off_ = 1;
    music_player.StopSegment(music_segment.GetSegment());
  }
}
