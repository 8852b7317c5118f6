// The character: its 5936-byte record in both directions, the three constructions, the copy,
// the composite operations, the order labels, the natural stats and the rating.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/world/character_test_util.h"
#include "world/character.h"
#include "world/character_list.h"
#include "world/codec.h"
#include "world/names.h"
#include "world/random.h"

using test_chars::EditRecord;
using test_chars::ExpectSameCharacter;
using test_chars::MakeSkill;
using test_chars::MakeTactic;
using test_chars::Packed;

namespace {

const NameRef kMilitia = names::Of("民間兵");
const NameRef kMilitiaR = names::Of("民間兵R");
const NameRef kMilitiaA = names::Of("民間兵A");

// The restored scalar words of the record: offset and the value put there.
struct Word {
  std::size_t offset;
  std::int32_t value;
};

const std::vector<Word> kScalarWords = {
    {16, 901},     {20, 902},     {24, 903},     {36, 904},     {40, 905},     {44, 906},     {48, 907},
    {52, 908},     {56, 909},     {60, 910},     {64, 911},     {68, 912},     {72, 913},     {76, 914},
    {80, 915},     {100, 916},    {104, 917},    {5208, 918},   {5220, 919},   {5224, 920},   {5228, 921},
    {5232, 922},   {5236, 923},   {5240, 924},   {5244, 925},   {5248, 926},   {5252, 927},   {5256, 928},
    {5260, 929},   {5264, 930},   {5276, 931},   {5280, 932},   {5284, 933},   {5304, 934},   {5312, 935},
    {5324, 936},   {5336, 937},   {5880, 938},   {5928, 939},   {5932, 940},
};

// The reserved stretches of the record, which neither the pack writes nor the load reads.
const std::vector<std::pair<std::size_t, std::size_t>> kReserved = {
    {28, 8},    {84, 16},   {108, 4},   {112, 76},  {262, 2},   {540, 276}, {5212, 8},  {5268, 4},
    {5273, 3},  {5288, 12}, {5300, 4},  {5308, 4},  {5316, 8},  {5328, 8},  {5340, 24}, {5364, 512},
    {5876, 4},  {5884, 40}, {5925, 3},
};

// A record with a distinct value in every restored field.
std::vector<std::uint8_t> DistinctRecord() {
  std::vector<std::uint8_t> img(Character::kImageSize, 0);
  codec::PutI32(img.data(), 0, kMilitia);
  codec::PutI32(img.data(), 4, kMilitiaR);
  codec::PutI32(img.data(), 8, kMilitiaA);
  codec::PutI32(img.data(), 12, kMilitia);
  for (const Word& w : kScalarWords) codec::PutI32(img.data(), w.offset, w.value);
  img[5272] = 1;  // marked
  img[5924] = 1;  // in duel
  // Transfer city: name, id, ..., owner, both flags.
  codec::PutI32(img.data(), 188, kMilitiaA);
  for (int i = 1; i < 18; ++i) codec::PutI32(img.data(), 188 + 4 * i, 500 + i);
  img[260] = 1;
  img[261] = 1;
  // Stats: name and 68 numbers (the five rates among them), chances, one word of the slots.
  codec::PutI32(img.data(), 264, kMilitiaR);
  for (int i = 1; i < 69; ++i) codec::PutI32(img.data(), 264 + 4 * i, 1000 + i);
  for (int i = 0; i < 44; ++i) codec::PutI32(img.data(), 816 + 4 * i, 2000 + i);
  codec::PutI32(img.data(), 992 + 520, 3001);  // the attack target id
  img[992 + 3657] = 1;                         // the tactic in force
  return img;
}

void FillReserved(std::vector<std::uint8_t>& img, std::uint8_t byte) {
  for (auto [off, len] : kReserved) std::memset(img.data() + off, byte, len);
}

}  // namespace

