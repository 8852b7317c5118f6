// The frame of the thinking screen's paint on the real new world: the right-hand panel with the
// owners' colours on the mini-map, the ring on the selected or acting nation's cities, the
// treasury strip, date and treasury; the main menu's riot notices and city box; the help lines;
// and every menu state painted, with stale or foreign cursors, without a fault.
#include <climits>
#include <string>

#include "core/save_slot.h"
#include "tests/planning/paint_fixture.h"

namespace paint_test {
namespace {

// A blend of 20 percent canvas and 80 percent sprite, each part rounded down.
COLORREF Blend20(COLORREF canvas, COLORREF sprite) {
  auto channel = [&](int shift) {
    const int c = (canvas >> shift) & 0xFF, s = (sprite >> shift) & 0xFF;
    return c * 20 / 100 + s * 80 / 100;
  };
  return RGB(channel(0), channel(8), channel(16));
}

COLORREF DotColour(std::int32_t owner) { return CellColour("情報国色", owner == 100 ? 0 : owner, 0); }

TEST_F(ThinkingPaint, PanelShowsEachCityInItsOwnersColourAndRingsThePlayersSelectedCity) {
  PaintState(0);
  const City* selected = game_->Cities().GetNthOfNation(Player().GetId(), 0);
  ASSERT_NE(selected, nullptr);
  int owners_seen[8] = {};
  for (const City& city : game_->Cities()) {
    Point at;
    city.GetMinimapPosition(at);
    const COLORREF dot = DotColour(city.GetOwner());
    if (&city == selected) {
      EXPECT_EQ(PanelPixel(at.x + 4, at.y + 4), Blend20(dot, CellColour("情報国色透過", 0, 0)));
    } else {
      EXPECT_EQ(PanelPixel(at.x + 4, at.y + 4), dot) << names::Text(city.GetName());
    }
    ++owners_seen[city.GetOwner() == 100 ? 0 : city.GetOwner()];
  }
  // The new world: seven nations with one city each, sixteen cities without owner.
  EXPECT_EQ(owners_seen[0], 16);
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(owners_seen[n], 1);

  // Mini-map, date board, phase plate (beside the texts written over them); one city: the
  // treasury strip's single-city row.
  EXPECT_EQ(PanelPixel(8, 290), CellColour("情報マップ", 0, 0));
  EXPECT_EQ(PanelPixel(196, 184), CellColour("情報思考板", 0, 0));
  EXPECT_EQ(PanelPixel(100, 24), CellColour("思考フェーズ板", 0, 0));
  EXPECT_EQ(Thinking().GetCityArrowState(), 6);
  EXPECT_EQ(PanelPixel(10, 66), CellColour("選択資金アイコン", 0, 0));
  // The other arrow states pick rows 1, 2, 3; 1, 4 and 5 draw no strip at all.
  const std::pair<int, int> rows[] = {{2, 1}, {3, 2}, {0, 3}, {1, -1}, {5, -1}};
  for (auto [state, row] : rows) {
    Thinking().SetCityArrowState(state);
    Paint();
    EXPECT_EQ(PanelPixel(10, 66), row < 0 ? CellColour("情報メイン外枠", 0, 0) : CellColour("選択資金アイコン", 0, row))
        << "arrow state " << state;
  }
}

TEST_F(ThinkingPaint, WhileAComputerNationActsItsCitiesAreRingedAndNotThePlayers) {
  // Give the acting computer nation a second city.
  Nation* computer = game_->Nations().GetAt(3);
  ASSERT_TRUE(computer->IsComputer());
  City* extra = nullptr;
  for (City& c : game_->Cities())
    if (c.GetOwner() == 100 && extra == nullptr) extra = &c;
  extra->SetOwner(computer->GetId());
  Thinking().SetTurnNationId(computer->GetId());
  PaintState(0);
  const COLORREF ring = CellColour("情報国色透過", 0, 0);
  for (const City& city : game_->Cities()) {
    Point at;
    city.GetMinimapPosition(at);
    const COLORREF dot = DotColour(city.GetOwner());
    const COLORREF expected = city.GetOwner() == computer->GetId() ? Blend20(dot, ring) : dot;
    EXPECT_EQ(PanelPixel(at.x + 4, at.y + 4), expected) << names::Text(city.GetName());
  }
  // Not the player's turn: no treasury.
  EXPECT_TRUE(TextsAt(700, 405).empty());
}

TEST_F(ThinkingPaint, ACityFromADamagedSlotAtAnEndOfTheIntRangeIsRingedOffTheMiniMap) {
  // The player's selected city, then a city of the computer nation acting: both are ringed, 7
  // pixels up and left of a dot that a damaged cities file put at an end of the int range.
  City& city = *game_->Cities().GetNthOfNation(Player().GetId(), 0);
  Point dot;
  city.GetMinimapPosition(dot);
  const Nation& computer = *game_->Nations().GetAt(3);
  ASSERT_TRUE(computer.IsComputer());
  for (std::int32_t far : {INT_MIN, INT_MAX}) {
    for (std::int32_t owner : {Player().GetId(), computer.GetId()}) {
      city.CopyFrom(City(city.GetName(), city.GetId(), 1000, 0, 0, 0, 0, 0, 0, 50, 0, 0, far, far, owner));
      Thinking().SetTurnNationId(owner);
      PaintState(0);
      EXPECT_EQ(PanelPixel(dot.x + 4, dot.y + 4), CellColour("情報マップ", 0, 0)) << far << " " << owner;
    }
  }
}

TEST_F(ThinkingPaint, DateTreasuryAndTheMainMenusCityBox) {
  Player().SetFunds(12345);
  City* city = game_->Cities().GetNthOfNation(Player().GetId(), 0);
  city->SetAgriculture(321);
  city->SetCommerce(45);
  city->SetIndustry(1000);
  city->SetSentiment(77);
  Point at;
  city->GetPosition(at);
  const int staying = game_->Characters().CountAt(at.x, at.y, Player().GetId());
  ASSERT_GT(staying, 0);
  PaintState(0);

  EXPECT_EQ(TextAt(650, 210), "  300年  1月");
  EXPECT_EQ(TextAt(775, 210), "上旬");
  EXPECT_EQ(TextAt(700, 405), "  12345 Ｇ");
  EXPECT_EQ(TextAt(650, 240), std::string("都市名：") + names::Text(city->GetName()));
  EXPECT_EQ(TextAt(650, 285), "農業値：　　  321");
  EXPECT_EQ(TextAt(650, 300), "商業値：　　   45");
  EXPECT_EQ(TextAt(650, 315), "工業値：　　 1000");
  EXPECT_EQ(TextAt(650, 330), "民心値：　　   77");
  char line[64];
  std::snprintf(line, sizeof line, "滞在数：　　  %3d", staying);
  EXPECT_EQ(TextAt(650, 360), line);
  // The main board stands whole over the frame; nothing is written as a help line.
  EXPECT_EQ(MenuPixel(70, 264 + 36 * 5 + 18), CellColour("思考メインメニュー板", 0, 5));
  EXPECT_EQ(MenuPixel(70, 264 + 18), CellColour("思考メインメニュー板", 0, 0));
  EXPECT_EQ(MenuPixel(320, 240), CellColour("思考フェーズ外枠", 0, 0));
  EXPECT_TRUE(TextsAt(150, 390).empty());

  // The middle and last thirds of a month, a later year.
  Thinking().SetYear(302);
  Thinking().SetMonth(11);
  Thinking().SetPartOfMonth(2);
  Paint();
  EXPECT_EQ(TextAt(650, 210), "  302年 11月");
  EXPECT_EQ(TextAt(775, 210), "中旬");
  Thinking().SetPartOfMonth(3);
  Paint();
  EXPECT_EQ(TextAt(775, 210), "下旬");

  // Another nation's turn: the treasury is not shown, the city box still is.
  Thinking().SetTurnNationId(game_->Nations().GetAt(3)->GetId());
  Paint();
  EXPECT_TRUE(TextsAt(700, 405).empty());
  EXPECT_FALSE(TextsAt(650, 240).empty());
}

TEST_F(ThinkingPaint, RiotNoticesStopAtFifteen) {
  int riots = 0;
  for (City& c : game_->Cities())
    if (riots < 16) {
      c.SetRiot();
      ++riots;
    }
  PaintState(0);
  for (int i = 0; i < 15; ++i) {
    const City* c = game_->Cities().GetNthWithRiot(i);
    EXPECT_EQ(TextAt(150, 10 + 20 * i), std::string(names::Text(c->GetName())) + "で暴動が起きました！！");
  }
  EXPECT_TRUE(TextsAt(150, 310).empty());
  EXPECT_FALSE(Wrote(std::string(names::Text(game_->Cities().GetNthWithRiot(15)->GetName())) + "で暴動が起きました！！"));
}

TEST_F(SpectatorPaint, NoTreasuryNoCityBoxAndNoRingBetweenTurns) {
  ASSERT_EQ(game_->Nations().CountByComputerFlag(0), 0);
  Thinking().SetTurnNationId(0);
  PaintState(0);
  EXPECT_TRUE(TextsAt(700, 405).empty());
  EXPECT_TRUE(TextsAt(650, 240).empty());
  EXPECT_EQ(TextAt(650, 210), "  300年  1月");
  for (const City& city : game_->Cities()) {
    Point at;
    city.GetMinimapPosition(at);
    EXPECT_EQ(PanelPixel(at.x + 4, at.y + 4), DotColour(city.GetOwner()));
  }
  // A computer nation's turn rings its city even here.
  const Nation* acting = game_->Nations().GetAt(0);
  Thinking().SetTurnNationId(acting->GetId());
  Paint();
  const City* own = game_->Cities().GetNthOfNation(acting->GetId(), 0);
  Point at;
  own->GetMinimapPosition(at);
  EXPECT_EQ(PanelPixel(at.x + 4, at.y + 4), Blend20(DotColour(acting->GetId()), CellColour("情報国色透過", 0, 0)));
}

TEST_F(ThinkingPaint, HelpLinesFollowTheHoverIdOfEachMenu) {
  struct Case {
    std::int32_t state, hover;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {3, 20, "※  戦術スキルを実行します", "※  戦闘中のキャラクターがいないと実行できません"},
      {3, 21, "※  政策スキルを実行します", nullptr},
      {3, 31, "※　キャラクターを雇用します", nullptr},
      {3, 35, "※　交易品の売買をします", nullptr},
      {3, 16, "※　研究を行います", nullptr},
      {3, 99, nullptr, nullptr},
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
      {8, 62, nullptr, nullptr},  // another menu's id says nothing here
      {0, 20, nullptr, nullptr},  // the main menu has no help line
      {64, 99, "※　ファイル１はオートセーブ用です", nullptr},
      {65, 64, "※　ファイル１はオートセーブ用です", nullptr},
      {55, 99, "※　地図で都市をクリックすると滞在キャラクターが見れます", nullptr},
      {55, 54, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    Cursors().Hover() = c.hover;
    PaintState(c.state);
    EXPECT_EQ(TextAt(150, 390), c.first ? c.first : "") << "state " << c.state << " hover " << c.hover;
    EXPECT_EQ(TextAt(150, 410), c.second ? c.second : "") << "state " << c.state << " hover " << c.hover;
  }
}

// Every number the menu state can hold, with the cursors as the handlers leave them and with
// cursors that name nothing (positions past the lists, ids of nothing, pointer far away): each
// paint ends with the date written and the stock font back in the device context.
TEST_F(ThinkingPaint, EveryMenuStatePaintsWithAnyCursors) {
  auto cursors = Cursors();
  for (int variant = 0; variant < 3; ++variant) {
    const std::int32_t v = variant == 0 ? 0 : variant == 1 ? 1 : 5000;
    cursors.CardPage() = variant == 2 ? 9 : 1 + variant;
    cursors.Hover() = variant == 0 ? 54 : variant == 1 ? 17 : 21;
    cursors.InformationIcon() = variant == 2 ? 7 : 0;
    cursors.ResearchOffset() = v;
    cursors.ResearchLength() = variant == 2 ? 99 : 30;
    cursors.ResearchIcon() = variant;
    cursors.TradeOffset() = v;
    cursors.TradeLength() = 20;
    cursors.TradeIcon() = variant == 2 ? -3 : 2;
    cursors.MapCity() = variant == 0 ? game_->Cities().GetAt(0)->GetId() : variant == 1 ? 0 : 9999;
    cursors.RankingGroup() = variant == 2 ? 8 : 1 + variant;
    cursors.RankingColumn() = variant == 2 ? 0 : 7;
    cursors.SelectedTactic() = v;
    cursors.SelectedPolicy() = v;
    Thinking().turn.hiring_candidate_position = v;
    Thinking().turn.information_list_position = variant == 2 ? -1 : v;
    Thinking().turn.minimap_hover = variant == 1 ? 1 : 0;
    Thinking().turn.pointer_x = variant == 2 ? 60000 : 700;
    Thinking().turn.pointer_y = variant == 2 ? 60000 : 45;
    Thinking().turn.selected_city_index = v;
    Thinking().turn.city_arrow_state = variant;
    Thinking().SetPartOfMonth(variant == 2 ? 7 : 1);
    for (std::int32_t state = 0; state <= 70; ++state) {
      PaintState(state);
      EXPECT_EQ(TextAt(650, 210), "  300年  1月") << "state " << state << " variant " << variant;
    }
  }
  EXPECT_TRUE(headless::Boxes().empty());
}

}  // namespace
}  // namespace paint_test

namespace paint_test {
namespace {

// A tour of the screens as a player meets them, each with its key text checked; with
// VALDRIM_SHOTS set, each is left as a picture to look at (with VALDRIM_BITMAPS, in the real
// pictures).
TEST_F(ThinkingPaint, ATourOfTheMenusAsThePlayerSeesThem) {
  auto cursors = Cursors();
  Nation& player = Player();
  const City* city = game_->Cities().GetNthOfNation(player.GetId(), 0);
  Point at;
  city->GetPosition(at);
  game_->Cities().GetAt(5)->SetRiot();
  auto shoot = [&](std::int32_t state, const std::string& name, const std::string& key_text) {
    PaintState(state);
    EXPECT_TRUE(AnyTextStartingWith(key_text)) << name;
    Shot(name);
  };

  shoot(0, "00_main", std::string(names::Text(game_->Cities().GetAt(5)->GetName())) + "で暴動");
  cursors.Hover() = 20;
  shoot(3, "03_military_help", "※  戦術スキル");

  cursors.ResearchLength() = game_->Tactics().GetCount();
  cursors.ResearchOffset() = 0;
  cursors.ResearchIcon() = 2;
  cursors.SelectedTactic() = 1;
  cursors.Hover() = 17;
  Thinking().turn.pointer_y = 30 + 20 * 3 + 5;
  shoot(17, "17_tactic_research", "NAME       USEDPOINT");

  for (Policy& p : player.policies) p.SetAvailable();
  cursors.Hover() = 21;
  cursors.SelectedPolicy() = 0;
  Thinking().turn.pointer_y = 35;
  shoot(21, "21_policy_use", "政策値：");

  // A willing candidate on the first page, with the card of its first skill.
  Character* candidate = game_->Characters().GetNthOfNation(Character::kNationNone, 0);
  candidate->nation_relations.Find(player.GetId())->SetWilling();
  Thinking().turn.hiring_candidate_position = 0;
  Thinking().turn.hiring_icon_state = 2;
  cursors.CardPage() = 1;
  cursors.Hover() = 54;
  Thinking().turn.pointer_y = 30;
  shoot(candidate->GetDivisionId() == 0 ? 32 : 34, "32_hire_character", "名前：");
  cursors.CardPage() = 2;
  shoot(candidate->GetDivisionId() == 0 ? 32 : 34, "32_hire_character_page2", "戦略：");

  game_->Divisions().GetAt(0)->relations.Find(player.GetId())->SetWilling();
  shoot(33, "33_hire_division", "師団名：");

  int on_market = 0;
  for (TradeGood& g : game_->Goods())
    if (on_market < 18) {
      g.SetOwnerId(0);
      g.SetOnMarket(1);
      g.SetMarked(on_market % 5 == 1);
      ++on_market;
    }
  cursors.TradeOffset() = 0;
  cursors.TradeIcon() = 2;
  Thinking().SetTradeSum(12345);
  shoot(37, "37_market", "TRADENAME");

  cursors.Hover() = 58;
  shoot(5, "05_information_city_table", "NAME       HP");

  cursors.MapCity() = city->GetId();
  cursors.CardPage() = 3;
  cursors.InformationIcon() = 6;
  Thinking().turn.information_list_position = 0;
  Thinking().turn.minimap_hover = 1;
  Point m;
  game_->Cities().GetAt(3)->GetMinimapPosition(m);
  Thinking().turn.pointer_x = 640 + m.x + 2;
  Thinking().turn.pointer_y = 480 - m.y - 2;
  cursors.Hover() = 99;
  shoot(55, "55_characters_by_city", "所属国");

  Thinking().turn.information_list_position = 1;
  cursors.InformationIcon() = 0;
  shoot(58, "58_nation", "国名：");
  shoot(59, "59_division", "師団名：");

  game_->Characters().Rank(1);
  cursors.RankingGroup() = 1;
  cursors.RankingColumn() = 2;
  shoot(62, "62_character_ranking", "NAME        HP");
  game_->Divisions().Rank(11, 0);
  cursors.RankingGroup() = 3;
  cursors.RankingColumn() = 1;
  shoot(63, "63_division_ranking", "NAME        POP");

  ASSERT_TRUE(SaveSlot::Save(Thinking(), game_->Characters(), game_->Nations(), game_->Cities(), game_->Parties(),
                             game_->Divisions(), game_->Names(), game_->Inhabitants(), game_->Goods(), 1));
  shoot(64, "64_load", "国名　：");
  shoot(66, "66_settings", "　◎　ゲーム速度");
  shoot(9, "09_end_of_phase", "思考フェーズを終了");
  EXPECT_TRUE(headless::Boxes().empty());
}

}  // namespace
}  // namespace paint_test
