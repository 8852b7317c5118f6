// A computer nation's recruitment: the pools and draws, the money reserve by hiring caution, the
// personnel limit of divisions, and what a newcomer changes.
#include <gtest/gtest.h>

#include <limits>

#include "tests/planning/planning_world.h"

namespace {

using planning_test::Draws;
using planning_test::Drawn;
using planning_test::ExpectScriptUsedUp;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

class Recruitment : public ::testing::Test {
 protected:
  void SetUp() override {
    nation = &w.AddNation(1, 0, false, 0, 0);
    w.AddNation(2);
    w.AddCity(5, 2, 0, 0);
    city = &w.AddCity(1, 1, 100, 200);
    city->SetDefenceStrength(1000);
    // The nation's one servant draws a salary bill of 10.
    Character& servant = w.AddCharacter(1, 1, 100, 200);
    servant.stats.SetSalaryPerLevel(10);
  }
  // A character willing to serve nation 1 costing 100 to hire and 10 a turn.
  Character& Candidate(std::int32_t id, std::int32_t division = 0) {
    Character& c = w.AddCharacter(id, 15, -100, -100, 2, division);
    c.stats.SetLevel(2);
    c.stats.SetHiringCostPerLevel(50);
    c.stats.SetSalaryPerLevel(5);
    w.SetWilling(c, 1);
    w.SetWilling(c, 2);
    return c;
  }
  void Recruit(std::int32_t kind, std::int32_t mode) {
    w.screen.Recruit(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, 0, 0, kind, mode,
                     at_city, idle);
  }

