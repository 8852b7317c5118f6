// The military, research, hiring, trade and system menus: list rows with their marks (owned,
// selected, free), the tactic and policy cards under the pointer, the four trade lists, the
// save-slot previews read from the slot files, the settings' marks and the end-of-phase question.
#include <string>

#include "core/save_slot.h"
#include "tests/planning/paint_fixture.h"

namespace paint_test {
namespace {

std::string Format(const char* format, int value) {
  char line[128];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

// The middle of the check mark beside list row i.
COLORREF MarkPixel(int i) { return MenuPixel(170, 480 - (48 + 20 * i) + 10); }
COLORREF Mark(int cell) { return CellColour("思考チェック板", cell, 0); }

using Menus = ThinkingPaint;

TEST_F(Menus, TacticResearchListMarksOwnedAndSelectedRowsFromItsOffset) {
  TacticList& catalogue = game_->Tactics();
  ASSERT_GE(catalogue.GetCount(), 25);
  Nation& player = Player();
  player.tactics.Clear();
  catalogue.GetAt(11)->Pack();
  ASSERT_TRUE(player.tactics.InsertSorted(catalogue.GetAt(11)->SaveImageBytes()));
  player.SetBuildExp(77);
  player.SetResearchPoints(555);
  Cursors().ResearchLength() = catalogue.GetCount();
  Cursors().ResearchOffset() = 10;
  Cursors().ResearchIcon() = 3;
  Cursors().SelectedTactic() = 12;
  Cursors().Hover() = 99;
  PaintState(17);

  EXPECT_EQ(TextAt(215, 10), "NAME       USEDPOINT");
  EXPECT_EQ(CallAt(215, 10)->colour, RGB(200, 30, 30));
  for (int i = 0; i < 15; ++i) {
    const Tactic* t = catalogue.GetAt(10 + i);
    EXPECT_EQ(TextAt(215, 30 + 20 * i), names::Text(t->GetName())) << i;
    EXPECT_EQ(TextAt(365, 30 + 20 * i), Format("%3d", t->GetResearchCost())) << i;
    EXPECT_EQ(MarkPixel(i), Mark(i == 1 ? 6 : i == 2 ? 5 : 0)) << i;
  }
  EXPECT_TRUE(TextsAt(215, 330).empty());
  // The value under the list is the research points that research spends, not the building
  // experience.
  EXPECT_EQ(TextAt(235, 355), "研究値： 555");
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考研究メニュー板", 0, 6));
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("選択上下決定アイコン", 0, 3));
  EXPECT_TRUE(TextsAt(150, 390).empty());

  // An owned entry keeps its mark when it is the selected one too.
  Cursors().SelectedTactic() = 11;
  Cursors().ResearchIcon() = 1;
  Paint();
  EXPECT_EQ(MarkPixel(1), Mark(6));
  EXPECT_EQ(MarkPixel(2), Mark(0));
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("選択上下決定アイコン", 0, 2));

  // The card of the row under the pointer, counted from the list's offset.
  Cursors().Hover() = 17;
  Thinking().turn.pointer_y = 30 + 5;
  Paint();
  const Tactic* t = catalogue.GetAt(10);
  EXPECT_EQ(TextAt(150, 390), names::Text(t->GetName()));
  EXPECT_EQ(CallAt(150, 390)->colour, RGB(150, 150, 150));
  EXPECT_EQ(TextAt(150, 410), "消費ＳＰ：");
  EXPECT_EQ(CallAt(150, 410)->colour, RGB(30, 30, 150));
  EXPECT_EQ(TextAt(150, 430), "効果：  攻        防        器       回       速");
  EXPECT_EQ(TextAt(155, 450), "     攻技      防技        治     時間");
  EXPECT_EQ(TextAt(235, 410), Format("%3d", t->GetUsedPoint()));
  EXPECT_EQ(TextAt(512, 450), Format("%2d", t->GetDuration()));

