// Knocked-out characters, the third phase of a tick. Lords and mercenaries leave their nation
// whole and healed. Everyone else is carried to a city of its nation (its base city while the
// nation holds it) and put to recuperation for three to five turns; a nation left without a city
// whose king falls is defeated.
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"
#include "world/saturate.h"

namespace {

using field::BasePointOf;

// A fallen character's boosts, weakening, tactic and ailments end, and what it had in hand is
// given up: an attack or a cast kept through a release would be carried out on its old target,
// wherever that one stands, once the character fights again for whoever hires it.
void EndEverything(const CharacterList& characters, Character& c) {
  characters.DropActionsInHand(c);
  field::EndSelfBoost(c);
  field::EndAllyBoost(c);
  field::EndWeakening(c);
  field::EndTactic(c);
  field::EndAilments(c);
}

// A lord's or a mercenary's service ends where it falls.
void Discharge(const CharacterList& characters, NationList& nations, Character& c) {
  c.stats.SetHp(c.stats.GetMaxHp());
  c.stats.SetSp(c.stats.GetMaxSp());
  EndEverything(characters, c);
  c.SetMorale(100);
  c.stats.SetLastDamage(0);
  c.ClearPopup();
  if (Nation* n = nations.FindById(c.GetNationId())) {
    if (c.GetRank() == Character::kRankLord)
      n->SetLordCount(Plus(n->GetLordCount(), -1));
    else
      n->SetMemberCount(Plus(n->GetMemberCount(), -1));
  }
  c.Release();
}

class Carrier {
 public:
  Carrier(NationList& nations, CityList& cities, std::uint8_t& defeat)
      : nations_(nations), cities_(cities), defeat_(defeat) {}

  // Returns false when the character is left as it lies (a band leader or a party leader of a
  // nation without a city), true when it goes on to recuperate.
  bool CarryHome(Character& c) {
    const std::int32_t role = c.GetRole();
    if (field::HasFieldRole(c)) {
      if (ToCityOfNation(c)) return true;
      if (c.GetRank() == 0) {
        Defeat(c);
      } else if (c.GetRank() == 1) {
        c.SetRankMercenary();
        c.Release();
      } else if (role == 0) {
        Defeat(c);
      } else if (role == 1 || role == 5) {
        return false;
      } else {
        c.Release();
      }
    } else if (role == 4 || role == 7) {
      if (!ToCityOfNation(c)) {
        if (Nation* n = nations_.FindById(c.GetNationId()))
          n->SetMemberCount(Plus(n->GetMemberCount(), -1));
        c.Release();
      }
    }
    return true;
  }

 private:
  // To its base city when its nation holds it, else to one of the nation's cities drawn at
  // random; false when the nation has none.
  bool ToCityOfNation(Character& c) {
    const Point base = BasePointOf(c);
    const City* home = cities_.FindAtPosition(base.x, base.y);
    if (home && home->GetOwner() == c.GetNationId()) {
      c.SetPosition(base.x, base.y);
      return true;
    }
    const std::int32_t count = cities_.CountOfNation(c.GetNationId());
    if (count == 0) return false;
    Point p;
    cities_.GetNthOfNation(c.GetNationId(), FieldScreen::Random(count, 0))->GetPosition(p);
    c.SetBasePoint(p.x, p.y);
    c.SetPosition(p.x, p.y);
    return true;
  }

  void Defeat(const Character& c) {
    defeat_ = 1;
    if (Nation* n = nations_.FindById(c.GetNationId())) n->SetDefeated();
  }

  NationList& nations_;
  CityList& cities_;
  std::uint8_t& defeat_;
};

}  // namespace

void FieldScreen::HandleKnockedOut(HWND, WPARAM, CharacterList& characters, NationList& nations, CityList& cities,
                                   FieldPartyList&, DivisionList&, std::uint8_t& defeat) {
  Carrier carrier(nations, cities, defeat);
  for (Character& c : characters) {
    if (c.GetState() != 12) continue;
    if (c.GetRank() == 4 || c.GetRank() == Character::kRankLord) {
      Discharge(characters, nations, c);
      continue;
    }
    const bool carried = carrier.CarryHome(c);
    EndEverything(characters, c);
    // A band or party leader of a nation without a city stays where it fell.
    if (!carried) continue;
    c.SetMorale(100);
    c.stats.SetLastDamage(0);
    c.ClearPopup();
    c.skill_slots.ClearAttacking();
    c.skill_slots.SetActionStep(0);
    c.SetStateThinking();
    c.SetOrderRecuperation();
    c.SetRecuperationTurns(Random(3, 3));
  }
}
