// Loading pictures: row layout, colour tables, row order, and the boxes of a missing file.
#include "media/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/media/media_test.h"

namespace {

using BitmapLoad = media_test::PictureTest;

// A colour that differs for every pixel of a small picture.
COLORREF Mark(int x, int y) { return RGB(10 + x, 100 + y, 200 + (x + y) % 50); }

const std::uint8_t* PixelAt(const Bitmap& b, int x, int y) { return b.GetPixels() + y * b.GetStride() + 3 * x; }

void ExpectColour(const std::uint8_t* p, COLORREF c) {
  EXPECT_EQ(p[0], (c >> 16) & 0xFF);
  EXPECT_EQ(p[1], (c >> 8) & 0xFF);
  EXPECT_EQ(p[2], c & 0xFF);
}

TEST_F(BitmapLoad, MissingFileShowsOneBoxCaptionedWithTheBareName) {
  media_test::TakeBoxes();
  Bitmap b;
  EXPECT_FALSE(b.Load("オープニングⅡ"));
  auto boxes = media_test::TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "ファイルが開けません");
  EXPECT_EQ(boxes[0].caption, "オープニングⅡ");
  EXPECT_EQ(b.GetHeader(), nullptr);
}

TEST_F(BitmapLoad, RowsArePaddedToFourBytesAndKeptBottomUp) {
  struct Case {
    int width;
    int stride;
  };
  for (Case c : {Case{1, 4}, Case{4, 12}, Case{5, 16}}) {
    SCOPED_TRACE(c.width);
    const int height = 3;
    media_test::WriteBitmapFile("オープニングⅡ", media_test::Bmp24(c.width, height, Mark));
    Bitmap b;
    ASSERT_TRUE(b.Load("オープニングⅡ"));
    EXPECT_EQ(b.GetWidth(), c.width);
    EXPECT_EQ(b.GetHeight(), height);
    EXPECT_EQ(b.GetStride(), c.stride);
    EXPECT_EQ(b.GetBitCount(), 24u);
    // The pixel area is three times what the picture uses; the tail stays zero.
    ASSERT_EQ(b.GetPixelBytes(), 3u * c.stride * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < c.width; ++x) ExpectColour(PixelAt(b, x, y), Mark(x, y));
      for (int pad = 3 * c.width; pad < c.stride; ++pad) EXPECT_EQ(b.GetPixels()[y * c.stride + pad], 0);
    }
    for (std::size_t i = static_cast<std::size_t>(c.stride) * height; i < b.GetPixelBytes(); ++i) {
      ASSERT_EQ(b.GetPixels()[i], 0) << i;
    }
    // Pixels follow the 40-byte header directly.
    EXPECT_EQ(b.GetPixels() - reinterpret_cast<const std::uint8_t*>(b.GetHeader()), 40);
  }
  EXPECT_TRUE(media_test::TakeBoxes().empty());
}

TEST_F(BitmapLoad, EightBitIndexesReadTheTableBehindTheInfoHeader) {
  std::vector<COLORREF> palette(256, RGB(1, 2, 3));
  palette[0] = RGB(0, 0, 0);
  palette[7] = RGB(70, 80, 90);
  palette[255] = RGB(250, 240, 230);
  // Bottom row: 255, 7; top row: 7, 0. The header claims two colours: the table is read anyway.
  auto index = [](int x, int y) -> int { return y == 0 ? (x == 0 ? 255 : 7) : (x == 0 ? 7 : 0); };
  auto file = media_test::Bmp8(2, 2, palette, index);
  media_test::Put32(file, 46, 2);
  media_test::WriteBitmapFile("エンディング１０", file);
  Bitmap b;
  ASSERT_TRUE(b.Load("エンディング１０"));
  EXPECT_EQ(b.GetBitCount(), 8u);
  EXPECT_EQ(b.GetStride(), 8);
  ExpectColour(PixelAt(b, 0, 0), RGB(250, 240, 230));
  ExpectColour(PixelAt(b, 1, 0), RGB(70, 80, 90));
  ExpectColour(PixelAt(b, 0, 1), RGB(70, 80, 90));
  ExpectColour(PixelAt(b, 1, 1), RGB(0, 0, 0));

  // The block holds the file's header with bit count 24, then 1024 zero bytes, then pixels.
  const auto* block = reinterpret_cast<const std::uint8_t*>(b.GetHeader());
  EXPECT_EQ(b.GetPixels() - block, 1064);
  for (int i = 40; i < 1064; ++i) ASSERT_EQ(block[i], 0) << i;
  const BITMAPINFOHEADER& h = *b.GetHeader();
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biClrUsed, 2u);
  EXPECT_EQ(h.biSizeImage, 8u);  // the file's 8-bit image size, kept as it is
  EXPECT_EQ(h.biWidth, 2);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(std::memcmp(block, file.data() + 14, 14), 0);  // size, width, height, planes kept
}

TEST_F(BitmapLoad, EightBitOddWidthRowsArePadded) {
  std::vector<COLORREF> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = RGB(i, 255 - i, i / 2);
  auto index = [](int x, int y) -> int { return static_cast<std::uint8_t>(x * 40 + y * 3); };
  media_test::WriteBitmapFile("斬撃エフェクト１", media_test::Bmp8(5, 4, palette, index));
  Bitmap b;
  ASSERT_TRUE(b.Load("斬撃エフェクト１"));
  EXPECT_EQ(b.GetStride(), 16);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) ExpectColour(PixelAt(b, x, y), palette[index(x, y)]);
  }
}

}  // namespace
