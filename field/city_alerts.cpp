// City alerts, the second phase of a tick: a city that sees a character of another nation within
// 150 may send one of the idle characters standing on it out to pursue (one chance in five per
// tick). A defender sent out keeps 9 as its previous state, so after a fight it goes back to
// pursuing and walks home to its base.
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"

void FieldScreen::AlertCities(HWND, WPARAM, CharacterList& characters, NationList&, CityList& cities,
                              FieldPartyList& parties, DivisionList&, std::uint8_t&) {
  for (const City& city : cities) {
    if (!characters.HasEnemyNearCity(city, 150)) continue;
    Point at;
    city.GetPosition(at);
    const std::int32_t owner = city.GetOwner();
    const std::int32_t standing = characters.CountAt(at.x, at.y, owner);
    if (Random(100, 1) < 81 || standing == 0) continue;
    Character* d = characters.GetNthAt(at.x, at.y, owner, Random(standing, 0));
    if (!d || d->GetOrder() == Character::kOrderRecuperation || d->GetState() != 0) continue;
    d->SetStatePursuing();
    d->SavePrevState();
    if (field::HasFieldRole(*d) && d->GetPartyId() != 0)
      if (FieldParty* party = parties.FindById(d->GetPartyId())) party->SetActive();
  }
}