TEST(CharacterRecord, LoadTakesEveryRestoredFieldFromItsOffset) {
  std::vector<std::uint8_t> img = DistinctRecord();
  CharacterList list;
  ASSERT_TRUE(list.AddFromImage(img.data()));
  const Character& c = *list.GetAt(0);
  Point p;
  EXPECT_EQ(c.GetName(), kMilitia);
  EXPECT_EQ(c.GetPortraitName(), kMilitiaR);
  EXPECT_EQ(c.GetPortraitBitmapName(), kMilitiaA);
  EXPECT_EQ(c.GetFieldSpriteName(), kMilitia);
  EXPECT_EQ(c.GetId(), 901);
  EXPECT_EQ(c.GetPosition(p), (Point{902, 903}));
  EXPECT_EQ(c.GetDestination(p), (Point{904, 905}));
  EXPECT_EQ(c.GetTargetPoint(p), (Point{906, 907}));
  EXPECT_EQ(c.GetEngagementPoint(p), (Point{908, 909}));
  EXPECT_EQ(c.GetDuelWatchPoint(p), (Point{914, 915}));
  EXPECT_EQ(c.GetBasePoint(p), (Point{916, 917}));
  EXPECT_EQ(c.GetRecuperationTurns(), 918);
  EXPECT_EQ(c.GetDrawSlot(), 919);
  EXPECT_EQ(c.GetWalkStep(), 920);
  EXPECT_EQ(c.GetAnimFrame(), 921);
  EXPECT_EQ(c.GetNationId(), 922);
  EXPECT_EQ(c.GetDivisionId(), 923);
  EXPECT_EQ(c.GetPartyId(), 924);
  EXPECT_EQ(c.GetRole(), 925);
  EXPECT_EQ(c.GetHomeCityId(), 926);
  EXPECT_EQ(c.IsInFormation(), 927);
  EXPECT_EQ(c.GetState(), 928);
  EXPECT_EQ(c.GetOrder(), 929);
  EXPECT_EQ(c.GetPrevState(), 930);
  EXPECT_EQ(c.IsMarked(), 1);
  EXPECT_EQ(c.GetRank(), 931);
  EXPECT_EQ(c.GetDivisionAttachment(), 932);
  EXPECT_EQ(c.GetHomeDivisionId(), 933);
  EXPECT_EQ(c.GetPopupKind(), 934);
  EXPECT_EQ(c.GetActionCounter(), 935);
  EXPECT_EQ(c.GetActionTickCount(), 936);
  EXPECT_EQ(c.GetCombatAction(), 937);
  EXPECT_EQ(c.GetMorale(), 938);
  EXPECT_EQ(c.IsInDuel(), 1);
  EXPECT_EQ(c.GetDuelPartnerId(), 939);
  const City& city = c.GetTransferCity();
  EXPECT_EQ(city.GetName(), kMilitiaA);
  EXPECT_EQ(city.GetId(), 501);
  EXPECT_EQ(city.GetOwner(), 517);
  EXPECT_EQ(city.HasHiredThisTurn(), 1);
  EXPECT_EQ(city.HasRiot(), 1);
  EXPECT_EQ(c.stats.GetName(), kMilitiaR);
  EXPECT_EQ(c.stats.GetLevel(), 1001);
  EXPECT_EQ(c.stats.GetHitCount(), 1031);
  EXPECT_EQ(c.stats.GetHiringCostPerLevel(), 1068);
  for (int rate : {StatsBlock::kHitRate, StatsBlock::kCriticalRate, StatsBlock::kDefenceRate,
                   StatsBlock::kEvasionRate, StatsBlock::kWinRate})
    EXPECT_EQ(c.stats.GetField(rate), 0) << "rate field " << rate;
  EXPECT_EQ(c.chances.GetField(0), 2000);
  EXPECT_EQ(c.chances.GetField(43), 2043);
  EXPECT_EQ(c.skill_slots.GetAttackTargetId(), 3001);
  EXPECT_EQ(c.skill_slots.IsTacticActive(), 1);
  // Not in the record: 0 after a load.
  EXPECT_EQ(c.GetLineUpPoint(p), (Point{0, 0}));
  EXPECT_EQ(c.GetApproachPoint(p), (Point{0, 0}));
  EXPECT_EQ(c.GetSharedRank(), 0);
  EXPECT_EQ(c.GetRankingPosition(), 0);
}

