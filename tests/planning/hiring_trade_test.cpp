// Hiring characters and divisions willing to serve the player's nation, and trading treasures
// through its king: what each decide does to the nation, the newcomers, the city and the goods,
// and that a refused decide changes nothing.
#include <gtest/gtest.h>

#include "tests/planning/menu_fixture.h"

namespace menu_test {
namespace {

class Hiring : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    BuildStandardWorld(w);
    PlayerTurn(1);
    screen.SetMenuState(31);
  }
  Nation& Player() { return *w.nations.GetAt(0); }
  static bool WillingTowardAny(const RelationList& relations) {
    for (const RelationEntry& e : relations)
      if (e.IsWilling()) return true;
    return false;
  }
};

TEST_F(Hiring, AHiredCharacterStandsAtTheSelectedCityPaidForAndWillingToServeNobodyElse) {
  Character& hired = *w.characters.FindById(11);
  hired.nation_relations.Find(2)->SetWilling();
  hired.stats.SetHiringCostPerLevel(60);  // level 2: 120
  Click(Button(1));
  ASSERT_EQ(State(), 32);
  EXPECT_EQ(screen.turn.hiring_candidate_count, 2);
  EXPECT_EQ(screen.turn.hiring_icon_state, 2);
  EXPECT_EQ(screen.GetCardPage(), 1);
  Click(kBackArrow);
  EXPECT_EQ(screen.turn.hiring_candidate_position, 0);
  Click(kForwardArrow);
  EXPECT_EQ(screen.turn.hiring_candidate_position, 1);
  EXPECT_EQ(screen.turn.hiring_icon_state, 3);
  Click(kForwardArrow);
  EXPECT_EQ(screen.turn.hiring_candidate_position, 1);
  Click(CardTab(3));
  EXPECT_EQ(screen.GetCardPage(), 3);

  screen.SetSelectedCityIndex(1);  // city 2 at (300, 300)
  Click(kDecide);
  EXPECT_EQ(State(), 31);
  EXPECT_EQ(Player().GetFunds(), 10000 - 120);
  EXPECT_EQ(Player().GetMemberCount(), 3);
  EXPECT_EQ(hired.GetNationId(), 1);
  Point p, b;
  hired.GetPosition(p);
  hired.GetBasePoint(b);
  EXPECT_EQ(p.x, 300);
  EXPECT_EQ(p.y, 300);
  EXPECT_EQ(b.x, 300);
  EXPECT_EQ(hired.GetOrder(), Character::kOrderFree);
  EXPECT_FALSE(WillingTowardAny(hired.nation_relations));
  EXPECT_EQ(w.cities.GetAt(1)->GetDefenceStrength(), hired.stats.GetCombatPower());
  EXPECT_GT(hired.stats.GetCombatPower(), 0);

  // The one candidate left: no arrows.
  Click(Button(1));
  ASSERT_EQ(State(), 32);
  EXPECT_EQ(screen.turn.hiring_candidate_count, 1);
  EXPECT_EQ(screen.turn.hiring_icon_state, 6);
}

TEST_F(Hiring, ACharacterCostingExactlyTheFundsIsHiredOneMoreIsRefused) {
  Click(Button(1));
  ASSERT_EQ(State(), 32);
  Player().SetFunds(99);  // character 10 costs 100
  const auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 32);
  EXPECT_EQ(Snapshot(w), before);
  Player().SetFunds(100);
  Click(kDecide);
  EXPECT_EQ(State(), 31);
  EXPECT_EQ(Player().GetFunds(), 0);
  EXPECT_EQ(w.characters.FindById(10)->GetNationId(), 1);
}

TEST_F(Hiring, ADivisionIsHiredWholeWhenItFitsAndTheFundsAreAboveItsCost) {
  Division& d = *w.divisions.GetAt(0);  // members 12 and 13, 100 each
  Click(Button(2));
  ASSERT_EQ(State(), 33);
  EXPECT_EQ(screen.turn.hiring_candidate_count, 1);
  EXPECT_EQ(screen.turn.hiring_icon_state, 6);

  // Funds equal to the cost, then no room for both members: refused.
  Player().SetFunds(200);
  auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(Snapshot(w), before);
  Player().SetFunds(201);
  Player().SetPersonnelLimit(3);
  before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 33);
  EXPECT_EQ(Snapshot(w), before);

  Player().SetPersonnelLimit(4);
  Click(kDecide);
  EXPECT_EQ(State(), 31);
  EXPECT_EQ(Player().GetFunds(), 1);
  EXPECT_EQ(Player().GetMemberCount(), 4);
  EXPECT_EQ(d.GetNationId(), 1);
  EXPECT_FALSE(WillingTowardAny(d.relations));
  for (std::int32_t id : {12, 13}) {
    const Character& c = *w.characters.FindById(id);
    EXPECT_EQ(c.GetNationId(), 1);
    EXPECT_EQ(c.GetDivisionId(), 1);
    Point p;
    c.GetPosition(p);
    EXPECT_EQ(p.x, 100);
    EXPECT_FALSE(WillingTowardAny(c.nation_relations));
  }
  // The city gains the division's combat power, not its members' sum.
  EXPECT_EQ(w.cities.GetAt(0)->GetDefenceStrength(), 300);

  // Neither the division nor its members are offered again this turn.
  Player().SetPersonnelLimit(10);
  Click(Button(2));
  EXPECT_EQ(State(), 31);
  Click(Button(3));
  EXPECT_EQ(State(), 31);
}

