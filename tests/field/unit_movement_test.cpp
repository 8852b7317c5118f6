// One step of a unit: the split of a step between the axes by movement pattern, the walk cycle
// with its sway and its frames, the field's bounds, arrivals, regeneration, the combat cycle with
// its single blow, and the engagement point beside an enemy (inside the field).
#include <gtest/gtest.h>

#include <climits>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class UnitMovement : public FieldTest {};

TEST_F(UnitMovement, StepVectorSplitsTheStepByPattern) {
  Character& c = AddUnit(1, 1, 100, 100);  // move speed 6: a full step of 8
  Draws({});
  // Distances 30 and 10 (q = 3): the longer axis gets S + 1 by pattern 2, S by pattern 3.
  EXPECT_EQ(c.StepVector(2, 130, 110), (Point{7, 1}));
  EXPECT_EQ(c.StepVector(3, 130, 110), (Point{6, 2}));
  EXPECT_EQ(c.StepVector(2, 110, 130), (Point{1, 7}));
  EXPECT_EQ(c.StepVector(2, 120, 120), (Point{4, 4}));   // equal distances: F / 2 each
  EXPECT_EQ(c.StepVector(2, 115, 110), (Point{4, 4}));   // q = 1
  EXPECT_EQ(c.StepVector(3, 115, 110), (Point{8, 0}));
  EXPECT_EQ(c.StepVector(2, 120, 110), (Point{6, 2}));   // q = 2
  EXPECT_EQ(c.StepVector(3, 120, 110), (Point{7, 1}));
  EXPECT_EQ(c.StepVector(2, 150, 110), (Point{8, 0}));   // q >= 4
  EXPECT_EQ(c.StepVector(3, 150, 110), (Point{4, 4}));
  EXPECT_EQ(c.StepVector(0, 150, 110), (Point{0, 0}));   // no pattern: no movement
  EXPECT_EQ(c.StepVector(4, 150, 110), (Point{0, 0}));
  EXPECT_TRUE(Drawn().empty());

  // Pattern 1 draws the x share from 2 to S + 1; an axis on the goal draws a sway of -2..2.
  Draws({{5, 2}, {-2, -2}, {1, -2}});
  EXPECT_EQ(c.StepVector(1, 150, 110), (Point{5, 3}));
  EXPECT_EQ(c.StepVector(2, 100, 200), (Point{-2, 8}));
  EXPECT_EQ(c.StepVector(3, 200, 100), (Point{8, 1}));
  EXPECT_EQ(Drawn(), (DrawList{{6, 2}, {5, -2}, {5, -2}}));

  // A move speed from a damaged file at the end of the int range: the step is held there.
  c.stats.SetField(StatsBlock::kMoveSpeed, INT_MAX);
  EXPECT_EQ(c.StepVector(2, 130, 110), (Point{INT_MAX, 1}));  // q = 3: S + 1, and F less that
  EXPECT_EQ(c.StepVector(2, 150, 110), (Point{INT_MAX, 0}));  // q >= 4: F, and nothing
}

TEST_F(UnitMovement, WalkCycleMovesEverySecondTickAndSwaysOnAnAlignedAxis) {
  Character& c = AddUnit(1, 1, 100, 100, 2);
  c.stats.SetField(StatsBlock::kMovePattern, 2);
  c.SetDestination(200, 150);
  Draws({});
  const Point expected[] = {{100, 100}, {106, 102}, {106, 102}, {110, 106}, {110, 106}};
  const int frames[] = {0, 1, 0, 2, 0};
  for (int i = 0; i < 5; ++i) {
    c.ActionStep(nullptr);
    EXPECT_EQ(Pos(c), expected[i]) << i;
    EXPECT_EQ(c.GetAnimFrame(), frames[i]) << i;
    EXPECT_EQ(c.GetWalkStep(), (i + 1) % 4) << i;
  }
  EXPECT_TRUE(Drawn().empty());

  // Straight below its goal it sways sideways by the drawn -2..2; the next move snaps back.
  Character& d = AddUnit(2, 1, 100, 100, 2);
  d.SetDestination(100, 200);
  d.SetWalkStep(1);
  Draws({{2, -2}, {3, 2}});
  d.ActionStep(nullptr);
  EXPECT_EQ(Pos(d), (Point{102, 108}));
  d.ActionStep(nullptr);
  d.ActionStep(nullptr);
  EXPECT_EQ(Pos(d), (Point{100, 113}));
  EXPECT_TRUE(ScriptUsedUp());

  // The same unit walking home (state 9) or toward a unit (state 10) does not sway.
  Character& e = AddUnit(3, 2, 100, 300, 10);
  Character& f = AddUnit(4, 1, 100, 100, 9);
  f.SetBasePoint(100, 200);
  f.SetWalkStep(1);
  Draws({{2, -2}});
  f.ActionStep(nullptr);
  EXPECT_EQ(Pos(f), (Point{100, 108}));
  d.SetStateResting();
  d.SetPosition(100, 100);
  d.SetWalkStep(1);
  Draws({{-2, -2}});
  d.ActionStep(&e);
  EXPECT_EQ(Pos(d), (Point{100, 108}));
  Point approach;
  EXPECT_EQ(d.GetApproachPoint(approach), Pos(e));

  // The approach takes its step vector on every tick, also on a tick without a move; the walk
  // home draws only when it moves.
  d.SetPosition(90, 108);
  Draws({{3, 2}, {4, 2}});
  d.ActionStep(&e);  // walk step 2: no move
  EXPECT_EQ(Pos(d), (Point{90, 108}));
  f.ActionStep(nullptr);
  d.ActionStep(&e);  // walk step 3: moves by the second vector
  EXPECT_EQ(Pos(d), (Point{94, 112}));
  EXPECT_EQ(Drawn(), (DrawList{{6, 2}, {6, 2}}));
}

