// The frame of a tick: the hundredth ends the phase, every tick repaints (or reports the lost
// window), formation members are left to their party, ailments and morale run their course, and
// a marching unit on its destination takes the city or comes home.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class FieldTick : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    AddNation(1);
    AddNation(2);
  }

  // A unit of nation 1 marching onto the point (x, y), already standing there.
  Character& Arriving(std::int32_t id, std::int32_t x, std::int32_t y) {
    Character& u = AddUnit(id, 1, x, y, 2);
    u.SetOrderSortie();
    u.SetDestination(x, y);
    u.SetBasePoint(100, 100);
    return u;
  }
};

TEST_F(FieldTick, TheHundredthTickEndsThePhaseAndEveryTickRepaints) {
  AddUnit(1, 1, 500, 500);
  const int paints = headless::PaintCount();
  for (int i = 1; i <= 99; ++i) {
    Tick();
    ASSERT_EQ(screen.GetPhaseEnded(), 0) << i;
    ASSERT_EQ(screen.GetTickCounter(), i);
  }
  Tick();
  EXPECT_EQ(screen.GetPhaseEnded(), 1);
  EXPECT_EQ(screen.GetTickCounter(), 0);
  EXPECT_EQ(screen.GetRedrawMode(), 4);
  EXPECT_EQ(headless::PaintCount(), paints + 100);
  EXPECT_TRUE(headless::Boxes().empty());

  // Without its window the tick still runs, and says so once.
  screen.Tick(nullptr, 1, characters, nations, cities, parties, divisions, inhabitants);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].text, "ウィンドウ　エラ－！！");
  EXPECT_EQ(headless::Boxes()[0].caption, "");
  EXPECT_EQ(screen.GetTickCounter(), 1);
}

TEST_F(FieldTick, AilmentsAndMoraleRunTheirCourse) {
  // A guard in a duel of its own stays put: only its morale and ailments draw.
  Character& u = AddUnit(1, 1, 500, 500, 8);
  u.SetInDuel();
  u.stats.SetMaxHp(140);
  u.stats.SetHp(2);
  u.SetMorale(41);
  u.SetPoisoned();
  u.SetPoisonCountdown(2);
  u.SetConfused();
  u.SetConfusionCountdown(2);
  Draws({{100, 1}, {70, 1}, {70, 1}, {2, 1}});
  Tick();
  EXPECT_EQ(u.stats.GetHp(), 1);  // 140 / 70 = 2 would take the last point
  EXPECT_EQ(u.GetMorale(), 40);
  Draws({{100, 1}, {99, 1}, {1, 1}});
  Tick();
  EXPECT_EQ(u.stats.GetHp(), 1);
  EXPECT_EQ(u.GetMorale(), 40);
  EXPECT_EQ(u.GetPoisonCountdown(), 0);
  EXPECT_TRUE(u.IsPoisoned());
  Draws({{1, 1}});
  Tick();
  EXPECT_EQ(u.GetMorale(), 41);
  EXPECT_FALSE(u.IsPoisoned());
  EXPECT_FALSE(u.IsConfused());
  u.SetMorale(160);
  Draws({{20, 1}});
  Tick();
  EXPECT_EQ(u.GetMorale(), 160);
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(Drawn().size(), 1u);
}

TEST_F(FieldTick, FormationMembersAreLeftToTheirParty) {
  Character& m = AddUnit(1, 1, 500, 500, 2);
  m.SetInFormation();
  m.SetDestination(900, 900);
  m.SetPoisoned();
  m.SetPoisonCountdown(3);
  m.SetMorale(120);
  Draws({});
  Tick();
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(Pos(m), (Point{500, 500}));
  EXPECT_EQ(m.GetState(), 2);
  EXPECT_EQ(m.GetPoisonCountdown(), 3);
  EXPECT_EQ(m.GetMorale(), 120);
}

TEST_F(FieldTick, ARestingUnitWaitsRatherThanWalkToTheSearchsStandIn) {
  // Back from a pursuit, with an idle stranger by its city: it rests, and no enemy is in reach
  // to walk to (the search would give the list's last character, across the map).
  AddCity(1, 1, 500, 500);
  Character& u = AddUnit(1, 1, 600, 500, 9);
  u.SetBasePoint(500, 500);
  u.SavePrevState();
  u.SetStateResting();
  AddUnit(2, 2, 550, 550);
  AddUnit(3, 1, 1500, 1500);
  for (int i = 0; i < 4; ++i) Tick();
  EXPECT_EQ(u.GetState(), 10);
  EXPECT_EQ(Pos(u), (Point{600, 500}));
}

TEST_F(FieldTick, AKnockOutRaisesTheVictorsDivisionAndLowersTheFallensNotBelowZero) {
  divisions.Add(7001, 1, 1, 1, 5, 150, 0, 0, 0, 0, 0, 0, 0, 0, 1);
  divisions.Add(7002, 2, 2, 1, 5, 150, 0, 0, 0, 0, 0, 0, 0, 0, 2);
  divisions.FindById(1)->SetFame(5);
  divisions.FindById(2)->SetFame(1);
  Character& u = AddUnit(1, 1, 500, 500, 6);
  Character& foe = AddUnit(2, 2, 510, 500, 6);
  u.SetDivisionId(1);
  foe.SetDivisionId(2);
  u.stats.SetAttackSpeed(100);  // it attacks at once
  foe.stats.SetHp(0);           // and any blow knocks the foe out
  Tick();
  EXPECT_EQ(foe.GetPrevState(), 6);
  EXPECT_EQ(u.stats.GetKillCount(), 1);
  EXPECT_EQ(divisions.FindById(1)->GetFame(), 6);
  EXPECT_EQ(divisions.FindById(2)->GetFame(), 0);
}

