#pragma once
// One picture of the game (a background, a panel frame, a sprite sheet, a portrait), read from
// "BITMAP/<name>.dat" and held as a 24-bit bottom-up DIB: the 40-byte info header of the file
// (bit count changed to 24), for 8-bit files 1024 bytes that stay zero, then the pixel rows,
// blue, green, red, each row padded to a multiple of 4 bytes.
//
// The pixel area is three times as large as the picture needs; the tail stays zero. The sprite
// blits read up to two pixels past the right edge of a cell, which for a sheet's top row lands
// in that tail.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/win.h"

class Bitmap {
 public:
  Bitmap() = default;
  // A bitmap is owned by exactly one bank entry (or screen); its header and pixel pointers
  // point into its own block, so it is never copied.
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // Loads "BITMAP/<name>.dat" (name in CP932; the file name on disk is its UTF-8 form). False
  // on any failure, after a message box captioned with the name (none when memory runs out).
  // Called only on an empty bitmap. A file of width or height 0 loads as a picture without
  // pixels (GetPixelBytes 0), which every copy and blit refuses; sides above 8192 are refused.
  bool Load(const char* name);

  // The info header at the start of the block; null until loaded.
  const BITMAPINFOHEADER* GetHeader() const { return header_; }
  // The first byte of the bottom row; null until loaded.
  const std::uint8_t* GetPixels() const { return pixels_; }
  // Bytes from the first pixel to the end of the block (three times stride x height).
  std::size_t GetPixelBytes() const {
    return pixels_ ? block_size_ - static_cast<std::size_t>(pixels_ - block_.get()) : 0;
  }
  std::int32_t GetWidth() const { return width_; }
  std::int32_t GetHeight() const { return height_; }
  // Bits per pixel of the file: 8 or 24.
  std::uint32_t GetBitCount() const { return bit_count_; }
  // Bytes per row in memory: width x 3 rounded up to a multiple of 4.
  std::int32_t GetStride() const { return stride_; }
  std::int32_t GetBytesPerPixel() const { return bytes_per_pixel_; }

 private:
  struct Free {
    void operator()(std::uint8_t* p) const { std::free(p); }
  };
  // Header, (palette room), pixel rows, zero tail. Taken zeroed from the system (calloc), so the
  // tail, two thirds of the block, costs nothing until something reads it: the field map's block
  // is 33 MB and the game loads it before the title shows.
  std::unique_ptr<std::uint8_t[], Free> block_;
  std::size_t block_size_ = 0;
  std::uint8_t* pixels_ = nullptr;
  BITMAPINFOHEADER* header_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::uint32_t bit_count_ = 0;
  std::int32_t stride_ = 0;
  std::int32_t bytes_per_pixel_ = 3;
};

// Bytes per row of a 24-bit picture of the given width: width x 3 rounded up to a multiple of 4.
constexpr std::int64_t RowStride24(std::int64_t width) { return (width * 3 + 3) / 4 * 4; }
