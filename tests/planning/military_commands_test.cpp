// The military menu's commands: research of tactics and policies with the research points, the
// use of a tactic on every character of the nation in battle and of a policy that came up this
// turn, each once a turn; and every refusal leaving the world as it was.
#include <gtest/gtest.h>

#include <cstdint>

#include "planning/military_commands.h"
#include "tests/planning/menu_fixture.h"

namespace menu_test {
namespace {

class MilitaryCommands : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    BuildStandardWorld(w);
    PlayerTurn(1);
  }
  Nation& Player() { return *w.nations.GetAt(0); }
  std::vector<std::int32_t> TacticIds() {
    std::vector<std::int32_t> ids;
    for (const Tactic& t : Player().tactics) ids.push_back(t.GetId());
    return ids;
  }
  // The nation holds the catalogue tactic at index i.
  void Hold(std::int32_t i) {
    w.tactics.GetAt(i)->Pack();
    Player().tactics.InsertSorted(w.tactics.GetAt(i)->SaveImageBytes());
  }
};

TEST_F(MilitaryCommands, ResearchingATacticSpendsItsCostAndKeepsTheNationsTacticsInIdOrder) {
  screen.SetMenuState(16);
  Click(Button(1));
  ASSERT_EQ(State(), 17);
  EXPECT_EQ(screen.GetResearchListLength(), 3);
  EXPECT_EQ(screen.GetResearchIconState(), 0);
  // The nation holds tactic 1: the list opens on tactic 2 (catalogue index 1).
  EXPECT_EQ(screen.GetSelectedTactic(), 1);
  Click(Row(0));  // held: not selectable
  EXPECT_EQ(screen.GetSelectedTactic(), 1);
  Click(Row(3));  // no fourth row
  EXPECT_EQ(screen.GetSelectedTactic(), 1);
  Click(Row(2));
  EXPECT_EQ(screen.GetSelectedTactic(), 2);

  // Research points exactly the cost of tactic 3 (70) are enough.
  Player().SetResearchPoints(70);
  Click(kDecide);
  EXPECT_EQ(State(), 16);
  EXPECT_EQ(Player().GetResearchPoints(), 0);
  EXPECT_EQ(TacticIds(), (std::vector<std::int32_t>{1, 3}));
  // A copy: the nation's own tactic carries the catalogue's values.
  EXPECT_EQ(Player().tactics.GetAt(1)->GetUsedPoint(), 30);

  // Tactic 2 next, inserted before 3; its cost (60) is not there: refused, nothing changes.
  Click(Button(1));
  ASSERT_EQ(State(), 17);
  EXPECT_EQ(screen.GetSelectedTactic(), 1);
  const auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 17);
  EXPECT_EQ(Snapshot(w), before);
  Player().SetResearchPoints(100);
  Click(kDecide);
  EXPECT_EQ(TacticIds(), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(Player().GetResearchPoints(), 40);

  // Every catalogue tactic held: the list does not open.
  Click(Button(1));
  EXPECT_EQ(State(), 16);
}

TEST_F(MilitaryCommands, ANationHoldsAtMostTenTacticsThroughResearch) {
  for (std::int32_t id = 4; id <= 12; ++id) w.AddTactic(id, 1, 1);
  for (std::int32_t i = 1; i <= 7; ++i) Hold(i);  // 8 tactics
  Hold(8);                                        // 9
  screen.SetMenuState(16);
  Click(Button(1));
  ASSERT_EQ(State(), 17);
  EXPECT_EQ(screen.GetSelectedTactic(), 9);
  Click(kDecide);
  EXPECT_EQ(Player().tactics.GetCount(), 10);
  Click(Button(1));
  EXPECT_EQ(State(), 16);
}

