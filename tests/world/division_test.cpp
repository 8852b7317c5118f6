// Divisions: the 80-byte record with its nested relation list, the ranking and the willing
// queries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/world/record_bytes.h"
#include "tests/world/world_fill.h"
#include "world/division.h"
#include "world/random.h"

namespace {

Division* AddPlain(DivisionList& list, std::int32_t id, std::int32_t fame) {
  list.Add(fill::kNameA, id, 0, 1, 5, 120, 0, 0, 0, fame, 0, 0, 0, 0, kNoNation);
  return list.GetAt(list.Count() - 1);
}

}  // namespace

TEST(DivisionRecord, TwentyWordsInOrder) {
  DivisionList list;
  Division* d = fill::AddDivision(list, fill::kNameE, 4, 200);
  d->PackSaveImage();
  const std::uint8_t* p = d->SaveImageBytes();
  EXPECT_EQ(I32At(p, 0), fill::kNameE);
  EXPECT_EQ(I32At(p, 4), 4);
  EXPECT_EQ(I32At(p, 8), 213);   // ranking position
  EXPECT_EQ(I32At(p, 12), 214);  // shared rank
  // Leader to average friendship: the add's values in order.
  const std::size_t add_offsets[] = {16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60};
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(I32At(p, add_offsets[i]), 201 + static_cast<int>(i)) << i;
  EXPECT_EQ(I32At(p, 64), 215);  // domestic tendency
  EXPECT_EQ(I32At(p, 68), 216);  // sortie tendency
  EXPECT_EQ(I32At(p, 72), 217);  // patrol tendency
  EXPECT_EQ(I32At(p, 76), 5);    // nation
}

TEST(DivisionRecord, FileRoundTripKeepsRelationsButNotTheirWillingFlags) {
  DataFolder folder;
  DivisionList list;
  fill::AddDivision(list, fill::kNameA, 1, 0);
  fill::AddDivision(list, fill::kNameB, 2, 40);
  list.PackAll();
  ASSERT_TRUE(list.Save("datafile1d.dat"));
  auto bytes = DataFolder::Read("datafile1d.dat");
  ASSERT_EQ(bytes.size(), 4u + 2 * (80 + 4 + 7 * 16));
  EXPECT_EQ(I32At(bytes, 4 + 80), 7);
  EXPECT_EQ(I32At(bytes, 4 + 80 + 4), 1);  // the first entry's key

  DivisionList loaded;
  ASSERT_TRUE(loaded.Load("datafile1d.dat"));
  ASSERT_EQ(loaded.GetCount(), 2);
  for (int i = 0; i < 2; ++i) {
    Division* a = list.GetAt(i);
    Division* b = loaded.GetAt(i);
    b->PackSaveImage();
    EXPECT_EQ(0, std::memcmp(a->SaveImageBytes(), b->SaveImageBytes(), Division::kImageSize)) << i;
    ASSERT_EQ(b->relations.Count(), 7);
    for (int k = 0; k < 7; ++k) {
      EXPECT_EQ(b->relations.GetAt(k)->GetKey(), a->relations.GetAt(k)->GetKey());
      EXPECT_EQ(b->relations.GetAt(k)->GetFriendship(), a->relations.GetAt(k)->GetFriendship());
      EXPECT_EQ(b->relations.GetAt(k)->GetTenure(), a->relations.GetAt(k)->GetTenure());
      EXPECT_EQ(b->relations.GetAt(k)->IsWilling(), 0);
    }
  }
}

TEST(DivisionRank, FameWithSharedRanks) {
  DivisionList list;
  for (std::int32_t fame : {100, 90, 120, 100}) AddPlain(list, list.Count() + 1, fame);
  list.Rank(4, 0);
  EXPECT_EQ(list.FindByRankingPosition(1)->GetFame(), 120);
  EXPECT_EQ(list.FindByRankingPosition(4)->GetFame(), 90);
  std::vector<std::int32_t> ranks;
  for (std::int32_t p = 1; p <= 4; ++p) ranks.push_back(list.FindByRankingPosition(p)->GetSharedRank());
  EXPECT_EQ(ranks, (std::vector<std::int32_t>{1, 2, 2, 4}));
  EXPECT_EQ(list.FindByRankingPosition(5), nullptr);

  // Another criterion moves nothing.
  list.GetAt(1)->SetFame(999);
  list.Rank(5, 0);
  list.Rank(21 + 1, 0);
  EXPECT_EQ(list.FindByRankingPosition(1)->GetId(), 3);
}

TEST(DivisionRank, EqualValuesFollowTheExchangeSort) {
  // 1, 2, 2, 3 sorts by exchanges to 3, the second 2, the first 2, 1.
  DivisionList list;
  for (std::int32_t fame : {1, 2, 2, 3}) AddPlain(list, list.Count() + 1, fame);
  list.Rank(4, 0);
  EXPECT_EQ(list.GetAt(3)->GetRankingPosition(), 1);
  EXPECT_EQ(list.GetAt(2)->GetRankingPosition(), 2);
  EXPECT_EQ(list.GetAt(1)->GetRankingPosition(), 3);
  EXPECT_EQ(list.GetAt(0)->GetRankingPosition(), 4);
  EXPECT_EQ(list.GetAt(1)->GetSharedRank(), 2);
  EXPECT_EQ(list.GetAt(2)->GetSharedRank(), 2);
}

