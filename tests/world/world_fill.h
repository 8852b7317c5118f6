#pragma once
// Elements with a distinct value in every field, added through the lists' add operations, for
// the record layouts and the round trips.
#include <cstdint>

#include "world/division.h"
#include "world/names.h"
#include "world/nation.h"
#include "world/policy.h"
#include "world/stats_block.h"
#include "world/tactic.h"

namespace fill {

inline constexpr NameRef kNameA = names::Of("銀の延べ棒");
inline constexpr NameRef kNameB = names::Of("銀塊");
inline constexpr NameRef kNameC = names::Of("金の延べ棒");
inline constexpr NameRef kNameD = names::Of("金塊");
inline constexpr NameRef kNameE = names::Of("千両箱");

// A tactic whose values all derive from `base`.
inline void AddTactic(TacticList& list, NameRef name, std::int32_t id, std::int32_t base) {
  list.Add(name, id, base + 1, base + 2, 1.5 + base, 0.5 + base, base + 3, base + 4, base + 5, base + 6,
           base + 7, base + 8, base + 9, 0.25f, 0.75f, base + 10, base + 11, base + 12, base + 13, base + 14,
           base + 15, kNameE, 1, 2, 3, 4, 5, 6, 7, 8, base + 16, base + 17, kNameD, base + 18, base + 19,
           base + 20, base + 21);
}

// (Its limit, the number of draws, stays within what a file may hold.)
inline void AddPolicy(PolicyList& list, NameRef name, std::int32_t id, std::int32_t base) {
  list.Add(name, id, base + 1, base + 2, (base + 3) % Policy::kMostDraws, base + 4, 0.5f + base, base + 5, base + 6,
           base + 7, 1);
}

// A stats block whose field i holds base + i (field 0 a name).
inline StatsBlock Stats(NameRef name, std::int32_t base) {
  StatsBlock s;
  for (int i = 1; i < StatsBlock::kFieldCount; ++i) s.SetField(i, base + i);
  s.SetName(name);
  return s;
}

// A nation whose every saved field holds a value of its own, with two tactics and one policy.
inline Nation* AddNation(NationList& list, NameRef name, std::int32_t id, std::int32_t base) {
  list.Add(name, id, base + 1, base + 2, base + 3, base + 4, base + 5, base + 6, base + 7, base + 8, base + 9,
           base + 10, base + 11, base + 12, id, 1, base + 13, base + 14, 1 + id % 2, id % 3, 0);
  Nation* n = list.GetAt(list.Count() - 1);
  n->SetTotalCombatPower(base + 15);
  n->SetTacticsValue(base + 16);
  n->SetPolicyValue(base + 17);
  n->SetResearchPoints(base + 18);
  n->SetResearchBonusFlag(base + 19);
  n->SetTurnOrder(id - 1);
  n->SetTurnsTaken(base + 20);
  n->SetSecondStatsBlock(Stats(kNameC, base + 100));
  AddTactic(n->tactics, kNameA, 3, base + 200);
  AddTactic(n->tactics, kNameB, 9, base + 300);
  AddPolicy(n->policies, kNameC, 4, base + 400);
  return n;
}

// A division with distinct fields and an entry per nation 1..7.
inline Division* AddDivision(DivisionList& list, NameRef name, std::int32_t id, std::int32_t base) {
  list.Add(name, id, base + 1, base + 2, base + 3, base + 4, base + 5, base + 6, base + 7, base + 8, base + 9,
           base + 10, base + 11, base + 12, id % 2 ? 15 : 1 + id % 7);
  Division* d = list.GetAt(list.Count() - 1);
  d->SetRankingPosition(base + 13);
  d->SetSharedRank(base + 14);
  d->SetDomesticTendency(base + 15);
  d->SetSortieTendency(base + 16);
  d->SetPatrolTendency(base + 17);
  for (std::int32_t nation = 1; nation <= 7; ++nation) {
    d->relations.Add(nation, (base + nation * 7) % 101, base + nation);
    if ((nation + id) % 3 == 0) d->relations.GetAt(nation - 1)->SetWilling();
  }
  return d;
}

}  // namespace fill
