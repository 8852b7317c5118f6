#pragma once
// Small builders for the character tests: skills and tactics with chosen bonuses, characters
// placed on the field, and a field-by-field comparison of two characters.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "world/character.h"
#include "world/character_list.h"
#include "world/codec.h"
#include "world/skill.h"
#include "world/tactic.h"

namespace test_chars {

// A boost or weakening (kinds 3, 4, 5) or any other kind, with its dexterity, evasion and attack
// speed amounts and rarity.
inline Skill MakeSkill(std::int32_t kind, std::int32_t dex, std::int32_t eva, std::int32_t speed,
                       std::int32_t rarity = 1, std::int32_t id = 1) {
  SkillList l;
  l.AddStance(names::kNone, id, kind, 0, 1.0f, 1.0f, dex, eva, 0, speed, 0, 0, 0, 1.0f, 1.0f, 0, 0, 0, 0,
              rarity, names::kNone, 0, 0, 0, 0, 1, 1, 1, 1, 0, 2, names::kNone, 0, 0, 0, 4);
  return *l.GetAt(0);
}

inline Tactic MakeTactic(std::int32_t dex, std::int32_t eva, std::int32_t speed) {
  TacticList l;
  l.Add(names::kNone, 1, 0, 0, 1.0, 1.0, dex, eva, 0, speed, 0, 0, 0, 1.0f, 1.0f, 0, 0, 0, 10, 1, 0,
        names::kNone, 0, 0, 0, 0, 1, 1, 1, 1, 0, 2, names::kNone, 0, 0, 0, 4);
  return *l.GetAt(0);
}

// Rewrites fields that only a record restores (states without a setter, spare points, role...):
// packs the character, lets `edit` change the record, and takes the record back. The character
// keeps its lists and its name (which may be a test-only reference); its ailments are cleared as
// by any load.
template <typename Edit>
void EditRecord(Character& c, Edit edit) {
  const NameRef name = c.GetName();
  c.SetName(names::kNone);
  c.PackSaveImage();
  std::vector<std::uint8_t> img(c.SaveImageBytes(), c.SaveImageBytes() + Character::kImageSize);
  edit(img.data());
  ASSERT_TRUE(c.LoadSaveImage(img.data()));
  c.SetName(name);
}

inline void SetStateCode(Character& c, std::int32_t state) {
  EditRecord(c, [&](std::uint8_t* img) { codec::PutI32(img, 5256, state); });
}

// Adds a character with a name of its own (name references need only be distinct in memory),
// fighting (state 6) unless told otherwise.
inline Character& AddAt(CharacterList& list, std::int32_t x, std::int32_t y, std::int32_t nation,
                        std::int32_t state = 6) {
  std::int32_t i = list.Count();
  list.Add(10000 + i, 0, 0, 0, 100 + i, x, y, nation, 0, 0, 4, 4, 0, 1, 0);
  Character& c = *list.GetAt(i);
  if (state != 0) SetStateCode(c, state);
  return c;
}

inline std::vector<std::uint8_t> Packed(Character c) {
  c.PackSaveImage();
  return {c.SaveImageBytes(), c.SaveImageBytes() + Character::kImageSize};
}

// Everything a character holds, the parts outside its record included.
inline void ExpectSameCharacter(const Character& a, const Character& b) {
  EXPECT_EQ(Packed(a), Packed(b));
  for (int i = 0; i < StatsBlock::kFieldCount; ++i) EXPECT_EQ(a.stats.GetField(i), b.stats.GetField(i)) << i;
  Point p, q;
  EXPECT_EQ(a.GetLineUpPoint(p), b.GetLineUpPoint(q));
  EXPECT_EQ(a.GetApproachPoint(p), b.GetApproachPoint(q));
  EXPECT_EQ(a.GetSharedRank(), b.GetSharedRank());
  EXPECT_EQ(a.GetRankingPosition(), b.GetRankingPosition());
  EXPECT_EQ(a.IsPoisoned(), b.IsPoisoned());
  EXPECT_EQ(a.GetPoisonCountdown(), b.GetPoisonCountdown());
  EXPECT_EQ(a.IsParalysed(), b.IsParalysed());
  ASSERT_EQ(a.skills.Count(), b.skills.Count());
  for (int i = 0; i < a.skills.Count(); ++i) {
    Skill x = *a.skills.GetAt(i), y = *b.skills.GetAt(i);
    x.PackSaveImage();
    y.PackSaveImage();
    EXPECT_TRUE(std::equal(x.SaveImageBytes(), x.SaveImageBytes() + Skill::kImageSize, y.SaveImageBytes()));
  }
  for (const RelationList* l : {&a.nation_relations, &a.division_relations}) {
    const RelationList& m = l == &a.nation_relations ? b.nation_relations : b.division_relations;
    ASSERT_EQ(l->Count(), m.Count());
    for (int i = 0; i < l->Count(); ++i) {
      EXPECT_EQ(l->GetAt(i)->GetKey(), m.GetAt(i)->GetKey());
      EXPECT_EQ(l->GetAt(i)->GetFriendship(), m.GetAt(i)->GetFriendship());
      EXPECT_EQ(l->GetAt(i)->GetTenure(), m.GetAt(i)->GetTenure());
      EXPECT_EQ(l->GetAt(i)->IsWilling(), m.GetAt(i)->IsWilling());
    }
  }
}

}  // namespace test_chars
