#pragma once
// A character's 44 tendencies: the weights of its order choice, its transfer and sortie chances,
// its growth weights at level-up, the thresholds of its skill choices in battle and its duel
// acceptance. Only data: the planning phase, the field battle and the end of turn roll against
// it. A new record holds 0 in every field.
#include <cstddef>
#include <cstdint>

#include "world/saturate.h"

class ChanceRecord {
 public:
  static constexpr int kFieldCount = 44;
  // The block inside a character's save image: the 44 fields in order.
  static constexpr std::size_t kImageSize = 176;

  enum Field : int {
    kStrategyWeight = 0, kPolicyWeight = 1, kAgricultureWeight = 2, kCommerceWeight = 3,
    kIndustryWeight = 4, kResourceWeight = 5, kTechnologyWeight = 6, kSearchWeight = 7,
    kTransferChance = 8, kSortieChance = 9, kPlanningWeight = 10, kRestWeight = 11,
    kPatrolWeight = 12, kBuildWeight = 13, kTrainingWeight = 14, kMisdeedWeight = 15,
    kReserved16 = 16, kSocialWeight = 17, kStudyWeight = 18, kMaxHpGrowth = 19,
    kMaxSpGrowth = 20, kAttackGrowth = 21, kDefenceGrowth = 22, kDexterityGrowth = 23,
    kEvasionGrowth = 24, kAttackSpeedGrowth = 25, kAttackTechniqueGrowth = 26,
    kDefenceTechniqueGrowth = 27, kHealingPowerGrowth = 28, kSpecialAttackGrowth = 29,
    kSpecialDefenceGrowth = 30, kCharmGrowth = 31, kAgricultureGrowth = 32, kCommerceGrowth = 33,
    kIndustryGrowth = 34, kResourceGrowth = 35, kSelfBoostThreshold = 36,
    kAllyBoostThreshold = 37, kWeakenThreshold = 38, kCureThreshold = 39,
    kAilmentThreshold = 40, kHealThreshold = 41, kRepositionThreshold = 42,
    kDuelAcceptThreshold = 43,
  };

  ChanceRecord() = default;

  // A named character's record: fields 0..43 from the 44 values in order.
  template <typename... V>
    requires(sizeof...(V) == kFieldCount)
  static ChanceRecord ConstructFromValues(V... values) {
    ChanceRecord r;
    int i = 0;
    ((r.f_[i++] = static_cast<std::int32_t>(values)), ...);
    return r;
  }

  // The copy that save images go through: all 44 fields in order.
  void CopyFrom(const ChanceRecord& other);
  // The tendencies of a militia soldier of the given type (1..10), on a record of zeros, drawn in
  // their fixed order. A type outside 1..10 leaves the record as it is and draws nothing.
  void InitMilitia(std::int32_t type);
  // The "行動計画" order: points move at random among ten of the order weights; their sum stays.
  void ShuffleActionWeights();

  // The record's own copy of the game's draw: base to base + n - 1.
  static int Random(int n, int base);

  // Any field by its number (0 outside 0..43; nothing stored there).
  std::int32_t GetField(int index) const { return InRange(index) ? f_[index] : 0; }

  // The 176-byte block of a save image: the 44 fields as they stand, little-endian.
  void WriteImage(std::uint8_t* out) const;
  void ReadImage(const std::uint8_t* in);

  std::int32_t GetStrategyWeight() const { return f_[kStrategyWeight]; }
  std::int32_t GetPolicyWeight() const { return f_[kPolicyWeight]; }
  std::int32_t GetAgricultureWeight() const { return f_[kAgricultureWeight]; }
  std::int32_t GetCommerceWeight() const { return f_[kCommerceWeight]; }
  std::int32_t GetIndustryWeight() const { return f_[kIndustryWeight]; }
  std::int32_t GetResourceWeight() const { return f_[kResourceWeight]; }
  std::int32_t GetTechnologyWeight() const { return f_[kTechnologyWeight]; }
  std::int32_t GetSearchWeight() const { return f_[kSearchWeight]; }
  std::int32_t GetTransferChance() const { return f_[kTransferChance]; }
  std::int32_t GetSortieChance() const { return f_[kSortieChance]; }
  std::int32_t GetPlanningWeight() const { return f_[kPlanningWeight]; }
  std::int32_t GetRestWeight() const { return f_[kRestWeight]; }
  std::int32_t GetPatrolWeight() const { return f_[kPatrolWeight]; }
  std::int32_t GetBuildWeight() const { return f_[kBuildWeight]; }
  std::int32_t GetTrainingWeight() const { return f_[kTrainingWeight]; }
  std::int32_t GetMisdeedWeight() const { return f_[kMisdeedWeight]; }
  std::int32_t GetReserved16() const { return f_[kReserved16]; }
  std::int32_t GetSocialWeight() const { return f_[kSocialWeight]; }
  std::int32_t GetStudyWeight() const { return f_[kStudyWeight]; }
  std::int32_t GetMaxHpGrowth() const { return f_[kMaxHpGrowth]; }
  std::int32_t GetMaxSpGrowth() const { return f_[kMaxSpGrowth]; }
  std::int32_t GetAttackGrowth() const { return f_[kAttackGrowth]; }
  std::int32_t GetDefenceGrowth() const { return f_[kDefenceGrowth]; }
  std::int32_t GetDexterityGrowth() const { return f_[kDexterityGrowth]; }
  std::int32_t GetEvasionGrowth() const { return f_[kEvasionGrowth]; }
  std::int32_t GetAttackSpeedGrowth() const { return f_[kAttackSpeedGrowth]; }
  std::int32_t GetAttackTechniqueGrowth() const { return f_[kAttackTechniqueGrowth]; }
  std::int32_t GetDefenceTechniqueGrowth() const { return f_[kDefenceTechniqueGrowth]; }
  std::int32_t GetHealingPowerGrowth() const { return f_[kHealingPowerGrowth]; }
  std::int32_t GetSpecialAttackGrowth() const { return f_[kSpecialAttackGrowth]; }
  std::int32_t GetSpecialDefenceGrowth() const { return f_[kSpecialDefenceGrowth]; }
  std::int32_t GetCharmGrowth() const { return f_[kCharmGrowth]; }
  std::int32_t GetAgricultureGrowth() const { return f_[kAgricultureGrowth]; }
  std::int32_t GetCommerceGrowth() const { return f_[kCommerceGrowth]; }
  std::int32_t GetIndustryGrowth() const { return f_[kIndustryGrowth]; }
  std::int32_t GetResourceGrowth() const { return f_[kResourceGrowth]; }
  std::int32_t GetSelfBoostThreshold() const { return f_[kSelfBoostThreshold]; }
  std::int32_t GetAllyBoostThreshold() const { return f_[kAllyBoostThreshold]; }
  std::int32_t GetWeakenThreshold() const { return f_[kWeakenThreshold]; }
  std::int32_t GetCureThreshold() const { return f_[kCureThreshold]; }
  std::int32_t GetAilmentThreshold() const { return f_[kAilmentThreshold]; }
  std::int32_t GetHealThreshold() const { return f_[kHealThreshold]; }
  std::int32_t GetRepositionThreshold() const { return f_[kRepositionThreshold]; }
  std::int32_t GetDuelAcceptThreshold() const { return f_[kDuelAcceptThreshold]; }

