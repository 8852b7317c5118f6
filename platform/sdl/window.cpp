// The SDL back end: the game's window as a real window, its input, its timers on SDL's clock.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core.h"
#include "platform/sdl/display.h"
#include "platform/text.h"
#include "platform/win.h"

namespace core = platform::core;

namespace platform::sdl {
namespace {

SDL_Window* window = nullptr;
bool video = false;
bool our_hint = false;  // the SDL_FRAMEBUFFER_ACCELERATION in force is ours, not the user's

// The framebuffer as an SDL surface, and what the window surface was last given of it.
SDL_Surface* picture = nullptr;
platform::ShownPicture shown;
SDL_Surface* shown_surface = nullptr;
int shown_w = 0, shown_h = 0;
bool show_whole = true;  // the window lost its picture (exposed, resized): give it all again

bool StartVideo() {
  if (video) return true;
  // The window's picture goes to the X server through shared memory (MIT-SHM). Left to itself SDL
  // would first build an OpenGL context to decide, and without a graphics card it then draws the
  // picture through a software rasteriser: slower to start and to show every paint. A choice made
  // in SDL_FRAMEBUFFER_ACCELERATION still wins (our hint is then not set).
  our_hint = SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0") == SDL_TRUE;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    std::fprintf(stderr, "VALDRIM: no window system: %s\n", SDL_GetError());
    return false;
  }
  // Without a display SDL falls back to drawing nowhere; a window nobody can see or close would
  // run for ever, so the game does not start (unless that driver was asked for by name).
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::getenv("SDL_VIDEODRIVER") == nullptr &&
      (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    std::fprintf(stderr, "VALDRIM: no display to open the window on\n");
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    return false;
  }
  video = true;
  return true;
}

// The SDL window for the game's window. Our hint also takes away SDL's way of showing a window on
// a display that keeps no picture of a window for it (SDL's Wayland driver): there the window
// surface cannot be had and the window would stay black. SDL chooses that way once per start of
// its video, at the first window surface asked for, so the video starts again without our hint
// and the window opens anew.
SDL_Window* OpenWindow(const char* title, int x, int y, int w, int h, Uint32 flags) {
  SDL_Window* opened = SDL_CreateWindow(title, x, y, w, h, flags);
  if (opened == nullptr || !our_hint || SDL_GetWindowSurface(opened) != nullptr) return opened;
  SDL_DestroyWindow(opened);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
  our_hint = false;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    video = false;
    return nullptr;
  }
  return SDL_CreateWindow(title, x, y, w, h, flags);
}

// The user's input since the last look, as window messages.
void TakeEvents() {
  HWND hwnd = core::Window();
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (hwnd == nullptr || window == nullptr) continue;
    const Uint32 id = SDL_GetWindowID(window);
    switch (e.type) {
      case SDL_MOUSEMOTION:
        if (e.motion.windowID == id) core::PostInput(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(e.motion.x, e.motion.y));
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (e.button.windowID != id) break;
        if (e.button.button == SDL_BUTTON_LEFT) {
          core::PostInput(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(e.button.x, e.button.y));
        } else if (e.button.button == SDL_BUTTON_RIGHT) {
          core::PostInput(hwnd, WM_RBUTTONDOWN, 0, MAKELPARAM(e.button.x, e.button.y));
        }
        break;
      case SDL_WINDOWEVENT:
        if (e.window.windowID != id) break;
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          core::PostInput(hwnd, WM_CLOSE, 0, 0);
        } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                   e.window.event == SDL_WINDOWEVENT_RESTORED) {
          show_whole = true;
          Present();  // the window keeps its picture
        }
        break;
      case SDL_QUIT:  // the session ends or the process is asked to stop: as the close box
        core::PostInput(hwnd, WM_CLOSE, 0, 0);
        break;
      default:
        break;
    }
  }
}

}  // namespace

SDL_Window* Display() { return window; }

unsigned long long Ticks() { return SDL_GetTicks64(); }

