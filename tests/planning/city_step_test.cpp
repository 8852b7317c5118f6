// The step of a nation's turn at one of its cities: the hiring chances by hiring caution and by
// the city's strength against its strongest neighbour, the sortie chances by attack caution, the
// lords' leave, patrols, transfers and the idle characters' new orders.
#include <gtest/gtest.h>

#include <memory>

#include "tests/planning/planning_world.h"

namespace {

using planning_test::Draws;
using planning_test::Drawn;
using planning_test::ExpectScriptUsedUp;
using planning_test::Want;
using DrawList = std::vector<std::pair<int, int>>;

class CityStep : public ::testing::Test {
 protected:
  // Nation 1's city at (1000, 1000), its public sentiment 90 (no unrest); two foreign cities
  // within 500, of defence 300 (nation 2's) and 700 (without owner), and one beyond.
  void MakeWorld(std::int32_t attack_caution, std::int32_t hiring_caution, bool player = false) {
    nation = &W().AddNation(1, 100000, player, attack_caution, hiring_caution);
    W().AddNation(2);
    city = &W().AddCity(1, 1, 1000, 1000);
    city->SetSentiment(90);
    W().AddCity(2, 2, 1300, 800).SetDefenceStrength(300);
    W().AddCity(3, City::kNoOwner, 700, 1400).SetDefenceStrength(700);
    W().AddCity(4, 2, 1500, 1000).SetDefenceStrength(9000);  // exactly 500 away: outside
  }
  void Step() { computer_turn::CityStep(W().screen, 0, 0, W().cities.CountOfNation(1), W().lists()); }

  // A fresh world for each case of a table.
  void Reset() { world = std::make_unique<planning_test::World>(); }
  planning_test::World& W() { return *world; }

