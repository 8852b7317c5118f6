// The game's text: the fixed grid of IPA Mincho standing in for "ＭＳ 明朝", synthesised bold,
// transparent and opaque backgrounds, the device context's font and colour, and the same
// drawing on any 24-bit picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/font.h"
#include "tests/platform/paint_fixture.h"

namespace {

HFONT Mincho(int height, int weight = 700, DWORD italic = 1) {
  return CreateFontA(height, 0, 0, 30, weight, italic, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
}

// The columns and rows that hold a pixel differing from the background.
struct Ink {
  int left = 10000, top = 10000, right = -1, bottom = -1, count = 0;
};
Ink InkOf(const platform::Framebuffer& fb, COLORREF background) {
  Ink ink;
  for (int y = 0; y < platform::Framebuffer::kHeight; ++y) {
    for (int x = 0; x < platform::Framebuffer::kWidth; ++x) {
      if (fb.Pixel(x, y) == background) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ++ink.count;
    }
  }
  return ink;
}

using Text = PaintTest;

TEST(TextGrid, SingleAndDoubleByteAdvancesForBothFontsAndTabsTakeNoRoom) {
  EXPECT_EQ(platform::CharAdvance(false, 16, true), 9);
  EXPECT_EQ(platform::CharAdvance(true, 16, true), 17);
  EXPECT_EQ(platform::CharAdvance(false, 10, true), 6);
  EXPECT_EQ(platform::CharAdvance(true, 10, true), 11);
  EXPECT_EQ(platform::TextAdvance("HP  195  /  195", 16, true), 15 * 9);
  EXPECT_EQ(platform::TextAdvance("※  セーブデータを保存します", 16, true), 13 * 17 + 2 * 9);
  EXPECT_EQ(platform::TextAdvance("※  セーブデータを保存します", 10, true), 13 * 11 + 2 * 6);
  EXPECT_EQ(platform::TextAdvance("ウィンドウ　エラ－！！", 10, true), 11 * 11);
  EXPECT_EQ(platform::TextAdvance("名前\t%d", 16, true), 2 * 17 + 2 * 9);
  // Half-width katakana are single bytes; a lead byte at the very end counts as one byte.
  EXPECT_EQ(platform::TextAdvance("ｱｲｳ", 16, true), 3 * 9);
  EXPECT_EQ(platform::TextAdvance(std::string_view("\x82", 1), 16, true), 9);
}

TEST_F(Text, CharactersStandOnTheGrid) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16));
  ASSERT_TRUE(platform::FontAvailable());
  // "  保存" drawn at 0 is "保" at 18 and "存" at 35.
  Out(0, 0, "  保存");
  const std::vector<std::uint8_t> together = Fb().Bytes();
  headless::Reset();
  SetUp();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16));
  Out(18, 0, "保");
  Out(35, 0, "存");
  EXPECT_EQ(Fb().Bytes(), together);
}

TEST_F(Text, ATabShowsNothingAndTakesNoRoom) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-10));
  Out(100, 100, "HP\t195");
  const std::vector<std::uint8_t> with_tab = Fb().Bytes();
  headless::Reset();
  SetUp();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-10));
  Out(100, 100, "HP195");
  EXPECT_EQ(Fb().Bytes(), with_tab);
}

TEST_F(Text, TextSitsBelowAndRightOfItsPointInTheTextColour) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16, 700, 0));
  SetTextColor(dc, RGB(200, 30, 30));
  Out(100, 50, "セーブ");
  Ink ink = InkOf(Fb(), RGB(255, 255, 255));
  ASSERT_GT(ink.count, 40);
  EXPECT_GE(ink.left, 100);
  EXPECT_LE(ink.right, 100 + 3 * 17);
  EXPECT_GE(ink.top, 50);
  EXPECT_LT(ink.bottom, 50 + 16);
  // Fully covered pixels have exactly the text colour.
  int solid = 0;
  for (int y = ink.top; y <= ink.bottom; ++y)
    for (int x = ink.left; x <= ink.right; ++x) solid += Fb().Pixel(x, y) == RGB(200, 30, 30);
  EXPECT_GT(solid, 10);
}

TEST_F(Text, BoldWidensEachGlyphByOnePixel) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16, 400, 0));
  Out(100, 100, "I");
  const Ink regular = InkOf(Fb(), RGB(255, 255, 255));
  headless::Reset();
  SetUp();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16, 700, 0));
  Out(100, 100, "I");
  const Ink bold = InkOf(Fb(), RGB(255, 255, 255));
  ASSERT_GT(regular.count, 0);
  EXPECT_EQ(bold.left, regular.left);
  EXPECT_EQ(bold.right, regular.right + 1);
  EXPECT_EQ(bold.top, regular.top);
  EXPECT_EQ(bold.bottom, regular.bottom);
}

