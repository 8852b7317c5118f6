#include "tests/support/counting_window.h"

namespace test_support {

int paints = 0;

namespace {

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    ++paints;
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace

HWND CountingWindow(const char* class_name) {
  paints = 0;
  WNDCLASSA wc{0, CountingProc, class_name};
  RegisterClassA(&wc);
  return CreateWindowExA(0, class_name, "VALDRIM", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace test_support
