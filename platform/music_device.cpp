#include "platform/music_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "platform/music.h"

namespace platform::music_device {
namespace {

struct Client {
  RenderFunction render;
  void* user;
};

struct Devices {
  std::mutex mutex;
  bool audio_up = false;
  std::map<SDL_AudioDeviceID, std::unique_ptr<Client>> open;
};

Devices& Get() {
  // Never destroyed: the game object lets go of its music at exit, after other statics are gone.
  static Devices* devices = new Devices;
  return *devices;
}

void Callback(void* userdata, Uint8* stream, int length) {
  auto* client = static_cast<Client*>(userdata);
  client->render(client->user, reinterpret_cast<float*>(stream), length / static_cast<int>(2 * sizeof(float)));
}

// ALSA prints every step of a failed device search on stderr (eight lines on a machine without a
// sound card) before SDL gives up on it. While SDL looks for a device, its complaints go nowhere;
// whether a device opens, and the fall-back to silence, stay as they are.
void IgnoreAlsa(const char*, int, const char*, int, const char*, ...) {}

using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetHandler = int (*)(AlsaHandler);

// ALSA's snd_lib_error_set_handler, looked up once; null without ALSA. SDL loads the same library
// when it tries ALSA, so the handler set here is the one its device search reports to.
AlsaSetHandler AlsaErrorHandlerSetter() {
  static const AlsaSetHandler setter = [] {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
    return alsa != nullptr ? reinterpret_cast<AlsaSetHandler>(dlsym(alsa, "snd_lib_error_set_handler")) : nullptr;
  }();
  return setter;
}

class QuietAlsa {
 public:
  QuietAlsa() : set_(AlsaErrorHandlerSetter()) {
    if (set_ != nullptr) set_(IgnoreAlsa);
  }
  ~QuietAlsa() {
    if (set_ != nullptr) set_(nullptr);  // ALSA's own printer again
  }
  QuietAlsa(const QuietAlsa&) = delete;
  QuietAlsa& operator=(const QuietAlsa&) = delete;

 private:
  AlsaSetHandler set_;
};

bool StartAudio(Devices& d) {
  if (!d.audio_up) d.audio_up = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  return d.audio_up;
}

void StopAudio(Devices& d) {
  if (d.audio_up) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  d.audio_up = false;
}

SDL_AudioDeviceID TryOpen(Client* client) {
  SDL_AudioSpec want{};
  want.freq = kMusicSampleRate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = Callback;
  want.userdata = client;
  return SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
}

}  // namespace

std::uint32_t Open(RenderFunction render, void* user) {
  Devices& d = Get();
  std::lock_guard lock(d.mutex);
  auto client = std::make_unique<Client>(Client{render, user});
  const QuietAlsa quiet;
  SDL_AudioDeviceID id = StartAudio(d) ? TryOpen(client.get()) : 0;
  if (id == 0 && d.open.empty()) {
    // No sound device on this machine: the music goes to the dummy driver and nobody hears it.
    StopAudio(d);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (StartAudio(d)) id = TryOpen(client.get());
  }
  if (id == 0) {
    if (d.open.empty()) StopAudio(d);
    return 0;
  }
  d.open.emplace(id, std::move(client));
  SDL_PauseAudioDevice(id, 0);
  return id;
}

void Close(std::uint32_t device) {
  if (device == 0) return;
  Devices& d = Get();
  std::lock_guard lock(d.mutex);
  auto it = d.open.find(device);
  if (it == d.open.end()) return;
  SDL_CloseAudioDevice(device);  // waits for a running callback
  d.open.erase(it);
  if (d.open.empty()) StopAudio(d);
}

std::string Driver() {
  Devices& d = Get();
  std::lock_guard lock(d.mutex);
  if (d.open.empty()) return "";
  const char* name = SDL_GetCurrentAudioDriver();
  return name ? name : "";
}

}  // namespace platform::music_device

namespace platform {
std::string MusicAudioDriver() { return music_device::Driver(); }
}  // namespace platform
