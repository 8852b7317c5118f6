// The phases after the characters' turns: city alerts, knocked-out characters and the
// dissolution of defeated nations.
#include <gtest/gtest.h>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class Phases : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    for (int id = 1; id <= 4; ++id) AddNation(id);
  }
  void Alert(std::vector<Want> draws) {
    Draws(draws);
    screen.AlertCities(window, 1, characters, nations, cities, parties, divisions, defeat);
    EXPECT_TRUE(ScriptUsedUp());
  }
  void KnockedOut(std::vector<Want> draws) {
    Draws(draws);
    screen.HandleKnockedOut(window, 1, characters, nations, cities, parties, divisions, defeat);
    EXPECT_TRUE(ScriptUsedUp());
  }
  void Dissolve() { screen.DissolveDefeatedNations(window, 1, characters, nations, cities, parties, divisions, defeat); }

  std::uint8_t defeat = 0;
};

TEST_F(Phases, ACitySendsAnIdleDefenderOutOneTickInFive) {
  AddCity(1, 1, 500, 500);
  Character& d = AddUnit(1, 1, 500, 500);
  Character& x = AddUnit(2, 2, 649, 649);
  // 149 away on both axes: the alert draws; 80 sends nobody.
  Alert({{80, 1}});
  EXPECT_EQ(d.GetState(), 0);
  Alert({{81, 1}, {0, 0}});
  EXPECT_EQ(d.GetState(), 9);
  EXPECT_EQ(d.GetPrevState(), 9);
  // Already out, or recuperating: the draws are made all the same.
  Alert({{81, 1}, {0, 0}});
  d.SetStateThinking();
  d.SetOrderRecuperation();
  Alert({{81, 1}, {0, 0}});
  EXPECT_EQ(d.GetState(), 0);
  // 150 away on one axis: not near the city at all.
  x.SetPosition(650, 500);
  Alert({});
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(Phases, AnAlertWakesTheDefendersParty) {
  AddCity(1, 1, 500, 500);
  characters.Add(9001, 0, 0, 0, 1, 500, 500, 1, 0, 7, 1, 2, 0, 0, 0);
  characters.GetAt(0)->SetStateThinking();
  AddUnit(2, 2, 600, 600);
  parties.Add(7, 1, 0, 0, 0, 0, 0);
  Alert({{100, 1}, {0, 0}});
  EXPECT_TRUE(parties.GetAt(0)->IsActive());
}

TEST_F(Phases, KnockedOutCharactersLeaveTheFieldOrGoHomeToRecuperate) {
  AddCity(1, 1, 300, 300);
  AddCity(2, 1, 900, 900);
  AddCity(3, 2, 1500, 300);
  Nation& n1 = *nations.FindById(1);
  n1.SetMemberCount(5);
  n1.SetLordCount(2);
  Character& lord = AddUnit(1, 1, 400, 400, 12, Character::kRankLord, 3);
  Character& mercenary = AddUnit(2, 1, 400, 400, 12, 4, 4);
  Character& vassal = AddUnit(3, 1, 300, 300, 12);
  Character& stranded = AddUnit(4, 1, 1500, 300, 12);
  lord.stats.SetHp(0);
  lord.stats.SetSp(1);
  vassal.SetPosition(350, 320);
  vassal.SetPoisoned();
  vassal.SetPoisonCountdown(4);
  vassal.skill_slots.SetAttacking();
  vassal.SetMorale(60);
  KnockedOut({{5, 3}, {1, 0}, {3, 3}});
  EXPECT_EQ(lord.stats.GetHp(), lord.stats.GetMaxHp());
  EXPECT_EQ(lord.stats.GetSp(), lord.stats.GetMaxSp());
  EXPECT_EQ(lord.GetNationId(), Character::kNationLords);
  EXPECT_EQ(lord.GetState(), 0);
  EXPECT_EQ(n1.GetLordCount(), 1);
  EXPECT_EQ(mercenary.GetNationId(), Character::kNationNone);
  EXPECT_EQ(n1.GetMemberCount(), 4);
  // The vassal is carried to the city it is based at; the other to one drawn for it.
  EXPECT_EQ(Pos(vassal), (Point{300, 300}));
  EXPECT_EQ(vassal.GetState(), 0);
  EXPECT_EQ(vassal.GetOrder(), Character::kOrderRecuperation);
  EXPECT_EQ(vassal.GetRecuperationTurns(), 5);
  EXPECT_EQ(vassal.GetMorale(), 100);
  EXPECT_FALSE(vassal.IsPoisoned());
  EXPECT_FALSE(vassal.skill_slots.IsAttacking());
  Point base;
  EXPECT_EQ(stranded.GetBasePoint(base), (Point{900, 900}));
  EXPECT_EQ(Pos(stranded), (Point{900, 900}));
  EXPECT_EQ(stranded.GetRecuperationTurns(), 3);
  EXPECT_EQ(defeat, 0);
}

TEST_F(Phases, AFallenKingOfANationWithoutCitiesEndsItInTheSameTick) {
  Character& king = AddUnit(1, 3, 700, 700, 12, 0, 0);
  Character& leader = AddUnit(2, 3, 720, 700, 12, 2, 1);  // a band leader with no city to go to
  Character& vassal = AddUnit(3, 3, 740, 700, 0);
  Character& lord = AddUnit(4, 3, 760, 700, 0, Character::kRankLord, 3);
  Character& other = AddUnit(5, 1, 780, 700, 12);  // knocked out after them, with a city
  AddCity(1, 1, 100, 100);
  KnockedOut({{4, 3}, {0, 0}, {3, 3}});
  EXPECT_EQ(defeat, 1);
  EXPECT_TRUE(nations.FindById(3)->IsMarkedForDissolution());
  EXPECT_EQ(king.GetOrder(), Character::kOrderRecuperation);
  EXPECT_EQ(leader.GetState(), 12);
  EXPECT_EQ(other.GetState(), 0);
  EXPECT_EQ(Pos(other), (Point{100, 100}));

  Dissolve();
  EXPECT_EQ(defeat, 0);
  EXPECT_EQ(nations.FindById(3), nullptr);
  EXPECT_EQ(king.GetRank(), 4);
  EXPECT_EQ(king.GetRole(), 1);
  EXPECT_EQ(king.GetNationId(), Character::kNationNone);
  EXPECT_EQ(vassal.GetRank(), 4);
  EXPECT_EQ(lord.GetNationId(), Character::kNationLords);
  EXPECT_EQ(leader.GetNationId(), Character::kNationNone);
  EXPECT_EQ(characters.CountOfNation(3), 0);
}

TEST_F(Phases, EveryMarkedNationIsDissolvedInOnePassAndLeavesNoCityBehind) {
  nations.FindById(2)->SetDefeated();
  nations.FindById(3)->SetDefeated();  // moves into nation 2's place when that one goes
  AddUnit(1, 2, 500, 500);
  AddUnit(2, 3, 500, 500);
  City& held = AddCity(1, 1, 100, 100);
  City& taken = AddCity(2, 3, 900, 900);  // taken by nation 3 after it was marked
  Dissolve();  // no defeat this tick: nothing happens
  EXPECT_EQ(nations.Count(), 4);
  defeat = 1;
  Dissolve();
  EXPECT_EQ(defeat, 0);
  EXPECT_EQ(nations.FindById(2), nullptr);
  EXPECT_EQ(nations.FindById(3), nullptr);
  EXPECT_EQ(nations.Count(), 2);
  EXPECT_EQ(characters.CountOfNation(3), 0);
  EXPECT_EQ(taken.GetOwner(), City::kNoOwner);
  EXPECT_EQ(held.GetOwner(), 1);
}

}  // namespace
