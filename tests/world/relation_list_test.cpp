// Relation entries: the 16-byte image, the willing flag that a load clears, finds by key.
#include <gtest/gtest.h>

#include "data_folder.h"
#include "world/codec.h"
#include "world/record_file.h"
#include "world/relation_list.h"

TEST(RelationList, ImageRoundTripAndTheWillingFlagReadsBackClear) {
  DataFolder folder;
  RelationList list;
  ASSERT_TRUE(list.Add(3, 77, 120));
  ASSERT_TRUE(list.Add(1, -5, 0x01020304));
  RelationEntry* e = list.GetAt(0);
  EXPECT_EQ(e->IsWilling(), 0);
  e->SetWilling();
  e->PackSaveImage();
  const std::uint8_t* image = e->SaveImageBytes();
  EXPECT_EQ(codec::GetI32(image, 0), 3);
  EXPECT_EQ(codec::GetI32(image, 4), 77);
  EXPECT_EQ(codec::GetI32(image, 8), 120);
  EXPECT_EQ(image[12], 1);  // the flag is written
  EXPECT_EQ(image[13], 0);
  EXPECT_EQ(image[14], 0);
  EXPECT_EQ(image[15], 0);

  RelationList empty;
  {
    RecordFile f;
    ASSERT_TRUE(f.OpenWrite(DataFolder::Path("r")));
    ASSERT_TRUE(list.Write(f));
    ASSERT_TRUE(empty.Write(f));
    ASSERT_TRUE(f.Close());
  }
  auto bytes = DataFolder::Read("r");
  ASSERT_EQ(bytes.size(), 4u + 2 * 16 + 4);
  EXPECT_EQ(bytes[4 + 12], 1);
  EXPECT_EQ(codec::GetI32(bytes.data(), 36), 0);  // an empty list writes only its count

  RecordFile f;
  ASSERT_TRUE(f.OpenRead(DataFolder::Path("r")));
  RelationList back;
  ASSERT_TRUE(back.Read(f));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetAt(0)->GetKey(), 3);
  EXPECT_EQ(back.GetAt(0)->GetFriendship(), 77);
  EXPECT_EQ(back.GetAt(0)->GetTenure(), 120);
  EXPECT_EQ(back.GetAt(0)->IsWilling(), 0);  // renewed every turn, never loaded
  EXPECT_EQ(back.GetAt(1)->GetFriendship(), -5);
  EXPECT_EQ(back.GetAt(1)->GetTenure(), 0x01020304);
}

TEST(RelationList, FindGivesTheFirstEntryOfAKey) {
  RelationList list;
  EXPECT_EQ(list.Find(1), nullptr);
  list.Add(1, 10, 0);
  list.Add(2, 20, 0);
  list.Add(2, 30, 0);
  EXPECT_EQ(list.Find(2), list.GetAt(1));
  EXPECT_EQ(list.Find(7), nullptr);
  RelationEntry* e = list.Find(1);
  e->SetFriendship(100);
  e->SetTenure(4);
  e->SetWilling();
  EXPECT_EQ(list.GetAt(0)->GetFriendship(), 100);
  EXPECT_EQ(list.GetAt(0)->GetTenure(), 4);
  EXPECT_EQ(list.GetAt(0)->IsWilling(), 1);
  e->ClearWilling();
  EXPECT_EQ(list.GetAt(0)->IsWilling(), 0);
}
