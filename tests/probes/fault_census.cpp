// The fault census: the whole-game rules of tests/support/rule_watch.h counted (not asserted) over
// longer spectator games, to compare the game's rule faults between two builds. Not part of the
// test suite.
//   fault_census [turns per game] [seed...]     (defaults: 100 turns, seeds 1 to 10)
// Prints, per rule, the breaches over all games and the rate per 100 turns.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/rule_watch.h"

int main(int argc, char** argv) {
  const int turns = argc > 1 ? std::atoi(argv[1]) : 100;
  std::vector<std::uint32_t> seeds;
  for (int i = 2; i < argc; ++i) seeds.push_back(static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10)));
  if (seeds.empty())
    for (std::uint32_t s = 1; s <= 10; ++s) seeds.push_back(s);

  test_support::RuleWatch watch;
  int played = 0;
  for (std::uint32_t seed : seeds) {
    const std::int64_t before = watch.Total();
    const test_support::WatchedGame game = test_support::PlayWatched(seed, turns, watch);
    played += game.turns;
    std::printf("seed %u: %d turns, %d nations left, %lld breaches\n", seed, game.turns, game.nations_left,
                static_cast<long long>(watch.Total() - before));
    std::fflush(stdout);
  }
  std::printf("\n%d games, %d turns, %lld checks, %lld blows\n", static_cast<int>(seeds.size()), played,
              static_cast<long long>(watch.Checks()), static_cast<long long>(watch.Blows()));
  const double per100 = played > 0 ? 100.0 / played : 0.0;
  for (int r = 0; r < static_cast<int>(test_support::Rule::kCount); ++r) {
    const auto rule = static_cast<test_support::Rule>(r);
    std::printf("%-42s %6lld  (%.2f per 100 turns)\n", test_support::RuleName(rule),
                static_cast<long long>(watch.Count(rule)), watch.Count(rule) * per100);
    if (rule == test_support::Rule::kBonusLeftBehind)
      std::printf("%-42s %6lld  (%.2f per 100 turns)\n", "  stat points left behind",
                  static_cast<long long>(watch.BonusPointsLeft()), watch.BonusPointsLeft() * per100);
    for (const auto& e : watch.Examples(rule)) std::printf("    %s\n", e.c_str());
  }
  return 0;
}
