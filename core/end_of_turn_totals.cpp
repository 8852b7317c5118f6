// The closing totals of a turn, worked out from scratch: every character's combat power, domestic
// power and popularity, the divisions' sums and averages, the cities' defence strength and the
// nations' combat power.
#include <cstdint>

#include "core/end_of_turn.h"
#include "core/end_of_turn_rules.h"

namespace end_of_turn {

using namespace rules;

void ComputeCharacterValues(const Lists& w) {
  for (Character& c : w.characters) {
    c.ComputeCombatPower();
    c.stats.ComputeDomesticPower();
    c.stats.SetPopularity(w.inhabitants.CountWithFavourite(c.GetId()));
  }
}

void ComputeDivisionTotals(const Lists& w) {
  for (Division& d : w.divisions) {
    d.SetCombatPower(0);
    d.SetDomesticPower(0);
    d.SetPopularity(0);
  }
  for (Division& d : w.divisions) {
    SaturatingSum combat, domestic, popularity;
    for (const Character& c : w.characters) {
      if (c.GetDivisionId() != d.GetId()) continue;
      combat.Add(c.stats.GetCombatPower());
      domestic.Add(c.stats.GetDomesticPower());
      popularity.Add(c.stats.GetPopularity());
    }
    // Averages over the stored member count; a division without members averages 0.
    const std::int32_t members = d.GetMemberCount();
    d.SetCombatPower(members > 0 ? combat.Get() / members : 0);
    d.SetDomesticPower(members > 0 ? domestic.Get() / members : 0);
    d.SetPopularity(popularity.Get());
  }
}

void ComputeCityDefence(const Lists& w) {
  for (City& city : w.cities) {
    SaturatingSum strength;
    const std::int32_t near = w.characters.CountOwnersNearCity(city, 150);
    for (std::int32_t i = 0; i < near; ++i)
      strength.Add(w.characters.GetNthOwnerNearCity(city, i, 150)->stats.GetCombatPower());
    city.SetDefenceStrength(strength.Get());
  }
}

void ComputeNationCombatPower(const Lists& w) {
  for (Nation& n : w.nations) {
    SaturatingSum total;
    for (const Character& c : w.characters)
      if (c.GetNationId() == n.GetId()) total.Add(c.stats.GetCombatPower());
    n.SetTotalCombatPower(total.Get());
  }
}

}  // namespace end_of_turn