  // The policy research list shows the same research points.
  Cursors().Hover() = 99;
  PaintState(18);
  EXPECT_EQ(TextAt(235, 355), "研究値： 555");
}

TEST_F(Menus, TacticCardShowsEveryValueOfTheHoveredTactic) {
  TacticList& catalogue = game_->Tactics();
  const NameRef name = catalogue.GetAt(0)->GetName();
  ASSERT_TRUE(catalogue.Add(name, 900, 0, 0, 1.5, 0.7, 2, 3, 0, 4, 5, 6, 7, 1.0f, 1.0f, 42, 0, 0, 99, 1, 300,
                            names::kNone, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, names::kNone, 0, 0, 0, 4));
  Nation& player = Player();
  player.tactics.Clear();
  catalogue.GetAt(0)->Pack();
  player.tactics.InsertSorted(catalogue.GetAt(0)->SaveImageBytes());
  catalogue.GetAt(catalogue.GetCount() - 1)->Pack();
  player.tactics.InsertSorted(catalogue.GetAt(catalogue.GetCount() - 1)->SaveImageBytes());
  player.SetTacticsValue(61);
  Cursors().SelectedTactic() = 1;
  Cursors().Hover() = 20;
  Thinking().turn.pointer_y = 50 + 19;  // second row
  PaintState(20);

  EXPECT_EQ(TextAt(215, 30), names::Text(player.tactics.GetAt(0)->GetName()));
  EXPECT_EQ(TextAt(365, 50), " 42");
  EXPECT_EQ(TextAt(235, 355), "戦術値：  61");
  EXPECT_EQ(MarkPixel(0), Mark(0));
  EXPECT_EQ(MarkPixel(1), Mark(5));
  EXPECT_EQ(MarkPixel(2), CellColour("思考戦術メニュー", 0, 0));
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考軍事メニュー板", 0, 6));
  // The skill lists have no scroll strip.
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("思考戦術メニュー", 0, 0));

  EXPECT_EQ(TextAt(235, 410), " 42");
  EXPECT_EQ(TextAt(250, 430), "1.5倍");
  EXPECT_EQ(TextAt(340, 430), "0.7倍");
  EXPECT_EQ(TextAt(430, 430), " 2");
  EXPECT_EQ(TextAt(515, 430), " 3");
  EXPECT_EQ(TextAt(595, 430), " 4");
  EXPECT_EQ(TextAt(260, 450), " 5");
  EXPECT_EQ(TextAt(350, 450), " 6");
  EXPECT_EQ(TextAt(427, 450), " 7");
  EXPECT_EQ(TextAt(512, 450), "99");
  // Below the last tactic: no card.
  Thinking().turn.pointer_y = 70 + 5;
  Paint();
  EXPECT_TRUE(TextsAt(150, 390).empty());
}

TEST_F(Menus, PolicyListAndCardsByKind) {
  Nation& player = Player();
  for (Policy& p : player.policies) p.ClearAvailable();
  PolicyList& own = player.policies;
  const NameRef name = game_->Policies().GetAt(0)->GetName();
  // Available policies of kinds 2 (amount 2.9), 6, 12, 14 and 5, in id order after the others.
  ASSERT_TRUE(own.Add(name, 901, 2, 0, 0, 1500, 2.9f, 12, 0, 0, 1));
  ASSERT_TRUE(own.Add(name, 902, 6, 0, 8, 300, 3.0f, 14, 0, 0, 1));
  ASSERT_TRUE(own.Add(name, 903, 12, 0, 9, 0, 5.5f, 16, 0, 0, 1));
  ASSERT_TRUE(own.Add(name, 904, 14, 0, 6, 200, 1.0f, 18, 0, 0, 1));
  ASSERT_TRUE(own.Add(name, 905, 5, 0, 0, 100, 1.0f, 20, 0, 0, 1));
  player.SetPolicyValue(88);
  Cursors().SelectedPolicy() = 3;
  Cursors().Hover() = 21;
  auto card = [&](int row) {
    Thinking().turn.pointer_y = 30 + 20 * row + 3;
    PaintState(21);
  };

  card(0);
  EXPECT_EQ(TextAt(215, 10), "NAME       USEDPOINT");
  EXPECT_EQ(TextAt(365, 30), " 12");
  EXPECT_EQ(TextAt(365, 110), " 20");
  EXPECT_TRUE(TextsAt(215, 130).empty());
  EXPECT_EQ(TextAt(235, 355), "政策値：  88");
  EXPECT_EQ(MarkPixel(3), Mark(5));
  EXPECT_EQ(MarkPixel(4), Mark(0));
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考軍事メニュー板", 0, 5));
  EXPECT_EQ(TextAt(150, 390), names::Text(name));
  EXPECT_EQ(TextAt(150, 410), "消費ＳＰ：");
  EXPECT_EQ(TextAt(150, 430), "説明：");
  EXPECT_EQ(TextAt(150, 450), "効果： 費用        増加Ｐ");
  EXPECT_EQ(TextAt(235, 410), " 12");
  EXPECT_EQ(TextAt(210, 430), "農業投資し、国の農業値を増やします。");
  EXPECT_EQ(TextAt(260, 450), " 1500");
  EXPECT_EQ(TextAt(380, 450), "    2");  // 2.9 truncated
  EXPECT_TRUE(TextsAt(580, 450).empty());

  card(1);
  EXPECT_EQ(TextAt(150, 450), "効果： 費用        増加Ｐ                  人数");
  EXPECT_EQ(TextAt(210, 430), "人材を配置し、国の農業値を増やします。");
  EXPECT_EQ(TextAt(380, 450), " 3×能力値×人数");
  EXPECT_EQ(TextAt(580, 450), "0～8");

  card(2);
  EXPECT_EQ(TextAt(150, 450), "効果： 費用        軍資金            移住人数");
  EXPECT_EQ(TextAt(380, 450), " 5");
  EXPECT_EQ(TextAt(560, 450), "0～9");
  EXPECT_TRUE(TextsAt(580, 450).empty());

  card(3);
  EXPECT_EQ(TextAt(210, 430), "宴会を開き、自軍の人材の親交値を高めます。");
  EXPECT_EQ(TextAt(380, 450), "0～2");
  EXPECT_EQ(TextAt(580, 450), "0～6");

  card(4);  // kind 5: the name alone
  EXPECT_EQ(TextAt(150, 390), names::Text(name));
  EXPECT_TRUE(TextsAt(150, 410).empty());
  EXPECT_TRUE(TextsAt(235, 410).empty());

  // Nothing available: the head and the points, no card.
  for (Policy& p : player.policies) p.ClearAvailable();
  card(0);
  EXPECT_EQ(TextAt(215, 10), "NAME       USEDPOINT");
  EXPECT_EQ(TextAt(235, 355), "政策値：  88");
  EXPECT_TRUE(TextsAt(150, 390).empty());
  EXPECT_EQ(MarkPixel(0), CellColour("思考戦術メニュー", 0, 0));
}

