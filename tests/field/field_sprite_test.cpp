// Which cell of its sheet a character shows: the row pair and facing of every state, the
// marching rows near a straight line, attacks and duels, who is never shown, and cells that an
// attack's table would put off the sheet.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "field/field_paint.h"
#include "world/codec.h"

namespace {

using field_paint::ChooseSpriteCell;
using field_paint::SpriteCell;
using field_paint::Tint;

// A character's state as a save file carries it: the states that no setter gives (waiting,
// lining up, falling back, dying, retreating) reach the field through a loaded game.
void LoadState(Character& c, std::int32_t state) {
  Character probe = c;
  probe.SetStateMoving();
  probe.PackSaveImage();
  std::vector<std::uint8_t> moving(probe.SaveImageBytes(), probe.SaveImageBytes() + Character::kImageSize);
  probe.SetStateCombatMoving();
  probe.PackSaveImage();
  std::size_t at = 0;
  while (at < Character::kImageSize && probe.SaveImageBytes()[at] == moving[at]) ++at;
  ASSERT_LT(at, Character::kImageSize);
  c.PackSaveImage();
  std::vector<std::uint8_t> image(c.SaveImageBytes(), c.SaveImageBytes() + Character::kImageSize);
  codec::PutI32(image.data(), at, state);
  ASSERT_TRUE(c.LoadSaveImage(image.data()));
  ASSERT_EQ(c.GetState(), state);
}

Skill AttackSkill(std::int32_t col0, std::int32_t col1, std::int32_t row0, std::int32_t row1) {
  SkillList list;
  list.AddAttack(names::kNone, 1, Skill::kBasicAttack, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0f, 0, 0, 0, 0,
                 0, 1, names::kNone, col0, col1, 0, 0, row0, row1, 0, 0, 0, 0, names::kNone, 0, 0, 0, 2);
  return *list.GetAt(0);
}

class SpriteCellTest : public ::testing::Test {
 protected:
  SpriteCellTest() {
    c.SetNationId(3);
    c.SetPosition(500, 500);
  }
  SpriteCell Cell() const { return ChooseSpriteCell(c); }
  Character c;
};

void ExpectCell(const SpriteCell& s, int col, int row, bool mirrored, Tint tint) {
  EXPECT_TRUE(s.drawn);
  EXPECT_EQ(s.column, col);
  EXPECT_EQ(s.row, row);
  EXPECT_EQ(s.mirrored, mirrored);
  EXPECT_EQ(s.tint, tint);
}

TEST_F(SpriteCellTest, MarchingNearlyStraightShowsTheBackGoingUpAndTheFrontOtherwise) {
  c.SetStateMoving();
  c.SetAnimFrame(1);
  // Standing on the destination: rule 1, front row mirrored.
  c.SetDestination(500, 500);
  ExpectCell(Cell(), 1, 7, true, Tint::kNone);
  // 3 px left and 200 below: still straight along y.
  c.SetDestination(497, 300);
  ExpectCell(Cell(), 1, 7, true, Tint::kNone);
  // Straight up, even 3 px to the right: the back, never mirrored.
  c.SetDestination(503, 700);
  ExpectCell(Cell(), 1, 6, false, Tint::kNone);
  c.SetDestination(497, 700);
  ExpectCell(Cell(), 1, 6, false, Tint::kNone);
  // 3 px below and 200 to the left: straight along x, front row, facing left.
  c.SetDestination(300, 497);
  ExpectCell(Cell(), 1, 7, true, Tint::kNone);
  // Level to the right, even 3 px above: front row, facing right.
  c.SetDestination(700, 503);
  ExpectCell(Cell(), 1, 7, false, Tint::kNone);
  // 4 px off both lines: the general rule.
  c.SetDestination(700, 700);
  ExpectCell(Cell(), 1, 6, false, Tint::kNone);
  c.SetDestination(504, 496);
  ExpectCell(Cell(), 1, 7, false, Tint::kNone);
  c.SetDestination(496, 504);
  ExpectCell(Cell(), 1, 6, true, Tint::kNone);
  // Lining up (a loaded state) follows the same rules, with the tactic's tint.
  LoadState(c, 3);
  c.SetAnimFrame(2);
  c.skill_slots.SetTacticActive();
  ExpectCell(Cell(), 2, 6, true, Tint::kTactic);
}

TEST_F(SpriteCellTest, EachStateTurnsTowardItsOwnPoint) {
  // Every point differs, so a state that looked at the wrong one would face the wrong way.
  c.SetTargetPoint(600, 600);     // up right
  c.SetDestination(400, 400);     // down left
  c.SetDuelWatchPoint(400, 600);  // up left
  c.SetBasePoint(600, 400);       // down right
  c.SetApproachPoint(500, 500);   // the spot itself
  c.skill_slots.SetTacticActive();

  c.SetStateCombatMoving();
  ExpectCell(Cell(), 0, 6, false, Tint::kTactic);
  c.SetStateFighting();
  ExpectCell(Cell(), 0, 4, false, Tint::kTactic);
  c.SetStateDefending();
  ExpectCell(Cell(), 0, 6, true, Tint::kTactic);
  c.SetStatePursuing();
  ExpectCell(Cell(), 0, 7, false, Tint::kTactic);
  c.SetStateResting();
  c.SetAnimFrame(2);
  ExpectCell(Cell(), 2, 7, true, Tint::kTactic);
  // Waiting (a loaded state) faces its target and never takes the tactic's tint.
  LoadState(c, 1);
  ExpectCell(Cell(), 2, 6, false, Tint::kNone);
  // Without the tactic, no tint.
  c.skill_slots.ClearTacticActive();
  c.SetStateFighting();
  ExpectCell(Cell(), 0, 4, false, Tint::kNone);
}

TEST_F(SpriteCellTest, AnAttackShowsTheSkillsCellsAndADuelIsAlwaysRed) {
  c.SetTargetPoint(400, 600);  // up left
  SkillSlots& k = c.skill_slots;
  k.SetAttackSkill(AttackSkill(0, 1, 5, 3));
  k.SetAttacking();
  k.SetActionStep(1);
  c.SetStateFighting();
  c.SetAnimFrame(2);
  // From below, the row under the skill's row; the frame gives way to the skill's column.
  ExpectCell(Cell(), 1, 2, true, Tint::kNone);
  c.SetTargetPoint(600, 400);
  ExpectCell(Cell(), 1, 3, false, Tint::kNone);
  k.SetActionStep(0);
  ExpectCell(Cell(), 0, 5, false, Tint::kNone);

  // In a duel the skill gives the column only; the rows are the fighting pair, red over blue.
  k.SetTacticActive();
  c.SetStateDueling();
  k.SetActionStep(1);
  c.SetTargetPoint(400, 600);
  ExpectCell(Cell(), 1, 4, true, Tint::kDuel);
  // Free to act: its own frame.
  k.ClearAttacking();
  c.SetAnimFrame(2);
  ExpectCell(Cell(), 2, 4, true, Tint::kDuel);
  // Casting anything hides it for the paint; an attack under way shows even while casting.
  k.SetCastingAilment();
  EXPECT_FALSE(Cell().drawn);
  k.SetAttacking();
  EXPECT_TRUE(Cell().drawn);
  k.ClearAttacking();
  k.ClearCastingAilment();
  k.SetCastingSelfBoost();
  EXPECT_FALSE(Cell().drawn);
}

TEST_F(SpriteCellTest, AnAttackTableNeverNamesACellOffTheSheet) {
  SkillSlots& k = c.skill_slots;
  // The built-in skills end on row 0: seen from below that is row -1, shown as row 0.
  k.SetAttackSkill(AttackSkill(0, 1, 5, 5));
  k.SetAttacking();
  k.SetActionStep(2);
  c.SetStateFighting();
  c.SetTargetPoint(600, 900);
  ExpectCell(Cell(), 0, 0, false, Tint::kNone);
  // A step past the table's four entries: column 0 and row 0.
  k.SetActionStep(9);
  ExpectCell(Cell(), 0, 0, false, Tint::kNone);
  // Tables from a damaged save: cells past the sheet's edge are held to its last cell.
  k.SetAttackSkill(AttackSkill(7, -2, 12, 1));
  k.SetActionStep(0);
  c.SetTargetPoint(400, 400);
  ExpectCell(Cell(), 2, 7, true, Tint::kNone);
  k.SetActionStep(1);
  ExpectCell(Cell(), 0, 1, true, Tint::kNone);
  // A walk frame from a damaged save likewise.
  k.ClearAttacking();
  c.SetStateMoving();
  c.SetAnimFrame(40);
  c.SetDestination(900, 900);
  ExpectCell(Cell(), 2, 6, false, Tint::kNone);
}

TEST_F(SpriteCellTest, WhoIsNeverShown) {
  c.SetTargetPoint(600, 600);
  c.SetDestination(600, 600);
  for (std::int32_t state : {0, 4, 11, 12, 13, 14, -1}) {
    LoadState(c, state);
    EXPECT_FALSE(Cell().drawn) << "state " << state;
  }
  // The unaffiliated and the lords' group, in every state.
  for (std::int32_t nation : {Character::kNationNone, Character::kNationLords}) {
    c.SetNationId(nation);
    for (std::int32_t state = 0; state <= 13; ++state) {
      LoadState(c, state);
      EXPECT_FALSE(Cell().drawn) << "nation " << nation << " state " << state;
    }
  }
}

}  // namespace
