// What a character has in hand (an attack, a boost, a weakening, a cure, an ailment or a heal
// being cast) goes no further than the character's time on the field: a fallen, released or
// standing-down character gives it up and frees its target to be cast on again, a weakening that
// ends without effect frees its target, and a unit entering a fight never carries on an attack
// on anybody but the foe it engages.
#include <gtest/gtest.h>

#include "tests/field/field_world.h"

namespace {

using namespace field_test;

class InHand : public FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    for (int id = 1; id <= 3; ++id) AddNation(id);
    AddStance(weakening, 402, Skill::kWeaken, 1, 2, 5, 1);
  }

  // `caster` weakening `target`, halfway through, as the cast's start leaves them.
  void Weakening(Character& caster, Character& target) {
    caster.skill_slots.SetCastingWeaken();
    caster.skill_slots.SetWeakenTargetId(target.GetId());
    caster.skill_slots.SetActionStep(1);
    target.skill_slots.SetWeakenTargeted();
    target.skill_slots.SetWeakenSkill(*weakening.GetAt(0));
  }

  // An attack in hand on `target`, its blow still to come.
  static void AttackingOn(Character& c, const Character& target) {
    c.skill_slots.SetAttackSkill(*c.skills.GetAt(0));
    c.skill_slots.SetAttackTargetId(target.GetId());
    c.skill_slots.SetAttacking();
    c.skill_slots.SetActionStep(2);
    c.SetActionCounter(0);
  }

  SkillList weakening;
  std::uint8_t defeat = 0;
};

TEST_F(InHand, AFallenOrReleasedCharacterGivesUpItsAttackAndItsCasts) {
  AddCity(1, 1, 300, 300);
  Character& lord = AddUnit(1, 1, 400, 400, 12, Character::kRankLord, 3);
  Character& vassal = AddUnit(2, 1, 300, 300, 12);
  Character& enemy = AddUnit(3, 2, 420, 400, 6);
  Character& ally = AddUnit(4, 1, 380, 400, 6);
  Character& faller = AddUnit(5, 3, 900, 900, 6);
  AttackingOn(lord, enemy);
  Weakening(lord, enemy);
  vassal.skill_slots.SetCastingHeal();
  vassal.skill_slots.SetHealTargetId(ally.GetId());
  ally.skill_slots.SetHealTargeted();
  Draws({{3, 3}});  // the vassal's turns of recuperation
  screen.HandleKnockedOut(window, 1, characters, nations, cities, parties, divisions, defeat);
  EXPECT_TRUE(ScriptUsedUp());
  // The lord leaves its nation with empty hands: rehired, it would have struck and weakened its
  // old foe wherever that one stood, even as a comrade.
  EXPECT_EQ(lord.GetNationId(), Character::kNationLords);
  EXPECT_TRUE(lord.IsFreeToAct());
  EXPECT_EQ(lord.skill_slots.GetActionStep(), 0);
  EXPECT_FALSE(enemy.skill_slots.IsWeakenTargeted());
  EXPECT_EQ(vassal.GetOrder(), Character::kOrderRecuperation);
  EXPECT_TRUE(vassal.IsFreeToAct());
  EXPECT_FALSE(ally.skill_slots.IsHealTargeted());

  // A weakening in force keeps its target's flag until it wears off, whoever falls.
  Weakening(faller, ally);
  ally.skill_slots.SetWeakenActive();
  ally.skill_slots.SetWeakenTimeLeft(5);
  AttackingOn(faller, enemy);
  // Its nation dissolved, a fighter leaves with nothing in hand.
  nations.FindById(3)->SetDefeated();
  defeat = 1;
  screen.DissolveDefeatedNations(window, 1, characters, nations, cities, parties, divisions, defeat);
  EXPECT_EQ(faller.GetNationId(), Character::kNationNone);
  EXPECT_TRUE(faller.IsFreeToAct());
  EXPECT_TRUE(ally.skill_slots.IsWeakenTargeted());
}

