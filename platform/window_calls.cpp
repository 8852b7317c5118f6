// The window calls that both back ends share: classes, invalidation, painting, timers that stop,
// the quit message and dispatching.
#include "platform/core.h"
#include "platform/win.h"

namespace core = platform::core;

BOOL RegisterClassA(const WNDCLASSA* wc) {
  if (wc == nullptr) return FALSE;
  return core::RegisterClass(wc->lpszClassName, wc->lpfnWndProc) ? TRUE : FALSE;
}

BOOL IsWindow(HWND hwnd) { return hwnd != nullptr && hwnd == core::Window() ? TRUE : FALSE; }

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!IsWindow(hwnd)) return FALSE;
  core::Invalidate(hwnd, rect, erase != FALSE);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  // The paint runs before the call returns, so a repaint is on screen when the caller goes on.
  if (hwnd->invalid) core::SendPaint(hwnd);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) { return core::StartPaint(hwnd, ps); }

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return core::KillTimer(hwnd, id) ? TRUE : FALSE; }

void PostQuitMessage(int exit_code) { core::PostQuit(exit_code); }

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || !IsWindow(msg->hwnd)) return 0;
  if (msg->message == WM_PAINT) {
    core::SendPaint(msg->hwnd);
    return 0;
  }
  return core::Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
