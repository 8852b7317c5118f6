// The pacing of the thinking phase on the ticks of timer 1: who acts on which tick, the end of
// the phase, the player's turn with timer 1 stopped, the end-of-phase answer and the game-over
// check.
#include <gtest/gtest.h>

#include <optional>

#include "platform/headless.h"
#include "tests/planning/planning_world.h"
#include "tests/support/headless_test.h"

namespace {

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) { return DefWindowProcA(hwnd, msg, wparam, lparam); }

class TurnDriver : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    WNDCLASSA wc{0, Proc, "turn"};
    RegisterClassA(&wc);
    window = CreateWindowExA(0, "turn", "t", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetTimer(window, ThinkingScreen::kPlayTimer, 100, nullptr);
    w.screen.NewGame();  // tick counter 10, menu state 0
  }
  // Nations with ids 1.. in list order, each paying a salary bill of 10 * id; the turn order
  // gives each list position its place.
  void MakeNations(const std::vector<std::int32_t>& order, std::int32_t player_index = -1) {
    for (std::size_t i = 0; i < order.size(); ++i) {
      const auto id = static_cast<std::int32_t>(i) + 1;
      Nation& n = w.AddNation(id, 1000, static_cast<std::int32_t>(i) == player_index);
      n.SetTurnOrder(order[i]);
      w.AddCharacter(100 + id, id, -100, -100).stats.SetSalaryPerLevel(10 * id);
    }
  }
  void Tick() {
    w.screen.OnTimer(window, ThinkingScreen::kPlayTimer, w.characters, w.nations, w.cities, w.parties, w.divisions,
                     w.name_pool, w.inhabitants, w.goods, w.tactics, w.policies);
  }
  // The list position of the nation that took a turn on this tick, or -1.
  int TickAndSeeWhoActs() {
    std::vector<std::int32_t> before;
    for (const Nation& n : w.nations) before.push_back(n.GetTurnsTaken());
    Tick();
    int acted = -1;
    for (int i = 0; i < w.nations.Count(); ++i)
      if (w.nations.GetAt(i)->GetTurnsTaken() != before[i]) acted = i;
    return acted;
  }
  std::optional<UINT> TimerPeriod() {
    auto t = headless::Timer(ThinkingScreen::kPlayTimer);
    return t ? std::optional<UINT>(t->period) : std::nullopt;
  }

  planning_test::World w;
  HWND window = nullptr;
};

TEST_F(TurnDriver, SevenComputerNationsActTenTicksApartAndThePhaseEndsOnTick70) {
  // At place p of the turn, the nation at the list index held by the nation at list position p
  // acts: here 1, 3, 5, 0, 6, 4, 2.
  MakeNations({1, 3, 5, 0, 6, 4, 2});
  w.screen.SetGameSpeed(2);
  const std::vector<int> expected_order = {1, 3, 5, 0, 6, 4, 2};
  std::vector<int> acted_on_tick(71, -1);
  for (int tick = 1; tick <= 70; ++tick) {
    acted_on_tick[tick] = TickAndSeeWhoActs();
    if (tick < 70) {
      EXPECT_NE(w.screen.GetMenuState(), 9) << tick;
    }
    if (acted_on_tick[tick] >= 0) {
      EXPECT_EQ(w.screen.GetActingNationIndex(), acted_on_tick[tick]);
      EXPECT_EQ(w.screen.GetTurnNationId(), acted_on_tick[tick] + 1);
      EXPECT_EQ(TimerPeriod(), std::optional<UINT>(50)) << "restarted at the game speed";
    }
  }
  for (int k = 0; k < 7; ++k) EXPECT_EQ(acted_on_tick[1 + 10 * k], expected_order[k]) << k;
  int turns = 0;
  for (int a : acted_on_tick) turns += a >= 0;
  EXPECT_EQ(turns, 7);
  EXPECT_EQ(w.screen.GetMenuState(), 9);
  EXPECT_EQ(w.screen.GetTurnTickCounter(), 10);
  EXPECT_EQ(w.screen.GetTurnOrderPosition(), 0);
  for (const Nation& n : w.nations) {
    EXPECT_EQ(n.GetTurnsTaken(), 1);
    EXPECT_EQ(n.GetFunds(), 1000 - 10 * n.GetId());  // the salary bill, once
  }
}