TEST_F(MilitaryCommands, ASixteenEntryCatalogueScrollsByOneRow) {
  for (std::int32_t id = 4; id <= 16; ++id) w.AddTactic(id, 1, 1);
  screen.SetMenuState(16);
  Click(Button(1));
  ASSERT_EQ(State(), 17);
  EXPECT_EQ(screen.GetResearchIconState(), 2);
  Click(kBackArrow);  // at the top
  EXPECT_EQ(screen.GetResearchListOffset(), 0);
  Click(kForwardArrow);
  EXPECT_EQ(screen.GetResearchListOffset(), 1);
  EXPECT_EQ(screen.GetResearchIconState(), 1);
  Click(kForwardArrow);  // the last entry is in the fifteenth row
  EXPECT_EQ(screen.GetResearchListOffset(), 1);
  Click(Row(14));
  EXPECT_EQ(screen.GetSelectedTactic(), 15);
  Click(kBackArrow);
  EXPECT_EQ(screen.GetResearchListOffset(), 0);
  EXPECT_EQ(screen.GetResearchIconState(), 2);

  // Fifteen entries or fewer do not scroll at all.
  w.tactics.RemoveAt(15);
  screen.SetMenuState(16);
  Click(Button(1));
  EXPECT_EQ(screen.GetResearchIconState(), 0);
  Click(kForwardArrow);
  Click(kBackArrow);
  EXPECT_EQ(screen.GetResearchListOffset(), 0);
}

TEST_F(MilitaryCommands, ResearchingAPolicyFollowsTheSameRulesUpToTwentyFivePolicies) {
  screen.SetMenuState(16);
  Click(Button(2));
  ASSERT_EQ(State(), 18);
  EXPECT_EQ(screen.GetSelectedPolicy(), 1);  // policies 1 and 3 are held
  Click(Row(2));
  EXPECT_EQ(screen.GetSelectedPolicy(), 1);
  Click(kDecide);
  EXPECT_EQ(State(), 16);
  EXPECT_EQ(Player().GetResearchPoints(), 1000 - 60);
  ASSERT_EQ(Player().policies.GetCount(), 3);
  EXPECT_EQ(Player().policies.GetAt(1)->GetId(), 2);

  // 25 policies held: the button does nothing.
  for (std::int32_t id = 4; id <= 26; ++id) {
    w.AddPolicy(id, 1, 1, 1);
    w.policies.GetAt(id - 1)->Pack();
    if (Player().policies.GetCount() < 25) Player().policies.InsertSorted(w.policies.GetAt(id - 1)->SaveImageBytes());
  }
  Click(Button(2));
  EXPECT_EQ(State(), 16);
}

TEST_F(MilitaryCommands, ATacticIsPutInForceOnEveryCharacterOfTheNationInBattleOnceATurn) {
  Hold(1);  // tactic 2: 20 points, bonuses 1..6, duration 30
  Character& fighting = *w.characters.FindById(2);
  fighting.stats.SetDexterity(10);
  Character& pursuing = w.AddCharacter(4, 1, 300, 300);
  pursuing.SetStatePursuing();
  Character& waiting = w.AddCharacter(5, 1, 300, 300);  // thinking: not in battle
  Character& enemy = w.AddCharacter(6, 2, 700, 700);
  enemy.SetStateFighting();
  const std::int32_t evasion = fighting.stats.GetEvasion();
  const std::int32_t healing = pursuing.stats.GetHealingPower();
  const StatsBlock waiting_stats = waiting.stats, enemy_stats = enemy.stats;

  screen.SetMenuState(3);
  Click(Button(1));
  ASSERT_EQ(State(), 20);
  Click(Row(2));  // two tactics only
  EXPECT_EQ(screen.GetSelectedTactic(), 0);
  Click(Row(1));
  EXPECT_EQ(screen.GetSelectedTactic(), 1);
  Player().SetTacticsValue(20);  // exactly the cost
  Click(kDecide);
  EXPECT_EQ(State(), 3);
  EXPECT_EQ(Player().GetTacticsValue(), 0);
  EXPECT_EQ(screen.IsTacticUsed(), 1);
  for (Character* c : {&fighting, &pursuing}) {
    EXPECT_TRUE(c->skill_slots.IsTacticActive());
    EXPECT_EQ(c->skill_slots.GetTactic().GetId(), 2);
    EXPECT_EQ(c->skill_slots.GetTacticTimeLeft(), 30);
  }
  EXPECT_EQ(fighting.stats.GetDexterity(), 11);
  EXPECT_EQ(fighting.stats.GetEvasion(), evasion + 2);
  EXPECT_EQ(pursuing.stats.GetHealingPower(), healing + 6);
  EXPECT_FALSE(waiting.skill_slots.IsTacticActive());
  EXPECT_FALSE(enemy.skill_slots.IsTacticActive());
  EXPECT_EQ(waiting.stats.GetDexterity(), waiting_stats.GetDexterity());
  EXPECT_EQ(enemy.stats.GetDexterity(), enemy_stats.GetDexterity());

  // Once a turn: the list does not open again until the game object clears the lock.
  Player().SetTacticsValue(100);
  Click(Button(1));
  EXPECT_EQ(State(), 3);
  screen.ClearOncePerTurnLocks();
  Click(Button(1));
  EXPECT_EQ(State(), 20);
  // Tactic 1 over tactic 2, still in force: tactic 2 ends first and its bonuses come off, so
  // the values carry tactic 1's bonuses only (the same six amounts here).
  Click(kDecide);
  EXPECT_EQ(Player().GetTacticsValue(), 90);
  EXPECT_EQ(fighting.skill_slots.GetTactic().GetId(), 1);
  EXPECT_EQ(fighting.stats.GetDexterity(), 11);
  EXPECT_EQ(pursuing.stats.GetHealingPower(), healing + 6);

  // A doctored tactic's bonus and used points stop at the ends of the int range.
  const Tactic& doctored = w.AddTactic(9, INT32_MIN, 1, 30, {INT32_MAX, 0, 0, 0, 0, 0});
  ASSERT_TRUE(military_commands::UseTactic(Player(), doctored, w.characters));
  EXPECT_EQ(fighting.stats.GetDexterity(), INT32_MAX);
  EXPECT_EQ(Player().GetTacticsValue(), INT32_MAX);
}

