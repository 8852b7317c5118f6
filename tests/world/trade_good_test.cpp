// Trade goods: the 308-byte record, what a load brings back, the price walk under scripted draws
// (trend table, bands, truncation, saturation), the re-issue and the list's queries.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/world/record_bytes.h"
#include "world/names.h"
#include "world/random.h"
#include "world/trade_good.h"

namespace {

constexpr NameRef kSilverBar = names::Of("銀の延べ棒");
constexpr NameRef kGoldBar = names::Of("金の延べ棒");
constexpr NameRef kChest = names::Of("千両箱");

// A good in a given class and trend at a price; grade 3.
TradeGood Good(std::int32_t price, std::int32_t price_class, std::int32_t trend, std::int32_t grade = 3) {
  TradeGood g(kGoldBar, 13, price, 0, 0, grade, 0, 0, 50, grade, kTradeGoodCategory, price_class);
  g.SetTrend(trend);
  return g;
}

std::int32_t TrendOf(TradeGood& g) {
  g.PackSaveImage();
  return I32At(g.SaveImageBytes(), 184);
}

std::int32_t ClassOf(TradeGood& g) {
  g.PackSaveImage();
  return I32At(g.SaveImageBytes(), 236);
}

// Raw generator values that make Random(n, 1) give `v`.
int Raw(int v) { return v - 1; }

class TradeGoodFiles : public ::testing::Test {
 protected:
  DataFolder folder_;
};

}  // namespace

TEST(TradeGoodImage, EveryFieldAtItsOffsetAndTheItemPartZero) {
  TradeGood g(kChest, 15, 30001, 30002, 30003, 4, 7, 77, 51, 5, kTradeGoodCategory, 3);
  g.SetPriceChange(-9);
  g.SetTrend(2);
  g.SetOfferBuyerId(kMerchantId);
  g.SetOfferPrice(31000);
  g.SetOnMarket(1);
  g.SetMarked(1);
  g.PackSaveImage();
  const std::uint8_t* p = g.SaveImageBytes();
  EXPECT_EQ(I32At(p, 0), kChest);
  EXPECT_EQ(I32At(p, 4), 15);
  EXPECT_EQ(I32At(p, 160), 30001);
  EXPECT_EQ(I32At(p, 164), 30002);
  EXPECT_EQ(I32At(p, 168), 30003);
  EXPECT_EQ(I32At(p, 172), 4);
  EXPECT_EQ(I32At(p, 176), -9);
  EXPECT_EQ(I32At(p, 180), 7);
  EXPECT_EQ(I32At(p, 184), 2);
  EXPECT_EQ(I32At(p, 188), 77);
  EXPECT_EQ(I32At(p, 192), kMerchantId);
  EXPECT_EQ(I32At(p, 196), 31000);
  EXPECT_EQ(p[200], 1);
  EXPECT_EQ(p[201], 1);
  EXPECT_EQ(I32At(p, 204), 51);
  EXPECT_EQ(I32At(p, 208), 5);
  EXPECT_EQ(I32At(p, 224), kTradeGoodCategory);
  EXPECT_EQ(I32At(p, 236), 3);
  // The general item part, the never-set word at 124, the padding at 202, the reserved word at
  // 240 and the two empty name references (the empty name is reference 0) are all zero.
  ExpectZeroOutside(p, TradeGood::kImageSize,
                    {0, 4, 160, 164, 168, 172, 176, 180, 184, 188, 192, 196, 204, 208, 224, 236}, {200, 201});
}

