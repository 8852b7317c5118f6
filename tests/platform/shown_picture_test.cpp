// What a present hands to the screen: the smallest rectangle where the picture changed since it
// was last shown, so that a hover repaint sends a button and not the whole window.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/framebuffer.h"

namespace {

auto Sides(const RECT& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); }

TEST(ShownPicture, TakesTheSmallestChangedRectangleAndRemembersIt) {
  platform::Framebuffer fb;
  platform::ShownPicture shown;
  using T = std::tuple<LONG, LONG, LONG, LONG>;
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, true)), T(0, 0, 840, 480));  // a new window gets all
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, false)), T(0, 0, 0, 0));     // nothing changed since
  // One byte in the first pixel, and the last byte of the last pixel.
  fb.Row(0)[0] = 1;
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, false)), T(0, 0, 1, 1));
  fb.Row(479)[839 * 3 + 2] = 1;
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, false)), T(839, 479, 840, 480));
  // Changes in two rows: the rectangle around both, whichever colour byte changed.
  fb.Row(200)[100 * 3 + 1] = 9;
  fb.Row(260)[50 * 3] = 9;
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, false)), T(50, 200, 101, 261));
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, false)), T(0, 0, 0, 0));
  // A narrow window shows only its part; the rest is taken when the window widens again.
  fb.Row(10)[700 * 3] = 5;
  EXPECT_EQ(Sides(shown.Take(fb, 640, 480, false)), T(0, 0, 0, 0));
  EXPECT_EQ(Sides(shown.Take(fb, 840, 480, false)), T(700, 10, 701, 11));
  EXPECT_EQ(Sides(shown.Take(fb, 640, 480, true)), T(0, 0, 640, 480));
}

}  // namespace
