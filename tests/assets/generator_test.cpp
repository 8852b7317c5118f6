// The generator writes the same bytes on every run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "assets/generator.h"

namespace {

std::vector<char> Bytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  f.seekg(0, std::ios::end);
  std::vector<char> b(f ? static_cast<std::size_t>(f.tellg()) : 0);
  f.seekg(0);
  f.read(b.data(), static_cast<std::streamsize>(b.size()));
  return b;
}

}  // namespace

TEST(Generator, WritesTheSameBytesAsTheBuildDid) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("valdrim_assets_" + std::to_string(::getpid()));
  std::string error;
  ASSERT_TRUE(assets::GenerateAll(dir.string(), error)) << error;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const fs::path built = fs::path(VALDRIM_GAME_DIR) / fs::relative(entry.path(), dir);
    EXPECT_TRUE(Bytes(entry.path()) == Bytes(built)) << built;
  }
  EXPECT_EQ(files, 161 + 3);
  fs::remove_all(dir);
}
