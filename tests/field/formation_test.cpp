// Field parties: the followers keep their places around the marching leader, a member meeting an
// enemy leaves the formation, a lined-up party sets off, a member takes a city or ends the march,
// and a party whose march is over gathers or goes home.
#include <gtest/gtest.h>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class Formation : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    AddNation(1);
    AddNation(2);
  }

  // A party of nation 1: the leader (id 1, a band leader) and followers 2 and 3, all in
  // formation, marching to `dest`.
  void MakeParty(Point leader_at, Point dest, std::int32_t state = 2) {
    leader = &AddUnit(1, 1, leader_at.x, leader_at.y, state, 2, 1);
    first = &AddUnit(2, 1, 300, 300, state);
    second = &AddUnit(3, 1, 320, 300, state);
    for (Character* m : {leader, first, second}) {
      m->SetInFormation();
      m->SetDestination(dest.x, dest.y);
    }
    leader->stats.SetField(StatsBlock::kMovePattern, 2);
    parties.Add(1, 1, 2, 3, 0, 0, 0);
    party = parties.GetAt(0);
    party->SetActive();
  }

  void Update(std::vector<Want> draws = {}) {
    Draws(draws);
    screen.UpdateParties(window, 1, characters, nations, cities, parties, divisions, defeat);
  }
  void March(std::vector<Want> draws = {}) {
    Draws(draws);
    screen.MarchParties(window, 1, characters, nations, cities, parties, divisions, defeat);
  }

  Character* leader = nullptr;
  Character* first = nullptr;
  Character* second = nullptr;
  FieldParty* party = nullptr;
  std::uint8_t defeat = 0;
};

TEST_F(Formation, FollowersKeepTheirPlacesAroundTheMarchingLeader) {
  MakeParty({500, 500}, {900, 700});
  for (int i = 0; i < 4; ++i) {
    Update();
    const Point l = Pos(*leader);
    EXPECT_EQ(Pos(*first), (Point{l.x, l.y - 16})) << i;
    EXPECT_EQ(Pos(*second), (Point{l.x - 16, l.y - 6})) << i;
    for (Character* m : {first, second}) {
      EXPECT_EQ(m->GetWalkStep(), leader->GetWalkStep());
      EXPECT_EQ(m->GetAnimFrame(), leader->GetAnimFrame());
    }
  }
  EXPECT_EQ(Pos(*leader), (Point{510, 506}));  // two moving steps toward (900, 700): (6, 2), then (4, 4)
}

TEST_F(Formation, AMemberMeetingAnEnemyLeavesTheFormation) {
  MakeParty({500, 500}, {900, 700});
  Character& enemy = AddUnit(4, 2, 550, 500, 2);
  Update();
  EXPECT_EQ(leader->GetState(), 10);
  EXPECT_EQ(leader->GetPrevState(), 2);
  EXPECT_FALSE(leader->IsInFormation());
  Point p;
  EXPECT_EQ(leader->GetApproachPoint(p), (Point{550, 500}));
  // 30 away: it closes in to fight.
  SetState(*first, 2);
  first->SetPosition(520, 300);
  enemy.SetPosition(550, 300);
  Update();
  EXPECT_TRUE(first->GetState() == 5 || first->GetState() == 6);
  EXPECT_FALSE(first->IsInFormation());
  // Allies are passed by.
  nations.FindById(1)->SetRelation(2, 1);
  second->SetPosition(560, 320);
  Update();
  EXPECT_EQ(second->GetState(), 2);
  EXPECT_TRUE(second->IsInFormation());
}

TEST_F(Formation, ALinedUpPartySetsOffTheTickAfterTheLastMemberArrives) {
  MakeParty({500, 500}, {900, 700});
  for (Character* m : {leader, first, second}) LoadState(*m, 3);
  leader->SetLineUpPoint(500, 500);
  first->SetPosition(500, 484);
  first->SetLineUpPoint(500, 490);
  first->SetWalkStep(1);
  second->SetPosition(480, 494);
  second->SetLineUpPoint(480, 494);
  Update();
  EXPECT_EQ(Pos(*first), (Point{500, 490}));
  EXPECT_EQ(leader->GetState(), 3);
  Update();
  for (Character* m : {leader, first, second}) EXPECT_EQ(m->GetState(), 2);
}

TEST_F(Formation, APartyTakesACityAndEndsItsMarchAtHome) {
  City& city = AddCity(1, 2, 900, 700);
  AddCity(2, 2, 1500, 1500);
  MakeParty({900, 700}, {900, 700});
  Character& defender = AddUnit(4, 2, 900, 700);
  // Three morale draws, then the defender's refuge.
  Update({{50, 1}, {50, 1}, {50, 1}, {0, 0}});
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(city.GetOwner(), 1);
  EXPECT_EQ(Pos(defender), (Point{1500, 1500}));
  Point base;
  EXPECT_EQ(first->GetBasePoint(base), (Point{900, 700}));
  EXPECT_EQ(leader->GetState(), 2);
  // Now its own city: the march ends one tick in ten, and the band leader breaks the formation.
  Update({{50, 1}, {50, 1}, {50, 1}, {90, 1}});
  EXPECT_EQ(leader->GetState(), 2);
  leader->SetMorale(150);
  Update({{50, 1}, {50, 1}, {50, 1}, {91, 1}});
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(leader->GetState(), 0);
  EXPECT_EQ(leader->GetMorale(), 100);
  EXPECT_FALSE(first->IsInFormation());
  EXPECT_TRUE(party->IsActive());
}

TEST_F(Formation, AnIdlePartyGathersOrGoesHome) {
  AddCity(1, 1, 300, 300);
  AddCity(2, 1, 1200, 1200);
  AddCity(3, 2, 1600, 400);
  MakeParty({700, 700}, {700, 700}, 0);
  first->SetPosition(650, 640);
  Update();  // nobody marches
  March();
  EXPECT_EQ(Pos(*first), (Point{700, 700}));
  EXPECT_EQ(Pos(*second), (Point{700, 700}));
  EXPECT_FALSE(party->IsActive());

  // All idle away from their destinations: home to their bases while their nation holds them.
  party->SetActive();
  leader->SetBasePoint(300, 300);
  first->SetBasePoint(300, 300);
  second->SetBasePoint(1600, 400);  // lost to nation 2: one of the nation's cities is drawn
  for (Character* m : {leader, first, second}) {
    m->SetPosition(800, 820);
    m->SetDestination(100, 100);
  }
  March({{1, 0}});
  EXPECT_TRUE(ScriptUsedUp());
  EXPECT_EQ(Pos(*leader), (Point{300, 300}));
  EXPECT_EQ(Pos(*first), (Point{300, 300}));
  EXPECT_EQ(Pos(*second), (Point{1200, 1200}));
  Point base;
  EXPECT_EQ(second->GetBasePoint(base), (Point{1200, 1200}));
  EXPECT_FALSE(party->IsActive());
}

}  // namespace
