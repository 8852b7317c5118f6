// The drawing of the thinking phase. Not part of the game yet: a paint draws nothing, and the
// window keeps the picture it last showed.
#include "planning/thinking_screen.h"

void ThinkingScreen::Paint(HWND, HDC, HFONT, HFONT, CharacterList&, NationList&, CityList&, FieldPartyList&,
                           DivisionList&, InhabitantList&, TradeGoodList&, TacticList&, PolicyList&) {}