TEST_F(Hiring, AFullNationCannotOpenTheCharacterListsButMayLookAtDivisions) {
  Player().SetPersonnelLimit(2);  // as many as its members
  Click(Button(1));
  EXPECT_EQ(State(), 31);
  Click(Button(3));
  EXPECT_EQ(State(), 31);
  Click(Button(2));
  EXPECT_EQ(State(), 33);
  const auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(Snapshot(w), before);

  // With room, the division members' list holds character 12.
  Player().SetPersonnelLimit(5);
  screen.SetMenuState(31);
  Click(Button(3));
  ASSERT_EQ(State(), 34);
  EXPECT_EQ(screen.turn.hiring_candidate_count, 1);
  Click(kDecide);
  EXPECT_EQ(w.characters.FindById(12)->GetNationId(), 1);
  EXPECT_EQ(w.characters.FindById(12)->GetDivisionId(), 1);
  EXPECT_EQ(w.divisions.GetAt(0)->GetNationId(), 15);  // the division itself is not hired
}

TEST_F(Hiring, NobodyWillingLeavesTheHiringMenuClosed) {
  for (Character& c : w.characters)
    for (RelationEntry& e : c.nation_relations) e.ClearWilling();
  w.divisions.GetAt(0)->relations.Find(1)->ClearWilling();
  for (int button : {1, 2, 3}) {
    Click(Button(button));
    EXPECT_EQ(State(), 31) << button;
  }
}

class Trade : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    BuildStandardWorld(w);
    PlayerTurn(1);
    for (std::int32_t price : {100, 200, 300, 400}) market.push_back(&w.AddGood(price, 0, 1));
    kings.push_back(&w.AddGood(500, 1, 0));
    kings.push_back(&w.AddGood(600, 1, 0));
    offered.push_back(&w.AddGood(650, 3, 0, 1, 700));
    offered.push_back(&w.AddGood(750, kMerchantId, 1, 1, 800));
    bid = &w.AddGood(850, 1, 0, 3, 900);  // the king's, with a bid by character 3
    w.AddGood(999, 3, 1);                 // someone else's, in no list
  }
  // Opens trade list `button` of board `board` (1 buying, 2 selling).
  void Open(int board, int button) {
    screen.SetMenuState(35);
    Click(Button(board));
    Click(Button(button));
  }
  Nation& Player() { return *w.nations.GetAt(0); }
  std::vector<TradeGood*> market, kings, offered;
  TradeGood* bid = nullptr;
};

TEST_F(Trade, BuyingFromTheMarketMovesExactlyTheMarkedGoodsToTheKing) {
  Open(1, 1);
  ASSERT_EQ(State(), 37);
  EXPECT_EQ(screen.GetTradeListLength(), 4);
  EXPECT_EQ(screen.GetTradeIconState(), 0);
  Click(Row(1));
  Click(Row(2));
  EXPECT_EQ(screen.GetTradeSum(), 500);
  Click(Row(1));  // a second click takes the mark off again
  EXPECT_EQ(screen.GetTradeSum(), 300);
  EXPECT_EQ(market[1]->IsMarked(), 0);
  Click(Row(1));
  Click(Row(4));  // no fifth good
  EXPECT_EQ(screen.GetTradeSum(), 500);

  Click(kDecide);
  EXPECT_EQ(State(), 36);
  EXPECT_EQ(Player().GetFunds(), 10000 - 500);
  for (TradeGood* g : {market[1], market[2]}) {
    EXPECT_EQ(g->GetOwnerId(), 1);
    EXPECT_EQ(g->GetPriceA(), g->GetPrice());
    EXPECT_EQ(g->IsOnMarket(), 0);
  }
  for (TradeGood* g : {market[0], market[3]}) {
    EXPECT_EQ(g->GetOwnerId(), 0);
    EXPECT_EQ(g->IsOnMarket(), 1);
  }
  // The sum and the marks stay until a list is opened again.
  EXPECT_EQ(screen.GetTradeSum(), 500);
  Click(Button(1));
  EXPECT_EQ(screen.GetTradeListLength(), 2);
  EXPECT_EQ(screen.GetTradeSum(), 0);
}

