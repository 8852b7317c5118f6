// Field parties on the march. The first phase of a tick moves the parties in formation: members
// meet enemies and leave the formation to fight, a party lined up sets off, the leader walks and
// the followers keep their places around it, and a member on its destination takes the city or
// ends the march. The fourth phase gathers idle members and sends a party whose march is over back
// to its base or to another city of its nation.
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"
#include "world/saturate.h"

namespace {

using field::PositionOf;

// The character of an occupied slot; nullptr for an empty slot or an id that names nobody.
Character* Member(const FieldParty& party, const CharacterList& characters, int slot) {
  const std::int32_t id = party.GetMemberId(slot);
  return id == 0 ? nullptr : field::FindCharacter(characters, id);
}

// The active parties, as many as there were when the phase began; a party made inactive on the
// way shifts the later ones down, so the one after it waits for the next tick.
template <typename Visit>
void ForEachActiveParty(FieldPartyList& parties, Visit visit) {
  const std::int32_t n = parties.CountActive();
  for (std::int32_t i = 0; i < n; ++i) {
    FieldParty* party = parties.GetNthActive(i);
    if (!party) return;
    visit(*party);
  }
}

bool NationOwnsCityAt(const CityList& cities, std::int32_t nation, const Point& p) {
  const City* city = cities.FindAtPosition(p.x, p.y);
  return city && city->GetOwner() == nation;
}

// An enemy within 60 that is not of an allied nation draws a member out of the formation.
bool MeetsEnemy(FieldWorld& w, const Character& m) {
  return w.characters.HasActiveEnemyNear(m, 60) &&
         !field::IsAllied(w.nations, m, *w.characters.FindNearestActiveEnemyInSquare(m, 60));
}

void Engage(FieldWorld& w, Character& m) {
  const CharacterList& l = w.characters;
  if (!l.HasActiveEnemyNear(m, 40)) {
    const Character& e = *l.FindNearestActiveEnemyInSquare(m, 60);
    if (e.GetState() == 0) return;
    m.SavePrevState();
    m.SetStateResting();
    const Point p = PositionOf(e);
    m.SetApproachPoint(p.x, p.y);
    m.ClearInFormation();
    return;
  }
  const Character& e = *l.FindNearestActiveEnemyInSquare(m, 40);
  if (e.GetState() == 0) return;
  m.SavePrevState();
  m.SetStateFighting();
  m.SetWalkStep(0);
  m.ClearInFormation();
  field::KeepAttackOnlyOn(m, e);
  m.ChooseEngagementPoint(e);
  Point spot;
  if (PositionOf(m) != m.GetEngagementPoint(spot)) m.SetStateCombatMoving();
}

// Morale in the ranks moves by one at most per tick.
void DriftMorale(Character& m) {
  if (m.GetState() == 0 || m.GetState() == 12) return;
  const int r = FieldScreen::Random(100, 1);
  if (r <= 20)
    m.SetMorale(Plus(m.GetMorale(), 1));
  else if (r >= 81)
    m.SetMorale(Plus(m.GetMorale(), -1));
}

void Capture(FieldWorld& w, FieldParty& party, Character& m, City& city, std::uint8_t& defeat) {
  Point at;
  city.GetPosition(at);
  const std::int32_t loser = city.GetOwner();
  const std::int32_t defenders = w.characters.CountAt(at.x, at.y, loser);
  if (defenders > 0) {
    const std::int32_t others = w.cities.CountOfNationExcludingPosition(loser, at.x, at.y);
    Point refuge;
    if (others > 0)
      w.cities.GetNthOfNationExcludingPosition(loser, at.x, at.y, FieldScreen::Random(others, 0))->GetPosition(refuge);
    for (std::int32_t i = 0; i < defenders; ++i) {
      if (others == 0) {
        defeat = 1;
        if (Nation* n = w.nations.FindById(loser)) n->SetDefeated();
      } else if (Character* d = w.characters.GetNthAt(at.x, at.y, loser, 0)) {
        d->SetBasePoint(refuge.x, refuge.y);
        d->SetPosition(refuge.x, refuge.y);
      }
    }
  }
  field::TakeCity(w, city, m.GetNationId());
  if (field::HasFieldRole(m)) party.SetBasePointAll(w.characters, at.x, at.y);
}

void EndMarch(FieldWorld& w, FieldParty& party, Character& m) {
  w.characters.DropActionsInHand(m);
  field::EndSelfBoost(m);
  field::EndAllyBoost(m);
  field::EndWeakening(m);
  field::EndAilments(m);
  m.SetMorale(100);
  m.SetStateThinking();
  if (party.AllMembersArrived(w.characters)) party.ClearActive();
  const std::int32_t role = m.GetRole();
  if (role == 0 || role == 1 || role == 2 || role == 5) party.BreakFormation(w.characters);
}

void UpdateParty(FieldWorld& w, FieldParty& party, std::uint8_t& defeat) {
  const CharacterList& l = w.characters;
  const bool lined_up = party.AllMembersLinedUp(l);
  for (int slot = 0; slot < FieldParty::kSlots; ++slot) {
    Character* m = Member(party, l, slot);
    if (!m) continue;
    if (m->GetState() == 2 && m->IsInFormation() && MeetsEnemy(w, *m)) Engage(w, *m);
    if (m->GetState() == 3) {
      if (lined_up) m->SetStateMoving();
      if (m->IsInFormation() && MeetsEnemy(w, *m)) Engage(w, *m);
      if (party.AnyMemberOutOfFormation(l)) {
        m->SavePrevState();
        m->SetStateMoving();
        m->ClearInFormation();
      }
    }
    DriftMorale(*m);
  }
  // The leader walks; the followers take their places around where it now stands.
  for (int slot = 0; slot < FieldParty::kSlots; ++slot) {
    Character* m = Member(party, l, slot);
    if (!m) continue;
    if (m->GetState() == 2 && m->IsInFormation()) {
      if (slot == 0)
        m->ActionStep(nullptr);
      else
        party.PlaceMember(l, slot);
    } else if (m->GetState() == 3) {
      m->ActionStep(nullptr);
    }
  }
  for (int slot = 0; slot < FieldParty::kSlots; ++slot) {
    Character* m = Member(party, l, slot);
    if (!m || m->GetState() != 2) continue;
    const Point at = field::DestinationOf(*m);
    if (PositionOf(*m) != at || m->GetOrder() == Character::kOrderRecuperation) continue;
    City* city = w.cities.FindAtPosition(at.x, at.y);
    if (!city) continue;
    if (city->GetOwner() != m->GetNationId())
      Capture(w, party, *m, *city, defeat);
    else if (FieldScreen::Random(100, 1) > 90)
      EndMarch(w, party, *m);
  }
}

// Every idle member still away from its destination (off it on both axes) is set down at `p`,
// which also becomes its base; with no `p`, on its own base point.
void SetIdleStragglers(FieldParty& party, const CharacterList& l, const Point* p) {
  for (int slot = 0; slot < FieldParty::kSlots; ++slot) {
    Character* m = Member(party, l, slot);
    if (!m || m->GetState() != 0) continue;
    const Point pos = PositionOf(*m), dest = field::DestinationOf(*m);
    if (pos.x == dest.x || pos.y == dest.y) continue;
    if (p) {
      m->SetPosition(p->x, p->y);
      m->SetBasePoint(p->x, p->y);
    } else {
      const Point base = field::BasePointOf(*m);
      m->SetPosition(base.x, base.y);
    }
  }
}

// A party whose members all stand idle away from their destinations goes home: to its base city
// when its nation still holds it, else to one of the nation's cities drawn at random.
void ReturnParty(FieldWorld& w, FieldParty& party, std::uint8_t& defeat) {
  const CharacterList& l = w.characters;
  Point refuge;
  bool drawn = false;
  auto draw_city = [&](std::int32_t nation) {
    const std::int32_t count = w.cities.CountOfNation(nation);
    if (count == 0) return false;
    w.cities.GetNthOfNation(nation, FieldScreen::Random(count, 0))->GetPosition(refuge);
    drawn = true;
    return true;
  };
  if (Character* leader = Member(party, l, 0)) {
    if (!NationOwnsCityAt(w.cities, leader->GetNationId(), field::BasePointOf(*leader)) &&
        !draw_city(leader->GetNationId()) && leader->GetRole() == 0) {
      defeat = 1;
      if (Nation* n = w.nations.FindById(leader->GetNationId())) n->SetDefeated();
    }
  }
  for (int slot = 0; slot < FieldParty::kSlots; ++slot) {
    Character* m = Member(party, l, slot);
    if (!m) continue;
    const Point base = field::BasePointOf(*m);
    if (NationOwnsCityAt(w.cities, m->GetNationId(), base)) {
      m->SetPosition(base.x, base.y);
    } else if (w.cities.CountOfNation(m->GetNationId()) > 0) {
      // The leader's base still stands: this member is the first to need a city, drawn now.
      if (!drawn) draw_city(m->GetNationId());
      m->SetBasePoint(refuge.x, refuge.y);
      m->SetPosition(refuge.x, refuge.y);
    } else {
      l.DropActionsInHand(*m);
      m->Release();
    }
  }
  party.ClearActive();
}

void MarchParty(FieldWorld& w, FieldParty& party, std::uint8_t& defeat) {
  const CharacterList& l = w.characters;
  if (!party.HasIdleMemberAwayFromDestination(l)) return;
  if (party.AnyMemberAtDestination(l)) {
    const Point p = PositionOf(*party.FindMemberAtDestination(l));
    SetIdleStragglers(party, l, &p);
    if (party.AllMembersArrived(l)) party.ClearActive();
  } else if (party.AllMembersIdleAwayFromDestination(l)) {
    ReturnParty(w, party, defeat);
  } else if (party.AnyMemberIdleAtBasePoint(l)) {
    SetIdleStragglers(party, l, nullptr);
    if (party.AllMembersAtBase(l)) party.ClearActive();
  }
}

}  // namespace

void FieldScreen::UpdateParties(HWND, WPARAM, CharacterList& characters, NationList& nations, CityList& cities,
                                FieldPartyList& parties, DivisionList& divisions, std::uint8_t& defeat) {
  FieldWorld w{characters, nations, cities, parties, divisions};
  ForEachActiveParty(parties, [&](FieldParty& party) { UpdateParty(w, party, defeat); });
}

void FieldScreen::MarchParties(HWND, WPARAM, CharacterList& characters, NationList& nations, CityList& cities,
                               FieldPartyList& parties, DivisionList& divisions, std::uint8_t& defeat) {
  FieldWorld w{characters, nations, cities, parties, divisions};
  ForEachActiveParty(parties, [&](FieldParty& party) { MarchParty(w, party, defeat); });
}
