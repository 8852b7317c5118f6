// The field screen object: its set-up and new-game reset, the mini-map click that moves the view
// (clamped at the field's edges), and the hover card of the character under the mouse.
#include <gtest/gtest.h>

#include "field/field_screen.h"
#include "platform/headless.h"
#include "tests/support/counting_window.h"
#include "tests/support/headless_test.h"

namespace {

using test_support::paints;

class FieldScreenTest : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    window_ = test_support::CountingWindow("field");
    ASSERT_NE(window_, nullptr);
    characters_.Add(names::Of("民間兵"), names::Of("民間兵"), names::Of("民間兵R"), names::Of("民間兵A"), 1, 100,
                    200, 1, 0, 0, 0, 4, 0, 0, 0);
    characters_.Add(names::Of("傭兵"), names::Of("傭兵"), names::Of("傭兵R"), names::Of("傭兵A"), 2, 124, 200, 2,
                    0, 0, 0, 4, 0, 0, 0);
    screen_.Init(window_, characters_, nations_, cities_, parties_, divisions_, inhabitants_);
  }
  void Move(int x, int y) {
    screen_.OnMouseMove(window_, MAKELPARAM(x, y), characters_, nations_, cities_, parties_, divisions_,
                        inhabitants_);
  }
  void Click(int x, int y) {
    screen_.OnLButtonDown(window_, MAKELPARAM(x, y), characters_, nations_, cities_, parties_, divisions_,
                          inhabitants_);
  }

  HWND window_ = nullptr;
  FieldScreen screen_;
  CharacterList characters_;
  NationList nations_;
  CityList cities_;
  FieldPartyList parties_;
  DivisionList divisions_;
  InhabitantList inhabitants_;
};

TEST_F(FieldScreenTest, InitPutsTheViewAtTheFieldsCornerAndRepaintsEverything) {
  const RECT v = screen_.GetViewport();
  EXPECT_EQ(v.left, 4);
  EXPECT_EQ(v.top, 332);
  EXPECT_EQ(v.right, 68);
  EXPECT_EQ(v.bottom, 284);
  EXPECT_EQ(screen_.GetScrollX(), 0);
  EXPECT_EQ(screen_.GetRedrawMode(), 4);
  EXPECT_EQ(screen_.GetMonth(), 1);
  EXPECT_EQ(screen_.GetPhaseEnded(), 0);
  EXPECT_EQ(screen_.GetFadeStep(), 0);
  EXPECT_EQ(paints, 1);
  // A new world keeps the fade step (the game object clears it when the ending starts).
  screen_.SetFadeStep(7);
  screen_.SetPhaseEnded(1);
  screen_.SetMonth(9);
  screen_.NewGame();
  EXPECT_EQ(screen_.GetFadeStep(), 7);
  EXPECT_EQ(screen_.GetPhaseEnded(), 0);
  EXPECT_EQ(screen_.GetMonth(), 1);
}

TEST_F(FieldScreenTest, AMiniMapClickMovesTheViewWithinTheField) {
  paints = 0;
  Click(700, 100);  // inside the mini-map
  EXPECT_EQ(screen_.GetViewport().left, 28);
  EXPECT_EQ(screen_.GetViewport().bottom, 356);
  EXPECT_EQ(screen_.GetViewport().right, 92);
  EXPECT_EQ(screen_.GetViewport().top, 404);
  EXPECT_EQ(screen_.GetScrollX(), 240);
  EXPECT_EQ(screen_.GetScrollY(), 720);
  EXPECT_EQ(screen_.GetRedrawMode(), 2);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(screen_.GetClickWorldPoint().x, 940);
  EXPECT_EQ(screen_.GetClickWorldPoint().y, 100 - 720);
  // The right and top edges clamp to the last field column and row.
  Click(835, 4);
  EXPECT_EQ(screen_.GetViewport().left, 132);
  EXPECT_EQ(screen_.GetViewport().bottom, 428);
  EXPECT_EQ(screen_.GetScrollX(), 1279);
  EXPECT_EQ(screen_.GetScrollY(), 1439);
  // The left and bottom edges clamp to the field's corner.
  Click(644, 195);
  EXPECT_EQ(screen_.GetViewport().left, 4);
  EXPECT_EQ(screen_.GetViewport().bottom, 284);
  EXPECT_EQ(screen_.GetScrollY(), 0);
}

TEST_F(FieldScreenTest, TheSamePointTwiceAndClicksInTheViewDoNotMoveIt) {
  Click(700, 100);
  paints = 0;
  Click(700, 100);
  EXPECT_EQ(paints, 0);
  Click(300, 300);  // inside the view: only the click world point
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(screen_.GetScrollX(), 240);
  EXPECT_EQ(screen_.GetClickWorldPoint().x, 540);
  Click(700, 150);
  EXPECT_EQ(paints, 1);
  // Outside the mini-map but right of the view: remembered, nothing moves.
  Click(700, 300);
  EXPECT_EQ(paints, 1);
}

TEST_F(FieldScreenTest, HoveringShowsTheCharacterUnderTheMouseInThePanel) {
  Move(120, 250);  // character 1 is in state 0: shows nothing
  EXPECT_EQ(screen_.IsHoverActive(), 0);
  characters_.GetAt(0)->SetStateMoving();
  characters_.GetAt(1)->SetStateMoving();
  paints = 0;
  Move(120, 250);
  EXPECT_EQ(screen_.IsHoverActive(), 1);
  EXPECT_EQ(screen_.GetRedrawMode(), 1);
  EXPECT_EQ(screen_.GetPanelCharacter().GetId(), 1);
  EXPECT_EQ(paints, 1);
  Move(121, 250);  // the same character again: nothing
  EXPECT_EQ(paints, 1);
  Move(150, 250);  // straight onto the next character: the card changes, the hover stays
  EXPECT_EQ(screen_.GetPanelCharacter().GetId(), 2);
  EXPECT_EQ(screen_.IsHoverActive(), 1);
  EXPECT_EQ(paints, 2);
  Move(400, 400);
  EXPECT_EQ(screen_.IsHoverActive(), 0);
  EXPECT_EQ(screen_.GetRedrawMode(), 0);
  EXPECT_EQ(paints, 3);
  EXPECT_EQ(screen_.GetMouseWorldPoint().x, 400);
}

}  // namespace
