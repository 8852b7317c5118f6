// Save slots on the real new world: the t record at its offsets, a whole slot saved and loaded
// back, saves that fail part-way keeping the previous slot whole, and damaged slots refused
// whole with the running world untouched.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/save_slot.h"
#include "core/slot_commit.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"
#include "world/codec.h"
#include "world/random.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A world with its thinking screen, as the game object holds them.
struct SlotWorld {
  OwnedWorld w;
  ThinkingScreen thinking;

  bool Save(int slot) {
    return SaveSlot::Save(thinking, w.characters, w.nations, w.cities, w.field_parties, w.divisions, w.name_pool,
                          w.inhabitants, w.trade_goods, slot);
  }
  bool Load(int slot) {
    return SaveSlot::Load(thinking, w.characters, w.nations, w.cities, w.field_parties, w.divisions, w.name_pool,
                          w.inhabitants, w.trade_goods, slot);
  }
};

// Hooks on the save's changes to the files. The first ends the process just before the first
// slot file is renamed, as a crash there would: the nine temporaries and the commit record are on
// the disk.
constexpr int kCrashed = 42;
bool CrashAtFirstRename(platform::FileChange change, const std::string& path) {
  if (change == platform::FileChange::kRename && path.ends_with(".dat")) _exit(kCrashed);
  return true;
}
// The second sends the inhabitants' temporary of slot 2 to a full disk: its data never gets there.
bool InhabitantsToAFullDisk(platform::FileChange change, const std::string& path) {
  return change != platform::FileChange::kFinish || !path.ends_with("datafile2i.dat.new");
}
// The third ends the process at the `cut_at`-th change as a power cut would: a removal of slot 2's
// record, or a rename over it, not yet pushed to the disk by a folder sync is lost. A temporary
// made while such a change waits ends it with kCrashed + 1.
int cut_at = 0;
bool record_change_waits = false;
std::optional<Bytes> record_on_disk;
bool PowerCut(platform::FileChange change, const std::string& path) {
  const fs::path record = slot_commit::RecordPath(2);
  if (--cut_at == 0 || (change == platform::FileChange::kOpen && record_change_waits)) {
    if (record_change_waits && record_on_disk)
      std::ofstream(record).write(reinterpret_cast<const char*>(record_on_disk->data()), std::ssize(*record_on_disk));
    else if (record_change_waits)
      fs::remove(record);
    _exit(cut_at == 0 ? kCrashed : kCrashed + 1);
  }
  if ((change == platform::FileChange::kRemove || change == platform::FileChange::kRename) && path == record &&
      !std::exchange(record_change_waits, true))
    record_on_disk = fs::exists(record) ? std::optional(ReadAll(record)) : std::nullopt;
  if (change == platform::FileChange::kSyncFolder) record_change_waits = false;
  return true;
}

class SaveSlotTest : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    cd_ = std::make_unique<test_support::ScopedCurrentDir>(dir_.Path());
    fs::create_directory("DATAFILE");
    a_.w.Build(1234);
    // Something of every kind: a field party, a player's nation, a turn in progress.
    a_.w.field_parties.Add(7, 1, 2, 16, 0, 0, 0);
    a_.w.nations.GetAt(3)->SetPlayerControlled();
    // Rated as the game rates a world in play.
    for (Character& c : a_.w.characters) {
      c.stats.ComputeHitRate();
      c.stats.ComputeCriticalRate();
      c.stats.ComputeEvasionRate();
      c.stats.ComputeDefenceRate();
      c.stats.ComputeWinRate();
      c.ComputeCombatPower();
    }
    a_.thinking.NewGame();
    ThinkingTurnState& t = a_.thinking.turn;
    t.pointer_x = 11;
    t.click_y = 22;
    t.right_click_x = 33;
    t.city_count = 1;
    t.hiring_candidate_position = -1;
    t.hiring_candidate_count = 4;
    t.acting_nation_index = 3;
    t.turn_order_position = 5;
    t.turn_tick_counter = 7;
    t.information_list_position = 2;
    t.information_list_length = 9;
    t.menu_state = 8;
    t.acting_nation_id = 4;
    t.hiring_icon_state = 3;
    t.player_turn_open = 1;
    t.hiring_list_mode = 1;
    t.minimap_hover = 1;
    t.year = 302;
    t.month = 7;
    t.part_of_month = 2;
    t.turn_count = 58;
    t.game_over = 1;
    t.game_over_turn_count = 12;
  }
  void TearDown() override {
    platform::SetFileChangeHook(nullptr);
    HeadlessTest::TearDown();
  }

  // Every file of a slot, by kind.
  std::map<std::string, Bytes> SlotFiles(int slot) {
    std::map<std::string, Bytes> files;
    for (const char* kind : SaveSlot::kKinds) files[kind] = ReadAll(fs::path("DATAFILE") / SaveSlot::FileName(slot, kind));
    return files;
  }
  // What a world holds, as its slot files would hold it (saved into slot 4 and read back).
  std::map<std::string, Bytes> Snapshot(SlotWorld& s) {
    EXPECT_TRUE(s.Save(4));
    return SlotFiles(4);
  }
  std::vector<std::string> LeftoverTemporaries() {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator("DATAFILE")) {
      const std::string name = e.path().filename().string();
      if (name.ends_with(".new") || name.ends_with(".old") || name.ends_with(".tmp") || name.ends_with(".commit"))
        out.push_back(name);
    }
    return out;
  }

  test_support::TempDir dir_;
  std::unique_ptr<test_support::ScopedCurrentDir> cd_;
  SlotWorld a_;
};

