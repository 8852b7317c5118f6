// Skills: the four add forms and the image form each put every value at its offset of the
// 256-byte save image; the list's queries and the skill score.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "data_folder.h"
#include "world/codec.h"
#include "world/skill.h"

namespace {

constexpr NameRef kName = names::Of("斬撃（縦）");
constexpr NameRef kEffect = names::Of("猛攻ＬＶ１");
constexpr NameRef kSecondEffect = names::Of("軍議ＬＶ１");

using Image = std::array<std::uint8_t, Skill::kImageSize>;

Image Packed(Skill& s) {
  s.PackSaveImage();
  Image out;
  std::copy(s.SaveImageBytes(), s.SaveImageBytes() + Skill::kImageSize, out.begin());
  return out;
}

void ExpectWords(const Image& image, const std::vector<std::pair<std::size_t, std::int32_t>>& words) {
  for (auto [off, v] : words) EXPECT_EQ(codec::GetI32(image.data(), off), v) << "offset " << off;
}

void ExpectZero(const Image& image, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) EXPECT_EQ(image[i], 0) << "byte " << i;
}

// The tail words used by every add below: the effect names, columns 31..34, rows 41..44,
// spare words 51, 52, 53, 54, 55 and action length 60, at 192..252.
#define TAIL kEffect, 31, 32, 33, 34, 41, 42, 43, 44, 51, 52, kSecondEffect, 53, 54, 55, 60

void ExpectTail(const Image& image) {
  ExpectWords(image, {{192, kEffect}, {196, 31}, {200, 32}, {204, 33}, {208, 34}, {212, 41},
                      {216, 42}, {220, 43}, {224, 44}, {228, 51}, {232, 52}, {236, kSecondEffect},
                      {240, 53}, {244, 54}, {248, 55}, {252, 60}});
}

}  // namespace

TEST(Skill, AddWithoutEffectsPutsEveryValueAtItsOffset) {
  SkillList list;
  ASSERT_TRUE(list.AddWithoutEffects(kName, 901, 1.5f, 2.5f, 3.25f, 4.75f, 110, 111, 112, 113, 114,
                                     115, 116, 5.5f, 6.5f, 117, 118, 7.25f, 119, 120, -121, 122,
                                     123, 124, 125, 126, 127, 128, 9, 129, 130, 131, 132, TAIL));
  Skill& s = *list.GetAt(0);
  Image image = Packed(s);
  ExpectWords(image, {{0, kName}, {4, 901}, {24, 110}, {28, 111}, {32, 112}, {36, 113}, {40, 114},
                      {44, 115}, {48, 116}, {60, 117}, {124, 118}, {132, 119}, {136, 120},
                      {140, -121}, {144, 122}, {148, 123}, {152, 124}, {156, 125}, {160, 126},
                      {164, 127}, {168, 128}, {172, 9}, {176, 129}, {180, 130}, {184, 131},
                      {188, 132}});
  EXPECT_EQ(codec::GetF32(image.data(), 8), 1.5f);
  EXPECT_EQ(codec::GetF32(image.data(), 12), 2.5f);
  EXPECT_EQ(codec::GetF32(image.data(), 16), 3.25f);
  EXPECT_EQ(codec::GetF32(image.data(), 20), 4.75f);
  EXPECT_EQ(codec::GetF32(image.data(), 52), 5.5f);
  EXPECT_EQ(codec::GetF32(image.data(), 56), 6.5f);
  EXPECT_EQ(codec::GetF32(image.data(), 128), 7.25f);
  ExpectZero(image, 64, 124);  // the effect entries are cleared
  ExpectTail(image);

  // The getters read the same fields.
  EXPECT_EQ(s.GetName(), kName);
  EXPECT_EQ(s.GetId(), 901);
  EXPECT_EQ(s.GetHpHealFactor(), 1.5f);
  EXPECT_EQ(s.GetSpHealFactor(), 2.5f);
  EXPECT_EQ(s.GetAttackFactor(), 3.25f);
  EXPECT_EQ(s.GetDefenceFactor(), 4.75f);
  EXPECT_EQ(s.GetDexterityBonus(), 110);
  EXPECT_EQ(s.GetEvasionBonus(), 111);
  EXPECT_EQ(s.GetAttackSpeedBonus(), 113);
  EXPECT_EQ(s.GetAttackTechniqueBonus(), 114);
  EXPECT_EQ(s.GetDefenceTechniqueBonus(), 115);
  EXPECT_EQ(s.GetHealingPowerBonus(), 116);
  EXPECT_EQ(s.GetSpecialAttackFactor(), 5.5f);
  EXPECT_EQ(s.GetSpecialDefenceFactor(), 6.5f);
  EXPECT_EQ(s.GetSpCost(), 118);
  EXPECT_EQ(s.GetPowerFactor(), 7.25f);
  EXPECT_EQ(s.GetHitBonus(), -121);
  EXPECT_EQ(s.GetReach(), 122);
  EXPECT_EQ(s.GetSpread(), 123);
  EXPECT_EQ(s.GetDuration(), 124);
  EXPECT_EQ(s.GetValue(), 125);
  EXPECT_EQ(s.GetKind(), 9);
  for (int step = 0; step < 4; ++step) {
    EXPECT_EQ(s.GetAnimColumn(step), 31 + step);
    EXPECT_EQ(s.GetAnimRow(step), 41 + step);
  }
  EXPECT_EQ(s.GetAnimColumn(4), 0);
  EXPECT_EQ(s.GetAnimRow(-1), 0);
  EXPECT_EQ(s.GetActionLength(), 60);
}

