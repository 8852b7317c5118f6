#pragma once
// The game's ranking table, shared by the character, division and nation lists: one entry of a
// value and a list index per element, put in order by the game's exchange sort, then read as
// ranking positions and shared ranks, or used to pick a leader among the best.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ranking {

struct Entry {
  std::int32_t value = 0;
  std::int32_t index = -1;  // list index; -1 for an entry that holds nobody
};

// Highest first. Equal values are never exchanged, so the order among them is the one the
// exchanges leave; positions and shared ranks follow from it.
void SortDescending(std::vector<Entry>& table);

// Calls set(list index, position from 1, shared rank) for each entry of a sorted table in turn.
// Equal values share the rank of the first of them.
template <typename Set>
void ForEachPosition(const std::vector<Entry>& table, Set set) {
  std::int32_t rank = 1;
  for (std::size_t p = 0; p < table.size(); ++p) {
    const auto position = static_cast<std::int32_t>(p) + 1;
    if (p > 0 && table[p].value != table[p - 1].value) rank = position;
    set(table[p].index, position, rank);
  }
}

// The leader pick from a sorted table of two or more entries; gives the place in the table. A
// single best is taken for a roll of 1 to 80, a runner-up otherwise; equal leaders share the pick.
// Every equal neighbouring pair after the first entry widens the runners-up, wherever it stands.
std::size_t PickLeader(const std::vector<Entry>& table);

}  // namespace ranking
