// One blow: damage from morale, boosts, weakenings and tactics by the attack's kind, the hit roll
// and its pop-ups, critical hits and parries, ailments that land even on a miss, experience and
// knock-outs, and the level-up of the attacker at 100 EXP.
#include <gtest/gtest.h>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class AttackTest : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    a = &AddUnit(1, 1, 100, 100, 6);
    d = &AddUnit(2, 2, 110, 100, 6);
    StatsBlock& as = a->stats;
    as.SetAttack(30);
    as.SetSpecialAttack(40);
    as.SetDexterity(10);
    as.SetLevel(5);
    as.SetAttackTechnique(0);
    StatsBlock& ds = d->stats;
    ds.SetDefence(10);
    ds.SetSpecialDefence(5);
    ds.SetEvasion(10);
    ds.SetLevel(5);
    ds.SetDefenceTechnique(0);
    ds.SetMaxHp(200);
    ds.SetHp(200);
    UseSkill(AttackSpec{});
  }

  void UseSkill(const AttackSpec& spec) {
    SkillList list;
    AddAttack(list, 50, spec);
    a->skill_slots.SetAttackSkill(*list.GetAt(0));
  }

  // The blow with the hit roll's draw, then the critical and the parry draws (0 when not given).
  void Blow(int hit_draw, std::vector<Want> after = {{0, 0}, {0, 0}}) {
    std::vector<Want> draws{{hit_draw, 0}};
    draws.insert(draws.end(), after.begin(), after.end());
    Draws(draws);
    a->Attack(*d);
    EXPECT_TRUE(ScriptUsedUp());
  }

  Character* a = nullptr;
  Character* d = nullptr;
};

TEST_F(AttackTest, DamageFollowsMoraleSkillsAndTactic) {
  AttackSpec spec;
  spec.power = 1.5f;
  UseSkill(spec);
  a->SetMorale(150);  // 45 and 60
  d->SetMorale(80);   // 8 and 4
  SkillList stances;
  AddStance(stances, 60, Skill::kSelfBoost, 0, 0, 10, 1, 0, 0, 1.2f, 1.0f);
  AddStance(stances, 61, Skill::kWeaken, 0, 0, 10, 1, 0, 0, 1.0f, 0.5f);
  a->skill_slots.SetSelfBoostSkill(*stances.GetAt(0));
  a->skill_slots.SetSelfBoostActive();  // 54 and 72
  d->skill_slots.SetWeakenSkill(*stances.GetAt(1));
  d->skill_slots.SetWeakenActive();  // 4 and 2
  TacticList tactics;
  tactics.Add(names::kNone, 1, 0, 0, 1.1, 1.0, 0, 0, 0, 0, 0, 0, 0, 1.0f, 1.0f, 0, 0, 0, 5, 0, 0, names::kNone, 0, 0,
              0, 0, 0, 0, 0, 0, 0, 0, names::kNone, 0, 0, 0, 0);
  a->skill_slots.SetTactic(*tactics.GetAt(0));
  a->skill_slots.SetTacticActive();  // 59

  Blow(31);  // 100 + 31 > 130: a hit
  EXPECT_EQ(a->stats.GetLastDamage(), 84);  // trunc(1.5 x 59 - 4)
  EXPECT_EQ(d->stats.GetHp(), 116);
  EXPECT_EQ(a->GetPopupKind(), 1);
  EXPECT_EQ(a->stats.GetExp(), 1);
  EXPECT_EQ(a->stats.GetHitRate(), 100);

  // A special attack takes special attack and defence, and its SP.
  spec.kind = Skill::kSpecialAttack;
  spec.sp_cost = 4;
  UseSkill(spec);
  a->SetCombatActionSpecial();
  a->stats.SetSp(10);
  Blow(31);
  EXPECT_EQ(a->stats.GetLastDamage(), 106);  // trunc(1.5 x 72 - 2)
  EXPECT_EQ(a->stats.GetSp(), 6);
  a->SetCombatActionTechnique();
  Blow(31);
  EXPECT_EQ(a->stats.GetSp(), 2);
  EXPECT_EQ(a->stats.GetLastDamage(), 84);
}

