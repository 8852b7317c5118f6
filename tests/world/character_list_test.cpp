// The character list: its file with the nested skill and relation lists, and access by index,
// id and name.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/world/character_test_util.h"
#include "tests/world/data_folder.h"
#include "world/character_list.h"
#include "world/codec.h"
#include "world/names.h"

using test_chars::ExpectSameCharacter;
using test_chars::MakeSkill;

namespace {

const NameRef kNames[] = {names::Of("民間兵"), names::Of("民間兵R"), names::Of("民間兵A")};

// Three characters with skills, both relation lists and stats of their own.
void BuildThree(CharacterList& list) {
  for (int i = 0; i < 3; ++i) {
    list.Add(kNames[i], kNames[(i + 1) % 3], kNames[(i + 2) % 3], kNames[i], 10 + i, 100 * i, 50 * i, i + 1,
             i, 0, 4, 1, 0, 1, 0);
    Character& c = *list.GetAt(i);
    c.stats.SetMaxHp(100 + i);
    c.stats.SetAttack(20 + i);
    c.stats.SetCombatPower(-7);  // stale: a load recomputes it
    c.stats.SetAttacksMade(4);
    c.stats.SetHitCount(3);
    c.stats.ComputeHitRate();
    for (int k = 0; k < i + 1; ++k) {
      Skill s = MakeSkill(k, k, 2 * k, 3 * k, k + 1, 100 + k);
      s.PackSaveImage();
      c.skills.AddImage(s.SaveImageBytes());
    }
    for (int key = 1; key <= 7; ++key) c.nation_relations.Add(key, 10 * key + i, key + i);
    for (int key = 1; key <= 17; ++key) c.division_relations.Add(key, key + i, 2 * key);
    c.nation_relations.GetAt(2)->SetWilling();
    c.SetRankingPosition(3 - i);
    c.SetApproachPoint(5, 6);
    c.SetPoisoned();
  }
}

}  // namespace

TEST(CharacterFile, RoundTripWithNestedListsInOrder) {
  DataFolder folder;
  CharacterList list;
  BuildThree(list);
  list.PackAll();
  ASSERT_TRUE(list.Save("datafile1c.dat"));

  // count, then per character: record, skills (count + 256 each), 7 and 17 relations (16 each).
  std::vector<std::uint8_t> bytes = folder.Read("datafile1c.dat");
  std::size_t expected = 4;
  for (int i = 0; i < 3; ++i) expected += 5936 + 4 + 256 * (i + 1) + 4 + 16 * 7 + 4 + 16 * 17;
  ASSERT_EQ(bytes.size(), expected);
  EXPECT_EQ(codec::GetI32(bytes.data(), 0), 3);
  EXPECT_EQ(codec::GetI32(bytes.data(), 4 + 16), 10);      // the first id
  EXPECT_EQ(codec::GetI32(bytes.data(), 4 + 5936), 1);     // its skill count
  EXPECT_EQ(codec::GetI32(bytes.data(), 4 + 5936 + 260), 7);  // its nation relation count

  CharacterList back;
  back.Add(kNames[0], 0, 0, 0, 99, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0);  // removed by the load
  ASSERT_TRUE(back.Load("datafile1c.dat"));
  ASSERT_EQ(back.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    Character& orig = *list.GetAt(i);
    Character& got = *back.GetAt(i);
    EXPECT_EQ(got.GetId(), 10 + i);
    // The plain formula on the stats just read; the rates read 0; the willing flags read 0.
    StatsBlock plain = orig.stats;
    plain.ComputeCombatPower();
    EXPECT_EQ(got.stats.GetCombatPower(), plain.GetCombatPower());
    EXPECT_NE(got.stats.GetCombatPower(), -7);
    EXPECT_EQ(got.stats.GetHitRate(), 0);
    EXPECT_EQ(got.nation_relations.GetAt(2)->IsWilling(), 0);
    // Everything else as saved, once what a load does not restore is set aside.
    Character expect = orig;
    expect.stats.CopyFrom(orig.stats);
    expect.stats.ComputeCombatPower();
    expect.nation_relations.GetAt(2)->ClearWilling();
    expect.SetRankingPosition(0);
    expect.SetApproachPoint(0, 0);
    expect.ClearPoisoned();
    ExpectSameCharacter(expect, got);
  }
}

TEST(CharacterFile, EmptyListsAndRefusedFiles) {
  DataFolder folder;
  CharacterList empty;
  ASSERT_TRUE(empty.Save("datafile2c.dat"));
  EXPECT_EQ(folder.Read("datafile2c.dat"), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  CharacterList list;
  BuildThree(list);
  ASSERT_TRUE(list.Load("datafile2c.dat"));
  EXPECT_EQ(list.Count(), 0);

  BuildThree(list);
  EXPECT_FALSE(list.Load("missing.dat"));
  EXPECT_EQ(list.Count(), 3);

  // A file cut inside a character's nested lists, or naming an unknown name, changes nothing.
  list.PackAll();
  ASSERT_TRUE(list.Save("datafile3c.dat"));
  std::vector<std::uint8_t> bytes = folder.Read("datafile3c.dat");
  CharacterList other;
  other.Add(kNames[0], 0, 0, 0, 99, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0);
  for (std::size_t cut : {std::size_t{4 + 5936 + 2}, std::size_t{4 + 5936 + 4 + 256 + 30}, bytes.size() - 1}) {
    folder.Write("cut.dat", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
    EXPECT_FALSE(other.Load("cut.dat"));
    ASSERT_EQ(other.Count(), 1);
    EXPECT_EQ(other.GetAt(0)->GetId(), 99);
  }
  std::vector<std::uint8_t> bad = bytes;
  codec::PutI32(bad.data(), 4 + 8, names::kCount + 3);
  folder.Write("bad.dat", bad);
  EXPECT_FALSE(other.Load("bad.dat"));
  EXPECT_EQ(other.Count(), 1);
}

TEST(CharacterListAccess, IndexIdAndName) {
  CharacterList list;
  EXPECT_EQ(list.FindById(5), nullptr);  // an empty list has no last character to fall back on
  EXPECT_EQ(list.GetAt(0), nullptr);
  BuildThree(list);
  EXPECT_EQ(list.GetAt(2)->GetId(), 12);
  EXPECT_EQ(list.GetAt(3), nullptr);
  EXPECT_EQ(list.GetAt(-1), nullptr);
  EXPECT_EQ(list.FindById(11), list.GetAt(1));
  EXPECT_EQ(list.FindById(999), list.GetAt(2));  // the last character stands in
  EXPECT_EQ(list.FindByName(kNames[1]), list.GetAt(1));
  EXPECT_EQ(list.FindByName(names::kNone), nullptr);
}
