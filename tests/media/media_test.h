#pragma once
// Ground for the picture tests: a folder with BITMAP/ as the current folder, picture files
// written under their game names, byte patches for breaking them, and the boxes shown.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/text.h"
#include "platform/win.h"
#include "tests/support/headless_test.h"

namespace media_test {

using Bytes = std::vector<std::uint8_t>;
// Colour or palette index of pixel x of row y, rows counted from the BOTTOM as on a canvas.
using ColourAt = std::function<COLORREF(int x, int y)>;
using IndexAt = std::function<int(int x, int y)>;

inline Bytes Bmp24(int width, int height, const ColourAt& colour) {
  return test_support::MakeBmp24(width, height, [&](int x, int y) { return colour(x, height - 1 - y); });
}
// An 8-bit file with a full 256-entry colour table behind the info header.
inline Bytes Bmp8(int width, int height, std::vector<COLORREF> palette, const IndexAt& index) {
  palette.resize(256);
  return test_support::MakeBmp8(width, height, palette, [&](int x, int y) { return index(x, height - 1 - y); });
}

inline void Put16(Bytes& file, std::size_t offset, std::uint16_t v) {
  file.at(offset) = static_cast<std::uint8_t>(v);
  file.at(offset + 1) = static_cast<std::uint8_t>(v >> 8);
}
inline void Put32(Bytes& file, std::size_t offset, std::uint32_t v) {
  Put16(file, offset, static_cast<std::uint16_t>(v));
  Put16(file, offset + 2, static_cast<std::uint16_t>(v >> 16));
}

// "BITMAP/<name>.dat" under the current folder, the CP932 name stored in its UTF-8 form as the
// game's picture files are.
inline std::string BitmapPath(const char* cp932_name) {
  return platform::FileSystemPath(std::string("BITMAP/") + cp932_name + ".dat");
}
inline void WriteBitmapFile(const char* cp932_name, const Bytes& bytes) {
  ASSERT_TRUE(test_support::WriteFile(BitmapPath(cp932_name), bytes)) << BitmapPath(cp932_name);
}

// A fresh headless process and a fresh current folder holding an empty BITMAP/.
class PictureTest : public test_support::HeadlessTest {
 protected:
  PictureTest() : here_(dir_.Path()) { std::filesystem::create_directory(dir_.Path() / "BITMAP"); }

 private:
  test_support::TempDir dir_;
  test_support::ScopedCurrentDir here_;
};

// The boxes shown since the last call, oldest first.
inline std::vector<headless::Box> TakeBoxes() {
  std::vector<headless::Box> boxes = headless::Boxes();
  headless::ClearBoxes();
  return boxes;
}

}  // namespace media_test
