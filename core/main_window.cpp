#include "core/main_window.h"

#include "core/game.h"

namespace {

// The game the window serves: the program's one game object, or a test's.
Game* served_game = nullptr;

constexpr const char* kClassName = "メインウィンドウ";

}  // namespace

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (served_game == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  Game& game = *served_game;
  switch (message) {
    case WM_CREATE:
      game.OnCreate(window);
      return 0;
    case WM_DESTROY:
      game.OnDestroy(window);
      return 0;
    case WM_PAINT:
      game.OnPaint(window);
      return 0;
    case WM_TIMER:
      game.OnTimer(window, wparam);
      return 0;
    case WM_MOUSEMOVE:
      game.OnMouseMove(window, lparam);
      return 0;
    case WM_LBUTTONDOWN:
      game.OnLButtonDown(window, lparam);
      return 0;
    case WM_RBUTTONDOWN:
      game.OnRButtonDown(window, lparam);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

HWND OpenMainWindow(Game& game, HINSTANCE instance, WNDPROC procedure) {
  served_game = &game;
  const WNDCLASSA window_class{CS_HREDRAW | CS_VREDRAW, procedure, kClassName};
  if (!RegisterClassA(&window_class)) return nullptr;
  // A fixed-size window that can be minimised but not maximised or resized; creating it runs
  // Game::OnCreate, which ends with the title's own placement.
  return CreateWindowExA(0, kClassName, "VALDRIMⅡ", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                         CW_USEDEFAULT, CW_USEDEFAULT, 846, 508, nullptr, nullptr, instance, nullptr);
}

int RunMessageLoop() {
  MSG message{};
  for (;;) {
    const int got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunGame(Game& game, HINSTANCE instance) {
  if (OpenMainWindow(game, instance) == nullptr) return 0;
  return RunMessageLoop();
}
