// What the player waits for in the real window (SDL back end, needs an X display; without one
// nothing is measured): the process's start-up to the first title paint with the game's own
// pictures and tunes, and one present of a paint's picture on screen. Each stands beside a
// reference taken in the same run, since the machine's speed drifts: the start of a process that
// does nothing, and the copy of one whole framebuffer.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/main_window.h"
#include "platform/core.h"
#include "platform/framebuffer.h"
#include "platform/sdl/display.h"
#include "platform/win.h"

extern char** environ;

namespace {

using platform::Framebuffer;

std::string self;  // this program, started again for each measured start-up

// Starts this program with the argument and waits for it; false when it did not end with 0.
bool RunSelf(const char* argument) {
  char* argv[] = {self.data(), const_cast<char*>(argument), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The game's window procedure, ending the process once the first WM_PAINT (the title) is on
// screen; that paint may come inside the window's creation.
LRESULT ExitAfterFirstPaint(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = MainWindowProc(window, message, wparam, lparam);
  if (message == WM_PAINT) {
    std::fflush(nullptr);
    _exit(0);  // the rest of the start and the game's teardown are not part of it
  }
  return result;
}

// The game as the player starts it, in the folder the build paints its pictures into, until its
// window has shown the first paint.
int FirstTitlePaint() {
  if (chdir(VALDRIM_GAME_DIR) != 0) return 2;
  static Game game;
  if (OpenMainWindow(game, nullptr, ExitAfterFirstPaint) == nullptr) return 3;
  RunMessageLoop();
  return 4;  // the loop ended without a paint
}

void BM_ProcessStartOnly(benchmark::State& state) {
  for (auto _ : state)
    if (!RunSelf("--exit")) state.SkipWithError("the program did not start");
}

void BM_StartUpToFirstTitlePaint(benchmark::State& state) {
  for (auto _ : state)
    if (!RunSelf("--first-title-paint")) state.SkipWithError("the game did not paint its title");
}

void BM_CopyFrame(benchmark::State& state) {
  std::vector<std::uint8_t> from(Framebuffer().Bytes()), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}

LRESULT Plain(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) { return DefWindowProcA(hwnd, msg, wparam, lparam); }

// The game's window, shown, with its first picture on screen.
HWND Window() {
  if (HWND w = platform::core::Window()) return w;
  WNDCLASSA wc{CS_HREDRAW | CS_VREDRAW, Plain, "メインウィンドウ"};
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "メインウィンドウ", "VALDRIMⅡ", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           150, 150, 846, 508, nullptr, nullptr, nullptr, nullptr);
  if (w != nullptr) UpdateWindow(w);
  return w;
}

// Two whole pictures that differ in every pixel, shown in turn: a field tick's paint.
void BM_PresentWholeFrame(benchmark::State& state) {
  if (Window() == nullptr) return state.SkipWithError("no window");
  Framebuffer& fb = platform::ClientFramebuffer();
  std::vector<std::uint8_t> a(fb.Bytes().size()), b(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    a[i] = static_cast<std::uint8_t>(i * 7);
    b[i] = static_cast<std::uint8_t>(~a[i]);
  }
  bool flip = false;
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(fb.Row(0), (flip ? a : b).data(), a.size());
    flip = !flip;
    state.ResumeTiming();
    platform::sdl::Present();
  }
}

// A hover repaint: the whole picture drawn again, one 120 x 24 button changed.
void BM_PresentHoverRepaint(benchmark::State& state) {
  if (Window() == nullptr) return state.SkipWithError("no window");
  Framebuffer& fb = platform::ClientFramebuffer();
  bool lit = false;
  for (auto _ : state) {
    fb.FillRect(300, 420, 420, 444, lit ? RGB(200, 180, 60) : RGB(90, 80, 30));
    lit = !lit;
    platform::sdl::Present();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--exit") == 0) return 0;
  if (argc > 1 && std::strcmp(argv[1], "--first-title-paint") == 0) return FirstTitlePaint();
  self = argv[0];
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("CopyFrame", BM_CopyFrame)->Unit(benchmark::kMicrosecond);
  if (std::getenv("DISPLAY") == nullptr) {
    std::printf("no X display: the window benchmarks are skipped\n");
  } else {
    // Each start-up is a whole process; the rest share one window in this one.
    benchmark::RegisterBenchmark("ProcessStartOnly", BM_ProcessStartOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("StartUpToFirstTitlePaint", BM_StartUpToFirstTitlePaint)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("PresentWholeFrame", BM_PresentWholeFrame)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("PresentHoverRepaint", BM_PresentHoverRepaint)->Unit(benchmark::kMicrosecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
