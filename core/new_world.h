#pragma once
// Building a new world from the built-in tables: no file is read. It runs when the window is
// created and again when the ending returns to the title.
//
// Game::NewGame(window) runs, in this order:
//   ClearWorldLists(lists)      every world list of the game emptied;
//   the four screens' NewGame and the set-up of the game's music objects (the game's own part);
//   FillNewWorld(lists)         name pool, master tables, characters, divisions, nations,
//                               treasures, inhabitants and cities.
// BuildNewWorld clears and fills together, for callers that have no screens or music.
#include <functional>

#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/hero_template.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/policy.h"
#include "world/skill.h"
#include "world/tactic.h"
#include "world/trade_good.h"

// The game's world lists that a new world fills (the master skill, tactic and policy lists are
// the game's catalogues).
struct NewWorldLists {
  CharacterList& characters;
  HeroTemplateList& hero_templates;
  NationList& nations;
  CityList& cities;
  NamePool& name_pool;
  SkillList& skills;
  TacticList& tactics;
  PolicyList& policies;
  FieldPartyList& field_parties;
  DivisionList& divisions;
  InhabitantList& inhabitants;
  TradeGoodList& trade_goods;
};

// Seeds the game's generator. The game seeds from the time of day, once before the militia is
// drawn and once before the inhabitants are; a test passes a fixed seed to get the same world.
using WorldSeeder = std::function<void()>;

// Empties the twelve lists in the game's order (characters, cities, nations, hero templates,
// skills, field parties, divisions, inhabitants, policies, tactics, trade goods, name pool).
void ClearWorldLists(NewWorldLists& lists);

// Fills emptied lists with the new world, from the name pool to the cities. `seed` runs before
// the militia and before the inhabitants; without one the generator is seeded from the time of
// day.
void FillNewWorld(NewWorldLists& lists, const WorldSeeder& seed = {});

// Clears and fills: a whole new world without the screens and music.
void BuildNewWorld(NewWorldLists& lists, const WorldSeeder& seed = {});
