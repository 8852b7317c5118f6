// The menu state machine of the thinking phase: where each click of each menu leads, for the
// player's turn and for a computer nation's turn, who may click at all, the main menu's city
// arrows and the pacing of the turns, the information views and the rankings.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <utility>

#include "tests/planning/menu_fixture.h"
#include "world/codec.h"

namespace menu_test {
namespace {

// A chance record with the given fields set and every other 0.
ChanceRecord Chances(std::initializer_list<std::pair<int, std::int32_t>> fields) {
  std::array<std::uint8_t, 176> image{};
  for (auto [field, value] : fields) codec::PutI32(image.data(), 4 * field, value);
  ChanceRecord r;
  r.ReadImage(image.data());
  return r;
}

class MenuStates : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    BuildStandardWorld(w);
  }
};

struct Transition {
  std::int32_t from;
  At click;
  std::int32_t to;
};

// Every menu of the player's turn, each of its buttons, and clicks that lead nowhere.
const Transition kFullTransitions[] = {
    // main menu
    {0, Button(1), 3}, {0, Button(2), 0}, {0, Button(3), 5}, {0, Button(4), 6}, {0, Button(5), 8},
    {0, Button(6), 9}, {0, Button(7), 0}, {0, kNowhere, 0},
    // military menu: the tactic list needs a character in battle (character 2 fights)
    {3, Button(1), 20}, {3, Button(2), 21}, {3, Button(3), 3}, {3, Button(4), 31}, {3, Button(5), 35},
    {3, Button(6), 16}, {3, Button(7), 3},
    // information, character information, ranking and system menus
    {5, Button(1), 53}, {5, Button(2), 58}, {5, Button(3), 59}, {5, Button(4), 5},
    {53, Button(1), 55}, {53, Button(2), 56}, {53, Button(3), 57}, {53, Button(4), 53},
    {6, Button(1), 62}, {6, Button(2), 63}, {6, Button(3), 6},
    {8, Button(1), 64}, {8, Button(2), 65}, {8, Button(3), 66}, {8, Button(4), 8},
    // research, hiring and trade menus
    {16, Button(1), 17}, {16, Button(2), 18}, {16, Button(3), 16},
    {31, Button(1), 32}, {31, Button(2), 33}, {31, Button(3), 34}, {31, Button(4), 31},
    {35, Button(1), 36}, {35, Button(2), 39}, {35, Button(3), 35},
    {36, Button(1), 37}, {36, Button(2), 38}, {36, Button(3), 36},
    {39, Button(1), 40}, {39, Button(2), 41}, {39, Button(3), 39},
    // the lists and views have no menu buttons
    {17, Button(1), 17}, {20, Button(1), 20}, {32, Button(1), 32}, {37, Button(1), 37}, {55, Button(1), 55},
    {58, Button(1), 58}, {62, Button(1), 62},
    // numbers never entered only repaint
    {1, Button(1), 1}, {67, Button(1), 67}, {99, Button(3), 99},
};

TEST_F(MenuStates, EveryMenuOfThePlayersTurnLeadsWhereItsButtonsSay) {
  for (const Transition& t : kFullTransitions) {
    SCOPED_TRACE(testing::Message() << "state " << t.from << " click " << t.click.x << "," << t.click.y);
    PlayerTurn(1);
    screen.SetMenuState(t.from);
    TakePaints();
    Click(t.click);
    EXPECT_EQ(State(), t.to);
    EXPECT_EQ(screen.turn.click_x, t.click.x);
    EXPECT_EQ(screen.turn.click_y, t.click.y);
    // Every click that reaches the handler repaints the whole window once.
    std::vector<RECT> paints = TakePaints();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_TRUE(SameRect(paints[0], 0, 0, 840, 480));
  }
}

