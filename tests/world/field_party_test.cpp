// Field parties: the 36-byte record and what a load restores, the formation offsets, and the
// party checks over a small character list.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/world/character_test_util.h"
#include "tests/world/record_bytes.h"
#include "world/codec.h"
#include "world/field_party.h"

namespace {

constexpr std::size_t kInFormationOffset = 5252;  // of the character record

// Characters with ids 11..16, all idle at (0, 0).
CharacterList Characters() {
  CharacterList list;
  for (std::int32_t id = 11; id <= 16; ++id) list.Add(names::kNone, 0, 0, 0, id, 0, 0, 1, 0, 1, 0, 2, 0, 0, 0);
  return list;
}

Character& Char(const CharacterList& list, std::int32_t id) { return *list.GetAt(id - 11); }

void SetInFormation(Character& c) {
  test_chars::EditRecord(c, [](std::uint8_t* img) { codec::PutI32(img, kInFormationOffset, 1); });
}

Point Where(const Character& c) {
  Point p;
  return c.GetPosition(p);
}

}  // namespace

TEST(FieldPartyRecord, LayoutAndWhatALoadRestores) {
  FieldPartyList list;
  list.Add(7, 11, 12, 13, 0, 15, 16);
  list.GetAt(0)->SetActive();
  FieldParty* p = list.GetAt(0);
  p->PackSaveImage();
  const std::uint8_t* img = p->SaveImageBytes();
  const std::int32_t expected[9] = {7, 11, 11, 12, 13, 0, 15, 16, 0};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(I32At(img, 4 * i), expected[i]) << i;

  DataFolder folder;
  list.PackAll();
  ASSERT_TRUE(list.Save("datafile1g.dat"));
  auto bytes = DataFolder::Read("datafile1g.dat");
  ASSERT_EQ(bytes.size(), 4u + 36);
  // A record whose slot 0 disagrees with its leader: the load takes the leader for slot 0.
  PutI32At(bytes, 4 + 8, 99);
  PutI32At(bytes, 4 + 32, 1234);  // the reserved word is not read
  DataFolder::Write("datafile1g.dat", bytes);
  FieldPartyList loaded;
  ASSERT_TRUE(loaded.Load("datafile1g.dat"));
  ASSERT_EQ(loaded.Count(), 1);
  FieldParty* q = loaded.GetAt(0);
  EXPECT_EQ(q->GetId(), 7);
  EXPECT_EQ(q->GetLeaderId(), 11);
  const std::int32_t slots[6] = {11, 12, 13, 0, 15, 16};
  for (std::int32_t s = 0; s < 6; ++s) EXPECT_EQ(q->GetMemberId(s), slots[s]) << s;
  EXPECT_FALSE(q->IsActive());
  EXPECT_EQ(loaded.CountActive(), 0);
  q->PackSaveImage();
  EXPECT_EQ(0, std::memcmp(q->SaveImageBytes(), img, FieldParty::kImageSize));
  EXPECT_EQ(q->GetMemberId(-1), 0);
  EXPECT_EQ(q->GetMemberId(6), 0);
}

TEST(FieldPartyFormation, FollowersTakeTheirOffsetsFromTheLeader) {
  CharacterList chars = Characters();
  FieldParty party(1, 11, 12, 13, 14, 15, 16);
  Character& leader = Char(chars, 11);
  leader.SetPosition(500, 400);
  leader.SetAnimFrame(2);
  leader.SetWalkStep(5);
  for (std::int32_t k = 1; k <= 5; ++k) party.PlaceMember(chars, k);
  EXPECT_EQ(Where(Char(chars, 12)), (Point{500, 384}));
  EXPECT_EQ(Where(Char(chars, 13)), (Point{484, 394}));
  EXPECT_EQ(Where(Char(chars, 14)), (Point{516, 394}));
  EXPECT_EQ(Where(Char(chars, 15)), (Point{490, 416}));
  EXPECT_EQ(Where(Char(chars, 16)), (Point{510, 416}));
  EXPECT_EQ(Char(chars, 13).GetAnimFrame(), 2);
  EXPECT_EQ(Char(chars, 13).GetWalkStep(), 5);
  EXPECT_EQ(Where(leader), (Point{500, 400}));
  // A leader at the ends of the int range (a doctored save) keeps its followers at the ends.
  leader.SetPosition(INT32_MAX, INT32_MIN);
  for (std::int32_t k = 1; k <= 5; ++k) party.PlaceMember(chars, k);
  EXPECT_EQ(Where(Char(chars, 12)), (Point{INT32_MAX, INT32_MIN}));
  EXPECT_EQ(Where(Char(chars, 13)), (Point{INT32_MAX - 16, INT32_MIN}));
  EXPECT_EQ(Where(Char(chars, 16)), (Point{INT32_MAX, INT32_MIN + 16}));

  // Slot 0, slot 6 and an empty slot move nobody.
  CharacterList other = Characters();
  FieldParty gaps(2, 11, 0, 13, 0, 0, 0);
  Char(other, 11).SetPosition(500, 400);
  for (std::int32_t k : {0, 6, -1, 1, 3}) gaps.PlaceMember(other, k);
  for (std::int32_t id = 12; id <= 16; ++id) EXPECT_EQ(Where(Char(other, id)), (Point{0, 0})) << id;
  // A follower id that names no character moves nobody (the list's find would give its last).
  FieldParty stranger(3, 11, 99, 0, 0, 0, 0);
  stranger.PlaceMember(other, 1);
  EXPECT_EQ(Where(Char(other, 16)), (Point{0, 0}));
}

