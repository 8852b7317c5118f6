// Cities: the 76-byte record, the city file, the near and owner queries against a brute-force
// filter, the mini-map dot and the income sums.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "tests/world/data_folder.h"
#include "world/city.h"
#include "world/codec.h"
#include "world/names.h"

namespace {

const NameRef kSomeName = names::Of("民間兵R");

City DistinctCity() {
  // Every field its own value, so a field written to the wrong place shows.
  City c(kSomeName, 2, 3000, 4, 5, 6, 7, 9, 10, 11, 14, 15, 16, 17, 18);
  c.SetDefenceStrength(13);
  c.MarkHiredThisTurn();
  c.SetRiot();
  return c;
}

}  // namespace

TEST(CityRecord, EveryFieldAtItsOffset) {
  City c = DistinctCity();
  c.PackSaveImage();
  const std::uint8_t* img = c.SaveImageBytes();
  const std::int32_t words[] = {kSomeName, 2, 3000, 4, 5, 6, 7, 0, 9, 10, 11, 0, 13, 14, 15, 16, 17, 18};
  for (std::size_t i = 0; i < 18; ++i) EXPECT_EQ(codec::GetI32(img, 4 * i), words[i]) << "word " << i;
  EXPECT_EQ(img[72], 1);
  EXPECT_EQ(img[73], 1);
  EXPECT_EQ(img[74], 0);
  EXPECT_EQ(img[75], 0);
}

TEST(CityRecord, ImageRestoresEveryFieldIncludingSpares) {
  std::uint8_t img[City::kImageSize] = {};
  for (int i = 0; i < 18; ++i) codec::PutI32(img, 4 * i, 100 + i);
  codec::PutI32(img, 0, kSomeName);
  img[72] = 1;
  img[73] = 0;
  CityList list;
  ASSERT_TRUE(list.AddFromImage(img));
  City& c = *list.GetAt(0);
  EXPECT_EQ(c.GetName(), kSomeName);
  EXPECT_EQ(c.GetSpare1(), 107);
  EXPECT_EQ(c.GetSpare2(), 111);
  EXPECT_EQ(c.GetOwner(), 117);
  EXPECT_EQ(c.HasHiredThisTurn(), 1);
  EXPECT_EQ(c.HasRiot(), 0);
  c.PackSaveImage();
  for (int i = 0; i < 76; ++i) EXPECT_EQ(c.SaveImageBytes()[i], img[i]) << "byte " << i;

  codec::PutI32(img, 0, names::kCount);  // a name this build does not have
  EXPECT_FALSE(list.AddFromImage(img));
  EXPECT_EQ(list.Count(), 1);
}

TEST(CityRecord, CopyFromTakesEveryLiveFieldButNotTheImage) {
  City src = DistinctCity();
  City dst;
  dst.PackSaveImage();
  dst.CopyFrom(src);
  EXPECT_EQ(dst.SaveImageBytes()[0], 0);  // the copy's image is still the stale one
  dst.PackSaveImage();
  src.PackSaveImage();
  for (std::size_t i = 0; i < City::kImageSize; ++i) EXPECT_EQ(dst.SaveImageBytes()[i], src.SaveImageBytes()[i]);
}

TEST(CityFile, RoundTripKeepsOrderFlagsAndSpares) {
  DataFolder folder;
  CityList list;
  list.Add(kSomeName, 1, 8000, 0, 40, 50, 60, 0, 0, 50, 100, 200, 10, 20, 3);
  std::uint8_t img[City::kImageSize] = {};
  codec::PutI32(img, 4, 2);
  codec::PutI32(img, 28, -5);  // spare 1
  codec::PutI32(img, 44, 77);  // spare 2
  img[73] = 1;
  list.AddFromImage(img);
  list.GetAt(0)->MarkHiredThisTurn();
  list.PackAll();
  ASSERT_TRUE(list.Save("datafile1b.dat"));
  EXPECT_EQ(folder.Read("datafile1b.dat").size(), 4u + 2 * 76u);

  CityList back;
  ASSERT_TRUE(back.Load("datafile1b.dat"));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetAt(0)->GetId(), 1);
  EXPECT_EQ(back.GetAt(0)->HasHiredThisTurn(), 1);
  EXPECT_EQ(back.GetAt(1)->GetSpare1(), -5);
  EXPECT_EQ(back.GetAt(1)->GetSpare2(), 77);
  EXPECT_EQ(back.GetAt(1)->HasRiot(), 1);
}

