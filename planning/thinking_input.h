#pragma once
// What the files of the thinking phase's input share: the hit areas of the menus, the arrow
// rule of the stepping lists, and the state handlers of a left click (ThinkingInput, a friend of
// the screen). The handlers are grouped by the part of the game they serve: the navigation of the
// menus with the information and ranking menus (menu_states.cpp), research, tactic and policy use
// (military_menu.cpp), hiring and trade (hiring_trade.cpp).
#include <cstdint>

#include "planning/thinking_screen.h"

namespace thinking_input {

// Timer 1 paces the nations' turns.
inline constexpr UINT_PTR kTurnTimer = 1;
// Hover id of "no help".
inline constexpr std::int32_t kNoHover = 99;

// Timer 1's period for a game speed: 0 normal, 1 slow, 2 fast.
inline UINT TimerPeriod(std::int32_t game_speed) {
  if (game_speed == 1) return 200;
  if (game_speed == 2) return 50;
  return 100;
}

inline bool In(int x, int y, int left, int right, int top, int bottom) {
  return left <= x && x <= right && top <= y && y <= bottom;
}

// The menu button (1..7, top to bottom) under a point, or 0.
inline int MenuButtonAt(int x, int y) {
  if (x < 4 || x > 135) return 0;
  for (int k = 1; k <= 7; ++k)
    if (y >= 4 + 36 * (k - 1) && y <= 31 + 36 * (k - 1)) return k;
  return 0;
}

// The stepping arrows of the character, nation and division views share their places with the
// scroll arrows of the fifteen-row lists.
inline bool OnBackArrow(int x, int y) { return In(x, y, 444, 471, 348, 375); }
inline bool OnForwardArrow(int x, int y) { return In(x, y, 480, 507, 348, 375); }
inline bool OnDecide(int x, int y) { return In(x, y, 516, 635, 348, 375); }
inline bool OnCityBackArrow(int x, int y) { return In(x, y, 644, 671, 392, 427); }
inline bool OnCityForwardArrow(int x, int y) { return In(x, y, 808, 835, 392, 427); }

// The card page tab (1..3) under a point, or 0.
inline int CardPageTabAt(int x, int y) {
  if (y < 348 || y > 375) return 0;
  for (int page = 1; page <= 3; ++page)
    if (x >= 144 + 100 * (page - 1) && x <= 235 + 100 * (page - 1)) return page;
  return 0;
}

// The list row (from 0) whose mark box holds the point, or -1; rows are 20 pixels apart.
inline int ListRowAt(int x, int y) {
  if (x < 164 || x > 175 || y < 32) return -1;
  int row = (y - 32) / 20;
  return y <= 43 + 20 * row ? row : -1;
}

// The ranking group tab (1..4) under a point, or 0.
inline int RankingGroupTabAt(int x, int y) {
  if (y < 348 || y > 375) return 0;
  for (int group = 1; group <= 4; ++group)
    if (x >= 144 + 125 * (group - 1) && x <= 260 + 125 * (group - 1)) return group;
  return 0;
}

// The ranking column button (from 1) under a point, or 0.
inline int RankingColumnAt(int x, int y) {
  if (y < 8 || y > 23 || x < 148) return 0;
  int column = (x - 148) / 20 + 1;
  return x <= 159 + 20 * (column - 1) ? column : 0;
}

// The arrow state of position p in a list of n: 2 at the first of several, 3 at the last, 0
// between, 6 for a single entry; an empty list keeps the state it had.
inline std::int32_t ArrowState(std::int32_t p, std::int32_t n, std::int32_t current) {
  if (n == 1) return 6;
  if (n < 1) return current;
  if (p == 0) return 2;
  if (p == n - 1) return 3;
  return 0;
}

// The state of the up, down and decide strip of a fifteen-row list after a scroll: 2 at the top
// of a longer list, 1 with the last entry in the last row, 3 between.
inline std::int32_t ScrollState(std::int32_t offset, std::int32_t length) {
  if (length > 15 && offset == 0) return 2;
  if (offset + 15 == length) return 1;
  return 3;
}

}  // namespace thinking_input

// The world lists of one click, in the order the game object hands them over.
struct ClickLists {
  CharacterList& characters;
  NationList& nations;
  CityList& cities;
  FieldPartyList& parties;
  DivisionList& divisions;
  NamePool& name_pool;
  InhabitantList& inhabitants;
  TradeGoodList& goods;
  TacticList& tactics;
  PolicyList& policies;
};

// The state handlers of a left click. Each is given the click point stored in the screen and
// changes nothing when the point hits none of its areas; the caller refreshes the window.
class ThinkingInput {
 public:
  // The player's turn: every state of the menus.
  static void Full(ThinkingScreen& s, HWND window, ClickLists& w);
  // A computer nation's turn: only what can be read, and the system menu.
  static void Restricted(ThinkingScreen& s, HWND window, ClickLists& w);
  // The states both kinds of turn answer (the reading menus and the system menu); false when the
  // state is none of them. On a computer nation's turn the city list's card restarts at page 1.
  static bool Readable(ThinkingScreen& s, HWND window, ClickLists& w, bool restricted);

  // menu_states.cpp
  static void MainMenu(ThinkingScreen& s, HWND window, ClickLists& w);
  static void MainMenuRestricted(ThinkingScreen& s, HWND window);
  static void MilitaryMenu(ThinkingScreen& s, ClickLists& w);
  static void InformationMenu(ThinkingScreen& s, ClickLists& w);
  static void CharacterInformationMenu(ThinkingScreen& s, ClickLists& w);
  static void CharactersByCity(ThinkingScreen& s, ClickLists& w, bool restricted);
  static void CharacterGroupList(ThinkingScreen& s);
  static void NationOrDivisionList(ThinkingScreen& s);
  static void RankingMenu(ThinkingScreen& s, ClickLists& w);
  static void CharacterRanking(ThinkingScreen& s, ClickLists& w);
  static void DivisionRanking(ThinkingScreen& s, ClickLists& w);
  static void SystemMenu(ThinkingScreen& s);
  // Support rate, average friendship and the three tendencies of every division.
  static void ComputeDivisionStatistics(ClickLists& w);

  // military_menu.cpp
  static void ResearchMenu(ThinkingScreen& s, ClickLists& w);
  static void ResearchList(ThinkingScreen& s, ClickLists& w, bool policies);
  static void TacticSkillList(ThinkingScreen& s, ClickLists& w);
  static void PolicySkillList(ThinkingScreen& s, ClickLists& w);

  // hiring_trade.cpp
  static void HiringMenu(ThinkingScreen& s, ClickLists& w);
  static void CandidateView(ThinkingScreen& s, ClickLists& w);
  static void TradeMenu(ThinkingScreen& s);
  static void TradeBoard(ThinkingScreen& s, ClickLists& w);
  static void TradeList(ThinkingScreen& s, ClickLists& w);

 private:
  // The stepping arrows of the information views: true when the position moved.
  static bool StepInformation(ThinkingScreen& s);
};
