#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// The length of the character that starts at p (at most left bytes), in the source encoding.
std::size_t CharLength(const unsigned char* p, std::size_t left, bool from_utf8) {
  std::size_t n = 1;
  if (from_utf8) {
    if (*p >= 0xF0) {
      n = 4;
    } else if (*p >= 0xE0) {
      n = 3;
    } else if (*p >= 0xC0) {
      n = 2;
    }
  } else if ((*p >= 0x81 && *p <= 0x9F) || (*p >= 0xE0 && *p <= 0xFC)) {
    n = 2;  // a CP932 lead byte and its trail byte
  }
  return std::min(n, left);
}

// Converts with iconv; a character that does not convert is replaced and skipped whole.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    bool from_utf8) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.resize(in.size() * 4 + 8);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) break;
    // EILSEQ or EINVAL: replace one bad character and go on.
    const std::size_t skip = CharLength(reinterpret_cast<const unsigned char*>(src), src_left, from_utf8);
    src += skip;
    src_left -= skip;
    if (dst_left < replacement.size()) break;
    for (char c : replacement) {
      *dst++ = c;
      --dst_left;
    }
  }
  out.resize(out.size() - dst_left);
  iconv_close(cd);
  return out;
}

}  // namespace

std::string ToUtf8(std::string_view cp932) { return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", false); }

std::string ToCp932(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?", true); }

std::string FileSystemPath(std::string_view cp932_path) { return ToUtf8(cp932_path); }

}  // namespace platform
