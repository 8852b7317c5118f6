#pragma once
// Reading and writing the little-endian words of a record or a file in the tests, and a check
// that a record leaves every unused byte zero.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/world/data_folder.h"

// In a namespace of their own: other test files of this program have helpers of similar names.
namespace filetest {

inline std::int32_t I32At(const std::uint8_t* b, std::size_t off) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[off]) | static_cast<std::uint32_t>(b[off + 1]) << 8 |
                                   static_cast<std::uint32_t>(b[off + 2]) << 16 |
                                   static_cast<std::uint32_t>(b[off + 3]) << 24);
}

inline std::int32_t I32At(const std::vector<std::uint8_t>& b, std::size_t off) { return I32At(b.data(), off); }

inline void PutI32At(std::vector<std::uint8_t>& b, std::size_t off, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[off + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// Checks that every byte of an image outside the given 4-byte words (and single bytes) is zero.
inline void ExpectZeroOutside(const std::uint8_t* image, std::size_t size, const std::vector<std::size_t>& words,
                              const std::vector<std::size_t>& bytes = {}) {
  std::vector<bool> used(size, false);
  for (std::size_t w : words)
    for (std::size_t i = 0; i < 4; ++i) used[w + i] = true;
  for (std::size_t b : bytes) used[b] = true;
  for (std::size_t i = 0; i < size; ++i) {
    if (!used[i]) {
      EXPECT_EQ(image[i], 0) << "byte " << i;
    }
  }
}

// Replaces the current folder's DATAFILE/ by a plain file, so that nothing opens inside it.
inline void BlockDataFolder() {
  std::filesystem::remove_all("DATAFILE");
  std::ofstream("DATAFILE") << "not a folder";
}

}  // namespace filetest

using filetest::ExpectZeroOutside;
using filetest::I32At;
using filetest::PutI32At;
