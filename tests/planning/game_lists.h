#pragma once
// The ten world lists the game object holds and hands to the thinking screen, for the suites'
// hand-built worlds.
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/policy.h"
#include "world/tactic.h"
#include "world/trade_good.h"

struct GameLists {
  CharacterList characters;
  NationList nations;
  CityList cities;
  FieldPartyList parties;
  DivisionList divisions;
  NamePool name_pool;
  InhabitantList inhabitants;
  TradeGoodList goods;
  TacticList tactics;
  PolicyList policies;
};
