// Whole runs of the game object on the real new world, driven by its window messages on the
// headless back end: start-up, the title's choices, the mode machine with its timers, the
// autosave, the after-game ticks, the ending and the return to the title, with and without music.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/main_window.h"
#include "core/save_slot.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/game_folder.h"
#include "tests/support/headless_test.h"
#include "world/codec.h"
#include "world/random.h"

namespace {

using test_support::GameFolder;

constexpr int kNewGame[2] = {300, 430};
constexpr int kLoad[2] = {300, 460};
constexpr int kRightArrow[2] = {420, 360};
constexpr int kDecide[2] = {480, 360};
constexpr int kSpectate[2] = {580, 360};

// The crash test's hook: counts the changes to the files and ends the process at the chosen one,
// leaving the files as a crash (kill -9) there would.
int changes_made = 0;
int crash_at = 0;  // 0: never
constexpr int kCrashed = 42;
bool CountChange(platform::FileChange, const std::string&) {
  if (++changes_made == crash_at) _exit(kCrashed);
  return true;
}

// What DATAFILE/ holds: every file's bytes by name.
using Folder = std::map<std::string, std::string>;
Folder ReadFolder(const std::filesystem::path& dir) {
  Folder out;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(e.path(), std::ios::binary);
    out[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return out;
}
void WriteFolder(const std::filesystem::path& dir, const Folder& files) {
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  for (const auto& [name, bytes] : files) std::ofstream(dir / name, std::ios::binary) << bytes;
}
int WaitForChild(pid_t child) {
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class GameRun : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    folder_ = std::make_unique<GameFolder>();
    game_ = std::make_unique<Game>();
    game_->SetWorldSeeder([] { rng::Srand(20240611); });
    window_ = OpenMainWindow(*game_, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    platform::SetFileChangeHook(nullptr);
    platform::RecordMusicCalls(false);
    game_.reset();
    folder_.reset();
    HeadlessTest::TearDown();
  }

  void Click(const int (&at)[2]) {
    headless::PostMouse(WM_LBUTTONDOWN, at[0], at[1]);
    headless::PumpMessages();
  }
  void RightClick(int x, int y) {
    headless::PostMouse(WM_RBUTTONDOWN, x, y);
    headless::PumpMessages();
  }
  // Lets the clock run to the next tick of timer 1 and handles it.
  void NextTick() {
    auto t = headless::Timer(Game::kPlayTimer);
    ASSERT_TRUE(t.has_value());
    headless::RunFor(t->due - headless::Now());
  }
  // Title -> nation choice -> decide (or spectate): mode 7.
  void StartPlaying(bool spectate) {
    Click(kNewGame);
    Click(spectate ? kSpectate : kDecide);
    ASSERT_EQ(game_->GetMode(), kModeThinking);
  }
  // The turn driver's last step: menu state 9, seen on the next tick. (The end of turn puts the
  // menu state back to 0 before the next thinking phase; the test does that for it here.)
  void EnterActionPhase() {
    // A player's turn that a tick has opened (timer 1 stopped) ends as the player ends it.
    ThinkingScreen& thinking = game_->Thinking();
    if (thinking.turn.player_turn_open)
      thinking.ClickEndOfPhaseQuestion(window_, 300, 240, game_->Characters(), game_->Nations());
    // Every nation has had its turn and the pause after the last one is over: the next tick
    // ends the phase.
    game_->Thinking().SetTurnOrderPosition(game_->Nations().Count());
    game_->Thinking().SetTurnTickCounter(9);
    NextTick();
    ASSERT_EQ(game_->Thinking().GetMenuState(), 9);
    ASSERT_EQ(game_->GetMode(), kModeAction);
    game_->Thinking().SetMenuState(0);
  }
  // One whole action phase that ends in the end of turn and the autosave into slot 1.
  void PlayToTheAutosave() {
    EnterActionPhase();
    game_->Field().SetPhaseEnded(1);
    NextTick();
  }
  // A fresh start of the game in the same folder.
  void Restart() {
    game_.reset();
    headless::Reset();
    game_ = std::make_unique<Game>();
    window_ = OpenMainWindow(*game_, nullptr);
  }
  // In the title's load menu: slot 1 is loaded, and the thinking screen's load menu opened by its
  // button in the player's turn.
  void LoadSlot1AndOpenTheLoadMenu() {
    headless::PostMouse(WM_LBUTTONDOWN, 570, 75);
    headless::PumpMessages();
    game_->Thinking().SetTurnNationId(game_->Nations().FindByComputerFlag(0)->GetId());
    headless::PostMouse(WM_LBUTTONDOWN, 20, 10);
    headless::PumpMessages();
  }
  std::vector<std::string> MusicCalls() {
    std::vector<std::string> out;
    for (const auto& c : platform::RecordedMusicCalls()) out.push_back(c.call + " " + c.argument);
    return out;
  }
  static bool AnyCall(const std::vector<std::string>& calls, const std::string& what) {
    return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.find(what) != std::string::npos; });
  }

  std::unique_ptr<GameFolder> folder_;
  std::unique_ptr<Game> game_;
  HWND window_ = nullptr;
};

