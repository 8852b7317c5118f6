// Counts and n-th characters by nation, rank, division and spot, and the salary sums.
#include <cstdint>

#include "world/character_list.h"
#include "world/saturate.h"

namespace {

bool IsAt(const Character& c, std::int32_t x, std::int32_t y) {
  Point p;
  return c.GetPosition(p) == Point{x, y};
}

bool IsBasedAt(const Character& c, std::int32_t x, std::int32_t y) {
  Point p;
  return c.GetBasePoint(p) == Point{x, y};
}

// Only 0 (no division) and 1 (a division) choose anybody.
bool DivisionMatches(const Character& c, std::int32_t with_division) {
  if (with_division == 0) return c.GetDivisionId() == 0;
  if (with_division == 1) return c.GetDivisionId() != 0;
  return false;
}

// The willing flag of the character's entry for the nation; a missing entry is not willing.
std::int32_t WillingToward(const Character& c, std::int32_t nation_id) {
  const RelationEntry* e = c.nation_relations.Find(nation_id);
  return e ? e->IsWilling() : 0;
}

bool InBattle(const Character& c) { return c.GetState() >= 5 && c.GetState() <= 10; }

bool IsAvailable(const Character& c) {
  return c.GetOrder() != Character::kOrderRecuperation && c.GetOrder() != Character::kOrderTraining;
}

bool IsHeadingTo(const Character& c, std::int32_t x, std::int32_t y, std::int32_t nation_id) {
  return !IsAt(c, x, y) && IsBasedAt(c, x, y) && c.GetNationId() == nation_id;
}

bool IsEngaged(const Character& c) { return c.GetState() == 6 || c.GetState() == 9 || c.GetState() == 10; }

}  // namespace

std::int32_t CharacterList::CountOfNation(std::int32_t nation_id) const {
  return CountIf([&](const Character& c) { return c.GetNationId() == nation_id; });
}

Character* CharacterList::GetNthOfNation(std::int32_t nation_id, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return c.GetNationId() == nation_id; });
}

std::int32_t CharacterList::CountOfNationByDivision(std::int32_t nation_id, std::int32_t with_division) const {
  return CountIf(
      [&](const Character& c) { return c.GetNationId() == nation_id && DivisionMatches(c, with_division); });
}

Character* CharacterList::GetNthOfNationByDivision(std::int32_t nation_id, std::int32_t with_division,
                                                   std::int32_t n) const {
  return NthIf(
      n, [&](const Character& c) { return c.GetNationId() == nation_id && DivisionMatches(c, with_division); });
}

std::int32_t CharacterList::CountOfRank(std::int32_t rank) const {
  return CountIf([&](const Character& c) { return c.GetRank() == rank; });
}

Character* CharacterList::GetNthOfRank(std::int32_t rank, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return c.GetRank() == rank; });
}

Character* CharacterList::GetNthOfDivision(std::int32_t division_id, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return c.GetDivisionId() == division_id; });
}

std::int32_t CharacterList::CountInBattleOfNation(std::int32_t nation_id) const {
  return CountIf([&](const Character& c) { return c.GetNationId() == nation_id && InBattle(c); });
}

Character* CharacterList::GetNthInBattleOfNation(std::int32_t nation_id, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return c.GetNationId() == nation_id && InBattle(c); });
}

std::int32_t CharacterList::CountWilling(std::int32_t nation_id, std::int32_t willing,
                                         std::int32_t with_division) const {
  return CountIf([&](const Character& c) {
    return WillingToward(c, nation_id) == willing && DivisionMatches(c, with_division);
  });
}

Character* CharacterList::GetNthWilling(std::int32_t nation_id, std::int32_t willing, std::int32_t with_division,
                                        std::int32_t n) const {
  return NthIf(n, [&](const Character& c) {
    return WillingToward(c, nation_id) == willing && DivisionMatches(c, with_division);
  });
}

std::int32_t CharacterList::CountAt(std::int32_t x, std::int32_t y, std::int32_t nation_id) const {
  return CountIf([&](const Character& c) { return IsAt(c, x, y) && c.GetNationId() == nation_id; });
}

Character* CharacterList::GetNthAt(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return IsAt(c, x, y) && c.GetNationId() == nation_id; });
}

std::int32_t CharacterList::CountAtNotOfRank(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                             std::int32_t rank) const {
  return CountIf([&](const Character& c) {
    return IsAt(c, x, y) && c.GetNationId() == nation_id && c.GetRank() != rank;
  });
}

Character* CharacterList::GetNthAtNotOfRank(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                            std::int32_t rank, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) {
    return IsAt(c, x, y) && c.GetNationId() == nation_id && c.GetRank() != rank;
  });
}

std::int32_t CharacterList::CountAtOfRank(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                          std::int32_t rank) const {
  return CountIf([&](const Character& c) {
    return IsAt(c, x, y) && c.GetNationId() == nation_id && c.GetRank() == rank;
  });
}

