// The drawing of the action phase. Not part of the game yet: a paint draws nothing, and the
// window keeps the picture it last showed.
#include "field/field_screen.h"

void FieldScreen::Paint(HWND, HDC, HFONT, HFONT, CharacterList&, NationList&, CityList&, FieldPartyList&,
                        DivisionList&, InhabitantList&) {}
