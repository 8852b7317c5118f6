// The drawing of the thinking phase: the menu area on the left, composed in a canvas from the
// frame, the board of the open menu, its icons, marks and portraits; the panel on the right with
// the mini-map, the date and the treasury; then the texts of the menu written over both. Every
// paint draws everything; it changes nothing of the game (the file menus only refill the
// screen's own preview lists).
#include <algorithm>

#include "media/work_bitmap.h"
#include "planning/paint_text.h"
#include "planning/thinking_painter.h"
#include "world/saturate.h"

using namespace paint_text;

namespace {

constexpr NameRef kMenuFrame = names::Of("思考フェーズ外枠");
constexpr NameRef kPanelFrame = names::Of("情報メイン外枠");
constexpr NameRef kMinimap = names::Of("情報マップ");
constexpr NameRef kNationColours = names::Of("情報国色");
constexpr NameRef kHighlight = names::Of("情報国色透過");
constexpr NameRef kDateBoard = names::Of("情報思考板");
constexpr NameRef kTreasuryStrip = names::Of("選択資金アイコン");
constexpr NameRef kPhasePlate = names::Of("思考フェーズ板");
constexpr NameRef kMainBoard = names::Of("思考メインメニュー板");
constexpr NameRef kCheckMarks = names::Of("思考チェック板");

constexpr std::int32_t kNoOwner = 100;

// The ring's corner, 7 up and left of the city's mini-map dot (a damaged file's position at the
// end of the int range keeps it there).
Point RingCorner(const City& city) {
  Point at;
  city.GetMinimapPosition(at);
  return {Plus(at.x, -7), Plus(at.y, -7)};
}

// Shows the first `width` x 480 pixels of a composed canvas at window x.
void Show(HDC dc, const Canvas& canvas, int x, int width) {
  WorkBitmap::StretchToDC(dc, 0, 0, width, 480, x, 0, width, 480, canvas.GetHeader(), canvas.GetPixels());
}

// One help line per hover id of the menus that have them.
struct HelpLine {
  std::int32_t state;
  std::int32_t hover;
  const char* first;
  const char* second;
};
constexpr HelpLine kHelpLines[] = {
    {3, 20, "※  戦術スキルを実行します", "※  戦闘中のキャラクターがいないと実行できません"},
    {3, 21, "※  政策スキルを実行します", nullptr},
    {3, 31, "※　キャラクターを雇用します", nullptr},
    {3, 35, "※　交易品の売買をします", nullptr},
    {3, 16, "※　研究を行います", nullptr},
    {5, 53, "※  キャラクター情報を見ます", nullptr},
    {5, 58, "※　国情報を見ます", nullptr},
    {5, 59, "※　師団情報を見ます", nullptr},
    {53, 55, "※  国所属のキャラクター情報を見ます", nullptr},
    {53, 56, "※　無所属のキャラクター情報を見ます", nullptr},
    {53, 57, "※　諸侯のキャラクター情報を見ます", nullptr},
    {6, 62, "※  キャラクターのランキング情報を見ます", nullptr},
    {6, 63, "※　師団のランキング情報を見ます", nullptr},
    {8, 64, "※  セーブデータを読み込みます", nullptr},
    {8, 65, "※  セーブデータを保存します", nullptr},
    {8, 66, "※　システム設定を行います", nullptr},
};

}  // namespace

void ThinkingScreen::Paint(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                           NationList& nations, CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                           InhabitantList& inhabitants, TradeGoodList& goods, TacticList& tactics,
                           PolicyList& policies) {
  ThinkingMenuPainter(*this, window, dc, font1, font2, characters, nations, cities, parties, divisions, inhabitants,
                      goods, tactics, policies)
      .Paint();
}

ThinkingMenuPainter::ThinkingMenuPainter(ThinkingScreen& screen, HWND window, HDC dc, HFONT font16, HFONT font10,
                                         CharacterList& characters, NationList& nations, CityList& cities,
                                         FieldPartyList& parties, DivisionList& divisions,
                                         InhabitantList& inhabitants, TradeGoodList& goods, TacticList& tactics,
                                         PolicyList& policies)
    : s_(screen),
      window_(window),
      dc_(dc),
      font16_(font16),
      font10_(font10),
      characters_(characters),
      nations_(nations),
      cities_(cities),
      parties_(parties),
      divisions_(divisions),
      inhabitants_(inhabitants),
      goods_(goods),
      tactics_(tactics),
      policies_(policies) {}

