// One tick of the action phase with the paint it asks for, on the new world with the game's own
// pictures (as the build generates them into its game folder), the view kept on the busiest part
// of the field as a player watching the battle would keep it. Every tick is timed on its own, in
// processor time; the median and the 99th percentile are reported in microseconds and in copies
// of one 840 x 480 frame, the copy measured in the same run. With the argument hover 1 the mouse rests on a
// character in view, so that the tick's paint also writes its card.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "bench/step_timing.h"
#include "core/end_of_turn.h"
#include "field/field_screen.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"
#include "tests/support/sorties.h"

namespace {

using step_timing::FrameCopyMicros;
using step_timing::NowMicros;

bool Shown(const Character& c) {
  return c.GetState() != 0 && c.GetState() != 12 && c.GetNationId() != Character::kNationNone &&
         c.GetNationId() != Character::kNationLords;
}

// The action phase in a headless window, as the game object runs it: the field screen set up
// from the game folder's pictures, sorties before every phase, the end of the turn after it.
class Battle {
 public:
  Battle() {
    headless::Reset();
    current_ = this;
    WNDCLASSA wc{0, Proc, "field bench"};
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, "field bench", "VALDRIM", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    large_ = CreateFontA(-16, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
    small_ = CreateFontA(-10, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
    w_.Build(20240601);
    rng::Srand(20240601);
    screen_.Init(window_, w_.characters, w_.nations, w_.cities, w_.field_parties, w_.divisions, w_.inhabitants);
    screen_.NewGame();
    test_support::SendSorties(w_);
  }
  ~Battle() {
    DeleteObject(large_);
    DeleteObject(small_);
    current_ = nullptr;
    headless::Reset();
  }
  Battle(const Battle&) = delete;
  Battle& operator=(const Battle&) = delete;

  void Tick() {
    screen_.Tick(window_, 1, w_.characters, w_.nations, w_.cities, w_.field_parties, w_.divisions, w_.inhabitants);
  }
  // After the 100th tick: the end of the turn and the next phase's sorties.
  void NextPhaseIfEnded() {
    if (!screen_.GetPhaseEnded()) return;
    const end_of_turn::Lists lists{w_.characters, w_.nations, w_.cities, w_.divisions, w_.inhabitants, w_.trade_goods};
    end_of_turn::RunBeforePause(lists, turn_);
    end_of_turn::RunAfterPause(lists);
    test_support::SendSorties(w_);
    screen_.SetPhaseEnded(0);
  }

  // A click on the mini-map that moves the view onto the part of the field with the most
  // characters shown; gives how many that is.
  int FollowTheBattle() {
    int best = -1, best_x = 0, best_y = 0;
    for (int sx = 0; sx <= 1280; sx += 80) {
      for (int sy = 0; sy <= 1440; sy += 80) {
        const int n = InView(std::min(sx, 1279), std::min(sy, 1439));
        if (n > best) best = n, best_x = std::min(sx, 1279), best_y = std::min(sy, 1439);
      }
    }
    // The mini-map is the field at 1:10 with its frame at column (4, 284), y from the bottom.
    const int x = 676 + best_x / 10, y = 172 - best_y / 10;
    screen_.OnLButtonDown(window_, MAKELPARAM(x, y), w_.characters, w_.nations, w_.cities, w_.field_parties,
                          w_.divisions, w_.inhabitants);
    return InView(screen_.GetScrollX(), screen_.GetScrollY());
  }

  // Rests the mouse on a character the view shows, when there is one within the mouse's reach.
  void HoverOnSomeone() {
    const int sx = screen_.GetScrollX(), sy = screen_.GetScrollY();
    for (const Character& c : w_.characters) {
      Point p;
      c.GetPosition(p);
      // Window point of the middle of its body: the window's y runs down from the view's top.
      const int x = p.x - sx + 24, y = 460 - (p.y - sy);
      if (!Shown(c) || x < 0 || x >= 640 || y < 0 || y >= 480) continue;
      screen_.OnMouseMove(window_, MAKELPARAM(x, y), w_.characters, w_.nations, w_.cities, w_.field_parties,
                          w_.divisions, w_.inhabitants);
      if (screen_.IsHoverActive()) return;
    }
  }

  bool PicturesLoaded() const { return headless::Boxes().empty(); }
  int OnTheField() const {
    int n = 0;
    for (const Character& c : w_.characters) n += Shown(c);
    return n;
  }

 private:
  int InView(int sx, int sy) const {
    int n = 0;
    for (const Character& c : w_.characters) {
      Point p;
      c.GetPosition(p);
      if (Shown(c) && p.x + 48 > sx && p.x < sx + 640 && p.y + 48 > sy && p.y < sy + 480) ++n;
    }
    return n;
  }

  static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg != WM_PAINT || !current_) return DefWindowProcA(hwnd, msg, wparam, lparam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    Battle& b = *current_;
    b.screen_.Paint(hwnd, dc, b.large_, b.small_, b.w_.characters, b.w_.nations, b.w_.cities, b.w_.field_parties,
                    b.w_.divisions, b.w_.inhabitants);
    EndPaint(hwnd, &ps);
    return 0;
  }

  static Battle* current_;
  test_support::ScopedCurrentDir here_{VALDRIM_GAME_DIR};
  OwnedWorld w_;
  FieldScreen screen_;
  end_of_turn::TurnState turn_;
  HWND window_ = nullptr;
  HFONT large_ = nullptr;
  HFONT small_ = nullptr;
};

Battle* Battle::current_ = nullptr;

void BM_ActionPhaseTickWithPaint(benchmark::State& state) {
  Battle battle;
  if (!battle.PicturesLoaded()) {
    state.SkipWithError("the game folder's pictures did not load (build the game_assets target)");
    return;
  }
  const bool hover = state.range(0) != 0;
  // The armies set out before the timing starts.
  for (int i = 0; i < 20; ++i) battle.Tick();
  const double frame_before = FrameCopyMicros();
  std::vector<double> ticks;
  double in_view = 0, on_field = 0;
  int tick = 0;
  for (auto _ : state) {
    if (tick % 10 == 0) {
      in_view += battle.FollowTheBattle() * 10.0;
      on_field += battle.OnTheField() * 10.0;
    }
    if (hover) battle.HoverOnSomeone();
    const double start = NowMicros();
    battle.Tick();
    const double took = NowMicros() - start;
    state.SetIterationTime(took / 1e6);
    ticks.push_back(took);
    battle.NextPhaseIfEnded();
    ++tick;
  }
  const double frame = std::min(frame_before, FrameCopyMicros());
  step_timing::Report(state, ticks, frame);
  state.counters["in_view"] = in_view / tick;
  state.counters["on_field"] = on_field / tick;
}
BENCHMARK(BM_ActionPhaseTickWithPaint)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("hover")
    ->Iterations(1500)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
