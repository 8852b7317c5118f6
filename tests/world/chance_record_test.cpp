// A character's 44 tendencies: accessors, the image block, the militia draws and the shuffle of
// the action weights.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <numeric>
#include <vector>

#include "data_folder.h"
#include "world/chance_record.h"
#include "world/codec.h"
#include "world/random.h"

namespace {

#define CG(n, name) {n, [](const ChanceRecord& r) { return r.Get##name(); }}
const std::vector<std::pair<int, std::function<std::int32_t(const ChanceRecord&)>>> kGetters = {
    CG(0, StrategyWeight), CG(1, PolicyWeight), CG(2, AgricultureWeight), CG(3, CommerceWeight),
    CG(4, IndustryWeight), CG(5, ResourceWeight), CG(6, TechnologyWeight), CG(7, SearchWeight),
    CG(8, TransferChance), CG(9, SortieChance), CG(10, PlanningWeight), CG(11, RestWeight),
    CG(12, PatrolWeight), CG(13, BuildWeight), CG(14, TrainingWeight), CG(15, MisdeedWeight),
    CG(16, Reserved16), CG(17, SocialWeight), CG(18, StudyWeight), CG(19, MaxHpGrowth),
    CG(20, MaxSpGrowth), CG(21, AttackGrowth), CG(22, DefenceGrowth), CG(23, DexterityGrowth),
    CG(24, EvasionGrowth), CG(25, AttackSpeedGrowth), CG(26, AttackTechniqueGrowth),
    CG(27, DefenceTechniqueGrowth), CG(28, HealingPowerGrowth), CG(29, SpecialAttackGrowth),
    CG(30, SpecialDefenceGrowth), CG(31, CharmGrowth), CG(32, AgricultureGrowth),
    CG(33, CommerceGrowth), CG(34, IndustryGrowth), CG(35, ResourceGrowth),
    CG(36, SelfBoostThreshold), CG(37, AllyBoostThreshold), CG(38, WeakenThreshold),
    CG(39, CureThreshold), CG(40, AilmentThreshold), CG(41, HealThreshold),
    CG(42, RepositionThreshold), CG(43, DuelAcceptThreshold),
};

#define CS(n, name) {n, [](ChanceRecord& r, std::int32_t v) { r.Set##name(v); }}
const std::vector<std::pair<int, std::function<void(ChanceRecord&, std::int32_t)>>> kSetters = {
    CS(0, StrategyWeight), CS(1, PolicyWeight), CS(2, AgricultureWeight), CS(3, CommerceWeight),
    CS(4, IndustryWeight), CS(5, ResourceWeight), CS(6, TechnologyWeight), CS(7, SearchWeight),
    CS(8, TransferChance), CS(9, SortieChance), CS(10, PlanningWeight), CS(11, RestWeight),
    CS(12, PatrolWeight), CS(13, BuildWeight), CS(14, TrainingWeight), CS(15, MisdeedWeight),
    CS(17, SocialWeight), CS(18, StudyWeight), CS(19, MaxHpGrowth), CS(20, MaxSpGrowth),
    CS(21, AttackGrowth), CS(22, DefenceGrowth), CS(23, DexterityGrowth), CS(24, EvasionGrowth),
    CS(25, AttackSpeedGrowth), CS(26, AttackTechniqueGrowth), CS(27, DefenceTechniqueGrowth),
    CS(28, HealingPowerGrowth), CS(31, CharmGrowth), CS(32, AgricultureGrowth),
    CS(33, CommerceGrowth), CS(34, IndustryGrowth), CS(35, ResourceGrowth),
};

// The sixteen order weights: fields 0..7, 10..15, 17, 18.
std::int32_t OrderWeightSum(const ChanceRecord& r) {
  std::int32_t sum = 0;
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 17, 18}) sum += r.GetField(i);
  return sum;
}

std::int32_t GrowthSum(const ChanceRecord& r) {
  std::int32_t sum = 0;
  for (int i = 19; i <= 31; ++i) sum += r.GetField(i);
  return sum;
}

// The ten weights that the shuffle moves: agriculture .. search, rest, patrol, training, social.
constexpr int kShuffled[10] = {2, 3, 4, 5, 6, 7, 11, 12, 14, 17};

}  // namespace

