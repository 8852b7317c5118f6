// The back key and the hover help of the thinking phase: where a right click leads from each menu
// in the player's turn and in a computer nation's, when leaving a menu lets the nations' turns go
// on, and which help id the pointer chooses over buttons, list rows and the skills of a card,
// repainting only the help area (or the right panel) when something changed.
#include <gtest/gtest.h>

#include "tests/planning/menu_fixture.h"

namespace menu_test {
namespace {

class BackAndHover : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    BuildStandardWorld(w);
  }
  // Gives a character n skills.
  static void GiveSkills(Character& c, int n) {
    for (int i = 0; i < n; ++i) c.skills.Append(Skill());
  }
};

struct Back {
  std::int32_t from, to;
};

const Back kPlayersBack[] = {
    {3, 0},   {9, 0},   {5, 0},   {6, 0},   {8, 0},   {16, 3},  {20, 3},  {21, 3},  {31, 3},  {35, 3},
    {17, 16}, {18, 16}, {32, 31}, {33, 31}, {34, 31}, {36, 35}, {39, 35}, {37, 36}, {38, 36}, {40, 39},
    {41, 39}, {53, 5},  {58, 5},  {59, 5},  {55, 53}, {56, 53}, {57, 53}, {62, 6},  {63, 6},  {64, 8},
    {65, 8},  {66, 8},  {0, 0},   {1, 1},   {70, 70},
};

TEST_F(BackAndHover, TheRightButtonGoesUpOneMenuDuringThePlayersTurn) {
  for (const Back& b : kPlayersBack) {
    SCOPED_TRACE(testing::Message() << "from " << b.from);
    PlayerTurn(1);
    screen.SetMenuState(b.from);
    screen.turn.information_list_position = 4;
    TakePaints();
    RightClick({300 + b.from, 200});
    EXPECT_EQ(State(), b.to);
    EXPECT_EQ(screen.turn.right_click_x, 300 + b.from);
    EXPECT_EQ(screen.turn.right_click_y, 200);
    // Leaving an information view starts its list over.
    const bool view = b.from == 53 || b.from == 58 || b.from == 59 || (b.from >= 55 && b.from <= 57);
    EXPECT_EQ(screen.turn.information_list_position, view ? 0 : 4);
    std::vector<RECT> paints = TakePaints();
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_TRUE(SameRect(paints[0], 0, 0, 840, 480));
    // During the player's turn the timer stays stopped.
    EXPECT_FALSE(TimerRuns());
  }
}

TEST_F(BackAndHover, LeavingAReadingMenuOutsideThePlayersTurnRestartsTheTurnsAtTheGameSpeed) {
  const std::pair<std::int32_t, UINT> speeds[] = {{0, 100}, {1, 200}, {2, 50}};
  for (auto [speed, period] : speeds) {
    for (std::int32_t from : {5, 6, 8}) {
      KillTimer(window, 1);
      screen.SetGameSpeed(speed);
      PlayerTurn(1, false);
      screen.SetMenuState(from);
      RightClick();
      EXPECT_EQ(State(), 0);
      ASSERT_TRUE(TimerRuns());
      EXPECT_EQ(headless::Timer(1)->period, period);
    }
  }
  // The military menu is the player's own: going back from it starts nothing.
  KillTimer(window, 1);
  screen.SetMenuState(3);
  RightClick();
  EXPECT_FALSE(TimerRuns());
}

const Back kComputersBack[] = {
    {5, 0},   {6, 0},   {8, 0},   {53, 5},  {58, 5},  {59, 5},  {55, 53}, {56, 53}, {57, 53}, {62, 6},
    {63, 6},  {64, 8},  {65, 8},  {66, 8},  {3, 3},   {9, 9},   {16, 16}, {31, 31}, {37, 37}, {0, 0},
};

