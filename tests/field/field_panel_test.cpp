// The card of the character under the mouse: every line at its window point in its format, the
// rank word and the level on one line, whom a fighter fights and with what, the pop-up word in
// the small font, the effects in force; written over the column by the mouse's paint and after a
// tick, and not at all when the character has walked away from the mouse.
#include "tests/field/field_paint_fixture.h"

namespace field_paint_test {
namespace {

const Skill& SkillNamed(const SkillList& skills, NameRef name) {
  for (const Skill& s : skills)
    if (s.GetName() == name) return s;
  return *skills.GetAt(0);
}

COLORREF PixelOf(const std::vector<std::uint8_t>& bytes, int x, int y) {
  const std::uint8_t* p = &bytes[(static_cast<std::size_t>(y) * 840 + x) * 3];
  return RGB(p[0], p[1], p[2]);
}

const char* kDashes12 = "------------";
const char* kDashes16 = "----------------";

// The card's lines, in the order they are written; `state`, `rank`, `target`, `skill` and
// `popup` are the texts expected for them (null: the line is not written).
std::vector<Line> Card(const Character& c, const char* state, const char* rank, const char* target,
                       const char* skill, const char* popup) {
  const StatsBlock& s = c.stats;
  const SkillSlots& k = c.skill_slots;
  std::vector<Line> lines;
  if (state) lines.push_back({645, 315, state});
  lines.push_back({645, 210, std::string("名前  ") + names::Text(s.GetName())});
  if (rank) lines.push_back({645, 225, rank});
  lines.push_back({645, 225, Format("      LV %2d EXP %3d", s.GetLevel(), s.GetExp())});
  lines.push_back({645, 240, Format("HP %5d  / %5d", s.GetHp(), s.GetMaxHp())});
  lines.push_back({645, 255, Format("SP  %4d  /  %4d", s.GetSp(), s.GetMaxSp())});
  lines.push_back({645, 270, Format("攻%3d 器%3d 攻技%3d", s.GetAttack(), s.GetDexterity(), s.GetAttackTechnique())});
  lines.push_back({645, 285, Format("防%3d 回%3d 防技%3d", s.GetDefence(), s.GetEvasion(), s.GetDefenceTechnique())});
  lines.push_back({645, 300, Format("速%3d 治%3d 撃破%3d", s.GetAttackSpeed(), s.GetHealingPower(), s.GetKillCount())});
  lines.push_back({767, 315, Format("士気%3d", c.GetMorale())});
  lines.push_back({645, 330, target});
  if (skill) lines.push_back({645, 345, skill});
  lines.push_back({780, 335, popup, 10});
  lines.push_back({800, 345, Format("%3d", s.GetLastDamage())});
  auto effect = [&lines](int y, bool on, NameRef name, int left) {
    lines.push_back({645, y, on ? names::Text(name) : kDashes16});
    lines.push_back({800, y, Format("%3d", left)});
  };
  effect(360, k.IsSelfBoostActive(), k.GetSelfBoostSkill().GetName(), k.GetSelfBoostTimeLeft());
  effect(375, k.IsAllyBoostActive(), k.GetAllyBoostSkill().GetName(), k.GetAllyBoostTimeLeft());
  effect(390, k.IsWeakenActive(), k.GetWeakenSkill().GetName(), k.GetWeakenTimeLeft());
  effect(405, k.IsTacticActive(), k.GetTactic().GetName(), k.GetTacticTimeLeft());
  return lines;
}

class FieldPanel : public FieldPaintTest {
 protected:
  // The window after a tick's paint with nobody under the mouse.
  std::vector<std::uint8_t> Unhovered() {
    Move(600, 470);
    Paint(4);
    return Fb().Bytes();
  }
  // The card shows when the mouse comes onto the character at client point (x, y), and again
  // whole after the next tick's paint.
  void ExpectCard(int x, int y, const std::vector<Line>& lines) {
    const std::vector<std::uint8_t> bare = Unhovered();
    const std::vector<std::uint8_t> want = WithLines(bare, lines);
    Move(x, y);
    ASSERT_EQ(screen_.IsHoverActive(), 1);
    EXPECT_TRUE(Fb().Bytes() == want) << "mouse paint";

    Paint(4);
    EXPECT_TRUE(Fb().Bytes() == want) << "tick paint";
    // A scroll's paint writes no card.
    Paint(2);
    EXPECT_TRUE(Fb().Bytes() == bare) << "scroll paint";
  }
};

TEST_F(FieldPanel, AFightersCardShowsItsFoeItsBlowAndWhatIsInForce) {
  Character& p = Place(13, 200, 200, &Character::SetStateFighting, 1);
  p.SetTargetPoint(250, 150);
  p.SetMorale(105);
  StatsBlock& s = p.stats;
  s.SetLevel(7);
  s.SetExp(45);
  s.SetHp(180);
  s.SetMaxHp(12345);
  s.SetSp(9);
  s.SetMaxSp(1200);
  s.SetKillCount(4);
  s.SetLastDamage(37);
  SkillSlots& k = p.skill_slots;
  k.SetAttackSkill(SkillNamed(world_.skills, names::Of("斬撃（縦）")));
  k.SetAttacking();
  k.SetActionStep(1);
  k.SetAttackTargetId(1);
  p.SetPopupCritical();
  k.SetSelfBoostSkill(SkillNamed(world_.skills, names::Of("戦人の構え")));
  k.SetSelfBoostActive();
  k.SetSelfBoostTimeLeft(5);
  k.SetAllyBoostSkill(SkillNamed(world_.skills, names::Of("ストレングス")));
  k.SetAllyBoostTimeLeft(3);  // run out: its name is not shown, its ticks are
  k.SetWeakenSkill(SkillNamed(world_.skills, names::Of("パワーブレイク")));
  k.SetWeakenActive();
  k.SetWeakenTimeLeft(2);
  k.SetTactic(*world_.tactics.GetAt(0));
  k.SetTacticActive();
  k.SetTacticTimeLeft(17);

  ASSERT_EQ(p.GetRank(), 1);
  const std::string foe = names::Text(world_.characters.FindById(1)->GetName());
  ExpectCard(220, 260, Card(p, "戦闘中…", "重臣", foe.c_str(), "斬撃（縦）", "CLITICAL"));

  // On the way to battle, against an id that nobody has: no foe, still the skill.
  p.SetStateCombatMoving();
  k.SetAttackTargetId(9999);
  p.SetPopupHit();
  ExpectCard(220, 260, Card(p, "戦闘移動中…", "重臣", kDashes12, "斬撃（縦）", "     HIT"));
}

TEST_F(FieldPanel, OutsideBattleTheFoeAndSkillAreDashesAndOddRanksHaveNoWord) {
  // A soldier of rank 2 (as built, never a rank of the game's roster) defending a duel.
  world_.characters.Add(names::Of("民間兵"), names::Of("民間兵"), names::Of("民間兵R"), names::Of("民間兵A"), 900,
                        400, 200, 1, 0, 0, 0, 2, 0, 0, 0);
  Character& p = Place(900, 400, 200, &Character::SetStateDefending);
  p.stats.SetName(names::Of("民間兵"));
  p.stats.SetLevel(3);
  p.stats.SetMaxHp(40);
  p.stats.SetHp(40);
  p.SetMorale(100);
  p.SetPopupMiss();
  p.skill_slots.SetAttackTargetId(1);
  p.skill_slots.SetAttackSkill(SkillNamed(world_.skills, names::Of("斬撃（縦）")));
  ExpectCard(420, 260, Card(p, "防衛中…", nullptr, kDashes12, kDashes16, "    MISS"));

  // A pop-up word of "no blow" is blanks; a defence shows its word.
  p.SetPopupDefense();
  ExpectCard(420, 260, Card(p, "防衛中…", nullptr, kDashes12, kDashes16, " DEFENSE"));
}

TEST_F(FieldPanel, AnUnaffiliatedCharacterIsNotDrawnButItsCardShows) {
  Character* stray = world_.characters.GetNthOfNation(Character::kNationNone, 0);
  ASSERT_NE(stray, nullptr);
  stray->SetPosition(300, 100);
  stray->SetStateMoving();
  stray->SetDestination(900, 900);
  stray->ClearPopup();  // no blow: the word is blanks
  Paint(4);
  EXPECT_FALSE(Look(*stray).drawn);
  ASSERT_EQ(stray->GetRank(), 4);
  ExpectCard(320, 360, Card(*stray, "移動中…", "傭兵", kDashes12, kDashes16, "        "));
}

TEST_F(FieldPanel, NoCardForACharacterThatWalkedAwayFromTheMouse) {
  Character& p = Place(2, 200, 200, &Character::SetStateMoving);
  p.SetDestination(900, 900);
  const std::vector<std::uint8_t> bare = Unhovered();
  Move(220, 260);
  ASSERT_EQ(screen_.IsHoverActive(), 1);
  ASSERT_FALSE(Fb().Bytes() == bare);
  // The tick moves it on and repaints: the hover flag is still up but nobody is under the mouse,
  // so the column shows no card.
  p.SetPosition(260, 200);
  Paint(4);
  EXPECT_EQ(screen_.IsHoverActive(), 1);
  for (int y = 200; y < 425; ++y)
    for (int x = 640; x < 840; ++x) ASSERT_EQ(Fb().Pixel(x, y), PixelOf(bare, x, y)) << x << "," << y;
  // Back under the mouse for the next tick: the card returns without the mouse moving.
  p.SetPosition(200, 200);
  Paint(4);
  EXPECT_FALSE(Fb().Bytes() == bare);
}

}  // namespace
}  // namespace field_paint_test
