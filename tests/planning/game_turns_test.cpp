// Turns through the game object on the real new world with a fixed seed. In spectator mode the
// game runs by itself on timer ticks alone: every thinking phase hands the turn to each nation
// and reaches menu state 9 after ten ticks per nation; the game switches to the action phase,
// back through the end of turn and the autosave, and the next thinking phase starts, the world
// staying sound. With a player, the phase waits at the player's turn for the answer yes.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "core/game.h"
#include "core/main_window.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/game_folder.h"
#include "tests/support/headless_test.h"
#include "world/random.h"

namespace {

class GameTurns : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    folder_ = std::make_unique<test_support::GameFolder>();
    game_ = std::make_unique<Game>();
    game_->SetWorldSeeder([] { rng::Srand(20240601); });
    ASSERT_NE(OpenMainWindow(*game_, nullptr), nullptr);
  }
  void TearDown() override {
    game_.reset();
    folder_.reset();
    HeadlessTest::TearDown();
  }
  void Click(int x, int y) {
    headless::PostMouse(WM_LBUTTONDOWN, x, y);
    headless::PumpMessages();
  }
  // Lets the clock run to the next tick of timer 1 and handles it.
  void NextTick() {
    auto t = headless::Timer(Game::kPlayTimer);
    ASSERT_TRUE(t.has_value()) << "timer 1 runs all through a spectator game";
    headless::RunFor(t->due - headless::Now());
  }

  void ExpectWorldSound() {
    Game& g = *game_;
    std::set<std::int32_t> ids;
    std::set<std::int32_t> orders;
    for (const Nation& n : g.Nations()) {
      ids.insert(n.GetId());
      orders.insert(n.GetTurnOrder());
      // Research keeps a nation's skills in id order, each once.
      auto ascending = [](const auto& list) {
        std::int32_t last = 0;
        for (const auto& e : list)
          if (e.GetId() <= std::exchange(last, e.GetId())) return false;
        return true;
      };
      EXPECT_TRUE(ascending(n.tactics));
      EXPECT_TRUE(ascending(n.policies));
    }
    EXPECT_EQ(orders.size(), ids.size());
    EXPECT_EQ(*orders.rbegin(), g.Nations().Count() - 1) << "the turn order is a permutation";
    for (const Character& c : g.Characters()) {
      const std::int32_t n = c.GetNationId();
      EXPECT_TRUE(ids.count(n) || n == Character::kNationNone || n == Character::kNationLords) << n;
      Point p;
      c.GetPosition(p);
      const bool on_field = p.x >= 0 && p.x < 1920 && p.y >= 0 && p.y < 1920;
      EXPECT_TRUE(on_field || (p.x == Character::kNotPlaced && p.y == Character::kNotPlaced));
      if (ids.count(n)) {
        EXPECT_TRUE(on_field) << "a nation's character stands on the field";
      }
    }
    for (const Division& d : g.Divisions()) EXPECT_TRUE(ids.count(d.GetNationId()) || d.GetNationId() == kNoNation);
    // Units keep supporting a fallen nation until they reconsider at an end of turn.
    for (const Inhabitant& i : g.Inhabitants()) {
      EXPECT_GE(i.GetAllegiance(), 1);
      EXPECT_LE(i.GetAllegiance(), 7);
    }
    for (const City& c : g.Cities()) EXPECT_TRUE(ids.count(c.GetOwner()) || c.GetOwner() == City::kNoOwner);
  }

  std::unique_ptr<test_support::GameFolder> folder_;
  std::unique_ptr<Game> game_;
};

