#include "core/builtin_tables.h"

namespace builtin {
namespace {

constexpr AttackRow kAttacks[] = {
#define ATTACK(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#define STANCE(...)
#define HEAL(...)
#include "core/builtin_skills.inc"
#undef ATTACK
#undef STANCE
#undef HEAL
};

constexpr StanceRow kStances[] = {
#define ATTACK(...)
#define STANCE(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#define HEAL(...)
#include "core/builtin_skills.inc"
#undef ATTACK
#undef STANCE
#undef HEAL
};

constexpr HealRow kHeals[] = {
#define ATTACK(...)
#define STANCE(...)
#define HEAL(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#include "core/builtin_skills.inc"
#undef ATTACK
#undef STANCE
#undef HEAL
};

constexpr TacticRow kTactics[] = {
#define TACTIC(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#define GRANTED_TACTIC(...)
#include "core/builtin_tactics.inc"
#undef TACTIC
#undef GRANTED_TACTIC
};

constexpr TacticRow kGrantedTactics[] = {
#define TACTIC(...)
#define GRANTED_TACTIC(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#include "core/builtin_tactics.inc"
#undef TACTIC
#undef GRANTED_TACTIC
};

constexpr PolicyRow kPolicies[] = {
#define POLICY(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#include "core/builtin_policies.inc"
#undef POLICY
};

static_assert(std::size(kAttacks) == 45 && std::size(kStances) == 48 && std::size(kHeals) == 6);
static_assert(std::size(kTactics) == 30 && std::size(kPolicies) == 57);

// What every built-in skill and tactic closes with: no effect pictures, sprite columns 0, 1, 0, 0
// over the given rows, the spare words 0 and 2, and an action of two steps.
constexpr std::int32_t kCol[4] = {0, 1, 0, 0};
constexpr std::int32_t kWord228 = 0, kWord232 = 2, kActionLength = 2;
constexpr std::int32_t kStanceRows = 5;

template <typename Row>
const Row* FindRow(std::span<const Row> rows, std::int32_t id) {
  for (const Row& r : rows)
    if (r.id == id) return &r;
  return nullptr;
}

void AddAttackRow(SkillList& list, const AttackRow& r, const SkillChange& c) {
  const AilmentEntry* a = r.ailments.entry;
  std::int32_t sp_cost = c.sp_cost != SkillChange::kKeep ? c.sp_cost : r.sp_cost;
  float power = c.power >= 0.0f ? c.power : r.power;
  std::int32_t reach = c.reach != SkillChange::kKeep ? c.reach : 0;
  std::int32_t spread = c.spread != SkillChange::kKeep ? c.spread : 0;
  list.AddAttack(r.name, r.id, r.kind, 0, a[0].inflicts, a[0].rate, a[0].duration, a[1].inflicts,
                 a[1].rate, a[1].duration, a[2].inflicts, a[2].rate, a[2].duration, a[3].inflicts,
                 a[3].rate, a[3].duration, sp_cost, power, 0, 1, r.hit_bonus, reach, spread, r.rarity,
                 names::kNone, kCol[0], kCol[1], kCol[2], kCol[3], r.anim_row0, r.anim_row1, 0, 0,
                 kWord228, kWord232, names::kNone, 0, 0, 0, kActionLength);
}

void AddStanceRow(SkillList& list, const StanceRow& r, const SkillChange& c) {
  std::int32_t sp_cost = c.sp_cost != SkillChange::kKeep ? c.sp_cost : r.sp_cost;
  std::int32_t reach = c.reach != SkillChange::kKeep ? c.reach : r.reach;
  std::int32_t spread = c.spread != SkillChange::kKeep ? c.spread : r.spread;
  list.AddStance(r.name, r.id, r.kind, 0, r.attack_factor, r.defence_factor, r.dexterity, r.evasion,
                 0, r.attack_speed, r.attack_technique, r.defence_technique, 0, 1.0f, 1.0f, sp_cost,
                 reach, spread, r.duration, r.rarity, names::kNone, kCol[0], kCol[1], kCol[2],
                 kCol[3], kStanceRows, kStanceRows, 0, 0, kWord228, kWord232, names::kNone, 0, 0, 0,
                 kActionLength);
}

void AddHealRow(SkillList& list, const HealRow& r, const SkillChange& c) {
  const HealEntry& e = r.entry;
  std::int32_t sp_cost = c.sp_cost != SkillChange::kKeep ? c.sp_cost : r.sp_cost;
  std::int32_t reach = c.reach != SkillChange::kKeep ? c.reach : r.reach;
  std::int32_t spread = c.spread != SkillChange::kKeep ? c.spread : r.spread;
  list.AddHeal(r.name, r.id, r.kind, 0, r.hp_heal_factor, r.sp_heal_factor, e.inflicts, e.cure,
               e.rate, e.duration, e.inflicts, e.cure, e.rate, e.duration, e.inflicts, e.cure,
               e.rate, e.duration, e.inflicts, e.cure, e.rate, e.duration, e.inflicts, e.cure,
               e.rate, e.duration, sp_cost, reach, spread, 0, r.rarity, names::kNone, kCol[0],
               kCol[1], kCol[2], kCol[3], kStanceRows, kStanceRows, 0, 0, kWord228, kWord232,
               names::kNone, 0, 0, 0, kActionLength);
}

void AddTacticRow(TacticList& list, const TacticRow& r) {
  constexpr std::int32_t kDuration = 99, kWord164 = 1;
  list.Add(r.name, r.id, 0, 0, r.attack_factor, r.defence_factor, r.dexterity, r.evasion, 0,
           r.attack_speed, r.attack_technique, r.defence_technique, 0, r.special_attack_factor,
           r.special_defence_factor, r.tactic_points, 0, 0, kDuration, kWord164, r.research_cost,
           names::kNone, kCol[0], kCol[1], kCol[2], kCol[3], kStanceRows, kStanceRows, 0, 0,
           kWord228, kWord232, names::kNone, 0, 0, 0, kActionLength);
}

}  // namespace

std::span<const AttackRow> Attacks() { return kAttacks; }
std::span<const StanceRow> Stances() { return kStances; }
std::span<const HealRow> Heals() { return kHeals; }
std::span<const TacticRow> Tactics() { return kTactics; }
std::span<const TacticRow> GrantedTactics() { return kGrantedTactics; }
std::span<const PolicyRow> Policies() { return kPolicies; }

bool AddSkill(SkillList& list, std::int32_t id, const SkillChange& change) {
  if (const AttackRow* r = FindRow(Attacks(), id)) {
    AddAttackRow(list, *r, change);
    return true;
  }
  if (const StanceRow* r = FindRow(Stances(), id)) {
    AddStanceRow(list, *r, change);
    return true;
  }
  if (const HealRow* r = FindRow(Heals(), id)) {
    AddHealRow(list, *r, change);
    return true;
  }
  return false;
}

bool AddLordSkill(SkillList& list) {
  // "斬撃（縦）", every value as the attack add gives it, the ailment entries cleared.
  const AttackRow& r = *FindRow(Attacks(), 1);
  return list.AddWithoutEffects(r.name, r.id, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0, 0, 0, 0, 0, 0.0f,
                                0.0f, 0, r.sp_cost, r.power, 0, 1, r.hit_bonus, 0, 0, 0, r.rarity, 0,
                                0, 0, r.kind, 0, 0, 0, 0, names::kNone, kCol[0], kCol[1], kCol[2],
                                kCol[3], r.anim_row0, r.anim_row1, 0, 0, kWord228, kWord232,
                                names::kNone, 0, 0, 0, kActionLength);
}

bool AddTactic(TacticList& list, std::int32_t id, bool as_granted) {
  const TacticRow* r = as_granted ? FindRow(GrantedTactics(), id) : nullptr;
  if (!r) r = FindRow(Tactics(), id);
  if (!r) return false;
  AddTacticRow(list, *r);
  return true;
}

bool AddPolicy(PolicyList& list, std::int32_t id) {
  const PolicyRow* r = FindRow(Policies(), id);
  if (!r) return false;
  constexpr std::int32_t kWord32 = 1, kNotAvailable = 0;
  return list.Add(r->name, r->id, r->kind, r->chance, r->limit, r->price, r->amount,
                  r->policy_points, kWord32, r->research_cost, kNotAvailable);
}

void AddMasterSkills(SkillList& list) {
  for (const AttackRow& r : Attacks()) AddAttackRow(list, r, {});
  for (const StanceRow& r : Stances()) AddStanceRow(list, r, {});
  for (const HealRow& r : Heals()) AddHealRow(list, r, {});
}

void AddMasterTactics(TacticList& list) {
  for (const TacticRow& r : Tactics()) AddTacticRow(list, r);
}

void AddMasterPolicies(PolicyList& list) {
  for (const PolicyRow& r : Policies()) AddPolicy(list, r.id);
}

}  // namespace builtin
