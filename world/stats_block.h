#pragma once
// The 69 parameters of one character (and of a hero template and a nation's militia template):
// level and experience, HP and SP, combat and domestic abilities, fame, battle statistics with
// their percentage rates, the levels of the city orders, ailment susceptibilities, salary and
// hiring cost. Every field is a signed 32-bit integer except field 0, the name reference.
//
// Whole blocks are copied by value (`operator=` copies every field, rates included);
// `CopyFrom` is the copy that save images go through and leaves the five rates at 0.
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/saturate.h"

class StatsBlock {
 public:
  static constexpr int kFieldCount = 69;
  // The block inside a character's or a nation's save image: the 69 fields in order.
  static constexpr std::size_t kImageSize = 276;

  // Field numbers of the block, in the order of the save image.
  enum Field : int {
    kName = 0, kLevel = 1, kExp = 2, kMaxHp = 3, kHp = 4, kMaxSp = 5, kSp = 6, kAttack = 7,
    kDefence = 8, kDexterity = 9, kEvasion = 10, kMoveSpeed = 11, kAttackSpeed = 12,
    kReserved13 = 13, kAttackTechnique = 14, kDefenceTechnique = 15, kReserved16 = 16,
    kHealingPower = 17, kSpecialAttack = 18, kSpecialDefence = 19, kReserved20 = 20,
    kReserved21 = 21, kReserved22 = 22, kAgricultureValue = 23, kCommerceValue = 24,
    kIndustryValue = 25, kResourceValue = 26, kFame = 27, kCombatPower = 28, kDomesticPower = 29,
    kAttacksMade = 30, kHitCount = 31, kHitRate = 32, kCriticalCount = 33, kCriticalRate = 34,
    kAttacksReceived = 35, kDefenceCount = 36, kDefenceRate = 37, kEvasionCount = 38,
    kEvasionRate = 39, kDuelCount = 40, kDuelWins = 41, kWinRate = 42, kKillCount = 43,
    kLastDamage = 44, kActValue = 45, kCharm = 46, kIntValue = 47, kInfValue = 48,
    kReserved49 = 49, kMakValue = 50, kMovePattern = 51, kReserved52 = 52, kPopularity = 53,
    kReserved54 = 54, kReserved55 = 55, kPatrolLevel = 56, kMisdeedLevel = 57, kSocialLevel = 58,
    kPoisonSusceptibility = 59, kConfusionSusceptibility = 60, kParalysisSusceptibility = 61,
    kAngerSusceptibility = 62, kReserved63 = 63, kReserved64 = 64, kStudyProgress = 65,
    kReserved66 = 66, kSalaryPerLevel = 67, kHiringCostPerLevel = 68,
  };

  // A new character's block: LV 1, HP 80 of 80, SP 10 of 10, attack 10, defence 5, dexterity 6,
  // evasion 6, movement speed 6, attack speed 10, field 13 = 46, techniques 12, healing power 1,
  // combat power 27 (attack + defence + dexterity + evasion), everything else 0.
  StatsBlock();

  // The default character's block: the constructor's values with HP 60 of 60 and move pattern 0.
  void Reinit();
  // The copy that save images go through: every field in order, the five rates set to 0.
  void CopyFrom(const StatsBlock& other);
  // The parameters of a militia soldier of the given type (1..10), drawn in their fixed order.
  // A type outside 1..10 leaves the block as it is and draws nothing.
  void InitMilitia(std::int32_t type);
  // The end of a course of study: one of six improvements at random, then progress 0.
  void CompleteStudy();

  // The block's own copy of the game's draw: base to base + n - 1.
  static int Random(int n, int base);

  // Derived values.
  void ComputeCombatPower();
  void ComputeDomesticPower();
  void ComputeHitRate();
  void ComputeCriticalRate();
  void ComputeDefenceRate();
  void ComputeEvasionRate();
  void ComputeWinRate();

  // Any field by its number, for the tables that fill a block field by field (hero templates)
  // and for the copies. Outside 0..68: 0, and nothing is stored.
  std::int32_t GetField(int index) const { return InRange(index) ? f_[index] : 0; }
  void SetField(int index, std::int32_t value) {
    if (InRange(index)) f_[index] = value;
  }

  // The 276-byte block of a save image: the 69 fields as they stand, little-endian.
  void WriteImage(std::uint8_t* out) const;
  // Takes the 69 fields from a block; false (block unchanged) when its name is not in the table.
  bool ReadImage(const std::uint8_t* in);

