// The title picture: a castle on its hill at dusk, mountains behind, the army's banners in the
// foreground, the game's name across the sky. The bottom centre stays quiet for the two buttons.
#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/lettering.h"
#include "assets/painters.h"
#include "assets/roster.h"
#include "assets/scenery.h"

namespace assets {
namespace {

constexpr int kUp = 2;

// A banner on a pole, its cloth in a nation's colour.
void Standard(Image& img, double x, double base, double h, Rgb cloth, double sway) {
  FillCapsule(img, {x, base}, {x, base - h}, 2.2, Soft(Rgb{40, 26, 16}));
  FillCircle(img, {x, base - h - 3}, 4, Soft(Rgb{220, 180, 80}));
  std::vector<Vec> flag;
  for (int i = 0; i <= 8; ++i) {
    double t = i / 8.0;
    flag.push_back({x + 2 + 56 * t, base - h + 2 + 6 * std::sin(t * 3 + sway)});
  }
  for (int i = 8; i >= 0; --i) {
    double t = i / 8.0;
    flag.push_back({x + 2 + 56 * t, base - h + 44 + 6 * std::sin(t * 3 + sway) - 10 * t});
  }
  FillPolygon(img, flag, Soft(cloth));
  FillPolygon(img, {{x + 2, base - h + 30}, {x + 50, base - h + 26}, {x + 50, base - h + 32}, {x + 2, base - h + 36}},
              Soft(Darker(cloth, 0.3), 0.7));
}

}  // namespace

// variant 0: the title at dusk; 1: the same land at dawn (the old title, kept for the ending's bank).
Image PaintTitlePicture(const Picture& p) {
  const bool dawn = p.variant == 1;
  Image img(640 * kUp, 480 * kUp);
  const double s = kUp;
  Sky(img, dawn ? Rgb{70, 110, 180} : Rgb{18, 20, 58}, dawn ? Rgb{250, 210, 150} : Rgb{236, 128, 84}, 320 * kUp);
  if (!dawn) Stars(img, 0x5A7, 220, 200 * kUp);
  Sun(img, 470 * s, 300 * s, 34 * s, dawn ? Rgb{255, 246, 210} : Rgb{255, 214, 130}, Rgb{255, 170, 90});
  Clouds(img, 0xC10D, 9, 150 * kUp, 290 * kUp, dawn ? Rgb{255, 240, 230} : Rgb{180, 96, 110}, 0.35);
  Ridge(img, 300 * s, 70 * s, 160 * s, dawn ? Rgb{120, 120, 170} : Rgb{86, 62, 110}, 0x11, 0.2);
  Ridge(img, 345 * s, 40 * s, 120 * s, dawn ? Rgb{80, 100, 120} : Rgb{52, 40, 74}, 0x12, 0.3);
  // The castle's hill.
  FillEllipse(img, {440 * s, 420 * s}, 190 * s, 90 * s, Soft(dawn ? Rgb{60, 86, 70} : Rgb{30, 30, 48}));
  Castle(img, 440 * s, 340 * s, 1.05 * s, dawn ? Rgb{90, 96, 120} : Rgb{38, 36, 58}, Rgb{255, 214, 120},
         Rgb{170, 30, 40});
  Ridge(img, 400 * s, 22 * s, 90 * s, dawn ? Rgb{56, 90, 56} : Rgb{24, 26, 36}, 0x13, 0.4);
  // The seven nations' banners at the left, marching towards the castle.
  for (int n = 1; n <= 7; ++n) {
    double x = (24 + 30 * n) * s, base = (470 - 6 * (n % 3)) * s;
    Standard(img, x, base, (120 + 14 * ((n * 5) % 4)) * s, Darker(NationColour(n), dawn ? 0.1 : 0.35), n * 0.9);
  }
  // Spear tips of the host below the banners.
  Dice dice(0x5BEA);
  for (int i = 0; i < 60; ++i) {
    double x = dice.Range(10, 240) * s, base = 480 * s, h = dice.Range(60, 110) * s;
    FillCapsule(img, {x, base}, {x + 6 * s, base - h}, 1.1 * s, Soft(Rgb{20, 16, 20}));
    FillPolygon(img, {{x + 4 * s, base - h}, {x + 6.5 * s, base - h - 9 * s}, {x + 8.5 * s, base - h + 1 * s}},
                Soft(Rgb{190, 190, 200}));
  }
  Image out = Shrink(img, kUp);
  // The game's name.
  const Rgb gold{250, 216, 110}, shadow{30, 12, 8};
  const int big = 72;
  const int w = LetterWidth("VALDRIM", big) + 16 + LetterWidth("Ⅱ", big + 8);
  const int x0 = (640 - w) / 2;
  for (int dx = -2; dx <= 2; ++dx)
    for (int dy = -2; dy <= 3; ++dy) {
      Letter(out, x0 + dx, 58 + dy, "VALDRIM", big, shadow);
      Letter(out, x0 + w - LetterWidth("Ⅱ", big + 8) + dx, 52 + dy, "Ⅱ", big + 8, shadow);
    }
  Letter(out, x0, 58, "VALDRIM", big, gold);
  Letter(out, x0 + w - LetterWidth("Ⅱ", big + 8), 52, "Ⅱ", big + 8, gold);
  FillRect(out, 120, 150, 400, 2, gold);
  FillRect(out, 120, 153, 400, 1, Rgb{160, 110, 50});
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) LetterCentred(out, dx, 160 + dy, 640, 30, "七国の王よ、大陸を統べよ", 20, shadow);
  LetterCentred(out, 0, 160, 640, 30, "七国の王よ、大陸を統べよ", 20, Rgb{255, 240, 210});
  return out;
}

}  // namespace assets
