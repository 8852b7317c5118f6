#pragma once
// Standard MIDI files (format 1) for the game's three tunes.
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

class MidiTrack {
 public:
  void Name(const std::string& text);
  void Tempo(std::uint32_t tick, double bpm);
  void TimeSignature(std::uint32_t tick, int numerator, int denominator_power);
  void Program(std::uint32_t tick, int channel, int program);
  void Control(std::uint32_t tick, int channel, int controller, int value);
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  // The track chunk's bytes. Events in time order (at one tick: meta events, then note-offs,
  // then controls, then note-ons), End of Track at end_tick; no note sounds past it.
  std::vector<std::uint8_t> Encode(std::uint32_t end_tick) const;

 private:
  struct Event {
    std::uint32_t tick;
    int order;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Event> events_;
};

std::vector<std::uint8_t> EncodeSmf(int ticks_per_quarter, const std::vector<MidiTrack>& tracks,
                                    std::uint32_t end_tick);

}  // namespace assets
