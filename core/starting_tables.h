#pragma once
// The fixed tables of a new world besides the master skills, tactics and policies: the named
// characters with their chances, templates and skills, the name pool, the nations with their
// grants, the divisions, the cities and the treasures. Each table is an .inc file of one row per
// line; this file gives the rows' shape.
#include <cstdint>
#include <span>

#include "world/names.h"

namespace starting {

struct CharacterRow {
  NameRef name, portrait, list_picture, sprite_sheet;
  std::int32_t id;
  std::int32_t start_city;  // the city whose field point it stands on; 0 off the field
  std::int32_t nation, division, role, rank, home_city, attachment;
};

struct ChanceRow {
  NameRef name;
  std::int32_t values[44];
};

struct HeroTemplateRow {
  NameRef name;
  std::int32_t values[45];
};

// A character's skills in the order it receives them; 0 ends the list.
struct SkillsRow {
  std::int32_t character;
  std::int32_t skills[6];
};

// A granted skill that differs from its master row.
struct SkillGrantChangeRow {
  std::int32_t character, skill;
  std::int32_t sp_cost;  // -1: the master's
  float power;           // below 0: the master's
  std::int32_t reach, spread;  // -1: the master's
};

struct NationRow {
  NameRef name;
  std::int32_t values[20];  // number .. defeated, in the order of the nation add
};

// The master ids a nation owns at the start; 0 ends the list.
struct NationGrantRow {
  std::int32_t nation;
  std::int32_t ids[17];
};

struct DivisionRow {
  NameRef name;
  std::int32_t id, leader, members, member_limit, fame_threshold, fame, employer;
};

struct CityRow {
  NameRef name;
  std::int32_t id, population, agriculture, commerce, industry, governor, sentiment;
  std::int32_t field_x, field_y, minimap_x, minimap_y, owner;
};

struct TradeGoodRow {
  std::int32_t id;
  NameRef name;
  std::int32_t price, purchase_price, recorded_price, grade, subcategory, owner, market_chance;
  std::int32_t level, category, price_class;
};

std::span<const CharacterRow> Characters();
std::span<const ChanceRow> Chances();
std::span<const HeroTemplateRow> HeroTemplates();
std::span<const SkillsRow> Skills();
std::span<const SkillGrantChangeRow> SkillGrantChanges();
std::span<const NameRef> PoolNames();
std::span<const NationRow> Nations();
std::span<const NationGrantRow> NationTactics();
std::span<const NationGrantRow> NationPolicies();
std::span<const DivisionRow> Divisions();
std::span<const CityRow> Cities();
std::span<const TradeGoodRow> TradeGoods();

// The row of a named character by id, of a city by id; nullptr when there is none.
const CharacterRow* FindCharacter(std::int32_t id);
const CityRow* FindCity(std::int32_t id);

}  // namespace starting
