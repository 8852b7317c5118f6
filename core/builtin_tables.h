#pragma once
// The built-in master tables of a new game: 99 skills, 30 tactics and 57 policies. The rows live
// in builtin_skills.inc, builtin_tactics.inc and builtin_policies.inc, one row per line; this
// file gives their shape and the adds that put a row into a list. The same adds serve the master
// lists and the copies that characters and nations are granted at the start.
#include <cstdint>
#include <span>

#include "world/names.h"
#include "world/policy.h"
#include "world/skill.h"
#include "world/tactic.h"

namespace builtin {

// An attack's four ailment entries (poison, confusion, anger, paralysis), written in the rows as
// Poison(rate, duration) | Paralysis(rate, duration) and so on.
struct AilmentEntry {
  std::int32_t inflicts = 0;
  std::int32_t rate = 0;
  std::int32_t duration = 0;
};
struct Ailments {
  AilmentEntry entry[4] = {};
};
inline constexpr Ailments kNoAilment{};
constexpr Ailments AilmentAt(int i, std::int32_t rate, std::int32_t duration) {
  Ailments a{};
  a.entry[i] = {1, rate, duration};
  return a;
}
constexpr Ailments Poison(std::int32_t rate, std::int32_t duration) { return AilmentAt(0, rate, duration); }
constexpr Ailments Confusion(std::int32_t rate, std::int32_t duration) { return AilmentAt(1, rate, duration); }
constexpr Ailments Anger(std::int32_t rate, std::int32_t duration) { return AilmentAt(2, rate, duration); }
constexpr Ailments Paralysis(std::int32_t rate, std::int32_t duration) { return AilmentAt(3, rate, duration); }
constexpr Ailments operator|(Ailments a, const Ailments& b) {
  for (int i = 0; i < 4; ++i)
    if (b.entry[i].inflicts) a.entry[i] = b.entry[i];
  return a;
}

// A cure's or heal's effect entry, the same in all five places.
struct HealEntry {
  std::int32_t inflicts = 0;
  std::int32_t cure = 0;
  std::int32_t rate = 0;
  std::int32_t duration = 0;
};
constexpr HealEntry Entry(std::int32_t inflicts, std::int32_t cure, std::int32_t rate, std::int32_t duration) {
  return {inflicts, cure, rate, duration};
}

struct AttackRow {
  std::int32_t id;
  NameRef name;
  std::int32_t kind, rarity, sp_cost;
  float power;
  std::int32_t hit_bonus;
  Ailments ailments;
  std::int32_t anim_row0, anim_row1;
};

struct StanceRow {
  std::int32_t id;
  NameRef name;
  std::int32_t kind, rarity, sp_cost;
  float attack_factor, defence_factor;
  std::int32_t dexterity, evasion, attack_speed, attack_technique, defence_technique;
  std::int32_t reach, spread, duration;
};

struct HealRow {
  std::int32_t id;
  NameRef name;
  std::int32_t kind, rarity, sp_cost;
  float hp_heal_factor, sp_heal_factor;
  HealEntry entry;
  std::int32_t reach, spread;
};

struct TacticRow {
  std::int32_t id;
  NameRef name;
  double attack_factor, defence_factor;
  std::int32_t dexterity, evasion, attack_speed, attack_technique, defence_technique;
  float special_attack_factor, special_defence_factor;
  std::int32_t tactic_points, research_cost;
};

struct PolicyRow {
  std::int32_t id;
  NameRef name;
  std::int32_t kind, chance, limit, price;
  float amount;
  std::int32_t policy_points, research_cost;
};

std::span<const AttackRow> Attacks();
std::span<const StanceRow> Stances();
std::span<const HealRow> Heals();
std::span<const TacticRow> Tactics();
// The two tactics whose start-of-game grants carry values of their own.
std::span<const TacticRow> GrantedTactics();
std::span<const PolicyRow> Policies();

// The one-off changes of a skill granted to a named character; a field left at its "keep" value
// is the master row's.
struct SkillChange {
  static constexpr std::int32_t kKeep = -1;
  std::int32_t sp_cost = kKeep;
  float power = -1.0f;  // below 0: keep
  std::int32_t reach = kKeep;
  std::int32_t spread = kKeep;
};

// Appends the skill of that master id, with its full field values through the add of its run
// (attack, stance or heal), changed as `change` says. False for an id that no row has.
bool AddSkill(SkillList& list, std::int32_t id, const SkillChange& change = {});
// Appends skill 1 ("斬撃（縦）") through the 49-value add, as a lord receives it.
bool AddLordSkill(SkillList& list);
// Appends the tactic of that id with the master row's values, or, with `as_granted`, with the
// values the nations receive at the start. False for an unknown id.
bool AddTactic(TacticList& list, std::int32_t id, bool as_granted = false);
// Appends the policy of that id. False for an unknown id.
bool AddPolicy(PolicyList& list, std::int32_t id);

// Steps 6 and 7 of a new world: the master tables in their order.
void AddMasterSkills(SkillList& list);
void AddMasterTactics(TacticList& list);
void AddMasterPolicies(PolicyList& list);

}  // namespace builtin
