#pragma once
// A window with an open paint, for the drawing tests.
#include <cstring>

#include "platform/headless.h"
#include "tests/support/headless_test.h"

class PaintTest : public test_support::HeadlessTest {
 protected:
  static LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }
  void SetUp() override {
    HeadlessTest::SetUp();
    WNDCLASSA wc{0, Proc, "paint"};
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "paint", "p", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
    dc = BeginPaint(hwnd, &ps);
    ASSERT_NE(dc, nullptr);
  }
  void TearDown() override {
    EndPaint(hwnd, &ps);
    HeadlessTest::TearDown();
  }
  const platform::Framebuffer& Fb() const { return headless::Framebuffer(); }
  BOOL Out(int x, int y, const char* s) { return TextOutA(dc, x, y, s, static_cast<int>(std::strlen(s))); }

  HWND hwnd = nullptr;
  HDC dc = nullptr;
  PAINTSTRUCT ps{};
};
