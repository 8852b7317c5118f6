// The process-wide side of the music system: the COM-like entry count, the output and soundfont
// settings, the current directory, and the record of calls that tests read back.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <string>
#include <vector>

#include "platform/music.h"
#include "platform/music_internal.h"
#include "platform/text.h"

namespace platform {
namespace {

struct State {
  std::mutex mutex;
  int entered = 0;
  MusicOutput output = MusicOutput::kAudioDevice;
  std::string soundfont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
  bool recording = false;
  std::vector<MusicCall> calls;
  std::vector<std::string> injected;
};

State& Get() {
  // Never destroyed: the game object lets go of its music at exit, after other statics are gone.
  static State* state = new State;
  return *state;
}

}  // namespace

namespace music_internal {

HRESULT Record(std::string_view call, std::string argument, HRESULT result) {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  if (s.recording) s.calls.push_back({std::string(call), std::move(argument), result});
  return result;
}

bool TakeInjectedFailure(std::string_view call) {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  auto it = std::find(s.injected.begin(), s.injected.end(), call);
  if (it == s.injected.end()) return false;
  s.injected.erase(it);
  return true;
}

bool Installed() {
  std::string path = GetMusicSoundFont();
  return !path.empty() && access(path.c_str(), R_OK) == 0;
}

bool Entered() {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  return s.entered > 0;
}

std::string PerformanceName(int id) { return "performance " + std::to_string(id); }

}  // namespace music_internal

HRESULT CoInitialize() {
  State& s = Get();
  HRESULT result;
  {
    std::lock_guard lock(s.mutex);
    result = s.entered++ == 0 ? kMusicOk : kMusicNothingToDo;
  }
  return music_internal::Record("CoInitialize", "", result);
}

void CoUninitialize() {
  State& s = Get();
  {
    std::lock_guard lock(s.mutex);
    if (s.entered > 0) --s.entered;
  }
  music_internal::Record("CoUninitialize", "", kMusicOk);
}

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return "";
    buffer.resize(buffer.size() * 2);
  }
  std::string directory = ToCp932(buffer.data());
  // The game reads the folder into 260 bytes; a longer one does not arrive.
  if (directory.size() >= 260) return "";
  return directory;
}

void SetMusicOutput(MusicOutput output) {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  s.output = output;
}

MusicOutput GetMusicOutput() {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  return s.output;
}

void SetMusicSoundFont(std::string path) {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  s.soundfont = std::move(path);
}

std::string GetMusicSoundFont() {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  return s.soundfont;
}

void RecordMusicCalls(bool on) {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  s.recording = on;
  if (on) s.calls.clear();
}

std::vector<MusicCall> RecordedMusicCalls() {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  return s.calls;
}

void ClearRecordedMusicCalls() {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  s.calls.clear();
}

void InjectMusicFailure(std::string_view call) {
  State& s = Get();
  std::lock_guard lock(s.mutex);
  s.injected.emplace_back(call);
}

}  // namespace platform
