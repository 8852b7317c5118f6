// What a fighting or duelling character does with its tick: start an attack, cast a boost, a
// weakening, a cure, an ailment or a heal, take a new spot beside the enemy, or challenge the
// enemy to a duel; or, with an attack or a cast in hand, carry it one step further, a cast taking
// effect at its end.
#include <algorithm>
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"
#include "world/saturate.h"

namespace field {

namespace {

// The casts on another character, by the kind of skill they use.
enum class Cast { kAllyBoost, kWeakening, kCure, kAilment, kHeal };

std::int32_t SkillKindOf(Cast c) {
  switch (c) {
    case Cast::kAllyBoost: return Skill::kAllyBoost;
    case Cast::kWeakening: return Skill::kWeaken;
    case Cast::kCure: return Skill::kCure;
    case Cast::kAilment: return Skill::kAilment;
    case Cast::kHeal: return Skill::kHeal;
  }
  return -1;
}

bool IsTargeted(const Character& t, Cast c) {
  const SkillSlots& s = t.skill_slots;
  switch (c) {
    case Cast::kAllyBoost: return s.IsAllyBoostTargeted();
    case Cast::kWeakening: return s.IsWeakenTargeted();
    case Cast::kCure: return s.IsCureTargeted();
    case Cast::kAilment: return s.IsAilmentTargeted();
    case Cast::kHeal: return s.IsHealTargeted();
  }
  return false;
}

bool IsCasting(const Character& u, Cast c) {
  const SkillSlots& s = u.skill_slots;
  switch (c) {
    case Cast::kAllyBoost: return s.IsCastingAllyBoost();
    case Cast::kWeakening: return s.IsCastingWeaken();
    case Cast::kCure: return s.IsCastingCure();
    case Cast::kAilment: return s.IsCastingAilment();
    case Cast::kHeal: return s.IsCastingHeal();
  }
  return false;
}

std::int32_t ThresholdOf(const Character& u, Cast c) {
  const ChanceRecord& r = u.chances;
  switch (c) {
    case Cast::kAllyBoost: return r.GetAllyBoostThreshold();
    case Cast::kWeakening: return r.GetWeakenThreshold();
    case Cast::kCure: return r.GetCureThreshold();
    case Cast::kAilment: return r.GetAilmentThreshold();
    case Cast::kHeal: return r.GetHealThreshold();
  }
  return 0;
}

// The caster's side of the cast: the target's id.
void SetTargetId(Character& u, Cast c, std::int32_t id) {
  SkillSlots& s = u.skill_slots;
  switch (c) {
    case Cast::kAllyBoost: s.SetAllyBoostTargetId(id); break;
    case Cast::kWeakening: s.SetWeakenTargetId(id); break;
    case Cast::kCure: s.SetCureTargetId(id); break;
    case Cast::kAilment: s.SetAilmentTargetId(id); break;
    case Cast::kHeal: s.SetHealTargetId(id); break;
  }
}

// The target's side: the skill it receives (also read for the cast's length and effect).
void GiveSkill(Character& t, Cast c, const Skill& skill) {
  SkillSlots& s = t.skill_slots;
  switch (c) {
    case Cast::kAllyBoost: s.SetAllyBoostSkill(skill); break;
    case Cast::kWeakening: s.SetWeakenSkill(skill); break;
    case Cast::kCure: s.SetCureSkill(skill); break;
    case Cast::kAilment: s.SetAilmentSkill(skill); break;
    case Cast::kHeal: s.SetHealSkill(skill); break;
  }
}

void StartCast(Character& u, Character& t, Cast c) {
  SkillSlots& us = u.skill_slots;
  SkillSlots& ts = t.skill_slots;
  switch (c) {
    case Cast::kAllyBoost: u.SetCombatActionBoost(); us.SetCastingAllyBoost(); ts.SetAllyBoostTargeted(); break;
    case Cast::kWeakening: u.SetCombatActionBoost(); us.SetCastingWeaken(); ts.SetWeakenTargeted(); break;
    case Cast::kCure: u.SetCombatActionCure(); us.SetCastingCure(); ts.SetCureTargeted(); break;
    case Cast::kAilment: u.SetCombatActionAilment(); us.SetCastingAilment(); ts.SetAilmentTargeted(); break;
    case Cast::kHeal: u.SetCombatActionHeal(); us.SetCastingHeal(); ts.SetHealTargeted(); break;
  }
  u.SetActionCounter(0);
  us.ClearAttacking();
  us.SetActionStep(0);
}

// The least HP deficit that makes an ally worth healing: the heal factor x 30 x 0.7, with 0.7 in
// single precision, so that a whole product falls one short (a factor of 1.0 gives 20).
std::int32_t HealDeficit(const Skill& heal) {
  const double d = static_cast<double>(heal.GetHpHealFactor()) * 30 * static_cast<double>(0.7f);
  return d >= 2147483647.0 ? 2147483647 : d <= -2147483648.0 ? -2147483647 - 1 : static_cast<std::int32_t>(d);
}

// A factor on a whole value, truncated toward zero.
std::int32_t Scale(float factor, std::int32_t value) {
  const double v = static_cast<double>(factor) * static_cast<double>(static_cast<float>(value));
  return v >= 2147483647.0 ? 2147483647 : v <= -2147483648.0 ? -2147483647 - 1 : static_cast<std::int32_t>(v);
}

class CombatDecision {
 public:
  CombatDecision(FieldWorld& w, Character& u, Character* target, std::int32_t state)
      : w_(w), u_(u), target_(target), state_(state) {}

