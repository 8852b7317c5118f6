#pragma once
// The field screen painted in a headless window on a real new world, with pictures made here to
// be read back: every picture of the screen at the size the game draws it, in colours that tell
// which field point, which cell of a sprite sheet (and which half of it, to see mirroring) and
// which tint reached a pixel of the window.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "field/field_screen.h"
#include "platform/font.h"
#include "platform/framebuffer.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"

namespace field_paint_test {

constexpr COLORREF kKey = 0xFF00FF;

// --- the pictures ---

// The field map: red and green grow with the field point (y from the field's bottom), blue 200.
constexpr COLORREF FieldColour(int fx, int fy) { return RGB(40 + fx / 12, 40 + fy / 12, 200); }

// A sprite cell (48 x 48): a key margin (4 px left and right, 4 px at the top), an 8 x 8 patch of
// the tint cloth at cell point (8..15, 30..37) from its lower-left corner, and otherwise the
// cell's colour: red by column, green by row, blue 30 in the left half and 90 in the right.
constexpr COLORREF kCloth = RGB(57, 57, 57);
constexpr COLORREF CellColour(int col, int row, bool right_half) {
  return RGB(60 + col * 40, 60 + row * 20, right_half ? 90 : 30);
}

// The column: its frame, the mini-map, the owners' dots (6 x 6 at the lower left of each 8 x 8
// cell), the viewport frame's 2-px border and the board (with a key strip at its left edge).
constexpr COLORREF kColumnColour = RGB(90, 70, 50);
constexpr COLORREF kMinimapColour = RGB(70, 140, 70);
constexpr COLORREF DotColour(int cell) { return RGB(20 + 20 * cell, 230 - 15 * cell, 120); }
constexpr COLORREF kViewportColour = RGB(250, 250, 0);
constexpr COLORREF kBoardColour = RGB(180, 160, 120);

// Writes BITMAP/ into the current folder: the six pictures of the column and the field map, and
// a sprite sheet under every field-sprite name of the new world and the six common sheets. The
// picture named `leave_out` (CP932), if any, is not written.
void WriteFieldPictures(const std::string& leave_out = "");

// --- reading the window back ---

// What shows of a character at its field point.
struct Seen {
  bool drawn = false;
  int col = -1;
  int row = -1;
  bool mirrored = false;
  COLORREF cloth = 0;  // the tint patch's colour
};

class FieldPaintTest : public test_support::HeadlessTest {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A paint of the given redraw mode, asked for as the tick (4), a scroll (2) or the mouse (1)
  // ask for it.
  void Paint(std::int32_t mode);
  void Move(int x, int y);
  // The framebuffer pixel showing field point (fx, fy) under the current scroll.
  COLORREF ViewPixel(int fx, int fy) const;
  // The framebuffer pixel of column point (cx, cy) (y from the column's bottom).
  COLORREF ColumnPixel(int cx, int cy) const;
  // The cell shown at the character's field position.
  Seen Look(const Character& c) const;

  // The character with the id, placed at (x, y) in a state (by its setter) with walk frame f.
  Character& Place(std::int32_t id, int x, int y, void (Character::*state)(), int frame = 0);

  static const platform::Framebuffer& Fb() { return headless::Framebuffer(); }
  // The folder the tests were started in (ctest starts them in <build>/tests).
  static const std::filesystem::path& LaunchDir() { return launch_dir_; }

  OwnedWorld world_;
  FieldScreen screen_;
  // The screen that the window's paints go to: screen_ unless a test sets up another.
  FieldScreen* painting_ = &screen_;
  HWND window_ = nullptr;
  HFONT large_ = nullptr;
  HFONT small_ = nullptr;

 private:
  static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static FieldPaintTest* current_;
  static test_support::TempDir* folder_;
  static std::filesystem::path launch_dir_;
  std::unique_ptr<test_support::ScopedCurrentDir> in_folder_;
};

// Text expected in the window: the framebuffer bytes `base` with each line drawn over them in
// order in the game's bold italic Mincho of the given height, in black.
struct Line {
  int x;
  int y;
  std::string text;  // CP932
  int height = 16;
};
std::vector<std::uint8_t> WithLines(std::vector<std::uint8_t> base, const std::vector<Line>& lines);
// Lines formatted as the game formats them.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace field_paint_test