TEST(ChanceRecord, FromValuesAccessorsAndTheImageBlock) {
  DataFolder folder;
  ChanceRecord r = ChanceRecord::ConstructFromValues(
      100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117,
      118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135,
      136, 137, 138, 139, 140, 141, 142, -143);
  for (auto& [field, get] : kGetters)
    EXPECT_EQ(get(r), field == 43 ? -143 : 100 + field) << "field " << field;

  for (auto& [field, set] : kSetters) {
    ChanceRecord s;
    set(s, 55);
    for (int i = 0; i < ChanceRecord::kFieldCount; ++i)
      EXPECT_EQ(s.GetField(i), i == field ? 55 : 0) << "setter of " << field;
  }

  std::uint8_t image[ChanceRecord::kImageSize];
  r.WriteImage(image);
  for (int i = 0; i < 43; ++i) EXPECT_EQ(codec::GetI32(image, 4 * static_cast<std::size_t>(i)), 100 + i);
  EXPECT_EQ(codec::GetI32(image, 172), -143);

  std::uint8_t back[ChanceRecord::kImageSize];
  ASSERT_NO_FATAL_FAILURE(DataFolder::ThroughRecordFile("c", image, sizeof image, back));
  ChanceRecord loaded;
  loaded.ReadImage(back);
  EXPECT_EQ(loaded, r);

  ChanceRecord copy;
  copy.CopyFrom(r);
  EXPECT_EQ(copy, r);
  EXPECT_EQ(copy.GetReserved16(), 116);
}

namespace {

struct MilitiaCase {
  int type;
  std::vector<int> script;
  ChanceRecord expected;
};

// Repeats `raw` n times.
void Push(std::vector<int>& s, int n, int raw) { s.insert(s.end(), static_cast<std::size_t>(n), raw); }
// n raw values cycling 0, 1, .. period - 1.
void Cycle(std::vector<int>& s, int n, int period) {
  for (int i = 0; i < n; ++i) s.push_back(i % period);
}

std::vector<MilitiaCase> MilitiaCases() {
  std::vector<MilitiaCase> cases;
  {
    // Type 1. Sortie 5 % 30 + 71 = 76, transfer 8. 39 extra points cycling k = 1..15: the first
    // nine order targets get 3, the other six 2. T from r 30 = 88, less 1 + 2 + 1 + 9 + 0 and 60
    // leaves 15 points cycling over the six abilities (3, 3, 3, 2, 2, 2). D from r 41 = 40:
    // 10 agriculture, 15 commerce, 5 industry, 10 resource. Thresholds 1, 11, .. 61; duel 100.
    std::vector<int> s = {5, 7};
    Cycle(s, 39, 15);
    s.push_back(29);
    for (int v : {1, 2, 1, 9, 0}) s.push_back(v);
    Cycle(s, 15, 6);
    s.push_back(40);
    Push(s, 10, 0);
    Push(s, 15, 1);
    Push(s, 5, 2);
    Push(s, 10, 3);
    for (int v : {0, 10, 20, 30, 40, 50, 60, 39}) s.push_back(v);
    cases.push_back({1, s,
                     ChanceRecord::ConstructFromValues(
                         // strategy, policy, agriculture, commerce, industry, resource, technology, search
                         3, 3, 8, 8, 8, 8, 8, 7,
                         // transfer, sortie, planning, rest, patrol, build, training, misdeed
                         8, 76, 1, 3, 12, 6, 9, 2,
                         // reserved, social, study
                         0, 12, 2,
                         // growth: max HP .. evasion, speed, techniques, healing, specials, charm
                         18, 9, 28, 6, 8, 6, 1, 2, 1, 9, 0, 0, 0,
                         // domestic growth
                         10, 15, 5, 10,
                         // thresholds, duel acceptance
                         1, 11, 21, 31, 41, 51, 61, 100)});
  }
  {
    // Type 4. Sortie 60 % 50 + 21 = 31, transfer 25 % 20 + 1 = 6; every extra point to study.
    // T from r 7 = 84 (types 4 and 5), no random growth, 24 points to attack. D from r 5 = 92,
    // all to resource. Thresholds 100; duel 61.
    std::vector<int> s = {60, 25};
    Push(s, 39, 14);
    s.push_back(6);
    Push(s, 5, 0);
    Push(s, 24, 2);
    s.push_back(4);
    Push(s, 92, 3);
    Push(s, 7, 99);
    s.push_back(0);
    cases.push_back({4, s,
                     ChanceRecord::ConstructFromValues(0, 0, 13, 13, 13, 0, 0, 0, 6, 31, 1, 0, 5, 4, 4,
                                                       0, 0, 8, 39, 12, 10, 48, 4, 6, 4, 0, 0, 0,
                                                       0, 0, 0, 0, 0, 0, 0, 92, 100, 100, 100, 100,
                                                       100, 100, 100, 61)});
  }
  {
    // Type 6. Sortie 14 % 15 + 86 = 100, transfer 20; every extra point to rest. T from r 4 =
    // 100 (type 6), less 1 + 2 + 2 + 9 + 1 and 60 leaves 25 points to evasion. D from r 7 = 80,
    // all to commerce. Thresholds 1..7; duel 81.
    std::vector<int> s = {14, 19};
    Push(s, 39, 8);
    s.push_back(3);
    for (int v : {1, 2, 2, 9, 1}) s.push_back(v);
    Push(s, 25, 5);
    s.push_back(6);
    Push(s, 80, 1);
    for (int v : {0, 1, 2, 3, 4, 5, 6, 20}) s.push_back(v);
    cases.push_back({6, s,
                     ChanceRecord::ConstructFromValues(0, 0, 6, 6, 6, 5, 2, 4, 20, 100, 1, 39, 15, 4,
                                                       2, 0, 0, 10, 0, 13, 4, 26, 5, 7, 30, 1, 2,
                                                       2, 9, 0, 0, 1, 0, 80, 0, 0, 1, 2, 3, 4, 5,
                                                       6, 7, 81)});
  }
  {
    // Type 10. Sortie 69 % 70 + 31 = 100, transfer 1. 99 extra points cycling: the first nine
    // targets get 7, the other six 6. T from r 1 = 100, less 15 and only 10: 75 points cycling
    // over the six abilities (13, 13, 13, 12, 12, 12) on top of 10, 0, 20, 0, 2, 0 - the growth
    // weights sum to 122 = T + 22. D from r 100 = 40, all to agriculture. Thresholds 1; duel 100.
    std::vector<int> s = {69, 0};
    Cycle(s, 99, 15);
    s.push_back(0);
    for (int v : {1, 2, 2, 9, 1}) s.push_back(v);
    Cycle(s, 75, 6);
    s.push_back(99);
    Push(s, 40, 0);
    Push(s, 7, 0);
    s.push_back(39);
    cases.push_back({10, s,
                     ChanceRecord::ConstructFromValues(7, 7, 7, 7, 7, 7, 7, 7, 1, 100, 1, 7, 6, 6, 6,
                                                       6, 0, 6, 6, 23, 13, 33, 12, 14, 12, 1, 2, 2,
                                                       9, 0, 0, 1, 40, 0, 0, 0, 1, 1, 1, 1, 1, 1,
                                                       1, 100)});
  }
  return cases;
}

}  // namespace

