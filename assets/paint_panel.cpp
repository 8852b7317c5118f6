// The right-hand panel (200 x 480) and the pieces drawn on it. Panel image row r is window row r.
#include <algorithm>
#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/lettering.h"
#include "assets/painters.h"
#include "assets/roster.h"
#include "assets/ui_kit.h"

namespace assets {

using namespace palette;

namespace {

// A parchment area with a slim rim (3 px): the panel's texts start 5 px from its edges.
void SlimPanel(Image& img, int x, int y, int w, int h, std::uint64_t seed) {
  Parchment(img, x, y, w, h, seed);
  FrameRect(img, x, y, w, h, 1, kInk);
  FrameRect(img, x + 1, y + 1, w - 2, h - 2, 1, kGold);
  FrameRect(img, x + 2, y + 2, w - 4, h - 4, 1, kGoldDark);
}

void Rule(Image& img, int x0, int x1, int y) {
  for (int x = x0; x < x1; ++x) {
    img.Blend(x, y, Rgb{150, 112, 60}, 0.5);
    img.Blend(x, y + 1, Rgb{255, 255, 255}, 0.5);
  }
}

}  // namespace

// Dark wood around the mini-map's window (4..195, 4..195); below it, seen only on the title
// screen, the name of the game over a compass.
Image PaintPanelFrame(const Picture& p) {
  Image img(p.width, p.height);
  Wood(img, 0, 0, p.width, p.height, 0x9A7E1);
  GoldRim(img, 0, 0, p.width, p.height);
  FillRect(img, 2, 2, 196, 196, kInk);
  FrameRect(img, 3, 3, 194, 194, 1, kGoldDark);
  // Where the mini-map goes: the same land as an old sepia chart, seen when no mini-map is drawn
  // over it (the title's load menu).
  const Image chart = PaintMiniMap();
  for (int y = 0; y < chart.Height(); ++y)
    for (int x = 0; x < chart.Width(); ++x) {
      Rgb c = chart.Get(x, y);
      double l = (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) / 255.0;
      double edge = std::min({x, y, 191 - x, 191 - y}) / 24.0;
      double v = l * (0.55 + 0.45 * std::min(1.0, edge));
      img.Set(4 + x, 4 + y, Mix(Rgb{70, 48, 26}, Rgb{236, 214, 168}, v));
    }
  // Title plate.
  Panel(img, 14, 214, 172, 96, 0x9A7E2);
  LetterCentred(img, 14, 226, 172, 36, "VALDRIM", 26, Rgb{110, 22, 30});
  LetterCentred(img, 14, 262, 172, 36, "Ⅱ", 28, Rgb{110, 22, 30});
  // A compass in brass.
  const double cx = 100, cy = 392;
  FillCircle(img, {cx, cy}, 58, Soft(kInk));
  FillCircle(img, {cx, cy}, 56, Soft(kGoldDark));
  FillCircle(img, {cx, cy}, 52, Soft(Rgb{236, 224, 190}));
  FillRing(img, {cx, cy}, 44, 46, Soft(kGoldDark));
  for (int i = 0; i < 8; ++i) {
    double a = -M_PI / 2 + i * M_PI / 4, len = i % 2 ? 30 : 44, w = 6;
    double b = a + M_PI / 2;
    Vec tip{cx + len * std::cos(a), cy + len * std::sin(a)};
    Vec l{cx + w * std::cos(b), cy + w * std::sin(b)}, r{cx - w * std::cos(b), cy - w * std::sin(b)};
    FillPolygon(img, {tip, l, {cx, cy}}, Soft(i == 0 ? Rgb{170, 30, 30} : Rgb{60, 50, 40}));
    FillPolygon(img, {tip, r, {cx, cy}}, Soft(i == 0 ? Rgb{220, 70, 60} : Rgb{150, 130, 100}));
  }
  FillCircle(img, {cx, cy}, 4, Soft(kGold));
  return img;
}

// Cells of 8 x 8 with a 6 x 6 dot at the cell's lower left (the city's mini-map point); the rest
// of the cell is the key colour.
Image PaintNationDots(const Picture& p) {
  Image img(p.width, p.height, kKey);
  for (int c = 0; c < p.cols; ++c) {
    Rgb colour = c <= 7 ? NationColour(c) : Rgb{120, 120, 120};
    const int x = 8 * c, y = 2;
    FillRect(img, x, y, 6, 6, kInk);
    FillRect(img, x + 1, y + 1, 4, 4, colour);
    img.Set(x + 1, y + 1, Lighter(colour, 0.6));
  }
  return img;
}

// A ring around the 6 x 6 dot at its centre (7..12); blended at 80 % over the map.
Image PaintRing(const Picture& p) {
  Image img(p.width, p.height, kKey);
  FillRing(img, {10.0, 10.0}, 6.2, 9.8, Hard(Rgb{255, 250, 170}));
  FillRing(img, {10.0, 10.0}, 7.3, 8.7, Hard(Rgb{255, 200, 40}));
  return img;
}

// Calendar and city box under the mini-map: the date at y 14, the city's lines at y 44..180.
Image PaintDateBoard(const Picture& p) {
  Image img(p.width, p.height);
  SlimPanel(img, 0, 0, p.width, p.height, 0xDA7E);
  BlendRect(img, 4, 8, p.width - 8, 26, Rgb{230, 196, 140}, 0.4);
  Rule(img, 4, p.width - 4, 36);
  Rule(img, 4, p.width - 4, 84);
  Rule(img, 4, p.width - 4, 156);
  return img;
}

// The phase's name plate at the bottom of the panel.
Image PaintPhasePlate(const Picture& p) {
  Image img(p.width, p.height);
  TitleBand(img, 0, 0, p.width, p.height, p.labels.empty() ? "" : p.labels[0], 22, 0x91A7E);
  Stud(img, 12, p.height / 2, 4);
  Stud(img, p.width - 13, p.height / 2, 4);
  return img;
}

// The action phase's board: parchment for the hovered character's lines (y 14..224), the phase's
// plate below. It ends at the mini-map (panel row 196 = board top).
Image PaintActionBoard(const Picture& p) {
  Image img(p.width, p.height);
  SlimPanel(img, 0, 0, p.width, 236, 0xAC71);
  Rule(img, 4, p.width - 4, 58);
  Rule(img, 4, p.width - 4, 132);
  Rule(img, 4, p.width - 4, 162);
  TitleBand(img, 0, 236, p.width, 48, p.labels.empty() ? "" : p.labels[0], 22, 0xAC72);
  Stud(img, 12, 260, 4);
  Stud(img, p.width - 13, 260, 4);
  return img;
}

// The view's outline on the mini-map: key colour inside.
Image PaintViewFrame(const Picture& p) {
  Image img(p.width, p.height, kKey);
  FrameRect(img, 0, 0, p.width, p.height, 1, kInk);
  FrameRect(img, 1, 1, p.width - 2, p.height - 2, 1, Rgb{255, 240, 120});
  FrameRect(img, 2, 2, p.width - 4, p.height - 4, 1, kInk);
  return img;
}

// Three frames of a sparkle (registered for the field, never drawn).
Image PaintEffects(const Picture& p) {
  Image img(p.width, p.height, kKey);
  for (int c = 0; c < p.cols; ++c) {
    double cx = 48 * c + 24, cy = 24, r = 8 + 6 * c;
    std::vector<Vec> star;
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4, rr = i % 2 ? r * 0.35 : r;
      star.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    FillPolygon(img, star, Hard(Rgb{255, 240, 160}));
    FillCircle(img, {cx, cy}, r * 0.25, Hard(Rgb{255, 255, 255}));
  }
  return img;
}

}  // namespace assets
