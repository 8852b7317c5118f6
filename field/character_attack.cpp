// One blow on the field map. Attack and defence are scaled by both sides' morale and by the
// skills and the tactic in force on them; the attack skill may poison, confuse, anger or paralyse
// whether or not the blow lands; a hit may turn critical or be parried; experience and battle
// statistics are counted, and a defender left without HP is knocked out.
#include <cmath>
#include <cstdint>
#include <limits>

#include "field/blow_watch.h"
#include "world/character.h"
#include "world/saturate.h"

namespace {

// A value brought back to a whole number toward zero, kept in the 32-bit range.
std::int32_t Trunc(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// A single-precision factor on a whole value: the value is taken to single precision first and
// the product is formed in double precision.
std::int32_t Scale(float factor, std::int32_t value) {
  return Trunc(static_cast<double>(factor) * static_cast<double>(static_cast<float>(value)));
}

// The value pair of one side: attack and special attack, or defence and special defence.
struct Values {
  std::int32_t plain;
  std::int32_t special;
};

void ScaleAttack(Values& v, const Skill& s) {
  v.plain = Scale(s.GetAttackFactor(), v.plain);
  v.special = Scale(s.GetSpecialAttackFactor(), v.special);
}

void ScaleDefence(Values& v, const Skill& s) {
  v.plain = Scale(s.GetDefenceFactor(), v.plain);
  v.special = Scale(s.GetSpecialDefenceFactor(), v.special);
}

// One ailment of the attack skill: the chance is the defender's susceptibility scaled by the
// skill's rate, a percentage.
template <typename Give>
void TryAilment(bool inflicts, std::int32_t susceptibility, std::int32_t rate, Give give) {
  if (!inflicts) return;
  std::int32_t chance = Trunc(susceptibility / 100.0 * rate);
  chance = chance < 0 ? 0 : chance > 100 ? 100 : chance;
  if (Character::Random(100, 1) <= chance) give();
}

// Experience for a knock-out, by the difference of the levels.
std::int32_t KnockOutExp(std::int32_t attacker_level, std::int32_t defender_level) {
  const std::int64_t diff = std::int64_t{attacker_level} - defender_level;
  if (diff == 0) return 50;
  if (diff > 0) return diff < 3 ? 20 : diff <= 5 ? 10 : 5;
  return -diff < 3 ? 60 : 80;
}

}  // namespace

void Character::Attack(Character& defender) {
  if (field::blow_watcher) field::blow_watcher(*this, defender);
  StatsBlock& as = stats;
  StatsBlock& ds = defender.stats;
  const SkillSlots& aslots = skill_slots;
  const SkillSlots& dslots = defender.skill_slots;
  const Skill& skill = aslots.GetAttackSkill();

  Values a{Trunc(morale_ / 100.0 * as.GetAttack()), Trunc(morale_ / 100.0 * as.GetSpecialAttack())};
  Values d{Trunc(defender.morale_ / 100.0 * ds.GetDefence()), Trunc(defender.morale_ / 100.0 * ds.GetSpecialDefence())};
  if (aslots.IsSelfBoostActive()) ScaleAttack(a, aslots.GetSelfBoostSkill());
  if (dslots.IsSelfBoostActive()) ScaleDefence(d, dslots.GetSelfBoostSkill());
  if (aslots.IsAllyBoostActive()) ScaleAttack(a, aslots.GetAllyBoostSkill());
  if (dslots.IsAllyBoostActive()) ScaleDefence(d, dslots.GetAllyBoostSkill());
  if (aslots.IsWeakenActive()) ScaleAttack(a, aslots.GetWeakenSkill());
  if (dslots.IsWeakenActive()) ScaleDefence(d, dslots.GetWeakenSkill());
  if (aslots.IsTacticActive()) {
    const Tactic& t = aslots.GetTactic();
    a.plain = Trunc(t.GetAttackFactor() * static_cast<double>(a.plain));
    a.special = Scale(t.GetSpecialAttackFactor(), a.special);
  }
  if (dslots.IsTacticActive()) {
    const Tactic& t = dslots.GetTactic();
    d.plain = Trunc(t.GetDefenceFactor() * static_cast<double>(d.plain));
    d.special = Scale(t.GetSpecialDefenceFactor(), d.special);
  }

  // The power factor on the attack value, less the defence: plain for basic attacks and
  // techniques, special for special attacks. Techniques and special attacks cost SP.
  const double power = skill.GetPowerFactor();
  std::int32_t damage;
  if (combat_action_ == 2) {
    damage = Trunc(power * static_cast<float>(a.special) - d.special);
    as.SetSp(Plus(as.GetSp(), -std::int64_t{skill.GetSpCost()}));
  } else {
    damage = Trunc(power * static_cast<float>(a.plain) - d.plain);
    if (combat_action_ == 1) as.SetSp(Plus(as.GetSp(), -std::int64_t{skill.GetSpCost()}));
  }

  TryAilment(skill.InflictsPoison(), ds.GetPoisonSusceptibility(), skill.GetPoisonRate(), [&] {
    defender.SetPoisoned();
    defender.SetPoisonCountdown(Plus(defender.GetPoisonCountdown(), skill.GetPoisonDuration()));
  });
  TryAilment(skill.InflictsConfusion(), ds.GetConfusionSusceptibility(), skill.GetConfusionRate(), [&] {
    defender.SetConfused();
    defender.SetConfusionCountdown(Plus(defender.GetConfusionCountdown(), skill.GetConfusionDuration()));
  });
  TryAilment(skill.InflictsAnger(), ds.GetAngerSusceptibility(), skill.GetAngerRate(), [&] {
    defender.SetAngry();
    defender.SetAngerCountdown(Plus(defender.GetAngerCountdown(), skill.GetAngerDuration()));
  });
  TryAilment(skill.InflictsParalysis(), ds.GetParalysisSusceptibility(), skill.GetParalysisRate(), [&] {
    defender.SetParalysed();
    defender.SetParalysisCountdown(Plus(defender.GetParalysisCountdown(), skill.GetParalysisDuration()));
  });

  as.SetAttacksMade(Plus(as.GetAttacksMade(), 1));
  ds.SetAttacksReceived(Plus(ds.GetAttacksReceived(), 1));
  const std::int64_t hit_value =
      std::int64_t{skill.GetHitBonus()} + 2 * (std::int64_t{as.GetDexterity()} - ds.GetEvasion()) + 100;
  if (hit_value + Random(100, 0) > 130) {
    if (as.GetLevel() >= ds.GetLevel()) {
      as.SetExp(Plus(as.GetExp(), 1));
    } else {
      const std::int64_t gap = std::int64_t{ds.GetLevel()} - as.GetLevel();
      as.SetExp(Plus(as.GetExp(), gap < 4 ? 2 : gap < 8 ? 3 : 5));
    }
    SetPopupHit();
    if (Random(100, 0) + std::int64_t{as.GetAttackTechnique()} > 100) {
      const std::int32_t extra = Random(5, 0);
      damage = Trunc(damage * 1.3 + extra);
      as.SetCriticalCount(Plus(as.GetCriticalCount(), 1));
      as.SetExp(Plus(as.GetExp(), 1));
      SetPopupCritical();
    }
    if (Random(100, 0) + std::int64_t{ds.GetDefenceTechnique()} > 100) {
      const std::int32_t less = Random(5, -4);
      damage = Trunc(damage * 0.7 + less);
      ds.SetDefenceCount(Plus(ds.GetDefenceCount(), 1));
      ds.SetExp(Plus(ds.GetExp(), 1));
      SetPopupDefense();
    }
    if (damage < 0) damage = 0;
    as.SetHitCount(Plus(as.GetHitCount(), 1));
    ds.SetHp(Plus(ds.GetHp(), -std::int64_t{damage}));
    as.SetLastDamage(damage);
  } else {
    ds.SetEvasionCount(Plus(ds.GetEvasionCount(), 1));
    SetPopupMiss();
    as.SetLastDamage(0);
  }

  if (ds.GetHp() < 1) {
    as.SetExp(Plus(as.GetExp(), KnockOutExp(as.GetLevel(), ds.GetLevel())));
    as.SetKillCount(Plus(as.GetKillCount(), 1));
    as.SetFame(Plus(as.GetFame(), 1));
    const std::int32_t fame = Plus(ds.GetFame(), -2);
    ds.SetFame(fame < 0 ? 0 : fame);
    ds.SetHp(0);
    defender.SavePrevState();
    defender.SetStateOffField();
  }

  as.ComputeHitRate();
  as.ComputeCriticalRate();
  ds.ComputeEvasionRate();
  ds.ComputeDefenceRate();
  // Only the attacker grows here; the defender's EXP may stand at 100 or more until its own
  // blow or the end of the turn.
  if (as.GetExp() >= 100) LevelUp();
}
