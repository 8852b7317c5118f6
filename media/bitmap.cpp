#include "media/bitmap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/text.h"
#include "world/codec.h"

namespace {

constexpr std::size_t kFileHeaderBytes = 14;  // "BM", file size, reserved, offset of the pixels
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kColourTable = kFileHeaderBytes + kInfoHeaderBytes;  // 54
constexpr std::size_t kPaletteRoom = 1024;                                 // 256 entries of 4 bytes
constexpr std::int32_t kLargestSide = 8192;

// The whole file, or false when it cannot be opened or read. Read in one go where the size is
// known (a field map is 11 MB), then whatever may follow that size.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  if (std::fseek(f, 0, SEEK_SET) != 0) size = -1;
  bool ok = true;
  bool more = true;
  if (size > 0) {
    out.resize(static_cast<std::size_t>(size));
    const std::size_t got = std::fread(out.data(), 1, out.size(), f);
    out.resize(got);
    more = got == static_cast<std::size_t>(size);
    if (!more) ok = !std::ferror(f);
  }
  std::uint8_t chunk[65536];
  while (more) {
    std::size_t got = std::fread(chunk, 1, sizeof chunk, f);
    out.insert(out.end(), chunk, chunk + got);
    if (got < sizeof chunk) {
      ok = !std::ferror(f);
      break;
    }
  }
  std::fclose(f);
  return ok;
}

std::uint16_t GetU16(const std::uint8_t* buf, std::size_t off) {
  return static_cast<std::uint16_t>(buf[off] | buf[off + 1] << 8);
}

// The info header as the file has it (little-endian, field by field).
BITMAPINFOHEADER ReadInfoHeader(const std::uint8_t* file) {
  const std::size_t o = kFileHeaderBytes;
  BITMAPINFOHEADER h;
  h.biSize = static_cast<DWORD>(codec::GetI32(file, o + 0));
  h.biWidth = codec::GetI32(file, o + 4);
  h.biHeight = codec::GetI32(file, o + 8);
  h.biPlanes = GetU16(file, o + 12);
  h.biBitCount = GetU16(file, o + 14);
  h.biCompression = static_cast<DWORD>(codec::GetI32(file, o + 16));
  h.biSizeImage = static_cast<DWORD>(codec::GetI32(file, o + 20));
  h.biXPelsPerMeter = codec::GetI32(file, o + 24);
  h.biYPelsPerMeter = codec::GetI32(file, o + 28);
  h.biClrUsed = static_cast<DWORD>(codec::GetI32(file, o + 32));
  h.biClrImportant = static_cast<DWORD>(codec::GetI32(file, o + 36));
  return h;
}

void FormatBox(const char* name) { MessageBoxA(nullptr, "24 or 8 ビットBMPファイルしか読み込めません", name, MB_OK); }

}  // namespace

bool Bitmap::Load(const char* name) {
  const std::string path = platform::FileSystemPath(std::string("BITMAP/") + name + ".dat");
  std::vector<std::uint8_t> file;  // released on every path when Load returns
  if (!ReadWholeFile(path, file)) {
    MessageBoxA(nullptr, "ファイルが開けません", name, MB_OK);
    return false;
  }
  const std::uint64_t size = file.size();
  const std::uint8_t* f = file.data();

  // The file must hold both headers before anything in them is read.
  if (size < kColourTable) {
    FormatBox(name);
    return false;
  }
  bit_count_ = GetU16(f, 28);
  if (GetU16(f, 0) != 0x4D42 || (bit_count_ != 24 && bit_count_ != 8)) {
    FormatBox(name);
    return false;
  }
  const BITMAPINFOHEADER info = ReadInfoHeader(f);
  const std::uint64_t pixel_offset = static_cast<std::uint32_t>(codec::GetI32(f, 10));
  width_ = info.biWidth;
  height_ = info.biHeight;

  // Only plain bottom-up pictures with the 40-byte header are ours; anything else (top-down,
  // compressed, other header versions, sides above kLargestSide that a damaged file would turn
  // into a huge allocation) is refused rather than misread. A side of 0 is a picture without
  // pixels: it loads, and every copy and blit of it draws nothing.
  if (info.biSize != kInfoHeaderBytes || info.biCompression != BI_RGB || width_ < 0 || width_ > kLargestSide ||
      height_ < 0 || height_ > kLargestSide) {
    FormatBox(name);
    return false;
  }
  const bool has_pixels = width_ > 0 && height_ > 0;
  const std::uint64_t source_pixel_bytes = bit_count_ / 8;
  const std::uint64_t source_row = (source_pixel_bytes * static_cast<std::uint64_t>(width_) + 3) / 4 * 4;
  if (has_pixels) {
    const std::uint64_t rows_end = pixel_offset + source_row * static_cast<std::uint64_t>(height_ - 1) +
                                   source_pixel_bytes * static_cast<std::uint64_t>(width_);
    if (rows_end > size) {
      FormatBox(name);
      return false;
    }
  }

  stride_ = static_cast<std::int32_t>(RowStride24(width_));
  const std::size_t header_part = kInfoHeaderBytes + (bit_count_ == 8 ? kPaletteRoom : 0);
  const std::size_t pixel_area = 3 * static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_);
  block_size_ = header_part + pixel_area;
  block_.reset(static_cast<std::uint8_t*>(std::calloc(block_size_, 1)));
  if (!block_) {
    block_size_ = 0;
    return false;  // no box: the game never showed one for a failed allocation
  }
  std::uint8_t* pixels = block_.get() + header_part;

  if (!has_pixels) {
    // Nothing to convert: the rows of the file are not read at all.
  } else if (bit_count_ == 8) {
    // The colour table is taken to begin right behind the 40-byte info header, whatever the
    // header says of the colours used. Entries that would lie past the end of the file make the
    // file unreadable.
    const std::uint64_t readable_entries =
        size >= kColourTable + 3 ? std::min<std::uint64_t>(256, (size - kColourTable - 3) / 4 + 1) : 0;
    for (std::int32_t y = 0; y < height_; ++y) {
      const std::uint8_t* src = f + pixel_offset + static_cast<std::uint64_t>(y) * source_row;
      std::uint8_t* dst = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_);
      for (std::int32_t x = 0; x < width_; ++x) {
        const std::uint8_t index = src[x];
        if (index >= readable_entries) {
          block_.reset();
          block_size_ = 0;
          FormatBox(name);
          return false;
        }
        std::memcpy(dst + 3 * x, f + kColourTable + 4 * std::size_t{index}, 3);
      }
    }
  } else {
    for (std::int32_t y = 0; y < height_; ++y) {
      std::memcpy(pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride_),
                  f + pixel_offset + static_cast<std::uint64_t>(y) * source_row, 3 * static_cast<std::size_t>(width_));
    }
  }

  BITMAPINFOHEADER copy = info;
  copy.biBitCount = 24;
  header_ = new (block_.get()) BITMAPINFOHEADER(copy);
  pixels_ = pixels;
  return true;
}
