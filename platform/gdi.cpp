// GDI as the game uses it: fonts, the device context's text settings, TextOutA and the window
// blit, all drawing into the window's framebuffer. Shared by both back ends so that the window
// and the tests see the same pixels.
#include <algorithm>
#include <cstring>
#include <list>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/core.h"
#include "platform/font.h"
#include "platform/win.h"

struct GdiObject {
  bool font = false;
  bool stock = false;
  int height = 16;
  bool bold = true;
  bool italic = false;
};

namespace {

constexpr int kStockCount = 20;

GdiObject* Stock() {
  static GdiObject stock[kStockCount] = {};
  static bool made = false;
  if (!made) {
    for (GdiObject& o : stock) o.stock = true;
    // The system font: 16 pixels, bold, upright.
    stock[SYSTEM_FONT].font = true;
    stock[SYSTEM_FONT].height = 16;
    made = true;
  }
  return stock;
}

std::list<GdiObject>& Fonts() {
  static std::list<GdiObject> fonts;
  return fonts;
}

bool Valid(HGDIOBJ obj) {
  if (obj == nullptr) return false;
  if (obj >= Stock() && obj < Stock() + kStockCount) return true;
  for (GdiObject& f : Fonts()) {
    if (&f == obj) return true;
  }
  return false;
}

bool Valid(HDC hdc) {
  HWND w = platform::core::Window();
  return hdc != nullptr && w != nullptr && hdc == &w->dc && hdc->target != nullptr;
}

// One row of a picture's blue-green-red pixels into the framebuffer's red-green-blue.
void SwapRow(const std::uint8_t* __restrict s, std::uint8_t* __restrict d, std::int64_t n) {
  for (std::int64_t c = 0; c < n; ++c) {
    d[3 * c] = s[3 * c + 2];
    d[3 * c + 1] = s[3 * c + 1];
    d[3 * c + 2] = s[3 * c];
  }
}

#if defined(__x86_64__) || defined(__i386__)
// The same, five pixels a step with one byte shuffle: a whole-window picture is shown every tick.
// Each step reads and writes 16 bytes; the 16th is the next pixel's first byte, which the next
// step writes again correctly, so a step runs only while a sixth pixel follows.
__attribute__((target("ssse3"))) void SwapRowShuffled(const std::uint8_t* s, std::uint8_t* d, std::int64_t n) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
  std::int64_t c = 0;
  for (; c + 6 <= n; c += 5, s += 15, d += 15) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_shuffle_epi8(v, order));
  }
  SwapRow(s, d, n - c);
}
#endif

using RowSwapper = void (*)(const std::uint8_t*, std::uint8_t*, std::int64_t);

RowSwapper FastestSwap() {
#if defined(__x86_64__) || defined(__i386__)
  if (__builtin_cpu_supports("ssse3")) return SwapRowShuffled;
#endif
  return SwapRow;
}

}  // namespace

HFONT CreateFontA(int height, int /*width*/, int /*escapement*/, int /*orientation*/, int weight, DWORD italic,
                  DWORD /*underline*/, DWORD /*strike_out*/, DWORD /*charset*/, DWORD /*out_precision*/,
                  DWORD /*clip_precision*/, DWORD /*quality*/, DWORD /*pitch_and_family*/, const char* /*face*/) {
  // Every face is served by IPA Mincho; a negative height is the em, a positive one the cell,
  // which for this font is the same. Weights from semi-bold up are drawn as synthesised bold.
  GdiObject f;
  f.font = true;
  f.height = height == 0 ? 16 : (height < 0 ? -height : height);
  f.bold = weight >= 600;
  f.italic = italic != 0;
  Fonts().push_back(f);
  return &Fonts().back();
}

