// A character's skill slots: the 4216-byte block with every flag, id, counter, skill and the
// tactic at its offset, the copy, and the block through a file.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "data_folder.h"
#include "world/codec.h"
#include "world/skill_slots.h"

namespace {

using Block = std::vector<std::uint8_t>;

Block Image(const SkillSlots& s) {
  Block b(SkillSlots::kImageSize, 0xEE);
  s.WriteImage(b.data());
  return b;
}

struct Flag {
  std::size_t offset;
  std::function<void(SkillSlots&)> set, clear;
  std::function<std::uint8_t(const SkillSlots&)> is;
};

#define FLAG(off, name)                                                         \
  Flag {                                                                        \
    off, [](SkillSlots& s) { s.Set##name(); }, [](SkillSlots& s) { s.Clear##name(); }, \
        [](const SkillSlots& s) { return s.Is##name(); }                        \
  }

const std::vector<Flag> kFlags = {
    FLAG(0, Attacking),          FLAG(528, CastingSelfBoost), FLAG(529, SelfBoostActive),
    FLAG(1048, CastingAllyBoost), FLAG(1049, AllyBoostActive), FLAG(1050, AllyBoostTargeted),
    FLAG(1572, CastingWeaken),   FLAG(1573, WeakenActive),    FLAG(1574, WeakenTargeted),
    FLAG(2096, CastingCure),     FLAG(2098, CureTargeted),    FLAG(2616, CastingAilment),
    FLAG(2618, AilmentTargeted), FLAG(3136, CastingHeal),     FLAG(3138, HealTargeted),
    FLAG(3657, TacticActive),
};

// The seven busy flags: attacking and the six casting flags.
bool Busy(const SkillSlots& s) {
  return s.IsAttacking() || s.IsCastingSelfBoost() || s.IsCastingAllyBoost() ||
         s.IsCastingWeaken() || s.IsCastingCure() || s.IsCastingAilment() || s.IsCastingHeal();
}

constexpr NameRef kName = names::Of("斬撃（縦）");
constexpr NameRef kTacticName = names::Of("猛攻ＬＶ１");

Skill MakeSkill(std::int32_t id) {
  SkillList list;
  list.AddStance(kName, id, 3, 0, 1.5f, 1.25f, id + 1, id + 2, 0, id + 3, 0, 0, 0, 1, 1, 5, 0, 0,
                 id + 4, 2, names::kNone, 0, 1, 0, 0, 5, 5, 0, 0, 0, 2, names::kNone, 0, 0, 0, 2);
  return *list.GetAt(0);
}

Tactic MakeTactic(std::int32_t id) {
  TacticList list;
  list.Add(kTacticName, id, 0, 0, 1.2, 1.0, 2, 0, 0, 1, 4, 0, 0, 1.2f, 0, 20, 0, 0, 99, 1, 40,
           names::kNone, 0, 1, 0, 0, 5, 5, 0, 0, 0, 2, names::kNone, 0, 0, 0, 2);
  return *list.GetAt(0);
}

Block SkillBytes(Skill s) {
  s.PackSaveImage();
  return Block(s.SaveImageBytes(), s.SaveImageBytes() + Skill::kImageSize);
}

Block TacticBytes(Tactic t) {
  t.Pack();
  return Block(t.SaveImageBytes(), t.SaveImageBytes() + Tactic::kImageSize);
}

Block Slice(const Block& b, std::size_t off, std::size_t n) {
  return Block(b.begin() + static_cast<std::ptrdiff_t>(off), b.begin() + static_cast<std::ptrdiff_t>(off + n));
}

}  // namespace

TEST(SkillSlots, NewSlotsAreIdleAndWriteAZeroBlock) {
  SkillSlots s;
  EXPECT_FALSE(Busy(s));
  for (const Flag& f : kFlags) EXPECT_EQ(f.is(s), 0) << "offset " << f.offset;
  EXPECT_EQ(s.GetAttackSkill().GetName(), names::kNone);
  EXPECT_EQ(s.GetTactic().GetId(), 0);
  Block b = Image(s);
  for (std::size_t i = 0; i < b.size(); ++i) ASSERT_EQ(b[i], 0) << "byte " << i;
}

TEST(SkillSlots, EachFlagIsItsOwnByte) {
  for (const Flag& f : kFlags) {
    SkillSlots s;
    f.set(s);
    EXPECT_EQ(f.is(s), 1);
    Block b = Image(s);
    for (std::size_t i = 0; i < b.size(); ++i)
      ASSERT_EQ(b[i], i == f.offset ? 1 : 0) << "flag at " << f.offset << ", byte " << i;
    f.clear(s);
    EXPECT_EQ(f.is(s), 0);
  }
  SkillSlots s;
  s.SetCastingHeal();
  EXPECT_TRUE(Busy(s));
}

TEST(SkillSlots, IdsCountersSkillsAndTacticAtTheirOffsets) {
  SkillSlots s;
  s.SetAttackTargetId(520);
  s.SetActionStep(524);
  s.SetSelfBoostTimeLeft(1044);
  s.SetAllyBoostTargetId(1052);
  s.SetAllyBoostTimeLeft(1568);
  s.SetWeakenTargetId(1576);
  s.SetWeakenTimeLeft(2092);
  s.SetCureTargetId(2100);
  s.SetAilmentTargetId(2620);
  s.SetHealTargetId(3140);
  s.SetTacticTimeLeft(4208);
  const std::int32_t ids[7] = {11, 22, 33, 44, 55, 66, 77};
  s.SetAttackSkill(MakeSkill(ids[0]));
  s.SetSelfBoostSkill(MakeSkill(ids[1]));
  s.SetAllyBoostSkill(MakeSkill(ids[2]));
  s.SetWeakenSkill(MakeSkill(ids[3]));
  s.SetCureSkill(MakeSkill(ids[4]));
  s.SetAilmentSkill(MakeSkill(ids[5]));
  s.SetHealSkill(MakeSkill(ids[6]));
  s.SetTactic(MakeTactic(88));

  Block b = Image(s);
  ASSERT_EQ(b.size(), 4216u);
  for (std::size_t off : {520, 524, 1044, 1052, 1568, 1576, 2092, 2100, 2620, 3140, 4208})
    EXPECT_EQ(codec::GetI32(b.data(), off), static_cast<std::int32_t>(off));
  const std::size_t skill_at[7] = {4, 532, 1056, 1580, 2104, 2624, 3144};
  for (int i = 0; i < 7; ++i) {
    Block expected = SkillBytes(MakeSkill(ids[i]));
    EXPECT_EQ(Slice(b, skill_at[i], 256), expected) << "skill " << i << " image half";
    EXPECT_EQ(Slice(b, skill_at[i] + 256, 256), expected) << "skill " << i << " live half";
  }
  Block tactic = TacticBytes(MakeTactic(88));
  EXPECT_EQ(Slice(b, 3664, 272), tactic);
  EXPECT_EQ(Slice(b, 3664 + 272, 272), tactic);
  EXPECT_EQ(codec::GetI32(b.data(), 3664 + 4), 88);
  EXPECT_EQ(codec::GetF64(b.data(), 3664 + 16), 1.2);
  EXPECT_EQ(codec::GetI32(b.data(), 4212), 0);  // trailing padding

  // Record getters give the slot's own record, for reading and writing in place.
  EXPECT_EQ(s.GetWeakenSkill().GetId(), 44);
  EXPECT_EQ(s.GetWeakenSkill().GetDuration(), 48);
  EXPECT_EQ(s.GetTactic().GetDuration(), 99);
}

TEST(SkillSlots, ReservedBytesAreCarriedAndTheBlockRoundTripsThroughAFile) {
  DataFolder folder;
  SkillSlots s;
  for (const Flag& f : kFlags) f.set(s);
  s.SetAttackSkill(MakeSkill(5));
  s.SetHealSkill(MakeSkill(6));
  s.SetTactic(MakeTactic(7));
  s.SetAilmentTargetId(-9);
  Block b = Image(s);
  // Put distinct values into the reserved word and bytes.
  codec::PutI32(b.data(), 516, 0x5160);
  b[2097] = 0x97;
  b[2617] = 0x17;
  b[3137] = 0x37;
  b[3656] = 0x56;
  b[3658] = 0x58;
  Block read(SkillSlots::kImageSize);
  ASSERT_NO_FATAL_FAILURE(DataFolder::ThroughRecordFile("c", b.data(), b.size(), read.data()));
  SkillSlots loaded;
  ASSERT_TRUE(loaded.ReadImage(read.data()));
  EXPECT_EQ(loaded.GetReservedWord(), 0x5160);
  EXPECT_EQ(loaded.GetReservedCureByte(), 0x97);
  EXPECT_EQ(loaded.GetReservedAilmentByte(), 0x17);
  EXPECT_EQ(loaded.GetReservedHealByte(), 0x37);
  EXPECT_EQ(loaded.GetReservedTacticByte1(), 0x56);
  EXPECT_EQ(loaded.GetReservedTacticByte2(), 0x58);
  EXPECT_EQ(loaded.GetAilmentTargetId(), -9);
  for (const Flag& fl : kFlags) EXPECT_EQ(fl.is(loaded), 1) << "offset " << fl.offset;
  EXPECT_EQ(Image(loaded), b);

  // Setting the targeted flag beside a reserved byte leaves that byte alone.
  loaded.ClearAilmentTargeted();
  loaded.SetAilmentTargeted();
  loaded.ClearHealTargeted();
  EXPECT_EQ(Image(loaded)[2617], 0x17);
  EXPECT_EQ(Image(loaded)[3137], 0x37);

  // A skill naming something outside the table refuses the whole block.
  Block bad = b;
  codec::PutI32(bad.data(), 2104 + 256, names::kCount);
  SkillSlots untouched;
  EXPECT_FALSE(untouched.ReadImage(bad.data()));
  EXPECT_EQ(Image(untouched), Image(SkillSlots()));
}

TEST(SkillSlots, CopyIsIndependentOfItsSource) {
  SkillSlots src;
  src.SetAttacking();
  src.SetAttackSkill(MakeSkill(3));
  src.SetTactic(MakeTactic(4));
  src.SetTacticTimeLeft(50);
  SkillSlots copy;
  copy.CopyFrom(src);
  EXPECT_EQ(Image(copy), Image(src));
  copy.GetAttackSkill() = MakeSkill(9);
  copy.SetTactic(Tactic());
  EXPECT_EQ(src.GetAttackSkill().GetId(), 3);
  EXPECT_EQ(src.GetTactic().GetId(), 4);
  EXPECT_EQ(copy.GetAttackSkill().GetId(), 9);
}
