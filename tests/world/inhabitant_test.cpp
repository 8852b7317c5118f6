// Inhabitants: the random construction's draws and ranges, the 56-byte record and the queries.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/world/record_bytes.h"
#include "world/inhabitant.h"
#include "world/random.h"

namespace {

std::int32_t WeightSum(const Inhabitant& u) {
  return u.GetAgricultureLeaderWeight() + u.GetCommerceLeaderWeight() + u.GetIndustryLeaderWeight() +
         u.GetTechnologyLeaderWeight() + u.GetFameLeaderWeight() + u.GetHomeOwnerWeight();
}

}  // namespace

TEST(InhabitantGeneration, DrawOrderUnderAScriptedSequence) {
  std::vector<int> script = {2, 60, 10, 50, 24};  // allegiance 3, occupation 4, city 11, group 2, favourite 25
  for (int kind = 0; kind < 5; ++kind) script.push_back(kind);  // the lumps of 10: kinds 1 to 5
  for (int i = 0; i < 50; ++i) script.push_back(5);              // every single point to kind 6
  script.push_back(9);                                           // allegiance change chance 10
  script.push_back(4);                                           // favourite change chance 5
  rng::Script(script);
  rng::StartRecording();
  Inhabitant u(17, 0, 0, 0, 0, 0, 0, 0);
  auto draws = rng::StopRecording();
  EXPECT_TRUE(rng::ScriptExhausted());

  std::vector<std::pair<int, int>> expected = {{7, 1}, {64, 1}, {23, 1}, {100, 1}, {25, 1}};
  for (int i = 0; i < 55; ++i) expected.push_back({6, 1});
  expected.push_back({10, 1});
  expected.push_back({5, 1});
  ASSERT_EQ(draws.size(), expected.size());
  for (std::size_t i = 0; i < draws.size(); ++i) {
    EXPECT_EQ(draws[i].n, expected[i].first) << i;
    EXPECT_EQ(draws[i].base, expected[i].second) << i;
  }
  EXPECT_EQ(u.GetAllegiance(), 3);
  EXPECT_EQ(u.GetOccupation(), 4);
  EXPECT_EQ(u.GetHomeCityId(), 11);
  EXPECT_EQ(u.GetFavouriteCharacterId(), 25);
  // Kind 1 is fame, 2 agriculture, 3 commerce, 4 industry, 5 technology, 6 home owner.
  EXPECT_EQ(u.GetFameLeaderWeight(), 10);
  EXPECT_EQ(u.GetAgricultureLeaderWeight(), 10);
  EXPECT_EQ(u.GetCommerceLeaderWeight(), 10);
  EXPECT_EQ(u.GetIndustryLeaderWeight(), 10);
  EXPECT_EQ(u.GetTechnologyLeaderWeight(), 10);
  EXPECT_EQ(u.GetHomeOwnerWeight(), 50);
  EXPECT_EQ(u.GetAllegianceChangeChance(), 10);
  EXPECT_EQ(u.GetFavouriteChangeChance(), 5);
  u.PackSaveImage();
  EXPECT_EQ(I32At(u.SaveImageBytes(), 0), 17);
  EXPECT_EQ(I32At(u.SaveImageBytes(), 16), 2);  // group
}

TEST(InhabitantGeneration, OccupationAndGroupRollsAtTheirBoundaries) {
  for (auto [r, occupation] : std::vector<std::pair<int, int>>{
           {1, 1}, {20, 1}, {21, 2}, {40, 2}, {41, 3}, {60, 3}, {61, 4}, {62, 5}, {63, 6}, {64, 7}}) {
    rng::Script({r - 1});
    Inhabitant u(1, 1, 0, 1, 1, 1, 1, 1);
    rng::ClearScript();
    EXPECT_EQ(u.GetOccupation(), occupation) << r;
  }
  for (auto [r, group] : std::vector<std::pair<int, int>>{{50, 1}, {51, 2}, {1, 1}, {100, 2}}) {
    rng::Script({r - 1});
    Inhabitant u(1, 1, 1, 1, 0, 1, 1, 1);
    rng::ClearScript();
    u.PackSaveImage();
    EXPECT_EQ(I32At(u.SaveImageBytes(), 16), group) << r;
  }
}

TEST(InhabitantGeneration, GivenValuesAreKeptButTheWeightsAreAlwaysDrawn) {
  rng::Srand(99);
  rng::StartRecording();
  Inhabitant u(5, 6, 2, 9, 1, 12, 3, 4);
  auto draws = rng::StopRecording();
  ASSERT_EQ(draws.size(), 55u);
  for (auto& d : draws) EXPECT_EQ(d.n, 6);
  EXPECT_EQ(u.GetAllegiance(), 6);
  EXPECT_EQ(u.GetOccupation(), 2);
  EXPECT_EQ(u.GetHomeCityId(), 9);
  EXPECT_EQ(u.GetFavouriteCharacterId(), 12);
  EXPECT_EQ(u.GetAllegianceChangeChance(), 3);
  EXPECT_EQ(u.GetFavouriteChangeChance(), 4);
  EXPECT_EQ(WeightSum(u), 100);
}