// While a computer nation acts: the menus that only show the world, and the system menu.
const Transition kRestrictedTransitions[] = {
    {0, Button(1), 0}, {0, Button(2), 0}, {0, Button(3), 5}, {0, Button(4), 6}, {0, Button(5), 8},
    {0, Button(6), 0}, {0, Button(7), 0}, {0, kCityBack, 0}, {0, kCityForward, 0},
    {5, Button(1), 53}, {5, Button(2), 58}, {5, Button(3), 59},
    {53, Button(1), 55}, {53, Button(2), 56}, {53, Button(3), 57},
    {6, Button(1), 62}, {6, Button(2), 63},
    {8, Button(1), 64}, {8, Button(2), 65}, {8, Button(3), 66},
    // the player's own menus wait for the player's turn
    {3, Button(4), 3}, {3, Button(6), 3}, {16, Button(1), 16}, {31, Button(1), 31}, {35, Button(1), 35},
    {36, Button(1), 36}, {39, Button(2), 39}, {9, Button(1), 9}, {20, kDecide, 20}, {37, Row(0), 37},
};

TEST_F(MenuStates, DuringAComputerNationsTurnOnlyTheReadingAndSystemMenusOpen) {
  for (const Transition& t : kRestrictedTransitions) {
    SCOPED_TRACE(testing::Message() << "state " << t.from << " click " << t.click.x << "," << t.click.y);
    PlayerTurn(2, false);
    screen.SetMenuState(t.from);
    const std::int32_t city_index = screen.GetSelectedCityIndex();
    TakePaints();
    Click(t.click);
    EXPECT_EQ(State(), t.to);
    EXPECT_EQ(screen.GetSelectedCityIndex(), city_index);
    EXPECT_EQ(TakePaints().size(), 1u);
  }
  // Nothing of the world changed on the way: no research, no hire, no purchase.
  EXPECT_EQ(w.nations.GetAt(0)->GetFunds(), 10000);
  EXPECT_EQ(w.nations.GetAt(0)->tactics.GetCount(), 1);
}

TEST_F(MenuStates, ClicksBetweenTurnsAreLostAndSpectatorsClickThroughTheRestrictedMenus) {
  // Between turns the acting nation may be one that is gone: the click is not even stored.
  PlayerTurn(7);
  Click(Button(3));
  EXPECT_EQ(State(), 0);
  EXPECT_EQ(screen.turn.click_x, 0);
  EXPECT_TRUE(TakePaints().empty());

  // The player's nation acting but the turn closed (after the answer yes): still the full
  // handler, and the information menu holds the turns back.
  PlayerTurn(1, false);
  SetTimer(window, 1, 100, nullptr);
  Click(Button(3));
  EXPECT_EQ(State(), 5);
  EXPECT_FALSE(TimerRuns());

  // A spectator game has no player's nation: the computer nation's turn takes the clicks.
  World spectator;
  spectator.AddNation(2);
  spectator.AddNation(3);
  std::swap(w.nations, spectator.nations);
  PlayerTurn(3, false);
  screen.SetMenuState(0);
  Click(Button(1));
  EXPECT_EQ(State(), 0);
  Click(Button(4));
  EXPECT_EQ(State(), 6);
}

TEST_F(MenuStates, TheMainMenuOpensTheTurnsMenusOnlyWhileTheTurnIsOpen) {
  PlayerTurn(1, false);
  Click(Button(1));
  EXPECT_EQ(State(), 0);
  Click(Button(6));
  EXPECT_EQ(State(), 0);

  // Reading a menu during the player's own turn leaves timer 1 alone (it is stopped anyway).
  PlayerTurn(1, true);
  SetTimer(window, 1, 100, nullptr);
  for (int button : {3, 4, 5}) {
    screen.SetMenuState(0);
    Click(Button(button));
    EXPECT_TRUE(TimerRuns());
  }
  // Outside it, every one of them stops the turns.
  PlayerTurn(1, false);
  for (int button : {3, 4, 5}) {
    SetTimer(window, 1, 100, nullptr);
    screen.SetMenuState(0);
    Click(Button(button));
    EXPECT_FALSE(TimerRuns()) << "button " << button;
  }
  // So do they while a computer nation acts.
  PlayerTurn(2, false);
  SetTimer(window, 1, 100, nullptr);
  screen.SetMenuState(0);
  Click(Button(5));
  EXPECT_EQ(State(), 8);
  EXPECT_FALSE(TimerRuns());
}