TEST_F(TradeGoodFiles, SavedFieldsComeBackAndTheTurnStateStartsAfresh) {
  TradeGoodList list;
  list.Add(kChest, 15, 30001, 30002, 30003, 4, 7, 77, 51, 5, kTradeGoodCategory, 3);
  list.Add(kSilverBar, 11, 10000, 0, 0, 2, 0, 0, 50, 2, kTradeGoodCategory, 1);
  TradeGood* g = list.GetAt(0);
  g->SetPriceChange(-9);
  g->SetTrend(4);
  g->SetOfferBuyerId(kMerchantId);
  g->SetOfferPrice(31000);
  g->SetOnMarket(1);
  g->SetMarked(1);
  list.GetAt(1)->SetOnMarket(1);
  list.PackAll();
  ASSERT_TRUE(list.Save("datafile1it.dat"));

  auto bytes = DataFolder::Read("datafile1it.dat");
  ASSERT_EQ(bytes.size(), 4u + 2 * TradeGood::kImageSize);
  EXPECT_EQ(I32At(bytes, 0), 2);
  EXPECT_EQ(I32At(bytes, 4 + 160), 30001);
  EXPECT_EQ(I32At(bytes, 4 + 308 + 4), 11);

  TradeGoodList loaded;
  ASSERT_TRUE(loaded.Load("datafile1it.dat"));
  ASSERT_EQ(loaded.Count(), 2);
  TradeGood* a = loaded.GetAt(0);
  EXPECT_EQ(a->GetName(), kChest);
  EXPECT_EQ(a->GetPrice(), 30001);
  EXPECT_EQ(a->GetPriceA(), 30002);
  EXPECT_EQ(a->GetPriceB(), 30003);
  EXPECT_EQ(a->GetGrade(), 4);
  EXPECT_EQ(a->GetSubcategory(), 7);
  EXPECT_EQ(a->GetOwnerId(), 77);
  EXPECT_EQ(a->GetMarketChance(), 51);
  EXPECT_EQ(a->GetCategory(), kTradeGoodCategory);
  EXPECT_EQ(ClassOf(*a), 3);
  EXPECT_EQ(I32At(a->SaveImageBytes(), 4), 15);   // id
  EXPECT_EQ(I32At(a->SaveImageBytes(), 208), 5);  // level
  // Reset by a load: trend 1, no change, no offer, off the market, unmarked.
  EXPECT_EQ(TrendOf(*a), 1);
  EXPECT_EQ(a->GetPriceChange(), 0);
  EXPECT_EQ(a->GetOfferBuyerId(), 0);
  EXPECT_EQ(a->GetOfferPrice(), 0);
  EXPECT_EQ(a->IsOnMarket(), 0);
  EXPECT_EQ(a->IsMarked(), 0);
  EXPECT_EQ(loaded.GetAt(1)->GetName(), kSilverBar);
  EXPECT_EQ(loaded.CountByOwnerAndMarket(0, 1), 0);  // the buy list is empty until the market settles
}

TEST(TradeGoodWalk, ClassTwoSteadyBandOneRisesByTwoHundred) {
  TradeGood g = Good(10000, 2, 1);
  rng::Script({Raw(50), Raw(1), Raw(20), Raw(2)});
  rng::StartRecording();
  g.UpdatePrice();
  auto draws = rng::StopRecording();
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[0].n, 100);   // trend
  EXPECT_EQ(draws[1].n, 1000);  // band
  EXPECT_EQ(draws[2].n, 20);    // move within the band's maximum
  EXPECT_EQ(draws[3].n, 50);    // class change
  for (auto& d : draws) EXPECT_EQ(d.base, 1);
  EXPECT_EQ(TrendOf(g), 1);
  EXPECT_EQ(g.GetPrice(), 10200);
  EXPECT_EQ(g.GetPriceChange(), 200);
  EXPECT_EQ(g.GetPriceB(), 10200);
  EXPECT_EQ(ClassOf(g), 2);
}

