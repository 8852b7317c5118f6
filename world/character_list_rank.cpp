// The character rankings of the thinking screen and the end of turn, and the leader pick.
#include <cstdint>
#include <vector>

#include "world/character_list.h"
#include "world/ranking.h"

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

}  // namespace

void CharacterList::Rank(std::int32_t criterion) {
  // The game's table held 1000 entries whatever the list's length; it is sized to the list.
  const std::int32_t n = Count();
  std::vector<ranking::Entry> table(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) table[i] = {CriterionValue(*GetAt(i), criterion), i};
  ranking::SortDescending(table);
  ranking::ForEachPosition(table, [&](std::int32_t index, std::int32_t position, std::int32_t rank) {
    Character& c = *GetAt(index);
    c.SetRankingPosition(position);
    c.SetRankingRank(rank);
  });
}

Character* CharacterList::FindByRankingPosition(std::int32_t position) const {
  return NthIf(0, [&](const Character& c) { return c.GetRankingPosition() == position; });
}

Character* CharacterList::PickLeader() const {
  // The five most famous: each pass takes the first character in list order with the greatest
  // fame not yet taken; fame 0 is never taken, so an entry may hold nobody.
  std::vector<ranking::Entry> top(5);
  for (std::size_t k = 0; k < top.size(); ++k) {
    std::int32_t i = 0;
    for (auto& c : *this) {
      bool taken = false;
      for (const ranking::Entry& e : top) taken = taken || e.index == i;
      if (c.stats.GetFame() > top[k].value && !taken) top[k] = {c.stats.GetFame(), i};
      ++i;
    }
  }
  ranking::SortDescending(top);
  // A pick of an entry that holds nobody gives the end (the game read an empty entry).
  return GetAt(top[ranking::PickLeader(top)].index);
}
