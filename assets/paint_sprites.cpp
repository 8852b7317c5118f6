// Field sprite sheets: 3 columns x 8 rows of 48 x 48 cells, the figure facing right with its feet
// at the bottom of the cell. Rows in pairs, the lower-numbered row of a pair seen from behind:
// 7/6 walking, 5/4 guard and vertical stroke, 3/2 horizontal stroke; row 0 the follow-through
// seen from the front, row 1 the same from behind.
#include "assets/draw.h"
#include "assets/figure.h"
#include "assets/painters.h"

namespace assets {
namespace {

// Painted where the tabard goes, and turned into the tint colour at the very end, after every
// other pixel that happened to come out as the tint colour has been moved off it.
constexpr Rgb kMarker{1, 2, 3};
constexpr Rgb kOutline{26, 20, 16};

Pose PoseOf(int row, int col) {
  switch (row / 2) {
    case 3: return WalkPose(col);
    case 2: return GuardPose(col);
    case 1: return SweepPose(col);
    default: return FollowThroughPose(col);
  }
}

}  // namespace

Image PaintSpriteSheet(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const Look& look = LookOf(p.variant);
  const int cw = p.width / p.cols, ch = p.height / p.rows;
  for (int row = 0; row < p.rows; ++row)
    for (int col = 0; col < p.cols; ++col) {
      const int x = CellLeft(p, col), y = CellTop(p, row);
      Image cell(cw, ch, kKey);
      // Rows 2..7 pair up with the even row seen from behind; row 0 (the follow-through, drawn
      // when the striker stands at or above its target) faces the viewer, row 1 is its back view.
      const View view = row >= 2 ? (row % 2 == 0 ? View::kBack : View::kFront) : (row == 0 ? View::kFront : View::kBack);
      DrawFigure(cell, cw / 2.0, ch - 2.0, 1.0, look, PoseOf(row, col), view, kMarker);
      Outline(cell, 0, 0, cw, ch, kOutline);
      Paste(img, cell, x, y, false);
    }
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      Rgb c = img.Get(x, y);
      if (c == kTint) img.Set(x, y, Rgb{58, 57, 57});
      else if (c == kMarker) img.Set(x, y, kTint);
    }
  return img;
}

}  // namespace assets
