// The information menu (5) with the table of the characters in the player's selected city, the
// character submenu (53) with its three views (55 by city, 56 unaffiliated, 57 lords), the
// nation and division views (58, 59), and the ranking menu (6) with the character and division
// rankings (62, 63).
#include <algorithm>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

constexpr NameRef kInformationBoard = names::Of("思考情報メニュー板");
constexpr NameRef kCharacterBoard = names::Of("思考情報人物メニュー板");
constexpr NameRef kCharacterWindow = names::Of("思考人物メニュー");
constexpr NameRef kNationWindow = names::Of("思考国メニュー");
constexpr NameRef kArrowStrip = names::Of("選択非表示アイコン");
constexpr NameRef kRankingBoard = names::Of("思考ランキングメニュー板");
constexpr NameRef kCharacterTabs = names::Of("軍事政治割合総合アイコン");
constexpr NameRef kDivisionTabs = names::Of("割合総合アイコン");
constexpr NameRef kCrowns = names::Of("思考ランキング王冠アイコン");
constexpr NameRef kCheckMarks = names::Of("思考チェック板");

constexpr std::int32_t kNoOwner = 100;

// Columns of each ranking group: characters 1..4, divisions 3 and 4 (none for 1 and 2).
constexpr std::int32_t CharacterColumns(std::int32_t group) {
  return group == 1 ? 7 : group == 2 ? 4 : group == 3 ? 5 : group == 4 ? 6 : 0;
}
constexpr std::int32_t DivisionColumns(std::int32_t group) { return group == 3 ? 5 : group == 4 ? 4 : 0; }

// A marked character is on its way to another city, whatever its order says.
const char* OrderText(const Character& c) { return c.IsMarked() ? "　異動　" : Character::OrderLabel(c.GetOrder()); }

}  // namespace

bool ThinkingMenuPainter::InformationPictures(Canvas& menu) {
  const std::int32_t state = s_.turn.menu_state;
  const std::int32_t position = s_.turn.information_list_position;
  auto arrow_strip = [&] {
    const int row = ArrowStripRow(s_.information_icon_state_);
    if (row >= 0) Board(menu, kArrowStrip, row, 4, 440, 100);
  };
  switch (state) {
    case 5: Board(menu, kInformationBoard, 0, 1, 0, 372); return true;
    case 53: Board(menu, kCharacterBoard, 0, 1, 0, 372); return true;
    case 55:
    case 56:
    case 57:
      // The lit strip of the open view stands at the top for all three.
      Board(menu, kCharacterBoard, state == 55 ? 2 : state == 56 ? 1 : 0, 3, 0, 444);
      Board(menu, kCharacterWindow, 0, 1, 140, 100);
      Portrait(menu, CardCharacter(state, 0, position, s_.chosen_map_city_, characters_, nations_, cities_));
      CardPageTabs(menu);
      arrow_strip();
      return true;
    case 58: {
      Board(menu, kInformationBoard, 1, 3, 0, 408);
      Board(menu, kNationWindow, 0, 1, 140, 100);
      if (const Nation* n = nations_.GetAt(position)) Portrait(menu, characters_.FindByRankAndNation(0, n->GetId()));
      arrow_strip();
      return true;
    }
    case 59: {
      Board(menu, kInformationBoard, 0, 3, 0, 372);
      Board(menu, kNationWindow, 0, 1, 140, 100);
      if (const Division* d = divisions_.GetAt(position)) Portrait(menu, CharacterWithId(characters_, d->GetLeaderId()));
      arrow_strip();
      return true;
    }
    case 6: Board(menu, kRankingBoard, 0, 1, 0, 372); return true;
    case 62:
      Board(menu, kRankingBoard, 2, 3, 0, 444);
      RankingPictures(menu, false);
      return true;
    case 63:
      Board(menu, kRankingBoard, 1, 3, 0, 408);
      RankingPictures(menu, true);
      return true;
    default: return false;
  }
}

