// The performance: one FluidSynth synthesiser with the General MIDI soundfont and a small sequencer
// that plays segment instances on it. The same mixing code fills the SDL audio device and the
// offline renders of the tests.
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core.h"
#include "platform/music.h"
#include "platform/music_device.h"
#include "platform/music_internal.h"
#include "platform/music_tune.h"

namespace platform {

using music_internal::PerformanceName;
using music_internal::Record;
using music_internal::TakeInjectedFailure;

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
constexpr int kChannelsPerBlock = 16;

struct NoteOff {
  std::int64_t at;
  int channel;
  int key;
  bool operator>(const NoteOff& other) const { return at > other.at; }
};

// One playing of a segment. Each instance gets its own block of 16 channels (while blocks last),
// so that two tunes mixing keep their own instruments.
struct Instance {
  std::shared_ptr<const MusicTune> tune;
  int block = 0;
  std::int64_t base = 0;  // the performance's clock at which the tune's start falls in this pass
  std::size_t next = 0;   // next event to send
  bool looping = false;   // reaching the loop end jumps back to the loop start
  bool forever = false;
  std::uint32_t repeats_left = 0;
  std::int32_t loop_end = 0;
  std::int64_t loop_start_sample = 0;
  std::int64_t loop_end_sample = 0;
  std::size_t loop_first = 0;  // first event at or after the loop start
  std::vector<NoteOff> offs;   // min-heap on time
  bool started = true;         // false: played while the soundfont was still loading
  bool reset = false;          // the block's General MIDI reset is due when it starts

  std::int64_t NextOff() const { return offs.empty() ? kNever : offs.front().at; }
  std::int64_t NextEvent() const {
    if (next >= tune->events.size()) return kNever;
    const MusicTuneEvent& e = tune->events[next];
    if (looping && e.time >= loop_end) return kNever;
    return base + e.sample;
  }
  std::int64_t NextWrap() const { return looping ? base + loop_end_sample : kNever; }
  std::int64_t End() const { return base + tune->SampleAt(tune->length); }
  bool Finished(std::int64_t clock) const {
    return !looping && next >= tune->events.size() && offs.empty() && clock >= End();
  }
  std::int64_t NextDue() const {
    std::int64_t due = std::min({NextOff(), NextEvent(), NextWrap()});
    if (!looping && next >= tune->events.size() && offs.empty()) due = std::min(due, End());
    return due;
  }
};

void SilenceBlock(fluid_synth_t* synth, int block) {
  for (int c = 0; c < kChannelsPerBlock; ++c) fluid_synth_all_sounds_off(synth, block * kChannelsPerBlock + c);
}

// General MIDI start state of a block's channels, as a Standard MIDI file expects to find it.
void ResetBlock(fluid_synth_t* synth, int block) {
  for (int c = 0; c < kChannelsPerBlock; ++c) {
    int channel = block * kChannelsPerBlock + c;
    fluid_synth_cc(synth, channel, 121, 0);  // reset controllers
    fluid_synth_cc(synth, channel, 7, 100);
    fluid_synth_cc(synth, channel, 10, 64);
    fluid_synth_pitch_bend(synth, channel, 8192);
    fluid_synth_bank_select(synth, channel, 0);
    fluid_synth_program_change(synth, channel, 0);
  }
}

// FluidSynth's process-wide set-up, once, on the game's thread before its first settings.
void SetUpFluidSynth() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    // The game plays through its own SDL callback and none of FluidSynth's audio drivers. Left
    // registered, every new settings object would ask each of them for its options, and the SDL
    // one would enter SDL's audio on the game's thread while the device's thread may be switching
    // it to the dummy driver.
    static const char* const kNoDriver[] = {nullptr};
    fluid_audio_driver_register(const_cast<const char**>(kNoDriver));
  });
}

