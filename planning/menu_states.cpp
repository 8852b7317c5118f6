// The navigation of the thinking phase's menus: the main menu with its city arrows, the military
// menu's entries, and the information, ranking and system menus with their views. The menu state
// moves down the tree by the buttons; the right button takes it back up (hover_help.cpp).
#include <cstdint>

#include "core/save_slot.h"
#include "planning/thinking_input.h"
#include "world/saturate.h"

using namespace thinking_input;

void ThinkingInput::MainMenu(ThinkingScreen& s, HWND window, ClickLists&) {
  ThinkingTurnState& t = s.turn;
  const int x = t.click_x, y = t.click_y;
  const int button = MenuButtonAt(x, y);
  switch (button) {
    case 1:
      if (t.player_turn_open) t.menu_state = 3;
      return;
    case 3:
    case 4:
    case 5:
      t.menu_state = button == 3 ? 5 : button == 4 ? 6 : 8;
      // Between the player's turn and the next nation's, reading a menu holds the turns back.
      if (!t.player_turn_open) KillTimer(window, kTurnTimer);
      return;
    case 6:
      if (t.player_turn_open) t.menu_state = 9;
      return;
    default:
      break;  // buttons 2 and 7 lead nowhere
  }
  if (OnCityBackArrow(x, y) && t.city_arrow_state != 2 && t.city_arrow_state != 6) {
    t.selected_city_index -= 1;
    t.city_arrow_state = ArrowState(t.selected_city_index, t.city_count, t.city_arrow_state);
  } else if (OnCityForwardArrow(x, y) && t.city_arrow_state != 3 && t.city_arrow_state != 6) {
    t.selected_city_index += 1;
    t.city_arrow_state = ArrowState(t.selected_city_index, t.city_count, t.city_arrow_state);
  }
}

void ThinkingInput::MainMenuRestricted(ThinkingScreen& s, HWND window) {
  ThinkingTurnState& t = s.turn;
  const int button = MenuButtonAt(t.click_x, t.click_y);
  if (button < 3 || button > 5) return;
  t.menu_state = button == 3 ? 5 : button == 4 ? 6 : 8;
  KillTimer(window, kTurnTimer);
}

void ThinkingInput::MilitaryMenu(ThinkingScreen& s, ClickLists& w) {
  const Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  switch (MenuButtonAt(s.turn.click_x, s.turn.click_y)) {
    case 1:
      if (w.characters.CountInBattleOfNation(player->GetId()) >= 1 && !s.tactic_used_) {
        s.turn.menu_state = 20;
        s.hover_id_ = kNoHover;
        s.selected_tactic_ = 0;
      }
      break;
    case 2:
      if (!s.policy_used_) {
        s.turn.menu_state = 21;
        s.hover_id_ = kNoHover;
        s.selected_policy_ = 0;
      }
      break;
    case 4: s.turn.menu_state = 31; break;
    case 5: s.turn.menu_state = 35; break;
    case 6: s.turn.menu_state = 16; break;
    default: break;
  }
}

void ThinkingInput::InformationMenu(ThinkingScreen& s, ClickLists& w) {
  ThinkingTurnState& t = s.turn;
  switch (MenuButtonAt(t.click_x, t.click_y)) {
    case 1: t.menu_state = 53; break;
    case 2:
      t.menu_state = 58;
      t.information_list_position = 0;
      t.information_list_length = w.nations.Count();
      s.information_icon_state_ = ArrowState(0, t.information_list_length, s.information_icon_state_);
      if (t.information_list_length == 0) t.menu_state = 5;
      break;
    case 3:
      ComputeDivisionStatistics(w);
      t.menu_state = 59;
      t.information_list_position = 0;
      t.information_list_length = w.divisions.GetCount();
      s.information_icon_state_ = ArrowState(0, t.information_list_length, s.information_icon_state_);
      if (t.information_list_length == 0) t.menu_state = 5;
      break;
    default: break;
  }
}

