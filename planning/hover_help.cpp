// The pointer and the right button of the thinking phase. Moving the pointer over a menu button,
// a list row or a skill of a character card chooses the help line at the foot of the screen (the
// hover id), and repaints only the help area when it changes; over the mini-map of the
// characters-by-city view it lights the city under it. The right button is the menus' back key.
#include <algorithm>
#include <cstdint>

#include "planning/thinking_input.h"

using namespace thinking_input;

namespace {

// The hover ids of the menu buttons 1..6 (the states they open; kNoHover for a button without
// help), by menu state.
struct ButtonHelp {
  std::int32_t state;
  std::int32_t ids[6];
};
constexpr ButtonHelp kButtonHelp[] = {
    {3, {20, 21, kNoHover, 31, 35, 16}},
    {5, {53, 58, 59, kNoHover, kNoHover, kNoHover}},
    {53, {55, 56, 57, kNoHover, kNoHover, kNoHover}},
    {6, {62, 63, kNoHover, kNoHover, kNoHover, kNoHover}},
    {8, {64, 65, 66, kNoHover, kNoHover, kNoHover}},
};

// Rows of 20 pixels from `top`, `n` of them, within the columns left..right: the row's id on a
// row, kNoHover on the four-pixel seams between rows and off the rows.
std::int32_t RowHover(int x, int y, int left, int right, int top, int seam, std::int32_t n, std::int32_t id) {
  if (x < left || x > right || y < top || y > top + 20 * n - 1) return kNoHover;
  for (std::int32_t i = 1; i < n; ++i)
    if (y >= 20 * i + seam && y <= 20 * i + seam + 3) return kNoHover;
  return id;
}

// The character whose card the view shows, or none.
const Character* CardCharacter(const ThinkingScreen& s, std::int32_t state, const CharacterList& characters,
                               const NationList& nations, const CityList& cities) {
  if (state == 32 || state == 34) {
    const Nation* player = nations.FindByComputerFlag(0);
    if (!player) return nullptr;
    return characters.GetNthWilling(player->GetId(), 1, state == 32 ? 0 : 1, s.turn.hiring_candidate_position);
  }
  if (state == 55) {
    const City* city = cities.FindById(s.GetChosenMapCity());
    if (!city) return nullptr;
    Point p;
    city->GetPosition(p);
    return characters.GetNthAt(p.x, p.y, city->GetOwner(), s.turn.information_list_position);
  }
  return characters.GetNthOfNation(state == 56 ? Character::kNationNone : Character::kNationLords,
                                   s.turn.information_list_position);
}

}  // namespace

void ThinkingScreen::OnMouseMove(HWND window, LPARAM point, CharacterList& characters, NationList& nations,
                                 CityList& cities, FieldPartyList&, DivisionList&, InhabitantList&, TradeGoodList&,
                                 TacticList& tactics, PolicyList& policies) {
  const std::int32_t state = turn.menu_state;
  const ButtonHelp* help = nullptr;
  for (const ButtonHelp& h : kButtonHelp)
    if (h.state == state) help = &h;
  const bool list = state == 17 || state == 18 || state == 20 || state == 21;
  const bool card = state == 32 || state == 34 || state == 55 || state == 56 || state == 57;
  if (!help && !list && !card) return;  // the main menu among others follows no pointer

  turn.pointer_x = LOWORD(point);
  turn.pointer_y = HIWORD(point);
  const int x = turn.pointer_x, y = turn.pointer_y;

  std::int32_t id = kNoHover;
  if (help) {
    const int button = MenuButtonAt(x, y);
    if (button >= 1 && button <= 6) id = help->ids[button - 1];
  } else if (list) {
    // The research lists show fifteen rows at most; the skill lists are taken whole.
    std::int32_t n = 0;
    const Nation* player = nations.FindByComputerFlag(0);
    if (state == 17) n = std::min<std::int32_t>(tactics.GetCount(), 15);
    if (state == 18) n = std::min<std::int32_t>(policies.GetCount(), 15);
    if (state == 20 && player) n = player->tactics.GetCount();
    if (state == 21 && player) n = player->policies.CountByAvailableFlag(1);
    if (n < 1) return;
    id = RowHover(x, y, 215, 299, 30, 28, n, state);
  } else {
    if (state == 55) {
      // The city dot under the pointer is lit on the right panel.
      const bool on_city = cities.HasCityAtMinimapPoint(x, y);
      if (turn.minimap_hover == 0 && on_city) {
        turn.minimap_hover = 1;
        Refresh(window, 640, 0, 840, 480);
      } else if (turn.minimap_hover == 1 && !on_city) {
        turn.minimap_hover = 0;
        Refresh(window, 640, 0, 840, 480);
      }
      if (chosen_map_city_ == 0) return;
    }
    const Character* c = CardCharacter(*this, state, characters, nations, cities);
    const std::int32_t n = c ? std::min<std::int32_t>(c->skills.GetCount(), 10) : 0;
    if (n < 1) return;
    // Hover id 54 shows the card of the skill under the pointer.
    id = RowHover(x, y, 450, 499, 25, 23, n, 54);
  }

  if (id != hover_id_) {
    hover_id_ = id;
    Refresh(window, 140, 380, 640, 480);
  }
}

