// Broken picture files: each one is refused with the format box and never read past its end.
// Run under the sanitizer build, an out-of-bounds read here fails the suite.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "media/bitmap.h"
#include "tests/media/media_test.h"

namespace {

using CorruptBitmap = media_test::PictureTest;

using Bytes = std::vector<std::uint8_t>;
using media_test::Put16;
using media_test::Put32;

constexpr const char* kName = "オープニングⅡ";

COLORREF Grey(int x, int y) { return RGB(x * 7, y * 5, 90); }

Bytes Good24() { return media_test::Bmp24(6, 5, Grey); }
Bytes Good8() {
  std::vector<COLORREF> palette(256, RGB(9, 9, 9));
  return media_test::Bmp8(6, 5, palette, [](int x, int y) { return x + y; });
}

struct Broken {
  std::string what;
  std::function<Bytes()> make;
};

Bytes Patched32(Bytes f, std::size_t offset, std::uint32_t v) {
  Put32(f, offset, v);
  return f;
}
Bytes Patched16(Bytes f, std::size_t offset, std::uint16_t v) {
  Put16(f, offset, v);
  return f;
}
Bytes Cut(Bytes f, std::size_t size) {
  f.resize(size);
  return f;
}

std::vector<Broken> BrokenFiles() {
  return {
      {"empty", [] { return Bytes{}; }},
      {"only the signature",
       [] {
         return Bytes{'B', 'M'};
       }},
      {"one byte short of the headers", [] { return Cut(Good24(), 53); }},
      {"headers only", [] { return Cut(Good24(), 54); }},
      {"last row one byte short", [] { return Cut(Good24(), Good24().size() - 3); }},
      {"8-bit rows cut", [] { return Cut(Good8(), 54 + 1024 + 8); }},
      {"not BM", [] { return Patched16(Good24(), 0, 0x4142); }},
      {"16 bits", [] { return Patched16(Good24(), 28, 16); }},
      {"32 bits", [] { return Patched16(Good24(), 28, 32); }},
      {"1 bit", [] { return Patched16(Good24(), 28, 1); }},
      {"0 bits", [] { return Patched16(Good24(), 28, 0); }},
      {"top-down rows", [] { return Patched32(Good24(), 22, static_cast<std::uint32_t>(-5)); }},
      {"negative width", [] { return Patched32(Good24(), 18, static_cast<std::uint32_t>(-6)); }},
      {"width 8193", [] { return Patched32(Good24(), 18, 8193); }},
      {"height 8193", [] { return Patched32(Good24(), 22, 8193); }},
      {"largest width with a small file", [] { return Patched32(Good24(), 18, 8192); }},
      {"largest height with a small file", [] { return Patched32(Good8(), 22, 8192); }},
      {"huge width and height", [] { return Patched32(Patched32(Good24(), 18, 0x7FFFFFFF), 22, 0x7FFFFFFF); }},
      {"most negative height", [] { return Patched32(Good24(), 22, 0x80000000u); }},
      {"run-length compressed", [] { return Patched32(Good8(), 30, 1); }},
      {"bit fields", [] { return Patched32(Good24(), 30, 3); }},
      {"version 4 info header", [] { return Patched32(Good24(), 14, 108); }},
      {"core header", [] { return Patched32(Good24(), 14, 12); }},
      {"pixel offset past the end", [] { return Patched32(Good24(), 10, 0xFFFFFFFF); }},
      {"pixel offset at the end", [] { return Patched32(Good24(), 10, static_cast<std::uint32_t>(Good24().size())); }},
      {"pixel offset one row late", [] { return Patched32(Good24(), 10, 54 + 20); }},
      {"8-bit colour table cut by the rows",
       [] {
         // Pixels right behind the info header, and an index whose table entry lies past the end.
         Bytes f = Cut(Good24(), 58);
         Put16(f, 28, 8);
         Put32(f, 18, 1);
         Put32(f, 22, 1);
         Put32(f, 10, 54);
         f[54] = 255;
         return f;
       }},
  };
}

TEST_F(CorruptBitmap, EveryBrokenFileIsRefusedWithTheFormatBox) {
  media_test::TakeBoxes();
  for (const Broken& broken : BrokenFiles()) {
    SCOPED_TRACE(broken.what);
    media_test::WriteBitmapFile(kName, broken.make());
    Bitmap b;
    EXPECT_FALSE(b.Load(kName));
    EXPECT_EQ(b.GetHeader(), nullptr);
    EXPECT_EQ(b.GetPixels(), nullptr);
    auto boxes = media_test::TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "24 or 8 ビットBMPファイルしか読み込めません");
    EXPECT_EQ(boxes[0].caption, kName);
  }
}

