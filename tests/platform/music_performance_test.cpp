// The performance heard offline: the same synthesiser and sequencer that feed the sound device,
// rendered into buffers. Tunes are written by the tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/midi_file.h"

using namespace platform;
using test_support::MidiFile;
using test_support::OneNoteTune;
using test_support::SoundFontThatBreaksOff;

namespace {

constexpr int kRate = kMusicSampleRate;

// Root-mean-square level of an interleaved stereo buffer between two times in seconds.
double Level(const std::vector<float>& mix, double from, double to) {
  std::size_t a = static_cast<std::size_t>(from * kRate) * 2;
  std::size_t b = std::min(mix.size(), static_cast<std::size_t>(to * kRate) * 2);
  double sum = 0;
  for (std::size_t i = a; i < b; ++i) sum += double{mix[i]} * mix[i];
  return b > a ? std::sqrt(sum / static_cast<double>(b - a)) : 0.0;
}

// A temporary folder for the tunes of one test.
class TempFolder {
 public:
  TempFolder() {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("valdrim-music-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream file(path_ / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return (path_ / name).string();
  }
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// A loader and an offline performance with its audio up.
class Rig {
 public:
  Rig() {
    CoInitialize();
    SetMusicOutput(MusicOutput::kOffline);
    EXPECT_EQ(MusicLoader::Create(&loader), kMusicOk);
    EXPECT_EQ(MusicPerformance::Create(&performance), kMusicOk);
    if (performance) {
      EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicOk);
    }
  }
  ~Rig() {
    performance.reset();
    loader.reset();
    CoUninitialize();
  }
  std::unique_ptr<MusicSegmentData> Load(const std::vector<std::uint8_t>& bytes) {
    std::unique_ptr<MusicSegmentData> segment;
    EXPECT_EQ(loader->LoadSegmentFromFile(folder.Write("tune" + std::to_string(++count) + ".mid", bytes), &segment),
              kMusicOk);
    if (segment) segment->SetStandardMidiFile();
    return segment;
  }
  std::vector<float> Render(double seconds) {
    std::vector<float> out(2 * static_cast<std::size_t>(seconds * kRate));
    EXPECT_EQ(performance->Render(out.data(), static_cast<int>(out.size() / 2)), kMusicOk);
    return out;
  }

  TempFolder folder;
  std::unique_ptr<MusicLoader> loader;
  std::unique_ptr<MusicPerformance> performance;
  int count = 0;
};

}  // namespace

TEST(MusicPerformance, PlaysATuneOnceAndFallsSilentAtItsEnd) {
  Rig rig;
  auto tune = rig.Load(OneNoteTune(1, 2));  // a half-second note in a one-second tune
  ASSERT_TRUE(tune);
  EXPECT_EQ(tune->GetLength(), 2 * kMusicTimePerQuarter);
  ASSERT_EQ(rig.performance->PlaySecondary(*tune, nullptr), kMusicOk);
  auto mix = rig.Render(2.0);
  double playing = Level(mix, 0.05, 0.45);
  EXPECT_GT(playing, 0.005);
  EXPECT_LT(Level(mix, 1.5, 2.0), playing * 0.01);
  EXPECT_EQ(rig.performance->CountPlaying(), 0);
}

TEST(MusicPerformance, RepeatsTwoSoundsThreeTimesThenStaysSilent) {
  Rig rig;
  auto tune = rig.Load(OneNoteTune(0.5, 2));  // a quarter-second note at the start of each second
  ASSERT_TRUE(tune);
  ASSERT_EQ(tune->SetLoopPoints(0, 0), kMusicOk);
  ASSERT_EQ(tune->SetRepeats(2), kMusicOk);
  ASSERT_EQ(rig.performance->PlaySecondary(*tune, nullptr), kMusicOk);
  auto mix = rig.Render(5.0);
  double first = Level(mix, 0.02, 0.22);
  ASSERT_GT(first, 0.005);
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_NEAR(Level(mix, pass + 0.02, pass + 0.22), first, first * 0.05) << "pass " << pass;
    EXPECT_LT(Level(mix, pass + 0.6, pass + 0.95), first * 0.1) << "between notes " << pass;
  }
  EXPECT_LT(Level(mix, 3.02, 3.22), first * 0.01);  // no fourth time
  EXPECT_LT(Level(mix, 4.0, 5.0), first * 0.001);
  EXPECT_EQ(rig.performance->CountPlaying(), 0);
}

