#pragma once
// The window-test program's side of run_window_test.sh: a program that shows the real window
// asks for screenshots at the moments it chooses and for its window to be closed.
#include <string>

namespace window_test {

// Writes the window's client area, as the framebuffer holds it, to <shot dir>/<name>.ppm, asks
// the script to take a screenshot of the X window and compare the two, and waits until it has
// (at most 60 seconds). False when there is no shot folder, no window or no answer.
bool Shot(const std::string& name);

// Asks the script to click the left button at a client point of the window, as the user would;
// the program then gets WM_LBUTTONDOWN there.
void Click(int x, int y);

// Asks the script to close the window as the user would; the program then gets WM_CLOSE.
void AskToClose();

}  // namespace window_test