TEST_F(SaveSlotTest, TheTRecordHoldsTheTurnStateAtItsOffsetsAndZeroElsewhere) {
  ThinkingScreen::Record r{};
  r.fill(0xEE);
  SaveSlot::Pack(a_.thinking.turn, r);
  const std::uint8_t* b = r.data();
  EXPECT_EQ(codec::GetI32(b, 0), 11);
  EXPECT_EQ(codec::GetI32(b, 12), 22);
  EXPECT_EQ(codec::GetI32(b, 16), 33);
  EXPECT_EQ(codec::GetI32(b, 28), 1);
  EXPECT_EQ(codec::GetI32(b, 32), -1);
  EXPECT_EQ(codec::GetI32(b, 36), 4);
  EXPECT_EQ(codec::GetI32(b, 56), 3);
  EXPECT_EQ(codec::GetI32(b, 60), 5);
  EXPECT_EQ(codec::GetI32(b, 64), 7);
  EXPECT_EQ(codec::GetI32(b, 68), 2);
  EXPECT_EQ(codec::GetI32(b, 72), 9);
  EXPECT_EQ(codec::GetI32(b, 76), 8);
  EXPECT_EQ(codec::GetI32(b, 80), 4);
  EXPECT_EQ(codec::GetI32(b, 84), 6);
  EXPECT_EQ(codec::GetI32(b, 88), 3);
  EXPECT_EQ(b[92], 1);
  EXPECT_EQ(b[93], 1);
  EXPECT_EQ(b[94], 1);
  EXPECT_EQ(codec::GetI32(b, 224), 302);
  EXPECT_EQ(codec::GetI32(b, 228), 7);
  EXPECT_EQ(codec::GetI32(b, 232), 2);
  EXPECT_EQ(codec::GetI32(b, 236), 58);
  EXPECT_EQ(b[240], 1);
  EXPECT_EQ(codec::GetI32(b, 244), 12);
  auto zero = [&](int from, int to) {
    for (int i = from; i < to; ++i) EXPECT_EQ(b[i], 0) << "reserved byte " << i;
  };
  zero(40, 56);
  zero(95, 224);
  zero(241, 244);
  EXPECT_EQ(SaveSlot::Unpack(r), a_.thinking.turn);
}

