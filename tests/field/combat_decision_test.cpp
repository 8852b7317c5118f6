// The combat decision of a fighting or duelling character: the attack and its skill, the six
// casts with their targets, lengths, effects and SP, paralysis and anger, the duel challenge and
// the new spot beside the enemy; never an attack on the stand-in of an empty search.
#include <gtest/gtest.h>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class CombatDecision : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    u = &AddUnit(1, 1, 100, 100, 6);
    e = &AddUnit(2, 2, 120, 100, 6);
  }

  void Decide(Character* target, int state = 6) {
    FieldWorld w = World();
    field::DecideCombat(w, *u, target, state);
  }

  // Decides with the draws given and checks that exactly they were made.
  void DecideWith(std::vector<Want> draws, Character* target, int state = 6) {
    Draws(draws);
    Decide(target, state);
    EXPECT_TRUE(ScriptUsedUp());
  }

  // Runs a cast in hand to its end as the tick would, counting boosts' steps for them.
  void FinishCast() {
    for (int i = 0; i < 20 && !u->IsFreeToAct(); ++i) {
      const SkillSlots& s = u->skill_slots;
      if (s.IsCastingSelfBoost() || s.IsCastingAllyBoost() || s.IsCastingWeaken())
        u->SetActionCounter(u->GetActionCounter() + 1);
      Decide(e);
    }
    ASSERT_TRUE(u->IsFreeToAct());
  }

  static constexpr Want kNoAttack{99, 10};  // attack speed 10: only 100 and more start one
  Character* u = nullptr;
  Character* e = nullptr;
};

TEST_F(CombatDecision, TheAttackAndItsSkill) {
  AttackSpec technique;
  technique.kind = Skill::kTechniqueAttack;
  technique.sp_cost = 5;
  AddAttack(u->skills, 201, technique);

  DecideWith({kNoAttack, {9, 1}}, e);
  EXPECT_FALSE(u->skill_slots.IsAttacking());

  // One in ten a technique (the only category it has), paid for by SP; then no extra action.
  u->SetWalkStep(2);
  DecideWith({{100, 10}, {5, 0}, {0, 0}, {1, 1}}, e);
  EXPECT_TRUE(u->skill_slots.IsAttacking());
  EXPECT_EQ(u->GetCombatAction(), 1);
  EXPECT_EQ(u->skill_slots.GetAttackSkill().GetId(), 201);
  EXPECT_EQ(u->skill_slots.GetAttackTargetId(), 2);
  EXPECT_EQ(u->GetWalkStep(), 0);

  // Short of SP, or angry: a basic attack.
  u->skill_slots.ClearAttacking();
  u->stats.SetSp(4);
  DecideWith({{100, 10}, {5, 0}, {0, 0}, {0, 0}, {9, 1}}, e);
  EXPECT_EQ(u->GetCombatAction(), 0);
  EXPECT_EQ(u->skill_slots.GetAttackSkill().GetId(), 101);
  u->skill_slots.ClearAttacking();
  u->stats.SetSp(10);
  u->SetAngry();
  DecideWith({{100, 10}, {5, 0}, {0, 0}, {9, 1}}, e);
  EXPECT_EQ(u->GetCombatAction(), 0);

  // With special attacks as well, the category is drawn.
  AttackSpec special = technique;
  special.kind = Skill::kSpecialAttack;
  AddAttack(u->skills, 202, special);
  u->ClearAngry();
  u->skill_slots.ClearAttacking();
  DecideWith({{100, 10}, {0, 0}, {2, 1}, {0, 0}, {9, 1}}, e);
  EXPECT_EQ(u->GetCombatAction(), 2);
  EXPECT_EQ(u->skill_slots.GetAttackSkill().GetId(), 202);

  // No real enemy within 40 (the search's stand-in): nothing to strike at.
  u->skill_slots.ClearAttacking();
  DecideWith({{100, 10}, {50, 0}, {0, 0}, {9, 1}}, nullptr);
  EXPECT_FALSE(u->skill_slots.IsAttacking());
}

