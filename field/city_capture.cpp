// A marching character on its destination: a city of another nation (or of none) is taken, its
// defenders withdrawing to another city of theirs; a city of its own nation ends the march, one
// chance in ten per tick.
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"
#include "world/saturate.h"

namespace field {

namespace {

void Capture(FieldWorld& w, Character& u, City& city, std::uint8_t& defeat) {
  const Point at = DestinationOf(u);
  const std::int32_t loser = city.GetOwner();  // 100: nobody
  const std::int32_t defenders = w.characters.CountAt(at.x, at.y, loser);
  if (defenders > 0) {
    const std::int32_t others = w.cities.CountOfNationExcludingPosition(loser, at.x, at.y);
    if (others > 0) {
      const City* refuge = w.cities.GetNthOfNationExcludingPosition(loser, at.x, at.y, FieldScreen::Random(others, 0));
      Point p;
      refuge->GetPosition(p);
      for (std::int32_t i = 0; i < defenders; ++i) {
        Character* d = w.characters.GetNthAt(at.x, at.y, loser, 0);
        if (!d) break;
        d->SetBasePoint(p.x, p.y);
        d->SetPosition(p.x, p.y);
      }
    } else {
      // Its last city, with its people in it: the nation falls; they stay where they are.
      if (Nation* n = w.nations.FindById(loser)) n->SetDefeated();
      defeat = 1;
    }
  }
  TakeCity(w, city, u.GetNationId());
  u.SetBasePoint(at.x, at.y);
  if (HasFieldRole(u) && u.GetPartyId() != 0)
    if (const FieldParty* party = w.parties.FindById(u.GetPartyId())) party->SetBasePointAll(w.characters, at.x, at.y);
}

void ComeHome(FieldWorld& w, Character& u) {
  StandDown(w.characters, u);
  u.skill_slots.ClearAttacking();
  u.skill_slots.SetActionStep(0);
  u.SetStateThinking();
  u.ClearInFormation();
  if (u.GetRank() == Character::kRankLord) {
    // A lord's service ends with the march.
    if (Nation* n = w.nations.FindById(u.GetNationId()))
      n->SetLordCount(Plus(n->GetLordCount(), -1));
    u.Release();
  }
  if (u.GetPartyId() != 0) {
    FieldParty* party = w.parties.FindById(u.GetPartyId());
    if (party && (party->AllMembersArrived(w.characters) || party->AllMembersAtBase(w.characters)))
      party->ClearActive();
  }
}

}  // namespace

void TakeCity(FieldWorld& w, City& city, std::int32_t nation) {
  const std::int32_t loser = city.GetOwner();  // 100: nobody
  if (loser == nation) return;
  if (Nation* winner = w.nations.FindById(nation))
    winner->SetCityCount(Plus(winner->GetCityCount(), 1));
  if (loser != City::kNoOwner)
    if (Nation* n = w.nations.FindById(loser)) n->SetCityCount(Plus(n->GetCityCount(), -1));
  city.SetOwner(nation);
}

void HandleArrival(FieldWorld& w, Character& u, std::uint8_t& defeat) {
  const Point at = DestinationOf(u);
  if (PositionOf(u) != at || u.GetOrder() == Character::kOrderRecuperation) return;
  // Destinations are city points; a character sent anywhere else simply stands there.
  City* city = w.cities.FindAtPosition(at.x, at.y);
  if (!city) return;
  if (city->GetOwner() != u.GetNationId())
    Capture(w, u, *city, defeat);
  else if (FieldScreen::Random(100, 1) > 90)
    ComeHome(w, u);
}

}  // namespace field
