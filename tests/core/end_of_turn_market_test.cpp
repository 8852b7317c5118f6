// The treasure market at the end of a turn, with scripted draws.
#include <gtest/gtest.h>

#include "tests/core/small_world.h"

namespace {

using namespace eot_test;
using namespace end_of_turn;
using DrawList = std::vector<std::pair<int, int>>;

TEST(EndOfTurnMarket, MarketFlagsOnlyWithAPlayerAndOnlyForUnlistedUnownedGoods) {
  SmallWorld w;
  w.AddNation(1, 1000, /*player=*/true);
  TradeGood& at_chance = w.AddGood(100, 0, 50);
  TradeGood& above_chance = w.AddGood(100, 0, 50);
  TradeGood& listed = w.AddGood(100, 0, 50);
  listed.SetOnMarket(1);
  TradeGood& owned = w.AddGood(100, 7, 100);
  w.goods.Add(9000, 11, 100, 0, 0, 1, 0, 0, 100, 1, /*category=*/3, 1);  // not a trade good: no draw
  Draws({{50}, {51}, {1}, {1}});
  SetMarketFlags(w.lists());
  ExpectScriptUsedUp();
  EXPECT_EQ(at_chance.IsOnMarket(), 1);
  EXPECT_EQ(above_chance.IsOnMarket(), 0);
  EXPECT_EQ(listed.IsOnMarket(), 0);  // taken off at each end of turn
  EXPECT_EQ(owned.IsOnMarket(), 0);

  // Spectating: the flags stay, but the prices still walk.
  SmallWorld spectate;
  spectate.AddNation(1);
  TradeGood& g = spectate.AddGood(100, 0, 100);
  g.SetOnMarket(1);
  rng::StartRecording();
  SetMarketFlags(spectate.lists());
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(g.IsOnMarket(), 1);
  rng::StartRecording();
  WalkPrices(spectate.lists());
  EXPECT_FALSE(Drawn().empty());
}

TEST(EndOfTurnMarket, ComputerNationsBuyForTheirKingWithoutPaying) {
  SmallWorld w;
  w.AddNation(1, 500);                 // buys the first good on a roll of 96
  w.AddNation(2, 100);                 // cannot afford its pick
  w.AddNation(3, 5000, /*player=*/true);  // never buys here
  w.AddNation(4, 5000);                // no king: nobody to hold the good
  w.AddNation(5, 5000);                // a roll of 95 is too low
  w.AddCharacter(11, 1, 0, 0, /*rank=*/0);
  w.AddCharacter(12, 2, 0, 0, 0);
  w.AddCharacter(13, 3, 0, 0, 0);
  w.AddCharacter(15, 5, 0, 0, 0);
  TradeGood& cheap = w.AddGood(500, 0);
  TradeGood& dear = w.AddGood(2000, 0);
  cheap.SetOnMarket(1);
  dear.SetOnMarket(1);
  Draws({{0, 0}, {96}, {0, 0}, {100}, {0, 0}, {100}, {0, 0}, {100}, {0, 0}, {95}});
  ComputerNationsBuy(w.lists());
  EXPECT_EQ(Drawn(), (DrawList{{2, 0}, {100, 1}, {1, 0}, {100, 1}, {1, 0}, {100, 1}, {1, 0}, {100, 1},
                               {1, 0}, {100, 1}}));
  ExpectScriptUsedUp();
  EXPECT_EQ(cheap.GetOwnerId(), 11);
  EXPECT_EQ(cheap.IsOnMarket(), 0);
  EXPECT_EQ(dear.GetOwnerId(), 0);
  EXPECT_EQ(dear.IsOnMarket(), 1);
  EXPECT_EQ(w.nations.GetAt(0)->GetFunds(), 500);
}

TEST(EndOfTurnMarket, ComputerNationsSellWhenPoorOrOnAHighRoll) {
  SmallWorld w;
  w.AddNation(1, 100);                    // salary bill 10: at most ten times it, sells on any roll
  w.AddNation(2, 5000);                   // rich: sells on 90
  w.AddNation(3, 5000);                   // rich: keeps on 89
  w.AddNation(4, 0, /*player=*/true);     // draws, never sells
  w.AddNation(5, 0);                      // no king: no draws
  for (std::int32_t n = 1; n <= 4; ++n) {
    Character& king = w.AddCharacter(10 + n, n, 0, 0, /*rank=*/0);
    king.stats.SetSalaryPerLevel(10);
  }
  std::vector<TradeGood*> held;
  for (std::int32_t n = 1; n <= 4; ++n) held.push_back(&w.AddGood(100, 10 + n));
  Draws({{0, 0}, {1}, {0, 0}, {90}, {0, 0}, {89}, {0, 0}, {100}});
  ComputerNationsSell(w.lists());
  EXPECT_EQ(Drawn(), (DrawList{{1, 0}, {100, 1}, {1, 0}, {100, 1}, {1, 0}, {100, 1}, {1, 0}, {100, 1}}));
  ExpectScriptUsedUp();
  EXPECT_EQ(held[0]->GetOwnerId(), 0);
  EXPECT_EQ(held[1]->GetOwnerId(), 0);
  EXPECT_EQ(held[2]->GetOwnerId(), 13);
  EXPECT_EQ(held[3]->GetOwnerId(), 14);
  EXPECT_EQ(w.nations.GetAt(0)->GetFunds(), 100);
}

TEST(EndOfTurnMarket, OffersForHeldGoods) {
  SmallWorld w;
  w.AddNation(1);
  w.AddNation(2);
  w.AddCharacter(21, 1, 0, 0, /*rank=*/0);
  w.AddCharacter(22, 2, 0, 0, /*rank=*/0);
  w.AddCharacter(23, 1, 0, 0, /*rank=*/4);
  w.AddCharacter(31, 16, 0, 0, /*rank=*/3);
  TradeGood& to_merchant = w.AddGood(1234, 23);
  TradeGood& to_lord = w.AddGood(1000, 23);
  TradeGood& merchants = w.AddGood(1000, kMerchantId);
  TradeGood& lords = w.AddGood(1000, 31);
  TradeGood& unowned = w.AddGood(1000, 0);
  lords.SetOfferBuyerId(22);
  lords.SetOfferPrice(777);
  Draws({{90}, {1}, {-7, -10},          // the merchant bids 1234 - 86
         {95}, {2}, {0, 0}, {10, -10},  // the only lord bids 1000 + 100
         {100}, {1, 0}, {0, -10},       // the king of the nation at index 1 bids the price
         {89}});                         // no offer; the old price stays
  MakePurchaseOffers(w.lists());
  EXPECT_EQ(Drawn(), (DrawList{{100, 1}, {2, 1}, {21, -10}, {100, 1}, {2, 1}, {1, 0}, {21, -10}, {100, 1},
                               {2, 0}, {21, -10}, {100, 1}}));
  ExpectScriptUsedUp();
  EXPECT_EQ(to_merchant.GetOfferBuyerId(), kMerchantId);
  EXPECT_EQ(to_merchant.GetOfferPrice(), 1148);
  EXPECT_EQ(to_lord.GetOfferBuyerId(), 31);
  EXPECT_EQ(to_lord.GetOfferPrice(), 1100);
  EXPECT_EQ(merchants.GetOfferBuyerId(), 22);
  EXPECT_EQ(merchants.GetOfferPrice(), 1000);
  EXPECT_EQ(lords.GetOfferBuyerId(), 0);
  EXPECT_EQ(lords.GetOfferPrice(), 777);
  EXPECT_EQ(unowned.GetOfferBuyerId(), 0);

  // Without a lord to bid nobody makes the offer, and nothing more is drawn.
  w.characters.RemoveAt(3);
  Draws({{90}, {2}, {89}, {89}, {89}});
  MakePurchaseOffers(w.lists());
  EXPECT_EQ(Drawn().size(), 5u);
  ExpectScriptUsedUp();
  EXPECT_EQ(to_merchant.GetOfferBuyerId(), 0);
}

}  // namespace
