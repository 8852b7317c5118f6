// The master skills, tactics and policies of a new game, and the copies characters and nations
// are granted of them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "core/builtin_tables.h"
#include "world/codec.h"

namespace {

std::vector<std::uint8_t> ImageOf(Skill& s) {
  s.PackSaveImage();
  return {s.SaveImageBytes(), s.SaveImageBytes() + Skill::kImageSize};
}

std::vector<std::uint8_t> ImageOf(Tactic& t) {
  t.Pack();
  return {t.SaveImageBytes(), t.SaveImageBytes() + Tactic::kImageSize};
}

// Offsets at which two images differ.
std::vector<std::size_t> Differences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) out.push_back(i / 4 * 4);
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

}  // namespace

TEST(MasterSkills, HoldNinetyNineDistinctSkillsInTableOrder) {
  SkillList master;
  builtin::AddMasterSkills(master);
  ASSERT_EQ(master.Count(), 99);
  std::set<std::int32_t> ids;
  for (Skill& s : master) ids.insert(s.GetId());
  EXPECT_EQ(ids.size(), 99u);
  // The runs follow each other unsorted within the table's own order: attacks, stances, heals.
  EXPECT_EQ(master.GetAt(0)->GetId(), 1);
  EXPECT_EQ(master.GetAt(9)->GetId(), 21);
  EXPECT_EQ(master.GetAt(44)->GetId(), 73);
  EXPECT_EQ(master.GetAt(45)->GetId(), 91);
  EXPECT_EQ(master.GetAt(92)->GetId(), 169);
  EXPECT_EQ(master.GetAt(93)->GetId(), 180);
  EXPECT_EQ(master.GetAt(98)->GetId(), 205);
  EXPECT_EQ(master.GetAt(0)->GetName(), names::Of("斬撃（縦）"));
  EXPECT_EQ(master.GetAt(98)->GetName(), names::Of("祈り"));
}

TEST(MasterSkills, CountsByKindAndRarityAreWhatTheMilitiaDrawsFrom) {
  SkillList master;
  builtin::AddMasterSkills(master);
  EXPECT_EQ(master.CountOfKindAndValue(0, 1), 2);
  EXPECT_EQ(master.CountOfKindAndValue(0, 2), 7);
  EXPECT_EQ(master.CountOfKindAndValue(1, 1), 1);
  EXPECT_EQ(master.GetNthOfKindAndValue(1, 1, 0)->GetId(), 51);
  EXPECT_EQ(master.CountOfKindAndValue(1, 2), 5);
  EXPECT_EQ(master.CountOfKindAndValue(1, 3), 23);
  EXPECT_EQ(master.CountOfKindAndValue(1, 4), 6);
  EXPECT_EQ(master.CountOfKindAndValue(1, 5), 1);
  EXPECT_EQ(master.GetNthOfKindAndValue(1, 5, 0)->GetId(), 54);
  EXPECT_EQ(master.CountOfKind(3), 21);
  EXPECT_EQ(master.CountOfKind(4), 18);
  EXPECT_EQ(master.CountOfKind(5), 9);
  EXPECT_EQ(master.CountOfKind(8), 1);
  EXPECT_EQ(master.CountOfKind(12), 5);
}