TEST_F(GameTurns, AYearOfTurnsRunsByItselfOnTheTicks) {
  // The window seeds from the time of day; seed again before anything on the title draws.
  rng::Srand(77);
  Click(300, 430);  // new game
  Click(580, 360);  // spectate
  ASSERT_EQ(game_->GetMode(), kModeThinking);
  ASSERT_EQ(game_->Nations().CountByComputerFlag(0), 0);

  int sorties = 0, policies_used = 0, recruited = 0, ordered = 0;
  auto policy_points = [&] {
    std::vector<std::int32_t> points;
    for (const Nation& n : game_->Nations()) points.push_back(n.GetPolicyValue());
    return points;
  };
  auto serving = [&] {
    int k = 0;
    for (const Character& c : game_->Characters()) k += c.GetNationId() >= 1 && c.GetNationId() <= 7;
    return k;
  };

  constexpr int kPhases = 36;  // a year
  for (int phase = 0; phase < kPhases; ++phase) {
    SCOPED_TRACE(phase);
    const std::int32_t nations = game_->Nations().Count();
    const std::vector<std::int32_t> points_before = policy_points();
    const int serving_before = serving();
    // The end of turn's one-second pause lets a tick fall due, which the game handles as soon as
    // the pause is over: the phase may have had its first tick already.
    const ThinkingScreen& thinking = game_->Thinking();
    int ticks = thinking.GetTurnOrderPosition() > 0
                    ? 1 + 10 * (thinking.GetTurnOrderPosition() - 1) + thinking.GetTurnTickCounter()
                    : thinking.GetTurnTickCounter() - 10;
    while (game_->GetMode() == kModeThinking && ticks < 1000) {
      NextTick();
      ++ticks;
    }
    ASSERT_EQ(game_->GetMode(), kModeAction);
    EXPECT_EQ(game_->Thinking().GetMenuState(), 9);
    EXPECT_EQ(ticks, 10 * nations);
    for (const Nation& n : game_->Nations()) EXPECT_EQ(n.GetTurnsTaken(), phase + 1);
    const std::vector<std::int32_t> points_after = policy_points();
    for (std::size_t i = 0; i < points_after.size(); ++i) policies_used += points_after[i] < points_before[i];
    recruited += serving() > serving_before;
    for (const Character& c : game_->Characters()) {
      sorties += c.GetOrder() == Character::kOrderSortie;
      ordered += c.GetOrder() != Character::kOrderFree;
    }
    ExpectWorldSound();

    // The field ends its phase on its 100th tick; until the field's tick is part of the game,
    // the test raises the flag for it.
    for (ticks = 0; game_->GetMode() == kModeAction && ticks < 100; ++ticks) NextTick();
    if (game_->GetMode() == kModeAction) {
      game_->Field().SetPhaseEnded(1);
      NextTick();
    }
    if (game_->GetMode() == kModeEnding) break;  // one nation has won
    ASSERT_EQ(game_->GetMode(), kModeThinking);
    EXPECT_EQ(game_->Thinking().GetMenuState(), 0);
    EXPECT_EQ(game_->Thinking().GetTurnCount(), phase + 2);
    ExpectWorldSound();
  }
  // The computer nations decided things on their own.
  EXPECT_GT(sorties, 0);
  EXPECT_GT(policies_used, 0);
  EXPECT_GT(recruited, 0);
  EXPECT_GT(ordered, 0);
  EXPECT_TRUE(headless::Boxes().empty()) << headless::Boxes().front().text;
}

TEST_F(GameTurns, ThePhaseWaitsAtThePlayersTurnForTheAnswerYes) {
  rng::Srand(5);
  Click(300, 430);  // new game
  Click(480, 360);  // decide: the first nation is the player's
  ASSERT_EQ(game_->GetMode(), kModeThinking);
  Nation& player = *game_->Nations().FindByComputerFlag(0);
  int ticks = 0;
  while (!game_->Thinking().turn.player_turn_open && ticks < 100) {
    NextTick();
    ++ticks;
  }
  ASSERT_EQ(game_->Thinking().turn.player_turn_open, 1);
  EXPECT_EQ(game_->Thinking().GetTurnNationId(), player.GetId());
  EXPECT_FALSE(headless::Timer(Game::kPlayTimer).has_value());
  const std::int32_t funds = player.GetFunds();
  const std::int32_t salaries = game_->Characters().TotalSalaryOfNation(player.GetId());
  headless::RunFor(60000);  // no tick comes while the player thinks
  EXPECT_EQ(game_->GetMode(), kModeThinking);

  Click(60, 190);  // the main menu's end button
  EXPECT_EQ(game_->Thinking().GetMenuState(), 9);
  Click(300, 240);  // yes
  EXPECT_EQ(game_->Thinking().GetMenuState(), 0);
  EXPECT_EQ(player.GetFunds(), funds - salaries);
  EXPECT_EQ(player.GetTurnsTaken(), 2);
  while (game_->GetMode() == kModeThinking && ticks < 200) {
    NextTick();
    ++ticks;
  }
  EXPECT_EQ(game_->GetMode(), kModeAction);
  EXPECT_EQ(ticks, 70);
}

}  // namespace