TEST(MusicPerformance, RepeatForeverNeverEnds) {
  Rig rig;
  auto tune = rig.Load(OneNoteTune(0.25, 0.5));
  ASSERT_TRUE(tune);
  tune->SetLoopPoints(0, 0);
  tune->SetRepeats(kMusicRepeatForever);
  rig.performance->PlaySecondary(*tune, nullptr);
  auto mix = rig.Render(8.0);
  double first = Level(mix, 0.0, 0.1);
  EXPECT_GT(first, 0.005);
  EXPECT_NEAR(Level(mix, 7.75, 7.85), first, first * 0.05);  // the 32nd pass
  EXPECT_EQ(rig.performance->CountPlaying(), 1);
}

TEST(MusicPerformance, LoopPointsRepeatOnlyTheirStretch) {
  Rig rig;
  // Key 60 at quarter 0, key 72 at quarter 3; the tune is 4 quarters (2 s). Looping quarters 2..4
  // once plays key 72 again at 2.5 s and nothing at 2.0 s, where a whole-tune loop would sound.
  MidiFile file;
  file.Program(0, 0, 0, 80).Note(0, 0, 0, 60, 100, 240).Note(0, 1440, 0, 72, 100, 240).End(0, 1920);
  auto tune = rig.Load(file.Bytes());
  ASSERT_TRUE(tune);
  EXPECT_EQ(tune->SetLoopPoints(2 * 768, 5 * 768), kMusicOutOfRange);  // beyond the end
  EXPECT_EQ(tune->SetLoopPoints(768, 768), kMusicOutOfRange);          // empty
  ASSERT_EQ(tune->SetLoopPoints(2 * 768, 4 * 768), kMusicOk);
  tune->SetRepeats(1);
  rig.performance->PlaySecondary(*tune, nullptr);
  auto mix = rig.Render(4.0);
  double note = Level(mix, 0.02, 0.2);
  EXPECT_GT(note, 0.005);
  EXPECT_GT(Level(mix, 1.52, 1.7), note * 0.5);
  EXPECT_LT(Level(mix, 2.02, 2.2), note * 0.05);
  EXPECT_GT(Level(mix, 2.52, 2.7), note * 0.5);
  EXPECT_LT(Level(mix, 3.3, 4.0), note * 0.01);
}

TEST(MusicPerformance, StopAndStopSegmentSilenceAtOnce) {
  Rig rig;
  auto low = rig.Load(OneNoteTune(4, 4, 57));
  auto high = rig.Load(OneNoteTune(4, 4, 81));
  ASSERT_TRUE(low && high);
  for (auto* t : {low.get(), high.get()}) t->SetRepeats(kMusicRepeatForever);
  rig.performance->PlaySecondary(*low, nullptr);
  rig.performance->PlaySecondary(*high, nullptr);
  rig.performance->PlaySecondary(*high, nullptr);  // a second instance mixes with the first
  double both = Level(rig.Render(0.3), 0.1, 0.3);
  EXPECT_GT(both, 0.005);
  EXPECT_EQ(rig.performance->CountPlaying(), 3);

  EXPECT_EQ(rig.performance->StopSegment(*high), kMusicOk);  // every instance of it
  EXPECT_EQ(rig.performance->CountPlaying(), 1);
  EXPECT_GT(Level(rig.Render(0.5), 0.3, 0.5), both * 0.1);

  EXPECT_EQ(rig.performance->Stop(), kMusicOk);
  EXPECT_EQ(rig.performance->CountPlaying(), 0);
  auto after = rig.Render(1.5);
  EXPECT_LT(Level(after, 1.0, 1.5), both * 0.001);  // only the reverb's tail was left, and it is gone
}

