#pragma once
// Sums and products of values read from a save file are taken in 64 bits and brought back to
// the 32-bit range of the game's fields, so that a doctored file cannot make them wrap around.
#include <algorithm>
#include <cstdint>
#include <limits>

inline std::int32_t SaturateToI32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// value + amount, held to the 32-bit range, for any amount: one beyond +-2^32 takes any value to
// the same end of the range as +-2^32 does, so it is clamped there first and the sum cannot overflow.
inline std::int32_t Plus(std::int32_t value, std::int64_t amount) {
  constexpr std::int64_t kReach = std::int64_t{1} << 32;
  return SaturateToI32(value + std::clamp(amount, -kReach, kReach));
}

// value + amount, at most cap.
inline std::int32_t PlusCapped(std::int32_t value, std::int64_t amount, std::int32_t cap) {
  return std::min(Plus(value, amount), cap);
}

// A running sum of terms up to 2^62 in size (products of two 32-bit values), any number of them.
// The running value is held within +-2^61, far outside the 32-bit range, so it never overflows:
// the result is the exact sum held to the 32-bit range, unless terms of both signs carry the
// running value past +-2^61 on the way, which only a doctored file's huge values can.
class SaturatingSum {
 public:
  void Add(std::int64_t term) { sum_ = std::clamp<std::int64_t>(sum_ + term, -kCap, kCap); }
  std::int32_t Get() const { return SaturateToI32(sum_); }

 private:
  static constexpr std::int64_t kCap = std::int64_t{1} << 61;
  std::int64_t sum_ = 0;
};