TEST_F(Text, ItalicSlantsTheGlyph) {
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16, 700, 0));
  Out(100, 100, "l");
  const Ink upright = InkOf(Fb(), RGB(255, 255, 255));
  headless::Reset();
  SetUp();
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16, 700, 1));
  Out(100, 100, "l");
  const Ink italic = InkOf(Fb(), RGB(255, 255, 255));
  // A vertical stroke leans right: the slanted glyph is wider than the upright one.
  EXPECT_GT(italic.right - italic.left, upright.right - upright.left + 1);
}

TEST_F(Text, TransparentLeavesTheBackgroundOpaqueFillsTheCells) {
  // Paint a grey block, write on it transparently: grey stays grey between the strokes.
  std::vector<std::uint8_t> grey(3 * 60, 0x80);
  BITMAPINFO info{};
  info.bmiHeader = {40, 60, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  for (int y = 0; y < 20; ++y) StretchDIBits(dc, 0, y, 60, 1, 0, 0, 60, 1, grey.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SelectObject(dc, Mincho(-10));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);  // a fresh paint starts opaque
  Out(0, 0, "HP");
  int grey_left = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) grey_left += Fb().Pixel(x, y) == RGB(0x80, 0x80, 0x80);
  EXPECT_GT(grey_left, 40);
  EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
  Out(0, 10, "HP");
  int white = 0;
  for (int y = 10; y < 20; ++y)
    for (int x = 0; x < 12; ++x) white += Fb().Pixel(x, y) == RGB(255, 255, 255);
  EXPECT_GT(white, 40);
  EXPECT_EQ(Fb().Pixel(12, 10), RGB(0x80, 0x80, 0x80));  // only the two cells
}

TEST_F(Text, TextIsClippedToTheWindow) {
  SelectObject(dc, Mincho(-16));
  SetBkMode(dc, TRANSPARENT);
  EXPECT_TRUE(Out(830, 470, "保存します"));
  EXPECT_TRUE(Out(-20, -8, "保存します"));
  const Ink ink = InkOf(Fb(), RGB(255, 255, 255));
  EXPECT_GT(ink.count, 0);
  // The text at the right edge must not wrap onto the left of the next row.
  for (int y = 470; y < 480; ++y)
    for (int x = 40; x < 100; ++x) EXPECT_EQ(Fb().Pixel(x, y), RGB(255, 255, 255));
}

TEST_F(Text, DeviceContextObjectsAndDefaults) {
  HFONT f1 = Mincho(-16);
  HFONT f2 = Mincho(-10);
  HGDIOBJ system = GetStockObject(SYSTEM_FONT);
  EXPECT_EQ(SelectObject(dc, f1), system);  // a fresh paint has the system font
  EXPECT_EQ(SelectObject(dc, f2), f1);
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(dc, RGB(0, 0, 0)), RGB(1, 2, 3));
  EXPECT_EQ(SetBkMode(dc, 99), 0);
  // Deleting the selected font leaves the system font selected, never a dead one.
  EXPECT_TRUE(DeleteObject(f2));
  EXPECT_TRUE(Out(0, 0, "VALDRIMⅡ"));
  EXPECT_EQ(SelectObject(dc, f2), nullptr);  // deleted
  EXPECT_EQ(SelectObject(dc, f1), system);
  EXPECT_TRUE(DeleteObject(system));  // stock objects stay
  EXPECT_EQ(SelectObject(dc, system), f1);
  EXPECT_TRUE(DeleteObject(f1));
  // The next paint starts again from black text on an opaque background.
  SetTextColor(dc, RGB(9, 9, 9));
  EndPaint(hwnd, &ps);
  InvalidateRect(hwnd, nullptr, FALSE);
  dc = BeginPaint(hwnd, &ps);
  EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
}

TEST_F(Text, PicturesGetTheSamePixelsAsTheWindow) {
  // The asset generator writes labels on bottom-up blue-green-red pictures.
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, Mincho(-16));
  SetTextColor(dc, RGB(200, 30, 30));
  Out(3, 2, "※  セーブデータ");
  const int w = 200, h = 20, stride = (w * 3 + 3) & ~3;
  std::vector<std::uint8_t> picture(static_cast<std::size_t>(stride) * h, 0xFF);
  platform::PixelTarget target{picture.data(), w, h, stride, true, true};
  const int advance =
      platform::DrawCp932Text(target, 3, 2, "※  セーブデータ", platform::TextStyle{16, true, true, RGB(200, 30, 30)});
  EXPECT_EQ(advance, 7 * 17 + 2 * 9);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = picture.data() + (h - 1 - y) * stride + x * 3;
      ASSERT_EQ(RGB(p[2], p[1], p[0]), Fb().Pixel(x, y)) << x << "," << y;
    }
  }
}