TEST(MusicPerformance, SecondarySegmentsMixAsTheirSum) {
  MidiFile a_file, b_file;
  a_file.Program(0, 0, 0, 0).Note(0, 0, 0, 60, 100, 480).Note(0, 480, 0, 64, 90, 480).End(0, 960);
  b_file.Program(0, 0, 0, 40).Note(0, 240, 0, 67, 110, 600).Program(0, 0, 9, 0).Note(0, 0, 9, 38, 100, 120);
  Rig both, only_a, only_b;
  auto a1 = both.Load(a_file.Bytes()), b1 = both.Load(b_file.Bytes());
  auto a2 = only_a.Load(a_file.Bytes()), b3 = only_b.Load(b_file.Bytes());
  ASSERT_TRUE(a1 && b1 && a2 && b3);
  both.performance->PlaySecondary(*a1, nullptr);
  both.performance->PlaySecondary(*b1, nullptr);
  only_a.performance->PlaySecondary(*a2, nullptr);
  only_b.performance->PlaySecondary(*b3, nullptr);
  auto mix = both.Render(1.5), a = only_a.Render(1.5), b = only_b.Render(1.5);
  double diff = 0, total = 0;
  for (std::size_t i = 0; i < mix.size(); ++i) {
    diff += std::pow(mix[i] - (a[i] + b[i]), 2);
    total += double{mix[i]} * mix[i];
  }
  EXPECT_GT(Level(b, 0.0, 0.2), 0.001);  // the drum channel sounds too
  EXPECT_LT(std::sqrt(diff / total), 1e-3);
}

TEST(MusicPerformance, MasterVolumeIsInHundredthsOfADecibel) {
  Rig full, quiet;
  auto a = full.Load(OneNoteTune(2, 2)), b = quiet.Load(OneNoteTune(2, 2));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(full.performance->SetMasterVolume(0), kMusicOk);
  EXPECT_EQ(quiet.performance->SetMasterVolume(-1000), kMusicOk);
  full.performance->PlaySecondary(*a, nullptr);
  quiet.performance->PlaySecondary(*b, nullptr);
  double ratio = Level(quiet.Render(0.5), 0, 0.5) / Level(full.Render(0.5), 0, 0.5);
  EXPECT_NEAR(ratio, 0.316, 0.002);
}

TEST(MusicPerformance, OfflineMixAddsEveryPerformance) {
  Rig one, two;
  auto a = one.Load(OneNoteTune(2, 2)), b = two.Load(OneNoteTune(2, 2));
  ASSERT_TRUE(a && b);
  two.performance->SetMasterVolume(-1000);
  EXPECT_LT(Level(RenderOfflineMusic(kRate / 10), 0, 0.1), 1e-6);  // nothing plays yet
  one.performance->PlaySecondary(*a, nullptr);
  double single = Level(RenderOfflineMusic(kRate / 2), 0.1, 0.5);
  ASSERT_GT(single, 0.005);
  one.performance->Stop();
  RenderOfflineMusic(2 * kRate);  // let the tail die away
  one.performance->PlaySecondary(*a, nullptr);
  two.performance->PlaySecondary(*b, nullptr);
  EXPECT_NEAR(Level(RenderOfflineMusic(kRate / 2), 0.1, 0.5) / single, 1.316, 0.01);
}

