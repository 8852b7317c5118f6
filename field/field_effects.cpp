// Effects in force on a character (its own boost, a received boost or weakening, its nation's
// tactic) and the small shared rules of the field battle.
#include <cstdint>
#include <cstdlib>

#include "field/field_rules.h"
#include "world/saturate.h"

namespace field {

namespace {

// The six stats that boosts, weakenings and tactics move.
template <typename Source>
void MoveSix(Character& c, const Source& s, int sign) {
  StatsBlock& st = c.stats;
  auto moved = [sign](std::int32_t v, std::int32_t amount) {
    return Plus(v, std::int64_t{sign} * amount);
  };
  st.SetDexterity(moved(st.GetDexterity(), s.GetDexterityBonus()));
  st.SetEvasion(moved(st.GetEvasion(), s.GetEvasionBonus()));
  st.SetAttackSpeed(moved(st.GetAttackSpeed(), s.GetAttackSpeedBonus()));
  st.SetAttackTechnique(moved(st.GetAttackTechnique(), s.GetAttackTechniqueBonus()));
  st.SetDefenceTechnique(moved(st.GetDefenceTechnique(), s.GetDefenceTechniqueBonus()));
  st.SetHealingPower(moved(st.GetHealingPower(), s.GetHealingPowerBonus()));
}

}  // namespace

Point PositionOf(const Character& c) {
  Point p;
  return c.GetPosition(p);
}

Point BasePointOf(const Character& c) {
  Point p;
  return c.GetBasePoint(p);
}

Point DestinationOf(const Character& c) {
  Point p;
  return c.GetDestination(p);
}

Character* FindCharacter(const CharacterList& characters, std::int32_t id) {
  Character* c = characters.FindById(id);
  return c && c->GetId() == id ? c : nullptr;
}

bool IsAllied(const NationList& nations, const Character& u, const Character& other) {
  const Nation* own = nations.FindById(u.GetNationId());
  return own && own->GetRelation(other.GetNationId()) == 1;
}

Character* RealNearestActiveEnemy(const CharacterList& characters, const Character& u, std::int32_t r) {
  Character* e = characters.FindNearestActiveEnemyInSquare(u, r);
  if (!e || e->GetName() == u.GetName() || e->GetNationId() == u.GetNationId()) return nullptr;
  if (e->GetState() == 0 || e->GetState() == 12 || e->GetOrder() == Character::kOrderRecuperation) return nullptr;
  const Point a = PositionOf(u), b = PositionOf(*e);
  if (std::llabs(std::int64_t{a.x} - b.x) >= r || std::llabs(std::int64_t{a.y} - b.y) >= r) return nullptr;
  return e;
}

bool HasFieldRole(const Character& c) {
  switch (c.GetRole()) {
    case 0: case 1: case 2: case 3: case 5: case 6: return true;
    default: return false;
  }
}

void AddDivisionFame(DivisionList& divisions, const Character& c, std::int32_t amount) {
  if (c.GetDivisionId() == 0) return;
  Division* d = divisions.FindById(c.GetDivisionId());
  if (!d) return;
  const std::int32_t fame = Plus(d->GetFame(), amount);
  d->SetFame(amount < 0 && fame < 0 ? 0 : fame);
}

void MoveSixStats(Character& c, const Skill& s, int sign) { MoveSix(c, s, sign); }
void MoveSixStats(Character& c, const Tactic& t, int sign) { MoveSix(c, t, sign); }

void EndSelfBoost(Character& c) {
  SkillSlots& s = c.skill_slots;
  if (!s.IsSelfBoostActive()) return;
  s.ClearSelfBoostActive();
  s.SetSelfBoostTimeLeft(0);
  MoveSix(c, s.GetSelfBoostSkill(), -1);
}

void EndAllyBoost(Character& c) {
  SkillSlots& s = c.skill_slots;
  if (!s.IsAllyBoostActive()) return;
  s.ClearAllyBoostActive();
  s.ClearAllyBoostTargeted();
  s.SetAllyBoostTimeLeft(0);
  MoveSix(c, s.GetAllyBoostSkill(), -1);
}

void EndWeakening(Character& c) {
  SkillSlots& s = c.skill_slots;
  if (!s.IsWeakenActive()) return;
  s.ClearWeakenActive();
  s.ClearWeakenTargeted();
  s.SetWeakenTimeLeft(0);
  MoveSix(c, s.GetWeakenSkill(), 1);
}

void EndTactic(Character& c) {
  SkillSlots& s = c.skill_slots;
  if (!s.IsTacticActive()) return;
  s.ClearTacticActive();
  s.SetTacticTimeLeft(0);
  MoveSix(c, s.GetTactic(), -1);
}

void EndAilments(Character& c) {
  c.ClearPoisoned();
  c.SetPoisonCountdown(0);
  c.ClearConfused();
  c.SetConfusionCountdown(0);
  c.ClearAngry();
  c.SetAngerCountdown(0);
  c.ClearParalysed();
  c.SetParalysisCountdown(0);
}

void StandDown(const CharacterList& characters, Character& c) {
  characters.DropActionsInHand(c);
  EndSelfBoost(c);
  EndAllyBoost(c);
  EndWeakening(c);
  EndTactic(c);
  EndAilments(c);
  c.SetMorale(100);
}

void KeepAttackOnlyOn(Character& u, const Character& foe) {
  SkillSlots& s = u.skill_slots;
  if (!s.IsAttacking() || s.GetAttackTargetId() == foe.GetId()) return;
  s.ClearAttacking();
  s.SetActionStep(0);
}

void CountDownEffects(Character& c) {
  SkillSlots& s = c.skill_slots;
  // A skill's effect lasts while its time left is 1 or more; the tactic runs one tick longer,
  // down to 0.
  if (s.IsSelfBoostActive()) {
    if (s.GetSelfBoostTimeLeft() >= 1) s.SetSelfBoostTimeLeft(s.GetSelfBoostTimeLeft() - 1);
    else EndSelfBoost(c);
  }
  if (s.IsAllyBoostActive()) {
    if (s.GetAllyBoostTimeLeft() >= 1) s.SetAllyBoostTimeLeft(s.GetAllyBoostTimeLeft() - 1);
    else EndAllyBoost(c);
  }
  if (s.IsWeakenActive()) {
    if (s.GetWeakenTimeLeft() >= 1) s.SetWeakenTimeLeft(s.GetWeakenTimeLeft() - 1);
    else EndWeakening(c);
  }
  if (s.IsTacticActive()) {
    if (s.GetTacticTimeLeft() >= 0) s.SetTacticTimeLeft(s.GetTacticTimeLeft() - 1);
    else EndTactic(c);
  }
}

}  // namespace field
