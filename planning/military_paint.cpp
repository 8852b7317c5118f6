// The military menu (3), the research menu (16) with its tactic and policy research lists (17,
// 18), and the lists of the tactics (20) and policies (21) the player's nation can use now.
#include <algorithm>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

constexpr NameRef kMilitaryBoard = names::Of("思考軍事メニュー板");
constexpr NameRef kResearchBoard = names::Of("思考研究メニュー板");
constexpr NameRef kListWindow = names::Of("思考戦術メニュー");
constexpr NameRef kScrollStrip = names::Of("選択上下決定アイコン");

// The research lists show fifteen rows from their offset; the skill lists ten from the top.
constexpr std::int32_t kResearchRows = 15;
constexpr std::int32_t kSkillRows = 10;

}  // namespace

bool ThinkingMenuPainter::MilitaryPictures(Canvas& menu) {
  const Nation* player = PlayerNation(nations_);
  const std::int32_t state = s_.turn.menu_state;
  switch (state) {
    case 3: Board(menu, kMilitaryBoard, 0, 1, 0, 228); return true;
    case 16: Board(menu, kResearchBoard, 0, 1, 0, 228); return true;
    case 17:
    case 18: {
      // The lit strip of the open entry: tactics (row 6) or policies (row 5).
      if (state == 17)
        Board(menu, kResearchBoard, 6, 7, 0, 444);
      else
        Board(menu, kResearchBoard, 5, 7, 0, 408);
      Board(menu, kListWindow, 0, 1, 140, 100);
      const int strip = ScrollStripRow(s_.research_icon_state_);
      if (strip >= 0) Board(menu, kScrollStrip, strip, 4, 440, 100);
      const std::int32_t rows = std::min(s_.research_list_length_, kResearchRows);
      const std::int32_t selected = state == 17 ? s_.selected_tactic_ : s_.selected_policy_;
      for (std::int32_t i = 0; i < rows; ++i) {
        const std::int32_t index = i + s_.research_list_offset_;
        std::int32_t id = 0;
        bool listed = false;
        if (state == 17) {
          if (const Tactic* t = tactics_.GetAt(index)) id = t->GetId(), listed = true;
        } else {
          if (const Policy* p = policies_.GetAt(index)) id = p->GetId(), listed = true;
        }
        if (!listed) continue;
        // Already owned (6) wins over selected (5).
        const bool owned = player != nullptr && (state == 17 ? player->tactics.ContainsId(id)
                                                             : player->policies.ContainsId(id));
        ListMark(menu, i, owned ? 6 : selected == index ? 5 : 0);
      }
      return true;
    }
    case 20:
    case 21: {
      if (state == 20)
        Board(menu, kMilitaryBoard, 6, 7, 0, 444);
      else
        Board(menu, kMilitaryBoard, 5, 7, 0, 408);
      Board(menu, kListWindow, 0, 1, 140, 100);
      if (player == nullptr) return true;
      const std::int32_t count =
          state == 20 ? player->tactics.GetCount() : player->policies.CountByAvailableFlag(1);
      const std::int32_t selected = state == 20 ? s_.selected_tactic_ : s_.selected_policy_;
      for (std::int32_t i = 0; i < std::min(count, kSkillRows); ++i) ListMark(menu, i, i == selected ? 5 : 0);
      return true;
    }
    default: return false;
  }
}

bool ThinkingMenuPainter::MilitaryTexts() {
  Nation* player = PlayerNation(nations_);
  const std::int32_t state = s_.turn.menu_state;
  auto head = [this] {
    SetTextColor(dc_, kHeadRed);
    Text(dc_, 215, 10, "NAME       USEDPOINT");
    SetTextColor(dc_, kBlack);
  };
  switch (state) {
    case 3: HelpLines(); return true;
    case 16: return true;
    case 17:
    case 18: {
      head();
      const std::int32_t rows = std::min(s_.research_list_length_, kResearchRows);
      for (std::int32_t i = 0; i < rows; ++i) {
        const std::int32_t index = i + s_.research_list_offset_;
        const int y = 30 + 20 * i;
        if (state == 17) {
          if (const Tactic* t = tactics_.GetAt(index)) {
            TextF(dc_, 215, y, "%s", NameOf(t->GetName()));
            TextF(dc_, 365, y, "%3d", t->GetResearchCost());
          }
        } else if (const Policy* p = policies_.GetAt(index)) {
          TextF(dc_, 215, y, "%s", NameOf(p->GetName()));
          TextF(dc_, 365, y, "%3d", p->GetResearchCost());
        }
      }
      // The research points that research spends (the building experience stood here once).
      if (player != nullptr) TextF(dc_, 235, 355, "研究値：%4d", player->GetResearchPoints());
      if (state == 17 && s_.hover_id_ == 17)
        s_.DrawTacticCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                          inhabitants_, tactics_, policies_);
      if (state == 18 && s_.hover_id_ == 18)
        s_.DrawPolicyCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                          inhabitants_, tactics_, policies_);
      return true;
    }
    case 20: {
      head();
      if (player == nullptr) return true;
      const std::int32_t rows = std::min(player->tactics.GetCount(), kSkillRows);
      for (std::int32_t i = 0; i < rows; ++i) {
        const Tactic* t = player->tactics.GetAt(i);
        TextF(dc_, 215, 30 + 20 * i, "%s", NameOf(t->GetName()));
        TextF(dc_, 365, 30 + 20 * i, "%3d", t->GetUsedPoint());
      }
      TextF(dc_, 235, 355, "戦術値：%4d", player->GetTacticsValue());
      if (s_.hover_id_ == 20)
        s_.DrawTacticCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                          inhabitants_, tactics_, policies_);
      return true;
    }
    case 21: {
      head();
      if (player == nullptr) return true;
      const std::int32_t available = player->policies.CountByAvailableFlag(1);
      const std::int32_t rows = std::min(available, kSkillRows);
      for (std::int32_t i = 0; i < rows; ++i) {
        const Policy* p = player->policies.GetNthByAvailableFlag(1, i);
        if (p == nullptr) continue;
        TextF(dc_, 215, 30 + 20 * i, "%s", NameOf(p->GetName()));
        TextF(dc_, 365, 30 + 20 * i, "%3d", p->GetUsedPoint());
      }
      TextF(dc_, 235, 355, "政策値：%4d", player->GetPolicyValue());
      if (s_.hover_id_ == 21 && available >= 1)
        s_.DrawPolicyCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                          inhabitants_, tactics_, policies_);
      return true;
    }
    default: return false;
  }
}
