#pragma once
// Text on the game's pictures: button labels, plate titles, the title logo. Drawn in the game's
// Mincho face, the same face the screens write their own texts with.
#include <string_view>

#include "assets/image.h"

namespace assets {

// Draws CP932 text with the top-left corner of its first character at (x, y), at the given pixel
// height, bold when asked.
void Letter(Image& img, int x, int y, std::string_view cp932, int height, Rgb colour, bool bold = true);
// The width the text takes at that height.
int LetterWidth(std::string_view cp932, int height, bool bold = true);
// The text centred on the box (x, y, w, h).
void LetterCentred(Image& img, int x, int y, int w, int h, std::string_view cp932, int height, Rgb colour,
                   bool bold = true);

}  // namespace assets