namespace {

// Where the right button leads from each menu state during the player's turn (-1: nowhere).
std::int32_t PlayerBack(std::int32_t state) {
  switch (state) {
    case 3: case 9: case 5: case 6: case 8: return 0;
    case 16: case 20: case 21: case 31: case 35: return 3;
    case 17: case 18: return 16;
    case 32: case 33: case 34: return 31;
    case 36: case 39: return 35;
    case 37: case 38: return 36;
    case 40: case 41: return 39;
    case 53: case 58: case 59: return 5;
    case 55: case 56: case 57: return 53;
    case 62: case 63: return 6;
    case 64: case 65: case 66: return 8;
    default: return -1;
  }
}

// The same for the menus that can be open while a computer nation acts.
std::int32_t ComputerBack(std::int32_t state) {
  switch (state) {
    case 5: case 6: case 8: return 0;
    case 53: case 58: case 59: return 5;
    case 55: case 56: case 57: return 53;
    case 62: case 63: return 6;
    case 64: case 65: case 66: return 8;
    default: return -1;
  }
}

}  // namespace

void ThinkingScreen::OnRButtonDown(HWND window, LPARAM point, CharacterList&, NationList& nations, CityList&,
                                   FieldPartyList&, DivisionList&, InhabitantList&, TradeGoodList&, TacticList&,
                                   PolicyList&) {
  const Nation* player = nations.FindByComputerFlag(0);
  const std::int32_t from = turn.menu_state;
  if (player && player->GetId() == turn.acting_nation_id) {
    turn.right_click_x = LOWORD(point);
    turn.right_click_y = HIWORD(point);
    const std::int32_t to = PlayerBack(from);
    if (to >= 0) {
      turn.menu_state = to;
      // The information, ranking and system menus held the nations' turns back outside the
      // player's own turn; leaving them lets the turns go on.
      if ((from == 5 || from == 6 || from == 8) && !turn.player_turn_open)
        SetTimer(window, kTurnTimer, TimerPeriod(game_speed_), nullptr);
      if (from == 53 || from == 58 || from == 59 || from == 55 || from == 56 || from == 57)
        turn.information_list_position = 0;
    }
  } else {
    const Nation* acting = nations.FindById(turn.acting_nation_id);
    if (!acting || !acting->IsComputer()) return;
    turn.right_click_x = LOWORD(point);
    turn.right_click_y = HIWORD(point);
    const std::int32_t to = ComputerBack(from);
    if (to >= 0) {
      turn.menu_state = to;
      if (to == 0) SetTimer(window, kTurnTimer, TimerPeriod(game_speed_), nullptr);
    }
  }
  Refresh(window, 0, 0, 840, 480);
}
