// Showing a composed canvas in the window: bottom-up rows land top-down, at the given place.
#include <gtest/gtest.h>

#include <memory>

#include "media/canvas.h"
#include "media/work_bitmap.h"
#include "tests/media/media_test.h"

namespace {

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) { return DefWindowProcA(hwnd, msg, wparam, lparam); }

class WindowBlit : public media_test::PictureTest {
 protected:
  void SetUp() override {
    PictureTest::SetUp();
    WNDCLASSA wc{CS_HREDRAW | CS_VREDRAW, Proc, "メインウィンドウ"};
    ASSERT_TRUE(RegisterClassA(&wc));
    hwnd_ = CreateWindowExA(0, "メインウィンドウ", "VALDRIMⅡ", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                            0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd_, nullptr);
    headless::PumpMessages();
  }
  std::unique_ptr<Bitmap> Picture(const char* name, int width, int height, const media_test::ColourAt& colour) {
    media_test::WriteBitmapFile(name, media_test::Bmp24(width, height, colour));
    auto b = std::make_unique<Bitmap>();
    EXPECT_TRUE(b->Load(name));
    return b;
  }
  HWND hwnd_ = nullptr;
};

COLORREF Gradient(int x, int y) { return RGB(x % 256, y % 256, (x + y) % 200); }

TEST_F(WindowBlit, CanvasRowsAreShownFromTheBottomUp) {
  auto back = Picture("オープニングⅡ", 640, 480, Gradient);
  auto panel = Picture("エンディング１０", 200, 480, [](int x, int y) { return RGB(200, x, y % 256); });
  auto sprite = Picture("斬撃エフェクト１", 48, 48, [](int x, int y) { return x < 4 ? 0xFF00FF : RGB(1, 2, y); });
  Canvas main, side;
  ASSERT_TRUE(main.CopyFrom(back.get()));
  ASSERT_TRUE(main.BlitCell(sprite.get(), 100, 0, 0, 0, 1, 1, 0xFF00FF));
  ASSERT_TRUE(side.CopyFrom(panel.get()));

  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(WorkBitmap::StretchToDC(dc, 0, 0, 640, 480, 0, 0, 640, 480, main.GetHeader(), main.GetPixels()), 480);
  EXPECT_EQ(WorkBitmap::StretchToDC(dc, 0, 0, 200, 480, 640, 0, 200, 480, side.GetHeader(), side.GetPixels()), 480);
  EndPaint(hwnd_, &ps);

  const platform::Framebuffer& fb = headless::Framebuffer();
  // Canvas row y is window row 479 - y.
  EXPECT_EQ(fb.Pixel(0, 479), Gradient(0, 0));
  EXPECT_EQ(fb.Pixel(639, 0), Gradient(639, 479));
  EXPECT_EQ(fb.Pixel(300, 200), Gradient(300, 279));
  EXPECT_EQ(fb.Pixel(100, 479), Gradient(100, 0));  // key column of the sprite
  EXPECT_EQ(fb.Pixel(104, 479), RGB(1, 2, 0));
  EXPECT_EQ(fb.Pixel(147, 432), RGB(1, 2, 47));
  EXPECT_EQ(fb.Pixel(640, 479), RGB(200, 0, 0));
  EXPECT_EQ(fb.Pixel(839, 0), RGB(200, 199, 223));
}

TEST_F(WindowBlit, PartOfACanvasAndAFadedCanvas) {
  auto back = Picture("オープニングⅡ", 640, 480, Gradient);
  Canvas canvas;
  ASSERT_TRUE(canvas.CopyFrom(back.get()));
  ASSERT_TRUE(WorkBitmap::AdjustBrightness(canvas.GetHeader(), canvas.GetPixels(), -20));
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  // Source (10, 20, 30, 40) counts 20 rows up from the canvas's bottom edge; shown at (5, 6).
  EXPECT_EQ(WorkBitmap::StretchToDC(dc, 10, 20, 30, 40, 5, 6, 30, 40, canvas.GetHeader(), canvas.GetPixels()), 40);
  // A canvas that holds no picture shows nothing.
  Canvas empty;
  EXPECT_EQ(WorkBitmap::StretchToDC(dc, 0, 0, 640, 480, 0, 0, 640, 480, empty.GetHeader(), empty.GetPixels()), 0);
  EndPaint(hwnd_, &ps);

  const platform::Framebuffer& fb = headless::Framebuffer();
  auto faded = [](int x, int y) {
    const COLORREF c = Gradient(x, y);
    auto down = [](int v) { return v < 20 ? 0 : v - 20; };
    return RGB(down(c & 0xFF), down((c >> 8) & 0xFF), down((c >> 16) & 0xFF));
  };
  EXPECT_EQ(fb.Pixel(5, 45), faded(10, 20));  // the source's bottom row on the destination's last
  EXPECT_EQ(fb.Pixel(34, 6), faded(39, 59));  // its top row on the first
  EXPECT_EQ(fb.Pixel(4, 6), RGB(255, 255, 255));
  EXPECT_EQ(fb.Pixel(35, 46), RGB(255, 255, 255));
}

}  // namespace
