#pragma once
// The window system, GDI text and blits, message boxes, timers and Sleep, in the shape the game
// calls them. Two back ends implement these declarations and are chosen at link time:
// platform/sdl (the real window, SDL2 + SDL2_ttf) and platform/headless (tests: a virtual clock,
// a readable framebuffer, recorded message boxes). No game code includes SDL.
#include <cstdint>

using BOOL = int;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR
using UINT_PTR = std::uintptr_t;

struct WindowObject;
using HWND = WindowObject*;
struct DeviceContext;
using HDC = DeviceContext*;
struct GdiObject;
using HGDIOBJ = GdiObject*;
using HFONT = GdiObject*;
using HINSTANCE = void*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};
struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
};
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

#pragma pack(push, 1)
struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
#pragma pack(pop)
struct RGBQUAD {
  BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  const char* lpszClassName;
};

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_RBUTTONDOWN = 0x0204;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

constexpr UINT MB_OK = 0x00000000;
constexpr int IDOK = 1;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr DWORD BI_RGB = 0;
constexpr int SYSTEM_FONT = 13;
constexpr int SHIFTJIS_CHARSET = 128;

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr WORD LOWORD(LPARAM v) { return static_cast<WORD>(static_cast<std::uintptr_t>(v) & 0xFFFF); }
constexpr WORD HIWORD(LPARAM v) { return static_cast<WORD>((static_cast<std::uintptr_t>(v) >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(lo) & 0xFFFF) | ((static_cast<std::uint32_t>(hi) & 0xFFFF) << 16));
}

// Window and messages. Outer size w x h has a client area of (w - 6) x (h - 28).
BOOL RegisterClassA(const WNDCLASSA* wc);
HWND CreateWindowExA(DWORD ex_style, const char* class_name, const char* caption, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
int GetMessageA(MSG* msg, HWND hwnd, UINT min, UINT max);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);

// Paint: one persistent client framebuffer. UpdateWindow runs WM_PAINT before it returns.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// Timers: at most one pending WM_TIMER per id; re-arming restarts the period; killing drops a
// pending tick.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, void* callback);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
void Sleep(DWORD ms);

// Message boxes: modal to the game (no game message is handled while one is open).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Text (CP932 strings).
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision,
                  DWORD quality, DWORD pitch_and_family, const char* face);
HGDIOBJ GetStockObject(int which);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
BOOL DeleteObject(HGDIOBJ obj);
int SetBkMode(HDC hdc, int mode);
COLORREF SetTextColor(HDC hdc, COLORREF color);
BOOL TextOutA(HDC hdc, int x, int y, const char* text, int length);

// Blit of a bottom-up 24-bit DIB into the framebuffer (1:1, clipped).
int StretchDIBits(HDC hdc, int dest_x, int dest_y, int dest_w, int dest_h, int src_x, int src_y, int src_w,
                  int src_h, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