  void Run() {
    if (u_.IsFreeToAct() && !u_.IsParalysed()) {
      ChooseAttack();
      ExtraAction();
    } else {
      Progress();
    }
  }

 private:
  SkillList& Skills() { return u_.skills; }
  const Skill* RandomSkillOfKind(std::int32_t kind) {
    const std::int32_t n = Skills().CountOfKind(kind);
    return n > 0 ? Skills().GetNthOfKind(kind, FieldScreen::Random(n, 0)) : nullptr;
  }

  // --- step 1: an attack at the rate of the attack speed ---
  void ChooseAttack() {
    if (FieldScreen::Random(100, u_.stats.GetAttackSpeed()) < 100) {
      u_.SetWalkStep(0);
      return;
    }
    const Skill* chosen = nullptr;
    std::int32_t action = 0;
    if (FieldScreen::Random(100, 0) < 10 && !u_.IsAngry()) {
      const std::int32_t category = Skills().CountOfKind(Skill::kSpecialAttack) == 0    ? 1
                                    : Skills().CountOfKind(Skill::kTechniqueAttack) == 0 ? 2
                                                                                         : FieldScreen::Random(2, 1);
      const Skill* s = RandomSkillOfKind(category == 1 ? Skill::kTechniqueAttack : Skill::kSpecialAttack);
      if (s && u_.stats.GetSp() >= s->GetSpCost()) {
        chosen = s;
        action = category;
      }
    }
    if (!chosen) chosen = RandomSkillOfKind(Skill::kBasicAttack);
    // Without a basic attack to fall back on, and with no real enemy to strike, no attack starts.
    if (chosen && target_) {
      u_.skill_slots.SetAttackSkill(*chosen);
      if (action == 1)
        u_.SetCombatActionTechnique();
      else if (action == 2)
        u_.SetCombatActionSpecial();
      else
        u_.SetCombatActionBasic();
      u_.skill_slots.SetAttackTargetId(target_->GetId());
      u_.skill_slots.SetAttacking();
      u_.skill_slots.SetActionStep(0);
      u_.SetActionCounter(0);
    }
    u_.SetWalkStep(0);
  }

  // --- step 2: one extra action by a draw of 1..10 ---
  void ExtraAction() {
    const std::int32_t r = FieldScreen::Random(10, 1);
    if (state_ == 6) {
      switch (r) {
        case 1: SelfBoost(); break;
        case 2: CastOnOther(Cast::kAllyBoost); break;
        case 3: CastOnOther(Cast::kWeakening); break;
        case 4: CastOnOther(Cast::kCure); break;
        case 5: CastOnOther(Cast::kAilment); break;
        case 6: CastOnOther(Cast::kHeal); break;
        case 7: Reposition(); break;
        case 8: Challenge(); break;
        default: break;
      }
    } else {
      switch (r) {
        case 1: SelfBoost(); break;
        case 2: SelfHeal(); break;
        case 3: Reposition(); break;
        default: break;
      }
    }
  }