TEST_F(GameRun, StartUpShowsTheTitleWithANewWorld) {
  auto timer = headless::Timer(Game::kPlayTimer);
  ASSERT_TRUE(timer.has_value());
  EXPECT_EQ(timer->period, 100u);
  EXPECT_FALSE(headless::Timer(Game::kEndingTimer).has_value());
  auto placement = headless::WindowPlacement();
  ASSERT_TRUE(placement.has_value());
  EXPECT_EQ(placement->x, 150);
  EXPECT_EQ(placement->y, 150);
  EXPECT_EQ(placement->width, 646);
  EXPECT_EQ(placement->height, 508);
  EXPECT_EQ(headless::WindowCaption(), "VALDRIMⅡ");
  EXPECT_EQ(game_->GetMode(), kModeTitle);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kMenu);
  EXPECT_EQ(game_->Characters().Count(), 126);
  EXPECT_EQ(game_->Nations().Count(), 7);
  EXPECT_EQ(game_->Thinking().GetYear(), 300);
  EXPECT_EQ(game_->Field().GetMonth(), 1);
  EXPECT_NE(game_->Font1(), nullptr);
  EXPECT_NE(game_->Font2(), nullptr);
  // Every picture and tune was found: no loader said anything.
  EXPECT_TRUE(headless::Boxes().empty()) << headless::Boxes().front().caption;
  // Window creation left every division's sums as its members' (averages over the count).
  for (const Division& d : game_->Divisions()) {
    long long combat = 0, popularity = 0;
    for (const Character& c : game_->Characters())
      if (c.GetDivisionId() == d.GetId()) {
        combat += c.stats.GetCombatPower();
        popularity += c.stats.GetPopularity();
      }
    ASSERT_GT(d.GetMemberCount(), 0);
    EXPECT_EQ(d.GetCombatPower(), combat / d.GetMemberCount());
    EXPECT_EQ(d.GetPopularity(), popularity);
    EXPECT_EQ(d.GetSortieTendency(), 0);
  }
  // A title tick does nothing but tick.
  NextTick();
  EXPECT_EQ(game_->GetMode(), kModeTitle);
}

TEST_F(GameRun, DecidingMakesTheChosenNationThePlayersAndStartsThinking) {
  headless::PostMouse(WM_MOUSEMOVE, kNewGame[0], kNewGame[1]);
  headless::PumpMessages();
  EXPECT_EQ(game_->Title().GetHover(), 1);
  Click(kNewGame);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kNationChoice);
  EXPECT_EQ(headless::WindowPlacement()->width, 846);
  EXPECT_EQ(game_->Title().GetChoosableCount(), 7);
  EXPECT_EQ(game_->Title().GetArrowState(), 2);
  Click(kRightArrow);
  Click(kRightArrow);
  EXPECT_EQ(game_->Title().GetChosenIndex(), 2);
  const auto paints = headless::PaintCount();
  Click(kDecide);
  EXPECT_GT(headless::PaintCount(), paints);
  EXPECT_EQ(game_->GetMode(), kModeThinking);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kMenu);
  EXPECT_EQ(game_->Nations().CountByComputerFlag(0), 1);
  EXPECT_EQ(game_->Nations().FindByComputerFlag(0), game_->Nations().GetAt(2));
  EXPECT_EQ(game_->Thinking().GetMenuState(), 0);
  EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 100u);
  // The turn order is a permutation of the list positions.
  std::vector<int> order;
  for (const Nation& n : game_->Nations()) order.push_back(n.GetTurnOrder());
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  // A click in the thinking phase never changes the mode by itself.
  Click(kDecide);
  EXPECT_EQ(game_->GetMode(), kModeThinking);
}

TEST_F(GameRun, ARightClickLeavesTheNationChoiceAndTheNextOneStartsAtTheFirstNation) {
  Click(kNewGame);
  Click(kRightArrow);
  RightClick(10, 10);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kMenu);
  EXPECT_EQ(headless::WindowPlacement()->width, 646);
  Click(kNewGame);
  EXPECT_EQ(game_->Title().GetChosenIndex(), 0);
  // The load button does nothing while no slot is complete.
  RightClick(10, 10);
  Click(kLoad);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kMenu);
}

TEST_F(GameRun, TheArrowsStepThroughTheNationsAndStopAtTheEnds) {
  constexpr int kLeftArrow[2] = {380, 360};
  Click(kNewGame);
  Click(kLeftArrow);  // at the first nation: nothing
  EXPECT_EQ(game_->Title().GetChosenIndex(), 0);
  EXPECT_EQ(game_->Title().GetArrowState(), 2);
  Click(kRightArrow);
  EXPECT_EQ(game_->Title().GetArrowState(), 0);
  Click(kLeftArrow);  // from the second back to the first
  EXPECT_EQ(game_->Title().GetArrowState(), 2);
  for (int i = 0; i < 6; ++i) Click(kRightArrow);
  EXPECT_EQ(game_->Title().GetChosenIndex(), 6);
  EXPECT_EQ(game_->Title().GetArrowState(), 3);
  Click(kRightArrow);  // at the last nation: nothing
  EXPECT_EQ(game_->Title().GetChosenIndex(), 6);
  // Hovering changes the buttons only in the title menu.
  headless::PostMouse(WM_MOUSEMOVE, kLoad[0], kLoad[1]);
  headless::PumpMessages();
  EXPECT_EQ(game_->Title().GetHover(), 0);
}