Character* CharacterList::GetNthAtNotInOrder(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                             std::int32_t order, std::int32_t n) const {
  return NthIf(n, [&](const Character& c) {
    return IsAt(c, x, y) && c.GetNationId() == nation_id && c.GetOrder() != order;
  });
}

std::int32_t CharacterList::CountAtInOrder(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                           std::int32_t order) const {
  return CountIf([&](const Character& c) {
    return IsAt(c, x, y) && c.GetNationId() == nation_id && c.GetOrder() == order;
  });
}

std::int32_t CharacterList::CountAtAvailable(std::int32_t x, std::int32_t y, std::int32_t nation_id) const {
  return CountIf(
      [&](const Character& c) { return IsAt(c, x, y) && c.GetNationId() == nation_id && IsAvailable(c); });
}

Character* CharacterList::GetNthAtAvailable(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                            std::int32_t n) const {
  return NthIf(
      n, [&](const Character& c) { return IsAt(c, x, y) && c.GetNationId() == nation_id && IsAvailable(c); });
}

std::int32_t CharacterList::CountHeadingTo(std::int32_t x, std::int32_t y, std::int32_t nation_id) const {
  return CountIf([&](const Character& c) { return IsHeadingTo(c, x, y, nation_id); });
}

Character* CharacterList::GetNthHeadingTo(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                          std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return IsHeadingTo(c, x, y, nation_id); });
}

std::int32_t CharacterList::CountHeadingToNotEngaged(std::int32_t x, std::int32_t y, std::int32_t nation_id) const {
  return CountIf([&](const Character& c) { return IsHeadingTo(c, x, y, nation_id) && !IsEngaged(c); });
}

Character* CharacterList::GetNthHeadingToNotEngaged(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                                    std::int32_t n) const {
  return NthIf(n, [&](const Character& c) { return IsHeadingTo(c, x, y, nation_id) && !IsEngaged(c); });
}

std::int32_t CharacterList::CountHealthyIdleAt(std::int32_t x, std::int32_t y, std::int32_t nation_id) const {
  return CountIf([&](const Character& c) {
    if (!IsAt(c, x, y) || c.GetNationId() != nation_id || c.GetOrder() != Character::kOrderFree) return false;
    // Four fifths of max HP in floating point, the fraction dropped: max HP 59 needs HP 47.
    auto threshold = static_cast<std::int64_t>(c.stats.GetMaxHp() * 0.8);
    return c.stats.GetHp() >= threshold;
  });
}

Character* CharacterList::FindByRankAndNation(std::int32_t rank, std::int32_t nation_id) const {
  return NthIf(0, [&](const Character& c) { return c.GetRank() == rank && c.GetNationId() == nation_id; });
}

bool CharacterList::IsDivisionWithoutNationMembers(std::int32_t division_id) const {
  for (auto& c : *this)
    if (c.GetDivisionId() == division_id && c.GetNationId() != Character::kNationNone) return false;
  return true;
}

Character* CharacterList::GetNthWillingByPosition(std::int32_t nation_id, std::int32_t willing,
                                                  std::int32_t with_division, std::int32_t n) const {
  // Here any nonzero flag means "with a division".
  std::int32_t counter = 1;
  for (std::int32_t position = 1; position <= 999; ++position) {
    Character* c = FindByRankingPosition(position);
    if (!c) continue;
    bool division_ok = with_division != 0 ? c->GetDivisionId() != 0 : c->GetDivisionId() == 0;
    if (WillingToward(*c, nation_id) != willing || !division_ok) continue;
    if (counter == n) return c;
    ++counter;
  }
  return GetAt(0);
}

std::int32_t CharacterList::GetHiringCostOfNth(std::int32_t nation_id, std::int32_t n) const {
  const Character* c = GetNthOfNation(nation_id, n);
  if (!c) return 0;
  std::int32_t rank = c->GetRank();
  if (rank == 1 || rank == 2 || rank == 4) return c->stats.HiringPrice();
  return 0;
}

std::int32_t CharacterList::TotalSalaryOfNation(std::int32_t nation_id) const {
  SaturatingSum sum;
  for (auto& c : *this)
    if (c.GetNationId() == nation_id) sum.Add(c.stats.ExactSalary());
  return sum.Get();
}

std::int32_t CharacterList::TotalSalaryOfDivision(std::int32_t division_id) const {
  SaturatingSum sum;
  for (auto& c : *this)
    if (c.GetDivisionId() == division_id) sum.Add(c.stats.ExactSalary());
  return sum.Get();
}

std::int32_t CharacterList::TotalHiringCostOfDivision(std::int32_t division_id) const {
  SaturatingSum sum;
  for (auto& c : *this)
    if (c.GetDivisionId() == division_id) sum.Add(c.stats.ExactHiringPrice());
  return sum.Get();
}
