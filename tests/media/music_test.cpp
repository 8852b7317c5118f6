// The game's music player and segments, heard offline: the set-up as the new-game builder does it,
// the ending tune's three passes, the boxes of a broken music system, and a second set-up while a
// tune still plays.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/music_player.h"
#include "media/music_segment.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/headless_test.h"
#include "tests/support/midi_file.h"

using test_support::OneNoteTune;

namespace {

constexpr int kRate = platform::kMusicSampleRate;
const HWND kWindow = reinterpret_cast<HWND>(0x5150);

double Level(const std::vector<float>& mix, double from, double to) {
  std::size_t a = static_cast<std::size_t>(from * kRate) * 2;
  std::size_t b = std::min(mix.size(), static_cast<std::size_t>(to * kRate) * 2);
  double sum = 0;
  for (std::size_t i = a; i < b; ++i) sum += double{mix[i]} * mix[i];
  return b > a ? std::sqrt(sum / static_cast<double>(b - a)) : 0.0;
}

std::vector<float> Listen(double seconds) { return platform::RenderOfflineMusic(static_cast<int>(seconds * kRate)); }

// Every test stands in a folder of its own with MUSIC/ holding its tunes, hears the music offline
// and records the music calls.
class Music : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(folder_ / "MUSIC");
    soundfont_ = platform::GetMusicSoundFont();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    // A quarter-second note at the start of each second, two seconds a tune.
    Write("velkorandush_4_field03.mid", OneNoteTune(0.5, 4, 69));
    Write("velkorandush_5_town23.mid", OneNoteTune(0.5, 2, 81));
    platform::RecordMusicCalls(true);
  }
  void TearDown() override {
    platform::RecordMusicCalls(false);
    platform::SetMusicSoundFont(soundfont_);
    HeadlessTest::TearDown();
  }
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(folder_ / "MUSIC" / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // Set-up of a player as the game does it.
  static void SetUpPlayer(MusicPlayer& player) {
    player.Init(kWindow);
    player.Load("velkorandush_4_field03.mid");
    player.SetMasterVolume(-1000);
  }
  static std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (const headless::Box& box : headless::Boxes()) captions.push_back(box.caption);
    return captions;
  }
  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (const platform::MusicCall& c : platform::RecordedMusicCalls()) calls.push_back(c.call);
    return calls;
  }

  test_support::TempDir temp_;
  const std::filesystem::path& folder_ = temp_.Path();
  test_support::ScopedCurrentDir here_{folder_};
  std::string soundfont_;
};

}  // namespace

