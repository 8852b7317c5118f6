#pragma once
// Conversions at the edge of the game: the game's texts are CP932 bytes; the file system, SDL
// and the fonts want UTF-8.
#include <string>
#include <string_view>

namespace platform {

// CP932 to UTF-8 (iconv "CP932"); bytes that do not convert become U+FFFD.
std::string ToUtf8(std::string_view cp932);
// UTF-8 to CP932; characters without a CP932 form become '?'.
std::string ToCp932(std::string_view utf8);
// A path given in CP932 ("BITMAP/<name>.dat"), as the file system names it.
std::string FileSystemPath(std::string_view cp932_path);

}  // namespace platform