TEST(MusicSetUp, EachStepFailsWhereTheMusicSystemIsBroken) {
  TempFolder folder;
  // Without the music system entered, nothing can be created.
  std::unique_ptr<MusicLoader> loader;
  std::unique_ptr<MusicPerformance> performance;
  EXPECT_EQ(MusicLoader::Create(&loader), kMusicNotInitialised);
  EXPECT_EQ(MusicPerformance::Create(&performance), kMusicNotInitialised);

  CoInitialize();
  SetMusicOutput(MusicOutput::kOffline);
  const std::string soundfont = GetMusicSoundFont();
  // No soundfont: the music system is not there.
  SetMusicSoundFont(folder.Path() + "/missing.sf2");
  EXPECT_EQ(MusicLoader::Create(&loader), kMusicUnavailable);
  EXPECT_EQ(MusicPerformance::Create(&performance), kMusicUnavailable);
  EXPECT_FALSE(loader || performance);

  // A soundfont that is no soundfont: the synthesiser cannot start.
  SetMusicSoundFont(folder.Write("broken.sf2", {'R', 'I', 'F', 'F', 0, 0, 0, 0}));
  ASSERT_EQ(MusicPerformance::Create(&performance), kMusicOk);
  EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicFail);
  std::unique_ptr<MusicAudioPath> path;
  EXPECT_EQ(performance->CreateStandardAudioPath(MusicPathType::kDynamicStereo, 64, false, &path), kMusicNotReady);
  EXPECT_FALSE(path);
  SetMusicSoundFont(soundfont);

  // The search directory must exist; relative names are then found in it, wherever we stand.
  ASSERT_EQ(MusicLoader::Create(&loader), kMusicOk);
  EXPECT_EQ(loader->SetSearchDirectory("", false), kMusicBadPath);
  EXPECT_EQ(loader->SetSearchDirectory(folder.Path() + "/nowhere", false), kMusicBadPath);
  std::filesystem::create_directories(folder.Path() + "/MUSIC");
  folder.Write("MUSIC/tune.mid", OneNoteTune(1, 1));
  folder.Write("MUSIC/bad.mid", {'M', 'T', 'h', 'd', 0, 0});
  std::unique_ptr<MusicSegmentData> segment;
  EXPECT_EQ(loader->LoadSegmentFromFile("MUSIC/tune.mid", &segment), kMusicFileNotFound);
  EXPECT_EQ(loader->SetSearchDirectory(folder.Path(), false), kMusicOk);
  EXPECT_EQ(loader->LoadSegmentFromFile("MUSIC/tune.mid", &segment), kMusicOk);
  EXPECT_TRUE(segment);
  EXPECT_EQ(loader->LoadSegmentFromFile("MUSIC/other.mid", &segment), kMusicFileNotFound);
  EXPECT_FALSE(segment);
  EXPECT_EQ(loader->LoadSegmentFromFile("MUSIC/bad.mid", &segment), kMusicBadFile);
  EXPECT_EQ(loader->LoadSegmentFromFile("MUSIC", &segment), kMusicFileNotFound);  // a folder
  CoUninitialize();
}

TEST(MusicSetUp, ClosedDownPerformanceRefusesEverything) {
  Rig rig;
  auto tune = rig.Load(OneNoteTune(1, 1));
  ASSERT_TRUE(tune);
  std::unique_ptr<MusicAudioPath> path;
  ASSERT_EQ(rig.performance->CreateStandardAudioPath(MusicPathType::kDynamicStereo, 64, false, &path), kMusicOk);
  EXPECT_EQ(rig.performance->PlaySecondary(*tune, path.get()), kMusicPathInactive);
  EXPECT_EQ(tune->Download(*rig.performance), kMusicOk);
  EXPECT_EQ(tune->Download(*rig.performance), kMusicNothingToDo);
  EXPECT_EQ(rig.performance->PlaySecondary(*tune, nullptr), kMusicOk);
  EXPECT_EQ(rig.performance->CloseDown(), kMusicOk);
  EXPECT_EQ(rig.performance->PlaySecondary(*tune, nullptr), kMusicNotReady);
  EXPECT_EQ(rig.performance->Stop(), kMusicNotReady);
  EXPECT_EQ(rig.performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicNotReady);
  std::vector<float> out(64);
  EXPECT_EQ(rig.performance->Render(out.data(), 32), kMusicNotReady);
  EXPECT_LT(Level(RenderOfflineMusic(kRate / 10), 0, 0.1), 1e-6);
}

