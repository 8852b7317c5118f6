#include "media/canvas.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

struct Rgb {
  std::uint8_t b, g, r;
  explicit Rgb(COLORREF c)
      : b(static_cast<std::uint8_t>(c >> 16)), g(static_cast<std::uint8_t>(c >> 8)), r(static_cast<std::uint8_t>(c)) {}
  bool Matches(const std::uint8_t* p) const { return p[0] == b && p[1] == g && p[2] == r; }
  void Paint(std::uint8_t* p) const {
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
};

}  // namespace

bool Canvas::CopyFrom(const Bitmap* b) {
  if (!b || !b->GetHeader()) return false;
  const std::size_t bytes = static_cast<std::size_t>(b->GetStride()) * static_cast<std::size_t>(b->GetHeight());
  if (b->GetWidth() == 0 || b->GetHeight() == 0) return false;
  if (pixels_.empty()) {
    // The first picture sizes the canvas and gives it its header; its pixels are the copy.
    try {
      pixels_.assign(b->GetPixels(), b->GetPixels() + bytes);
    } catch (const std::bad_alloc&) {
      pixels_.clear();
      return false;
    }
    header_ = *b->GetHeader();
    has_header_ = true;
    left_ = bottom_ = 0;  // the whole picture
    return true;
  }
  // A picture larger than the first one copied in is cut to the canvas's memory.
  std::memcpy(pixels_.data(), b->GetPixels(), std::min(bytes, pixels_.size()));
  return true;
}

bool Canvas::CopyPartFrom(const Bitmap* b, std::int32_t left, std::int32_t bottom, std::int32_t width,
                          std::int32_t height) {
  std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  if (b && b->GetHeader()) {
    x0 = std::max<std::int64_t>(0, left);
    y0 = std::max<std::int64_t>(0, bottom);
    x1 = std::min<std::int64_t>(b->GetWidth(), std::int64_t{left} + width);
    y1 = std::min<std::int64_t>(b->GetHeight(), std::int64_t{bottom} + height);
  }
  if (x0 >= x1 || y0 >= y1) {
    pixels_.clear();  // keeps the memory
    return false;
  }
  const std::int64_t w = x1 - x0, h = y1 - y0;
  const std::int64_t stride = RowStride24(w);
  // Every byte a blit or the window reads is copied below, so a canvas of the same size is not
  // cleared first.
  try {
    pixels_.resize(static_cast<std::size_t>(stride * h));
  } catch (const std::bad_alloc&) {
    pixels_.clear();
    return false;
  }
  header_ = *b->GetHeader();
  header_.biWidth = static_cast<std::int32_t>(w);
  header_.biHeight = static_cast<std::int32_t>(h);
  header_.biSizeImage = static_cast<DWORD>(stride * h);
  has_header_ = true;
  left_ = static_cast<std::int32_t>(x0);
  bottom_ = static_cast<std::int32_t>(y0);
  CopyRows(b, x0, y0, x1, y1);
  return true;
}

bool Canvas::RestoreArea(const Bitmap* b, const CanvasArea& area) {
  if (!b || !b->GetHeader() || pixels_.empty()) return false;
  const std::int64_t x0 = std::max<std::int64_t>({0, left_, area.left});
  const std::int64_t y0 = std::max<std::int64_t>({0, bottom_, area.bottom});
  const std::int64_t x1 = std::min<std::int64_t>({b->GetWidth(), std::int64_t{left_} + header_.biWidth, area.right});
  const std::int64_t y1 =
      std::min<std::int64_t>({b->GetHeight(), std::int64_t{bottom_} + header_.biHeight, area.top});
  if (x0 < x1 && y0 < y1) CopyRows(b, x0, y0, x1, y1);
  return true;
}

