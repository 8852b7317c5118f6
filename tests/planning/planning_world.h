#pragma once
// Small hand-built worlds for the thinking phase's tests, with the game's master tactics and
// policies, and scripted draws: Draws({...}) feeds the values each Random(n, base) is to give, in
// order; Drawn() lists the (n, base) of every draw made since.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "core/builtin_tables.h"
#include "planning/computer_turn.h"
#include "planning/thinking_screen.h"
#include "tests/planning/game_lists.h"
#include "tests/support/scripted_draws.h"

namespace planning_test {

// The value Random(n, base) is to give.
struct Want {
  int value;
  int base = 0;
};

inline void Draws(std::vector<Want> wants) { test_support::ScriptDraws(wants); }
inline std::vector<std::pair<int, int>> Drawn() { return test_support::RecordedDraws(); }
using test_support::ExpectScriptUsedUp;

struct World : GameLists {
  ThinkingScreen screen;

  World() {
    builtin::AddMasterTactics(tactics);
    builtin::AddMasterPolicies(policies);
  }

  computer_turn::Lists lists() {
    return {characters, nations, cities, parties, divisions, name_pool, inhabitants, tactics, policies};
  }

  // A nation with number and id `id`, computer-run unless `player`, with the given cautions.
  Nation& AddNation(std::int32_t id, std::int32_t funds = 100000, bool player = false, std::int32_t attack_caution = 0,
                    std::int32_t hiring_caution = 0) {
    nations.Add(names::kNone, id, funds, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, id, player ? 0 : 1, 0, 0, attack_caution,
                hiring_caution, 0);
    Nation& n = *nations.GetAt(nations.Count() - 1);
    n.SetTurnOrder(nations.Count() - 1);
    return n;
  }

  // A city with sentiment 50 and defence 0.
  City& AddCity(std::int32_t id, std::int32_t owner, std::int32_t x, std::int32_t y) {
    cities.Add(names::kNone, id, 10000, 0, 100, 100, 100, 0, 0, 50, x, y, 0, 0, owner);
    return *cities.GetAt(cities.Count() - 1);
  }

  // A division of `members` members with an entry of friendship 50 toward nations 1..7.
  Division& AddDivision(std::int32_t id, std::int32_t leader, std::int32_t members, std::int32_t employer = 15) {
    divisions.Add(names::kNone, id, leader, members, 5, 150, 0, 0, 0, 0, 0, 0, 0, 0, employer);
    Division& d = *divisions.GetAt(divisions.Count() - 1);
    for (std::int32_t n = 1; n <= 7; ++n) d.relations.Add(n, 50, 0);
    return d;
  }

  // A character of level 1 standing at (x, y), in free action, HP and max HP 100, with entries of
  // friendship 50 toward nations 1..7 and every action weight 0.
  Character& AddCharacter(std::int32_t id, std::int32_t nation, std::int32_t x = 0, std::int32_t y = 0,
                          std::int32_t rank = 2, std::int32_t division = 0) {
    characters.Add(names::kNone, 0, 0, 0, id, x, y, nation, division, 0, 1, rank, 0, 0, 0);
    Character& c = *characters.GetAt(characters.Count() - 1);
    c.SetBasePoint(x, y);
    c.SetOrderFree();
    c.stats.SetLevel(1);
    c.stats.SetMaxHp(100);
    c.stats.SetHp(100);
    for (std::int32_t n = 1; n <= 7; ++n) c.nation_relations.Add(n, 50, 0);
    return c;
  }

  void SetWilling(Character& c, std::int32_t nation) { c.nation_relations.Find(nation)->SetWilling(); }
  void SetWilling(Division& d, std::int32_t nation) { d.relations.Find(nation)->SetWilling(); }
};

}  // namespace planning_test