TEST_F(BackAndHover, DuringAComputerNationsTurnTheRightButtonLeavesOnlyItsMenus) {
  for (const Back& b : kComputersBack) {
    SCOPED_TRACE(testing::Message() << "from " << b.from);
    KillTimer(window, 1);
    PlayerTurn(2, false);
    screen.SetMenuState(b.from);
    screen.turn.information_list_position = 4;
    TakePaints();
    RightClick();
    EXPECT_EQ(State(), b.to);
    // The list position is kept, and every return to the main menu restarts the turns.
    EXPECT_EQ(screen.turn.information_list_position, 4);
    EXPECT_EQ(TimerRuns(), b.to == 0 && b.from != 0);
    EXPECT_EQ(TakePaints().size(), 1u);
  }
  // Nobody acting: the right button does nothing at all.
  PlayerTurn(7, false);
  screen.SetMenuState(5);
  screen.turn.right_click_x = 0;
  RightClick({123, 45});
  EXPECT_EQ(State(), 5);
  EXPECT_EQ(screen.turn.right_click_x, 0);
  EXPECT_TRUE(TakePaints().empty());
}

struct ButtonHelp {
  std::int32_t state;
  int button;
  std::int32_t id;
};

const ButtonHelp kButtonHelp[] = {
    {3, 1, 20},  {3, 2, 21},  {3, 3, 99},  {3, 4, 31},  {3, 5, 35},  {3, 6, 16},  {3, 7, 99},
    {5, 1, 53},  {5, 2, 58},  {5, 3, 59},  {5, 4, 99},  {53, 1, 55}, {53, 2, 56}, {53, 3, 57},
    {53, 4, 99}, {6, 1, 62},  {6, 2, 63},  {6, 3, 99},  {8, 1, 64},  {8, 2, 65},  {8, 3, 66},
    {8, 6, 99},
};

TEST_F(BackAndHover, TheMenuButtonsChooseTheHelpOfTheMenuTheyOpen) {
  for (const ButtonHelp& h : kButtonHelp) {
    SCOPED_TRACE(testing::Message() << "state " << h.state << " button " << h.button);
    screen.SetMenuState(h.state);
    Move(kNowhere);
    TakePaints();
    Move(Button(h.button));
    EXPECT_EQ(screen.GetHoverId(), h.id);
    EXPECT_EQ(screen.turn.pointer_x, Button(h.button).x);
    // Only a change repaints, and only the help area.
    std::vector<RECT> paints = TakePaints();
    ASSERT_EQ(paints.size(), h.id == 99 ? 0u : 1u);
    if (!paints.empty()) {
      EXPECT_TRUE(SameRect(paints[0], 140, 380, 640, 480));
    }
    Move({Button(h.button).x + 20, Button(h.button).y + 5});  // still on the same button
    EXPECT_TRUE(TakePaints().empty());
  }
}

TEST_F(BackAndHover, TheMainMenuAndTheCommandViewsDoNotFollowThePointer) {
  for (std::int32_t state : {0, 9, 16, 31, 33, 35, 36, 37, 58, 62, 64}) {
    screen.SetMenuState(state);
    screen.turn.pointer_x = 1;
    Move(Button(1));
    EXPECT_EQ(screen.turn.pointer_x, 1) << state;
    EXPECT_EQ(screen.GetHoverId(), 0) << state;
  }
  EXPECT_TRUE(TakePaints().empty());
}

TEST_F(BackAndHover, ListRowsAreHoveredExceptOnTheSeamsBetweenThem) {
  // Sixteen catalogue tactics: the research list reacts over fifteen rows.
  for (std::int32_t id = 4; id <= 16; ++id) w.AddTactic(id, 1, 1);
  screen.SetMenuState(17);
  const int x = 250;
  Move({x, 30});
  EXPECT_EQ(screen.GetHoverId(), 17);
  Move({x, 47});  // the last pixel of row 0 before the seam
  EXPECT_EQ(screen.GetHoverId(), 17);
  Move({x, 48});  // seam between rows 0 and 1
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({x, 51});
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({x, 52});
  EXPECT_EQ(screen.GetHoverId(), 17);
  Move({x, 30 + 20 * 15 - 1});  // the fifteenth row's last pixel
  EXPECT_EQ(screen.GetHoverId(), 17);
  Move({x, 30 + 20 * 15});  // a sixteenth row is not shown
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({214, 60});  // left of the column
  EXPECT_EQ(screen.GetHoverId(), 99);

  // The tactic-use list is not capped: the twelfth of the nation's tactics is hovered too.
  Nation& player = *w.nations.GetAt(0);
  for (std::int32_t i = 1; i < 12; ++i) {
    w.tactics.GetAt(i)->Pack();
    player.tactics.InsertSorted(w.tactics.GetAt(i)->SaveImageBytes());
  }
  screen.SetMenuState(20);
  Move({x, 30 + 20 * 11 + 5});
  EXPECT_EQ(screen.GetHoverId(), 20);

  // The policy-use list counts only the policies that came up: one row.
  screen.SetMenuState(21);
  Move({x, 35});
  EXPECT_EQ(screen.GetHoverId(), 21);
  Move({x, 55});
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({x, 35});
  EXPECT_EQ(screen.GetHoverId(), 21);
  // With none available the hover id is left as it was and nothing is repainted.
  player.policies.GetAt(0)->ClearAvailable();
  TakePaints();
  Move({x, 75});
  EXPECT_EQ(screen.GetHoverId(), 21);
  EXPECT_TRUE(TakePaints().empty());
}

