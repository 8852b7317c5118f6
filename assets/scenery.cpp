#include "assets/scenery.h"

#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"

namespace assets {

void Sky(Image& img, Rgb top, Rgb horizon, int horizon_y) {
  for (int y = 0; y < img.Height(); ++y) {
    double t = std::clamp(static_cast<double>(y) / horizon_y, 0.0, 1.0);
    Rgb c = Mix(top, horizon, t * t);
    for (int x = 0; x < img.Width(); ++x) img.Set(x, y, c);
  }
}

void Stars(Image& img, std::uint64_t seed, int count, int max_y) {
  Dice dice(seed);
  for (int i = 0; i < count; ++i) {
    double x = dice.Range(0, img.Width()), y = dice.Range(0, max_y);
    double fade = 1.0 - y / max_y;
    double r = dice.Chance(0.08) ? 1.6 : 0.8;
    FillCircle(img, {x, y}, r * img.Width() / 640.0, Soft(Rgb{255, 250, 230}, 0.4 + 0.6 * fade * dice.Unit()));
  }
}

void Sun(Image& img, double x, double y, double r, Rgb colour, Rgb glow) {
  for (int i = 8; i >= 1; --i) FillCircle(img, {x, y}, r * (1 + i * 0.35), Soft(glow, 0.07));
  FillCircle(img, {x, y}, r, Soft(colour));
}

void Ridge(Image& img, double base_y, double amplitude, double wavelength, Rgb colour, std::uint64_t seed, double fade) {
  Noise n(seed);
  for (int x = 0; x < img.Width(); ++x) {
    double top = base_y - amplitude * (n.Fractal(x / wavelength, 0.5, 4) - 0.5) * 2;
    for (int y = std::max(0, static_cast<int>(top)); y < img.Height(); ++y) {
      double cover = std::clamp(y + 1 - top, 0.0, 1.0);
      double t = fade * std::clamp((y - top) / (img.Height() - top + 1), 0.0, 1.0);
      img.Blend(x, y, Darker(colour, t), cover);
    }
  }
}

void Castle(Image& img, double x, double base_y, double scale, Rgb wall, Rgb window, Rgb banner) {
  auto R = [&](double x0, double y0, double x1, double y1, Rgb c) {
    FillPolygon(img, {{x + x0 * scale, base_y + y0 * scale}, {x + x1 * scale, base_y + y0 * scale},
                      {x + x1 * scale, base_y + y1 * scale}, {x + x0 * scale, base_y + y1 * scale}},
                Soft(c));
  };
  auto Battlements = [&](double x0, double x1, double y) {
    for (double bx = x0; bx + 4 <= x1; bx += 8) R(bx, y - 5, bx + 4, y, wall);
  };
  auto Roof = [&](double x0, double x1, double y, double h, Rgb c) {
    FillPolygon(img, {{x + x0 * scale, base_y + y * scale}, {x + (x0 + x1) / 2 * scale, base_y + (y - h) * scale},
                      {x + x1 * scale, base_y + y * scale}},
                Soft(c));
  };
  auto Flag = [&](double fx, double fy) {
    FillCapsule(img, {x + fx * scale, base_y + fy * scale}, {x + fx * scale, base_y + (fy - 16) * scale}, 0.7 * scale,
                Soft(Darker(wall, 0.3)));
    FillPolygon(img, {{x + fx * scale, base_y + (fy - 16) * scale}, {x + (fx + 12) * scale, base_y + (fy - 13) * scale},
                      {x + fx * scale, base_y + (fy - 10) * scale}},
                Soft(banner));
  };
  // Curtain wall, towers, keep.
  R(-60, -40, 60, 0, wall);
  Battlements(-60, 60, -40);
  R(-70, -62, -48, 0, wall);
  R(48, -62, 70, 0, wall);
  Roof(-73, -45, -62, 22, Darker(banner, 0.3));
  Roof(45, 73, -62, 22, Darker(banner, 0.3));
  R(-26, -92, 26, -40, wall);
  Battlements(-26, 26, -92);
  R(-10, -122, 10, -92, wall);
  Roof(-13, 13, -122, 26, Darker(banner, 0.3));
  Flag(0, -148);
  Flag(-59, -84);
  Flag(59, -84);
  // Windows and the gate.
  for (double wx : {-16.0, -4.0, 8.0}) R(wx, -80, wx + 5, -72, window);
  for (double wx : {-62.0, 54.0}) R(wx, -50, wx + 5, -43, window);
  R(-3, -112, 3, -104, window);
  FillEllipse(img, {x, base_y - 14 * scale}, 10 * scale, 14 * scale, Soft(Darker(wall, 0.45)));
  R(-10, -14, 10, 0, Darker(wall, 0.45));
}

void Clouds(Image& img, std::uint64_t seed, int count, int min_y, int max_y, Rgb colour, double alpha) {
  Dice dice(seed);
  const double s = img.Width() / 640.0;
  for (int i = 0; i < count; ++i) {
    double x = dice.Range(0, img.Width()), y = dice.Range(min_y, max_y), w = dice.Range(40, 90) * s;
    for (int k = 0; k < 6; ++k) {
      double cx = x + dice.Range(-w, w), cy = y + dice.Range(-w * 0.12, w * 0.12);
      FillEllipse(img, {cx, cy}, dice.Range(0.35, 0.6) * w, dice.Range(0.12, 0.22) * w, Soft(colour, alpha));
    }
  }
}

}  // namespace assets
