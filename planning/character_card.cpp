// The character card: everything the game keeps about one character, on three pages (its
// parameters and skills; its action tendencies and battle record; its allegiance, tenure, fame
// and pay), and the skill card that explains the skill under the pointer on the first page.
#include <initializer_list>
#include <utility>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

// Tenure is counted in turns, three to a month.
struct Tenure {
  std::int32_t years;
  std::int32_t months;
};
Tenure TenureOf(std::int32_t turns) { return {turns / 3 / 12, turns / 3 % 12}; }

// The tenure row of a relation entry; a missing entry shows nothing served and no friendship.
void TenureRow(HDC dc, int y, const RelationEntry* entry) {
  const Tenure t = TenureOf(entry != nullptr ? entry->GetTenure() : 0);
  TextF(dc, 154, y, "在籍： %3d年%2dヶ月 親交値： %3d", t.years, t.months,
        entry != nullptr ? entry->GetFriendship() : 0);
}

void StatusPage(HDC dc, HFONT font16, HFONT font10, const Character& c) {
  const StatsBlock& s = c.stats;
  Heading(dc, font16, font10, 150, 85, "STATUS");
  TextF(dc, 150, 100, "ＨＰ：      %4d  /  %4d", s.GetHp(), s.GetMaxHp());
  TextF(dc, 150, 120, "ＳＰ：      %4d  /  %4d", s.GetSp(), s.GetMaxSp());
  TextF(dc, 150, 160, "攻撃力：   %3d  攻撃技術：  %3d", s.GetAttack(), s.GetAttackTechnique());
  TextF(dc, 150, 180, "防御力：   %3d  防御技術：  %3d", s.GetDefence(), s.GetDefenceTechnique());
  TextF(dc, 150, 200, "器用さ：   %3d  回避力：    %3d", s.GetDexterity(), s.GetEvasion());
  TextF(dc, 150, 220, "治癒力：   %3d  攻撃速度：  %3d", s.GetHealingPower(), s.GetAttackSpeed());
  TextF(dc, 150, 240, "魅力：     %3d", s.GetCharm());
  TextF(dc, 150, 280, "農業値：   %3d  商業値：    %3d", s.GetAgricultureValue(), s.GetCommerceValue());
  TextF(dc, 150, 300, "工業値：   %3d  資源値：    %3d", s.GetIndustryValue(), s.GetResourceValue());
  Heading(dc, font16, font10, 450, 10, "SKILL");
  // Every skill gets a row; the card has room for ten.
  for (std::int32_t i = 0; i < c.skills.GetCount(); ++i)
    TextF(dc, 450, 25 + 20 * i, "%s", NameOf(c.skills.GetAt(i)->GetName()));
}

void ActionPage(HDC dc, HFONT font16, HFONT font10, const Character& c) {
  const ChanceRecord& w = c.chances;
  Heading(dc, font16, font10, 150, 85, "ACTION");
  TextF(dc, 150, 100, "戦略：   %5d   政策：   %5d", w.GetStrategyWeight(), w.GetPolicyWeight());
  TextF(dc, 150, 120, "農業：   %5d   商業：   %5d", w.GetAgricultureWeight(), w.GetCommerceWeight());
  TextF(dc, 150, 140, "工業：   %5d   資源：   %5d", w.GetIndustryWeight(), w.GetResourceWeight());
  TextF(dc, 150, 160, "内技：   %5d   探索：   %5d", w.GetTechnologyWeight(), w.GetSearchWeight());
  TextF(dc, 150, 180, "計画：   %5d   休養：   %5d", w.GetPlanningWeight(), w.GetRestWeight());
  TextF(dc, 150, 200, "巡視：   %5d   増築：   %5d", w.GetPatrolWeight(), w.GetBuildWeight());
  TextF(dc, 150, 220, "訓練：   %5d   悪事：   %5d", w.GetTrainingWeight(), w.GetMisdeedWeight());
  TextF(dc, 150, 240, "交流：   %5d   勉学：   %5d", w.GetSocialWeight(), w.GetStudyWeight());
  TextF(dc, 150, 260, "出撃：   %5d   異動：   %5d", w.GetSortieChance(), w.GetTransferChance());

  const StatsBlock& s = c.stats;
  Heading(dc, font16, font10, 450, 10, "DATA");
  TextF(dc, 450, 25, "攻め手回数： %5d", s.GetAttacksMade());
  TextF(dc, 450, 45, "受け手回数： %5d", s.GetAttacksReceived());
  TextF(dc, 450, 65, "命中回数：   %5d", s.GetHitCount());
  TextF(dc, 450, 85, "回避回数：   %5d", s.GetEvasionCount());
  TextF(dc, 450, 105, "会心回数：   %5d", s.GetCriticalCount());
  TextF(dc, 450, 125, "防御回数：   %5d", s.GetDefenceCount());
  TextF(dc, 450, 145, "撃破回数：   %5d", s.GetKillCount());
  TextF(dc, 450, 165, "一騎打ち回数:  %3d", s.GetDuelCount());
  TextF(dc, 450, 185, "勝利回数：   %5d", s.GetDuelWins());
  // The rates as last stored by the battle, not worked out here.
  TextF(dc, 450, 205, "命中率：      %3d%%", s.GetHitRate());
  TextF(dc, 450, 225, "回避率：      %3d%%", s.GetEvasionRate());
  TextF(dc, 450, 245, "会心率：      %3d%%", s.GetCriticalRate());
  TextF(dc, 450, 265, "防御率：      %3d%%", s.GetDefenceRate());
  TextF(dc, 450, 285, "勝率：        %3d%%", s.GetWinRate());
}

