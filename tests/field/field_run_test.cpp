// Whole action phases on the real new world, headless, with a fixed seed: before every phase the
// nations send their healthy idle characters out against nearby cities (as the thinking phase's
// sorties do), then 100 ticks run and the end of the turn follows. After every tick the field
// must hold together, and two runs from the same seed must end in the same world.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/end_of_turn.h"
#include "tests/field/field_world.h"
#include "tests/support/owned_world.h"
#include "tests/support/sorties.h"

namespace {

using field_test::Pos;

constexpr int kPhases = 40;

// What the run saw happen, to show that the battle was really fought.
struct Tally {
  int sorties = 0;
  int captures = 0;
  int knock_outs = 0;
  int duels = 0;
  int fights = 0;
  int defeated_nations = 0;
};

// Positions on the field or not placed at all, HP within its bounds, every character once.
void ExpectIntact(const OwnedWorld& w, int phase, int tick) {
  std::set<std::int32_t> ids;
  std::set<NameRef> names_seen;
  for (const Character& c : w.characters) {
    const Point p = Pos(c);
    const bool unplaced = p.x == Character::kNotPlaced && p.y == Character::kNotPlaced;
    const bool inside = p.x >= 48 && p.x <= 1872 && p.y >= 48 && p.y <= 1872;
    ASSERT_TRUE(unplaced || inside) << "phase " << phase << " tick " << tick << " id " << c.GetId() << " at "
                                    << p.x << "," << p.y;
    ASSERT_GE(c.stats.GetHp(), 0) << "id " << c.GetId();
    ASSERT_LE(c.stats.GetHp(), c.stats.GetMaxHp()) << "id " << c.GetId();
    ASSERT_GE(c.GetMorale(), 40);
    ASSERT_LE(c.GetMorale(), 160);
    ASSERT_TRUE(ids.insert(c.GetId()).second) << "id " << c.GetId() << " twice";
    ASSERT_TRUE(names_seen.insert(c.GetName()).second) << "name of id " << c.GetId() << " twice";
    // A knocked-out character is carried off in its own tick, unless it leads a band or a party
    // of a nation that has no city left to carry it to.
    if (c.GetState() == 12) {
      ASSERT_TRUE(c.GetRole() == 1 || c.GetRole() == 5) << "id " << c.GetId();
      ASSERT_EQ(w.cities.CountOfNation(c.GetNationId()), 0) << "id " << c.GetId();
    }
    if (c.GetNationId() != Character::kNationNone && c.GetNationId() != Character::kNationLords) {
      ASSERT_NE(w.nations.FindById(c.GetNationId()), nullptr) << "id " << c.GetId() << " serves a fallen nation";
    }
  }
}

std::string Fingerprint(OwnedWorld& w) {
  std::string out;
  auto put = [&out](std::int64_t v) { out += std::to_string(v) + ","; };
  for (Character& c : w.characters) {
    const Point p = Pos(c);
    put(c.GetId()), put(p.x), put(p.y), put(c.GetState()), put(c.GetNationId()), put(c.stats.GetHp());
    put(c.stats.GetLevel()), put(c.stats.GetExp()), put(c.GetMorale()), put(c.GetOrder());
  }
  for (const City& c : w.cities) put(c.GetOwner());
  for (const Nation& n : w.nations) put(n.GetId()), put(n.GetCityCount()), put(n.GetFunds());
  return out;
}

class FieldRun : public test_support::HeadlessTest {
 protected:
  static LRESULT Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(h, m, wp, lp); }

  // Builds the world from the seed, plays the phases and gives the final world's fingerprint.
  std::string Play(std::uint32_t seed, Tally& tally) {
    headless::Reset();
    WNDCLASSA wc{0, Proc, "field-run"};
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "field-run", "f", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    OwnedWorld w;
    w.Build(seed);
    rng::Srand(seed);
    FieldScreen screen;
    screen.NewGame();
    end_of_turn::TurnState turn;
    const end_of_turn::Lists lists{w.characters, w.nations, w.cities, w.divisions, w.inhabitants, w.trade_goods};
    const int nations_at_start = w.nations.Count();
    std::map<std::int32_t, std::int32_t> kills_at_start;
    for (const Character& c : w.characters) kills_at_start[c.GetId()] = c.stats.GetKillCount();
    for (int phase = 0; phase < kPhases; ++phase) {
      tally.sorties += test_support::SendSorties(w);
      screen.SetPhaseEnded(0);
      for (int tick = 1; tick <= 100; ++tick) {
        std::vector<std::int32_t> owners;
        for (const City& c : w.cities) owners.push_back(c.GetOwner());
        screen.Tick(window, 1, w.characters, w.nations, w.cities, w.field_parties, w.divisions, w.inhabitants);
        EXPECT_EQ(screen.GetPhaseEnded(), tick == 100 ? 1 : 0);
        for (std::size_t i = 0; i < owners.size(); ++i)
          if (w.cities.GetAt(static_cast<std::int32_t>(i))->GetOwner() != owners[i]) ++tally.captures;
        for (const Character& c : w.characters) {
          if (c.GetState() == 7) ++tally.duels;
          if (c.GetState() == 6) ++tally.fights;
        }
        ExpectIntact(w, phase, tick);
        if (HasFatalFailure()) return {};
      }
      end_of_turn::RunBeforePause(lists, turn);
      end_of_turn::RunAfterPause(lists);
    }
    tally.defeated_nations = nations_at_start - w.nations.Count();
    for (const Character& c : w.characters) tally.knock_outs += c.stats.GetKillCount() - kills_at_start[c.GetId()];
    EXPECT_TRUE(headless::Boxes().empty());
    return Fingerprint(w);
  }
};

TEST_F(FieldRun, WholePhasesOnTheNewWorldHoldTogetherAndRepeatWithTheSeed) {
  Tally first, second;
  const std::string a = Play(20240601, first);
  ASSERT_FALSE(HasFatalFailure());
  const std::string b = Play(20240601, second);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(a, b);
  // The run fought: characters marched, met, fought and took cities.
  EXPECT_GT(first.sorties, 10);
  EXPECT_GT(first.fights, 0);
  EXPECT_GT(first.captures, 0);
  EXPECT_GT(first.knock_outs, 0);
  RecordProperty("sorties", first.sorties);
  RecordProperty("captures", first.captures);
  RecordProperty("knock_outs", first.knock_outs);
  RecordProperty("fallen_nations", first.defeated_nations);
}

}  // namespace