TEST_F(Menus, BoardsOfTheMenusWithoutTexts) {
  struct Case {
    std::int32_t state;
    const char* board;
    int y, height, rows;
  };
  const Case cases[] = {{3, "思考軍事メニュー板", 228, 252, 7},     {16, "思考研究メニュー板", 228, 252, 7},
                        {31, "思考雇用メニュー板", 228, 252, 7},     {35, "思考交易メニュー板", 228, 252, 1},
                        {36, "思考交易売買メニュー板", 228, 252, 7}, {39, "思考交易売買メニュー板", 228, 252, 7},
                        {8, "思考システムメニュー板", 372, 108, 3}};
  for (const Case& c : cases) {
    Cursors().Hover() = 99;
    PaintState(c.state);
    // The middle of the board's top cell, and nothing written over the menu area.
    const int cell = c.height / c.rows;
    EXPECT_EQ(MenuPixel(70, c.y + cell * (c.rows - 1) + cell / 2), CellColour(c.board, 0, c.rows - 1)) << c.state;
    for (const auto& t : texts_) EXPECT_GE(t.x, 640) << c.state << " wrote at " << t.x << "," << t.y;
  }
}

// The trade lists over goods set up by the test.
class TradePaint : public ThinkingPaint {
 protected:
  void SetUp() override {
    ThinkingPaint::SetUp();
    king_ = game_->Characters().FindByRankAndNation(0, Player().GetId());
    ASSERT_NE(king_, nullptr);
    for (TradeGood& g : game_->Goods()) {
      g.SetOwnerId(0);
      g.SetOnMarket(0);
      g.SetOfferBuyerId(0);
      g.SetMarked(0);
    }
    ASSERT_GE(game_->Goods().GetCount(), 24);
  }
  TradeGood& Good(int i) { return *game_->Goods().GetAt(i); }
  Character* king_ = nullptr;
};

TEST_F(TradePaint, MarketListShowsFifteenRowsFromItsOffsetWithMarksAndTheSum) {
  for (int i = 0; i < 20; ++i) {
    Good(i).SetOnMarket(1);
    Good(i).SetPrice(1000 + i);
    Good(i).SetPriceChange(i - 5);
  }
  Good(4).SetMarked(1);
  Cursors().TradeOffset() = 3;
  Cursors().TradeIcon() = 3;
  Thinking().SetTradeSum(1004);
  PaintState(37);
  EXPECT_EQ(TextAt(200, 10), "TRADENAME       WEEK      PRICE     TRADELEVEL");
  for (int i = 0; i < 15; ++i) {
    const TradeGood& g = Good(3 + i);
    EXPECT_EQ(TextAt(195, 30 + 20 * i), names::Text(g.GetName())) << i;
    char row[128];
    std::snprintf(row, sizeof row, "%6d     %6d           %3d", g.GetPriceChange(), g.GetPrice(), g.GetGrade());
    EXPECT_EQ(TextAt(330, 30 + 20 * i), row) << i;
    EXPECT_EQ(MarkPixel(i), Mark(i == 1 ? 5 : 0)) << i;
  }
  EXPECT_TRUE(TextsAt(195, 330).empty());
  EXPECT_EQ(TextAt(330, 30).substr(0, 12), "    -2      ");
  EXPECT_EQ(TextAt(235, 355), "合計金額：   1004G");
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考交易売買メニュー板", 0, 6));
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("選択上下決定アイコン", 0, 3));

  // An empty list still has its head and its sum.
  for (TradeGood& g : game_->Goods()) g.SetOnMarket(0);
  Thinking().SetTradeSum(0);
  Paint();
  EXPECT_EQ(TextAt(200, 10), "TRADENAME       WEEK      PRICE     TRADELEVEL");
  EXPECT_EQ(TextAt(235, 355), "合計金額：      0G");
  EXPECT_TRUE(TextsAt(195, 30).empty());
}

