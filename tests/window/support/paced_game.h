#pragma once
// The game's own window procedure with a pacing timer of the test's: every period the test takes
// its next step (clicks, screenshots), while the game runs on its own timers as it would for a
// player. A failed check makes the program's exit code 3.
#include <cstdio>

#include "core/main_window.h"
#include "platform/win.h"

namespace window_test {

struct Pacing {
  UINT_PTR timer = 97;  // an id the game never uses
  UINT period_ms = 1000;
  void (*step)(HWND) = nullptr;
  int failures = 0;
};

inline Pacing pacing;

// Counts a failed check and says which.
inline void Expect(bool ok, const char* what) {
  if (ok) return;
  ++pacing.failures;
  std::fprintf(stderr, "window test: %s failed\n", what);
}

inline LRESULT PacedProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == pacing.timer) {
    pacing.step(window);
    return 0;
  }
  const LRESULT r = MainWindowProc(window, message, wparam, lparam);
  if (message == WM_CREATE) SetTimer(window, pacing.timer, pacing.period_ms, nullptr);
  if (message == WM_DESTROY) {
    KillTimer(window, pacing.timer);
    if (pacing.failures) PostQuitMessage(3);
  }
  return r;
}

}  // namespace window_test
