// The platform's edges to the outside: CP932 names and texts converted with CP932's own table,
// and the framebuffer written out as a picture.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/framebuffer.h"
#include "platform/text.h"
#include "tests/support/headless_test.h"

namespace {

// Narrow literals are CP932 at run time; u8 literals stay UTF-8.
std::string Utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::vector<std::uint8_t> Read(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(Conversion, Cp932TextsAndNamesBecomeUtf8AndBack) {
  EXPECT_EQ(platform::FileSystemPath("BITMAP/思考フェーズ外枠.dat"), Utf8(u8"BITMAP/思考フェーズ外枠.dat"));
  // Characters whose CP932 form differs from Shift-JIS's or ends in the byte 0x5C.
  for (const char* s : {"～", "ソ", "表", "Ⅱ", "－", "ＭＳ 明朝", "※  セーブデータを保存します"}) {
    EXPECT_EQ(platform::ToCp932(platform::ToUtf8(s)), s);
  }
  EXPECT_EQ(platform::ToUtf8("～"), Utf8(u8"～"));   // U+FF5E, not the wave dash
  EXPECT_EQ(platform::ToUtf8("VALDRIMⅡ"), Utf8(u8"VALDRIMⅡ"));
  EXPECT_EQ(std::string("ソ"), "\x83\x5C");
  // A broken byte becomes one replacement character and the rest still converts.
  EXPECT_EQ(platform::ToUtf8("A\x80" "B"), std::string("A\xEF\xBF\xBD" "B"));
  EXPECT_EQ(platform::ToCp932(std::string("a\xF0\x9F\x98\x80" "b")), "a?b");
}

TEST(FramebufferFiles, PpmAndBmpHoldTheClientAreaTopRowFirstAndBottomUp) {
  test_support::TempDir dir;
  platform::Framebuffer fb;
  fb.FillRect(0, 0, 1, 1, RGB(10, 20, 30));      // top-left
  fb.FillRect(0, 479, 1, 480, RGB(40, 50, 60));  // bottom-left
  ASSERT_TRUE(fb.WritePpm(dir / "a.ppm", 640, 480));
  const auto ppm = Read(dir / "a.ppm");
  const std::string head = "P6\n640 480\n255\n";
  ASSERT_EQ(ppm.size(), head.size() + 640 * 480 * 3);
  EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + head.size()), head);
  EXPECT_EQ(ppm[head.size()], 10);
  EXPECT_EQ(ppm[head.size() + 640 * 479 * 3 + 2], 60);

  ASSERT_TRUE(fb.WriteBmp(dir / "a.bmp", 5, 480));  // 15 bytes of pixels, padded to 16
  const auto bmp = Read(dir / "a.bmp");
  ASSERT_EQ(bmp.size(), 54u + 16 * 480);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[28], 24);                        // bits per pixel
  EXPECT_EQ(bmp[54], 60);                        // first stored row is the bottom one, blue first
  EXPECT_EQ(bmp[54 + 16 * 479 + 2], 10);         // last stored row is the top one, red last
  EXPECT_FALSE(fb.WritePpm(dir / "no-such-folder/a.ppm"));
}

}  // namespace