TEST_F(CorruptBitmap, TheUnbrokenFilesStillLoad) {
  media_test::TakeBoxes();
  for (const Bytes& f : {Good24(), Good8()}) {
    media_test::WriteBitmapFile(kName, f);
    Bitmap b;
    EXPECT_TRUE(b.Load(kName));
  }
  // An 8-bit file whose pixels sit right behind a short colour table reads only the entries it
  // has: index 1 is the second entry, and the file is accepted.
  Bytes short_table = Cut(Good24(), 54 + 8 + 4);
  Put16(short_table, 28, 8);
  Put32(short_table, 18, 1);
  Put32(short_table, 22, 1);
  Put32(short_table, 10, 62);
  short_table[58] = 0x11;
  short_table[59] = 0x22;
  short_table[60] = 0x33;
  short_table[62] = 1;
  media_test::WriteBitmapFile(kName, short_table);
  Bitmap b;
  ASSERT_TRUE(b.Load(kName));
  EXPECT_EQ(b.GetPixels()[0], 0x11);
  EXPECT_EQ(b.GetPixels()[2], 0x33);
  EXPECT_TRUE(media_test::TakeBoxes().empty());

  // A side of 0 is a picture without pixels: it loads, its rows are never read (even with the
  // pixel offset past the end), and it has no pixel bytes to draw from.
  for (const Bytes& f : {Patched32(Good24(), 18, 0), Patched32(Good8(), 22, 0),
                         Patched32(Patched32(Good24(), 22, 0), 10, 0xFFFFFFFF), Patched32(Good8(), 18, 0)}) {
    media_test::WriteBitmapFile(kName, f);
    Bitmap bare;
    ASSERT_TRUE(bare.Load(kName));
    ASSERT_NE(bare.GetHeader(), nullptr);
    EXPECT_EQ(std::int64_t{bare.GetHeader()->biWidth} * bare.GetHeader()->biHeight, 0);
    EXPECT_EQ(bare.GetHeader()->biBitCount, 24);
    EXPECT_EQ(bare.GetPixelBytes(), 0u);
  }
  EXPECT_TRUE(media_test::TakeBoxes().empty());
}

// Random damage to the headers and the first rows: whatever the loader decides, a refusal comes
// with exactly one box and an acceptance with none, and nothing is read out of bounds.
TEST_F(CorruptBitmap, RandomHeaderDamageNeverCrashes) {
  media_test::TakeBoxes();
  std::mt19937 gen(2024);
  int accepted = 0;
  for (int round = 0; round < 400; ++round) {
    Bytes f = round % 2 ? Good8() : Good24();
    const int hits = 1 + static_cast<int>(gen() % 4);
    for (int k = 0; k < hits; ++k) f[gen() % 64] = static_cast<std::uint8_t>(gen());
    if (round % 5 == 0) f.resize(gen() % f.size());
    media_test::WriteBitmapFile(kName, f);
    Bitmap b;
    const bool loaded = b.Load(kName);
    const auto boxes = media_test::TakeBoxes();
    ASSERT_EQ(boxes.size(), loaded ? 0u : 1u) << "round " << round;
    if (loaded) {
      ++accepted;
      ASSERT_NE(b.GetHeader(), nullptr);
      EXPECT_GE(b.GetWidth(), 0);
      EXPECT_LE(b.GetWidth(), 8192);
      EXPECT_GE(b.GetHeight(), 0);
      EXPECT_LE(b.GetHeight(), 8192);
      EXPECT_EQ(b.GetHeader()->biBitCount, 24);
    }
  }
  // Damage to unread header fields (resolution, image size, colours used) still loads.
  EXPECT_GT(accepted, 0);
}

}  // namespace
