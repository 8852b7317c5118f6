#include "assets/lettering.h"

namespace assets {

// The platform's text drawing is not in this build yet: labels are left out until it is.
void Letter(Image&, int, int, std::string_view, int, Rgb, bool) {}

int LetterWidth(std::string_view cp932, int height, bool bold) {
  // Fixed pitch: a double-byte character is as wide as the font is high, a single-byte one half
  // that; bold widens each glyph by one pixel.
  int width = 0;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    auto b = static_cast<unsigned char>(cp932[i]);
    bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    width += (lead ? height : height / 2) + (bold ? 1 : 0);
    if (lead) ++i;
  }
  return width;
}

void LetterCentred(Image& img, int x, int y, int w, int h, std::string_view cp932, int height, Rgb colour, bool bold) {
  Letter(img, x + (w - LetterWidth(cp932, height, bold)) / 2, y + (h - height) / 2, cp932, height, colour, bold);
}

}  // namespace assets
