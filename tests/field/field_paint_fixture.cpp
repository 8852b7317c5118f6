#include "tests/field/field_paint_fixture.h"

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <set>

#include "platform/text.h"

namespace field_paint_test {
namespace {

void Put(const std::string& cp932_name, int width, int height, const std::function<COLORREF(int, int)>& colour) {
  test_support::WriteFile(platform::FileSystemPath("BITMAP/" + cp932_name + ".dat"),
                          test_support::MakeBmp24(width, height, colour));
}

// (x, y) with y from the picture's top row, as MakeBmp24 gives it.
COLORREF SheetPixel(int x, int y) {
  const int from_bottom = 383 - y;
  const int col = x / 48, row = from_bottom / 48, cx = x % 48, cy = from_bottom % 48;
  if (cx < 4 || cx >= 44 || cy >= 44) return kKey;
  if (cx >= 8 && cx < 16 && cy >= 30 && cy < 38) return kCloth;
  return CellColour(col, row, cx >= 24);
}

}  // namespace

void WriteFieldPictures(const std::string& leave_out) {
  std::filesystem::create_directories("BITMAP");
  auto put = [&](const std::string& name, int w, int h, const std::function<COLORREF(int, int)>& colour) {
    if (name != leave_out) Put(name, w, h, colour);
  };
  put("フィールドマップⅡ", 1920, 1920, [](int x, int y) { return FieldColour(x, 1919 - y); });
  put("情報メイン外枠", 200, 480, [](int, int) { return kColumnColour; });
  put("情報マップ", 192, 192, [](int, int) { return kMinimapColour; });
  put("情報国色", 96, 8, [](int x, int y) { return x % 8 < 6 && y >= 2 ? DotColour(x / 8) : kKey; });
  put("情報マップ枠", 64, 48, [](int x, int y) {
    return x < 2 || x >= 62 || y < 2 || y >= 46 ? kViewportColour : kKey;
  });
  put("行動フェーズ板", 200, 284, [](int x, int) { return x < 3 ? kKey : kBoardColour; });
  put("エフェクトA", 144, 48, [](int, int) { return kKey; });

  std::set<std::string> sheets = {"民間兵A", "諸侯A", "傭兵A", "傭兵B２", "傭兵C３", "傭兵D４"};
  OwnedWorld world;
  world.Build(1);
  for (const Character& c : world.characters) sheets.insert(names::Text(c.GetFieldSpriteName()));
  for (const std::string& name : sheets) put(name, 144, 384, SheetPixel);
}

FieldPaintTest* FieldPaintTest::current_ = nullptr;
test_support::TempDir* FieldPaintTest::folder_ = nullptr;
std::filesystem::path FieldPaintTest::launch_dir_;

void FieldPaintTest::SetUpTestSuite() {
  launch_dir_ = std::filesystem::current_path();
  folder_ = new test_support::TempDir;
  test_support::ScopedCurrentDir here(folder_->Path());
  WriteFieldPictures();
}

void FieldPaintTest::TearDownTestSuite() {
  delete folder_;
  folder_ = nullptr;
}

LRESULT FieldPaintTest::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT && current_) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    OwnedWorld& w = current_->world_;
    current_->painting_->Paint(hwnd, dc, current_->large_, current_->small_, w.characters, w.nations, w.cities,
                               w.field_parties, w.divisions, w.inhabitants);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

void FieldPaintTest::SetUp() {
  HeadlessTest::SetUp();
  in_folder_ = std::make_unique<test_support::ScopedCurrentDir>(folder_->Path());
  world_.Build(7);
  current_ = this;
  WNDCLASSA wc{0, Proc, "field paint"};
  RegisterClassA(&wc);
  window_ = CreateWindowExA(0, "field paint", "VALDRIM", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window_, nullptr);
  large_ = CreateFontA(-16, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
  small_ = CreateFontA(-10, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
  screen_.Init(window_, world_.characters, world_.nations, world_.cities, world_.field_parties, world_.divisions,
               world_.inhabitants);
}

void FieldPaintTest::TearDown() {
  DeleteObject(large_);
  DeleteObject(small_);
  current_ = nullptr;
  in_folder_.reset();
  HeadlessTest::TearDown();
}

void FieldPaintTest::Paint(std::int32_t mode) {
  screen_.SetRedrawMode(mode);
  if (mode == 1)
    screen_.InvalidateArea(window_, 640, 0, 840, 480);
  else
    screen_.InvalidateArea(window_, 0, 0, 840, 480);
}

void FieldPaintTest::Move(int x, int y) {
  screen_.OnMouseMove(window_, MAKELPARAM(x, y), world_.characters, world_.nations, world_.cities,
                      world_.field_parties, world_.divisions, world_.inhabitants);
}

COLORREF FieldPaintTest::ViewPixel(int fx, int fy) const {
  return Fb().Pixel(fx - screen_.GetScrollX(), 479 - (fy - screen_.GetScrollY()));
}

COLORREF FieldPaintTest::ColumnPixel(int cx, int cy) const { return Fb().Pixel(640 + cx, 479 - cy); }

Seen FieldPaintTest::Look(const Character& c) const {
  Point p;
  c.GetPosition(p);
  Seen seen;
  // Cell point (12, 20) of an upright cell lies in its left half; mirrored, column 12 of the
  // canvas shows cell column 35, in the right half.
  const COLORREF body = ViewPixel(p.x + 12, p.y + 20);
  const int blue = (body >> 16) & 0xFF, green = (body >> 8) & 0xFF, red = body & 0xFF;
  if (blue != 30 && blue != 90) return seen;
  seen.drawn = true;
  seen.col = (red - 60) / 40;
  seen.row = (green - 60) / 20;
  seen.mirrored = blue == 90;
  seen.cloth = ViewPixel(p.x + (seen.mirrored ? 37 : 10), p.y + 33);
  return seen;
}

Character& FieldPaintTest::Place(std::int32_t id, int x, int y, void (Character::*state)(), int frame) {
  Character* c = world_.characters.FindById(id);
  EXPECT_EQ(c->GetId(), id);
  c->SetPosition(x, y);
  (c->*state)();
  c->SetAnimFrame(frame);
  return *c;
}

std::vector<std::uint8_t> WithLines(std::vector<std::uint8_t> bytes, const std::vector<Line>& lines) {
  const platform::PixelTarget target{bytes.data(), platform::Framebuffer::kWidth, platform::Framebuffer::kHeight,
                                     platform::Framebuffer::kStride, false, false};
  for (const Line& l : lines)
    platform::DrawCp932Text(target, l.x, l.y, l.text, platform::TextStyle{l.height, true, true, RGB(0, 0, 0)});
  return bytes;
}

std::string Format(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  return line;
}

}  // namespace field_paint_test
