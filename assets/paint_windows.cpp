// The menu area's frames and the 500 x 380 windows drawn at (140, 100). Window coordinates of
// the game's texts equal image coordinates here: the windows' tops lie at the canvas top.
#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/lettering.h"
#include "assets/painters.h"
#include "assets/ui_kit.h"

namespace assets {

using namespace palette;

namespace {

// A heraldic shield with crossed swords and a crown above: the emblem of the realm.
void Emblem(Image& img, double cx, double cy, double s) {
  auto P = [&](double x, double y) { return Vec{cx + x * s, cy + y * s}; };
  // Crossed swords behind the shield.
  for (int side = -1; side <= 1; side += 2) {
    FillCapsule(img, P(-34.0 * side, 38), P(30.0 * side, -40), 2.6 * s, Soft(Rgb{40, 30, 24}));
    FillCapsule(img, P(-34.0 * side, 38), P(30.0 * side, -40), 1.8 * s, Soft(Rgb{214, 220, 230}));
    FillCapsule(img, P(-24.0 * side, 22), P(-38.0 * side, 34), 2.8 * s, Soft(kGold));
    FillCircle(img, P(-37.0 * side, 42), 3.4 * s, Soft(kGoldDark));
  }
  std::vector<Vec> shield = {P(-26, -30), P(26, -30), P(26, 2), P(0, 34), P(-26, 2)};
  std::vector<Vec> inner = {P(-22, -26), P(22, -26), P(22, 1), P(0, 29), P(-22, 1)};
  FillPolygon(img, shield, Soft(kGold));
  FillPolygon(img, inner, Soft(Rgb{120, 24, 30}));
  // A quartering stripe and a star.
  std::vector<Vec> band = {P(-22, -6), P(22, -6), P(22, 2), P(-22, 2)};
  FillPolygon(img, band, Soft(Rgb{36, 60, 130}));
  std::vector<Vec> star;
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5, r = (i % 2 ? 4.0 : 9.5) * s;
    star.push_back({cx + r * std::cos(a), cy + 14 * s + r * std::sin(a)});
  }
  FillPolygon(img, star, Soft(kGoldLight));
  std::vector<Vec> crown = {P(-18, -34), P(-18, -48), P(-9, -40), P(0, -52), P(9, -40), P(18, -48), P(18, -34)};
  FillPolygon(img, crown, Soft(kGold));
  FillCircle(img, P(0, -52), 2.6 * s, Soft(kGoldLight));
  FillRect(img, static_cast<int>(cx - 18 * s), static_cast<int>(cy - 37 * s), static_cast<int>(36 * s), static_cast<int>(3 * s),
           kGoldDark);
}

// A faint compass rose, printed into the parchment as a watermark.
void CompassMark(Image& img, double cx, double cy, double r, double alpha) {
  Rgb ink{150, 120, 80};
  FillRing(img, {cx, cy}, r * 0.78, r * 0.82, Soft(ink, alpha));
  FillRing(img, {cx, cy}, r * 0.3, r * 0.33, Soft(ink, alpha));
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4, len = i % 2 ? r * 0.6 : r;
    double b1 = a + M_PI / 2, w = r * 0.09;
    FillPolygon(img,
                {{cx + len * std::cos(a), cy + len * std::sin(a)},
                 {cx + w * std::cos(b1), cy + w * std::sin(b1)},
                 {cx - w * std::cos(b1), cy - w * std::sin(b1)}},
                Soft(ink, alpha * (i % 2 ? 0.7 : 1.0)));
  }
}

// The left column: wood with a gold edge towards the menu area.
void LeftColumn(Image& img, std::uint64_t seed) {
  Wood(img, 0, 0, 140, 480, seed);
  for (int y = 0; y < 480; ++y) {
    img.Set(138, y, kGold);
    img.Set(139, y, kInk);
    img.Set(137, y, kGoldDark);
  }
}

// The portrait socket at the top left of a window: the portrait lands on (4..67, 4..67).
void PortraitSocket(Image& img) {
  FillRect(img, 0, 0, 72, 72, kInk);
  FrameRect(img, 1, 1, 70, 70, 1, kGold);
  FrameRect(img, 2, 2, 68, 68, 1, kGoldDark);
  FillRect(img, 4, 4, 64, 64, Rgb{40, 32, 28});
}

// The 36-pixel band at the bottom of a window, under its tabs and button strips.
void BottomBand(Image& img, int y, std::uint64_t seed) {
  Wood(img, 0, y, 500, 380 - y, seed);
  FillRect(img, 0, y, 500, 1, kInk);
  FillRect(img, 0, y + 1, 500, 1, kGold);
  FrameRect(img, 0, 0, 500, 380, 1, kInk);
}

// A faint horizontal rule across a panel.
void Rule(Image& img, int x0, int x1, int y) {
  for (int x = x0; x < x1; ++x) {
    img.Blend(x, y, Rgb{150, 112, 60}, 0.55);
    img.Blend(x, y + 1, Rgb{255, 255, 255}, 0.5);
  }
}
void Pillar(Image& img, int x, int y0, int y1) {
  for (int y = y0; y < y1; ++y) {
    img.Blend(x, y, Rgb{150, 112, 60}, 0.55);
    img.Blend(x + 1, y, Rgb{255, 255, 255}, 0.5);
  }
}

// Faint stripes under the list rows at y 30 + 20 i.
void ListStripes(Image& img, int x0, int x1, int first, int count) {
  for (int i = 0; i < count; ++i) {
    if (i % 2) BlendRect(img, x0, first + 20 * i - 1, x1 - x0, 19, Rgb{200, 170, 110}, 0.12);
  }
}

}  // namespace

