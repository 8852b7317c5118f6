// The ending played by the game's own ending screen with the generated pictures, in virtual time:
// every picture loads, every scene shows its picture, and the sprites appear where the story
// needs them. The frames are kept in <build>/ending-shots/ to be looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/ending_screen.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"

namespace {

EndingScreen* ending = nullptr;
bool painting = false;  // the ending paints on every tick; only the frames kept are drawn here
CharacterList characters;
NationList nations;
CityList cities;
HFONT font = nullptr;

LRESULT EndingProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_TIMER) {
    ending->OnTimer(hwnd, wparam, characters, nations, cities);
    return 0;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (painting) ending->Paint(hwnd, dc, font, characters, nations, cities);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

double MeanLuma(const platform::Framebuffer& fb, int x0, int y0, int x1, int y1) {
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      COLORREF c = fb.Pixel(x, y);
      sum += 0.299 * (c & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * ((c >> 16) & 0xFF);
    }
  return sum / ((x1 - x0) * (y1 - y0));
}

// Pixels of the rectangle that differ from the same rectangle of another frame.
int Differing(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * platform::Framebuffer::kStride + 3 * x;
      if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++n;
    }
  return n;
}

class EndingView : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ending = &ending_;
    WNDCLASSA wc{0, EndingProc, "ending view"};
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, "ending view", "VALDRIM", 0, 0, 0, 646, 508, nullptr, nullptr, nullptr, nullptr);
    font = CreateFontA(16, 0, 0, 0, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ 明朝");
  }
  void TearDown() override {
    DeleteObject(font);
    ending = nullptr;
    HeadlessTest::TearDown();
  }
  test_support::ScopedCurrentDir here_{VALDRIM_GAME_DIR};
  EndingScreen ending_;
  HWND window_ = nullptr;
};

}  // namespace

TEST_F(EndingView, EveryScenePaintsItsStoryWithTheGeneratedPictures) {
  ASSERT_TRUE(ending_.Init(window_, characters, nations, cities));
  EXPECT_TRUE(headless::Boxes().empty()) << headless::Boxes()[0].caption;
  // As the game enters the ending: timer 2 at 50 ms, timer 1 at 200 ms.
  SetTimer(window_, 2, 50, nullptr);
  SetTimer(window_, 1, 200, nullptr);

  // The frames worth keeping: (scene, F) -> name.
  const std::map<std::pair<int, int>, std::string> wanted = {
      {{1, 8}, "1-duel"},     {{1, 22}, "1-slash"},    {{1, 40}, "1-curse"},   {{2, 5}, "2-banner"},
      {{3, 60}, "3-feast"},   {{4, 5}, "4-crown"},     {{5, 11}, "5-fireworks"}, {{5, 8}, "5-night"},
      {{6, 5}, "6-peace"},    {{7, 60}, "7-road"},     {{8, 5}, "8-end"},
  };
  std::map<std::string, std::vector<std::uint8_t>> frames;
  const std::filesystem::path shots = std::filesystem::path(VALDRIM_GAME_DIR) / ".." / "ending-shots";
  std::filesystem::create_directories(shots);
  for (int ms = 0; ms < 240000 && ending_.GetScene() != EndingScreen::kWaitingScene; ms += 50) {
    headless::RunFor(50);
    const auto c = ending_.GetCounters();
    // Still scenes count W, animated ones F.
    const int frame = (c.scene == 2 || c.scene == 4 || c.scene == 6 || c.scene == 8) ? c.w : c.f;
    auto it = wanted.find({c.scene, frame});
    if (it == wanted.end() || frames.count(it->second)) continue;
    painting = true;
    ending_.InvalidateArea(window_, 0, 0, 840, 480);
    painting = false;
    frames[it->second] = headless::Framebuffer().Bytes();
    headless::Framebuffer().WritePpm((shots / (it->second + ".ppm")).string(), 640, 480);
    // Every scene shows a picture, even the three that are always shown 30 levels darker.
    EXPECT_GT(MeanLuma(headless::Framebuffer(), 0, 0, 640, 480), 25) << it->second;
  }
  ASSERT_EQ(frames.size(), wanted.size());
  // The duellists stand where the ground of scene 1 is (x 232..384, rows 200..263), the slash
  // crosses them, the curse flies at them; the fireworks of scene 5 flash over the capital.
  EXPECT_GT(Differing(frames["1-slash"], frames["1-duel"], 150, 156, 406, 380), 3000);
  EXPECT_GT(Differing(frames["1-curse"], frames["1-duel"], 260, 180, 390, 264), 300);
  EXPECT_GT(Differing(frames["5-fireworks"], frames["5-night"], 214, 40, 614, 440), 20000);
  EXPECT_TRUE(headless::Boxes().empty());
}