TEST_F(GameRun, ASlotLackingOneFileIsNotOffered) {
  StartPlaying(true);
  ASSERT_TRUE(SaveSlot::Save(game_->Thinking(), game_->Characters(), game_->Nations(), game_->Cities(),
                             game_->Parties(), game_->Divisions(), game_->Names(), game_->Inhabitants(),
                             game_->Goods(), 2));
  ASSERT_TRUE(SaveSlot::Save(game_->Thinking(), game_->Characters(), game_->Nations(), game_->Cities(),
                             game_->Parties(), game_->Divisions(), game_->Names(), game_->Inhabitants(),
                             game_->Goods(), 4));
  std::filesystem::remove(folder_->Data("datafile2n.dat"));
  Restart();
  Click(kLoad);  // slot 4 is complete: the load menu opens
  ASSERT_EQ(game_->Title().GetState(), TitleScreen::kLoadMenu);
  headless::PostMouse(WM_LBUTTONDOWN, 570, 170);  // slot 2, one file missing: nothing
  headless::PumpMessages();
  EXPECT_EQ(game_->GetMode(), kModeTitle);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kLoadMenu);
  EXPECT_TRUE(headless::Boxes().empty());
  EXPECT_TRUE(headless::Timer(Game::kPlayTimer).has_value());
  RightClick(10, 10);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kMenu);
  EXPECT_EQ(headless::WindowPlacement()->width, 646);
}

// Pipes where a slot file, a commit record and a temporary belong: the start, the title's load
// menu, a load and the thinking screen's load menu all return (in a child that an alarm ends if
// anything waits on a pipe), and slots 2 and 3 are neither offered nor loaded.
TEST_F(GameRun, PipesInTheSaveFolderHoldNothingUp) {
  StartPlaying(false);
  PlayToTheAutosave();
  for (const char* name : {"datafile2t.dat", "datafile3.commit", "datafile4k.dat.new"})
    ASSERT_EQ(mkfifo(folder_->Data(name).c_str(), 0600), 0) << name;
  const pid_t child = fork();
  if (child == 0) {
    alarm(30);
    Restart();
    Click(kLoad);
    for (int y : {170, 265}) headless::PostMouse(WM_LBUTTONDOWN, 570, y);
    headless::PumpMessages();
    const bool loaded = SaveSlot::Load(game_->Thinking(), game_->Characters(), game_->Nations(), game_->Cities(),
                                       game_->Parties(), game_->Divisions(), game_->Names(), game_->Inhabitants(),
                                       game_->Goods(), 2);
    headless::ClearBoxes();
    LoadSlot1AndOpenTheLoadMenu();
    for (int y : {170, 265}) headless::PostMouse(WM_LBUTTONDOWN, 570, y);
    headless::PumpMessages();
    _exit(!loaded && game_->Thinking().GetMenuState() == 64 && headless::Boxes().empty() ? 0 : 1);
  }
  EXPECT_EQ(WaitForChild(child), 0) << "-1: held up";
}

// The load menus' paints only read: a leftover temporary that turns up while the title's or the
// thinking screen's load menu is open stays through fifty paints, and no file changes.
TEST_F(GameRun, PaintingTheLoadMenusChangesNoFile) {
  StartPlaying(false);
  PlayToTheAutosave();
  auto paint_fifty_times = [&](auto paint) {
    std::ofstream(folder_->Data("datafile3k.dat.new")) << "left over";
    const Folder before = ReadFolder(folder_->Data(""));
    for (int i = 0; i < 50; ++i) paint();
    EXPECT_EQ(ReadFolder(folder_->Data("")), before);
  };
  Restart();
  Click(kLoad);
  paint_fifty_times([&] { game_->Title().InvalidateArea(window_, 0, 0, 840, 480); });
  LoadSlot1AndOpenTheLoadMenu();
  ASSERT_EQ(game_->Thinking().GetMenuState(), 64);
  paint_fifty_times([&] { game_->Thinking().Refresh(window_, 0, 0, 840, 480); });
}

TEST_F(GameRun, ThePhasesAlternateThroughTheEndOfTurnAndTheAutosave) {
  StartPlaying(/*spectate=*/true);
  EXPECT_EQ(game_->Nations().CountByComputerFlag(0), 0);
  // Until the turn driver ends the phase, ticks leave the thinking phase as it is.
  NextTick();
  EXPECT_EQ(game_->GetMode(), kModeThinking);

  game_->Field().SetPhaseEnded(1);
  EnterActionPhase();
  EXPECT_EQ(game_->Field().GetPhaseEnded(), 0);
  EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 100u);

  game_->Thinking().SetGameSpeed(1);
  game_->Field().SetPhaseEnded(1);
  EXPECT_FALSE(std::filesystem::exists(folder_->Data("datafile1t.dat")));
  const auto before = headless::Now();
  const auto paints = headless::PaintCount();
  NextTick();
  EXPECT_EQ(game_->GetMode(), kModeThinking);
  // The autosave wrote all nine files of slot 1, the window was repainted, and the game paused
  // one second after the tick.
  for (const char* kind : SaveSlot::kKinds)
    EXPECT_TRUE(std::filesystem::exists(folder_->Data(SaveSlot::FileName(1, kind)))) << kind;
  EXPECT_GT(headless::PaintCount(), paints);
  EXPECT_GE(headless::Now(), before + 100 + 1000);
  auto timer = headless::Timer(Game::kPlayTimer);
  ASSERT_TRUE(timer.has_value());
  EXPECT_EQ(timer->period, 200u);  // the game speed's period, restarted after the end of turn
  EXPECT_TRUE(headless::Boxes().empty());
}