TEST_F(FieldTick, ArrivalTakesAnUnownedCity) {
  City& city = AddCity(1, 100, 300, 300);
  AddCity(2, 2, 1500, 1500);
  Character& u = Arriving(1, 300, 300);
  Draws({{50, 1}});
  Tick();
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(city.GetOwner(), 1);
  EXPECT_EQ(nations.FindById(1)->GetCityCount(), 1);
  EXPECT_EQ(nations.FindById(2)->GetCityCount(), 0);
  Point base;
  EXPECT_EQ(u.GetBasePoint(base), (Point{300, 300}));
  EXPECT_EQ(u.GetState(), 2);
  EXPECT_EQ(u.GetOrder(), Character::kOrderFree);
}

TEST_F(FieldTick, ArrivalDrivesTheDefendersToAnotherCityOfTheirs) {
  City& taken = AddCity(1, 2, 1000, 1000);
  AddCity(2, 2, 1500, 1000);
  AddCity(3, 2, 1000, 1500);
  nations.FindById(2)->SetCityCount(3);
  Character& d1 = AddUnit(1, 2, 1000, 1000);
  Character& d2 = AddUnit(2, 2, 1000, 1000);
  Arriving(3, 1000, 1000);
  Draws({{50, 1}, {1, 0}});
  Tick();
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(taken.GetOwner(), 1);
  Point base;
  for (Character* d : {&d1, &d2}) {
    EXPECT_EQ(Pos(*d), (Point{1000, 1500}));
    EXPECT_EQ(d->GetBasePoint(base), (Point{1000, 1500}));
  }
  EXPECT_EQ(nations.FindById(1)->GetCityCount(), 1);
  EXPECT_EQ(nations.FindById(2)->GetCityCount(), 2);
}

TEST_F(FieldTick, TakingTheLastCityWithItsPeopleOnItEndsTheNation) {
  AddNation(3);
  City& last = AddCity(1, 3, 300, 1500);
  nations.FindById(3)->SetCityCount(1);
  Character& king = AddUnit(1, 3, 300, 1500, 0, 0, 0);
  Character& vassal = AddUnit(2, 3, 300, 1500);
  Arriving(3, 300, 1500);
  // The city's new owner sees the fallen nation's people on it: its alert draws (and fails).
  Draws({{50, 1}, {50, 1}});
  Tick();
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(last.GetOwner(), 1);
  EXPECT_EQ(nations.FindById(3), nullptr);
  EXPECT_EQ(nations.Count(), 2);
  EXPECT_EQ(king.GetNationId(), Character::kNationNone);
  EXPECT_EQ(king.GetRank(), 4);
  EXPECT_EQ(king.GetRole(), 1);
  EXPECT_EQ(vassal.GetRank(), 4);
  EXPECT_EQ(vassal.GetNationId(), Character::kNationNone);
  EXPECT_EQ(Pos(vassal), (Point{Character::kNotPlaced, Character::kNotPlaced}));
}

TEST_F(FieldTick, TakingTheLastCityOfAnAbsentNationLeavesItStanding) {
  AddNation(3);
  AddCity(1, 3, 300, 1500);
  nations.FindById(3)->SetCityCount(1);
  AddUnit(1, 3, 1800, 100, 0, 0, 0);
  Arriving(2, 300, 1500);
  Draws({{50, 1}});
  Tick();
  EXPECT_TRUE(ScriptUsedUp());
  ASSERT_NE(nations.FindById(3), nullptr);
  EXPECT_EQ(nations.FindById(3)->GetCityCount(), 0);
  EXPECT_FALSE(nations.FindById(3)->IsMarkedForDissolution());
}

TEST_F(FieldTick, ArrivalAtAnOwnCityEndsTheMarchOneTickInTen) {
  AddCity(1, 1, 300, 300);
  Character& u = Arriving(1, 300, 300);
  Character& lord = AddUnit(2, 1, 300, 300, 2, Character::kRankLord, 3);
  lord.SetDestination(300, 300);
  nations.FindById(1)->SetLordCount(1);
  u.SetMorale(130);
  u.SetPoisoned();
  u.SetPoisonCountdown(5);
  // Each: its morale, then the draw that must exceed 90 (after its poison's own draw).
  Draws({{50, 1}, {1, 1}, {90, 1}, {50, 1}, {90, 1}});
  Tick();
  EXPECT_EQ(u.GetState(), 2);
  EXPECT_EQ(lord.GetState(), 2);
  Draws({{50, 1}, {1, 1}, {91, 1}, {50, 1}, {100, 1}});
  Tick();
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(u.GetState(), 0);
  EXPECT_EQ(u.GetMorale(), 100);
  EXPECT_FALSE(u.IsPoisoned());
  // A lord's march ends its service: it leaves the nation and the field.
  EXPECT_EQ(lord.GetNationId(), Character::kNationLords);
  EXPECT_EQ(Pos(lord), (Point{Character::kNotPlaced, Character::kNotPlaced}));
  EXPECT_EQ(nations.FindById(1)->GetLordCount(), 0);
}

}  // namespace
