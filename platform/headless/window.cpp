// The headless back end: the window calls that need a clock, a picture on screen or a person.
#include <cstdio>

#include "platform/core.h"
#include "platform/headless/clock.h"
#include "platform/win.h"

namespace core = platform::core;
using headless::detail::S;

namespace headless::detail {

State& S() {
  static State state;
  return state;
}

void MoveClockTo(std::uint64_t t) {
  if (t > S().now) S().now = t;
  core::ExpireTimers(S().now);
}

}  // namespace headless::detail

HWND CreateWindowExA(DWORD /*ex_style*/, const char* class_name, const char* caption, DWORD style, int x, int y,
                     int width, int height, HWND /*parent*/, void* /*menu*/, HINSTANCE /*instance*/,
                     void* /*param*/) {
  HWND hwnd = core::NewWindow(class_name, caption, style, x, y, width, height);
  if (hwnd == nullptr) return nullptr;
  // WM_CREATE runs inside the creation; -1 refuses the window.
  if (core::Send(hwnd, WM_CREATE, 0, 0) == -1) {
    core::Destroy(hwnd);
    return nullptr;
  }
  return core::Window() == hwnd ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  core::Destroy(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (!IsWindow(hwnd)) return FALSE;
  core::Move(hwnd, x, y, width, height, repaint != FALSE);
  return TRUE;
}

int GetMessageA(MSG* msg, HWND /*hwnd*/, UINT /*min*/, UINT /*max*/) {
  if (msg == nullptr) return -1;
  for (;;) {
    if (core::TakeMessage(msg)) return msg->message == WM_QUIT ? 0 : 1;
    // Nothing to do now: the clock jumps to the next timer tick.
    auto due = core::NextTimerDue();
    const auto& limit = S().loop_limit;
    if (!due || (limit && *due > *limit)) {
      // Nothing will ever arrive (or the test's time is up): end the loop as the quit message does.
      *msg = MSG{nullptr, WM_QUIT, 0, 0};
      return 0;
    }
    headless::detail::MoveClockTo(*due);
  }
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM /*wparam*/, LPARAM /*lparam*/) {
  if (msg == WM_CLOSE) {
    DestroyWindow(hwnd);
  } else if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
  }
  return 0;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* /*ps*/) { return IsWindow(hwnd); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, void* /*callback*/) {
  return core::SetTimer(hwnd, id, elapse_ms, S().now);
}

void Sleep(DWORD ms) { headless::detail::MoveClockTo(S().now + ms); }

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  S().boxes.push_back(headless::Box{owner, text != nullptr ? text : "", caption != nullptr ? caption : "", type});
  return IDOK;
}
