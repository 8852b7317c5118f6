// The start of the new turn: the thinking screen's turn fields, the player's policies, tenure,
// vassals under leaders who are not kings, the recuperation countdown, the calendar and the
// money that the cities and the development values bring in.
#include <cstdint>

#include "core/end_of_turn.h"
#include "core/end_of_turn_rules.h"

namespace end_of_turn {

using namespace rules;

void StartNewTurn(const Lists& w, TurnState& t) {
  t.menu_state = 0;
  if (const Nation* first = w.nations.GetAt(0)) t.turn_nation_id = first->GetId();
  w.nations.ShuffleTurnOrder();
  t.acting_nation_index = 0;
  t.turn_order_position = 0;
  // The nation whose place in the new order is the current position acts first.
  if (const Nation* at_position = w.nations.GetAt(t.turn_order_position))
    if (const Nation* acting = w.nations.GetAt(at_position->GetTurnOrder())) t.turn_nation_id = acting->GetId();
  t.turn_tick_counter = 10;
  t.selected_city_index = 0;
  if (w.nations.CountByComputerFlag(0) == 1)
    t.city_count = w.cities.CountOfNation(w.nations.FindByComputerFlag(0)->GetId());
  if (t.city_count == 1) {
    t.city_arrow_state = 6;
  } else if (t.city_count >= 2) {
    t.city_arrow_state = t.selected_city_index == 0                  ? 2
                         : t.selected_city_index == t.city_count - 1 ? 3
                                                                     : 0;
  }
  t.clear_locks = true;
}

void RollPolicyAvailability(const Lists& w) {
  if (w.nations.CountByComputerFlag(0) < 1) return;
  Nation* player = w.nations.FindByComputerFlag(0);
  for (Policy& p : player->policies) {
    if (Random(100, 1) > p.GetChance())
      p.ClearAvailable();
    else
      p.SetAvailable();
  }
}

void RaiseTenure(const Lists& w) {
  for (Character& c : w.characters) {
    if (c.GetNationId() == kNoNation || c.GetNationId() == kLords) continue;
    if (RelationEntry* e = c.nation_relations.Find(c.GetNationId())) e->SetTenure(Plus(e->GetTenure(), 1));
  }
  for (Character& c : w.characters) {
    if (c.GetDivisionId() == 0) continue;
    if (RelationEntry* e = c.division_relations.Find(c.GetDivisionId())) e->SetTenure(Plus(e->GetTenure(), 1));
  }
}

void DemoteVassalsOfNonRoyalLeaders(const Lists& w) {
  for (const Division& d : w.divisions) {
    for (Character& c : w.characters) {
      if (c.GetDivisionId() != d.GetId() || c.GetRank() != kRankVassal) continue;
      const Character* leader = w.characters.FindById(d.GetLeaderId());
      if (leader && leader->GetRank() != kRankKing) c.SetRankMercenary();
    }
  }
}

void CountDownRecuperation(const Lists& w) {
  for (Character& c : w.characters) {
    if (c.GetOrder() != Character::kOrderRecuperation) continue;
    c.SetRecuperationTurns(Plus(c.GetRecuperationTurns(), -1));
    Point at, base;
    if (c.GetPosition(at) == c.GetBasePoint(base) && c.GetRecuperationTurns() < 1) c.SetOrderFree();
  }
}

void AdvanceCalendar(TurnState& t) {
  // Each screen adds to its own copy; the thinking screen's decides when the month and year turn.
  t.thinking.part = Plus(t.thinking.part, 1);
  t.field.part = Plus(t.field.part, 1);
  if (t.thinking.part > 3) {
    t.thinking.month = Plus(t.thinking.month, 1);
    t.field.month = Plus(t.field.month, 1);
    if (t.thinking.month > 12) {
      t.thinking.year = Plus(t.thinking.year, 1);
      t.field.year = Plus(t.field.year, 1);
      t.thinking.month = 1;
      t.field.month = 1;
    }
    t.thinking.part = 1;
    t.field.part = 1;
  }
  t.turn_count = Plus(t.turn_count, 1);
}

void PayCityIncome(const Lists& w, const Calendar& date) {
  if (date.part != 1) return;
  for (Nation& n : w.nations) {
    if (date.month == 3) n.SetFunds(Plus(n.GetFunds(), w.cities.AgricultureIncomeOfNation(n.GetId())));
    if (date.month == 7) n.SetFunds(Plus(n.GetFunds(), w.cities.CommerceIncomeOfNation(n.GetId())));
    if (date.month == 11) n.SetFunds(Plus(n.GetFunds(), w.cities.IndustryIncomeOfNation(n.GetId())));
  }
}

void PayOutDevelopment(const Lists& w, const Calendar& date) {
  if (date.part != 1) return;
  for (Nation& n : w.nations) {
    if (date.month == 1) {
      n.SetFunds(Plus(n.GetFunds(), n.GetAgricultureValue()));
      n.SetAgricultureValue(0);
    }
    if (date.month == 5) {
      n.SetFunds(Plus(n.GetFunds(), n.GetCommerceValue()));
      n.SetCommerceValue(0);
    }
    if (date.month == 9) {
      n.SetFunds(Plus(n.GetFunds(), n.GetIndustryValue()));
      n.SetIndustryValue(0);
    }
  }
}

}  // namespace end_of_turn