void Canvas::CopyRows(const Bitmap* b, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  const std::int64_t stride = RowStride24(header_.biWidth);
  const std::int64_t src_stride = b->GetStride();
  for (std::int64_t y = y0; y < y1; ++y)
    std::memcpy(pixels_.data() + (y - bottom_) * stride + 3 * (x0 - left_), b->GetPixels() + y * src_stride + 3 * x0,
                static_cast<std::size_t>(3 * (x1 - x0)));
}

template <Canvas::Ink ink, bool mirrored>
bool Canvas::Blit(const Bitmap* b, std::int64_t x, std::int64_t y, std::int64_t col, std::int64_t row,
                  std::int64_t cols, std::int64_t rows, COLORREF key, std::int64_t percent, COLORREF from,
                  COLORREF to) {
  if (!b || !b->GetHeader() || pixels_.empty() || cols < 1 || rows < 1) return false;
  const std::int64_t sheet_w = b->GetHeader()->biWidth;
  const std::int64_t sheet_h = b->GetHeader()->biHeight;
  if (sheet_w == 0 || sheet_h == 0) return false;
  // Points of the whole picture, on a canvas that holds only a part of it.
  x -= left_;
  y -= bottom_;

  // Cell geometry as the sheets have always been cut: a cell's byte width need not be a whole
  // number of pixels, and the plain blits draw each row rounded up to 4 bytes (plus one pixel
  // when the sheet's stride is not a multiple of 3), so they may show up to two pixels from
  // beyond the cell's right edge. The sheets keep their cell widths multiples of 4 pixels.
  const std::int64_t cell_bytes = sheet_w * 3 / cols;
  const std::int64_t cell_h = sheet_h / rows;
  const std::int64_t src_stride = b->GetStride();
  const std::int64_t n =
      ink == Ink::kBlend ? cell_bytes / 3 : (cell_bytes + 3) / 4 * 4 / 3 + (src_stride % 3 != 0 ? 1 : 0);

  const std::int64_t canvas_w = header_.biWidth;
  const std::int64_t canvas_h = header_.biHeight;
  const std::int64_t dst_stride = RowStride24(canvas_w);
  if (canvas_w <= 0 || canvas_h <= 0 || dst_stride * canvas_h > static_cast<std::int64_t>(pixels_.size())) return false;
  const std::int64_t src_bytes = static_cast<std::int64_t>(b->GetPixelBytes());
  const std::uint8_t* src_pixels = b->GetPixels();

  // Column i of the cell lands at byte `dst_first + dst_step * i` of the canvas row.
  const std::int64_t dst_first = mirrored ? 3 * x + cell_bytes - 3 : 3 * x;
  const std::int64_t dst_step = mirrored ? -3 : 3;
  // Columns whose three bytes lie inside the canvas row: 0 <= dst and dst + 3 <= 3 x width.
  std::int64_t i_lo = 0, i_hi = n;  // [i_lo, i_hi)
  if (mirrored) {
    i_lo = std::max(i_lo, CeilDiv(dst_first + 3 - 3 * canvas_w, 3));
    i_hi = std::min(i_hi, FloorDiv(dst_first, 3) + 1);
  } else {
    i_lo = std::max(i_lo, CeilDiv(-dst_first, 3));
    i_hi = std::min(i_hi, FloorDiv(3 * canvas_w - 3 - dst_first, 3) + 1);
  }
  const std::int64_t r_lo = std::max<std::int64_t>(0, -y);
  const std::int64_t r_hi = std::min(cell_h, canvas_h - y);

  if (areas_ && i_lo < i_hi && r_lo < r_hi) {
    // The bytes the columns may reach; a column astride two pixels touches both.
    const std::int64_t first = mirrored ? dst_first - 3 * (i_hi - 1) : dst_first + 3 * i_lo;
    const std::int64_t end = mirrored ? dst_first - 3 * i_lo + 3 : dst_first + 3 * i_hi;
    areas_->push_back({static_cast<std::int32_t>(left_ + FloorDiv(first, 3)),
                       static_cast<std::int32_t>(bottom_ + y + r_lo),
                       static_cast<std::int32_t>(left_ + CeilDiv(end, 3)),
                       static_cast<std::int32_t>(bottom_ + y + r_hi)});
  }

  const Rgb key_rgb(key), from_rgb(from), to_rgb(to);
  std::uint8_t* const canvas = pixels_.data();
  for (std::int64_t r = r_lo; r < r_hi; ++r) {
    const std::int64_t src_row = (row * cell_h + r) * src_stride + col * cell_bytes;
    // Columns whose source pixel lies inside the picture's block.
    const std::int64_t lo = std::max(i_lo, CeilDiv(-src_row, 3));
    const std::int64_t hi = std::min(i_hi, FloorDiv(src_bytes - 3 - src_row, 3) + 1);
    if (lo >= hi) continue;
    const std::uint8_t* s = src_pixels + (src_row + 3 * lo);
    std::int64_t at = (y + r) * dst_stride + dst_first + dst_step * lo;
    for (std::int64_t i = lo; i < hi; ++i, s += 3, at += dst_step) {
      std::uint8_t* d = canvas + at;
      if constexpr (ink == Ink::kRecolour) {
        // The colour test stands apart from the key test: with `from` equal to the key, key
        // pixels are painted in `to`.
        if (from_rgb.Matches(s)) {
          to_rgb.Paint(d);
          continue;
        }
      }
      if (key_rgb.Matches(s)) continue;
      if constexpr (ink == Ink::kBlend) {
        for (int c = 0; c < 3; ++c) {
          d[c] = static_cast<std::uint8_t>(d[c] * percent / 100 + s[c] * (100 - percent) / 100);
        }
      } else {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
    }
  }
  return true;
}

bool Canvas::BlitCell(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                      std::int32_t cols, std::int32_t rows, COLORREF key) {
  return Blit<Ink::kCopy, false>(b, x, y, col, row, cols, rows, key, 0, 0, 0);
}

bool Canvas::BlitCellBlend(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                           std::int32_t cols, std::int32_t rows, std::int32_t percent, COLORREF key) {
  return Blit<Ink::kBlend, false>(b, x, y, col, row, cols, rows, key, percent, 0, 0);
}

bool Canvas::BlitCellRecolour(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                              std::int32_t cols, std::int32_t rows, COLORREF key, COLORREF from, COLORREF to) {
  return Blit<Ink::kRecolour, false>(b, x, y, col, row, cols, rows, key, 0, from, to);
}

bool Canvas::BlitCellRecolourCopy(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                                  std::int32_t cols, std::int32_t rows, COLORREF key, COLORREF from, COLORREF to) {
  return Blit<Ink::kRecolour, false>(b, x, y, col, row, cols, rows, key, 0, from, to);
}

bool Canvas::BlitCellMirrored(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                              std::int32_t cols, std::int32_t rows, COLORREF key) {
  return Blit<Ink::kCopy, true>(b, x, y, col, row, cols, rows, key, 0, 0, 0);
}

bool Canvas::BlitCellMirroredRecolour(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col,
                                      std::int32_t row, std::int32_t cols, std::int32_t rows, COLORREF key,
                                      COLORREF from, COLORREF to) {
  return Blit<Ink::kRecolour, true>(b, x, y, col, row, cols, rows, key, 0, from, to);
}

bool Canvas::BlitCellMirroredRecolourCopy(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col,
                                          std::int32_t row, std::int32_t cols, std::int32_t rows, COLORREF key,
                                          COLORREF from, COLORREF to) {
  return Blit<Ink::kRecolour, true>(b, x, y, col, row, cols, rows, key, 0, from, to);
}

void Canvas::Free() { std::vector<std::uint8_t>().swap(pixels_); }

void Canvas::Clear() {
  pixels_.clear();  // keeps the capacity
  header_ = BITMAPINFOHEADER{};
  has_header_ = false;
}