TEST(FieldPartyChecks, OverTheOccupiedSlots) {
  CharacterList chars = Characters();
  FieldParty party(1, 11, 12, 0, 14, 0, 0);
  // Everyone idle at (0, 0), which is also every destination, base and line-up point.
  EXPECT_TRUE(party.AllMembersArrived(chars));
  EXPECT_TRUE(party.AllMembersAtBase(chars));
  EXPECT_TRUE(party.AllMembersLinedUp(chars));
  EXPECT_FALSE(party.AllMembersIdleAwayFromDestination(chars));
  EXPECT_TRUE(party.AnyMemberAtDestination(chars));
  EXPECT_EQ(party.FindMemberAtDestination(chars), &Char(chars, 11));
  EXPECT_FALSE(party.HasIdleMemberAwayFromDestination(chars));
  EXPECT_TRUE(party.AnyMemberIdleAtBasePoint(chars));
  EXPECT_TRUE(party.AnyMemberOutOfFormation(chars));

  // The leader marches away; follower 14 is busy. Character 13 is outside the party.
  Char(chars, 11).SetPosition(300, 300);
  Char(chars, 14).SetStateMoving();
  Char(chars, 13).SetPosition(300, 300);
  EXPECT_FALSE(party.AllMembersArrived(chars));
  EXPECT_FALSE(party.AllMembersAtBase(chars));
  EXPECT_FALSE(party.AllMembersLinedUp(chars));
  EXPECT_EQ(party.FindMemberAtDestination(chars), &Char(chars, 12));
  EXPECT_TRUE(party.HasIdleMemberAwayFromDestination(chars));
  EXPECT_TRUE(party.AnyMemberIdleAtBasePoint(chars));  // 12 is idle on its base point
  Char(chars, 12).SetDestination(1, 1);
  Char(chars, 14).SetDestination(1, 1);
  EXPECT_FALSE(party.AnyMemberAtDestination(chars));
  EXPECT_EQ(party.FindMemberAtDestination(chars), nullptr);
  EXPECT_FALSE(party.AllMembersIdleAwayFromDestination(chars));  // 14 is moving
  Char(chars, 14).SetStateThinking();
  EXPECT_TRUE(party.AllMembersIdleAwayFromDestination(chars));

  // In formation until one falls out; breaking the formation frees every member.
  for (std::int32_t id : {11, 12, 14}) SetInFormation(Char(chars, id));
  EXPECT_FALSE(party.AnyMemberOutOfFormation(chars));
  Char(chars, 12).ClearInFormation();
  EXPECT_TRUE(party.AnyMemberOutOfFormation(chars));
  SetInFormation(Char(chars, 12));
  SetInFormation(Char(chars, 13));
  party.BreakFormation(chars);
  for (std::int32_t id : {11, 12, 14}) EXPECT_EQ(Char(chars, id).IsInFormation(), 0) << id;
  EXPECT_EQ(Char(chars, 13).IsInFormation(), 1);

  // Stationed together after a capture.
  party.SetBasePointAll(chars, 700, 800);
  Point p;
  for (std::int32_t id : {11, 12, 14}) EXPECT_EQ(Char(chars, id).GetBasePoint(p), (Point{700, 800})) << id;
  EXPECT_EQ(Char(chars, 13).GetBasePoint(p), (Point{0, 0}));
}

TEST(FieldPartyChecks, ALeaderAloneAndMembersWhoAreNotThere) {
  CharacterList chars = Characters();
  FieldParty alone(1, 11, 0, 0, 0, 0, 0);
  Char(chars, 12).SetPosition(5, 5);  // not in the party: never asked about
  EXPECT_TRUE(alone.AllMembersArrived(chars));
  Char(chars, 11).SetStateMoving();
  EXPECT_FALSE(alone.AllMembersArrived(chars));
  EXPECT_FALSE(alone.AnyMemberIdleAtBasePoint(chars));

  // Ids that name no character are skipped, although the list's find gives its last character
  // for them: character 16, moving, does not spoil the checks.
  CharacterList more = Characters();
  Char(more, 16).SetStateMoving();
  Char(more, 16).SetPosition(9, 9);
  FieldParty ghosts(2, 11, 98, 99, 0, 0, 0);
  EXPECT_TRUE(ghosts.AllMembersArrived(more));
  EXPECT_FALSE(ghosts.HasIdleMemberAwayFromDestination(more));
  ghosts.SetBasePointAll(more, 50, 60);
  Point p;
  EXPECT_EQ(Char(more, 16).GetBasePoint(p), (Point{0, 0}));
  EXPECT_EQ(Char(more, 11).GetBasePoint(p), (Point{50, 60}));

  // Nobody at all: every check over no member.
  CharacterList none;
  EXPECT_TRUE(ghosts.AllMembersAtBase(none));
  EXPECT_FALSE(ghosts.AnyMemberAtDestination(none));
  ghosts.PlaceMember(none, 1);
  ghosts.BreakFormation(none);
}

TEST(FieldPartyList, ActivePartiesInListOrder) {
  FieldPartyList list;
  EXPECT_EQ(list.CountActive(), 0);  // a new game has no party
  for (std::int32_t id = 1; id <= 5; ++id) list.Add(id, 10 + id, 0, 0, 0, 0, 0);
  list.GetAt(1)->SetActive();
  list.GetAt(3)->SetActive();
  EXPECT_EQ(list.CountActive(), 2);
  EXPECT_EQ(list.GetNthActive(0), list.GetAt(1));
  EXPECT_EQ(list.GetNthActive(1), list.GetAt(3));
  EXPECT_EQ(list.GetNthActive(2), nullptr);
  EXPECT_EQ(list.FindById(4), list.GetAt(3));
  EXPECT_EQ(list.FindById(9), nullptr);
  list.GetAt(1)->ClearActive();
  EXPECT_EQ(list.GetNthActive(0), list.GetAt(3));
}
