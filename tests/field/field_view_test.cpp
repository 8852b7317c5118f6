// The paint composes only the part of the field in view, into canvases it keeps between paints.
// What the window shows must be what it showed when every paint composed the whole field: here a
// reference paint does that, as the paint always did, and the window is compared with it pixel
// for pixel after the paints of many ticks of a real battle, of scrolls to every edge of the
// map, of the mouse resting on characters, and of the fade, with characters standing across the
// view's edges on sprite sheets whose cells are whole pixels wide and on sheets whose are not.
#include <algorithm>
#include <set>
#include <string>

#include "field/field_paint.h"
#include "media/work_bitmap.h"
#include "platform/text.h"
#include "tests/field/field_paint_fixture.h"
#include "tests/support/sorties.h"
#include "world/random.h"

namespace field_paint_test {
namespace {

bool Shown(const Character& c) {
  return field_paint::ChooseSpriteCell(c).drawn;
}

// The paint as it was: the whole 1920 x 1920 field from the map with every character on it, the
// whole field darkened in the fade, the part in view shown; then the column, the tick and the card.
void ReferencePaint(HWND window, FieldScreen& s, OwnedWorld& w, HFONT large, HFONT small, int tick) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  SelectObject(dc, large);
  SetBkMode(dc, TRANSPARENT);
  BitmapBank& bank = s.GetBank();
  const int mode = s.GetRedrawMode();
  if (mode == 2 || mode == 4) {
    Canvas field, column;
    field.CopyFrom(bank.Get(names::Of("フィールドマップⅡ")));
    w.characters.ComputeDrawOrder();
    for (std::int32_t slot = 0; slot < w.characters.Count(); ++slot)
      if (const Character* c = w.characters.FindByDrawSlot(slot)) field_paint::DrawCharacter(field, bank, *c);
    if (s.GetFadeStep() > 0)
      WorkBitmap::AdjustBrightness(field.GetHeader(), field.GetPixels(), std::max(-255, -20 * s.GetFadeStep()));
    WorkBitmap::StretchToDC(dc, s.GetScrollX(), s.GetScrollY(), 640, 480, 0, 0, 640, 480, field.GetHeader(),
                            field.GetPixels());
    const RECT viewport = s.GetViewport();
    field_paint::ComposeColumn(column, bank, w.cities, viewport.left, viewport.bottom);
    WorkBitmap::StretchToDC(dc, 0, 0, 200, 480, 640, 0, 200, 480, column.GetHeader(), column.GetPixels());
    const std::string line = Format("時間間隔  = %4d", tick);
    TextOutA(dc, 10, 10, line.c_str(), static_cast<int>(line.size()));
  }
  const POINT m = s.GetMouseWorldPoint();
  if ((mode == 1 || mode == 4) && s.IsHoverActive() == 1 && w.characters.HasCharacterAtPoint(m.x, m.y)) {
    if (const Character* p = w.characters.HitTest(m.x, m.y))
      field_paint::WritePanel(dc, large, small, *p, w.characters);
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  EndPaint(window, &ps);
}

void SetFramebuffer(const std::vector<std::uint8_t>& bytes) {
  platform::Framebuffer& fb = platform::ClientFramebuffer();
  for (int y = 0; y < platform::Framebuffer::kHeight; ++y)
    std::copy_n(bytes.data() + static_cast<std::size_t>(y) * platform::Framebuffer::kStride,
                platform::Framebuffer::kStride, fb.Row(y));
}

// A sheet 145 or 146 px wide: its cells are 48 1/3 or 48 2/3 px wide, so mirrored cells write
// pixels astride two columns. Every pixel has its own colour; a key margin runs round each cell.
COLORREF OddSheetPixel(int width, int x, int y) {
  const int cx = x * 3 % width / 3, cy = (383 - y) % 48;
  if (cx < 3 || cx >= 45 || cy >= 45) return kKey;
  return RGB(x, 60 + y / 2, 100 + (x + y) % 100);
}

using FieldView = FieldPaintTest;

TEST_F(FieldView, ThePartComposedShowsWhatTheWholeFieldShowed) {
  // Two sheets in three, in name order, have cells that are not whole pixels wide.
  test_support::TempDir dir;
  test_support::ScopedCurrentDir here(dir.Path());
  WriteFieldPictures();
  std::set<std::string> sheets;
  for (const Character& c : world_.characters) sheets.insert(names::Text(c.GetFieldSpriteName()));
  int n = 0;
  for (const std::string& name : sheets) {
    const int width = 144 + n++ % 3;
    if (width != 144)
      test_support::WriteFile(platform::FileSystemPath("BITMAP/" + name + ".dat"),
                              test_support::MakeBmp24(width, 384, [width](int x, int y) {
                                return OddSheetPixel(width, x, y);
                              }));
  }
  FieldScreen s;
  painting_ = &s;
  s.Init(window_, world_.characters, world_.nations, world_.cities, world_.field_parties, world_.divisions,
         world_.inhabitants);
  rng::Srand(31);
  ASSERT_GT(test_support::SendSorties(world_), 10);

  int checks = 0, across_edges = 0, hovered = 0, faded = 0;
  // Compares the window with the reference painted over what the window showed before, when a
  // paint has come since; the run stops at the first paint that differs.
  std::vector<std::uint8_t> before;
  int paints = 0;
  bool same = true;
  auto mark = [&] {
    before = Fb().Bytes();
    paints = headless::PaintCount();
  };
  auto check = [&](int tick, const char* what) {
    if (!same || headless::PaintCount() == paints) return;
    const std::vector<std::uint8_t> shown = Fb().Bytes();
    SetFramebuffer(before);
    ReferencePaint(window_, s, world_, large_, small_, tick);
    const std::vector<std::uint8_t>& expected = Fb().Bytes();
    const auto diff = std::mismatch(shown.begin(), shown.end(), expected.begin());
    const long at = diff.first - shown.begin();
    ++checks;
    same = diff.first == shown.end();
    EXPECT_TRUE(same) << what << " at tick " << tick << ", scroll " << s.GetScrollX() << ","
                                       << s.GetScrollY() << ", fade " << s.GetFadeStep() << ": pixel ("
                                       << at % platform::Framebuffer::kStride / 3 << ", "
                                       << at / platform::Framebuffer::kStride << ") differs";
  };
  auto lists = [&](auto call) {
    call(world_.characters, world_.nations, world_.cities, world_.field_parties, world_.divisions,
         world_.inhabitants);
  };

  // Mini-map clicks: the four corners of the map (the view at both ends of its scroll), its
  // middle, and points between. Each click must differ from the last to be taken.
  const POINT clicks[] = {{644, 195}, {835, 195}, {835, 4}, {644, 4},  {740, 100}, {700, 180},
                          {800, 190}, {660, 150}, {780, 60}, {720, 194}, {690, 30}, {830, 120}};
  for (int tick = 1; same && tick <= 200; ++tick) {
    if (tick % 5 == 1) {
      const POINT at = clicks[(tick / 5) % std::size(clicks)];
      mark();
      lists([&](auto&... l) { s.OnLButtonDown(window_, MAKELPARAM(at.x, at.y), l...); });
      check(s.GetTickCounter(), "scroll");
    }
    // Characters stood across the view's edges and corners, some of them mirrored.
    const int sx = s.GetScrollX(), sy = s.GetScrollY();
    const POINT across[] = {{sx - 24, sy + 100}, {sx + 640 - 20, sy + 240}, {sx + 300, sy - 30},
                            {sx + 200, sy + 480 - 10}, {sx - 40, sy - 40}, {sx + 630, sy + 470}};
    int k = tick;
    for (const POINT& p : across) {
      for (int tries = 0; tries < world_.characters.Count(); ++tries, ++k) {
        Character& c = *world_.characters.GetAt(k % world_.characters.Count());
        if (!Shown(c)) continue;
        c.SetPosition(std::clamp<int>(p.x, 0, 1872), std::clamp<int>(p.y, 0, 1872));
        ++across_edges;
        ++k;
        break;
      }
    }
    // The mouse on the body of a character in view, a fighter first, so that the card shows its
    // blow.
    if (tick % 3 == 0) {
      const Character* pick = nullptr;
      for (const Character& c : world_.characters) {
        Point p;
        c.GetPosition(p);
        const int x = p.x - sx + 24, y = 460 - (p.y - sy);
        if (!Shown(c) || x < 0 || x >= 640 || y < 0 || y >= 480) continue;
        if (!pick || c.GetState() == 6) pick = &c;
      }
      if (pick) {
        Point p;
        pick->GetPosition(p);
        mark();
        lists([&](auto&... l) { s.OnMouseMove(window_, MAKELPARAM(p.x - sx + 24, 460 - (p.y - sy)), l...); });
        check(s.GetTickCounter(), "mouse");
        hovered += s.IsHoverActive();
      }
    }
    // A city changing hands between ticks, with the view where it was: its dot on the mini-map.
    if (tick % 7 == 0) {
      City& city = *world_.cities.GetAt(tick % world_.cities.Count());
      const Nation& n = *world_.nations.GetAt(tick % world_.nations.Count());
      city.SetOwner(city.GetOwner() == n.GetId() ? City::kNoOwner : n.GetId());
    }
    // The fade before the ending, to black and past it, and then a new game's bright field.
    s.SetFadeStep(tick > 120 && tick <= 135 ? tick - 120 : 0);
    faded += s.GetFadeStep() > 0;

    mark();
    lists([&](auto&... l) { s.Tick(window_, 1, l...); });
    // The 100th tick paints 100 and then starts the count again.
    check(s.GetTickCounter() == 0 ? 100 : s.GetTickCounter(), "tick");
    if (s.GetPhaseEnded()) {
      s.SetPhaseEnded(0);
      test_support::SendSorties(world_);
    }
  }
  painting_ = &screen_;
  if (!same) return;
  EXPECT_GT(checks, 250);
  EXPECT_GT(across_edges, 1000);
  EXPECT_GT(hovered, 10);
  EXPECT_EQ(faded, 15);
}

}  // namespace
}  // namespace field_paint_test