void ThinkingMenuPainter::Paint() {
  Canvas& menu = s_.menu_canvas_;
  Canvas& panel = s_.panel_canvas_;
  menu.Clear();
  panel.Clear();
  SelectObject(dc_, font16_);
  SetBkMode(dc_, TRANSPARENT);

  menu.CopyFrom(s_.bank_.Get(kMenuFrame));
  MenuPictures(menu);
  Show(dc_, menu, 0, 640);

  PanelPictures(panel);
  WorkBitmap::StretchToDC(dc_, 0, 0, 200, 480, 640, 0, 200, 480, panel.GetHeader(), panel.GetPixels());

  SetTextColor(dc_, kBlack);
  MenuTexts();

  // The treasury is the player's own business: shown only on the player's turn.
  const Nation* player = PlayerNation(nations_);
  if (nations_.CountByComputerFlag(0) == 1 && player != nullptr && s_.turn.acting_nation_id == player->GetId())
    TextF(dc_, 700, 405, "%7d Ｇ", player->GetFunds());
  Calendar();

  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
}

void ThinkingMenuPainter::Calendar() {
  TextF(dc_, 650, 210, " %4d年 %2d月", s_.turn.year, s_.turn.month);
  switch (s_.turn.part_of_month) {
    case 1: Text(dc_, 775, 210, "上旬"); break;
    case 2: Text(dc_, 775, 210, "中旬"); break;
    case 3: Text(dc_, 775, 210, "下旬"); break;
    default: break;
  }
}

void ThinkingMenuPainter::PanelPictures(Canvas& panel) {
  BitmapBank& bank = s_.bank_;
  panel.CopyFrom(bank.Get(kPanelFrame));
  panel.BlitCell(bank.Get(kMinimap), 4, 284, 0, 0, 1, 1, kKey);

  // Each city in its owner's colour; while a computer nation acts, its cities are ringed.
  const Nation* acting = nations_.FindById(s_.turn.acting_nation_id);
  const bool computer_acts = acting != nullptr && acting->IsComputer();
  for (const City& city : cities_) {
    Point at;
    city.GetMinimapPosition(at);
    const std::int32_t owner = city.GetOwner();
    if (owner == kNoOwner)
      panel.BlitCell(bank.Get(kNationColours), at.x, at.y, 0, 0, 12, 1, kKey);
    else if (owner >= 1 && owner <= 7)
      panel.BlitCell(bank.Get(kNationColours), at.x, at.y, owner, 0, 12, 1, kKey);
    if (computer_acts && owner == acting->GetId()) {
      const Point ring = RingCorner(city);
      panel.BlitCellBlend(bank.Get(kHighlight), ring.x, ring.y, 0, 0, 1, 1, 20, kKey);
    }
  }
  // Otherwise the player's selected city is ringed.
  if (!computer_acts && nations_.CountByComputerFlag(0) != 0) {
    const Nation* player = PlayerNation(nations_);
    if (const City* city = cities_.GetNthOfNation(player->GetId(), s_.turn.selected_city_index)) {
      const Point ring = RingCorner(*city);
      panel.BlitCellBlend(bank.Get(kHighlight), ring.x, ring.y, 0, 0, 1, 1, 20, kKey);
    }
  }

  panel.BlitCell(bank.Get(kDateBoard), 0, 84, 0, 0, 1, 1, kKey);
  const int row = ArrowStripRow(s_.turn.city_arrow_state);
  if (row >= 0) panel.BlitCell(bank.Get(kTreasuryStrip), 0, 48, 0, row, 1, 4, kKey);
  panel.BlitCell(bank.Get(kPhasePlate), 0, 0, 0, 0, 1, 1, kKey);
}

void ThinkingMenuPainter::MenuPictures(Canvas& menu) {
  if (s_.turn.menu_state == 0) {
    menu.BlitCell(s_.bank_.Get(kMainBoard), 0, 264, 0, 0, 1, 1, kKey);
    return;
  }
  if (MilitaryPictures(menu)) return;
  if (HiringTradePictures(menu)) return;
  if (InformationPictures(menu)) return;
  SystemPictures(menu);
}

