#include "world/ranking.h"

#include <utility>

#include "world/random.h"

namespace ranking {

void SortDescending(std::vector<Entry>& table) {
  const std::size_t n = table.size();
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (table[i].value < table[j].value) std::swap(table[i], table[j]);
}

std::size_t PickLeader(const std::vector<Entry>& table) {
  const std::size_t last = table.size() - 1;
  int count = 1;
  if (table[0].value != table[1].value) {
    for (std::size_t j = 1; j < last; ++j)
      if (table[j].value == table[j + 1].value) ++count;
    std::size_t pick = static_cast<std::size_t>(rng::Random(count, 1));
    if (rng::Random(100, 1) <= 80) pick = 0;
    return pick;
  }
  for (std::size_t j = 0; j < last; ++j)
    if (table[j].value == table[j + 1].value) ++count;
  return static_cast<std::size_t>(rng::Random(count, 0));
}

}  // namespace ranking
