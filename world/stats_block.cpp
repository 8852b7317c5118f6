#include "world/stats_block.h"

#include <algorithm>

#include "world/codec.h"
#include "world/random.h"
#include "world/saturate.h"

namespace {

// x * 100 / divisor, 0 when the divisor is 0. Taken wide and held to the int range: a block read
// from a damaged file may hold any counts.
std::int32_t Percent(std::int64_t x, std::int64_t divisor) {
  return divisor == 0 ? 0 : SaturateToI32(x * 100 / divisor);
}

// The militia's base values by type 1..10: max HP, max SP, attack, defence, dexterity, evasion,
// attack speed, attack technique, defence technique.
constexpr std::int32_t kMilitiaBase[10][9] = {
    {130, 15, 12, 5, 7, 5, 11, 12, 12}, {130, 16, 13, 5, 8, 5, 11, 12, 12},
    {140, 16, 14, 5, 7, 5, 10, 16, 10}, {120, 24, 12, 4, 7, 5, 10, 10, 10},
    {120, 24, 12, 4, 7, 5, 10, 10, 10}, {150, 18, 13, 4, 8, 6, 12, 14, 14},
    {130, 18, 13, 4, 8, 7, 12, 13, 12}, {160, 14, 13, 6, 6, 5, 10, 10, 14},
    {130, 15, 12, 5, 6, 5, 11, 11, 11}, {130, 15, 12, 5, 7, 6, 11, 12, 10},
};

// A level of a city order (patrol, misdeed, social) from a roll 1..100.
std::int32_t OrderLevel(int r) {
  if (r <= 2) return 5;
  if (r <= 6) return 4;
  if (r <= 15) return 3;
  if (r <= 40) return 2;
  return 1;
}

// Salary (or hiring cost, scaled) band from a roll 1..100: 1..5, 6..15, 16..85, 86..95, 96..100.
int PayBand(int r) {
  if (r <= 5) return 0;
  if (r <= 15) return 1;
  if (r <= 85) return 2;
  if (r <= 95) return 3;
  return 4;
}

}  // namespace

StatsBlock::StatsBlock() { SetDefaults(); }

void StatsBlock::SetDefaults() {
  std::fill(std::begin(f_), std::end(f_), 0);
  f_[kName] = names::kNone;
  f_[kLevel] = 1;
  f_[kMaxHp] = 80;
  f_[kHp] = 80;
  f_[kMaxSp] = 10;
  f_[kSp] = 10;
  f_[kAttack] = 10;
  f_[kDefence] = 5;
  f_[kDexterity] = 6;
  f_[kEvasion] = 6;
  f_[kMoveSpeed] = 6;
  f_[kAttackSpeed] = 10;
  f_[kReserved13] = 46;
  f_[kAttackTechnique] = 12;
  f_[kDefenceTechnique] = 12;
  f_[kHealingPower] = 1;
  f_[kCombatPower] = f_[kAttack] + f_[kDefence] + f_[kDexterity] + f_[kEvasion];
}

void StatsBlock::Reinit() {
  SetDefaults();
  f_[kMaxHp] = 60;
  f_[kHp] = 60;
  f_[kMovePattern] = 0;
}

void StatsBlock::CopyFrom(const StatsBlock& other) {
  std::copy(std::begin(other.f_), std::end(other.f_), std::begin(f_));
  // The rates are not carried: they read 0 until the battle recomputes them.
  f_[kHitRate] = 0;
  f_[kCriticalRate] = 0;
  f_[kDefenceRate] = 0;
  f_[kEvasionRate] = 0;
  f_[kWinRate] = 0;
}

int StatsBlock::Random(int n, int base) { return rng::Random(n, base); }

void StatsBlock::ComputeCombatPower() {
  std::int64_t v = (std::int64_t{f_[kMaxHp]} + f_[kMaxSp]) / 4 +
                   (std::int64_t{f_[kAttack]} + f_[kSpecialAttack]) / 2 +
                   (std::int64_t{f_[kDefence]} + f_[kSpecialDefence]) / 2 + f_[kDexterity] +
                   f_[kEvasion] + f_[kAttackSpeed] +
                   (std::int64_t{f_[kAttackTechnique]} + f_[kDefenceTechnique]) / 2;
  f_[kCombatPower] = SaturateToI32(v);
}

void StatsBlock::ComputeDomesticPower() {
  std::int64_t sum = std::int64_t{f_[kAgricultureValue]} + f_[kCommerceValue] + f_[kIndustryValue] +
                     f_[kResourceValue];
  f_[kDomesticPower] = SaturateToI32(sum / 4);
}

void StatsBlock::ComputeHitRate() { f_[kHitRate] = Percent(f_[kHitCount], f_[kAttacksMade]); }

void StatsBlock::ComputeCriticalRate() {
  f_[kCriticalRate] = Percent(f_[kCriticalCount], f_[kHitCount]);
}

void StatsBlock::ComputeDefenceRate() {
  f_[kDefenceRate] =
      Percent(f_[kDefenceCount], std::int64_t{f_[kAttacksReceived]} - f_[kEvasionCount]);
}

void StatsBlock::ComputeEvasionRate() {
  f_[kEvasionRate] = Percent(f_[kEvasionCount], f_[kAttacksReceived]);
}

void StatsBlock::ComputeWinRate() {
  f_[kWinRate] = f_[kDuelWins] == 0 ? 0 : Percent(f_[kDuelWins], f_[kDuelCount]);
}