TEST(InhabitantGeneration, GeneratedValuesInRangeAndOccupationShares) {
  rng::Srand(4242);
  InhabitantList list;
  const int kUnits = 20000;
  for (int id = 1; id <= kUnits; ++id) ASSERT_TRUE(list.Generate(id, 0, 0, 0, 0, 0, 0, 0));
  std::vector<int> occupations(8, 0);
  for (Inhabitant& u : list) {
    ASSERT_GE(u.GetAllegiance(), 1);
    ASSERT_LE(u.GetAllegiance(), 7);
    ASSERT_GE(u.GetHomeCityId(), 1);
    ASSERT_LE(u.GetHomeCityId(), 23);
    ASSERT_GE(u.GetFavouriteCharacterId(), 1);
    ASSERT_LE(u.GetFavouriteCharacterId(), 25);
    ASSERT_GE(u.GetAllegianceChangeChance(), 1);
    ASSERT_LE(u.GetAllegianceChangeChance(), 10);
    ASSERT_GE(u.GetFavouriteChangeChance(), 1);
    ASSERT_LE(u.GetFavouriteChangeChance(), 5);
    ASSERT_EQ(WeightSum(u), 100);
    u.PackSaveImage();
    std::int32_t group = I32At(u.SaveImageBytes(), 16);
    ASSERT_TRUE(group == 1 || group == 2);
    ASSERT_GE(u.GetOccupation(), 1);
    ASSERT_LE(u.GetOccupation(), 7);
    ++occupations[u.GetOccupation()];
  }
  for (int o = 1; o <= 3; ++o) EXPECT_NEAR(occupations[o] / double(kUnits), 20.0 / 64, 0.015) << o;
  for (int o = 4; o <= 7; ++o) EXPECT_NEAR(occupations[o] / double(kUnits), 1.0 / 64, 0.005) << o;
}

TEST(InhabitantRecord, FourteenFieldsInTheirOrderAndBackThroughAFile) {
  DataFolder folder;
  InhabitantList list;
  list.Generate(1, 0, 0, 0, 0, 0, 0, 0);
  list.AddFromImage([] {
    std::vector<std::uint8_t> image(Inhabitant::kImageSize);
    for (int i = 0; i < 14; ++i) PutI32At(image, 4 * i, 101 + i);
    return image;
  }().data());
  Inhabitant* u = list.GetAt(1);
  EXPECT_EQ(u->GetAllegiance(), 102);
  EXPECT_EQ(u->GetOccupation(), 103);
  EXPECT_EQ(u->GetHomeCityId(), 104);
  EXPECT_EQ(u->GetFavouriteCharacterId(), 106);
  EXPECT_EQ(u->GetAgricultureLeaderWeight(), 107);
  EXPECT_EQ(u->GetCommerceLeaderWeight(), 108);
  EXPECT_EQ(u->GetIndustryLeaderWeight(), 109);
  EXPECT_EQ(u->GetTechnologyLeaderWeight(), 110);
  EXPECT_EQ(u->GetFameLeaderWeight(), 111);
  EXPECT_EQ(u->GetHomeOwnerWeight(), 112);
  EXPECT_EQ(u->GetAllegianceChangeChance(), 113);
  EXPECT_EQ(u->GetFavouriteChangeChance(), 114);
  u->PackSaveImage();
  for (int i = 0; i < 14; ++i) EXPECT_EQ(I32At(u->SaveImageBytes(), 4 * i), 101 + i);

  list.PackAll();
  ASSERT_TRUE(list.Save("datafile1i.dat"));
  EXPECT_EQ(DataFolder::Read("datafile1i.dat").size(), 4u + 2 * 56);
  InhabitantList loaded;
  ASSERT_TRUE(loaded.Load("datafile1i.dat"));
  ASSERT_EQ(loaded.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    loaded.GetAt(i)->PackSaveImage();
    EXPECT_EQ(0, std::memcmp(loaded.GetAt(i)->SaveImageBytes(), list.GetAt(i)->SaveImageBytes(), 56)) << i;
  }
}

TEST(InhabitantQueries, CountsByNationJobAndFavourite) {
  InhabitantList list;
  rng::Srand(31);
  for (int id = 1; id <= 500; ++id) list.Generate(id, 0, 0, 0, 0, 0, 0, 0);
  for (int nation = 0; nation <= 8; ++nation) {
    std::vector<Inhabitant*> of_nation;
    for (Inhabitant& u : list)
      if (u.GetAllegiance() == nation) of_nation.push_back(&u);
    ASSERT_EQ(list.CountByNation(nation), static_cast<std::int32_t>(of_nation.size()));
    for (std::size_t n = 0; n < of_nation.size(); ++n) EXPECT_EQ(list.GetNthByNation(nation, n), of_nation[n]);
    EXPECT_EQ(list.GetNthByNation(nation, list.CountByNation(nation)), nullptr);
    std::int32_t by_jobs = 0;
    for (int job = 1; job <= 7; ++job) by_jobs += list.CountByNationAndJob(nation, job);
    EXPECT_EQ(by_jobs, list.CountByNation(nation));
  }
  std::int32_t popularity = 0;
  for (int c = 1; c <= 25; ++c) popularity += list.CountWithFavourite(c);
  EXPECT_EQ(popularity, 500);
  list.GetAt(0)->SetFavouriteCharacterId(900);
  EXPECT_EQ(list.CountWithFavourite(900), 1);
}
