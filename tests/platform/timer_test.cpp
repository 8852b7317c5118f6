// Timers behave as Windows timers: one pending tick per id, ticks after input and paint,
// re-arming restarts the period, killing drops a pending tick, Sleep lets time pass.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "tests/support/headless_test.h"

namespace {

std::vector<std::pair<UINT_PTR, std::uint64_t>> ticks;  // (id, time)
DWORD sleep_in_handler = 0;

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_TIMER) {
    ticks.emplace_back(wparam, headless::Now());
    if (sleep_in_handler) {
      const DWORD ms = sleep_in_handler;
      sleep_in_handler = 0;  // once
      Sleep(ms);
    }
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

class Timers : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ticks.clear();
    sleep_in_handler = 0;
    WNDCLASSA wc{0, Proc, "timers"};
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "timers", "t", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
  }
  std::vector<std::uint64_t> Times(UINT_PTR id) const {
    std::vector<std::uint64_t> out;
    for (auto [i, t] : ticks)
      if (i == id) out.push_back(t);
    return out;
  }
  HWND hwnd = nullptr;
};

TEST_F(Timers, TickEveryPeriodWhileTheLoopRuns) {
  SetTimer(hwnd, 1, 100, nullptr);
  headless::RunFor(450);
  EXPECT_EQ(Times(1), (std::vector<std::uint64_t>{100, 200, 300, 400}));
  EXPECT_EQ(headless::Now(), 450u);
}

TEST_F(Timers, TicksThatFallDueWhileOneIsPendingMergeIntoIt) {
  SetTimer(hwnd, 1, 100, nullptr);
  headless::AdvanceClock(1000);  // ten periods pass with nobody handling messages
  auto t = headless::Timer(1);
  ASSERT_TRUE(t);
  EXPECT_TRUE(t->pending);
  EXPECT_EQ(t->due, 1100u);  // the period goes on from the original start
  EXPECT_EQ(headless::PumpMessages(), 1);
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(Timers, SleepInAHandlerLetsTheTimeGoByWithOneTick) {
  // The game sleeps a second after its autosave: the ticks of that second become one.
  SetTimer(hwnd, 1, 100, nullptr);
  sleep_in_handler = 1000;
  headless::RunFor(100);  // the tick at 100 sleeps until 1100, then the one merged tick follows
  EXPECT_EQ(headless::Now(), 1100u);
  EXPECT_EQ(Times(1), (std::vector<std::uint64_t>{100, 1100}));
  headless::RunFor(200);
  EXPECT_EQ(Times(1), (std::vector<std::uint64_t>{100, 1100, 1200, 1300}));
}

TEST_F(Timers, KillDropsThePendingTick) {
  SetTimer(hwnd, 1, 100, nullptr);
  headless::AdvanceClock(150);
  ASSERT_TRUE(headless::Timer(1)->pending);
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_EQ(headless::PumpMessages(), 0);
  headless::RunFor(1000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_FALSE(KillTimer(hwnd, 1));  // no longer running
}

TEST_F(Timers, RearmingRestartsThePeriodFromNow) {
  SetTimer(hwnd, 1, 100, nullptr);
  headless::RunFor(150);  // tick at 100
  SetTimer(hwnd, 1, 300, nullptr);  // at 150: next tick at 450, not 200
  headless::RunFor(600);  // until 750
  EXPECT_EQ(Times(1), (std::vector<std::uint64_t>{100, 450, 750}));
  EXPECT_EQ(headless::Timer(1)->period, 300u);
}

TEST_F(Timers, RearmingDropsAPendingTick) {
  SetTimer(hwnd, 1, 100, nullptr);
  headless::AdvanceClock(120);
  SetTimer(hwnd, 1, 50, nullptr);
  EXPECT_FALSE(headless::Timer(1)->pending);
  EXPECT_EQ(headless::PumpMessages(), 0);
  headless::RunFor(50);
  EXPECT_EQ(Times(1), (std::vector<std::uint64_t>{170}));
}

TEST_F(Timers, TwoTimersTickInTheOrderTheyFellDue) {
  SetTimer(hwnd, 1, 200, nullptr);
  SetTimer(hwnd, 2, 50, nullptr);
  headless::RunFor(200);
  EXPECT_EQ(Times(2), (std::vector<std::uint64_t>{50, 100, 150, 200}));
  EXPECT_EQ(Times(1), (std::vector<std::uint64_t>{200}));
  // At 200 both fell due; timer 2's tick fell due at 200 too, ids break the tie.
  ASSERT_GE(ticks.size(), 2u);
  EXPECT_EQ(ticks[ticks.size() - 2].first, 1u);
  // Both pending after a long wait: the one that fell due first goes first.
  ticks.clear();
  headless::AdvanceClock(430);  // timer 2 fell due at 250, timer 1 at 400
  headless::PumpMessages();
  ASSERT_EQ(ticks.size(), 2u);
  EXPECT_EQ(ticks[0].first, 2u);
  EXPECT_EQ(ticks[1].first, 1u);
}

TEST_F(Timers, TimersNeedALiveWindow) {
  EXPECT_EQ(SetTimer(nullptr, 1, 100, nullptr), 0u);
  DestroyWindow(hwnd);
  EXPECT_EQ(SetTimer(hwnd, 1, 100, nullptr), 0u);
  EXPECT_FALSE(KillTimer(hwnd, 1));
}

}  // namespace
