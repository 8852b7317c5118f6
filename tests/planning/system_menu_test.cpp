// The system menu's commands: saving into a slot and loading it back (only a slot whose six
// main files are there), and the settings of game speed and music.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/save_slot.h"
#include "planning/thinking_screen.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"

namespace {

class SystemMenu : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    std::filesystem::create_directory(dir_.Path() / "DATAFILE");
    w_.Build(11);
    screen_.NewGame();
  }
  // The row of slot s in the load and save menus.
  static int SlotY(int s) { return 63 + 95 * (s - 1); }
  void Load(int x, int y) {
    screen_.ClickLoadMenu(nullptr, x, y, w_.characters, w_.nations, w_.cities, w_.field_parties, w_.divisions,
                          w_.name_pool, w_.inhabitants, w_.trade_goods);
  }
  void Save(int x, int y) {
    screen_.ClickSaveMenu(nullptr, x, y, w_.characters, w_.nations, w_.cities, w_.field_parties, w_.divisions,
                          w_.name_pool, w_.inhabitants, w_.trade_goods);
  }
  std::filesystem::path Data(int slot, const char* kind) {
    return dir_.Path() / "DATAFILE" / SaveSlot::FileName(slot, kind);
  }

  test_support::TempDir dir_;
  test_support::ScopedCurrentDir current_{dir_.Path()};
  OwnedWorld w_;
  ThinkingScreen screen_;
};

TEST_F(SystemMenu, SaveThenLoadBringsTheTurnBack) {
  // Saved while the third nation in the list acts (a computer nation's turn).
  screen_.SetMenuState(65);
  screen_.SetTurnNationId(3);
  screen_.SetActingNationIndex(2);
  screen_.SetTurnOrderPosition(4);
  w_.nations.GetAt(2)->SetFunds(4321);
  Save(515, SlotY(3));  // just left of the row: nothing
  EXPECT_FALSE(std::filesystem::exists(Data(3, "t")));
  EXPECT_EQ(screen_.GetMenuState(), 65);
  Save(635, SlotY(3) + 27);
  EXPECT_EQ(screen_.GetMenuState(), 8);
  for (const char* kind : SaveSlot::kKinds) EXPECT_TRUE(std::filesystem::exists(Data(3, kind))) << kind;

  // The world moves on; loading the slot brings the saved turn back, in the system menu.
  w_.nations.GetAt(2)->SetFunds(1);
  screen_.SetTurnNationId(5);
  screen_.SetActingNationIndex(0);
  screen_.SetTurnOrderPosition(0);
  screen_.SetMenuState(64);
  Load(516, SlotY(3));
  EXPECT_EQ(screen_.GetMenuState(), 8);
  EXPECT_EQ(w_.nations.GetAt(2)->GetFunds(), 4321);
  EXPECT_EQ(screen_.GetTurnNationId(), 3);
  EXPECT_EQ(screen_.GetActingNationIndex(), 2);
  EXPECT_EQ(screen_.GetTurnOrderPosition(), 4);
}

TEST_F(SystemMenu, ASlotLackingOneOfItsMainFilesIsNotLoaded) {
  screen_.SetMenuState(65);
  Save(600, SlotY(2));
  std::filesystem::remove(Data(2, "g"));
  w_.nations.GetAt(0)->SetFunds(77);
  for (int slot : {1, 2}) {  // slot 1 empty, slot 2 without its field parties
    screen_.SetMenuState(64);
    Load(600, SlotY(slot) + 10);
    EXPECT_EQ(screen_.GetMenuState(), 64);
    EXPECT_EQ(w_.nations.GetAt(0)->GetFunds(), 77);
  }
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(SystemMenu, SettingsSetTheSpeedAndTheMusicSwitch) {
  struct Case {
    int x, y;
    std::int32_t speed, music_off;
  };
  const Case cases[] = {
      {174, 52, 1, 0}, {185, 63, 1, 0}, {294, 52, 0, 0}, {425, 63, 2, 0}, {186, 52, 2, 0},  // beside: unchanged
      {414, 132, 2, 1}, {414, 132, 2, 1},  // off, and off again
      {174, 143, 2, 0}, {300, 140, 2, 0},
  };
  screen_.SetMenuState(66);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x * 1000 + c.y);
    screen_.ClickSettingsMenu(c.x, c.y);
    EXPECT_EQ(screen_.GetGameSpeed(), c.speed);
    EXPECT_EQ(screen_.IsMusicOff(), c.music_off);
    EXPECT_EQ(screen_.GetMenuState(), 66);
  }
  EXPECT_EQ(ThinkingScreen::PhaseTimerPeriod(0), 100u);
  EXPECT_EQ(ThinkingScreen::PhaseTimerPeriod(1), 200u);
  EXPECT_EQ(ThinkingScreen::PhaseTimerPeriod(2), 50u);
}

}  // namespace