// A performance with its audio up on the device of a machine without sound: an audio driver that
// does not exist here stands for it.
struct DeviceRig {
  DeviceRig() {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CoInitialize();
    SetMusicOutput(MusicOutput::kAudioDevice);
    EXPECT_EQ(MusicLoader::Create(&loader), kMusicOk);
    EXPECT_EQ(MusicPerformance::Create(&performance), kMusicOk);
    if (performance) {
      EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicOk);
    }
  }
  ~DeviceRig() {
    tune.reset();
    performance.reset();
    SetMusicSoundFont(soundfont);
    SetMusicOutput(MusicOutput::kOffline);
    CoUninitialize();
  }
  const std::string soundfont = GetMusicSoundFont();
  TempFolder folder;
  std::unique_ptr<MusicLoader> loader;
  std::unique_ptr<MusicPerformance> performance;
  std::unique_ptr<MusicSegmentData> tune;
};

TEST(MusicSetUp, WithoutASoundDeviceTheDummyDriverPlaysSilently) {
  DeviceRig rig;
  auto& performance = rig.performance;
  ASSERT_TRUE(performance);
  // A second performance (the thinking phase's) asks for its device while the switch to the dummy
  // driver may still be under way; the dummy driver has room for one device, so it stays mute.
  std::unique_ptr<MusicPerformance> second;
  ASSERT_EQ(MusicPerformance::Create(&second), kMusicOk);
  EXPECT_EQ(second->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicOk);
  EXPECT_EQ(MusicAudioDriver(), "dummy");
  ASSERT_EQ(rig.loader->LoadSegmentFromFile(rig.folder.Write("t.mid", OneNoteTune(0.25, 0.5)), &rig.tune), kMusicOk);
  EXPECT_EQ(performance->PlaySecondary(*rig.tune, nullptr), kMusicOk);
  // The device's thread drives the sequencer: the quarter-second tune comes to its end.
  EXPECT_EQ(performance->CountPlaying(), 1);
  for (int waited = 0; waited < 300 && performance->CountPlaying() > 0; ++waited) usleep(10000);
  EXPECT_EQ(performance->CountPlaying(), 0);
  std::vector<float> out(64);
  EXPECT_EQ(performance->Render(out.data(), 32), kMusicFail);  // the device is the listener
  EXPECT_EQ(second->CloseDown(), kMusicOk);
  EXPECT_EQ(MusicAudioDriver(), "dummy");
  EXPECT_EQ(performance->CloseDown(), kMusicOk);
  EXPECT_EQ(MusicAudioDriver(), "");
}

TEST(MusicSetUp, OnTheDeviceTheSoundFontLoadsAlongsideAndAFileThatIsNoSoundFontFailsAtOnce) {
  DeviceRig rig;
  auto& performance = rig.performance;
  ASSERT_TRUE(performance);
  // Whether or not the soundfont is read yet, the calls answer as they always did.
  std::unique_ptr<MusicAudioPath> path;
  EXPECT_EQ(performance->CreateStandardAudioPath(MusicPathType::kDynamicStereo, 64, false, &path), kMusicOk);
  EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicAlreadyInitialised);
  ASSERT_EQ(rig.loader->LoadSegmentFromFile(rig.folder.Write("t.mid", OneNoteTune(0.25, 30)), &rig.tune), kMusicOk);
  EXPECT_EQ(rig.tune->Download(*performance), kMusicOk);
  EXPECT_EQ(performance->PlaySecondary(*rig.tune, nullptr), kMusicOk);
  EXPECT_EQ(performance->Stop(), kMusicOk);
  EXPECT_EQ(performance->CountPlaying(), 0);
  EXPECT_EQ(performance->PlaySecondary(*rig.tune, nullptr), kMusicOk);
  EXPECT_EQ(performance->CountPlaying(), 1);
  EXPECT_EQ(performance->CloseDown(), kMusicOk);
  EXPECT_EQ(performance->CountPlaying(), 0);

  SetMusicSoundFont(rig.folder.Write("not.sf2", std::vector<std::uint8_t>(4096, 'x')));
  ASSERT_EQ(MusicPerformance::Create(&performance), kMusicOk);
  EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicFail);
  EXPECT_EQ(performance->PlaySecondary(*rig.tune, nullptr), kMusicNotReady);
}

