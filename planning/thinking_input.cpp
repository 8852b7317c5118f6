// The left click of the thinking phase: who may click what, and which state handler takes it.
// During the player's turn every menu answers; while a computer nation acts the player may only
// read (information, ranking) and use the system menu, and the pacing of the nations' turns stops
// while such a menu is open. Every click that reaches a handler repaints the whole window.
#include "planning/thinking_input.h"

using namespace thinking_input;

void ThinkingScreen::OnLButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations,
                                   CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                                   NamePool& name_pool, InhabitantList& inhabitants, TradeGoodList& goods,
                                   TacticList& tactics, PolicyList& policies) {
  ClickLists w{characters, nations,     cities, parties, divisions, name_pool,
               inhabitants, goods,      tactics, policies};
  const Nation* player = nations.FindByComputerFlag(0);
  bool full = false;
  if (player && player->GetId() == turn.acting_nation_id) {
    full = true;
  } else {
    // In a spectator game every click goes here; between turns nobody acts and a click is lost.
    const Nation* acting = nations.FindById(turn.acting_nation_id);
    if (!acting || !acting->IsComputer()) return;
  }
  turn.click_x = LOWORD(point);
  turn.click_y = HIWORD(point);
  if (turn.menu_state <= 66) {
    if (full)
      ThinkingInput::Full(*this, window, w);
    else
      ThinkingInput::Restricted(*this, window, w);
  }
  Refresh(window, 0, 0, 840, 480);
}

void ThinkingInput::Full(ThinkingScreen& s, HWND window, ClickLists& w) {
  if (Readable(s, window, w, false)) return;
  switch (s.turn.menu_state) {
    case 0: MainMenu(s, window, w); break;
    case 3: MilitaryMenu(s, w); break;
    case 9: s.ClickEndOfPhaseQuestion(window, s.turn.click_x, s.turn.click_y, w.characters, w.nations); break;
    case 16: ResearchMenu(s, w); break;
    case 17: ResearchList(s, w, false); break;
    case 18: ResearchList(s, w, true); break;
    case 20: TacticSkillList(s, w); break;
    case 21: PolicySkillList(s, w); break;
    case 31: HiringMenu(s, w); break;
    case 32:
    case 33:
    case 34: CandidateView(s, w); break;
    case 35: TradeMenu(s); break;
    case 36:
    case 39: TradeBoard(s, w); break;
    case 37:
    case 38:
    case 40:
    case 41: TradeList(s, w); break;
    default: break;  // a number that is never entered: the click only repaints
  }
}

void ThinkingInput::Restricted(ThinkingScreen& s, HWND window, ClickLists& w) {
  if (s.turn.menu_state == 0)
    MainMenuRestricted(s, window);
  else
    Readable(s, window, w, true);  // the player's own menus wait for the player's turn
}

bool ThinkingInput::Readable(ThinkingScreen& s, HWND window, ClickLists& w, bool restricted) {
  switch (s.turn.menu_state) {
    case 5: InformationMenu(s, w); return true;
    case 6: RankingMenu(s, w); return true;
    case 8: SystemMenu(s); return true;
    case 53: CharacterInformationMenu(s, w); return true;
    case 55: CharactersByCity(s, w, restricted); return true;
    case 56:
    case 57: CharacterGroupList(s); return true;
    case 58:
    case 59: NationOrDivisionList(s); return true;
    case 62: CharacterRanking(s, w); return true;
    case 63: DivisionRanking(s, w); return true;
    case 64:
      s.ClickLoadMenu(window, s.turn.click_x, s.turn.click_y, w.characters, w.nations, w.cities, w.parties,
                      w.divisions, w.name_pool, w.inhabitants, w.goods);
      return true;
    case 65:
      s.ClickSaveMenu(window, s.turn.click_x, s.turn.click_y, w.characters, w.nations, w.cities, w.parties,
                      w.divisions, w.name_pool, w.inhabitants, w.goods);
      return true;
    case 66: s.ClickSettingsMenu(s.turn.click_x, s.turn.click_y); return true;
    default: return false;
  }
}