TEST(CityNear, OpenSquareCentreExcludedOwnership) {
  CityList list;
  list.Add(kSomeName, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1000, 1000, 0, 0, 1);  // the centre itself
  list.Add(kSomeName, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1000, 900, 0, 0, 1);   // same x, above
  list.Add(kSomeName, 3, 0, 0, 0, 0, 0, 0, 0, 0, 1500, 1000, 0, 0, 1);  // exactly 500 right
  list.Add(kSomeName, 4, 0, 0, 0, 0, 0, 0, 0, 0, 1499, 1499, 0, 0, 100);
  list.Add(kSomeName, 5, 0, 0, 0, 0, 0, 0, 0, 0, 501, 1000, 0, 0, 2);
  EXPECT_EQ(list.CountNearby(1000, 1000, 1, 1, 500), 1);
  EXPECT_EQ(list.GetNthNearby(1000, 1000, 1, 1, 0, 500)->GetId(), 2);
  EXPECT_EQ(list.GetNthNearby(1000, 1000, 1, 1, 1, 500), nullptr);
  // Flag 0: every city the nation does not own, ownerless included.
  EXPECT_EQ(list.CountNearby(1000, 1000, 1, 0, 500), 2);
  EXPECT_EQ(list.GetNthNearby(1000, 1000, 1, 0, 0, 500)->GetId(), 4);
  EXPECT_EQ(list.GetNthNearby(1000, 1000, 1, 0, 1, 500)->GetId(), 5);
  // The ownerless city counts with flag 0 for every nation, never with flag 1.
  for (int nation = 1; nation <= 7; ++nation) {
    int owned = nation == 1 ? 3 : (nation == 2 ? 1 : 0);
    EXPECT_EQ(list.CountNearby(1, 1, nation, 1, 2000), owned);
    EXPECT_EQ(list.CountNearby(1, 1, nation, 0, 2000), 5 - owned);
  }
  EXPECT_EQ(list.CountNearby(1, 1, 100, 1, 2000), 1);
  // The centre excluded only at its exact point: at another centre it counts.
  EXPECT_EQ(list.CountNearby(1000, 999, 1, 1, 500), 2);
}

TEST(CityQueries, CountsAgreeWithNthAndBruteForceOnRandomMaps) {
  std::mt19937 gen(4);
  for (int round = 0; round < 40; ++round) {
    CityList list;
    std::uniform_int_distribution<int> coord(0, 12), owner(0, 4), small(0, 6);
    int n = std::uniform_int_distribution<int>(0, 30)(gen);
    for (int i = 0; i < n; ++i) {
      int o = owner(gen);
      list.Add(kSomeName, i + 1, 0, 0, 0, 0, 0, 0, 0, small(gen), coord(gen) * 100, coord(gen) * 100, 0, 0,
               o == 0 ? 100 : o);
      list.GetAt(i)->SetDefenceStrength(small(gen));
      if (small(gen) < 2) list.GetAt(i)->SetRiot();
    }
    const int cx = coord(gen) * 100, cy = coord(gen) * 100, nation = owner(gen);
    auto check = [&](auto count, auto nth, auto pred) {
      std::vector<City*> expect;
      for (int i = 0; i < list.Count(); ++i)
        if (pred(*list.GetAt(i))) expect.push_back(list.GetAt(i));
      ASSERT_EQ(count(), static_cast<std::int32_t>(expect.size()));
      for (std::size_t k = 0; k < expect.size(); ++k) EXPECT_EQ(nth(static_cast<std::int32_t>(k)), expect[k]);
      EXPECT_EQ(nth(static_cast<std::int32_t>(expect.size())), nullptr);
    };
    Point p;
    for (std::uint8_t flag : {0, 1}) {
      check([&] { return list.CountNearby(cx, cy, nation, flag, 500); },
            [&](int k) { return list.GetNthNearby(cx, cy, nation, flag, k, 500); },
            [&](const City& c) {
              c.GetPosition(p);
              bool in = std::abs(p.x - cx) < 500 && std::abs(p.y - cy) < 500 && !(p.x == cx && p.y == cy);
              return in && (c.GetOwner() == nation) == (flag == 1);
            });
    }
    check([&] { return list.CountOfNation(nation); }, [&](int k) { return list.GetNthOfNation(nation, k); },
          [&](const City& c) { return c.GetOwner() == nation; });
    check([&] { return list.CountOfNationExcludingPosition(nation, cx, cy); },
          [&](int k) { return list.GetNthOfNationExcludingPosition(nation, cx, cy, k); },
          [&](const City& c) { return c.GetOwner() == nation && !(c.GetPosition(p) == Point{cx, cy}); });
    check([&] { return list.CountWithRiot(); }, [&](int k) { return list.GetNthWithRiot(k); },
          [&](const City& c) { return c.HasRiot() == 1; });
    check([&] { return list.CountOfNationWithSentimentAtMost(nation, 3); },
          [&](int k) { return list.GetNthOfNationWithSentimentAtMost(nation, 3, k); },
          [&](const City& c) { return c.GetOwner() == nation && c.GetSentiment() <= 3; });
    check([&] { return list.CountOfNationWithDefenceStrengthAtMost(nation, 5, 2); },
          [&](int k) { return list.GetNthOfNationWithDefenceStrengthAtMost(nation, 5, 2, k); },
          [&](const City& c) { return c.GetOwner() == nation && c.GetDefenceStrength() + 2 <= 5; });
  }
}

