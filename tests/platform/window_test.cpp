// The headless window: creation, sizes, synchronous paint, the message order, closing, boxes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "tests/support/headless_test.h"

namespace {

struct Seen {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  std::uint64_t at;
};
std::vector<Seen> seen;
bool paint_validates = true;

LRESULT CALLBACK_Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  seen.push_back({msg, wparam, lparam, headless::Now()});
  switch (msg) {
    case WM_PAINT:
      if (paint_validates) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(7);
      return 0;
    case WM_CREATE:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

class Window : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    seen.clear();
    paint_validates = true;
    WNDCLASSA wc{CS_HREDRAW | CS_VREDRAW, CALLBACK_Proc, "メインウィンドウ"};
    ASSERT_TRUE(RegisterClassA(&wc));
  }
  HWND Create(DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) {
    return CreateWindowExA(0, "メインウィンドウ", "VALDRIMⅡ", style, CW_USEDEFAULT, CW_USEDEFAULT, 846, 508, nullptr,
                           nullptr, nullptr, nullptr);
  }
  std::vector<UINT> Messages() const {
    std::vector<UINT> out;
    for (const Seen& s : seen) out.push_back(s.message);
    return out;
  }
};

TEST_F(Window, CreateRunsWmCreateInsideTheCallAndKeepsTheCaption) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, WM_CREATE);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(headless::WindowCaption(), "VALDRIMⅡ");
  EXPECT_EQ(CreateWindowExA(0, "ほかのクラス", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  WNDCLASSA again{0, CALLBACK_Proc, "メインウィンドウ"};
  EXPECT_FALSE(RegisterClassA(&again));
}

TEST_F(Window, OuterSizeGivesTheClientArea) {
  HWND hwnd = Create();
  auto p = headless::WindowPlacement();
  ASSERT_TRUE(p);
  EXPECT_EQ(p->client_width, 840);
  EXPECT_EQ(p->client_height, 480);
  EXPECT_TRUE(MoveWindow(hwnd, 150, 150, 646, 508, TRUE));
  p = headless::WindowPlacement();
  EXPECT_EQ(p->x, 150);
  EXPECT_EQ(p->y, 150);
  EXPECT_EQ(p->width, 646);
  EXPECT_EQ(p->client_width, 640);
  EXPECT_EQ(p->client_height, 480);
}

TEST_F(Window, MoveWithRepaintErasesAndPaintsTheWholeClientArea) {
  HWND hwnd = Create();
  headless::PumpMessages();
  seen.clear();
  MoveWindow(hwnd, 150, 150, 646, 508, TRUE);
  headless::PumpMessages();
  EXPECT_EQ(Messages(), std::vector<UINT>{WM_PAINT});
  MoveWindow(hwnd, 150, 150, 846, 508, FALSE);
  EXPECT_EQ(headless::PumpMessages(), 0);
}

TEST_F(Window, UpdateWindowPaintsBeforeItReturnsAndOnlyWhenInvalid) {
  HWND hwnd = Create();
  headless::PumpMessages();  // the first paint of the new window
  const int painted = headless::PaintCount();
  seen.clear();
  EXPECT_TRUE(UpdateWindow(hwnd));
  EXPECT_TRUE(seen.empty());
  RECT r{0, 0, 840, 480};
  InvalidateRect(hwnd, &r, FALSE);
  EXPECT_TRUE(seen.empty());  // nothing until the update
  UpdateWindow(hwnd);
  EXPECT_EQ(Messages(), std::vector<UINT>{WM_PAINT});
  EXPECT_EQ(headless::PaintCount(), painted + 1);
  EXPECT_EQ(headless::PumpMessages(), 0);  // validated: no second paint queued
}

TEST_F(Window, APaintHandlerThatDoesNotValidateIsPaintedOnce) {
  HWND hwnd = Create();
  paint_validates = false;
  EXPECT_EQ(headless::PumpMessages(), 1);
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  EXPECT_EQ(headless::PumpMessages(), 0);
}

TEST_F(Window, PaintKeepsThePictureUnlessErased) {
  HWND hwnd = Create();
  headless::PumpMessages();
  PAINTSTRUCT ps;
  // Draw a red pixel through a paint, then repaint without erasing: it stays.
  InvalidateRect(hwnd, nullptr, FALSE);
  HDC dc = BeginPaint(hwnd, &ps);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ps.rcPaint.right, 840);
  std::uint8_t red[4] = {0, 0, 255, 0};
  BITMAPINFO info{};
  info.bmiHeader = {40, 1, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  StretchDIBits(dc, 5, 6, 1, 1, 0, 0, 1, 1, red, &info, DIB_RGB_COLORS, SRCCOPY);
  EndPaint(hwnd, &ps);
  EXPECT_EQ(headless::Framebuffer().Pixel(5, 6), RGB(255, 0, 0));
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  EXPECT_EQ(headless::Framebuffer().Pixel(5, 6), RGB(255, 0, 0));
  // A move with repaint erases to the window's white background.
  MoveWindow(hwnd, 0, 0, 846, 508, TRUE);
  headless::PumpMessages();
  EXPECT_EQ(headless::Framebuffer().Pixel(5, 6), RGB(255, 255, 255));
}

TEST_F(Window, MouseCarriesClientCoordinatesAndGoesBeforePaintAndTimers) {
  HWND hwnd = Create();
  headless::PumpMessages();
  seen.clear();
  SetTimer(hwnd, 1, 100, nullptr);
  headless::AdvanceClock(100);
  InvalidateRect(hwnd, nullptr, FALSE);
  headless::PostMouse(WM_MOUSEMOVE, 639, 479);
  headless::PostMouse(WM_LBUTTONDOWN, 12, 34);
  headless::PostMouse(WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(headless::PumpMessages(), 5);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_PAINT, WM_TIMER}));
  EXPECT_EQ(LOWORD(seen[0].lparam), 639);
  EXPECT_EQ(HIWORD(seen[0].lparam), 479);
  EXPECT_EQ(LOWORD(seen[1].lparam), 12);
  EXPECT_EQ(HIWORD(seen[1].lparam), 34);
  EXPECT_EQ(seen[4].wparam, 1u);
}