TEST(Skill, AddAttackPutsItsValuesAndClearsTheRest) {
  SkillList list;
  ASSERT_TRUE(list.AddAttack(kName, 7, 1, 188, 1, 30, 10, 1, 31, 11, 0, 32, 12, 1, 33, 13, 4, 1.4f,
                             132, 136, -15, 70, 71, 3, TAIL));
  Skill& s = *list.GetAt(0);
  Image image = Packed(s);
  ExpectWords(image, {{0, kName}, {4, 7}, {172, 1}, {188, 188}, {68, 30}, {72, 10}, {80, 31},
                      {84, 11}, {92, 32}, {96, 12}, {104, 33}, {108, 13}, {124, 4}, {132, 132},
                      {136, 136}, {140, -15}, {144, 70}, {148, 71}, {156, 3}, {152, 0}});
  EXPECT_EQ(codec::GetF32(image.data(), 128), 1.4f);
  // Inflicts flags at the entries' first bytes, cure flags and padding 0.
  EXPECT_EQ(image[64], 1);
  EXPECT_EQ(image[76], 1);
  EXPECT_EQ(image[88], 0);
  EXPECT_EQ(image[100], 1);
  for (std::size_t e = 64; e < 124; e += 12) ExpectZero(image, e + 1, e + 4);
  ExpectZero(image, 112, 124);  // the fifth entry
  ExpectZero(image, 8, 64);     // heal and stat factors and bonuses
  ExpectZero(image, 160, 172);
  ExpectZero(image, 176, 188);
  ExpectTail(image);
  EXPECT_EQ(s.InflictsPoison(), 1);
  EXPECT_EQ(s.GetPoisonRate(), 30);
  EXPECT_EQ(s.GetPoisonDuration(), 10);
  EXPECT_EQ(s.InflictsConfusion(), 1);
  EXPECT_EQ(s.GetConfusionRate(), 31);
  EXPECT_EQ(s.GetConfusionDuration(), 11);
  EXPECT_EQ(s.InflictsAnger(), 0);
  EXPECT_EQ(s.GetAngerRate(), 32);
  EXPECT_EQ(s.GetAngerDuration(), 12);
  EXPECT_EQ(s.InflictsParalysis(), 1);
  EXPECT_EQ(s.GetParalysisRate(), 33);
  EXPECT_EQ(s.GetParalysisDuration(), 13);
}

