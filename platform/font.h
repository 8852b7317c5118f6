#pragma once
// The game's text on any 24-bit picture: the window's framebuffer (through TextOutA) and the
// pictures that the asset generator labels. "ＭＳ 明朝" is served by IPA Mincho on a fixed grid:
// a single-byte CP932 character advances height / 2 px, a double-byte one height px, each one
// more when bold (Windows widens a synthesised bold glyph by one pixel); a TAB advances 0.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/win.h"

namespace platform {

// A 24-bit picture: rows of width pixels, stride bytes apart.
struct PixelTarget {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
  bool bottom_up = false;  // rows stored from the bottom edge up, as in a BMP file
  bool bgr = false;        // bytes blue, green, red (BMP) rather than red, green, blue
};

struct TextStyle {
  int height = 16;  // pixels (the font's em)
  bool bold = true;
  bool italic = true;
  COLORREF colour = RGB(0, 0, 0);
};

// The advance of one character and of a whole CP932 text.
int CharAdvance(bool double_byte, int height, bool bold);
int TextAdvance(std::string_view cp932, int height, bool bold);

// Writes the CP932 text with its top-left corner at (x, y), y counted from the picture's top
// row, on a transparent background, clipped to the picture. Returns the advance in pixels.
// The same text in the same style gives the same pixels on every run.
int DrawCp932Text(const PixelTarget& target, int x, int y, std::string_view cp932, const TextStyle& style);
// The same drawing the plain way, each glyph rendered afresh and blended pixel by pixel: the
// yardstick that the tests hold the quick path's pixels to.
int DrawCp932TextUncached(const PixelTarget& target, int x, int y, std::string_view cp932, const TextStyle& style);

// False when the font file could not be opened (the text is then advanced but not drawn).
bool FontAvailable();

}  // namespace platform