void StatsBlock::CompleteStudy() {
  auto lower = [this](int field) { f_[field] = std::max(Plus(f_[field], -Random(6, 5)), 0); };
  auto raise = [this](int field) { f_[field] = PlusCapped(f_[field], 1, 5); };
  int r = Random(10, 1);
  switch (r) {
    case 1: raise(kPatrolLevel); break;
    case 2: raise(kSocialLevel); break;
    case 3: case 4: lower(kPoisonSusceptibility); break;
    case 5: case 6: lower(kConfusionSusceptibility); break;
    case 7: case 8: lower(kParalysisSusceptibility); break;
    default: lower(kAngerSusceptibility); break;
  }
  f_[kStudyProgress] = 0;
}

void StatsBlock::InitMilitia(std::int32_t type) {
  if (type < 1 || type > 10) return;
  const bool commoner = type == 4 || type == 5;

  f_[kLevel] = 1;
  f_[kExp] = 0;

  int r = Random(100, 1);
  int growth = r == 1 ? 20 : r == 2 ? 18 : r <= 5 ? 16 : r <= 10 ? 14 : r <= 20 ? 12 : r <= 40 ? 11 : 10;

  const std::int32_t* base = kMilitiaBase[type - 1];
  f_[kMaxHp] = base[0];
  f_[kHp] = f_[kMaxHp];
  f_[kMaxSp] = base[1];
  f_[kSp] = f_[kMaxSp];
  f_[kAttack] = base[2];
  f_[kDefence] = base[3];
  f_[kDexterity] = base[4];
  f_[kEvasion] = base[5];
  f_[kAttackSpeed] = base[6];
  f_[kAttackTechnique] = base[7];
  f_[kDefenceTechnique] = base[8];

  for (int i = 0; i < growth; ++i) {
    switch (Random(9, 1)) {
      case 1:
        f_[kMaxHp] += Random(3, 4);
        f_[kHp] = f_[kMaxHp];
        break;
      case 2:
        f_[kMaxSp] += Random(3, 1);
        f_[kSp] = f_[kMaxSp];
        break;
      case 3: f_[kAttack] += 1; break;
      case 4: f_[kDefence] += 1; break;
      case 5: f_[kDexterity] += 1; break;
      case 6: f_[kEvasion] += 1; break;
      case 7: f_[kAttackSpeed] += 1; break;
      case 8: f_[kAttackTechnique] += Random(2, 2); break;
      default: f_[kDefenceTechnique] += Random(2, 2); break;
    }
  }

  f_[kMoveSpeed] = 3;
  f_[kReserved13] = 0;
  f_[kReserved16] = 0;
  f_[kHealingPower] = Random(20, 31);
  f_[kCharm] = Random(25, 1);
  f_[kSpecialAttack] = 0;
  f_[kSpecialDefence] = 0;

  r = Random(100, 1);
  int domestic;
  if (commoner) {
    domestic = r <= 10 ? 18 : r <= 40 ? 16 : 14;
  } else if (type == 6) {
    domestic = r <= 10 ? 12 : r <= 40 ? 10 : 8;
  } else {
    domestic = r == 1 ? 12 : r == 2 ? 10 : r <= 5 ? 8 : r <= 10 ? 6 : r <= 20 ? 5 : r <= 40 ? 4 : 3;
  }
  f_[kAgricultureValue] = 10;
  f_[kCommerceValue] = 10;
  f_[kIndustryValue] = 10;
  f_[kResourceValue] = 10;
  for (int i = 0; i < domestic; ++i) {
    int k = Random(4, 1);
    f_[kAgricultureValue + k - 1] += Random(2, 2);
  }

  f_[kReserved20] = f_[kReserved21] = f_[kReserved22] = 0;
  f_[kFame] = 100;
  for (int i = kCombatPower; i <= kEvasionRate; ++i) f_[i] = 0;
  f_[kKillCount] = 0;
  f_[kLastDamage] = 0;
  f_[kDuelCount] = f_[kDuelWins] = f_[kWinRate] = 0;
  f_[kActValue] = f_[kIntValue] = f_[kInfValue] = f_[kMakValue] = f_[kReserved49] = 0;
  f_[kMovePattern] = 1;
  for (int i = kReserved52; i <= kReserved55; ++i) f_[i] = 0;

  f_[kPatrolLevel] = OrderLevel(Random(100, 1));
  f_[kMisdeedLevel] = OrderLevel(Random(100, 1));
  f_[kSocialLevel] = OrderLevel(Random(100, 1));

  f_[kPoisonSusceptibility] = Random(100, 51);
  f_[kConfusionSusceptibility] = Random(100, 51);
  f_[kParalysisSusceptibility] = Random(100, 51);
  f_[kAngerSusceptibility] = Random(100, 51);
  for (int i = kReserved63; i <= kReserved66; ++i) f_[i] = 0;

  static constexpr std::int32_t kSalary[5] = {10, 15, 20, 25, 30};
  static constexpr std::int32_t kHiring[5] = {300, 350, 400, 450, 500};
  f_[kSalaryPerLevel] = kSalary[PayBand(Random(100, 1))];
  f_[kHiringCostPerLevel] = kHiring[PayBand(Random(100, 1))];
}

void StatsBlock::WriteImage(std::uint8_t* out) const {
  for (int i = 0; i < kFieldCount; ++i) codec::PutI32(out, static_cast<std::size_t>(i) * 4, f_[i]);
}

bool StatsBlock::ReadImage(const std::uint8_t* in) {
  if (!names::IsValid(codec::GetI32(in, 0))) return false;
  for (int i = 0; i < kFieldCount; ++i) f_[i] = codec::GetI32(in, static_cast<std::size_t>(i) * 4);
  return true;
}
