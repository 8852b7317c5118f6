#pragma once
// Small rules that several end-of-turn steps share: the game's draw, additions that cannot wrap
// around on a doctored save, and the ids the steps test for.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "world/random.h"
#include "world/saturate.h"

namespace end_of_turn::rules {

inline constexpr std::int32_t kNoNation = 15;  // unaffiliated characters, free divisions
inline constexpr std::int32_t kLords = 16;
inline constexpr std::int32_t kRankKing = 0;
inline constexpr std::int32_t kRankVassal = 1;
inline constexpr std::int32_t kRankLord = 3;

// The game's draw: base to base + n - 1; n below 1 draws nothing and gives base.
inline int Random(int n, int base) { return rng::Random(n, base); }

// A draw whose range is worked out from saved values. Ranges beyond the generator's 0..32767 give
// the same numbers whatever their size, so a range too wide for 32 bits is drawn as the widest one.
inline int RandomOver(std::int64_t n, std::int64_t base) {
  const auto max = std::numeric_limits<std::int32_t>::max();
  return rng::Random(static_cast<int>(std::min<std::int64_t>(n, max)), SaturateToI32(base));
}

// value - amount, at least floor, for any amount: the smallest 64-bit amount has no negative and
// is taken as the next one up, which Plus takes to the same end of the range.
inline std::int32_t MinusFloored(std::int32_t value, std::int64_t amount, std::int32_t floor) {
  return std::max(Plus(value, -std::max(amount, -std::numeric_limits<std::int64_t>::max())), floor);
}

}  // namespace end_of_turn::rules
