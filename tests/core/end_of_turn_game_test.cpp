// The game object's end of turn on the headless back end: the steps around one repaint and one
// second's pause, with the screens' calendars and turn fields moved on.
#include <gtest/gtest.h>

#include <memory>

#include "core/end_of_turn.h"
#include "core/game.h"
#include "core/main_window.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/game_folder.h"
#include "tests/support/headless_test.h"
#include "world/random.h"

namespace {

class GameEndOfTurn : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    folder_ = std::make_unique<test_support::GameFolder>();
    game_ = std::make_unique<Game>();
    game_->SetWorldSeeder([] { rng::Srand(77); });
    window_ = OpenMainWindow(*game_, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    game_.reset();
    folder_.reset();
    HeadlessTest::TearDown();
  }

  std::unique_ptr<test_support::GameFolder> folder_;
  std::unique_ptr<Game> game_;
  HWND window_ = nullptr;
};

TEST_F(GameEndOfTurn, StepsRunAroundOneRepaintAndOneSecond) {
  Game& g = *game_;
  g.Thinking().SetYear(300);
  g.Thinking().SetMonth(12);
  g.Thinking().SetPartOfMonth(3);
  g.Thinking().SetTurnCount(36);
  g.Thinking().SetMenuState(9);
  g.Field().SetYear(300);
  g.Field().SetMonth(12);
  g.Field().SetPartOfMonth(3);

  // The same steps on copies of the lists, from the same generator state.
  CharacterList characters = g.Characters();
  NationList nations = g.Nations();
  CityList cities = g.Cities();
  DivisionList divisions = g.Divisions();
  InhabitantList inhabitants = g.Inhabitants();
  TradeGoodList goods = g.Goods();
  const end_of_turn::Lists copy{characters, nations, cities, divisions, inhabitants, goods};
  end_of_turn::TurnState t = end_of_turn::ReadTurnState(g.Thinking(), g.Field());
  rng::Srand(5);
  end_of_turn::RunBeforePause(copy, t);
  end_of_turn::RunAfterPause(copy);

  rng::Srand(5);
  const auto clock = headless::Now();
  const int paints = headless::PaintCount();
  g.RunEndOfTurn(window_);
  EXPECT_EQ(headless::Now(), clock + 1000);
  EXPECT_EQ(headless::PaintCount(), paints + 1);

  EXPECT_EQ(g.Thinking().GetYear(), 301);
  EXPECT_EQ(g.Thinking().GetMonth(), 1);
  EXPECT_EQ(g.Thinking().GetPartOfMonth(), 1);
  EXPECT_EQ(g.Thinking().GetTurnCount(), 37);
  EXPECT_EQ(g.Field().GetYear(), 301);
  EXPECT_EQ(g.Field().GetMonth(), 1);
  EXPECT_EQ(g.Field().GetPartOfMonth(), 1);
  EXPECT_EQ(g.Thinking().GetMenuState(), 0);
  EXPECT_EQ(g.Thinking().GetTurnTickCounter(), 10);
  EXPECT_EQ(g.Thinking().GetTurnNationId(), t.turn_nation_id);
  // Nothing else drew between the two halves: the world came out as the copy did.
  for (std::int32_t i = 0; i < characters.Count(); ++i)
    EXPECT_EQ(g.Characters().GetAt(i)->stats, characters.GetAt(i)->stats);
  for (std::int32_t i = 0; i < nations.Count(); ++i)
    EXPECT_EQ(g.Nations().GetAt(i)->GetFunds(), nations.GetAt(i)->GetFunds());
}

}  // namespace