TEST(ChanceRecord, MilitiaFromScriptedSequences) {
  for (const MilitiaCase& c : MilitiaCases()) {
    rng::Script(c.script);
    rng::StartRecording();
    ChanceRecord r;
    r.InitMilitia(c.type);
    auto draws = rng::StopRecording();
    EXPECT_TRUE(rng::ScriptExhausted()) << "type " << c.type;
    ASSERT_EQ(draws.size(), c.script.size()) << "type " << c.type;
    for (int i = 0; i < ChanceRecord::kFieldCount; ++i)
      EXPECT_EQ(r.GetField(i), c.expected.GetField(i)) << "type " << c.type << " field " << i;
    EXPECT_EQ(OrderWeightSum(r), 100) << "type " << c.type;
    // The sortie chance is drawn first, then the transfer chance.
    const int sortie_n = c.type == 1 ? 30 : c.type == 4 ? 50 : c.type == 6 ? 15 : 70;
    EXPECT_EQ(draws[0].n, sortie_n) << "type " << c.type;
    EXPECT_EQ(draws[0].base + draws[0].n - 1, c.type == 4 ? 70 : 100) << "type " << c.type;
    EXPECT_EQ(draws[1].base, 1);
    EXPECT_EQ(draws[1].n, c.type >= 4 && c.type <= 6 ? 20 : 40);
  }
}

