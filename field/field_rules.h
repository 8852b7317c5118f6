#pragma once
// Ground shared by the field battle's rules: the world lists that a tick works on, and the small
// rules that the tick, the combat decision and the five phases have in common.
#include <cstdint>

#include "world/character.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/nation.h"

// The lists that the tick hands to every rule of the field.
struct FieldWorld {
  CharacterList& characters;
  NationList& nations;
  CityList& cities;
  FieldPartyList& parties;
  DivisionList& divisions;
};

namespace field {

Point PositionOf(const Character& c);
Point BasePointOf(const Character& c);
Point DestinationOf(const Character& c);

// The character with exactly this id, or nullptr (the list's own find gives its last character
// for an unknown id).
Character* FindCharacter(const CharacterList& characters, std::int32_t id);

// True when the relation byte of u's nation toward the other's nation is 1.
bool IsAllied(const NationList& nations, const Character& u, const Character& other);

// The nearest active enemy within r, or nullptr when the search gives only its stand-in (a
// character that is no active enemy inside the square), which nobody is to fight or walk to.
Character* RealNearestActiveEnemy(const CharacterList& characters, const Character& u, std::int32_t r);

// Every movement keeps a character inside these bounds on both axes, and so does every spot it
// is sent to.
constexpr std::int32_t kFieldLow = 48;
constexpr std::int32_t kFieldHigh = 1872;
std::int32_t ClampToField(std::int64_t v);

// Roles that lead or belong to a band on the field: a capture moves their party's base, a city
// alert wakes their party, and a knock-out carries them home.
bool HasFieldRole(const Character& c);

// The fame of the character's division (when it has one) moved by `amount`; a loss never takes
// it below 0, as a division's fame never is.
void AddDivisionFame(DivisionList& divisions, const Character& c, std::int32_t amount);

// --- effects in force ---
// Each ends the effect when it is in force: flag (and the targeted flag of a received boost or
// weakening) cleared, time left 0, and its six amounts given back.
void EndSelfBoost(Character& c);
void EndAllyBoost(Character& c);
void EndWeakening(Character& c);
void EndTactic(Character& c);
void EndAilments(Character& c);
// Back from a march or a pursuit: every effect in force and every ailment ends, morale 100, and
// whatever the character still has in hand is given up.
void StandDown(const CharacterList& characters, Character& c);
// A character engaging `foe` keeps an attack in hand only when that attack is on `foe`: one
// left over from an earlier fight would strike its old target, wherever that one stands on the
// field, or, with the target gone home, hold the unit up until it runs out. (A fighter with no
// enemy outside a duel left within 40 leaves the fight, and the same tick's combat decision may
// still start an attack on a duellist beside it. The unit holds it, without striking, while it
// marches, rests, pursues or stands guard, at times for turns; it strikes when the unit next
// engages that same character, and is given up at a knock-out or a stand-down, when a resting
// pursuer engages again, or here when the unit engages anybody else.)
void KeepAttackOnlyOn(Character& u, const Character& foe);
// One tick off every effect in force; an effect whose time is out ends.
void CountDownEffects(Character& c);
// The six amounts of a boost, weakening or tactic added (sign 1) or taken off (sign -1), each
// stat held to the int range.
void MoveSixStats(Character& c, const Skill& s, int sign);
void MoveSixStats(Character& c, const Tactic& t, int sign);

// --- the per-character work of a tick ---
// The decision of U's field state (states 0 and 12 have none).
void DecideState(FieldWorld& w, Character& u);
// The combat decision of a character in battle (state 6) or in a duel (state 7): an attack, a
// cast, a new engagement point or a duel challenge; or the progress of what it has in hand.
// `target` is the one it fights (nullptr when no real enemy stands near).
void DecideCombat(FieldWorld& w, Character& u, Character* target, std::int32_t state);
// The city passes to `nation`, and both nations' city counts follow (a city without owner
// raises only the taker's); a city that is the nation's already stays as it is.
void TakeCity(FieldWorld& w, City& city, std::int32_t nation);
// A character that reached its destination in state 2: a capture or the end of its march.
void HandleArrival(FieldWorld& w, Character& u, std::uint8_t& defeat);

}  // namespace field
