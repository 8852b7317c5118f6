// Spectator games through the game object, checked after every tick of timer 1 (thinking phases,
// action phases and the ends of turn between them) against the rules that no turn may break: no
// stat bonus left on a character once its tactic, boost or weakening is over (a tactic used on
// top of one still in force), no blow on the striker's own nation or on a target out of reach (an
// attack kept in hand through a release and a new hire), no targeted flag without its cast (a
// weakening that ended on a character off the field), every chosen engagement point on the
// field, no division's fame below 0, no nation left marked defeated after the tick's dissolution
// (two nations falling in one tick) and no city left to a nation that is gone, and every nation's
// stored city count equal to the cities it owns (a pursuer retaking its base city).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/headless_test.h"
#include "tests/support/rule_watch.h"

namespace {

using test_support::Rule;
using test_support::RuleWatch;

class WholeGameRules : public test_support::HeadlessTest {};

TEST_F(WholeGameRules, SpectatorGamesKeepEveryRuleAfterEveryTick) {
  // Seeds whose games see nations fall within these turns, so that the dissolution is watched too.
  constexpr std::uint32_t kSeeds[] = {2, 3, 8};
  constexpr int kTurnsPerGame = 160;
  RuleWatch watch;
  int turns = 0, fallen = 0;
  for (std::uint32_t seed : kSeeds) {
    const test_support::WatchedGame game = test_support::PlayWatched(seed, kTurnsPerGame, watch);
    turns += game.turns;
    fallen += 7 - game.nations_left;
  }

  for (int r = 0; r < static_cast<int>(Rule::kCount); ++r) {
    const Rule rule = static_cast<Rule>(r);
    std::string first;
    for (const std::string& e : watch.Examples(rule)) first += "\n  " + e;
    EXPECT_EQ(watch.Count(rule), 0) << test_support::RuleName(rule) << ", first breaches:" << first;
  }
  // The games were played and fought: every turn was watched, blows were struck, tactics used and
  // nations dissolved.
  EXPECT_EQ(turns, 3 * kTurnsPerGame);
  EXPECT_GE(fallen, 1);
  EXPECT_GT(watch.Blows(), 1000);
  EXPECT_GT(watch.TacticsInForce(), 0);
  RecordProperty("turns", turns);
  RecordProperty("blows", static_cast<int>(watch.Blows()));
}

}  // namespace
