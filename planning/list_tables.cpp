// The ranking tables: the top ten characters (state 62) or divisions (state 63) of the last
// ranking, one column group at a time, with the column the ranking was made by written again in
// blue over its place in the row.
#include <array>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

// One column of a group: its value's format and x when it is written again in blue.
struct Column {
  const char* format;
  int x;
};
struct Group {
  std::int32_t group;
  const char* head;
  const char* row;
  int columns;
  std::array<Column, 7> column;
};

constexpr Group kCharacterGroups[] = {
    {1,
     "NAME        HP  SP  ATK  DEF  HIT  DOD  ASP",
     "%4d %3d  %3d  %3d  %3d  %3d  %3d",
     7,
     {{{"%4d", 290}, {"%3d", 335}, {"%3d", 380}, {"%3d", 425}, {"%3d", 470}, {"%3d", 515}, {"%3d", 560}}}},
    {2, "NAME      AGR  COM  IND  RES", "%3d  %3d  %3d  %3d", 4, {{{"%3d", 290}, {"%3d", 335}, {"%3d", 380}, {"%3d", 425}}}},
    {3,
     "NAME      HIT  DOD  CRI  DEF  ONE",
     "%3d  %3d  %3d  %3d  %3d",
     5,
     {{{"%3d", 290}, {"%3d", 335}, {"%3d", 380}, {"%3d", 425}, {"%3d", 470}}}},
    {4,
     "NAME       LV  FAM  BAT  DOM  DFT  POP",
     "%3d  %3d  %3d  %3d  %3d %4d",
     6,
     {{{"%3d", 290}, {"%3d", 335}, {"%3d", 380}, {"%3d", 425}, {"%3d", 470}, {"%3d", 515}}}},
};

constexpr Group kDivisionGroups[] = {
    {3,
     "NAME        POP  SOL  DOM  SOR  ROU",
     "%3d  %3d  %3d  %3d  %3d",
     5,
     {{{"%3d", 310}, {"%3d", 355}, {"%3d", 400}, {"%3d", 445}, {"%3d", 490}}}},
    {4, "NAME        NUM  BAT  DOM  FAM", "%3d %4d  %3d  %3d", 4, {{{"%3d", 310}, {"%4d", 346}, {"%3d", 400}, {"%3d", 445}}}},
};

template <std::size_t N>
const Group* FindGroup(const Group (&groups)[N], std::int32_t group) {
  for (const Group& g : groups)
    if (g.group == group) return &g;
  return nullptr;
}

// The values of a character's row in the group's column order. Dexterity, evasion and attack
// speed are the natural values, without what skills and tactics in force add.
std::array<std::int32_t, 7> CharacterValues(const Character& c, std::int32_t group) {
  const StatsBlock& s = c.stats;
  switch (group) {
    case 1:
      return {s.GetMaxHp(), s.GetMaxSp(), s.GetAttack(), s.GetDefence(), c.GetBaseStat(3), c.GetBaseStat(4),
              c.GetBaseStat(5)};
    case 2: return {s.GetAgricultureValue(), s.GetCommerceValue(), s.GetIndustryValue(), s.GetResourceValue()};
    case 3: return {s.GetHitRate(), s.GetEvasionRate(), s.GetCriticalRate(), s.GetDefenceRate(), s.GetWinRate()};
    default:
      return {s.GetLevel(), s.GetFame(), s.GetCombatPower(), s.GetDomesticPower(), s.GetKillCount(),
              s.GetPopularity()};
  }
}

std::array<std::int32_t, 7> DivisionValues(const Division& d, std::int32_t group) {
  if (group == 3)
    return {d.GetSupportRate(), d.GetAvgFriendship(), d.GetDomesticTendency(), d.GetSortieTendency(),
            d.GetPatrolTendency()};
  return {d.GetMemberCount(), d.GetCombatPower(), d.GetDomesticPower(), d.GetFame()};
}

// The head, then for positions 1..10 the name, the row and the ranked column in blue.
template <typename Ranked, typename Values>
void DrawTable(HDC dc, const Group* group, std::int32_t ranked_column, int row_x, Ranked ranked_at, Values values) {
  if (group == nullptr) return;
  SetTextColor(dc, kHeadRed);
  Text(dc, 200, 60, group->head);
  SetTextColor(dc, kBlack);
  for (std::int32_t p = 1; p <= 10; ++p) {
    const auto* entry = ranked_at(p);
    if (entry == nullptr) continue;  // fewer than ten ranked: the row stays empty
    const int y = 90 + 25 * (p - 1);
    const std::array<std::int32_t, 7> v = values(*entry);
    SetTextColor(dc, kNameDark);
    TextF(dc, 180, y, "%s", NameOf(entry->GetName()));
    SetTextColor(dc, kBlack);
    TextF(dc, row_x, y, group->row, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    if (ranked_column >= 1 && ranked_column <= group->columns) {
      const Column& c = group->column[ranked_column - 1];
      SetTextColor(dc, kRankedBlue);
      TextF(dc, c.x, y, c.format, v[ranked_column - 1]);
    }
    SetTextColor(dc, kBlack);
  }
}

}  // namespace

void ThinkingScreen::DrawCharacterRankingTable(HWND, HDC dc, HFONT, CharacterList& characters, NationList&,
                                               CityList&, FieldPartyList&, DivisionList&, InhabitantList&) {
  const std::int32_t group = ranking_table_group_;
  DrawTable(
      dc, FindGroup(kCharacterGroups, group), ranking_column_, 290,
      [&](std::int32_t p) { return characters.FindByRankingPosition(p); },
      [group](const Character& c) { return CharacterValues(c, group); });
}

void ThinkingScreen::DrawDivisionRankingTable(HWND, HDC dc, HFONT, CharacterList&, NationList&, CityList&,
                                              FieldPartyList&, DivisionList& divisions, InhabitantList&) {
  const std::int32_t group = ranking_table_group_;
  DrawTable(
      dc, FindGroup(kDivisionGroups, group), ranking_column_, 310,
      [&](std::int32_t p) { return divisions.FindByRankingPosition(p); },
      [group](const Division& d) { return DivisionValues(d, group); });
}