// FluidSynth keeps the samples read from a soundfont in one cache for every synthesiser of the
// process, and takes its count of a cached sample only after letting go of the cache's lock: a
// synthesiser dropping a sample (a program change, a voice that has ended, its own deletion) while
// another one takes it frees the sample under the taker's hands. Any call on a synthesiser may drop
// samples (ended voices are cleared on the next call), so every call on any synthesiser is made
// under this one lock, short of reading the soundfont's instruments, which takes no samples while
// they are read on demand.
std::mutex& Synthesisers() {
  // Never destroyed: the game object lets go of its music at exit, after other statics are gone.
  static std::mutex* synthesisers = new std::mutex;
  return *synthesisers;
}

}  // namespace

struct MusicPerformance::Engine {
  std::mutex mutex;  // the audio thread renders while the game's thread plays and stops
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  // The soundfont is read on a thread of its own while the game goes on building its world and
  // painting its title (audio device only). Meanwhile plays and stops only change the list of
  // instances; those played start on the synthesiser when it is there, at the performance's
  // clock 0, since nothing has been rendered before. A read that fails leaves the performance as
  // a failed InitAudio does: it plays nothing and holds nothing.
  std::thread loader;
  bool loading = false;
  bool read_failed = false;
  std::uint32_t device = 0;
  bool offline = false;
  bool closed = false;
  int blocks = 0;
  double gain = 1.0;
  std::int64_t clock = 0;  // samples rendered so far
  std::vector<Instance> instances;
  std::vector<std::shared_ptr<const MusicTune>> downloaded;

  void Send(Instance& inst, const MusicTuneEvent& e, std::int64_t at) {
    int channel = inst.block * kChannelsPerBlock + (e.status & 0x0F);
    switch (e.status & 0xF0) {
      case 0x90:
        fluid_synth_noteon(synth, channel, e.data1, e.data2);
        inst.offs.push_back({at + e.duration, channel, e.data1});
        std::push_heap(inst.offs.begin(), inst.offs.end(), std::greater<>());
        break;
      case 0xA0: fluid_synth_key_pressure(synth, channel, e.data1, e.data2); break;
      case 0xB0: fluid_synth_cc(synth, channel, e.data1, e.data2); break;
      case 0xC0: fluid_synth_program_change(synth, channel, e.data1); break;
      case 0xD0: fluid_synth_channel_pressure(synth, channel, e.data1); break;
      case 0xE0: fluid_synth_pitch_bend(synth, channel, e.data1 | (e.data2 << 7)); break;
      default: break;
    }
  }

  // A synthesiser is there, or will be once the soundfont is read. Under the lock: the loader
  // thread hands the synthesiser over (or gives up) under it.
  bool UsableLocked() const { return synth != nullptr || loading; }
  bool Usable() {
    std::lock_guard lock(mutex);
    return UsableLocked();
  }
  // InitAudio succeeded, whatever became of the soundfont's read since.
  bool AudioStarted() {
    std::lock_guard lock(mutex);
    return UsableLocked() || read_failed;
  }

  // Waits until the soundfont is read (or its read failed).
  void AwaitLoader() {
    if (loader.joinable()) loader.join();
  }

  // The instance's block reset and its first events ("at once").
  void Start(Instance& inst) {
    std::lock_guard synthesisers(Synthesisers());
    if (inst.reset) ResetBlock(synth, inst.block);
    inst.started = true;
    Dispatch(inst);
  }

  // Sends everything of the instance that is due by the clock: note ends first, then events, then
  // the jump back to the loop start.
  void Dispatch(Instance& inst) {
    for (;;) {
      std::int64_t off = inst.NextOff();
      std::int64_t event = inst.NextEvent();
      std::int64_t wrap = inst.NextWrap();
      std::int64_t due = std::min({off, event, wrap});
      if (due > clock) return;
      if (off == due) {
        std::pop_heap(inst.offs.begin(), inst.offs.end(), std::greater<>());
        fluid_synth_noteoff(synth, inst.offs.back().channel, inst.offs.back().key);
        inst.offs.pop_back();
      } else if (event == due) {
        Send(inst, inst.tune->events[inst.next], event);
        ++inst.next;
      } else {
        inst.base += inst.loop_end_sample - inst.loop_start_sample;
        inst.next = inst.loop_first;
        if (!inst.forever && --inst.repeats_left == 0) inst.looping = false;
      }
    }
  }

