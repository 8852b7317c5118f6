#pragma once
// A Standard MIDI file as the sequencer plays it: channel events in time order with their positions
// in samples, note-offs folded into note durations (a note sounds its full length even when a loop
// jumps back meanwhile), and the tempo map that turns music time into samples.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace platform {

struct MusicTuneEvent {
  std::int32_t time;      // music time (768 per quarter)
  std::int64_t sample;    // position from the start of the tune at kMusicSampleRate
  std::int64_t duration;  // note-ons only: samples until the note ends
  std::uint8_t status;    // channel message 0x80..0xEF other than note-off (channel in the low nibble)
  std::uint8_t data1;
  std::uint8_t data2;
};

struct MusicTempo {
  std::int32_t time;             // music time where the tempo starts
  std::int64_t sample;           // its position in samples
  std::uint32_t us_per_quarter;  // microseconds per quarter note
};

struct MusicTune {
  std::vector<MusicTuneEvent> events;
  std::vector<MusicTempo> tempos;  // first entry at time 0
  std::int32_t length = 0;         // music time of the end (the latest end of track)

  std::int64_t SampleAt(std::int32_t time) const;
};

// Reads a format 0 or 1 file with a ticks-per-quarter division. False for anything else or for a
// file that does not hold together (chunks beyond the end, missing status, bad data bytes, times
// beyond the range of music time).
bool ParseStandardMidiFile(std::span<const std::uint8_t> bytes, MusicTune* tune);

// Files larger than this are not tunes.
inline constexpr std::size_t kMaxMidiFileSize = 8u << 20;

}  // namespace platform
