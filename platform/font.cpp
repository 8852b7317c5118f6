#include "platform/font.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <tuple>
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

  const Glyph& Get(std::uint32_t codepoint, int height, bool bold, bool italic) {
    auto key = std::make_tuple(codepoint, height, bold, italic);
    auto it = glyphs_.find(key);
    if (it != glyphs_.end()) return it->second;
    return glyphs_.emplace(key, Render(codepoint, height, bold, italic)).first->second;
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

  bool initialised_ = false;
  bool warned_ = false;
  std::map<std::pair<int, bool>, std::unique_ptr<TTF_Font, FontCloser>> fonts_;
  std::map<std::tuple<std::uint32_t, int, bool, bool>, Glyph> glyphs_;
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

std::uint32_t CodePoint(std::string_view cp932_char) {
  static std::map<std::uint16_t, std::uint32_t> known;
  std::uint16_t key = static_cast<unsigned char>(cp932_char[0]);
  if (cp932_char.size() > 1) key = static_cast<std::uint16_t>(key << 8 | static_cast<unsigned char>(cp932_char[1]));
  auto it = known.find(key);
  if (it != known.end()) return it->second;
  return known[key] = Decode(cp932_char);
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

}  // namespace

int CharAdvance(bool double_byte, int height, bool bold) {
  return (double_byte ? height : height / 2) + (bold ? 1 : 0);
}

int TextAdvance(std::string_view cp932, int height, bool bold) {
  int total = 0;
  for (std::size_t i = 0; i < cp932.size();) {
    const auto c = static_cast<unsigned char>(cp932[i]);
    if (c == '\t') {
      ++i;
      continue;
    }
    const bool wide = IsLeadByte(c) && i + 1 < cp932.size();
    total += CharAdvance(wide, height, bold);
    i += wide ? 2 : 1;
  }
  return total;
}

int DrawCp932Text(const PixelTarget& target, int x, int y, std::string_view cp932, const TextStyle& style) {
  const int start = x;
  for (std::size_t i = 0; i < cp932.size();) {
    const auto c = static_cast<unsigned char>(cp932[i]);
    if (c == '\t') {  // a TAB takes no room and shows nothing
      ++i;
      continue;
    }
    const bool wide = IsLeadByte(c) && i + 1 < cp932.size();
    const std::string_view one = cp932.substr(i, wide ? 2 : 1);
    i += one.size();
    if (c >= 0x20 && target.pixels != nullptr) {
      const std::uint32_t cp = CodePoint(one);
      if (cp != 0) {
        const Glyph& g = Cache().Get(cp, style.height, style.bold, style.italic);
        for (int gy = 0; gy < g.height; ++gy) {
          const std::uint8_t* a = g.alpha.data() + static_cast<std::size_t>(gy) * g.width;
          for (int gx = 0; gx < g.width; ++gx) Blend(target, x + g.left + gx, y + g.top + gy, style.colour, a[gx]);
        }
      }
    }
    x += CharAdvance(wide, style.height, style.bold);
  }
  return x - start;
}

bool FontAvailable() { return Cache().Available(); }

}  // namespace platform
