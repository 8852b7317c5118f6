#include "tests/support/rule_watch.h"

#include <cstdlib>
#include <set>
#include <utility>

#include "field/blow_watch.h"
#include "tests/support/spectator_game.h"

namespace test_support {

namespace {

constexpr std::size_t kExamplesKept = 5;

RuleWatch* watching = nullptr;

template <typename Source>
std::array<std::int64_t, 6> Amounts(const Source& s) {
  return {s.GetDexterityBonus(),       s.GetEvasionBonus(),         s.GetAttackSpeedBonus(),
          s.GetAttackTechniqueBonus(), s.GetDefenceTechniqueBonus(), s.GetHealingPowerBonus()};
}

// The six stats that boosts, weakenings and tactics move, less what the effects in force on the
// character put on them: only a level-up may change this between two looks.
std::array<std::int64_t, 6> NaturalSix(const Character& c) {
  const StatsBlock& st = c.stats;
  std::array<std::int64_t, 6> v{st.GetDexterity(),       st.GetEvasion(),          st.GetAttackSpeed(),
                                st.GetAttackTechnique(), st.GetDefenceTechnique(), st.GetHealingPower()};
  const SkillSlots& s = c.skill_slots;
  auto take = [&v](const std::array<std::int64_t, 6>& amounts, int sign) {
    for (std::size_t k = 0; k < v.size(); ++k) v[k] -= sign * amounts[k];
  };
  if (s.IsSelfBoostActive()) take(Amounts(s.GetSelfBoostSkill()), 1);
  if (s.IsAllyBoostActive()) take(Amounts(s.GetAllyBoostSkill()), 1);
  if (s.IsWeakenActive()) take(Amounts(s.GetWeakenSkill()), -1);
  if (s.IsTacticActive()) take(Amounts(s.GetTactic()), 1);
  return v;
}

// The five casts on a character: their targeted flag on the target, their casting flag and
// target id on the caster, and (boosts and weakenings) the effect in force that the flag stays
// with.
constexpr int kCasts = 5;
const char* const kCastNames[kCasts] = {"ally boost", "weakening", "cure", "ailment", "heal"};

bool Targeted(const SkillSlots& s, int k) {
  switch (k) {
    case 0: return s.IsAllyBoostTargeted();
    case 1: return s.IsWeakenTargeted();
    case 2: return s.IsCureTargeted();
    case 3: return s.IsAilmentTargeted();
    default: return s.IsHealTargeted();
  }
}

bool InForce(const SkillSlots& s, int k) {
  return (k == 0 && s.IsAllyBoostActive()) || (k == 1 && s.IsWeakenActive());
}

// The target id of the cast of kind k in hand, or nothing.
std::pair<bool, std::int32_t> CastInHand(const SkillSlots& s, int k) {
  switch (k) {
    case 0: return {s.IsCastingAllyBoost(), s.GetAllyBoostTargetId()};
    case 1: return {s.IsCastingWeaken(), s.GetWeakenTargetId()};
    case 2: return {s.IsCastingCure(), s.GetCureTargetId()};
    case 3: return {s.IsCastingAilment(), s.GetAilmentTargetId()};
    default: return {s.IsCastingHeal(), s.GetHealTargetId()};
  }
}

std::string Six(const std::array<std::int64_t, 6>& v) {
  std::string out;
  for (std::int64_t x : v) out += (out.empty() ? "" : ",") + std::to_string(x);
  return out;
}

std::string Who(const Character& c) {
  return "character " + std::to_string(c.GetId()) + " (nation " + std::to_string(c.GetNationId()) + ", state " +
         std::to_string(c.GetState()) + ")";
}

}  // namespace

const char* RuleName(Rule rule) {
  switch (rule) {
    case Rule::kBonusLeftBehind: return "stat bonus left behind";
    case Rule::kBlowOnOwnNation: return "blow on the striker's own nation";
    case Rule::kBlowFromAfar: return "blow on a target more than 80 px away";
    case Rule::kTargetedWithoutCast: return "targeted flag without its cast";
    case Rule::kEngagementOffField: return "engagement point outside 48..1872";
    case Rule::kDivisionFameBelowZero: return "division fame below 0";
    case Rule::kDefeatedNationLeft: return "nation left marked defeated";
    case Rule::kCityOfFallenNation: return "city owned by a nation not in the list";
    case Rule::kCityCountWrong: return "stored city count wrong";
    case Rule::kCount: break;
  }
  return "?";
}

RuleWatch::RuleWatch() {
  watching = this;
  field::blow_watcher = &RuleWatch::OnBlow;
}

RuleWatch::~RuleWatch() {
  field::blow_watcher = nullptr;
  watching = nullptr;
}

void RuleWatch::OnBlow(const Character& striker, const Character& target) {
  if (!watching) return;
  Point a, b;
  striker.GetPosition(a);
  target.GetPosition(b);
  watching->blows_.push_back(
      {striker.GetId(), target.GetId(), striker.GetNationId(), target.GetNationId(), b.x - a.x, b.y - a.y});
}

void RuleWatch::Restart() {
  characters_.clear();
  division_fame_.clear();
  city_count_gap_.clear();
  marked_.clear();
  city_owner_gone_.clear();
  blows_.clear();
}

std::int64_t RuleWatch::Total() const {
  std::int64_t n = 0;
  for (std::int64_t c : counts_) n += c;
  return n;
}

void RuleWatch::Breach(Rule rule, const std::string& text) {
  const int r = static_cast<int>(rule);
  ++counts_[r];
  if (examples_[r].size() < kExamplesKept) examples_[r].push_back(text);
}

void RuleWatch::Check(const WatchedWorld& w, const std::string& when) {
  ++checks_;
  blows_seen_ += static_cast<std::int64_t>(blows_.size());
  CheckBlows(when);
  CheckCharacters(w, when);
  CheckTargets(w, when);
  CheckNations(w, when);
}

void RuleWatch::CheckBlows(const std::string& when) {
  for (const Blow& b : blows_) {
    const std::string text = when + ": character " + std::to_string(b.striker) + " (nation " +
                             std::to_string(b.striker_nation) + ") struck character " + std::to_string(b.target) +
                             " (nation " + std::to_string(b.target_nation) + ") " + std::to_string(b.dx) + "," +
                             std::to_string(b.dy) + " px away";
    if (b.striker_nation == b.target_nation) Breach(Rule::kBlowOnOwnNation, text);
    if (std::abs(b.dx) > 80 || std::abs(b.dy) > 80) Breach(Rule::kBlowFromAfar, text);
  }
  blows_.clear();
}

void RuleWatch::CheckCharacters(const WatchedWorld& w, const std::string& when) {
  for (const Character& c : w.characters) {
    tactics_in_force_ += c.skill_slots.IsTacticActive();
    const auto natural = NaturalSix(c);
    Point engagement;
    c.GetEngagementPoint(engagement);
    const auto [it, first_look] = characters_.try_emplace(c.GetId());
    CharacterTrack& t = it->second;
    if (!first_look) {
      // A level-up raises some of the six (up to their caps); nothing else may move them.
      if (c.stats.GetLevel() == t.level && natural != t.natural) {
        std::array<std::int64_t, 6> moved{};
        std::int64_t points = 0;
        for (std::size_t k = 0; k < moved.size(); ++k) {
          moved[k] = natural[k] - t.natural[k];
          points += std::llabs(moved[k]);
        }
        bonus_points_ += points;
        const SkillSlots& s = c.skill_slots;
        Breach(Rule::kBonusLeftBehind,
               when + ": " + Who(c) + ": dexterity..healing power moved by " + Six(moved) +
                   " beyond the effects in force (tactic " + std::to_string(s.GetTactic().GetId()) +
                   (s.IsTacticActive() ? " in force" : " not in force") + ")");
      }
      const bool inside = engagement.x >= 48 && engagement.x <= 1872 && engagement.y >= 48 && engagement.y <= 1872;
      if (engagement != t.engagement && !inside)
        Breach(Rule::kEngagementOffField, when + ": " + Who(c) + " chose the engagement point " +
                                               std::to_string(engagement.x) + "," + std::to_string(engagement.y));
    }
    t.level = c.stats.GetLevel();
    t.natural = natural;
    t.engagement = engagement;
  }
}

void RuleWatch::CheckTargets(const WatchedWorld& w, const std::string& when) {
  std::set<std::pair<int, std::int32_t>> casts;  // (kind, target id) of every cast in hand
  for (const Character& c : w.characters)
    for (int k = 0; k < kCasts; ++k)
      if (const auto [casting, target] = CastInHand(c.skill_slots, k); casting) casts.insert({k, target});
  for (const Character& c : w.characters) {
    unsigned stuck = 0;
    for (int k = 0; k < kCasts; ++k)
      if (Targeted(c.skill_slots, k) && !InForce(c.skill_slots, k) && !casts.count({k, c.GetId()})) stuck |= 1u << k;
    CharacterTrack& t = characters_[c.GetId()];
    for (int k = 0; k < kCasts; ++k)
      if ((stuck & ~t.stuck) & (1u << k))
        Breach(Rule::kTargetedWithoutCast, when + ": " + Who(c) + " keeps its " + kCastNames[k] +
                                               " targeted flag with no cast at it and nothing in force");
    t.stuck = stuck;
  }
}

void RuleWatch::CheckNations(const WatchedWorld& w, const std::string& when) {
  for (const Division& d : w.divisions) {
    const auto [it, first_look] = division_fame_.try_emplace(d.GetId(), d.GetFame());
    if (d.GetFame() < 0 && (first_look || d.GetFame() < it->second))
      Breach(Rule::kDivisionFameBelowZero,
             when + ": division " + std::to_string(d.GetId()) + " has fame " + std::to_string(d.GetFame()));
    it->second = d.GetFame();
  }
  std::set<std::int32_t> ids;
  for (const Nation& n : w.nations) {
    ids.insert(n.GetId());
    const bool marked = n.IsMarkedForDissolution();
    if (marked && !marked_[n.GetId()])
      Breach(Rule::kDefeatedNationLeft, when + ": nation " + std::to_string(n.GetId()) + " is still marked defeated");
    marked_[n.GetId()] = marked;
    const std::int32_t owned = w.cities.CountOfNation(n.GetId());
    const std::int32_t gap = n.GetCityCount() - owned;
    std::int32_t& last_gap = city_count_gap_[n.GetId()];
    if (gap != 0 && gap != last_gap)
      Breach(Rule::kCityCountWrong, when + ": nation " + std::to_string(n.GetId()) + " counts " +
                                        std::to_string(n.GetCityCount()) + " cities and owns " + std::to_string(owned));
    last_gap = gap;
  }
  for (const City& c : w.cities) {
    const std::int32_t gone = c.GetOwner() != City::kNoOwner && !ids.count(c.GetOwner()) ? c.GetOwner() : 0;
    std::int32_t& last = city_owner_gone_[c.GetId()];
    if (gone != 0 && gone != last)
      Breach(Rule::kCityOfFallenNation, when + ": city " + std::to_string(c.GetId()) + " is owned by nation " +
                                            std::to_string(gone) + ", which is no longer in the list");
    last = gone;
  }
}

WatchedGame PlayWatched(std::uint32_t seed, int turns, RuleWatch& watch) {
  SpectatorGame spectator(seed);
  Game& g = spectator.Get();
  const WatchedWorld w{g.Characters(), g.Nations(), g.Cities(), g.Divisions()};
  const std::string game = "seed " + std::to_string(seed) + " turn ";
  watch.Restart();
  watch.Check(w, game + "0 (new world)");
  WatchedGame played;
  int tick = 0;  // within the phase
  GameMode mode = g.GetMode();
  while (played.turns < turns && (mode == kModeThinking || mode == kModeAction)) {
    const std::int32_t turn = g.Thinking().GetTurnCount();
    if (!spectator.NextTick()) break;
    ++tick;
    watch.Check(w, game + std::to_string(turn) + (mode == kModeAction ? " field tick " : " thinking tick ") +
                       std::to_string(tick));
    if (g.GetMode() != mode) {
      played.turns += mode == kModeAction && g.GetMode() == kModeThinking;
      mode = g.GetMode();
      tick = 0;
    }
  }
  played.nations_left = g.Nations().Count();
  return played;
}

}  // namespace test_support
