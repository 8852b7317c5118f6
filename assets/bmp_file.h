#pragma once
// Writes a picture as the game's loader wants it: "BM", a 40-byte info header at offset 14,
// 24 bits per pixel, no compression, positive height (rows bottom-up), each row padded to a
// multiple of 4 bytes, pixels stored blue, green, red.
#include <cstdint>
#include <string>
#include <vector>

#include "assets/image.h"

namespace assets {

std::vector<std::uint8_t> EncodeBmp(const Image& img);

// Writes bytes to a file (replacing it); false when the file cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace assets