TEST_F(CombatDecision, SelfBoostRunsItsLengthThenHoldsForItsDuration) {
  AddStance(u->skills, 301, Skill::kSelfBoost, 2, 3, 4, 2);
  const int dexterity = u->stats.GetDexterity();
  DecideWith({kNoAttack, {1, 1}, {0, 0}, {0, 0}}, e);
  EXPECT_TRUE(u->skill_slots.IsCastingSelfBoost());
  EXPECT_EQ(u->GetCombatAction(), 3);
  FinishCast();
  EXPECT_TRUE(u->skill_slots.IsSelfBoostActive());
  EXPECT_EQ(u->skill_slots.GetSelfBoostTimeLeft(), 4);
  EXPECT_EQ(u->stats.GetDexterity(), dexterity + 2);
  EXPECT_EQ(u->stats.GetSp(), 7);
  for (int i = 0; i < 4; ++i) field::CountDownEffects(*u);
  EXPECT_TRUE(u->skill_slots.IsSelfBoostActive());
  field::CountDownEffects(*u);
  EXPECT_FALSE(u->skill_slots.IsSelfBoostActive());
  EXPECT_EQ(u->stats.GetDexterity(), dexterity);

  // Short of SP the skill is taken up but no cast starts.
  u->stats.SetSp(2);
  DecideWith({kNoAttack, {1, 1}, {0, 0}, {0, 0}}, e);
  EXPECT_TRUE(u->IsFreeToAct());
}

TEST_F(CombatDecision, CastsOnOthersTakeEffectAtTheirEndAndCostSp) {
  Character& ally = AddUnit(3, 1, 130, 100, 6);
  AddStance(u->skills, 401, Skill::kAllyBoost, 3, 2, 5, 1);
  AddStance(u->skills, 402, Skill::kWeaken, 1, 2, 5, 1);
  u->stats.SetSp(20);
  // Ally boost: the candidates are U and its ally beside the nearest ally; the second is drawn.
  DecideWith({kNoAttack, {2, 1}, {0, 0}, {1, 0}, {0, 0}}, e);
  EXPECT_TRUE(u->skill_slots.IsCastingAllyBoost());
  EXPECT_TRUE(ally.skill_slots.IsAllyBoostTargeted());
  const int evasion = ally.stats.GetEvasion();
  FinishCast();
  EXPECT_TRUE(ally.skill_slots.IsAllyBoostActive());
  EXPECT_EQ(ally.stats.GetEvasion(), evasion + 3);
  EXPECT_EQ(u->stats.GetSp(), 18);

  // A weakening whose target has stood down by its end does nothing and costs nothing.
  DecideWith({kNoAttack, {3, 1}, {0, 0}, {0, 0}, {0, 0}}, e);
  EXPECT_TRUE(u->skill_slots.IsCastingWeaken());
  e->SetStateThinking();
  FinishCast();
  EXPECT_FALSE(e->skill_slots.IsWeakenActive());
  EXPECT_EQ(u->stats.GetSp(), 18);
}

