#include "platform/music_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstdarg>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/music.h"

namespace platform::music_device {
namespace {

struct Client {
  RenderFunction render;
  void* user;
  SDL_AudioDeviceID id = 0;  // 0: no device (the switch to the dummy driver failed)
};

struct Devices {
  std::mutex mutex;
  bool audio_up = false;
  // Set once no sound device was found: SDL's audio is started on the "dummy" driver from then on.
  bool dummy_only = false;
  std::map<std::uint32_t, std::unique_ptr<Client>> open;  // by the handle Open gave out
  std::uint32_t last_handle = 0;
  // The switch to the dummy driver after a failed device search. Shutting SDL's audio down waits
  // for its ALSA watcher thread (up to a tenth of a second), which the title need not wait for.
  // Until it is joined, only that thread touches SDL's audio and these fields, except the clients
  // that ask for a device meanwhile: they wait in `waiting` to be opened by it on the dummy driver.
  // Every other SDL audio call is made under `mutex` after joining it, so SDL's audio is never
  // entered on two threads at once.
  std::thread switching;
  std::mutex switch_mutex;
  bool switched = true;
  std::vector<Client*> waiting;
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
// sound card) before SDL gives up on it. The search runs on the thread that opens the device, so
// while that thread looks for one, ALSA's complaints on it go nowhere; other threads, and whether
// a device opens, are untouched.
void IgnoreAlsa(const char*, int, const char*, int, const char*, va_list) {}

using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, va_list);
using AlsaSetLocalHandler = AlsaHandler (*)(AlsaHandler);

// ALSA's snd_lib_error_set_local (a handler for the calling thread only), looked up once; null
// without ALSA. SDL loads the same library when it tries ALSA.
AlsaSetLocalHandler AlsaLocalHandlerSetter() {
  static const AlsaSetLocalHandler setter = [] {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
    return alsa != nullptr ? reinterpret_cast<AlsaSetLocalHandler>(dlsym(alsa, "snd_lib_error_set_local"))
                           : nullptr;
  }();
  return setter;
}

class QuietAlsa {
 public:
  QuietAlsa() : set_(AlsaLocalHandlerSetter()) {
    if (set_ != nullptr) before_ = set_(IgnoreAlsa);
  }
  ~QuietAlsa() {
    if (set_ != nullptr) set_(before_);
  }
  QuietAlsa(const QuietAlsa&) = delete;
  QuietAlsa& operator=(const QuietAlsa&) = delete;

 private:
  AlsaSetLocalHandler set_;
  AlsaHandler before_ = nullptr;
};

// SDL's audio on the driver SDL_AUDIODRIVER names or, by default, the first that starts; on
// "dummy" once no sound device was found. Started and stopped directly rather than as an SDL
// subsystem, so that the fall-back need not change the environment while other threads run.
bool StartAudio(Devices& d) {
  if (!d.audio_up) d.audio_up = SDL_AudioInit(d.dummy_only ? "dummy" : nullptr) == 0;
  return d.audio_up;
}

void StopAudio(Devices& d) {
  if (d.audio_up) SDL_AudioQuit();
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

void FinishSwitching(Devices& d) {
  if (d.switching.joinable()) d.switching.join();
}

bool AnyDevice(const Devices& d) {
  for (const auto& [handle, client] : d.open)
    if (client->id != 0) return true;
  return false;
}

std::uint32_t Keep(Devices& d, std::unique_ptr<Client> client) {
  const std::uint32_t handle = ++d.last_handle;
  d.open.emplace(handle, std::move(client));
  return handle;
}

}  // namespace

std::uint32_t Open(RenderFunction render, void* user) {
  Devices& d = Get();
  std::lock_guard lock(d.mutex);
  auto client = std::make_unique<Client>(Client{render, user});
  {
    std::lock_guard wait(d.switch_mutex);
    if (!d.switched) {  // the dummy driver is on its way: this one is opened there too
      d.waiting.push_back(client.get());
      return Keep(d, std::move(client));
    }
  }
  FinishSwitching(d);
  {
    const QuietAlsa quiet;
    client->id = StartAudio(d) ? TryOpen(client.get()) : 0;
  }
  if (client->id != 0) {
    SDL_PauseAudioDevice(client->id, 0);
    return Keep(d, std::move(client));
  }
  if (AnyDevice(d)) return 0;
  // No sound device on this machine: the music goes to the dummy driver and nobody hears it.
  d.dummy_only = true;
  {
    std::lock_guard wait(d.switch_mutex);
    d.switched = false;
    d.waiting.assign(1, client.get());
  }
  const std::uint32_t handle = Keep(d, std::move(client));
  d.switching = std::thread([&d] {
    // No other device is open: the clients waiting here are all there is.
    StopAudio(d);
    const bool up = StartAudio(d);
    std::lock_guard wait(d.switch_mutex);
    bool any = false;
    for (Client* c : d.waiting) {
      if (up) c->id = TryOpen(c);
      if (c->id != 0) SDL_PauseAudioDevice(c->id, 0);
      any = any || c->id != 0;
    }
    if (!any) StopAudio(d);
    d.waiting.clear();
    d.switched = true;
  });
  return handle;
}

void Close(std::uint32_t device) {
  if (device == 0) return;
  Devices& d = Get();
  std::lock_guard lock(d.mutex);
  FinishSwitching(d);
  auto it = d.open.find(device);
  if (it == d.open.end()) return;
  if (it->second->id != 0) SDL_CloseAudioDevice(it->second->id);  // waits for a running callback
  d.open.erase(it);
  if (!AnyDevice(d)) StopAudio(d);
}

std::string Driver() {
  Devices& d = Get();
  std::lock_guard lock(d.mutex);
  FinishSwitching(d);
  if (!AnyDevice(d)) return "";
  const char* name = SDL_GetCurrentAudioDriver();
  return name ? name : "";
}

}  // namespace platform::music_device

namespace platform {
std::string MusicAudioDriver() { return music_device::Driver(); }
}  // namespace platform