  void Advance() {
    for (Instance& inst : instances) Dispatch(inst);
    std::erase_if(instances, [this](const Instance& inst) { return inst.Finished(clock); });
  }

  // Renders into `out` (interleaved stereo), cutting the render where an event falls due.
  void Mix(float* out, int frames) {
    std::lock_guard synthesisers(Synthesisers());
    int done = 0;
    while (done < frames) {
      Advance();
      std::int64_t due = kNever;
      for (const Instance& inst : instances) due = std::min(due, inst.NextDue());
      std::int64_t span = std::min<std::int64_t>(frames - done, std::max<std::int64_t>(1, due - clock));
      int n = static_cast<int>(span);
      fluid_synth_write_float(synth, n, out, 2 * done, 2, out, 2 * done + 1, 2);
      clock += n;
      done += n;
    }
    for (int i = 0; i < 2 * frames; ++i) out[i] = static_cast<float>(out[i] * gain);
  }

  // The block with the fewest instances on it, the lowest on a tie.
  int ChooseBlock() const {
    std::vector<int> users(blocks, 0);
    for (const Instance& inst : instances) ++users[inst.block];
    return static_cast<int>(std::min_element(users.begin(), users.end()) - users.begin());
  }

  // Stops the instances (of one tune, or all) of a performance that plays; under the lock, so
  // that a read failing meanwhile is seen.
  HRESULT StopIfUsable(const MusicTune* only) {
    std::lock_guard lock(mutex);
    if (!UsableLocked()) return kMusicNotReady;
    StopInstances(only);
    return kMusicOk;
  }

  void StopInstances(const MusicTune* only) {
    std::lock_guard synthesisers(Synthesisers());
    std::erase_if(instances, [&](const Instance& inst) {
      if (only && inst.tune.get() != only) return false;
      if (inst.started) SilenceBlock(synth, inst.block);
      return true;
    });
  }
};

namespace {

// Performances without a device, which the tests hear through RenderOfflineMusic.
struct OfflineRegistry {
  std::mutex mutex;
  std::vector<MusicPerformance::Engine*> engines;
};
OfflineRegistry& Offline() {
  // Never destroyed: the game object lets go of its music at exit, after other statics are gone.
  static OfflineRegistry* registry = new OfflineRegistry;
  return *registry;
}

void Unregister(MusicPerformance::Engine* engine) {
  OfflineRegistry& r = Offline();
  std::lock_guard lock(r.mutex);
  std::erase(r.engines, engine);
}

void DeviceRender(void* user, float* out, int frames) {
  auto* engine = static_cast<MusicPerformance::Engine*>(user);
  std::lock_guard lock(engine->mutex);
  std::fill(out, out + 2 * frames, 0.0f);
  if (engine->synth) engine->Mix(out, frames);
}

void DeleteSynth(fluid_synth_t* synth) {
  std::lock_guard synthesisers(Synthesisers());
  delete_fluid_synth(synth);
}

// A new synthesiser with the soundfont and the drum channels of every block; null on failure.
fluid_synth_t* NewSynth(fluid_settings_t* settings, const std::string& soundfont, int blocks) {
  fluid_synth_t* synth = nullptr;
  {
    // Also, FluidSynth fills its shared tables in the first synthesiser it makes, and a second one
    // made meanwhile on another thread would not wait for them.
    std::lock_guard synthesisers(Synthesisers());
    synth = new_fluid_synth(settings);
  }
  if (synth == nullptr) return nullptr;
  // The soundfont's instruments are read outside the lock, so that no other performance's sound
  // waits for them: with samples read on demand, reading them takes no samples. The samples come
  // with the presets then given to every channel, as the read itself would give them.
  if (fluid_synth_sfload(synth, soundfont.c_str(), 0) == FLUID_FAILED) {
    DeleteSynth(synth);
    return nullptr;
  }
  std::lock_guard synthesisers(Synthesisers());
  fluid_synth_program_reset(synth);
  for (int b = 0; b < blocks; ++b) {
    int drums = b * kChannelsPerBlock + 9;
    fluid_synth_set_channel_type(synth, drums, CHANNEL_TYPE_DRUM);
    fluid_synth_program_change(synth, drums, 0);
  }
  return synth;
}

// The loader thread: hands the synthesiser over and starts what was played meanwhile. A soundfont
// that passed the header check but does not load fails the performance; the game's thread hears
// of it through `on_failed_read`, run by its message loop.
void Load(MusicPerformance::Engine* e, std::string soundfont, int blocks, std::function<void()> on_failed_read) {
  fluid_synth_t* synth = NewSynth(e->settings, soundfont, blocks);
  {
    std::lock_guard lock(e->mutex);
    e->loading = false;
    e->synth = synth;
    if (synth != nullptr) {
      for (Instance& inst : e->instances) e->Start(inst);
      return;
    }
    e->read_failed = true;
    e->instances.clear();
    e->downloaded.clear();
  }
  if (on_failed_read) core::PostToGameThread(std::move(on_failed_read));
}

// Stops the sound, closes the device and drops the synthesiser.
void Shut(MusicPerformance::Engine& e) {
  e.AwaitLoader();
  Unregister(&e);
  music_device::Close(e.device);  // outside the engine's lock: the callback takes it
  e.device = 0;
  std::lock_guard lock(e.mutex);
  if (e.synth) {
    e.StopInstances(nullptr);
    DeleteSynth(e.synth);
    e.synth = nullptr;
  }
  e.instances.clear();
  e.downloaded.clear();
  e.read_failed = false;
  e.closed = true;
}

}  // namespace