TEST(TradeGoodWalk, ClassFourCollapseToMinusFiveThousandThenReissue) {
  TradeGood g = Good(10000, 4, 3, /*grade=*/4);
  g.SetOwnerId(42);
  g.SetPurchasePrice(9000);
  g.SetSubcategory(3);
  g.SetOnMarket(1);
  g.SetMarked(1);
  g.SetOfferBuyerId(kMerchantId);
  g.SetOfferPrice(12000);
  rng::Script({Raw(50), Raw(1000), Raw(1500), Raw(2)});
  g.UpdatePrice();
  EXPECT_EQ(TrendOf(g), 3);
  EXPECT_EQ(g.GetPrice(), -5000);
  EXPECT_EQ(g.GetPriceChange(), 15000);  // the size of the fall
  EXPECT_EQ(g.GetPriceB(), -5000);

  rng::Script({32767});
  rng::StartRecording();
  g.ReissueIfWorthless();
  auto draws = rng::StopRecording();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].n, 50000);
  EXPECT_EQ(draws[0].base, 100000);
  EXPECT_EQ(g.GetPrice(), 132767);  // the highest a re-issue of grade 4 reaches
  EXPECT_EQ(g.GetOwnerId(), 0);
  EXPECT_EQ(g.GetPriceA(), 0);
  EXPECT_EQ(g.GetPriceB(), 0);
  EXPECT_EQ(g.GetSubcategory(), 0);
  EXPECT_EQ(g.IsOnMarket(), 0);
  // Kept: the change, the offer, the mark, the trend and the class.
  EXPECT_EQ(g.GetPriceChange(), 15000);
  EXPECT_EQ(g.GetOfferBuyerId(), kMerchantId);
  EXPECT_EQ(g.GetOfferPrice(), 12000);
  EXPECT_EQ(g.IsMarked(), 1);
  EXPECT_EQ(TrendOf(g), 3);
  EXPECT_EQ(ClassOf(g), 4);
}

TEST(TradeGoodWalk, ReissueBandsByGradeAndOnlyBelowOne) {
  struct Case {
    std::int32_t grade, raw, price;
  };
  for (Case c : {Case{1, 0, 1000}, Case{1, 2999, 3999}, Case{1, 3000, 1000}, Case{2, 0, 10000},
                 Case{2, 9999, 19999}, Case{3, 9999, 59999}, Case{4, 0, 100000}, Case{5, 0, 300000},
                 Case{5, 32767, 332767}}) {
    TradeGood g = Good(0, 1, 1, c.grade);
    rng::Script({c.raw});
    g.ReissueIfWorthless();
    EXPECT_EQ(g.GetPrice(), c.price) << c.grade << " " << c.raw;
  }
  TradeGood worth_one = Good(1, 1, 1);
  worth_one.SetOwnerId(5);
  rng::StartRecording();
  worth_one.ReissueIfWorthless();
  EXPECT_TRUE(rng::StopRecording().empty());
  EXPECT_EQ(worth_one.GetPrice(), 1);
  EXPECT_EQ(worth_one.GetOwnerId(), 5);
}

TEST(TradeGoodWalk, TrendTableAtEveryBoundary) {
  // For each current trend: the first and last r of each new trend's range, in the table's
  // column order soaring, rising, steady, falling, collapsing.
  struct Range {
    int from, to, trend;
  };
  const std::vector<std::vector<Range>> table = {
      {{1, 4, 4}, {5, 15, 2}, {16, 85, 1}, {86, 96, 3}, {97, 100, 5}},
      {{1, 2, 4}, {3, 65, 2}, {66, 96, 1}, {97, 98, 3}, {99, 100, 5}},
      {{1, 2, 4}, {3, 4, 2}, {5, 35, 1}, {36, 98, 3}, {99, 100, 5}},
      {{1, 80, 4}, {81, 92, 2}, {93, 96, 1}, {97, 98, 3}, {99, 100, 5}},
      {{1, 2, 4}, {3, 4, 2}, {5, 8, 1}, {9, 20, 3}, {21, 100, 5}},
  };
  for (int current = 1; current <= 5; ++current) {
    for (const Range& range : table[current - 1]) {
      for (int r : {range.from, range.to}) {
        TradeGood g = Good(10000, 1, current);
        rng::Script({Raw(r), Raw(1), Raw(1), Raw(2)});
        g.UpdatePrice();
        EXPECT_EQ(TrendOf(g), range.trend) << "trend " << current << " r " << r;
      }
    }
  }
}

