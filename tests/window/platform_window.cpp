// Opens the game's window with the real back end, paints a picture through StretchDIBits and
// the game's texts in its two fonts, and has the screen checked at 846 x 508 and at 646 x 508;
// then a hover repaint as the screens do it (a small area invalidated, the whole picture drawn
// again with a few small changes, one outside that area), which the screen must show too.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win.h"
#include "tests/window/support/window_shot.h"

namespace {

HFONT font1 = nullptr;
HFONT font2 = nullptr;
int step = 0;
bool ok = true;
bool hovered = false;

// An 840 x 480 bottom-up 24-bit picture: colour bands, a grid, and a red bottom row and a blue
// top row so that a picture shown upside down cannot pass.
std::vector<std::uint8_t> Picture(BITMAPINFO& info) {
  const int w = 840, h = 480, stride = (w * 3 + 3) & ~3;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * h);
  for (int y = 0; y < h; ++y) {  // y counted from the bottom
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = bits.data() + y * stride + x * 3;
      int r = 120 + x * 100 / w, g = 150 + y * 80 / h, b = 220 - x * 60 / w;
      if (x % 40 == 0 || y % 40 == 0) r = g = b = 90;
      if (y == 0) r = 255, g = 0, b = 0;
      if (y == h - 1) r = 0, g = 0, b = 255;
      p[0] = static_cast<std::uint8_t>(b);
      p[1] = static_cast<std::uint8_t>(g);
      p[2] = static_cast<std::uint8_t>(r);
    }
  }
  info = BITMAPINFO{};
  info.bmiHeader = {40, w, h, 1, 24, BI_RGB, static_cast<DWORD>(stride * h), 0, 0, 0, 0};
  return bits;
}

void Text(HDC dc, int x, int y, const char* s) {
  if (!TextOutA(dc, x, y, s, static_cast<int>(std::strlen(s)))) ok = false;
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  BITMAPINFO info;
  const std::vector<std::uint8_t> bits = Picture(info);
  if (StretchDIBits(dc, 0, 0, 840, 480, 0, 0, 840, 480, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY) != 480) ok = false;
  SetBkMode(dc, TRANSPARENT);
  const char* texts[] = {"VALDRIMⅡ", "※  セーブデータを保存します", "ウィンドウ　エラ－！！", "HP  195  /  195"};
  SelectObject(dc, font1);
  int y = 20;
  for (const char* s : texts) {
    Text(dc, 20, y, s);
    y += 24;
  }
  SetTextColor(dc, RGB(200, 30, 30));
  Text(dc, 660, 20, "VALDRIMⅡ");
  SelectObject(dc, font2);
  SetTextColor(dc, RGB(30, 30, 200));
  for (const char* s : texts) {
    Text(dc, 20, y, s);
    y += 16;
  }
  SetTextColor(dc, RGB(0, 0, 0));
  Text(dc, 660, 44, "HP  195  /  195");
  if (hovered) {
    // A lit 37 x 13 button at odd columns, and a text well outside the invalidated area.
    if (StretchDIBits(dc, 101, 203, 37, 13, 11, 7, 37, 13, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY) != 13) ok = false;
    SetTextColor(dc, RGB(250, 250, 0));
    Text(dc, 333, 301, "選択");
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  EndPaint(hwnd, &ps);
}

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_CREATE:
      font1 = CreateFontA(-16, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
      font2 = CreateFontA(-10, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
      SetTimer(hwnd, 1, 300, nullptr);
      return 0;
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_TIMER:
      ++step;
      if (step == 1) {
        if (!window_test::Shot("wide")) ok = false;
        MoveWindow(hwnd, 150, 150, 646, 508, TRUE);  // repainted by the next WM_PAINT
      } else if (step == 2) {
        if (!window_test::Shot("narrow")) ok = false;
        hovered = true;
        const RECT button{101, 203, 138, 216};
        InvalidateRect(hwnd, &button, FALSE);
        UpdateWindow(hwnd);
      } else if (step == 3) {
        if (!window_test::Shot("hover")) ok = false;
        KillTimer(hwnd, 1);
        window_test::AskToClose();
      }
      return 0;
    case WM_DESTROY:
      DeleteObject(font1);
      DeleteObject(font2);
      KillTimer(hwnd, 1);
      PostQuitMessage(ok ? 0 : 3);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

}  // namespace

int main() {
  WNDCLASSA wc{CS_HREDRAW | CS_VREDRAW, Proc, "メインウィンドウ"};
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowExA(0, "メインウィンドウ", "VALDRIMⅡ", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              CW_USEDEFAULT, CW_USEDEFAULT, 846, 508, nullptr, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) return 2;
  MSG msg;
  int r;
  while ((r = GetMessageA(&msg, nullptr, 0, 0)) != 0 && r != -1) DispatchMessageA(&msg);
  if (!ok) std::fprintf(stderr, "a drawing call failed or a screenshot was not taken\n");
  return static_cast<int>(msg.wParam);
}
