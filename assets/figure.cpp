#include "assets/figure.h"

#include <cmath>
#include <vector>

#include "assets/draw.h"

namespace assets {
namespace {

constexpr double kDeg = M_PI / 180.0;
constexpr Rgb kSteel{206, 212, 222}, kSteelDark{120, 128, 142}, kGoldTrim{232, 190, 70}, kHaft{120, 80, 44},
    kBoot{74, 50, 34}, kBelt{96, 62, 34}, kTabardHigh{96, 96, 104}, kSlashCore{250, 252, 255},
    kSlashEdge{150, 206, 255};

struct Canvas {
  Image& img;
  double ox, oy, s;
  Vec P(double x, double y) const { return {ox + x * s, oy + y * s}; }
  void Circle(double x, double y, double r, Rgb c) const { FillCircle(img, P(x, y), r * s, Hard(c)); }
  void Ellipse(double x, double y, double rx, double ry, Rgb c) const { FillEllipse(img, P(x, y), rx * s, ry * s, Hard(c)); }
  void Line(double x0, double y0, double x1, double y1, double r, Rgb c) const {
    FillCapsule(img, P(x0, y0), P(x1, y1), r * s, Hard(c));
  }
  void Poly(std::vector<Vec> pts, Rgb c) const {
    for (Vec& p : pts) p = P(p.x, p.y);
    FillPolygon(img, pts, Hard(c));
  }
  // A band of a ring between radii r0 and r1 from angle a0 to a1 (degrees), squashed vertically.
  void Arc(double cx, double cy, double r0, double r1, double a0, double a1, double squash, Rgb c) const {
    Vec centre = P(cx, cy);
    Cover(img, centre.x - r1 * s, centre.y - r1 * s, centre.x + r1 * s, centre.y + r1 * s, Hard(c),
          [&](double px, double py) {
            double dx = (px - centre.x) / s, dy = (py - centre.y) / s / squash;
            double r = Len(dx, dy), a = std::atan2(dy, dx) / kDeg;
            if (a < a0 || a > a1) return 1.0;
            return std::max(r0 - r, r - r1);
          });
  }
};

void DrawWeapon(const Canvas& c, double hx, double hy, double angle, const Look& look) {
  const double dx = std::cos(angle * kDeg), dy = std::sin(angle * kDeg);
  const double px = -dy, py = dx;
  auto at = [&](double along, double side) { return Vec{hx + dx * along + px * side, hy + dy * along + py * side}; };
  auto line = [&](double a0, double a1, double r, Rgb col) {
    Vec p = at(a0, 0), q = at(a1, 0);
    c.Line(p.x, p.y, q.x, q.y, r, col);
  };
  switch (look.weapon) {
    case Weapon::kSword:
    case Weapon::kGreatsword: {
      const bool great = look.weapon == Weapon::kGreatsword;
      const double len = great ? 20 : 15, w = great ? 1.5 : 1.1;
      line(-3, 1, 0.9, kHaft);
      line(2, len, w, kSteelDark);
      line(2, len - 1, w * 0.55, kSteel);
      Vec g0 = at(1.5, -3.2), g1 = at(1.5, 3.2);
      c.Line(g0.x, g0.y, g1.x, g1.y, 0.9, kGoldTrim);
      break;
    }
    case Weapon::kSabre: {
      line(-3, 1, 0.9, kHaft);
      Vec prev = at(2, 0);
      for (int k = 1; k <= 6; ++k) {
        double t = k / 6.0;
        Vec p = at(2 + 14 * t, -3.5 * t * t);
        c.Line(prev.x, prev.y, p.x, p.y, 1.1 - 0.4 * t, kSteelDark);
        prev = p;
      }
      prev = at(2, 0);
      for (int k = 1; k <= 6; ++k) {
        double t = k / 6.0;
        Vec p = at(2 + 13 * t, -3.5 * t * t);
        c.Line(prev.x, prev.y, p.x, p.y, 0.5, kSteel);
        prev = p;
      }
      Vec g0 = at(1.5, -2.5), g1 = at(1.5, 2.5);
      c.Line(g0.x, g0.y, g1.x, g1.y, 0.9, kGoldTrim);
      break;
    }
    case Weapon::kAxe: {
      line(-4, 14, 0.9, kHaft);
      c.Poly({at(9, 0.5), at(8, 6), at(12, 7.5), at(16, 6), at(14, 0.5)}, kSteelDark);
      c.Poly({at(10, 1.5), at(9.5, 5), at(12, 6), at(14.5, 5), at(13, 1.5)}, kSteel);
      break;
    }
    case Weapon::kSpear: {
      line(-8, 20, 0.8, kHaft);
      c.Poly({at(19, -2), at(26, 0), at(19, 2)}, kSteel);
      Vec g0 = at(19, -1.8), g1 = at(19, 1.8);
      c.Line(g0.x, g0.y, g1.x, g1.y, 0.6, kGoldTrim);
      break;
    }
    case Weapon::kHammer: {
      line(-3, 13, 1.0, kHaft);
      Vec h0 = at(13, -4.5), h1 = at(13, 4.5);
      c.Line(h0.x, h0.y, h1.x, h1.y, 2.6, kSteelDark);
      c.Line(h0.x, h0.y, h1.x, h1.y, 1.5, kSteel);
      break;
    }
    case Weapon::kStaff: {
      line(-10, 12, 1.0, kHaft);
      Vec orb = at(14, 0);
      c.Circle(orb.x, orb.y, 2.9, Darker(look.cloth, 0.2));
      c.Circle(orb.x, orb.y, 2.1, Lighter(look.cloth, 0.5));
      c.Circle(orb.x - 0.7, orb.y - 0.7, 0.8, Rgb{255, 255, 250});
      break;
    }
    case Weapon::kPitchfork: {
      line(-8, 16, 0.8, kHaft);
      Vec b0 = at(16, -3), b1 = at(16, 3);
      c.Line(b0.x, b0.y, b1.x, b1.y, 0.6, kSteelDark);
      for (int k = -1; k <= 1; ++k) {
        Vec p = at(16, 3.0 * k), q = at(21, 3.0 * k);
        c.Line(p.x, p.y, q.x, q.y, 0.55, kSteel);
      }
      break;
    }
  }
}

void DrawShield(const Canvas& c, double x, double y, const Look& look) {
  c.Ellipse(x, y, 4.6, 6.0, Rgb{70, 56, 40});
  c.Ellipse(x, y, 3.7, 5.1, look.cloth);
  c.Line(x, y - 4, x, y + 4, 0.7, kGoldTrim);
  c.Line(x - 3, y - 1, x + 3, y - 1, 0.7, kGoldTrim);
}

// Hair behind the head (long hair, tails), drawn before the head.
void HairBehind(const Canvas& c, double hx, double hy, const Look& look, View view) {
  const Rgb h = look.hair;
  switch (look.hair_style) {
    case Hair::kLong: c.Poly({{hx - 7, hy - 2}, {hx + (view == View::kBack ? 7 : 1), hy - 2}, {hx + (view == View::kBack ? 6 : 0), hy + 12}, {hx - 8, hy + 11}}, h); break;
    case Hair::kPonytail: c.Line(hx - 6, hy - 2, hx - 9, hy + 9, 1.8, h); break;
    case Hair::kBob: c.Ellipse(hx - 1, hy + 1, 7.4, 7.0, h); break;
    case Hair::kWild: c.Ellipse(hx - 1.5, hy - 0.5, 8.0, 7.6, h); break;
    default: break;
  }
}

void Head(const Canvas& c, double hx, double hy, const Look& look, View view) {
  const Rgb skin = look.skin, hair = look.hair;
  HairBehind(c, hx, hy, look, view);
  c.Circle(hx, hy, 6.4, skin);
  const bool hooded = look.headgear == Headgear::kHood;
  const bool helmed = look.headgear == Headgear::kHelmet || look.headgear == Headgear::kPlumedHelm;
  if (view == View::kBack) {
    // From behind: the back of the head.
    if (look.hair_style != Hair::kBald && !hooded && !helmed) c.Circle(hx, hy - 0.3, 6.5, hair);
    c.Ellipse(hx + 5.5, hy + 0.5, 1.3, 1.8, skin);  // an ear
  } else {
    // Three-quarter view to the right: hair over the crown and the back of the head.
    if (look.hair_style != Hair::kBald && !hooded && !helmed) {
      c.Poly({{hx - 6.8, hy + 2.5}, {hx - 6.5, hy - 3.5}, {hx - 3, hy - 6.8}, {hx + 3, hy - 6.8}, {hx + 6.6, hy - 3},
              {hx + 6.6, hy - 1.2}, {hx + 1.5, hy - 2.5}, {hx - 1.5, hy + 0.5}, {hx - 3.5, hy + 3}},
             hair);
      if (look.hair_style == Hair::kSwept) c.Poly({{hx + 1, hy - 3}, {hx + 7.5, hy - 4.5}, {hx + 6, hy - 1}}, hair);
    }
    // Eyes, brow, mouth; beards.
    c.Line(hx + 1.6, hy - 0.2, hx + 1.6, hy + 0.8, 0.55, look.eyes);
    c.Line(hx + 4.4, hy - 0.2, hx + 4.4, hy + 0.8, 0.55, look.eyes);
    if (look.soft_face) c.Line(hx + 3.6, hy + 3.6, hx + 4.6, hy + 3.6, 0.45, Rgb{190, 80, 80});
    switch (look.beard) {
      case Beard::kFull: c.Poly({{hx - 2, hy + 1.5}, {hx + 6.2, hy + 1.5}, {hx + 5, hy + 7}, {hx + 1.5, hy + 8.5}, {hx - 1.5, hy + 5}}, hair); break;
      case Beard::kShort: c.Poly({{hx - 0.5, hy + 3}, {hx + 6, hy + 3}, {hx + 4.5, hy + 6.3}, {hx + 1, hy + 6.3}}, hair); break;
      case Beard::kMoustache: c.Line(hx + 2.4, hy + 2.7, hx + 6, hy + 2.7, 0.7, hair); break;
      case Beard::kStubble: c.Poly({{hx, hy + 3.5}, {hx + 6, hy + 3}, {hx + 4.5, hy + 6}, {hx + 1, hy + 6}}, Mix(skin, hair, 0.35)); break;
      case Beard::kNone: break;
    }
  }
  // Headgear.
  switch (look.headgear) {
    case Headgear::kCrown:
      c.Poly({{hx - 5, hy - 5}, {hx - 5, hy - 10}, {hx - 2.5, hy - 7.5}, {hx, hy - 11}, {hx + 2.5, hy - 7.5}, {hx + 5, hy - 10}, {hx + 5, hy - 5}}, kGoldTrim);
      c.Line(hx - 4.5, hy - 5.5, hx + 4.5, hy - 5.5, 0.7, Rgb{170, 120, 30});
      c.Circle(hx, hy - 6.8, 0.9, Rgb{200, 30, 40});
      break;
    case Headgear::kCirclet: c.Line(hx - 6, hy - 3.5, hx + 6, hy - 3.5, 0.7, kGoldTrim); break;
    case Headgear::kHelmet:
    case Headgear::kPlumedHelm:
      c.Poly({{hx - 7, hy + 1}, {hx - 6.5, hy - 4.5}, {hx - 2.5, hy - 7.5}, {hx + 2.5, hy - 7.5}, {hx + 6.8, hy - 4}, {hx + 7, hy - 1}}, kSteelDark);
      c.Poly({{hx - 5.8, hy - 0.5}, {hx - 5.5, hy - 4.5}, {hx - 2, hy - 6.6}, {hx + 2, hy - 6.6}, {hx + 5.6, hy - 3.8}, {hx + 5.8, hy - 1.5}}, kSteel);
      if (view == View::kFront) c.Line(hx + 3.5, hy - 1, hx + 3.5, hy + 3, 0.7, kSteelDark);
      if (look.headgear == Headgear::kPlumedHelm) {
        c.Poly({{hx - 1, hy - 7}, {hx + 1, hy - 12}, {hx - 5, hy - 13}, {hx - 9, hy - 8}, {hx - 4, hy - 9}}, look.cloth);
      }
      break;
    case Headgear::kHood:
      c.Poly({{hx - 7.5, hy + 6}, {hx - 7.5, hy - 3}, {hx - 3, hy - 7.8}, {hx + 3, hy - 7.8}, {hx + 7.2, hy - 3.5}, {hx + 7, hy - 1},
              {hx + 2, hy - 3.5}, {hx - 1, hy}, {hx - 2, hy + 6}},
             Darker(look.cloth, 0.15));
      if (view == View::kBack) c.Circle(hx, hy - 0.5, 7.2, Darker(look.cloth, 0.15));
      break;
    case Headgear::kBandana:
      c.Line(hx - 6.2, hy - 3.6, hx + 6.2, hy - 3.6, 1.2, look.cloth);
      c.Line(hx - 6.2, hy - 3.6, hx - 10, hy + 1, 0.8, look.cloth);
      break;
    case Headgear::kStrawHat:
      c.Ellipse(hx, hy - 4.5, 10.5, 2.6, Rgb{150, 120, 60});
      c.Ellipse(hx, hy - 5, 9.6, 2.0, Rgb{226, 196, 110});
      c.Ellipse(hx, hy - 7.5, 5, 3.4, Rgb{214, 182, 98});
      c.Line(hx - 4.6, hy - 5.6, hx + 4.6, hy - 5.6, 0.6, Rgb{170, 50, 40});
      break;
    case Headgear::kNone:
      if (look.hair_style == Hair::kSpiky && view == View::kFront) {
        c.Poly({{hx - 5, hy - 5}, {hx - 4, hy - 10}, {hx - 1, hy - 6}, {hx + 1, hy - 10.5}, {hx + 3, hy - 6}, {hx + 6, hy - 9}, {hx + 6, hy - 3}}, hair);
      }
      break;
  }
}

}  // namespace

void DrawFigure(Image& img, double ox, double oy, double scale, const Look& look, const Pose& pose, View view,
                Rgb tabard) {
  const Canvas c{img, ox, oy, scale};
  const double L = pose.lean, B = pose.bob;
  const Rgb sleeve = Darker(look.cloth, 0.1);
  const double near_sx = 4 + L, far_sx = -3.5 + L, sy = -24 + B;
  const double hx = 1.2 + L * 1.2, hy = -32 + B;

  // Cape behind the body (in the back view it hangs over it, drawn later).
  if (view == View::kFront) c.Poly({{-5 + L, -26 + B}, {2 + L, -26 + B}, {-2 + L, -9 + B * 0.5}, {-10 + L * 0.5, -8}}, Darker(look.cloth, 0.18));
  // The far arm and, in the front view, the shield on it.
  const double fhx = far_sx + pose.far_hand_x, fhy = sy + pose.far_hand_y;
  c.Line(far_sx, sy, fhx, fhy, 1.8, Darker(sleeve, 0.25));
  c.Circle(fhx, fhy, 1.7, Darker(look.skin, 0.15));
  if (look.shield && view == View::kFront) DrawShield(c, fhx - 1, fhy, look);
  // Legs: far first.
  const double hip_y = -14 + B;
  auto leg = [&](double hip_x, double foot_x, double lift, Rgb cloth) {
    c.Line(hip_x, hip_y, foot_x, -2.5 - lift, 2.3, cloth);
    c.Line(foot_x, -4 - lift, foot_x, -1.5 - lift, 2.4, kBoot);
    c.Line(foot_x, -1.2 - lift, foot_x + 2.4, -1.2 - lift, 1.3, kBoot);
  };
  leg(-2 + L, -2.5 + pose.far_foot, pose.far_lift, Darker(look.trousers, 0.2));
  leg(2 + L, 2.5 + pose.near_foot, pose.near_lift, look.trousers);
  // Torso: the tabard in the tint colour, a belt, a collar.
  c.Poly({{-6 + L, -26 + B}, {6.5 + L, -26 + B}, {5.5 + L, -13 + B}, {-5.5 + L, -13 + B}}, tabard);
  c.Line(-5 + L, -14.5 + B, 5 + L, -14.5 + B, 1.1, kBelt);
  c.Line(-4.5 + L, -26 + B, 5 + L, -26 + B, 1.0, Darker(look.cloth, 0.1));
  if (view == View::kFront) {
    c.Line(1 + L, -24 + B, 1 + L, -17 + B, 0.6, kTabardHigh);  // the tabard's seam
    c.Circle(3 + L, -21 + B, 1.3, look.cloth);                  // the house's badge
  } else {
    // A short mantle over the shoulders; the tabard shows below it, the shield hangs at the side.
    c.Poly({{-7 + L, -27 + B}, {7.5 + L, -27 + B}, {6.5 + L, -22.5 + B}, {-6.5 + L, -22.5 + B}}, look.cloth);
    c.Line(-6.5 + L, -22.8 + B, 6.5 + L, -22.8 + B, 0.8, Darker(look.cloth, 0.3));
    if (look.shield) DrawShield(c, -8 + L, -17 + B, look);
  }
  Head(c, hx, hy, look, view);
  // The near arm with the weapon in its hand.
  const double nhx = near_sx + pose.hand_x, nhy = sy + pose.hand_y;
  DrawWeapon(c, nhx, nhy, pose.weapon_angle, look);
  c.Line(near_sx, sy, nhx, nhy, 1.9, sleeve);
  c.Circle(nhx, nhy, 1.8, look.skin);

  // The stroke's trail, in front of everything.
  if (pose.trail == Trail::kVertical) {
    c.Arc(near_sx + 1, sy + 2, 15, 19, -110, 70, 1.0, kSlashEdge);
    c.Arc(near_sx + 1, sy + 2, 16, 18, -95, 55, 1.0, kSlashCore);
  } else if (pose.trail == Trail::kHorizontal) {
    c.Arc(near_sx - 2, sy + 3, 16, 21, -75, 75, 0.42, kSlashEdge);
    c.Arc(near_sx - 2, sy + 3, 17, 20, -60, 60, 0.42, kSlashCore);
  }
}

Pose WalkPose(int frame) {
  Pose p;
  p.hand_x = 3, p.hand_y = 9, p.weapon_angle = -62;
  if (frame == 1) p.near_foot = 4, p.far_foot = -4, p.far_lift = 1, p.bob = -1, p.hand_x = 1, p.far_hand_x = 0;
  if (frame == 2) p.near_foot = -4, p.far_foot = 4, p.near_lift = 1, p.bob = -1, p.hand_x = 5, p.far_hand_x = -5;
  return p;
}

Pose GuardPose(int frame) {
  Pose p;
  p.near_foot = 4, p.far_foot = -4;
  switch (frame) {
    case 0:  // weapon raised high behind the head
      p.lean = -1, p.hand_x = -1, p.hand_y = -8, p.weapon_angle = -125, p.far_hand_x = 1, p.far_hand_y = 5;
      break;
    case 1:  // the vertical stroke: brought down in front
      p.lean = 2, p.bob = 1, p.near_foot = 6, p.hand_x = 8, p.hand_y = 5, p.weapon_angle = 55, p.far_hand_x = -4;
      p.trail = Trail::kVertical;
      break;
    default:  // guard, weapon levelled forward
      p.near_foot = 3, p.far_foot = -5, p.hand_x = 7, p.hand_y = 4, p.weapon_angle = -25, p.far_hand_x = 2, p.far_hand_y = 6;
      break;
  }
  return p;
}

Pose SweepPose(int frame) {
  Pose p;
  p.near_foot = 4, p.far_foot = -4;
  switch (frame) {
    case 0:  // weapon drawn back level, body turned away
      p.lean = -1.5, p.hand_x = -3, p.hand_y = 5, p.weapon_angle = 168, p.far_hand_x = 3, p.far_hand_y = 4;
      break;
    case 1:  // the horizontal stroke
      p.lean = 2, p.near_foot = 7, p.hand_x = 9, p.hand_y = 4, p.weapon_angle = -5, p.far_hand_x = -5, p.far_hand_y = 5;
      p.trail = Trail::kHorizontal;
      break;
    default:
      p.lean = 1, p.hand_x = 6, p.hand_y = 8, p.weapon_angle = 20;
      break;
  }
  return p;
}

Pose FollowThroughPose(int frame) {
  Pose p;
  p.near_foot = 6 - frame, p.far_foot = -5, p.lean = 2, p.bob = 1.5;
  p.hand_x = 7, p.hand_y = 9, p.weapon_angle = 70 - 10 * frame, p.far_hand_x = -5, p.far_hand_y = 6;
  return p;
}

}  // namespace assets
