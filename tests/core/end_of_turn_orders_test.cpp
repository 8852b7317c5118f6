// The orders carried out at the cities, by the unaffiliated and by the lords, the population and
// riots, and the new orders, with scripted draws.
#include <gtest/gtest.h>

#include <limits>

#include "core/end_of_turn_rules.h"
#include "tests/core/small_world.h"

namespace {

using namespace eot_test;
using namespace end_of_turn;
using DrawList = std::vector<std::pair<int, int>>;

// Nation 1 owns city 1 at (100, 100); nation 2 owns city 2 at (400, 100); two divisions.
struct CityWorld : SmallWorld {
  CityWorld() {
    AddNation(1);
    AddNation(2);
    AddCity(1, 1, 100, 100);
    AddCity(2, 2, 400, 100);
    AddDivision(1, 0, 1, 1);
    AddDivision(2, 0, 1, 15);
  }
  Nation& n1() { return *nations.GetAt(0); }
  City& c1() { return *cities.GetAt(0); }
  Character& At(std::int32_t id, std::int32_t division = 0) {
    return AddCharacter(id, 1, 100, 100, 4, division);
  }
};

const Calendar kQuietDate{300, 4, 2};  // no growth, no riot check

TEST(EndOfTurnOrders, AFlooredDifferenceHoldsAnyAmountToTheIntRange) {
  const std::int32_t least = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(rules::MinusFloored(least, std::numeric_limits<std::int64_t>::min(), least),
            std::numeric_limits<std::int32_t>::max());
}

TEST(EndOfTurnOrders, DevelopmentWithInhabitantsFameFloorAndWeariness) {
  CityWorld w;
  w.AddInhabitant(1, 1);
  w.AddInhabitant(1, 1);
  w.AddInhabitant(2, 1);  // supports another nation: no draw
  Character& farmer = w.At(1, /*division=*/1);
  farmer.SetOrderFarming();
  farmer.stats.SetAgricultureValue(10);
  Character& trader = w.At(2);
  trader.SetOrderCommerce();
  trader.stats.SetCommerceValue(3);
  w.c1().SetAgriculture(999);
  w.c1().SetSentiment(1);
  Draws({{96}, {95}, {25, 20}, {52, 50}, {2}, {85}, {3, 0},  // farmer: bonus 1 x 25, 52 x 10, fame down
         {20, 20}, {50, 50}, {1}, {81}, {0, 0}});             // trader: no merchants, 50 x 3, fame down
  CarryOutCityOrders(w.lists(), kQuietDate);
  ExpectScriptUsedUp();
  rng::StopRecording();
  EXPECT_EQ(w.n1().GetAgricultureValue(), 545);
  EXPECT_EQ(w.n1().GetCommerceValue(), 150);
  EXPECT_EQ(w.c1().GetAgriculture(), 1000);
  EXPECT_EQ(w.c1().GetCommerce(), 101);
  EXPECT_EQ(w.c1().GetSentiment(), 1);
  // With a division the fame is held at 0; without one it goes below.
  EXPECT_EQ(farmer.stats.GetFame(), 0);
  EXPECT_EQ(w.divisions.GetAt(0)->GetFame(), 0);
  EXPECT_EQ(trader.stats.GetFame(), -1);
}

TEST(EndOfTurnOrders, PlanningTechniqueSearchMiningAndBuilding) {
  CityWorld w;
  w.AddInhabitant(1, 7);  // an officer
  w.AddInhabitant(1, 5);  // two diggers
  w.AddInhabitant(1, 5);
  w.AddInhabitant(1, 4);  // a civil engineer
  Character& found = w.AddCharacter(50, 15);
  w.At(1).SetOrderTacticsPlanning();
  w.At(2).SetOrderPolicyPlanning();
  w.At(3).SetOrderTalentSearch();
  Character& miner = w.At(4, 1);
  miner.SetOrderResourceMining();
  miner.stats.SetResourceValue(1);
  w.At(5).SetOrderBuild();
  Character& poor_miner = w.At(6);
  poor_miner.SetOrderResourceMining();
  poor_miner.stats.SetResourceValue(0);
  w.n1().SetDomesticTechnologyExp(99);
  w.n1().SetBuildExp(98);
  w.n1().SetPersonnelLimit(25);
  const std::int32_t tactics = w.n1().GetTacticsValue(), policy = w.n1().GetPolicyValue();
  Draws({{10, 5}, {1, 0},                       // tactics: 10 + 1 officer's point
         {5, 5}, {0, 0},                        // policy: no administrators
         {0, 0}, {1, 0}, {1, 1}, {60},          // search, then technique: experience 100
         {100}, {5004, 5000}, {10, 8}, {9, 8},  // a find of 5004 with two diggers, fame 10 and 9
         {96}, {1},                             // building: an engineer's point + 1
         {100}});                               // nothing to dig for: no more draws
  CarryOutCityOrders(w.lists(), kQuietDate);
  ExpectScriptUsedUp();
  rng::StopRecording();
  EXPECT_EQ(w.n1().GetTacticsValue(), tactics + 11);
  EXPECT_EQ(w.n1().GetPolicyValue(), policy + 5);
  EXPECT_EQ(found.nation_relations.Find(1)->IsWilling(), 1);
  EXPECT_EQ(found.nation_relations.Find(2)->IsWilling(), 0);
  EXPECT_EQ(found.stats.GetFame(), 1);
  EXPECT_EQ(w.n1().GetDomesticTechnology(), 1);
  EXPECT_EQ(w.n1().GetDomesticTechnologyExp(), 0);
  EXPECT_EQ(w.n1().GetFunds(), 1000 + 6004);  // trunc((2 x 0.1 + 1) x 5004)
  EXPECT_EQ(w.n1().GetResourceValue(), 6004);
  EXPECT_EQ(miner.stats.GetFame(), 10);
  EXPECT_EQ(w.divisions.GetAt(0)->GetFame(), 9);
  EXPECT_EQ(w.n1().GetPersonnelLimit(), 25);
  EXPECT_EQ(w.n1().GetBuildExp(), 0);
}

TEST(EndOfTurnOrders, TransferRestPatrolTrainingAndStudy) {
  CityWorld w;
  Character& mover = w.At(1);
  mover.SetOrderTransfer();
  mover.SetCityCopy(*w.cities.GetAt(1));
  w.cities.GetAt(1)->SetOwner(1);  // the destination is the nation's now
  Character& trainee = w.At(2);
  trainee.SetOrderTraining();
  trainee.stats.SetExp(95);
  Character& blocked = w.At(3);
  blocked.SetOrderTransfer();
  blocked.SetCityCopy(*w.cities.GetAt(0));
  w.AddCity(3, 2, 700, 100);
  blocked.SetCityCopy(*w.cities.GetAt(2));  // owned by nation 2
  Character& rester = w.At(4);
  rester.SetOrderRest();
  rester.stats.SetHp(10);
  rester.stats.SetMaxHp(200);
  rester.stats.SetSp(25);
  rester.stats.SetMaxSp(40);
  Character& patrol = w.At(5);
  patrol.SetOrderPatrol();
  patrol.stats.SetPatrolLevel(2);
  Character& idle_patrol = w.At(6);
  idle_patrol.SetOrderPatrol();
  Character& student = w.At(7);
  student.SetOrderStudy();
  student.stats.SetStudyProgress(95);
  w.c1().SetSentiment(99);
  Draws({{5, 3}, {5, 5}, {2, 2}, {100}, {100}, {100}, {100}, {100}, {100},  // training, level-up
         {5}, {1, 0}, {0, 0}, {1, 0}, {1, 0},                        // rest: fame up, drift
         {3}, {71},                                                  // patrol: + 3, capped; fame down
         {50},                                                       // patrol without a level
         {5, 5}, {1}});                                              // study done: patrol level + 1
  CarryOutCityOrders(w.lists(), kQuietDate);
  ExpectScriptUsedUp();
  rng::StopRecording();
  Point p, b;
  EXPECT_EQ(mover.GetPosition(p), (Point{400, 100}));
  EXPECT_EQ(mover.GetBasePoint(b), (Point{400, 100}));
  EXPECT_EQ(blocked.GetPosition(p), (Point{100, 100}));
  EXPECT_EQ(trainee.stats.GetLevel(), 2);
  EXPECT_EQ(trainee.stats.GetExp(), 0);
  EXPECT_EQ(rester.stats.GetHp(), 110);
  EXPECT_EQ(rester.stats.GetSp(), 40);
  EXPECT_EQ(rester.stats.GetFame(), 1);
  EXPECT_EQ(rester.nation_relations.GetAt(1)->GetFriendship(), 49);
  EXPECT_EQ(rester.division_relations.GetAt(0)->GetFriendship(), 49);
  EXPECT_EQ(w.c1().GetSentiment(), 100);
  EXPECT_EQ(patrol.stats.GetFame(), -1);
  EXPECT_EQ(student.stats.GetStudyProgress(), 0);
  EXPECT_EQ(student.stats.GetPatrolLevel(), 1);
}

TEST(EndOfTurnOrders, MischiefHarmsTheOwnNationAndSocialLifeMovesFriendship) {
  CityWorld w;
  Character& rogue = w.At(1);
  rogue.SetOrderMischief();
  rogue.stats.SetMisdeedLevel(3);
  Character& harmless = w.At(2);
  harmless.SetOrderMischief();
  Character& host = w.At(3);
  host.SetOrderSocial();
  host.stats.SetSocialLevel(2);
  host.nation_relations.Find(1)->SetFriendship(99);
  Character& member = w.At(4, 2);
  member.SetOrderSocial();
  member.stats.SetSocialLevel(1);
  Character& loner = w.At(5);
  loner.SetOrderSocial();
  loner.stats.SetSocialLevel(5);
  w.n1().SetCommerceValue(100);
  Draws({{2}, {150}, {50}, {0, 0}, {0, 0}, {1, 0}, {0, 0},  // commerce falls to 0; drift
         {3}, {50}, {1, 0}, {1, 0}, {0, 0}, {0, 0},         // misdeed level 0: nothing but the rolls
         {1}, {1, 0}, {3}, {2},                             // + 3 (capped 100) to nation 1, - 2 at place 1
         {2}, {0, 0}, {2}, {1},                             // + 2 to division 2, - 1 at place 0
         {2}, {1, 0}, {6}});                                // + 6 at division place 1
  CarryOutCityOrders(w.lists(), kQuietDate);
  ExpectScriptUsedUp();
  rng::StopRecording();
  EXPECT_EQ(w.n1().GetCommerceValue(), 0);
  EXPECT_EQ(rogue.nation_relations.GetAt(0)->GetFriendship(), 49);
  EXPECT_EQ(rogue.division_relations.GetAt(0)->GetFriendship(), 50);
  EXPECT_EQ(host.nation_relations.Find(1)->GetFriendship(), 100);
  EXPECT_EQ(host.nation_relations.GetAt(1)->GetFriendship(), 48);
  EXPECT_EQ(member.division_relations.Find(2)->GetFriendship(), 52);
  EXPECT_EQ(member.division_relations.GetAt(0)->GetFriendship(), 49);
  EXPECT_EQ(loner.division_relations.GetAt(1)->GetFriendship(), 56);
}

TEST(EndOfTurnOrders, PopulationGrowthFlagsAndRiots) {
  CityWorld w;
  w.AddCity(3, City::kNoOwner, 700, 100).SetSentiment(1);
  City& calm = w.AddCity(4, 1, 900, 100);
  calm.SetSentiment(0);  // no range to roll in
  w.c1().SetPopulation(999990);
  w.c1().SetPopulationGrowth(100);
  w.c1().SetSentiment(1);
  w.c1().MarkHiredThisTurn();
  w.n1().SetAgricultureValue(1000);
  w.n1().SetCommerceValue(350);
  w.n1().SetIndustryValue(100);
  rng::StartRecording();
  CarryOutCityOrders(w.lists(), {300, 1, 2});
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(w.c1().GetPopulation(), 999999);
  EXPECT_EQ(w.c1().GetPopulationGrowth(), 0);
  EXPECT_EQ(w.c1().HasHiredThisTurn(), 0);

  // Year 301: each value falls by 300..499; the unowned city's roll of 1 does nothing.
  w.cities.GetAt(1)->SetSentiment(10);
  Draws({{1}, {300, 300}, {400, 300}, {499, 300}, {2}, {1}});
  CarryOutCityOrders(w.lists(), {301, 2, 1});
  EXPECT_EQ(Drawn(), (DrawList{{1, 1}, {200, 300}, {200, 300}, {200, 300}, {10, 1}, {1, 1}}));
  ExpectScriptUsedUp();
  EXPECT_EQ(w.n1().GetAgricultureValue(), 700);
  EXPECT_EQ(w.n1().GetCommerceValue(), 0);
  EXPECT_EQ(w.n1().GetIndustryValue(), 0);
  EXPECT_EQ(w.c1().HasRiot(), 1);
  EXPECT_EQ(w.cities.GetAt(2)->HasRiot(), 0);
  EXPECT_EQ(calm.HasRiot(), 0);

  // A year before 300 (only from a file) gives the damage no range: a riot without damage.
  Draws({{1}, {2}, {1}});
  CarryOutCityOrders(w.lists(), {299, 6, 1});
  ExpectScriptUsedUp();
  EXPECT_EQ(Drawn().size(), 3u);
  EXPECT_EQ(w.n1().GetAgricultureValue(), 700);
  EXPECT_EQ(w.c1().HasRiot(), 1);
}

TEST(EndOfTurnOrders, UnaffiliatedAndLords) {
  CityWorld w;
  Character& social = w.AddCharacter(1, 15);
  social.SetOrderSocial();
  social.stats.SetSocialLevel(2);
  Character& rester = w.AddCharacter(2, 15);
  rester.SetOrderRest();
  rester.stats.SetHp(0);
  Character& idle = w.AddCharacter(3, 15);
  idle.SetOrderPatrol();  // nothing outside a city
  Character& lord = w.AddCharacter(4, 16, 0, 0, 3);
  lord.SetOrderSocial();
  lord.stats.SetSocialLevel(5);
  Character& shy_lord = w.AddCharacter(5, 16, 0, 0, 3);
  shy_lord.SetOrderSocial();
  Draws({{2}, {1, 0}, {1, 1}});  // a division place, then exactly 1
  CarryOutFreeOrders(w.lists());
  ExpectScriptUsedUp();
  EXPECT_EQ(social.division_relations.GetAt(1)->GetFriendship(), 51);
  EXPECT_EQ(rester.stats.GetHp(), 80);  // capped at the maximum; no fame roll, no drift
  EXPECT_EQ(Drawn().size(), 3u);
  Draws({{1, 0}, {4}, {0, 0}});  // the lords draw no k; level 0 changes nothing
  CarryOutLordOrders(w.lists());
  ExpectScriptUsedUp();
  EXPECT_EQ(Drawn(), (DrawList{{2, 0}, {4, 1}, {2, 0}}));
  EXPECT_EQ(lord.nation_relations.GetAt(1)->GetFriendship(), 54);
  EXPECT_EQ(shy_lord.nation_relations.GetAt(0)->GetFriendship(), 50);
}

TEST(EndOfTurnOrders, NewOrdersByBandAndReturnToFreeAction) {
  struct Band {
    int r;
    std::int32_t free_order, lord_order;
  };
  const Band bands[] = {{1, 15, 15},  {2, 16, 16},  {20, 16, 16}, {21, 16, 18}, {30, 16, 18}, {31, 18, 18},
                        {65, 18, 18}, {66, 21, 18}, {69, 21, 18}, {70, 21, 21}, {95, 21, 21}, {96, 22, 22}};
  SmallWorld w;
  std::vector<Want> free_draws, lord_draws;
  for (const Band& b : bands) {
    w.AddCharacter(b.r, 15);
    w.AddCharacter(100 + b.r, 16, 0, 0, 3);
    free_draws.push_back({b.r});
    lord_draws.push_back({b.r});
  }
  Draws(free_draws);
  GiveFreeCharactersOrders(w.lists());
  ExpectScriptUsedUp();
  Draws(lord_draws);
  GiveLordsOrders(w.lists());
  ExpectScriptUsedUp();
  rng::StopRecording();
  for (const Band& b : bands) {
    EXPECT_EQ(w.characters.FindById(b.r)->GetOrder(), b.free_order) << b.r;
    EXPECT_EQ(w.characters.FindById(100 + b.r)->GetOrder(), b.lord_order) << b.r;
  }

  Character& home = w.AddCharacter(500, 1, 10, 10);
  home.SetOrderFarming();
  Character& away = w.AddCharacter(501, 1, 10, 10);
  away.SetOrderFarming();
  away.SetPosition(20, 10);
  Character& healing = w.AddCharacter(502, 1, 10, 10);
  healing.SetOrderRecuperation();
  ReturnToFreeAction(w.lists());
  EXPECT_EQ(home.GetOrder(), Character::kOrderFree);
  EXPECT_EQ(away.GetOrder(), 6);
  EXPECT_EQ(healing.GetOrder(), Character::kOrderRecuperation);
}

}  // namespace
