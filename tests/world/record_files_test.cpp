// The record-file rules of the world lists, on a top-level list whose elements carry the nested
// skill, tactic, policy and relation lists (as characters and nations do), and on a nested list
// read by itself: all-or-nothing loads, checked saves, and damaged files that never crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <filesystem>
#include <random>
#include <vector>

#include "data_folder.h"
#include "world/chance_record.h"
#include "world/codec.h"
#include "world/policy.h"
#include "world/record_file.h"
#include "world/record_list.h"
#include "world/relation_list.h"
#include "world/skill.h"
#include "world/skill_slots.h"
#include "world/stats_block.h"
#include "world/tactic.h"

namespace {

constexpr NameRef kSkillName = names::Of("斬撃（縦）");
constexpr NameRef kTacticName = names::Of("猛攻ＬＶ１");
constexpr NameRef kPolicyName = names::Of("軍議ＬＶ１");

// An owner of nested lists: an 8-byte record (id, value) followed by its skills, tactics,
// policies and relations.
struct Owner {
  static constexpr std::size_t kImageSize = 8;
  std::int32_t id = 0;
  std::int32_t value = 0;
  SkillList skills;
  TacticList tactics;
  PolicyList policies;
  RelationList relations;
  std::array<std::uint8_t, kImageSize> image{};

  std::int32_t GetId() const { return id; }
  void PackSaveImage() {
    codec::PutI32(image.data(), 0, id);
    codec::PutI32(image.data(), 4, value);
  }
  const std::uint8_t* SaveImageBytes() const { return image.data(); }
  bool LoadSaveImage(const std::uint8_t* in) {
    id = codec::GetI32(in, 0);
    value = codec::GetI32(in, 4);
    return true;
  }
  bool ReadNested(RecordFile& f) {
    return skills.Read(f) && tactics.Read(f) && policies.Read(f) && relations.Read(f);
  }
  bool WriteNested(RecordFile& f) {
    return skills.Write(f) && tactics.Write(f) && policies.Write(f) && relations.Write(f);
  }
};

class OwnerList : public RecordList<OwnerList, Owner> {};

void AddSkill(SkillList& list, std::int32_t id, std::int32_t kind) {
  list.AddAttack(kSkillName, id, kind, 0, 1, 30, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1.3f, 0, 1, -10,
                 0, 0, 2, names::kNone, 0, 1, 0, 0, 5, 5, 0, 0, 0, 2, names::kNone, 0, 0, 0, 2);
}

void AddTactic(TacticList& list, std::int32_t id) {
  list.Add(kTacticName, id, 0, 0, 1.2, 1.0, 2, 0, 0, 1, 4, 0, 0, 1.2f, 0, 20 * id, 0, 0, 99, 1,
           40 * id, names::kNone, 0, 1, 0, 0, 5, 5, 0, 0, 0, 2, names::kNone, 0, 0, 0, 2);
}

// Three owners with lists of different lengths (one of them empty).
OwnerList World() {
  OwnerList list;
  for (std::int32_t n = 0; n < 3; ++n) {
    Owner o;
    o.id = 100 + n;
    o.value = -n;
    for (std::int32_t i = 0; i < n; ++i) AddSkill(o.skills, 10 * n + i, i);
    for (std::int32_t i = 0; i < 2 - n; ++i) AddTactic(o.tactics, 1 + i);
    for (std::int32_t i = 0; i <= n; ++i) o.policies.Add(kPolicyName, 9 + i, 2, 20, 0, 500, 1000.0f, 10, 1, 40, i % 2);
    for (std::int32_t k = 1; k <= 7; ++k) o.relations.Add(k, 10 * k + n, k * n);
    list.Append(std::move(o));
  }
  return list;
}

// What a list would save, as bytes (the state a failed load must leave untouched).
std::vector<std::uint8_t> Snapshot(const OwnerList& list) {
  list.PackAll();
  EXPECT_TRUE(list.Save("snapshot"));
  return DataFolder::Read("snapshot");
}

class RecordFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    OwnerList w = World();
    ASSERT_TRUE(Save(w, "good"));
    good_ = DataFolder::Read("good");
  }
  static bool Save(const OwnerList& list, const char* name) {
    list.PackAll();
    return list.Save(name);
  }
  // A list already holding something, to see whether a load replaces it.
  static OwnerList Previous() {
    OwnerList list;
    Owner o;
    o.id = 7;
    AddSkill(o.skills, 1, 0);
    list.Append(std::move(o));
    return list;
  }

  DataFolder folder_;
  std::vector<std::uint8_t> good_;
};

}  // namespace

