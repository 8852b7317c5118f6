// The characters' sprites on the field: which cell of its sheet a character shows in each state,
// which way it faces, and the cloth tints of the tactic and the duel.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "field/field_paint.h"
#include "media/work_bitmap.h"
#include "world/names.h"
#include "world/saturate.h"

namespace field_paint {
namespace {

constexpr NameRef kFieldMap = names::Of("フィールドマップⅡ");

// The pair of rows of an idle or walking character (6 and 7) or of a fighting one (4 and 5): the
// lower row when it stands below the point it turns toward, the upper one otherwise.
constexpr std::int32_t kWalkRow = 6;
constexpr std::int32_t kFightRow = 4;

std::int32_t PairRow(std::int32_t lower, const Point& at, const Point& face) {
  return at.y < face.y ? lower : lower + 1;
}

// States 2 and 3, marching to the destination: nearly straight up or down the field the sprite
// shows its back going up and its front coming down; nearly level it shows its front.
void NearLineRule(SpriteCell& cell, const Point& at, const Point& to) {
  const std::int64_t dx = std::llabs(std::int64_t{at.x} - to.x);
  const std::int64_t dy = std::llabs(std::int64_t{at.y} - to.y);
  if (dx < 4) {
    cell.row = at.y < to.y ? kWalkRow : kWalkRow + 1;
    cell.mirrored = !(at.y < to.y);
  } else if (dy < 4) {
    cell.row = kWalkRow + 1;
    cell.mirrored = at.x >= to.x;
  } else {
    cell.row = PairRow(kWalkRow, at, to);
    cell.mirrored = at.x >= to.x;
  }
}

}  // namespace

SpriteCell ChooseSpriteCell(const Character& c) {
  SpriteCell cell;
  // Unaffiliated characters and the lords' group stay in their halls.
  if (c.GetNationId() == Character::kNationNone || c.GetNationId() == Character::kNationLords) return cell;

  const SkillSlots& k = c.skill_slots;
  Point at, face;
  c.GetPosition(at);
  cell.column = c.GetAnimFrame();
  const Tint tactic = k.IsTacticActive() ? Tint::kTactic : Tint::kNone;
  bool near_line = false;

  switch (c.GetState()) {
    case 1:  // waiting
      c.GetTargetPoint(face);
      cell.row = PairRow(kWalkRow, at, face);
      break;
    case 2:  // moving
    case 3:  // lining up
      c.GetDestination(face);
      NearLineRule(cell, at, face);
      near_line = true;
      cell.tint = tactic;
      break;
    case 5:  // moving to battle
      c.GetTargetPoint(face);
      cell.row = PairRow(kWalkRow, at, face);
      cell.tint = tactic;
      break;
    case 6:  // in battle: an attack shows the skill's own cells
      c.GetTargetPoint(face);
      if (k.IsAttacking()) {
        const Skill& skill = k.GetAttackSkill();
        const std::int32_t step = k.GetActionStep();
        cell.column = skill.GetAnimColumn(step);
        cell.row = at.y < face.y ? Plus(skill.GetAnimRow(step), -1) : skill.GetAnimRow(step);
      } else {
        cell.row = PairRow(kFightRow, at, face);
      }
      cell.tint = tactic;
      break;
    case 7:  // duelling: red whatever else is in force; hidden while it casts
      c.GetTargetPoint(face);
      if (k.IsAttacking()) {
        cell.column = k.GetAttackSkill().GetAnimColumn(k.GetActionStep());
      } else if (!c.IsFreeToAct()) {
        return cell;
      }
      cell.row = PairRow(kFightRow, at, face);
      cell.tint = Tint::kDuel;
      break;
    case 8:  // defending: turned toward the duel it guards
      c.GetDuelWatchPoint(face);
      cell.row = PairRow(kWalkRow, at, face);
      cell.tint = tactic;
      break;
    case 9:  // pursuing: toward its base
      c.GetBasePoint(face);
      cell.row = PairRow(kWalkRow, at, face);
      cell.tint = tactic;
      break;
    case 10:  // resting
      c.GetApproachPoint(face);
      cell.row = PairRow(kWalkRow, at, face);
      cell.tint = tactic;
      break;
    default:  // thinking, falling back, dying, off the field, retreating: not shown
      return cell;
  }
  if (!near_line) cell.mirrored = at.x >= face.x;
  // A step past an attack's table or a table row of 0 seen from below would name a cell off the
  // sheet; the nearest cell of the sheet is shown instead.
  cell.column = std::clamp(cell.column, 0, kSheetColumns - 1);
  cell.row = std::clamp(cell.row, 0, kSheetRows - 1);
  cell.drawn = true;
  return cell;
}

void DrawCharacter(Canvas& field, BitmapBank& bank, const Character& c) {
  const SpriteCell cell = ChooseSpriteCell(c);
  if (!cell.drawn) return;
  const Bitmap* sheet = bank.Get(c.GetFieldSpriteName());
  Point at;
  c.GetPosition(at);
  const std::int32_t col = cell.column, row = cell.row;
  switch (cell.tint) {
    case Tint::kNone:
      if (cell.mirrored)
        field.BlitCellMirrored(sheet, at.x, at.y, col, row, kSheetColumns, kSheetRows, kKey);
      else
        field.BlitCell(sheet, at.x, at.y, col, row, kSheetColumns, kSheetRows, kKey);
      break;
    case Tint::kTactic:
      if (cell.mirrored)
        field.BlitCellMirroredRecolourCopy(sheet, at.x, at.y, col, row, kSheetColumns, kSheetRows, kKey, kTintSource,
                                           kTacticTint);
      else
        field.BlitCellRecolourCopy(sheet, at.x, at.y, col, row, kSheetColumns, kSheetRows, kKey, kTintSource,
                                   kTacticTint);
      break;
    case Tint::kDuel:
      if (cell.mirrored)
        field.BlitCellMirroredRecolour(sheet, at.x, at.y, col, row, kSheetColumns, kSheetRows, kKey, kTintSource,
                                       kDuelTint);
      else
        field.BlitCellRecolour(sheet, at.x, at.y, col, row, kSheetColumns, kSheetRows, kKey, kTintSource, kDuelTint);
      break;
  }
}

const Canvas& FieldView::Compose(BitmapBank& bank, CharacterList& characters, std::int32_t left, std::int32_t bottom,
                                 std::int32_t width, std::int32_t height, int fade_offset) {
  const Bitmap* map = bank.Get(kFieldMap);
  if (map_with_sprites_ && map == map_ && left == left_ && bottom == bottom_ && width == width_ && height == height_) {
    for (const CanvasArea& area : drawn_) canvas_.RestoreArea(map, area);
  } else {
    map_with_sprites_ = canvas_.CopyPartFrom(map, left, bottom, width, height);
    map_ = map;
    left_ = left, bottom_ = bottom, width_ = width, height_ = height;
  }
  drawn_.clear();
  canvas_.RecordAreasTo(&drawn_);
  // Painter's order: the farthest up the field first, so nearer characters stand in front.
  characters.ComputeDrawOrder();
  for (std::int32_t slot = 0; slot < characters.Count(); ++slot) {
    if (const Character* c = characters.FindByDrawSlot(slot)) DrawCharacter(canvas_, bank, *c);
  }
  canvas_.RecordAreasTo(nullptr);
  if (fade_offset != 0) {
    WorkBitmap::AdjustBrightness(canvas_.GetHeader(), canvas_.GetPixels(), fade_offset);
    map_with_sprites_ = false;  // every pixel has changed
  }
  return canvas_;
}

}  // namespace field_paint