// variant 0: the title's frame (nothing is drawn over its left column); 1: the thinking screen's.
Image PaintFrame(const Picture& p) {
  Image img(p.width, p.height);
  LeftColumn(img, 0xF7A3E + p.variant);
  // Work area and help box: parchment, light enough for black text everywhere.
  Panel(img, 140, 0, 500, 380, 0x51 + p.variant);
  CompassMark(img, 390, 190, 120, 0.10);
  Panel(img, 140, 380, 500, 100, 0x52 + p.variant);
  if (p.variant == 0) {
    // Title: a banner down the left column with the realm's emblem and the game's name.
    FillRect(img, 22, 0, 96, 420, Rgb{110, 22, 30});
    for (int y = 0; y < 420; ++y) {
      img.Set(22, y, kGold), img.Set(23, y, kGoldDark), img.Set(117, y, kGold), img.Set(116, y, kGoldDark);
    }
    FillPolygon(img, {{22, 419}, {118, 419}, {118, 450}, {70, 430}, {22, 450}}, Soft(Rgb{110, 22, 30}));
    Emblem(img, 70, 150, 1.15);
    LetterCentred(img, 22, 250, 96, 30, "VALDRIM", 22, kGoldLight);
    LetterCentred(img, 22, 282, 96, 40, "Ⅱ", 34, kGoldLight);
  } else {
    // Thinking: the emblem sits below the longest board (which ends at y 252).
    Emblem(img, 70, 370, 0.95);
    Stud(img, 70, 284, 5);
    Stud(img, 70, 460, 5);
  }
  return img;
}

// Four save slots of 95 px; each with the slot's button at x 376..495, y 63 + 95 k.
Image PaintSlotBoard(const Picture& p) {
  Image img(p.width, p.height);
  Wood(img, 0, 0, p.width, p.height, 0x5107);
  FrameRect(img, 0, 0, p.width, p.height, 1, kInk);
  for (int k = 0; k < 4; ++k) {
    const int y = 95 * k;
    Panel(img, 2, y + 2, p.width - 4, 91, 0x5200 + k);
    // A wax seal below the slot's label, with the slot's number of dots.
    FillCircle(img, {40.0, y + 76.0}, 9, Soft(Rgb{150, 30, 30}, 0.9));
    FillCircle(img, {40.0, y + 76.0}, 6.5, Soft(Rgb{190, 50, 44}, 0.9));
    for (int d = 0; d <= k; ++d) FillCircle(img, {40.0 + 4 * d - 2 * k, y + 76.0}, 1.3, Soft(Rgb{250, 220, 200}));
    Button(img, 378, y + 63, 116, 28, Lamp::kOn, p.labels.empty() ? "" : p.labels[0]);
  }
  return img;
}

// The nation choice: portrait at the top left, the nation's data in the left column, its members
// in the right column, the button strip over the right of the bottom band.
Image PaintNationBoard(const Picture& p) {
  Image img(p.width, p.height);
  Panel(img, 0, 0, p.width, 344, 0x7117);
  PortraitSocket(img);
  Rule(img, 76, 296, 70);
  Rule(img, 8, 296, 80);
  Pillar(img, 300, 8, 336);
  Rule(img, 306, 492, 22);
  // Rows of the data table (y 100..256).
  ListStripes(img, 8, 296, 100, 8);
  BottomBand(img, 344, 0x7118);
  Emblem(img, 110, 362, 0.22);
  Stud(img, 40, 362, 4);
  Stud(img, 180, 362, 4);
  return img;
}

Image PaintListWindow(const Picture& p) {
  Image img(p.width, p.height);
  Panel(img, 0, 0, p.width, 344, 0x2151);
  // The heading row (y 10) and the list rows at y 30 + 20 i, i = 0..14.
  BlendRect(img, 8, 7, p.width - 16, 21, Rgb{230, 196, 140}, 0.35);
  Rule(img, 8, p.width - 8, 28);
  ListStripes(img, 8, p.width - 8, 30, 15);
  BottomBand(img, 344, 0x2152);
  // The value line ("研究値：" ...) at (95, 355), and a decide button of its own: states without a
  // button strip still answer clicks at x 376..495.
  Field(img, 88, 348, 240, 28);
  Button(img, 378, 348, 116, 28, Lamp::kOn, p.labels.empty() ? "" : p.labels[0]);
  return img;
}

Image PaintCharacterWindow(const Picture& p) {
  Image img(p.width, p.height);
  Panel(img, 0, 0, p.width, 344, 0x3151);
  PortraitSocket(img);
  Rule(img, 76, 296, 36);
  Rule(img, 8, 296, 76);
  Pillar(img, 302, 8, 336);
  ListStripes(img, 8, 296, 100, 11);
  ListStripes(img, 306, p.width - 8, 25, 16);
  BottomBand(img, 344, 0x3152);
  return img;
}

Image PaintNationWindow(const Picture& p) {
  Image img(p.width, p.height);
  Panel(img, 0, 0, p.width, 344, 0x4151);
  PortraitSocket(img);
  Rule(img, 76, 296, 36);
  Rule(img, 8, p.width - 8, 76);
  Pillar(img, 302, 80, 336);
  ListStripes(img, 8, 296, 100, 12);
  ListStripes(img, 306, p.width - 8, 100, 8);
  Rule(img, 306, p.width - 8, 278);
  BottomBand(img, 344, 0x4152);
  Emblem(img, 150, 362, 0.22);
  return img;
}

}  // namespace assets
