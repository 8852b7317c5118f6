#pragma once
// The window model that both back ends share: the one window, its invalid area, the message
// queue and the timers, kept as Windows keeps them. The back ends add the clock, the waiting and
// the showing of the picture. Nothing here includes SDL.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framebuffer.h"
#include "platform/win.h"

struct DeviceContext {
  platform::Framebuffer* target = nullptr;
  HGDIOBJ font = nullptr;
  COLORREF text_colour = RGB(0, 0, 0);
  COLORREF background = RGB(255, 255, 255);
  int bk_mode = OPAQUE;
};

struct WindowObject {
  WNDPROC proc = nullptr;
  std::string class_name;
  std::string caption;  // CP932
  DWORD style = 0;
  int x = 0, y = 0, width = 0, height = 0;  // outer placement
  bool invalid = false;
  bool erase = false;
  RECT invalid_rect{0, 0, 0, 0};
  DeviceContext dc;
  int paints = 0;  // WM_PAINT messages handled
};

namespace platform::core {

// Outer size w x h holds a client area of (w - 6) x (h - 28).
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 28;
inline int ClientWidth(const WindowObject& w) { return w.width - kFrameWidth > 0 ? w.width - kFrameWidth : 0; }
inline int ClientHeight(const WindowObject& w) { return w.height - kFrameHeight > 0 ? w.height - kFrameHeight : 0; }

// Forgets the window, the queue, the timers and the class registrations.
void Reset();

bool RegisterClass(const char* class_name, WNDPROC proc);
// The registered class's procedure, or null.
WNDPROC ClassProcedure(const char* class_name);
// Makes the one window (no message sent yet); null when the class is unknown.
HWND NewWindow(const char* class_name, const char* caption, DWORD style, int x, int y, int width, int height);
// The live window, or null.
HWND Window();
// Sends WM_DESTROY and forgets the window, its timers and its queued messages.
void Destroy(HWND hwnd);
// Moves and resizes; with repaint the whole client area becomes invalid and is erased.
void Move(HWND hwnd, int x, int y, int width, int height, bool repaint);

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// WM_PAINT to the procedure; a procedure that does not validate is validated afterwards, so
// that one invalidation gives one paint.
void SendPaint(HWND hwnd);
void Invalidate(HWND hwnd, const RECT* rect, bool erase);
// BeginPaint: the device context on the framebuffer, the invalid area erased if asked, validated.
HDC StartPaint(HWND hwnd, PAINTSTRUCT* ps);

// Timers at the given time (milliseconds of the back end's clock).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, std::uint64_t now);
bool KillTimer(HWND hwnd, UINT_PTR id);
// Timers whose time has come get their one pending tick (ticks that fall due while one is still
// pending are merged into it).
void ExpireTimers(std::uint64_t now);
// When the next timer falls due, if any timer runs.
std::optional<std::uint64_t> NextTimerDue();
struct TimerInfo {
  UINT_PTR id;
  UINT period;
  std::uint64_t due;
  bool pending;
};
std::vector<TimerInfo> Timers();

// Input from the user (mouse, the close box), queued in order.
void PostInput(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
void PostQuit(int exit_code);
std::optional<int> QuitCode();

// The next message without waiting, in Windows' order: queued input first, then the quit
// message, then a paint of the invalid area, then the earliest pending timer tick. What other
// threads posted to the game's thread runs first.
bool TakeMessage(MSG* msg);

// Work that another thread hands to the game's thread (the box of a music set-up that failed
// behind the game's back, say): the message loop runs it, in the order posted, before it takes
// its next message. Safe to call from any thread.
void PostToGameThread(std::function<void()> call);

// The texts written with TextOutA, kept only while a test asks for them (headless.h).
struct TextCall {
  int x, y;
  std::string text;  // CP932, as given
  COLORREF colour;
  int font_height;   // of the font selected when it was written
};
void SetTextRecording(bool on);
void NoteText(int x, int y, std::string_view text, COLORREF colour, int font_height);
std::vector<TextCall>& TextCalls();

}  // namespace platform::core