TEST(CharacterRecord, PackWritesRestoredFieldsBackAndZeroesTheRest) {
  std::vector<std::uint8_t> img = DistinctRecord();
  FillReserved(img, 0xA5);
  // Ailments written in a foreign record do not come back either.
  img[5884] = 1;
  codec::PutI32(img.data(), 5888, 77);
  CharacterList list;
  ASSERT_TRUE(list.AddFromImage(img.data()));
  Character& c = *list.GetAt(0);
  EXPECT_EQ(c.IsPoisoned(), 0);
  EXPECT_EQ(c.GetPoisonCountdown(), 0);
  c.SetPoisoned();
  c.SetPoisonCountdown(12);
  c.SetParalysed();
  c.PackSaveImage();
  const std::uint8_t* out = c.SaveImageBytes();

  std::vector<std::uint8_t> expect = DistinctRecord();
  FillReserved(expect, 0);
  for (int rate : {32, 34, 37, 39, 42}) codec::PutI32(expect.data(), 264 + 4 * rate, 0);
  for (std::size_t i = 0; i < Character::kImageSize; ++i) ASSERT_EQ(out[i], expect[i]) << "byte " << i;
}

TEST(CharacterRecord, ReservedBytesHaveNoEffectOnLoad) {
  std::vector<std::uint8_t> clean = DistinctRecord();
  std::vector<std::uint8_t> dirty = clean;
  FillReserved(dirty, 0xFF);
  CharacterList list;
  ASSERT_TRUE(list.AddFromImage(clean.data()));
  ASSERT_TRUE(list.AddFromImage(dirty.data()));
  ExpectSameCharacter(*list.GetAt(0), *list.GetAt(1));
}

TEST(CharacterRecord, RecordNamingUnknownNamesIsRefused) {
  for (std::size_t off : {0u, 4u, 8u, 12u, 188u, 264u}) {
    std::vector<std::uint8_t> img = DistinctRecord();
    codec::PutI32(img.data(), off, names::kCount);
    Character c;
    EXPECT_FALSE(c.LoadSaveImage(img.data())) << "name at " << off;
  }
}

TEST(CharacterConstruction, MilitiaBuiltLocallyEqualsTheOneAddedByItsRecord) {
  for (int type : {1, 4, 6, 10}) {
    rng::Srand(700 + type);
    Character m = Character::ConstructMilitia(54 + type, type);
    m.SetName(kMilitiaA);
    m.stats.SetName(kMilitiaA);
    m.PackSaveImage();
    CharacterList list;
    ASSERT_TRUE(list.AddFromImage(m.SaveImageBytes()));
    ExpectSameCharacter(m, *list.GetAt(0));

    // Stats are drawn before chances, from the one generator.
    rng::Srand(700 + type);
    StatsBlock s;
    s.InitMilitia(type);
    ChanceRecord ch;
    ch.InitMilitia(type);
    for (int i = 1; i < StatsBlock::kFieldCount; ++i) EXPECT_EQ(m.stats.GetField(i), s.GetField(i));
    for (int i = 0; i < ChanceRecord::kFieldCount; ++i) EXPECT_EQ(m.chances.GetField(i), ch.GetField(i));

    Point p;
    EXPECT_EQ(m.GetId(), 54 + type);
    EXPECT_EQ(m.GetPortraitName(), kMilitia);
    EXPECT_EQ(m.GetPortraitBitmapName(), kMilitiaR);
    EXPECT_EQ(m.GetFieldSpriteName(), kMilitiaA);
    EXPECT_EQ(m.GetPosition(p), (Point{-100, -100}));
    EXPECT_EQ(m.GetBasePoint(p), (Point{-100, -100}));
    EXPECT_EQ(m.GetDestination(p), (Point{0, 0}));
    EXPECT_EQ(m.GetNationId(), 15);
    EXPECT_EQ(m.GetRole(), 7);
    EXPECT_EQ(m.GetRank(), 4);
    EXPECT_EQ(m.GetDivisionAttachment(), 1);
    EXPECT_EQ(m.GetState(), 0);
    EXPECT_EQ(m.GetOrder(), 2);
    EXPECT_EQ(m.GetPopupKind(), 1);
    EXPECT_EQ(m.GetMorale(), 100);
  }
}

