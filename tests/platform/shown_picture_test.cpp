// What a present hands to the screen: the smallest rectangle where the picture changed since the
// screen last took it, so that a hover repaint sends a button and not the whole window.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/framebuffer.h"

namespace {

auto Sides(const RECT& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); }

TEST(ShownPicture, TakesTheSmallestChangedRectangleAndRemembersItOnceShown) {
  platform::Framebuffer fb;
  platform::ShownPicture shown;
  using T = std::tuple<LONG, LONG, LONG, LONG>;
  // A present of the top-left width x height part: the rectangle handed over, taken by the screen or not.
  auto Take = [&](int width, int height, bool whole, bool taken = true) {
    const RECT r = shown.Changed(fb, width, height, whole);
    shown.Presented(fb, r, taken);
    return Sides(r);
  };
  EXPECT_EQ(Take(840, 480, true), T(0, 0, 840, 480));  // a new window gets all
  EXPECT_EQ(Take(840, 480, false), T(0, 0, 0, 0));     // nothing changed since
  // One byte in the first pixel, and the last byte of the last pixel.
  fb.Row(0)[0] = 1;
  EXPECT_EQ(Take(840, 480, false), T(0, 0, 1, 1));
  fb.Row(479)[839 * 3 + 2] = 1;
  EXPECT_EQ(Take(840, 480, false), T(839, 479, 840, 480));
  // Changes in two rows: the rectangle around both, whichever colour byte changed.
  fb.Row(200)[100 * 3 + 1] = 9;
  fb.Row(260)[50 * 3] = 9;
  EXPECT_EQ(Take(840, 480, false), T(50, 200, 101, 261));
  EXPECT_EQ(Take(840, 480, false), T(0, 0, 0, 0));
  // A narrow window shows only its part; the rest is taken when the window widens again.
  fb.Row(10)[700 * 3] = 5;
  EXPECT_EQ(Take(640, 480, false), T(0, 0, 0, 0));
  EXPECT_EQ(Take(840, 480, false), T(700, 10, 701, 11));
  EXPECT_EQ(Take(640, 480, true), T(0, 0, 640, 480));
  // A present that the screen did not take is given whole next time.
  fb.Row(5)[30] = 1;
  EXPECT_EQ(Take(840, 480, false, false), T(10, 5, 11, 6));
  EXPECT_EQ(Take(840, 480, false), T(0, 0, 840, 480));
}

}  // namespace