TEST(TradeGoodWalk, TheNewTrendPicksTheBandRow) {
  // Class 3: a rising trend moves the price up in every band, a falling one down. From trend 1,
  // r = 10 turns rising and r = 90 falling; band 401..800 holds +50 and -50 there.
  TradeGood up = Good(10000, 3, 1);
  rng::Script({Raw(10), Raw(500), Raw(50), Raw(2)});
  up.UpdatePrice();
  EXPECT_EQ(up.GetPrice(), 10500);
  TradeGood down = Good(10000, 3, 1);
  rng::Script({Raw(90), Raw(500), Raw(50), Raw(2)});
  down.UpdatePrice();
  EXPECT_EQ(down.GetPrice(), 9500);
  EXPECT_EQ(down.GetPriceChange(), 500);
}

TEST(TradeGoodWalk, ClassOneSignsItsChangeTheOthersStoreTheSize) {
  // Steady trend (r = 50). A fall of 30 per mille in class 1 (b = 500), of 10 in class 2
  // (b = 750).
  TradeGood one = Good(10000, 1, 1);
  rng::Script({Raw(50), Raw(500), Raw(30), Raw(2)});
  one.UpdatePrice();
  EXPECT_EQ(one.GetPriceChange(), -300);
  EXPECT_EQ(one.GetPrice(), 9700);

  TradeGood two = Good(10000, 2, 1);
  rng::Script({Raw(50), Raw(750), Raw(10), Raw(2)});
  two.UpdatePrice();
  EXPECT_EQ(two.GetPriceChange(), 100);
  EXPECT_EQ(two.GetPrice(), 9900);

  // Band edges of class 1, steady: 893 rises by up to 100, 894 falls; 996 rises by up to 1000,
  // 997 falls.
  for (auto [b, m] : std::vector<std::pair<int, int>>{{893, 100}, {894, -100}, {996, 1000}, {997, -1000}}) {
    TradeGood g = Good(10000, 1, 1);
    rng::StartRecording();
    rng::Script({Raw(50), Raw(b), 0, Raw(2)});
    g.UpdatePrice();
    auto draws = rng::StopRecording();
    EXPECT_EQ(draws[2].n, m < 0 ? -m : m) << b;
    EXPECT_EQ(g.GetPriceChange(), m < 0 ? -10 : 10) << b;  // r = 1 moves 1 per mille
  }
}

TEST(TradeGoodWalk, TruncatesSinglePrecisionTowardZero) {
  // 333 * 7 / 1000 = 2.331: 2 up in class 1, -2 down. A price of 16777217 is 16777216 as a
  // single-precision operand, so a rise of the whole price (class 2, rising, b = 1000) adds
  // 16777216.
  TradeGood up = Good(333, 1, 1);
  rng::Script({Raw(50), Raw(1), Raw(7), Raw(2)});
  up.UpdatePrice();
  EXPECT_EQ(up.GetPriceChange(), 2);
  TradeGood down = Good(333, 1, 1);
  rng::Script({Raw(50), Raw(401), Raw(7), Raw(2)});
  down.UpdatePrice();
  EXPECT_EQ(down.GetPriceChange(), -2);
  EXPECT_EQ(down.GetPrice(), 331);
  TradeGood coarse = Good(16777217, 2, 2);
  rng::Script({Raw(50), Raw(1000), Raw(1000), Raw(2)});
  coarse.UpdatePrice();
  EXPECT_EQ(coarse.GetPriceChange(), 16777216);
  EXPECT_EQ(coarse.GetPrice(), 33554433);
}

TEST(TradeGoodWalk, HugePricesSaturateInsteadOfWrapping) {
  // Soaring class 4, b = 1000: up to 3000 per mille.
  TradeGood high = Good(2000000000, 4, 4);
  rng::Script({Raw(1), Raw(1000), Raw(3000), Raw(2)});
  high.UpdatePrice();
  EXPECT_EQ(high.GetPriceChange(), INT_MAX);
  EXPECT_EQ(high.GetPrice(), INT_MAX);
  EXPECT_EQ(high.GetPriceB(), INT_MAX);

  // Class 1 collapsing from the top: the change is the whole price, the good is worth nothing.
  TradeGood top = Good(INT_MAX, 1, 5);
  rng::Script({Raw(50), Raw(1000), Raw(1000), Raw(2)});
  top.UpdatePrice();
  EXPECT_LE(top.GetPrice(), 0);

  // A negative price (only a file or a caller could give one) rising in class 2 stops at the
  // bottom of the range.
  TradeGood low = Good(INT_MIN + 5, 2, 2);
  rng::Script({Raw(50), Raw(1000), Raw(1000), Raw(2)});
  low.UpdatePrice();
  EXPECT_EQ(low.GetPrice(), INT_MIN);
}

