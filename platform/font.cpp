#include "platform/font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/text.h"

namespace platform {
namespace {

constexpr const char* kFontPath = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// One glyph's coverage, 0..255, with its top-left corner relative to the character's cell.
struct Glyph {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> alpha;
};

// The character's one or two bytes as one number.
std::uint16_t Code(std::string_view cp932_char) {
  std::uint16_t code = static_cast<unsigned char>(cp932_char[0]);
  if (cp932_char.size() > 1) code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>(cp932_char[1]));
  return code;
}

std::uint32_t Decode(std::string_view cp932_char);  // its code point, 0 when it has none (below)

struct FontCloser {
  void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};

class GlyphCache {
 public:
  ~GlyphCache() {
    fonts_.clear();
    if (initialised_) TTF_Quit();
  }

  bool Available() { return Font(16, false) != nullptr; }

  // The glyph of one CP932 character in a style, trimmed to its ink, converted and rendered
  // once: a paint writes the same few hundred characters over and over. A character without a
  // code point has an empty glyph.
  const Glyph& Get(std::string_view cp932_char, int height, bool bold, bool italic) {
    const std::uint64_t key = static_cast<std::uint64_t>(static_cast<std::uint32_t>(height)) << 32 |
                              std::uint64_t{bold} << 17 | std::uint64_t{italic} << 16 | Code(cp932_char);
    auto it = glyphs_.find(key);
    if (it != glyphs_.end()) return it->second;
    const std::uint32_t codepoint = Decode(cp932_char);
    Glyph g = codepoint == 0 ? Glyph{} : Trimmed(Render(codepoint, height, bold, italic));
    return glyphs_.emplace(key, std::move(g)).first->second;
  }

 private:
  TTF_Font* Font(int height, bool italic) {
    auto key = std::make_pair(height, italic);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second.get();
    if (!initialised_) {
      if (TTF_Init() != 0) {
        Warn();
        return nullptr;
      }
      initialised_ = true;
    }
    TTF_Font* f = TTF_OpenFont(kFontPath, height);  // 72 dpi: the size is the em in pixels
    if (f == nullptr) {
      Warn();
      return nullptr;
    }
    TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
    TTF_SetFontKerning(f, 0);
    TTF_SetFontStyle(f, italic ? TTF_STYLE_ITALIC : TTF_STYLE_NORMAL);
    fonts_[key].reset(f);
    return f;
  }

  void Warn() {
    if (warned_) return;
    warned_ = true;
    std::fprintf(stderr, "VALDRIM: font %s not usable: %s\n", kFontPath, TTF_GetError());
  }

 public:
  // The glyph rendered afresh (the cache's misses and the plain drawing).
  Glyph Render(std::uint32_t codepoint, int height, bool bold, bool italic) {
    Glyph g;
    TTF_Font* font = Font(height, italic);
    if (font == nullptr || !TTF_GlyphIsProvided32(font, codepoint)) return g;
    int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
    if (TTF_GlyphMetrics32(font, codepoint, &minx, &maxx, &miny, &maxy, &advance) != 0) return g;
    SDL_Surface* s = TTF_RenderGlyph32_Blended(font, codepoint, SDL_Color{255, 255, 255, 255});
    if (s == nullptr) return g;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (argb == nullptr) return g;
    // The rendered surface starts at the pen position (or at the glyph's left edge when that
    // lies left of the pen) and its top row is the font's ascent above the baseline. The
    // baseline sits 7/8 of the height below the top, as in the game's Mincho (14 of 16 pixels),
    // so descenders stay inside the character's cell.
    const int shift = minx < 0 ? minx : 0;
    const int w = argb->w + (bold ? 1 : 0);
    g.left = shift;
    g.top = (height * 7 + 4) / 8 - TTF_FontAscent(font);
    g.width = w;
    g.height = argb->h;
    g.alpha.assign(static_cast<std::size_t>(w) * argb->h, 0);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                              static_cast<std::ptrdiff_t>(y) * argb->pitch);
      std::uint8_t* out = g.alpha.data() + static_cast<std::size_t>(y) * w;
      for (int x = 0; x < argb->w; ++x) {
        const auto a = static_cast<std::uint8_t>(row[x] >> 24);
        out[x] = std::max(out[x], a);
        // Synthesised bold: the glyph drawn again one pixel to the right.
        if (bold) out[x + 1] = std::max(out[x + 1], a);
      }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return g;
  }

 private:
  // The glyph without its rows and columns of no coverage, which draw nothing (most of a
  // rendered glyph's surface is the line's empty height).
  static Glyph Trimmed(const Glyph& g) {
    int x0 = g.width, x1 = 0, y0 = g.height, y1 = 0;
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        if (g.alpha[static_cast<std::size_t>(y) * g.width + x] == 0) continue;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x + 1);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y + 1);
      }
    }
    Glyph t;
    if (x0 >= x1) return t;
    t.left = g.left + x0;
    t.top = g.top + y0;
    t.width = x1 - x0;
    t.height = y1 - y0;
    t.alpha.resize(static_cast<std::size_t>(t.width) * t.height);
    for (int y = 0; y < t.height; ++y) {
      const std::uint8_t* from = g.alpha.data() + static_cast<std::size_t>(y0 + y) * g.width + x0;
      std::copy(from, from + t.width, t.alpha.data() + static_cast<std::size_t>(y) * t.width);
    }
    return t;
  }

  bool initialised_ = false;
  bool warned_ = false;
  std::map<std::pair<int, bool>, std::unique_ptr<TTF_Font, FontCloser>> fonts_;
  std::unordered_map<std::uint64_t, Glyph> glyphs_;  // by height, bold, italic and CP932 code
};