MusicPerformance::MusicPerformance() : engine_(std::make_unique<Engine>()) {
  static int serial = 0;
  id_ = ++serial;
}

HRESULT MusicPerformance::Create(std::unique_ptr<MusicPerformance>* performance) {
  performance->reset();
  HRESULT hr = kMusicOk;
  std::string name;
  if (TakeInjectedFailure("CreatePerformance")) {
    hr = kMusicFail;
  } else if (!music_internal::Entered()) {
    hr = kMusicNotInitialised;
  } else if (!music_internal::Installed()) {
    hr = kMusicUnavailable;
  } else {
    SetUpFluidSynth();
    std::unique_ptr<MusicPerformance> created(new MusicPerformance());
    created->engine_->settings = new_fluid_settings();
    if (created->engine_->settings == nullptr) {
      hr = kMusicFail;
    } else {
      name = PerformanceName(created->id_);
      *performance = std::move(created);
    }
  }
  return Record("CreatePerformance", name, hr);
}

MusicPerformance::~MusicPerformance() {
  Shut(*engine_);
  if (engine_->settings) delete_fluid_settings(engine_->settings);
  Record("ReleasePerformance", PerformanceName(id_), kMusicOk);
}

HRESULT MusicPerformance::InitAudio(MusicPathType default_path, int channels, std::function<void()> on_failed_read) {
  Engine& e = *engine_;
  HRESULT hr = kMusicOk;
  std::string argument = PerformanceName(id_) + " " + std::to_string(channels);
  if (TakeInjectedFailure("InitAudio")) return Record("InitAudio", argument, kMusicFail);
  if (e.closed) return Record("InitAudio", argument, kMusicNotReady);
  e.AwaitLoader();  // a read still under way decides first
  if (e.Usable()) return Record("InitAudio", argument, kMusicAlreadyInitialised);
  if (channels <= 0 || channels > 256) return Record("InitAudio", argument, kMusicInvalidArgument);
  // A performance whose read failed starts again from nothing: its silent device goes.
  music_device::Close(e.device);
  e.device = 0;
  {
    std::lock_guard lock(e.mutex);
    e.read_failed = false;
  }

  int blocks = (channels + kChannelsPerBlock - 1) / kChannelsPerBlock;
  fluid_settings_setnum(e.settings, "synth.sample-rate", kMusicSampleRate);
  fluid_settings_setint(e.settings, "synth.midi-channels", blocks * kChannelsPerBlock);
  // Instruments' samples are read when a tune first selects them: a performance starts in a
  // twentieth of a second instead of reading the whole soundfont.
  fluid_settings_setint(e.settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(e.settings, "synth.reverb.active", default_path == MusicPathType::kSharedStereoPlusReverb);
  fluid_settings_setint(e.settings, "synth.chorus.active", 0);
  const std::string soundfont = GetMusicSoundFont();
  if (GetMusicOutput() == MusicOutput::kAudioDevice) {
    // Reading the soundfont's instruments takes a few tens of milliseconds that the title need
    // not wait for; a file that is no soundfont at all fails here, as the load would.
    if (!fluid_is_soundfont(soundfont.c_str())) return Record("InitAudio", argument, kMusicFail);
    {
      std::lock_guard lock(e.mutex);
      e.blocks = blocks;
      e.loading = true;
    }
    e.loader = std::thread(Load, &e, soundfont, blocks, std::move(on_failed_read));
    e.device = music_device::Open(DeviceRender, &e);  // 0: no device at all; the performance is mute
  } else {
    // The tests' offline renders load at once, as they always did.
    fluid_synth_t* synth = NewSynth(e.settings, soundfont, blocks);
    if (synth == nullptr) return Record("InitAudio", argument, kMusicFail);
    {
      std::lock_guard lock(e.mutex);
      e.synth = synth;
      e.blocks = blocks;
    }
    e.offline = true;
    OfflineRegistry& r = Offline();
    std::lock_guard lock(r.mutex);
    r.engines.push_back(&e);
  }
  return Record("InitAudio", argument, hr);
}

HRESULT MusicPerformance::CreateStandardAudioPath(MusicPathType type, int channels, bool activate,
                                                  std::unique_ptr<MusicAudioPath>* path) {
  path->reset();
  HRESULT hr = kMusicOk;
  if (TakeInjectedFailure("CreateStandardAudioPath")) {
    hr = kMusicFail;
  } else if (!engine_->AudioStarted()) {
    hr = kMusicNotReady;
  } else if (channels <= 0) {
    hr = kMusicInvalidArgument;
  } else {
    path->reset(new MusicAudioPath(id_, type, activate));
  }
  return Record("CreateStandardAudioPath", PerformanceName(id_) + " " + std::to_string(channels), hr);
}

MusicAudioPath::~MusicAudioPath() { Record("ReleaseAudioPath", PerformanceName(performance_id_), kMusicOk); }

HRESULT MusicPerformance::SetMasterVolume(std::int32_t volume) {
  HRESULT hr = kMusicOk;
  if (engine_->closed) {
    hr = kMusicNotReady;
  } else {
    std::lock_guard lock(engine_->mutex);
    engine_->gain = std::pow(10.0, volume / 2000.0);
  }
  return Record("SetMasterVolume", PerformanceName(id_) + " " + std::to_string(volume), hr);
}

HRESULT MusicPerformance::PlaySecondary(MusicSegmentData& segment, MusicAudioPath* path) {
  Engine& e = *engine_;
  std::string argument = segment.path_ + " on " + PerformanceName(id_);
  if (path && path->performance_id_ != id_) return Record("PlaySecondary", argument, kMusicInvalidArgument);
  if (path && !path->active_) return Record("PlaySecondary", argument, kMusicPathInactive);

  const MusicTune& tune = *segment.tune_;
  Instance inst;
  inst.tune = segment.tune_;
  std::int32_t loop_start = segment.loop_start_;
  std::int32_t loop_end = segment.loop_end_;
  if (loop_start == 0 && loop_end == 0) loop_end = tune.length;
  inst.loop_end = loop_end;
  inst.loop_start_sample = tune.SampleAt(loop_start);
  inst.loop_end_sample = tune.SampleAt(loop_end);
  inst.loop_first = static_cast<std::size_t>(
      std::lower_bound(tune.events.begin(), tune.events.end(), loop_start,
                       [](const MusicTuneEvent& ev, std::int32_t t) { return ev.time < t; }) -
      tune.events.begin());
  inst.forever = segment.repeats_ == kMusicRepeatForever;
  inst.repeats_left = segment.repeats_;
  // A loop without length would jump back for ever without time passing: the tune then plays once.
  inst.looping = segment.repeats_ > 0 && inst.loop_end_sample > inst.loop_start_sample;

  std::unique_lock lock(e.mutex);
  // Asked under the lock that queues the instance: a read that fails meanwhile finds it queued
  // and takes it away, or this finds the read failed and queues nothing.
  if (!e.UsableLocked()) {
    lock.unlock();
    return Record("PlaySecondary", argument, kMusicNotReady);
  }
  inst.block = e.ChooseBlock();
  inst.base = e.clock;
  inst.reset = segment.standard_midi_file_;
  inst.started = false;
  e.instances.push_back(std::move(inst));
  // "At once": the tune's first events go out now, or as soon as the soundfont is read.
  if (e.synth != nullptr) e.Start(e.instances.back());
  lock.unlock();
  return Record("PlaySecondary", argument, kMusicOk);
}

HRESULT MusicPerformance::Stop() {
  return Record("Stop", PerformanceName(id_), engine_->StopIfUsable(nullptr));
}

HRESULT MusicPerformance::StopSegment(MusicSegmentData& segment) {
  return Record("StopSegment", segment.path_ + " on " + PerformanceName(id_),
                engine_->StopIfUsable(segment.tune_.get()));
}

HRESULT MusicPerformance::CloseDown() {
  HRESULT hr = engine_->closed ? kMusicNothingToDo : kMusicOk;
  Shut(*engine_);
  return Record("CloseDown", PerformanceName(id_), hr);
}

HRESULT MusicPerformance::Render(float* out, int frames) {
  Engine& e = *engine_;
  if (out == nullptr || frames < 0) return kMusicInvalidArgument;
  if (!e.Usable()) return kMusicNotReady;
  if (!e.offline) return kMusicFail;  // the audio device is the one listening
  std::lock_guard lock(e.mutex);
  std::fill(out, out + 2 * static_cast<std::size_t>(frames), 0.0f);
  e.Mix(out, frames);
  return kMusicOk;
}

int MusicPerformance::CountPlaying() const {
  std::lock_guard lock(engine_->mutex);
  return static_cast<int>(engine_->instances.size());
}

HRESULT MusicSegmentData::Download(MusicPerformance& performance) {
  MusicPerformance::Engine& e = *performance.engine_;
  HRESULT hr = kMusicOk;
  std::unique_lock lock(e.mutex);
  if (!e.UsableLocked()) {
    hr = kMusicNotReady;
  } else if (std::find(e.downloaded.begin(), e.downloaded.end(), tune_) != e.downloaded.end()) {
    hr = kMusicNothingToDo;
  } else {
    e.downloaded.push_back(tune_);
  }
  lock.unlock();
  return Record("Download", path_ + " to " + PerformanceName(performance.id_), hr);
}

HRESULT MusicSegmentData::Unload(MusicPerformance& performance) {
  MusicPerformance::Engine& e = *performance.engine_;
  std::unique_lock lock(e.mutex);
  auto it = std::find(e.downloaded.begin(), e.downloaded.end(), tune_);
  HRESULT hr = kMusicOk;
  if (!e.UsableLocked()) {
    hr = kMusicNotReady;
  } else if (it == e.downloaded.end()) {
    hr = kMusicNothingToDo;
  } else {
    e.downloaded.erase(it);
  }
  lock.unlock();
  return Record("Unload", path_ + " from " + PerformanceName(performance.id_), hr);
}

std::vector<float> RenderOfflineMusic(int frames) {
  std::vector<float> mix(2 * static_cast<std::size_t>(std::max(frames, 0)), 0.0f);
  std::vector<float> one(mix.size());
  OfflineRegistry& r = Offline();
  std::lock_guard registry_lock(r.mutex);
  for (MusicPerformance::Engine* e : r.engines) {
    std::lock_guard lock(e->mutex);
    if (e->synth == nullptr) continue;
    std::fill(one.begin(), one.end(), 0.0f);
    e->Mix(one.data(), frames);
    for (std::size_t i = 0; i < mix.size(); ++i) mix[i] += one[i];
  }
  return mix;
}

}  // namespace platform