// A spectator game's autosave cut short by a crash at each of its changes to the files in turn
// (each in a child process that dies there), over two autosaves in a row: the next start finds
// slot 1 holding one whole save, the one before or the new one, and its title loads it.
TEST_F(GameRun, AnAutosaveCutShortAtAnyFileChangeLeavesSlot1OneWholeSaveThatTheTitleLoads) {
  StartPlaying(true);
  PlayToTheAutosave();
  const std::filesystem::path data = folder_->Data("datafile1t.dat").parent_path();
  const Folder first = ReadFolder(data);
  ASSERT_EQ(first.size(), 9u);
  // The two next autosaves as they come out uncut, and how many changes they make; the children
  // all start from this same game, so each makes the same saves.
  const std::filesystem::path side = folder_->Path() + "/side";
  const pid_t reference = fork();
  if (reference == 0) {
    platform::SetFileChangeHook(CountChange);
    PlayToTheAutosave();
    WriteFolder(side / "second", ReadFolder(data));
    PlayToTheAutosave();
    WriteFolder(side / "third", ReadFolder(data));
    std::ofstream(side / "changes") << changes_made;
    _exit(0);
  }
  ASSERT_EQ(WaitForChild(reference), 0);
  const std::vector<Folder> saves = {first, ReadFolder(side / "second"), ReadFolder(side / "third")};
  ASSERT_NE(saves[0], saves[1]);
  ASSERT_NE(saves[1], saves[2]);
  int changes = 0;
  std::ifstream(side / "changes") >> changes;
  ASSERT_GT(changes, 2 * 18);  // at least the nine files written and put in place, twice

  std::vector<int> outcomes;  // per crash point: which save slot 1 holds afterwards
  for (int k = 1; k <= changes; ++k) {
    WriteFolder(data, first);
    const pid_t crashing = fork();
    if (crashing == 0) {
      crash_at = k;
      platform::SetFileChangeHook(CountChange);
      PlayToTheAutosave();
      PlayToTheAutosave();
      _exit(0);
    }
    ASSERT_EQ(WaitForChild(crashing), kCrashed) << "change " << k;
    // The next start, in a child so that this game stays as it was: the title offers slot 1
    // (the only slot) and loads it, with the turn count that its t file holds.
    const pid_t starting = fork();
    if (starting == 0) {
      Restart();
      Click(kLoad);
      if (game_->Title().GetState() != TitleScreen::kLoadMenu) _exit(1);
      headless::PostMouse(WM_LBUTTONDOWN, 570, 75);  // slot 1
      headless::PumpMessages();
      if (game_->GetMode() != kModeThinking || game_->Title().IsLoaded() != 1) _exit(2);
      const std::string t = ReadFolder(data).at("datafile1t.dat");
      const auto turns = codec::GetI32(reinterpret_cast<const std::uint8_t*>(t.data()), 236);
      _exit(game_->Thinking().GetTurnCount() == turns && headless::Boxes().empty() ? 0 : 3);
    }
    EXPECT_EQ(WaitForChild(starting), 0) << "change " << k << ": 1 not offered, 2 not loaded, 3 other turn or box";
    // Byte for byte one of the saves, with nothing else left in the folder.
    const Folder now = ReadFolder(data);
    const auto which = std::find(saves.begin(), saves.end(), now) - saves.begin();
    ASSERT_LT(which, 3) << "change " << k << " left a slot that is no whole save";
    outcomes.push_back(static_cast<int>(which));
  }
  // Cut short before its commit record is on the disk, a save leaves the one before; after it,
  // the new one. The saves follow one another in the order of the crash points.
  EXPECT_TRUE(std::is_sorted(outcomes.begin(), outcomes.end()));
  for (int which : {0, 1, 2}) EXPECT_NE(std::count(outcomes.begin(), outcomes.end(), which), 0) << which;
  std::cout << changes << " crash points over two autosaves: slot 1 held the first save after "
            << std::count(outcomes.begin(), outcomes.end(), 0) << ", the second after "
            << std::count(outcomes.begin(), outcomes.end(), 1) << ", the third after "
            << std::count(outcomes.begin(), outcomes.end(), 2) << "\n";
}

TEST_F(GameRun, AFailingAutosaveShowsItsBoxAndPlayGoesOn) {
  StartPlaying(true);
  std::filesystem::remove_all(folder_->Data(""));
  EnterActionPhase();
  game_->Field().SetPhaseEnded(1);
  NextTick();
  EXPECT_EQ(game_->GetMode(), kModeThinking);
  EXPECT_EQ(headless::Boxes().size(), 9u);  // one for each file of the slot
  for (const auto& box : headless::Boxes()) {
    EXPECT_EQ(box.text, "エラー！！");
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.owner, nullptr);
  }
  EXPECT_TRUE(headless::Timer(Game::kPlayTimer).has_value());
}