TEST_F(SaveSlotTest, ASlotSavedAndLoadedBackGivesTheSameWorld) {
  const auto paints = headless::PaintCount();
  ASSERT_TRUE(a_.Save(2));
  const auto saved = SlotFiles(2);
  ASSERT_EQ(saved.at("t").size(), 248u);
  EXPECT_TRUE(LeftoverTemporaries().empty());

  SlotWorld b;
  b.w.Build(99);  // a different world that the load replaces
  b.thinking.NewGame();
  b.thinking.SetGameSpeed(2);
  b.thinking.SetMusicOff(1);
  ASSERT_TRUE(b.Load(2));
  EXPECT_EQ(b.thinking.turn, a_.thinking.turn);  // saved with menu state 8, loaded as 8
  // Not saved: the settings stay as they were.
  EXPECT_EQ(b.thinking.GetGameSpeed(), 2);
  EXPECT_EQ(b.thinking.IsMusicOff(), 1);
  // Every saved field of every list: the loaded world saves to the same bytes.
  ASSERT_TRUE(b.Save(3));
  const auto again = SlotFiles(3);
  for (const char* kind : SaveSlot::kKinds) {
    const Bytes& x = saved.at(kind);
    const Bytes& y = again.at(kind);
    ASSERT_EQ(x.size(), y.size()) << kind;
    std::size_t first = 0;
    while (first < x.size() && x[first] == y[first]) ++first;
    EXPECT_EQ(first, x.size()) << kind << " differs first at byte " << first;
  }
  EXPECT_EQ(b.w.characters.Count(), 126);
  EXPECT_EQ(b.w.field_parties.Count(), 1);
  // The rates and ratings are recomputed from the loaded stats.
  for (const Character& c : b.w.characters) {
    StatsBlock s = c.stats;
    s.ComputeHitRate();
    s.ComputeWinRate();
    EXPECT_EQ(s.GetHitRate(), c.stats.GetHitRate());
    EXPECT_EQ(s.GetWinRate(), c.stats.GetWinRate());
  }
  for (const Nation& n : b.w.nations)
    for (int id = 1; id <= 8; ++id) EXPECT_EQ(n.GetRelation(id), 0);
  EXPECT_TRUE(headless::Boxes().empty());
  EXPECT_EQ(headless::PaintCount(), paints);
}

TEST_F(SaveSlotTest, SavingAgainOverwritesAllNineFiles) {
  ASSERT_TRUE(a_.Save(2));
  const auto first = SlotFiles(2);
  a_.thinking.SetTurnCount(59);
  a_.w.nations.GetAt(0)->SetFunds(1);
  a_.w.cities.GetAt(0)->SetPopulation(2);
  ASSERT_TRUE(a_.Save(2));
  const auto second = SlotFiles(2);
  EXPECT_NE(second.at("t"), first.at("t"));
  EXPECT_NE(second.at("k"), first.at("k"));
  EXPECT_NE(second.at("b"), first.at("b"));
  EXPECT_TRUE(LeftoverTemporaries().empty());
}

// The three ways a save fails part-way; each must leave the previous slot exactly as it was.
TEST_F(SaveSlotTest, AFullDiskKeepsThePreviousSlotWhole) {
  ASSERT_TRUE(a_.Save(2));
  const auto before = SlotFiles(2);
  a_.thinking.SetYear(999);
  // The inhabitants' file goes to a disk that is full: the write fails only at the flush.
  platform::SetFileChangeHook(InhabitantsToAFullDisk);
  EXPECT_FALSE(a_.Save(2));
  EXPECT_EQ(SlotFiles(2), before);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].text, "エラー！！");
  EXPECT_TRUE(LeftoverTemporaries().empty());
}

// A link to outside the game's folder, left at a temporary's name just as the save makes it.
TEST_F(SaveSlotTest, ALinkAtATemporarysNameIsReplacedNotFollowed) {
  platform::SetFileChangeHook([](platform::FileChange change, const std::string& path) {
    if (change == platform::FileChange::kOpen && path.ends_with("2i.dat.new"))
      fs::create_symlink(fs::absolute("outside"), path);
    return true;
  });
  ASSERT_TRUE(a_.Save(2));
  EXPECT_FALSE(fs::exists("outside"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(fs::path("DATAFILE") / "datafile2i.dat")));
  EXPECT_TRUE(a_.Load(2));
}

