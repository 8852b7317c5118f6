// The character rankings of the thinking screen and the end of turn, and the leader pick.
#include <cstdint>
#include <vector>

#include "world/character_list.h"

namespace {

std::int32_t CriterionValue(const Character& c, std::int32_t criterion) {
  const StatsBlock& s = c.stats;
  switch (criterion) {
    case 1: return s.GetMaxHp();
    case 2: return s.GetMaxSp();
    case 3: return s.GetAttack();
    case 4: return s.GetDefence();
    case 5: return c.GetBaseStat(3);
    case 6: return c.GetBaseStat(4);
    case 7: return c.GetBaseStat(5);
    case 11: return s.GetAgricultureValue();
    case 12: return s.GetCommerceValue();
    case 13: return s.GetIndustryValue();
    case 14: return s.GetResourceValue();
    case 21: return s.GetHitRate();
    case 22: return s.GetEvasionRate();
    case 23: return s.GetCriticalRate();
    case 24: return s.GetDefenceRate();
    case 25: return s.GetWinRate();
    case 31: return s.GetLevel();
    case 32: return s.GetFame();
    case 33: return s.GetCombatPower();
    case 34: return s.GetDomesticPower();
    case 35: return s.GetKillCount();
    case 36: return s.GetPopularity();
    case 41: return s.GetCharm();
    default: return 0;  // callers pass only the codes above
  }
}

struct Entry {
  std::int32_t value = 0;
  std::int32_t index = -1;  // list index; -1 for an entry that holds nobody
};

// The game's exchange sort, highest first. It fixes the order among equal values, which are
// never exchanged; positions and shared ranks follow from it.
void ExchangeSortDescending(std::vector<Entry>& table) {
  const std::size_t n = table.size();
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (table[i].value < table[j].value) std::swap(table[i], table[j]);
}

}  // namespace

void CharacterList::Rank(std::int32_t criterion) {
  // The game's table held 1000 entries whatever the list's length; it is sized to the list.
  const std::int32_t n = Count();
  std::vector<Entry> table(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) table[i] = {CriterionValue(*GetAt(i), criterion), i};
  ExchangeSortDescending(table);
  std::int32_t previous_rank = 1;
  for (std::int32_t p = 0; p < n; ++p) {
    Character& c = *GetAt(table[p].index);
    c.SetRankingPosition(p + 1);
    std::int32_t rank = 1;
    if (p > 0) {
      if (table[p].value != table[p - 1].value) previous_rank = p + 1;
      rank = previous_rank;
    }
    c.SetRankingRank(rank);
  }
}

Character* CharacterList::FindByRankingPosition(std::int32_t position) const {
  return NthIf(0, [&](const Character& c) { return c.GetRankingPosition() == position; });
}

Character* CharacterList::PickLeader() const {
  // The five most famous: each pass takes the first character in list order with the greatest
  // fame not yet taken; fame 0 is never taken, so an entry may hold nobody.
  std::vector<Entry> top(5);
  for (std::size_t k = 0; k < top.size(); ++k) {
    std::int32_t i = 0;
    for (auto& c : *this) {
      bool taken = false;
      for (const Entry& e : top) taken = taken || e.index == i;
      if (c.stats.GetFame() > top[k].value && !taken) top[k] = {c.stats.GetFame(), i};
      ++i;
    }
  }
  ExchangeSortDescending(top);

  std::int32_t pick;
  if (top[0].value != top[1].value) {
    // A single most famous character: it is taken for a roll of 1 to 80, a runner-up otherwise.
    std::int32_t count = 1;
    for (std::size_t j = 1; j <= 3; ++j)
      if (top[j].value == top[j + 1].value) ++count;
    pick = Character::Random(count, 1);
    if (Character::Random(100, 1) <= 80) pick = 0;
  } else {
    std::int32_t count = 1;
    for (std::size_t j = 0; j <= 3; ++j)
      if (top[j].value == top[j + 1].value) ++count;
    pick = Character::Random(count, 0);
  }
  // A pick of an entry that holds nobody gives the end (the game read an empty entry).
  return GetAt(top[static_cast<std::size_t>(pick)].index);
}
