#include "core/starting_tables.h"

namespace starting {
namespace {

constexpr CharacterRow kCharacters[] = {
#define CHARACTER(name, portrait, list_picture, sprite_sheet, ...) \
  {names::Of(name), names::Of(portrait), names::Of(list_picture), names::Of(sprite_sheet), __VA_ARGS__},
#include "core/starting_characters.inc"
#undef CHARACTER
};

constexpr ChanceRow kChances[] = {
#define CHANCES(name, ...) {names::Of(name), {__VA_ARGS__}},
#include "core/starting_chances.inc"
#undef CHANCES
};

constexpr HeroTemplateRow kHeroTemplates[] = {
#define HERO_TEMPLATE(name, ...) {names::Of(name), {__VA_ARGS__}},
#include "core/hero_templates.inc"
#undef HERO_TEMPLATE
};

constexpr SkillsRow kSkills[] = {
#define SKILLS(character, ...) {character, {__VA_ARGS__}},
#define GRANT_REACH_SPREAD(...)
#define GRANT_COST_POWER(...)
#include "core/starting_skills.inc"
#undef SKILLS
#undef GRANT_REACH_SPREAD
#undef GRANT_COST_POWER
};

constexpr SkillGrantChangeRow kSkillGrantChanges[] = {
#define SKILLS(...)
#define GRANT_REACH_SPREAD(character, skill, reach, spread) {character, skill, -1, -1.0f, reach, spread},
#define GRANT_COST_POWER(character, skill, sp_cost, power) {character, skill, sp_cost, power, -1, -1},
#include "core/starting_skills.inc"
#undef SKILLS
#undef GRANT_REACH_SPREAD
#undef GRANT_COST_POWER
};

constexpr NameRef kPoolNames[] = {
#define POOL_NAME(name) names::Of(name),
#include "core/name_pool.inc"
#undef POOL_NAME
};

constexpr NationRow kNations[] = {
#define NATION(name, ...) {names::Of(name), {__VA_ARGS__}},
#define NATION_TACTICS(...)
#define NATION_POLICIES(...)
#include "core/nations.inc"
#undef NATION
#undef NATION_TACTICS
#undef NATION_POLICIES
};

constexpr NationGrantRow kNationTactics[] = {
#define NATION(...)
#define NATION_TACTICS(nation, ...) {nation, {__VA_ARGS__}},
#define NATION_POLICIES(...)
#include "core/nations.inc"
#undef NATION
#undef NATION_TACTICS
#undef NATION_POLICIES
};

constexpr NationGrantRow kNationPolicies[] = {
#define NATION(...)
#define NATION_TACTICS(...)
#define NATION_POLICIES(nation, ...) {nation, {__VA_ARGS__}},
#include "core/nations.inc"
#undef NATION
#undef NATION_TACTICS
#undef NATION_POLICIES
};

constexpr DivisionRow kDivisions[] = {
#define DIVISION(name, ...) {names::Of(name), __VA_ARGS__},
#include "core/divisions.inc"
#undef DIVISION
};

constexpr CityRow kCities[] = {
#define CITY(name, ...) {names::Of(name), __VA_ARGS__},
#include "core/cities.inc"
#undef CITY
};

constexpr TradeGoodRow kTradeGoods[] = {
#define TRADE_GOOD(id, name, ...) {id, names::Of(name), __VA_ARGS__},
#include "core/trade_goods.inc"
#undef TRADE_GOOD
};

static_assert(std::size(kCharacters) == 87 && std::size(kChances) == 87 && std::size(kHeroTemplates) == 87);
static_assert(std::size(kPoolNames) == 39 && std::size(kNations) == 7 && std::size(kDivisions) == 17);
static_assert(std::size(kCities) == 23 && std::size(kTradeGoods) == 5);

}  // namespace

std::span<const CharacterRow> Characters() { return kCharacters; }
std::span<const ChanceRow> Chances() { return kChances; }
std::span<const HeroTemplateRow> HeroTemplates() { return kHeroTemplates; }
std::span<const SkillsRow> Skills() { return kSkills; }
std::span<const SkillGrantChangeRow> SkillGrantChanges() { return kSkillGrantChanges; }
std::span<const NameRef> PoolNames() { return kPoolNames; }
std::span<const NationRow> Nations() { return kNations; }
std::span<const NationGrantRow> NationTactics() { return kNationTactics; }
std::span<const NationGrantRow> NationPolicies() { return kNationPolicies; }
std::span<const DivisionRow> Divisions() { return kDivisions; }
std::span<const CityRow> Cities() { return kCities; }
std::span<const TradeGoodRow> TradeGoods() { return kTradeGoods; }

const CharacterRow* FindCharacter(std::int32_t id) {
  for (const CharacterRow& r : kCharacters)
    if (r.id == id) return &r;
  return nullptr;
}

const CityRow* FindCity(std::int32_t id) {
  for (const CityRow& r : kCities)
    if (r.id == id) return &r;
  return nullptr;
}

}  // namespace starting
