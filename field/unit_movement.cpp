// One step of a unit on the field map, chosen by its field state: an idle character regenerates,
// a marching one takes a step of its walk cycle toward its destination, line-up point, base point
// or another unit, and a fighting one closes in on its engagement point and strikes.
//
// Two cycles drive the steps and the sprite frame. The walk cycle moves every second tick; the
// combat cycle closes in (and strikes) at its step 0 and then alternates 2, 3 until the walk step
// is set back to 0 by an engagement or a new attack.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "field/field_rules.h"
#include "world/character.h"
#include "world/saturate.h"

namespace field {

std::int32_t ClampToField(std::int64_t v) {
  return static_cast<std::int32_t>(v < kFieldLow ? kFieldLow : v > kFieldHigh ? kFieldHigh : v);
}

}  // namespace field

namespace {

using field::ClampToField;

constexpr std::int32_t kWalkFrame[4] = {0, 1, 0, 2};
constexpr std::int32_t kCombatFrame[4] = {2, 0, 2, 0};

Point PositionOf(const Character& c) {
  Point p;
  return c.GetPosition(p);
}

void ClampPosition(Character& c) {
  const Point p = PositionOf(c);
  c.SetPosition(ClampToField(p.x), ClampToField(p.y));
}

// One axis moved toward the goal by `step`, landing on it when the gap is no larger.
std::int64_t Approach(std::int64_t v, std::int64_t goal, std::int64_t step) {
  if (v < goal) return goal - v > step ? v + step : goal;
  return v - goal > step ? v - step : goal;
}

// A moving step of the walk cycle: x first, then y with the new x. With sway, an axis that is
// already on the goal drifts by its step while the other axis is still far (the step vector then
// holds a -2..2 draw for it); without sway it stays.
void WalkMove(Character& c, const Point& goal, const Point& step, bool sway) {
  const Point p = PositionOf(c);
  std::int64_t x = p.x, y = p.y;
  if (x != goal.x)
    x = Approach(x, goal.x, step.x);
  else if (sway && std::llabs(y - goal.y) > step.y)
    x += step.x;
  if (y != goal.y)
    y = Approach(y, goal.y, step.y);
  else if (sway && std::llabs(x - goal.x) > step.x)
    y += step.y;
  c.SetPosition(SaturateToI32(x), SaturateToI32(y));
}

// The closing-in of the combat cycle: each axis on its own, a full step or onto the point.
void CloseIn(Character& c) {
  const Point p = PositionOf(c);
  Point goal;
  c.GetEngagementPoint(goal);
  const std::int64_t full = std::int64_t{c.stats.GetMoveSpeed()} + 2;
  c.SetPosition(SaturateToI32(Approach(p.x, goal.x, full)), SaturateToI32(Approach(p.y, goal.y, full)));
}

// The walk cycle; `move` takes the moving step (steps 1 and 3).
template <typename Move>
void WalkCycle(Character& c, Move move) {
  const std::int32_t step = c.GetWalkStep();
  if (step >= 0 && step <= 3) c.SetAnimFrame(kWalkFrame[step]);
  switch (step) {
    case 0: c.SetWalkStep(1); break;
    case 1: move(); c.SetWalkStep(2); break;
    case 2: c.SetWalkStep(3); break;
    case 3: move(); c.SetWalkStep(0); break;
    default: break;
  }
  if (c.GetWalkStep() < 0 || c.GetWalkStep() > 3) c.SetWalkStep(0);
}

// The combat cycle; `strike` runs after the closing-in of step 0. True when the cycle was at its
// step 1, where the combat step tally is raised.
template <typename Strike>
bool CombatCycle(Character& c, Strike strike) {
  const std::int32_t step = c.GetWalkStep();
  bool tally = false;
  if (step >= 0 && step <= 3) c.SetAnimFrame(kCombatFrame[step]);
  switch (step) {
    case 0: CloseIn(c); strike(); c.SetWalkStep(1); break;
    case 1: tally = true; c.SetWalkStep(2); break;
    case 2: c.SetWalkStep(3); break;
    case 3: CloseIn(c); c.SetWalkStep(2); break;
    default: break;
  }
  if (c.GetWalkStep() < 0 || c.GetWalkStep() > 3) c.SetWalkStep(0);
  return tally;
}

// The longer axis's share of the step for patterns 2 and 3, by the ratio q of the two distances.
std::int64_t LongerShare(std::int32_t pattern, std::int64_t q, std::int64_t speed, std::int64_t full) {
  if (pattern == 2) return q <= 1 ? full / 2 : q == 2 ? speed : q == 3 ? speed + 1 : full;
  return q <= 1 ? full : q == 2 ? speed + 1 : q == 3 ? speed : full / 2;
}

}  // namespace

