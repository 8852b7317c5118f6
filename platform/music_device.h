#pragma once
// SDL audio devices for the performances. A machine without sound gets SDL's "dummy" driver: the
// performance plays on, unheard.
#include <cstdint>
#include <string>

namespace platform::music_device {

// Fills `frames` interleaved stereo float frames; called on SDL's audio thread.
using RenderFunction = void (*)(void* user, float* stereo, int frames);

// Opens and starts a device (44.1 kHz float stereo, converted by SDL to whatever the device takes)
// and gives out its handle. 0 when no device opens while another one is open. Without any sound
// device the dummy driver is started behind the caller's back; the handle stands for it (or for
// nothing, should even that fail).
std::uint32_t Open(RenderFunction render, void* user);
// Closes it; when this returns, the render function is not running and will not run again.
void Close(std::uint32_t device);
// The driver in use while a device is open, else empty.
std::string Driver();

}  // namespace platform::music_device
