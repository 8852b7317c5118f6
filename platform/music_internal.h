#pragma once
// What the music sources share among themselves: the call record, injected failures, and whether
// the music system is there at all.
#include <string>
#include <string_view>

#include "platform/music.h"

namespace platform::music_internal {

// Adds a call to the record (when recording) and hands its result back.
HRESULT Record(std::string_view call, std::string argument, HRESULT result);
// True once for each injected failure of that call.
bool TakeInjectedFailure(std::string_view call);
// The music system is there when the soundfont can be read.
bool Installed();
// CoInitialize has been called more often than CoUninitialize.
bool Entered();

std::string PerformanceName(int id);

}  // namespace platform::music_internal