  std::unique_ptr<planning_test::World> world = std::make_unique<planning_test::World>();
  Nation* nation = nullptr;
  City* city = nullptr;
};

TEST_F(CityStep, HiringChancesByCautionAndStrengthAgainstTheStrongestNeighbour) {
  const int character_chance[3][4] = {{40, 60, 80, 90}, {35, 55, 75, 85}, {30, 50, 70, 80}};
  const int division_chance[3][4] = {{25, 50, 70, 90}, {20, 45, 65, 85}, {15, 40, 60, 80}};
  const int character_kinds[4] = {2, 3, 3, 0};  // how many kinds are drawn from (0: kind 3 fixed)
  const int division_kinds[4] = {3, 4, 4, 0};
  const std::int32_t strength_at_band_edge[4] = {700 + 300, 700, 700 - 200, 700 - 400};
  for (std::int32_t caution = 0; caution <= 2; ++caution) {
    for (int band = 0; band < 4; ++band) {
      for (bool hire : {true, false}) {
        SCOPED_TRACE(caution * 100 + band * 10 + hire);
        Reset();
        MakeWorld(0, caution);
        city->SetDefenceStrength(strength_at_band_edge[band]);
        // Nobody is willing, so a call to recruit changes nothing; the kind drawn shows it was made.
        const int c = character_chance[caution][band];
        const int d = division_chance[caution][band];
        std::vector<Want> wants{{hire ? c - 1 : c}};
        DrawList expected{{100, 0}};
        if (hire && character_kinds[band]) {
          wants.push_back({1, 1});
          expected.push_back({character_kinds[band], 1});
        }
        wants.push_back({hire ? d - 1 : d});
        expected.push_back({100, 0});
        if (hire && division_kinds[band]) {
          wants.push_back({1, 1});
          expected.push_back({division_kinds[band], 1});
        }
        Draws(wants);
        Step();
        EXPECT_EQ(Drawn(), expected);
        ExpectScriptUsedUp();
      }
    }
  }
}

TEST_F(CityStep, NoHiringWhenStrongEnoughFullOrPlayerRun) {
  for (int variant = 0; variant < 4; ++variant) {
    SCOPED_TRACE(variant);
    Reset();
    MakeWorld(0, variant == 3 ? 3 : 0, variant == 2);
    city->SetDefenceStrength(variant == 0 ? 1001 : 0);
    if (variant == 1) nation->SetMemberCount(10);  // at the personnel limit
    Draws({});
    Step();
    EXPECT_TRUE(Drawn().empty());
  }
}

TEST_F(CityStep, SortieChancesByAttackCaution) {
  const int chance[3][4] = {{16, 24, 36, 50}, {12, 16, 24, 50}, {8, 8, 12, 50}};
  // The city's lead over the target (nation 2's city of defence 300) at each band's two edges.
  const std::int32_t lead[4][2] = {{0, 199}, {200, 399}, {400, 599}, {600, 5000}};
  for (std::int32_t caution = 0; caution <= 2; ++caution) {
    for (int band = 0; band < 4; ++band) {
      for (int edge = 0; edge < 2; ++edge) {
        for (bool go : {true, false}) {
          SCOPED_TRACE(caution * 1000 + band * 100 + edge * 10 + go);
          Reset();
          MakeWorld(caution, 0);
          nation->SetMemberCount(10);  // no hiring
          city->SetDefenceStrength(300 + lead[band][edge]);
          Character& c = W().AddCharacter(1, 1, 1000, 1000);
          c.chances.SetSortieChance(100);
          // Target 0 of the two foreign cities; then the sortie step (r 85: the one healthy goes),
          // or, staying, the character's idle draw for a new order.
          std::vector<Want> wants{{0}, {go ? chance[caution][band] - 1 : chance[caution][band]}};
          if (go)
            wants.insert(wants.end(), {{85}, {0}, {1, 1}});
          else
            wants.push_back({50, 1});
          Draws(wants);
          Step();
          ExpectScriptUsedUp();
          Point to;
          EXPECT_EQ(c.GetOrder(), go ? Character::kOrderSortie : Character::kOrderFree);
          if (go) {
            EXPECT_EQ(c.GetDestination(to), (Point{1300, 800}));
          }
        }
      }
    }
  }
  // Weaker than the target, or an unknown caution: no chance is drawn.
  for (std::int32_t caution : {0, 3}) {
    Reset();
    MakeWorld(caution, 0);
    nation->SetMemberCount(10);
    city->SetDefenceStrength(caution == 0 ? 299 : 5000);
    W().AddCharacter(1, 1, 1000, 1000);
    Draws({{0}, {50, 1}});
    Step();
    EXPECT_EQ(Drawn(), (DrawList{{2, 0}, {100, 1}}));
  }
}

TEST_F(CityStep, FarFromTheFrontLordsLeaveAndTheRestPatrol) {
  nation = &W().AddNation(1, 0);
  nation->SetLordCount(2);
  city = &W().AddCity(1, 1, 100, 100);
  W().AddCity(2, 2, 100, 1000);  // 900 away
  Character& lord = W().AddCharacter(1, 1, 100, 100, Character::kRankLord);
  lord.stats.SetHp(10);
  lord.stats.SetMaxSp(40);
  lord.SetMorale(30);
  Character& vassal = W().AddCharacter(2, 1, 100, 100);
  Character& busy = W().AddCharacter(3, 1, 100, 100);
  busy.SetOrderFarming();
  Character& elsewhere = W().AddCharacter(4, 1, 200, 100);
  // Sentiment 50: no transfers are drawn, everybody here patrols, nobody is left idle.
  Draws({});
  Step();
  EXPECT_TRUE(Drawn().empty());
  Point p;
  EXPECT_EQ(lord.GetNationId(), Character::kNationLords);
  EXPECT_EQ(lord.GetPosition(p), (Point{-100, -100}));
  EXPECT_EQ(lord.GetMorale(), 100);
  EXPECT_EQ(lord.stats.GetHp(), 100);
  EXPECT_EQ(lord.stats.GetSp(), 40);
  EXPECT_EQ(nation->GetLordCount(), 1);
  EXPECT_EQ(vassal.GetOrder(), 17);
  EXPECT_EQ(busy.GetOrder(), 17);
  EXPECT_EQ(elsewhere.GetOrder(), Character::kOrderFree);

  // A doctored lord count at the bottom of the int range stays there.
  nation->SetLordCount(INT32_MIN);
  W().AddCharacter(5, 1, 100, 100, Character::kRankLord);
  Step();
  EXPECT_EQ(nation->GetLordCount(), INT32_MIN);
}

TEST_F(CityStep, ACalmCityFarFromTheFrontSendsPeopleToTheFront) {
  nation = &W().AddNation(1, 0);
  city = &W().AddCity(1, 1, 100, 100);
  city->SetSentiment(100);
  W().AddCity(2, 1, 100, 1000).SetSentiment(100);   // also far from the front
  W().AddCity(3, 1, 2000, 2000).SetSentiment(100);  // at the front
  W().AddCity(4, 2, 2100, 2100);
  Character& c = W().AddCharacter(1, 1, 100, 100);
  c.chances.SetTransferChance(100);
  // Cities are drawn until one at the front comes up (the first, then the third); then the
  // transfer step's 1001 draws, every one of which gives the order again.
  std::vector<Want> wants{{0}, {1}, {2}};
  for (int d = 0; d < 1001; ++d) wants.insert(wants.end(), {{0}, {100, 1}});
  Draws(wants);
  Step();
  ExpectScriptUsedUp();
  EXPECT_EQ(c.GetOrder(), Character::kOrderTransfer);
  EXPECT_EQ(c.GetTransferCity().GetId(), 3);
}

TEST_F(CityStep, TransfersTowardWeakAndRestlessCities) {
  MakeWorld(0, 0);
  nation->SetMemberCount(10);
  city->SetDefenceStrength(400);  // too weak to sortie against city 3
  City& weak = W().AddCity(5, 1, 1800, 800);  // weak and near nation 2's city 4
  weak.SetDefenceStrength(0);
  weak.SetSentiment(90);
  City& restless = W().AddCity(6, 1, 3000, 3000);
  restless.SetSentiment(80);
  restless.SetDefenceStrength(1000);
  Character& c = W().AddCharacter(1, 1, 1000, 1000);
  c.chances.SetTransferChance(100);
  std::vector<Want> wants{{1}};  // the sortie's target (city 3, defence 700): no chance drawn
  wants.insert(wants.end(), {{0}, {1, 1}});  // the weak city, and the one-in-ten
  for (int d = 0; d < 1001; ++d) wants.insert(wants.end(), {{0}, {100, 1}});
  wants.insert(wants.end(), {{0}, {1, 1}});  // the restless city, idle count now below 0
  for (int d = 0; d < 1001; ++d) wants.insert(wants.end(), {{0}, {100, 1}});
  Draws(wants);
  Step();
  ExpectScriptUsedUp();
  EXPECT_EQ(c.GetOrder(), Character::kOrderTransfer);
  EXPECT_EQ(c.GetTransferCity().GetId(), 6);
}

TEST_F(CityStep, IdleCharactersChooseOrdersByTheirWeights) {
  nation = &W().AddNation(1, 0);
  city = &W().AddCity(1, 1, 100, 100);
  city->SetSentiment(100);  // calm and far from the front, with no front city to send people to
  const std::pair<int, std::int32_t> draws_and_orders[] = {{1, 4}, {10, 4}, {11, 6}, {40, 6}, {41, 22}, {60, 22}, {61, 2}};
  std::vector<Character*> people;
  std::vector<Want> wants;
  for (auto [draw, order] : draws_and_orders) {
    Character& c = W().AddCharacter(static_cast<std::int32_t>(people.size()) + 1, 1, 100, 100);
    c.chances.SetStrategyWeight(10);
    c.chances.SetAgricultureWeight(30);
    c.chances.SetStudyWeight(20);  // the last band, after the empty ones
    people.push_back(&c);
    wants.push_back({draw, 1});
  }
  people[0]->SetOrderRest();  // not idle: no draw for it
  wants.erase(wants.begin());
  Draws(wants);
  Step();
  ExpectScriptUsedUp();
  EXPECT_EQ(people[0]->GetOrder(), 16);
  for (std::size_t i = 1; i < people.size(); ++i) EXPECT_EQ(people[i]->GetOrder(), draws_and_orders[i].second);
}

}  // namespace