// On the device the read of a soundfont that breaks off fails only after InitAudio has returned.
TEST(MusicSetUp, OnTheDeviceAReadThatFailsLeavesNothingPlayingTellsTheGameAndLetsInitAudioTryAgain) {
  DeviceRig rig;
  ASSERT_EQ(rig.loader->LoadSegmentFromFile(rig.folder.Write("t.mid", OneNoteTune(0.25, 30)), &rig.tune), kMusicOk);
  SetMusicSoundFont(rig.folder.Write("cut.sf2", SoundFontThatBreaksOff()));
  std::unique_ptr<MusicPerformance> performance;
  ASSERT_EQ(MusicPerformance::Create(&performance), kMusicOk);
  int told = 0;
  ASSERT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64, [&told] { ++told; }), kMusicOk);
  // The game's thread hears of the failure from its message loop.
  for (int waited = 0; waited < 500 && told == 0; ++waited) {
    usleep(10000);
    headless::PumpMessages();
  }
  EXPECT_EQ(told, 1);
  EXPECT_EQ(rig.tune->Download(*performance), kMusicNotReady);
  EXPECT_EQ(performance->PlaySecondary(*rig.tune, nullptr), kMusicNotReady);
  EXPECT_EQ(performance->CountPlaying(), 0);
  // A new InitAudio starts afresh, here with a soundfont that reads.
  SetMusicSoundFont(rig.soundfont);
  EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicOk);
  EXPECT_EQ(performance->PlaySecondary(*rig.tune, nullptr), kMusicOk);
  EXPECT_EQ(performance->CountPlaying(), 1);
  EXPECT_EQ(performance->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicAlreadyInitialised);
  EXPECT_EQ(told, 1);
}

// The game object lets go of its music at exit, after the statics built later are gone: a read that
// fails only then still tells the game's thread, whose queue holds an earlier failure untold.
TEST(MusicSetUpDeathTest, AReadThatFailsAtExitStillReachesTheGamesThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, with nothing built before
  EXPECT_EXIT(
      {
        static TempFolder folder;  // built before the queue, so gone after it
        static std::unique_ptr<MusicPerformance> at_exit;
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        CoInitialize();
        SetMusicSoundFont(folder.Write("cut.sf2", SoundFontThatBreaksOff()));
        for (int read = 0; read < 2; ++read) {
          MusicPerformance::Create(&at_exit);
          at_exit->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64, [] {});
          if (read == 0) at_exit->CloseDown();  // its failure waits in the queue
        }
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}

// The game's two players read the soundfont side by side, the first holding the device, while
// tunes are played and stopped on them; the first goes at any moment (closed down, or destroyed as
// at exit) while the second may still be reading or starting what was played meanwhile.
TEST(MusicSetUp, OnTheDeviceAPerformanceMayGoWhileAnotherReadsTheSoundFont) {
  DeviceRig rig;
  rig.performance.reset();
  MidiFile file;  // an instrument on every channel, so that starting the tune selects many
  for (int channel = 0; channel < 16; ++channel)
    file.Program(0, 0, channel, channel * 8).Note(0, 0, channel, 48 + channel, 100, 960);
  ASSERT_EQ(rig.loader->LoadSegmentFromFile(rig.folder.Write("t.mid", file.Bytes()), &rig.tune), kMusicOk);
  std::minstd_rand random(std::random_device{}());
  for (int round = 0; round < 20; ++round) {
    std::unique_ptr<MusicPerformance> first, second;
    for (auto* p : {&first, &second}) {
      ASSERT_EQ(MusicPerformance::Create(p), kMusicOk);
      ASSERT_EQ((*p)->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64), kMusicOk);
      for (int play = 0; play < 8; ++play) (*p)->PlaySecondary(*rig.tune, nullptr);
      usleep(random() % (p == &first ? 50000 : 10000));
    }
    // Each stop and play takes the tune's instruments from the first synthesiser and gives them anew.
    for (int play = static_cast<int>(random() % 40); play > 0; --play) {
      first->Stop();
      first->PlaySecondary(*rig.tune, nullptr);
    }
    if (round % 2 == 0) first->CloseDown();  // as a player's release; else destroyed alone, as at exit
    first.reset();
    EXPECT_EQ(second->Stop(), kMusicOk);
    EXPECT_EQ(second->PlaySecondary(*rig.tune, nullptr), kMusicOk);
    EXPECT_EQ(second->CountPlaying(), 1) << "round " << round;
  }
}