// A broad sample of CP932 lines: every printable single byte and half-width kana, the rows of
// symbols and kana whole, a stride through the kanji and NEC rows, and the game's own habits
// (full-width blanks, a TAB, control bytes, a code with no character, a lead byte at the end).
std::vector<std::string> SampleLines() {
  std::string all;
  for (int c = 0x20; c <= 0xDF; ++c)
    if (c < 0x7F || c >= 0xA1) all += static_cast<char>(c);
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead == 0xA0) lead = 0xE0;
    const int step = lead <= 0x83 ? 1 : 7;
    for (int trail = step == 1 ? 0x40 : 0x40 + lead % 7; trail <= 0xFC; trail += step) {
      if (trail == 0x7F) continue;
      all += static_cast<char>(lead);
      all += static_cast<char>(trail);
    }
  }
  std::vector<std::string> lines;
  // Lines of 32 characters; a double-byte character is never split.
  for (std::size_t i = 0; i < all.size();) {
    std::size_t end = i;
    for (int k = 0; k < 32 && end < all.size(); ++k) {
      const auto c = static_cast<unsigned char>(all[end]);
      end += ((c >= 0x81 && c <= 0x9F) || c >= 0xE0) ? 2 : 1;
    }
    lines.push_back(all.substr(i, end - i));
    i = end;
  }
  lines.push_back("都市名：　アルム\t　 %4d年 ※\x01\x1F" "abc\x85\x40");
  lines.push_back("名前\x88");
  return lines;
}

TEST(TextCache, TheQuickPathGivesExactlyThePixelsOfThePlainOne) {
  ASSERT_TRUE(platform::FontAvailable());
  const platform::TextStyle styles[] = {{16, true, true}, {16, true, false}, {16, false, true},
                                        {10, true, false}, {10, false, true}, {10, true, true}};
  const COLORREF colours[] = {RGB(0, 0, 0), RGB(30, 30, 200), RGB(200, 30, 30), RGB(255, 255, 255), RGB(90, 160, 7)};
  const std::vector<std::string> lines = SampleLines();
  ASSERT_GT(lines.size(), 60u);
  // The window's top-down red-green-blue layout and the pictures' bottom-up blue-green-red one
  // with padded rows, over a background of every shade so each blend has something to mix.
  for (const bool picture : {false, true}) {
    const int w = 840, h = 480, stride = picture ? w * 3 + 4 : w * 3;
    std::vector<std::uint8_t> quick(static_cast<std::size_t>(stride) * h);
    for (std::size_t i = 0; i < quick.size(); ++i) quick[i] = static_cast<std::uint8_t>(i * 131 + 7);
    const std::vector<std::uint8_t> background = quick;
    std::vector<std::uint8_t> plain = quick;
    const platform::PixelTarget q{quick.data(), w, h, stride, picture, picture};
    const platform::PixelTarget p{plain.data(), w, h, stride, picture, picture};
    // Twice over, the second pass across the first and from the filled cache; some lines cut
    // off at each edge.
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t k = 0; k < lines.size(); ++k) {
        platform::TextStyle style = styles[(k + pass) % 6];
        style.colour = colours[(k + 2 * pass) % 5];
        const int x = static_cast<int>((k * 37 + pass * 101) % 900) - 40;
        const int y = static_cast<int>((k * 23 + pass * 13) % 520) - 20;
        ASSERT_EQ(platform::DrawCp932Text(q, x, y, lines[k], style),
                  platform::DrawCp932TextUncached(p, x, y, lines[k], style));
      }
    }
    std::size_t inked = 0;
    for (std::size_t i = 0; i < quick.size(); ++i) inked += quick[i] != background[i];
    EXPECT_GT(inked, quick.size() / 20);  // the sample covers the picture with text
    for (int row = 0; row < h; ++row) {
      ASSERT_TRUE(std::equal(quick.begin() + row * stride, quick.begin() + (row + 1) * stride,
                             plain.begin() + row * stride))
          << (picture ? "picture" : "window") << " row " << row;
    }
  }
}

}  // namespace

TEST_F(Text, RecordedTextCallsKeepPointTextColourAndFontOnlyWhileAsked) {
  HFONT small = Mincho(10);
  Out(1, 2, "not kept");
  EXPECT_TRUE(headless::TextCalls().empty());
  headless::RecordTexts(true);
  SelectObject(dc, small);
  SetTextColor(dc, RGB(30, 30, 200));
  Out(150, 85, "STATUS");
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, 220, 15, "名前：　abc", 6);  // a length shorter than the text
  ASSERT_EQ(headless::TextCalls().size(), 2u);
  const auto& first = headless::TextCalls()[0];
  EXPECT_EQ(first.x, 150);
  EXPECT_EQ(first.y, 85);
  EXPECT_EQ(first.text, "STATUS");
  EXPECT_EQ(first.colour, RGB(30, 30, 200));
  EXPECT_EQ(first.font_height, 10);
  EXPECT_EQ(headless::TextCalls()[1].text, "名前：");
  EXPECT_EQ(headless::TextCalls()[1].font_height, 16);
  // A refused call (bad length) is not a text; turning recording off forgets everything.
  EXPECT_FALSE(TextOutA(dc, 0, 0, "x", -1));
  EXPECT_EQ(headless::TextCalls().size(), 2u);
  headless::RecordTexts(false);
  EXPECT_TRUE(headless::TextCalls().empty());
  Out(3, 4, "after");
  EXPECT_TRUE(headless::TextCalls().empty());
  DeleteObject(small);
}
