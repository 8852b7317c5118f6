// Damaged list files: every cut, impossible counts, bad name references, out-of-range classes
// and grades, random damage. Run under the sanitizer build: each gives a defined result.
#include <gtest/gtest.h>

#include <climits>

#include "tests/world/corrupt_file_checks.h"
#include "tests/world/scratch_folder.h"
#include "tests/world/world_fill.h"
#include "world/division.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/names.h"
#include "world/trade_good.h"

using namespace filetest;

namespace {

constexpr NameRef kSilverBar = names::Of("銀の延べ棒");
constexpr NameRef kChest = names::Of("千両箱");

class CorruptFiles : public ::testing::Test {
 protected:
  filetest::DataFolder folder_;
};

template <typename List>
std::vector<std::uint8_t> FileOf(const List& list) {
  return Fingerprint(list);
}

}  // namespace

TEST_F(CorruptFiles, TradeGoodFile) {
  TradeGoodList goods;
  goods.Add(kSilverBar, 11, 10000, 0, 0, 2, 0, 0, 50, 2, kTradeGoodCategory, 1);
  goods.Add(kChest, 15, 30000, 25000, 31000, 5, 0, 12, 50, 3, kTradeGoodCategory, 4);
  goods.Add(kChest, 15, 2000000000, 0, 0, 3, 0, kMerchantId, 50, 3, kTradeGoodCategory, 2);
  auto good = FileOf(goods);
  TradeGoodList before;
  before.Add(kSilverBar, 11, 1, 2, 3, 1, 0, 0, 0, 0, 0, 1);

  ExpectFramingDamageIsDefined(good, before, [](TradeGoodList& list) {
    for (TradeGood& g : list) {
      g.UpdatePrice();
      g.ReissueIfWorthless();
    }
    list.CountOwned();
    list.GetNthOfferBy(kMerchantId, 0);
  });

  for (std::size_t record : {0u, 1u, 2u}) {
    std::size_t base = 4 + record * TradeGood::kImageSize;
    for (std::int32_t v : {-1, names::kCount, INT_MAX, INT_MIN}) ExpectRefused(good, before, base + 0, v);
    for (std::int32_t v : {0, 5, -1, INT_MAX}) ExpectRefused(good, before, base + 236, v);  // price class
    for (std::int32_t v : {0, 6, -3, INT_MIN}) ExpectRefused(good, before, base + 172, v);  // grade
  }
  // Ids, owners and prices are taken as stored: a good of an unknown kind is still a good.
  std::vector<std::uint8_t> odd = good;
  PutI32At(odd, 4 + 4, 99999);
  PutI32At(odd, 4 + 160, INT_MIN);
  PutI32At(odd, 4 + 188, -7);
  TradeGoodList out;
  ASSERT_TRUE(LoadDamaged(before, odd, out));
  out.GetAt(0)->UpdatePrice();
  out.GetAt(0)->ReissueIfWorthless();
  EXPECT_GE(out.GetAt(0)->GetPrice(), 10000);  // re-issued at grade 2
}

TEST_F(CorruptFiles, InhabitantFile) {
  InhabitantList units;
  rng::Srand(5);
  for (int id = 1; id <= 4; ++id) units.Generate(id, 0, 0, 0, 0, 0, 0, 0);
  auto good = FileOf(units);
  InhabitantList before;
  before.Generate(77, 1, 1, 1, 1, 1, 1, 1);
  ExpectFramingDamageIsDefined(good, before, [](InhabitantList& list) {
    for (std::int32_t nation = -1; nation <= 8; ++nation) {
      list.CountByNation(nation);
      for (std::int32_t job = 0; job <= 8; ++job) list.CountByNationAndJob(nation, job);
      list.GetNthByNation(nation, list.CountByNation(nation));
    }
    list.CountWithFavourite(INT_MIN);
  });
  // No field of a unit names anything that could be refused: extreme values load as stored.
  std::vector<std::uint8_t> extreme = good;
  for (std::size_t off = 4; off < 4 + Inhabitant::kImageSize; off += 4) PutI32At(extreme, off, INT_MIN);
  InhabitantList out;
  ASSERT_TRUE(LoadDamaged(before, extreme, out));
  EXPECT_EQ(out.CountByNation(INT_MIN), 1);
  EXPECT_EQ(out.GetAt(0)->GetOccupation(), INT_MIN);
}

TEST_F(CorruptFiles, NamePoolFile) {
  NamePool pool;
  pool.Add(kSilverBar);
  pool.Add(kChest);
  pool.GetAt(0)->MarkTaken();
  auto good = FileOf(pool);
  NamePool before;
  before.Add(kChest);
  ExpectFramingDamageIsDefined(good, before, [](NamePool& list) {
    for (NamePoolEntry& e : list) names::Text(e.GetName());
  });
  for (std::int32_t v : {-1, names::kCount, INT_MAX}) {
    ExpectRefused(good, before, 4, v);
    ExpectRefused(good, before, 12, v);
  }
}

