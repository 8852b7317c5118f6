#pragma once
// The ending, mode 9: eight scenes drawn from pictures, each fading to black, then scene 13, which
// waits for the player's left click; the game object then returns to the title with a new world.
// Timer 1 steps the scenes (the ending changes its period itself), timer 2 (50 ms) animates the
// sprites of scenes 1 and 7; the ending kills timer 2 at the end of scene 8.
#include <array>
#include <cstdint>

#include "media/bitmap_bank.h"
#include "media/canvas.h"
#include "media/work_bitmap.h"
#include "planning/thinking_screen.h"
#include "platform/win.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/nation.h"

class EndingScreen {
 public:
  // The scene that waits for the click.
  static constexpr std::int32_t kWaitingScene = 13;

  EndingScreen() = default;
  EndingScreen(const EndingScreen&) = delete;
  EndingScreen& operator=(const EndingScreen&) = delete;

  // Window creation: the initial values, then the 33 pictures; true when the last one loaded.
  bool Init(HWND window, CharacterList& characters, NationList& nations, CityList& cities);
  // A new world: scene 1, F, D and W 0.
  void NewGame();
  // Only the positions are stored.
  void OnMouseMove(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities);
  void OnLButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     ThinkingScreen& thinking);
  void OnRButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities);
  // Timer 1 steps the scene machine; timer 2 animates.
  void OnTimer(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations, CityList& cities);
  void Paint(HWND window, HDC dc, HFONT font1, CharacterList& characters, NationList& nations, CityList& cities);

  std::int32_t GetScene() const { return scene_; }
  // Invalidates the rectangle without erasing and paints it before returning.
  void InvalidateArea(HWND window, int left, int top, int right, int bottom);

  // --- read by the tests of the scene machine ---
  struct Counters {
    std::int32_t scene, f, d, w;
    std::int32_t k[7];
    std::int32_t p[9];
    std::uint8_t v[3];
  };
  Counters GetCounters() const;

 private:
  // The initial values (the end of scene 8 sets them too, with the scene then 13).
  void Reset();
  // F runs to n: F += 1, and D += 1 once F had reached n before the tick; true on the tick at
  // which D reaches 9 (the scene ends).
  bool RunFrame(std::int32_t n);
  void StepScene1(HWND window);
  void StepScene3();
  void StepScene5();
  void StepScene7();
  void Timer2Scene1(HWND window);
  void Timer2Scene7();
  // The three walkers of scene 7, each a view of its own counters.
  struct Walker;
  std::array<Walker, 3> Walkers();
  // The brightness offset of the current scene's fade.
  std::int32_t FadeOffset() const;
  void DrawScene(Canvas& canvas);

  BitmapBank bank_;
  WorkBitmap work_bitmap_;
  // The scene's picture, composed afresh on every tick in memory kept from one paint to the next.
  Canvas canvas_;
  std::int32_t mouse_x_ = 0, mouse_y_ = 0;
  std::int32_t click_x_ = 0, click_y_ = 0;
  std::int32_t right_click_x_ = 0, right_click_y_ = 0;
  std::int32_t scene_ = 0;
  std::int32_t f_ = 0;  // frame counter of the scene
  std::int32_t d_ = 0;  // fade step: the picture is darkened by 30 a step
  std::int32_t k1_ = 0, k2_ = 0, k3_ = 0, k4_ = 0, k5_ = 0, k6_ = 0, k7_ = 0;  // sprite cells and steps
  std::int32_t w_ = 0;  // pause counter of the still scenes
  std::int32_t p1_ = 0, p2_ = 0, p3_ = 0, p4_ = 0, p5_ = 0, p6_ = 0, p7_ = 0, p8_ = 0, p9_ = 0;  // phases, positions
  std::uint8_t v1_ = 0, v2_ = 0, v3_ = 0;  // visibility flags
};
