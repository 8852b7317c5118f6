// The end-of-phase question "思考フェーズを終了しますか？" (menu state 9) with which the player
// closes the player nation's turn. Yes pays the characters' salaries, closes the turn and starts
// timer 1 again, so that the turn driver hands the turn to the next nation.
#include <cstdint>

#include "planning/thinking_screen.h"
#include "world/saturate.h"

namespace {

bool Inside(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top, std::int32_t right,
            std::int32_t bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}

}  // namespace

void ThinkingScreen::ClickEndOfPhaseQuestion(HWND window, std::int32_t x, std::int32_t y, CharacterList& characters,
                                             NationList& nations) {
  if (Inside(x, y, 288, 228, 407, 255)) {  // yes
    Nation* player = nations.FindByComputerFlag(0);
    // The salaries were booked when the player's turn started; the player pays them once more here.
    if (player != nullptr)
      player->SetFunds(
          SaturateToI32(std::int64_t{player->GetFunds()} - characters.TotalSalaryOfNation(player->GetId())));
    turn.player_turn_open = 0;
    SetTimer(window, kPlayTimer, PhaseTimerPeriod(game_speed_), nullptr);
    turn.menu_state = 0;
    turn.turn_order_position = Plus(turn.turn_order_position, 1);
    if (player != nullptr) player->SetTurnsTaken(Plus(player->GetTurnsTaken(), 1));
  } else if (Inside(x, y, 416, 228, 535, 255)) {  // no: back to the main menu, the turn stays open
    turn.menu_state = 0;
  }
}