// Group tabs, the marks of the group's columns, then for the top ten their crowns and their small
// pictures (mirrored, facing the table).
void ThinkingMenuPainter::RankingPictures(Canvas& menu, bool divisions) {
  BitmapBank& bank = s_.bank_;
  const std::int32_t group = s_.ranking_table_group_;
  std::int32_t columns = 0;
  if (!divisions) {
    columns = CharacterColumns(group);
    if (columns > 0) menu.BlitCell(bank.Get(kCharacterTabs), 140, 100, 0, 4 - group, 1, 4, kKey);
  } else {
    columns = DivisionColumns(group);
    if (columns > 0) menu.BlitCell(bank.Get(kDivisionTabs), 140, 100, 0, group == 3 ? 1 : 0, 1, 2, kKey);
  }
  for (std::int32_t c = 1; c <= columns; ++c)
    menu.BlitCell(bank.Get(kCheckMarks), 144 + 20 * (c - 1), 456, c == s_.ranking_column_ ? 5 : 0, 0, 7, 1, kKey);

  for (std::int32_t p = 1; p <= 10; ++p) {
    const int y = 375 - 25 * (p - 1);
    std::int32_t shared_rank = 0;
    const Character* pictured = nullptr;
    if (!divisions) {
      const Character* c = characters_.FindByRankingPosition(p);
      if (c == nullptr) continue;
      shared_rank = c->GetSharedRank();
      pictured = c;
    } else {
      const Division* d = divisions_.FindByRankingPosition(p);
      if (d == nullptr) continue;
      shared_rank = d->GetSharedRank();
      pictured = CharacterWithId(characters_, d->GetLeaderId());
    }
    const int crown = shared_rank == 1 ? 0 : shared_rank == 2 ? 1 : shared_rank == 3 ? 2 : 3;
    menu.BlitCell(bank.Get(kCrowns), 150, y, crown, 0, 5, 1, kKey);
    if (pictured != nullptr)
      menu.BlitCellMirrored(bank.Get(pictured->GetPortraitBitmapName()), 605, y, 0, 0, 1, 1, kKey);
  }
}

bool ThinkingMenuPainter::InformationTexts() {
  switch (s_.turn.menu_state) {
    case 5:
      CityTable();
      HelpLines();
      return true;
    case 53:
    case 6: HelpLines(); return true;
    case 55:
      if (s_.chosen_map_city_ != 0)
        s_.DrawCharacterCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                             inhabitants_);
      if (s_.turn.minimap_hover == 1) MinimapCityBox();
      if (s_.hover_id_ != 54) Text(dc_, 150, 390, "※　地図で都市をクリックすると滞在キャラクターが見れます");
      return true;
    case 56:
    case 57:
      s_.DrawCharacterCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                           inhabitants_);
      return true;
    case 58:
      s_.DrawNationPanel(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                         inhabitants_);
      return true;
    case 59:
      s_.DrawDivisionPanel(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                           inhabitants_);
      return true;
    case 62:
      s_.DrawCharacterRankingTable(window_, dc_, font16_, characters_, nations_, cities_, parties_, divisions_,
                                   inhabitants_);
      return true;
    case 63:
      s_.DrawDivisionRankingTable(window_, dc_, font16_, characters_, nations_, cities_, parties_, divisions_,
                                  inhabitants_);
      return true;
    default: return false;
  }
}

// The player's characters staying in the selected city, at most fifteen, always from the first.
void ThinkingMenuPainter::CityTable() {
  const Nation* player = PlayerNation(nations_);
  if (player == nullptr) return;
  const City* city = cities_.GetNthOfNation(player->GetId(), s_.turn.selected_city_index);
  if (city == nullptr) return;
  Point at;
  city->GetPosition(at);
  const std::int32_t rows = std::min<std::int32_t>(characters_.CountAt(at.x, at.y, player->GetId()), 15);
  if (rows <= 0) return;
  SetTextColor(dc_, kHeadRed);
  Text(dc_, 215, 10, "NAME       HP   SP  AT  DT  HI  DO   ACTION");
  SetTextColor(dc_, kBlack);
  for (std::int32_t i = 0; i < rows; ++i) {
    const Character* c = characters_.GetNthAt(at.x, at.y, player->GetId(), i);
    if (c == nullptr) continue;
    const StatsBlock& s = c->stats;
    const int y = 30 + 20 * i;
    TextF(dc_, 195, y, "%s", NameOf(s.GetName()));
    TextF(dc_, 300, y, "%4d %3d %3d %3d %3d %3d", s.GetMaxHp(), s.GetMaxSp(), s.GetAttack(), s.GetDefence(),
          s.GetDexterity(), s.GetEvasion());
    Text(dc_, 540, y, OrderText(*c));
  }
}

// The city under the pointer on the mini-map: its name, its owner's king, its sentiment and how
// many of the owner's characters stay there.
void ThinkingMenuPainter::MinimapCityBox() {
  const City* city = cities_.FindAtMinimapPoint(s_.turn.pointer_x, s_.turn.pointer_y);
  if (city == nullptr) return;
  const std::int32_t owner = city->GetOwner();
  TextF(dc_, 650, 240, "都市名：%s", NameOf(city->GetName()));
  if (owner == kNoOwner) {
    Text(dc_, 650, 255, "所有国：中立都市");
  } else {
    const Character* king = characters_.FindByRankAndNation(0, owner);
    TextF(dc_, 650, 255, "所有国：%s", king != nullptr ? NameOf(king->GetName()) : "");
  }
  TextF(dc_, 650, 270, "民心値：　　%3d", city->GetSentiment());
  if (owner == kNoOwner) {
    Text(dc_, 650, 285, "滞在数：　　  0");
  } else {
    Point at;
    city->GetPosition(at);
    TextF(dc_, 650, 285, "滞在数：　　%3d", characters_.CountAt(at.x, at.y, owner));
  }
}
