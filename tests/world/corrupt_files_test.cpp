// Damaged list files: every cut, impossible counts, bad name references, out-of-range classes
// and grades, random damage. Run under the sanitizer build: each gives a defined result.
#include <gtest/gtest.h>

#include <climits>

#include "tests/world/corrupt_file_checks.h"
#include "tests/world/scratch_folder.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/names.h"
#include "world/trade_good.h"

namespace {

constexpr NameRef kSilverBar = names::Of("銀の延べ棒");
constexpr NameRef kChest = names::Of("千両箱");

class CorruptFiles : public ::testing::Test {
 protected:
  ScratchFolder folder_;
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
