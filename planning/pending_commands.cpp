// The policy execution and the system menu's commands (load, save, settings, the end-of-phase
// question). Not part of the game yet: a policy use changes nothing but the menu's own state,
// and a click on these menus changes nothing. This file goes when they are built.
#include "planning/thinking_screen.h"

void ThinkingScreen::ExecutePolicy(Nation&, Policy&, CharacterList&, NationList&, CityList&, DivisionList&,
                                   FieldPartyList&, NamePool&, InhabitantList&) {}

void ThinkingScreen::ClickLoadMenu(HWND, std::int32_t, std::int32_t, CharacterList&, NationList&, CityList&,
                                   FieldPartyList&, DivisionList&, NamePool&, InhabitantList&, TradeGoodList&) {}

void ThinkingScreen::ClickSaveMenu(HWND, std::int32_t, std::int32_t, CharacterList&, NationList&, CityList&,
                                   FieldPartyList&, DivisionList&, NamePool&, InhabitantList&, TradeGoodList&) {}

void ThinkingScreen::ClickSettingsMenu(std::int32_t, std::int32_t) {}

void ThinkingScreen::ClickEndOfPhaseQuestion(HWND, std::int32_t, std::int32_t, CharacterList&, NationList&) {}
