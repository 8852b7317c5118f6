#pragma once
// Controls of the headless back end, for tests. There is no window on screen and no waiting:
// time is a virtual clock that only the test (and Sleep) moves; timer ticks fall due on it and
// are delivered as Windows delivers them; the window's picture is the framebuffer; message boxes
// are recorded and answered IDOK at once.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core.h"
#include "platform/framebuffer.h"
#include "platform/win.h"

namespace headless {

// A fresh process: clock 0, no window, no class, no timer, no box, a white framebuffer.
void Reset();

// The virtual clock, in milliseconds.
std::uint64_t Now();
// Moves the clock on without handling any message; timers that fall due get their one pending
// tick (as during Sleep).
void AdvanceClock(std::uint64_t ms);
// Handles every message available now (input, paint, pending timer ticks) without moving the
// clock. Stops after the quit message. Returns the number of messages handled.
int PumpMessages();
// Lets ms of virtual time pass, stopping at each moment a timer falls due and handling what is
// available there, as a running message loop would. Returns the number of messages handled.
int RunFor(std::uint64_t ms);
// GetMessageA takes the next message; when none is available it moves the clock to the next
// timer tick. It gives the quit result (0) when nothing can ever come (no timer runs) or when it
// would move the clock past this limit, so that a test can run the game's own message loop for
// a stretch of virtual time. No limit by default.
void SetMessageLoopLimit(std::optional<std::uint64_t> until_ms);

// Input, queued as the user's: WM_MOUSEMOVE, WM_LBUTTONDOWN or WM_RBUTTONDOWN at a client point.
void PostMouse(UINT message, int x, int y);
// The close box: WM_CLOSE is queued (the default handling destroys the window).
void CloseWindow();

// The window.
HWND Window();
struct Placement {
  int x, y, width, height;               // outer
  int client_width, client_height;       // (width - 6) x (height - 28)
};
std::optional<Placement> WindowPlacement();
std::string WindowCaption();  // CP932, as given
int PaintCount();             // WM_PAINT messages handled by the window so far

// Timers of the window.
struct TimerState {
  UINT period;
  std::uint64_t due;  // when the next tick falls due
  bool pending;       // a tick is waiting to be delivered
};
std::optional<TimerState> Timer(UINT_PTR id);

// The exit code given to PostQuitMessage, once it was called.
std::optional<int> QuitCode();

// The window's picture.
const platform::Framebuffer& Framebuffer();

// Message boxes shown so far, in order (texts in CP932, as the game passed them).
struct Box {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};
const std::vector<Box>& Boxes();
void ClearBoxes();

// Texts written with TextOutA while recording is on (off after Reset): where, what, in which
// colour and font height. Turning recording on or off forgets what was recorded.
using TextCall = platform::core::TextCall;
void RecordTexts(bool on);
const std::vector<TextCall>& TextCalls();

}  // namespace headless