GlyphCache& Cache() {
  static GlyphCache cache;
  return cache;
}

// The code point of one CP932 character (one or two bytes); 0 when it has none.
std::uint32_t Decode(std::string_view cp932_char) {
  const std::string utf8 = ToUtf8(cp932_char);
  if (utf8.empty()) return 0;
  const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
  std::uint32_t cp = 0;
  std::size_t n = 0;
  if (u[0] < 0x80) {
    cp = u[0];
    n = 1;
  } else if ((u[0] & 0xE0) == 0xC0) {
    cp = u[0] & 0x1F;
    n = 2;
  } else if ((u[0] & 0xF0) == 0xE0) {
    cp = u[0] & 0x0F;
    n = 3;
  } else {
    cp = u[0] & 0x07;
    n = 4;
  }
  if (utf8.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) cp = (cp << 6) | (u[i] & 0x3F);
  return cp;
}


void Blend(const PixelTarget& t, int x, int y, COLORREF colour, std::uint8_t a) {
  if (x < 0 || y < 0 || x >= t.width || y >= t.height || a == 0) return;
  const int row = t.bottom_up ? t.height - 1 - y : y;
  std::uint8_t* p = t.pixels + row * t.stride + x * 3;
  const int c[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                    static_cast<int>((colour >> 16) & 0xFF)};
  for (int i = 0; i < 3; ++i) {
    const int src = c[t.bgr ? 2 - i : i];
    p[i] = static_cast<std::uint8_t>((src * a + p[i] * (255 - a) + 127) / 255);
  }
}

// The glyph's coverage blended over the target with its cell's top-left corner at (x, y), each
// channel (ink x a + background x (255 - a) + 127) / 255; what lies outside the target is cut off
// before the loops rather than tested pixel by pixel.
void DrawGlyph(const PixelTarget& t, std::int64_t x, std::int64_t y, const Glyph& g, COLORREF colour) {
  const std::int64_t left = x + g.left, top = y + g.top;
  const std::int64_t gx0 = std::max<std::int64_t>(0, -left), gx1 = std::min<std::int64_t>(g.width, t.width - left);
  const std::int64_t gy0 = std::max<std::int64_t>(0, -top), gy1 = std::min<std::int64_t>(g.height, t.height - top);
  if (gx0 >= gx1 || gy0 >= gy1) return;
  const int r = static_cast<int>(colour & 0xFF), gr = static_cast<int>((colour >> 8) & 0xFF),
            b = static_cast<int>((colour >> 16) & 0xFF);
  const int ink[3] = {t.bgr ? b : r, gr, t.bgr ? r : b};
  for (std::int64_t gy = gy0; gy < gy1; ++gy) {
    const std::int64_t row = t.bottom_up ? t.height - 1 - (top + gy) : top + gy;
    std::uint8_t* p = t.pixels + row * t.stride + (left + gx0) * 3;
    const std::uint8_t* a = g.alpha.data() + gy * g.width;
    for (std::int64_t gx = gx0; gx < gx1; ++gx, p += 3) {
      const int cover = a[gx];
      if (cover == 0) continue;
      for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>((ink[i] * cover + p[i] * (255 - cover) + 127) / 255);
    }
  }
}

// Lays a CP932 text out on the grid: calls show(character, pen) for each character that shows
// (not a TAB, which takes no room, nor a control character), with the pen's distance from the
// text's start, and returns the whole advance.
template <typename Show>
int Lay(std::string_view cp932, int height, bool bold, Show show) {
  int pen = 0;
  for (std::size_t i = 0; i < cp932.size();) {
    const auto c = static_cast<unsigned char>(cp932[i]);
    if (c == '\t') {
      ++i;
      continue;
    }
    const bool wide = IsLeadByte(c) && i + 1 < cp932.size();
    const std::string_view one = cp932.substr(i, wide ? 2 : 1);
    i += one.size();
    if (c >= 0x20) show(one, pen);
    pen += CharAdvance(wide, height, bold);
  }
  return pen;
}

}  // namespace

int CharAdvance(bool double_byte, int height, bool bold) {
  return (double_byte ? height : height / 2) + (bold ? 1 : 0);
}

int TextAdvance(std::string_view cp932, int height, bool bold) {
  return Lay(cp932, height, bold, [](std::string_view, int) {});
}

int DrawCp932Text(const PixelTarget& target, int x, int y, std::string_view cp932, const TextStyle& style) {
  return Lay(cp932, style.height, style.bold, [&](std::string_view one, int pen) {
    if (target.pixels != nullptr)
      DrawGlyph(target, std::int64_t{x} + pen, y, Cache().Get(one, style.height, style.bold, style.italic), style.colour);
  });
}

int DrawCp932TextUncached(const PixelTarget& target, int x, int y, std::string_view cp932, const TextStyle& style) {
  return Lay(cp932, style.height, style.bold, [&](std::string_view one, int pen) {
    if (target.pixels == nullptr) return;
    const std::uint32_t cp = Decode(one);
    if (cp == 0) return;
    const Glyph g = Cache().Render(cp, style.height, style.bold, style.italic);
    for (int gy = 0; gy < g.height; ++gy) {
      const std::uint8_t* a = g.alpha.data() + static_cast<std::size_t>(gy) * g.width;
      for (int gx = 0; gx < g.width; ++gx) Blend(target, x + pen + g.left + gx, y + g.top + gy, style.colour, a[gx]);
    }
  });
}

bool FontAvailable() { return Cache().Available(); }

}  // namespace platform
