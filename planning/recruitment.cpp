// A computer nation's recruitment during its turn: one character or one whole division willing
// to serve it, paid for and stationed at one of its cities. The nation keeps a reserve of
// several turns' salaries, the more the more cautious it is in hiring.
#include <cstdint>

#include "planning/thinking_screen.h"
#include "world/saturate.h"

namespace {

// How many salary bills the nation keeps back (characters, divisions); 0 for an unknown caution,
// which hires nobody.
std::int64_t ReserveFactor(std::int32_t hiring_caution, bool division) {
  switch (hiring_caution) {
    case 0:
      return division ? 6 : 4;
    case 1:
      return division ? 8 : 6;
    case 2:
      return division ? 10 : 8;
    default:
      return 0;
  }
}

// The newcomer is willing to serve no nation any more, so nobody else hires it this turn.
void ClearWillingEverywhere(RelationList& relations, const NationList& nations) {
  for (const Nation& n : nations)
    if (RelationEntry* e = relations.Find(n.GetNumber())) e->ClearWilling();
}

}  // namespace

void ThinkingScreen::Recruit(CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList&,
                             DivisionList& divisions, InhabitantList&, std::int32_t nation_index,
                             std::int32_t city_index, std::int32_t kind, std::int32_t mode, std::int32_t& at_city,
                             std::int32_t& idle_at_city) {
  Nation* nation = nations.GetAt(nation_index);
  if (nation == nullptr) return;
  const std::int32_t number = nation->GetNumber();
  const std::int32_t id = nation->GetId();

  if (mode == 0) {
    const std::int32_t c0 = characters.CountWilling(number, 1, 0);
    const std::int32_t c1 = characters.CountWilling(number, 1, 1);
    if ((c0 == 0 && c1 == 0) || kind < 1 || kind > 3) return;
    std::int32_t pool = 0;
    std::int32_t n = 0;
    if (c1 == 0) {
      n = Random(c0, 0);
    } else if (c0 == 0) {
      pool = 1;
      n = Random(c1, 0);
    } else if (Random(2, 0) == 0) {
      n = Random(c0, 0);
    } else {
      pool = 1;
      n = Random(c1, 0);
    }

    Character* c = nullptr;
    if (kind == 1) {
      c = characters.GetNthWilling(number, 1, pool, n);
    } else {
      characters.Rank(kind == 2 ? 34 : 33);  // domestic power, combat power
      c = characters.GetNthWillingByPosition(number, 1, pool, 1);
    }
    if (c == nullptr) return;

    const std::int64_t factor = ReserveFactor(nation->GetHiringCaution(), false);
    if (factor == 0) return;
    // Priced in the int range, as the player's own hiring is, so that the sum below cannot
    // overflow for a damaged character.
    const std::int64_t cost = c->stats.HiringPrice();
    const std::int64_t salary = c->stats.Salary();
    const std::int64_t bill = characters.TotalSalaryOfNation(id);
    if (!(nation->GetFunds() > cost + salary + factor * bill)) return;

    City* city = cities.GetNthOfNation(id, city_index);
    if (city == nullptr) return;
    Point at;
    city->GetPosition(at);
    nation->SetFunds(Plus(nation->GetFunds(), -cost));
    nation->SetMemberCount(Plus(nation->GetMemberCount(), 1));
    c->JoinNationAt(at.x, at.y, id);
    ClearWillingEverywhere(c->nation_relations, nations);
    city->SetDefenceStrength(Plus(city->GetDefenceStrength(), c->stats.GetCombatPower()));
    at_city = Plus(at_city, 1);
    idle_at_city = Plus(idle_at_city, 1);
    return;
  }

  if (mode != 1) return;
  const std::int32_t c = divisions.CountWilling(number, 1);
  if (c < 1 || kind < 1 || kind > 4) return;
  const std::int32_t n = Random(c, 0);

  Division* d = nullptr;
  switch (kind) {
    case 1:
      d = divisions.GetNthWilling(number, 1, n);
      break;
    case 2:
      divisions.Rank(21, id);  // friendship toward this nation
      break;
    case 3:
      divisions.Rank(3, id);  // domestic power
      break;
    default:
      divisions.Rank(2, id);  // combat power
      break;
  }
  if (kind != 1) d = divisions.GetNthWillingByPosition(number, 1, 1);
  if (d == nullptr) return;

  const std::int64_t factor = ReserveFactor(nation->GetHiringCaution(), true);
  if (factor == 0) return;
  const std::int64_t members = d->GetMemberCount();
  if (!(nation->GetPersonnelLimit() >= nation->GetMemberCount() + members)) return;
  const std::int64_t cost = characters.TotalHiringCostOfDivision(d->GetId());
  const std::int64_t salary = characters.TotalSalaryOfDivision(d->GetId());
  const std::int64_t bill = characters.TotalSalaryOfNation(id);
  if (!(nation->GetFunds() > cost + salary + factor * bill)) return;

  City* city = cities.GetNthOfNation(id, city_index);
  if (city == nullptr) return;
  Point at;
  city->GetPosition(at);
  nation->SetFunds(Plus(nation->GetFunds(), -cost));
  nation->SetMemberCount(Plus(nation->GetMemberCount(), members));
  // The division's member count is expected to match the characters carrying its id; a member
  // that is not there is simply not placed, and neither is any after it. The city counts only
  // those who came.
  std::int32_t placed = 0;
  for (; placed < d->GetMemberCount(); ++placed) {
    Character* member = characters.GetNthOfDivision(d->GetId(), placed);
    if (member == nullptr) break;
    member->JoinNationAt(at.x, at.y, id);
    ClearWillingEverywhere(member->nation_relations, nations);
  }
  ClearWillingEverywhere(d->relations, nations);
  d->SetNationId(id);
  // A division adds its average strength, not the sum of its members'.
  city->SetDefenceStrength(Plus(city->GetDefenceStrength(), d->GetCombatPower()));
  at_city = Plus(at_city, placed);
  idle_at_city = Plus(idle_at_city, placed);
}