void ThinkingInput::CharacterInformationMenu(ThinkingScreen& s, ClickLists& w) {
  ThinkingTurnState& t = s.turn;
  const int button = MenuButtonAt(t.click_x, t.click_y);
  if (button == 1) {
    t.menu_state = 55;
    s.card_page_ = 1;
    t.information_list_position = 0;
    s.chosen_map_city_ = 0;
    t.information_list_length = 0;
    s.information_icon_state_ = 6;
  } else if (button == 2 || button == 3) {
    // The unaffiliated characters and the lords.
    t.menu_state = button == 2 ? 56 : 57;
    s.card_page_ = 1;
    t.information_list_position = 0;
    t.information_list_length =
        w.characters.CountOfNation(button == 2 ? Character::kNationNone : Character::kNationLords);
    s.information_icon_state_ = ArrowState(0, t.information_list_length, s.information_icon_state_);
    if (t.information_list_length == 0) t.menu_state = 53;
  }
}

bool ThinkingInput::StepInformation(ThinkingScreen& s) {
  ThinkingTurnState& t = s.turn;
  std::int32_t& icon = s.information_icon_state_;
  if (OnBackArrow(t.click_x, t.click_y) && icon != 2 && icon != 6) {
    t.information_list_position -= 1;
  } else if (OnForwardArrow(t.click_x, t.click_y) && icon != 3 && icon != 6) {
    t.information_list_position += 1;
  } else {
    return false;
  }
  icon = ArrowState(t.information_list_position, t.information_list_length, icon);
  return true;
}

void ThinkingInput::CharactersByCity(ThinkingScreen& s, ClickLists& w, bool restricted) {
  ThinkingTurnState& t = s.turn;
  // While a computer nation acts the card starts again from its first page.
  if (StepInformation(s)) {
    if (restricted) s.card_page_ = 1;
  } else if (const City* city = w.cities.FindAtMinimapPoint(t.click_x, t.click_y)) {
    Point p;
    city->GetPosition(p);
    const std::int32_t owner = city->GetOwner();
    const std::int32_t staying = owner == City::kNoOwner ? 0 : w.characters.CountAt(p.x, p.y, owner);
    if (staying != 0) {
      t.information_list_position = 0;
      s.chosen_map_city_ = city->GetId();
      t.information_list_length = staying;
      s.information_icon_state_ = ArrowState(0, staying, s.information_icon_state_);
      if (restricted) s.card_page_ = 1;
    }
  }
  if (s.chosen_map_city_ != 0) {
    if (int page = CardPageTabAt(t.click_x, t.click_y)) s.card_page_ = page;
  }
}

void ThinkingInput::CharacterGroupList(ThinkingScreen& s) {
  if (StepInformation(s)) s.card_page_ = 1;
  if (int page = CardPageTabAt(s.turn.click_x, s.turn.click_y)) s.card_page_ = page;
}

void ThinkingInput::NationOrDivisionList(ThinkingScreen& s) { StepInformation(s); }

void ThinkingInput::RankingMenu(ThinkingScreen& s, ClickLists& w) {
  switch (MenuButtonAt(s.turn.click_x, s.turn.click_y)) {
    case 1:
      s.turn.menu_state = 62;
      s.ranking_table_group_ = 1;
      s.ranking_column_ = 1;
      w.characters.Rank(1);
      break;
    case 2:
      ComputeDivisionStatistics(w);
      s.turn.menu_state = 63;
      s.ranking_table_group_ = 3;
      s.ranking_column_ = 1;
      w.divisions.Rank(11, 0);
      break;
    default: break;
  }
}

namespace {

// The character ranking's tables: group g has columns 1..kColumns[g], ranked by the criteria
// kFirst[g] + column.
constexpr std::int32_t kCharacterColumns[5] = {0, 7, 4, 5, 6};
constexpr std::int32_t kCharacterBase[5] = {0, 0, 10, 20, 30};

}  // namespace

