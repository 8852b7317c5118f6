// Portraits (64 x 64) and the small ranking pictures (32 x 24). A face is drawn at four times the
// size with hard edges and shrunk, which smooths it; portraits are opaque, so no key colour is
// involved.
#include <cmath>
#include <vector>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/painters.h"
#include "assets/roster.h"

namespace assets {
namespace {

constexpr int kUp = 4;  // drawing scale
constexpr Rgb kGoldTrim{232, 190, 70}, kGoldShade{170, 120, 30}, kSteel{196, 202, 214}, kSteelDark{112, 120, 136};

struct Pen {
  Image& img;
  Vec P(double x, double y) const { return {x * kUp, y * kUp}; }
  void Circle(double x, double y, double r, Rgb c) const { FillCircle(img, P(x, y), r * kUp, Hard(c)); }
  void Ellipse(double x, double y, double rx, double ry, Rgb c) const {
    FillEllipse(img, P(x, y), rx * kUp, ry * kUp, Hard(c));
  }
  void Line(double x0, double y0, double x1, double y1, double r, Rgb c) const {
    FillCapsule(img, P(x0, y0), P(x1, y1), r * kUp, Hard(c));
  }
  void Poly(std::vector<Vec> pts, Rgb c) const {
    for (Vec& p : pts) p = P(p.x, p.y);
    FillPolygon(img, pts, Hard(c));
  }
  void Shade(std::vector<Vec> pts, Rgb c, double alpha) const {
    for (Vec& p : pts) p = P(p.x, p.y);
    FillPolygon(img, pts, Ink{c, alpha, false});
  }
};

// The face is centred at (33, 30): 3/4 turned to the right.
constexpr double kCx = 33, kCy = 31;

void Backdrop(Image& img, const Look& look, int id) {
  const Rgb top = Lighter(look.cloth, 0.45), bottom = Darker(look.cloth, 0.35);
  Noise n(0x70 + id);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      double t = static_cast<double>(y) / img.Height();
      double r = Len(x - img.Width() * 0.55, y - img.Height() * 0.45) / img.Width();
      Rgb c = Mix(top, bottom, std::clamp(t * 0.8 + r * 0.6, 0.0, 1.0));
      c = Mix(c, Rgb{255, 255, 255}, 0.08 * n.Fractal(x / 40.0, y / 40.0, 3));
      img.Set(x, y, c);
    }
}

void HairBack(const Pen& p, const Look& look) {
  const Rgb h = Darker(look.hair, 0.12);
  switch (look.hair_style) {
    case Hair::kLong: p.Poly({{kCx - 14, kCy - 6}, {kCx + 12, kCy - 8}, {kCx + 15, kCy + 22}, {kCx - 18, kCy + 26}}, h); break;
    case Hair::kBob: p.Ellipse(kCx - 1, kCy + 1, 15.5, 16.5, h); break;
    case Hair::kPonytail: p.Poly({{kCx - 12, kCy - 4}, {kCx - 19, kCy + 6}, {kCx - 17, kCy + 22}, {kCx - 11, kCy + 10}}, h); break;
    case Hair::kWild: {
      std::vector<Vec> spikes;
      for (int i = 0; i < 18; ++i) {
        double a = M_PI * (0.9 + 1.25 * i / 17.0), r = i % 2 ? 15 : 19;
        spikes.push_back({kCx - 1 + r * std::cos(a), kCy - 1 + r * std::sin(a)});
      }
      spikes.push_back({kCx + 2, kCy + 6});
      p.Poly(spikes, h);
      break;
    }
    default: break;
  }
}

void HairFront(const Pen& p, const Look& look) {
  const Rgb h = look.hair, hl = Lighter(look.hair, 0.25);
  switch (look.hair_style) {
    case Hair::kBald:
      p.Ellipse(kCx - 2, kCy - 10, 6, 2.5, Lighter(look.skin, 0.3));  // shine
      return;
    case Hair::kSpiky: {
      std::vector<Vec> s = {{kCx - 13, kCy + 2}, {kCx - 14, kCy - 10}};
      for (int i = 0; i < 7; ++i) {
        double x = kCx - 12 + i * 4.2;
        s.push_back({x, kCy - 15 - (i % 2 ? 0 : 6)});
      }
      s.insert(s.end(), {{kCx + 13, kCy - 9}, {kCx + 12, kCy - 4}, {kCx + 6, kCy - 9}, {kCx + 3, kCy - 5},
                         {kCx - 1, kCy - 9}, {kCx - 5, kCy - 5}, {kCx - 8, kCy - 8}, {kCx - 10, kCy + 2}});
      p.Poly(s, h);
      break;
    }
    case Hair::kSwept:
      p.Poly({{kCx - 13, kCy + 2}, {kCx - 14, kCy - 9}, {kCx - 6, kCy - 16}, {kCx + 6, kCy - 16}, {kCx + 15, kCy - 8},
              {kCx + 14, kCy - 3}, {kCx + 4, kCy - 10}, {kCx - 4, kCy - 8}, {kCx - 10, kCy + 2}},
             h);
      p.Line(kCx - 6, kCy - 13, kCx + 8, kCy - 12, 0.8, hl);
      break;
    default:
      // A cap of hair with a fringe falling to the right.
      p.Poly({{kCx - 13.5, kCy + 3}, {kCx - 14, kCy - 8}, {kCx - 8, kCy - 15.5}, {kCx + 3, kCy - 16.5}, {kCx + 12, kCy - 11},
              {kCx + 13.5, kCy - 5}, {kCx + 9, kCy - 8}, {kCx + 6, kCy - 5}, {kCx + 2, kCy - 9}, {kCx - 3, kCy - 6},
              {kCx - 7, kCy - 8}, {kCx - 10, kCy + 3}},
             h);
      p.Line(kCx - 8, kCy - 12, kCx + 4, kCy - 14, 0.8, hl);
      break;
  }
}

void Eyes(const Pen& p, const Look& look) {
  const Rgb lid = Darker(look.hair, 0.5);
  for (int side = 0; side < 2; ++side) {
    const double ex = side ? kCx + 7 : kCx - 3.5, ey = kCy + 1, w = side ? 2.6 : 3.0;
    p.Ellipse(ex, ey, w, 1.7, Rgb{250, 250, 246});
    p.Circle(ex + 0.5, ey + 0.1, 1.45, look.eyes);
    p.Circle(ex + 0.5, ey + 0.1, 0.7, Rgb{20, 16, 14});
    p.Circle(ex + 0.0, ey - 0.5, 0.4, Rgb{255, 255, 255});
    p.Line(ex - w, ey - 1.2, ex + w, ey - 1.5, look.soft_face ? 0.65 : 0.45, lid);
    // Brows: stern and low for the old, arched for the women.
    const double lift = look.soft_face ? 3.6 : (look.age == 2 ? 2.4 : 3.0);
    const double tilt = look.soft_face ? -0.3 : 0.6;
    p.Line(ex - w, ey - lift - (side ? tilt : 0), ex + w, ey - lift - (side ? 0 : tilt), look.soft_face ? 0.4 : 0.65,
           Darker(look.hair, 0.2));
  }
}

void Beard(const Pen& p, const Look& look) {
  const Rgb h = look.hair;
  switch (look.beard) {
    case Beard::kFull:
      p.Poly({{kCx - 11, kCy + 2}, {kCx - 9, kCy + 14}, {kCx - 2, kCy + 20}, {kCx + 5, kCy + 21}, {kCx + 11, kCy + 13},
              {kCx + 12, kCy + 3}, {kCx + 9, kCy + 8}, {kCx + 2, kCy + 7}, {kCx - 5, kCy + 9}},
             h);
      p.Line(kCx - 1, kCy + 9.5, kCx + 8, kCy + 9.5, 1.0, Darker(h, 0.2));
      p.Line(kCx + 0, kCy + 12, kCx + 6, kCy + 12, 0.8, Rgb{150, 70, 60});
      break;
    case Beard::kShort:
      p.Poly({{kCx - 6, kCy + 10}, {kCx - 1, kCy + 16}, {kCx + 5, kCy + 16.5}, {kCx + 10, kCy + 11}, {kCx + 8, kCy + 9.5},
              {kCx + 2, kCy + 11}, {kCx - 3, kCy + 9.5}},
             h);
      p.Line(kCx - 1, kCy + 9, kCx + 8, kCy + 9, 0.9, h);
      break;
    case Beard::kMoustache:
      p.Poly({{kCx - 2, kCy + 10}, {kCx + 3, kCy + 8}, {kCx + 9, kCy + 10}, {kCx + 3, kCy + 9.6}}, h);
      break;
    case Beard::kStubble:
      p.Shade({{kCx - 10, kCy + 4}, {kCx - 6, kCy + 14}, {kCx + 3, kCy + 17}, {kCx + 10, kCy + 11}, {kCx + 11, kCy + 5},
               {kCx + 6, kCy + 8}, {kCx - 4, kCy + 8}},
              h, 0.3);
      break;
    case Beard::kNone: break;
  }
}

void Headgear(const Pen& p, const Look& look) {
  switch (look.headgear) {
    case Headgear::kCrown: {
      p.Poly({{kCx - 12, kCy - 11}, {kCx - 13, kCy - 22}, {kCx - 7, kCy - 16}, {kCx - 1, kCy - 25}, {kCx + 5, kCy - 16},
              {kCx + 11, kCy - 22}, {kCx + 11, kCy - 11}},
             kGoldTrim);
      p.Poly({{kCx - 12, kCy - 14}, {kCx + 11, kCy - 14}, {kCx + 11, kCy - 11}, {kCx - 12, kCy - 11}}, kGoldShade);
      p.Circle(kCx - 1, kCy - 13, 1.5, Rgb{200, 30, 50});
      p.Circle(kCx - 8, kCy - 12.6, 1.0, Rgb{40, 90, 200});
      p.Circle(kCx + 6, kCy - 12.6, 1.0, Rgb{40, 160, 80});
      for (double x : {-13.0, -1.0, 11.0}) p.Circle(kCx + x, kCy - (x == -1.0 ? 25.5 : 22.5), 1.2, Rgb{255, 240, 190});
      break;
    }
    case Headgear::kCirclet:
      p.Line(kCx - 13, kCy - 8, kCx + 13, kCy - 10, 0.9, kGoldTrim);
      p.Poly({{kCx + 1, kCy - 12}, {kCx + 3, kCy - 9.5}, {kCx + 1, kCy - 7}, {kCx - 1, kCy - 9.5}}, Rgb{60, 200, 180});
      break;
    case Headgear::kHelmet:
    case Headgear::kPlumedHelm:
      if (look.headgear == Headgear::kPlumedHelm) {
        p.Poly({{kCx - 2, kCy - 16}, {kCx + 4, kCy - 27}, {kCx - 8, kCy - 30}, {kCx - 19, kCy - 20}, {kCx - 10, kCy - 20}},
               look.cloth);
        p.Poly({{kCx - 2, kCy - 16}, {kCx + 2, kCy - 25}, {kCx - 8, kCy - 27}, {kCx - 6, kCy - 20}}, Lighter(look.cloth, 0.3));
      }
      p.Poly({{kCx - 15, kCy + 6}, {kCx - 15, kCy - 8}, {kCx - 8, kCy - 17}, {kCx + 5, kCy - 17}, {kCx + 14, kCy - 9},
              {kCx + 14, kCy - 3}, {kCx - 7, kCy - 3}, {kCx - 9, kCy + 6}},
             kSteelDark);
      p.Poly({{kCx - 13.5, kCy + 4}, {kCx - 13.5, kCy - 8}, {kCx - 7, kCy - 15.5}, {kCx + 4, kCy - 15.5}, {kCx + 12.5, kCy - 8.5},
              {kCx + 12.5, kCy - 4.5}, {kCx - 8, kCy - 4.5}, {kCx - 10, kCy + 4}},
             kSteel);
      p.Line(kCx - 8, kCy - 12, kCx + 6, kCy - 13, 0.8, Rgb{240, 244, 250});
      p.Line(kCx + 2, kCy - 4, kCx + 2, kCy + 5, 1.1, kSteelDark);  // nasal
      break;
    case Headgear::kHood:
      p.Poly({{kCx - 17, kCy + 24}, {kCx - 17, kCy - 6}, {kCx - 9, kCy - 18}, {kCx + 4, kCy - 19}, {kCx + 15, kCy - 10},
              {kCx + 15, kCy - 2}, {kCx + 10, kCy - 9}, {kCx - 3, kCy - 10}, {kCx - 11, kCy - 2}, {kCx - 12, kCy + 24}},
             Darker(look.cloth, 0.2));
      p.Line(kCx - 12, kCy - 8, kCx + 12, kCy - 9, 0.8, Darker(look.cloth, 0.45));
      break;
    case Headgear::kBandana:
      p.Poly({{kCx - 14, kCy - 6}, {kCx - 12, kCy - 13}, {kCx + 13, kCy - 12}, {kCx + 13.5, kCy - 6}}, look.cloth);
      p.Poly({{kCx - 14, kCy - 9}, {kCx - 21, kCy - 4}, {kCx - 19, kCy + 3}, {kCx - 13, kCy - 4}}, Darker(look.cloth, 0.2));
      for (int i = 0; i < 4; ++i) p.Circle(kCx - 8 + 6 * i, kCy - 9, 0.8, Lighter(look.cloth, 0.5));
      break;
    case Headgear::kStrawHat:
      p.Ellipse(kCx, kCy - 10, 24, 6, Rgb{176, 140, 70});
      p.Ellipse(kCx, kCy - 11, 23, 5, Rgb{230, 200, 116});
      p.Poly({{kCx - 11, kCy - 11}, {kCx - 9, kCy - 22}, {kCx + 9, kCy - 22}, {kCx + 11, kCy - 11}}, Rgb{218, 186, 100});
      p.Line(kCx - 11, kCy - 13, kCx + 11, kCy - 13, 1.2, Rgb{170, 50, 40});
      break;
    case Headgear::kNone: break;
  }
}

void Bust(const Pen& p, const Look& look, int look_id) {
  const bool king = look_id <= kNamedCount && IsKing(look_id);
  // Cape and shoulders.
  p.Poly({{0, 64}, {4, 50}, {18, 44}, {48, 44}, {62, 50}, {64, 64}}, Darker(look.cloth, 0.2));
  const bool armoured = look.headgear == Headgear::kHelmet || look.headgear == Headgear::kPlumedHelm ||
                        look.weapon == Weapon::kGreatsword || look.weapon == Weapon::kSword || look.shield;
  if (armoured) {
    p.Poly({{10, 64}, {12, 52}, {22, 46}, {44, 46}, {54, 52}, {56, 64}}, kSteelDark);
    p.Poly({{12, 64}, {14, 53}, {23, 47.5}, {43, 47.5}, {52, 53}, {54, 64}}, kSteel);
    p.Ellipse(14, 52, 7, 5, kSteelDark);
    p.Ellipse(52, 52, 7, 5, kSteelDark);
    p.Ellipse(14, 51.5, 6, 4, kSteel);
    p.Ellipse(52, 51.5, 6, 4, kSteel);
    p.Line(33, 50, 33, 64, 0.8, kSteelDark);
  } else {
    p.Poly({{8, 64}, {11, 52}, {22, 46}, {44, 46}, {55, 52}, {58, 64}}, Darker(look.cloth, 0.05));
    p.Poly({{26, 46}, {33, 58}, {40, 46}}, Lighter(look.cloth, 0.35));
  }
  if (king) {
    // Ermine collar.
    p.Poly({{14, 50}, {22, 45}, {44, 45}, {52, 50}, {46, 54}, {33, 56}, {20, 54}}, Rgb{246, 244, 238});
    for (double x : {20.0, 27.0, 39.0, 46.0}) p.Line(x, 50, x, 52, 0.5, Rgb{30, 30, 30});
    p.Circle(33, 58, 2.2, kGoldTrim);
  }
}

Image DrawFace(const Look& look, int look_id) {
  Image img(64 * kUp, 64 * kUp);
  Backdrop(img, look, look_id);
  const Pen p{img};
  Bust(p, look, look_id);
  HairBack(p, look);
  // Neck, with shadow under the jaw.
  p.Poly({{kCx - 6, kCy + 8}, {kCx + 6, kCy + 8}, {kCx + 7, kCy + 17}, {kCx - 6, kCy + 17}}, Darker(look.skin, 0.12));
  // The face: a rounded shape narrowing to the chin, ear at the left.
  const double w = look.soft_face ? 11.8 : 12.6;
  const double chin = look.soft_face ? 15.0 : 16.5;
  p.Ellipse(kCx - 12, kCy + 2, 2.4, 3.8, Darker(look.skin, 0.08));
  p.Poly({{kCx - w, kCy - 6}, {kCx - w + 1, kCy + 6}, {kCx - 5, kCy + chin - 2}, {kCx + 3, kCy + chin}, {kCx + 10, kCy + chin - 5},
          {kCx + w + 0.5, kCy + 3}, {kCx + w, kCy - 6}},
         look.skin);
  p.Ellipse(kCx, kCy - 5, w, 11, look.skin);
  // Shade on the far side of the face.
  p.Shade({{kCx - w, kCy - 6}, {kCx - w + 1, kCy + 6}, {kCx - 5, kCy + chin - 2}, {kCx - 7, kCy + 4}, {kCx - 8, kCy - 6}},
          Rgb{120, 60, 40}, 0.14);
  // Nose and mouth.
  p.Poly({{kCx + 3.5, kCy + 1}, {kCx + 5.5, kCy + 6.5}, {kCx + 3, kCy + 7}}, Darker(look.skin, 0.14));
  p.Line(kCx + 1, kCy + 11, kCx + 6, kCy + 10.6, look.soft_face ? 0.75 : 0.55,
         look.soft_face ? Rgb{200, 84, 90} : Darker(look.skin, 0.4));
  if (look.soft_face) {
    p.Ellipse(kCx - 5, kCy + 6, 2.4, 1.4, Mix(look.skin, Rgb{240, 120, 120}, 0.35));
    p.Ellipse(kCx + 9, kCy + 6, 1.6, 1.2, Mix(look.skin, Rgb{240, 120, 120}, 0.35));
  }
  if (look.age == 2) {
    p.Line(kCx - 5, kCy - 8, kCx + 6, kCy - 8.5, 0.3, Darker(look.skin, 0.25));
    p.Line(kCx + 6.5, kCy + 4, kCx + 8, kCy + 9, 0.3, Darker(look.skin, 0.25));
  }
  if (look.weapon == Weapon::kGreatsword && look.beard == Beard::kStubble) {
    p.Line(kCx + 7, kCy - 5, kCx + 10, kCy + 4, 0.45, Rgb{170, 80, 70});  // an old scar
  }
  Eyes(p, look);
  Beard(p, look);
  HairFront(p, look);
  Headgear(p, look);
  return img;
}

void Frame(Image& img) {
  const int w = img.Width(), h = img.Height();
  FrameRect(img, 0, 0, w, h, 1, Rgb{40, 26, 12});
  FrameRect(img, 1, 1, w - 2, h - 2, 1, kGoldTrim);
}

}  // namespace

Image PaintPortrait(const Picture& p) {
  Image img = Shrink(DrawFace(LookOf(p.variant), p.variant), kUp);
  Frame(img);
  return img;
}

// The face cut from the portrait, stored mirrored: the ranking list always draws it mirrored.
Image PaintListPicture(const Picture& p) {
  Image big = DrawFace(LookOf(p.variant), p.variant);
  // The head from the crown's band to the chin, 48 x 36 of the portrait, shrunk to 32 x 24.
  Image face = Shrink(Crop(big, 9 * kUp, 9 * kUp, 48 * kUp, 36 * kUp), 6);
  Frame(face);
  return MirrorX(face);
}

}  // namespace assets
