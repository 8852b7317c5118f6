// StretchDIBits as the window blit uses it: a bottom-up 24-bit picture copied 1:1, source y
// counted from the bottom edge, clipped to the framebuffer, never read outside the picture.
#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/paint_fixture.h"

namespace {

// A bottom-up picture whose pixel (x, y from the bottom) is RGB(x, y, 7), in a buffer of exactly
// its size, so that a read past it is caught by the sanitizer.
struct Dib {
  Dib(int w, int h) : stride((w * 3 + 3) & ~3), bits(static_cast<std::size_t>(stride) * h) {
    info.bmiHeader = {40, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint8_t* p = bits.data() + y * stride + x * 3;
        p[0] = 7;
        p[1] = static_cast<std::uint8_t>(y);
        p[2] = static_cast<std::uint8_t>(x);
      }
  }
  int stride;
  std::vector<std::uint8_t> bits;
  BITMAPINFO info{};
};

using Blit = PaintTest;
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST_F(Blit, BottomRowOfThePictureLandsOnTheLowestWindowRow) {
  for (int width : {1, 4, 5}) {  // strides 4, 12 and 16 bytes
    headless::Reset();
    SetUp();
    Dib dib(width, 3);
    EXPECT_EQ(StretchDIBits(dc, 10, 20, width, 3, 0, 0, width, 3, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY),
              3);
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(Fb().Pixel(10 + x, 22), RGB(x, 0, 7)) << width;  // bottom row
      EXPECT_EQ(Fb().Pixel(10 + x, 20), RGB(x, 2, 7)) << width;  // top row
    }
    EXPECT_EQ(Fb().Pixel(10 + width, 20), kWhite);
    EXPECT_EQ(Fb().Pixel(10, 23), kWhite);
  }
}

TEST_F(Blit, EveryRowLengthAndStartColumnCopiesEveryPixel) {
  // Long rows are copied several pixels a step: each length and start must land pixel for pixel.
  Dib dib(48, 2);
  for (int width = 1; width <= 40; ++width) {
    for (int from = 0; from < 3; ++from) {
      platform::ClientFramebuffer().Clear(kWhite);
      StretchDIBits(dc, 7, 0, width, 2, from, 0, width, 2, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
      for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(Fb().Pixel(6, y), kWhite);
        for (int x = 0; x < width; ++x) ASSERT_EQ(Fb().Pixel(7 + x, y), RGB(from + x, 1 - y, 7)) << width << " " << from;
        EXPECT_EQ(Fb().Pixel(7 + width, y), kWhite) << width << " " << from;
      }
    }
  }
}

TEST_F(Blit, SourceRectangleCountsYFromTheBottom) {
  Dib dib(200, 100);
  // The panel's way: the rectangle (x 50, y 10 from the bottom, 20 x 30) at (640, 0).
  StretchDIBits(dc, 640, 0, 20, 30, 50, 10, 20, 30, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(Fb().Pixel(640, 29), RGB(50, 10, 7));
  EXPECT_EQ(Fb().Pixel(640, 0), RGB(50, 39, 7));
  EXPECT_EQ(Fb().Pixel(659, 0), RGB(69, 39, 7));
  EXPECT_EQ(Fb().Pixel(660, 0), kWhite);
  EXPECT_EQ(Fb().Pixel(640, 30), kWhite);
}

TEST_F(Blit, ClippedToTheFramebufferOnEverySide) {
  Dib dib(40, 40);
  StretchDIBits(dc, 820, 460, 40, 40, 0, 0, 40, 40, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(Fb().Pixel(839, 479), RGB(19, 20, 7));
  EXPECT_EQ(Fb().Pixel(820, 460), RGB(0, 39, 7));
  // Nothing spilled onto the start of the next row or anywhere else.
  for (int y = 0; y < 480; ++y) EXPECT_EQ(Fb().Pixel(0, y), kWhite) << y;
  StretchDIBits(dc, -30, -35, 40, 40, 0, 0, 40, 40, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(Fb().Pixel(0, 0), RGB(30, 4, 7));
  EXPECT_EQ(Fb().Pixel(9, 4), RGB(39, 0, 7));
  EXPECT_EQ(Fb().Pixel(10, 0), kWhite);
  EXPECT_EQ(Fb().Pixel(0, 5), kWhite);
  // Wholly outside: nothing drawn, nothing read.
  StretchDIBits(dc, 900, 0, 40, 40, 0, 0, 40, 40, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  StretchDIBits(dc, 0, -100, 40, 40, 0, 0, 40, 40, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
}

TEST_F(Blit, NeverReadsOutsideThePicture) {
  Dib dib(5, 5);
  // A source rectangle larger than the picture copies only the picture's part.
  StretchDIBits(dc, 100, 100, 20, 20, -3, -2, 20, 20, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  // Source (0, 0) is at column 103 and row 100 + 19 - 2.
  EXPECT_EQ(Fb().Pixel(103, 117), RGB(0, 0, 7));
  EXPECT_EQ(Fb().Pixel(107, 113), RGB(4, 4, 7));
  EXPECT_EQ(Fb().Pixel(102, 117), kWhite);
  EXPECT_EQ(Fb().Pixel(108, 117), kWhite);
  EXPECT_EQ(Fb().Pixel(103, 118), kWhite);
  EXPECT_EQ(Fb().Pixel(103, 112), kWhite);
}

TEST_F(Blit, RefusesWhatTheGameNeverPasses) {
  Dib dib(8, 8);
  auto blit = [&](const BITMAPINFO& info, int dw, int sw) {
    return StretchDIBits(dc, 0, 0, dw, 8, 0, 0, sw, 8, dib.bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  };
  BITMAPINFO info = dib.info;
  EXPECT_EQ(blit(info, 16, 8), 0);  // stretching
  info.bmiHeader.biBitCount = 8;
  EXPECT_EQ(blit(info, 8, 8), 0);
  info = dib.info;
  info.bmiHeader.biHeight = -8;  // top-down
  EXPECT_EQ(blit(info, 8, 8), 0);
  info = dib.info;
  info.bmiHeader.biCompression = 1;
  EXPECT_EQ(blit(info, 8, 8), 0);
  EXPECT_EQ(StretchDIBits(dc, 0, 0, 8, 8, 0, 0, 8, 8, nullptr, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 8, 8, 0, 0, 8, 8, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(Fb().Pixel(0, 0), kWhite);
}

}  // namespace
