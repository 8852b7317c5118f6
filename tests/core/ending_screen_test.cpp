// The ending's scene machine driven timer tick by timer tick: how long each scene lasts, the
// periods it sets on timer 1, the paralysis effect of scene 1 on timer 2, and the waiting scene
// that ignores both timers.
#include <gtest/gtest.h>

#include <vector>

#include "core/ending_screen.h"
#include "platform/headless.h"
#include "tests/support/counting_window.h"
#include "tests/support/headless_test.h"

namespace {

using test_support::paints;

class EndingTest : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    window_ = test_support::CountingWindow("ending");
    ending_.Init(window_, characters_, nations_, cities_);
    headless::ClearBoxes();  // the test has no pictures
    SetTimer(window_, 1, 200, nullptr);
    SetTimer(window_, 2, 50, nullptr);
  }
  void Tick(WPARAM id) { ending_.OnTimer(window_, id, characters_, nations_, cities_); }
  // Timer-1 ticks until the scene changes; how many it took.
  int RunScene() {
    const int scene = ending_.GetScene();
    int ticks = 0;
    while (ending_.GetScene() == scene && ticks < 1000) {
      Tick(1);
      ++ticks;
    }
    return ticks;
  }
  UINT Period(UINT_PTR id) { return headless::Timer(id) ? headless::Timer(id)->period : 0; }

  HWND window_ = nullptr;
  EndingScreen ending_;
  CharacterList characters_;
  NationList nations_;
  CityList cities_;
};

TEST_F(EndingTest, TheScenesLastTheirTicksAndSetTheirPeriods) {
  EXPECT_EQ(ending_.GetScene(), 1);
  const std::vector<int> expected = {79, 31, 89, 31, 39, 31, 109, 61};
  std::vector<int> seen;
  std::vector<UINT> periods;
  for (int scene = 1; scene <= 8; ++scene) {
    seen.push_back(RunScene());
    periods.push_back(Period(1));
  }
  EXPECT_EQ(seen, expected);
  // Scene 1 ends at 200 ms, scene 2 sets 300 ms for the rest, the end of scene 8 100 ms.
  EXPECT_EQ(periods, (std::vector<UINT>{200, 300, 300, 300, 300, 300, 300, 100}));
  EXPECT_EQ(ending_.GetScene(), EndingScreen::kWaitingScene);
  EXPECT_FALSE(headless::Timer(2).has_value());
  // The waiting scene ignores both timers and does not repaint.
  paints = 0;
  Tick(1);
  Tick(2);
  EXPECT_EQ(ending_.GetScene(), EndingScreen::kWaitingScene);
  EXPECT_EQ(paints, 0);
  // Its counters are back at their initial values, so a second ending plays the same way.
  const auto c = ending_.GetCounters();
  EXPECT_EQ(c.k[1], 1);
  EXPECT_EQ(c.k[2], 4);
  EXPECT_EQ(c.p[0], 1);
  ending_.NewGame();
  EXPECT_EQ(ending_.GetScene(), 1);
  EXPECT_EQ(RunScene(), 79);
}

TEST_F(EndingTest, SceneOneChangesTheTimerAtItsKeyFrames) {
  std::vector<std::pair<int, UINT>> changes;
  UINT last = Period(1);
  for (int f = 1; f <= 70; ++f) {
    Tick(1);
    if (Period(1) != last) changes.push_back({f, last = Period(1)});
  }
  EXPECT_EQ(changes, (std::vector<std::pair<int, UINT>>{{23, 100}, {29, 200}, {53, 100}, {59, 200}, {64, 100}}));
}

TEST_F(EndingTest, TheParalysisRunsThreePhasesOnTimerTwo) {
  for (int f = 1; f <= 21; ++f) Tick(1);
  EXPECT_EQ(ending_.GetCounters().v[0], 1);  // the slash
  for (int i = 0; i < 7; ++i) Tick(2);
  EXPECT_EQ(ending_.GetCounters().v[0], 0);  // played once
  for (int f = 22; f <= 37; ++f) Tick(1);
  ASSERT_EQ(ending_.GetCounters().v[1], 1);
  auto ticks_until = [&](auto done) {
    int n = 0;
    while (!done() && n < 100) {
      Tick(2);
      ++n;
    }
    return n;
  };
  EXPECT_EQ(ticks_until([&] { return ending_.GetCounters().p[0] == 2; }), 21);
  EXPECT_EQ(ticks_until([&] { return ending_.GetCounters().p[0] == 3; }), 21);
  EXPECT_EQ(ending_.GetCounters().p[1], 1 + 21);  // phase 2 walked the effect left
  EXPECT_EQ(ticks_until([&] { return ending_.GetCounters().v[1] == 0; }), 7);
}

TEST_F(EndingTest, ClicksBeforeTheWaitingSceneAndMouseMovesChangeNothing) {
  for (int i = 0; i < 10; ++i) Tick(1);
  const auto before = ending_.GetCounters();
  ThinkingScreen thinking;
  ending_.OnMouseMove(window_, MAKELPARAM(5, 6), characters_, nations_, cities_);
  ending_.OnLButtonDown(window_, MAKELPARAM(7, 8), characters_, nations_, cities_, thinking);
  ending_.OnRButtonDown(window_, MAKELPARAM(9, 10), characters_, nations_, cities_);
  const auto after = ending_.GetCounters();
  EXPECT_EQ(after.scene, before.scene);
  EXPECT_EQ(after.f, before.f);
  EXPECT_EQ(after.d, before.d);
}

}  // namespace