void OthersPage(HDC dc, HFONT font16, HFONT font10, const Character& c, const NationList& nations,
                const DivisionList& divisions) {
  Heading(dc, font16, font10, 150, 85, "OTHERS DATA");
  const std::int32_t nation_id = c.GetNationId();
  if (nation_id == Character::kNationNone || nation_id == Character::kNationLords) {
    Text(dc, 150, 100, "所属国　：   ---------");
    Text(dc, 154, 120, "在籍：  ---年--ヶ月");
  } else {
    const Nation* nation = nations.FindById(nation_id);
    TextF(dc, 150, 100, "所属国　：   %s", nation != nullptr ? NameOf(nation->GetName()) : "");
    TenureRow(dc, 120, c.nation_relations.Find(nation_id));
  }
  const std::int32_t division_id = c.GetDivisionId();
  if (division_id == 0) {
    Text(dc, 150, 140, "所属師団：   ---------");
    Text(dc, 154, 160, "在籍：  ---年--ヶ月");
  } else {
    const Division* division = divisions.FindById(division_id);
    TextF(dc, 150, 140, "所属師団：    %s", division != nullptr ? NameOf(division->GetName()) : "");
    TenureRow(dc, 160, c.division_relations.Find(division_id));
  }
  const StatsBlock& s = c.stats;
  TextF(dc, 150, 200, "名声：     %3d  人気：      %3d", s.GetFame(), s.GetPopularity());
  TextF(dc, 150, 220, "戦闘力：   %3d  内政力：    %3d", s.GetCombatPower(), s.GetDomesticPower());
  // The pay and the hiring cost as the nation pays them.
  TextF(dc, 149, 240, "俸禄：    %4d  雇用費：  %5d", s.Salary(), s.HiringPrice());
}

}  // namespace

void ThinkingScreen::DrawCharacterCard(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                                       NationList& nations, CityList& cities, FieldPartyList& parties,
                                       DivisionList& divisions, InhabitantList& inhabitants) {
  const Character* c = CardCharacter(turn.menu_state, turn.hiring_candidate_position,
                                     turn.information_list_position, chosen_map_city_, characters, nations, cities);
  if (c == nullptr) return;
  const StatsBlock& s = c->stats;
  TextF(dc, 220, 15, "名前：　%s", NameOf(s.GetName()));
  TextF(dc, 220, 45, "ＬＶ： %2d  経験値： %3d", s.GetLevel(), s.GetExp());
  switch (card_page_) {
    case 1:
      StatusPage(dc, font1, font2, *c);
      if (hover_id_ == 54)
        DrawSkillCard(window, dc, font1, font2, characters, nations, cities, parties, divisions, inhabitants);
      break;
    case 2: ActionPage(dc, font1, font2, *c); break;
    case 3: OthersPage(dc, font1, font2, *c, nations, divisions); break;
    default: break;
  }
}

