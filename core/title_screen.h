#pragma once
// The title screen, mode 0: the title picture with its two buttons (new game, load), the nation
// choice with each nation's king, data, members and mini-map, spectator mode (観戦モード), and the
// load menu with a summary of each save slot. When the player decides, spectates or loads, the
// screen reaches its done state 3 and the game object switches to the thinking phase.
#include <array>
#include <cstdint>

#include "media/bitmap_bank.h"
#include "media/canvas.h"
#include "media/work_bitmap.h"
#include "planning/thinking_screen.h"
#include "platform/win.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/trade_good.h"

class TitleScreen {
 public:
  // States of the screen.
  static constexpr std::int32_t kMenu = 0;
  static constexpr std::int32_t kNationChoice = 1;
  static constexpr std::int32_t kLoadMenu = 2;
  static constexpr std::int32_t kDone = 3;

  TitleScreen() = default;
  TitleScreen(const TitleScreen&) = delete;
  TitleScreen& operator=(const TitleScreen&) = delete;

  // Window creation: state 0, the window at (150, 150) with 646 x 508, the 27 pictures.
  void Init(HWND window, CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList& parties,
            DivisionList& divisions, InhabitantList& inhabitants);
  // A new world: everything back to the title menu, nothing loaded.
  void NewGame();

  void OnMouseMove(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                   FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  void OnLButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     ThinkingScreen& thinking, FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                     InhabitantList& inhabitants, TradeGoodList& goods);
  void OnRButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  void Paint(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
             CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);

  std::int32_t GetState() const { return state_; }
  void SetState(std::int32_t state) { state_ = state; }
  std::uint8_t IsLoaded() const { return loaded_; }
  std::int32_t GetHover() const { return hover_; }
  std::int32_t GetChosenIndex() const { return chosen_index_; }
  std::int32_t GetChoosableCount() const { return choosable_count_; }
  std::int32_t GetArrowState() const { return arrow_state_; }
  std::int32_t GetPreviewTurnCount() const { return preview_turn_count_; }

  // True when "DATAFILE/<file_name>" is a plain file that opens for reading.
  static bool FileExists(const char* file_name);
  // Reads a t file into the screen's preview record; a whole record also gives the preview turn
  // count. False only when the file does not open.
  bool ReadHeaderPreview(const char* file_name);

  // Invalidates the rectangle without erasing and paints it before returning.
  void InvalidateArea(HWND window, int left, int top, int right, int bottom);

 private:
  // True when the slot was whole when last settled and all nine of its files exist.
  static bool SlotIsComplete(std::int32_t slot);
  // The slot summary of the load menu at text row y.
  void PaintSlotSummary(HDC dc, std::int32_t slot, int y);
  void PaintNationChoice(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                         NationList& nations, CityList& cities, DivisionList& divisions);

  BitmapBank bank_;
  WorkBitmap work_bitmap_;
  // The menu area's and the panel's pictures, composed afresh by every paint in memory kept from
  // one paint to the next.
  Canvas main_canvas_;
  Canvas panel_canvas_;
  ThinkingScreen::Record preview_record_{};
  // Filled only by reading slot files for the load menu; never part of the game.
  CharacterList own_characters_;
  NationList own_nations_;
  CityList own_cities_;
  std::int32_t mouse_x_ = 0;
  std::int32_t mouse_y_ = 0;
  std::int32_t click_x_ = 0;
  std::int32_t click_y_ = 0;
  std::int32_t right_click_x_ = 0;
  std::int32_t right_click_y_ = 0;
  std::int32_t chosen_index_ = 0;
  std::int32_t choosable_count_ = 0;
  std::int32_t preview_turn_count_ = 0;
  std::int32_t state_ = kMenu;
  std::int32_t hover_ = 0;        // 0 none, 1 new game, 2 load
  std::int32_t arrow_state_ = 0;  // 0 both arrows, 2 first nation, 3 last nation, 6 only one (7 as 6)
  std::uint8_t loaded_ = 0;
};
