// Who goes on transfer and who sorties from a city: lords and sortie orders stay, the draws are
// bounded at 1001, healthy means four fifths of max HP, and each sortie weakens the city.
#include <gtest/gtest.h>

#include "tests/planning/planning_world.h"

namespace {

using planning_test::Draws;
using planning_test::Drawn;
using planning_test::ExpectScriptUsedUp;

class TransferSortie : public ::testing::Test {
 protected:
  void SetUp() override {
    nation = &w.AddNation(1, 0, false, 1);
    source = &w.AddCity(1, 1, 1000, 1000);
    source->SetDefenceStrength(5000);
    target = &w.AddCity(2, 1, 3000, 3000);
    enemy = &w.AddCity(3, 2, 1200, 1100);
    enemy->SetDefenceStrength(700);
  }
  Character& Here(std::int32_t id, std::int32_t rank = 2) { return w.AddCharacter(id, 1, 1000, 1000, rank); }
  void Transfer() {
    w.screen.TransferStep(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, 0, 0, count,
                          idle, *target);
  }
  void Sortie() {
    w.screen.SortieStep(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, 0, 0, count, idle,
                        enemy->GetDefenceStrength(), 0);
  }

  planning_test::World w;
  Nation* nation = nullptr;
  City* source = nullptr;
  City* target = nullptr;
  City* enemy = nullptr;
  std::int32_t count = 0;
  std::int32_t idle = 0;
};

TEST_F(TransferSortie, TransferMakesAllItsDrawsAndSparesLordsAndSorties) {
  // Nobody but lords: nothing, not even a draw.
  Here(1, Character::kRankLord).chances.SetTransferChance(100);
  count = 1;
  Draws({});
  Transfer();
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(w.characters.GetAt(0)->GetOrder(), Character::kOrderFree);

  // A willing character is transferred on every draw that finds it, one idle less each time; a
  // character already on sortie is never transferred.
  Character& mover = Here(2);
  mover.chances.SetTransferChance(100);
  Character& sortie = Here(3);
  sortie.chances.SetTransferChance(100);
  sortie.SetOrderSortie();
  count = 3;
  idle = 0;
  rng::Srand(7);
  rng::StartRecording();
  Transfer();
  const auto drawn = rng::StopRecording();
  ASSERT_EQ(drawn.size(), 2002u);
  int mover_draws = 0;
  for (std::size_t d = 0; d < drawn.size(); d += 2) {
    EXPECT_EQ(drawn[d].n, 3);
    EXPECT_EQ(drawn[d + 1].n, 100);
    if (drawn[d].value == 1) ++mover_draws;
  }
  EXPECT_GT(mover_draws, 0);
  EXPECT_EQ(idle, -mover_draws);
  EXPECT_EQ(mover.GetOrder(), Character::kOrderTransfer);
  EXPECT_EQ(mover.GetTransferCity().GetId(), 2);
  EXPECT_EQ(sortie.GetOrder(), Character::kOrderSortie);
  EXPECT_EQ(w.characters.GetAt(0)->GetOrder(), Character::kOrderFree);
}

TEST_F(TransferSortie, SortieSendsHealthyIdleCharactersAgainstOneTarget) {
  Character* out[3];
  for (int i = 0; i < 3; ++i) {
    out[i] = &Here(1 + i);
    out[i]->chances.SetSortieChance(50);
    out[i]->stats.SetCombatPower(100 * (i + 1));
  }
  out[1]->stats.SetMaxHp(101);
  out[1]->stats.SetHp(80);  // 80.8 truncated: healthy
  count = 3;
  idle = 3;
  // r = 85: all three healthy ones go; each is tried with a roll of 50.
  Draws({{85}, {0}, {50, 1}, {1}, {50, 1}, {2}, {50, 1}});
  Sortie();
  ExpectScriptUsedUp();
  Point to;
  for (Character* c : out) {
    EXPECT_EQ(c->GetOrder(), Character::kOrderSortie);
    EXPECT_EQ(c->GetState(), 2);
    EXPECT_EQ(c->GetDestination(to), (Point{1200, 1100}));
    EXPECT_EQ(c->GetPosition(to), (Point{1000, 1000}));
  }
  EXPECT_EQ(source->GetDefenceStrength(), 5000 - 600);
  EXPECT_EQ(enemy->GetDefenceStrength(), 700);
  EXPECT_EQ(idle, 0);

  // An attack caution other than 0, 1 or 2 sends nobody.
  for (Character* c : out) c->SetOrderFree();
  w.nations.Clear();
  w.AddNation(1, 0, false, 3);
  Draws({});
  Sortie();
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(TransferSortie, SortieDrawsHowManyGoAndStopsAtTheBound) {
  Character& weak = Here(1);
  weak.stats.SetHp(79);
  weak.chances.SetSortieChance(100);
  Character& timid = Here(2);
  timid.chances.SetSortieChance(0);
  Character& brave = Here(3);
  brave.chances.SetSortieChance(100);
  count = 3;
  idle = 3;
  // healthy = 2 (timid, brave); r = 80 draws k from 1 to 2: 1. The wounded one and the timid one
  // are passed over, the brave one goes and the step ends.
  Draws({{80}, {1, 1}, {0}, {1, 1}, {1}, {100, 1}, {2}, {100, 1}});
  Sortie();
  ExpectScriptUsedUp();
  EXPECT_EQ(brave.GetOrder(), Character::kOrderSortie);
  EXPECT_EQ(weak.GetOrder(), Character::kOrderFree);
  EXPECT_EQ(timid.GetOrder(), Character::kOrderFree);
  EXPECT_EQ(idle, 2);

  // The timid one alone: 1001 draws in vain.
  brave.SetOrderFree();
  brave.stats.SetHp(0);
  rng::Srand(3);
  rng::StartRecording();
  Sortie();
  EXPECT_EQ(rng::StopRecording().size(), 2u + 2 * 1001);
  EXPECT_EQ(timid.GetOrder(), Character::kOrderFree);
  EXPECT_EQ(idle, 2);
}

}  // namespace
