#pragma once
// The decisions of a nation's turn in the thinking phase, made by the turn driver: what a
// computer nation researches, which of its policies and tactics it uses, and the step that every
// acting nation (the player's too) takes at each of its cities: recruitment, sortie, the lords'
// leave, transfers, patrols and the orders of its idle characters.
#include <cstdint>

#include "planning/thinking_screen.h"

namespace computer_turn {

// The world lists of the turn driver.
struct Lists {
  CharacterList& characters;
  NationList& nations;
  CityList& cities;
  FieldPartyList& parties;
  DivisionList& divisions;
  NamePool& name_pool;
  InhabitantList& inhabitants;
  TacticList& tactic_catalogue;
  PolicyList& policy_catalogue;
};

// A tactic of the catalogue drawn at random, researched one time in ten when the nation can.
void ResearchTactic(Nation& nation, TacticList& catalogue);
// A policy of the catalogue chosen by one of three habits (a development policy at random, the
// next level of a development family, any policy), researched one time in ten when the nation can.
void ResearchPolicy(Nation& nation, PolicyList& catalogue);
// One of the nation's policies drawn at random, carried out when its kind's chance comes up and
// the nation has the points and keeps a reserve of thirty salary bills after the price.
void UsePolicy(ThinkingScreen& screen, Nation& nation, const Lists& w);
// One of the nation's tactics drawn at random, used on its characters in battle when at least
// four of them fight and the draw is above 30.
void UseTactic(Nation& nation, CharacterList& characters);

// The step for the k-th city (list order) of the nation at nation_index, which owns city_count
// cities this turn (city_step.cpp).
void CityStep(ThinkingScreen& screen, std::int32_t nation_index, std::int32_t k, std::int32_t city_count,
              const Lists& w);

}  // namespace computer_turn