TEST_F(MenuStates, TheCityArrowsStepThroughThePlayersCities) {
  PlayerTurn(1);
  screen.SetCityCount(3);
  screen.SetSelectedCityIndex(2);
  screen.SetCityArrowState(3);
  Click(kCityForward);  // at the last city
  EXPECT_EQ(screen.GetSelectedCityIndex(), 2);
  Click(kCityBack);
  EXPECT_EQ(screen.GetSelectedCityIndex(), 1);
  EXPECT_EQ(screen.GetCityArrowState(), 0);
  Click(kCityBack);
  EXPECT_EQ(screen.GetSelectedCityIndex(), 0);
  EXPECT_EQ(screen.GetCityArrowState(), 2);
  Click(kCityBack);  // at the first city
  EXPECT_EQ(screen.GetSelectedCityIndex(), 0);
  Click(kCityForward);
  Click(kCityForward);
  EXPECT_EQ(screen.GetSelectedCityIndex(), 2);
  EXPECT_EQ(screen.GetCityArrowState(), 3);

  // One city: no arrow moves.
  screen.SetCityCount(1);
  screen.SetSelectedCityIndex(0);
  screen.SetCityArrowState(6);
  Click(kCityForward);
  Click(kCityBack);
  EXPECT_EQ(screen.GetSelectedCityIndex(), 0);
  EXPECT_EQ(screen.GetCityArrowState(), 6);
}

TEST_F(MenuStates, TheMilitaryMenusSkillListsOpenOnlyWhenTheyCanBeUsed) {
  PlayerTurn(1);
  // Nobody of the nation in battle: no tactic list.
  w.characters.GetAt(1)->SetStateThinking();
  screen.SetMenuState(3);
  Click(Button(1));
  EXPECT_EQ(State(), 3);
  // Every battle state 5..10 counts.
  for (auto set : {&Character::SetStateCombatMoving, &Character::SetStateResting}) {
    (w.characters.GetAt(1)->*set)();
    screen.SetMenuState(3);
    Click(Button(1));
    EXPECT_EQ(State(), 20);
    EXPECT_EQ(screen.GetHoverId(), 99);
    EXPECT_EQ(screen.GetSelectedTactic(), 0);
  }
}

TEST_F(MenuStates, TheInformationViewsStepThroughTheirListsAndRefuseEmptyOnes) {
  PlayerTurn(1);
  screen.SetMenuState(5);
  Click(Button(2));  // nations
  ASSERT_EQ(State(), 58);
  EXPECT_EQ(screen.turn.information_list_length, 3);
  EXPECT_EQ(screen.GetInformationIconState(), 2);
  Click(kBackArrow);
  EXPECT_EQ(screen.turn.information_list_position, 0);
  Click(kForwardArrow);
  EXPECT_EQ(screen.GetInformationIconState(), 0);
  Click(kForwardArrow);
  EXPECT_EQ(screen.turn.information_list_position, 2);
  EXPECT_EQ(screen.GetInformationIconState(), 3);
  Click(kForwardArrow);
  EXPECT_EQ(screen.turn.information_list_position, 2);

  // The lords' list on its second card page: a step goes back to page 1.
  screen.SetMenuState(53);
  Click(Button(3));
  ASSERT_EQ(State(), 57);
  EXPECT_EQ(screen.turn.information_list_length, 2);
  Click(CardTab(2));
  EXPECT_EQ(screen.GetCardPage(), 2);
  Click(kForwardArrow);
  EXPECT_EQ(screen.turn.information_list_position, 1);
  EXPECT_EQ(screen.GetCardPage(), 1);
  Click(CardTab(3));
  Click(kForwardArrow);  // at the last lord: no step, the page stays
  EXPECT_EQ(screen.GetCardPage(), 3);

  // No lords, no unaffiliated characters: their lists do not open.
  for (Character& c : w.characters) c.SetNationId(1);
  screen.SetMenuState(53);
  Click(Button(2));
  EXPECT_EQ(State(), 53);
  Click(Button(3));
  EXPECT_EQ(State(), 53);
  // No divisions: the division list does not open.
  w.divisions.Clear();
  screen.SetMenuState(5);
  Click(Button(3));
  EXPECT_EQ(State(), 5);
}

