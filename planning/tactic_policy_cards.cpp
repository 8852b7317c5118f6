// The cards at the foot of the menu area that explain the tactic or policy under the pointer in
// the research lists (17, 18) and the lists of skills to use (20, 21).
#include <cmath>
#include <limits>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

// What each kind of policy shows: its effect header, its description, how the amount is shown
// and whether the limit follows.
enum class Amount { kNumber5, kPerHead, kNumber2, kZeroToTwo };
struct PolicyKind {
  std::int32_t kind;
  const char* header;
  const char* description;
  Amount amount;
  bool limit;
};
constexpr const char* kCostHeader = "効果： 費用        増加Ｐ";
constexpr const char* kHeadsHeader = "効果： 費用        増加Ｐ                  人数";
constexpr PolicyKind kPolicyKinds[] = {
    {1, kCostHeader, "軍議・大軍議を開き、戦術ＰＯＩＮＴを増やします。", Amount::kNumber5, false},
    {2, kCostHeader, "農業投資し、国の農業値を増やします。", Amount::kNumber5, false},
    {3, kCostHeader, "商業投資し、国の商業値を増やします。", Amount::kNumber5, false},
    {4, kCostHeader, "工業投資し、国の工業値を増やします。", Amount::kNumber5, false},
    {6, kHeadsHeader, "人材を配置し、国の農業値を増やします。", Amount::kPerHead, true},
    {7, kHeadsHeader, "人材を配置し、国の商業値を増やします。", Amount::kPerHead, true},
    {8, kHeadsHeader, "人材を配置し、国の工業値を増やします。", Amount::kPerHead, true},
    {10, kHeadsHeader, "人材募集し、登用できる人材を増やします。", Amount::kNumber2, true},
    {11, "効果： 費用        増加Ｐ                  団数", "師団募集し、登用できる師団を増やします。", Amount::kNumber2,
     true},
    {12, "効果： 費用        軍資金            移住人数", "住民に重税を課し、国の軍資金を増やします。",
     Amount::kNumber2, true},
    {13, kCostHeader, "警備を強化し、自国の全都市の治安値を高めます。", Amount::kNumber2, false},
    {14, kHeadsHeader, "宴会を開き、自軍の人材の親交値を高めます。", Amount::kZeroToTwo, true},
    {15, kHeadsHeader, "宴会を開き、無所属の人材の親交値を高めます。", Amount::kZeroToTwo, true},
    {16, kHeadsHeader, "宴会を開き、諸侯の人材の親交値を高めます。", Amount::kZeroToTwo, true},
    {17, kCostHeader, "宴会を開き、１師団の全人材の親交値を高めます。", Amount::kZeroToTwo, false},
    {18, kCostHeader, "研究投資し、国の研究値を増やします。", Amount::kNumber5, false},
};

// A policy's amount as a whole number, truncated toward zero (kept inside the int range, so that
// a doctored file cannot make the conversion undefined).
std::int32_t WholeAmount(float amount) {
  if (std::isnan(amount)) return 0;
  if (amount >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (amount <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(amount);
}

}  // namespace

void ThinkingScreen::DrawTacticCard(HWND, HDC dc, HFONT, HFONT, CharacterList&, NationList& nations, CityList&,
                                    FieldPartyList&, DivisionList&, InhabitantList&, TacticList& tactics,
                                    PolicyList&) {
  const std::int32_t row = RowAt(turn.pointer_y, 30);
  const Tactic* t = nullptr;
  if (turn.menu_state == 17) {
    t = tactics.GetAt(row + research_list_offset_);
  } else if (turn.menu_state == 20) {
    if (const Nation* player = PlayerNation(nations)) t = player->tactics.GetAt(row);
  }
  if (t == nullptr) return;

  SetTextColor(dc, kLabelBlue);
  Text(dc, 150, 410, "消費ＳＰ：");
  Text(dc, 150, 430, "効果：  攻        防        器       回       速");
  Text(dc, 155, 450, "     攻技      防技        治     時間");
  SetTextColor(dc, kNameGrey);
  TextF(dc, 150, 390, "%s", NameOf(t->GetName()));
  SetTextColor(dc, kBlack);
  TextF(dc, 235, 410, "%3d", t->GetUsedPoint());
  TextF(dc, 250, 430, "%1.1f倍", t->GetAttackFactor());
  TextF(dc, 340, 430, "%1.1f倍", t->GetDefenceFactor());
  TextF(dc, 430, 430, "%2d", t->GetDexterityBonus());
  TextF(dc, 515, 430, "%2d", t->GetEvasionBonus());
  TextF(dc, 595, 430, "%2d", t->GetAttackSpeedBonus());
  TextF(dc, 260, 450, "%2d", t->GetAttackTechniqueBonus());
  TextF(dc, 350, 450, "%2d", t->GetDefenceTechniqueBonus());
  TextF(dc, 427, 450, "%2d", t->GetHealingPowerBonus());
  TextF(dc, 512, 450, "%2d", t->GetDuration());
}

void ThinkingScreen::DrawPolicyCard(HWND, HDC dc, HFONT, HFONT, CharacterList&, NationList& nations, CityList&,
                                    FieldPartyList&, DivisionList&, InhabitantList&, TacticList&,
                                    PolicyList& policies) {
  const std::int32_t row = RowAt(turn.pointer_y, 30);
  const Policy* p = nullptr;
  if (turn.menu_state == 18) {
    p = policies.GetAt(row + research_list_offset_);
  } else if (turn.menu_state == 21) {
    const Nation* player = PlayerNation(nations);
    if (player != nullptr && player->policies.CountByAvailableFlag(1) >= 1)
      p = player->policies.GetNthByAvailableFlag(1, row);
  }
  if (p == nullptr) return;

  SetTextColor(dc, kNameGrey);
  TextF(dc, 150, 390, "%s", NameOf(p->GetName()));
  SetTextColor(dc, kBlack);
  const PolicyKind* kind = nullptr;
  for (const PolicyKind& k : kPolicyKinds)
    if (k.kind == p->GetKind()) kind = &k;
  if (kind == nullptr) return;  // kinds 5, 9 and unknown ones: the name alone

  SetTextColor(dc, kLabelBlue);
  Text(dc, 150, 410, "消費ＳＰ：");
  Text(dc, 150, 430, "説明：");
  Text(dc, 150, 450, kind->header);
  SetTextColor(dc, kBlack);
  TextF(dc, 235, 410, "%3d", p->GetUsedPoint());
  Text(dc, 210, 430, kind->description);
  TextF(dc, 260, 450, "%5d", p->GetPrice());
  const std::int32_t amount = WholeAmount(p->GetAmount());
  switch (kind->amount) {
    case Amount::kNumber5: TextF(dc, 380, 450, "%5d", amount); break;
    case Amount::kPerHead: TextF(dc, 380, 450, "%2d×能力値×人数", amount); break;
    case Amount::kNumber2: TextF(dc, 380, 450, "%2d", amount); break;
    case Amount::kZeroToTwo: Text(dc, 380, 450, "0～2"); break;
  }
  if (kind->limit) TextF(dc, kind->kind == 12 ? 560 : 580, 450, "0～%d", p->GetLimit());
}
