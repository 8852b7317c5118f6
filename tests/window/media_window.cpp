// The media layer in the real window: a 640 x 480 background and a sprite sheet with magenta key
// pixels are written as BMP files, loaded through a bitmap bank, composed on a canvas with the
// plain, mirrored, blended and recoloured cell blits, shown with WorkBitmap::StretchToDC, and
// written over with the game's texts in both fonts. The screen must show exactly the framebuffer.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "media/bitmap_bank.h"
#include "media/canvas.h"
#include "media/work_bitmap.h"
#include "platform/text.h"
#include "platform/win.h"
#include "tests/window/support/window_shot.h"
#include "world/names.h"

namespace {

constexpr NameRef kBackground = names::Of("オープニングⅡ");
constexpr NameRef kSheet = names::Of("民間兵A");
constexpr COLORREF kKey = RGB(255, 0, 255);

HFONT font1 = nullptr;
HFONT font2 = nullptr;
BitmapBank bank;
bool ok = true;
int step = 0;

// A sky over a field: the background must cover the whole canvas.
COLORREF Background(int x, int y) {
  if (y > 200) return RGB(90 + y / 6, 140 + y / 8, 230);
  return RGB(60 + x / 10, 140 + y / 4, 50 + (x * y) % 23);
}

// A 4 x 2 sheet of 48 x 48 cells: a figure with a grey (57, 57, 57) tabard on a magenta ground;
// the cell's column moves its arm so that a mirrored cell is told apart.
COLORREF Sheet(int x, int y) {
  int cx = x % 48, cy = y % 48, col = x / 48;
  bool head = (cx - 24) * (cx - 24) + (cy - 38) * (cy - 38) < 36;
  bool body = cx >= 17 && cx < 31 && cy >= 12 && cy < 31;
  bool legs = ((cx >= 18 && cx < 22) || (cx >= 26 && cx < 30)) && cy >= 2 && cy < 12;
  bool arm = cx >= 31 && cx < 35 + col * 3 && cy >= 22 && cy < 26;
  if (head) return RGB(240, 200, 160);
  if (body) return RGB(57, 57, 57);
  if (legs) return RGB(110, 70, 30);
  if (arm) return RGB(200, 200, 210);
  return kKey;
}

// A bottom-up 24-bit BMP; colour(x, y) with y counted from the bottom.
bool WriteBmp(const std::string& path, int w, int h, COLORREF (*colour)(int, int)) {
  const int stride = (w * 3 + 3) & ~3;
  std::vector<std::uint8_t> f(54 + static_cast<std::size_t>(stride) * h);
  auto put = [&f](int off, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put(2, static_cast<std::uint32_t>(f.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, w, 4);
  put(22, h, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      COLORREF c = colour(x, y);
      std::uint8_t* p = f.data() + 54 + y * stride + x * 3;
      p[0] = static_cast<std::uint8_t>(c >> 16);
      p[1] = static_cast<std::uint8_t>(c >> 8);
      p[2] = static_cast<std::uint8_t>(c);
    }
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
  return static_cast<bool>(out);
}

bool WritePictures() {
  std::filesystem::create_directories("BITMAP");
  auto write = [](NameRef name, int w, int h, COLORREF (*colour)(int, int)) {
    std::string path = platform::FileSystemPath(std::string("BITMAP/") + names::Text(name) + ".dat");
    return WriteBmp(path, w, h, colour);
  };
  return write(kBackground, 640, 480, Background) && write(kSheet, 192, 96, Sheet);
}

void Text(HDC dc, int x, int y, const char* s) {
  if (!TextOutA(dc, x, y, s, static_cast<int>(std::strlen(s)))) ok = false;
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  Canvas canvas;
  const Bitmap* sheet = bank.Get(kSheet);
  ok = canvas.CopyFrom(bank.Get(kBackground)) && ok;
  for (int col = 0; col < 4; ++col) {
    ok = canvas.BlitCell(sheet, 40 + col * 60, 60, col, 0, 4, 2, kKey) && ok;
    ok = canvas.BlitCellMirrored(sheet, 40 + col * 60, 130, col, 1, 4, 2, kKey) && ok;
  }
  ok = canvas.BlitCellBlend(sheet, 320, 60, 0, 0, 4, 2, 20, kKey) && ok;
  ok = canvas.BlitCellRecolour(sheet, 380, 60, 1, 0, 4, 2, kKey, RGB(57, 57, 57), RGB(150, 57, 57)) && ok;
  ok = canvas.BlitCellMirroredRecolour(sheet, 440, 60, 2, 0, 4, 2, kKey, RGB(57, 57, 57), RGB(57, 57, 150)) && ok;
  WorkBitmap::StretchToDC(dc, 0, 0, 640, 480, 0, 0, 640, 480, canvas.GetHeader(), canvas.GetPixels());
  canvas.Free();

  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, font1);
  SetTextColor(dc, RGB(0, 0, 0));
  Text(dc, 20, 20, "VALDRIMⅡ");
  Text(dc, 20, 44, "※  セーブデータを保存します");
  Text(dc, 20, 68, "ウィンドウ　エラ－！！");
  SelectObject(dc, font2);
  SetTextColor(dc, RGB(200, 30, 30));
  Text(dc, 20, 96, "HP  195  /  195");
  Text(dc, 660, 20, "VALDRIMⅡ");
  EndPaint(hwnd, &ps);
}

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_CREATE:
      font1 = CreateFontA(-16, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
      font2 = CreateFontA(-10, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
      ok = bank.Register(kBackground) && bank.Register(kSheet) && ok;
      SetTimer(hwnd, 1, 300, nullptr);
      return 0;
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_TIMER:
      if (++step == 1) {
        ok = window_test::Shot("composed") && ok;
        KillTimer(hwnd, 1);
        window_test::AskToClose();
      }
      return 0;
    case WM_DESTROY:
      DeleteObject(font1);
      DeleteObject(font2);
      PostQuitMessage(ok ? 0 : 3);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wparam, lparam);
  }
}

}  // namespace

int main() {
  // The pictures go into a fresh folder that becomes the current one, as the game's folder is.
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("valdrim_media_window_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  if (!WritePictures()) return 4;
  WNDCLASSA wc{CS_HREDRAW | CS_VREDRAW, Proc, "メインウィンドウ"};
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowExA(0, "メインウィンドウ", "VALDRIMⅡ", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              CW_USEDEFAULT, CW_USEDEFAULT, 846, 508, nullptr, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) return 2;
  MSG msg;
  int r;
  while ((r = GetMessageA(&msg, nullptr, 0, 0)) != 0 && r != -1) DispatchMessageA(&msg);
  std::filesystem::current_path("/");
  std::filesystem::remove_all(dir);
  if (!ok) std::fprintf(stderr, "a picture did not load, a blit failed or a screenshot was not taken\n");
  return static_cast<int>(msg.wParam);
}
