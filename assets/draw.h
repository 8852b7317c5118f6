#pragma once
// Shapes for the asset generator. Every shape is laid down either with hard edges (a pixel is
// painted when its centre lies inside: the only way for pictures that hold the key colour, whose
// edges must never blend into magenta) or smoothed (coverage from the distance to the edge, for
// opaque pictures).
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/image.h"

namespace assets {

struct Vec {
  double x = 0, y = 0;
};

// Length of (dx, dy): std::hypot guards against overflow, which costs dearly per pixel and is of no
// use at picture sizes.
inline double Len(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

struct Ink {
  Rgb colour;
  double alpha = 1.0;
  bool smooth = false;
};
inline Ink Hard(Rgb c) { return Ink{c, 1.0, false}; }
inline Ink Soft(Rgb c, double alpha = 1.0) { return Ink{c, alpha, true}; }

// Paints every pixel of the box [x0, x1) x [y0, y1) whose signed distance d (negative inside)
// from the shape, measured at the pixel centre, says it is covered.
template <typename Distance>
void Cover(Image& img, double x0, double y0, double x1, double y1, const Ink& ink, Distance&& distance) {
  int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 1);
  int iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 1);
  int ix1 = std::min(img.Width(), static_cast<int>(std::ceil(x1)) + 1);
  int iy1 = std::min(img.Height(), static_cast<int>(std::ceil(y1)) + 1);
  for (int y = iy0; y < iy1; ++y) {
    for (int x = ix0; x < ix1; ++x) {
      double d = distance(x + 0.5, y + 0.5);
      if (ink.smooth) {
        double cover = std::clamp(0.5 - d, 0.0, 1.0);
        if (cover > 0.0) img.Blend(x, y, ink.colour, cover * ink.alpha);
      } else if (d < 0.0) {
        img.Blend(x, y, ink.colour, ink.alpha);
      }
    }
  }
}

void FillRect(Image& img, int x, int y, int w, int h, Rgb c);
void BlendRect(Image& img, int x, int y, int w, int h, Rgb c, double alpha);
void VerticalGradient(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom);
void HorizontalGradient(Image& img, int x, int y, int w, int h, Rgb left, Rgb right);
// A border of the given thickness just inside the rectangle.
void FrameRect(Image& img, int x, int y, int w, int h, int thickness, Rgb c);

void FillCircle(Image& img, Vec c, double r, const Ink& ink);
void FillEllipse(Image& img, Vec c, double rx, double ry, const Ink& ink);
// A thick line with round ends (radius r).
void FillCapsule(Image& img, Vec a, Vec b, double r, const Ink& ink);
// A thick line through several points.
void StrokePath(Image& img, const std::vector<Vec>& points, double r, const Ink& ink);
void FillPolygon(Image& img, const std::vector<Vec>& points, const Ink& ink);
// A ring between radii r0 and r1.
void FillRing(Image& img, Vec c, double r0, double r1, const Ink& ink);

// Copies src onto dst with its top-left corner at (x, y); with skip_key the key colour is left out.
void Paste(Image& dst, const Image& src, int x, int y, bool skip_key);
// Every factor x factor block averaged into one pixel (drawing at a larger size and shrinking
// smooths the edges of pictures without the key colour).
Image Shrink(const Image& src, int factor);
Image Crop(const Image& src, int x, int y, int w, int h);
Image MirrorX(const Image& src);
// Pixels at distance 1 (4-neighbourhood) from a non-key pixel, which are key themselves, become c:
// a one-pixel outline around a sprite.
void Outline(Image& img, int x, int y, int w, int h, Rgb c);

}  // namespace assets
