#pragma once
// The game's music system in the shape the game drives it: a loader that finds Standard MIDI files
// under its search directory, a performance (a FluidSynth synthesiser with the General MIDI
// soundfont, heard through SDL audio) with its standard audio path, and segments that play on a
// performance as secondary segments, loop and repeat. Plain classes, no virtual calls; every
// operation returns a result code, so that the callers can tell which set-up step failed.
//
// A machine without a sound device is no failure: the performance then plays through SDL's
// "dummy" driver, silently. Tests render a performance's mix offline instead (no device at all),
// through the same synthesiser and sequencer, and can read back every call made on the music
// objects.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Result of a music call: negative is a failure.
using HRESULT = std::int32_t;
constexpr bool Failed(HRESULT hr) { return hr < 0; }

inline constexpr HRESULT kMusicOk = 0;
inline constexpr HRESULT kMusicNothingToDo = 1;  // success, but there was nothing to do
inline constexpr HRESULT kMusicFail = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT kMusicInvalidArgument = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT kMusicNotInitialised = static_cast<HRESULT>(0x800401F0u);  // CoInitialize missing
inline constexpr HRESULT kMusicUnavailable = static_cast<HRESULT>(0x80040154u);     // no music system here
inline constexpr HRESULT kMusicBadPath = static_cast<HRESULT>(0x88780001u);
inline constexpr HRESULT kMusicFileNotFound = static_cast<HRESULT>(0x88780002u);
inline constexpr HRESULT kMusicBadFile = static_cast<HRESULT>(0x88780003u);
inline constexpr HRESULT kMusicNotReady = static_cast<HRESULT>(0x88780004u);  // no audio yet, or closed down
inline constexpr HRESULT kMusicAlreadyInitialised = static_cast<HRESULT>(0x88780005u);
inline constexpr HRESULT kMusicOutOfRange = static_cast<HRESULT>(0x88780006u);
inline constexpr HRESULT kMusicPathInactive = static_cast<HRESULT>(0x88780007u);

// Music time: 768 units to a quarter note, whatever the file's own resolution.
inline constexpr std::int32_t kMusicTimePerQuarter = 768;
// Repeat count that never runs out.
inline constexpr std::uint32_t kMusicRepeatForever = 0xFFFFFFFFu;
// Every performance renders stereo at this rate.
inline constexpr int kMusicSampleRate = 44100;

// Audio path types a performance knows.
enum class MusicPathType : int {
  kSharedStereoPlusReverb = 1,  // stereo with reverb: what the performance's default path sounds like
  kDynamicStereo = 6,           // plain stereo
};

struct MusicTune;
class MusicPerformance;

// --- The music system of the process -------------------------------------------------------------

// Music objects need the music system entered on their thread, as COM does: CoInitialize counts up,
// CoUninitialize counts down (never below zero). Creating a loader or performance while the count is
// zero fails with kMusicNotInitialised.
HRESULT CoInitialize();
void CoUninitialize();

// The current directory in CP932, as the game passes folder names around; empty when it cannot be
// read or does not fit into 259 bytes (the game's 260-byte buffer).
std::string CurrentDirectory();

// Where performances send their sound. kAudioDevice (the default) opens an SDL audio device per
// performance (falling back to the "dummy" driver); kOffline opens none: the mix is only heard
// through MusicPerformance::Render and RenderOfflineMusic. Applies to performances whose audio is
// initialised afterwards.
enum class MusicOutput { kAudioDevice, kOffline };
void SetMusicOutput(MusicOutput output);
MusicOutput GetMusicOutput();

// The General MIDI soundfont; without it there is no music system (loader and performance
// creation fail with kMusicUnavailable). Defaults to /usr/share/sounds/sf2/FluidR3_GM.sf2.
void SetMusicSoundFont(std::string path);
std::string GetMusicSoundFont();

// The SDL audio driver behind the open audio devices ("dummy" on a machine without sound), or an
// empty text while no device is open.
std::string MusicAudioDriver();

// Mix of every live performance that has no audio device, `frames` stereo frames interleaved
// (left, right), as a listener would hear it; every such performance advances by that much.
std::vector<float> RenderOfflineMusic(int frames);

// --- Record of the calls, for tests ----------------------------------------------------------------

struct MusicCall {
  std::string call;      // e.g. "CreateLoader", "PlaySecondary", "Stop"
  std::string argument;  // file name, values, and the objects concerned, e.g. "MUSIC/a.mid on performance 2"
  HRESULT result;
};
// Starts (with an empty record) or stops recording.
void RecordMusicCalls(bool on);
std::vector<MusicCall> RecordedMusicCalls();
void ClearRecordedMusicCalls();
// Makes the next call of that name fail with kMusicFail, as a broken music system would; for the
// set-up steps that no test can break otherwise.
void InjectMusicFailure(std::string_view call);

// --- Objects ------------------------------------------------------------------------------------

// A segment loaded from a Standard MIDI file, with its loop points and repeat count.
class MusicSegmentData {
 public:
  ~MusicSegmentData();
  MusicSegmentData(const MusicSegmentData&) = delete;
  MusicSegmentData& operator=(const MusicSegmentData&) = delete;