TEST(TradeGoodWalk, ClassIsRedrawnOnOneInFiftyAndStaysInRange) {
  TradeGood g = Good(10000, 2, 1);
  rng::Script({Raw(50), Raw(1), Raw(1), Raw(1), Raw(4)});
  g.UpdatePrice();
  EXPECT_EQ(ClassOf(g), 4);

  rng::Srand(2024);
  int changes = 0;
  std::int32_t last = 4;
  for (int turn = 0; turn < 20000; ++turn) {
    g.SetPrice(10000);
    g.UpdatePrice();
    std::int32_t cls = ClassOf(g);
    ASSERT_GE(cls, 1);
    ASSERT_LE(cls, 4);
    if (cls != last) ++changes;
    last = cls;
  }
  // A redraw every 50 turns keeps the class three times in four: about 300 changes.
  EXPECT_GT(changes, 200);
  EXPECT_LT(changes, 420);
}

TEST(TradeGoodListQueries, CountsAndNthAgreeAndEndPastTheLastMatch) {
  TradeGoodList list;
  for (int copy = 0; copy < 9; ++copy) {
    list.Add(kSilverBar, 11, 10000, 0, 0, 2, 0, 0, 50, 2, kTradeGoodCategory, 1);
    list.Add(kChest, 15, 30000, 0, 0, 3, 0, 0, 50, 3, kTradeGoodCategory, 1);
  }
  list.Add(kGoldBar, 13, 500, 0, 0, 1, 0, 0, 50, 1, 3, 1);  // another category
  rng::Srand(7);
  for (int i = 0; i < list.Count(); ++i) {
    TradeGood* g = list.GetAt(i);
    g->SetOwnerId(rng::Random(3, 0) * 10);  // 0, 10 or 20
    g->SetOnMarket(static_cast<std::uint8_t>(rng::Random(2, 0)));
    g->SetOfferBuyerId(rng::Random(3, 0) == 0 ? kMerchantId : 0);
  }
  auto check = [&](auto match, std::int32_t count, auto nth) {
    std::vector<TradeGood*> expected;
    for (TradeGood& g : list)
      if (match(g)) expected.push_back(&g);
    ASSERT_EQ(count, static_cast<std::int32_t>(expected.size()));
    for (std::int32_t n = 0; n < count; ++n) EXPECT_EQ(nth(n), expected[n]);
    EXPECT_EQ(nth(count), nullptr);
    EXPECT_EQ(nth(-1), nullptr);
  };
  check([](TradeGood& g) { return g.GetCategory() == kTradeGoodCategory; }, list.CountOfCategory(12),
        [&](int n) { return list.GetNthOfCategory(12, n); });
  for (std::int32_t owner : {0, 10, 20}) {
    for (std::uint8_t market : {0, 1}) {
      check([&](TradeGood& g) { return g.GetOwnerId() == owner && g.IsOnMarket() == market; },
            list.CountByOwnerAndMarket(owner, market),
            [&](int n) { return list.GetNthByOwnerAndMarket(owner, market, n); });
    }
    check([&](TradeGood& g) { return g.GetOwnerId() == owner && g.GetOfferBuyerId() != 0; },
          list.CountOwnedWithOffer(owner), [&](int n) { return list.GetNthOwnedWithOffer(owner, n); });
  }
  check([](TradeGood& g) { return g.GetOwnerId() > 0; }, list.CountOwned(),
        [&](int n) { return list.GetNthOwned(n); });
  check([](TradeGood& g) { return g.GetOfferBuyerId() == kMerchantId && g.GetOwnerId() != 0; },
        list.CountOffersBy(kMerchantId), [&](int n) { return list.GetNthOfferBy(kMerchantId, n); });
}
