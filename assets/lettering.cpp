#include "assets/lettering.h"

#include <mutex>

#include "platform/font.h"

namespace assets {
namespace {

// The platform's glyph cache is shared by the whole program; pictures are painted side by side.
std::mutex& FontLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

void Letter(Image& img, int x, int y, std::string_view cp932, int height, Rgb colour, bool bold) {
  platform::PixelTarget target;
  target.pixels = img.Bytes();
  target.width = img.Width();
  target.height = img.Height();
  target.stride = static_cast<std::ptrdiff_t>(img.Width()) * 3;
  platform::TextStyle style;
  style.height = height;
  style.bold = bold;
  style.italic = false;  // labels stand upright; the game's own texts lean
  style.colour = static_cast<COLORREF>(colour.r | colour.g << 8 | colour.b << 16);
  std::lock_guard<std::mutex> hold(FontLock());
  platform::DrawCp932Text(target, x, y, cp932, style);
}

int LetterWidth(std::string_view cp932, int height, bool bold) { return platform::TextAdvance(cp932, height, bold); }

void LetterCentred(Image& img, int x, int y, int w, int h, std::string_view cp932, int height, Rgb colour, bool bold) {
  Letter(img, x + (w - LetterWidth(cp932, height, bold)) / 2, y + (h - height) / 2, cp932, height, colour, bold);
}

}  // namespace assets