TEST_F(BackAndHover, TheSkillsOfTheShownCharacterAreHoveredUpToTen) {
  // The free character for hire at position 0 is character 10.
  Character& candidate = *w.characters.FindById(10);
  GiveSkills(candidate, 12);
  PlayerTurn(1);
  screen.SetMenuState(31);
  Click(Button(1));
  ASSERT_EQ(State(), 32);
  Move({470, 25});
  EXPECT_EQ(screen.GetHoverId(), 54);
  Move({470, 44});  // seam between the skills 0 and 1 starts at 43
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({470, 25 + 20 * 9 + 2});
  EXPECT_EQ(screen.GetHoverId(), 54);
  Move({470, 25 + 20 * 10 + 2});  // an eleventh skill is not shown
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({500, 30});
  EXPECT_EQ(screen.GetHoverId(), 99);
  Move({470, 30});
  EXPECT_EQ(screen.GetHoverId(), 54);

  // Moving to the next candidate, who has no skills: the id stays whatever the pointer does.
  Click(kForwardArrow);
  Move({470, 300});
  EXPECT_EQ(screen.GetHoverId(), 54);

  // The lords' list shows the lord at the list position.
  GiveSkills(*w.characters.FindById(21), 1);
  screen.SetMenuState(53);
  Move(Button(4));
  EXPECT_EQ(screen.GetHoverId(), 99);
  Click(Button(3));
  ASSERT_EQ(State(), 57);
  Move({470, 30});
  EXPECT_EQ(screen.GetHoverId(), 99);  // lord 20 has no skills
  Click(kForwardArrow);
  Move({470, 30});
  EXPECT_EQ(screen.GetHoverId(), 54);
}

TEST_F(BackAndHover, CharactersByCityLightTheMapCityUnderThePointerAndThenTheCard) {
  GiveSkills(*w.characters.FindById(2), 2);
  PlayerTurn(1);
  screen.SetMenuState(53);
  Click(Button(1));
  ASSERT_EQ(State(), 55);
  TakePaints();
  Move(Dot(60, 60));  // onto the dot of city 3
  EXPECT_EQ(screen.turn.minimap_hover, 1);
  std::vector<RECT> paints = TakePaints();
  ASSERT_EQ(paints.size(), 1u);
  EXPECT_TRUE(SameRect(paints[0], 640, 0, 840, 480));
  Move(Dot(20, 20));  // onto another dot: still lit, nothing repainted
  EXPECT_TRUE(TakePaints().empty());
  // No city chosen yet: the skill column does not react.
  Move({470, 30});
  EXPECT_EQ(screen.turn.minimap_hover, 0);
  EXPECT_EQ(TakePaints().size(), 1u);
  EXPECT_EQ(screen.GetHoverId(), 0);

  Click(Dot(20, 20));  // city 1: the king (no skills), then character 2
  Move({470, 30});
  EXPECT_EQ(screen.GetHoverId(), 0);
  Click(kForwardArrow);
  Move({470, 30});
  EXPECT_EQ(screen.GetHoverId(), 54);
  Move({470, 66});  // below the second skill
  EXPECT_EQ(screen.GetHoverId(), 99);
}

}  // namespace
}  // namespace menu_test