TEST_F(UnitMovement, EveryRoutineKeepsTheUnitInsideTheField) {
  Character& high = AddUnit(1, 1, 1871, 100, 2);
  high.SetDestination(1871, 400);
  high.SetWalkStep(1);
  Character& low = AddUnit(2, 1, 48, 100, 2);
  low.SetDestination(48, 400);
  low.SetWalkStep(1);
  Draws({{2, -2}, {-2, -2}});
  high.ActionStep(nullptr);
  low.ActionStep(nullptr);
  EXPECT_EQ(Pos(high).x, 1872);
  EXPECT_EQ(Pos(low).x, 48);

  // A unit placed outside is brought in by its next combat step, wherever its spot lies.
  Character& lost = AddUnit(3, 1, 20, 1900, 5);
  lost.ChooseEngagementPoint(AddUnit(4, 2, 10, 1910));
  lost.ActionStep(nullptr);
  EXPECT_EQ(Pos(lost), (Point{48, 1872}));
}

TEST_F(UnitMovement, ArrivalsAndTheStatesWithoutAStep) {
  Character& c = AddUnit(1, 1, 300, 300, 2);
  c.SetOrderSortie();
  c.SetDestination(300, 300);
  c.SetBasePoint(50, 50);
  Draws({});
  c.ActionStep(nullptr);
  Point base;
  EXPECT_EQ(c.GetState(), 2);
  EXPECT_EQ(c.GetOrder(), Character::kOrderFree);
  EXPECT_EQ(c.GetBasePoint(base), (Point{300, 300}));
  EXPECT_EQ(Pos(c), (Point{300, 300}));

  Character& home = AddUnit(2, 1, 400, 400, 9);
  home.SetOrderPatrol();
  home.ActionStep(nullptr);
  EXPECT_EQ(home.GetState(), 9);
  EXPECT_EQ(home.GetOrder(), Character::kOrderFree);

  // Guarding (8), knocked out (12), and the states that only a loaded game holds (4, 11 and
  // 13: falling back, dying, retreating) take no step; 6, 7 and 10 need someone to act toward.
  Character& still = AddUnit(3, 1, 500, 500);
  still.SetDestination(900, 900);
  still.SetWalkStep(1);
  for (int s : {8, 12, 4, 11, 13}) {
    if (s == 8 || s == 12)
      SetState(still, s);
    else
      LoadState(still, s);
    still.ActionStep(nullptr);
    EXPECT_EQ(Pos(still), (Point{500, 500})) << s;
  }
  for (int s : {6, 7, 10}) {
    SetState(still, s);
    still.ActionStep(nullptr);
    EXPECT_EQ(Pos(still), (Point{500, 500})) << s;
    EXPECT_EQ(still.GetWalkStep(), 1) << s;
  }
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(UnitMovement, IdleUnitsRegenerateWithDrawsOnlyForWhatIsMissing) {
  Character& c = AddUnit(1, 1, 300, 300);
  c.stats.SetHealingPower(30);
  Draws({});
  c.ActionStep(nullptr);
  EXPECT_TRUE(Drawn().empty());

  c.stats.SetHp(50);
  c.stats.SetSp(5);
  Draws({{29, 1}, {10, 1}, {30, 1}, {9, 1}});
  c.ActionStep(nullptr);
  EXPECT_EQ(c.stats.GetHp(), 51);
  EXPECT_EQ(c.stats.GetSp(), 6);
  c.ActionStep(nullptr);
  EXPECT_EQ(c.stats.GetHp(), 51);
  EXPECT_EQ(c.stats.GetSp(), 6);
  EXPECT_EQ(Drawn(), (DrawList{{100, 1}, {10, 1}, {100, 1}, {10, 1}}));
}

TEST_F(UnitMovement, CombatCycleClosesInAndStrikesOncePerStart) {
  Character& u = AddUnit(1, 1, 100, 100, 6);
  Character& e = AddUnit(2, 2, 140, 100, 6);
  u.ChooseEngagementPoint(e);
  Point spot;
  u.GetEngagementPoint(spot);
  u.skill_slots.SetAttackSkill(*u.skills.GetAt(0));
  u.SetWalkStep(0);
  const int frames[] = {2, 0, 2, 0, 2, 0};
  const int steps[] = {1, 2, 3, 2, 3, 2};
  for (int i = 0; i < 6; ++i) {
    u.ActionStep(&e);
    EXPECT_EQ(u.GetAnimFrame(), frames[i]) << i;
    EXPECT_EQ(u.GetWalkStep(), steps[i]) << i;
  }
  EXPECT_EQ(e.stats.GetAttacksReceived(), 1);
  EXPECT_EQ(u.GetTargetPoint(spot), Pos(e));
  // Close-in: a full step of 8 toward the spot at steps 0 and 3, never past it.
  u.SetPosition(100, 100);
  u.SetStateCombatMoving();
  u.ChooseEngagementPoint(e);
  u.GetEngagementPoint(spot);
  u.SetWalkStep(0);
  u.ActionStep(nullptr);
  const int y = spot.y > 108 ? 108 : spot.y < 92 ? 92 : spot.y;
  EXPECT_EQ(Pos(u), (Point{spot.x, y}));  // the spot is 3..7 px away on x, up to 15 on y
  EXPECT_EQ(e.stats.GetAttacksReceived(), 1);
}

TEST_F(UnitMovement, EngagementPointLiesOnTheUnitsOwnSideOfTheMidpoint) {
  Character& e = AddUnit(1, 2, 100, 100);
  Character& u = AddUnit(2, 1, 145, 110);
  Point p;
  // 45 px off on x and 10 on y: no band, 0..4 beyond the midpoint (122, 105).
  Draws({{2, 1}, {3, 0}, {4, 0}});
  u.ChooseEngagementPoint(e);
  EXPECT_EQ(u.GetEngagementPoint(p), (Point{125, 109}));
  EXPECT_EQ(Drawn(), (DrawList{{3, 1}, {5, 0}, {5, 0}}));
  // Straight below the enemy (band 3): slots 3, 4 and 5 by the first draw, all below.
  u.SetPosition(100, 90);
  Draws({{1, 1}, {-3, -5}, {-15, -17}, {3, 1}, {7, 5}, {-13, -17}});
  u.ChooseEngagementPoint(e);
  EXPECT_EQ(u.GetEngagementPoint(p), (Point{97, 80}));
  u.ChooseEngagementPoint(e);
  EXPECT_EQ(u.GetEngagementPoint(p), (Point{107, 82}));
  EXPECT_EQ(Drawn(), (DrawList{{3, 1}, {5, -5}, {5, -17}, {3, 1}, {5, 5}, {5, -17}}));
  // Left of it on its row (band 15): slots 15, 0 and 1 around the ring.
  u.SetPosition(60, 100);
  Draws({{2, 1}, {-17, -17}, {14, -15}});
  u.ChooseEngagementPoint(e);
  EXPECT_EQ(u.GetEngagementPoint(p), (Point{63, 114}));
  EXPECT_EQ(Drawn(), (DrawList{{3, 1}, {5, -17}, {30, -15}}));
}

TEST_F(UnitMovement, EngagementPointBesideAnEnemyAtTheEdgeStaysOnTheField) {
  Character& e = AddUnit(1, 2, 1860, 1872);
  Character& u = AddUnit(2, 1, 1872, 1872);
  Point p;
  // Right of it on the top row (band 7), midpoint (1866, 1872): slot 8 reaches 21 px right and
  // 14 px up, beyond both edges; the draws stay the same.
  Draws({{2, 1}, {21, 17}, {14, -15}});
  u.ChooseEngagementPoint(e);
  EXPECT_EQ(u.GetEngagementPoint(p), (Point{1872, 1872}));
  // Left of one in the bottom corner (band 15), midpoint (54, 48): slot 0 reaches 17 px left and
  // 15 px down.
  e.SetPosition(60, 48);
  u.SetPosition(48, 48);
  Draws({{2, 1}, {-17, -17}, {-15, -15}});
  u.ChooseEngagementPoint(e);
  EXPECT_EQ(u.GetEngagementPoint(p), (Point{48, 48}));
  EXPECT_EQ(Drawn(), (DrawList{{3, 1}, {5, -17}, {30, -15}}));
}

}  // namespace
