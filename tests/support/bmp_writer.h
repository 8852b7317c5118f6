#pragma once
// Pictures made by the tests themselves: BMP files written byte by byte (so that a test can also
// break them on purpose), and a scratch folder that stands in for the game's current directory.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win.h"

namespace testpics {

// The colour (0x00BBGGRR) of pixel x of row y, rows counted from the bottom of the picture.
using ColourAt = std::function<COLORREF(int x, int y)>;
// The palette index of pixel x of row y, rows counted from the bottom.
using IndexAt = std::function<std::uint8_t(int x, int y)>;

// A 24-bit bottom-up BMP file: 14-byte file header, 40-byte info header, padded rows.
std::vector<std::uint8_t> Bmp24(int width, int height, const ColourAt& colour);
// An 8-bit bottom-up BMP file with a full 256-entry colour table right behind the info header.
// `colours_used` goes into the header as it is (the game's loader ignores it).
std::vector<std::uint8_t> Bmp8(int width, int height, const std::vector<COLORREF>& palette, const IndexAt& index,
                               std::uint32_t colours_used = 256);

// Little-endian patches for breaking files on purpose.
void Put16(std::vector<std::uint8_t>& file, std::size_t offset, std::uint16_t v);
void Put32(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t v);

// Writes "BITMAP/<name>.dat" under the current folder; the name is CP932 and is stored under
// its UTF-8 form, as the game's files are.
void WriteBitmapFile(const char* cp932_name, const std::vector<std::uint8_t>& bytes);

// A fresh folder holding an empty BITMAP/, made the current folder for the object's life.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  const std::string& Path() const { return path_; }

 private:
  std::string previous_;
  std::string path_;
};

}  // namespace testpics
