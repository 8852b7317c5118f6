#pragma once
// The window's client picture. The window keeps what was last drawn between paints (some paints
// draw only part of the window), so there is one persistent 840 x 480 picture that every paint
// draws into and that is shown at the end of the paint. Rows run top-down, three bytes per pixel
// in the order red, green, blue.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win.h"

namespace platform {

class Framebuffer {
 public:
  static constexpr int kWidth = 840;
  static constexpr int kHeight = 480;
  static constexpr int kStride = kWidth * 3;

  Framebuffer() : pixels_(static_cast<std::size_t>(kStride) * kHeight, 0xFF) {}

  // A fresh window is white (the window class's background brush).
  void Clear(COLORREF colour);
  void FillRect(int left, int top, int right, int bottom, COLORREF colour);
  COLORREF Pixel(int x, int y) const;  // 0x00BBGGRR; 0 outside
  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * kStride; }
  const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * kStride; }
  const std::vector<std::uint8_t>& Bytes() const { return pixels_; }

  // The top-left width x height part as a binary PPM (P6) or a 24-bit BMP; false when the file
  // cannot be written.
  bool WritePpm(const std::string& path, int width = kWidth, int height = kHeight) const;
  bool WriteBmp(const std::string& path, int width = kWidth, int height = kHeight) const;

 private:
  std::vector<std::uint8_t> pixels_;
};

// What the screen was last given of a framebuffer, kept so that a present hands over only the
// part that a paint changed: hover repaints redraw the whole picture but change a few buttons.
class ShownPicture {
 public:
  // The smallest rectangle of the top-left width x height part where `now` differs from what the
  // screen was last given (all of the part when `whole` or when the last present failed). Empty
  // (left == right) when nothing changed.
  RECT Changed(const Framebuffer& now, int width, int height, bool whole) const;
  // The present of `area` of `now` is over: the screen took it (`shown`), or it did not and what
  // the screen shows is unknown, so the next present gives all.
  void Presented(const Framebuffer& now, const RECT& area, bool shown);

 private:
  Framebuffer shown_;
  bool lost_ = false;
};

// The window's framebuffer (either back end).
Framebuffer& ClientFramebuffer();

}  // namespace platform
