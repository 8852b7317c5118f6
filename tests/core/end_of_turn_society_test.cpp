// Lords joining nations, divisions growing and recruiting, the inhabitants' allegiance and
// favourites, the divisions' affinities, willingness, and the closing totals, with scripted draws.
#include <gtest/gtest.h>

#include "tests/core/small_world.h"

namespace {

using namespace eot_test;
using namespace end_of_turn;
using DrawList = std::vector<std::pair<int, int>>;

TEST(EndOfTurnSociety, LordsJoinTheOwnerOfTheirHomeCityInTheQuarterMonths) {
  SmallWorld w;
  Nation& n1 = w.AddNation(1);
  w.AddNation(2);
  City& home = w.AddCity(1, 1, 100, 100);
  w.AddCity(2, City::kNoOwner, 300, 100);   // a city within 500 that nation 1 does not hold
  w.AddCity(3, City::kNoOwner, 900, 900);   // an unowned home: no draw
  w.AddCity(4, 2, 1800, 1800);              // nothing else near: drawn, never joins
  Character& joins = w.AddCharacter(1, 16, 0, 0, 3, 0, 1, /*home_city=*/1);
  Character& stays = w.AddCharacter(2, 16, 0, 0, 3, 0, 1, 1);
  w.AddCharacter(3, 16, 0, 0, 3, 0, 1, 3);
  w.AddCharacter(4, 16, 0, 0, 3, 0, 1, /*missing city*/ 99);
  Character& alone = w.AddCharacter(5, 16, 0, 0, 3, 0, 1, 4);
  alone.nation_relations.Find(2)->SetFriendship(100);

  rng::StartRecording();
  LordsJoinNations(w.lists(), {300, 2, 1});
  LordsJoinNations(w.lists(), {300, 4, 2});
  EXPECT_TRUE(Drawn().empty());

  Draws({{50}, {51}, {1}});
  LordsJoinNations(w.lists(), {300, 4, 1});
  ExpectScriptUsedUp();
  EXPECT_EQ(Drawn().size(), 3u);
  Point p, b;
  EXPECT_EQ(joins.GetNationId(), 1);
  EXPECT_EQ(joins.GetRank(), 3);
  EXPECT_EQ(joins.GetPosition(p), (Point{100, 100}));
  EXPECT_EQ(joins.GetBasePoint(b), (Point{100, 100}));
  EXPECT_EQ(n1.GetLordCount(), 1);
  EXPECT_EQ(home.GetDefenceStrength(), joins.stats.GetCombatPower());
  EXPECT_EQ(stays.GetNationId(), 16);
  EXPECT_EQ(alone.GetNationId(), 16);
}

TEST(EndOfTurnSociety, MemberLimitsContractsAndFreeCharactersJoining) {
  SmallWorld w;
  w.AddNation(1);
  Division& famous = w.AddDivision(1, 0, 2, 15);
  Division& full = w.AddDivision(2, 0, 5, 15);
  Division& almost = w.AddDivision(3, 0, 1, 15);
  famous.SetFame(150);
  almost.SetFame(149);
  RaiseMemberLimits(w.lists());
  EXPECT_EQ(famous.GetMemberLimit(), 6);
  EXPECT_EQ(famous.GetFameThreshold(), 180);
  EXPECT_EQ(almost.GetMemberLimit(), 5);
  EXPECT_EQ(almost.GetFameThreshold(), 150);

  Character& loyal = w.AddCharacter(1, 15, 0, 0, 4, /*division=*/1);
  loyal.division_relations.Find(1)->SetFriendship(100);
  Character& leaves = w.AddCharacter(2, 15, 0, 0, 4, 1);
  leaves.division_relations.Find(1)->SetFriendship(0);
  Character& bound = w.AddCharacter(3, 15, 0, 0, 4, 1, /*attachment=*/3);
  bound.division_relations.Find(1)->SetFriendship(0);
  Character& serving = w.AddCharacter(4, 1, 0, 0, 4, 1);
  serving.division_relations.Find(1)->SetFriendship(0);
  rng::StartRecording();
  CheckContracts(w.lists(), {300, 4, 1});
  EXPECT_TRUE(Drawn().empty());
  Draws({{100}, {1}, {100}, {100}});
  CheckContracts(w.lists(), {300, 3, 1});
  ExpectScriptUsedUp();
  rng::StopRecording();
  EXPECT_EQ(loyal.GetDivisionId(), 1);
  EXPECT_EQ(leaves.GetDivisionId(), 0);
  EXPECT_EQ(bound.GetDivisionId(), 1);
  EXPECT_EQ(serving.GetDivisionId(), 1);
  EXPECT_EQ(famous.GetMemberCount(), 1);

  // Everybody draws twice; only a 1 in 20 moves an unaffiliated character without a division.
  w.characters.Clear();
  Character& home_bound = w.AddCharacter(10, 15, 0, 0, 4, 0, /*attachment=*/2, 0, /*home_division=*/3);
  Character& home_full = w.AddCharacter(11, 15, 0, 0, 4, 0, 2, 0, 2);
  Character& roamer = w.AddCharacter(12, 15, 0, 0, 4, 0, 1);
  Character& unlucky = w.AddCharacter(13, 15, 0, 0, 4, 0, 1);
  Character& never = w.AddCharacter(14, 15, 0, 0, 4, 0, 3);
  Draws({{1}, {2}, {1}, {3}, {1}, {1}, {2}, {1}, {1}, {1}});
  FreeCharactersJoinDivisions(w.lists());
  EXPECT_EQ(Drawn(), (DrawList{{20, 1}, {3, 1}, {20, 1}, {3, 1}, {20, 1}, {3, 1}, {20, 1}, {3, 1}, {20, 1},
                               {3, 1}}));
  ExpectScriptUsedUp();
  EXPECT_EQ(home_bound.GetDivisionId(), 3);
  EXPECT_EQ(almost.GetMemberCount(), 2);
  EXPECT_EQ(home_full.GetDivisionId(), 0);
  EXPECT_EQ(full.GetMemberCount(), 5);
  EXPECT_EQ(roamer.GetDivisionId(), 1);
  EXPECT_EQ(famous.GetMemberCount(), 2);
  EXPECT_EQ(unlucky.GetDivisionId(), 0);
  EXPECT_EQ(never.GetDivisionId(), 0);
}

TEST(EndOfTurnSociety, InhabitantsAllegianceByWeightsAndByRankings) {
  SmallWorld w;
  w.AddNation(1);
  w.AddCity(1, 1, 0, 0);
  w.AddCity(2, City::kNoOwner, 500, 0);
  w.AddCharacter(1, 1).stats.SetFame(30);
  w.AddCharacter(2, 2).stats.SetFame(20);
  w.AddCharacter(3, 16, 0, 0, 3).stats.SetFame(10);
  auto add = [&](std::int32_t home) -> Inhabitant& {
    Inhabitant& h = w.AddInhabitant(5, 1, home);
    h.SetAllegianceChangeChance(50);
    h.SetFameLeaderWeight(9);  // bands: fame 1..9, agriculture 10..19, commerce, industry,
    h.SetAgricultureLeaderWeight(10);  // technology up to 49, home owner 50..89, nothing above
    h.SetCommerceLeaderWeight(10);
    h.SetIndustryLeaderWeight(10);
    h.SetTechnologyLeaderWeight(10);
    h.SetHomeOwnerWeight(40);
    return h;
  };
  Inhabitant& content = add(1);
  Inhabitant& home_owner = add(1);
  Inhabitant& unowned_home = add(2);
  Inhabitant& weightless = add(1);
  Inhabitant& famous = add(1);
  Inhabitant& farmer = add(2);
  Inhabitant& second = add(1);
  Inhabitant& lords = add(1);
  Inhabitant& random = add(1);
  Inhabitant& beyond = add(1);
  Draws({{51},
         {50}, {1}, {55}, {50}, {1}, {89}, {50}, {1}, {90},
         {1}, {1}, {2}, {1}, {80},     // the most famous of the five, on a roll of 80
         {1}, {1}, {15},               // the only nation leads in agriculture
         {1}, {2}, {3}, {1}, {2},      // by fame, the second place
         {1}, {2}, {3}, {2}, {3},      // the third place is a lord's
         {1}, {2}, {1}, {9}, {0, 0},   // a random character, by charm
         {1}, {2}, {6}, {5}, {12}});   // a place beyond the three characters
  InhabitantsReconsiderAllegiance(w.lists());
  ExpectScriptUsedUp();
  rng::StopRecording();
  EXPECT_EQ(content.GetAllegiance(), 5);
  EXPECT_EQ(home_owner.GetAllegiance(), 1);
  EXPECT_EQ(unowned_home.GetAllegiance(), 5);
  EXPECT_EQ(weightless.GetAllegiance(), 5);
  EXPECT_EQ(famous.GetAllegiance(), 1);
  EXPECT_EQ(farmer.GetAllegiance(), 1);
  EXPECT_EQ(second.GetAllegiance(), 2);
  EXPECT_EQ(lords.GetAllegiance(), 5);
  EXPECT_EQ(random.GetAllegiance(), 1);
  EXPECT_EQ(beyond.GetAllegiance(), 5);
}

TEST(EndOfTurnSociety, InhabitantsFavourites) {
  SmallWorld w;
  w.AddCharacter(1, 1).stats.SetFame(30);
  w.AddCharacter(2, 15).stats.SetFame(20);
  w.AddCharacter(3, 16, 0, 0, 3).stats.SetFame(10);
  std::vector<Inhabitant*> h;
  for (int i = 0; i < 4; ++i) {
    h.push_back(&w.AddInhabitant(1, 1, 0, /*favourite=*/99));
    h.back()->SetFavouriteChangeChance(10);
  }
  Draws({{11},
         {10}, {4}, {1}, {2, 0},   // a random character: the lord
         {1}, {5}, {1}, {2},       // fame ranking, second place
         {1}, {10}, {1}, {16}});   // a place beyond the characters: no change
  InhabitantsReconsiderFavourite(w.lists());
  ExpectScriptUsedUp();
  rng::StopRecording();
  EXPECT_EQ(h[0]->GetFavouriteCharacterId(), 99);
  EXPECT_EQ(h[1]->GetFavouriteCharacterId(), 3);
  EXPECT_EQ(h[2]->GetFavouriteCharacterId(), 2);
  EXPECT_EQ(h[3]->GetFavouriteCharacterId(), 99);
}

TEST(EndOfTurnSociety, AffinitiesFreeDivisionsAndWillingness) {
  SmallWorld w;
  w.AddNation(1);
  w.AddNation(2);
  Division& pair = w.AddDivision(1, 0, 2, 1);
  Division& empty = w.AddDivision(2, 0, 0, 2);
  Division& stored = w.AddDivision(3, 0, 3, 15);
  Character& x = w.AddCharacter(1, 1, 0, 0, 4, 1);
  Character& y = w.AddCharacter(2, 15, 0, 0, 4, 1);
  w.AddCharacter(3, 15, 0, 0, 4, 2);  // the only member of division 2
  Character& v = w.AddCharacter(4, 15, 0, 0, 4, 3);
  x.nation_relations.GetAt(0)->SetFriendship(40);
  x.nation_relations.GetAt(1)->SetFriendship(10);
  y.nation_relations.GetAt(0)->SetFriendship(60);
  y.nation_relations.GetAt(1)->SetFriendship(31);
  v.nation_relations.GetAt(0)->SetFriendship(90);
  ComputeDivisionAffinities(w.lists());
  EXPECT_EQ(pair.relations.GetAt(0)->GetFriendship(), 50);
  EXPECT_EQ(pair.relations.GetAt(1)->GetFriendship(), 20);
  EXPECT_EQ(pair.relations.GetAt(2)->GetFriendship(), 50);  // beyond the nations: untouched
  EXPECT_EQ(empty.relations.GetAt(0)->GetFriendship(), 0);  // no members to average over
  EXPECT_EQ(stored.relations.GetAt(0)->GetFriendship(), 30);
  EXPECT_EQ(stored.relations.GetAt(1)->GetFriendship(), 16);

  FreeDivisionsWithoutNationMembers(w.lists());
  EXPECT_EQ(pair.GetNationId(), 1);
  EXPECT_EQ(empty.GetNationId(), 15);
  pair.SetNationId(2);

  Character& serving = w.AddCharacter(5, 1);
  Character& lord = w.AddCharacter(6, 16, 0, 0, 3);
  Character& loner = w.AddCharacter(7, 15);
  for (Character* c : {&serving, &lord, &x})
    for (RelationEntry& e : c->nation_relations) e.SetWilling();
  stored.relations.GetAt(0)->SetFriendship(20);
  stored.relations.GetAt(1)->SetFriendship(80);
  Draws({{50}, {51},    // the loner: willing toward nation 1 only
         {1}, {1},      // division 1 is employed: drawn and cleared
         {1}, {1},      // division 2, free now, has friendship 0: never willing
         {20}, {81}});  // division 3 (free): toward nation 1 only
  DrawWillingness(w.lists());
  ExpectScriptUsedUp();
  rng::StopRecording();
  for (std::int32_t n = 1; n <= 2; ++n) {
    EXPECT_EQ(serving.nation_relations.Find(n)->IsWilling(), 0);
    EXPECT_EQ(lord.nation_relations.Find(n)->IsWilling(), 0);
    EXPECT_EQ(x.nation_relations.Find(n)->IsWilling(), 0);
    EXPECT_EQ(y.nation_relations.Find(n)->IsWilling(), n == 2 ? 1 : 0);  // division 1 serves nation 2
    EXPECT_EQ(pair.relations.Find(n)->IsWilling(), 0);
  }
  EXPECT_EQ(serving.nation_relations.Find(3)->IsWilling(), 1);  // only the nations of the list
  EXPECT_EQ(loner.nation_relations.Find(1)->IsWilling(), 1);
  EXPECT_EQ(loner.nation_relations.Find(2)->IsWilling(), 0);
  EXPECT_EQ(stored.relations.Find(1)->IsWilling(), 1);
  EXPECT_EQ(stored.relations.Find(2)->IsWilling(), 0);
}

TEST(EndOfTurnSociety, ClosingTotals) {
  SmallWorld w;
  Nation& n1 = w.AddNation(1);
  w.AddNation(2);
  City& guarded = w.AddCity(1, 1, 500, 500);
  City& bare = w.AddCity(2, 2, 1500, 1500);
  Division& d1 = w.AddDivision(1, 0, 2, 1);
  Division& d0 = w.AddDivision(2, 0, 0, 1);
  Character& a = w.AddCharacter(1, 1, 600, 500, 4, 1);   // 100 away: counts
  Character& b = w.AddCharacter(2, 1, 650, 500, 4, 1);   // 150 away: outside the open square
  Character& c = w.AddCharacter(3, 1, 500, 500, 4, 2);   // recuperating: not counted
  Character& e = w.AddCharacter(4, 2, 520, 500);         // another nation
  c.SetOrderRecuperation();
  a.stats.SetAgricultureValue(3);
  a.stats.SetCommerceValue(5);
  w.AddInhabitant(1, 1, 0, /*favourite=*/1);
  w.AddInhabitant(1, 1, 0, 1);
  w.AddInhabitant(1, 1, 0, 2);
  rng::StartRecording();
  ComputeCharacterValues(w.lists());
  EXPECT_EQ(a.stats.GetPopularity(), 2);
  EXPECT_EQ(b.stats.GetPopularity(), 1);
  EXPECT_EQ(a.stats.GetDomesticPower(), 2);  // (3 + 5 + 0 + 0) / 4

  a.stats.SetCombatPower(10);
  b.stats.SetCombatPower(21);
  c.stats.SetCombatPower(7);
  e.stats.SetCombatPower(1000);
  ComputeDivisionTotals(w.lists());
  EXPECT_EQ(d1.GetCombatPower(), 15);
  EXPECT_EQ(d1.GetDomesticPower(), (2 + b.stats.GetDomesticPower()) / 2);
  EXPECT_EQ(d1.GetPopularity(), 3);
  EXPECT_EQ(d0.GetCombatPower(), 0);  // no stored members: no average
  EXPECT_EQ(d0.GetPopularity(), 0);

  bare.SetDefenceStrength(99);
  ComputeCityDefence(w.lists());
  EXPECT_EQ(guarded.GetDefenceStrength(), 10);
  EXPECT_EQ(bare.GetDefenceStrength(), 0);
  ComputeNationCombatPower(w.lists());
  EXPECT_EQ(n1.GetTotalCombatPower(), 38);
  EXPECT_EQ(w.nations.GetAt(1)->GetTotalCombatPower(), 1000);
  EXPECT_TRUE(Drawn().empty());
}

}  // namespace