TEST_F(InHand, AnAttackLeftFromAnEarlierFightNeverStrikesItsOldTarget) {
  // A fighter whose last enemy near has gone leaves the fight, and the same tick's combat
  // decision starts an attack on the nearest enemy within 40 all the same: a duellist, which is no
  // enemy "near". The fighter holds that attack, without striking, while it marches.
  Character& u = AddUnit(1, 1, 400, 400, 6);
  Character& duellist = AddUnit(2, 2, 420, 400, 7);
  Character& partner = AddUnit(3, 3, 440, 400, 7);
  Character& enemy = AddUnit(4, 3, 1500, 1500, 2);
  for (Character* c : {&duellist, &partner}) {
    c->SetInDuel();
    c->SetDuelPartnerId(c == &duellist ? partner.GetId() : duellist.GetId());
  }
  for (Character* c : {&u, &enemy}) {
    c->SetDestination(100, 100);
    c->stats.SetAttackSpeed(100);  // an attack whenever it is free to start one
  }
  Tick();
  ASSERT_EQ(u.GetState(), 2);
  ASSERT_TRUE(u.skill_slots.IsAttacking());
  ASSERT_EQ(u.skill_slots.GetAttackTargetId(), duellist.GetId());
  // The duel has ended, the winner marched off across the field, and the fighter meets an enemy.
  duellist.ClearInDuel();
  SetState(duellist, 2);
  duellist.SetPosition(1400, 1400);
  duellist.SetDestination(1800, 1800);
  SetState(partner, 0);
  enemy.SetPosition(Pos(u).x + 15, Pos(u).y);
  for (int i = 0; i < 30; ++i) Tick();
  EXPECT_EQ(duellist.stats.GetAttacksReceived(), 0);
  // It fought the enemy instead.
  EXPECT_GT(u.stats.GetAttacksMade(), 0);
  EXPECT_GT(enemy.stats.GetAttacksReceived(), 0);
}

TEST_F(InHand, AWeakenedTargetIsFreedWhenTheCastEndsWithoutEffectOrIsGivenUp) {
  Character& u = AddUnit(1, 1, 100, 100, 6);
  Character& e = AddUnit(2, 2, 120, 100, 6);
  AddStance(u.skills, 402, Skill::kWeaken, 1, 2, 5, 1);
  u.stats.SetSp(20);
  auto decide = [&](std::vector<Want> draws) {
    Draws(draws);
    FieldWorld w = World();
    field::DecideCombat(w, u, &e, 6);
    EXPECT_TRUE(ScriptUsedUp());
  };
  // No attack (attack speed 10), extra action 3: the weakening, the first candidate, cast.
  const std::vector<Want> cast = {{99, 10}, {3, 1}, {0, 0}, {0, 0}, {0, 0}};
  decide(cast);
  ASSERT_TRUE(u.skill_slots.IsCastingWeaken());
  ASSERT_TRUE(e.skill_slots.IsWeakenTargeted());
  // The target has stood down when the cast ends: no effect, no SP paid, and it may be weakened
  // again (the flag used to stay set for good, and was saved so).
  e.SetStateThinking();
  u.SetActionCounter(1);
  decide({});
  EXPECT_TRUE(u.IsFreeToAct());
  EXPECT_FALSE(e.skill_slots.IsWeakenActive());
  EXPECT_FALSE(e.skill_slots.IsWeakenTargeted());
  EXPECT_EQ(u.stats.GetSp(), 20);
  e.SetStateFighting();
  decide(cast);
  EXPECT_TRUE(u.skill_slots.IsCastingWeaken());

  // A pursuer back on its city with nobody about stands down and gives the cast up.
  Weakening(u, e);
  AddCity(1, 1, 100, 100);
  e.SetPosition(1500, 1500);
  u.SetStatePursuing();
  u.SavePrevState();
  Tick();
  EXPECT_EQ(u.GetState(), 0);
  EXPECT_TRUE(u.IsFreeToAct());
  EXPECT_FALSE(e.skill_slots.IsWeakenTargeted());
}

}  // namespace
