#include "media/work_bitmap.h"

#include <algorithm>

int WorkBitmap::StretchToDC(HDC dc, int src_x, int src_y, int src_w, int src_h, int dst_x, int dst_y, int dst_w,
                            int dst_h, const BITMAPINFOHEADER* header, const void* pixels) {
  if (!header || !pixels) return 0;
  BITMAPINFO info{};
  info.bmiHeader = *header;
  return StretchDIBits(dc, dst_x, dst_y, dst_w, dst_h, src_x, src_y, src_w, src_h, pixels, &info, DIB_RGB_COLORS,
                       SRCCOPY);
}

bool WorkBitmap::AdjustBrightness(const BITMAPINFOHEADER* header, void* pixels, int offset) {
  if (!header || !pixels) return false;
  const std::int64_t width = header->biWidth;
  const std::int64_t height = header->biHeight;
  if (width <= 0 || height <= 0) return true;
  // Rows are walked by the padded stride, so widths that are not a multiple of 4 fade evenly.
  const std::int64_t stride = RowStride24(width);
  auto* base = static_cast<std::uint8_t*>(pixels);
  for (std::int64_t y = 0; y < height; ++y) {
    std::uint8_t* p = base + y * stride;
    for (std::int64_t i = 0; i < width * 3; ++i) {
      p[i] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(p[i] + std::int64_t{offset}, 0, 255));
    }
  }
  return true;
}
