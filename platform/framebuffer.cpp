#include "platform/framebuffer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace platform {

void Framebuffer::Clear(COLORREF colour) { FillRect(0, 0, kWidth, kHeight, colour); }

void Framebuffer::FillRect(int left, int top, int right, int bottom, COLORREF colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, kWidth);
  bottom = std::min(bottom, kHeight);
  const auto r = static_cast<std::uint8_t>(colour & 0xFF);
  const auto g = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
  const auto b = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
  for (int y = top; y < bottom; ++y) {
    std::uint8_t* p = Row(y) + left * 3;
    for (int x = left; x < right; ++x, p += 3) {
      p[0] = r;
      p[1] = g;
      p[2] = b;
    }
  }
}

COLORREF Framebuffer::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0;
  const std::uint8_t* p = Row(y) + x * 3;
  return RGB(p[0], p[1], p[2]);
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  File f(std::fopen(path.c_str(), "wb"));
  if (!f) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return false;
  return std::fclose(f.release()) == 0;
}

}  // namespace

bool Framebuffer::WritePpm(const std::string& path, int width, int height) const {
  width = std::clamp(width, 1, kWidth);
  height = std::clamp(height, 1, kHeight);
  std::string head = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  std::vector<std::uint8_t> out(head.begin(), head.end());
  for (int y = 0; y < height; ++y) out.insert(out.end(), Row(y), Row(y) + width * 3);
  return WriteAll(path, out);
}

bool Framebuffer::WriteBmp(const std::string& path, int width, int height) const {
  width = std::clamp(width, 1, kWidth);
  height = std::clamp(height, 1, kHeight);
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t image = stride * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> out;
  out.reserve(54 + image);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + image);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, image);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {  // bottom-up rows, blue-green-red
    const std::uint8_t* p = Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return WriteAll(path, out);
}

RECT ShownPicture::Changed(const Framebuffer& now, int width, int height, bool whole) const {
  whole = whole || lost_;
  width = std::clamp(width, 0, Framebuffer::kWidth);
  height = std::clamp(height, 0, Framebuffer::kHeight);
  const std::size_t bytes = static_cast<std::size_t>(width) * 3;
  RECT changed{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* a = now.Row(y);
    const std::uint8_t* b = shown_.Row(y);
    if (!whole && std::memcmp(a, b, bytes) == 0) continue;
    // The first and last differing bytes give the row's changed columns.
    std::size_t first = 0, last = bytes;
    if (!whole) {
      while (a[first] == b[first]) ++first;
      while (a[last - 1] == b[last - 1]) --last;
    }
    changed.left = std::min<LONG>(changed.left, static_cast<LONG>(first / 3));
    changed.right = std::max<LONG>(changed.right, static_cast<LONG>((last + 2) / 3));
    changed.top = std::min<LONG>(changed.top, y);
    changed.bottom = y + 1;
  }
  return changed.left < changed.right ? changed : RECT{0, 0, 0, 0};
}

void ShownPicture::Presented(const Framebuffer& now, const RECT& area, bool shown) {
  lost_ = !shown;
  if (!shown || area.left >= area.right) return;
  const std::size_t from = static_cast<std::size_t>(area.left) * 3;
  const std::size_t count = static_cast<std::size_t>(area.right - area.left) * 3;
  for (int y = area.top; y < area.bottom; ++y) std::memcpy(shown_.Row(y) + from, now.Row(y) + from, count);
}

Framebuffer& ClientFramebuffer() {
  static Framebuffer framebuffer;
  return framebuffer;
}

}  // namespace platform
