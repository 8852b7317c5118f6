#pragma once
// A strict reader of the pictures the game loads: 24-bit, uncompressed, bottom-up BMP with a
// 40-byte info header, every promised row present.
#include <string>
#include <vector>

#include "assets/image.h"

namespace assets_test {

// False, with the reason, for anything the game's loader would not take as it stands.
bool ReadStrictBmp(const std::string& path, assets::Image& out, std::string& why);

}  // namespace assets_test
