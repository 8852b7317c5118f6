#include "assets/ui_kit.h"

#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/lettering.h"

namespace assets {

using namespace palette;

void Wood(Image& img, int x, int y, int w, int h, std::uint64_t seed) {
  Noise grain(seed), knots(seed ^ 0x5A5A);
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) {
      double n = grain.Fractal(xx * 0.015, yy * 0.22, 4);
      double stripe = 0.5 + 0.5 * std::sin((yy + n * 26.0) * 0.55);
      double k = knots.At(xx * 0.03, yy * 0.08);
      double t = 0.25 + 0.45 * stripe * n + 0.3 * k * k;
      img.Set(xx, yy, Mix(kWoodDark, kWoodLight, std::clamp(t, 0.0, 1.0)));
    }
}

void Parchment(Image& img, int x, int y, int w, int h, std::uint64_t seed) {
  Noise mottle(seed);
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) {
      double n = mottle.Fractal(xx / 37.0, yy / 37.0, 4);
      double fine = mottle.At(xx * 0.9, yy * 0.9);
      // Darker towards the edges, as old paper is.
      double ex = std::min(xx - x, x + w - 1 - xx), ey = std::min(yy - y, y + h - 1 - yy);
      double edge = std::clamp(1.0 - std::min(ex, ey) / 10.0, 0.0, 1.0);
      Rgb c = Mix(kParchment, kParchmentEdge, 0.55 * n + 0.15 * fine + 0.5 * edge * edge);
      img.Set(xx, yy, c);
    }
}

void Bevel(Image& img, int x, int y, int w, int h, int thickness, bool sunken) {
  for (int i = 0; i < thickness; ++i) {
    double a = 0.55 - 0.12 * i;
    Rgb top = sunken ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    Rgb bottom = sunken ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    for (int xx = x + i; xx < x + w - i; ++xx) {
      img.Blend(xx, y + i, top, a);
      img.Blend(xx, y + h - 1 - i, bottom, a);
    }
    for (int yy = y + i + 1; yy < y + h - 1 - i; ++yy) {
      img.Blend(x + i, yy, top, a);
      img.Blend(x + w - 1 - i, yy, bottom, a);
    }
  }
}

void GoldRim(Image& img, int x, int y, int w, int h) {
  FrameRect(img, x, y, w, h, 1, kInk);
  FrameRect(img, x + 1, y + 1, w - 2, h - 2, 1, kGoldLight);
  FrameRect(img, x + 2, y + 2, w - 4, h - 4, 1, kGold);
  FrameRect(img, x + 3, y + 3, w - 6, h - 6, 1, kGoldDark);
  FrameRect(img, x + 4, y + 4, w - 8, h - 8, 1, kInk);
}

void Panel(Image& img, int x, int y, int w, int h, std::uint64_t seed) {
  Parchment(img, x, y, w, h, seed);
  GoldRim(img, x, y, w, h);
  for (int i = 0; i < 3; ++i) {
    // A soft shadow just inside the rim.
    for (int xx = x + 5 + i; xx < x + w - 5; ++xx) img.Blend(xx, y + 5 + i, Rgb{90, 60, 30}, 0.22 - 0.07 * i);
    for (int yy = y + 5 + i; yy < y + h - 5; ++yy) img.Blend(x + 5 + i, yy, Rgb{90, 60, 30}, 0.22 - 0.07 * i);
  }
  Stud(img, x + 2, y + 2, 4);
  Stud(img, x + w - 3, y + 2, 4);
  Stud(img, x + 2, y + h - 3, 4);
  Stud(img, x + w - 3, y + h - 3, 4);
}

void Field(Image& img, int x, int y, int w, int h) {
  VerticalGradient(img, x, y, w, h, Rgb{236, 228, 206}, Rgb{252, 248, 236});
  Bevel(img, x, y, w, h, 2, true);
}

namespace {

struct Colours {
  Rgb top, bottom, rim, label;
};

Colours ButtonColours(Lamp lamp) {
  switch (lamp) {
    case Lamp::kLit: return {Rgb{255, 236, 150}, Rgb{224, 150, 40}, Rgb{255, 250, 210}, kLabelLit};
    case Lamp::kOff: return {Rgb{150, 148, 144}, Rgb{104, 102, 100}, Rgb{70, 68, 66}, kLabelOff};
    case Lamp::kOn: break;
  }
  return {kSlateLight, kSlateDark, kGold, kLabel};
}

void RoundedBox(Image& img, int x, int y, int w, int h, double r, Rgb top, Rgb bottom) {
  for (int yy = y; yy < y + h; ++yy) {
    Rgb c = Mix(top, bottom, h > 1 ? static_cast<double>(yy - y) / (h - 1) : 0.0);
    for (int xx = x; xx < x + w; ++xx) {
      // Distance outside the rounded corners; pixels there keep what lies beneath.
      double cx = std::clamp(xx + 0.5, x + r, x + w - r), cy = std::clamp(yy + 0.5, y + r, y + h - r);
      double d = Len(xx + 0.5 - cx, yy + 0.5 - cy) - r;
      if (d < 0) img.Set(xx, yy, c);
    }
  }
}

void RoundedRim(Image& img, int x, int y, int w, int h, double r, Rgb c) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) {
      double cx = std::clamp(xx + 0.5, x + r, x + w - r), cy = std::clamp(yy + 0.5, y + r, y + h - r);
      double d = Len(xx + 0.5 - cx, yy + 0.5 - cy) - r;
      if (d < 0 && d >= -1.0) img.Set(xx, yy, c);
    }
}

