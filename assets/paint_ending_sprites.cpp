// The ending's sprites: the duellists, the great slash and the curse, the people of the feast, the
// fireworks, the travellers and their birds. Key colour around everything; hard edges only.
#include <algorithm>
#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/ending_cast.h"
#include "assets/figure.h"
#include "assets/painters.h"
#include "assets/roster.h"

namespace assets {
namespace {

constexpr Rgb kOutline{26, 20, 16};

const Rgb kHeroTabard{232, 234, 242}, kFoeTabard{70, 52, 60}, kPlainTabard{200, 190, 170};

// One figure in a cell of the sheet, feet at the cell's bottom, facing right or (mirrored) left.
void FigureCell(Image& img, int x, int y, int w, int h, double scale, const Look& look, const Pose& pose, View view,
                Rgb tabard, bool face_left) {
  Image cell(w, h, kKey);
  DrawFigure(cell, w / 2.0, h - 2.0, scale, look, pose, view, tabard);
  Outline(cell, 0, 0, w, h, kOutline);
  Paste(img, face_left ? MirrorX(cell) : cell, x, y, false);
}

// The cell image with the figure lying on its back (the fallen foe).
void FallenCell(Image& img, int x, int y, int w, int h, const Look& look) {
  Image standing(h, h, kKey);
  Pose p = WalkPose(0);
  p.weapon_angle = 80;
  DrawFigure(standing, h / 2.0, h - 2.0, 1.0, look, p, View::kFront, kFoeTabard);
  // The figure's extent, so that it can be laid down inside the cell.
  int x0 = h, x1 = -1, y0 = h, y1 = -1;
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < h; ++xx)
      if (!(standing.Get(xx, yy) == kKey)) x0 = std::min(x0, xx), x1 = std::max(x1, xx), y0 = std::min(y0, yy), y1 = std::max(y1, yy);
  // Turned a quarter onto his back, head towards where he came from (he fell backwards).
  Image lying(w, h, kKey);
  const int shift = std::max(1, (w - (y1 - y0 + 1)) / 2);
  for (int yy = y0; yy <= y1; ++yy)
    for (int xx = x0; xx <= x1; ++xx) {
      int nx = (yy - y0) + shift, ny = h - 2 - (xx - x0);
      if (nx >= 0 && nx < w && ny >= 0 && !(standing.Get(xx, yy) == kKey)) lying.Set(nx, ny, standing.Get(xx, yy));
    }
  Outline(lying, 0, 0, w, h, kOutline);
  Paste(img, MirrorX(lying), x, y, false);
}

Vec Polar(double cx, double cy, double r, double a) { return {cx + r * std::cos(a), cy + r * std::sin(a)}; }

// A burst of sparks: rays from the centre.
void Burst(Image& img, double cx, double cy, double r, int rays, Rgb outer, Rgb inner, double grow, std::uint64_t seed) {
  Dice dice(seed);
  for (int i = 0; i < rays; ++i) {
    double a = 2 * M_PI * i / rays + dice.Range(-0.05, 0.05);
    double len = r * dice.Range(0.8, 1.0);
    Vec tip = Polar(cx, cy, len, a), mid = Polar(cx, cy, len * grow, a);
    FillCapsule(img, mid, tip, std::max(1.0, r * 0.018), Hard(outer));
    FillCircle(img, tip, std::max(1.5, r * 0.03), Hard(inner));
  }
}

// Scene 1's flash above the duellists: row 0 the clash of blades, row 1 a faint glint.
Image Clash(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int top0 = CellTop(p, 0), top1 = CellTop(p, 1);
  std::vector<Vec> star;
  for (int i = 0; i < 16; ++i) {
    double a = i * M_PI / 8, r = i % 2 ? 6 : (i % 4 ? 14 : 22);
    star.push_back(Polar(24, top0 + 26, r, a));
  }
  FillPolygon(img, star, Hard(Rgb{255, 230, 120}));
  FillCircle(img, {24, top0 + 26.0}, 7, Hard(Rgb{255, 255, 240}));
  std::vector<Vec> glint;
  for (int i = 0; i < 8; ++i) glint.push_back(Polar(24, top1 + 30, i % 2 ? 1.5 : 6, i * M_PI / 4));
  FillPolygon(img, glint, Hard(Rgb{255, 250, 210}));
  return img;
}

// The hero: rows 4 idle, 1 guard, 0 lunge, 2 and 3 walking (backing off and returning).
Image LeftDuellist(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int w = p.width, h = p.height / p.rows;
  const Look hero = EndingHero();
  Pose lunge = GuardPose(1);
  lunge.trail = Trail::kNone;
  const Pose poses[5] = {lunge, GuardPose(2), WalkPose(1), WalkPose(2), WalkPose(0)};
  for (int row = 0; row < p.rows; ++row)
    FigureCell(img, 0, CellTop(p, row), w, h, 1.2, hero, poses[row], View::kFront, kHeroTabard, false);
  return img;
}

// The foe, facing left: rows 5 idle, 2 guard, 1 lunge, 4 and 3 reeling (and walking), 0 fallen.
Image RightDuellist(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int w = p.width, h = p.height / p.rows;
  const Look foe = EndingFoe();
  Pose reel = WalkPose(0);
  reel.lean = -3, reel.weapon_angle = -140, reel.hand_y = 0, reel.far_hand_y = -2;
  Pose reel2 = WalkPose(2);
  reel2.lean = -2, reel2.weapon_angle = -110;
  Pose lunge = SweepPose(1);
  lunge.trail = Trail::kNone;
  const Pose poses[6] = {WalkPose(0), lunge, GuardPose(2), reel2, reel, WalkPose(0)};
  for (int row = 1; row < p.rows; ++row)
    FigureCell(img, 0, CellTop(p, row), w, h, 1.2, foe, poses[row], View::kFront, kFoeTabard, true);
  FallenCell(img, 0, CellTop(p, 0), w, h, foe);
  return img;
}

// The great slash across the duel (256 x 224 frames, drawn at (150, 100)): a crescent that cuts
// from the upper right down through the foe (cell x 170, y 75) to the lower left; it opens, blazes
// and scatters in 7 frames.
Image GreatSlash(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int w = p.width / p.cols, h = p.height;
  for (int f = 0; f < p.cols; ++f) {
    const double x0 = w * f, cx = x0 + 86, cy = -44;
    const double sweep = std::min(1.0, (f + 1) / 4.0);     // how much of the arc is drawn
    const double fade = f < 4 ? 1.0 : 1.0 - (f - 3) / 4.0;  // thinning as it fades
    const double a0 = 8 * M_PI / 180, a1 = a0 + 90 * M_PI / 180 * sweep;
    auto band = [&](double r_out, double thick, Rgb c) {
      Cover(img, x0, 0, x0 + w, h, Hard(c), [&](double px, double py) {
        double dx = px - cx, dy = py - cy;
        double a = std::atan2(dy, dx);
        if (a < a0 || a > a1) return 1.0;
        double t = (a - a0) / (a1 - a0);  // thickest in the middle of the arc
        double inner = r_out - thick * std::sin(M_PI * t) * fade;
        double r = Len(dx, dy);
        return std::max(inner - r, r - r_out);
      });
    };
    if (f < 6) {
      band(166, 30, Rgb{120, 190, 255});
      band(162, 22, Rgb{210, 240, 255});
      band(158, 10, Rgb{255, 255, 255});
    }
    if (f >= 3) {
      // Sparks flying off the edge.
      Dice dice(0x5A + f);
      for (int k = 0; k < 24; ++k) {
        double a = dice.Range(a0, a1), r = 166 + dice.Range(0, 26) * (f - 2);
        Vec s = {cx + r * std::cos(a), cy + r * std::sin(a)};
        if (s.x > x0 + 2 && s.x < x0 + w - 2 && s.y > 2 && s.y < h - 2)
          FillCircle(img, s, f < 6 ? 2.2 : 1.4, Hard(k % 2 ? Rgb{255, 240, 160} : Rgb{200, 230, 255}));
      }
    }
  }
  return img;
}

// The curse (64 x 64 frames): 1 the orb flying, 2 gathering over the fallen foe, 3 striking.
Image Curse(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int phase = p.variant - 1;  // 1: flying, 2: gathering, 3: striking
  for (int f = 0; f < p.cols; ++f) {
    const double cx = 64 * f + 32, cy = 32;
    Dice dice(0xC0 + 10 * phase + f);
    if (phase == 2) {
      // Dark motes spiralling inwards around a swelling orb.
      for (int k = 0; k < 10; ++k) {
        double a = k * 2 * M_PI / 10 + f * 0.5, r = 26 - f * 2.5;
        FillCircle(img, Polar(cx, cy, r, a), 2.2, Hard(k % 2 ? Rgb{170, 90, 230} : Rgb{90, 40, 140}));
      }
      FillCircle(img, {cx, cy}, 5 + f * 1.4, Hard(Rgb{90, 30, 130}));
      FillCircle(img, {cx, cy}, 3 + f * 0.9, Hard(Rgb{200, 120, 255}));
    } else if (phase == 1) {
      // The orb with a tail streaming to the right (it flies left).
      for (int k = 0; k < 6; ++k) {
        double tx = cx + 8 + k * 4.5, ty = cy + 3 * std::sin(k * 1.3 + f);
        FillCircle(img, {tx, ty}, 6 - k * 0.8, Hard(k % 2 ? Rgb{150, 70, 210} : Rgb{110, 40, 170}));
      }
      FillCircle(img, {cx, cy}, 10, Hard(Rgb{90, 30, 130}));
      FillCircle(img, {cx, cy}, 7, Hard(Rgb{210, 140, 255}));
      FillCircle(img, {cx - 2, cy - 2}, 2.5, Hard(Rgb{255, 240, 255}));
    } else {
      // Crackling bolts around the stricken hero.
      const double r = 8 + f * 3;
      for (int k = 0; k < 6; ++k) {
        double a = k * M_PI / 3 + f * 0.7;
        Vec a0 = Polar(cx, cy, 4, a), a1 = Polar(cx, cy, r * 0.6, a + 0.35), a2 = Polar(cx, cy, r, a - 0.1);
        FillCapsule(img, a0, a1, 1.3, Hard(Rgb{220, 170, 255}));
        FillCapsule(img, a1, a2, 1.0, Hard(Rgb{255, 240, 120}));
      }
      FillCircle(img, {cx, cy}, 6 - f * 0.6, Hard(Rgb{250, 230, 255}));
    }
  }
  return img;
}

// A still figure of the feast: 31 the king, 34 the queen, 37 a priest who comes to bless them.
Image Standing(const Picture& p) {
  Image img(p.width, p.height, kKey);
  Look look = p.variant == 31 ? EndingHero() : (p.variant == 34 ? EndingQueen() : EndingPriest());
  if (p.variant == 31) look.headgear = Headgear::kCrown;
  Pose pose = WalkPose(0);
  if (p.variant == 37) pose.hand_y = -2, pose.weapon_angle = -80;
  FigureCell(img, 0, 0, p.width, p.height, 1.2, look, pose, View::kFront,
             p.variant == 31 ? kHeroTabard : kPlainTabard, p.variant == 37);
  return img;
}

// Messengers walking in from the right: rows 2 standing, 1 and 0 the steps.
Image Messenger(const Picture& p) {
  Image img(p.width, p.height, kKey);
  Look look = EndingSoldier(p.variant == 32 ? Rgb{46, 150, 70} : Rgb{226, 186, 36});
  const int h = p.height / p.rows;
  for (int row = 0; row < p.rows; ++row)
    FigureCell(img, 0, CellTop(p, row), p.width, h, 1.2, look, WalkPose(row == 2 ? 0 : row + 1), View::kFront,
               kPlainTabard, true);
  return img;
}

// The fire of the feast in three flickers.
Image Campfire(const Picture& p) {
  Image img(p.width, p.height, kKey);
  for (int row = 0; row < p.rows; ++row) {
    const double top = CellTop(p, row), cx = 16;
    FillCapsule(img, {5, top + 28}, {27, top + 24}, 2.2, Hard(Rgb{90, 56, 30}));
    FillCapsule(img, {5, top + 24}, {27, top + 28}, 2.2, Hard(Rgb{110, 70, 40}));
    const double sway = (row - 1) * 2.0;
    FillPolygon(img, {{cx - 9, top + 26}, {cx - 5 + sway, top + 10}, {cx - 1, top + 16}, {cx + 2 + sway, top + 3 + row * 2},
                      {cx + 5, top + 14}, {cx + 8 - sway, top + 9}, {cx + 9, top + 26}},
                Hard(Rgb{240, 100, 30}));
    FillPolygon(img, {{cx - 5, top + 26}, {cx - 2 + sway * 0.5, top + 15}, {cx + 1, top + 19}, {cx + 4 - sway * 0.5, top + 12},
                      {cx + 6, top + 26}},
                Hard(Rgb{255, 200, 60}));
    FillEllipse(img, {cx, top + 24}, 3.5, 2.5, Hard(Rgb{255, 250, 200}));
  }
  return img;
}

// A small chest of gold: the tribute the messengers bring.
Image Tribute(const Picture& p) {
  Image img(p.width, p.height, kKey);
  FillRect(img, 5, 14, 22, 14, Rgb{120, 70, 30});
  FillRect(img, 5, 14, 22, 3, Rgb{150, 96, 44});
  FillPolygon(img, {{5, 14}, {8, 7}, {24, 7}, {27, 14}}, Hard(Rgb{140, 86, 38}));
  FillRect(img, 5, 19, 22, 2, Rgb{220, 180, 70});
  FillRect(img, 14, 17, 4, 6, Rgb{230, 200, 90});
  FillCircle(img, {12, 8}, 2.5, Hard(Rgb{255, 220, 90}));
  FillCircle(img, {20, 9}, 2.0, Hard(Rgb{255, 236, 140}));
  Outline(img, 0, 0, p.width, p.height, kOutline);
  return img;
}

// Two soldiers per cell; columns are the three frames of their cheering. Row 1: group A seen from
// behind, row 0: group B from behind, row 2: turned to face the king (to the left).
Image Crowd(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int w = p.width / p.cols, h = p.height / p.rows;
  for (int row = 0; row < p.rows; ++row)
    for (int col = 0; col < p.cols; ++col) {
      Image cell(w, h, kKey);
      for (int k = 0; k < 2; ++k) {
        Look look = EndingSoldier(k ? Rgb{40, 80, 200} : Rgb{200, 44, 40});
        Pose pose = WalkPose(0);
        pose.hand_x = 2, pose.hand_y = -4 - 5.0 * ((col + k) % 3), pose.weapon_angle = -95;
        if (row == 2) pose.hand_y = -2 - 3.0 * col, pose.weapon_angle = -70;
        DrawFigure(cell, 15 + 18 * k, h - 2 - 6 * (1 - k), 0.85, look, pose, row == 2 ? View::kFront : View::kBack,
                   kPlainTabard);
      }
      Outline(cell, 0, 0, w, h, kOutline);
      Paste(img, row == 2 ? MirrorX(cell) : cell, col * w, CellTop(p, row), false);
    }
  return img;
}

// Fireworks: row 0 the burst in full bloom, the other rows what is left of it.
Image Firework(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int w = p.width, h = p.height / p.rows;
  const Rgb palette[3][2] = {{{255, 120, 140}, {255, 240, 200}}, {{120, 220, 255}, {240, 255, 255}}, {{255, 220, 90}, {255, 255, 220}}};
  const Rgb* c = palette[p.variant - 51];
  const double cx = w / 2.0;
  for (int row = 0; row < p.rows; ++row) {
    const double top = CellTop(p, row), cy = top + h / 2.0, r = w * 0.46;
    if (row == 0) {
      Burst(img, cx, cy, r, 36, c[0], c[1], 0.25, 0xF0 + p.variant);
      Burst(img, cx, cy, r * 0.6, 24, c[1], c[0], 0.15, 0xF8 + p.variant);
      FillCircle(img, {cx, cy}, r * 0.08, Hard(c[1]));
    } else if (row == p.rows - 1 && p.rows == 4) {
      // Before the burst: the rocket climbing.
      FillCapsule(img, {cx, top + h * 0.95}, {cx, top + h * 0.55}, 1.0, Hard(Rgb{255, 220, 160}));
      FillCircle(img, {cx, top + h * 0.52}, 2.5, Hard(Rgb{255, 255, 230}));
    } else {
      // Embers drifting down.
      Dice dice(0xE0 + p.variant * 8 + row);
      for (int k = 0; k < 40; ++k) {
        double a = dice.Range(0, 2 * M_PI), rr = r * dice.Range(0.5, 1.0);
        Vec e = Polar(cx, cy + rr * 0.2, rr, a);
        if (e.y > top + 2 && e.y < top + h - 2) FillCircle(img, e, std::max(1.0, r * 0.015), Hard(k % 2 ? c[0] : c[1]));
      }
    }
  }
  return img;
}

// The travellers walking left: columns 0 standing, 1 and 2 the steps, 3 a pause to look back.
Image Traveller(const Picture& p) {
  Image img(p.width, p.height, kKey);
  Look look = p.variant == 71 ? EndingHero() : (p.variant == 72 ? EndingKnight() : EndingMage());
  if (p.variant == 71) look.headgear = Headgear::kCrown;
  const int w = p.width / p.cols;
  const Pose poses[4] = {WalkPose(0), WalkPose(1), WalkPose(2), GuardPose(2)};
  for (int col = 0; col < p.cols; ++col)
    FigureCell(img, col * w, 0, w, p.height, 1.0, look, poses[col], View::kFront, kPlainTabard, col != 3);
  return img;
}

// Above the travellers: row 1 a bird flapping, row 0 a fairy light.
Image Companions(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const int w = p.width / p.cols, h = p.height / p.rows;
  for (int col = 0; col < p.cols; ++col) {
    const double x = col * w + w / 2.0;
    // A swallow flying left, wings up, level and down.
    const double bird_y = CellTop(p, 1) + h / 2.0 + 2, wing = (col - 1) * 8.0;
    FillEllipse(img, {x, bird_y}, 7, 3, Hard(Rgb{50, 46, 70}));
    FillEllipse(img, {x - 1, bird_y + 1}, 5, 1.6, Hard(Rgb{236, 226, 214}));
    FillPolygon(img, {{x - 3, bird_y - 1}, {x + 1, bird_y + wing - 10}, {x + 6, bird_y + wing - 11}, {x + 4, bird_y - 1}},
                Hard(Rgb{40, 36, 60}));
    FillPolygon(img, {{x + 6, bird_y - 1}, {x + 14, bird_y - 5}, {x + 13, bird_y + 1}}, Hard(Rgb{40, 36, 60}));
    FillPolygon(img, {{x - 7, bird_y - 1}, {x - 11, bird_y}, {x - 7, bird_y + 1}}, Hard(Rgb{230, 160, 40}));
    img.Set(static_cast<int>(x - 4), static_cast<int>(bird_y - 1), Rgb{250, 250, 250});
    const double fy = CellTop(p, 0) + h / 2.0 + (col - 1) * 2;
    FillCircle(img, {x, fy}, 5 - col * 0.8, Hard(Rgb{200, 255, 200}));
    FillCircle(img, {x, fy}, 2.5, Hard(Rgb{255, 255, 240}));
    FillEllipse(img, {x - 5, fy - 3}, 3, 1.5, Hard(Rgb{170, 230, 255}));
    FillEllipse(img, {x + 5, fy - 3}, 3, 1.5, Hard(Rgb{170, 230, 255}));
  }
  return img;
}

}  // namespace

Image PaintEndingSprite(const Picture& p) {
  switch (p.variant) {
    case 1: return GreatSlash(p);
    case 2:
    case 3:
    case 4: return Curse(p);
    case 12: return Clash(p);
    case 13: return LeftDuellist(p);
    case 14: return RightDuellist(p);
    case 31:
    case 34:
    case 37: return Standing(p);
    case 32:
    case 33: return Messenger(p);
    case 35: return Campfire(p);
    case 36: return Tribute(p);
    case 38: return Crowd(p);
    case 51:
    case 52:
    case 53: return Firework(p);
    case 71:
    case 72:
    case 73: return Traveller(p);
    default: return Companions(p);
  }
}

}  // namespace assets