void ThinkingMenuPainter::MenuTexts() {
  if (s_.turn.menu_state == 0) {
    MainMenuTexts();
    return;
  }
  if (MilitaryTexts()) return;
  if (HiringTradeTexts()) return;
  if (InformationTexts()) return;
  SystemTexts();
}

void ThinkingMenuPainter::MainMenuTexts() {
  // Riots of this turn, at most fifteen lines.
  const std::int32_t riots = std::min<std::int32_t>(cities_.CountWithRiot(), 15);
  for (std::int32_t i = 0; i < riots; ++i) {
    const City* city = cities_.GetNthWithRiot(i);
    if (city != nullptr && city->HasRiot())
      TextF(dc_, 150, 10 + 20 * i, "%sで暴動が起きました！！", NameOf(city->GetName()));
  }
  // The player's selected city, only when someone plays.
  if (nations_.CountByComputerFlag(0) != 1) return;
  const Nation* player = PlayerNation(nations_);
  const City* city = cities_.GetNthOfNation(player->GetId(), s_.turn.selected_city_index);
  if (city == nullptr) return;
  Point at;
  city->GetPosition(at);
  TextF(dc_, 650, 240, "都市名：%s", NameOf(city->GetName()));
  TextF(dc_, 650, 285, "農業値：　　 %4d", city->GetAgriculture());
  TextF(dc_, 650, 300, "商業値：　　 %4d", city->GetCommerce());
  TextF(dc_, 650, 315, "工業値：　　 %4d", city->GetIndustry());
  TextF(dc_, 650, 330, "民心値：　　  %3d", city->GetSentiment());
  TextF(dc_, 650, 360, "滞在数：　　  %3d", characters_.CountAt(at.x, at.y, player->GetId()));
}

void ThinkingMenuPainter::HelpLines() {
  for (const HelpLine& line : kHelpLines) {
    if (line.state != s_.turn.menu_state || line.hover != s_.hover_id_) continue;
    Text(dc_, 150, 390, line.first);
    if (line.second != nullptr) Text(dc_, 150, 410, line.second);
  }
}

void ThinkingMenuPainter::Board(Canvas& menu, NameRef board, int row, int rows, int x, int y) {
  menu.BlitCell(s_.bank_.Get(board), x, y, 0, row, 1, rows, kKey);
}

void ThinkingMenuPainter::ListMark(Canvas& menu, int row, int cell) {
  menu.BlitCell(s_.bank_.Get(kCheckMarks), 160, 480 - (48 + 20 * row), cell, 0, 7, 1, kKey);
}

void ThinkingMenuPainter::Portrait(Canvas& menu, const Character* c) {
  if (c != nullptr) menu.BlitCell(s_.bank_.Get(c->GetPortraitName()), 144, 412, 0, 0, 1, 1, kKey);
}

void ThinkingMenuPainter::CardPageTabs(Canvas& menu) {
  // Page 1 lights the first tab (sheet row 2), page 3 the last (row 0).
  const std::int32_t page = s_.card_page_;
  if (page >= 1 && page <= 3)
    menu.BlitCell(s_.bank_.Get(names::Of("能力割合総合アイコン")), 140, 100, 0, 3 - page, 1, 3, kKey);
}

const Character* CardCharacter(std::int32_t menu_state, std::int32_t hiring_position,
                               std::int32_t information_position, std::int32_t chosen_map_city,
                               const CharacterList& characters, const NationList& nations, const CityList& cities) {
  switch (menu_state) {
    case 32:
    case 34: {
      const Nation* player = PlayerNation(nations);
      if (player == nullptr) return nullptr;
      return characters.GetNthWilling(player->GetId(), 1, menu_state == 34 ? 1 : 0, hiring_position);
    }
    case 55: {
      const City* city = chosen_map_city != 0 ? cities.FindById(chosen_map_city) : nullptr;
      if (city == nullptr) return nullptr;
      Point at;
      city->GetPosition(at);
      return characters.GetNthAt(at.x, at.y, city->GetOwner(), information_position);
    }
    case 56: return characters.GetNthOfNation(Character::kNationNone, information_position);
    case 57: return characters.GetNthOfNation(Character::kNationLords, information_position);
    default: return nullptr;
  }
}
