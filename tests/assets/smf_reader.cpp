#include "smf_reader.h"

#include <algorithm>
#include <map>

namespace assets_test {
namespace {

struct Cursor {
  const std::vector<std::uint8_t>& b;
  std::size_t pos;
  std::size_t end;
  bool Has(std::size_t n) const { return pos + n <= end; }
  std::uint32_t BE(int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | b[pos++];
    return v;
  }
  bool VarLen(std::uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4; ++i) {
      if (!Has(1)) return false;
      std::uint8_t c = b[pos++];
      v = v << 7 | (c & 0x7F);
      if (!(c & 0x80)) return true;
    }
    return false;
  }
};

}  // namespace

bool ReadSmf(const std::vector<std::uint8_t>& bytes, Smf& out, std::string& why) {
  Cursor c{bytes, 0, bytes.size()};
  auto tag = [&](const char* t) {
    if (!c.Has(8)) return false;
    bool ok = std::equal(t, t + 4, bytes.begin() + static_cast<long>(c.pos));
    c.pos += 4;
    return ok;
  };
  if (!tag("MThd") || c.BE(4) != 6) return why = "no header", false;
  out.format = static_cast<int>(c.BE(2));
  const std::uint32_t ntracks = c.BE(2);
  out.division = static_cast<int>(c.BE(2));
  if (out.division <= 0 || out.division & 0x8000) return why = "bad division", false;
  for (std::uint32_t t = 0; t < ntracks; ++t) {
    if (!tag("MTrk")) return why = "missing track chunk", false;
    const std::uint32_t len = c.BE(4);
    if (!c.Has(len)) return why = "track runs past the file", false;
    Cursor tc{bytes, c.pos, c.pos + len};
    c.pos += len;
    SmfTrack track;
    std::uint32_t tick = 0;
    std::uint8_t running = 0;
    bool ended = false;
    while (tc.pos < tc.end) {
      if (ended) return why = "events after End of Track", false;
      std::uint32_t delta;
      if (!tc.VarLen(delta) || !tc.Has(1)) return why = "bad delta", false;
      tick += delta;
      SmfEvent e;
      e.tick = tick;
      std::uint8_t s = bytes[tc.pos];
      if (s == 0xFF) {
        ++tc.pos;
        if (!tc.Has(1)) return why = "bad meta", false;
        e.status = 0xFF;
        e.meta_type = bytes[tc.pos++];
        std::uint32_t n;
        if (!tc.VarLen(n) || !tc.Has(n)) return why = "bad meta length", false;
        e.data.assign(bytes.begin() + static_cast<long>(tc.pos), bytes.begin() + static_cast<long>(tc.pos + n));
        tc.pos += n;
        ended = e.meta_type == 0x2F;
      } else if (s == 0xF0 || s == 0xF7) {
        return why = "SysEx", false;
      } else {
        if (s & 0x80) {
          running = s;
          ++tc.pos;
        } else if (!running) {
          return why = "data without status", false;
        }
        e.status = running;
        const int n = (running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0 ? 1 : 2;
        if (!tc.Has(n)) return why = "short event", false;
        for (int i = 0; i < n; ++i) {
          if (bytes[tc.pos] & 0x80) return why = "data byte with the high bit", false;
          e.data.push_back(bytes[tc.pos++]);
        }
      }
      track.events.push_back(e);
    }
    if (!ended) return why = "no End of Track", false;
    out.tracks.push_back(track);
  }
  if (c.pos != bytes.size()) return why = "bytes after the last track", false;
  return true;
}

double SecondsAt(const Smf& smf, std::uint32_t tick) {
  std::map<std::uint32_t, double> tempo;  // tick -> microseconds per quarter
  tempo[0] = 500000;
  for (const SmfTrack& t : smf.tracks)
    for (const SmfEvent& e : t.events)
      if (e.status == 0xFF && e.meta_type == 0x51 && e.data.size() == 3)
        tempo[e.tick] = (e.data[0] << 16 | e.data[1] << 8 | e.data[2]);
  double seconds = 0;
  for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
    auto next = std::next(it);
    std::uint32_t until = next == tempo.end() ? tick : std::min(tick, next->first);
    seconds += (until - it->first) * it->second / 1e6 / smf.division;
  }
  return seconds;
}

}  // namespace assets_test
