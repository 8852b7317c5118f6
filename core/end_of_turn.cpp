// The end of a turn in its fixed order. The game object runs the first part, repaints its window
// and pauses a second so that the player sees the new turn's date and numbers, then runs the
// rest.
#include "core/end_of_turn.h"

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

}  // namespace end_of_turn
