// The three tunes, read back as Standard MIDI files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "assets/inventory.h"
#include "smf_reader.h"

using namespace assets;
using assets_test::Smf;
using assets_test::SmfEvent;

namespace {

Smf Load(const Tune& tune) {
  std::ifstream f(std::string(VALDRIM_GAME_DIR) + "/MUSIC/" + tune.file, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  Smf smf;
  std::string why;
  EXPECT_TRUE(assets_test::ReadSmf(bytes, smf, why)) << tune.file << ": " << why;
  return smf;
}

bool IsChannel(const SmfEvent& e) { return e.status >= 0x80 && e.status < 0xF0; }
bool IsNoteOn(const SmfEvent& e) { return (e.status & 0xF0) == 0x90 && e.data[1] > 0; }
bool IsNoteOff(const SmfEvent& e) { return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data[1] == 0); }

}  // namespace

TEST(TuneFiles, ParseAsStandardMidiOfTheExpectedLength) {
  for (const Tune& tune : kTunes) {
    SCOPED_TRACE(tune.file);
    Smf smf = Load(tune);
    ASSERT_EQ(smf.format, 1);
    ASSERT_GE(smf.tracks.size(), 4u);
    const std::uint32_t end = smf.tracks[0].events.back().tick;
    const double seconds = assets_test::SecondsAt(smf, end);
    EXPECT_GE(seconds, tune.min_seconds);
    EXPECT_LE(seconds, tune.max_seconds);
  }
}

TEST(TuneFiles, EveryTrackSetsItsSoundAtTickZeroAndEndsOnTheSameBar) {
  for (const Tune& tune : kTunes) {
    SCOPED_TRACE(tune.file);
    Smf smf = Load(tune);
    ASSERT_FALSE(smf.tracks.empty());
    // The bar's length from the time signature.
    std::uint32_t bar = 0;
    for (const SmfEvent& e : smf.tracks[0].events)
      if (e.status == 0xFF && e.meta_type == 0x58 && e.tick == 0) bar = smf.division * 4 * e.data[0] >> e.data[1];
    ASSERT_GT(bar, 0u);
    const std::uint32_t end = smf.tracks[0].events.back().tick;
    EXPECT_EQ(end % bar, 0u);
    std::set<int> channels;
    for (const auto& track : smf.tracks) {
      EXPECT_EQ(track.events.back().tick, end);
      int channel = -1;
      bool program = false, volume = false, pan = false, notes_before_setup = false;
      for (const SmfEvent& e : track.events) {
        if (!IsChannel(e)) continue;
        if (channel < 0) channel = e.status & 0x0F;
        EXPECT_EQ(e.status & 0x0F, channel) << "one channel per track";
        const int kind = e.status & 0xF0;
        if (e.tick == 0 && kind == 0xC0) {
          program = true;
          EXPECT_LT(e.data[0], 128);
        }
        if (e.tick == 0 && kind == 0xB0 && e.data[0] == 7) volume = true;
        if (e.tick == 0 && kind == 0xB0 && e.data[0] == 10) pan = true;
        if (e.tick == 0 && kind == 0xB0 && e.data[0] == 0) ADD_FAILURE() << "bank select";
        if (IsNoteOn(e) && !(volume && pan && (program || channel == 9))) notes_before_setup = true;
      }
      ASSERT_GE(channel, 0);
      channels.insert(channel);
      EXPECT_TRUE(volume && pan) << "channel " << channel;
      EXPECT_TRUE(program || channel == 9) << "channel " << channel;
      EXPECT_FALSE(notes_before_setup);
    }
    // Melody, harmony, bass and the percussion channel.
    EXPECT_GE(channels.size(), 4u);
    EXPECT_TRUE(channels.count(9));
  }
}

TEST(TuneFiles, NoNoteSoundsAcrossTheLoop) {
  for (const Tune& tune : kTunes) {
    SCOPED_TRACE(tune.file);
    Smf smf = Load(tune);
    for (const auto& track : smf.tracks) {
      const std::uint32_t end = track.events.back().tick;
      std::map<int, int> sounding;
      int notes = 0;
      for (const SmfEvent& e : track.events) {
        if (IsNoteOn(e)) {
          EXPECT_LT(e.tick, end);
          ++sounding[e.data[0]];
          ++notes;
        } else if (IsNoteOff(e)) {
          EXPECT_GT(sounding[e.data[0]], 0) << "note off without note on";
          --sounding[e.data[0]];
        }
      }
      for (auto [key, n] : sounding) EXPECT_EQ(n, 0) << "key " << key << " still sounds at the end";
      EXPECT_GE(notes, 16);
    }
  }
}