TEST(Skill, AddStanceAndAddHealPutTheirValues) {
  SkillList list;
  ASSERT_TRUE(list.AddStance(kName, 101, 4, 188, 1.5f, 1.25f, 21, 22, 23, 24, 25, 26, 27, 1.0f,
                             0.5f, 6, 80, 81, 82, 5, TAIL));
  ASSERT_TRUE(list.AddHeal(kName, 201, 12, 177, 0.8f, 0.1f, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
                           13, 14, 15, 16, 17, 18, 19, 20, 3, 20, 50, 0, 2, TAIL));
  Image stance = Packed(*list.GetAt(0));
  ExpectWords(stance, {{4, 101}, {172, 4}, {188, 188}, {24, 21}, {28, 22}, {32, 23}, {36, 24},
                       {40, 25}, {44, 26}, {48, 27}, {124, 6}, {144, 80}, {148, 81}, {152, 82},
                       {156, 5}, {140, 0}, {128, 0}});
  EXPECT_EQ(codec::GetF32(stance.data(), 16), 1.5f);
  EXPECT_EQ(codec::GetF32(stance.data(), 20), 1.25f);
  EXPECT_EQ(codec::GetF32(stance.data(), 52), 1.0f);
  EXPECT_EQ(codec::GetF32(stance.data(), 56), 0.5f);
  ExpectZero(stance, 8, 16);
  ExpectZero(stance, 60, 124);
  ExpectTail(stance);

  Image heal = Packed(*list.GetAt(1));
  ExpectWords(heal, {{4, 201}, {172, 12}, {188, 177}, {124, 3}, {144, 20}, {148, 50}, {152, 0},
                     {156, 2}});
  EXPECT_EQ(codec::GetF32(heal.data(), 8), 0.8f);
  EXPECT_EQ(codec::GetF32(heal.data(), 12), 0.1f);
  for (std::size_t e = 0; e < 5; ++e) {
    const std::size_t off = 64 + 12 * e;
    const auto first = static_cast<std::int32_t>(1 + 4 * e);
    EXPECT_EQ(heal[off], first) << "entry " << e;
    EXPECT_EQ(heal[off + 1], first + 1) << "entry " << e;
    ExpectZero(heal, off + 2, off + 4);
    ExpectWords(heal, {{off + 4, first + 2}, {off + 8, first + 3}});
  }
  ExpectZero(heal, 16, 64);
  ExpectTail(heal);
}

TEST(Skill, ImageFormTakesEveryFieldFromItsPlace) {
  // An image whose every word differs; the padding bytes of the effect entries are not zero.
  Image image;
  for (std::size_t off = 0; off < Skill::kImageSize; off += 4)
    codec::PutI32(image.data(), off, static_cast<std::int32_t>(0x1000 + off));
  codec::PutI32(image.data(), 0, kName);
  codec::PutI32(image.data(), 192, kEffect);
  codec::PutI32(image.data(), 236, kSecondEffect);
  for (std::size_t e = 64; e < 124; e += 12) {
    image[e] = static_cast<std::uint8_t>(e);
    image[e + 1] = static_cast<std::uint8_t>(e + 1);
    image[e + 2] = 0xAA;
    image[e + 3] = 0xBB;
  }

  SkillList list;
  ASSERT_TRUE(list.AddImage(image.data()));
  Skill& s = *list.GetAt(0);
  EXPECT_EQ(s.GetId(), 0x1004);
  EXPECT_EQ(s.GetDexterityBonus(), 0x1018);
  EXPECT_EQ(s.GetHealingPowerBonus(), 0x1030);
  EXPECT_EQ(s.InflictsPoison(), 64);
  EXPECT_EQ(s.GetPoisonRate(), 0x1044);
  EXPECT_EQ(s.GetPoisonDuration(), 0x1048);
  EXPECT_EQ(s.InflictsConfusion(), 76);
  EXPECT_EQ(s.InflictsAnger(), 88);
  EXPECT_EQ(s.GetAngerRate(), 0x105C);
  EXPECT_EQ(s.InflictsParalysis(), 100);
  EXPECT_EQ(s.GetParalysisDuration(), 0x106C);
  EXPECT_EQ(s.GetSpCost(), 0x107C);
  EXPECT_EQ(s.GetHitBonus(), 0x108C);
  EXPECT_EQ(s.GetReach(), 0x1090);
  EXPECT_EQ(s.GetSpread(), 0x1094);
  EXPECT_EQ(s.GetDuration(), 0x1098);
  EXPECT_EQ(s.GetValue(), 0x109C);
  EXPECT_EQ(s.GetKind(), 0x10AC);
  EXPECT_EQ(s.GetAnimColumn(0), 0x10C4);
  EXPECT_EQ(s.GetAnimRow(3), 0x10E0);
  EXPECT_EQ(s.GetActionLength(), 0x10FC);

  // Packed again it is the same image, but for the effect entries' padding, now 0.
  Image repacked = Packed(s);
  Image expected = image;
  for (std::size_t e = 64; e < 124; e += 12) expected[e + 2] = expected[e + 3] = 0;
  EXPECT_EQ(repacked, expected);

  // A name, effect name or second effect name outside the table is refused.
  for (std::size_t off : {std::size_t{0}, std::size_t{192}, std::size_t{236}}) {
    Image bad = image;
    codec::PutI32(bad.data(), off, off == 0 ? -1 : names::kCount);
    EXPECT_FALSE(list.AddImage(bad.data())) << "offset " << off;
  }
  EXPECT_EQ(list.Count(), 1);
}

