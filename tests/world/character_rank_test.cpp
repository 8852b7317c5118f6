// The character ranking against the game's exchange sort written out once more, its criteria,
// and the leader pick with scripted draws.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "tests/world/character_test_util.h"
#include "world/character_list.h"
#include "world/random.h"

using test_chars::AddAt;
using test_chars::MakeSkill;

namespace {

// Positions and shared ranks by the exchange sort of the rules: for i, for j > i, exchange when
// value(i) < value(j).
void ReferenceRanking(const std::vector<int>& values, std::vector<int>& position, std::vector<int>& rank) {
  const int n = static_cast<int>(values.size());
  std::vector<std::pair<int, int>> t;  // {value, index}
  for (int i = 0; i < n; ++i) t.push_back({values[i], i});
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (t[i].first < t[j].first) std::swap(t[i], t[j]);
  position.assign(n, 0);
  rank.assign(n, 0);
  int r = 1;
  for (int p = 0; p < n; ++p) {
    if (p > 0 && t[p].first != t[p - 1].first) r = p + 1;
    position[t[p].second] = p + 1;
    rank[t[p].second] = r;
  }
}

CharacterList WithFames(const std::vector<int>& fames) {
  CharacterList list;
  for (int f : fames) AddAt(list, 0, 0, 1).stats.SetFame(f);
  return list;
}

}  // namespace

TEST(CharacterRank, MatchesTheExchangeSortWithManyTies) {
  std::mt19937 gen(3);
  for (int round = 0; round < 200; ++round) {
    const int n = round == 0 ? 1500 : static_cast<int>(gen() % 60);
    CharacterList list;
    std::vector<int> values;
    for (int i = 0; i < n; ++i) {
      values.push_back(static_cast<int>(gen() % (round % 3 == 0 ? 3 : 12)) - 1);
      AddAt(list, 0, 0, 1).stats.SetLevel(values.back());
    }
    list.Rank(31);
    std::vector<int> position, rank;
    ReferenceRanking(values, position, rank);
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(list.GetAt(i)->GetRankingPosition(), position[i]) << "round " << round << " index " << i;
      ASSERT_EQ(list.GetAt(i)->GetSharedRank(), rank[i]);
      ASSERT_EQ(list.FindByRankingPosition(position[i]), list.GetAt(i));
    }
    EXPECT_EQ(list.FindByRankingPosition(n + 1), nullptr);
  }
}

TEST(CharacterRank, SmallCasesOfTheRules) {
  // 5, 8, 8, 10: the sort carries the first 8 past the second, so the later 8 takes position 2.
  CharacterList list = WithFames({5, 8, 8, 10});
  list.Rank(32);
  const int positions[] = {4, 3, 2, 1}, ranks[] = {4, 2, 2, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list.GetAt(i)->GetRankingPosition(), positions[i]) << i;
    EXPECT_EQ(list.GetAt(i)->GetSharedRank(), ranks[i]) << i;
  }
  // 10, 8, 8, 5 in list order: positions 1, 2, 3, 4 and shared ranks 1, 2, 2, 4.
  CharacterList plain = WithFames({10, 8, 8, 5});
  plain.Rank(32);
  const int plain_ranks[] = {1, 2, 2, 4};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(plain.GetAt(i)->GetRankingPosition(), i + 1);
    EXPECT_EQ(plain.GetAt(i)->GetSharedRank(), plain_ranks[i]);
  }

  CharacterList sevens = WithFames({7, 7, 7});
  sevens.Rank(32);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(sevens.GetAt(i)->GetRankingPosition(), i + 1);
    EXPECT_EQ(sevens.GetAt(i)->GetSharedRank(), 1);
  }
  CharacterList empty;
  empty.Rank(32);
  EXPECT_EQ(empty.FindByRankingPosition(1), nullptr);
}