TEST(ChanceRecord, MilitiaOverManySeeds) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    rng::Srand(seed * 7919);
    for (int type = 1; type <= 10; ++type) {
      ChanceRecord r;
      r.InitMilitia(type);
      ASSERT_EQ(OrderWeightSum(r), 100) << "type " << type;
      ASSERT_EQ(r.GetReserved16(), 0);
      ASSERT_EQ(r.GetSpecialAttackGrowth(), 0);
      ASSERT_EQ(r.GetSpecialDefenceGrowth(), 0);
      for (int i = 36; i <= 42; ++i) {
        ASSERT_GE(r.GetField(i), 1);
        ASSERT_LE(r.GetField(i), 100);
      }
      ASSERT_GE(r.GetDuelAcceptThreshold(), 61);
      ASSERT_LE(r.GetDuelAcceptThreshold(), 100);
      ASSERT_GE(r.GetTransferChance(), 1);
      ASSERT_LE(r.GetSortieChance(), 100);
      // Growth sums to T for types 1 to 9, to T + 22 for type 10; T lies in its table.
      std::int32_t growth = GrowthSum(r);
      if (type == 10) {
        ASSERT_GE(growth - 22, 86);
        ASSERT_LE(growth - 22, 100);
      } else if (type == 4 || type == 5) {
        ASSERT_TRUE(growth == 80 || growth == 84 || growth == 88) << growth;
      } else if (type == 6) {
        ASSERT_GE(growth, 94);
        ASSERT_LE(growth, 100);
      } else {
        ASSERT_GE(growth, 86);
        ASSERT_LE(growth, 100);
      }
      std::int32_t domestic = r.GetAgricultureGrowth() + r.GetCommerceGrowth() +
                              r.GetIndustryGrowth() + r.GetResourceGrowth();
      ASSERT_GE(domestic, 40);
      ASSERT_LE(domestic, 96);
    }
  }
}

TEST(ChanceRecord, ShuffleFromAScriptedSequence) {
  ChanceRecord r = ChanceRecord::ConstructFromValues(
      7, 8, 0, 3, 1, 0, 2, 0, 40, 50, 9, 5, 0, 11, 1, 12, 0, 0, 13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
      11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25);
  // Commerce, industry, technology, rest and training give a point each; the five points go to
  // k = 1 (agriculture), 10 (social), 10 (social), 5 (technology), 2 (commerce).
  rng::Script({0, 9, 19, 4, 1});
  r.ShuffleActionWeights();
  EXPECT_TRUE(rng::ScriptExhausted());
  ChanceRecord expected = ChanceRecord::ConstructFromValues(
      7, 8, 1, 3, 0, 0, 2, 0, 40, 50, 9, 4, 0, 11, 0, 12, 0, 2, 13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
      11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25);
  EXPECT_EQ(r, expected);

  // All ten at 0: nothing moves and nothing is drawn.
  ChanceRecord zero;
  rng::StartRecording();
  zero.ShuffleActionWeights();
  EXPECT_TRUE(rng::StopRecording().empty());
  EXPECT_EQ(zero, ChanceRecord());

  // A damaged file's weight at the top of the int range stays there when both points go to it.
  ChanceRecord top;
  top.SetAgricultureWeight(std::numeric_limits<std::int32_t>::max());
  top.SetCommerceWeight(1);
  rng::Script({0, 0});
  top.ShuffleActionWeights();
  EXPECT_EQ(top.GetField(2), std::numeric_limits<std::int32_t>::max());
}

TEST(ChanceRecord, ShuffleKeepsTheSumAndTheOtherWeights) {
  rng::Srand(99);
  for (int trial = 0; trial < 2000; ++trial) {
    ChanceRecord r;
    r.InitMilitia(trial % 10 + 1);
    std::int32_t before_sum = 0;
    for (int f : kShuffled) before_sum += r.GetField(f);
    ChanceRecord before = r;
    r.ShuffleActionWeights();
    std::int32_t after_sum = 0;
    for (int f : kShuffled) {
      after_sum += r.GetField(f);
      ASSERT_GE(r.GetField(f), 0);
    }
    ASSERT_EQ(after_sum, before_sum);
    for (int i = 0; i < ChanceRecord::kFieldCount; ++i) {
      if (std::find(std::begin(kShuffled), std::end(kShuffled), i) != std::end(kShuffled)) continue;
      ASSERT_EQ(r.GetField(i), before.GetField(i)) << "field " << i;
    }
  }
}

TEST(ChanceRecord, MilitiaTypeOutsideTheTableChangesNothing) {
  for (int type : {0, 11, 1000}) {
    rng::StartRecording();
    ChanceRecord r;
    r.InitMilitia(type);
    EXPECT_TRUE(rng::StopRecording().empty());
    EXPECT_EQ(r, ChanceRecord());
  }
}
