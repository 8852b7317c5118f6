#include "tests/support/headless_test.h"

#include <fstream>
#include <random>

namespace test_support {

TempDir::TempDir() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("valdrim-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedCurrentDir::ScopedCurrentDir(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t palette_entries) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bits / 8 + 3) & ~3u;
  const std::uint32_t offset = 54 + palette_entries * 4;
  const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> out{'B', 'M'};
  Put32(out, offset + image);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bits));
  Put32(out, 0);
  Put32(out, image);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, palette_entries);
  Put32(out, 0);
  return out;
}

}  // namespace

std::vector<std::uint8_t> MakeBmp24(int width, int height, const std::function<COLORREF(int x, int y)>& colour) {
  std::vector<std::uint8_t> out = Headers(width, height, 24, 0);
  const int stride = (width * 3 + 3) & ~3;
  for (int row = 0; row < height; ++row) {
    const int y = height - 1 - row;  // bottom-up
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      out.push_back(static_cast<std::uint8_t>(c >> 16));
      out.push_back(static_cast<std::uint8_t>(c >> 8));
      out.push_back(static_cast<std::uint8_t>(c));
    }
    for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

std::vector<std::uint8_t> MakeBmp8(int width, int height, const std::vector<COLORREF>& palette,
                                   const std::function<int(int x, int y)>& index) {
  std::vector<std::uint8_t> out = Headers(width, height, 8, static_cast<std::uint32_t>(palette.size()));
  for (COLORREF c : palette) {
    out.push_back(static_cast<std::uint8_t>(c >> 16));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(0);
  }
  const int stride = (width + 3) & ~3;
  for (int row = 0; row < height; ++row) {
    const int y = height - 1 - row;
    for (int x = 0; x < width; ++x) out.push_back(static_cast<std::uint8_t>(index(x, y)));
    for (int pad = width; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace test_support