TEST_F(SaveSlotTest, AFileThatCannotBePutInPlaceAfterTheCommitIsPutThereLater) {
  ASSERT_TRUE(a_.Save(2));
  a_.thinking.SetYear(999);
  a_.w.nations.GetAt(0)->SetFunds(5);
  const auto fresh = Snapshot(a_);
  // The divisions' file cannot be replaced (a folder with something in it stands at its name),
  // after t, k, b, c and g have already been put in place.
  fs::remove(fs::path("DATAFILE") / "datafile2d.dat");
  fs::create_directories(fs::path("DATAFILE") / "datafile2d.dat" / "x");
  EXPECT_FALSE(a_.Save(2));
  EXPECT_EQ(headless::Boxes().size(), 1u);
  // The save is made (its record is on the disk) but not all in place: nothing reads the slot.
  EXPECT_FALSE(SaveSlot::Recover(2));
  SlotWorld b;
  b.w.Build(99);
  EXPECT_FALSE(b.Load(2));
  EXPECT_EQ(b.w.characters.Count(), 126);
  // Once the way is clear the next reader finishes it: the new save, whole.
  fs::remove_all(fs::path("DATAFILE") / "datafile2d.dat");
  ASSERT_TRUE(SaveSlot::Recover(2));
  EXPECT_EQ(SlotFiles(2), fresh);
  EXPECT_TRUE(LeftoverTemporaries().empty());
  // The record cannot be removed once all nine are in place: the save says so, and the next
  // reader takes the record away.
  platform::SetFileChangeHook([](platform::FileChange change, const std::string& path) {
    return change != platform::FileChange::kRemove || !path.ends_with(".commit");
  });
  EXPECT_FALSE(a_.Save(2));
  platform::SetFileChangeHook(nullptr);
  EXPECT_TRUE(SaveSlot::Recover(2));
  EXPECT_TRUE(LeftoverTemporaries().empty());
}

