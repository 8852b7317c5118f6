// The tick of the action phase. Not part of the game yet: a tick changes nothing, so the phase
// never reaches its 100th tick by itself.
#include "field/field_screen.h"

void FieldScreen::Tick(HWND, WPARAM, CharacterList&, NationList&, CityList&, FieldPartyList&, DivisionList&,
                       InhabitantList&) {}