TEST_F(CombatDecision, HealsCuresAndAilments) {
  Character& ally = AddUnit(3, 1, 130, 100, 6);
  AddHeal(u->skills, 501, Skill::kHeal, 1.0f, 0.5f, 4, 1);
  u->stats.SetSp(20);
  ally.stats.SetHealingPower(10);
  // A heal factor of 1.0 asks for a wound of 20: 19 is not enough (no candidate, no pick).
  ally.stats.SetHp(ally.stats.GetMaxHp() - 19);
  DecideWith({kNoAttack, {6, 1}, {0, 0}}, e);
  EXPECT_TRUE(u->IsFreeToAct());
  ally.stats.SetHp(ally.stats.GetMaxHp() - 20);
  ally.stats.SetSp(0);
  DecideWith({kNoAttack, {6, 1}, {0, 0}, {0, 0}, {0, 0}}, e);
  EXPECT_TRUE(u->skill_slots.IsCastingHeal());
  EXPECT_EQ(u->GetCombatAction(), 12);
  FinishCast();
  EXPECT_EQ(ally.stats.GetHp(), ally.stats.GetMaxHp() - 10);
  EXPECT_EQ(ally.stats.GetSp(), 5);
  EXPECT_FALSE(ally.skill_slots.IsHealTargeted());
  EXPECT_EQ(u->stats.GetSp(), 16);

  // In a duel the heal is on oneself, and gives back HP only.
  u->SetStateDueling();
  u->stats.SetHealingPower(7);
  u->stats.SetHp(u->stats.GetMaxHp() - 30);
  DecideWith({kNoAttack, {2, 1}, {0, 0}, {0, 0}}, e, 7);
  EXPECT_TRUE(u->skill_slots.IsCastingHeal());
  FinishCast();
  EXPECT_EQ(u->stats.GetHp(), u->stats.GetMaxHp() - 23);
  EXPECT_EQ(u->stats.GetSp(), 12);

  // A poisoning cast on the enemy, then a cure for the poisoned ally.
  u->SetStateFighting();
  AddPoisonCast(u->skills, 502, 100, 6, 3, 1);
  AddHeal(u->skills, 503, Skill::kCure, 0, 0, 1, 1);
  e->stats.SetPoisonSusceptibility(100);
  DecideWith({kNoAttack, {5, 1}, {0, 0}, {0, 0}, {0, 0}}, e);
  EXPECT_EQ(u->GetCombatAction(), 9);
  Draws({{100, 1}});
  FinishCast();
  EXPECT_TRUE(e->IsPoisoned());
  EXPECT_EQ(e->GetPoisonCountdown(), 6);
  EXPECT_EQ(u->stats.GetSp(), 9);
  ally.SetConfused();
  ally.SetConfusionCountdown(4);
  DecideWith({kNoAttack, {4, 1}, {0, 0}, {0, 0}, {0, 0}}, e);
  FinishCast();
  EXPECT_FALSE(ally.IsConfused());
  EXPECT_EQ(ally.GetConfusionCountdown(), 0);
  EXPECT_EQ(u->stats.GetSp(), 8);
}

TEST_F(CombatDecision, ParalysisAngerAndTheDuelChallenge) {
  // Paralysed: no decision and no draw, but the attack in hand goes on.
  u->SetParalysed();
  u->skill_slots.SetAttacking();
  u->skill_slots.SetAttackSkill(*u->skills.GetAt(0));
  u->SetActionCounter(1);
  DecideWith({}, e);
  EXPECT_EQ(u->skill_slots.GetActionStep(), 1);
  u->SetActionCounter(3);
  DecideWith({}, e);
  EXPECT_FALSE(u->skill_slots.IsAttacking());
  u->ClearParalysed();

  // Angry: no new spot beside the enemy.
  u->SetAngry();
  DecideWith({kNoAttack, {7, 1}, {0, 0}}, e);
  EXPECT_EQ(u->GetState(), 6);
  u->ClearAngry();
  DecideWith({kNoAttack, {7, 1}, {0, 0}, {1, 1}, {-17, -17}, {5, 5}}, e);
  EXPECT_EQ(u->GetState(), 5);
  u->SetStateFighting();

  // The challenge: one in a hundred, both at 60 percent of their HP, and the enemy willing.
  e->chances = ChanceRecord::ConstructFromValues(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50);
  DecideWith({kNoAttack, {8, 1}, {99, 1}}, e);
  e->stats.SetHp(47);  // below 48 of 80
  DecideWith({kNoAttack, {8, 1}, {100, 1}}, e);
  e->stats.SetHp(48);
  DecideWith({kNoAttack, {8, 1}, {100, 1}, {49, 1}}, e);
  EXPECT_FALSE(u->IsInDuel());
  DecideWith({kNoAttack, {8, 1}, {100, 1}, {50, 1}}, e);
  EXPECT_TRUE(u->IsInDuel());
  EXPECT_TRUE(e->IsInDuel());
  EXPECT_EQ(u->GetState(), 7);
  EXPECT_EQ(e->GetState(), 7);
  EXPECT_EQ(u->GetDuelPartnerId(), 2);
  EXPECT_EQ(e->GetDuelPartnerId(), 1);
}

}  // namespace