void ThinkingScreen::DrawSkillCard(HWND, HDC dc, HFONT, HFONT, CharacterList& characters, NationList& nations,
                                   CityList& cities, FieldPartyList&, DivisionList&, InhabitantList&) {
  const Character* c = CardCharacter(turn.menu_state, turn.hiring_candidate_position,
                                     turn.information_list_position, chosen_map_city_, characters, nations, cities);
  if (c == nullptr) return;
  const Skill* skill = c->skills.GetAt(RowAt(turn.pointer_y, 25));
  if (skill == nullptr) return;

  SetTextColor(dc, kNameGrey);
  TextF(dc, 150, 390, "%s", NameOf(skill->GetName()));
  SetTextColor(dc, kBlack);
  const std::int32_t kind = skill->GetKind();
  auto labels = [dc](std::initializer_list<std::pair<int, const char*>> rows, int x = 150) {
    SetTextColor(dc, kLabelBlue);
    for (const auto& [y, text] : rows) Text(dc, x, y, text);
    SetTextColor(dc, kBlack);
  };
  switch (kind) {
    case 0:
    case 1:
      labels({{410, "消費ＳＰ：      レア度："},
              {430, "威力：        　命中補正："},
              {450, "追加効果：  毒      混乱      怒り      麻痺"}});
      TextF(dc, 235, 410, "%3d", skill->GetSpCost());
      TextF(dc, 365, 410, "%2d", skill->GetValue());
      TextF(dc, 220, 430, "%1.1f倍", skill->GetPowerFactor());
      TextF(dc, 380, 430, "%3d", skill->GetHitBonus());
      TextF(dc, 280, 450, "%3d%%", skill->GetPoisonRate());
      TextF(dc, 365, 450, "%3d%%", skill->GetConfusionRate());
      TextF(dc, 450, 450, "%3d%%", skill->GetAngerRate());
      TextF(dc, 545, 450, "%3d%%", skill->GetParalysisRate());
      break;
    case 3:
    case 4:
    case 5:
      labels({{410, "消費ＳＰ：      レア度：      対象："},
              {430, "効果：  攻        防        器       回       速"}});
      labels({{450, "     攻技      防技        治     時間"}}, 155);
      TextF(dc, 235, 410, "%3d", skill->GetSpCost());
      TextF(dc, 365, 410, "%2d", skill->GetValue());
      Text(dc, 475, 410, kind == 3 ? "自分ＵＰ" : kind == 4 ? "味方ＵＰ" : "敵方ＤＯＷＮ");
      TextF(dc, 250, 430, "%1.1f倍", skill->GetAttackFactor());
      TextF(dc, 340, 430, "%1.1f倍", skill->GetDefenceFactor());
      TextF(dc, 430, 430, "%2d", skill->GetDexterityBonus());
      TextF(dc, 515, 430, "%2d", skill->GetEvasionBonus());
      TextF(dc, 595, 430, "%2d", skill->GetAttackSpeedBonus());
      TextF(dc, 260, 450, "%2d", skill->GetAttackTechniqueBonus());
      TextF(dc, 350, 450, "%2d", skill->GetDefenceTechniqueBonus());
      TextF(dc, 427, 450, "%2d", skill->GetHealingPowerBonus());
      TextF(dc, 512, 450, "%2d", skill->GetDuration());
      break;
    case 8:
      labels({{410, "消費ＳＰ：      対象："}, {430, "効果："}});
      TextF(dc, 235, 410, "%3d", skill->GetSpCost());
      Text(dc, 355, 410, "味方回復");
      Text(dc, 210, 430, "全ステータス異常回復");
      break;
    case 12:
      labels({{410, "消費ＳＰ：      対象："}, {430, "効果：  ＨＰ              ＭＰ"}});
      TextF(dc, 235, 410, "%3d", skill->GetSpCost());
      Text(dc, 355, 410, "味方回復");
      TextF(dc, 265, 430, "治癒力×%1.1f", skill->GetHpHealFactor());
      TextF(dc, 425, 430, "治癒力×%1.1f", skill->GetSpHealFactor());
      break;
    default: break;  // the name alone
  }
}
