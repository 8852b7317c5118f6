#pragma once
// Reads back a Standard MIDI file, strictly: chunk lengths, running status, End of Track.
#include <cstdint>
#include <string>
#include <vector>

namespace assets_test {

struct SmfEvent {
  std::uint32_t tick = 0;
  std::uint8_t status = 0;     // 0xFF for meta events
  std::uint8_t meta_type = 0;  // meta events only
  std::vector<std::uint8_t> data;
};

struct SmfTrack {
  std::vector<SmfEvent> events;  // End of Track included, last
};

struct Smf {
  int format = 0;
  int division = 0;
  std::vector<SmfTrack> tracks;
};

bool ReadSmf(const std::vector<std::uint8_t>& bytes, Smf& out, std::string& why);

// Seconds from the start to `tick`, following every tempo change of the file.
double SecondsAt(const Smf& smf, std::uint32_t tick);

}  // namespace assets_test