TEST(DivisionRank, EveryCriterionOnRandomDivisionsAndMoreThanAThousand) {
  rng::Srand(3);
  DivisionList list;
  for (std::int32_t id = 1; id <= 1500; ++id) {
    Division* d = AddPlain(list, id, rng::Random(20, 0));
    d->SetMemberCount(rng::Random(6, 0));
    d->SetCombatPower(rng::Random(30, 100));
    d->SetDomesticPower(rng::Random(30, 100));
    d->SetSupportRate(rng::Random(10, 0));
    d->SetAverageFriendship(rng::Random(10, 0));
    d->SetDomesticTendency(rng::Random(10, 0));
    d->SetSortieTendency(rng::Random(10, 0));
    d->SetPatrolTendency(rng::Random(10, 0));
    for (std::int32_t nation = 1; nation <= 7; ++nation)
      if (id % 50 != 0) d->relations.Add(nation, rng::Random(101, 0), 0);  // some lack entries
  }
  auto value = [](std::int32_t criterion, const Division& d) {
    switch (criterion) {
      case 1: return d.GetMemberCount();
      case 2: return d.GetCombatPower();
      case 3: return d.GetDomesticPower();
      case 4: return d.GetFame();
      case 11: return d.GetSupportRate();
      case 12: return d.GetAvgFriendship();
      case 13: return d.GetDomesticTendency();
      case 14: return d.GetSortieTendency();
      case 15: return d.GetPatrolTendency();
      default: {
        const RelationEntry* e = d.relations.Find(3);
        return e ? e->GetFriendship() : 0;
      }
    }
  };
  for (std::int32_t criterion : {1, 2, 3, 4, 11, 12, 13, 14, 15, 21}) {
    list.Rank(criterion, 3);
    std::vector<std::int32_t> ascending;
    for (const Division& d : list) ascending.push_back(value(criterion, d));
    std::sort(ascending.begin(), ascending.end());
    std::vector<bool> seen(1501, false);
    for (const Division& d : list) {
      std::int32_t p = d.GetRankingPosition();
      ASSERT_GE(p, 1);
      ASSERT_LE(p, 1500);
      ASSERT_FALSE(seen[p]);
      seen[p] = true;
      // Competition rank: one more than the number of strictly better divisions.
      auto better = ascending.end() - std::upper_bound(ascending.begin(), ascending.end(), value(criterion, d));
      ASSERT_EQ(d.GetSharedRank(), better + 1) << criterion;
    }
    for (std::int32_t p = 1; p < 1500; ++p)
      ASSERT_GE(value(criterion, *list.FindByRankingPosition(p)), value(criterion, *list.FindByRankingPosition(p + 1)));
  }
}

TEST(DivisionWilling, CountsNthAndRankingOrder) {
  DivisionList list;
  for (std::int32_t id = 1; id <= 6; ++id) {
    Division* d = AddPlain(list, id, 10 * id);
    for (std::int32_t nation = 1; nation <= 7; ++nation) d->relations.Add(nation, 50, 0);
  }
  for (std::int32_t index : {0, 2, 5}) list.GetAt(index)->relations.Find(4)->SetWilling();
  EXPECT_EQ(list.CountWilling(4, 1), 3);
  EXPECT_EQ(list.CountWilling(4, 0), 3);
  EXPECT_EQ(list.CountWilling(3, 1), 0);
  EXPECT_EQ(list.GetNthWilling(4, 1, 0), list.GetAt(0));
  EXPECT_EQ(list.GetNthWilling(4, 1, 2), list.GetAt(5));
  EXPECT_EQ(list.GetNthWilling(4, 1, 3), nullptr);
  EXPECT_EQ(list.GetNthWilling(4, 0, 1), list.GetAt(3));

  // By fame the willing ones stand at positions 1 (index 5), 4 (index 2) and 6 (index 0).
  list.Rank(4, 0);
  EXPECT_EQ(list.GetNthWillingByPosition(4, 1, 1), list.GetAt(5));
  EXPECT_EQ(list.GetNthWillingByPosition(4, 1, 2), list.GetAt(2));
  EXPECT_EQ(list.GetNthWillingByPosition(4, 1, 3), list.GetAt(0));
  // None left, or none willing at all: the first division of the list.
  EXPECT_EQ(list.GetNthWillingByPosition(4, 1, 4), list.GetAt(0));
  EXPECT_EQ(list.GetNthWillingByPosition(3, 1, 1), list.GetAt(0));
  DivisionList empty;
  EXPECT_EQ(empty.GetNthWillingByPosition(4, 1, 1), nullptr);

  // A division without an entry for the nation reads as unwilling with friendship 0.
  AddPlain(list, 7, 0);
  EXPECT_EQ(list.CountWilling(4, 0), 4);
  EXPECT_EQ(list.GetNthWilling(4, 0, 3), list.GetAt(6));
  list.Rank(21, 4);
  EXPECT_EQ(list.GetAt(6)->GetRankingPosition(), 7);
}