void Present() {
  HWND hwnd = core::Window();
  if (window == nullptr || hwnd == nullptr) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return;
  Framebuffer& fb = ClientFramebuffer();
  if (picture == nullptr) {
    // SDL's own converter reads the framebuffer's rows where they are.
    picture = SDL_CreateRGBSurfaceWithFormatFrom(fb.Row(0), Framebuffer::kWidth, Framebuffer::kHeight, 24,
                                                 Framebuffer::kStride, SDL_PIXELFORMAT_RGB24);
    if (picture == nullptr) return;
  }
  // A new window surface (first present, a size change) holds nothing of ours yet.
  if (surface != shown_surface || surface->w != shown_w || surface->h != shown_h) show_whole = true;
  const int w = std::min({surface->w, core::ClientWidth(*hwnd), Framebuffer::kWidth});
  const int h = std::min({surface->h, core::ClientHeight(*hwnd), Framebuffer::kHeight});
  const RECT area = shown.Changed(fb, w, h, show_whole);
  show_whole = false;
  shown_surface = surface;
  shown_w = surface->w;
  shown_h = surface->h;
  if (area.left >= area.right) return;  // the screen already shows this picture
  SDL_Rect from{area.left, area.top, area.right - area.left, area.bottom - area.top};
  SDL_Rect to = from;
  // Shown only when it reached the screen; else the next present gives it all again.
  const bool taken =
      SDL_BlitSurface(picture, &from, surface, &to) == 0 && SDL_UpdateWindowSurfaceRects(window, &from, 1) == 0;
  shown.Presented(fb, area, taken);
}

}  // namespace platform::sdl

using platform::sdl::window;

HWND CreateWindowExA(DWORD /*ex_style*/, const char* class_name, const char* caption, DWORD style, int x, int y,
                     int width, int height, HWND /*parent*/, void* /*menu*/, HINSTANCE /*instance*/,
                     void* /*param*/) {
  if (core::ClassProcedure(class_name) == nullptr || core::Window() != nullptr) return nullptr;
  if (!platform::sdl::StartVideo()) return nullptr;
  HWND hwnd = core::NewWindow(class_name, caption, style, x, y, width, height);
  if (hwnd == nullptr) return nullptr;
  const std::string title = platform::ToUtf8(hwnd->caption);
  const int px = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : x;
  const int py = y == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : y;
  // A fixed-size window (no resizing or maximising) that can be minimised.
  const Uint32 flags = (style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
  window = platform::sdl::OpenWindow(title.c_str(), px, py, std::max(core::ClientWidth(*hwnd), 1),
                                     std::max(core::ClientHeight(*hwnd), 1), flags);
  if (window == nullptr) {
    std::fprintf(stderr, "VALDRIM: cannot open the window: %s\n", SDL_GetError());
    core::Reset();
    return nullptr;
  }
  // WM_CREATE runs inside the creation; -1 refuses the window.
  if (core::Send(hwnd, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  return core::Window() == hwnd ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return FALSE;
  core::Destroy(hwnd);  // WM_DESTROY first, while the window still exists
  if (window != nullptr) {
    SDL_DestroyWindow(window);
    window = nullptr;
  }
  platform::sdl::show_whole = true;
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (!IsWindow(hwnd)) return FALSE;
  core::Move(hwnd, x, y, width, height, repaint != FALSE);
  if (window != nullptr) {
    SDL_SetWindowSize(window, std::max(core::ClientWidth(*hwnd), 1), std::max(core::ClientHeight(*hwnd), 1));
    SDL_SetWindowPosition(window, x, y);
  }
  platform::sdl::show_whole = true;
  return TRUE;
}

int GetMessageA(MSG* msg, HWND /*hwnd*/, UINT /*min*/, UINT /*max*/) {
  if (msg == nullptr) return -1;
  for (;;) {
    platform::sdl::TakeEvents();
    const unsigned long long now = platform::sdl::Ticks();
    core::ExpireTimers(now);
    if (core::TakeMessage(msg)) return msg->message == WM_QUIT ? 0 : 1;
    // Wait for input or for the next timer tick.
    auto due = core::NextTimerDue();
    if (due) {
      const unsigned long long wait = *due > now ? *due - now : 0;
      SDL_WaitEventTimeout(nullptr, static_cast<int>(std::min<unsigned long long>(wait, 1000)));
    } else {
      SDL_WaitEventTimeout(nullptr, 1000);
    }
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

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* /*ps*/) {
  if (!IsWindow(hwnd)) return FALSE;
  platform::sdl::Present();  // on screen before the paint returns
  return TRUE;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, void* /*callback*/) {
  return core::SetTimer(hwnd, id, elapse_ms, platform::sdl::Ticks());
}

void Sleep(DWORD ms) { SDL_Delay(ms); }
