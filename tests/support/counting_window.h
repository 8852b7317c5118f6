#pragma once
// A window of the game's size whose class answers WM_PAINT by validating and counting, for the
// tests that check when a screen repaints.
#include "platform/win.h"

namespace test_support {

// The WM_PAINT messages answered since the last CountingWindow.
extern int paints;

// Registers a class of that name whose paints are counted, and creates an 846 x 508 window of it;
// the count starts again at 0.
HWND CountingWindow(const char* class_name);

}  // namespace test_support
