// The clock of the thinking phase. Each tick of timer 1 counts toward the next nation's turn; the
// nations take their turns ten ticks apart in the order drawn for this phase, and nine ticks after
// the last one the phase is over (menu state 9), which the game object reads after the tick.
//
// A computer nation's whole turn runs inside one tick. The player's nation gets its city steps
// at once, then its turn stays open with timer 1 stopped until the player answers the
// end-of-phase question (end_of_phase.cpp), which restarts the timer.
#include <cstdint>

#include "planning/computer_turn.h"
#include "planning/thinking_screen.h"
#include "world/saturate.h"

namespace {

// The ticks between two nations' turns.
constexpr std::int32_t kTicksPerTurn = 10;

void NationTurn(ThinkingScreen& screen, HWND window, const computer_turn::Lists& w) {
  ThinkingTurnState& turn = screen.turn;
  // A turn order from a damaged file may name no nation; that place is passed over.
  const Nation* at_position = w.nations.GetAt(turn.turn_order_position);
  Nation* nation = at_position != nullptr ? w.nations.GetAt(at_position->GetTurnOrder()) : nullptr;
  if (nation == nullptr) {
    turn.turn_order_position += 1;
    turn.turn_tick_counter = 0;
    return;
  }

  KillTimer(window, ThinkingScreen::kPlayTimer);
  turn.acting_nation_index = at_position->GetTurnOrder();
  turn.acting_nation_id = nation->GetId();
  const bool computer = nation->GetComputerFlag() != 0;
  if (!computer) turn.player_turn_open = 1;
  const std::int32_t cities = w.cities.CountOfNation(nation->GetId());

  if (computer) {
    computer_turn::ResearchTactic(*nation, w.tactic_catalogue);
    computer_turn::ResearchPolicy(*nation, w.policy_catalogue);
    computer_turn::UsePolicy(screen, *nation, w);
  }
  for (std::int32_t k = 0; k < cities; ++k) computer_turn::CityStep(screen, turn.acting_nation_index, k, cities, w);
  if (computer) computer_turn::UseTactic(*nation, w.characters);

  // Every nation pays its people when its turn starts, the player's too (and the player pays
  // again on ending its turn).
  nation->SetFunds(SaturateToI32(std::int64_t{nation->GetFunds()} - w.characters.TotalSalaryOfNation(nation->GetId())));
  if (computer) turn.turn_order_position += 1;
  nation->SetTurnsTaken(Plus(nation->GetTurnsTaken(), 1));
  turn.turn_tick_counter = 0;
  if (computer)
    SetTimer(window, ThinkingScreen::kPlayTimer, ThinkingScreen::PhaseTimerPeriod(screen.GetGameSpeed()), nullptr);
  screen.Refresh(window, 0, 0, 840, 480);
}

}  // namespace

UINT ThinkingScreen::PhaseTimerPeriod(std::int32_t game_speed) {
  switch (game_speed) {
    case 1:
      return 200;
    case 2:
      return 50;
    default:
      return 100;
  }
}

void ThinkingScreen::OnTimer(HWND window, WPARAM, CharacterList& characters, NationList& nations, CityList& cities,
                             FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                             InhabitantList& inhabitants, TradeGoodList&, TacticList& tactics, PolicyList& policies) {
  const computer_turn::Lists w{characters, nations, cities, parties, divisions, name_pool, inhabitants, tactics, policies};
  if (!turn.player_turn_open) turn.turn_tick_counter = Plus(turn.turn_tick_counter, 1);
  if (turn.turn_tick_counter >= kTicksPerTurn && !turn.player_turn_open &&
      nations.Count() > turn.turn_order_position)
    NationTurn(*this, window, w);

  if (turn.game_over == 0 && nations.Count() == 1) {
    // The last nation's own turn count; a stale acting index (a loaded slot) still means that nation.
    const Nation* last = nations.GetAt(turn.acting_nation_index);
    if (last == nullptr) last = nations.GetAt(0);
    turn.game_over_turn_count = last->GetTurnsTaken();
    turn.game_over = 1;
  }

  if (nations.Count() <= turn.turn_order_position && turn.turn_tick_counter >= kTicksPerTurn - 1) {
    turn.menu_state = 9;
    turn.turn_tick_counter = kTicksPerTurn;
    turn.turn_order_position = 0;
  }
}
