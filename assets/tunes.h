#pragma once
// The game's three tunes, composed here as note data and written as Standard MIDI files:
// 0 the title theme, 1 the march that plays through every phase of play (looping for hours
// without a seam), 2 the ending theme (about a minute, played three times).
#include <cstdint>
#include <vector>

namespace assets {

// The tune's file bytes; false when its score does not read (a bar of the wrong length).
bool ComposeTune(int index, std::vector<std::uint8_t>& smf);

}  // namespace assets
