// A computer nation's research, policy use and tactic use, draw by draw.
#include <gtest/gtest.h>

#include "planning/military_commands.h"
#include "tests/planning/planning_world.h"

namespace {

using planning_test::Draws;
using planning_test::Drawn;
using planning_test::ExpectScriptUsedUp;
using DrawList = std::vector<std::pair<int, int>>;

class ComputerTurn : public ::testing::Test {
 protected:
  void SetUp() override {
    nation = &w.AddNation(1, 100000);
    w.AddNation(2);
  }
  std::vector<std::int32_t> PolicyIds() const {
    std::vector<std::int32_t> ids;
    for (const Policy& p : nation->policies) ids.push_back(p.GetId());
    return ids;
  }

  planning_test::World w;
  Nation* nation = nullptr;
};

TEST_F(ComputerTurn, TacticResearchOneTimeInTen) {
  nation->SetResearchPoints(1000);
  builtin::AddTactic(nation->tactics, 20);
  const Tactic& entry = *w.tactics.GetAt(4);
  // Draw 90: nothing; 91: the catalogue's fifth tactic joins in id order, for its cost.
  Draws({{4}, {90, 1}, {4}, {91, 1}});
  computer_turn::ResearchTactic(*nation, w.tactics);
  EXPECT_EQ(nation->tactics.Count(), 1);
  computer_turn::ResearchTactic(*nation, w.tactics);
  EXPECT_EQ(Drawn(), (DrawList{{30, 0}, {100, 1}, {30, 0}, {100, 1}}));
  ASSERT_EQ(nation->tactics.Count(), 2);
  EXPECT_EQ(nation->tactics.GetAt(0)->GetId(), entry.GetId());
  EXPECT_EQ(nation->tactics.GetAt(0)->GetDexterityBonus(), entry.GetDexterityBonus());
  EXPECT_EQ(nation->GetResearchPoints(), 1000 - entry.GetResearchCost());

  // Held already, or too dear: nothing.
  nation->SetResearchPoints(w.tactics.GetAt(2)->GetResearchCost() - 1);
  Draws({{4}, {100, 1}, {2}, {100, 1}});
  computer_turn::ResearchTactic(*nation, w.tactics);
  computer_turn::ResearchTactic(*nation, w.tactics);
  ExpectScriptUsedUp();
  EXPECT_EQ(nation->tactics.Count(), 2);
}

TEST_F(ComputerTurn, PolicyResearchByItsThreeHabits) {
  nation->SetResearchPoints(1000);
  // 1..10: draw again until a development policy comes up (ids 1 and 2 are councils).
  Draws({{5, 1}, {30}, {0}, {1}, {8}, {91, 1}});
  computer_turn::ResearchPolicy(*nation, w.policies);
  EXPECT_EQ(Drawn(), (DrawList{{100, 1}, {57, 0}, {57, 0}, {57, 0}, {57, 0}, {100, 1}}));
  EXPECT_EQ(PolicyIds(), (std::vector<std::int32_t>{9}));
  EXPECT_EQ(nation->GetResearchPoints(), 960);

  // 11..60: the lowest level not yet held of the family drawn (2: commerce investment, 13-16).
  builtin::AddPolicy(nation->policies, 13);
  Draws({{11, 1}, {0}, {2, 1}, {95, 1}});
  computer_turn::ResearchPolicy(*nation, w.policies);
  EXPECT_EQ(PolicyIds(), (std::vector<std::int32_t>{9, 13, 14}));
  // The whole family held: any policy at a drawn position.
  builtin::AddPolicy(nation->policies, 15);
  builtin::AddPolicy(nation->policies, 16);
  Draws({{60, 1}, {0}, {2, 1}, {56}, {95, 1}});
  computer_turn::ResearchPolicy(*nation, w.policies);
  EXPECT_EQ(nation->policies.GetAt(nation->policies.Count() - 1)->GetId(), 57);

  // 61..100: the policy at the first position drawn; a second draw of 90 researches nothing.
  Draws({{61, 1}, {53}, {90, 1}, {100, 1}, {53}, {91, 1}});
  computer_turn::ResearchPolicy(*nation, w.policies);
  EXPECT_FALSE(nation->policies.ContainsId(54));
  computer_turn::ResearchPolicy(*nation, w.policies);
  EXPECT_TRUE(nation->policies.ContainsId(54));
  ExpectScriptUsedUp();
}

TEST_F(ComputerTurn, PolicyUseByKind) {
  // Salary bill 100, so thirty bills are 3000.
  w.AddCharacter(1, 1).stats.SetSalaryPerLevel(100);
  nation->SetPolicyValue(1000);
  struct Case {
    std::int32_t policy_id;
    std::int32_t funds;
    int draw;
    bool used;
  };
  const Case cases[] = {
      {9, 3500, 21, true},   // investment: above 20, 3500 - 500 >= 3000
      {9, 3500, 20, false},  // not above 20
      {9, 3499, 99, false},  // the reserve would be touched
      {22, 0, 21, true},     // reinforcement: no test of the funds
      {54, 5000, 11, true},  // research investment: above 10
      {54, 5000, 10, false},
      {43, 3000, 81, true},  // every other kind: above 80
      {43, 3000, 80, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.policy_id * 1000 + c.draw);
    nation->policies.Clear();
    builtin::AddPolicy(nation->policies, c.policy_id);
    nation->SetFunds(c.funds);
    const std::int32_t points = nation->GetPolicyValue();
    Draws({{0}, {c.draw, 1}});
    computer_turn::UsePolicy(w.screen, *nation, w.lists());
    ExpectScriptUsedUp();
    EXPECT_EQ(nation->GetPolicyValue() != points, c.used);
  }
  // Too few policy points: never used.
  nation->policies.Clear();
  builtin::AddPolicy(nation->policies, 43);
  nation->SetPolicyValue(19);
  Draws({{0}, {100, 1}});
  computer_turn::UsePolicy(w.screen, *nation, w.lists());
  EXPECT_EQ(nation->GetPolicyValue(), 19);
  ExpectScriptUsedUp();
}

TEST_F(ComputerTurn, TacticUseNeedsFourCharactersInBattle) {
  builtin::AddTactic(nation->tactics, 1);
  builtin::AddTactic(nation->tactics, 2);
  const Tactic& t = *nation->tactics.GetAt(1);
  nation->SetTacticsValue(t.GetUsedPoint());
  Character* fighters[4];
  for (int i = 0; i < 4; ++i) fighters[i] = &w.AddCharacter(10 + i, 1);
  for (int i = 0; i < 3; ++i) fighters[i]->SetStateFighting();
  Character& resting = w.AddCharacter(20, 1);  // state 0: not in battle
  // Three in battle: nothing whatever the draw.
  Draws({{1}, {100, 1}});
  computer_turn::UseTactic(*nation, w.characters);
  EXPECT_FALSE(fighters[0]->skill_slots.IsTacticActive());

  fighters[3]->SetStateResting();  // state 10 counts as in battle
  // One still has last turn's 怒涛ＬＶ６ in force, its dexterity +4 on it.
  fighters[0]->skill_slots.SetTactic(*w.tactics.FindById(26));
  fighters[0]->skill_slots.SetTacticActive();
  fighters[0]->stats.SetDexterity(50);
  std::vector<StatsBlock> before;
  for (Character* c : fighters) before.push_back(c->stats);
  Draws({{1}, {30, 1}, {1}, {31, 1}});
  computer_turn::UseTactic(*nation, w.characters);
  EXPECT_EQ(nation->GetTacticsValue(), t.GetUsedPoint());
  computer_turn::UseTactic(*nation, w.characters);
  ExpectScriptUsedUp();
  EXPECT_EQ(nation->GetTacticsValue(), 0);
  for (int i = 0; i < 4; ++i) {
    const Character* c = fighters[i];
    EXPECT_TRUE(c->skill_slots.IsTacticActive());
    EXPECT_EQ(c->skill_slots.GetTactic().GetId(), t.GetId());
    EXPECT_EQ(c->skill_slots.GetTacticTimeLeft(), t.GetDuration());
    EXPECT_EQ(c->stats.GetAttackSpeed(), before[i].GetAttackSpeed() + t.GetAttackSpeedBonus());
    EXPECT_EQ(c->stats.GetAttackTechnique(), before[i].GetAttackTechnique() + t.GetAttackTechniqueBonus());
  }
  // The tactic in force ended first: its bonus came off before the new one went on.
  EXPECT_EQ(fighters[0]->stats.GetDexterity(), 50 - 4 + t.GetDexterityBonus());
  EXPECT_FALSE(resting.skill_slots.IsTacticActive());

  // The shared command refuses a tactic dearer than the points left.
  EXPECT_FALSE(military_commands::UseTactic(*nation, *nation->tactics.GetAt(0), w.characters));
}

}  // namespace
