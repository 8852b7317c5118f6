#pragma once
// Where the game's cell blits read and write, worked out as the canvas does it: cell byte width
// (sheet width x 3) / cols, cell height sheet height / rows, and per row ceil4(byte width) / 3
// pixels (+1 when the sheet's row stride is not a multiple of 3); the blend reads exactly the
// cell's width.
#include "assets/inventory.h"

namespace assets_test {

struct CellReach {
  int left_byte;  // first byte of the cell in its row
  int pixels;     // pixels read per row
  int bottom;     // first sheet row of the cell (rows from the bottom)
  int height;     // rows of the cell
};

inline CellReach Reach(int sheet_w, int sheet_h, int cols, int rows, int col, int row, bool blend) {
  const int w = sheet_w * 3 / cols, h = sheet_h / rows;
  const int stride = (sheet_w * 3 + 3) / 4 * 4;
  const int n = blend ? w / 3 : (w + 3) / 4 * 4 / 3 + (stride % 3 != 0 ? 1 : 0);
  return {col * w, n, row * h, h};
}

// The cell's pixels all lie inside its sheet: no blit reads past the end of a row into the next
// one, or above the sheet's top.
inline bool InsideSheet(int sheet_w, int sheet_h, const CellReach& r) {
  return r.left_byte + 3 * r.pixels <= sheet_w * 3 && r.bottom + r.height <= sheet_h;
}

// Drawn at every corner of the spot's range, the cell stays inside the canvas (the blits do not clip).
inline bool InsideCanvas(const assets::Spot& s, const CellReach& r, int cell_w) {
  const int cw = assets::CanvasWidth(s.canvas), ch = assets::CanvasHeight(s.canvas);
  const int min_x = s.mirrored ? r.pixels - cell_w : 0;
  return s.x0 >= min_x && s.y0 >= 0 && s.x1 + r.pixels <= cw && s.y1 + r.height <= ch;
}

}  // namespace assets_test