void ButtonBody(Image& img, int x, int y, int w, int h, Lamp lamp) {
  Colours c = ButtonColours(lamp);
  // Shadow under the button, then the body, its rim and a shine along the top.
  RoundedBox(img, x + 1, y + 2, w, h, 4, Rgb{20, 12, 6}, Rgb{20, 12, 6});
  RoundedBox(img, x, y, w, h, 4, c.top, c.bottom);
  RoundedRim(img, x, y, w, h, 4, c.rim);
  if (lamp != Lamp::kOff) {
    for (int xx = x + 4; xx < x + w - 4; ++xx) img.Blend(xx, y + 2, Rgb{255, 255, 255}, 0.45);
    for (int xx = x + 4; xx < x + w - 4; ++xx) img.Blend(xx, y + 3, Rgb{255, 255, 255}, 0.2);
  }
  if (lamp == Lamp::kLit) {
    // A glow around a lit button.
    for (int i = 1; i <= 2; ++i) RoundedRim(img, x - i, y - i, w + 2 * i, h + 2 * i, 4 + i, Mix(c.rim, kGold, 0.5 * i));
  }
}

}  // namespace

void Button(Image& img, int x, int y, int w, int h, Lamp lamp, std::string_view label, int text_height) {
  ButtonBody(img, x, y, w, h, lamp);
  if (!label.empty()) {
    Colours c = ButtonColours(lamp);
    if (lamp == Lamp::kOn) LetterCentred(img, x + 1, y + 1, w, h, label, text_height, Rgb{16, 20, 40});
    LetterCentred(img, x, y, w, h, label, text_height, c.label);
  }
}

void ArrowButton(Image& img, int x, int y, int w, int h, Lamp lamp, Arrow arrow) {
  ButtonBody(img, x, y, w, h, lamp);
  Colours c = ButtonColours(lamp);
  double cx = x + w / 2.0, cy = y + h / 2.0, s = std::min(w, h) * 0.28;
  std::vector<Vec> tri;
  switch (arrow) {
    case Arrow::kLeft: tri = {{cx - s, cy}, {cx + s * 0.8, cy - s}, {cx + s * 0.8, cy + s}}; break;
    case Arrow::kRight: tri = {{cx + s, cy}, {cx - s * 0.8, cy - s}, {cx - s * 0.8, cy + s}}; break;
    case Arrow::kUp: tri = {{cx, cy - s}, {cx - s, cy + s * 0.8}, {cx + s, cy + s * 0.8}}; break;
    case Arrow::kDown: tri = {{cx, cy + s}, {cx - s, cy - s * 0.8}, {cx + s, cy - s * 0.8}}; break;
  }
  std::vector<Vec> shadow = tri;
  for (Vec& p : shadow) p.x += 1, p.y += 1;
  FillPolygon(img, shadow, Soft(Rgb{16, 12, 8}, 0.6));
  FillPolygon(img, tri, Soft(c.label));
}

void EmptySocket(Image& img, int x, int y, int w, int h) {
  BlendRect(img, x, y, w, h, Rgb{20, 12, 6}, 0.35);
  Bevel(img, x, y, w, h, 2, true);
}

void Tab(Image& img, int x, int y, int w, int h, Lamp lamp, std::string_view label) {
  Button(img, x, y, w, h, lamp, label);
  if (lamp == Lamp::kLit) {
    // A marker under the current tab.
    FillPolygon(img, {{x + w / 2.0 - 5, y + h - 1.0}, {x + w / 2.0 + 5, y + h - 1.0}, {x + w / 2.0, y + h - 6.0}},
                Soft(Rgb{120, 50, 10}));
  }
}

void Stud(Image& img, int cx, int cy, int r) {
  std::vector<Vec> d = {{cx + 0.5, cy + 0.5 - r}, {cx + 0.5 + r, cy + 0.5}, {cx + 0.5, cy + 0.5 + r}, {cx + 0.5 - r, cy + 0.5}};
  FillPolygon(img, d, Soft(kInk));
  std::vector<Vec> in = {{cx + 0.5, cy + 1.5 - r}, {cx - 0.5 + r, cy + 0.5}, {cx + 0.5, cy - 0.5 + r}, {cx + 1.5 - r, cy + 0.5}};
  FillPolygon(img, in, Soft(kGold));
  FillCircle(img, {cx + 0.0, cy + 0.0}, r * 0.3, Soft(kGoldLight));
}

void TitleBand(Image& img, int x, int y, int w, int h, std::string_view title, int text_height, std::uint64_t seed) {
  Wood(img, x, y, w, h, seed);
  GoldRim(img, x, y, w, h);
  if (!title.empty()) {
    LetterCentred(img, x + 1, y + 2, w, h, title, text_height, Rgb{10, 6, 2});
    LetterCentred(img, x, y, w, h, title, text_height, kGoldLight);
  }
}

}  // namespace assets