// What a crash can leave in a slot's folder: temporaries and a commit record, whole, cut short or
// damaged, with some files put in place or not, and what was lost since; each is settled so that
// the slot holds one whole save, or none that is read.
TEST_F(SaveSlotTest, WhatACrashLeftIsSettledIntoOneWholeSave) {
  ASSERT_TRUE(a_.Save(2));
  const auto old = SlotFiles(2);
  a_.thinking.SetYear(303);
  a_.w.nations.GetAt(0)->SetFunds(11);
  a_.w.cities.GetAt(0)->SetPopulation(3);
  const auto fresh = Snapshot(a_);
  // A save of the new state that dies just before its first rename.
  const pid_t child = fork();
  if (child == 0) {
    platform::SetFileChangeHook(CrashAtFirstRename);
    a_.Save(2);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kCrashed);
  ASSERT_EQ(SlotFiles(2), old);
  const fs::path record = slot_commit::RecordPath(2);
  const Bytes record_bytes = ReadAll(record);
  std::map<std::string, Bytes> temporaries;
  for (const char* kind : SaveSlot::kKinds)
    temporaries[kind] = ReadAll(slot_commit::Temporary(RecordFile::DataPath(SaveSlot::FileName(2, kind).c_str())));
  ASSERT_EQ(temporaries, fresh);
  auto write = [](const fs::path& p, const Bytes& bytes) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  };
  auto temporary = [](const char* kind) {
    return fs::path(slot_commit::Temporary(RecordFile::DataPath(SaveSlot::FileName(2, kind).c_str())));
  };
  // The slot as the crash left it, from the old save's files.
  auto crashed = [&] {
    for (const char* kind : SaveSlot::kKinds) {
      write(fs::path("DATAFILE") / SaveSlot::FileName(2, kind), old.at(kind));
      write(temporary(kind), temporaries.at(kind));
    }
    fs::remove(record);
    write(record, record_bytes);
  };
  auto expect_settled = [&](const std::map<std::string, Bytes>& slot, const std::string& what) {
    EXPECT_TRUE(SaveSlot::Recover(2)) << what;
    EXPECT_EQ(SlotFiles(2), slot) << what;
    EXPECT_TRUE(LeftoverTemporaries().empty()) << what;
  };

  // The record whole and every temporary as written: the save is finished, also when some of
  // the temporaries were put in place already.
  crashed();
  expect_settled(fresh, "whole record");
  crashed();
  fs::rename(temporary("t"), fs::path("DATAFILE") / "datafile2t.dat");
  fs::rename(temporary("k"), fs::path("DATAFILE") / "datafile2k.dat");
  expect_settled(fresh, "two already in place");
  // A record that does not read whole is no record: the temporaries go, the old slot stays.
  for (std::size_t cut : {std::size_t{0}, std::size_t{100}, record_bytes.size() - 1}) {
    crashed();
    Bytes part = record_bytes;
    part.resize(cut);
    write(record, part);
    expect_settled(old, "record cut to " + std::to_string(cut));
  }
  crashed();
  Bytes bad = record_bytes;
  bad[20] ^= 1;
  write(record, bad);
  expect_settled(old, "record damaged");
  // A whole record whose temporaries are damaged or missing: the old slot, whole.
  crashed();
  Bytes damaged = temporaries.at("b");
  damaged[damaged.size() / 2] ^= 0x40;
  write(temporary("b"), damaged);
  expect_settled(old, "temporary damaged");
  crashed();
  fs::remove(temporary("k"));  // a kind whose new file differs from the old
  expect_settled(old, "temporary missing");
  // Killed after t was put in place, then k's pending temporary lost, b's damaged, or g's not
  // readable (a folder at its name), or a link at the record's name: neither save is whole or
  // nothing can be decided. Nothing is removed and nothing reads the slot; an undecided slot is
  // not saved over either.
  for (const char* fault : {"k lost", "b damaged", "g a folder", "record a link"}) {
    crashed();
    fs::rename(temporary("t"), fs::path("DATAFILE") / "datafile2t.dat");
    if (fault[0] == 'k') fs::remove(temporary("k"));
    if (fault[0] == 'b') write(temporary("b"), damaged);
    if (fault[0] == 'g') fs::remove(temporary("g")), fs::create_directory(temporary("g"));
    if (fault[0] == 'r') fs::remove(record), fs::create_symlink("nowhere", record);
    const bool undecided = fault[0] == 'g' || fault[0] == 'r';
    const auto names = LeftoverTemporaries();
    const auto files = SlotFiles(2);
    headless::ClearBoxes();
    EXPECT_FALSE(SaveSlot::Recover(2)) << fault;
    SlotWorld b;
    b.thinking.SetYear(1);
    EXPECT_FALSE(b.Load(2)) << fault;
    EXPECT_EQ(b.thinking.GetYear(), 1) << fault;
    if (undecided) {
      EXPECT_FALSE(a_.Save(2));
    }
    EXPECT_EQ(headless::Boxes().size(), undecided ? 2u : 1u) << fault;
    EXPECT_EQ(LeftoverTemporaries(), names) << fault;
    EXPECT_EQ(SlotFiles(2), files) << fault;
  }
  fs::remove(temporary("g"));
  // A damaged slot is saved over whole, and ".old" files (not the game's) stay.
  crashed();
  fs::rename(temporary("t"), fs::path("DATAFILE") / "datafile2t.dat");
  fs::remove(temporary("k"));
  write(fs::path("DATAFILE") / "datafile2k.dat.old", old.at("k"));
  EXPECT_TRUE(a_.Save(2));
  EXPECT_EQ(SlotFiles(2), fresh);
  EXPECT_EQ(LeftoverTemporaries(), std::vector<std::string>{"datafile2k.dat.old"});
  // Leftovers in another slot's name are not this slot's business.
  write(fs::path("DATAFILE") / "datafile3k.dat.new", old.at("k"));
  EXPECT_TRUE(SaveSlot::Recover(2));
  EXPECT_EQ(LeftoverTemporaries().size(), 2u);

  // A later save cut short at each change in turn, over the new save in place beside its record,
  // over the slot damaged by a lost temporary, or over the slot damaged when t and k were in place
  // and the disk then flipped a byte of the record or cut it in half: the slot stays whole (1) or
  // unread (0) until the later save's record is in place, then holds the later save (2).
  a_.thinking.SetYear(304);
  a_.w.nations.GetAt(0)->SetFunds(12);
  const auto later = Snapshot(a_);
  for (int damaged : {0, 1, 2, 3}) {
    std::vector<int> outcomes;
    for (int k = 1, code = kCrashed; code == kCrashed; ++k) {
      crashed();
      fs::rename(temporary("t"), fs::path("DATAFILE") / "datafile2t.dat");
      for (const char* kind : SaveSlot::kKinds) {
        if (!damaged) write(fs::path("DATAFILE") / SaveSlot::FileName(2, kind), fresh.at(kind));
        if (!damaged || kind[0] == 'k') fs::remove(temporary(kind));
      }
      if (damaged > 1) {
        write(fs::path("DATAFILE") / "datafile2k.dat", fresh.at("k"));
        const Bytes half(record_bytes.begin(), record_bytes.begin() + std::ssize(record_bytes) / 2);
        write(record, damaged == 2 ? bad : half);
      }
      const pid_t cut = fork();
      if (cut == 0) {
        cut_at = k;
        platform::SetFileChangeHook(PowerCut);
        _exit(a_.Save(2) ? 0 : 1);
      }
      ASSERT_EQ(waitpid(cut, &status, 0), cut);
      code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      ASSERT_TRUE(code == kCrashed || code == 0) << damaged << " change " << k << " exit " << code;
      outcomes.push_back(!SaveSlot::Recover(2) ? 0 : SlotFiles(2) == fresh ? 1 : SlotFiles(2) == later ? 2 : -1);
    }
    EXPECT_TRUE(std::is_sorted(outcomes.begin(), outcomes.end()) && outcomes[0] == (damaged ? 0 : 1) &&
                outcomes.back() == 2)
        << damaged;
  }
}