TEST_F(Music, EndingTunePlaysThreeTimesThenFallsSilent) {
  MusicPlayer player;
  MusicSegment ending;
  SetUpPlayer(player);
  ending.Init();
  ending.Load("velkorandush_5_town23.mid");
  ending.SetLoop(0, 0, 2);
  ASSERT_NE(ending.GetSegment(), nullptr);
  EXPECT_EQ(player.Play(ending.GetSegment(), 1), platform::kMusicOk);
  auto mix = Listen(5);
  double first = Level(mix, 0.02, 0.22);
  ASSERT_GT(first, 0.001);
  for (int pass = 1; pass < 3; ++pass) EXPECT_NEAR(Level(mix, pass + 0.02, pass + 0.22), first, first * 0.05);
  EXPECT_LT(Level(mix, 3.02, 3.22), first * 0.01);
  EXPECT_LT(Level(mix, 4.0, 5.0), first * 0.001);
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(Music, MasterVolumeMinus1000IsAThirdOfTheLevel) {
  MusicPlayer loud, quiet;
  loud.Init(kWindow);
  loud.Load("velkorandush_4_field03.mid");
  SetUpPlayer(quiet);
  MusicSegment tune;
  tune.Init();
  tune.Load("velkorandush_4_field03.mid");
  loud.Play(tune.GetSegment(), 1);
  double full = Level(Listen(0.2), 0.02, 0.2);
  loud.StopSegment(tune.GetSegment());
  Listen(2);  // the reverb dies away
  quiet.Play(tune.GetSegment(), 1);
  double reduced = Level(Listen(0.2), 0.02, 0.2);
  ASSERT_GT(full, 0.001);
  EXPECT_NEAR(reduced / full, 0.316, 0.003);
}

TEST_F(Music, EachFailedSetUpStepShowsItsBoxAndStopsTheSetUp) {
  struct Case {
    const char* caption;
    const char* last_call;  // the step that fails; nothing after it is tried
  };
  const Case cases[] = {
      {"ローダの作成失敗", "CreateLoader"},
      {"ローダの設定失敗", "SetSearchDirectory"},
      {"パフォーマンスの作成失敗", "CreatePerformance"},
      {"パフォーマンスとシンセサイザーの初期化失敗", "InitAudio"},
      {"オーディオパスの作成失敗", "CreateStandardAudioPath"},
  };
  const std::string broken_soundfont = (folder_ / "broken.sf2").string();
  std::ofstream(broken_soundfont) << "not a soundfont";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last_call);
    headless::ClearBoxes();
    std::string step = c.last_call;
    // Break the step as it breaks in the world where that can be done, else inject the failure.
    if (step == "CreateLoader") platform::SetMusicSoundFont((folder_ / "missing.sf2").string());
    if (step == "InitAudio") platform::SetMusicSoundFont(broken_soundfont);
    if (step == "SetSearchDirectory" || step == "CreatePerformance" || step == "CreateStandardAudioPath") {
      platform::InjectMusicFailure(step);
    }
    {
      MusicPlayer player;
      MusicSegment segment;
      platform::ClearRecordedMusicCalls();
      player.Init(kWindow);
      std::vector<std::string> calls = Calls();
      ASSERT_FALSE(calls.empty());
      EXPECT_EQ(calls.back(), step);
      ASSERT_EQ(headless::Boxes().size(), 1u);
      EXPECT_EQ(headless::Boxes()[0].caption, c.caption);
      EXPECT_EQ(headless::Boxes()[0].text, "");
      EXPECT_EQ(headless::Boxes()[0].owner, kWindow);
      EXPECT_EQ(headless::Boxes()[0].type, MB_OK);

      // Play goes on without music: every call of the game still works, none shows a box.
      player.Load("velkorandush_4_field03.mid");
      player.SetMasterVolume(-1000);
      segment.Init();
      segment.Load("velkorandush_5_town23.mid");
      segment.SetLoop(0, 0, 2);
      player.Play(segment.GetSegment(), 1);
      player.Play(segment.GetSegment(), 2);
      // Only a player without its audio path still has a performance to play on (mode 1 and, with
      // the path missing, mode 2 take the default path).
      double level = Level(Listen(0.2), 0.02, 0.2);
      if (step == "CreateStandardAudioPath") {
        EXPECT_GT(level, 0.001);
      } else {
        EXPECT_LT(level, 1e-6);
      }
      player.StopSegment(segment.GetSegment());
      player.Stop();
      EXPECT_LT(Level(Listen(2), 1.5, 2), 1e-5);
    }
    EXPECT_EQ(headless::Boxes().size(), 1u);
    platform::SetMusicSoundFont(soundfont_);
  }
}

TEST_F(Music, WithoutTheMusicSystemEachPlayerShowsOneBox) {
  platform::SetMusicSoundFont((folder_ / "missing.sf2").string());
  MusicPlayer game_player, thinking_player;
  MusicSegment title, ending, thinking;
  SetUpPlayer(game_player);
  for (MusicSegment* s : {&title, &ending}) {
    s->Init();
    s->Load("velkorandush_4_field03.mid");
    s->SetLoop(0, 0, platform::kMusicRepeatForever);
  }
  SetUpPlayer(thinking_player);
  thinking.Init();
  thinking.Load("velkorandush_4_field03.mid");
  EXPECT_EQ(Captions(), (std::vector<std::string>{"ローダの作成失敗", "ローダの作成失敗"}));
  EXPECT_EQ(title.GetSegment(), nullptr);
  EXPECT_TRUE(platform::Failed(game_player.Play(title.GetSegment(), 1)));
}

TEST_F(Music, WithoutASoundDeviceNoBoxAndTheGamePlaysOn) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  platform::SetMusicOutput(platform::MusicOutput::kAudioDevice);
  {
    MusicPlayer player;
    MusicSegment title;
    SetUpPlayer(player);
    title.Init();
    title.Load("velkorandush_4_field03.mid");
    title.SetLoop(0, 0, platform::kMusicRepeatForever);
    EXPECT_EQ(player.Play(title.GetSegment(), 1), platform::kMusicOk);
    EXPECT_EQ(platform::MusicAudioDriver(), "dummy");
    player.Stop();
  }
  headless::PumpMessages();  // the soundfont has been read: nothing has come of it
  EXPECT_TRUE(headless::Boxes().empty());
}

