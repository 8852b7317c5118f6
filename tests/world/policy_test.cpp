// Policies: the 44-byte image, the available flag through a file, the sorted insert and the
// queries by available flag.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "data_folder.h"
#include "world/codec.h"
#include "world/policy.h"
#include "world/record_file.h"

namespace {

constexpr NameRef kName = names::Of("軍議ＬＶ１");

void AddPlain(PolicyList& list, std::int32_t id, std::int32_t available = 0) {
  list.Add(kName, id, 1, 30, 0, 0, 10.0f, 10, 1, 20, available);
}

std::vector<std::int32_t> Ids(const PolicyList& list) {
  std::vector<std::int32_t> ids;
  for (const Policy& p : list) ids.push_back(p.GetId());
  return ids;
}

}  // namespace

TEST(Policy, AddPutsEveryValueAtItsOffsetAndTheFlagSurvivesAFile) {
  DataFolder folder;
  PolicyList list;
  ASSERT_TRUE(list.Add(kName, 12, 4, 20, 3, 10000, 15000.5f, 40, 1, 160, 1));
  Policy& p = *list.GetAt(0);
  EXPECT_EQ(p.GetName(), kName);
  EXPECT_EQ(p.GetId(), 12);
  EXPECT_EQ(p.GetKind(), 4);
  EXPECT_EQ(p.GetChance(), 20);
  EXPECT_EQ(p.GetLimit(), 3);
  EXPECT_EQ(p.GetPrice(), 10000);
  EXPECT_EQ(p.GetAmount(), 15000.5f);
  EXPECT_EQ(p.GetUsedPoint(), 40);
  EXPECT_EQ(p.GetResearchCost(), 160);
  EXPECT_EQ(p.IsAvailable(), 1);

  p.Pack();
  const std::uint8_t* image = p.SaveImageBytes();
  EXPECT_EQ(codec::GetI32(image, 0), kName);
  EXPECT_EQ(codec::GetI32(image, 4), 12);
  EXPECT_EQ(codec::GetI32(image, 8), 4);
  EXPECT_EQ(codec::GetI32(image, 12), 20);
  EXPECT_EQ(codec::GetI32(image, 16), 3);
  EXPECT_EQ(codec::GetI32(image, 20), 10000);
  EXPECT_EQ(codec::GetF32(image, 24), 15000.5f);
  EXPECT_EQ(codec::GetI32(image, 28), 40);
  EXPECT_EQ(codec::GetI32(image, 32), 1);
  EXPECT_EQ(codec::GetI32(image, 36), 160);
  EXPECT_EQ(image[40], 1);
  EXPECT_EQ(image[41], 0);
  EXPECT_EQ(image[42], 0);
  EXPECT_EQ(image[43], 0);

  AddPlain(list, 13, 0);
  {
    RecordFile f;
    ASSERT_TRUE(f.OpenWrite(DataFolder::Path("k")));
    ASSERT_TRUE(list.Write(f));
    ASSERT_TRUE(f.Close());
  }
  RecordFile f;
  ASSERT_TRUE(f.OpenRead(DataFolder::Path("k")));
  PolicyList back;
  ASSERT_TRUE(back.Read(f));
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.GetAt(0)->IsAvailable(), 1);
  EXPECT_EQ(back.GetAt(1)->IsAvailable(), 0);
  back.GetAt(0)->Pack();
  list.GetAt(0)->Pack();
  EXPECT_EQ(std::vector<std::uint8_t>(back.GetAt(0)->SaveImageBytes(), back.GetAt(0)->SaveImageBytes() + 44),
            std::vector<std::uint8_t>(list.GetAt(0)->SaveImageBytes(), list.GetAt(0)->SaveImageBytes() + 44));

  // A name outside the table is refused.
  std::array<std::uint8_t, Policy::kImageSize> bad{};
  codec::PutI32(bad.data(), 0, names::kCount);
  EXPECT_FALSE(back.InsertSorted(bad.data()));
  // So is a limit above the most draws a policy may make.
  codec::PutI32(bad.data(), 0, kName);
  codec::PutI32(bad.data(), 16, Policy::kMostDraws + 1);
  EXPECT_FALSE(back.InsertSorted(bad.data()));
  EXPECT_EQ(back.GetCount(), 2);
}

TEST(PolicyList, InsertSortedAndAvailableQueries) {
  PolicyList list;
  AddPlain(list, 9);
  AddPlain(list, 12);
  EXPECT_EQ(list.CountByAvailableFlag(1), 0);
  EXPECT_EQ(list.GetNthByAvailableFlag(1, 0), nullptr);

  PolicyList master;
  AddPlain(master, 10);
  AddPlain(master, 13);
  AddPlain(master, 9);
  for (Policy& p : master) {
    p.Pack();
    ASSERT_TRUE(list.InsertSorted(p.SaveImageBytes()));
  }
  EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{9, 9, 10, 12, 13}));
  EXPECT_TRUE(list.ContainsId(10));
  EXPECT_FALSE(list.ContainsId(11));

  list.GetAt(1)->SetAvailable();
  list.GetAt(3)->SetAvailable();
  list.GetAt(4)->SetAvailable();
  list.GetAt(4)->ClearAvailable();
  EXPECT_EQ(list.CountByAvailableFlag(1), 2);
  EXPECT_EQ(list.CountByAvailableFlag(0), 3);
  EXPECT_EQ(list.GetNthByAvailableFlag(1, 0), list.GetAt(1));
  EXPECT_EQ(list.GetNthByAvailableFlag(1, 1), list.GetAt(3));
  EXPECT_EQ(list.GetNthByAvailableFlag(1, 2), nullptr);
  EXPECT_EQ(list.GetNthByAvailableFlag(0, 2), list.GetAt(4));
  EXPECT_EQ(list.CountByAvailableFlag(2), 0);
}
