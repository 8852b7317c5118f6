#pragma once
// The thinking phase (思考フェーズ): the screen of mode 7. It holds the whole state of the phase:
// the calendar, the game speed and music switch, the pacing of the nations' turns, the player's
// menu state and menu cursors, its pictures and its own music. The game object hands it the
// window messages of mode 7 with the world lists; the screen never reaches the game object.
//
// The handlers are split over files by their part of the game: this object and its accessors
// (thinking_screen.cpp), the input (thinking_input.cpp), the turn driver (turn_driver.cpp) and
// the drawing (thinking_paint.cpp).
#include <array>
#include <cstdint>

#include "media/bitmap_bank.h"
#include "media/canvas.h"
#include "media/music_player.h"
#include "media/music_segment.h"
#include "media/work_bitmap.h"
#include "platform/win.h"
#include "world/character.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/policy.h"
#include "world/tactic.h"
#include "world/trade_good.h"

// The turn state that a save slot's t file carries. The save slot packs each field at its place
// in the 248-byte record (the offset beside it); every other byte of the record is reserved and 0.
// The record's menu fields hold these of the screen's menu cursors:
//   32 the open list's cursor       = hiring candidate position
//   36 the open list's length       = hiring candidate count
//   68 the nation chosen in a menu  = information list position (the nation panel shows the
//                                     nation at this position)
//   72 the spare word               = information list length
//   88 the open list's arrow state  = hiring icon state
//   93 the list-has-more-pages byte = hiring list mode
//   94 the sub-view byte            = mini-map hover flag
struct ThinkingTurnState {
  std::int32_t pointer_x = 0;                  //   0 last mouse move (client coordinates)
  std::int32_t pointer_y = 0;                  //   4
  std::int32_t click_x = 0;                    //   8 last left click
  std::int32_t click_y = 0;                    //  12
  std::int32_t right_click_x = 0;              //  16 last right click
  std::int32_t right_click_y = 0;              //  20
  std::int32_t selected_city_index = 0;        //  24 shown city among the player's cities
  std::int32_t city_count = 0;                 //  28 how many cities the player's nation owns
  std::int32_t hiring_candidate_position = 0;  //  32 (-1: none)
  std::int32_t hiring_candidate_count = 0;     //  36
  std::int32_t acting_nation_index = 0;        //  56 list position of the nation whose turn runs
  std::int32_t turn_order_position = 0;        //  60 turn-order places handed out in this phase
  std::int32_t turn_tick_counter = 0;          //  64 a nation acts when it reaches 10
  std::int32_t information_list_position = 0;  //  68 (-1: none)
  std::int32_t information_list_length = 0;    //  72
  std::int32_t menu_state = 0;                 //  76 0..66; 9 ends the phase
  std::int32_t acting_nation_id = 0;           //  80
  std::int32_t city_arrow_state = 0;           //  84 0 middle, 2 first, 3 last, 6 one city
  std::int32_t hiring_icon_state = 0;          //  88 the same values for the hiring list
  std::uint8_t player_turn_open = 0;           //  92
  std::uint8_t hiring_list_mode = 0;           //  93
  std::uint8_t minimap_hover = 0;              //  94
  std::int32_t year = 0;                       // 224
  std::int32_t month = 0;                      // 228 1..12
  std::int32_t part_of_month = 0;              // 232 1..3
  std::int32_t turn_count = 0;                 // 236 turns played
  std::uint8_t game_over = 0;                  // 240 1: only one nation is left
  std::int32_t game_over_turn_count = 0;       // 244 the last nation's own turn count then

  bool operator==(const ThinkingTurnState&) const = default;
};

class ThinkingScreen {
 public:
  // Size of a slot's t record.
  static constexpr std::size_t kRecordSize = 248;
  using Record = std::array<std::uint8_t, kRecordSize>;

  ThinkingScreen() = default;
  ThinkingScreen(const ThinkingScreen&) = delete;
  ThinkingScreen& operator=(const ThinkingScreen&) = delete;

