#pragma once
// Sums and products of values read from a save file are taken in 64 bits and brought back to
// the 32-bit range of the game's fields, so that a doctored file cannot make them wrap around.
#include <cstdint>
#include <limits>

inline std::int32_t SaturateToI32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}