TEST(MasterSkills, EveryRunFillsItsSharedWords) {
  SkillList master;
  builtin::AddMasterSkills(master);
  for (Skill& s : master) {
    SCOPED_TRACE(s.GetId());
    std::vector<std::uint8_t> img = ImageOf(s);
    const std::uint8_t* p = img.data();
    EXPECT_EQ(codec::GetI32(p, 192), names::kNone);  // effect picture
    EXPECT_EQ(codec::GetI32(p, 196), 0);             // sprite columns 0, 1, 0, 0
    EXPECT_EQ(codec::GetI32(p, 200), 1);
    EXPECT_EQ(codec::GetI32(p, 204), 0);
    EXPECT_EQ(codec::GetI32(p, 208), 0);
    EXPECT_EQ(codec::GetI32(p, 220), 0);  // rows of steps 2 and 3
    EXPECT_EQ(codec::GetI32(p, 224), 0);
    EXPECT_EQ(codec::GetI32(p, 228), 0);
    EXPECT_EQ(codec::GetI32(p, 232), 2);
    EXPECT_EQ(codec::GetI32(p, 236), names::kNone);
    EXPECT_EQ(codec::GetI32(p, 252), 2);  // action length
    EXPECT_EQ(codec::GetI32(p, 188), 0);
    if (s.GetKind() <= 1) {
      EXPECT_EQ(codec::GetI32(p, 132), 0);
      EXPECT_EQ(codec::GetI32(p, 136), 1);
      EXPECT_EQ(s.GetReach(), 0);
      EXPECT_EQ(s.GetDuration(), 0);
      EXPECT_EQ(s.GetAttackFactor(), 0.0f);
    } else {
      EXPECT_EQ(s.GetAnimRow(0), 5);
      EXPECT_EQ(s.GetAnimRow(1), 5);
      EXPECT_EQ(codec::GetI32(p, 136), 0);
      EXPECT_EQ(s.GetPowerFactor(), 0.0f);
    }
    if (s.GetKind() >= 3 && s.GetKind() <= 5) {
      EXPECT_EQ(s.GetSpecialAttackFactor(), 1.0f);
      EXPECT_EQ(s.GetSpecialDefenceFactor(), 1.0f);
    }
  }
  // An attack's own rows; a three-ailment dance; a weakening with its own reach.
  EXPECT_EQ(master.FindById(2)->GetAnimRow(0), 3);
  Skill* dance = master.FindById(66);
  EXPECT_EQ(dance->InflictsPoison(), 0);
  EXPECT_EQ(dance->InflictsConfusion(), 1);
  EXPECT_EQ(dance->GetAngerRate(), 20);
  EXPECT_EQ(dance->GetParalysisDuration(), 10);
  EXPECT_FLOAT_EQ(dance->GetPowerFactor(), 1.8f);
  EXPECT_EQ(master.FindById(167)->GetReach(), 30);
  EXPECT_EQ(master.FindById(147)->GetSpread(), 80);
}

TEST(MasterSkills, CuresAndHealsCarryTheirEntryInAllFivePlaces) {
  SkillList master;
  builtin::AddMasterSkills(master);
  std::vector<std::uint8_t> cure = ImageOf(*master.FindById(180));
  std::vector<std::uint8_t> heal = ImageOf(*master.FindById(201));
  for (std::size_t e = 0; e < 5; ++e) {
    std::size_t off = 64 + 12 * e;
    EXPECT_EQ(cure[off], 0);
    EXPECT_EQ(cure[off + 1], 1);
    EXPECT_EQ(codec::GetI32(cure.data(), off + 4), 0);
    EXPECT_EQ(heal[off], 1);
    EXPECT_EQ(heal[off + 1], 0);
    EXPECT_EQ(codec::GetI32(heal.data(), off + 4), 20);
    EXPECT_EQ(codec::GetI32(heal.data(), off + 8), 40);
  }
  EXPECT_FLOAT_EQ(master.FindById(201)->GetHpHealFactor(), 0.8f);
  EXPECT_FLOAT_EQ(master.FindById(201)->GetSpHealFactor(), 0.1f);
  EXPECT_EQ(master.FindById(201)->GetReach(), 20);
}

TEST(SkillGrants, DifferFromTheMasterRowOnlyWhereTheGrantSays) {
  SkillList master, character;
  builtin::AddMasterSkills(master);
  builtin::AddSkill(character, 93, {.reach = 0, .spread = 0});
  builtin::AddSkill(character, 61, {.sp_cost = 1, .power = 0.5f});
  builtin::AddSkill(character, 205);
  EXPECT_EQ(Differences(ImageOf(*master.FindById(93)), ImageOf(*character.GetAt(0))),
            (std::vector<std::size_t>{144, 148}));
  EXPECT_EQ(Differences(ImageOf(*master.FindById(61)), ImageOf(*character.GetAt(1))),
            (std::vector<std::size_t>{124, 128}));
  EXPECT_FLOAT_EQ(character.GetAt(1)->GetPowerFactor(), 0.5f);
  EXPECT_TRUE(Differences(ImageOf(*master.FindById(205)), ImageOf(*character.GetAt(2))).empty());
  EXPECT_FALSE(builtin::AddSkill(character, 10));  // no skill has id 10
  EXPECT_EQ(character.Count(), 3);
}

TEST(SkillGrants, TheLordsSkillThroughTheLongAddEqualsTheMasterRow) {
  SkillList master, lord;
  builtin::AddMasterSkills(master);
  ASSERT_TRUE(builtin::AddLordSkill(lord));
  ASSERT_EQ(lord.Count(), 1);
  EXPECT_EQ(ImageOf(*lord.GetAt(0)), ImageOf(*master.FindById(1)));
}