  void SelfBoost() {
    SkillSlots& s = u_.skill_slots;
    if (!u_.IsFreeToAct() || s.IsSelfBoostActive()) return;
    if (FieldScreen::Random(100, 0) < u_.chances.GetSelfBoostThreshold() || u_.IsAngry()) return;
    const Skill* boost = RandomSkillOfKind(Skill::kSelfBoost);
    if (!boost) return;
    s.SetSelfBoostSkill(*boost);
    if (u_.stats.GetSp() < boost->GetSpCost()) return;
    u_.SetCombatActionBoost();
    s.SetCastingSelfBoost();
    u_.SetActionCounter(0);
    s.ClearAttacking();
    s.SetActionStep(0);
  }

  void CastOnOther(Cast c) {
    const Skill* picked = RandomSkillOfKind(SkillKindOf(c));
    if (!picked) return;
    const Skill skill = *picked;
    const CharacterList& l = w_.characters;
    const std::int32_t reach = skill.GetReach(), spread = skill.GetSpread();
    const std::int32_t deficit = c == Cast::kHeal ? HealDeficit(skill) : 0;
    auto count = [&]() -> std::int32_t {
      switch (c) {
        case Cast::kAllyBoost: return l.CountTargetsAroundNearest(u_, 1, reach, spread);
        case Cast::kWeakening:
        case Cast::kAilment: return l.CountTargetsAroundNearest(u_, 0, reach, spread);
        case Cast::kCure: return l.CountStatusTargetsAroundNearest(1, 0, u_, reach, spread);
        case Cast::kHeal: return l.CountWoundedAroundNearest(1, deficit, u_, reach, spread);
      }
      return 0;
    }();
    if (count == 0) return;
    const std::int32_t j = FieldScreen::Random(count, 0);
    Character* t = nullptr;
    switch (c) {
      case Cast::kAllyBoost: t = l.GetNthTargetAroundNearest(u_, 1, reach, spread, j); break;
      case Cast::kWeakening:
      case Cast::kAilment: t = l.GetNthTargetAroundNearest(u_, 0, reach, spread, j); break;
      case Cast::kCure: t = l.GetNthStatusTargetAroundNearest(1, 0, u_, reach, spread, j); break;
      case Cast::kHeal: t = l.GetNthWoundedAroundNearest(1, deficit, u_, reach, spread, j); break;
    }
    if (t) TryCast(c, skill, *t);
  }

  // The duel's own heal: on itself, when its wound is deep enough.
  void SelfHeal() {
    const Skill* picked = RandomSkillOfKind(Skill::kHeal);
    if (!picked) return;
    const Skill skill = *picked;
    if (std::int64_t{u_.stats.GetMaxHp()} - u_.stats.GetHp() >= HealDeficit(skill)) TryCast(Cast::kHeal, skill, u_);
  }

  void TryCast(Cast c, const Skill& skill, Character& t) {
    if (!u_.IsFreeToAct() || IsTargeted(t, c)) return;
    if (FieldScreen::Random(100, 0) < ThresholdOf(u_, c) || u_.IsAngry()) return;
    SetTargetId(u_, c, t.GetId());
    GiveSkill(t, c, skill);
    if (u_.stats.GetSp() >= skill.GetSpCost() && !IsCasting(u_, c) && !IsTargeted(t, c)) StartCast(u_, t, c);
  }

  // A new spot beside the enemy (the duel partner in a duel).
  void Reposition() {
    if (!u_.IsFreeToAct()) return;
    if (FieldScreen::Random(100, 0) < u_.chances.GetRepositionThreshold() || u_.IsAngry()) return;
    if (!target_) return;
    u_.ChooseEngagementPoint(*target_);
    Point e;
    u_.GetEngagementPoint(e);
    if (PositionOf(u_) == e) return;
    u_.SetStateCombatMoving();
    u_.skill_slots.ClearAttacking();
    u_.skill_slots.SetActionStep(0);
  }

