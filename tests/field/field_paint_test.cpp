// The action phase's picture on the new world: characters placed on the field in their states
// (the rules of each state are pinned in field_sprite_test.cpp), facing both ways, in a duel and
// under a tactic, drawn in painter's order over the field map at
// the scroll position; the fade; the information column with the owners' dots, the viewport
// frame and the board; the tick counter; what each redraw mode repaints; missing pictures.
#include <cstdlib>
#include <string>

#include "platform/text.h"
#include "tests/field/field_paint_fixture.h"

namespace field_paint_test {
namespace {

constexpr COLORREF kTactic = RGB(57, 57, 150);
constexpr COLORREF kDuel = RGB(150, 57, 57);

void ExpectSeen(const Seen& s, int col, int row, bool mirrored, COLORREF cloth, const char* who) {
  SCOPED_TRACE(who);
  ASSERT_TRUE(s.drawn);
  EXPECT_EQ(s.col, col);
  EXPECT_EQ(s.row, row);
  EXPECT_EQ(s.mirrored, mirrored);
  EXPECT_EQ(s.cloth, cloth);
}

const Skill& SkillNamed(const SkillList& skills, NameRef name) {
  for (const Skill& s : skills)
    if (s.GetName() == name) return s;
  return *skills.GetAt(0);
}

Character* FirstOfNation(CharacterList& characters, std::int32_t nation) {
  return characters.GetNthOfNation(nation, 0);
}

using FieldPaint = FieldPaintTest;

TEST_F(FieldPaint, CharactersShowTheCellOfTheirStateFacingTheirPoint) {
  const Skill& vertical = SkillNamed(world_.skills, names::Of("斬撃（縦）"));  // rows 5, 5, 0, 0
  const Tactic& tactic = *world_.tactics.GetAt(0);

  // Nation 1 marches: up and right; nearly straight down; nearly level to the left under a tactic.
  Place(1, 100, 100, &Character::SetStateMoving, 1).SetDestination(300, 300);
  Place(2, 200, 100, &Character::SetStateMoving, 2).SetDestination(197, 40);
  Character& tactician = Place(16, 300, 100, &Character::SetStateMoving, 0);
  tactician.SetDestination(100, 97);
  tactician.skill_slots.SetTactic(tactic);
  tactician.skill_slots.SetTacticActive();
  // Nation 2 fights: waiting for a blow under the tactic, and an attack.
  Character& guard = Place(12, 100, 200, &Character::SetStateFighting, 1);
  guard.SetTargetPoint(50, 300);
  guard.skill_slots.SetTacticActive();
  Character& striker = Place(13, 200, 200, &Character::SetStateFighting, 2);
  striker.SetTargetPoint(250, 150);
  striker.skill_slots.SetAttackSkill(vertical);
  striker.skill_slots.SetAttacking();
  striker.skill_slots.SetActionStep(1);
  // A duel between nations 3 and 4: one waits (its tactic does not show), one strikes.
  Character& duellist = Place(3, 400, 300, &Character::SetStateDueling, 2);
  Character& rival = Place(5, 440, 300, &Character::SetStateDueling, 0);
  duellist.SetTargetPoint(440, 300);
  duellist.SetInDuel();
  duellist.SetDuelPartnerId(5);
  duellist.skill_slots.SetTacticActive();
  rival.SetTargetPoint(400, 300);
  rival.SetInDuel();
  rival.SetDuelPartnerId(3);
  rival.skill_slots.SetAttackSkill(vertical);
  rival.skill_slots.SetAttacking();
  rival.skill_slots.SetActionStep(1);
  // Nation 3 casts in its duel: hidden while it does.
  Character& caster = Place(4, 500, 100, &Character::SetStateDueling);
  caster.SetTargetPoint(600, 100);
  caster.skill_slots.SetCastingHeal();
  // An unaffiliated soldier marching: never shown.
  Character* stray = FirstOfNation(world_.characters, Character::kNationNone);
  ASSERT_NE(stray, nullptr);
  stray->SetPosition(500, 200);
  stray->SetStateMoving();
  stray->SetDestination(900, 900);

  Paint(4);
  ExpectSeen(Look(*world_.characters.FindById(1)), 1, 6, false, kCloth, "marching up and right");
  ExpectSeen(Look(*world_.characters.FindById(2)), 2, 7, true, kCloth, "marching down");
  ExpectSeen(Look(tactician), 0, 7, true, kTactic, "marching left under the tactic");
  ExpectSeen(Look(guard), 1, 4, true, kTactic, "fighting");
  ExpectSeen(Look(striker), 1, 5, false, kCloth, "striking down and right");
  ExpectSeen(Look(duellist), 2, 5, false, kDuel, "duelling");
  ExpectSeen(Look(rival), 1, 5, true, kDuel, "striking in the duel");
  EXPECT_FALSE(Look(caster).drawn);
  EXPECT_FALSE(Look(*stray).drawn);
  // Around the sprites the field shows through the key.
  EXPECT_EQ(ViewPixel(101, 147), FieldColour(101, 147));
  EXPECT_EQ(ViewPixel(500, 250), FieldColour(500, 250));

  // The next paint starts again from the map: a character that left the view leaves nothing.
  caster.skill_slots.ClearCastingHeal();
  stray->SetNationId(1);
  world_.characters.FindById(1)->SetStateThinking();
  Paint(4);
  ExpectSeen(Look(caster), 0, 5, false, kDuel, "duelling again");
  ExpectSeen(Look(*stray), 0, 6, false, kCloth, "enlisted");
  EXPECT_FALSE(Look(*world_.characters.FindById(1)).drawn);
  EXPECT_EQ(ViewPixel(112, 120), FieldColour(112, 120));

}

TEST_F(FieldPaint, NearerCharactersStandInFrontAndTheViewFollowsTheScroll) {
  // Two marchers overlapping: the lower one (nearer the viewer) is drawn last.
  Place(1, 500, 100, &Character::SetStateMoving, 0).SetDestination(900, 900);
  Place(2, 510, 90, &Character::SetStateMoving, 2).SetDestination(900, 900);
  // Far up the field, out of the first view.
  Place(12, 1700, 1800, &Character::SetStateMoving, 1).SetDestination(1000, 1000);
  Paint(4);
  EXPECT_EQ(ViewPixel(530, 110), CellColour(2, 6, false));
  EXPECT_EQ(ViewPixel(515, 140), CellColour(0, 6, false));
  // The view's corners are the field's (0, 0) and (639, 479).
  EXPECT_EQ(Fb().Pixel(0, 479), FieldColour(0, 0));
  EXPECT_EQ(Fb().Pixel(639, 0), FieldColour(639, 479));
  // Swapped heights swap the order.
  world_.characters.FindById(1)->SetPosition(500, 80);
  Paint(4);
  EXPECT_EQ(ViewPixel(530, 110), CellColour(0, 6, true));

  // A click on the mini-map's upper right corner scrolls to the field's far corner; the
  // character drawn there was drawn on every paint.
  screen_.OnLButtonDown(window_, MAKELPARAM(835, 4), world_.characters, world_.nations, world_.cities,
                        world_.field_parties, world_.divisions, world_.inhabitants);
  ASSERT_EQ(screen_.GetScrollX(), 1279);
  ASSERT_EQ(screen_.GetScrollY(), 1439);
  EXPECT_EQ(Fb().Pixel(0, 479), FieldColour(1279, 1439));
  EXPECT_EQ(Fb().Pixel(639, 0), FieldColour(1918, 1918));
  EXPECT_EQ(Fb().Pixel(320, 240), FieldColour(1279 + 320, 1439 + 239));
  ExpectSeen(Look(*world_.characters.FindById(12)), 1, 7, true, kCloth, "far up the field");
}

TEST_F(FieldPaint, TheFadeDarkensTheViewButNotTheColumn) {
  Place(1, 300, 200, &Character::SetStateMoving, 0).SetDestination(900, 900);
  Paint(4);
  const std::vector<std::uint8_t> bright = Fb().Bytes();
  auto column_equal = [&bright] {
    for (int y = 0; y < 480; ++y)
      for (int x = 640; x < 840; ++x)
        if (Fb().Pixel(x, y) != RGB(bright[(y * 840 + x) * 3], bright[(y * 840 + x) * 3 + 1],
                                    bright[(y * 840 + x) * 3 + 2]))
          return false;
    return true;
  };
  auto darker = [](COLORREF c, int by) {
    auto ch = [by](int v) { return v > by ? v - by : 0; };
    return RGB(ch(c & 0xFF), ch((c >> 8) & 0xFF), ch((c >> 16) & 0xFF));
  };

  screen_.SetFadeStep(1);
  Paint(4);
  EXPECT_EQ(ViewPixel(10, 400), darker(FieldColour(10, 400), 20));
  EXPECT_EQ(ViewPixel(312, 220), darker(CellColour(0, 6, false), 20));
  EXPECT_TRUE(column_equal());

  screen_.SetFadeStep(6);
  Paint(4);
  EXPECT_EQ(ViewPixel(600, 10), darker(FieldColour(600, 10), 120));

  // From step 13 on nothing is left of the view.
  screen_.SetFadeStep(13);
  Paint(4);
  int lit = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (Fb().Pixel(x, y) != 0) ++lit;  // the tick's black line included
  EXPECT_EQ(lit, 0);
  EXPECT_TRUE(column_equal());
}

TEST_F(FieldPaint, TheColumnShowsEachCitysOwnerTheViewportAndTheBoard) {
  // A city of no nation of the game shows no dot.
  City* lost = world_.cities.GetAt(22);
  lost->SetOwner(9);
  Paint(4);
  auto on_frame = [this](int x, int y) {
    const RECT v = screen_.GetViewport();
    const bool inside = x >= v.left && x < v.left + 64 && y >= v.bottom && y < v.bottom + 48;
    return inside && (x < v.left + 2 || x >= v.left + 62 || y < v.bottom + 2 || y >= v.bottom + 46);
  };
  int dots = 0;
  for (const City& city : world_.cities) {
    Point at;
    city.GetMinimapPosition(at);
    const int x = at.x + 1, y = at.y + 1;
    COLORREF want = kMinimapColour;
    if (city.GetOwner() >= 1 && city.GetOwner() <= 7) want = DotColour(city.GetOwner());
    if (city.GetOwner() == City::kNoOwner) want = DotColour(0);
    if (on_frame(x, y)) want = kViewportColour;  // the frame is drawn over the dots
    EXPECT_EQ(ColumnPixel(x, y), want) << names::Text(city.GetName());
    if (want != kMinimapColour && want != kViewportColour) ++dots;
  }
  EXPECT_EQ(dots, 21);  // all but the lost city and the one under the frame's top edge
  // The frame at the viewport, its inside open; the board at the column's foot, keyed at its edge.
  EXPECT_EQ(ColumnPixel(4, 284), kViewportColour);
  EXPECT_EQ(ColumnPixel(67, 331), kViewportColour);
  EXPECT_EQ(ColumnPixel(60, 300), kMinimapColour);
  EXPECT_EQ(ColumnPixel(100, 100), kBoardColour);
  EXPECT_EQ(ColumnPixel(1, 100), kColumnColour);
  EXPECT_EQ(ColumnPixel(1, 478), kColumnColour);
  EXPECT_EQ(ColumnPixel(194, 475), kMinimapColour);

  // The frame follows a click on the mini-map.
  screen_.OnLButtonDown(window_, MAKELPARAM(760, 120), world_.characters, world_.nations, world_.cities,
                        world_.field_parties, world_.divisions, world_.inhabitants);
  const RECT v = screen_.GetViewport();
  ASSERT_EQ(v.left, 88);
  ASSERT_EQ(v.bottom, 336);
  EXPECT_EQ(ColumnPixel(88, 336), kViewportColour);
  EXPECT_EQ(ColumnPixel(151, 383), kViewportColour);
  EXPECT_EQ(ColumnPixel(4, 284), kMinimapColour);
}

TEST_F(FieldPaint, EachRedrawModeRepaintsItsOwnParts) {
  Character& marcher = Place(1, 200, 200, &Character::SetStateMoving, 0);
  marcher.SetDestination(900, 900);
  Paint(4);
  const std::vector<std::uint8_t> painted = Fb().Bytes();

  // The tick counter at (10, 10): the field there with the line written over it.
  std::vector<std::uint8_t> bare = painted;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      const COLORREF c = FieldColour(x, 479 - y);
      std::uint8_t* p = &bare[(y * 840 + x) * 3];
      p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
    }
  EXPECT_EQ(painted, WithLines(bare, {{10, 10, "時間間隔  =    0"}}));

