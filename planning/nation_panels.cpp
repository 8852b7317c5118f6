// The nation panel (its king, treasury, personnel, cities, points, development, salaries, income,
// combat power, experience and inhabitants) and the division panel (its leader, employer,
// members and their friendship, averages and price).
#include <initializer_list>
#include <utility>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

// Every inhabitant unit stands for 10,000 people.
constexpr const char* kOccupationRows[7] = {
    "農家：      %4d万人", "商人：      %4d万人", "工員：      %4d万人", "土木員：    %4d万人",
    "発掘員：    %4d万人", "内政官：    %4d万人", "軍事官：    %4d万人",
};

// Members listed on the panel; the rest of a larger division is left off.
constexpr std::int32_t kMemberRows = 15;

}  // namespace

void ThinkingScreen::DrawNationPanel(HWND, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                                     NationList& nations, CityList& cities, FieldPartyList&, DivisionList&,
                                     InhabitantList& inhabitants) {
  const Nation* nation = nations.GetAt(turn.information_list_position);
  if (nation == nullptr) return;
  const std::int32_t id = nation->GetId();
  const Character* king = characters.FindByRankAndNation(0, id);

  TextF(dc, 220, 15, "国名：　%s", NameOf(nation->GetName()));
  TextF(dc, 220, 45, "国王名： %s", king != nullptr ? NameOf(king->GetName()) : "");
  Heading(dc, font1, font2, 150, 85, "VALDRIM DATA");
  Text(dc, 150, 100, "軍資金：");
  TextF(dc, 347, 100, "%8d", nation->GetFunds());
  TextF(dc, 150, 120, "人材数： %2d / %2d 諸侯人数：", nation->GetMemberCount(), nation->GetPersonnelLimit());
  TextF(dc, 400, 120, "%2d", nation->GetLordCount());
  Text(dc, 150, 140, "所有町数：");
  TextF(dc, 373, 140, "%5d", nation->GetCityCount());
  TextF(dc, 150, 160, "戦術値：%5d    政策値：", nation->GetTacticsValue());
  TextF(dc, 372, 160, "%5d", nation->GetPolicyValue());
  TextF(dc, 150, 180, "農業値：               %7d", nation->GetAgricultureValue());
  Text(dc, 150, 200, "商業値：");
  TextF(dc, 352, 200, "%7d", nation->GetCommerceValue());
  Text(dc, 150, 220, "工業値：");
  TextF(dc, 352, 220, "%7d", nation->GetIndustryValue());
  Text(dc, 150, 240, "資源値：");
  TextF(dc, 352, 240, "%7d", nation->GetResourceValue());
  Text(dc, 150, 260, "内政技術：");
  TextF(dc, 202, 260, "%7d", nation->GetDomesticTechnology());
  Text(dc, 300, 260, "研究値：");
  TextF(dc, 352, 260, "%7d", nation->GetResearchPoints());
  TextF(dc, 150, 280, "俸禄費合計：           %7d", characters.TotalSalaryOfNation(id));
  // The three incomes of the nation's cities, averaged (truncated).
  const long long income = (static_cast<long long>(cities.AgricultureIncomeOfNation(id)) +
                            cities.CommerceIncomeOfNation(id) + cities.IndustryIncomeOfNation(id)) /
                           3;
  TextF(dc, 150, 300, "平均都市収入：         %7lld", income);
  Text(dc, 150, 320, "総戦闘力：");
  TextF(dc, 349, 320, "%7d", nation->GetTotalCombatPower());

  Heading(dc, font1, font2, 450, 285, "EXP POINT");
  TextF(dc, 450, 300, "増築経験値：%2d / 100", nation->GetBuildExp());
  TextF(dc, 450, 320, "内技経験値：%2d / 100", nation->GetDomesticTechnologyExp());

  Heading(dc, font1, font2, 450, 85, "INHABITANT DATA");
  Text(dc, 450, 100, "総住人数：");
  TextF(dc, 556, 100, "%4d万人", inhabitants.CountByNation(id));
  for (std::int32_t job = 1; job <= 7; ++job)
    TextF(dc, 450, 100 + 20 * job, kOccupationRows[job - 1], inhabitants.CountByNationAndJob(id, job));
}

void ThinkingScreen::DrawDivisionPanel(HWND, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                                       NationList& nations, CityList&, FieldPartyList&, DivisionList& divisions,
                                       InhabitantList&) {
  const Division* division = nullptr;
  if (turn.menu_state == 33) {
    if (const Nation* player = PlayerNation(nations))
      division = divisions.GetNthWilling(player->GetId(), 1, turn.hiring_candidate_position);
  } else {
    division = divisions.GetAt(turn.information_list_position);
  }
  if (division == nullptr) return;
  const Character* leader = CharacterWithId(characters, division->GetLeaderId());

  TextF(dc, 220, 15, "師団名： %s", NameOf(division->GetName()));
  TextF(dc, 220, 45, "師団長： %s", leader != nullptr ? NameOf(leader->GetName()) : "");
  Heading(dc, font1, font2, 150, 85, "DIVISION DATA");
  const Nation* employer = division->GetNationId() != kNoNation ? nations.FindById(division->GetNationId()) : nullptr;
  if (division->GetNationId() == kNoNation)
    Text(dc, 150, 100, "所属国：          ------------");
  else
    TextF(dc, 150, 100, "所属国：         %s", employer != nullptr ? NameOf(employer->GetName()) : "");
  TextF(dc, 150, 120, "人材数：               %2d / %2d", division->GetMemberCount(), division->GetMemberLimit());
  TextF(dc, 150, 140, "総戦闘力：               %5d", division->GetCombatPower());
  TextF(dc, 150, 160, "総内政力：               %5d", division->GetDomesticPower());
  const std::pair<const char*, std::int32_t> rows[] = {
      {"名声：", division->GetFame()},
      {"住民支持率：", division->GetSupportRate()},
      {"平均兵士親交値：", division->GetAvgFriendship()},
      {"平均内政思考率：", division->GetDomesticTendency()},
      {"平均出撃思考率：", division->GetSortieTendency()},
      {"平均巡視思考率：", division->GetPatrolTendency()},
  };
  int y = 180;
  for (const auto& [label, value] : rows) {
    Text(dc, 150, y, label);
    TextF(dc, 369, y, "%5d", value);
    y += 20;
  }
  Text(dc, 150, 300, "雇用費：");
  TextF(dc, 359, 300, "%6d", characters.TotalHiringCostOfDivision(division->GetId()));

  Heading(dc, font1, font2, 450, 10, "MEMBER");
  Heading(dc, font1, font2, 560, 10, "FRIENDSHIP");
  std::int32_t k = 0;
  for (const Character& c : characters) {
    if (c.GetDivisionId() != division->GetId()) continue;
    if (k == kMemberRows) break;
    const RelationEntry* entry = c.division_relations.Find(c.GetDivisionId());
    TextF(dc, 450, 25 + 20 * k, "%s", NameOf(c.GetName()));
    TextF(dc, 590, 25 + 20 * k, "%3d", entry != nullptr ? entry->GetFriendship() : 0);
    ++k;
  }
}