TEST_F(AttackTest, HitRollCriticalsAndParries) {
  // Equal dexterity and evasion, no hit bonus: draws 31..99 hit, 69 of the 100.
  int hits = 0;
  for (int draw = 0; draw < 100; ++draw) {
    d->stats.SetHp(200);
    if (draw >= 31)
      Blow(draw);
    else
      Blow(draw, {});  // a miss draws nothing more
    hits += a->GetPopupKind() == 1;
    EXPECT_EQ(a->GetPopupKind(), draw >= 31 ? 1 : 4);
  }
  EXPECT_EQ(hits, 69);
  EXPECT_EQ(d->stats.GetEvasionCount(), 31);
  EXPECT_EQ(d->stats.GetEvasionRate(), 31);
  EXPECT_EQ(a->stats.GetLastDamage(), 20);

  // Critical and parried: x 1.3 plus 0..4, then x 0.7 less 0..4; the pop-up shows the parry.
  a->stats.SetAttackTechnique(50);
  d->stats.SetDefenceTechnique(50);
  const int exp = a->stats.GetExp(), dexp = d->stats.GetExp();
  Blow(99, {{51, 0}, {4, 0}, {51, 0}, {-4, -4}});
  EXPECT_EQ(a->stats.GetLastDamage(), 17);  // trunc(trunc(20 x 1.3 + 4) x 0.7 - 4)
  EXPECT_EQ(a->GetPopupKind(), 3);
  EXPECT_EQ(a->stats.GetExp(), exp + 2);
  EXPECT_EQ(d->stats.GetExp(), dexp + 1);
  EXPECT_EQ(a->stats.GetCriticalCount(), 1);
  EXPECT_EQ(d->stats.GetDefenceCount(), 1);
  Blow(99, {{51, 0}, {0, 0}, {50, 0}});
  EXPECT_EQ(a->GetPopupKind(), 2);
  EXPECT_EQ(a->stats.GetLastDamage(), 26);

  // A blow weaker than the defence still hits and teaches, but takes no HP.
  a->stats.SetAttack(5);
  a->stats.SetAttackTechnique(0);
  d->stats.SetDefenceTechnique(0);
  const int hp = d->stats.GetHp();
  Blow(99);
  EXPECT_EQ(a->GetPopupKind(), 1);
  EXPECT_EQ(a->stats.GetLastDamage(), 0);
  EXPECT_EQ(d->stats.GetHp(), hp);
}

TEST_F(AttackTest, AilmentsLandBeforeTheRollEvenOnAMiss) {
  AttackSpec spec;
  spec.ailment[0][0] = 1;  // poison at 50 percent for 5 ticks
  spec.ailment[0][1] = 50;
  spec.ailment[0][2] = 5;
  spec.ailment[3][0] = 1;  // paralysis at 80 percent, halved by a susceptibility of 50
  spec.ailment[3][1] = 80;
  spec.ailment[3][2] = 2;
  UseSkill(spec);
  d->stats.SetPoisonSusceptibility(100);
  d->stats.SetParalysisSusceptibility(50);
  d->SetPoisonCountdown(2);
  Draws({{50, 1}, {41, 1}, {0, 0}});
  a->Attack(*d);
  EXPECT_TRUE(d->IsPoisoned());
  EXPECT_EQ(d->GetPoisonCountdown(), 7);
  EXPECT_FALSE(d->IsParalysed());
  EXPECT_EQ(a->GetPopupKind(), 4);
  EXPECT_EQ(Drawn(), (DrawList{{100, 1}, {100, 1}, {100, 0}}));
}

TEST_F(AttackTest, KnockOutExperienceByLevelsAndFame) {
  struct Case {
    int attacker_level, defender_level, exp;
  };
  // The hit's own EXP (1, or 2 against a level up to 3 higher) plus the knock-out's.
  const Case cases[] = {{5, 5, 51}, {7, 5, 21}, {8, 5, 11}, {10, 5, 11}, {11, 5, 6}, {4, 5, 62}, {2, 5, 82}};
  for (const Case& k : cases) {
    a->stats.SetLevel(k.attacker_level);
    a->stats.SetExp(0);
    d->stats.SetLevel(k.defender_level);
    d->stats.SetHp(5);
    d->stats.SetFame(1);
    SetState(*d, 6);
    const int fame = a->stats.GetFame(), kills = a->stats.GetKillCount();
    Blow(99);
    EXPECT_EQ(a->stats.GetExp(), k.exp) << k.attacker_level;
    EXPECT_EQ(a->stats.GetFame(), fame + 1);
    EXPECT_EQ(a->stats.GetKillCount(), kills + 1);
    EXPECT_EQ(d->stats.GetFame(), 0);
    EXPECT_EQ(d->stats.GetHp(), 0);
    EXPECT_EQ(d->GetState(), 12);
    EXPECT_EQ(d->GetPrevState(), 6);
  }
}

TEST_F(AttackTest, TheAttackerLevelsUpAtOneHundredAndTheDefenderWaits) {
  a->stats.SetExp(98);
  d->stats.SetExp(99);
  a->stats.SetAttackTechnique(50);
  d->stats.SetDefenceTechnique(50);
  const int max_hp = a->stats.GetMaxHp();
  Draws({{99, 0}, {51, 0}, {0, 0}, {51, 0}, {0, -4}});  // the level-up's draws follow from the generator
  a->Attack(*d);
  EXPECT_EQ(a->stats.GetLevel(), 6);
  EXPECT_EQ(a->stats.GetExp(), 0);
  EXPECT_GE(a->stats.GetMaxHp(), max_hp + 5);
  EXPECT_EQ(d->stats.GetExp(), 100);
  EXPECT_EQ(d->stats.GetLevel(), 5);
}

}  // namespace
