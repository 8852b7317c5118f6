#include "platform/music_tune.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <string_view>

#include "platform/music.h"

namespace platform {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // 120 beats a minute until the file says otherwise
constexpr std::uint64_t kMaxTicks = std::uint64_t{1} << 40;

struct RawEvent {
  std::int64_t tick;
  std::uint8_t status, data1, data2;
};
struct RawTempo {
  std::int64_t tick;
  std::uint32_t us_per_quarter;
};

// Bounds-checked reading of one chunk's bytes.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return pos_ >= size_; }
  bool Byte(std::uint8_t* b) {
    if (pos_ >= size_) return false;
    *b = data_[pos_++];
    return true;
  }
  bool Peek(std::uint8_t* b) const {
    if (pos_ >= size_) return false;
    *b = data_[pos_];
    return true;
  }
  bool Skip(std::uint64_t n) {
    if (n > size_ - pos_) return false;
    pos_ += static_cast<std::size_t>(n);
    return true;
  }
  // Variable-length quantity: at most four bytes.
  bool Vlq(std::uint32_t* v) {
    *v = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t b;
      if (!Byte(&b)) return false;
      *v = (*v << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  const std::uint8_t* Here() const { return data_ + pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

std::uint32_t Be32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// One track's channel events and tempo changes; *end is the tick of its end.
bool ParseTrack(Reader r, std::vector<RawEvent>* events, std::vector<RawTempo>* tempos, std::int64_t* end) {
  std::uint64_t tick = 0;
  std::uint8_t running = 0;
  while (!r.AtEnd()) {
    std::uint32_t delta;
    if (!r.Vlq(&delta)) return false;
    tick += delta;
    if (tick > kMaxTicks) return false;
    std::uint8_t status;
    if (!r.Peek(&status)) return false;
    if (status & 0x80) {
      r.Skip(1);
    } else {
      if (running == 0) return false;
      status = running;
    }
    if (status < 0xF0) {
      running = status;
      int count = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
      std::uint8_t data[2] = {0, 0};
      for (int i = 0; i < count; ++i) {
        if (!r.Byte(&data[i]) || (data[i] & 0x80)) return false;
      }
      events->push_back({static_cast<std::int64_t>(tick), status, data[0], data[1]});
    } else if (status == 0xF0 || status == 0xF7) {
      // System exclusive: not passed on (a reset in one tune would silence the others).
      running = 0;
      std::uint32_t length;
      if (!r.Vlq(&length) || !r.Skip(length)) return false;
    } else if (status == 0xFF) {
      running = 0;
      std::uint8_t type;
      std::uint32_t length;
      if (!r.Byte(&type) || !r.Vlq(&length)) return false;
      const std::uint8_t* body = r.Here();
      if (!r.Skip(length)) return false;
      if (type == 0x2F) break;
      if (type == 0x51 && length == 3) {
        std::uint32_t us = (std::uint32_t{body[0]} << 16) | (std::uint32_t{body[1]} << 8) | body[2];
        if (us > 0) tempos->push_back({static_cast<std::int64_t>(tick), us});
      }
    } else {
      return false;  // real-time and common messages have no place in a file
    }
  }
  *end = static_cast<std::int64_t>(tick);
  return true;
}

}  // namespace

std::int64_t MusicTune::SampleAt(std::int32_t time) const {
  auto it = std::upper_bound(tempos.begin(), tempos.end(), time,
                             [](std::int32_t t, const MusicTempo& tempo) { return t < tempo.time; });
  if (it == tempos.begin()) return 0;
  --it;
  double seconds = static_cast<double>(time - it->time) * it->us_per_quarter / (kMusicTimePerQuarter * 1e6);
  return it->sample + std::llround(seconds * kMusicSampleRate);
}

bool ParseStandardMidiFile(std::span<const std::uint8_t> bytes, MusicTune* tune) {
  *tune = MusicTune{};
  if (bytes.size() > kMaxMidiFileSize || bytes.size() < 14) return false;
  const std::uint8_t* p = bytes.data();
  if (std::string_view(reinterpret_cast<const char*>(p), 4) != "MThd") return false;
  std::uint32_t header_length = Be32(p + 4);
  if (header_length < 6 || header_length > bytes.size() - 8) return false;
  std::uint16_t format = Be16(p + 8);
  std::uint16_t track_count = Be16(p + 10);
  std::uint16_t division = Be16(p + 12);
  // Format 2 (independent patterns) and time-code divisions are not tunes of this game.
  if (format > 1 || track_count == 0 || division == 0 || (division & 0x8000)) return false;

  std::vector<std::vector<RawEvent>> tracks;
  std::vector<RawTempo> raw_tempos;
  std::int64_t end_tick = 0;
  std::size_t pos = 8 + header_length;
  while (tracks.size() < track_count && bytes.size() - pos >= 8) {
    std::uint32_t chunk_length = Be32(p + pos + 4);
    if (chunk_length > bytes.size() - pos - 8) return false;
    if (std::string_view(reinterpret_cast<const char*>(p + pos), 4) == "MTrk") {
      std::vector<RawEvent> events;
      std::int64_t end = 0;
      if (!ParseTrack(Reader(p + pos + 8, chunk_length), &events, &raw_tempos, &end)) return false;
      end_tick = std::max(end_tick, end);
      tracks.push_back(std::move(events));
    }
    pos += 8 + std::size_t{chunk_length};
  }
  if (tracks.empty()) return false;

  auto to_time = [division](std::int64_t tick, std::int32_t* time) {
    std::int64_t t = tick * kMusicTimePerQuarter / division;
    if (t > std::numeric_limits<std::int32_t>::max()) return false;
    *time = static_cast<std::int32_t>(t);
    return true;
  };
  if (!to_time(end_tick, &tune->length)) return false;

  // Tempo map: tracks' tempo changes in time order, the later one winning at equal times.
  std::stable_sort(raw_tempos.begin(), raw_tempos.end(),
                   [](const RawTempo& a, const RawTempo& b) { return a.tick < b.tick; });
  tune->tempos.push_back({0, 0, kDefaultTempo});
  for (const RawTempo& raw : raw_tempos) {
    std::int32_t time;
    if (!to_time(raw.tick, &time)) return false;
    if (time == tune->tempos.back().time) {
      tune->tempos.back().us_per_quarter = raw.us_per_quarter;
    } else {
      std::int64_t sample = tune->SampleAt(time);
      tune->tempos.push_back({time, sample, raw.us_per_quarter});
    }
  }

  // Merge the tracks: time order, earlier tracks first at equal times, file order within a track.
  struct Merged {
    std::int32_t time;
    std::size_t track, index;
  };
  std::vector<Merged> order;
  for (std::size_t t = 0; t < tracks.size(); ++t) {
    for (std::size_t i = 0; i < tracks[t].size(); ++i) {
      std::int32_t time;
      if (!to_time(tracks[t][i].tick, &time)) return false;
      order.push_back({time, t, i});
    }
  }
  std::stable_sort(order.begin(), order.end(), [](const Merged& a, const Merged& b) { return a.time < b.time; });

  // Fold note-offs into durations: each note-off ends the earliest open note of its channel and key.
  std::vector<std::deque<std::size_t>> open(16 * 128);
  std::vector<std::int32_t> note_end;
  for (const Merged& m : order) {
    const RawEvent& raw = tracks[m.track][m.index];
    std::uint8_t kind = raw.status & 0xF0;
    bool note_on = kind == 0x90 && raw.data2 > 0;
    bool note_off = kind == 0x80 || (kind == 0x90 && raw.data2 == 0);
    std::size_t slot = static_cast<std::size_t>(raw.status & 0x0F) * 128 + raw.data1;
    if (note_off) {
      if (!open[slot].empty()) {
        note_end[open[slot].front()] = m.time;
        open[slot].pop_front();
      }
      continue;
    }
    if (note_on) open[slot].push_back(tune->events.size());
    tune->events.push_back({m.time, tune->SampleAt(m.time), 0, raw.status, raw.data1, raw.data2});
    note_end.push_back(note_on ? tune->length : m.time);
  }
  for (std::size_t i = 0; i < tune->events.size(); ++i) {
    MusicTuneEvent& e = tune->events[i];
    e.sample = tune->SampleAt(e.time);
    tune->length = std::max(tune->length, e.time);
    if ((e.status & 0xF0) == 0x90) e.duration = tune->SampleAt(std::max(note_end[i], e.time)) - e.sample;
  }
  return true;
}

}  // namespace platform
