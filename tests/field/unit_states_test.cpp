// The field state machine of one character on small fields: marching into enemies and duels,
// closing in, fighting, winning a duel, guarding one, pursuing from its city and standing down
// there, and resting beside an enemy.
#include <gtest/gtest.h>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

constexpr Want kNoAttack{99, 10};
constexpr Want kNoExtra{9, 1};

class UnitStates : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    AddNation(1);
    AddNation(2);
    AddNation(3);
    u = &AddUnit(1, 1, 500, 500, 2);
    e = &AddUnit(2, 2, 900, 900, 2);
  }

  void Decide(std::vector<Want> draws = {}) {
    Draws(draws);
    FieldWorld w = World();
    field::DecideState(w, *u);
    EXPECT_TRUE(ScriptUsedUp());
  }

  Character* u = nullptr;
  Character* e = nullptr;
};

TEST_F(UnitStates, MarchingUnitMeetsEnemiesAndDuels) {
  e->SetPosition(550, 500);  // 50 away: within 60, not 40
  Decide();
  EXPECT_EQ(u->GetState(), 10);
  EXPECT_EQ(u->GetPrevState(), 2);

  // Within 40: engaged, walking to a spot below its enemy's left (band 2, slot 2 for k = 1).
  SetState(*u, 2);
  e->SetPosition(510, 510);
  u->SetWalkStep(3);
  Decide({{1, 1}, {-13, -13}, {-13, -13}});
  EXPECT_EQ(u->GetState(), 5);
  EXPECT_EQ(u->GetWalkStep(), 0);
  Point p;
  EXPECT_EQ(u->GetEngagementPoint(p), (Point{492, 492}));
  EXPECT_EQ(u->GetTargetPoint(p), (Point{510, 510}));

  // Not an enemy: an ally's unit, an idle or a recuperating one, one of its own nation.
  SetState(*u, 2);
  nations.FindById(1)->SetRelation(2, 1);
  Decide();
  EXPECT_EQ(u->GetState(), 2);
  nations.FindById(1)->SetRelation(2, 0);
  e->SetStateThinking();
  Decide();
  EXPECT_EQ(u->GetState(), 2);
  e->SetStateMoving();
  e->SetOrderRecuperation();
  Decide();
  EXPECT_EQ(u->GetState(), 2);
  e->SetOrderFree();
  e->SetNationId(1);
  Decide();
  EXPECT_EQ(u->GetState(), 2);

  // A duel within 80 of a unit outside duels: it stands guard, watching the duellist.
  Character& duellist = AddUnit(3, 3, 570, 570, 7);
  duellist.SetInDuel();
  e->SetPosition(1500, 1500);
  Decide();
  EXPECT_EQ(u->GetState(), 8);
  EXPECT_EQ(u->GetDuelWatchPoint(p), (Point{570, 570}));
  // A guard goes back to its march when the duel is over.
  duellist.ClearInDuel();
  Decide();
  EXPECT_EQ(u->GetState(), 2);
}

TEST_F(UnitStates, ClosingInFightingAndLeavingTheFight) {
  // On its spot with the enemy within 40: the fight begins.
  SetState(*u, 5);
  e->SetPosition(520, 500);
  u->ChooseEngagementPoint(*e);
  Point spot;
  u->GetEngagementPoint(spot);
  u->SetPosition(spot.x, spot.y);
  Decide();
  EXPECT_EQ(u->GetState(), 6);
  Point p;
  EXPECT_EQ(u->GetTargetPoint(p), (Point{520, 500}));

  // In battle: it stays while the enemy is within 40 (the combat decision follows).
  Decide({kNoAttack, kNoExtra});
  EXPECT_EQ(u->GetState(), 6);
  // The enemy backs off to 50: rest beside it; to 100: back to the march.
  u->skill_slots.SetAttacking();
  e->SetPosition(spot.x + 50, spot.y);
  Decide({kNoAttack, kNoExtra});
  EXPECT_EQ(u->GetState(), 10);
  EXPECT_FALSE(u->skill_slots.IsAttacking());
  SetState(*u, 6);
  u->stats.SetLastDamage(12);
  e->SetPosition(spot.x + 100, spot.y);
  Decide({kNoAttack, kNoExtra});
  EXPECT_EQ(u->GetState(), 2);
  EXPECT_EQ(u->stats.GetLastDamage(), 0);
  // A defender sent out from its city marches back to pursuing instead; a paralysed one stays.
  SetState(*u, 9);
  u->SavePrevState();
  SetState(*u, 6);
  Decide({kNoAttack, kNoExtra});
  EXPECT_EQ(u->GetState(), 9);
  SetState(*u, 6);
  u->SetParalysed();
  Decide();
  EXPECT_EQ(u->GetState(), 6);
  // Moving to battle with no enemy within 60: back to the march.
  u->ClearParalysed();
  SetState(*u, 5);
  Decide();
  EXPECT_EQ(u->GetState(), 9);
}