TEST(CharacterConstruction, DefaultAndNamedHaveTheirOwnDefaults) {
  Character d;
  Point p;
  EXPECT_EQ(d.GetName(), names::kNone);
  EXPECT_EQ(d.GetNationId(), 15);
  EXPECT_EQ(d.GetState(), 12);
  EXPECT_EQ(d.GetRank(), 2);
  EXPECT_EQ(d.GetPopupKind(), 1);
  EXPECT_EQ(d.GetOrder(), 0);
  EXPECT_EQ(d.GetMorale(), 0);
  EXPECT_EQ(d.GetPosition(p), (Point{0, 0}));
  EXPECT_EQ(d.stats.GetMaxHp(), 60);  // the character default of the block
  EXPECT_EQ(d.stats.GetHp(), 60);

  CharacterList list;
  EXPECT_TRUE(list.Add(kMilitia, kMilitiaR, kMilitiaA, kMilitia, 7, 300, 400, 3, 5, 6, 4, 1, 9, 2, 11, 12345));
  const Character& n = *list.GetAt(0);
  EXPECT_EQ(n.GetPosition(p), (Point{300, 400}));
  EXPECT_EQ(n.GetBasePoint(p), (Point{300, 400}));
  EXPECT_EQ(n.GetDestination(p), (Point{0, 0}));
  EXPECT_EQ(n.GetNationId(), 3);
  EXPECT_EQ(n.GetDivisionId(), 5);
  EXPECT_EQ(n.GetPartyId(), 6);
  EXPECT_EQ(n.GetRole(), 4);
  EXPECT_EQ(n.GetRank(), 1);
  EXPECT_EQ(n.GetHomeCityId(), 9);
  EXPECT_EQ(n.GetDivisionAttachment(), 2);
  EXPECT_EQ(n.GetHomeDivisionId(), 11);
  EXPECT_EQ(n.GetState(), 0);
  EXPECT_EQ(n.GetOrder(), 2);
  EXPECT_EQ(n.GetMorale(), 100);
  EXPECT_EQ(n.GetPopupKind(), 1);
  EXPECT_EQ(n.GetDrawSlot(), 0);
  EXPECT_EQ(n.stats.GetMaxHp(), 80);  // the block's own constructor values
}

TEST(CharacterCopy, DeepAndSafeOnSelfAssignment) {
  CharacterList list;
  list.AddFromImage(DistinctRecord().data());
  Character& a = *list.GetAt(0);
  Skill skill = MakeSkill(3, 1, 2, 3, 4);
  skill.PackSaveImage();
  a.skills.AddImage(skill.SaveImageBytes());
  a.nation_relations.Add(1, 40, 3);
  a.SetRankingPosition(5);
  a.SetRankingRank(4);
  a.SetApproachPoint(8, 9);
  a.SetConfused();
  a.stats.SetAttacksMade(10);
  a.stats.SetHitCount(5);
  a.stats.ComputeHitRate();

  Character b;
  b = a;
  ExpectSameCharacter(a, b);
  EXPECT_EQ(b.stats.GetHitRate(), 50);  // the rates travel with a whole copy
  EXPECT_EQ(b.IsConfused(), 1);
  b.skills.Clear();
  b.nation_relations.GetAt(0)->SetFriendship(99);
  EXPECT_EQ(a.skills.Count(), 1);
  EXPECT_EQ(a.nation_relations.GetAt(0)->GetFriendship(), 40);

  Character before = a;
  Character& alias = a;
  a = alias;
  ExpectSameCharacter(a, before);
  EXPECT_EQ(a.skills.Count(), 1);
}

