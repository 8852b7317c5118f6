// A character's level-up: the fixed rises, the thirteen growth bands and the four domestic bands
// marked out by the chance record's weights, the caps, and the order of the draws.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "world/character.h"
#include "world/random.h"

namespace {

using DrawList = std::vector<std::pair<int, int>>;

template <std::size_t... I>
ChanceRecord FromArray(const std::array<int, 44>& a, std::index_sequence<I...>) {
  return ChanceRecord::ConstructFromValues(a[I]...);
}

// A character whose growth weights (fields 19..31) and domestic weights (32..35) are given.
Character WithWeights(int growth, int domestic) {
  std::array<int, 44> v{};
  for (int i = 19; i <= 31; ++i) v[i] = growth;
  for (int i = 32; i <= 35; ++i) v[i] = domestic;
  Character c;
  c.chances = FromArray(v, std::make_index_sequence<44>());
  c.stats.SetExp(100);
  return c;
}

// Scripts Random(n, base) results, in order.
void Script(std::vector<std::pair<int, int>> value_and_base) {
  std::vector<int> raw;
  for (auto [v, base] : value_and_base) raw.push_back(v - base);
  rng::Script(raw);
  rng::StartRecording();
}

DrawList Recorded() {
  DrawList out;
  for (const rng::Draw& d : rng::StopRecording()) out.push_back({d.n, d.base});
  return out;
}

TEST(LevelUp, EachGrowthBandRaisesItsOwnStat) {
  // Weights of 1 make band k the single draw k + 1; 14 lies beyond the last band, where only the
  // level, max HP and max SP rise. The current HP and SP never do.
  struct Band {
    int field;
    int extra_n, extra_base, extra_value;  // the band's own draw, if any (n 0: none)
    int rise;
  };
  const std::array<Band, 14> bands{{
      {StatsBlock::kMaxHp, 3, 5, 6, 6}, {StatsBlock::kMaxSp, 3, 2, 3, 3}, {StatsBlock::kAttack, 0, 0, 0, 1},
      {StatsBlock::kDefence, 0, 0, 0, 1}, {StatsBlock::kDexterity, 0, 0, 0, 1},
      {StatsBlock::kEvasion, 0, 0, 0, 1}, {StatsBlock::kAttackSpeed, 0, 0, 0, 1},
      {StatsBlock::kAttackTechnique, 2, 1, 2, 2}, {StatsBlock::kDefenceTechnique, 2, 1, 1, 1},
      {StatsBlock::kHealingPower, 3, 1, 3, 3}, {StatsBlock::kSpecialAttack, 0, 0, 0, 1},
      {StatsBlock::kSpecialDefence, 0, 0, 0, 1}, {StatsBlock::kCharm, 0, 0, 0, 1}, {-1, 0, 0, 0, 0},
  }};
  for (int k = 0; k < 14; ++k) {
    Character c = WithWeights(1, 0);
    c.stats.SetAttackSpeed(20);
    const StatsBlock before = c.stats;
    std::vector<std::pair<int, int>> script{{5, 5}, {2, 2}, {k + 1, 1}};
    if (bands[k].extra_n) script.push_back({bands[k].extra_value, bands[k].extra_base});
    for (int i = 0; i < 5; ++i) script.push_back({100, 1});
    Script(script);
    c.LevelUp();
    const DrawList drawn = Recorded();
    ASSERT_EQ(drawn.size(), script.size()) << k;
    EXPECT_EQ(drawn[0], (std::pair{3, 5}));
    EXPECT_EQ(drawn[1], (std::pair{3, 2}));
    EXPECT_EQ(drawn[2], (std::pair{100, 1}));
    EXPECT_TRUE(rng::ScriptExhausted()) << k;
    for (int f = 0; f < StatsBlock::kFieldCount; ++f) {
      int expected = before.GetField(f);
      if (f == StatsBlock::kLevel) expected += 1;
      if (f == StatsBlock::kExp) expected = 0;
      if (f == StatsBlock::kMaxHp) expected += 5;
      if (f == StatsBlock::kMaxSp) expected += 2;
      if (f == bands[k].field) expected += bands[k].rise;
      EXPECT_EQ(c.stats.GetField(f), expected) << "band " << k << " field " << f;
    }
  }
}

TEST(LevelUp, CapsAndDomesticBands) {
  // Weights of 10: growth band k holds 10k + 1 .. 10k + 10; domestic band k likewise.
  Character c = WithWeights(10, 10);
  c.stats.SetAttackSpeed(50);
  c.stats.SetAttackTechnique(99);
  c.stats.SetHealingPower(99);
  const StatsBlock before = c.stats;
  Script({{5, 5}, {2, 2},
          {61, 1}, {75, 1}, {2, 1}, {100, 1}, {3, 1},  // attack speed, attack technique + 2, healing + 3
          {10, 1}, {4, 4}, {11, 1}, {5, 4}, {40, 1}, {7, 5}});  // agriculture, commerce, resource
  c.LevelUp();
  EXPECT_TRUE(rng::ScriptExhausted());
  rng::StopRecording();
  EXPECT_EQ(c.stats.GetAttackSpeed(), 50);
  EXPECT_EQ(c.stats.GetAttackTechnique(), 100);
  EXPECT_EQ(c.stats.GetHealingPower(), 100);
  EXPECT_EQ(c.stats.GetAgricultureValue(), before.GetAgricultureValue() + 4);
  EXPECT_EQ(c.stats.GetCommerceValue(), before.GetCommerceValue() + 5);
  EXPECT_EQ(c.stats.GetIndustryValue(), before.GetIndustryValue());
  EXPECT_EQ(c.stats.GetResourceValue(), before.GetResourceValue() + 7);

  // A draw of 41 lies beyond the four domestic bands of width 10.
  Character d = WithWeights(0, 10);
  const StatsBlock d_before = d.stats;
  Script({{5, 5}, {2, 2}, {1, 1}, {1, 1}, {1, 1}, {41, 1}, {41, 1}, {100, 1}});
  d.LevelUp();
  EXPECT_TRUE(rng::ScriptExhausted());
  rng::StopRecording();
  EXPECT_EQ(d.stats.GetAgricultureValue(), d_before.GetAgricultureValue());
  EXPECT_EQ(d.stats.GetResourceValue(), d_before.GetResourceValue());
}

}  // namespace
