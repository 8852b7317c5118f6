#pragma once
// A fresh current folder holding an empty DATAFILE/ for the life of a test, and small helpers to
// read and write the raw bytes of its files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// In a namespace of their own: other test files of this program have helpers of similar names.
namespace filetest {

class DataFolder {
 public:
  DataFolder() {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "valdrim-world-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) std::abort();
    root_ = buf.data();
    std::filesystem::create_directory(root_ / "DATAFILE");
    std::filesystem::current_path(root_);
  }
  ~DataFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;

  static std::string PathOf(const std::string& name) { return "DATAFILE/" + name; }

  static std::vector<std::uint8_t> ReadBytes(const std::string& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  // Replaces DATAFILE/ by a plain file, so that nothing can be opened or written inside it.
  void BlockDataFolder() {
    std::filesystem::remove_all(root_ / "DATAFILE");
    std::ofstream(root_ / "DATAFILE") << "not a folder";
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};

inline std::int32_t I32At(const std::vector<std::uint8_t>& b, std::size_t off) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[off]) | static_cast<std::uint32_t>(b[off + 1]) << 8 |
                                   static_cast<std::uint32_t>(b[off + 2]) << 16 |
                                   static_cast<std::uint32_t>(b[off + 3]) << 24);
}

inline std::int32_t I32At(const std::uint8_t* b, std::size_t off) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[off]) | static_cast<std::uint32_t>(b[off + 1]) << 8 |
                                   static_cast<std::uint32_t>(b[off + 2]) << 16 |
                                   static_cast<std::uint32_t>(b[off + 3]) << 24);
}

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

}  // namespace filetest

using filetest::I32At;
using filetest::PutI32At;
using filetest::ExpectZeroOutside;
