#include "tests/support/bmp_writer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/text.h"

namespace testpics {
namespace {

std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t palette_bytes,
                                  std::uint32_t colours_used) {
  const std::uint32_t row = (static_cast<std::uint32_t>(width) * (bits / 8) + 3) / 4 * 4;
  const std::uint32_t pixel_offset = 54 + palette_bytes;
  std::vector<std::uint8_t> f(pixel_offset + row * static_cast<std::uint32_t>(height), 0);
  f[0] = 'B';
  f[1] = 'M';
  Put32(f, 2, static_cast<std::uint32_t>(f.size()));
  Put32(f, 10, pixel_offset);
  Put32(f, 14, 40);
  Put32(f, 18, static_cast<std::uint32_t>(width));
  Put32(f, 22, static_cast<std::uint32_t>(height));
  Put16(f, 26, 1);
  Put16(f, 28, static_cast<std::uint16_t>(bits));
  Put32(f, 30, 0);  // BI_RGB
  Put32(f, 34, row * static_cast<std::uint32_t>(height));
  Put32(f, 38, 2835);
  Put32(f, 42, 2835);
  Put32(f, 46, colours_used);
  return f;
}

}  // namespace

void Put16(std::vector<std::uint8_t>& file, std::size_t offset, std::uint16_t v) {
  file.at(offset) = static_cast<std::uint8_t>(v);
  file.at(offset + 1) = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t v) {
  Put16(file, offset, static_cast<std::uint16_t>(v));
  Put16(file, offset + 2, static_cast<std::uint16_t>(v >> 16));
}

std::vector<std::uint8_t> Bmp24(int width, int height, const ColourAt& colour) {
  std::vector<std::uint8_t> f = Headers(width, height, 24, 0, 0);
  const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      std::uint8_t* p = f.data() + 54 + y * row + 3 * x;
      p[0] = static_cast<std::uint8_t>(c >> 16);  // blue
      p[1] = static_cast<std::uint8_t>(c >> 8);   // green
      p[2] = static_cast<std::uint8_t>(c);        // red
    }
  }
  return f;
}

std::vector<std::uint8_t> Bmp8(int width, int height, const std::vector<COLORREF>& palette, const IndexAt& index,
                               std::uint32_t colours_used) {
  std::vector<std::uint8_t> f = Headers(width, height, 8, 1024, colours_used);
  for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
    std::uint8_t* e = f.data() + 54 + 4 * i;
    e[0] = static_cast<std::uint8_t>(palette[i] >> 16);
    e[1] = static_cast<std::uint8_t>(palette[i] >> 8);
    e[2] = static_cast<std::uint8_t>(palette[i]);
  }
  const std::size_t row = (static_cast<std::size_t>(width) + 3) / 4 * 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) f[54 + 1024 + y * row + x] = index(x, y);
  }
  return f;
}

void WriteBitmapFile(const char* cp932_name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = platform::FileSystemPath(std::string("BITMAP/") + cp932_name + ".dat");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path);
}

ScratchFolder::ScratchFolder() {
  namespace fs = std::filesystem;
  previous_ = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "valdrim-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
  fs::create_directory(fs::path(path_) / "BITMAP");
  fs::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(path_, ec);
}

}  // namespace testpics
