// How long a paint's picture takes to compose and show, and how long the screens' pictures take
// to load. A paint at the fastest game speed has 50 ms for everything in a tick; the picture
// should take well under 1 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "media/bitmap.h"
#include "media/canvas.h"
#include "media/work_bitmap.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"

namespace {

constexpr COLORREF kKey = 0xFF00FF;

// A 3 x 8 sheet of 48 x 48 figures: magenta around a body, some of it in the tintable 0x393939.
COLORREF Figure(int x, int y) {
  const int cx = x % 48, cy = y % 48;
  if (cx < 12 || cx >= 36 || cy >= 44) return kKey;
  if (cy > 16 && cy < 30) return 0x393939;
  return RGB(40 + x % 100, 80 + y % 100, 120);
}

COLORREF Landscape(int x, int y) { return RGB((x * 3) & 0xFF, (y * 5) & 0xFF, (x ^ y) & 0xFF); }

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) { return DefWindowProcA(hwnd, msg, wparam, lparam); }

// The game's window in the headless back end, and the current folder with an empty BITMAP/.
struct Stage {
  Stage() : here(dir.Path()) {
    headless::Reset();
    std::filesystem::create_directory(dir.Path() / "BITMAP");
    WNDCLASSA wc{CS_HREDRAW | CS_VREDRAW, Proc, "メインウィンドウ"};
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "メインウィンドウ", "VALDRIMⅡ", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                           0, 646, 508, nullptr, nullptr, nullptr, nullptr);
    headless::PumpMessages();
  }
  ~Stage() { headless::Reset(); }
  test_support::TempDir dir;
  test_support::ScopedCurrentDir here;
  HWND hwnd = nullptr;
};

void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  test_support::WriteFile("BITMAP/" + name + ".dat", bytes);
}

std::unique_ptr<Bitmap> LoadNew(const std::string& name) {
  auto b = std::make_unique<Bitmap>();
  if (!b->Load(name.c_str())) return nullptr;
  return b;
}

void BM_ComposeAndShowFieldPicture(benchmark::State& state) {
  Stage stage;
  Write("back", test_support::MakeBmp24(640, 480, Landscape));
  Write("sheet", test_support::MakeBmp24(144, 384, Figure));
  auto back = LoadNew("back");
  auto sheet = LoadNew("sheet");
  if (!back || !sheet) {
    state.SkipWithError("pictures did not load");
    return;
  }
  const bool show = state.range(0) != 0;
  for (auto _ : state) {
    Canvas canvas;
    canvas.CopyFrom(back.get());
    for (int i = 0; i < 130; ++i) {
      const int x = (i * 37) % (640 - 48);
      const int y = (i * 53) % (480 - 48);
      const int col = i % 3, row = i % 8;
      switch (i % 4) {
        case 0:
          canvas.BlitCell(sheet.get(), x, y, col, row, 3, 8, kKey);
          break;
        case 1:
          canvas.BlitCellMirrored(sheet.get(), x, y, col, row, 3, 8, kKey);
          break;
        case 2:
          canvas.BlitCellRecolour(sheet.get(), x, y, col, row, 3, 8, kKey, 0x393939, 0x963939);
          break;
        default:
          canvas.BlitCellMirroredRecolour(sheet.get(), x, y, col, row, 3, 8, kKey, 0x393939, 0x393996);
          break;
      }
    }
    if (show) {
      // As a paint does: between BeginPaint and EndPaint, one blit of the whole canvas.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(stage.hwnd, &ps);
      WorkBitmap::StretchToDC(dc, 0, 0, 640, 480, 0, 0, 640, 480, canvas.GetHeader(), canvas.GetPixels());
      EndPaint(stage.hwnd, &ps);
    }
    benchmark::DoNotOptimize(canvas.GetPixels());
    canvas.Free();
  }
}
BENCHMARK(BM_ComposeAndShowFieldPicture)->Arg(0)->Arg(1)->ArgName("show")->Unit(benchmark::kMicrosecond);

// The sizes of the game's 161 pictures, roughly: one field map, the full-window backgrounds and
// panels, a sprite sheet, a portrait and a list picture per character set, and menu strips.
struct Size {
  int width, height, count;
};
constexpr Size kPictureSizes[] = {
    {1920, 1920, 1}, {640, 480, 11}, {200, 480, 3}, {192, 192, 1}, {144, 384, 26},
    {64, 64, 26},    {32, 24, 26},   {240, 64, 34}, {96, 96, 32},
};

void BM_LoadScreenPictures(benchmark::State& state) {
  Stage stage;
  std::vector<std::string> names;
  for (const Size& s : kPictureSizes) {
    for (int i = 0; i < s.count; ++i) {
      std::string name = "p";
      name += std::to_string(names.size());
      names.push_back(name);
      Write(names.back(), test_support::MakeBmp24(s.width, s.height, Landscape));
    }
  }
  for (auto _ : state) {
    std::vector<std::unique_ptr<Bitmap>> loaded;
    for (const std::string& name : names) loaded.push_back(LoadNew(name));
    benchmark::DoNotOptimize(loaded.data());
  }
  state.counters["pictures"] = static_cast<double>(names.size());
}
BENCHMARK(BM_LoadScreenPictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
