// Carrying out policies: each kind's effect, its draws, and the points and price paid.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/planning/planning_world.h"

namespace {

using planning_test::Draws;
using planning_test::Drawn;
using planning_test::ExpectScriptUsedUp;

class PolicyExecution : public ::testing::Test {
 protected:
  void SetUp() override {
    nation = &w.AddNation(1, 10000);
    w.AddNation(2);
    w.AddNation(3);
    nation->SetPolicyValue(200);
  }
  void Execute(std::int32_t policy_id) { Execute(*w.policies.FindById(policy_id)); }
  void Execute(Policy& p) {
    w.screen.ExecutePolicy(*nation, p, w.characters, w.nations, w.cities, w.divisions, w.parties, w.name_pool,
                           w.inhabitants);
  }
  std::int32_t Friendship(const Character& c) { return c.nation_relations.Find(1)->GetFriendship(); }

  planning_test::World w;
  Nation* nation = nullptr;
};

TEST_F(PolicyExecution, PointsAndDevelopmentKindsAddTheWholeAmountAndPay) {
  Draws({});
  nation->SetTacticsValue(5);
  Execute(4);  // 軍議ＬＶ４
  EXPECT_EQ(nation->GetTacticsValue(), 45);
  EXPECT_EQ(nation->GetPolicyValue(), 160);
  EXPECT_EQ(nation->GetFunds(), 10000);

  Execute(10);  // 農業投資ＬＶ２: 3500 for 2000 and 20 points
  Execute(15);  // 商業投資ＬＶ３
  Execute(20);  // 工業投資ＬＶ４ takes the funds below 0: the callers check, not the policy
  EXPECT_EQ(nation->GetAgricultureValue(), 3500);
  EXPECT_EQ(nation->GetCommerceValue(), 8000);
  EXPECT_EQ(nation->GetIndustryValue(), 15000);
  EXPECT_EQ(nation->GetFunds(), 10000 - 2000 - 5000 - 10000);
  EXPECT_EQ(nation->GetPolicyValue(), 160 - 20 - 30 - 40);

  Execute(54);  // 研究投資ＬＶ１
  EXPECT_EQ(nation->GetResearchPoints(), 20);
  EXPECT_EQ(nation->GetResearchBonusFlag(), 20);
  EXPECT_EQ(nation->GetPolicyValue(), 50);
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(PolicyExecution, ADamagedAmountIsHeldInTheIntRange) {
  PolicyList damaged;
  damaged.Add(names::kNone, 98, 1, 0, 0, 0, std::nanf(""), 0, 0, 0, 0);
  damaged.Add(names::kNone, 99, 1, 0, 0, 0, -1e30f, 0, 0, 0, 0);
  nation->SetTacticsValue(0);
  Execute(*damaged.GetAt(0));
  EXPECT_EQ(nation->GetTacticsValue(), 0);
  Execute(*damaged.GetAt(1));
  EXPECT_EQ(nation->GetTacticsValue(), std::numeric_limits<std::int32_t>::min());
  // Once more from there: the sum stays at the end of the range.
  Execute(*damaged.GetAt(1));
  EXPECT_EQ(nation->GetTacticsValue(), std::numeric_limits<std::int32_t>::min());
}

TEST_F(PolicyExecution, ReinforcementActsAtMostMemberCountTimesOnDrawnMembers) {
  nation->SetMemberCount(3);
  for (int i = 0; i < 3; ++i) w.AddCharacter(10 + i, 1).stats.SetAgricultureValue(10 * (i + 1));
  w.AddCharacter(20, 2).stats.SetAgricultureValue(99);  // another nation's
  Draws({{2}, {0}, {2}});
  Execute(22);  // 農業強化ＬＶ２: limit 4, amount 20
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{3, 0}, {3, 0}, {3, 0}}));
  EXPECT_EQ(nation->GetAgricultureValue(), 20 * (30 + 10 + 30));
  EXPECT_EQ(nation->GetFunds(), 10000);
  EXPECT_EQ(nation->GetPolicyValue(), 160);

  // A fractional product is truncated: 1.5 x 3 adds 4.
  PolicyList custom;
  custom.Add(names::kNone, 99, 7, 0, 1, 0, 1.5f, 0, 0, 0, 0);
  w.characters.GetAt(0)->stats.SetCommerceValue(3);
  Draws({{0}});
  Execute(*custom.GetAt(0));
  EXPECT_EQ(nation->GetCommerceValue(), 4);
  ExpectScriptUsedUp();
}