TEST_F(TradePaint, OfferListsNameTheMerchantOrTheCharacter) {
  Character* bidder = game_->Characters().GetAt(40);
  // Offers to the king: one from the merchant, one from a character.
  Good(0).SetOwnerId(1001);
  Good(0).SetOfferBuyerId(king_->GetId());
  Good(0).SetPrice(500);
  Good(0).SetOfferPrice(650);
  Good(1).SetOwnerId(bidder->GetId());
  Good(1).SetOfferBuyerId(king_->GetId());
  Good(1).SetPrice(800);
  Good(1).SetOfferPrice(700);
  PaintState(38);
  EXPECT_EQ(TextAt(200, 10), "TRADENAME       DIFFER   PRICE     NAME");
  EXPECT_EQ(TextAt(300, 30), "        150     650    商人");
  EXPECT_EQ(TextAt(300, 50), std::string("       -100     700    ") + names::Text(bidder->GetName()));
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考交易売買メニュー板", 0, 5));

  // The king's goods with bids.
  Good(2).SetOwnerId(king_->GetId());
  Good(2).SetOfferBuyerId(1001);
  Good(2).SetPrice(100);
  Good(2).SetOfferPrice(120);
  Good(3).SetOwnerId(king_->GetId());
  Good(3).SetOfferBuyerId(bidder->GetId());
  Good(3).SetPrice(300);
  Good(3).SetOfferPrice(310);
  Good(3).SetMarked(1);
  PaintState(41);
  EXPECT_EQ(TextAt(300, 30), "         20     120    商人");
  EXPECT_EQ(TextAt(300, 50), std::string("         10     310    ") + names::Text(bidder->GetName()));
  EXPECT_EQ(MarkPixel(0), Mark(0));
  EXPECT_EQ(MarkPixel(1), Mark(5));

  // The king's goods off the market: the second number is B minus A, negative here.
  Good(5).SetOwnerId(king_->GetId());
  Good(5).SetPriceChange(-7);
  Good(5).SetPurchasePrice(900);
  Good(5).SetPriceB(600);
  Good(5).SetPrice(610);
  PaintState(40);
  EXPECT_EQ(TextAt(200, 10), "TRADENAME       WEEK    DIFFER   PRICE  LEVEL");
  // Goods 2, 3 and 5 are the king's and off the market.
  EXPECT_EQ(TextAt(195, 70), names::Text(Good(5).GetName()));
  EXPECT_EQ(TextAt(300, 70), Format("       -7      -300     610    %3d", Good(5).GetGrade()));
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考交易売買メニュー板", 0, 6));
}