TEST_F(TurnDriver, ThePlayersTurnStopsTheClockUntilTheAnswerYes) {
  MakeNations({0, 1, 2}, 1);
  Nation& player = *w.nations.GetAt(1);
  // The player's idle servant at its city gets an order when the player's turn starts.
  w.AddCity(1, 2, 500, 500).SetSentiment(100);
  Character& servant = w.AddCharacter(50, 2, 500, 500);
  servant.chances.SetRestWeight(100);

  EXPECT_EQ(TickAndSeeWhoActs(), 0);
  for (int tick = 2; tick <= 10; ++tick) EXPECT_EQ(TickAndSeeWhoActs(), -1);
  EXPECT_EQ(TickAndSeeWhoActs(), 1);
  EXPECT_EQ(TimerPeriod(), std::nullopt) << "timer 1 stays stopped during the player's turn";
  EXPECT_EQ(w.screen.turn.player_turn_open, 1);
  EXPECT_EQ(w.screen.GetTurnOrderPosition(), 1);
  EXPECT_EQ(servant.GetOrder(), 16);
  EXPECT_EQ(player.GetFunds(), 1000 - 20);
  // A stray tick changes nothing while the turn is open.
  EXPECT_EQ(TickAndSeeWhoActs(), -1);
  EXPECT_EQ(w.screen.GetTurnTickCounter(), 0);

  // No: back to the main menu, nothing paid, the turn stays open.
  w.screen.SetMenuState(9);
  w.screen.ClickEndOfPhaseQuestion(window, 416, 228, w.characters, w.nations);
  EXPECT_EQ(w.screen.GetMenuState(), 0);
  EXPECT_EQ(w.screen.turn.player_turn_open, 1);
  EXPECT_EQ(player.GetFunds(), 980);
  // Yes: the salaries once more, the clock runs again at the game speed, the turn goes on.
  w.screen.SetGameSpeed(1);
  w.screen.SetMenuState(9);
  w.screen.ClickEndOfPhaseQuestion(window, 407, 255, w.characters, w.nations);
  EXPECT_EQ(w.screen.GetMenuState(), 0);
  EXPECT_EQ(w.screen.turn.player_turn_open, 0);
  EXPECT_EQ(TimerPeriod(), std::optional<UINT>(200));
  EXPECT_EQ(w.screen.GetTurnOrderPosition(), 2);
  EXPECT_EQ(player.GetFunds(), 960);
  EXPECT_EQ(player.GetTurnsTaken(), 2);

  // The counter runs on from 0: the last nation acts ten ticks later, the phase ends nine after.
  for (int tick = 1; tick <= 9; ++tick) EXPECT_EQ(TickAndSeeWhoActs(), -1);
  EXPECT_EQ(TickAndSeeWhoActs(), 2);
  for (int tick = 1; tick <= 8; ++tick) Tick();
  EXPECT_EQ(w.screen.GetMenuState(), 0);
  Tick();
  EXPECT_EQ(w.screen.GetMenuState(), 9);
}

TEST_F(TurnDriver, AClickOutsideTheAnswersChangesNothing) {
  MakeNations({0}, 0);
  w.screen.SetMenuState(9);
  w.screen.turn.player_turn_open = 1;
  KillTimer(window, ThinkingScreen::kPlayTimer);
  w.screen.ClickEndOfPhaseQuestion(window, 287, 240, w.characters, w.nations);
  w.screen.ClickEndOfPhaseQuestion(window, 410, 240, w.characters, w.nations);
  w.screen.ClickEndOfPhaseQuestion(window, 300, 256, w.characters, w.nations);
  EXPECT_EQ(w.screen.GetMenuState(), 9);
  EXPECT_EQ(w.nations.GetAt(0)->GetFunds(), 1000);
  EXPECT_EQ(TimerPeriod(), std::nullopt);
}

TEST_F(TurnDriver, TheLastNationLeftEndsTheGameOnTheNextTick) {
  MakeNations({0, 1});
  w.nations.GetAt(1)->SetTurnsTaken(41);
  Tick();
  EXPECT_EQ(w.screen.GetGameOver(), 0);
  w.nations.RemoveById(1);
  w.screen.SetActingNationIndex(5);  // a stale index still means the last nation
  for (int tick = 0; tick < 3; ++tick) Tick();  // no turn on these ticks
  EXPECT_EQ(w.screen.GetGameOver(), 1);
  EXPECT_EQ(w.screen.GetGameOverTurnCount(), 41);
  // Set once: later turns do not change it.
  w.nations.GetAt(0)->SetTurnsTaken(50);
  Tick();
  EXPECT_EQ(w.screen.GetGameOverTurnCount(), 41);
}

TEST_F(TurnDriver, ATurnOrderNamingNoNationIsPassedOver) {
  MakeNations({100, 0});  // a damaged slot's turn order
  EXPECT_EQ(TickAndSeeWhoActs(), -1);
  EXPECT_EQ(w.screen.GetTurnOrderPosition(), 1);
  EXPECT_EQ(w.screen.GetTurnTickCounter(), 0);
  EXPECT_EQ(TimerPeriod(), std::optional<UINT>(100)) << "the clock runs on";
  for (int tick = 1; tick <= 9; ++tick) Tick();
  EXPECT_EQ(TickAndSeeWhoActs(), 0);
}

}  // namespace
