#pragma once
// The rules of the game that hold after every tick of a whole game, watched from outside: a stat
// bonus that no effect in force accounts for, a blow on the striker's own nation or on a target
// out of reach, a targeted flag that no cast in hand and no effect in force stands for, an
// engagement point chosen off the field, a division's fame below 0, a nation still marked
// defeated (or a city left to a nation that is gone), a nation's stored city count that is not
// the number of cities it owns. Each breach is counted once, when it comes about (a flag that
// stays stuck is one breach, not one per tick), and the first few of each rule are kept as text.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/nation.h"

namespace test_support {

enum class Rule {
  kBonusLeftBehind,       // the six stats moved by more than the effects in force account for
  kBlowOnOwnNation,       // a blow on a character of the striker's own nation
  kBlowFromAfar,          // a blow on a target more than 80 px away on an axis
  kTargetedWithoutCast,   // a targeted flag with neither its cast in hand nor its effect in force
  kEngagementOffField,    // an engagement point chosen outside 48..1872
  kDivisionFameBelowZero, // a division's fame brought below 0
  kDefeatedNationLeft,    // a nation still marked defeated after the tick
  kCityOfFallenNation,    // a city owned by a nation that is not in the list
  kCityCountWrong,        // a nation's stored city count differs from the cities it owns
  kCount
};

const char* RuleName(Rule rule);

// The world lists that the rules read.
struct WatchedWorld {
  CharacterList& characters;
  NationList& nations;
  CityList& cities;
  DivisionList& divisions;
};

class RuleWatch {
 public:
  // Watches the blows of the field while it lives (one watch at a time).
  RuleWatch();
  ~RuleWatch();
  RuleWatch(const RuleWatch&) = delete;
  RuleWatch& operator=(const RuleWatch&) = delete;

  // Starts afresh on a new world: what the first check sees is taken as it stands.
  void Restart();
  // The rules after a tick (or the ticks that one message handled); `when` names it in the texts.
  void Check(const WatchedWorld& w, const std::string& when);

  std::int64_t Count(Rule rule) const { return counts_[static_cast<int>(rule)]; }
  std::int64_t Total() const;
  // The stat points of the breaches of kBonusLeftBehind (the sum of the six stats' deviations).
  std::int64_t BonusPointsLeft() const { return bonus_points_; }
  // The first breaches of each rule, as text.
  const std::vector<std::string>& Examples(Rule rule) const { return examples_[static_cast<int>(rule)]; }
  // What the games gave the rules to look at: checks made, blows struck, and characters found
  // with a tactic in force (one per character and check).
  std::int64_t Checks() const { return checks_; }
  std::int64_t Blows() const { return blows_seen_; }
  std::int64_t TacticsInForce() const { return tactics_in_force_; }

 private:
  struct CharacterTrack {
    std::int32_t level = 0;
    std::array<std::int64_t, 6> natural{};  // the six stats less the effects in force
    Point engagement{};
    unsigned stuck = 0;  // one bit per targeted flag found without its cast
  };
  struct Blow {
    std::int32_t striker, target, striker_nation, target_nation, dx, dy;
  };
  static void OnBlow(const Character& striker, const Character& target);

  void Breach(Rule rule, const std::string& text);
  void CheckCharacters(const WatchedWorld& w, const std::string& when);
  void CheckBlows(const std::string& when);
  void CheckTargets(const WatchedWorld& w, const std::string& when);
  void CheckNations(const WatchedWorld& w, const std::string& when);

  std::array<std::int64_t, static_cast<int>(Rule::kCount)> counts_{};
  std::array<std::vector<std::string>, static_cast<int>(Rule::kCount)> examples_;
  std::int64_t bonus_points_ = 0;
  std::int64_t checks_ = 0;
  std::int64_t blows_seen_ = 0;
  std::int64_t tactics_in_force_ = 0;
  std::map<std::int32_t, CharacterTrack> characters_;
  std::map<std::int32_t, std::int32_t> division_fame_;
  std::map<std::int32_t, std::int32_t> city_count_gap_;
  std::map<std::int32_t, bool> marked_;
  std::map<std::int32_t, std::int32_t> city_owner_gone_;
  std::vector<Blow> blows_;
};

// Plays a spectator game from the seed (SpectatorGame) for up to `turns` whole turns, or until
// a nation has won, checking the rules after every tick.
struct WatchedGame {
  int turns = 0;         // whole turns completed
  int nations_left = 0;  // nations in the list at the end
};
WatchedGame PlayWatched(std::uint32_t seed, int turns, RuleWatch& watch);

}  // namespace test_support
