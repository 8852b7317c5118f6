#include "strict_bmp.h"

#include <cstdint>
#include <fstream>

#include "world/codec.h"

namespace assets_test {

bool ReadStrictBmp(const std::string& path, assets::Image& out, std::string& why) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    why = "missing";
    return false;
  }
  f.seekg(0, std::ios::end);
  std::vector<std::uint8_t> b(static_cast<std::size_t>(f.tellg()));
  f.seekg(0);
  f.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
    why = "not a BMP";
    return false;
  }
  const std::int32_t offset = codec::GetI32(b.data(), 10), header = codec::GetI32(b.data(), 14);
  const std::int32_t width = codec::GetI32(b.data(), 18), height = codec::GetI32(b.data(), 22);
  const int planes = b[26] | b[27] << 8, bits = b[28] | b[29] << 8;
  const std::int32_t compression = codec::GetI32(b.data(), 30);
  if (header != 40 || planes != 1 || bits != 24 || compression != 0) {
    why = "not a plain 24-bit BMP with a 40-byte header";
    return false;
  }
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    why = "bad size (or top-down rows)";
    return false;
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (offset < 54 || b.size() < offset + stride * height) {
    why = "rows missing";
    return false;
  }
  out = assets::Image(width, height);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* src = b.data() + offset + row * stride;
    for (int x = 0; x < width; ++x) out.Set(x, height - 1 - row, {src[3 * x + 2], src[3 * x + 1], src[3 * x]});
  }
  return true;
}

}  // namespace assets_test
