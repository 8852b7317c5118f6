#include "world/chance_record.h"

#include <algorithm>

#include "world/codec.h"
#include "world/random.h"

namespace {

using F = ChanceRecord::Field;

// Fixed order weights of a militia by type 1..10, in the order strategy, policy, technology,
// agriculture, commerce, industry, resource, search, rest, patrol, build, training, misdeed,
// social, study.
constexpr F kFixedOrder[15] = {
    F::kStrategyWeight, F::kPolicyWeight,    F::kTechnologyWeight, F::kAgricultureWeight,
    F::kCommerceWeight, F::kIndustryWeight,  F::kResourceWeight,   F::kSearchWeight,
    F::kRestWeight,     F::kPatrolWeight,    F::kBuildWeight,      F::kTrainingWeight,
    F::kMisdeedWeight,  F::kSocialWeight,    F::kStudyWeight,
};
constexpr std::int32_t kFixedWeights[10][15] = {
    {0, 0, 5, 5, 5, 5, 5, 4, 0, 10, 4, 7, 0, 10, 0},
    {0, 0, 0, 5, 5, 5, 0, 0, 0, 25, 4, 6, 0, 10, 0},
    {0, 0, 0, 5, 5, 5, 0, 0, 0, 30, 4, 6, 0, 5, 0},
    {0, 0, 0, 13, 13, 13, 0, 0, 0, 5, 4, 4, 0, 8, 0},
    {0, 0, 2, 11, 11, 11, 0, 4, 0, 5, 4, 4, 0, 8, 0},
    {0, 0, 2, 6, 6, 6, 5, 4, 0, 15, 4, 2, 0, 10, 0},
    {0, 0, 0, 5, 5, 5, 5, 5, 0, 15, 6, 7, 0, 7, 0},
    {0, 0, 0, 4, 4, 4, 4, 0, 0, 20, 6, 8, 0, 10, 0},
    {2, 2, 4, 2, 2, 2, 10, 4, 0, 10, 4, 8, 0, 10, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

// The sortie chance's draw (n, base) and the transfer chance's draw by type.
constexpr int kSortieDraw[10][2] = {{30, 71}, {25, 76}, {5, 96},  {50, 21}, {50, 21},
                                    {15, 86}, {20, 81}, {25, 76}, {30, 71}, {70, 31}};
constexpr int kTransferDraw[10] = {40, 40, 40, 20, 20, 20, 40, 40, 40, 40};

// Where an extra order point goes, by k = 1..15.
constexpr F kExtraOrderTarget[15] = {
    F::kStrategyWeight, F::kPolicyWeight,     F::kAgricultureWeight, F::kCommerceWeight,
    F::kIndustryWeight, F::kResourceWeight,   F::kTechnologyWeight,  F::kSearchWeight,
    F::kRestWeight,     F::kPatrolWeight,     F::kBuildWeight,       F::kTrainingWeight,
    F::kMisdeedWeight,  F::kSocialWeight,     F::kStudyWeight,
};

// Fixed growth weights (max HP, max SP, attack, defence, dexterity, evasion) by type.
constexpr std::int32_t kFixedGrowth[10][6] = {
    {15, 6, 25, 4, 6, 4},  {14, 6, 28, 3, 6, 3}, {14, 4, 30, 3, 6, 3}, {12, 10, 24, 4, 6, 4},
    {12, 10, 24, 4, 6, 4}, {13, 4, 26, 5, 7, 5}, {13, 5, 26, 4, 7, 5}, {17, 4, 25, 6, 6, 2},
    {15, 5, 26, 4, 6, 4},  {10, 0, 20, 0, 2, 0},
};

// The ten order weights that the "行動計画" order moves points among, in their order.
constexpr F kShuffled[10] = {
    F::kAgricultureWeight, F::kCommerceWeight, F::kIndustryWeight, F::kResourceWeight,
    F::kTechnologyWeight,  F::kSearchWeight,   F::kRestWeight,     F::kPatrolWeight,
    F::kTrainingWeight,    F::kSocialWeight,
};

int GrowthTotal(std::int32_t type, int r) {
  if (type == 4 || type == 5) return r <= 6 ? 88 : r <= 20 ? 84 : 80;
  if (type == 6) return r <= 4 ? 100 : r <= 10 ? 98 : r <= 18 ? 96 : 94;
  return r <= 2 ? 100 : r <= 4 ? 98 : r <= 6 ? 96 : r <= 10 ? 92 : r <= 14 ? 90 : r <= 30 ? 88 : 86;
}

int DomesticTotal(std::int32_t type, int r) {
  if (type == 4 || type == 5) return r <= 4 ? 96 : r <= 10 ? 92 : r <= 20 ? 88 : 84;
  if (type == 6) return r <= 6 ? 84 : r <= 14 ? 80 : r <= 50 ? 76 : 72;
  return r <= 3 ? 60 : r <= 10 ? 55 : r <= 20 ? 50 : r <= 40 ? 45 : 40;
}

}  // namespace

int ChanceRecord::Random(int n, int base) { return rng::Random(n, base); }

void ChanceRecord::CopyFrom(const ChanceRecord& other) {
  std::copy(std::begin(other.f_), std::end(other.f_), std::begin(f_));
}

void ChanceRecord::InitMilitia(std::int32_t type) {
  if (type < 1 || type > 10) return;
  const int t = type - 1;

  f_[kPlanningWeight] = 1;

  f_[kSortieChance] = Random(kSortieDraw[t][0], kSortieDraw[t][1]);
  f_[kTransferChance] = Random(kTransferDraw[t], 1);
  for (int i = 0; i < 15; ++i) f_[kFixedOrder[i]] = kFixedWeights[t][i];

  const int extra = type == 10 ? 99 : 39;
  for (int i = 0; i < extra; ++i) Add(kExtraOrderTarget[Random(15, 1) - 1], 1);

  int total = GrowthTotal(type, Random(100, 1));
  f_[kAttackSpeedGrowth] = Random(2, 0);
  f_[kAttackTechniqueGrowth] = Random(3, 0);
  f_[kDefenceTechniqueGrowth] = Random(3, 0);
  f_[kHealingPowerGrowth] = Random(10, 0);
  f_[kCharmGrowth] = Random(2, 0);
  total -= f_[kAttackSpeedGrowth] + f_[kAttackTechniqueGrowth] + f_[kDefenceTechniqueGrowth] +
           f_[kHealingPowerGrowth] + f_[kCharmGrowth];

  for (int i = 0; i < 6; ++i) f_[kMaxHpGrowth + i] = kFixedGrowth[t][i];
  // Type 10 keeps the game's own total: only 10 is taken off, though its weights sum to 32.
  total -= type == 10 ? 10 : 60;

  for (int i = 0; i < total; ++i) Add(kMaxHpGrowth + Random(6, 1) - 1, 1);

  const int domestic = DomesticTotal(type, Random(100, 1));
  for (int i = kAgricultureGrowth; i <= kResourceGrowth; ++i) f_[i] = 0;
  for (int i = 0; i < domestic; ++i) Add(kAgricultureGrowth + Random(4, 1) - 1, 1);

  for (int i = kSelfBoostThreshold; i <= kRepositionThreshold; ++i) f_[i] = Random(100, 1);
  f_[kDuelAcceptThreshold] = Random(40, 61);
}

void ChanceRecord::ShuffleActionWeights() {
  int moved = 0;
  for (F field : kShuffled) {
    if (f_[field] > 0) {
      f_[field] -= 1;
      ++moved;
    }
  }
  for (int i = 0; i < moved; ++i) Add(kShuffled[Random(10, 1) - 1], 1);
}

void ChanceRecord::WriteImage(std::uint8_t* out) const {
  for (int i = 0; i < kFieldCount; ++i) codec::PutI32(out, static_cast<std::size_t>(i) * 4, f_[i]);
}

void ChanceRecord::ReadImage(const std::uint8_t* in) {
  for (int i = 0; i < kFieldCount; ++i) f_[i] = codec::GetI32(in, static_cast<std::size_t>(i) * 4);
}
