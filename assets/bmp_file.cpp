#include "assets/bmp_file.h"

#include <cstdio>

#include "world/codec.h"

namespace assets {

std::vector<std::uint8_t> EncodeBmp(const Image& img) {
  const int stride = (img.Width() * 3 + 3) / 4 * 4;
  const int pixel_bytes = stride * img.Height();
  std::vector<std::uint8_t> out(54 + static_cast<std::size_t>(pixel_bytes), 0);
  std::uint8_t* p = out.data();
  p[0] = 'B';
  p[1] = 'M';
  codec::PutI32(p, 2, static_cast<std::int32_t>(out.size()));  // file size
  codec::PutI32(p, 10, 54);                                     // offset of the pixel rows
  codec::PutI32(p, 14, 40);                                     // info header size
  codec::PutI32(p, 18, img.Width());
  codec::PutI32(p, 22, img.Height());  // positive: bottom-up rows
  p[26] = 1;                           // planes
  p[28] = 24;                          // bits per pixel
  codec::PutI32(p, 30, 0);             // BI_RGB
  codec::PutI32(p, 34, pixel_bytes);
  codec::PutI32(p, 38, 2835);  // 72 dpi
  codec::PutI32(p, 42, 2835);
  for (int row = 0; row < img.Height(); ++row) {
    // File row 0 is the bottom of the picture.
    int y = img.Height() - 1 - row;
    std::uint8_t* dst = p + 54 + static_cast<std::size_t>(row) * stride;
    for (int x = 0; x < img.Width(); ++x) {
      Rgb c = img.Get(x, y);
      dst[3 * x] = c.b;
      dst[3 * x + 1] = c.g;
      dst[3 * x + 2] = c.r;
    }
  }
  return out;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace assets