  // Plays the segment as a Standard MIDI file: each instance starts with its channels reset to
  // General MIDI defaults (controllers, program 0, centred pitch wheel).
  HRESULT SetStandardMidiFile();
  // Loop points in music time; (0, 0) loops the whole segment. An end beyond the segment's length,
  // or a start not before the end, is kMusicOutOfRange.
  HRESULT SetLoopPoints(std::int32_t start, std::int32_t end);
  // How often the loop repeats after its first pass (kMusicRepeatForever: for ever).
  HRESULT SetRepeats(std::uint32_t repeats);
  // Hands the segment's instruments to a performance (which must have its audio initialised) / takes
  // them back.
  HRESULT Download(MusicPerformance& performance);
  HRESULT Unload(MusicPerformance& performance);

  std::int32_t GetLength() const;  // music time
  const std::string& GetPath() const { return path_; }

 private:
  friend class MusicLoader;
  friend class MusicPerformance;
  MusicSegmentData(std::shared_ptr<const MusicTune> tune, std::string path);

  std::shared_ptr<const MusicTune> tune_;
  std::string path_;
  bool standard_midi_file_ = false;
  std::int32_t loop_start_ = 0;
  std::int32_t loop_end_ = 0;
  std::uint32_t repeats_ = 0;
};

// Finds and reads Standard MIDI files into segments.
class MusicLoader {
 public:
  static HRESULT Create(std::unique_ptr<MusicLoader>* loader);
  ~MusicLoader();
  MusicLoader(const MusicLoader&) = delete;
  MusicLoader& operator=(const MusicLoader&) = delete;

  // Relative file names are looked up under this folder (CP932); it must exist. The loader keeps no
  // cache, so clear_cache changes nothing.
  HRESULT SetSearchDirectory(std::string_view cp932_directory, bool clear_cache);
  // Reads a Standard MIDI file (format 0 or 1; path in CP932). Before any search directory is set,
  // relative names are found from the current directory.
  HRESULT LoadSegmentFromFile(std::string_view cp932_path, std::unique_ptr<MusicSegmentData>* segment);

 private:
  MusicLoader() = default;
  std::string search_directory_;  // as the file system names it
};

// An audio path of a performance. A path created without activation carries no sound: playing on it
// fails with kMusicPathInactive.
class MusicAudioPath {
 public:
  ~MusicAudioPath();
  MusicAudioPath(const MusicAudioPath&) = delete;
  MusicAudioPath& operator=(const MusicAudioPath&) = delete;
  bool IsActive() const { return active_; }

 private:
  friend class MusicPerformance;
  MusicAudioPath(int performance_id, MusicPathType type, bool active)
      : performance_id_(performance_id), type_(type), active_(active) {}
  int performance_id_;
  MusicPathType type_;
  bool active_;
};

// A synthesiser and its sequencer: secondary segments played on it mix.
class MusicPerformance {
 public:
  static HRESULT Create(std::unique_ptr<MusicPerformance>* performance);
  ~MusicPerformance();
  MusicPerformance(const MusicPerformance&) = delete;
  MusicPerformance& operator=(const MusicPerformance&) = delete;

  // Creates the synthesiser (soundfont loaded, `channels` MIDI channels rounded up to a multiple of
  // 16, reverb when the default path has it) and opens the audio output. On the audio device the
  // soundfont is read on a thread of its own, so that the game need not wait for it: should that
  // read fail, the performance ends as after a failed InitAudio (it plays and holds nothing; a new
  // InitAudio may try again) and `on_failed_read` is run on the game's thread by its message loop.
  HRESULT InitAudio(MusicPathType default_path, int channels, std::function<void()> on_failed_read = {});
  HRESULT CreateStandardAudioPath(MusicPathType type, int channels, bool activate,
                                  std::unique_ptr<MusicAudioPath>* path);
  // Master volume in hundredths of a decibel (0 = unchanged, -1000 = -10 dB).
  HRESULT SetMasterVolume(std::int32_t volume);
  // Starts the segment at once as a secondary segment, on the path given (null: the default path).
  // An instance already playing goes on: both mix.
  HRESULT PlaySecondary(MusicSegmentData& segment, MusicAudioPath* path);
  // Stops every segment at once.
  HRESULT Stop();
  // Stops every instance of the segment at once.
  HRESULT StopSegment(MusicSegmentData& segment);
  // Stops everything, closes the audio output and drops the synthesiser; the performance is dead
  // afterwards (its calls fail with kMusicNotReady).
  HRESULT CloseDown();

  // Renders `frames` stereo frames (interleaved left, right) of the mix into `out`, advancing the
  // sequencer; only for a performance without audio device (kOffline output).
  HRESULT Render(float* out, int frames);
  // Number of segment instances still sounding or waiting for their next note.
  int CountPlaying() const;
  int GetId() const { return id_; }

  struct Engine;  // the synthesiser and sequencer, inside music_performance.cpp

 private:
  friend class MusicSegmentData;
  MusicPerformance();
  int id_;
  std::unique_ptr<Engine> engine_;
};

}  // namespace platform
