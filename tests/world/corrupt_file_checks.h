#pragma once
// Checks that a list file read back from damaged bytes gives a defined result: a load that fails
// leaves the list exactly as it was, a load that succeeds gives a list that can be used.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/world/record_bytes.h"
#include "world/random.h"

namespace filetest {

// The bytes a list writes: what it holds, packed as a save would pack it.
template <typename List>
std::vector<std::uint8_t> Fingerprint(const List& list) {
  list.PackAll();
  EXPECT_TRUE(list.Save("fingerprint.dat"));
  return DataFolder::Read("fingerprint.dat");
}

// Loads `bytes` as a file into a list that holds `before`; a refused file must leave it alone.
// Returns whether the load succeeded.
template <typename List>
bool LoadDamaged(const List& before, const std::vector<std::uint8_t>& bytes, List& out) {
  out = before;
  DataFolder::Write("damaged.dat", bytes);
  bool ok = out.Load("damaged.dat");
  if (!ok) {
    EXPECT_EQ(Fingerprint(out), Fingerprint(before));
  }
  return ok;
}

// The framing damage every list file must survive: `good` is a whole file written from a list
// of several records; `before` is what the list holds when the damaged file is read.
// `use` exercises a list that loaded (queries, walks) so that the sanitizers see its values used.
// `boundaries` are the offsets where records and nested counts start: a large file is cut at each
// of them and just around them, and every 61 bytes inside; a small one at every length.
template <typename List, typename Use>
void ExpectFramingDamageIsDefined(const std::vector<std::uint8_t>& good, const List& before, Use use,
                                  const std::vector<std::size_t>& boundaries = {}) {
  List out;
  ASSERT_TRUE(LoadDamaged(before, good, out));
  EXPECT_EQ(Fingerprint(out), good) << "the undamaged file reads back as written";

  std::vector<std::size_t> cuts;
  if (good.size() <= 2048 || boundaries.empty()) {
    for (std::size_t cut = 0; cut < good.size(); ++cut) cuts.push_back(cut);
  } else {
    for (std::size_t b : boundaries)
      for (std::size_t d = 0; d < 6; ++d) {
        if (b + d >= 3 && b + d - 3 < good.size()) cuts.push_back(b + d - 3);
      }
    for (std::size_t cut = 0; cut < good.size(); cut += 61) cuts.push_back(cut);
  }
  for (std::size_t cut : cuts) {
    std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(LoadDamaged(before, part, out)) << "cut at " << cut;
  }

  // Counts that promise more records than the file holds.
  for (std::int32_t count : {INT_MAX, 1 << 20, I32At(good, 0) + 1}) {
    std::vector<std::uint8_t> bytes = good;
    PutI32At(bytes, 0, count);
    EXPECT_FALSE(LoadDamaged(before, bytes, out)) << count;
  }

  // A count of 0 or below reads no record and gives an empty list.
  for (std::int32_t count : {0, -1, INT_MIN}) {
    std::vector<std::uint8_t> bytes = good;
    PutI32At(bytes, 0, count);
    ASSERT_TRUE(LoadDamaged(before, bytes, out)) << count;
    EXPECT_EQ(out.Count(), 0);
    use(out);
  }

  // Bytes after the last record are not read.
  std::vector<std::uint8_t> longer = good;
  longer.insert(longer.end(), {1, 2, 3, 4, 5, 6, 7});
  ASSERT_TRUE(LoadDamaged(before, longer, out));
  EXPECT_EQ(Fingerprint(out), good);

  // Random damage anywhere after the count: refused or loaded, never undefined.
  rng::Srand(77);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint8_t> bytes = good;
    int flips = 1 + rng::Random(8, 0);
    for (int i = 0; i < flips; ++i) {
      auto at = static_cast<std::size_t>(4 + rng::Random(static_cast<int>(bytes.size()) - 4, 0));
      bytes[at] = static_cast<std::uint8_t>(rng::Random(2, 0) ? rng::Random(256, 0) : 0xFF);
    }
    if (LoadDamaged(before, bytes, out)) use(out);
  }
}

// Writes `value` into the 4-byte word at `offset` of a file and expects the load to be refused.
template <typename List>
void ExpectRefused(const std::vector<std::uint8_t>& good, const List& before, std::size_t offset,
                   std::int32_t value) {
  std::vector<std::uint8_t> bytes = good;
  PutI32At(bytes, offset, value);
  List out;
  EXPECT_FALSE(LoadDamaged(before, bytes, out)) << "offset " << offset << " value " << value;
}

}  // namespace filetest
