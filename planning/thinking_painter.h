#pragma once
// One paint of the thinking screen, split by menu: the frame of the paint and the main menu
// (thinking_paint.cpp), the military and research menus (military_paint.cpp), hiring and trade
// (hiring_trade_paint.cpp), information and ranking (information_paint.cpp), and the system menu
// with the save-slot previews and the end-of-phase question (system_paint.cpp).
//
// Each menu draws in two steps: its pictures into the menu canvas before the canvas is shown,
// and its texts into the window afterwards. Blit points are lower-left corners counted upward
// from the canvas's bottom row; text points are window points from the top left.
#include <cstdint>

#include "media/canvas.h"
#include "planning/thinking_screen.h"
#include "platform/win.h"

class ThinkingMenuPainter {
 public:
  ThinkingMenuPainter(ThinkingScreen& screen, HWND window, HDC dc, HFONT font16, HFONT font10,
                      CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList& parties,
                      DivisionList& divisions, InhabitantList& inhabitants, TradeGoodList& goods,
                      TacticList& tactics, PolicyList& policies);

  // The whole paint.
  void Paint();

 private:
  // The menu canvas and the texts of the menu state.
  void MenuPictures(Canvas& menu);
  void MenuTexts();
  // The right-hand panel: mini-map with the owners' colours, date board, treasury strip.
  void PanelPictures(Canvas& panel);
  void Calendar();

  void MainMenuTexts();
  // The help line of the button (or list) under the pointer.
  void HelpLines();

  // Each group draws the states it owns and returns false for the others.
  bool MilitaryPictures(Canvas& menu);
  bool MilitaryTexts();
  bool HiringTradePictures(Canvas& menu);
  bool HiringTradeTexts();
  bool InformationPictures(Canvas& menu);
  bool InformationTexts();
  bool SystemPictures(Canvas& menu);
  bool SystemTexts();

  // Shared pieces.
  void Board(Canvas& menu, NameRef board, int row, int rows, int x, int y);
  void ListMark(Canvas& menu, int row, int cell);
  void Portrait(Canvas& menu, const Character* c);
  void CardPageTabs(Canvas& menu);
  // The characters of the information and hiring views and the city table.
  const Character* HiringCharacter(std::int32_t with_division) const;
  void TradeList(Canvas* menu);
  void CityTable();
  void MinimapCityBox();
  void RankingPictures(Canvas& menu, bool divisions);
  void SlotPreviews();

  ThinkingScreen& s_;
  HWND window_;
  HDC dc_;
  HFONT font16_;
  HFONT font10_;
  CharacterList& characters_;
  NationList& nations_;
  CityList& cities_;
  FieldPartyList& parties_;
  DivisionList& divisions_;
  InhabitantList& inhabitants_;
  TradeGoodList& goods_;
  TacticList& tactics_;
  PolicyList& policies_;
};

// The character that the card of a menu state shows (also the portrait of that view): 32 and 34
// the hiring candidate, 55 the chosen map city's character, 56 and 57 the unaffiliated ones and
// the lords at the information list position. None when the state shows no character or the
// position names nobody.
const Character* CardCharacter(std::int32_t menu_state, std::int32_t hiring_position,
                               std::int32_t information_position, std::int32_t chosen_map_city,
                               const CharacterList& characters, const NationList& nations, const CityList& cities);
