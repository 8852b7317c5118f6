// The ending's eight scenes (640 x 480): the last duel at dusk, the banner over the taken
// fortress, the feast in the courtyard, the coronation, fireworks over the capital, the land at
// peace, the heroes' road into the sunset, and the closing card. Scenes 3, 5 and 7 are always shown
// 30 levels darker, so they are painted brighter.
#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/ending_cast.h"
#include "assets/figure.h"
#include "assets/lettering.h"
#include "assets/painters.h"
#include "assets/roster.h"
#include "assets/scenery.h"

namespace assets {
namespace {

constexpr int kUp = 2;
constexpr double S = kUp;

void Rect(Image& img, double x0, double y0, double x1, double y1, Rgb c, double alpha = 1.0) {
  FillPolygon(img, {{x0 * S, y0 * S}, {x1 * S, y0 * S}, {x1 * S, y1 * S}, {x0 * S, y1 * S}}, Soft(c, alpha));
}

// Ground from row y down: a gradient with a grain.
void Ground(Image& img, double y, Rgb near, Rgb far, std::uint64_t seed) {
  Noise n(seed);
  for (int yy = static_cast<int>(y * S); yy < img.Height(); ++yy) {
    double t = (yy - y * S) / (img.Height() - y * S);
    for (int x = 0; x < img.Width(); ++x) {
      Rgb c = Mix(far, near, std::sqrt(t));
      img.Set(x, yy, Mix(c, Darker(c, 0.3), 0.5 * n.Fractal(x / (30.0 + 60 * t), yy / 12.0, 3)));
    }
  }
}

// The glow of a fire or a lamp.
void Glow(Image& img, double x, double y, double r, Rgb c, double alpha) {
  for (int i = 10; i >= 1; --i) FillCircle(img, {x * S, y * S}, r * S * i / 10.0, Soft(c, alpha / 10.0));
}

void Smoke(Image& img, double x, double y, std::uint64_t seed) {
  Dice dice(seed);
  for (int i = 0; i < 26; ++i) {
    double t = i / 26.0;
    FillCircle(img, {(x + 40 * t + dice.Range(-8, 8)) * S, (y - 170 * t) * S}, (10 + 30 * t) * S,
               Soft(Rgb{60, 50, 56}, 0.25 * (1 - t)));
  }
}

void Torch(Image& img, double x, double y) {
  Glow(img, x, y, 46, Rgb{255, 170, 60}, 0.5);
  Rect(img, x - 2, y, x + 2, y + 20, Rgb{60, 40, 26});
  FillEllipse(img, {x * S, (y - 4) * S}, 4 * S, 8 * S, Soft(Rgb{255, 150, 40}));
  FillEllipse(img, {x * S, (y - 2) * S}, 2 * S, 4 * S, Soft(Rgb{255, 240, 170}));
}

// Scene 1: the last battlefield at dusk, the enemy's fortress burning behind. The duellists stand
// on the ground at row 264.
Image Battlefield(bool night) {
  Image img(640 * kUp, 480 * kUp);
  Sky(img, night ? Rgb{14, 14, 40} : Rgb{60, 30, 70}, night ? Rgb{60, 40, 70} : Rgb{240, 110, 60}, 250 * kUp);
  if (night) Stars(img, 0xB1, 140, 160 * kUp);
  Sun(img, 150 * S, 205 * S, 30 * S, night ? Rgb{230, 230, 210} : Rgb{255, 190, 110}, Rgb{255, 120, 70});
  Ridge(img, 200 * S, 30 * S, 140 * S, night ? Rgb{40, 34, 60} : Rgb{110, 60, 80}, 0x21, 0.2);
  Castle(img, 470 * S, 214 * S, 0.75 * S, night ? Rgb{30, 26, 40} : Rgb{64, 40, 54}, Rgb{255, 150, 60}, Rgb{60, 20, 30});
  Glow(img, 470, 170, 80, Rgb{255, 110, 40}, 0.45);
  Smoke(img, 450, 140, 0x5E);
  Smoke(img, 500, 150, 0x5F);
  Ground(img, 212, night ? Rgb{40, 36, 30} : Rgb{96, 76, 50}, night ? Rgb{30, 30, 36} : Rgb{120, 86, 70}, 0x22);
  // Spears and fallen banners in the trampled field.
  Dice dice(0xBA7);
  for (int i = 0; i < 26; ++i) {
    double x = dice.Range(0, 640), y = dice.Range(280, 470);
    if (x > 200 && x < 420 && y < 320) continue;  // the duel's ground stays clear
    double a = dice.Range(-0.6, 0.6), h = dice.Range(30, 60) * (0.6 + y / 480);
    FillCapsule(img, {x * S, y * S}, {(x + h * std::sin(a)) * S, (y - h * std::cos(a)) * S}, 1.2 * S,
                Soft(Rgb{50, 36, 26}));
    if (i % 4 == 0)
      FillPolygon(img, {{(x + h * std::sin(a)) * S, (y - h * std::cos(a)) * S},
                        {(x + h * std::sin(a) + 20) * S, (y - h * std::cos(a) + 6) * S},
                        {(x + h * std::sin(a)) * S, (y - h * std::cos(a) + 14) * S}},
                  Soft(i % 8 ? Rgb{140, 30, 36} : Rgb{40, 60, 140}));
  }
  // Where the two stand: a patch of trodden earth.
  FillEllipse(img, {300 * S, 266 * S}, 120 * S, 22 * S, Soft(night ? Rgb{54, 48, 40} : Rgb{130, 100, 70}, 0.7));
  return Shrink(img, kUp);
}

// Scene 2: dawn over the taken fortress, the victor's banner on the keep.
Image BannerAtDawn() {
  Image img(640 * kUp, 480 * kUp);
  Sky(img, Rgb{90, 130, 200}, Rgb{255, 210, 150}, 300 * kUp);
  Sun(img, 120 * S, 280 * S, 40 * S, Rgb{255, 244, 200}, Rgb{255, 200, 120});
  Clouds(img, 0xD2, 7, 60 * kUp, 220 * kUp, Rgb{255, 236, 220}, 0.5);
  Ridge(img, 300 * S, 50 * S, 150 * S, Rgb{140, 140, 180}, 0x31, 0.15);
  FillEllipse(img, {330 * S, 430 * S}, 260 * S, 130 * S, Soft(Rgb{90, 110, 80}));
  Castle(img, 330 * S, 330 * S, 1.3 * S, Rgb{120, 116, 128}, Rgb{255, 230, 160}, Rgb{40, 80, 200});
  // The great banner of the victor on the keep.
  FillCapsule(img, {330 * S, 130 * S}, {330 * S, 40 * S}, 2 * S, Soft(Rgb{60, 40, 30}));
  std::vector<Vec> flag;
  for (int i = 0; i <= 10; ++i) flag.push_back({(332 + 9 * i) * S, (42 + 5 * std::sin(i * 0.7)) * S});
  for (int i = 10; i >= 0; --i) flag.push_back({(332 + 9 * i) * S, (92 + 5 * std::sin(i * 0.7) - 2 * i) * S});
  FillPolygon(img, flag, Soft(Rgb{220, 180, 60}));
  FillCircle(img, {375 * S, 66 * S}, 11 * S, Soft(Rgb{170, 30, 40}));
  Ridge(img, 420 * S, 16 * S, 70 * S, Rgb{60, 90, 50}, 0x32, 0.4);
  // Soldiers on the near ridge raise their spears.
  for (int i = 0; i < 24; ++i) {
    double x = 20 + i * 26.5 + (i % 3) * 4, base = 440 + (i % 2) * 8;
    FillCircle(img, {x * S, (base - 30) * S}, 6 * S, Soft(Rgb{30, 34, 40}));
    FillPolygon(img, {{(x - 8) * S, (base - 22) * S}, {(x + 8) * S, (base - 22) * S}, {(x + 10) * S, 480 * S}, {(x - 10) * S, 480 * S}},
                Soft(Rgb{30, 34, 40}));
    FillCapsule(img, {(x + 6) * S, (base - 14) * S}, {(x + 14) * S, (base - 80) * S}, 1.3 * S, Soft(Rgb{30, 30, 34}));
    FillPolygon(img, {{(x + 12) * S, (base - 80) * S}, {(x + 15) * S, (base - 92) * S}, {(x + 17) * S, (base - 79) * S}},
                Soft(Rgb{220, 226, 236}));
  }
  return Shrink(img, kUp);
}

// Scene 3: the feast at night in the castle's courtyard, a fire in the middle (x 306..337,
// rows 227..258); figures stand on the lanes at rows 220 and 308.
Image Courtyard() {
  Image img(640 * kUp, 480 * kUp);
  Sky(img, Rgb{30, 36, 90}, Rgb{80, 70, 120}, 120 * kUp);
  Stars(img, 0xC3, 120, 100 * kUp);
  FillCircle(img, {560 * S, 50 * S}, 22 * S, Soft(Rgb{255, 250, 220}));
  // The castle's inner walls around the yard.
  Rect(img, 0, 60, 640, 170, Rgb{120, 104, 110});
  for (double x = 0; x < 640; x += 20) Rect(img, x, 50, x + 11, 62, Rgb{120, 104, 110});
  for (double y = 70; y < 170; y += 14)
    for (double x = (static_cast<int>(y) / 14 % 2) * 18; x < 640; x += 36) Rect(img, x, y, x + 34, y + 12, Rgb{140, 124, 130});
  Rect(img, 270, 90, 370, 170, Rgb{70, 50, 50});
  FillEllipse(img, {320 * S, 90 * S}, 50 * S, 30 * S, Soft(Rgb{70, 50, 50}));
  for (double x : {40.0, 150.0, 470.0, 590.0}) {
    // Banners of the seven nations, now one realm.
    int n = static_cast<int>(x) % 7 + 1;
    Rect(img, x - 16, 70, x + 16, 150, NationColour(n));
    FillPolygon(img, {{(x - 16) * S, 150 * S}, {x * S, 164 * S}, {(x + 16) * S, 150 * S}}, Soft(NationColour(n)));
    FillCircle(img, {x * S, 100 * S}, 8 * S, Soft(Rgb{250, 220, 120}));
  }
  Ground(img, 170, Rgb{170, 150, 130}, Rgb{150, 130, 120}, 0x33);
  // Flagstones.
  for (double y = 180; y < 480; y += 26)
    for (double x = (static_cast<int>(y) / 26 % 2) * 30; x < 640; x += 60) Rect(img, x, y, x + 2, y + 24, Rgb{120, 100, 90}, 0.4);
  for (double y = 180; y < 480; y += 26) Rect(img, 0, y, 640, y + 2, Rgb{120, 100, 90}, 0.4);
  for (double x : {100.0, 540.0}) Torch(img, x, 120);
  Glow(img, 322, 243, 220, Rgb{255, 190, 90}, 0.55);
  // Stone ring of the fire pit and a long table at the front.
  FillEllipse(img, {322 * S, 258 * S}, 26 * S, 8 * S, Soft(Rgb{90, 80, 76}));
  FillEllipse(img, {322 * S, 257 * S}, 20 * S, 5 * S, Soft(Rgb{50, 30, 20}));
  Rect(img, 90, 380, 550, 410, Rgb{120, 70, 40});
  Rect(img, 90, 376, 550, 382, Rgb{160, 100, 60});
  Rect(img, 110, 410, 122, 450, Rgb{80, 50, 30});
  Rect(img, 518, 410, 530, 450, Rgb{80, 50, 30});
  Dice dice(0x7AB);
  for (int i = 0; i < 14; ++i) {
    double x = 110 + i * 31;
    if (i % 3 == 0) {
      FillEllipse(img, {x * S, 376 * S}, 12 * S, 5 * S, Soft(Rgb{230, 226, 214}));
      FillEllipse(img, {x * S, 372 * S}, 7 * S, 5 * S, Soft(Rgb{190, 110, 50}));
    } else {
      Rect(img, x - 3, 362, x + 3, 376, Rgb{220, 190, 80});
      FillEllipse(img, {x * S, 362 * S}, 4 * S, 2 * S, Soft(Rgb{160, 40, 40}));
    }
  }
  return Shrink(img, kUp);
}

// Scene 4: the coronation in the throne hall.
Image ThroneHall() {
  Image img(640 * kUp, 480 * kUp);
  VerticalGradient(img, 0, 0, img.Width(), img.Height(), Rgb{70, 56, 60}, Rgb{120, 96, 80});
  // Pillars and tall windows with light falling in.
  for (int i = 0; i < 4; ++i) {
    double x = 60 + 170 * i;
    Rect(img, x + 40, 40, x + 90, 230, Rgb{190, 210, 240});
    FillEllipse(img, {(x + 65) * S, 40 * S}, 25 * S, 25 * S, Soft(Rgb{190, 210, 240}));
    FillPolygon(img, {{(x + 40) * S, 230 * S}, {(x + 90) * S, 230 * S}, {(x + 150) * S, 480 * S}, {(x + 40) * S, 480 * S}},
                Soft(Rgb{255, 240, 200}, 0.12));
  }
  for (int i = 0; i < 5; ++i) {
    double x = 20 + 150 * i;
    Rect(img, x, 0, x + 34, 400, Rgb{170, 150, 140});
    Rect(img, x + 4, 0, x + 12, 400, Rgb{200, 184, 172});
    Rect(img, x - 6, 392, x + 40, 410, Rgb{150, 130, 120});
  }
  // Banners of the seven nations along the walls.
  for (int n = 1; n <= 7; ++n) {
    double x = 40 + (n - 1) * 93;
    Rect(img, x, 20, x + 28, 130, NationColour(n));
    FillPolygon(img, {{x * S, 130 * S}, {(x + 14) * S, 146 * S}, {(x + 28) * S, 130 * S}}, Soft(NationColour(n)));
    FillCircle(img, {(x + 14) * S, 60 * S}, 7 * S, Soft(Rgb{250, 220, 120}));
  }
  // Floor, the red carpet and the dais with the throne.
  Rect(img, 0, 400, 640, 480, Rgb{150, 120, 100});
  FillPolygon(img, {{280 * S, 300 * S}, {360 * S, 300 * S}, {440 * S, 480 * S}, {200 * S, 480 * S}}, Soft(Rgb{170, 30, 40}));
  FillPolygon(img, {{288 * S, 300 * S}, {352 * S, 300 * S}, {428 * S, 480 * S}, {212 * S, 480 * S}}, Soft(Rgb{200, 44, 54}));
  Rect(img, 200, 280, 440, 310, Rgb{140, 120, 110});
  Rect(img, 220, 262, 420, 284, Rgb{160, 140, 128});
  Rect(img, 280, 150, 360, 266, Rgb{150, 100, 30});
  FillEllipse(img, {320 * S, 150 * S}, 40 * S, 26 * S, Soft(Rgb{150, 100, 30}));
  Rect(img, 290, 164, 350, 262, Rgb{160, 30, 44});
  // The new king on the throne.
  Look king = EndingHero();
  king.headgear = Headgear::kCrown;
  Image figure(640 * kUp, 480 * kUp, kKey);
  DrawFigure(figure, 320 * S, 266 * S, 2.6 * S, king, WalkPose(0), View::kFront, Rgb{230, 230, 240});
  Paste(img, figure, 0, 0, true);
  Glow(img, 320, 120, 60, Rgb{255, 240, 180}, 0.35);
  return Shrink(img, kUp);
}

// Scene 5: the capital at night, waiting for its fireworks (over x 214..613, rows 40..439).
Image CapitalAtNight() {
  Image img(640 * kUp, 480 * kUp);
  Sky(img, Rgb{44, 56, 130}, Rgb{130, 110, 180}, 420 * kUp);
  Stars(img, 0xE5, 200, 300 * kUp);
  Glow(img, 330, 330, 260, Rgb{255, 190, 140}, 0.35);
  Castle(img, 330 * S, 420 * S, 1.4 * S, Rgb{76, 72, 116}, Rgb{255, 220, 130}, Rgb{170, 40, 50});
  Dice dice(0xC17);
  // Roofs of the town, lit windows.
  for (int i = 0; i < 40; ++i) {
    double x = dice.Range(-20, 640), w = dice.Range(30, 60), h = dice.Range(30, 70), base = 480 - dice.Range(0, 30);
    if (x > 200 && x < 460 && h > 40) h = 36;
    Rect(img, x, base - h, x + w, base, Rgb{62, 56, 96});
    FillPolygon(img, {{(x - 4) * S, (base - h) * S}, {(x + w / 2) * S, (base - h - 20) * S}, {(x + w + 4) * S, (base - h) * S}},
                Soft(Rgb{96, 60, 70}));
    for (int k = 0; k < 3; ++k)
      if (dice.Chance(0.7)) Rect(img, x + 6 + k * 14, base - h + 10, x + 12 + k * 14, base - h + 18, Rgb{255, 210, 120});
  }
  // The river in front reflects the sky.
  return Shrink(img, kUp);
}

// Scene 6: the land at peace: fields, a windmill, a village, a morning sky.
Image PeacefulLand() {
  Image img(640 * kUp, 480 * kUp);
  Sky(img, Rgb{90, 150, 230}, Rgb{210, 236, 250}, 260 * kUp);
  Sun(img, 520 * S, 80 * S, 30 * S, Rgb{255, 252, 230}, Rgb{255, 240, 180});
  Clouds(img, 0xF6, 8, 40 * kUp, 200 * kUp, Rgb{255, 255, 255}, 0.7);
  Ridge(img, 250 * S, 40 * S, 200 * S, Rgb{130, 170, 200}, 0x61, 0.1);
  Ridge(img, 290 * S, 40 * S, 160 * S, Rgb{110, 170, 90}, 0x62, 0.1);
  // Patchwork of fields on the near slope.
  for (int row = 0; row < 6; ++row)
    for (int col = -1; col < 9; ++col) {
      double y0 = 300 + row * 30 + row * row * 2, y1 = y0 + 30 + row * 4;
      double skew = (row - 3) * 6;
      double x0 = col * 80 + row * 10, x1 = x0 + 80;
      const Rgb crops[4] = {{230, 206, 100}, {140, 196, 80}, {190, 160, 100}, {170, 210, 90}};
      Rgb c = crops[(row * 3 + col * 7 + 8) % 4];
      FillPolygon(img, {{(x0 + skew) * S, y0 * S}, {(x1 + skew) * S, y0 * S}, {x1 * S, y1 * S}, {x0 * S, y1 * S}}, Soft(c));
      FillPolygon(img, {{(x0 + skew) * S, y0 * S}, {(x1 + skew) * S, y0 * S}, {(x1 + skew) * S, (y0 + 1.5) * S}, {(x0 + skew) * S, (y0 + 1.5) * S}},
                  Soft(Rgb{90, 130, 60}));
    }
  // A windmill and cottages on the hill.
  Rect(img, 130, 190, 160, 300, Rgb{236, 226, 206});
  FillPolygon(img, {{126 * S, 190 * S}, {145 * S, 165 * S}, {164 * S, 190 * S}}, Soft(Rgb{160, 70, 50}));
  for (int k = 0; k < 4; ++k) {
    double a = k * M_PI / 2 + 0.4;
    FillCapsule(img, {145 * S, 185 * S}, {(145 + 60 * std::cos(a)) * S, (185 + 60 * std::sin(a)) * S}, 2 * S, Soft(Rgb{110, 80, 50}));
    FillPolygon(img, {{(145 + 15 * std::cos(a)) * S, (185 + 15 * std::sin(a)) * S},
                      {(145 + 58 * std::cos(a)) * S, (185 + 58 * std::sin(a)) * S},
                      {(145 + 58 * std::cos(a) - 12 * std::sin(a)) * S, (185 + 58 * std::sin(a) + 12 * std::cos(a)) * S},
                      {(145 + 15 * std::cos(a) - 12 * std::sin(a)) * S, (185 + 15 * std::sin(a) + 12 * std::cos(a)) * S}},
                Soft(Rgb{240, 236, 226}, 0.9));
  }
  for (int k = 0; k < 6; ++k) {
    double x = 380 + k * 40 + (k % 2) * 10, y = 250 + (k % 3) * 12;
    Rect(img, x, y, x + 30, y + 22, Rgb{240, 226, 200});
    FillPolygon(img, {{(x - 4) * S, y * S}, {(x + 15) * S, (y - 16) * S}, {(x + 34) * S, y * S}}, Soft(Rgb{180, 80, 50}));
    Rect(img, x + 12, y + 10, x + 18, y + 22, Rgb{110, 70, 40});
  }
  // Farmers at work in the fields.
  Image figures(640 * kUp, 480 * kUp, kKey);
  for (int k = 0; k < 3; ++k) {
    Look farmer = LookOf(static_cast<int>(SharedSet::kMilitia));
    DrawFigure(figures, (200 + k * 120) * S, (420 + k * 10) * S, 1.5 * S, farmer, WalkPose(k), View::kFront,
               Rgb{200, 170, 120});
  }
  Paste(img, figures, 0, 0, true);
  return Shrink(img, kUp);
}

// Scene 7: the road west at sunset; walkers on it at row 229, birds above at rows 150..181.
Image RoadAtSunset() {
  Image img(640 * kUp, 480 * kUp);
  Sky(img, Rgb{120, 90, 170}, Rgb{255, 190, 110}, 200 * kUp);
  Sun(img, 90 * S, 170 * S, 40 * S, Rgb{255, 230, 150}, Rgb{255, 160, 80});
  Clouds(img, 0x77, 6, 40 * kUp, 150 * kUp, Rgb{255, 200, 200}, 0.45);
  Ridge(img, 180 * S, 30 * S, 160 * S, Rgb{160, 110, 150}, 0x71, 0.1);
  Castle(img, 560 * S, 196 * S, 0.45 * S, Rgb{110, 80, 110}, Rgb{255, 220, 140}, Rgb{200, 160, 60});
  Ridge(img, 205 * S, 14 * S, 90 * S, Rgb{150, 150, 90}, 0x72, 0.1);
  Ground(img, 212, Rgb{150, 170, 80}, Rgb{170, 160, 90}, 0x73);
  // The road across, from the sunset at the left to the right edge.
  FillPolygon(img, {{0, 214 * S}, {640 * S, 214 * S}, {640 * S, 246 * S}, {0, 240 * S}}, Soft(Rgb{214, 184, 130}));
  FillPolygon(img, {{0, 214 * S}, {640 * S, 214 * S}, {640 * S, 217 * S}, {0, 216 * S}}, Soft(Rgb{170, 140, 90}));
  Dice dice(0xF10);
  for (int i = 0; i < 260; ++i) {
    double x = dice.Range(0, 640), y = dice.Range(256, 480);
    Rgb c = i % 3 == 0 ? Rgb{250, 240, 120} : (i % 3 == 1 ? Rgb{240, 140, 170} : Rgb{255, 255, 255});
    FillCircle(img, {x * S, y * S}, (1.2 + y / 300) * S, Soft(c, 0.9));
  }
  return Shrink(img, kUp);
}

// Scene 8: the closing card.
Image ClosingCard() {
  Image img(640 * kUp, 480 * kUp);
  VerticalGradient(img, 0, 0, img.Width(), img.Height(), Rgb{60, 14, 24}, Rgb{20, 6, 10});
  Image out = Shrink(img, kUp);
  // A scroll in the middle.
  Noise n(0x80);
  for (int y = 90; y < 390; ++y)
    for (int x = 150; x < 490; ++x) {
      double t = n.Fractal(x / 30.0, y / 30.0, 4);
      out.Set(x, y, Mix(Rgb{246, 234, 204}, Rgb{220, 196, 150}, t * 0.6));
    }
  for (int side = 0; side < 2; ++side) {
    double y = side ? 392 : 88;
    FillEllipse(out, {320, y}, 190, 10, Soft(Rgb{200, 170, 120}));
    FillEllipse(out, {320, y - 2}, 188, 6, Soft(Rgb{230, 206, 160}));
    for (double x : {126.0, 514.0}) FillCircle(out, {x, y}, 9, Soft(Rgb{170, 120, 40}));
  }
  LetterCentred(out, 150, 120, 340, 150, "完", 120, Rgb{30, 20, 16});
  LetterCentred(out, 150, 270, 340, 40, "VALDRIM Ⅱ", 30, Rgb{120, 24, 32});
  LetterCentred(out, 150, 320, 340, 30, "THE END", 18, Rgb{80, 60, 40});
  FillRect(out, 230, 312, 180, 1, Rgb{150, 110, 60});
  return out;
}

}  // namespace

Image PaintEndingScene(const Picture& p) {
  switch (p.variant) {
    case 10: return Battlefield(false);
    case 11: return Battlefield(true);
    case 20: return BannerAtDawn();
    case 30: return Courtyard();
    case 40: return ThroneHall();
    case 50: return CapitalAtNight();
    case 60: return PeacefulLand();
    case 70: return RoadAtSunset();
    default: return ClosingCard();
  }
}

}  // namespace assets