  // Mode 0 draws nothing, whatever changed.
  marcher.SetPosition(300, 300);
  Paint(0);
  EXPECT_EQ(Fb().Bytes(), painted);
  // Mode 1 draws no picture (here, with nobody hovered, nothing at all).
  Paint(1);
  EXPECT_EQ(Fb().Bytes(), painted);
  // Mode 2 redraws view and column.
  Paint(2);
  EXPECT_EQ(ViewPixel(212, 220), FieldColour(212, 220));
  EXPECT_TRUE(Look(marcher).drawn);
  marcher.SetPosition(200, 200);
  Paint(2);
  EXPECT_EQ(Fb().Bytes(), painted);
}

TEST_F(FieldPaint, AMissingPictureLeavesOnlyItsOwnPartOut) {
  Place(1, 200, 200, &Character::SetStateMoving, 0).SetDestination(900, 900);
  Place(12, 300, 200, &Character::SetStateMoving, 0).SetDestination(900, 900);
  const std::string lost_sheet = names::Text(world_.characters.FindById(12)->GetFieldSpriteName());

  {
    // No field map and no sheet for one character: the view is not shown at all.
    test_support::TempDir dir;
    test_support::ScopedCurrentDir here(dir.Path());
    WriteFieldPictures("フィールドマップⅡ");
    std::filesystem::remove(platform::FileSystemPath("BITMAP/" + lost_sheet + ".dat"));
    FieldScreen other;
    painting_ = &other;
    headless::ClearBoxes();
    other.Init(window_, world_.characters, world_.nations, world_.cities, world_.field_parties, world_.divisions,
               world_.inhabitants);
    EXPECT_EQ(headless::Boxes().size(), 2u);  // the two files, at set-up
    // What the window showed before stays in the view.
    EXPECT_EQ(Fb().Pixel(300, 300), FieldColour(300, 179));
    EXPECT_EQ(ColumnPixel(100, 100), kBoardColour);
  }
  {
    // No column frame: the column keeps what it showed; the view is drawn, with the sheet.
    test_support::TempDir dir;
    test_support::ScopedCurrentDir here(dir.Path());
    WriteFieldPictures("情報メイン外枠");
    FieldScreen other;
    painting_ = &other;
    headless::ClearBoxes();
    Place(12, 300, 100, &Character::SetStateMoving, 0);
    other.Init(window_, world_.characters, world_.nations, world_.cities, world_.field_parties, world_.divisions,
               world_.inhabitants);
    EXPECT_EQ(headless::Boxes().size(), 1u);
    ExpectSeen(Look(*world_.characters.FindById(12)), 0, 6, false, kCloth, "its sheet back");
    EXPECT_EQ(ColumnPixel(100, 100), kBoardColour);
  }
  painting_ = &screen_;
}

TEST_F(FieldPaint, ShotWithTheGamesOwnPictures) {
  // A battle painted with the generated pictures, written as BMP files to look at: the pictures
  // from VALDRIM_PICTURES (a folder holding BITMAP/), else from the build's game folder; the
  // files into VALDRIM_SHOTS, else into field_shots/ where the tests were started.
  const char* from_env = std::getenv("VALDRIM_PICTURES");
  const std::filesystem::path pictures = from_env ? std::filesystem::path(from_env) : LaunchDir() / ".." / "game";
  if (!std::filesystem::exists(pictures / "BITMAP")) GTEST_SKIP() << "no generated pictures at " << pictures;
  const char* shots_env = std::getenv("VALDRIM_SHOTS");
  const std::filesystem::path shots_dir = shots_env ? std::filesystem::path(shots_env) : LaunchDir() / "field_shots";
  std::filesystem::create_directories(shots_dir);
  const std::string shots = shots_dir.string();
  test_support::ScopedCurrentDir here{pictures};
  FieldScreen other;
  painting_ = &other;
  // A battle around the capital of nation 2 and a march of nation 1.
  const Skill& vertical = SkillNamed(world_.skills, names::Of("斬撃（縦）"));
  Place(1, 260, 260, &Character::SetStateMoving, 1).SetDestination(500, 500);
  Place(2, 210, 230, &Character::SetStateMoving, 2).SetDestination(500, 500);
  Character& t = Place(16, 160, 260, &Character::SetStateMoving, 0);
  t.SetDestination(500, 500);
  t.skill_slots.SetTactic(*world_.tactics.GetAt(0));
  t.skill_slots.SetTacticActive();
  t.skill_slots.SetTacticTimeLeft(12);
  Character& a = Place(12, 380, 170, &Character::SetStateFighting, 1);
  a.SetTargetPoint(420, 150);
  Character& b = Place(3, 420, 150, &Character::SetStateFighting, 1);
  b.SetTargetPoint(380, 170);
  b.skill_slots.SetAttackSkill(vertical);
  b.skill_slots.SetAttacking();
  b.skill_slots.SetActionStep(1);
  b.skill_slots.SetAttackTargetId(12);
  b.SetPopupCritical();
  b.stats.SetLastDamage(42);
  Character& d1 = Place(13, 300, 100, &Character::SetStateDueling, 0);
  d1.SetTargetPoint(340, 100);
  Character& d2 = Place(5, 340, 100, &Character::SetStateDueling, 1);
  d2.SetTargetPoint(300, 100);
  Place(14, 250, 60, &Character::SetStateDefending).SetDuelWatchPoint(300, 100);
  other.Init(window_, world_.characters, world_.nations, world_.cities, world_.field_parties, world_.divisions,
             world_.inhabitants);
  other.OnMouseMove(window_, MAKELPARAM(432, 480 - 170), world_.characters, world_.nations, world_.cities,
                    world_.field_parties, world_.divisions, world_.inhabitants);
  other.SetRedrawMode(4);
  other.InvalidateArea(window_, 0, 0, 840, 480);
  EXPECT_TRUE(Fb().WriteBmp(std::string(shots) + "/field_battle.bmp"));
  other.SetFadeStep(5);
  other.SetRedrawMode(4);
  other.InvalidateArea(window_, 0, 0, 840, 480);
  EXPECT_TRUE(Fb().WriteBmp(std::string(shots) + "/field_fade5.bmp"));
  painting_ = &screen_;
}

}  // namespace
}  // namespace field_paint_test
