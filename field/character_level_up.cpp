// A character's level-up, in battle and in training: one level, a little more HP and SP, then
// three growth draws over the bands that the chance record's growth weights mark out, three more
// over the domestic bands, and EXP back to 0.
#include <algorithm>
#include <cstdint>

#include "world/character.h"
#include "world/saturate.h"

namespace {

// The band (0-based) of consecutive bands of the given widths, the first starting at 1, that
// holds r; -1 beyond the last. A band holds the draws from its start up to below its end.
int BandOf(int r, const ChanceRecord& chances, int first_field, int band_count) {
  std::int64_t start = 1;
  for (int k = 0; k < band_count; ++k) {
    const std::int64_t end = start + chances.GetField(first_field + k);
    if (r >= start && r < end) return k;
    start = end;
  }
  return -1;
}

void Grow(Character& c, int band) {
  StatsBlock& s = c.stats;
  switch (band) {
    case 0: s.SetMaxHp(Plus(s.GetMaxHp(), Character::Random(3, 5))); break;
    case 1: s.SetMaxSp(Plus(s.GetMaxSp(), Character::Random(3, 2))); break;
    case 2: s.SetAttack(Plus(s.GetAttack(), 1)); break;
    case 3: s.SetDefence(Plus(s.GetDefence(), 1)); break;
    case 4: s.SetDexterity(Plus(s.GetDexterity(), 1)); break;
    case 5: s.SetEvasion(Plus(s.GetEvasion(), 1)); break;
    case 6: s.SetAttackSpeed(PlusCapped(s.GetAttackSpeed(), 1, 50)); break;
    case 7: s.SetAttackTechnique(PlusCapped(s.GetAttackTechnique(), Character::Random(2, 1), 100)); break;
    case 8: s.SetDefenceTechnique(PlusCapped(s.GetDefenceTechnique(), Character::Random(2, 1), 100)); break;
    case 9: s.SetHealingPower(PlusCapped(s.GetHealingPower(), Character::Random(3, 1), 100)); break;
    case 10: s.SetSpecialAttack(Plus(s.GetSpecialAttack(), 1)); break;
    case 11: s.SetSpecialDefence(Plus(s.GetSpecialDefence(), 1)); break;
    case 12: s.SetCharm(Plus(s.GetCharm(), 1)); break;
    default: break;  // beyond the last band
  }
}

void GrowDomestic(Character& c, int band) {
  StatsBlock& s = c.stats;
  switch (band) {
    case 0: s.SetAgricultureValue(Plus(s.GetAgricultureValue(), Character::Random(2, 4))); break;
    case 1: s.SetCommerceValue(Plus(s.GetCommerceValue(), Character::Random(2, 4))); break;
    case 2: s.SetIndustryValue(Plus(s.GetIndustryValue(), Character::Random(2, 4))); break;
    case 3: s.SetResourceValue(Plus(s.GetResourceValue(), Character::Random(3, 5))); break;
    default: break;
  }
}

}  // namespace

void Character::LevelUp() {
  stats.SetLevel(Plus(stats.GetLevel(), 1));
  stats.SetMaxHp(Plus(stats.GetMaxHp(), Random(3, 5)));
  stats.SetMaxSp(Plus(stats.GetMaxSp(), Random(3, 2)));
  for (int i = 0; i < 3; ++i) Grow(*this, BandOf(Random(100, 1), chances, ChanceRecord::kMaxHpGrowth, 13));
  for (int i = 0; i < 3; ++i)
    GrowDomestic(*this, BandOf(Random(100, 1), chances, ChanceRecord::kAgricultureGrowth, 4));
  stats.SetExp(0);
}
