// The three tunes heard through the game's own music player, offline, as the new-game builder
// sets them up.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/inventory.h"
#include "media/music_player.h"
#include "media/music_segment.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "tests/support/headless_test.h"

namespace {

constexpr int kRate = platform::kMusicSampleRate;
const HWND kWindow = reinterpret_cast<HWND>(0x7A1E);

// Root mean square of the mix from `from` to `to` seconds.
double Level(const std::vector<float>& mix, double from, double to) {
  std::size_t a = static_cast<std::size_t>(from * kRate) * 2;
  std::size_t b = std::min(mix.size(), static_cast<std::size_t>(to * kRate) * 2);
  double sum = 0;
  for (std::size_t i = a; i < b; ++i) sum += double{mix[i]} * mix[i];
  return b > a ? std::sqrt(sum / static_cast<double>(b - a)) : 0.0;
}

class TuneSound : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
  }
  test_support::ScopedCurrentDir here_{VALDRIM_GAME_DIR};
};

}  // namespace

TEST_F(TuneSound, EachTunePlaysAloudThroughTheGamesPlayer) {
  const std::uint32_t repeats[3] = {platform::kMusicRepeatForever, platform::kMusicRepeatForever, 2};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(assets::kTunes[i].file);
    MusicPlayer player;
    player.Init(kWindow);
    player.Load(assets::kTunes[i].file);
    player.SetMasterVolume(-1000);
    MusicSegment segment;
    segment.Init();
    segment.Load(assets::kTunes[i].file);
    segment.SetLoop(0, 0, repeats[i]);
    ASSERT_NE(segment.GetSegment(), nullptr);
    ASSERT_EQ(player.Play(segment.GetSegment(), 1), platform::kMusicOk);
    const std::vector<float> mix = platform::RenderOfflineMusic(8 * kRate);
    // Every second of the opening is heard, well above the silence of a stopped player (below 1e-5).
    for (int second = 0; second < 8; ++second) EXPECT_GT(Level(mix, second, second + 1), 0.0015) << second;
    float peak = 0;
    for (float v : mix) peak = std::max(peak, std::abs(v));
    EXPECT_LT(peak, 1.0f) << "the mix clips";
    player.StopSegment(segment.GetSegment());
    platform::RenderOfflineMusic(kRate);
  }
  EXPECT_TRUE(headless::Boxes().empty());
}
