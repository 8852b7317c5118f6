// Reading Standard MIDI files into the sequencer's form: timing through tempo changes, note
// lengths, and files that do not hold together.
#include <gtest/gtest.h>

#include <vector>

#include "platform/music.h"
#include "platform/music_tune.h"
#include "tests/support/midi_file.h"

using platform::MusicTune;
using platform::ParseStandardMidiFile;
using test_support::MidiFile;

namespace {

std::vector<std::uint8_t> Header(int format, int tracks, int division) {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<std::uint8_t>(format), 0, static_cast<std::uint8_t>(tracks),
          static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division)};
}

std::vector<std::uint8_t> Chunk(const char* id, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out(id, id + 4);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(body.size() >> shift));
  for (std::uint8_t b : body) out.push_back(b);
  return out;
}

std::vector<std::uint8_t> Join(const std::vector<std::vector<std::uint8_t>>& parts) {
  std::vector<std::uint8_t> out;
  for (const auto& part : parts) {
    for (std::uint8_t b : part) out.push_back(b);
  }
  return out;
}

}  // namespace

TEST(MidiFile, TimesFollowTheTempoMapAcrossTracks) {
  // 96 ticks a quarter. Two quarters at 120 a minute (0.5 s each), then 60 a minute (1 s each).
  MidiFile file(96);
  file.Tempo(0, 0, 500000).Tempo(0, 192, 1000000);
  file.Program(1, 0, 0, 80).Note(1, 0, 0, 60, 100, 96).Note(1, 192, 0, 62, 90, 96).End(1, 288);
  MusicTune tune;
  ASSERT_TRUE(ParseStandardMidiFile(file.Bytes(), &tune));

  ASSERT_EQ(tune.events.size(), 3u);  // note-offs are folded into the notes
  EXPECT_EQ(tune.events[0].status, 0xC0);
  EXPECT_EQ(tune.events[1].status, 0x90);
  EXPECT_EQ(tune.events[1].data1, 60);
  EXPECT_EQ(tune.events[1].duration, 22050);  // one quarter at 120: half a second
  EXPECT_EQ(tune.events[2].data1, 62);
  EXPECT_EQ(tune.events[2].time, 2 * platform::kMusicTimePerQuarter);
  EXPECT_EQ(tune.events[2].sample, 44100);
  EXPECT_EQ(tune.events[2].duration, 44100);  // one quarter at 60: a second
  EXPECT_EQ(tune.length, 3 * platform::kMusicTimePerQuarter);
  EXPECT_EQ(tune.SampleAt(tune.length), 88200);
}

TEST(MidiFile, RunningStatusZeroVelocityAndForeignChunks) {
  // Format 0, 480 ticks a quarter: two overlapping notes on key 60 (the first off ends the first
  // note), running status, a note-on of velocity 0 as note-off, a system exclusive message, and an
  // unknown chunk before the track.
  std::vector<std::uint8_t> track = {
      0x00, 0x90, 60, 100,                    // note A on at 0
      0x81, 0x70, 60, 80,                     // (running status) note B on at 240
      0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,     // sysex: skipped, ends running status
      0x81, 0x70, 0x90, 60, 0,                // off at 480: ends A
      0x83, 0x60, 0x80, 60, 0,                // off at 960: ends B
      0x00, 0xFF, 0x2F, 0x00};
  auto bytes = Join({Header(0, 1, 480), Chunk("XTRA", {1, 2, 3}), Chunk("MTrk", track)});
  MusicTune tune;
  ASSERT_TRUE(ParseStandardMidiFile(bytes, &tune));
  ASSERT_EQ(tune.events.size(), 2u);
  EXPECT_EQ(tune.events[0].duration, 22050);  // A: 0 .. 480
  EXPECT_EQ(tune.events[1].sample, 11025);
  EXPECT_EQ(tune.events[1].duration, 33075);  // B: 240 .. 960
  EXPECT_EQ(tune.length, 2 * platform::kMusicTimePerQuarter);
}

TEST(MidiFile, RejectsFilesThatDoNotHoldTogether) {
  std::vector<std::uint8_t> good_track = {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
  MusicTune tune;
  ASSERT_TRUE(ParseStandardMidiFile(Join({Header(1, 1, 96), Chunk("MTrk", good_track)}), &tune));

  std::vector<std::vector<std::uint8_t>> bad = {
      {},
      Join({Header(1, 1, 96)}),                                          // no track
      Join({Header(2, 1, 96), Chunk("MTrk", good_track)}),               // format 2
      Join({Header(1, 1, 0xE728), Chunk("MTrk", good_track)}),           // time-code division
      Join({Header(1, 1, 0), Chunk("MTrk", good_track)}),                // no division
      Join({Header(1, 0, 96), Chunk("MTrk", good_track)}),               // no tracks declared
      Join({Header(1, 1, 96), Chunk("MTrk", {0x00, 60, 100})}),          // data without any status
      Join({Header(1, 1, 96), Chunk("MTrk", {0x00, 0x90, 60, 0x90})}),   // status where data belongs
      Join({Header(1, 1, 96), Chunk("MTrk", {0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1})}),  // 5-byte delta
      Join({Header(1, 1, 96), Chunk("MTrk", {0x00, 0xF8})}),             // real-time byte in a file
      Join({Header(1, 1, 96), Chunk("MTrk", {0x00, 0xFF, 0x01, 0x7F, 'a'})}),  // meta text beyond the chunk
      Join({Header(1, 1, 96), Chunk("MTrk", {0x00, 0x90, 60})}),         // message cut short
  };
  // A track chunk claiming more bytes than the file holds.
  auto cut = Join({Header(1, 1, 96), Chunk("MTrk", good_track)});
  cut.resize(cut.size() - 3);
  bad.push_back(cut);
  // Ticks beyond the range of music time: 0x0FFFFFFF ticks at 1 tick a quarter, several times.
  std::vector<std::uint8_t> far;
  for (int i = 0; i < 4; ++i) far = Join({far, {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}});
  bad.push_back(Join({Header(1, 1, 1), Chunk("MTrk", far)}));

  for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(ParseStandardMidiFile(bad[i], &tune)) << "case " << i;
}

TEST(MidiFile, DamagedCopiesNeverReadOutsideTheFile) {
  MidiFile file(96);
  file.Tempo(0, 0, 400000).Program(0, 0, 9, 0).Note(0, 0, 9, 36, 100, 48).Note(1, 48, 1, 64, 70, 300);
  file.Event(1, 60, {0xE1, 0x00, 0x50}).Event(1, 70, {0xB1, 7, 90}).End(1, 400);
  const std::vector<std::uint8_t> good = file.Bytes();
  MusicTune tune;
  ASSERT_TRUE(ParseStandardMidiFile(good, &tune));

  auto check = [&](const std::vector<std::uint8_t>& bytes) {
    if (!ParseStandardMidiFile(bytes, &tune)) return;
    for (std::size_t i = 0; i < tune.events.size(); ++i) {
      ASSERT_LE(tune.events[i].time, tune.length);
      ASSERT_GE(tune.events[i].duration, 0);
      if (i > 0) {
        ASSERT_GE(tune.events[i].sample, tune.events[i - 1].sample);
      }
    }
  };
  for (std::size_t n = 0; n < good.size(); ++n) check({good.begin(), good.begin() + n});
  for (std::size_t i = 0; i < good.size(); ++i) {
    for (std::uint8_t v : {0x00, 0x7F, 0x80, 0xFF}) {
      std::vector<std::uint8_t> bytes = good;
      bytes[i] = v;
      check(bytes);
    }
  }
}