void Character::ActionStep(Character* target) {
  switch (state_) {
    case 0: Regenerate(); break;
    case 1:
    case 8: StandStill(); break;
    case 2: WalkToDestination(); break;
    case 3: WalkToLineUpPoint(); break;
    case 5: WalkToEngagementPoint(); break;
    case 6:
    case 7:
      if (target) FightStep(*target);
      break;
    case 9: WalkToBasePoint(); break;
    case 10:
      if (target) ApproachUnit(*target);
      break;
    default: break;  // 4, 11, 12, 13: nothing
  }
}

Point Character::StepVector(std::int32_t pattern, std::int32_t x, std::int32_t y) const {
  if (pattern < 1 || pattern > 3) return {0, 0};
  // In 64 bits, a move speed from a damaged file at the end of the int range included.
  const std::int64_t speed = stats.GetMoveSpeed();
  const std::int64_t full = speed + 2;
  auto step = [](std::int64_t sx, std::int64_t sy) { return Point{SaturateToI32(sx), SaturateToI32(sy)}; };
  const Point from = position_;
  if (from.x == x) {
    const std::int32_t sway = Random(5, -2);
    return step(sway, full);
  }
  if (from.y == y) return step(full, Random(5, -2));
  if (pattern == 1) {
    const std::int64_t sx = Random(stats.GetMoveSpeed(), 2);
    return step(sx, full - sx);
  }
  const std::int64_t ax = std::llabs(std::int64_t{from.x} - x);
  const std::int64_t ay = std::llabs(std::int64_t{from.y} - y);
  if (ax == ay) return step(full / 2, full - full / 2);
  if (ax > ay) {
    const std::int64_t sx = LongerShare(pattern, ax / ay, speed, full);
    return step(sx, full - sx);
  }
  const std::int64_t sy = LongerShare(pattern, ay / ax, speed, full);
  return step(full - sy, sy);
}

void Character::Regenerate() {
  if (stats.GetHp() != stats.GetMaxHp() && Random(100, 1) < stats.GetHealingPower())
    stats.SetHp(std::min(Plus(stats.GetHp(), 1), stats.GetMaxHp()));
  if (stats.GetSp() != stats.GetMaxSp() && Random(10, 1) == 10)
    stats.SetSp(std::min(Plus(stats.GetSp(), 1), stats.GetMaxSp()));
}

void Character::StandStill() {}

void Character::WalkToDestination() {
  // On arrival the march is over as an order (free action again) but the state stays "moving":
  // the tick then decides whether the city there is taken or the march ends.
  auto arrive = [this] {
    ResetFieldState();
    SetStateMoving();
    base_point_ = destination_;
  };
  if (position_ == destination_) {
    arrive();
  } else {
    WalkCycle(*this, [this] {
      WalkMove(*this, destination_, StepVector(stats.GetMovePattern(), destination_.x, destination_.y), true);
    });
    if (position_ == destination_) arrive();
  }
  ClampPosition(*this);
}

void Character::WalkToLineUpPoint() {
  if (position_ == line_up_point_) {
    anim_frame_ = 0;
  } else {
    WalkCycle(*this, [this] {
      WalkMove(*this, line_up_point_, StepVector(stats.GetMovePattern(), line_up_point_.x, line_up_point_.y), true);
    });
    if (position_ == line_up_point_) anim_frame_ = 0;
  }
  ClampPosition(*this);
}

void Character::WalkToBasePoint() {
  auto arrive = [this] {
    ResetFieldState();
    SetStatePursuing();
  };
  if (position_ == base_point_) {
    arrive();
  } else {
    WalkCycle(*this, [this] {
      WalkMove(*this, base_point_, StepVector(stats.GetMovePattern(), base_point_.x, base_point_.y), false);
    });
    if (position_ == base_point_) arrive();
  }
  ClampPosition(*this);
}

void Character::ApproachUnit(const Character& target) {
  approach_point_ = target.position_;
  const Point goal = approach_point_;
  // The approach takes its step vector on every tick, moving or not, so its draws come on every
  // tick of this state (unlike the other walks, which draw only when they move).
  const Point step = StepVector(1, goal.x, goal.y);
  WalkCycle(*this, [this, goal, step] { WalkMove(*this, goal, step, false); });
  ClampPosition(*this);
}

void Character::WalkToEngagementPoint() {
  if (CombatCycle(*this, [] {})) step_count_ = Plus(step_count_, 1);
  ClampPosition(*this);
}

void Character::FightStep(Character& target) {
  target_point_ = target.position_;
  if (CombatCycle(*this, [this, &target] { Attack(target); }))
    step_count_ = Plus(step_count_, 1);
  ClampPosition(*this);
}
