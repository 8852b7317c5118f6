#include "tests/support/midi_file.h"

#include <algorithm>
#include <fstream>

namespace test_support {
namespace {

void Be32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}
void Be16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}
void Vlq(std::vector<std::uint8_t>& out, std::uint32_t v) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = v & 0x7F;
    v >>= 7;
  } while (v);
  while (n-- > 0) out.push_back(static_cast<std::uint8_t>(groups[n] | (n ? 0x80 : 0)));
}

}  // namespace

MidiFile::Track& MidiFile::At(int track) {
  if (static_cast<int>(tracks_.size()) <= track) tracks_.resize(track + 1);
  return tracks_[track];
}

MidiFile& MidiFile::Event(int track, std::uint32_t tick, std::vector<std::uint8_t> bytes) {
  Track& t = At(track);
  t.events.push_back({tick, std::move(bytes)});
  t.end = std::max(t.end, tick);
  return *this;
}

MidiFile& MidiFile::Tempo(int track, std::uint32_t tick, std::uint32_t us) {
  return Event(track, tick,
               {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                static_cast<std::uint8_t>(us)});
}

MidiFile& MidiFile::Program(int track, std::uint32_t tick, int channel, int program) {
  return Event(track, tick, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)});
}

MidiFile& MidiFile::Note(int track, std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length) {
  Event(track, tick,
        {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(velocity)});
  return Event(track, tick + length,
               {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0});
}

MidiFile& MidiFile::End(int track, std::uint32_t tick) {
  Track& t = At(track);
  t.end = std::max(t.end, tick);
  return *this;
}

std::vector<std::uint8_t> MidiFile::Bytes() const {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
  Be32(out, 6);
  Be16(out, format_);
  Be16(out, static_cast<std::uint32_t>(tracks_.size()));
  Be16(out, division_);
  for (const Track& track : tracks_) {
    std::vector<Timed> events = track.events;
    std::stable_sort(events.begin(), events.end(), [](const Timed& a, const Timed& b) { return a.tick < b.tick; });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const Timed& e : events) {
      Vlq(body, e.tick - now);
      now = e.tick;
      body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    Vlq(body, track.end - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Be32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}

bool MidiFile::Write(const std::string& path) const {
  std::vector<std::uint8_t> bytes = Bytes();
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

std::vector<std::uint8_t> OneNoteTune(double note_quarters, double tune_quarters, int key) {
  MidiFile file;
  file.Tempo(0, 0, 500000)
      .Program(0, 0, 0, 80)
      .Note(0, 0, 0, key, 100, static_cast<std::uint32_t>(note_quarters * 480))
      .End(0, static_cast<std::uint32_t>(tune_quarters * 480));
  return file.Bytes();
}

std::vector<std::uint8_t> SoundFontThatBreaksOff() {
  std::vector<std::uint8_t> bytes = {'R', 'I', 'F', 'F', 0, 0, 0x40, 0, 's', 'f', 'b', 'k'};
  bytes.resize(4096, 0);
  return bytes;
}

}  // namespace test_support