TEST_F(RecordFiles, SavedWorldLoadsBackWholeAndInOrder) {
  // count, then per owner: 8 bytes, skills, tactics, policies, 7 relations.
  std::size_t expected = 4;
  for (int n = 0; n < 3; ++n)
    expected += 8 + 4 + 256 * n + 4 + 272 * (2 - n) + 4 + 44 * (n + 1) + 4 + 16 * 7;
  ASSERT_EQ(good_.size(), expected);
  EXPECT_EQ(codec::GetI32(good_.data(), 0), 3);
  EXPECT_FALSE(DataFolder::Exists("good.tmp"));

  OwnerList back = Previous();
  ASSERT_TRUE(back.Load("good"));
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(back.GetAt(2)->id, 102);
  EXPECT_EQ(back.GetAt(2)->skills.Count(), 2);
  EXPECT_EQ(back.GetAt(0)->tactics.GetCount(), 2);
  EXPECT_EQ(back.GetAt(1)->policies.GetAt(1)->IsAvailable(), 1);
  EXPECT_EQ(back.GetAt(1)->relations.Find(3)->GetFriendship(), 31);
  EXPECT_EQ(Snapshot(back), good_);

  OwnerList empty;
  ASSERT_TRUE(Save(empty, "empty"));
  EXPECT_EQ(DataFolder::Read("empty"), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(RecordFiles, FilesThatDoNotOpenOrEndEarlyLeaveTheListAsItWas) {
  OwnerList list = Previous();
  const auto before = Snapshot(list);

  EXPECT_FALSE(list.Load("missing"));
  EXPECT_EQ(Snapshot(list), before);

  DataFolder::Write("zero", {});
  EXPECT_FALSE(list.Load("zero"));
  EXPECT_EQ(Snapshot(list), before);

  DataFolder::Write("short_count", {3, 0});
  EXPECT_FALSE(list.Load("short_count"));
  EXPECT_EQ(Snapshot(list), before);

  // A count far beyond the records present: refused at the first missing record.
  std::vector<std::uint8_t> huge;
  PushI32(huge, INT_MAX);
  DataFolder::Write("huge", huge);
  EXPECT_FALSE(list.Load("huge"));
  EXPECT_EQ(Snapshot(list), before);

  // The second owner's record cut in half.
  const std::size_t first_owner_end = 4 + 8 + 4 + 4 + 2 * 272 + 4 + 44 + 4 + 7 * 16;
  DataFolder::Write("short_record", std::vector<std::uint8_t>(good_.begin(), good_.begin() + first_owner_end + 4));
  EXPECT_FALSE(list.Load("short_record"));
  EXPECT_EQ(Snapshot(list), before);

  // The first owner's record whole, then the file ends where its skill count should be.
  DataFolder::Write("no_nested_count", std::vector<std::uint8_t>(good_.begin(), good_.begin() + 12));
  EXPECT_FALSE(list.Load("no_nested_count"));
  EXPECT_EQ(Snapshot(list), before);

  // ... or where its policy count should be, after its skills and tactics.
  DataFolder::Write("no_policy_count",
                    std::vector<std::uint8_t>(good_.begin(), good_.begin() + 12 + 4 + 4 + 2 * 272));
  EXPECT_FALSE(list.Load("no_policy_count"));
  EXPECT_EQ(Snapshot(list), before);
}

TEST_F(RecordFiles, CountsOfZeroOrBelowGiveAnEmptyListAndTrailingBytesAreIgnored) {
  for (std::int32_t count : {0, -1, INT_MIN}) {
    OwnerList list = Previous();
    std::vector<std::uint8_t> bytes;
    PushI32(bytes, count);
    bytes.push_back(0x55);  // ignored
    DataFolder::Write("count", bytes);
    EXPECT_TRUE(list.Load("count")) << count;
    EXPECT_EQ(list.Count(), 0) << count;
  }
  auto trailing = good_;
  trailing.insert(trailing.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
  DataFolder::Write("trailing", trailing);
  OwnerList list;
  ASSERT_TRUE(list.Load("trailing"));
  EXPECT_EQ(Snapshot(list), good_);
}

TEST_F(RecordFiles, NestedListReadByItself) {
  RelationList relations;
  relations.Add(1, 50, 3);
  auto read = [&relations](const std::vector<std::uint8_t>& bytes) {
    DataFolder::Write("nested", bytes);
    RecordFile f;
    EXPECT_TRUE(f.OpenRead(DataFolder::Path("nested")));
    return relations.Read(f);
  };
  EXPECT_FALSE(read({}));  // the count is missing
  EXPECT_EQ(relations.Count(), 1);
  std::vector<std::uint8_t> two_and_a_half;
  PushI32(two_and_a_half, 3);
  for (std::int32_t w : {2, 60, 4, 0, 3, 70, 5, 0, 4}) PushI32(two_and_a_half, w);
  EXPECT_FALSE(read(two_and_a_half));  // the third record is short
  ASSERT_EQ(relations.Count(), 1);
  EXPECT_EQ(relations.GetAt(0)->GetFriendship(), 50);
  std::vector<std::uint8_t> negative;
  PushI32(negative, -4);
  EXPECT_TRUE(read(negative));
  EXPECT_EQ(relations.Count(), 0);
  two_and_a_half.resize(4 + 32);
  codec::PutI32(two_and_a_half.data(), 0, 2);
  EXPECT_TRUE(read(two_and_a_half));
  ASSERT_EQ(relations.Count(), 2);
  EXPECT_EQ(relations.GetAt(1)->GetFriendship(), 70);
}

TEST_F(RecordFiles, FailedSavesReturnFalseAndKeepThePreviousFile) {
  OwnerList list = World();
  list.GetAt(0)->value = 999;  // differs from the saved "good"

  // A full disk: the temporary file's data does not reach the disk.
  platform::SetFileChangeHook([](platform::FileChange change, const std::string&) {
    return change != platform::FileChange::kFinish;
  });
  EXPECT_FALSE(Save(list, "good"));
  platform::SetFileChangeHook(nullptr);
  EXPECT_EQ(DataFolder::Read("good"), good_);
  EXPECT_FALSE(DataFolder::Exists("good.tmp"));

  // A folder where no file can be made: DATAFILE is itself a file (root ignores permissions).
  {
    DataFolder other;
    std::filesystem::remove("DATAFILE");
    std::ofstream("DATAFILE") << "not a folder";
    EXPECT_FALSE(Save(list, "good"));
    OwnerList nothing;
    EXPECT_FALSE(nothing.Load("good"));
  }

  // A name that cannot be renamed into place (a folder stands there).
  std::filesystem::create_directory(DataFolder::Path("taken"));
  EXPECT_FALSE(Save(list, "taken"));
  EXPECT_FALSE(DataFolder::Exists("taken.tmp"));

  // And the working case replaces the file.
  EXPECT_TRUE(Save(list, "good"));
  EXPECT_NE(DataFolder::Read("good"), good_);
}

TEST_F(RecordFiles, DamagedFilesGiveFalseOrAWholeListNeverACrash) {
  OwnerList list = Previous();
  const auto before = Snapshot(list);

  // Every truncation is refused and leaves the list alone.
  for (std::size_t n = 0; n < good_.size(); n += (n < 64 ? 1 : 7)) {
    DataFolder::Write("cut", std::vector<std::uint8_t>(good_.begin(), good_.begin() + static_cast<std::ptrdiff_t>(n)));
    ASSERT_FALSE(list.Load("cut")) << n;
  }
  EXPECT_EQ(Snapshot(list), before);

  // Random damage: flipped bytes and words overwritten with extreme values. A load either
  // refuses the file (list unchanged) or gives a list that saves and loads back the same.
  std::mt19937 gen(20240611);
  const std::int32_t extremes[] = {INT_MIN, -1, INT_MAX, 0x7FFF0000, names::kCount, 1 << 20, 2};
  int accepted = 0, refused = 0;
  for (int trial = 0; trial < 1500; ++trial) {
    auto bytes = good_;
    const int damage = 1 + static_cast<int>(gen() % 4);
    for (int d = 0; d < damage; ++d) {
      std::size_t at = gen() % bytes.size();
      if (gen() % 2 == 0) {
        bytes[at] ^= static_cast<std::uint8_t>(1 + gen() % 255);
      } else {
        at -= at % 4;
        if (at + 4 <= bytes.size()) codec::PutI32(bytes.data(), at, extremes[gen() % 7]);
      }
    }
    DataFolder::Write("damaged", bytes);
    OwnerList loaded = Previous();
    if (loaded.Load("damaged")) {
      ++accepted;
      auto saved = Snapshot(loaded);
      DataFolder::Write("again", saved);
      OwnerList again;
      ASSERT_TRUE(again.Load("again")) << trial;
      ASSERT_EQ(Snapshot(again), saved) << trial;
    } else {
      ++refused;
      ASSERT_EQ(Snapshot(loaded), before) << trial;
    }
  }
  EXPECT_GT(accepted, 0);
  EXPECT_GT(refused, 0);
}

TEST(RecordBlocks, DamagedBlocksAreReadSafely) {
  // Random bytes as a stats block, a chance record and skill slots: a name outside the table
  // is refused, anything else is taken; nothing reads outside the block.
  std::mt19937 gen(5);
  std::vector<std::uint8_t> bytes(SkillSlots::kImageSize);
  int refused = 0;
  for (int trial = 0; trial < 300; ++trial) {
    for (auto& b : bytes) b = static_cast<std::uint8_t>(gen());
    if (trial % 2 == 0) {
      // Valid names everywhere, so that the rest of the block is taken.
      for (std::size_t off : {std::size_t{0}}) codec::PutI32(bytes.data(), off, kSkillName);
      for (std::size_t s : {4, 532, 1056, 1580, 2104, 2624, 3144})
        for (std::size_t half : {0, 256})
          for (std::size_t n : {0, 192, 236}) codec::PutI32(bytes.data(), s + half + n, 0);
      for (std::size_t half : {0, 272})
        for (std::size_t n : {0, 204, 248}) codec::PutI32(bytes.data(), 3664 + half + n, 0);
    }
    StatsBlock stats;
    ChanceRecord chances;
    SkillSlots slots;
    bool ok_stats = stats.ReadImage(bytes.data());
    chances.ReadImage(bytes.data());
    bool ok_slots = slots.ReadImage(bytes.data());
    refused += !ok_slots;
    if (trial % 2 == 0) {
      ASSERT_TRUE(ok_stats);
      ASSERT_TRUE(ok_slots);
      std::vector<std::uint8_t> out(SkillSlots::kImageSize);
      slots.WriteImage(out.data());
      SkillSlots again;
      ASSERT_TRUE(again.ReadImage(out.data()));
      for (int step = -2; step < 6; ++step) (void)slots.GetAttackSkill().GetAnimColumn(step);
      stats.ComputeCombatPower();
      stats.ComputeHitRate();
      stats.ComputeCriticalRate();
      stats.ComputeDefenceRate();
      stats.ComputeEvasionRate();
      stats.ComputeWinRate();
      stats.ComputeDomesticPower();
      stats.CompleteStudy();
      chances.ShuffleActionWeights();
    }
  }
  EXPECT_GT(refused, 0);
}