TEST_F(Trade, APurchaseBeyondTheFundsANilSumOrAnEmptyListChangesNothing) {
  Open(1, 1);
  Click(Row(3));
  Player().SetFunds(399);
  auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 37);
  EXPECT_EQ(Snapshot(w), before);
  EXPECT_EQ(screen.GetTradeSum(), 400);
  Click(Row(3));  // unmarked: the sum is 0
  before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 37);
  EXPECT_EQ(Snapshot(w), before);

  // Nothing offered to the king: the list opens empty and decides nothing.
  for (TradeGood* g : offered) g->SetOfferBuyerId(0);
  screen.SetMenuState(36);
  Click(Button(2));
  ASSERT_EQ(State(), 38);
  EXPECT_EQ(screen.GetTradeListLength(), 0);
  before = Snapshot(w);
  Click(Row(0));
  Click(kDecide);
  EXPECT_EQ(State(), 38);
  EXPECT_EQ(Snapshot(w), before);
}

TEST_F(Trade, BuyingAnOfferPaysTheOfferedPriceAndEndsTheOffer) {
  Open(1, 2);
  ASSERT_EQ(State(), 38);
  EXPECT_EQ(screen.GetTradeListLength(), 2);
  Click(Row(1));  // the merchant's good, offered at 800
  EXPECT_EQ(screen.GetTradeSum(), 800);
  Click(kDecide);
  EXPECT_EQ(State(), 36);
  EXPECT_EQ(Player().GetFunds(), 10000 - 800);
  EXPECT_EQ(offered[1]->GetOwnerId(), 1);
  EXPECT_EQ(offered[1]->GetOfferBuyerId(), 0);
  EXPECT_EQ(offered[1]->GetPriceA(), 750);
  EXPECT_EQ(offered[1]->IsOnMarket(), 0);
  EXPECT_EQ(offered[0]->GetOwnerId(), 3);
}

TEST_F(Trade, SellingToTheMarketLeavesTheGoodsWithoutHolderAndToBiddersGivesThemToEachBidder) {
  Open(2, 1);
  ASSERT_EQ(State(), 40);
  EXPECT_EQ(screen.GetTradeListLength(), 3);  // 500, 600 and the good with a bid
  Click(Row(0));
  Click(Row(1));
  Click(kDecide);
  EXPECT_EQ(State(), 39);
  EXPECT_EQ(Player().GetFunds(), 10000 + 1100);
  for (TradeGood* g : kings) {
    EXPECT_EQ(g->GetOwnerId(), 0);
    EXPECT_EQ(g->IsOnMarket(), 0);
  }
  EXPECT_EQ(bid->GetOwnerId(), 1);

  Click(Button(2));
  ASSERT_EQ(State(), 41);
  EXPECT_EQ(screen.GetTradeListLength(), 1);
  Click(Row(0));
  EXPECT_EQ(screen.GetTradeSum(), 900);
  Click(kDecide);
  EXPECT_EQ(State(), 39);
  EXPECT_EQ(Player().GetFunds(), 10000 + 1100 + 900);
  EXPECT_EQ(bid->GetOwnerId(), 3);
  EXPECT_EQ(bid->GetOfferBuyerId(), 0);
  EXPECT_EQ(bid->GetPriceA(), 850);
}

TEST_F(Trade, TwentyGoodsScrollFromOffsetZeroToFiveAndOpeningClearsTheMarks) {
  for (int i = 0; i < 16; ++i) market.push_back(&w.AddGood(1000 + i, 0, 1));
  Open(1, 1);
  EXPECT_EQ(screen.GetTradeListLength(), 20);
  EXPECT_EQ(screen.GetTradeIconState(), 2);
  for (int i = 0; i < 7; ++i) Click(kForwardArrow);
  EXPECT_EQ(screen.GetTradeListOffset(), 5);
  EXPECT_EQ(screen.GetTradeIconState(), 1);
  Click(kBackArrow);
  Click(kBackArrow);
  EXPECT_EQ(screen.GetTradeListOffset(), 3);
  EXPECT_EQ(screen.GetTradeIconState(), 3);
  Click(Row(0));  // the fourth good of the market
  EXPECT_EQ(market[3]->IsMarked(), 1);
  EXPECT_EQ(screen.GetTradeSum(), 400);

  // Back out and open again: the mark and the sum are gone, the list starts at the top.
  RightClick();
  Click(Button(1));
  EXPECT_EQ(market[3]->IsMarked(), 0);
  EXPECT_EQ(screen.GetTradeSum(), 0);
  EXPECT_EQ(screen.GetTradeListOffset(), 0);
}

}  // namespace
}  // namespace menu_test
