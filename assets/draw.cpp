#include "assets/draw.h"

namespace assets {
namespace {

double SegmentDistance(double px, double py, Vec a, Vec b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
  double ex = px - (a.x + t * dx), ey = py - (a.y + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

void FillRect(Image& img, int x, int y, int w, int h, Rgb c) {
  for (int yy = std::max(0, y); yy < std::min(img.Height(), y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(img.Width(), x + w); ++xx) img.Set(xx, yy, c);
}

void BlendRect(Image& img, int x, int y, int w, int h, Rgb c, double alpha) {
  for (int yy = std::max(0, y); yy < std::min(img.Height(), y + h); ++yy)
    for (int xx = std::max(0, x); xx < std::min(img.Width(), x + w); ++xx) img.Blend(xx, yy, c, alpha);
}

void VerticalGradient(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int yy = 0; yy < h; ++yy) {
    Rgb c = Mix(top, bottom, h > 1 ? static_cast<double>(yy) / (h - 1) : 0.0);
    FillRect(img, x, y + yy, w, 1, c);
  }
}

void HorizontalGradient(Image& img, int x, int y, int w, int h, Rgb left, Rgb right) {
  for (int xx = 0; xx < w; ++xx) {
    Rgb c = Mix(left, right, w > 1 ? static_cast<double>(xx) / (w - 1) : 0.0);
    FillRect(img, x + xx, y, 1, h, c);
  }
}

void FrameRect(Image& img, int x, int y, int w, int h, int thickness, Rgb c) {
  FillRect(img, x, y, w, thickness, c);
  FillRect(img, x, y + h - thickness, w, thickness, c);
  FillRect(img, x, y, thickness, h, c);
  FillRect(img, x + w - thickness, y, thickness, h, c);
}

void FillCircle(Image& img, Vec c, double r, const Ink& ink) {
  Cover(img, c.x - r, c.y - r, c.x + r, c.y + r, ink, [&](double px, double py) {
    return Len(px - c.x, py - c.y) - r;
  });
}

void FillEllipse(Image& img, Vec c, double rx, double ry, const Ink& ink) {
  double m = std::min(rx, ry);
  Cover(img, c.x - rx, c.y - ry, c.x + rx, c.y + ry, ink, [&](double px, double py) {
    return (Len((px - c.x) / rx, (py - c.y) / ry) - 1.0) * m;
  });
}

void FillCapsule(Image& img, Vec a, Vec b, double r, const Ink& ink) {
  Cover(img, std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r, ink,
        [&](double px, double py) { return SegmentDistance(px, py, a, b) - r; });
}

void StrokePath(Image& img, const std::vector<Vec>& points, double r, const Ink& ink) {
  if (points.empty()) return;
  double x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
  for (Vec p : points) {
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  // One pass over the union, so that overlapping segments of a translucent path do not darken.
  Cover(img, x0 - r, y0 - r, x1 + r, y1 + r, ink, [&](double px, double py) {
    double d = 1e9;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) d = std::min(d, SegmentDistance(px, py, points[i], points[i + 1]));
    if (points.size() == 1) d = Len(px - points[0].x, py - points[0].y);
    return d - r;
  });
}

void FillPolygon(Image& img, const std::vector<Vec>& pts, const Ink& ink) {
  if (pts.size() < 3) return;
  double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
  for (Vec p : pts) {
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  Cover(img, x0, y0, x1, y1, ink, [&](double px, double py) {
    bool inside = false;
    double d = 1e9;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      Vec a = pts[i], b = pts[j];
      if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) inside = !inside;
      d = std::min(d, SegmentDistance(px, py, a, b));
    }
    return inside ? -d : d;
  });
}

void FillRing(Image& img, Vec c, double r0, double r1, const Ink& ink) {
  double mid = (r0 + r1) / 2, half = (r1 - r0) / 2;
  Cover(img, c.x - r1, c.y - r1, c.x + r1, c.y + r1, ink, [&](double px, double py) {
    return std::abs(Len(px - c.x, py - c.y) - mid) - half;
  });
}

void Paste(Image& dst, const Image& src, int x, int y, bool skip_key) {
  for (int yy = 0; yy < src.Height(); ++yy)
    for (int xx = 0; xx < src.Width(); ++xx) {
      Rgb c = src.Get(xx, yy);
      if (skip_key && c == kKey) continue;
      dst.Set(x + xx, y + yy, c);
    }
}

Image Shrink(const Image& src, int factor) {
  Image out(src.Width() / factor, src.Height() / factor);
  int n = factor * factor;
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < factor; ++dy)
        for (int dx = 0; dx < factor; ++dx) {
          Rgb c = src.Get(x * factor + dx, y * factor + dy);
          r += c.r, g += c.g, b += c.b;
        }
      out.Set(x, y, Rgb{static_cast<std::uint8_t>((r + n / 2) / n), static_cast<std::uint8_t>((g + n / 2) / n),
                        static_cast<std::uint8_t>((b + n / 2) / n)});
    }
  return out;
}

Image Crop(const Image& src, int x, int y, int w, int h) {
  Image out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx)
      if (src.Inside(x + xx, y + yy)) out.Set(xx, yy, src.Get(x + xx, y + yy));
  return out;
}

Image MirrorX(const Image& src) {
  Image out(src.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) out.Set(src.Width() - 1 - x, y, src.Get(x, y));
  return out;
}

void Outline(Image& img, int x, int y, int w, int h, Rgb c) {
  Image before = Crop(img, x, y, w, h);
  auto solid = [&](int xx, int yy) {
    return xx >= 0 && yy >= 0 && xx < w && yy < h && !(before.Get(xx, yy) == kKey);
  };
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      if (!(before.Get(xx, yy) == kKey)) continue;
      if (solid(xx - 1, yy) || solid(xx + 1, yy) || solid(xx, yy - 1) || solid(xx, yy + 1)) img.Set(x + xx, y + yy, c);
    }
}

}  // namespace assets