TEST(CharacterOperations, ReleaseJoinAndStateSetters) {
  CharacterList list;
  list.AddFromImage(DistinctRecord().data());
  Character& c = *list.GetAt(0);
  Point p;
  c.SetApproachPoint(1, 2);
  for (std::int32_t rank : {3, 0, 1, 4}) {
    EditRecord(c, [&](std::uint8_t* img) { codec::PutI32(img, 5276, rank); });
    c.SetMarked();
    c.Release();
    EXPECT_EQ(c.GetNationId(), rank == 3 ? 16 : 15);
    EXPECT_EQ(c.GetPosition(p), (Point{-100, -100}));
    EXPECT_EQ(c.GetBasePoint(p), (Point{-100, -100}));
    EXPECT_EQ(c.GetApproachPoint(p), (Point{-100, -100}));
    EXPECT_EQ(c.GetLineUpPoint(p), (Point{-100, -100}));
    EXPECT_EQ(c.GetEngagementPoint(p), (Point{908, 909}));  // survives a release
    EXPECT_EQ(c.GetState(), 0);
    EXPECT_EQ(c.GetOrder(), 2);
    EXPECT_EQ(c.IsMarked(), 0);
  }
  c.PackSaveImage();
  EXPECT_EQ(codec::GetI32(c.SaveImageBytes(), 60), -100);  // spare points are cleared too
  EXPECT_EQ(codec::GetI32(c.SaveImageBytes(), 72), -100);

  c.stats = StatsBlock();
  c.stats.SetCombatPower(-1);
  c.SetStatePursuing();
  c.SetOrderStudy();
  c.JoinNationAt(640, 480, 5);
  EXPECT_EQ(c.GetNationId(), 5);
  EXPECT_EQ(c.GetPosition(p), (Point{640, 480}));
  EXPECT_EQ(c.GetBasePoint(p), (Point{640, 480}));
  EXPECT_EQ(c.GetDestination(p), (Point{-100, -100}));
  EXPECT_EQ(c.GetState(), 0);
  EXPECT_EQ(c.GetOrder(), 2);
  // The plain formula on the block's defaults: 90/4 + 10/2 + 5/2 + 6 + 6 + 10 + 12.
  EXPECT_EQ(c.stats.GetCombatPower(), 22 + 5 + 2 + 6 + 6 + 10 + 12);

  using Setter = void (Character::*)();
  const std::pair<Setter, int> states[] = {
      {&Character::SetStateThinking, 0}, {&Character::SetStateMoving, 2},    {&Character::SetStateCombatMoving, 5},
      {&Character::SetStateFighting, 6}, {&Character::SetStateDueling, 7},   {&Character::SetStateDefending, 8},
      {&Character::SetStatePursuing, 9}, {&Character::SetStateResting, 10},  {&Character::SetStateOffField, 12}};
  for (auto [set, code] : states) {
    for (int twice = 0; twice < 2; ++twice) {  // also when the state does not change
      c.SetAnimFrame(3);
      (c.*set)();
      EXPECT_EQ(c.GetState(), code);
      EXPECT_EQ(c.GetAnimFrame(), 0);
    }
  }
}

TEST(CharacterOperations, TransferCityIsAWholeCopy) {
  City city(kMilitia, 4, 1000, 1, 2, 3, 4, 5, 6, 7, 100, 200, 10, 20, 3);
  city.SetDefenceStrength(88);
  city.SetRiot();
  Character c;
  c.SetCityCopy(city);
  c.SetOrderTransfer();
  EXPECT_EQ(c.GetOrder(), 12);
  city.SetOwner(1);  // later changes of the city do not reach the copy
  EXPECT_EQ(c.GetTransferCity().GetOwner(), 3);
  EXPECT_EQ(c.GetTransferCity().GetDefenceStrength(), 88);
  EXPECT_EQ(c.GetTransferCity().HasRiot(), 1);
  c.PackSaveImage();
  EXPECT_EQ(codec::GetI32(c.SaveImageBytes(), 188), kMilitia);
  EXPECT_EQ(codec::GetI32(c.SaveImageBytes(), 192), 4);
  EXPECT_EQ(codec::GetI32(c.SaveImageBytes(), 236), 88);
  EXPECT_EQ(c.SaveImageBytes()[261], 1);
  EXPECT_EQ(c.SaveImageBytes()[112], 0);  // the city's own record part stays reserved
}