TEST_F(PolicyExecution, RecruitingMakesFreeCharactersAndDivisionsWilling) {
  Character& free = w.AddCharacter(10, 15);
  w.AddCharacter(11, 15, 0, 0, 2, 4);  // in a division: not in the pool
  w.AddCharacter(12, 2);
  Draws({{0}});
  Execute(33);  // 人材募集ＬＶ１, limit 2: acts once, capped by the pool
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{1, 0}}));
  EXPECT_TRUE(free.nation_relations.Find(1)->IsWilling());
  EXPECT_FALSE(free.nation_relations.Find(2)->IsWilling());
  EXPECT_EQ(nation->GetFunds(), 9500);

  Division& hired = w.AddDivision(1, 12, 1, 2);
  Division& open = w.AddDivision(2, 11, 1);
  Draws({{0}});
  Execute(38);  // 師団募集ＬＶ２, limit 2, one free division: one repetition
  EXPECT_EQ(Drawn().size(), 1u);
  EXPECT_TRUE(open.relations.Find(1)->IsWilling());
  EXPECT_FALSE(hired.relations.Find(1)->IsWilling());

  // Every free division already willing: the kind ends without drawing.
  Draws({});
  Execute(38);
  EXPECT_TRUE(Drawn().empty());

  // With two free divisions, the one already willing is drawn past.
  Division& second = w.AddDivision(3, 11, 1);
  Draws({{0}, {0}, {1}});
  Execute(37);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{2, 0}, {2, 0}, {2, 0}}));
  EXPECT_TRUE(second.relations.Find(1)->IsWilling());
  ExpectScriptUsedUp();
}

TEST_F(PolicyExecution, HeavyTaxMovesInhabitantsToOtherNations) {
  w.inhabitants.Append(Inhabitant(1, 1, 1, 0, 0, 0, 0, 0));
  Draws({});
  Execute(39);  // 重税ＬＶ１ with one unit: money only
  EXPECT_EQ(nation->GetFunds(), 15000);
  EXPECT_EQ(w.inhabitants.GetAt(0)->GetAllegiance(), 1);
  EXPECT_TRUE(Drawn().empty());

  w.inhabitants.Append(Inhabitant(2, 1, 1, 0, 0, 0, 0, 0));
  PolicyList custom;
  custom.Add(names::kNone, 99, 12, 0, 1, 0, 100.0f, 0, 0, 0, 0);
  // j = 1; k = 0 is the nation itself and is drawn again; k = 2 is nation 3.
  Draws({{1}, {0}, {2}});
  Execute(*custom.GetAt(0));
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{2, 0}, {3, 0}, {3, 0}}));
  EXPECT_EQ(w.inhabitants.GetAt(1)->GetAllegiance(), 3);
  EXPECT_EQ(nation->GetFunds(), 15100);
}

TEST_F(PolicyExecution, SentimentAndFriendshipStopAt100) {
  w.AddCity(1, 1, 0, 0).SetSentiment(90);
  w.AddCity(2, 1, 100, 0).SetSentiment(40);
  w.AddCity(3, 2, 200, 0).SetSentiment(40);
  Execute(46);  // 治安強化ＬＶ４
  EXPECT_EQ(w.cities.GetAt(0)->GetSentiment(), 100);
  EXPECT_EQ(w.cities.GetAt(1)->GetSentiment(), 60);
  EXPECT_EQ(w.cities.GetAt(2)->GetSentiment(), 40);

  // 自軍宴会ＬＶ１: three guests drawn from the nation's people, each +0..2.
  Character& a = w.AddCharacter(10, 1);
  Character& b = w.AddCharacter(11, 1);
  b.nation_relations.Find(1)->SetFriendship(99);
  Draws({{0}, {2}, {1}, {2}, {1}, {1}});
  Execute(47);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{2, 0}, {3, 0}, {2, 0}, {3, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(Friendship(a), 52);
  EXPECT_EQ(Friendship(b), 100);

  // 無属宴会 and 諸侯宴会 raise the friendship of free characters and lords toward the nation.
  Character& free = w.AddCharacter(12, 15);
  Character& lord = w.AddCharacter(13, 16, 0, 0, 3);
  Draws({{0}, {2}, {0}, {2}, {0}, {2}});
  Execute(49);
  Draws({{0}, {1}, {0}, {1}, {0}, {1}});
  Execute(51);
  EXPECT_EQ(Friendship(free), 56);
  EXPECT_EQ(Friendship(lord), 53);
  ExpectScriptUsedUp();
}

TEST_F(PolicyExecution, DivisionBanquetSkipsDivisionsLedByKings) {
  w.characters.Add(names::kNone, 0, 0, 0, 11, 0, 0, 2, 1, 0, 0, 0, 0, 0, 0);  // role 0: a king
  Character& leader = w.AddCharacter(12, 15, 0, 0, 2, 2);
  Character& member = w.AddCharacter(13, 15, 0, 0, 2, 2);
  w.AddDivision(1, 11, 2);
  w.AddDivision(2, 12, 2);
  Draws({{1, 1}, {2, 1}, {2}, {0}});
  Execute(53);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{2, 1}, {2, 1}, {3, 0}, {3, 0}}));
  EXPECT_EQ(Friendship(leader), 52);
  EXPECT_EQ(Friendship(member), 50);
  EXPECT_EQ(nation->GetFunds(), 8000);
  ExpectScriptUsedUp();
}

}  // namespace