  // One chance in a hundred: a duel with the nearest enemy, if both are fit and it accepts.
  void Challenge() {
    if (!u_.IsFreeToAct() || FieldScreen::Random(100, 1) != 100) return;
    const CharacterList& l = w_.characters;
    if (!l.HasActiveEnemyNear(u_, 40)) return;
    Character& e = *l.FindNearestActiveEnemyInSquare(u_, 40);
    if (u_.IsInDuel() || e.IsInDuel()) return;
    if (u_.stats.GetHp() < static_cast<std::int32_t>(u_.stats.GetMaxHp() * 0.6)) return;
    if (e.stats.GetHp() < static_cast<std::int32_t>(e.stats.GetMaxHp() * 0.6)) return;
    if (FieldScreen::Random(100, 1) < e.chances.GetDuelAcceptThreshold()) return;
    for (Character* c : {&u_, &e}) {
      Character& other = c == &u_ ? e : u_;
      c->SetInDuel();
      c->SetDuelPartnerId(other.GetId());
      c->skill_slots.ClearAttacking();
      c->skill_slots.SetActionStep(0);
      c->SetStateDueling();
    }
  }

  // --- step 3: the attack or cast in hand goes on ---
  void Progress() {
    SkillSlots& s = u_.skill_slots;
    if (s.IsAttacking()) {
      if (u_.GetActionCounter() < s.GetAttackSkill().GetActionLength()) {
        s.SetActionStep(Plus(s.GetActionStep(), 1));
      } else {
        s.ClearAttacking();
        EndAction();
      }
    } else if (s.IsCastingSelfBoost()) {
      const Skill& boost = s.GetSelfBoostSkill();
      if (StillCasting(boost, false)) return;
      s.ClearCastingSelfBoost();
      EndAction();
      s.SetSelfBoostActive();
      s.SetSelfBoostTimeLeft(boost.GetDuration());
      MoveSixStats(u_, boost, 1);
      PaySp(boost);
    } else if (s.IsCastingAllyBoost()) {
      Character* t = FindCharacter(w_.characters, s.GetAllyBoostTargetId());
      const Skill boost = t ? t->skill_slots.GetAllyBoostSkill() : Skill();
      if (StillCasting(boost, false)) return;
      s.ClearCastingAllyBoost();
      EndAction();
      if (!t) return;
      t->skill_slots.SetAllyBoostActive();
      t->skill_slots.SetAllyBoostTimeLeft(boost.GetDuration());
      MoveSixStats(*t, boost, 1);
      PaySp(boost);
    } else if (s.IsCastingWeaken()) {
      Character* t = FindCharacter(w_.characters, s.GetWeakenTargetId());
      const Skill weak = t ? t->skill_slots.GetWeakenSkill() : Skill();
      if (StillCasting(weak, false)) return;
      s.ClearCastingWeaken();
      EndAction();
      if (!t) return;
      if (!OnTheField(*t)) {
        // Nothing takes effect, and the target is free to be weakened again.
        if (!t->skill_slots.IsWeakenActive()) t->skill_slots.ClearWeakenTargeted();
        return;
      }
      t->skill_slots.SetWeakenActive();
      t->skill_slots.SetWeakenTimeLeft(weak.GetDuration());
      MoveSixStats(*t, weak, -1);
      PaySp(weak);
    } else if (s.IsCastingCure()) {
      FinishOrAdvance(Cast::kCure, s.GetCureTargetId());
    } else if (s.IsCastingAilment()) {
      FinishOrAdvance(Cast::kAilment, s.GetAilmentTargetId());
    } else if (s.IsCastingHeal()) {
      FinishOrAdvance(Cast::kHeal, s.GetHealTargetId());
    }
  }

  // True (and one step further) while the cast has not reached the skill's length. Boosts and
  // weakenings have their counter raised by the tick; cures, ailments and heals count here.
  bool StillCasting(const Skill& skill, bool own_counter) {
    if (u_.GetActionCounter() >= skill.GetActionLength()) return false;
    if (own_counter) u_.SetActionCounter(Plus(u_.GetActionCounter(), 1));
    u_.skill_slots.SetActionStep(Plus(u_.skill_slots.GetActionStep(), 1));
    return true;
  }