  NameRef GetName() const { return f_[kName]; }
  void SetName(NameRef name) { f_[kName] = name; }
  std::int32_t GetLevel() const { return f_[kLevel]; }
  void SetLevel(std::int32_t v) { f_[kLevel] = v; }
  std::int32_t GetExp() const { return f_[kExp]; }
  void SetExp(std::int32_t v) { f_[kExp] = v; }
  std::int32_t GetMaxHp() const { return f_[kMaxHp]; }
  void SetMaxHp(std::int32_t v) { f_[kMaxHp] = v; }
  std::int32_t GetHp() const { return f_[kHp]; }
  void SetHp(std::int32_t v) { f_[kHp] = v; }
  std::int32_t GetMaxSp() const { return f_[kMaxSp]; }
  void SetMaxSp(std::int32_t v) { f_[kMaxSp] = v; }
  std::int32_t GetSp() const { return f_[kSp]; }
  void SetSp(std::int32_t v) { f_[kSp] = v; }
  std::int32_t GetAttack() const { return f_[kAttack]; }
  void SetAttack(std::int32_t v) { f_[kAttack] = v; }
  std::int32_t GetDefence() const { return f_[kDefence]; }
  void SetDefence(std::int32_t v) { f_[kDefence] = v; }
  std::int32_t GetDexterity() const { return f_[kDexterity]; }
  void SetDexterity(std::int32_t v) { f_[kDexterity] = v; }
  std::int32_t GetEvasion() const { return f_[kEvasion]; }
  void SetEvasion(std::int32_t v) { f_[kEvasion] = v; }
  std::int32_t GetMoveSpeed() const { return f_[kMoveSpeed]; }
  std::int32_t GetAttackSpeed() const { return f_[kAttackSpeed]; }
  void SetAttackSpeed(std::int32_t v) { f_[kAttackSpeed] = v; }
  std::int32_t GetAttackTechnique() const { return f_[kAttackTechnique]; }
  void SetAttackTechnique(std::int32_t v) { f_[kAttackTechnique] = v; }
  std::int32_t GetDefenceTechnique() const { return f_[kDefenceTechnique]; }
  void SetDefenceTechnique(std::int32_t v) { f_[kDefenceTechnique] = v; }
  std::int32_t GetHealingPower() const { return f_[kHealingPower]; }
  void SetHealingPower(std::int32_t v) { f_[kHealingPower] = v; }
  std::int32_t GetSpecialAttack() const { return f_[kSpecialAttack]; }
  void SetSpecialAttack(std::int32_t v) { f_[kSpecialAttack] = v; }
  std::int32_t GetSpecialDefence() const { return f_[kSpecialDefence]; }
  void SetSpecialDefence(std::int32_t v) { f_[kSpecialDefence] = v; }
  std::int32_t GetAgricultureValue() const { return f_[kAgricultureValue]; }
  void SetAgricultureValue(std::int32_t v) { f_[kAgricultureValue] = v; }
  std::int32_t GetCommerceValue() const { return f_[kCommerceValue]; }
  void SetCommerceValue(std::int32_t v) { f_[kCommerceValue] = v; }
  std::int32_t GetIndustryValue() const { return f_[kIndustryValue]; }
  void SetIndustryValue(std::int32_t v) { f_[kIndustryValue] = v; }
  std::int32_t GetResourceValue() const { return f_[kResourceValue]; }
  void SetResourceValue(std::int32_t v) { f_[kResourceValue] = v; }
  std::int32_t GetFame() const { return f_[kFame]; }
  void SetFame(std::int32_t v) { f_[kFame] = v; }
  std::int32_t GetCombatPower() const { return f_[kCombatPower]; }
  // The character's rating (Character::ComputeCombatPower) stores its result here.
  void SetCombatPower(std::int32_t v) { f_[kCombatPower] = v; }
  std::int32_t GetDomesticPower() const { return f_[kDomesticPower]; }
  std::int32_t GetAttacksMade() const { return f_[kAttacksMade]; }
  void SetAttacksMade(std::int32_t v) { f_[kAttacksMade] = v; }
  std::int32_t GetHitCount() const { return f_[kHitCount]; }
  void SetHitCount(std::int32_t v) { f_[kHitCount] = v; }
  std::int32_t GetHitRate() const { return f_[kHitRate]; }
  std::int32_t GetCriticalCount() const { return f_[kCriticalCount]; }
  void SetCriticalCount(std::int32_t v) { f_[kCriticalCount] = v; }
  std::int32_t GetCriticalRate() const { return f_[kCriticalRate]; }
  std::int32_t GetAttacksReceived() const { return f_[kAttacksReceived]; }
  void SetAttacksReceived(std::int32_t v) { f_[kAttacksReceived] = v; }
  std::int32_t GetDefenceCount() const { return f_[kDefenceCount]; }
  void SetDefenceCount(std::int32_t v) { f_[kDefenceCount] = v; }
  std::int32_t GetDefenceRate() const { return f_[kDefenceRate]; }
  std::int32_t GetEvasionCount() const { return f_[kEvasionCount]; }
  void SetEvasionCount(std::int32_t v) { f_[kEvasionCount] = v; }
  std::int32_t GetEvasionRate() const { return f_[kEvasionRate]; }
  std::int32_t GetDuelCount() const { return f_[kDuelCount]; }
  void SetDuelCount(std::int32_t v) { f_[kDuelCount] = v; }
  std::int32_t GetDuelWins() const { return f_[kDuelWins]; }
  void SetDuelWins(std::int32_t v) { f_[kDuelWins] = v; }
  std::int32_t GetWinRate() const { return f_[kWinRate]; }
  std::int32_t GetKillCount() const { return f_[kKillCount]; }
  void SetKillCount(std::int32_t v) { f_[kKillCount] = v; }
  std::int32_t GetLastDamage() const { return f_[kLastDamage]; }
  void SetLastDamage(std::int32_t v) { f_[kLastDamage] = v; }
  std::int32_t GetActValue() const { return f_[kActValue]; }
  std::int32_t GetCharm() const { return f_[kCharm]; }
  void SetCharm(std::int32_t v) { f_[kCharm] = v; }
  std::int32_t GetIntValue() const { return f_[kIntValue]; }
  std::int32_t GetInfValue() const { return f_[kInfValue]; }
  std::int32_t GetMakValue() const { return f_[kMakValue]; }
  std::int32_t GetMovePattern() const { return f_[kMovePattern]; }
  std::int32_t GetPopularity() const { return f_[kPopularity]; }
  void SetPopularity(std::int32_t v) { f_[kPopularity] = v; }
  std::int32_t GetPatrolLevel() const { return f_[kPatrolLevel]; }
  void SetPatrolLevel(std::int32_t v) { f_[kPatrolLevel] = v; }
  std::int32_t GetMisdeedLevel() const { return f_[kMisdeedLevel]; }
  void SetMisdeedLevel(std::int32_t v) { f_[kMisdeedLevel] = v; }
  std::int32_t GetSocialLevel() const { return f_[kSocialLevel]; }
  void SetSocialLevel(std::int32_t v) { f_[kSocialLevel] = v; }
  std::int32_t GetPoisonSusceptibility() const { return f_[kPoisonSusceptibility]; }
  void SetPoisonSusceptibility(std::int32_t v) { f_[kPoisonSusceptibility] = v; }
  std::int32_t GetConfusionSusceptibility() const { return f_[kConfusionSusceptibility]; }
  void SetConfusionSusceptibility(std::int32_t v) { f_[kConfusionSusceptibility] = v; }
  std::int32_t GetParalysisSusceptibility() const { return f_[kParalysisSusceptibility]; }
  void SetParalysisSusceptibility(std::int32_t v) { f_[kParalysisSusceptibility] = v; }
  std::int32_t GetAngerSusceptibility() const { return f_[kAngerSusceptibility]; }
  void SetAngerSusceptibility(std::int32_t v) { f_[kAngerSusceptibility] = v; }
  std::int32_t GetStudyProgress() const { return f_[kStudyProgress]; }
  void SetStudyProgress(std::int32_t v) { f_[kStudyProgress] = v; }
  std::int32_t GetSalaryPerLevel() const { return f_[kSalaryPerLevel]; }
  void SetSalaryPerLevel(std::int32_t v) { f_[kSalaryPerLevel] = v; }
  std::int32_t GetHiringCostPerLevel() const { return f_[kHiringCostPerLevel]; }
  void SetHiringCostPerLevel(std::int32_t v) { f_[kHiringCostPerLevel] = v; }
  // The character's pay per turn and its price to hire: level times the salary and the hiring
  // cost per level, whole in 64 bits for the lists' totals to add up, and held to the int range
  // for one character, as a nation pays it.
  std::int64_t ExactSalary() const { return std::int64_t{GetLevel()} * GetSalaryPerLevel(); }
  std::int64_t ExactHiringPrice() const { return std::int64_t{GetLevel()} * GetHiringCostPerLevel(); }
  std::int32_t Salary() const { return SaturateToI32(ExactSalary()); }
  std::int32_t HiringPrice() const { return SaturateToI32(ExactHiringPrice()); }

  friend bool operator==(const StatsBlock&, const StatsBlock&) = default;

 private:
  static constexpr bool InRange(int index) { return index >= 0 && index < kFieldCount; }
  void SetDefaults();

  std::int32_t f_[kFieldCount] = {};
};
