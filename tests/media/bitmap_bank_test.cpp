// The bank of a screen: what a name yields after registering, re-registering and missing files.
#include "media/bitmap_bank.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/text.h"
#include "tests/media/media_test.h"

namespace {

using BitmapBankTest = media_test::PictureTest;

constexpr NameRef kTitle = names::Of("オープニングⅡ");
constexpr NameRef kScene = names::Of("エンディング１０");
constexpr NameRef kSlash = names::Of("斬撃エフェクト１");

media_test::ColourAt Plain(COLORREF c) {
  return [c](int, int) { return c; };
}

COLORREF FirstPixel(const Bitmap* b) {
  const std::uint8_t* p = b->GetPixels();
  return RGB(p[2], p[1], p[0]);
}

TEST_F(BitmapBankTest, RegisteringTwiceKeepsTheFirstPicture) {
  media_test::TakeBoxes();
  BitmapBank bank;
  media_test::WriteBitmapFile("オープニングⅡ", media_test::Bmp24(4, 4, Plain(RGB(1, 2, 3))));
  ASSERT_TRUE(bank.Register(kTitle));
  const Bitmap* first = bank.Get(kTitle);
  ASSERT_NE(first, nullptr);

  // The second registration reads the new file, but the bank keeps its first picture.
  media_test::WriteBitmapFile("オープニングⅡ", media_test::Bmp24(8, 2, Plain(RGB(9, 8, 7))));
  EXPECT_TRUE(bank.Register(kTitle));
  EXPECT_EQ(bank.Get(kTitle), first);
  EXPECT_EQ(bank.Get(kTitle)->GetWidth(), 4);
  EXPECT_EQ(FirstPixel(bank.Get(kTitle)), RGB(1, 2, 3));

  // Registering it again with the file gone still reads (and fails): the bank keeps the picture.
  std::remove(media_test::BitmapPath("オープニングⅡ").c_str());
  EXPECT_FALSE(bank.Register(kTitle));
  EXPECT_EQ(bank.Get(kTitle), first);
  EXPECT_EQ(media_test::TakeBoxes().size(), 1u);
}

TEST_F(BitmapBankTest, MissingFileAddsNothing) {
  media_test::TakeBoxes();
  BitmapBank bank;
  EXPECT_FALSE(bank.Register(kScene));
  auto boxes = media_test::TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "ファイルが開けません");
  EXPECT_EQ(boxes[0].caption, "エンディング１０");

  // The failed registration left no entry, so a later one files the picture.
  media_test::WriteBitmapFile("エンディング１０", media_test::Bmp24(3, 3, Plain(RGB(4, 5, 6))));
  EXPECT_TRUE(bank.Register(kScene));
  ASSERT_NE(bank.Get(kScene), nullptr);
  EXPECT_EQ(FirstPixel(bank.Get(kScene)), RGB(4, 5, 6));
}

TEST_F(BitmapBankTest, GetOfAnUnknownNameFilesAnEmptyEntry) {
  media_test::TakeBoxes();
  BitmapBank bank;
  media_test::WriteBitmapFile("オープニングⅡ", media_test::Bmp24(2, 2, Plain(RGB(1, 1, 1))));
  media_test::WriteBitmapFile("斬撃エフェクト１", media_test::Bmp24(2, 2, Plain(RGB(2, 2, 2))));
  ASSERT_TRUE(bank.Register(kTitle));

  EXPECT_EQ(bank.Get(kSlash), nullptr);
  EXPECT_EQ(bank.Get(kSlash), nullptr);
  // The name now holds an entry without a picture: registering loads the file, keeps nothing.
  EXPECT_TRUE(bank.Register(kSlash));
  EXPECT_EQ(bank.Get(kSlash), nullptr);
  // Other names are unaffected, and nothing was shown.
  ASSERT_NE(bank.Get(kTitle), nullptr);
  EXPECT_EQ(FirstPixel(bank.Get(kTitle)), RGB(1, 1, 1));
  EXPECT_TRUE(media_test::TakeBoxes().empty());
}

}  // namespace