TEST(CharacterRank, EachCriterionReadsItsValue) {
  const std::pair<int, int> criteria[] = {
      {1, StatsBlock::kMaxHp},           {2, StatsBlock::kMaxSp},           {3, StatsBlock::kAttack},
      {4, StatsBlock::kDefence},         {5, StatsBlock::kDexterity},       {6, StatsBlock::kEvasion},
      {7, StatsBlock::kAttackSpeed},     {11, StatsBlock::kAgricultureValue}, {12, StatsBlock::kCommerceValue},
      {13, StatsBlock::kIndustryValue},  {14, StatsBlock::kResourceValue},  {21, StatsBlock::kHitRate},
      {22, StatsBlock::kEvasionRate},    {23, StatsBlock::kCriticalRate},   {24, StatsBlock::kDefenceRate},
      {25, StatsBlock::kWinRate},        {31, StatsBlock::kLevel},          {32, StatsBlock::kFame},
      {33, StatsBlock::kCombatPower},    {34, StatsBlock::kDomesticPower},  {35, StatsBlock::kKillCount},
      {36, StatsBlock::kPopularity},     {41, StatsBlock::kCharm}};
  for (auto [code, field] : criteria) {
    CharacterList list;
    for (int i = 0; i < 4; ++i) {
      Character& c = AddAt(list, 0, 0, 1);
      for (int f = 1; f < StatsBlock::kFieldCount; ++f) c.stats.SetField(f, 50);
      c.stats.SetField(field, 10 * i);  // later characters rank higher
    }
    list.Rank(code);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.GetAt(i)->GetRankingPosition(), 4 - i) << "criterion " << code;
  }
  // Dexterity is ranked without the boost in force.
  CharacterList list;
  for (int i = 0; i < 2; ++i) AddAt(list, 0, 0, 1).stats.SetDexterity(20);
  Character& boosted = *list.GetAt(1);
  boosted.stats.SetDexterity(25);
  boosted.skill_slots.SetSelfBoostSkill(MakeSkill(3, 6, 0, 0));
  boosted.skill_slots.SetSelfBoostActive();
  list.Rank(5);
  EXPECT_EQ(list.GetAt(0)->GetRankingPosition(), 1);
  EXPECT_EQ(boosted.GetRankingPosition(), 2);
}

TEST(PickLeader, SingleMostFamousAndTheEightyPercentRule) {
  // Fames 50, 40, 30, 20, 10 scattered through the list; the list's first holds 10.
  CharacterList list = WithFames({10, 50, 0, 30, 40, 20});
  for (auto [raw_r, expect_index] : {std::pair{79, 1}, std::pair{80, 4}, std::pair{99, 4}}) {
    rng::Script({5, raw_r});  // Random(1, 1) = 1, then r = raw + 1
    rng::StartRecording();
    EXPECT_EQ(list.PickLeader(), list.GetAt(expect_index)) << "r " << raw_r + 1;
    auto draws = rng::StopRecording();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].n, 1);
    EXPECT_EQ(draws[0].base, 1);
    EXPECT_EQ(draws[1].n, 100);
    EXPECT_EQ(draws[1].base, 1);
  }
}

TEST(PickLeader, RunnersUpAndTiesCountEveryEqualPair) {
  // 50, 40, 40, 30, 20: one tie among the runners-up, count 2; the earlier 40 is entry 1.
  CharacterList list = WithFames({40, 20, 50, 30, 40});
  rng::Script({0, 90});
  EXPECT_EQ(list.PickLeader(), list.GetAt(0));
  rng::Script({1, 90});
  EXPECT_EQ(list.PickLeader(), list.GetAt(4));
  rng::Script({1, 10});
  EXPECT_EQ(list.PickLeader(), list.GetAt(2));

  // 50, 40, 40, 20, 20: both pairs count (3), so a 20 can be picked.
  CharacterList pairs = WithFames({50, 40, 40, 20, 20});
  rng::StartRecording();
  rng::Script({2, 90});
  EXPECT_EQ(pairs.PickLeader(), pairs.GetAt(3));
  auto draws = rng::StopRecording();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].n, 3);

  // 50, 50, 30, 20, 10: the two most famous at even odds, one draw, no 80 % rule.
  CharacterList top = WithFames({30, 50, 10, 50, 20});
  for (auto [raw, expect_index] : {std::pair{0, 1}, std::pair{1, 3}}) {
    rng::StartRecording();
    rng::Script({raw});
    EXPECT_EQ(top.PickLeader(), top.GetAt(expect_index));
    auto d = rng::StopRecording();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].n, 2);
    EXPECT_EQ(d[0].base, 0);
  }
}

TEST(PickLeader, FewerThanFiveFamousGivesTheEndForAnEmptyPick) {
  // 30 and 20, then three empty entries of fame 0: count 1 + (0 = 0) + (0 = 0) = 3.
  CharacterList list = WithFames({0, 20, 30, 0});
  rng::StartRecording();
  rng::Script({2, 90});  // entry 3 holds nobody, r = 91 keeps it
  EXPECT_EQ(list.PickLeader(), nullptr);
  auto draws = rng::StopRecording();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].n, 3);
  rng::Script({2, 10});  // r = 11: the most famous after all
  EXPECT_EQ(list.PickLeader(), list.GetAt(2));
  rng::Script({0, 90});
  EXPECT_EQ(list.PickLeader(), list.GetAt(1));

  // Nobody famous, or nobody at all: five empty entries tie, Random(5, 0), always the end.
  CharacterList nobody = WithFames({0, 0});
  CharacterList empty;
  for (int raw = 0; raw < 5; ++raw) {
    rng::Script({raw});
    EXPECT_EQ(nobody.PickLeader(), nullptr);
    rng::Script({raw});
    EXPECT_EQ(empty.PickLeader(), nullptr);
  }
  EXPECT_TRUE(rng::ScriptExhausted());
}
