#include "planning/thinking_screen.h"

#include <vector>

#include "planning/thinking_input.h"
#include "platform/music.h"
#include "world/names.h"
#include "world/random.h"

namespace {

// The pictures of the phase's boards, menus and icons.
constexpr NameRef kScreenParts[] = {
    names::Of("思考フェーズ外枠"),       names::Of("情報メイン外枠"),         names::Of("情報マップ"),
    names::Of("情報思考板"),             names::Of("情報国色"),               names::Of("情報国色透過"),
    names::Of("選択資金アイコン"),       names::Of("思考フェーズ板"),         names::Of("思考チェック板"),
    names::Of("思考メインメニュー板"),   names::Of("思考フェーズ終了メニュー"), names::Of("思考政策メニュー板"),
    names::Of("思考軍事メニュー板"),     names::Of("思考人事メニュー板"),     names::Of("思考雇用メニュー板"),
    names::Of("思考交易メニュー板"),     names::Of("思考研究メニュー板"),     names::Of("思考交易売買メニュー板"),
    names::Of("思考ランキングメニュー板"), names::Of("思考政策メニュー"),       names::Of("思考戦術メニュー"),
    names::Of("思考人物メニュー"),       names::Of("思考国メニュー"),         names::Of("思考出撃異動退却メニュー"),
    names::Of("能力割合総合アイコン"),   names::Of("割合総合アイコン"),       names::Of("軍事政治割合総合アイコン"),
    names::Of("思考ランキング王冠アイコン"), names::Of("選択上下アイコン"),   names::Of("選択上下決定アイコン"),
    names::Of("選択雇用アイコン"),       names::Of("選択解雇アイコン"),       names::Of("選択訓練アイコン"),
    names::Of("決定アイコン"),           names::Of("思考情報メニュー板"),     names::Of("思考情報人物メニュー板"),
    names::Of("選択非表示アイコン"),     names::Of("思考システムメニュー板"), names::Of("思考読込メニュー"),
    names::Of("思考保存メニュー"),
};
static_assert(std::size(kScreenParts) == 40);

// The portraits shared by the characters without one of their own, and their R portraits.
constexpr NameRef kGenericPortraits[] = {names::Of("民間兵"), names::Of("諸侯"),  names::Of("傭兵"),
                                         names::Of("傭兵B"),  names::Of("傭兵C"), names::Of("傭兵D")};
constexpr NameRef kGenericRPortraits[] = {names::Of("民間兵R"), names::Of("諸侯R"),   names::Of("傭兵R"),
                                          names::Of("傭兵R２"), names::Of("傭兵R３"), names::Of("傭兵R４")};

// The named characters whose portrait is their own (in list order, at most 20): the kings,
// vassals and heroes of the roster.
std::vector<const Character*> PortraitedCharacters(const CharacterList& characters) {
  std::vector<const Character*> out;
  for (const Character& c : characters) {
    if (out.size() == 20) break;
    if (c.GetPortraitName() == c.GetName() && c.GetName() != names::kNone) out.push_back(&c);
  }
  return out;
}

}  // namespace

void ThinkingScreen::Init(HWND window, CharacterList& characters, NationList& nations, CityList& cities,
                          FieldPartyList&, DivisionList&, InhabitantList&, TradeGoodList&, TacticList&,
                          PolicyList&) {
  turn.menu_state = 0;
  StartCursorsAndCalendar();

  // A picture that does not load is simply absent; the loader has said so.
  for (NameRef name : kScreenParts) bank_.Register(name);
  std::vector<const Character*> portraited = PortraitedCharacters(characters);
  for (const Character* c : portraited) bank_.Register(c->GetPortraitName());
  for (NameRef name : kGenericPortraits) bank_.Register(name);
  for (const Character* c : portraited) bank_.Register(c->GetPortraitBitmapName());
  for (NameRef name : kGenericRPortraits) bank_.Register(name);

  // The phase's music is readied here and started by the game object when play begins.
  music_player.Init(window);
  music_player.Load("velkorandush_4_field03.mid");
  music_player.SetMasterVolume(-1000);
  music_segment.Init();
  music_segment.Load("velkorandush_4_field11.mid");
  music_segment.SetLoop(0, 0, platform::kMusicRepeatForever);

  if (Nation* first = nations.GetAt(0)) turn.acting_nation_id = first->GetId();
  nations.ShuffleTurnOrder();

  turn.selected_city_index = 0;
  // At start-up nobody plays yet (the title makes a nation the player's); with no player's nation
  // the count stays as the new game left it.
  if (const Nation* player = nations.FindByComputerFlag(0)) turn.city_count = cities.CountOfNation(player->GetId());
  turn.city_arrow_state = thinking_input::ArrowState(turn.selected_city_index, turn.city_count, turn.city_arrow_state);

  for (City& city : cities) {
    city.ClearHiredThisTurn();
    city.ClearRiot();
  }
}

void ThinkingScreen::NewGame() {
  turn.selected_city_index = 0;
  turn.city_count = 0;
  turn.hiring_candidate_position = 0;
  turn.hiring_candidate_count = 0;
  turn.information_list_position = 0;
  turn.information_list_length = 0;
  information_icon_state_ = 0;
  research_list_offset_ = 0;
  research_list_length_ = 0;
  research_icon_state_ = 0;
  trade_list_offset_ = 0;
  trade_list_length_ = 0;
  trade_icon_state_ = 0;
  selected_tactic_ = 0;
  selected_policy_ = 0;
  turn.acting_nation_index = 0;
  turn.turn_order_position = 0;
  turn.menu_state = 0;
  turn.acting_nation_id = 0;
  StartCursorsAndCalendar();

  chosen_map_city_ = 0;
  turn.player_turn_open = 0;
  turn.hiring_icon_state = 0;
  turn.hiring_list_mode = 0;
  turn.minimap_hover = 0;
  tactic_used_ = 0;
  policy_used_ = 0;
  game_speed_ = 0;
  // The music switch keeps the player's setting.
}

void ThinkingScreen::StartCursorsAndCalendar() {
  turn.turn_tick_counter = 10;
  turn.city_arrow_state = 6;
  ranking_table_group_ = 1;
  ranking_column_ = 1;
  turn.year = 300;
  turn.month = 1;
  turn.part_of_month = 1;
  turn.turn_count = 1;
  turn.game_over = 0;
  turn.game_over_turn_count = 0;
}

void ThinkingScreen::OnDestroy(HWND, CharacterList&, NationList&, CityList&, FieldPartyList&, DivisionList&,
                               InhabitantList&, TradeGoodList&, TacticList&, PolicyList&) {}

void ThinkingScreen::Refresh(HWND window, int left, int top, int right, int bottom) {
  RECT area{left, top, right, bottom};
  InvalidateRect(window, &area, 0);
  UpdateWindow(window);
}

int ThinkingScreen::Random(int n, int base) { return rng::Random(n, base); }