HGDIOBJ GetStockObject(int which) {
  if (which < 0 || which >= kStockCount) return nullptr;
  return Stock() + which;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  if (!Valid(hdc) || !Valid(obj)) return nullptr;
  if (!obj->font) return obj;  // only fonts change what the game draws
  HGDIOBJ previous = hdc->font;
  hdc->font = obj;
  return previous;
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (!Valid(obj)) return FALSE;
  if (obj->stock) return TRUE;
  HWND w = platform::core::Window();
  if (w != nullptr && w->dc.font == obj) w->dc.font = GetStockObject(SYSTEM_FONT);
  Fonts().remove_if([obj](const GdiObject& f) { return &f == obj; });
  return TRUE;
}

int SetBkMode(HDC hdc, int mode) {
  if (!Valid(hdc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = hdc->bk_mode;
  hdc->bk_mode = mode;
  return previous;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  if (!Valid(hdc)) return 0xFFFFFFFF;
  const COLORREF previous = hdc->text_colour;
  hdc->text_colour = color & 0x00FFFFFF;
  return previous;
}

BOOL TextOutA(HDC hdc, int x, int y, const char* text, int length) {
  if (!Valid(hdc) || text == nullptr || length < 0) return FALSE;
  const GdiObject& f = Valid(hdc->font) ? *hdc->font : *GetStockObject(SYSTEM_FONT);
  const std::string_view s(text, static_cast<std::size_t>(length));
  platform::core::NoteText(x, y, s, hdc->text_colour, f.height);
  platform::Framebuffer& fb = *hdc->target;
  if (hdc->bk_mode == OPAQUE) {
    fb.FillRect(x, y, x + platform::TextAdvance(s, f.height, f.bold), y + f.height, hdc->background);
  }
  platform::PixelTarget target{fb.Row(0), platform::Framebuffer::kWidth, platform::Framebuffer::kHeight,
                               platform::Framebuffer::kStride, false, false};
  platform::DrawCp932Text(target, x, y, s, platform::TextStyle{f.height, f.bold, f.italic, hdc->text_colour});
  return TRUE;
}

int StretchDIBits(HDC hdc, int dest_x, int dest_y, int dest_w, int dest_h, int src_x, int src_y, int src_w,
                  int src_h, const void* bits, const BITMAPINFO* info, UINT /*usage*/, DWORD rop) {
  // Only what the game asks for: a bottom-up 24-bit picture copied at its own size.
  if (!Valid(hdc) || bits == nullptr || info == nullptr || rop != SRCCOPY) return 0;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount != 24 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight <= 0) return 0;
  if (dest_w != src_w || dest_h != src_h || src_w <= 0 || src_h <= 0) return 0;
  const std::int64_t stride = (static_cast<std::int64_t>(h.biWidth) * 3 + 3) & ~std::int64_t{3};
  const auto* src = static_cast<const std::uint8_t*>(bits);
  platform::Framebuffer& fb = *hdc->target;
  // Columns that lie inside both the picture and the framebuffer.
  const std::int64_t c0 = std::max<std::int64_t>({0, -static_cast<std::int64_t>(src_x), -static_cast<std::int64_t>(dest_x)});
  const std::int64_t c1 = std::min<std::int64_t>({src_w, static_cast<std::int64_t>(h.biWidth) - src_x,
                                                  static_cast<std::int64_t>(platform::Framebuffer::kWidth) - dest_x});
  static const RowSwapper swap = FastestSwap();
  // Source row src_y + r (counted from the bottom) lands on window row dest_y + src_h - 1 - r.
  for (int r = 0; r < src_h && c0 < c1; ++r) {
    const std::int64_t sy = static_cast<std::int64_t>(src_y) + r;
    const std::int64_t dy = static_cast<std::int64_t>(dest_y) + src_h - 1 - r;
    if (sy < 0 || sy >= h.biHeight || dy < 0 || dy >= platform::Framebuffer::kHeight) continue;
    swap(src + sy * stride + (src_x + c0) * 3, fb.Row(static_cast<int>(dy)) + (dest_x + c0) * 3, c1 - c0);
  }
  return src_h;
}
