#pragma once
// The small soldiers of the field and the ending: a figure facing right, drawn with hard edges on
// the key colour, in a pose. The tabard is the tint colour, so the field's tints recolour it.
#include "assets/image.h"
#include "assets/roster.h"

namespace assets {

enum class View { kFront, kBack };  // front: walking down the screen; back: walking up it
enum class Trail { kNone, kVertical, kHorizontal };

struct Pose {
  double lean = 0;          // body shift forward (+x)
  double bob = 0;           // body shift down (+y)
  double near_foot = 0;     // near foot's x offset from its place under the hip
  double far_foot = 0;      // far foot's
  double near_lift = 0;     // how far the near foot is off the ground
  double far_lift = 0;
  double hand_x = 7, hand_y = 4;         // weapon hand, relative to the near shoulder
  double far_hand_x = -3, far_hand_y = 8;  // other hand, relative to the far shoulder
  double weapon_angle = -60;  // degrees, 0 = pointing forward (+x), -90 = straight up
  Trail trail = Trail::kNone;
};

// Draws the figure with its feet centred at (ox, oy) (pixel coordinates, rows from the top), at
// `scale` times the field size (a field figure stands about 40 px tall).
// The tabard is painted in `tabard`: the sprite sheets paint it in a marker colour that becomes the
// tint colour once nothing else can be mistaken for it.
void DrawFigure(Image& img, double ox, double oy, double scale, const Look& look, const Pose& pose, View view,
                Rgb tabard);

// The poses of the field's sprite sheet.
Pose WalkPose(int frame);           // 0 standing, 1 and 2 the two steps
Pose GuardPose(int frame);          // 0 wind-up, 1 vertical slash, 2 shuffle
Pose SweepPose(int frame);          // 0 wind-up, 1 horizontal slash, 2 recovery
Pose FollowThroughPose(int frame);  // after the stroke

}  // namespace assets
