// The name pool: its 8-byte records, the file, and what a load accepts.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/world/record_bytes.h"
#include "world/name_pool.h"
#include "world/names.h"

namespace {

constexpr NameRef kFirst = names::Of("銀塊");
constexpr NameRef kSecond = names::Of("金塊");

}  // namespace

TEST(NamePoolFile, NamesAndFlagsInOrderAndBack) {
  DataFolder folder;
  NamePool pool;
  pool.Add(kFirst);
  pool.Add(kSecond);
  pool.Add(kFirst);
  pool.GetAt(1)->MarkTaken();
  pool.PackAll();
  ASSERT_TRUE(pool.Save("datafile1n.dat"));

  auto bytes = DataFolder::Read("datafile1n.dat");
  ASSERT_EQ(bytes.size(), 4u + 3 * 8);
  EXPECT_EQ(I32At(bytes, 0), 3);
  EXPECT_EQ(I32At(bytes, 4), kFirst);
  EXPECT_EQ(I32At(bytes, 8), 1);
  EXPECT_EQ(I32At(bytes, 12), kSecond);
  EXPECT_EQ(I32At(bytes, 16), 0);
  EXPECT_EQ(I32At(bytes, 20), kFirst);
  EXPECT_EQ(I32At(bytes, 24), 1);

  NamePool loaded;
  loaded.Add(kSecond);
  ASSERT_TRUE(loaded.Load("datafile1n.dat"));
  ASSERT_EQ(loaded.Count(), 3);
  loaded.PackAll();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(0, std::memcmp(loaded.GetAt(i)->SaveImageBytes(), pool.GetAt(i)->SaveImageBytes(), 8)) << i;
  EXPECT_EQ(loaded.GetAt(2)->GetName(), kFirst);
}

TEST(NamePoolFile, ACountOfZeroEmptiesThePool) {
  DataFolder folder;
  NamePool pool;
  pool.Add(kFirst);
  DataFolder::Write("zero.dat", {0, 0, 0, 0});
  ASSERT_TRUE(pool.Load("zero.dat"));
  EXPECT_EQ(pool.Count(), 0);
}
