// The spot beside an enemy where a character stands to fight it. The spots lie on a ring of
// sixteen boxes around the midpoint of the two; the side of the midpoint that the character
// comes from picks three neighbouring boxes, one of which is drawn, so that the two opponents
// end up facing each other across the midpoint.
#include <cstdint>

#include "field/field_rules.h"
#include "world/character.h"

namespace {

// A box of offsets from the midpoint: x from x_low (x_count values), y likewise.
struct SlotBox {
  std::int32_t x_low, x_count, y_low, y_count;
};

// Slot 0 on the side of smaller x, 4 of smaller y, 8 of larger x, 12 of larger y. The boxes on
// the larger sides reach 4 px further out than those on the smaller sides.
constexpr SlotBox kSlots[16] = {
    {-17, 5, -15, 30}, {-17, 5, -5, 5},  {-13, 5, -13, 5}, {-5, 5, -17, 5},
    {-15, 30, -17, 5}, {5, 5, -17, 5},   {13, 5, -13, 5},  {17, 5, -5, 5},
    {17, 5, -15, 30},  {17, 5, 5, 5},    {13, 5, 13, 5},   {5, 5, 17, 5},
    {-15, 30, 17, 5},  {-5, 5, 17, 5},   {-13, 5, 13, 5},  {-17, 5, 5, 5},
};

// The band of the character's offset (dx, dy) from the enemy; -1 when there is none (|dx| of 40
// or more off the enemy's row, or the same point).
int BandOf(std::int64_t dx, std::int64_t dy) {
  if (dy == 0) return dx >= 1 ? 7 : dx <= -1 ? 15 : -1;
  if (dx <= -40 || dx >= 40) return -1;
  // Bands by dx for dy below 0, left to right; for dy above 0 they run back from 14 to 8.
  int column;
  if (dx <= -27) column = 0;
  else if (dx <= -20) column = 1;
  else if (dx <= -1) column = 2;
  else if (dx == 0) column = 3;
  else if (dx <= 19) column = 4;
  else if (dx <= 26) column = 5;
  else column = 6;
  return dy < 0 ? column : 14 - column;
}

}  // namespace

void Character::ChooseEngagementPoint(const Character& enemy) {
  const std::int32_t k = Random(3, 1);
  const std::int64_t cx = position_.x, cy = position_.y;
  const std::int64_t ex = enemy.position_.x, ey = enemy.position_.y;
  const std::int64_t mid_x = (cx + ex) / 2, mid_y = (cy + ey) / 2;
  const int band = BandOf(cx - ex, cy - ey);
  std::int64_t x, y;
  if (band < 0) {
    x = mid_x + Random(5, 0);
    y = mid_y + Random(5, 0);
  } else {
    const SlotBox& box = kSlots[(band + k - 1) % 16];
    x = mid_x + Random(box.x_count, box.x_low);
    y = mid_y + Random(box.y_count, box.y_low);
  }
  // Beside an enemy at the map's edge the spot can fall off the field, where no step can reach
  // it: the unit would close in forever without fighting. It is held inside the field.
  engagement_point_ = {field::ClampToField(x), field::ClampToField(y)};
}