TEST_F(GameRun, TheLastNationsVictoryLeadsThroughFifteenSlowTicksToTheEndingAndBackToTheTitle) {
  platform::RecordMusicCalls(true);
  StartPlaying(false);
  EXPECT_TRUE(AnyCall(MusicCalls(), "StopSegment"));
  EXPECT_TRUE(AnyCall(MusicCalls(), "velkorandush_4_field11.mid"));
  EnterActionPhase();
  game_->Thinking().SetGameOver(1);
  game_->Field().SetPhaseEnded(1);
  // The tick on which the phase ends and the fourteen after it count 0 up to 15 at 300 ms.
  for (int i = 1; i <= Game::kAfterGameTicks; ++i) {
    NextTick();
    ASSERT_EQ(game_->GetMode(), kModeAction) << i;
    EXPECT_EQ(game_->Field().GetFadeStep(), i);
    EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 300u);
  }
  platform::ClearRecordedMusicCalls();
  NextTick();
  ASSERT_EQ(game_->GetMode(), kModeEnding);
  EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 200u);
  ASSERT_TRUE(headless::Timer(Game::kEndingTimer).has_value());
  EXPECT_EQ(headless::Timer(Game::kEndingTimer)->period, 50u);
  EXPECT_EQ(game_->Thinking().GetGameOver(), 0);
  EXPECT_EQ(game_->Field().GetFadeStep(), 0);
  EXPECT_EQ(game_->Field().GetMouseWorldPoint().x, 0);
  const auto ending_calls = MusicCalls();
  EXPECT_TRUE(AnyCall(ending_calls, "StopSegment"));
  EXPECT_TRUE(AnyCall(ending_calls, "velkorandush_5_town23.mid"));

  // A click before the waiting scene does not end the ending.
  Click(kDecide);
  EXPECT_EQ(game_->GetMode(), kModeEnding);
  // The scenes run to the waiting scene in about two minutes of game time.
  headless::RunFor(150000);
  ASSERT_EQ(game_->Ending().GetScene(), EndingScreen::kWaitingScene);
  EXPECT_FALSE(headless::Timer(Game::kEndingTimer).has_value());
  EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 100u);

  game_->Characters().Clear();  // the return must build a fresh world
  platform::ClearRecordedMusicCalls();
  Click(kDecide);
  EXPECT_EQ(game_->GetMode(), kModeTitle);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kMenu);
  EXPECT_EQ(game_->Characters().Count(), 126);
  EXPECT_EQ(game_->Nations().CountByComputerFlag(0), 0);
  EXPECT_EQ(game_->Ending().GetScene(), 1);
  auto placement = headless::WindowPlacement();
  EXPECT_EQ(placement->width, 646);
  EXPECT_EQ(placement->x, 150);
  EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 100u);
  const auto title_calls = MusicCalls();
  EXPECT_TRUE(AnyCall(title_calls, "PlaySecondary"));
  EXPECT_TRUE(AnyCall(title_calls, "velkorandush_4_field03.mid"));
  // And a second game plays the same way.
  StartPlaying(true);
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(GameRun, WithMusicOffNoTransitionTouchesTheMusic) {
  game_->Thinking().SetMusicOff(1);
  platform::RecordMusicCalls(true);
  StartPlaying(false);
  EnterActionPhase();
  game_->Field().SetPhaseEnded(1);
  NextTick();  // end of turn and autosave
  ASSERT_EQ(game_->GetMode(), kModeThinking);
  EnterActionPhase();
  game_->Thinking().SetGameOver(1);
  game_->Field().SetPhaseEnded(1);
  for (int i = 0; i <= Game::kAfterGameTicks; ++i) NextTick();
  ASSERT_EQ(game_->GetMode(), kModeEnding);
  headless::RunFor(150000);
  EXPECT_TRUE(MusicCalls().empty()) << MusicCalls().front();
  Click(kDecide);
  ASSERT_EQ(game_->GetMode(), kModeTitle);
  // The new world sets its music objects up again, but nothing starts or stops a tune.
  for (const std::string& call : MusicCalls()) {
    EXPECT_EQ(call.find("PlaySecondary"), std::string::npos) << call;
    EXPECT_NE(call.rfind("Stop", 0), 0u) << call;
  }
  EXPECT_EQ(game_->Thinking().IsMusicOff(), 1);
}

TEST_F(GameRun, AGameLoadedFromTheTitleWaitsInTheSystemMenuWithTheTimerStopped) {
  StartPlaying(false);
  game_->Thinking().SetYear(305);
  ASSERT_TRUE(SaveSlot::Save(game_->Thinking(), game_->Characters(), game_->Nations(), game_->Cities(),
                             game_->Parties(), game_->Divisions(), game_->Names(), game_->Inhabitants(),
                             game_->Goods(), 2));
  // Back to a fresh title through the ending's click.
  Restart();
  ASSERT_EQ(game_->Thinking().GetYear(), 300);
  Click(kLoad);
  ASSERT_EQ(game_->Title().GetState(), TitleScreen::kLoadMenu);
  EXPECT_EQ(headless::WindowPlacement()->width, 846);
  headless::PostMouse(WM_LBUTTONDOWN, 570, 170);  // slot 2
  headless::PumpMessages();
  EXPECT_EQ(game_->GetMode(), kModeThinking);
  EXPECT_EQ(game_->Title().IsLoaded(), 1);
  EXPECT_EQ(game_->Thinking().GetMenuState(), 8);
  EXPECT_EQ(game_->Thinking().GetYear(), 305);
  EXPECT_FALSE(headless::Timer(Game::kPlayTimer).has_value());
  EXPECT_EQ(game_->Nations().CountByComputerFlag(0), 1);
}