TEST(CityMinimap, SixBySixDotBoundsInclusive) {
  CityList list;
  list.Add(kSomeName, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30, 40, 1);
  list.Add(kSomeName, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 33, 40, 1);  // overlaps the first dot
  EXPECT_EQ(list.FindAtMinimapPoint(670, 440)->GetId(), 1);
  EXPECT_EQ(list.FindAtMinimapPoint(675, 435)->GetId(), 1);
  EXPECT_EQ(list.FindAtMinimapPoint(676, 440)->GetId(), 2);
  EXPECT_EQ(list.FindAtMinimapPoint(678, 435)->GetId(), 2);
  EXPECT_FALSE(list.HasCityAtMinimapPoint(679, 440));
  EXPECT_FALSE(list.HasCityAtMinimapPoint(669, 440));
  EXPECT_FALSE(list.HasCityAtMinimapPoint(670, 441));
  EXPECT_FALSE(list.HasCityAtMinimapPoint(670, 434));
  EXPECT_TRUE(list.HasCityAtMinimapPoint(673, 437));
}

TEST(CityIncome, TermsTruncatedAndSumsSaturated) {
  CityList list;
  list.Add(kSomeName, 1, 8000, 0, 40, 1, 2, 0, 0, 0, 0, 0, 0, 0, 1);
  EXPECT_EQ(list.AgricultureIncomeOfNation(1), 1066);
  list.Add(kSomeName, 2, 299, 0, 1, 1, 2, 0, 0, 0, 0, 0, 0, 0, 1);   // 299 / 300 is 0 on its own
  list.Add(kSomeName, 3, 299, 0, 1, 1, 2, 0, 0, 0, 0, 0, 0, 0, 1);
  list.Add(kSomeName, 4, 999999, 0, 1000, 1000, 1000, 0, 0, 0, 0, 0, 0, 0, 2);
  EXPECT_EQ(list.AgricultureIncomeOfNation(1), 1066);
  EXPECT_EQ(list.CommerceIncomeOfNation(1), 26);   // 8000 / 300 + 0 + 0
  EXPECT_EQ(list.IndustryIncomeOfNation(1), 53 + 1 + 1);
  EXPECT_EQ(list.IndustryIncomeOfNation(2), 3333330);
  EXPECT_EQ(list.IndustryIncomeOfNation(5), 0);
  // A doctored file's values: the product and the sum no longer wrap.
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  list.Add(kSomeName, 5, big, 0, big, -big, 0, 0, 0, 0, 0, 0, 0, 0, 3);
  list.Add(kSomeName, 6, big, 0, big, -big, 0, 0, 0, 0, 0, 0, 0, 0, 3);
  EXPECT_EQ(list.AgricultureIncomeOfNation(3), big);
  EXPECT_EQ(list.CommerceIncomeOfNation(3), std::numeric_limits<std::int32_t>::min());
}
