#pragma once
// Small hand-built fields for the field battle's tests: nations, cities and characters placed by
// hand, skills made to measure, a headless window for the repaints, and scripted draws:
// Draws({...}) feeds the values that each Random(n, base) is to give, in order (each in its
// range), and Drawn() lists the (n, base) of every draw made since.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "field/field_rules.h"
#include "field/field_screen.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"
#include "tests/support/scripted_draws.h"
#include "world/codec.h"
#include "world/random.h"

namespace field_test {

struct Want {
  int value;
  int base;
};

inline void Draws(std::vector<Want> wants) { test_support::ScriptDraws(wants); }

using DrawList = std::vector<std::pair<int, int>>;

inline DrawList Drawn() { return test_support::RecordedDraws(); }

// Every scripted value was used up; the script is cleared either way.
inline bool ScriptUsedUp() {
  const bool used = rng::ScriptExhausted();
  rng::ClearScript();
  return used;
}

inline Point Pos(const Character& c) {
  Point p;
  return c.GetPosition(p);
}

// The numbers of a made-to-measure attack skill.
struct AttackSpec {
  std::int32_t kind = Skill::kBasicAttack;
  float power = 1.0f;
  std::int32_t hit_bonus = 0;
  std::int32_t sp_cost = 0;
  std::int32_t action_length = 3;
  std::int32_t reach = 0;
  std::int32_t spread = 0;
  // Poison, confusion, anger, paralysis: inflicts, rate, duration.
  std::int32_t ailment[4][3] = {};
};

inline void AddAttack(SkillList& skills, std::int32_t id, const AttackSpec& a) {
  const auto& e = a.ailment;
  skills.AddAttack(names::kNone, id, a.kind, 0, e[0][0], e[0][1], e[0][2], e[1][0], e[1][1], e[1][2], e[2][0],
                   e[2][1], e[2][2], e[3][0], e[3][1], e[3][2], a.sp_cost, a.power, 0, 0, a.hit_bonus, a.reach, a.spread, 1,
                   names::kNone, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, names::kNone, 0, 0, 0, a.action_length);
}

// A boost (kind 3 or 4) or weakening (kind 5): the six amounts all `amount`.
inline void AddStance(SkillList& skills, std::int32_t id, std::int32_t kind, std::int32_t amount,
                      std::int32_t sp_cost, std::int32_t duration, std::int32_t action_length,
                      std::int32_t reach = 100, std::int32_t spread = 100, float attack_factor = 1.0f,
                      float defence_factor = 1.0f) {
  skills.AddStance(names::kNone, id, kind, 0, attack_factor, defence_factor, amount, amount, 0, amount, amount,
                   amount, amount, attack_factor, defence_factor, sp_cost, reach, spread, duration, 1,
                   names::kNone, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, names::kNone, 0, 0, 0, action_length);
}

// A cure (kind 8) or heal (kind 12).
inline void AddHeal(SkillList& skills, std::int32_t id, std::int32_t kind, float hp_factor, float sp_factor,
                    std::int32_t sp_cost, std::int32_t action_length, std::int32_t reach = 100,
                    std::int32_t spread = 100) {
  skills.AddHeal(names::kNone, id, kind, 0, hp_factor, sp_factor, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                 0, 0, 0, 0, sp_cost, reach, spread, 0, 1, names::kNone, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                 names::kNone, 0, 0, 0, action_length);
}

// An ailment skill (kind 9) that carries poison with the rate and duration.
inline void AddPoisonCast(SkillList& skills, std::int32_t id, std::int32_t rate, std::int32_t duration,
                          std::int32_t sp_cost, std::int32_t action_length) {
  AttackSpec a;
  a.kind = Skill::kAilment;
  a.sp_cost = sp_cost;
  a.action_length = action_length;
  a.reach = a.spread = 100;
  a.ailment[0][0] = 1;
  a.ailment[0][1] = rate;
  a.ailment[0][2] = duration;
  AddAttack(skills, id, a);
}

// A field of nations, cities and characters, with the screen and a headless window.
class FieldTest : public test_support::HeadlessTest {
 protected:
  static LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

  void SetUp() override {
    HeadlessTest::SetUp();
    WNDCLASSA wc{0, Proc, "field"};
    RegisterClassA(&wc);
    window = CreateWindowExA(0, "field", "f", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    rng::Srand(1);
  }
  void TearDown() override {
    rng::ClearScript();
    rng::StopRecording();
    HeadlessTest::TearDown();
  }

  FieldWorld World() { return {characters, nations, cities, parties, divisions}; }

  Nation& AddNation(std::int32_t id) {
    nations.Add(5000 + id, id, 1000, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, id, 1, 0, 0, 0, 0, 0);
    return *nations.GetAt(nations.Count() - 1);
  }

  City& AddCity(std::int32_t id, std::int32_t owner, std::int32_t x, std::int32_t y) {
    cities.Add(6000 + id, id, 10000, 0, 100, 100, 100, 0, 0, 50, x, y, 0, 0, owner);
    return *cities.GetAt(cities.Count() - 1);
  }

  // A vassal (rank 1, role 4) named by the id (a name of the table, so that it can be saved and
  // loaded) standing at (x, y) with that as its base, in `state`, movement
  // pattern 1, morale 100, with one basic attack (power 1, action length 3). Every chance and
  // threshold is 0.
  Character& AddUnit(std::int32_t id, std::int32_t nation, std::int32_t x, std::int32_t y, std::int32_t state = 0,
                     std::int32_t rank = 1, std::int32_t role = 4) {
    characters.Add(100 + id, 0, 0, 0, id, x, y, nation, 0, 0, role, rank, 0, 0, 0);
    Character& c = *characters.GetAt(characters.Count() - 1);
    c.stats.SetField(StatsBlock::kMovePattern, 1);
    AttackSpec basic;
    AddAttack(c.skills, 100 + id, basic);
    SetState(c, state);
    return c;
  }

  // States 3 (lining up), 4, 11 and 13 are set by no rule: a unit holds one only as loaded with
  // a saved game, so it goes through the unit's record (the state word at 5256).
  static void LoadState(Character& c, std::int32_t state) {
    c.PackSaveImage();
    std::vector<std::uint8_t> image(c.SaveImageBytes(), c.SaveImageBytes() + Character::kImageSize);
    codec::PutI32(image.data(), 5256, state);
    ASSERT_TRUE(c.LoadSaveImage(image.data()));
    ASSERT_EQ(c.GetState(), state);
  }

  static void SetState(Character& c, std::int32_t state) {
    switch (state) {
      case 0: c.SetStateThinking(); break;
      case 2: c.SetStateMoving(); break;
      case 5: c.SetStateCombatMoving(); break;
      case 6: c.SetStateFighting(); break;
      case 7: c.SetStateDueling(); break;
      case 8: c.SetStateDefending(); break;
      case 9: c.SetStatePursuing(); break;
      case 10: c.SetStateResting(); break;
      case 12: c.SetStateOffField(); break;
      default: break;
    }
  }

  void Tick() { screen.Tick(window, 1, characters, nations, cities, parties, divisions, inhabitants); }

  CharacterList characters;
  NationList nations;
  CityList cities;
  FieldPartyList parties;
  DivisionList divisions;
  InhabitantList inhabitants;
  FieldScreen screen;
  HWND window = nullptr;
};

}  // namespace field_test
