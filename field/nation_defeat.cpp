// The dissolution of defeated nations, the fifth phase of a tick: the king of a fallen nation
// becomes the leader of a free band, its vassals become mercenaries, everyone leaves for the
// unaffiliated (the lords for the lords' group), any city it still holds is left without owner,
// and the nation is struck from the list.
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"

void FieldScreen::DissolveDefeatedNations(HWND, WPARAM, CharacterList& characters, NationList& nations,
                                          CityList& cities, FieldPartyList&, DivisionList&, std::uint8_t& defeat) {
  if (defeat != 1) return;
  // The index moves on only past a nation that stays: the one that moves into a removed
  // nation's place is examined at once, so every nation marked this tick is gone by its end.
  for (std::int32_t i = 0; i < nations.Count();) {
    const Nation* nation = nations.GetAt(i);
    if (!nation->IsMarkedForDissolution()) {
      ++i;
      continue;
    }
    const std::int32_t id = nation->GetId();
    // The king first. A released character leaves the nation, so the one that moves into its
    // place is passed over by this walk (and released by the next).
    for (std::int32_t j = 0; j < characters.CountOfNation(id); ++j) {
      Character* c = characters.GetNthOfNation(id, j);
      if (c->GetRank() != 0) continue;
      c->SetRankMercenary();
      c->MarkDissolved();
      characters.DropActionsInHand(*c);
      c->Release();
    }
    const std::int32_t left = characters.CountOfNation(id);
    for (std::int32_t k = 0; k < left; ++k) {
      Character* c = characters.GetNthOfNation(id, 0);
      if (!c) break;
      if (c->GetRank() == 1) c->SetRankMercenary();
      characters.DropActionsInHand(*c);
      c->Release();
    }
    // A nation marked earlier in the tick may have taken a city since; no city is left to a
    // nation that is no more.
    for (City& city : cities)
      if (city.GetOwner() == id) city.SetOwner(City::kNoOwner);
    nations.RemoveById(id);
    defeat = 0;
  }
}
