// The end of a turn in its fixed order, in two parts around the game object's repaint and pause,
// and the hand-over of the screens' turn fields.
#include "core/end_of_turn.h"

#include "field/field_screen.h"
#include "planning/thinking_screen.h"

namespace end_of_turn {

void RunBeforePause(const Lists& w, TurnState& t) {
  StartNewTurn(w, t);
  RollPolicyAvailability(w);
  RaiseTenure(w);
  DemoteVassalsOfNonRoyalLeaders(w);
  SetMarketFlags(w);
  WalkPrices(w);
  ComputerNationsBuy(w);
  ComputerNationsSell(w);
  MakePurchaseOffers(w);
  CountDownRecuperation(w);
  AdvanceCalendar(t);
  // Everything after the calendar goes by the new date.
  const Calendar date = t.thinking;
  PayCityIncome(w, date);
  PayOutDevelopment(w, date);
  LordsJoinNations(w, date);
  RaiseMemberLimits(w);
  CheckContracts(w, date);
  FreeCharactersJoinDivisions(w);
  ClearResourceValues(w);
  InhabitantsReconsiderAllegiance(w);
  InhabitantsReconsiderFavourite(w);
  ComputeDivisionAffinities(w);
  FreeDivisionsWithoutNationMembers(w);
  DrawWillingness(w);
  CarryOutCityOrders(w, date);
  CarryOutFreeOrders(w);
  CarryOutLordOrders(w);
}

void RunAfterPause(const Lists& w) {
  ComputeCharacterValues(w);
  ComputeDivisionTotals(w);
  ComputeCityDefence(w);
  ComputeNationCombatPower(w);
  ReturnToFreeAction(w);
  GiveFreeCharactersOrders(w);
  GiveLordsOrders(w);
}

TurnState ReadTurnState(const ThinkingScreen& thinking, const FieldScreen& field) {
  TurnState t;
  t.menu_state = thinking.GetMenuState();
  t.turn_nation_id = thinking.GetTurnNationId();
  t.acting_nation_index = thinking.GetActingNationIndex();
  t.turn_order_position = thinking.GetTurnOrderPosition();
  t.turn_tick_counter = thinking.GetTurnTickCounter();
  t.selected_city_index = thinking.GetSelectedCityIndex();
  t.city_count = thinking.GetCityCount();
  t.city_arrow_state = thinking.GetCityArrowState();
  t.thinking = {thinking.GetYear(), thinking.GetMonth(), thinking.GetPartOfMonth()};
  t.turn_count = thinking.GetTurnCount();
  t.field = {field.GetYear(), field.GetMonth(), field.GetPartOfMonth()};
  return t;
}

void WriteTurnState(const TurnState& t, ThinkingScreen& thinking, FieldScreen& field) {
  thinking.SetMenuState(t.menu_state);
  thinking.SetTurnNationId(t.turn_nation_id);
  thinking.SetActingNationIndex(t.acting_nation_index);
  thinking.SetTurnOrderPosition(t.turn_order_position);
  thinking.SetTurnTickCounter(t.turn_tick_counter);
  thinking.SetSelectedCityIndex(t.selected_city_index);
  thinking.SetCityCount(t.city_count);
  thinking.SetCityArrowState(t.city_arrow_state);
  if (t.clear_locks) thinking.ClearOncePerTurnLocks();
  thinking.SetYear(t.thinking.year);
  thinking.SetMonth(t.thinking.month);
  thinking.SetPartOfMonth(t.thinking.part);
  thinking.SetTurnCount(t.turn_count);
  field.SetYear(t.field.year);
  field.SetMonth(t.field.month);
  field.SetPartOfMonth(t.field.part);
}

}  // namespace end_of_turn