  planning_test::World w;
  Nation* nation = nullptr;
  City* city = nullptr;
  std::int32_t at_city = 1;
  std::int32_t idle = 1;
};

TEST_F(Recruitment, KeepsAReserveOfSalaryBillsByHiringCaution) {
  Character& c = Candidate(10);
  const std::int32_t factors[] = {4, 6, 8};
  for (std::int32_t caution = 0; caution <= 3; ++caution) {
    SCOPED_TRACE(caution);
    w.nations.Clear();
    nation = &w.AddNation(1, 0, false, 0, caution);
    w.AddNation(2);
    const std::int32_t factor = caution <= 2 ? factors[caution] : 1000;
    // Exactly hiring cost + salary + factor x bill is not enough.
    nation->SetFunds(100 + 10 + factor * 10);
    Draws({{0}});
    Recruit(1, 0);
    EXPECT_EQ(c.GetNationId(), 15);
    ExpectScriptUsedUp();
  }
  // One more coin and a cautious nation takes the candidate, with everything that follows.
  w.nations.Clear();
  nation = &w.AddNation(1, 100 + 10 + 8 * 10 + 1, false, 0, 2);
  w.AddNation(2);
  Draws({{0}});
  Recruit(1, 0);
  ExpectScriptUsedUp();
  EXPECT_EQ(c.GetNationId(), 1);
  EXPECT_EQ(nation->GetFunds(), 91);
  EXPECT_EQ(nation->GetMemberCount(), 1);
  Point p;
  EXPECT_EQ(c.GetPosition(p), (Point{100, 200}));
  EXPECT_EQ(c.GetBasePoint(p), (Point{100, 200}));
  EXPECT_EQ(c.GetOrder(), Character::kOrderFree);
  EXPECT_FALSE(c.nation_relations.Find(1)->IsWilling());
  EXPECT_FALSE(c.nation_relations.Find(2)->IsWilling());
  EXPECT_EQ(city->GetDefenceStrength(), 1000 + c.stats.GetCombatPower());
  EXPECT_EQ(at_city, 2);
  EXPECT_EQ(idle, 2);

  // A damaged file's hiring cost at the bottom of the int range leaves the funds at its top.
  Character& odd = Candidate(11);
  odd.stats.SetHiringCostPerLevel(kMin / 2);
  Draws({{0}});
  Recruit(1, 0);
  EXPECT_EQ(odd.GetNationId(), 1);
  EXPECT_EQ(nation->GetFunds(), kMax);

  // A doctored character whose hiring cost and salary are each 2^62 wide costs the top of the int
  // range, more than any treasury holds.
  Character& doctored = Candidate(12);
  doctored.stats.SetLevel(kMin);
  doctored.stats.SetHiringCostPerLevel(kMin);
  doctored.stats.SetSalaryPerLevel(kMin);
  Draws({{0}});
  Recruit(1, 0);
  EXPECT_EQ(doctored.GetNationId(), 15);
}

TEST_F(Recruitment, ChoosesThePoolByCoinAndTheCandidateByKind) {
  nation->SetFunds(100000);
  // Only division members are willing: no coin, the index is drawn, the division id stays.
  Character& member = Candidate(10, 3);
  Draws({{0}});
  Recruit(1, 0);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{1, 0}}));
  EXPECT_EQ(member.GetNationId(), 1);
  EXPECT_EQ(member.GetDivisionId(), 3);

  // Both pools: the coin picks pool 0, then the index among its two.
  Candidate(11);
  Character& second = Candidate(12);
  Candidate(13, 3);
  Draws({{0}, {1}});
  Recruit(1, 0);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{2, 0}, {2, 0}}));
  EXPECT_EQ(second.GetNationId(), 1);

  // Kind 3 takes the strongest willing candidate of the pool, whatever the index drawn.
  Character& strong = Candidate(14);
  strong.stats.SetAttack(500);
  strong.stats.SetDefence(500);
  strong.ComputeCombatPower();
  Draws({{0}, {1}});
  Recruit(3, 0);
  ExpectScriptUsedUp();
  EXPECT_EQ(strong.GetNationId(), 1);

  // A kind out of range takes nobody and draws nothing.
  Draws({});
  Recruit(4, 0);
  Recruit(1, 2);
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(Recruitment, ModeZeroIgnoresThePersonnelLimitModeOneKeepsIt) {
  nation->SetFunds(100000);
  nation->SetPersonnelLimit(3);
  nation->SetMemberCount(3);
  Character& c = Candidate(10);
  Draws({{0}});
  Recruit(1, 0);
  EXPECT_EQ(c.GetNationId(), 1);
  EXPECT_EQ(nation->GetMemberCount(), 4);

  // A division of two: refused while it would pass the limit, taken when it reaches it exactly.
  Division& d = w.AddDivision(3, 20, 2);
  d.SetCombatPower(70);
  w.SetWilling(d, 1);
  Character& a = Candidate(20, 3);
  Character& b = Candidate(21, 3);
  nation->SetPersonnelLimit(5);
  Draws({{0}});
  Recruit(1, 1);
  EXPECT_EQ(a.GetNationId(), 15);
  nation->SetPersonnelLimit(6);
  const std::int32_t defence = city->GetDefenceStrength();
  Draws({{0}});
  Recruit(1, 1);
  ExpectScriptUsedUp();
  EXPECT_EQ(a.GetNationId(), 1);
  EXPECT_EQ(b.GetNationId(), 1);
  EXPECT_EQ(nation->GetMemberCount(), 6);
  EXPECT_EQ(nation->GetFunds(), 100000 - 100 - 200);
  EXPECT_EQ(d.GetNationId(), 1);
  EXPECT_FALSE(d.relations.Find(1)->IsWilling());
  EXPECT_FALSE(d.relations.Find(2)->IsWilling());
  EXPECT_FALSE(a.nation_relations.Find(2)->IsWilling());
  // The division adds its average strength, not its members' sum.
  EXPECT_EQ(city->GetDefenceStrength(), defence + 70);
  EXPECT_EQ(at_city, 1 + 1 + 2);
  EXPECT_EQ(idle, 1 + 1 + 2);

  // A damaged division file: its member count and its member's hiring cost at the bottom of the
  // int range hold the nation's member count and funds at the range's ends.
  nation->SetMemberCount(-1);
  Division& odd = w.AddDivision(4, 22, kMin);
  w.SetWilling(odd, 1);
  Candidate(22, 4).stats.SetHiringCostPerLevel(kMin / 2);
  Draws({{0}});
  Recruit(1, 1);
  EXPECT_EQ(odd.GetNationId(), 1);
  EXPECT_EQ(nation->GetMemberCount(), kMin);
  EXPECT_EQ(nation->GetFunds(), kMax);
  // One that names billions of members but has one: the city counts the one that came.
  Division& vast = w.AddDivision(5, 23, kMax);
  w.SetWilling(vast, 1);
  Candidate(23, 5).stats.SetHiringCostPerLevel(0);
  Draws({{0}});
  Recruit(1, 1);
  EXPECT_EQ(vast.GetNationId(), 1);
  EXPECT_EQ(at_city, 1 + 1 + 2 + 1);
  EXPECT_EQ(idle, 1 + 1 + 2 + 1);
}

TEST_F(Recruitment, DivisionReserveAndRanking) {
  // Two divisions of one member each (cost 100, salary 10); caution 1 keeps 8 bills.
  nation->SetPersonnelLimit(10);
  Division& first = w.AddDivision(3, 20, 1);
  Division& friendly = w.AddDivision(4, 21, 1);
  friendly.relations.Find(1)->SetFriendship(90);
  for (Division* d : {&first, &friendly}) w.SetWilling(*d, 1);
  Character& m1 = Candidate(20, 3);
  Character& m2 = Candidate(21, 4);
  w.nations.Clear();
  nation = &w.AddNation(1, 100 + 10 + 8 * 10, false, 0, 1);
  nation->SetPersonnelLimit(10);
  Draws({{0}});
  Recruit(2, 1);  // kind 2: the friendliest
  EXPECT_EQ(m2.GetNationId(), 15);
  nation->SetFunds(nation->GetFunds() + 1);
  Draws({{0}});
  Recruit(2, 1);
  ExpectScriptUsedUp();
  EXPECT_EQ(m2.GetNationId(), 1);
  EXPECT_EQ(m1.GetNationId(), 15);
  EXPECT_EQ(friendly.GetNationId(), 1);
}

}  // namespace