TEST_F(Window, CloseBoxDestroysTheWindowAndTheLoopEndsWithTheQuitCode) {
  HWND hwnd = Create();
  SetTimer(hwnd, 1, 100, nullptr);
  headless::CloseWindow();
  MSG msg;
  std::vector<UINT> loop;
  int r;
  while ((r = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    loop.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(r, 0);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(loop, std::vector<UINT>{WM_CLOSE});
  EXPECT_EQ(Messages().back(), WM_DESTROY);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(headless::Timer(1));
  EXPECT_EQ(headless::QuitCode(), 7);
}

TEST_F(Window, MessageLoopRunsOnVirtualTimeUpToTheLimit) {
  HWND hwnd = Create();
  SetTimer(hwnd, 1, 100, nullptr);
  headless::SetMessageLoopLimit(1000);
  MSG msg;
  int ticks = 0;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) ++ticks;
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(ticks, 10);
  EXPECT_EQ(headless::Now(), 1000u);
}

TEST_F(Window, MessageBoxesAreRecordedAndAnsweredAtOnce) {
  HWND hwnd = Create();
  EXPECT_EQ(MessageBoxA(nullptr, "ファイルが開けません", "エラー！！", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(hwnd, "", "ローダの作成失敗", MB_OK), IDOK);
  const auto& boxes = headless::Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].text, "ファイルが開けません");
  EXPECT_EQ(boxes[0].caption, "エラー！！");
  EXPECT_EQ(boxes[1].owner, hwnd);
  EXPECT_EQ(boxes[1].text, "");
  EXPECT_EQ(boxes[1].caption, "ローダの作成失敗");
  headless::ClearBoxes();
  EXPECT_TRUE(headless::Boxes().empty());
}

}  // namespace
