// The game object's end of a turn: the first part of the steps, the new turn fields handed to the
// screens, a repaint and a second's pause so that the player sees the new turn's date and numbers,
// then the rest.
#include "core/end_of_turn.h"

#include "core/game.h"
#include "platform/win.h"

void Game::RunEndOfTurn(HWND window) {
  const end_of_turn::Lists w{characters_, nations_, cities_, divisions_, inhabitants_, trade_goods_};
  end_of_turn::TurnState t = end_of_turn::ReadTurnState(thinking_screen_, field_screen_);
  end_of_turn::RunBeforePause(w, t);
  // The screens show the new turn's date and numbers during the pause.
  end_of_turn::WriteTurnState(t, thinking_screen_, field_screen_);
  InvalidateArea(window, 0, 0, 840, 480);
  Sleep(1000);
  end_of_turn::RunAfterPause(w);
}
