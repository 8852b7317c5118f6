// The test's side of the headless back end.
#include "platform/core.h"
#include "platform/headless.h"
#include "platform/headless/clock.h"

namespace core = platform::core;
using headless::detail::S;

namespace headless {

void Reset() {
  core::Reset();
  S() = detail::State{};
  platform::ClientFramebuffer().Clear(RGB(255, 255, 255));
}

std::uint64_t Now() { return S().now; }

void AdvanceClock(std::uint64_t ms) { detail::MoveClockTo(S().now + ms); }

int PumpMessages() {
  int handled = 0;
  MSG msg;
  while (core::TakeMessage(&msg)) {
    if (msg.message == WM_QUIT) break;
    DispatchMessageA(&msg);
    ++handled;
  }
  return handled;
}

int RunFor(std::uint64_t ms) {
  const std::uint64_t end = S().now + ms;
  int handled = PumpMessages();
  for (;;) {
    auto due = core::NextTimerDue();
    if (!due || *due > end || S().now >= end) break;
    detail::MoveClockTo(*due);
    handled += PumpMessages();
  }
  detail::MoveClockTo(end);
  return handled + PumpMessages();
}

void SetMessageLoopLimit(std::optional<std::uint64_t> until_ms) { S().loop_limit = until_ms; }

void PostMouse(UINT message, int x, int y) { core::PostInput(core::Window(), message, 0, MAKELPARAM(x, y)); }

void CloseWindow() { core::PostInput(core::Window(), WM_CLOSE, 0, 0); }

HWND Window() { return core::Window(); }

std::optional<Placement> WindowPlacement() {
  HWND w = core::Window();
  if (w == nullptr) return std::nullopt;
  return Placement{w->x, w->y, w->width, w->height, core::ClientWidth(*w), core::ClientHeight(*w)};
}

std::string WindowCaption() {
  HWND w = core::Window();
  return w != nullptr ? w->caption : std::string();
}

int PaintCount() {
  HWND w = core::Window();
  return w != nullptr ? w->paints : 0;
}

std::optional<TimerState> Timer(UINT_PTR id) {
  for (const auto& t : core::Timers()) {
    if (t.id == id) return TimerState{t.period, t.due, t.pending};
  }
  return std::nullopt;
}

std::optional<int> QuitCode() { return core::QuitCode(); }

const platform::Framebuffer& Framebuffer() { return platform::ClientFramebuffer(); }

const std::vector<Box>& Boxes() { return S().boxes; }

void ClearBoxes() { S().boxes.clear(); }

void RecordTexts(bool on) { core::SetTextRecording(on); }

const std::vector<TextCall>& TextCalls() { return core::TextCalls(); }

}  // namespace headless
