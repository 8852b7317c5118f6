#pragma once
// The program's window: the class "メインウィンドウ", the window "VALDRIMⅡ" and its procedure,
// which hands the seven messages the game handles to a game object and everything else to the
// default handling.
#include "platform/win.h"

class Game;

// The procedure of the main window; it serves the game given to OpenMainWindow.
LRESULT MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Registers the class and creates the window for the game (its creation runs Game::OnCreate).
// The window, or null when the class cannot be registered or the window cannot be created. A
// window test passes its own procedure, which hands every message on to MainWindowProc.
HWND OpenMainWindow(Game& game, HINSTANCE instance, WNDPROC procedure = MainWindowProc);

// The message loop until the quit message (or a failure of GetMessageA); its exit code.
int RunMessageLoop();

// The program entry's work: the window, then the message loop; 0 when no window could be made.
int RunGame(Game& game, HINSTANCE instance);