TEST_F(UnitStates, DuelWonWhenThePartnerFalls) {
  divisions.Add(7001, 1, 1, 1, 5, 150, 0, 0, 0, 0, 0, 0, 0, 0, 1);
  divisions.Add(7002, 2, 2, 1, 5, 150, 0, 0, 0, 0, 0, 0, 0, 0, 2);
  divisions.FindById(1)->SetFame(5);
  divisions.FindById(2)->SetFame(0);
  u->SetDivisionId(1);
  e->SetDivisionId(2);
  SetState(*u, 7);
  SetState(*e, 12);
  u->SetInDuel();
  e->SetInDuel();
  u->SetDuelPartnerId(2);
  e->SetDuelPartnerId(1);
  u->stats.SetDuelCount(1);
  e->stats.SetFame(0);
  // The win is booked first; the decision that follows has no one left to strike at.
  Decide({{100, 10}, {0, 0}, {0, 0}, kNoExtra});
  EXPECT_FALSE(u->IsInDuel());
  EXPECT_FALSE(e->IsInDuel());
  EXPECT_EQ(u->stats.GetDuelCount(), 2);
  EXPECT_EQ(u->stats.GetDuelWins(), 1);
  EXPECT_EQ(u->stats.GetWinRate(), 50);
  EXPECT_EQ(e->stats.GetDuelCount(), 1);
  EXPECT_EQ(e->stats.GetFame(), 0);
  EXPECT_EQ(divisions.FindById(1)->GetFame(), 6);
  EXPECT_EQ(divisions.FindById(2)->GetFame(), 0);
  EXPECT_EQ(u->GetState(), 2);
  EXPECT_FALSE(u->skill_slots.IsAttacking());
}

TEST_F(UnitStates, PursuitFromTheCityAndStandingDownThere) {
  City& city = AddCity(1, 2, 500, 500);  // taken by nation 2 while the defender was out
  nations.FindById(1)->SetCityCount(2);
  nations.FindById(2)->SetCityCount(1);
  SetState(*u, 9);
  u->SavePrevState();
  u->SetPosition(620, 500);
  e->SetPosition(700, 500);  // 80 away: within 100, not 40; its base within 150
  Decide();
  EXPECT_EQ(u->GetState(), 10);
  EXPECT_EQ(u->GetPrevState(), 9);
  // Resting after a pursuit: once no enemy is within 60 and the city is clear, pursue (home).
  e->SetPosition(1500, 1500);
  Decide();
  EXPECT_EQ(u->GetState(), 9);
  // An enemy within 100 of the city keeps it resting.
  SetState(*u, 10);
  Character& squatter = AddUnit(3, 3, 560, 560);
  Decide();
  EXPECT_EQ(u->GetState(), 10);
  squatter.SetPosition(1500, 100);
  // Back on its base with nobody about: it holds the city again, both nations' city counts
  // following as in a capture, and stands down.
  SetState(*u, 9);
  u->SetPosition(500, 500);
  u->SetMorale(130);
  u->SetPoisoned();
  u->SetPoisonCountdown(4);
  Decide();
  EXPECT_EQ(city.GetOwner(), 1);
  EXPECT_EQ(nations.FindById(1)->GetCityCount(), 3);
  EXPECT_EQ(nations.FindById(2)->GetCityCount(), 0);
  EXPECT_EQ(u->GetState(), 0);
  EXPECT_EQ(u->GetMorale(), 100);
  EXPECT_FALSE(u->IsPoisoned());
  // Within 40 of an enemy a pursuer engages it, keeping 9 to come back to.
  SetState(*u, 9);
  e->SetPosition(530, 500);
  Decide({{1, 1}, {-13, -17}, {5, 5}});
  EXPECT_EQ(u->GetState(), 5);
  EXPECT_EQ(u->GetPrevState(), 9);
}

TEST_F(UnitStates, TimedEffectsEndAndGiveTheirAmountsBack) {
  TacticList tactics;
  tactics.Add(names::kNone, 1, 0, 0, 1.0, 1.0, 4, 4, 0, 4, 4, 4, 4, 1.0f, 1.0f, 0, 0, 0, 1, 0, 0, names::kNone, 0, 0,
              0, 0, 0, 0, 0, 0, 0, 0, names::kNone, 0, 0, 0, 0);
  SkillList weakenings;
  AddStance(weakenings, 1, Skill::kWeaken, 2, 0, 0, 1);
  u->skill_slots.SetTactic(*tactics.GetAt(0));
  u->skill_slots.SetTacticActive();
  u->skill_slots.SetTacticTimeLeft(1);
  u->skill_slots.SetWeakenSkill(*weakenings.GetAt(0));
  u->skill_slots.SetWeakenActive();
  u->skill_slots.SetWeakenTargeted();
  u->skill_slots.SetWeakenTimeLeft(0);
  const int evasion = u->stats.GetEvasion();
  field::CountDownEffects(*u);  // the weakening is out: its 2 come back
  EXPECT_FALSE(u->skill_slots.IsWeakenActive());
  EXPECT_FALSE(u->skill_slots.IsWeakenTargeted());
  EXPECT_EQ(u->stats.GetEvasion(), evasion + 2);
  field::CountDownEffects(*u);
  EXPECT_TRUE(u->skill_slots.IsTacticActive());  // the tactic runs down to 0 and one tick past
  field::CountDownEffects(*u);
  EXPECT_FALSE(u->skill_slots.IsTacticActive());
  EXPECT_EQ(u->stats.GetEvasion(), evasion - 2);
  EXPECT_EQ(u->skill_slots.GetTacticTimeLeft(), 0);
}

}  // namespace