TEST_F(GameRun, ADamagedSlotKeepsTheLoadMenuAndItsTimer) {
  StartPlaying(true);
  ASSERT_TRUE(SaveSlot::Save(game_->Thinking(), game_->Characters(), game_->Nations(), game_->Cities(),
                             game_->Parties(), game_->Divisions(), game_->Names(), game_->Inhabitants(),
                             game_->Goods(), 3));
  std::filesystem::resize_file(folder_->Data("datafile3c.dat"), 1000);
  Restart();
  Click(kLoad);
  ASSERT_EQ(game_->Title().GetState(), TitleScreen::kLoadMenu);
  headless::PostMouse(WM_LBUTTONDOWN, 570, 265);  // slot 3
  headless::PumpMessages();
  EXPECT_EQ(game_->GetMode(), kModeTitle);
  EXPECT_EQ(game_->Title().GetState(), TitleScreen::kLoadMenu);
  EXPECT_EQ(game_->Title().IsLoaded(), 0);
  ASSERT_TRUE(headless::Timer(Game::kPlayTimer).has_value());
  EXPECT_EQ(headless::Timer(Game::kPlayTimer)->period, 100u);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].text, "エラー！！");
  EXPECT_EQ(game_->Characters().Count(), 126);
}

TEST_F(GameRun, ClosingTheWindowStopsTheMusicAndEndsTheLoopWithZero) {
  platform::RecordMusicCalls(true);
  headless::CloseWindow();
  headless::PumpMessages();
  EXPECT_EQ(headless::QuitCode(), 0);
  EXPECT_FALSE(headless::Timer(Game::kPlayTimer).has_value());
  EXPECT_TRUE(AnyCall(MusicCalls(), "Stop"));
  EXPECT_EQ(game_->Font1(), nullptr);
}

}  // namespace

namespace {

// Where the records of one kind lie in a slot's files, and the byte offsets in each record of
// the words that hold values the load takes at any int.
struct DoctoredKind {
  const char* name;
  const char* file;  // the slot file's kind
  int part;          // 0: the file's records; n: those of the n-th list that follows each of them
  std::vector<std::size_t> words;
  // Why no computer nation can hire a character on its own, or a division, after the load with
  // the words at the top of the range, then at its bottom; none: it hires one.
  const char* no_character[2] = {};
  const char* no_division[2] = {};
};

// The words from `first` to `last`; a list of words moved on by `base`.
std::vector<std::size_t> Words(std::size_t first, std::size_t last) {
  std::vector<std::size_t> out;
  for (std::size_t w = first; w <= last; w += 4) out.push_back(w);
  return out;
}
std::vector<std::size_t> At(std::size_t base, std::vector<std::size_t> words) {
  for (std::size_t& w : words) w += base;
  return words;
}

// Where every record of `part` starts in a slot file: a list file holds a count and its records,
// each followed by lists of its own (a nation by its tactics and policies, a character by its
// skills and its two relation lists, a division by its relations).
std::vector<std::size_t> RecordsOf(const std::string& bytes, const std::string& file, int part) {
  if (file == "t") return {0};
  static const std::map<std::string, std::vector<std::size_t>> kShapes = {
      {"k", {Nation::kImageSize, Tactic::kImageSize, Policy::kImageSize}},
      {"c", {Character::kImageSize, Skill::kImageSize, RelationEntry::kImageSize, RelationEntry::kImageSize}},
      {"d", {Division::kImageSize, RelationEntry::kImageSize}},
      {"b", {City::kImageSize}},
      {"i", {Inhabitant::kImageSize}},
      {"it", {TradeGood::kImageSize}}};
  const std::vector<std::size_t>& shape = kShapes.at(file);
  auto count_at = [&](std::size_t at) {
    return static_cast<std::size_t>(codec::GetI32(reinterpret_cast<const std::uint8_t*>(bytes.data()), at));
  };
  std::vector<std::size_t> out;
  std::size_t at = 4;
  for (std::size_t r = 0, records = count_at(0); r < records; ++r) {
    if (part == 0) out.push_back(at);
    at += shape[0];
    for (std::size_t list = 1; list < shape.size(); ++list) {
      const std::size_t n = count_at(at);
      at += 4;
      for (std::size_t e = 0; e < n; ++e, at += shape[list])
        if (static_cast<int>(list) == part) out.push_back(at);
    }
  }
  return out;
}

// Printed as the alarm ends the process: a load that a doctored count has made endless fails the
// test (a process of its own under ctest), naming its row, instead of holding the whole run.
std::string frozen;
void EndFrozenRun(int) { _exit(write(STDERR_FILENO, frozen.data(), frozen.size()) < 0 ? 2 : 1); }

}  // namespace

