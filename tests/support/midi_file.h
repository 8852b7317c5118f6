#pragma once
// Tiny Standard MIDI files written by the tests themselves.
#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

class MidiFile {
 public:
  explicit MidiFile(int ticks_per_quarter = 480, int format = 1) : division_(ticks_per_quarter), format_(format) {}

  // Appends raw event bytes at a tick of a track (tracks are created as needed).
  MidiFile& Event(int track, std::uint32_t tick, std::vector<std::uint8_t> bytes);
  MidiFile& Tempo(int track, std::uint32_t tick, std::uint32_t us_per_quarter);
  MidiFile& Program(int track, std::uint32_t tick, int channel, int program);
  // Note-on at `tick`, note-off `length` ticks later.
  MidiFile& Note(int track, std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length);
  // Places a track's end-of-track event (default: at its last event).
  MidiFile& End(int track, std::uint32_t tick);

  std::vector<std::uint8_t> Bytes() const;
  bool Write(const std::string& path) const;

 private:
  struct Timed {
    std::uint32_t tick;
    std::vector<std::uint8_t> bytes;
  };
  struct Track {
    std::vector<Timed> events;
    std::uint32_t end = 0;
  };
  Track& At(int track);

  int division_;
  int format_;
  std::vector<Track> tracks_;
};

// A one-note tune: program 80 (square lead, short release) on channel 0, key 69, at 120 beats a
// minute with 480 ticks a quarter; the note lasts `note_quarters` and the tune `tune_quarters`.
std::vector<std::uint8_t> OneNoteTune(double note_quarters, double tune_quarters, int key = 69);

// A soundfont by its header that breaks off before its instruments: it passes the quick header
// check and fails only when read in full.
std::vector<std::uint8_t> SoundFontThatBreaksOff();

}  // namespace test_support