TEST_F(MenuStates, CharactersByCityShowNothingUntilAMapCityWithItsOwnersCharactersIsClicked) {
  PlayerTurn(1);
  screen.SetMenuState(53);
  Click(Button(1));
  ASSERT_EQ(State(), 55);
  EXPECT_EQ(screen.GetChosenMapCity(), 0);
  EXPECT_EQ(screen.GetInformationIconState(), 6);
  Click(CardTab(2));  // no city chosen: the tabs do nothing
  EXPECT_EQ(screen.GetCardPage(), 1);
  Click(Dot(100, 100));  // city 5 has no owner
  EXPECT_EQ(screen.GetChosenMapCity(), 0);
  Click(Dot(60, 60));  // city 3 is nation 1's, but nobody stays there
  EXPECT_EQ(screen.GetChosenMapCity(), 0);
  Click(Dot(20, 20));  // city 1: the king and character 2
  EXPECT_EQ(screen.GetChosenMapCity(), 1);
  EXPECT_EQ(screen.turn.information_list_length, 2);
  EXPECT_EQ(screen.GetInformationIconState(), 2);
  Click(CardTab(3));
  EXPECT_EQ(screen.GetCardPage(), 3);
  // During the player's turn the page stays when stepping.
  Click(kForwardArrow);
  EXPECT_EQ(screen.turn.information_list_position, 1);
  EXPECT_EQ(screen.GetCardPage(), 3);

  // During a computer nation's turn a step or a new city goes back to page 1.
  PlayerTurn(2, false);
  Click(kBackArrow);
  EXPECT_EQ(screen.turn.information_list_position, 0);
  EXPECT_EQ(screen.GetCardPage(), 1);
  Click(CardTab(2));
  Click(Dot(80, 80));  // city 4 of nation 2 with character 3
  EXPECT_EQ(screen.GetChosenMapCity(), 4);
  EXPECT_EQ(screen.turn.information_list_length, 1);
  EXPECT_EQ(screen.GetInformationIconState(), 6);
  EXPECT_EQ(screen.GetCardPage(), 1);
}