// Without SDL_AUDIODRIVER the machine's own audio is searched (ALSA on a machine without a sound
// card, then the dummy driver): nothing of that search reaches the console.
TEST(MusicSetUp, AStartOnTheMachinesOwnAudioPrintsNothing) {
  unsetenv("SDL_AUDIODRIVER");
  CoInitialize();
  SetMusicOutput(MusicOutput::kAudioDevice);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  std::unique_ptr<MusicPerformance> game, thinking;
  for (auto* p : {&game, &thinking}) {
    if (MusicPerformance::Create(p) == kMusicOk) (*p)->InitAudio(MusicPathType::kSharedStereoPlusReverb, 64);
  }
  const std::string driver = MusicAudioDriver();
  game.reset();
  thinking.reset();
  const std::string said = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
  SetMusicOutput(MusicOutput::kOffline);
  CoUninitialize();
  EXPECT_NE(driver, "");
  EXPECT_EQ(said, "");
}

TEST(MusicCalls, AreRecordedWithTheirResultsAndInjectedFailuresHitOnce) {
  RecordMusicCalls(true);
  {
    Rig rig;
    auto tune = rig.Load(OneNoteTune(1, 1));
    InjectMusicFailure("CreateStandardAudioPath");
    std::unique_ptr<MusicAudioPath> path;
    EXPECT_EQ(rig.performance->CreateStandardAudioPath(MusicPathType::kDynamicStereo, 64, true, &path), kMusicFail);
    EXPECT_EQ(rig.performance->CreateStandardAudioPath(MusicPathType::kDynamicStereo, 64, true, &path), kMusicOk);
    EXPECT_EQ(rig.performance->PlaySecondary(*tune, path.get()), kMusicOk);  // an active path carries sound
  }
  RecordMusicCalls(false);
  std::vector<std::string> calls;
  for (const MusicCall& c : RecordedMusicCalls()) calls.push_back(c.call + (Failed(c.result) ? "!" : ""));
  std::vector<std::string> expected = {
      "CoInitialize", "CreateLoader", "CreatePerformance", "InitAudio", "LoadSegment", "SetStandardMidiFile",
      "CreateStandardAudioPath!", "CreateStandardAudioPath", "PlaySecondary", "ReleaseAudioPath", "ReleaseSegment",
      "ReleasePerformance", "ReleaseLoader", "CoUninitialize"};
  EXPECT_EQ(calls, expected);
  auto recorded = RecordedMusicCalls();
  ASSERT_GE(recorded.size(), 9u);
  EXPECT_NE(recorded[8].argument.find("tune1.mid on performance "), std::string::npos);
}
