#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// Converts with iconv; an unconvertible sequence is replaced and skipped.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    std::size_t skip_bytes) {
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
    std::size_t skip = std::min(skip_bytes, src_left);
    if (errno == EILSEQ && skip_bytes == 1 && src_left >= 2 && static_cast<unsigned char>(*src) >= 0x81) skip = 2;
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

std::string ToUtf8(std::string_view cp932) { return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", 1); }

std::string ToCp932(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8, "?", 1); }

std::string FileSystemPath(std::string_view cp932_path) { return ToUtf8(cp932_path); }

}  // namespace platform