TEST_F(MenuStates, RankingButtonsRankByTheCriterionOfTheirCell) {
  // Stats that give every criterion its own order.
  int seed = 7;
  for (Character& c : w.characters)
    for (int field = 1; field < StatsBlock::kFieldCount; ++field) c.stats.SetField(field, (seed = seed * 37 % 101));
  auto expect_ranked_by = [&](std::int32_t criterion) {
    CharacterList reference = w.characters;
    reference.Rank(criterion);
    for (std::int32_t i = 0; i < w.characters.Count(); ++i)
      EXPECT_EQ(w.characters.GetAt(i)->GetRankingPosition(), reference.GetAt(i)->GetRankingPosition())
          << "criterion " << criterion << " character " << i;
  };
  PlayerTurn(1);
  screen.SetMenuState(6);
  Click(Button(1));
  ASSERT_EQ(State(), 62);
  expect_ranked_by(1);
  Click(Column(7));
  EXPECT_EQ(screen.GetRankingColumn(), 7);
  expect_ranked_by(7);
  Click(Column(8));  // group 1 has seven columns
  EXPECT_EQ(screen.GetRankingColumn(), 7);
  Click(GroupTab(2));
  EXPECT_EQ(screen.GetRankingTableGroup(), 2);
  EXPECT_EQ(screen.GetRankingColumn(), 1);
  expect_ranked_by(11);
  Click(Column(5));  // group 2 has four
  EXPECT_EQ(screen.GetRankingColumn(), 1);
  Click(Column(4));
  expect_ranked_by(14);
  Click(GroupTab(3));
  Click(Column(5));
  expect_ranked_by(25);
  Click(GroupTab(4));
  Click(Column(6));
  expect_ranked_by(36);

  // The division ranking: groups 3 and 4 only.
  for (Division& d : w.divisions) d.SetFame(d.GetId() * 10);
  screen.SetMenuState(6);
  Click(Button(2));
  ASSERT_EQ(State(), 63);
  EXPECT_EQ(screen.GetRankingTableGroup(), 3);
  Click(GroupTab(1));
  Click(GroupTab(2));
  EXPECT_EQ(screen.GetRankingTableGroup(), 3);
  Click(GroupTab(4));
  EXPECT_EQ(screen.GetRankingTableGroup(), 4);
  Click(Column(5));  // group 4 has four columns
  EXPECT_EQ(screen.GetRankingColumn(), 1);
  Click(Column(4));  // fame: division 2 first
  EXPECT_EQ(screen.GetRankingColumn(), 4);
  EXPECT_EQ(w.divisions.GetAt(1)->GetRankingPosition(), 1);
  EXPECT_EQ(w.divisions.GetAt(0)->GetRankingPosition(), 2);
}

TEST_F(MenuStates, OpeningTheDivisionListRecomputesTheDivisionStatistics) {
  // Division 1: popularity 3 of 4 inhabitant units; members 12 and 13 with their chances.
  Division& d = *w.divisions.GetAt(0);
  d.SetPopularity(3);
  Character& a = *w.characters.FindById(12);
  Character& b = *w.characters.FindById(13);
  a.chances = Chances({{ChanceRecord::kAgricultureWeight, 10}, {ChanceRecord::kResourceWeight, 5},
                       {ChanceRecord::kSortieChance, 7}});
  b.chances = Chances({{ChanceRecord::kCommerceWeight, 4}, {ChanceRecord::kPatrolWeight, 9}});
  // 46 characters in all, each with friendship 50 toward division 1, except one at 80.
  while (w.characters.Count() < 46) w.AddCharacter(200 + w.characters.Count(), 2);
  w.characters.GetAt(45)->division_relations.Find(1)->SetFriendship(80);

  PlayerTurn(1);
  screen.SetMenuState(5);
  Click(Button(3));
  ASSERT_EQ(State(), 59);
  EXPECT_EQ(d.GetSupportRate(), 75);
  EXPECT_EQ(d.GetAvgFriendship(), (45 * 50 + 80) / 2);
  EXPECT_EQ(d.GetDomesticTendency(), (10 + 5 + 4) / 2);
  EXPECT_EQ(d.GetSortieTendency(), 7 / 2);
  EXPECT_EQ(d.GetPatrolTendency(), 9 / 2);
  // Division 2 has no members: its tendencies stay 0.
  EXPECT_EQ(w.divisions.GetAt(1)->GetDomesticTendency(), 0);

  // Exactly 44 characters or no inhabitants: nothing is divided by 0.
  while (w.characters.Count() > 44) w.characters.RemoveAt(w.characters.Count() - 1);
  w.inhabitants.Clear();
  screen.SetMenuState(6);
  Click(Button(2));
  ASSERT_EQ(State(), 63);
  EXPECT_EQ(d.GetAvgFriendship(), 0);
  EXPECT_EQ(d.GetSupportRate(), 0);
}

}  // namespace
}  // namespace menu_test