  // --- called by the game object ---
  // Window creation, after the new world is built: pictures, music, first turn order and the
  // player's city arrows.
  void Init(HWND window, CharacterList& characters, NationList& nations, CityList& cities,
            FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants, TradeGoodList& goods,
            TacticList& tactics, PolicyList& policies);
  // The state of a new game; draws nothing and touches no world list.
  void NewGame();
  void OnMouseMove(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                   FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants,
                   TradeGoodList& goods, TacticList& tactics, PolicyList& policies);
  void OnLButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                     InhabitantList& inhabitants, TradeGoodList& goods, TacticList& tactics, PolicyList& policies);
  void OnRButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants,
                     TradeGoodList& goods, TacticList& tactics, PolicyList& policies);

  // --- the player's input: hover help, back navigation, the menu state machine and the military,
  //     hiring and trade commands (thinking_input.cpp, hover_help.cpp, menu_states.cpp,
  //     military_menu.cpp, hiring_trade.cpp) ---
  // The menu cursors, as the drawing and the tests read them.
  std::int32_t GetHoverId() const { return hover_id_; }
  std::int32_t GetCardPage() const { return card_page_; }
  std::int32_t GetInformationIconState() const { return information_icon_state_; }
  std::int32_t GetChosenMapCity() const { return chosen_map_city_; }
  std::int32_t GetRankingTableGroup() const { return ranking_table_group_; }
  std::int32_t GetRankingColumn() const { return ranking_column_; }
  std::int32_t GetSelectedTactic() const { return selected_tactic_; }
  std::int32_t GetSelectedPolicy() const { return selected_policy_; }
  std::int32_t GetResearchListOffset() const { return research_list_offset_; }
  std::int32_t GetResearchListLength() const { return research_list_length_; }
  std::int32_t GetResearchIconState() const { return research_icon_state_; }
  std::int32_t GetTradeListOffset() const { return trade_list_offset_; }
  std::int32_t GetTradeListLength() const { return trade_list_length_; }
  std::int32_t GetTradeIconState() const { return trade_icon_state_; }
  // The commands that the clicks reach and that the turn's files carry out: a policy of the
  // military menu's policy list, and the branches of the load (64), save (65) and settings (66)
  // menus and of the end-of-phase question (9), given the click point.
  void ExecutePolicy(Nation& nation, Policy& policy, CharacterList& characters, NationList& nations,
                     CityList& cities, DivisionList& divisions, FieldPartyList& parties, NamePool& name_pool,
                     InhabitantList& inhabitants);
  void ClickLoadMenu(HWND window, std::int32_t x, std::int32_t y, CharacterList& characters, NationList& nations,
                     CityList& cities, FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                     InhabitantList& inhabitants, TradeGoodList& goods);
  void ClickSaveMenu(HWND window, std::int32_t x, std::int32_t y, CharacterList& characters, NationList& nations,
                     CityList& cities, FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                     InhabitantList& inhabitants, TradeGoodList& goods);
  void ClickSettingsMenu(std::int32_t x, std::int32_t y);
  void ClickEndOfPhaseQuestion(HWND window, std::int32_t x, std::int32_t y, CharacterList& characters,
                               NationList& nations);
  // The state handlers of the clicks, split over the files above.
  friend class ThinkingInput;

  // One step of the turn driver (every timer id is one step).
  void OnTimer(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations, CityList& cities,
               FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool, InhabitantList& inhabitants,
               TradeGoodList& goods, TacticList& tactics, PolicyList& policies);

  // --- the turn driver and the computer nations' turn (turn_driver.cpp, computer_turn.cpp,
  //     city_step.cpp); the policies, the end-of-phase answer and the system menu's commands
  //     declared above are carried out in policy_execution.cpp, end_of_phase.cpp,
  //     system_menu_commands.cpp and settings_menu.cpp ---
  // Timer 1 drives the phase; its period follows the game speed (0 100 ms, 1 200 ms, 2 50 ms).
  static constexpr UINT_PTR kPlayTimer = 1;
  static UINT PhaseTimerPeriod(std::int32_t game_speed);
  // A computer nation takes one character (mode 0, kind 1..3) or one division (mode 1, kind
  // 1..4) willing to serve it into its service at its city_index-th city, if it can afford it;
  // the newcomers are added to the caller's two counters of that city (recruitment.cpp).
  void Recruit(CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList& parties,
               DivisionList& divisions, InhabitantList& inhabitants, std::int32_t nation_index,
               std::int32_t city_index, std::int32_t kind, std::int32_t mode, std::int32_t& at_city,
               std::int32_t& idle_at_city);
  // Characters of the acting nation at its city_index-th city are given the transfer order
  // toward `target`, or sent out on sortie against the target_index-th foreign city near it
  // (transfer_sortie.cpp). `count` and `idle` are the caller's counters of that city.
  void TransferStep(CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList& parties,
                    DivisionList& divisions, InhabitantList& inhabitants, std::int32_t nation_index,
                    std::int32_t city_index, std::int32_t& count, std::int32_t& idle, City& target);
  void SortieStep(CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList& parties,
                  DivisionList& divisions, InhabitantList& inhabitants, std::int32_t nation_index,
                  std::int32_t city_index, std::int32_t& count, std::int32_t& idle, std::int32_t target_defence,
                  std::int32_t target_index);

  void Paint(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
             CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants,
             TradeGoodList& goods, TacticList& tactics, PolicyList& policies);
  // --- the drawing: what the paint writes over the menu area once its pictures are shown ---
  // (thinking_paint.cpp, character_card.cpp, nation_panels.cpp, tactic_policy_cards.cpp,
  // list_tables.cpp and the menus' drawing files). None of them changes any state.
  // The character of the menu state (32, 34, 55, 56, 57) on the card page; the hovered skill.
  void DrawCharacterCard(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                         NationList& nations, CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                         InhabitantList& inhabitants);
  void DrawSkillCard(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
                     CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  // The nation (state 58) and the division (states 33 and 59) at the menu's position.
  void DrawNationPanel(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
                       CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  void DrawDivisionPanel(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                         NationList& nations, CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                         InhabitantList& inhabitants);
  // The tactic and policy under the pointer in the lists of states 17, 18, 20 and 21.
  void DrawTacticCard(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
                      CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants,
                      TacticList& tactics, PolicyList& policies);
  void DrawPolicyCard(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
                      CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants,
                      TacticList& tactics, PolicyList& policies);
  // The top ten of the last character (state 62) and division (state 63) ranking.
  void DrawCharacterRankingTable(HWND window, HDC dc, HFONT font1, CharacterList& characters, NationList& nations,
                                 CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                                 InhabitantList& inhabitants);
  void DrawDivisionRankingTable(HWND window, HDC dc, HFONT font1, CharacterList& characters, NationList& nations,
                                CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                                InhabitantList& inhabitants);
  // The paint's helper for the menus of each state reads the menu cursors, and so do the
  // drawing tests, which also set them.
  friend class ThinkingMenuPainter;
  friend struct ThinkingPaintTestAccess;
  // Nothing to release.
  void OnDestroy(HWND window, CharacterList& characters, NationList& nations, CityList& cities,
                 FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants,
                 TradeGoodList& goods, TacticList& tactics, PolicyList& policies);

  // --- the turn state ---
  std::int32_t GetMenuState() const { return turn.menu_state; }
  void SetMenuState(std::int32_t state) { turn.menu_state = state; }
  std::int32_t IsMusicOff() const { return music_off_; }
  void SetMusicOff(std::int32_t off) { music_off_ = off; }
  std::int32_t GetGameSpeed() const { return game_speed_; }
  void SetGameSpeed(std::int32_t speed) { game_speed_ = speed; }
  std::int32_t GetTurnNationId() const { return turn.acting_nation_id; }
  void SetTurnNationId(std::int32_t id) { turn.acting_nation_id = id; }
  std::int32_t GetActingNationIndex() const { return turn.acting_nation_index; }
  void SetActingNationIndex(std::int32_t index) { turn.acting_nation_index = index; }
  std::int32_t GetTurnOrderPosition() const { return turn.turn_order_position; }
  void SetTurnOrderPosition(std::int32_t position) { turn.turn_order_position = position; }
  std::int32_t GetTurnTickCounter() const { return turn.turn_tick_counter; }
  void SetTurnTickCounter(std::int32_t ticks) { turn.turn_tick_counter = ticks; }
  std::int32_t GetSelectedCityIndex() const { return turn.selected_city_index; }
  void SetSelectedCityIndex(std::int32_t index) { turn.selected_city_index = index; }
  std::int32_t GetCityCount() const { return turn.city_count; }
  void SetCityCount(std::int32_t count) { turn.city_count = count; }
  std::int32_t GetCityArrowState() const { return turn.city_arrow_state; }
  void SetCityArrowState(std::int32_t state) { turn.city_arrow_state = state; }
  std::int32_t GetTradeSum() const { return trade_sum_; }
  void SetTradeSum(std::int32_t sum) { trade_sum_ = sum; }
  // The two once-a-turn locks of the tactic (state 20) and policy (state 21) commands.
  void ClearOncePerTurnLocks() {
    tactic_used_ = 0;
    policy_used_ = 0;
  }
  std::uint8_t IsTacticUsed() const { return tactic_used_; }
  std::uint8_t IsPolicyUsed() const { return policy_used_; }

  // --- the calendar ---
  std::int32_t GetYear() const { return turn.year; }
  void SetYear(std::int32_t v) { turn.year = v; }
  std::int32_t GetMonth() const { return turn.month; }
  void SetMonth(std::int32_t v) { turn.month = v; }
  std::int32_t GetPartOfMonth() const { return turn.part_of_month; }
  void SetPartOfMonth(std::int32_t v) { turn.part_of_month = v; }
  std::int32_t GetTurnCount() const { return turn.turn_count; }
  void SetTurnCount(std::int32_t v) { turn.turn_count = v; }

  // --- the end of the game ---
  std::uint8_t GetGameOver() const { return turn.game_over; }
  void SetGameOver(std::uint8_t flag) { turn.game_over = flag; }
  std::int32_t GetGameOverTurnCount() const { return turn.game_over_turn_count; }
  void SetGameOverTurnCount(std::int32_t v) { turn.game_over_turn_count = v; }

  // Invalidates the rectangle without erasing and paints it before returning.
  void Refresh(HWND window, int left, int top, int right, int bottom);
  // A whole number from base to base + n - 1.
  static int Random(int n, int base);

  // --- reached directly by the game object and the save slots ---
  // The phase's own player (the game object starts the phase's tune on it) and tune.
  MusicPlayer music_player;
  MusicSegment music_segment;
  // The saved turn state, the t record it is packed into before a save, and a slot's t record
  // read for the file menus' previews with its turn state.
  ThinkingTurnState turn;
  Record header_record{};
  Record preview_record{};
  ThinkingTurnState preview;
  // Filled from a slot's files by the file menus' drawing.
  CharacterList preview_characters;
  NationList preview_nations;
  CityList preview_cities;

 private:
  // What set-up and a new game both start from: the pacing counter, the city arrows and the
  // ranking's first table, and the first part of the first month of year 300 with the game running.
  void StartCursorsAndCalendar();

  BitmapBank bank_;
  WorkBitmap work_bitmap_;
  // The menu area's and the panel's pictures, composed afresh by every paint in memory kept from
  // one paint to the next (the phase repaints on every tick).
  Canvas menu_canvas_;
  Canvas panel_canvas_;
  // The character shown by the panels.
  Character panel_character_;

  // The menu cursors that the t record does not carry.
  std::int32_t card_page_ = 0;
  std::int32_t information_icon_state_ = 0;
  std::int32_t research_list_offset_ = 0;
  std::int32_t research_list_length_ = 0;
  std::int32_t research_icon_state_ = 0;
  std::int32_t trade_list_offset_ = 0;
  std::int32_t trade_list_length_ = 0;
  std::int32_t trade_icon_state_ = 0;
  std::int32_t chosen_map_city_ = 0;
  std::int32_t ranking_table_group_ = 0;
  std::int32_t ranking_column_ = 0;
  std::int32_t selected_tactic_ = 0;
  std::int32_t selected_policy_ = 0;
  std::uint8_t tactic_used_ = 0;
  std::uint8_t policy_used_ = 0;

  // The settings and what is never saved.
  std::int32_t trade_sum_ = 0;
  std::int32_t game_speed_ = 0;  // 0 normal (100 ms), 1 slow (200 ms), 2 fast (50 ms)
  std::int32_t music_off_ = 0;   // 0: music on; kept across new games
  std::int32_t hover_id_ = 0;    // 99: no help text
};