TEST(CharacterOrders, LabelsInCp932AndUnknownCodes) {
  // "自由行動" and "　異動　" in CP932; "  増築  " keeps its ASCII blanks.
  EXPECT_STREQ(Character::OrderLabel(2), "\x8e\xa9\x97\x52\x8d\x73\x93\xae");
  EXPECT_STREQ(Character::OrderLabel(12), "\x81\x40\x88\xd9\x93\xae\x81\x40");
  EXPECT_STREQ(Character::OrderLabel(24), "  \x91\x9d\x92\x7a  ");
  for (int code : {2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 21, 22, 23, 24}) {
    EXPECT_EQ(std::strlen(Character::OrderLabel(code)), 8u) << code;
    EXPECT_STRNE(Character::OrderLabel(code), Character::OrderLabel(3)) << code;
  }
  for (int code : {-1, 0, 1, 3, 14, 20, 25, 1000}) EXPECT_STREQ(Character::OrderLabel(code), "  \x95\x73\x96\xbe  ");
  Character c;
  c.SetOrderSortie();
  EXPECT_STREQ(Character::OrderLabel(c.GetOrder()), "\x81\x40\x8f\x6f\x8c\x82\x81\x40");
}

TEST(CharacterRating, BaseStatsAndHandComputedRating) {
  Character c;
  StatsBlock& s = c.stats;
  s.SetMaxHp(101);
  s.SetMaxSp(20);
  s.SetAttack(15);
  s.SetDefence(9);
  s.SetDexterity(20);
  s.SetEvasion(12);
  s.SetAttackSpeed(11);
  s.SetAttackTechnique(13);
  s.SetDefenceTechnique(8);
  SkillSlots& slots = c.skill_slots;
  slots.SetSelfBoostSkill(MakeSkill(3, 3, 1, 0));
  slots.SetSelfBoostActive();
  slots.SetAllyBoostSkill(MakeSkill(4, 50, 2, 50));  // not in force: its amounts count for nothing
  slots.SetWeakenSkill(MakeSkill(5, 4, 0, 2));
  slots.SetWeakenActive();
  slots.SetTactic(MakeTactic(2, 3, 1));
  slots.SetTacticActive();
  EXPECT_EQ(c.GetBaseStat(1), 15);
  EXPECT_EQ(c.GetBaseStat(2), 9);
  EXPECT_EQ(c.GetBaseStat(3), 20 - 3 + 4 - 2);
  EXPECT_EQ(c.GetBaseStat(4), 12 - 1 + 0 - 3);
  EXPECT_EQ(c.GetBaseStat(5), 11 - 0 + 2 - 1);
  for (int kind : {0, 6, -1, 33}) EXPECT_EQ(c.GetBaseStat(kind), 0);

  // Skills: kind 1 of rarities 2 and 4, kind 12 of rarity 3: (6 / 2 + 2) + (3 + 1) = 9.
  for (const Skill& k : {MakeSkill(1, 0, 0, 0, 2), MakeSkill(1, 0, 0, 0, 4), MakeSkill(12, 0, 0, 0, 3)}) {
    Skill copy = k;
    copy.PackSaveImage();
    c.skills.AddImage(copy.SaveImageBytes());
  }
  c.ComputeCombatPower();
  // (101 + 20) / 4 = 30; 15 + 9; 19 + 8 + 12; (13 + 8) / 2 = 10; skill score 9.
  EXPECT_EQ(c.stats.GetCombatPower(), 30 + 24 + 19 + 8 + 12 + 10 + 9);

  slots.SetAllyBoostActive();
  EXPECT_EQ(c.GetBaseStat(5), 11 - 50 + 2 - 1);
  c.ComputeCombatPower();
  EXPECT_EQ(c.stats.GetCombatPower(), 30 + 24 + (19 - 50) + (8 - 2) + (12 - 50) + 10 + 9);
}