TEST_F(SaveSlotTest, AReadOnlyFolderKeepsThePreviousSlotWhole) {
  ASSERT_TRUE(a_.Save(2));
  const auto before = SlotFiles(2);
  a_.thinking.SetYear(999);
  // The folder is made read-only; the superuser is not held back by that, so the save runs in a
  // child process that has given up the superuser's rights.
  fs::permissions(dir_.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                   fs::perms::others_read | fs::perms::others_exec);
  fs::permissions("DATAFILE", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(10);
    headless::ClearBoxes();
    const bool saved = a_.Save(2);
    const bool whole = SlotFiles(2) == before;
    _exit(saved ? 11 : !whole ? 12 : headless::Boxes().size() != 9 ? 13 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  fs::permissions("DATAFILE", fs::perms::owner_all);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10 setuid, 11 saved, 12 slot changed, 13 boxes";
  EXPECT_EQ(SlotFiles(2), before);
}

TEST_F(SaveSlotTest, ADamagedSlotIsRefusedWholeAndTheWorldStaysAsItWas) {
  ASSERT_TRUE(a_.Save(2));
  const auto good = SlotFiles(2);
  SlotWorld b;
  b.w.Build(99);
  b.thinking.NewGame();
  b.thinking.SetYear(333);
  const auto world_before = Snapshot(b);
  const ThinkingTurnState turn_before = b.thinking.turn;
  SlotWorld edge;  // takes the slots that load, so that b stays as it was

  auto write = [](const std::string& kind, const Bytes& bytes) {
    std::ofstream(fs::path("DATAFILE") / SaveSlot::FileName(2, kind.c_str()), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  auto expect_refused = [&](const std::string& what) {
    headless::ClearBoxes();
    EXPECT_FALSE(b.Load(2)) << what;
    EXPECT_EQ(headless::Boxes().size(), 1u) << what;
    EXPECT_EQ(b.thinking.turn, turn_before) << what;
    EXPECT_EQ(Snapshot(b), world_before) << what;
  };
  auto expect_loaded = [&](const std::string& what) {
    headless::ClearBoxes();
    EXPECT_TRUE(edge.Load(2)) << what;
    EXPECT_TRUE(headless::Boxes().empty()) << what;
  };

  // Each file cut short in turn, the rest of the slot good.
  for (const char* kind : SaveSlot::kKinds) {
    Bytes cut = good.at(kind);
    cut.resize(cut.size() / 2);
    write(kind, cut);
    expect_refused(std::string("short ") + kind);
    write(kind, good.at(kind));
  }
  // A name reference outside the table in the first character.
  Bytes bad = good.at("c");
  codec::PutI32(bad.data(), 4, 0x7FFFFFF0);
  write("c", bad);
  expect_refused("character name");
  write("c", good.at("c"));
  // The good t record with one word changed; gives what was changed.
  auto write_t = [&](std::size_t offset, std::int32_t value) {
    Bytes t = good.at("t");
    codec::PutI32(t.data(), offset, value);
    write("t", t);
    return "t offset " + std::to_string(offset) + " value " + std::to_string(value);
  };
  // Turn-state indexes that would reach outside the loaded lists.
  for (std::size_t offset : {56, 60, 24, 28, 32, 68}) expect_refused(write_t(offset, 5000));
  // A turn that no button could let go on: an acting nation id that names no nation, the player's
  // turn open while a computer nation (id 5) acts, a tick counter below 0, a month or a part of
  // the month that the calendar never comes round from, a game-over mark that is neither 0 nor 1.
  for (const auto& [offset, value] : std::vector<std::pair<std::size_t, std::int32_t>>{
           {80, 10}, {80, -1}, {80, INT32_MIN}, {80, 5}, {64, -1}, {64, INT32_MIN}, {228, 0}, {228, 13},
           {232, 0}, {232, 4}, {232, INT32_MIN}, {240, 2}})
    expect_refused(write_t(offset, value));
  // The edges inside those ranges load, as they stand.
  for (const auto& [offset, value] : std::vector<std::pair<std::size_t, std::int32_t>>{
           {228, 1}, {228, 12}, {232, 1}, {232, 3}, {240, 0}, {240, 1}}) {
    const std::string what = write_t(offset, value);
    expect_loaded(what);
    ThinkingScreen::Record loaded;
    SaveSlot::Pack(edge.thinking.turn, loaded);
    EXPECT_EQ(codec::GetI32(loaded.data(), offset), value) << what;
  }
  write("t", good.at("t"));
  // A list longer than the generator's draws reach: the turn order's shuffle, or a recruitment
  // of free divisions, would draw for ever. A list as long as they reach loads.
  auto refused_only_when_longer = [&](auto& list, const auto& add, const std::string& what) {
    const std::int32_t count = list.Count();
    for (std::int32_t id = count; id < rng::kRandSpan; ++id) add(1000 + id);
    ASSERT_TRUE(a_.Save(2));
    expect_loaded(std::to_string(rng::kRandSpan) + what);
    add(1000 + rng::kRandSpan);
    ASSERT_TRUE(a_.Save(2));
    expect_refused(std::to_string(rng::kRandSpan + 1) + what);
    while (list.Count() > count) list.RemoveAt(list.Count() - 1);
  };
  refused_only_when_longer(
      a_.w.nations,
      [&](std::int32_t id) { a_.w.nations.Add(1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, id, 1, 0, 0, 0, 0, 0); },
      " nations");
  refused_only_when_longer(
      a_.w.divisions, [&](std::int32_t id) { a_.w.divisions.Add(1, id, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); },
      " divisions");
  // A second nation with computer flag 0: its turn would wait for a player who never gets it.
  a_.w.nations.GetAt(5)->SetPlayerControlled();
  ASSERT_TRUE(a_.Save(2));
  expect_refused("two players' nations");
  for (const auto& [kind, bytes] : good) write(kind, bytes);
  // A missing file.
  fs::remove(fs::path("DATAFILE") / "datafile2g.dat");
  expect_refused("missing g");
  // Whole again: the slot loads.
  write("g", good.at("g"));
  headless::ClearBoxes();
  EXPECT_TRUE(b.Load(2));
  EXPECT_EQ(b.thinking.GetYear(), 302);
  EXPECT_TRUE(headless::Boxes().empty());
  // A slot number outside 1..4 reads nothing.
  EXPECT_FALSE(b.Load(5));
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(SaveSlotTest, TheHeaderReadersTakeOnlyAWholeRecord) {
  ASSERT_TRUE(a_.Save(2));
  ThinkingScreen t;
  t.NewGame();
  EXPECT_FALSE(SaveSlot::ReadHeader(t, "datafile9t.dat"));
  EXPECT_FALSE(SaveSlot::ReadHeaderPreview(t, "datafile9t.dat"));
  a_.thinking.SetMenuState(23);
  SaveSlot::PackHeader(a_.thinking);
  std::ofstream(fs::path("DATAFILE") / "datafile2t.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(a_.thinking.header_record.data()), 248);
  ASSERT_TRUE(SaveSlot::ReadHeaderPreview(t, "datafile2t.dat"));
  EXPECT_EQ(t.preview.menu_state, 23);  // the preview keeps the stored menu state
  EXPECT_EQ(t.preview.turn_count, 58);
  EXPECT_EQ(t.GetTurnCount(), 1);
  ASSERT_TRUE(SaveSlot::ReadHeader(t, "datafile2t.dat"));
  EXPECT_EQ(t.GetMenuState(), 8);  // a loaded game opens in the system menu
  EXPECT_EQ(t.GetYear(), 302);
  // A short file counts as read and changes nothing.
  fs::resize_file(fs::path("DATAFILE") / "datafile2t.dat", 100);
  t.SetYear(400);
  EXPECT_TRUE(SaveSlot::ReadHeader(t, "datafile2t.dat"));
  EXPECT_EQ(t.GetYear(), 400);
}

}  // namespace
