// The thinking screen object: the new-game reset, the set-up at window creation on the real new
// world (turn order, player's city arrows, the cities' marks) and the settings that a new game
// keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "planning/thinking_screen.h"
#include "platform/music.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"

namespace {

class ThinkingScreenTest : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    w_.Build(5);
  }
  void Init() {
    screen_.Init(nullptr, w_.characters, w_.nations, w_.cities, w_.field_parties, w_.divisions, w_.inhabitants,
                 w_.trade_goods, w_.tactics, w_.policies);
  }
  OwnedWorld w_;
  ThinkingScreen screen_;
};

TEST_F(ThinkingScreenTest, ANewGameResetsTheTurnAndCalendarButKeepsTheMusicSwitch) {
  screen_.SetMusicOff(1);
  screen_.SetGameSpeed(2);
  screen_.SetYear(310);
  screen_.SetGameOver(1);
  screen_.SetTurnNationId(4);
  screen_.SetMenuState(33);
  screen_.NewGame();
  EXPECT_EQ(screen_.IsMusicOff(), 1);
  EXPECT_EQ(screen_.GetGameSpeed(), 0);
  EXPECT_EQ(screen_.GetYear(), 300);
  EXPECT_EQ(screen_.GetMonth(), 1);
  EXPECT_EQ(screen_.GetPartOfMonth(), 1);
  EXPECT_EQ(screen_.GetTurnCount(), 1);
  EXPECT_EQ(screen_.GetGameOver(), 0);
  EXPECT_EQ(screen_.GetTurnNationId(), 0);
  EXPECT_EQ(screen_.GetMenuState(), 0);
  EXPECT_EQ(screen_.GetTurnTickCounter(), 10);
  EXPECT_EQ(screen_.GetCityArrowState(), 6);
}

TEST_F(ThinkingScreenTest, InitDrawsTheTurnOrderAndClearsTheCitiesMarks) {
  screen_.NewGame();
  w_.cities.GetAt(3)->SetRiot();
  w_.cities.GetAt(4)->MarkHiredThisTurn();
  Init();
  EXPECT_EQ(screen_.GetTurnNationId(), w_.nations.GetAt(0)->GetId());
  std::vector<int> order;
  for (const Nation& n : w_.nations) order.push_back(n.GetTurnOrder());
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(w_.cities.CountWithRiot(), 0);
  EXPECT_EQ(w_.cities.GetAt(4)->HasHiredThisTurn(), 0);
  // Nobody plays yet: no city count, the arrows stay off.
  EXPECT_EQ(screen_.GetCityCount(), 0);
  EXPECT_EQ(screen_.GetCityArrowState(), 6);
  EXPECT_EQ(screen_.GetYear(), 300);
  EXPECT_EQ(screen_.GetMenuState(), 0);
}

TEST_F(ThinkingScreenTest, ThePlayersCityArrowsFollowItsCityCount) {
  screen_.NewGame();
  Nation* player = w_.nations.GetAt(1);
  player->SetPlayerControlled();
  Init();
  EXPECT_EQ(screen_.GetCityCount(), 1);  // every nation starts with one city
  EXPECT_EQ(screen_.GetCityArrowState(), 6);
  // With three cities the arrows open at the first city.
  w_.cities.GetAt(10)->SetOwner(player->GetId());
  w_.cities.GetAt(11)->SetOwner(player->GetId());
  Init();
  EXPECT_EQ(screen_.GetCityCount(), 3);
  EXPECT_EQ(screen_.GetCityArrowState(), 2);
}

}  // namespace
