// The turn driver of the thinking phase. Not part of the game yet: a timer step changes nothing,
// so the phase waits in its current menu state.
#include "planning/thinking_screen.h"

void ThinkingScreen::OnTimer(HWND, WPARAM, CharacterList&, NationList&, CityList&, FieldPartyList&, DivisionList&,
                             NamePool&, InhabitantList&, TradeGoodList&, TacticList&, PolicyList&) {}
