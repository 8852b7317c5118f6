// The generator, the name table, the record codec and the saturated sums that every world record
// stands on.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>
#include <set>
#include <string_view>

#include "world/codec.h"
#include "world/names.h"
#include "world/random.h"
#include "world/saturate.h"

TEST(Generator, FollowsTheClassicRuntimeSequence) {
  rng::Srand(1);
  EXPECT_EQ(rng::Rand(), 41);
  EXPECT_EQ(rng::Rand(), 18467);
  EXPECT_EQ(rng::Rand(), 6334);
  rng::Srand(12345);
  for (int i = 0; i < 100000; ++i) {
    int v = rng::Rand();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
}

TEST(Generator, RandomTakesModuloAndSkipsEmptyRanges) {
  rng::Srand(1);
  rng::StartRecording();
  EXPECT_EQ(rng::Random(100, 1), 41 % 100 + 1);
  EXPECT_EQ(rng::Random(0, 7), 7);   // no draw
  EXPECT_EQ(rng::Random(-3, 2), 2);  // no draw
  EXPECT_EQ(rng::Random(10, 5), 18467 % 10 + 5);
  // A base from a damaged file at the end of the int range holds the draw there.
  EXPECT_EQ(rng::Random(10, INT_MAX), INT_MAX);
  auto draws = rng::StopRecording();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[1].n, 10);
  EXPECT_EQ(draws[1].base, 5);
}

TEST(Generator, ScriptedValuesComeFirst) {
  rng::Srand(1);
  rng::Script({99, 250});
  EXPECT_EQ(rng::Random(100, 1), 100);
  EXPECT_EQ(rng::Random(100, 0), 50);
  EXPECT_TRUE(rng::ScriptExhausted());
  EXPECT_EQ(rng::Rand(), 41);  // the generator's own sequence resumes untouched
}

TEST(Names, EmptyNameIsReferenceZeroAndRefusedIndexesAreInvalid) {
  EXPECT_EQ(names::Of(""), names::kNone);
  EXPECT_STREQ(names::Text(names::kNone), "");
  EXPECT_FALSE(names::IsValid(-1));
  EXPECT_FALSE(names::IsValid(names::kCount));
  EXPECT_STREQ(names::Text(names::kCount + 5), "");
}

TEST(Codec, LittleEndianFieldsAtTheirOffsets) {
  std::uint8_t buf[24] = {};
  codec::PutI32(buf, 0, -2);
  codec::PutI32(buf, 4, 0x01020304);
  codec::PutF32(buf, 8, 1.5f);
  codec::PutF64(buf, 12, -0.25);
  codec::PutU8(buf, 20, 0xAB);
  EXPECT_EQ(buf[0], 0xFE);
  EXPECT_EQ(buf[3], 0xFF);
  EXPECT_EQ(buf[4], 0x04);
  EXPECT_EQ(buf[7], 0x01);
  EXPECT_EQ(buf[11], 0x3F);  // 1.5f = 0x3FC00000
  EXPECT_EQ(buf[10], 0xC0);
  EXPECT_EQ(buf[19], 0xBF);  // -0.25 = 0xBFD0000000000000
  EXPECT_EQ(buf[18], 0xD0);
  EXPECT_EQ(codec::GetI32(buf, 0), -2);
  EXPECT_EQ(codec::GetF32(buf, 8), 1.5f);
  EXPECT_EQ(codec::GetF64(buf, 12), -0.25);
  EXPECT_EQ(codec::GetU8(buf, 20), 0xAB);
}

TEST(Names, EveryNameStandsOnceInTheTable) {
  // Lines of work merged in parallel can enter a name twice; the second copy would never be
  // found by a lookup and would only shift every later reference.
  std::set<std::string_view> seen;
  for (NameRef i = 1; i < names::kCount; ++i) {
    EXPECT_TRUE(seen.insert(names::Text(i)).second) << "entered twice: index " << i;
  }
}

TEST(SaturatedSums, PlusHoldsAnyAmountToTheIntRange) {
  // The shared sum of an int and a wide amount holds any amount at the range's ends.
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  const std::int32_t least = std::numeric_limits<std::int32_t>::min();
  const std::int64_t wide = std::int64_t{1} << 32;
  EXPECT_EQ(Plus(big, std::numeric_limits<std::int64_t>::max()), big);
  EXPECT_EQ(Plus(-1, std::numeric_limits<std::int64_t>::min()), least);
  EXPECT_EQ(Plus(least, wide - 1), big);
  EXPECT_EQ(Plus(big, 1 - wide), least);
  EXPECT_EQ(Plus(least, wide / 2), 0);
}
