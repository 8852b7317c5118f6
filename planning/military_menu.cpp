// The military menu's commands that spend the player nation's points: research of tactics and
// policies from the catalogues (research menu 16, lists 17 and 18), and the use of a tactic on
// every character in battle (20) or of a policy that came up this turn (21), each once a turn.
// The research and the tactic use themselves are shared with the computer nations' turn
// (military_commands.cpp).
#include <algorithm>
#include <cstdint>

#include "planning/military_commands.h"
#include "planning/thinking_input.h"

using namespace thinking_input;

namespace {

// A nation holds at most this many tactics and policies through research.
constexpr std::int32_t kMostTactics = 10;
constexpr std::int32_t kMostPolicies = 25;

}  // namespace

void ThinkingInput::ResearchMenu(ThinkingScreen& s, ClickLists& w) {
  Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  const int button = MenuButtonAt(s.turn.click_x, s.turn.click_y);
  if (button == 1 && player->tactics.GetCount() < kMostTactics) {
    s.research_list_offset_ = 0;
    s.research_list_length_ = w.tactics.GetCount();
    s.research_icon_state_ = s.research_list_length_ > 15 ? 2 : 0;
    // The list opens on the first tactic the nation does not hold yet; holding them all, it
    // does not open.
    for (std::int32_t i = 0; i < w.tactics.GetCount(); ++i) {
      if (!player->tactics.ContainsId(w.tactics.GetAt(i)->GetId())) {
        s.selected_tactic_ = i;
        s.turn.menu_state = 17;
        break;
      }
    }
  } else if (button == 2 && player->policies.GetCount() < kMostPolicies) {
    s.research_list_offset_ = 0;
    s.research_list_length_ = w.policies.GetCount();
    s.research_icon_state_ = s.research_list_length_ > 15 ? 2 : 0;
    s.turn.menu_state = 16;
    for (std::int32_t i = 0; i < w.policies.GetCount(); ++i) {
      if (!player->policies.ContainsId(w.policies.GetAt(i)->GetId())) {
        s.selected_policy_ = i;
        s.turn.menu_state = 18;
        break;
      }
    }
  }
}

void ThinkingInput::ResearchList(ThinkingScreen& s, ClickLists& w, bool policies) {
  Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  const int x = s.turn.click_x, y = s.turn.click_y;
  std::int32_t& offset = s.research_list_offset_;
  std::int32_t& icon = s.research_icon_state_;
  const std::int32_t length = s.research_list_length_;
  std::int32_t& selection = policies ? s.selected_policy_ : s.selected_tactic_;
  // Whether the nation already holds the catalogue entry at an index (an index outside the
  // catalogue counts as held: it cannot be chosen).
  auto held = [&](std::int32_t index) {
    if (policies) {
      const Policy* p = w.policies.GetAt(index);
      return !p || player->policies.ContainsId(p->GetId());
    }
    const Tactic* t = w.tactics.GetAt(index);
    return !t || player->tactics.ContainsId(t->GetId());
  };

  const int row = ListRowAt(x, y);
  if (OnBackArrow(x, y)) {
    if (icon != 0 && icon != 2) {
      offset -= 1;
      icon = ScrollState(offset, length);
    }
  } else if (OnForwardArrow(x, y)) {
    if (icon != 0 && icon != 1) {
      offset += 1;
      icon = ScrollState(offset, length);
    }
  } else if (row >= 0 && row < std::min<std::int32_t>(length, 15)) {
    if (!held(offset + row)) selection = offset + row;
  } else if (OnDecide(x, y) && length >= 1) {
    bool researched = false;
    if (policies) {
      if (Policy* p = w.policies.GetAt(selection)) researched = military_commands::ResearchPolicy(*player, *p);
    } else {
      if (Tactic* t = w.tactics.GetAt(selection)) researched = military_commands::ResearchTactic(*player, *t);
    }
    if (researched) s.turn.menu_state = 16;
  }
}

void ThinkingInput::TacticSkillList(ThinkingScreen& s, ClickLists& w) {
  Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  const int x = s.turn.click_x, y = s.turn.click_y;
  const std::int32_t n = std::min<std::int32_t>(player->tactics.GetCount(), 10);
  const int row = ListRowAt(x, y);
  if (row >= 0 && row < n) {
    s.selected_tactic_ = row;
  } else if (OnDecide(x, y) && n >= 1) {
    const Tactic* t = player->tactics.GetAt(s.selected_tactic_);
    if (t && military_commands::UseTactic(*player, *t, w.characters)) {
      s.turn.menu_state = 3;
      s.tactic_used_ = 1;
    }
  }
}

void ThinkingInput::PolicySkillList(ThinkingScreen& s, ClickLists& w) {
  Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  const int x = s.turn.click_x, y = s.turn.click_y;
  // Only the policies that came up in this turn's roll are offered.
  const std::int32_t n = std::min<std::int32_t>(player->policies.CountByAvailableFlag(1), 10);
  const int row = ListRowAt(x, y);
  if (row >= 0 && row < n) {
    s.selected_policy_ = row;
  } else if (OnDecide(x, y) && n >= 1) {
    Policy* p = player->policies.GetNthByAvailableFlag(1, s.selected_policy_);
    if (p && player->GetPolicyValue() >= p->GetUsedPoint() &&
        std::int64_t{player->GetFunds()} - p->GetPrice() >= 0) {
      s.ExecutePolicy(*player, *p, w.characters, w.nations, w.cities, w.divisions, w.parties, w.name_pool,
                      w.inhabitants);
      s.turn.menu_state = 3;
      s.policy_used_ = 1;
    }
  }
}
