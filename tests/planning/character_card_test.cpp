// The character card's three pages and the skill card, read from the texts the paint writes:
// every row at its point with the value of its own field (each field of the character is given a
// value of its own, so a row showing a neighbour's field is caught), the headings in their font
// and colour, the dashed rows of characters without nation or division, tenure in years and
// months, and the skill card for each kind of skill.
#include <utility>

#include "media/bitmap.h"
#include "tests/planning/paint_fixture.h"

namespace paint_test {
namespace {

template <std::size_t... I>
ChanceRecord NumberedChances(std::index_sequence<I...>) {
  return ChanceRecord::ConstructFromValues((200 + static_cast<int>(I))...);
}

// Field f of the stats block holds 100 + f (the name stays).
void NumberStats(Character& c) {
  for (int f = 1; f < StatsBlock::kFieldCount; ++f) c.stats.SetField(f, 100 + f);
  c.chances = NumberedChances(std::make_index_sequence<ChanceRecord::kFieldCount>{});
}

// The colour in the middle of a picture of the game folder.
COLORREF PictureMiddle(NameRef name) {
  Bitmap b;
  if (!b.Load(names::Text(name))) return 0xFFFFFFFF;
  const std::uint8_t* p = b.GetPixels() + (b.GetHeight() / 2) * b.GetStride() + (b.GetWidth() / 2) * 3;
  return RGB(p[2], p[1], p[0]);
}

class CharacterCard : public ThinkingPaint {
 protected:
  // The first of the player's characters in its first city, shown by "characters by city".
  Character& ShowCityCharacter(int page) {
    City* city = game_->Cities().GetNthOfNation(Player().GetId(), 0);
    Point at;
    city->GetPosition(at);
    Character* c = game_->Characters().GetNthAt(at.x, at.y, Player().GetId(), 0);
    EXPECT_NE(c, nullptr);
    Cursors().MapCity() = city->GetId();
    Cursors().CardPage() = page;
    Thinking().turn.information_list_position = 0;
    Thinking().SetMenuState(55);
    return *c;
  }
};

TEST_F(CharacterCard, StatusPageShowsEachParameterAndEverySkillInItsRow) {
  Character& c = ShowCityCharacter(1);
  NumberStats(c);
  ASSERT_GE(c.skills.GetCount(), 1);
  Cursors().Hover() = 99;
  Paint();
  EXPECT_EQ(TextAt(220, 15), std::string("名前：　") + names::Text(c.stats.GetName()));
  EXPECT_EQ(TextAt(220, 45), "ＬＶ： 101  経験値： 102");
  EXPECT_EQ(TextAt(150, 100), "ＨＰ：       104  /   103");
  EXPECT_EQ(TextAt(150, 120), "ＳＰ：       106  /   105");
  EXPECT_EQ(TextAt(150, 160), "攻撃力：   107  攻撃技術：  114");
  EXPECT_EQ(TextAt(150, 180), "防御力：   108  防御技術：  115");
  EXPECT_EQ(TextAt(150, 200), "器用さ：   109  回避力：    110");
  EXPECT_EQ(TextAt(150, 220), "治癒力：   117  攻撃速度：  112");
  EXPECT_EQ(TextAt(150, 240), "魅力：     146");
  EXPECT_EQ(TextAt(150, 280), "農業値：   123  商業値：    124");
  EXPECT_EQ(TextAt(150, 300), "工業値：   125  資源値：    126");
  for (int i = 0; i < c.skills.GetCount(); ++i)
    EXPECT_EQ(TextAt(450, 25 + 20 * i), names::Text(c.skills.GetAt(i)->GetName()));
  // Headings in the small font and heading blue; the rows after them black in the large font.
  for (const char* heading : {"STATUS", "SKILL"}) {
    const auto* h = Find(heading);
    ASSERT_NE(h, nullptr) << heading;
    EXPECT_EQ(h->font_height, 10);
    EXPECT_EQ(h->colour, RGB(30, 30, 200));
  }
  EXPECT_EQ(Find("ＨＰ：       104  /   103")->font_height, 16);
  EXPECT_EQ(Find("ＨＰ：       104  /   103")->colour, RGB(0, 0, 0));
  EXPECT_EQ(Find("工業値：   125  資源値：    126")->colour, RGB(0, 0, 0));
  EXPECT_TRUE(TextsAt(150, 390).size() == 1);  // only the help line of the view, no skill card

  // A character without skills: the heading alone; and more skills than the card holds rows.
  const SkillList kept = c.skills;
  c.skills.Clear();
  Paint();
  EXPECT_TRUE(Wrote("SKILL"));
  EXPECT_TRUE(TextsAt(450, 25).empty());
  for (int i = 0; i < 12; ++i) {
    const Skill* s = game_->Skills().GetAt(i);
    c.skills.Append(*s);
  }
  Paint();
  EXPECT_EQ(TextAt(450, 25 + 20 * 11), names::Text(game_->Skills().GetAt(11)->GetName()));
  c.skills = kept;
}

TEST_F(CharacterCard, ActionPageShowsTheWeightsAndTheBattleRecord) {
  NumberStats(ShowCityCharacter(2));
  Cursors().Hover() = 54;  // no skill card on this page
  Paint();
  EXPECT_EQ(TextAt(150, 100), "戦略：     200   政策：     201");
  EXPECT_EQ(TextAt(150, 120), "農業：     202   商業：     203");
  EXPECT_EQ(TextAt(150, 140), "工業：     204   資源：     205");
  EXPECT_EQ(TextAt(150, 160), "内技：     206   探索：     207");
  EXPECT_EQ(TextAt(150, 180), "計画：     210   休養：     211");
  EXPECT_EQ(TextAt(150, 200), "巡視：     212   増築：     213");
  EXPECT_EQ(TextAt(150, 220), "訓練：     214   悪事：     215");
  EXPECT_EQ(TextAt(150, 240), "交流：     217   勉学：     218");
  EXPECT_EQ(TextAt(150, 260), "出撃：     209   異動：     208");
  EXPECT_EQ(TextAt(450, 25), "攻め手回数：   130");
  EXPECT_EQ(TextAt(450, 45), "受け手回数：   135");
  EXPECT_EQ(TextAt(450, 65), "命中回数：     131");
  EXPECT_EQ(TextAt(450, 85), "回避回数：     138");
  EXPECT_EQ(TextAt(450, 105), "会心回数：     133");
  EXPECT_EQ(TextAt(450, 125), "防御回数：     136");
  EXPECT_EQ(TextAt(450, 145), "撃破回数：     143");
  EXPECT_EQ(TextAt(450, 165), "一騎打ち回数:  140");
  EXPECT_EQ(TextAt(450, 185), "勝利回数：     141");
  EXPECT_EQ(TextAt(450, 205), "命中率：      132%");
  EXPECT_EQ(TextAt(450, 225), "回避率：      139%");
  EXPECT_EQ(TextAt(450, 245), "会心率：      134%");
  EXPECT_EQ(TextAt(450, 265), "防御率：      137%");
  EXPECT_EQ(TextAt(450, 285), "勝率：        142%");
  EXPECT_TRUE(Wrote("ACTION"));
  EXPECT_TRUE(Wrote("DATA"));
  EXPECT_FALSE(Wrote("STATUS"));
  EXPECT_TRUE(TextsAt(150, 410).empty());
}

TEST_F(CharacterCard, OthersPageShowsAllegianceTenureFameAndPay) {
  Character& c = ShowCityCharacter(3);
  NumberStats(c);
  c.stats.SetLevel(12);
  const Division* division = game_->Divisions().GetAt(2);
  c.SetDivisionId(division->GetId());
  c.nation_relations.Find(Player().GetId())->SetTenure(37);
  c.nation_relations.Find(Player().GetId())->SetFriendship(64);
  c.division_relations.Find(division->GetId())->SetTenure(0);
  c.division_relations.Find(division->GetId())->SetFriendship(5);
  Paint();
  EXPECT_EQ(TextAt(150, 100), std::string("所属国　：   ") + names::Text(Player().GetName()));
  // Thirty-seven turns are twelve months and a turn: one year, no month.
  EXPECT_EQ(TextAt(154, 120), "在籍：   1年 0ヶ月 親交値：  64");
  EXPECT_EQ(TextAt(150, 140), std::string("所属師団：    ") + names::Text(division->GetName()));
  EXPECT_EQ(TextAt(154, 160), "在籍：   0年 0ヶ月 親交値：   5");
  EXPECT_EQ(TextAt(150, 200), "名声：     127  人気：      153");
  EXPECT_EQ(TextAt(150, 220), "戦闘力：   128  内政力：    129");
  // Salary 167 and hiring cost 168 per level, level 12; one pixel left of the other rows.
  EXPECT_EQ(TextAt(149, 240), "俸禄：    2004  雇用費：   2016");
  EXPECT_TRUE(Wrote("OTHERS DATA"));

  c.nation_relations.Find(Player().GetId())->SetTenure(35);
  Paint();
  EXPECT_EQ(TextAt(154, 120), "在籍：   0年11ヶ月 親交値：  64");
  // A doctored pay and hiring cost show as the nation pays them, held to the int range.
  c.stats.SetHiringCostPerLevel(1 << 30);
  c.stats.SetSalaryPerLevel(-(1 << 30));
  Paint();
  EXPECT_EQ(TextAt(149, 240), "俸禄：    -2147483648  雇用費：  2147483647");
}

TEST_F(CharacterCard, UnaffiliatedCharactersAndLordsShowDashesForWhatTheyLack) {
  ASSERT_GT(game_->Characters().CountOfNation(Character::kNationNone), 1);
  ASSERT_GT(game_->Characters().CountOfNation(Character::kNationLords), 0);
  for (std::int32_t state : {56, 57}) {
    const std::int32_t group = state == 56 ? Character::kNationNone : Character::kNationLords;
    Character* c = game_->Characters().GetNthOfNation(group, 1 % game_->Characters().CountOfNation(group));
    c->SetDivisionId(0);
    Cursors().CardPage() = 3;
    Thinking().turn.information_list_position = 1 % game_->Characters().CountOfNation(group);
    PaintState(state);
    EXPECT_EQ(TextAt(220, 15), std::string("名前：　") + names::Text(c->stats.GetName())) << state;
    EXPECT_EQ(TextAt(150, 100), "所属国　：   ---------");
    EXPECT_EQ(TextAt(154, 120), "在籍：  ---年--ヶ月");
    EXPECT_EQ(TextAt(150, 140), "所属師団：   ---------");
    EXPECT_EQ(TextAt(154, 160), "在籍：  ---年--ヶ月");
    // The view's portrait is the shown character's.
    EXPECT_EQ(MenuPixel(144 + 32, 412 + 32), PictureMiddle(c->GetPortraitName()));
  }
  // A position past the list shows no card at all.
  Thinking().turn.information_list_position = 500;
  PaintState(57);
  EXPECT_TRUE(TextsAt(220, 15).empty());
  EXPECT_FALSE(Wrote("OTHERS DATA"));
}

TEST_F(CharacterCard, HiringViewsShowTheWillingCandidateWithOrWithoutDivision) {
  // Make one character without and one with a division willing to serve the player.
  Character* loner = nullptr;
  Character* member = nullptr;
  for (Character& c : game_->Characters()) {
    if (c.GetNationId() != Character::kNationNone) continue;
    if (c.GetDivisionId() == 0 && loner == nullptr) loner = &c;
    if (c.GetDivisionId() != 0 && member == nullptr) member = &c;
  }
  ASSERT_NE(loner, nullptr);
  ASSERT_NE(member, nullptr);
  for (Character& c : game_->Characters()) c.nation_relations.Find(Player().GetId())->ClearWilling();
  loner->nation_relations.Find(Player().GetId())->SetWilling();
  member->nation_relations.Find(Player().GetId())->SetWilling();
  Thinking().turn.hiring_candidate_position = 0;
  Cursors().CardPage() = 1;
  PaintState(32);
  EXPECT_EQ(TextAt(220, 15), std::string("名前：　") + names::Text(loner->stats.GetName()));
  EXPECT_EQ(MenuPixel(144 + 32, 412 + 32), PictureMiddle(loner->GetPortraitName()));
  PaintState(34);
  EXPECT_EQ(TextAt(220, 15), std::string("名前：　") + names::Text(member->stats.GetName()));
  EXPECT_EQ(MenuPixel(144 + 32, 412 + 32), PictureMiddle(member->GetPortraitName()));
  Thinking().turn.hiring_candidate_position = 1;
  PaintState(32);
  EXPECT_TRUE(TextsAt(220, 15).empty());
}

// The skill card under the first page, one skill of each kind.
class SkillCard : public CharacterCard {
 protected:
  void SetUp() override {
    CharacterCard::SetUp();
    Character& c = ShowCityCharacter(1);
    c.skills.Clear();
    auto name = [this](int i) { return game_->Skills().GetAt(i)->GetName(); };
    const NameRef none = names::kNone;
    // Row 0: an attack technique; rows 1..3: self boost, ally boost, weakening; 4 a cure; 5 a
    // heal; 6 a special attack, which the card does not explain.
    ASSERT_TRUE(c.skills.AddAttack(name(0), 9001, 1, 0, 1, 11, 5, 1, 22, 5, 1, 33, 5, 1, 44, 5, 12, 1.5f, 0, 0, 7, 40,
                                   0, 3, none, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, none, 0, 0, 0, 4));
    for (int kind : {3, 4, 5})
      ASSERT_TRUE(c.skills.AddStance(name(kind), 9000 + kind, kind, 0, 1.2f, 0.8f, 4, 5, 0, 6, 7, 8, 9, 1.0f, 1.0f, 20,
                                     40, 0, 30, 2, none, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, none, 0, 0, 0, 4));
    ASSERT_TRUE(c.skills.AddHeal(name(6), 9008, 8, 0, 0.0f, 0.0f, 0, 1, 100, 0, 0, 1, 100, 0, 0, 1, 100, 0, 0, 1, 100,
                                 0, 0, 0, 0, 0, 15, 40, 0, 0, 1, none, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, none, 0, 0, 0,
                                 4));
    ASSERT_TRUE(c.skills.AddHeal(name(7), 9012, 12, 0, 2.0f, 0.5f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 0, 25, 40, 0, 0, 1, none, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, none, 0, 0, 0, 4));
    ASSERT_TRUE(c.skills.AddAttack(name(8), 9002, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30, 2.0f, 0, 0, 0, 40, 0,
                                   5, none, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, none, 0, 0, 0, 4));
    Cursors().Hover() = 54;
  }
  // Points at skill row i (a few pixels into the row) and paints.
  void PaintSkill(int row) {
    Thinking().turn.pointer_y = 25 + 20 * row + 7;
    Paint();
  }
  void ExpectLabel(int x, int y, const char* text) {
    const auto* t = Find(text);
    ASSERT_NE(t, nullptr) << text;
    EXPECT_EQ(t->x, x);
    EXPECT_EQ(t->y, y);
    EXPECT_EQ(t->colour, RGB(30, 30, 150));
  }
  void ExpectName(int skill_index) {
    const auto at = TextsAt(150, 390);
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at.front(), names::Text(game_->Skills().GetAt(skill_index)->GetName()));
  }
};

TEST_F(SkillCard, AttackTechniqueShowsCostRarityPowerHitAndAilments) {
  PaintSkill(0);
  ExpectName(0);
  ExpectLabel(150, 410, "消費ＳＰ：      レア度：");
  ExpectLabel(150, 430, "威力：        　命中補正：");
  ExpectLabel(150, 450, "追加効果：  毒      混乱      怒り      麻痺");
  EXPECT_EQ(TextAt(235, 410), " 12");
  EXPECT_EQ(TextAt(365, 410), " 3");
  EXPECT_EQ(TextAt(220, 430), "1.5倍");
  EXPECT_EQ(TextAt(380, 430), "  7");
  EXPECT_EQ(TextAt(280, 450), " 11%");
  EXPECT_EQ(TextAt(365, 450), " 22%");
  EXPECT_EQ(TextAt(450, 450), " 33%");
  EXPECT_EQ(TextAt(545, 450), " 44%");
  EXPECT_EQ(Find("1.5倍")->colour, RGB(0, 0, 0));
  EXPECT_EQ(CallAt(150, 390)->colour, RGB(150, 150, 150));
}

TEST_F(SkillCard, BoostsAndTheWeakeningShowTheirTargetFactorsAndBonuses) {
  const char* targets[] = {"自分ＵＰ", "味方ＵＰ", "敵方ＤＯＷＮ"};
  for (int row = 1; row <= 3; ++row) {
    PaintSkill(row);
    ExpectName(row + 2);
    ExpectLabel(150, 410, "消費ＳＰ：      レア度：      対象：");
    ExpectLabel(150, 430, "効果：  攻        防        器       回       速");
    ExpectLabel(155, 450, "     攻技      防技        治     時間");
    EXPECT_EQ(TextAt(235, 410), " 20");
    EXPECT_EQ(TextAt(365, 410), " 2");
    EXPECT_EQ(TextAt(475, 410), targets[row - 1]);
    EXPECT_EQ(TextAt(250, 430), "1.2倍");
    EXPECT_EQ(TextAt(340, 430), "0.8倍");
    EXPECT_EQ(TextAt(430, 430), " 4");
    EXPECT_EQ(TextAt(515, 430), " 5");
    EXPECT_EQ(TextAt(595, 430), " 6");
    EXPECT_EQ(TextAt(260, 450), " 7");
    EXPECT_EQ(TextAt(350, 450), " 8");
    EXPECT_EQ(TextAt(427, 450), " 9");
    EXPECT_EQ(TextAt(512, 450), "30");
  }
}

TEST_F(SkillCard, CureAndHealShowTheirEffectAndOtherKindsTheirNameAlone) {
  PaintSkill(4);
  ExpectName(6);
  ExpectLabel(150, 410, "消費ＳＰ：      対象：");
  ExpectLabel(150, 430, "効果：");
  EXPECT_EQ(TextAt(235, 410), " 15");
  EXPECT_EQ(TextAt(355, 410), "味方回復");
  EXPECT_EQ(TextAt(210, 430), "全ステータス異常回復");

  PaintSkill(5);
  ExpectName(7);
  ExpectLabel(150, 430, "効果：  ＨＰ              ＭＰ");
  EXPECT_EQ(TextAt(235, 410), " 25");
  EXPECT_EQ(TextAt(265, 430), "治癒力×2.0");
  EXPECT_EQ(TextAt(425, 430), "治癒力×0.5");

  PaintSkill(6);
  ExpectName(8);
  EXPECT_TRUE(TextsAt(150, 410).empty());
  EXPECT_TRUE(TextsAt(150, 430).empty());
  EXPECT_TRUE(TextsAt(150, 450).empty());

  // Below the last skill, or with another hover id, no card.
  PaintSkill(7);
  EXPECT_EQ(TextAt(150, 390), "");
  Cursors().Hover() = 99;
  PaintSkill(0);
  EXPECT_EQ(TextAt(150, 390), "※　地図で都市をクリックすると滞在キャラクターが見れます");
  EXPECT_TRUE(TextsAt(150, 410).empty());
}

}  // namespace
}  // namespace paint_test