// A real autosave of a played game (tactics researched, battles fought), doctored one kind of
// record at a time: the value words of every record of that kind set to the top of the int
// range, then to its bottom; then counts together that the load checks one by one. Each doctored
// slot is loaded through the title and played from the system menu through a battle, the end of
// turn that draws who is willing to serve whom and the thinking phase after it, where computer
// nations hire; the sanitizers of the test build see every value used on the way. Ids, names,
// codes, points and what the load checks (indexes, the calendar, the tick counter, a policy's
// limit, a good's grade and price class) stay as they are; field parties and the name pool hold
// nothing else.
TEST_F(GameRun, ASlotDoctoredKindByKindPlaysOnUntilNationsHire) {
  // A skill's and a tactic's bonuses, ailment rates and durations, costs and lengths, in the lists
  // and, live, in the skill slots: a skill's six bonuses (24 to 48 but the spare one), five effect
  // entries' rates and durations (from 64), SP cost (124), hit bonus to rarity (140 to 156) and
  // action length (252); a tactic's from 32 and 72, duration (160), research cost (168) and action
  // length (264). Its used points (132) have a row of their own, so that the bonuses are put on.
  const std::vector<std::size_t> skill = {24,  28,  36,  40,  44,  48,  68,  72,  80,  84,  92, 96,
                                          104, 108, 116, 120, 124, 140, 144, 148, 152, 156, 252};
  const std::vector<std::size_t> tactic = {32,  36, 44,  48,  52,  56,  76,  80,  88,  92,
                                           100, 104, 112, 116, 124, 128, 160, 168, 264};
  // Every field of a stats block but its name and its move pattern (a code).
  auto stats = [](std::size_t base) {
    std::vector<std::size_t> out = Words(base + 4, base + StatsBlock::kImageSize - 4);
    std::erase(out, base + 4 * StatsBlock::kMovePattern);
    return out;
  };
  // A character record holds its stats at 264, its chances at 816 and its skill slots at 992.
  constexpr std::size_t kStats = 264, kChances = 816, kSlots = 992;
  // A character's pay (level, salary and hiring cost per level) has a row of its own.
  const std::vector<std::size_t> pay =
      At(kStats, {4 * StatsBlock::kLevel, 4 * StatsBlock::kSalaryPerLevel, 4 * StatsBlock::kHiringCostPerLevel});
  std::vector<std::size_t> character_stats = stats(kStats);
  std::erase_if(character_stats, [&](std::size_t w) { return std::ranges::count(pay, w) != 0; });
  // In the skill slots: the attack's step (524); the time left of each boost and weakening and of
  // the tactic, the word after its object; the live half of the seven skills and the tactic.
  using S = SkillSlots;
  std::vector<std::size_t> slots =
      At(kSlots, {524, S::kSelfBoostSkillOffset + S::kSkillObjectSize, S::kAllyBoostSkillOffset + S::kSkillObjectSize,
                  S::kWeakenSkillOffset + S::kSkillObjectSize, S::kTacticOffset + S::kTacticObjectSize});
  for (std::size_t at : {S::kAttackSkillOffset, S::kSelfBoostSkillOffset, S::kAllyBoostSkillOffset,
                         S::kWeakenSkillOffset, S::kCureSkillOffset, S::kAilmentSkillOffset, S::kHealSkillOffset})
    std::ranges::copy(At(kSlots + at + Skill::kImageSize, skill), std::back_inserter(slots));
  std::ranges::copy(At(kSlots + S::kTacticOffset + Tactic::kImageSize, tactic), std::back_inserter(slots));
  constexpr const char* kFull = "its members at the top fill its personnel limit";
  constexpr const char* kBroke = "its funds at the bottom pay for nobody";
  constexpr const char* kPriced = "everybody's price is the top of the range";
  constexpr const char* kUnwilling = "friendship at the bottom leaves none willing but whom a policy finds";
  constexpr const char* kNoAverage = "a member count so far off averages every division's friendship to 0";
  // A nation's member count (16), a division's (20), a character's friendship toward a nation
  // (4) and its turns in it (8).
  const DoctoredKind nation_members = {"nation's members", "k", 0, {16}};
  const DoctoredKind division_members = {"division's members", "d", 0, {20}, {}, {kNoAverage, kNoAverage}};
  const DoctoredKind nation_relation = {"nation relation", "c", 2, {4, 8}, {nullptr, kUnwilling},
                                        {nullptr, kUnwilling}};
  const std::vector<DoctoredKind> kinds = {
      {"turn state", "t", 0, {36, 72, 224, 236, 244}},  // list lengths, year, turn count, game-over turn
      // funds (8) to research bonus (72), turns taken (384); the militia's stats at 104
      {"nation", "k", 0, {8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 384}, {kFull, kBroke},
       {kFull, kBroke}},
      {"militia", "k", 0, stats(104)},
      {"tactic", "k", 1, tactic},
      {"tactic's used points", "k", 1, {132}},
      {"policy", "k", 2, {12, 20, 28, 36}},  // chance, price, policy points, research cost
      // population to industry (8 to 24), sentiment (40), defence strength (48)
      {"city", "b", 0, {8, 12, 16, 20, 24, 40, 48}},
      // recuperation turns (5208), action counter and ticks (5312, 5324), morale (5880), steps (5932)
      {"character", "c", 0, {5208, 5312, 5324, 5880, 5932}},
      {"character's stats", "c", 0, character_stats},
      {"character's pay", "c", 0, pay, {kPriced, kPriced}, {kPriced, kPriced}},
      {"character's chances", "c", 0, Words(kChances, kChances + ChanceRecord::kImageSize - 4)},
      {"character's skill slots", "c", 0, slots},
      {"skill", "c", 1, skill},
      nation_relation,
      {"division relation", "c", 3, {4, 8}},  // friendship, tenure
      // member limit, fame threshold, combat and domestic power (24 to 36), fame (44), popularity
      // (48), support rate, average friendship and the three tendencies (56 to 72)
      {"division", "d", 0, {24, 28, 32, 36, 44, 48, 56, 60, 64, 68, 72}},
      division_members,
      {"division's relation", "d", 1, {4, 8}},
      {"inhabitant", "i", 0, Words(24, Inhabitant::kImageSize - 4)},  // the six weights, the two chances
      // price, purchase price, recorded price (160 to 168), market chance (204), level (208)
      {"trade good", "it", 0, {160, 164, 168, 204, 208}},
  };
  struct Row {
    std::string what;
    std::vector<std::pair<const DoctoredKind*, std::int32_t>> doctored;
    const char *no_character, *no_division;
  };
  std::vector<Row> rows;
  for (const DoctoredKind& kind : kinds)
    for (int end = 0; end < 2; ++end) {
      const std::int32_t value = end == 0 ? INT32_MAX : INT32_MIN;
      rows.push_back({std::string(kind.name) + " at " + std::to_string(value), {{&kind, value}},
                      kind.no_character[end], kind.no_division[end]});
    }
  // Room under every limit for a division that names billions of members: the city counts those who come.
  rows.push_back({"nation's members at the bottom, division's at the top, friendship at the top",
                  {{&nation_members, INT32_MIN}, {&division_members, INT32_MAX}, {&nation_relation, INT32_MAX}},
                  nullptr, nullptr});

  // The played game: a spectator game to the autosave of its 10th turn, when nations fight with
  // tactics and still have room for a division under their personnel limits. With these draws
  // they use tactics in the turn after the load and, the battle drawn afresh, hire in the
  // thinking phase after its end of turn in every row that lets them (or else play on).
  constexpr std::uint32_t kPlayedSeed = 1, kAfterLoadSeed = 3, kBattleSeed = 81;
  constexpr int kPlayedTurns = 10, kTicks = 1000;  // about four turns after the load
  constexpr unsigned kWallSeconds = 60;             // a hundred times what a load takes
  const std::filesystem::path data = folder_->Data("");
  rng::Srand(kPlayedSeed);  // the window seeded from the time of day
  StartPlaying(true);
  while (game_->Thinking().GetTurnCount() < kPlayedTurns) NextTick();
  const Folder played = ReadFolder(data);
  ASSERT_EQ(played.size(), 9u);

  std::signal(SIGALRM, EndFrozenRun);
  struct Disarm { ~Disarm() { alarm(0); } } disarm;  // whatever way the test ends
  for (const Row& row : rows) {
    frozen = "\n" + row.what + ": still playing after " + std::to_string(kWallSeconds) + " s\n";
    alarm(kWallSeconds);
    Folder doctored;  // as slot 2
    for (const char* file : SaveSlot::kKinds) {
      std::string bytes = played.at(SaveSlot::FileName(1, file));
      for (const auto& [kind, value] : row.doctored) {
        if (kind->file != std::string(file)) continue;
        const std::vector<std::size_t> records = RecordsOf(bytes, file, kind->part);
        ASSERT_FALSE(records.empty()) << row.what;
        for (std::size_t record : records)
          for (std::size_t word : kind->words)
            codec::PutI32(reinterpret_cast<std::uint8_t*>(bytes.data()), record + word, value);
      }
      doctored[SaveSlot::FileName(2, file)] = bytes;
    }
    WriteFolder(data, doctored);
    Restart();
    rng::Srand(kAfterLoadSeed);
    Click(kLoad);
    headless::PostMouse(WM_LBUTTONDOWN, 570, 170);  // slot 2
    headless::PumpMessages();
    ASSERT_EQ(game_->GetMode(), kModeThinking) << row.what;
    RightClick(100, 100);
    int tick = 0;
    auto play_until = [&](auto done) {
      for (; tick < kTicks && !done(); ++tick) NextTick();
      return done();
    };
    ASSERT_TRUE(play_until([&] { return game_->GetMode() == kModeAction; })) << row.what;
    rng::Srand(kBattleSeed);
    ASSERT_TRUE(play_until([&] { return std::filesystem::exists(data / "datafile1t.dat"); })) << row.what;
    // Who serves no nation once willingness is drawn; at the end of each thinking phase after it,
    // whether a division has come to serve one, and a character on its own.
    std::set<std::int32_t> unserving, free_divisions, hired_divisions;
    for (const Character& c : game_->Characters())
      if (c.GetNationId() == Character::kNationNone) unserving.insert(c.GetId());
    for (const Division& d : game_->Divisions())
      if (d.GetNationId() == kNoNation) free_divisions.insert(d.GetId());
    bool character_hired = false;
    auto hired = [&] {
      for (const Division& d : game_->Divisions())
        if (free_divisions.contains(d.GetId()) && d.GetNationId() != kNoNation) hired_divisions.insert(d.GetId());
      for (const Character& c : game_->Characters())
        character_hired |= unserving.contains(c.GetId()) && !hired_divisions.contains(c.GetDivisionId()) &&
                           game_->Nations().FindById(c.GetNationId()) != nullptr;
      return (character_hired || row.no_character) && (!hired_divisions.empty() || row.no_division);
    };
    EXPECT_TRUE(play_until([&] { return game_->GetMode() == kModeAction && hired(); })) << row.what
        << (character_hired ? "" : ": no character hired") << (hired_divisions.empty() ? ": no division hired" : "");
  }
}
