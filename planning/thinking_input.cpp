// The thinking phase's mouse input. Only the points are kept here; the hover help and the menu
// state machine that act on them are not part of the game yet.
#include "planning/thinking_screen.h"

void ThinkingScreen::OnMouseMove(HWND, LPARAM point, CharacterList&, NationList&, CityList&, FieldPartyList&,
                                 DivisionList&, InhabitantList&, TradeGoodList&, TacticList&, PolicyList&) {
  turn.pointer_x = LOWORD(point);
  turn.pointer_y = HIWORD(point);
}

void ThinkingScreen::OnLButtonDown(HWND, LPARAM point, CharacterList&, NationList&, CityList&, FieldPartyList&,
                                   DivisionList&, NamePool&, InhabitantList&, TradeGoodList&, TacticList&,
                                   PolicyList&) {
  turn.click_x = LOWORD(point);
  turn.click_y = HIWORD(point);
}

void ThinkingScreen::OnRButtonDown(HWND, LPARAM point, CharacterList&, NationList&, CityList&, FieldPartyList&,
                                   DivisionList&, InhabitantList&, TradeGoodList&, TacticList&, PolicyList&) {
  turn.right_click_x = LOWORD(point);
  turn.right_click_y = HIWORD(point);
}