  void SetStrategyWeight(std::int32_t v) { f_[kStrategyWeight] = v; }
  void SetPolicyWeight(std::int32_t v) { f_[kPolicyWeight] = v; }
  void SetAgricultureWeight(std::int32_t v) { f_[kAgricultureWeight] = v; }
  void SetCommerceWeight(std::int32_t v) { f_[kCommerceWeight] = v; }
  void SetIndustryWeight(std::int32_t v) { f_[kIndustryWeight] = v; }
  void SetResourceWeight(std::int32_t v) { f_[kResourceWeight] = v; }
  void SetTechnologyWeight(std::int32_t v) { f_[kTechnologyWeight] = v; }
  void SetSearchWeight(std::int32_t v) { f_[kSearchWeight] = v; }
  void SetTransferChance(std::int32_t v) { f_[kTransferChance] = v; }
  void SetSortieChance(std::int32_t v) { f_[kSortieChance] = v; }
  void SetPlanningWeight(std::int32_t v) { f_[kPlanningWeight] = v; }
  void SetRestWeight(std::int32_t v) { f_[kRestWeight] = v; }
  void SetPatrolWeight(std::int32_t v) { f_[kPatrolWeight] = v; }
  void SetBuildWeight(std::int32_t v) { f_[kBuildWeight] = v; }
  void SetTrainingWeight(std::int32_t v) { f_[kTrainingWeight] = v; }
  void SetMisdeedWeight(std::int32_t v) { f_[kMisdeedWeight] = v; }
  void SetSocialWeight(std::int32_t v) { f_[kSocialWeight] = v; }
  void SetStudyWeight(std::int32_t v) { f_[kStudyWeight] = v; }
  void SetMaxHpGrowth(std::int32_t v) { f_[kMaxHpGrowth] = v; }
  void SetMaxSpGrowth(std::int32_t v) { f_[kMaxSpGrowth] = v; }
  void SetAttackGrowth(std::int32_t v) { f_[kAttackGrowth] = v; }
  void SetDefenceGrowth(std::int32_t v) { f_[kDefenceGrowth] = v; }
  void SetDexterityGrowth(std::int32_t v) { f_[kDexterityGrowth] = v; }
  void SetEvasionGrowth(std::int32_t v) { f_[kEvasionGrowth] = v; }
  void SetAttackSpeedGrowth(std::int32_t v) { f_[kAttackSpeedGrowth] = v; }
  void SetAttackTechniqueGrowth(std::int32_t v) { f_[kAttackTechniqueGrowth] = v; }
  void SetDefenceTechniqueGrowth(std::int32_t v) { f_[kDefenceTechniqueGrowth] = v; }
  void SetHealingPowerGrowth(std::int32_t v) { f_[kHealingPowerGrowth] = v; }
  void SetCharmGrowth(std::int32_t v) { f_[kCharmGrowth] = v; }
  void SetAgricultureGrowth(std::int32_t v) { f_[kAgricultureGrowth] = v; }
  void SetCommerceGrowth(std::int32_t v) { f_[kCommerceGrowth] = v; }
  void SetIndustryGrowth(std::int32_t v) { f_[kIndustryGrowth] = v; }
  void SetResourceGrowth(std::int32_t v) { f_[kResourceGrowth] = v; }

  friend bool operator==(const ChanceRecord&, const ChanceRecord&) = default;

 private:
  static constexpr bool InRange(int index) { return index >= 0 && index < kFieldCount; }
  // Held to the int range: a record read from a damaged file may hold any numbers.
  void Add(int field, std::int32_t amount) { f_[field] = Plus(f_[field], amount); }

  std::int32_t f_[kFieldCount] = {};
};