TEST(MasterTactics, ThirtyInIdOrderLastingNinetyNineTicks) {
  TacticList master;
  builtin::AddMasterTactics(master);
  ASSERT_EQ(master.Count(), 30);
  for (std::int32_t i = 0; i < 30; ++i) {
    Tactic* t = master.GetAt(i);
    EXPECT_EQ(t->GetId(), i + 1);
    EXPECT_EQ(t->GetDuration(), 99);
    std::vector<std::uint8_t> img = ImageOf(*t);
    EXPECT_EQ(codec::GetI32(img.data(), 164), 1);
    EXPECT_EQ(codec::GetI32(img.data(), 152), 0);
    EXPECT_EQ(codec::GetI32(img.data(), 204 + 60), 2);  // action length of the shared tail
    EXPECT_EQ(codec::GetI32(img.data(), 204 + 40), 2);
  }
  Tactic* last = master.GetAt(29);
  EXPECT_EQ(last->GetName(), names::Of("神撃ＬＶ６"));
  EXPECT_EQ(last->GetAttackSpeedBonus(), 14);
  EXPECT_DOUBLE_EQ(last->GetAttackFactor(), 1.4);
  EXPECT_EQ(master.GetAt(24)->GetUsedPoint(), 120);  // 連撃ＬＶ５ costs as much as the sixth levels
}

TEST(TacticGrants, OnlyTheTwoFirstLevelsDifferFromTheirMasterRows) {
  TacticList master, granted;
  builtin::AddMasterTactics(master);
  for (std::int32_t id = 1; id <= 30; ++id) ASSERT_TRUE(builtin::AddTactic(granted, id, true));
  Tactic* assault = granted.GetAt(0);
  EXPECT_EQ(assault->GetAttackSpeedBonus(), 0);
  EXPECT_EQ(assault->GetAttackTechniqueBonus(), 3);
  EXPECT_DOUBLE_EQ(assault->GetAttackFactor(), 1.2);
  EXPECT_EQ(master.GetAt(0)->GetAttackSpeedBonus(), 1);
  Tactic* guard = granted.GetAt(5);
  EXPECT_DOUBLE_EQ(guard->GetAttackFactor(), 1.0);
  EXPECT_EQ(guard->GetDexterityBonus(), 0);
  EXPECT_EQ(guard->GetEvasionBonus(), 2);
  EXPECT_EQ(guard->GetDefenceTechniqueBonus(), 3);
  EXPECT_DOUBLE_EQ(guard->GetDefenceFactor(), 1.2);
  for (std::int32_t i = 0; i < 30; ++i) {
    bool differs = !Differences(ImageOf(*master.GetAt(i)), ImageOf(*granted.GetAt(i))).empty();
    EXPECT_EQ(differs, i == 0 || i == 5) << "tactic " << i + 1;
  }
  EXPECT_FALSE(builtin::AddTactic(granted, 31));
}

TEST(MasterPolicies, FiftySevenInIdOrderNoneAvailable) {
  PolicyList master;
  builtin::AddMasterPolicies(master);
  ASSERT_EQ(master.GetCount(), 57);
  for (std::int32_t i = 0; i < 57; ++i) {
    Policy* p = master.GetAt(i);
    EXPECT_EQ(p->GetId(), i + 1);
    EXPECT_EQ(p->IsAvailable(), 0);
    p->Pack();
    EXPECT_EQ(codec::GetI32(p->SaveImageBytes(), 32), 1);
  }
  Policy* council = master.GetAt(7);  // 大軍議ＬＶ４
  EXPECT_EQ(council->GetKind(), 1);
  EXPECT_EQ(council->GetPrice(), 4000);
  EXPECT_FLOAT_EQ(council->GetAmount(), 160.0f);
  EXPECT_EQ(council->GetUsedPoint(), 60);
  Policy* banquet = master.GetAt(52);  // 師団宴会ＬＶ１
  EXPECT_EQ(banquet->GetKind(), 17);
  EXPECT_EQ(banquet->GetLimit(), 1);
  EXPECT_EQ(master.GetAt(56)->GetResearchCost(), 40);
  // Kinds 5 and 9 have no policy.
  for (Policy& p : master) {
    EXPECT_NE(p.GetKind(), 5);
    EXPECT_NE(p.GetKind(), 9);
  }
}
