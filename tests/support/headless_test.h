#pragma once
// Test ground shared by the suites: a fixture that starts every test in a fresh headless
// process, a temporary folder that is removed afterwards, and 24-bit and 8-bit BMP files made in
// the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/win.h"

namespace test_support {

// Every test starts with the clock at 0, no window, no timer, no box and a white framebuffer.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override { headless::Reset(); }
  void TearDown() override { headless::Reset(); }
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  // A path inside the folder.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Switches the current folder for the test's lifetime (the game finds BITMAP/, MUSIC/ and
// DATAFILE/ relative to it).
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& dir);
  ~ScopedCurrentDir();
  ScopedCurrentDir(const ScopedCurrentDir&) = delete;
  ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

// The bytes of a BMP file: 24 bits per pixel, bottom-up rows, colour(x, y) with y counted from
// the top row of the picture.
std::vector<std::uint8_t> MakeBmp24(int width, int height, const std::function<COLORREF(int x, int y)>& colour);
// The bytes of an 8-bit BMP file with the given palette (up to 256 entries) and index(x, y).
std::vector<std::uint8_t> MakeBmp8(int width, int height, const std::vector<COLORREF>& palette,
                                   const std::function<int(int x, int y)>& index);
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace test_support