TEST(Skill, CopiesBetweenListsAreIndependent) {
  SkillList master;
  master.AddAttack(kName, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0f, 0, 1, 0, 0, 0, 1,
                   TAIL);
  SkillList own;
  Skill* m = master.GetAt(0);
  m->PackSaveImage();
  ASSERT_TRUE(own.AddImage(m->SaveImageBytes()));
  EXPECT_EQ(Packed(*own.GetAt(0)), Packed(*m));
  EXPECT_NE(own.GetAt(0), m);

  SkillList copy = own;  // a character's copy carries its own skills
  copy.Clear();
  EXPECT_EQ(own.Count(), 1);
  EXPECT_EQ(copy.Count(), 0);
}

TEST(SkillList, QueriesByKindAndRarity) {
  SkillList list;
  auto add = [&list](std::int32_t id, std::int32_t kind, std::int32_t rarity) {
    list.AddStance(kName, id, kind, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, rarity, TAIL);
  };
  add(1, 1, 2);
  add(2, 3, 2);
  add(3, 1, 4);
  add(4, 1, 2);
  add(4, 12, 3);  // a second skill with id 4
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_TRUE(list.Contains(3));
  EXPECT_FALSE(list.Contains(5));
  EXPECT_EQ(list.FindById(4), list.GetAt(3));
  EXPECT_EQ(list.GetAt(5), nullptr);
  EXPECT_EQ(list.CountOfKind(1), 3);
  EXPECT_EQ(list.GetNthOfKind(1, 0), list.GetAt(0));
  EXPECT_EQ(list.GetNthOfKind(1, 2), list.GetAt(3));
  EXPECT_EQ(list.GetNthOfKind(1, 3), nullptr);
  EXPECT_EQ(list.GetNthOfKind(1, -1), nullptr);
  EXPECT_EQ(list.CountOfKindAndValue(1, 2), 2);
  EXPECT_EQ(list.GetNthOfKindAndValue(1, 2, 1), list.GetAt(3));
  EXPECT_EQ(list.GetNthOfKindAndValue(1, 2, 2), nullptr);  // n equal to the count
  EXPECT_EQ(list.CountOfKindAndValue(7, 2), 0);
}

TEST(SkillList, SkillScoreGroupsKinds) {
  auto score = [](std::vector<std::pair<std::int32_t, std::int32_t>> skills) {
    SkillList list;
    std::int32_t id = 1;
    for (auto [kind, rarity] : skills)
      list.AddStance(kName, id++, kind, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, rarity, TAIL);
    return list.GetSkillScore();
  };
  EXPECT_EQ(score({}), 0);
  EXPECT_EQ(score({{1, 2}, {1, 4}, {12, 3}}), 9);    // (6 / 2 + 2) + (3 + 1)
  EXPECT_EQ(score({{8, 3}, {9, 4}}), 5);              // one group of two: 7 / 2 + 2
  EXPECT_EQ(score({{8, 3}}) + score({{9, 4}}), 9);    // apart they would be two groups
  EXPECT_EQ(score({{2, 5}, {6, 5}, {7, 1}}), 0);      // kind 2 and unknown kinds count nowhere
  EXPECT_EQ(score({{0, 1}, {3, 2}, {4, 3}, {5, 4}}), 2 + 3 + 4 + 5);
  EXPECT_EQ(score({{0, 1}, {0, 2}, {0, 2}}), 5 / 3 + 3);
  const std::int32_t top = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(score({{0, top}, {1, top}}), top);  // a damaged file's values: held, not wrapped
}