TEST_F(Menus, SlotPreviewsShowTheSavedNationKingFundsAndTurns) {
  Cursors().Hover() = 99;
  PaintState(64);
  const char* labels[] = {"ファイル１：", "ファイル２：", "ファイル３：", "ファイル４："};
  for (int s = 0; s < 4; ++s) EXPECT_EQ(TextAt(150, 40 + 95 * s), labels[s]);
  EXPECT_EQ(TextAt(150, 390), "※　ファイル１はオートセーブ用です");
  int written_in_slots = 0;
  for (const auto& t : texts_)
    if (t.x >= 270 && t.x < 640) ++written_in_slots;
  EXPECT_EQ(written_in_slots, 0);
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考システムメニュー板", 0, 2));
  EXPECT_EQ(MenuPixel(620, 110), CellColour("思考読込メニュー", 0, 0));

  // Slot 2 saved at turn 57 with 4321 in the treasury.
  Player().SetFunds(4321);
  Thinking().SetTurnCount(57);
  ASSERT_TRUE(SaveSlot::Save(Thinking(), game_->Characters(), game_->Nations(), game_->Cities(), game_->Parties(),
                             game_->Divisions(), game_->Names(), game_->Inhabitants(), game_->Goods(), 2));
  Thinking().SetTurnCount(3);
  PaintState(65);
  const int y0 = 135;
  const Character* king = game_->Characters().FindByRankAndNation(0, Player().GetId());
  EXPECT_EQ(TextAt(270, y0 - 20), std::string("国名　：") + names::Text(Player().GetName()));
  EXPECT_EQ(TextAt(270, y0), std::string("国王　：") + names::Text(king->GetName()));
  EXPECT_EQ(TextAt(270, y0 + 20), "軍資金：4321G");
  EXPECT_EQ(TextAt(500, y0 - 20), "ターン数：  57");
  EXPECT_TRUE(TextsAt(500, 20).empty());
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考システムメニュー板", 0, 1));
  EXPECT_EQ(MenuPixel(620, 110), CellColour("思考保存メニュー", 0, 0));

  // The same slot without its city file: the label alone; the next slot is unaffected.
  ASSERT_TRUE(SaveSlot::Save(Thinking(), game_->Characters(), game_->Nations(), game_->Cities(), game_->Parties(),
                             game_->Divisions(), game_->Names(), game_->Inhabitants(), game_->Goods(), 3));
  std::filesystem::remove(folder_->Data("datafile2b.dat"));
  PaintState(64);
  EXPECT_TRUE(TextsAt(270, y0).empty());
  EXPECT_TRUE(TextsAt(500, y0 - 20).empty());
  EXPECT_EQ(TextAt(500, 230 - 20), "ターン数：   3");
}

TEST_F(SpectatorPaint, ASpectatorsSlotShowsItsTurnsOnly) {
  Thinking().SetTurnCount(12);
  ASSERT_TRUE(SaveSlot::Save(Thinking(), game_->Characters(), game_->Nations(), game_->Cities(), game_->Parties(),
                             game_->Divisions(), game_->Names(), game_->Inhabitants(), game_->Goods(), 4));
  PaintState(64);
  EXPECT_EQ(TextAt(270, 325), "観戦モード");
  EXPECT_EQ(TextAt(500, 305), "ターン数：  12");
  EXPECT_TRUE(TextsAt(270, 305).empty());
  EXPECT_TRUE(TextsAt(270, 345).empty());
}

TEST_F(Menus, SettingsMarkTheChosenSpeedAndMusic) {
  Thinking().SetGameSpeed(2);
  Thinking().SetMusicOff(1);
  PaintState(66);
  EXPECT_EQ(TextAt(150, 10), "　◎　ゲーム速度　◎");
  EXPECT_EQ(TextAt(150, 50), "　　　低速　　　　　普通　　　　　高速");
  EXPECT_EQ(TextAt(150, 90), "　◎　ＢＧＭ　◎");
  EXPECT_EQ(TextAt(150, 130), "　　\t　ＯＮ　　　　　　　　　　　　ＯＦＦ");
  auto mark = [](int x, int y) { return MenuPixel(x + 10, y + 10); };
  EXPECT_EQ(mark(170, 412), Mark(0));
  EXPECT_EQ(mark(290, 412), Mark(0));
  EXPECT_EQ(mark(410, 412), Mark(1));
  EXPECT_EQ(mark(170, 332), Mark(0));
  EXPECT_EQ(mark(410, 332), Mark(1));
  EXPECT_EQ(MenuPixel(70, 372 + 18), CellColour("思考システムメニュー板", 0, 0));

  Thinking().SetGameSpeed(1);
  Thinking().SetMusicOff(0);
  Paint();
  EXPECT_EQ(mark(170, 412), Mark(1));
  EXPECT_EQ(mark(410, 412), Mark(0));
  EXPECT_EQ(mark(170, 332), Mark(1));
  EXPECT_EQ(mark(410, 332), Mark(0));
  Thinking().SetGameSpeed(0);
  Paint();
  EXPECT_EQ(mark(290, 412), Mark(1));
}

TEST_F(Menus, EndOfPhaseQuestionDrawsOnlyTheBottomStripAndTheBox) {
  PaintState(9);
  EXPECT_EQ(TextAt(270, 165), "思考フェーズを終了しますか？");
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考メインメニュー板", 0, 0));
  EXPECT_EQ(MenuPixel(390, 220 + 60), CellColour("思考フェーズ終了メニュー", 0, 0));
  // The rest of the main board is not drawn.
  EXPECT_EQ(MenuPixel(70, 264 + 18), CellColour("思考フェーズ外枠", 0, 0));
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考フェーズ外枠", 0, 0));
}

}  // namespace
}  // namespace paint_test