// On the device the soundfont is read behind the set-up's back; one that breaks off before its
// instruments still ends in the synthesiser's box for each player, shown by the message loop.
TEST_F(Music, OnTheDeviceASoundFontThatBreaksOffShowsTheSynthesiserBoxForEachPlayer) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  platform::SetMusicOutput(platform::MusicOutput::kAudioDevice);
  Write("cut.sf2", test_support::SoundFontThatBreaksOff());
  platform::SetMusicSoundFont((folder_ / "MUSIC" / "cut.sf2").string());
  MusicPlayer game_player, thinking_player;
  SetUpPlayer(game_player);
  SetUpPlayer(thinking_player);
  for (int waited = 0; waited < 500 && headless::Boxes().size() < 2; ++waited) {
    usleep(10000);
    headless::PumpMessages();
  }
  const std::string failed = "パフォーマンスとシンセサイザーの初期化失敗";
  EXPECT_EQ(Captions(), (std::vector<std::string>{failed, failed}));
  for (const headless::Box& box : headless::Boxes()) EXPECT_EQ(box.owner, kWindow);
}

TEST_F(Music, AMissingTuneFileShowsNothingAndPlaysNothing) {
  MusicPlayer player;
  MusicSegment missing, present;
  player.Init(kWindow);
  player.Load("no-such-tune.mid");  // the player closes down
  missing.Init();
  missing.Load("no-such-tune.mid");
  missing.SetLoop(0, 0, 2);
  present.Init();
  present.Load("velkorandush_5_town23.mid");
  EXPECT_EQ(missing.GetSegment(), nullptr);
  EXPECT_NE(present.GetSegment(), nullptr);
  std::vector<std::string> calls = Calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "CloseDown"), calls.end());

  EXPECT_TRUE(platform::Failed(player.Play(present.GetSegment(), 1)));
  EXPECT_TRUE(platform::Failed(player.Play(missing.GetSegment(), 1)));
  player.StopSegment(missing.GetSegment());
  player.Stop();
  EXPECT_LT(Level(Listen(0.5), 0, 0.5), 1e-6);
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(Music, SecondSetUpSilencesTheOldTuneAndReleasesEverything) {
  MusicPlayer player;
  MusicSegment title, ending;
  auto set_up = [&] {
    SetUpPlayer(player);
    title.Init();
    title.Load("velkorandush_4_field03.mid");
    title.SetLoop(0, 0, platform::kMusicRepeatForever);
    ending.Init();
    ending.Load("velkorandush_5_town23.mid");
    ending.SetLoop(0, 0, 2);
  };
  set_up();
  player.Play(ending.GetSegment(), 1);
  ASSERT_GT(Level(Listen(0.2), 0.02, 0.2), 0.001);

  // The world is built anew while the ending tune sounds.
  platform::ClearRecordedMusicCalls();
  set_up();
  std::vector<std::string> calls = Calls();
  std::vector<std::string> teardown(calls.begin(), calls.begin() + 5);
  EXPECT_EQ(teardown, (std::vector<std::string>{"CloseDown", "ReleaseAudioPath", "ReleaseSegment", "ReleaseLoader",
                                                 "ReleasePerformance"}));
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "ReleaseLoader"), 3);   // player's and both segments'
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "ReleaseSegment"), 3);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "CoUninitialize"), 0);
  Listen(2);
  EXPECT_LT(Level(Listen(1), 0, 1), 1e-6);  // nothing of the old performance goes on

  // The title tune alone, as after start-up.
  player.Stop();
  player.Play(title.GetSegment(), 1);
  auto mix = Listen(1.5);
  EXPECT_GT(Level(mix, 0.02, 0.22), 0.001);
  EXPECT_LT(Level(mix, 1.02, 1.22), 1e-3 * Level(mix, 0.02, 0.22) + 1e-6);  // the ending's note is not there
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(Music, SwitchingMusicOffAndOnStartsTheTuneAfresh) {
  MusicPlayer player;
  MusicSegment tune;
  SetUpPlayer(player);
  tune.Init();
  tune.Load("velkorandush_4_field03.mid");  // a note in the first quarter second of each two
  tune.SetLoop(0, 0, platform::kMusicRepeatForever);
  player.Play(tune.GetSegment(), 1);
  Listen(1.0);
  player.StopSegment(tune.GetSegment());
  EXPECT_LT(Level(Listen(2), 1.5, 2), 1e-5);
  player.Play(tune.GetSegment(), 1);
  EXPECT_GT(Level(Listen(0.2), 0.02, 0.2), 0.001);  // from the beginning, where the note is
}

TEST_F(Music, DestructionReleasesInOrderAndLeavesTheMusicSystem) {
  {
    MusicSegment segment;
    MusicPlayer player;
    SetUpPlayer(player);
    segment.Init();
    segment.Load("velkorandush_5_town23.mid");
    platform::ClearRecordedMusicCalls();
  }
  EXPECT_EQ(Calls(), (std::vector<std::string>{"CloseDown", "ReleaseAudioPath", "ReleaseSegment", "ReleaseLoader",
                                                "ReleasePerformance", "CoUninitialize", "ReleaseSegment",
                                                "ReleaseLoader", "CoUninitialize"}));
}