TEST_F(CorruptFiles, NationFile) {
  NationList nations;
  fill::AddNation(nations, fill::kNameA, 1, 100);
  fill::AddNation(nations, fill::kNameB, 2, 200)->policies.Clear();
  fill::AddNation(nations, fill::kNameC, 3, 300)->tactics.Clear();
  auto good = FileOf(nations);
  NationList before;
  fill::AddNation(before, fill::kNameD, 7, 700);
  auto use = [](NationList& list) {
    for (std::int32_t criterion = 0; criterion <= 5; ++criterion) list.PickLeader(criterion);
    list.ShuffleTurnOrder();
    for (Nation& n : list) {
      n.CountRelationsEqual(0);
      n.GetRelation(n.GetId());
      n.tactics.FindById(3);
      n.policies.CountByAvailableFlag(1);
    }
    list.RemoveById(2);
  };
  ExpectFramingDamageIsDefined(good, before, use);

  const std::size_t first = 4;  // the first nation's record
  for (std::int32_t v : {-1, names::kCount, INT_MIN}) {
    ExpectRefused(good, before, first + 0, v);    // the nation's name
    ExpectRefused(good, before, first + 104, v);  // the militia template's name
    ExpectRefused(good, before, first + 388 + 4, v);  // the first tactic's name
  }
  // A nested count that promises more than the file holds.
  ExpectRefused(good, before, first + 388, 1000000);
  ExpectRefused(good, before, first + 388 + 4 + 2 * 272, INT_MAX);

  // Ids, turn orders, flags and counters are taken as stored; the list stays usable.
  std::vector<std::uint8_t> odd = good;
  PutI32At(odd, first + 76, 99);       // id
  PutI32At(odd, first + 380, -5);      // turn order
  PutI32At(odd, first + 80, INT_MIN);  // computer flag
  odd[first + 100] = 0xFF;             // defeated
  NationList out;
  ASSERT_TRUE(LoadDamaged(before, odd, out));
  EXPECT_EQ(out.FindById(99), out.GetAt(0));
  EXPECT_TRUE(out.GetAt(0)->IsMarkedForDissolution());
  use(out);
}

TEST_F(CorruptFiles, DivisionFile) {
  DivisionList divisions;
  for (std::int32_t id = 1; id <= 3; ++id) fill::AddDivision(divisions, fill::kNameE, id, id * 10);
  divisions.GetAt(1)->relations.Clear();
  // Willing flags read back as 0: leave them 0 so that the file reads back as written.
  for (Division& d : divisions)
    for (RelationEntry& e : d.relations) e.ClearWilling();
  auto good = FileOf(divisions);
  DivisionList before;
  fill::AddDivision(before, fill::kNameA, 9, 90);
  auto use = [](DivisionList& list) {
    for (std::int32_t criterion : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21}) list.Rank(criterion, 4);
    for (std::int32_t nation = 0; nation <= 8; ++nation) {
      list.CountWilling(nation, 1);
      list.GetNthWilling(nation, 0, 1);
      list.GetNthWillingByPosition(nation, 1, 2);
    }
  };
  ExpectFramingDamageIsDefined(good, before, use);
  for (std::int32_t v : {-1, names::kCount, INT_MAX}) ExpectRefused(good, before, 4, v);
  ExpectRefused(good, before, 4 + 80, 1 << 24);  // relation count
}

TEST_F(CorruptFiles, ListsLongerThanTheGameEverMade) {
  // 1200 nations and 1500 divisions: the leader pick, the turn-order draw and the ranking size
  // their tables to the list.
  NationList nations;
  for (std::int32_t id = 1; id <= 1200; ++id) {
    nations.Add(fill::kNameA, id, 0, 0, 0, 0, 0, id % 37, 0, 0, 0, 0, 0, 0, id, 1, 0, 0, 1, 0, 0);
  }
  DivisionList divisions;
  for (std::int32_t id = 1; id <= 1500; ++id) fill::AddDivision(divisions, fill::kNameB, id, id % 23);
  auto nation_file = FileOf(nations);
  auto division_file = FileOf(divisions);

  NationList loaded_nations;
  DivisionList loaded_divisions;
  ASSERT_TRUE(LoadDamaged(NationList(), nation_file, loaded_nations));
  ASSERT_TRUE(LoadDamaged(DivisionList(), division_file, loaded_divisions));
  ASSERT_EQ(loaded_nations.Count(), 1200);
  rng::Srand(8);
  EXPECT_EQ(loaded_nations.PickLeader(1)->GetAgricultureValue() >= 0, true);
  loaded_nations.ShuffleTurnOrder();
  std::vector<bool> seen(1200, false);
  for (Nation& n : loaded_nations) {
    ASSERT_GE(n.GetTurnOrder(), 0);
    ASSERT_LT(n.GetTurnOrder(), 1200);
    ASSERT_FALSE(seen[n.GetTurnOrder()]);
    seen[n.GetTurnOrder()] = true;
  }
  loaded_divisions.Rank(2, 0);
  EXPECT_NE(loaded_divisions.FindByRankingPosition(1500), nullptr);
  EXPECT_NE(loaded_divisions.GetNthWillingByPosition(3, 0, 1400), nullptr);
}