void ThinkingInput::CharacterRanking(ThinkingScreen& s, ClickLists& w) {
  const int x = s.turn.click_x, y = s.turn.click_y;
  const std::int32_t group = s.ranking_table_group_;
  if (int column = RankingColumnAt(x, y); column != 0 && group >= 1 && group <= 4) {
    if (column <= kCharacterColumns[group]) {
      s.ranking_column_ = column;
      w.characters.Rank(kCharacterBase[group] + column);
    }
  } else if (int tab = RankingGroupTabAt(x, y)) {
    s.ranking_table_group_ = tab;
    s.ranking_column_ = 1;
    w.characters.Rank(kCharacterBase[tab] + 1);
  }
}

void ThinkingInput::DivisionRanking(ThinkingScreen& s, ClickLists& w) {
  const int x = s.turn.click_x, y = s.turn.click_y;
  const std::int32_t group = s.ranking_table_group_;
  if (int column = RankingColumnAt(x, y)) {
    // Group 3 ranks by the support and tendency criteria 11..15, group 4 by 1..4.
    if (group == 3 && column <= 5) {
      s.ranking_column_ = column;
      w.divisions.Rank(10 + column, 0);
    } else if (group == 4 && column <= 4) {
      s.ranking_column_ = column;
      w.divisions.Rank(column, 0);
    }
  } else if (int tab = RankingGroupTabAt(x, y); tab == 3 || tab == 4) {
    s.ranking_table_group_ = tab;
    s.ranking_column_ = 1;
    w.divisions.Rank(tab == 3 ? 11 : 1, 0);
  }
}

void ThinkingInput::SystemMenu(ThinkingScreen& s) {
  switch (MenuButtonAt(s.turn.click_x, s.turn.click_y)) {
    // The load and save menus show the slots as they are settled when the menu opens.
    case 1: SaveSlot::RecoverAll(); s.turn.menu_state = 64; break;
    case 2: SaveSlot::RecoverAll(); s.turn.menu_state = 65; break;
    case 3: s.turn.menu_state = 66; break;
    default: break;
  }
}

void ThinkingInput::ComputeDivisionStatistics(ClickLists& w) {
  // A zero divisor (no inhabitants, exactly 44 characters, a division without members) gives 0.
  const std::int64_t inhabitants = w.inhabitants.GetCount();
  for (Division& d : w.divisions)
    d.SetSupportRate(inhabitants == 0 ? 0 : SaturateToI32(std::int64_t{d.GetPopularity()} * 100 / inhabitants));

  const std::int64_t others = std::int64_t{w.characters.Count()} - 44;
  for (Division& d : w.divisions) {
    d.SetAverageFriendship(0);
    std::int64_t sum = 0;
    for (const Character& c : w.characters)
      if (const RelationEntry* e = c.division_relations.Find(d.GetId())) sum += e->GetFriendship();
    d.SetAverageFriendship(others == 0 ? 0 : SaturateToI32(sum / others));
  }

  for (Division& d : w.divisions) {
    d.SetDomesticTendency(0);
    d.SetSortieTendency(0);
    d.SetPatrolTendency(0);
    std::int64_t domestic = 0, sortie = 0, patrol = 0;
    for (const Character& c : w.characters) {
      if (c.GetDivisionId() != d.GetId()) continue;
      domestic += std::int64_t{c.chances.GetAgricultureWeight()} + c.chances.GetCommerceWeight() +
                  c.chances.GetIndustryWeight() + c.chances.GetResourceWeight();
      sortie += c.chances.GetSortieChance();
      patrol += c.chances.GetPatrolWeight();
    }
    const std::int64_t members = d.GetMemberCount();
    if (members == 0) continue;
    d.SetDomesticTendency(SaturateToI32(domestic / members));
    d.SetSortieTendency(SaturateToI32(sortie / members));
    d.SetPatrolTendency(SaturateToI32(patrol / members));
  }
}
