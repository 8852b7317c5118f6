#pragma once
// The end of a turn: the work that happens between the action phase and the next thinking phase.
// The market moves, the calendar turns, money comes in, lords and free characters find masters,
// the people reconsider whom they support, every character's order is carried out at its city,
// and the totals that the screens show are worked out again.
//
// Each step is a function over the world lists (and, for the first and the calendar step, over
// the thinking and field screens' turn fields, gathered in TurnState). Game::RunEndOfTurn runs
// them in their fixed order: RunBeforePause (steps 1 to 26), the screens take their new turn
// fields, the window is repainted and the game pauses one second (step 27), then RunAfterPause
// (steps 28 to 34). Every draw comes from the game's one generator, in
// the order the steps make them.
#include <cstdint>

#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/inhabitant.h"
#include "world/nation.h"
#include "world/trade_good.h"

class ThinkingScreen;
class FieldScreen;

namespace end_of_turn {

// The lists of the game object that the end of a turn reads and changes.
struct Lists {
  CharacterList& characters;
  NationList& nations;
  CityList& cities;
  DivisionList& divisions;
  InhabitantList& inhabitants;
  TradeGoodList& goods;
};

// Year, month 1..12 and third of the month 1..3.
struct Calendar {
  std::int32_t year = 300;
  std::int32_t month = 1;
  std::int32_t part = 1;
};

// The thinking screen's turn fields and calendar, and the field screen's copy of the calendar, as
// the game object hands them over and takes them back.
struct TurnState {
  std::int32_t menu_state = 0;
  std::int32_t turn_nation_id = 0;
  std::int32_t acting_nation_index = 0;
  std::int32_t turn_order_position = 0;
  std::int32_t turn_tick_counter = 0;
  std::int32_t selected_city_index = 0;
  std::int32_t city_count = 0;
  std::int32_t city_arrow_state = 0;
  // Set when the thinking screen's two once-per-turn command locks are to be cleared.
  bool clear_locks = false;
  Calendar thinking;
  std::int32_t turn_count = 1;
  Calendar field;
};

// --- the whole turn ---
void RunBeforePause(const Lists& w, TurnState& t);  // steps 1 to 26
void RunAfterPause(const Lists& w);                 // steps 28 to 34
// The screens' fields in and out of a TurnState.
TurnState ReadTurnState(const ThinkingScreen& thinking, const FieldScreen& field);
void WriteTurnState(const TurnState& t, ThinkingScreen& thinking, FieldScreen& field);

// --- turn start (end_of_turn_start.cpp) ---
void StartNewTurn(const Lists& w, TurnState& t);            // 1
void RollPolicyAvailability(const Lists& w);                // 2
void RaiseTenure(const Lists& w);                           // 3
void DemoteVassalsOfNonRoyalLeaders(const Lists& w);        // 4
void CountDownRecuperation(const Lists& w);                 // 10
void AdvanceCalendar(TurnState& t);                         // 11
void PayCityIncome(const Lists& w, const Calendar& date);   // 12
void PayOutDevelopment(const Lists& w, const Calendar& date);  // 13

// --- market (end_of_turn_market.cpp) ---
void SetMarketFlags(const Lists& w);       // 5
void WalkPrices(const Lists& w);           // 6
void ComputerNationsBuy(const Lists& w);   // 7
void ComputerNationsSell(const Lists& w);  // 8
void MakePurchaseOffers(const Lists& w);   // 9

// --- lords, divisions and the people (end_of_turn_society.cpp) ---
void LordsJoinNations(const Lists& w, const Calendar& date);              // 14
void RaiseMemberLimits(const Lists& w);                                   // 15
void CheckContracts(const Lists& w, const Calendar& date);                // 16
void FreeCharactersJoinDivisions(const Lists& w);                         // 17
void InhabitantsReconsiderAllegiance(const Lists& w);                     // 19
void InhabitantsReconsiderFavourite(const Lists& w);                      // 20
void ComputeDivisionAffinities(const Lists& w);                           // 21
void FreeDivisionsWithoutNationMembers(const Lists& w);                   // 22
void DrawWillingness(const Lists& w);                                     // 23

// --- orders (end_of_turn_orders.cpp, end_of_turn_free_orders.cpp) ---
void ClearResourceValues(const Lists& w);                       // 18
void CarryOutCityOrders(const Lists& w, const Calendar& date);  // 24
void CarryOutFreeOrders(const Lists& w);                        // 25
void CarryOutLordOrders(const Lists& w);                        // 26
void ReturnToFreeAction(const Lists& w);                        // 32
void GiveFreeCharactersOrders(const Lists& w);                  // 33
void GiveLordsOrders(const Lists& w);                           // 34

// --- closing totals (end_of_turn_totals.cpp) ---
void ComputeCharacterValues(const Lists& w);    // 28
void ComputeDivisionTotals(const Lists& w);     // 29
void ComputeCityDefence(const Lists& w);        // 30
void ComputeNationCombatPower(const Lists& w);  // 31

}  // namespace end_of_turn
