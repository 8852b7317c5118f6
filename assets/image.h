#pragma once
// A picture being drawn by the asset generator: 24-bit colour, rows stored from the TOP down
// (row 0 is the top of the picture, as one looks at it). The BMP writer turns it bottom-up.
#include <cstdint>
#include <vector>

namespace assets {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb a, Rgb b) = default;
};

static_assert(sizeof(Rgb) == 3, "pixels are packed three bytes each");

// The colour that every cell blit of the game skips.
inline constexpr Rgb kKey{255, 0, 255};
// The colour of a field sprite that the duel and tactic tints repaint.
inline constexpr Rgb kTint{57, 57, 57};

// A channel value rounded to the nearest level (halves up) and clamped; plain arithmetic, as
// this runs for every pixel of every picture.
inline std::uint8_t Channel(double v) {
  if (v <= 0.0) return 0;
  if (v >= 255.0) return 255;
  return static_cast<std::uint8_t>(v + 0.5);
}
// a + (b - a) * t, t in 0..1.
inline Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}
// Every channel multiplied by f, clamped.
inline Rgb Scale(Rgb c, double f) { return Rgb{Channel(c.r * f), Channel(c.g * f), Channel(c.b * f)}; }
inline Rgb Lighter(Rgb c, double t) { return Mix(c, Rgb{255, 255, 255}, t); }
inline Rgb Darker(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = Rgb{});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgb Get(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  // Writes outside the picture are dropped, so shapes may run over its edges.
  void Set(int x, int y, Rgb c) {
    if (Inside(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
  }
  // Mixes c over the pixel with opacity a (0..1).
  void Blend(int x, int y, Rgb c, double a) {
    if (!Inside(x, y) || a <= 0.0) return;
    Rgb& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    p = a >= 1.0 ? c : Mix(p, c, a);
  }

  const std::vector<Rgb>& Pixels() const { return pixels_; }
  // Rows of width x 3 bytes, red, green, blue, from the top row down (for the text drawing).
  std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(pixels_.data()); }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

}  // namespace assets