  void EndAction() {
    u_.SetActionCounter(0);
    u_.skill_slots.SetActionStep(0);
    u_.SetWalkStep(0);
  }

  static bool OnTheField(const Character& t) { return t.GetState() != 0 && t.GetState() != 12; }

  void PaySp(const Skill& skill) { u_.stats.SetSp(Plus(u_.stats.GetSp(), -std::int64_t{skill.GetSpCost()})); }

  void FinishOrAdvance(Cast c, std::int32_t target_id) {
    Character* t = FindCharacter(w_.characters, target_id);
    Skill skill;
    if (t) {
      const SkillSlots& ts = t->skill_slots;
      skill = c == Cast::kCure ? ts.GetCureSkill() : c == Cast::kAilment ? ts.GetAilmentSkill() : ts.GetHealSkill();
    }
    if (StillCasting(skill, true)) return;
    SkillSlots& s = u_.skill_slots;
    switch (c) {
      case Cast::kCure: s.ClearCastingCure(); if (t) t->skill_slots.ClearCureTargeted(); break;
      case Cast::kAilment: s.ClearCastingAilment(); if (t) t->skill_slots.ClearAilmentTargeted(); break;
      default: s.ClearCastingHeal(); if (t) t->skill_slots.ClearHealTargeted(); break;
    }
    EndAction();
    if (!t || !OnTheField(*t)) return;
    if (c == Cast::kCure)
      EndAilments(*t);
    else if (c == Cast::kAilment)
      Afflict(*t, skill);
    else
      Heal(*t, skill);
    PaySp(skill);
  }

  void Afflict(Character& t, const Skill& skill) {
    const StatsBlock& ts = t.stats;
    auto roll = [](std::int32_t susceptibility, std::int32_t rate) {
      const double v = susceptibility / 100.0 * rate;
      const std::int32_t chance = v <= 0 ? 0 : v >= 100 ? 100 : static_cast<std::int32_t>(v);
      return FieldScreen::Random(100, 1) <= chance;
    };
    if (skill.InflictsPoison() && roll(ts.GetPoisonSusceptibility(), skill.GetPoisonRate())) {
      t.SetPoisoned();
      t.SetPoisonCountdown(Plus(t.GetPoisonCountdown(), skill.GetPoisonDuration()));
    }
    if (skill.InflictsConfusion() && roll(ts.GetConfusionSusceptibility(), skill.GetConfusionRate())) {
      t.SetConfused();
      t.SetConfusionCountdown(Plus(t.GetConfusionCountdown(), skill.GetConfusionDuration()));
    }
    if (skill.InflictsAnger() && roll(ts.GetAngerSusceptibility(), skill.GetAngerRate())) {
      t.SetAngry();
      t.SetAngerCountdown(Plus(t.GetAngerCountdown(), skill.GetAngerDuration()));
    }
    if (skill.InflictsParalysis() && roll(ts.GetParalysisSusceptibility(), skill.GetParalysisRate())) {
      t.SetParalysed();
      t.SetParalysisCountdown(Plus(t.GetParalysisCountdown(), skill.GetParalysisDuration()));
    }
  }

  // HP (and, on another, SP) by the skill's factors times the target's own healing power.
  void Heal(Character& t, const Skill& skill) {
    StatsBlock& ts = t.stats;
    const std::int32_t power = ts.GetHealingPower();
    ts.SetHp(std::min(Plus(ts.GetHp(), Scale(skill.GetHpHealFactor(), power)), ts.GetMaxHp()));
    if (&t != &u_) ts.SetSp(std::min(Plus(ts.GetSp(), Scale(skill.GetSpHealFactor(), power)), ts.GetMaxSp()));
  }

  FieldWorld& w_;
  Character& u_;
  Character* target_;
  std::int32_t state_;
};

}  // namespace

void DecideCombat(FieldWorld& w, Character& u, Character* target, std::int32_t state) {
  CombatDecision(w, u, target, state).Run();
}

}  // namespace field
