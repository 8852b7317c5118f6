#include "assets/smf_file.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

enum Order { kMeta = 0, kNoteOff = 1, kControl = 2, kNoteOn = 3 };

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
  std::uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while (v >>= 7) buf[n++] = static_cast<std::uint8_t>((v & 0x7F) | 0x80);
  while (n) out.push_back(buf[--n]);
}

void PutBE(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 127)); }

}  // namespace

void MidiTrack::Name(const std::string& text) {
  std::vector<std::uint8_t> b = {0xFF, 0x03};
  PutVarLen(b, static_cast<std::uint32_t>(text.size()));
  b.insert(b.end(), text.begin(), text.end());
  events_.push_back({0, kMeta, b});
}

void MidiTrack::Tempo(std::uint32_t tick, double bpm) {
  auto us = static_cast<std::uint32_t>(std::lround(60000000.0 / bpm));
  events_.push_back({tick, kMeta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                                   static_cast<std::uint8_t>(us)}});
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominator_power) {
  events_.push_back({tick, kMeta, {0xFF, 0x58, 0x04, Byte(numerator), Byte(denominator_power), 24, 8}});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
  events_.push_back({tick, kControl, {static_cast<std::uint8_t>(0xC0 | channel), Byte(program)}});
}

void MidiTrack::Control(std::uint32_t tick, int channel, int controller, int value) {
  events_.push_back({tick, kControl, {static_cast<std::uint8_t>(0xB0 | channel), Byte(controller), Byte(value)}});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  events_.push_back({tick, kNoteOn, {static_cast<std::uint8_t>(0x90 | channel), Byte(key), Byte(std::max(1, velocity))}});
  events_.push_back({tick + length, kNoteOff, {static_cast<std::uint8_t>(0x80 | channel), Byte(key), 0}});
}

std::vector<std::uint8_t> MidiTrack::Encode(std::uint32_t end_tick) const {
  std::vector<Event> events;
  for (Event e : events_) {
    if (e.order == kNoteOn && e.tick >= end_tick) continue;
    if (e.order == kNoteOff) e.tick = std::min(e.tick, end_tick);
    events.push_back(e);
  }
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  for (const Event& e : events) {
    PutVarLen(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, end_tick - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
  PutBE(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<std::uint8_t> EncodeSmf(int ticks_per_quarter, const std::vector<MidiTrack>& tracks, std::uint32_t end_tick) {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBE(out, static_cast<std::uint32_t>(tracks.size()), 2);
  PutBE(out, static_cast<std::uint32_t>(ticks_per_quarter), 2);
  for (const MidiTrack& t : tracks) {
    std::vector<std::uint8_t> chunk = t.Encode(end_tick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace assets