TEST_F(MilitaryCommands, ATacticWithoutEnoughPointsIsRefusedAndChangesNothing) {
  screen.SetMenuState(3);
  Click(Button(1));
  ASSERT_EQ(State(), 20);
  Player().SetTacticsValue(9);  // tactic 1 needs 10
  const auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 20);
  EXPECT_EQ(screen.IsTacticUsed(), 0);
  EXPECT_EQ(Snapshot(w), before);
}

TEST_F(MilitaryCommands, OnlyThePoliciesThatCameUpCanBeUsedOnceATurnWhenPointsAndMoneyAllow) {
  // Policies 1 (10 points, 100 money) and 3 (30 points, 300) are held; both came up this turn.
  Player().policies.GetAt(1)->SetAvailable();
  screen.SetMenuState(3);
  Click(Button(2));
  ASSERT_EQ(State(), 21);
  EXPECT_EQ(screen.GetSelectedPolicy(), 0);
  Click(Row(2));
  EXPECT_EQ(screen.GetSelectedPolicy(), 0);
  Click(Row(1));
  EXPECT_EQ(screen.GetSelectedPolicy(), 1);

  // Too few policy points, then too little money: refused, nothing changes.
  Player().SetPolicyValue(29);
  auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 21);
  EXPECT_EQ(Snapshot(w), before);
  Player().SetPolicyValue(30);
  Player().SetFunds(299);
  before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 21);
  EXPECT_EQ(screen.IsPolicyUsed(), 0);
  EXPECT_EQ(Snapshot(w), before);

  // A price equal to the funds can be paid.
  Player().SetFunds(300);
  Click(kDecide);
  EXPECT_EQ(State(), 3);
  EXPECT_EQ(screen.IsPolicyUsed(), 1);
  Click(Button(2));
  EXPECT_EQ(State(), 3);
}

TEST_F(MilitaryCommands, WithNoPolicyThatCameUpTheListIsEmptyAndDecidesNothing) {
  Player().policies.GetAt(0)->ClearAvailable();
  screen.SetMenuState(3);
  Click(Button(2));
  ASSERT_EQ(State(), 21);
  const auto before = Snapshot(w);
  Click(Row(0));
  Click(kDecide);
  EXPECT_EQ(State(), 21);
  EXPECT_EQ(screen.IsPolicyUsed(), 0);
  EXPECT_EQ(Snapshot(w), before);
}

}  // namespace
}  // namespace menu_test
