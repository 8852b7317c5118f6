#pragma once
// Small hand-built worlds for the end-of-turn tests, and scripted draws: Draws({...}) feeds the
// values that each Random(n, base) is to give, in order (each must lie in its range), and
// Drawn() lists the (n, base) of every draw made since.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "core/end_of_turn.h"
#include "tests/support/scripted_draws.h"

namespace eot_test {

// The generator's raw value that makes Random(n, base) give v (for v - base below n).
struct Want {
  int value;
  int base = 1;
};

inline void Draws(std::vector<Want> wants) { test_support::ScriptDraws(wants); }
inline std::vector<std::pair<int, int>> Drawn() { return test_support::RecordedDraws(); }
using test_support::ExpectScriptUsedUp;

struct SmallWorld {
  CharacterList characters;
  NationList nations;
  CityList cities;
  DivisionList divisions;
  InhabitantList inhabitants;
  TradeGoodList goods;

  end_of_turn::Lists lists() { return {characters, nations, cities, divisions, inhabitants, goods}; }

  // A nation with the given treasury; computer-run unless `player`.
  Nation& AddNation(std::int32_t id, std::int32_t funds = 1000, bool player = false) {
    nations.Add(5000 + id, id, funds, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, id, player ? 0 : 1, 0, 0, 0, 0, 0);
    return *nations.GetAt(nations.Count() - 1);
  }

  // A city with field point (x, y), sentiment 50, population 10000 and levels 100.
  City& AddCity(std::int32_t id, std::int32_t owner, std::int32_t x, std::int32_t y) {
    cities.Add(6000 + id, id, 10000, 0, 100, 100, 100, 0, 0, 50, x, y, 0, 0, owner);
    return *cities.GetAt(cities.Count() - 1);
  }

  // A division with `members` members of a limit of 5, fame 0 and threshold 150, with an entry of
  // friendship 50 toward each nation 1..7.
  Division& AddDivision(std::int32_t id, std::int32_t leader, std::int32_t members, std::int32_t employer) {
    divisions.Add(7000 + id, id, leader, members, 5, 150, 0, 0, 0, 0, 0, 0, 0, 0, employer);
    Division& d = *divisions.GetAt(divisions.Count() - 1);
    for (std::int32_t n = 1; n <= 7; ++n) d.relations.Add(n, 50, 0);
    return d;
  }

  // A character standing at (x, y) with that as its base point, free action, friendship 50 and
  // tenure 0 toward nations 1..7 and divisions 1..`division_entries`.
  Character& AddCharacter(std::int32_t id, std::int32_t nation, std::int32_t x = 0, std::int32_t y = 0,
                          std::int32_t rank = 4, std::int32_t division = 0, std::int32_t attachment = 1,
                          std::int32_t home_city = 0, std::int32_t home_division = 0,
                          std::int32_t division_entries = 3) {
    characters.Add(8000 + id, 0, 0, 0, id, x, y, nation, division, 0, 0, rank, home_city, attachment,
                   home_division);
    Character& c = *characters.GetAt(characters.Count() - 1);
    c.SetBasePoint(x, y);
    c.SetOrderFree();
    for (std::int32_t n = 1; n <= 7; ++n) c.nation_relations.Add(n, 50, 0);
    for (std::int32_t d = 1; d <= division_entries; ++d) c.division_relations.Add(d, 50, 0);
    return c;
  }

  // An inhabitant of the given occupation and home city supporting `nation`, with weights and
  // chances 0 unless set afterwards.
  Inhabitant& AddInhabitant(std::int32_t nation, std::int32_t occupation, std::int32_t home_city = 0,
                            std::int32_t favourite = 0) {
    inhabitants.Append(Inhabitant(inhabitants.Count() + 1, nation, occupation, home_city, 0, favourite, 0, 0, 0,
                                  0, 0, 0, 0, 0));
    return *inhabitants.GetAt(inhabitants.Count() - 1);
  }

  TradeGood& AddGood(std::int32_t price, std::int32_t owner, std::int32_t market_chance = 50) {
    goods.Add(9000, 11, price, price, price, 1, 0, owner, market_chance, 1, kTradeGoodCategory, 1);
    return *goods.GetAt(goods.Count() - 1);
  }
};

}  // namespace eot_test
