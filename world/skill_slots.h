#pragma once
// The battle state of one character's skills: whether an attack is under way and with which skill
// and target, which boost, weakening, cure, ailment or heal is being cast or is in force and on
// whom, and whether its nation's tactic is in force on it. Every character embeds one and saves it
// whole as a 4216-byte block of its save image.
//
// Block layout (offsets from the start; padding bytes are written 0):
//   0 attacking | 4 attack skill (512) | 516 reserved word | 520 attack target id | 524 action step
//   528 casting self-boost, 529 self-boost active | 532 self-boost skill | 1044 its time left
//   1048 casting ally-boost, 1049 active, 1050 targeted | 1052 target id | 1056 skill | 1568 time left
//   1572 casting weaken, 1573 active, 1574 targeted | 1576 target id | 1580 skill | 2092 time left
//   2096 casting cure, 2097 reserved, 2098 targeted | 2100 target id | 2104 skill
//   2616 casting ailment, 2617 reserved, 2618 targeted | 2620 target id | 2624 skill
//   3136 casting heal, 3137 reserved, 3138 targeted | 3140 target id | 3144 skill
//   3656 reserved, 3657 tactic active, 3658 reserved | 3664 tactic (544) | 4208 tactic time left
// A skill in the block is a whole skill object: its 256-byte image followed by its live fields in
// the same layout; the tactic likewise (272 + 272). Both halves carry the packed live fields.
#include <cstddef>
#include <cstdint>

#include "world/skill.h"
#include "world/tactic.h"

class SkillSlots {
 public:
  static constexpr std::size_t kImageSize = 4216;
  // Places of the whole skill and tactic objects inside the block.
  static constexpr std::size_t kAttackSkillOffset = 4, kSelfBoostSkillOffset = 532,
                               kAllyBoostSkillOffset = 1056, kWeakenSkillOffset = 1580,
                               kCureSkillOffset = 2104, kAilmentSkillOffset = 2624,
                               kHealSkillOffset = 3144, kTacticOffset = 3664;
  static constexpr std::size_t kSkillObjectSize = 2 * Skill::kImageSize;
  static constexpr std::size_t kTacticObjectSize = 2 * Tactic::kImageSize;

  // Nothing under way, nothing in force: empty skills and tactic, every flag, id and counter 0.
  SkillSlots() = default;

  // The copy that save images go through: every flag, reserved byte, id and counter, and every
  // skill and the tactic whole.
  void CopyFrom(const SkillSlots& other) { *this = other; }

  // The 4216-byte block of a character's save image.
  void WriteImage(std::uint8_t* out) const;
  // Takes the block; false (slots unchanged) when a skill or the tactic names something outside
  // the name table.
  bool ReadImage(const std::uint8_t* in);

  // Attack.
  std::uint8_t IsAttacking() const { return attacking_; }
  void SetAttacking() { attacking_ = 1; }
  void ClearAttacking() { attacking_ = 0; }
  std::int32_t GetAttackTargetId() const { return attack_target_id_; }
  void SetAttackTargetId(std::int32_t v) { attack_target_id_ = v; }
  Skill& GetAttackSkill() { return attack_skill_; }
  const Skill& GetAttackSkill() const { return attack_skill_; }
  void SetAttackSkill(const Skill& r) { attack_skill_ = r; }
  std::int32_t GetActionStep() const { return action_step_; }
  void SetActionStep(std::int32_t v) { action_step_ = v; }

  // Self-boost.
  std::uint8_t IsCastingSelfBoost() const { return casting_self_boost_; }
  void SetCastingSelfBoost() { casting_self_boost_ = 1; }
  void ClearCastingSelfBoost() { casting_self_boost_ = 0; }
  std::uint8_t IsSelfBoostActive() const { return self_boost_active_; }
  void SetSelfBoostActive() { self_boost_active_ = 1; }
  void ClearSelfBoostActive() { self_boost_active_ = 0; }
  Skill& GetSelfBoostSkill() { return self_boost_skill_; }
  const Skill& GetSelfBoostSkill() const { return self_boost_skill_; }
  void SetSelfBoostSkill(const Skill& r) { self_boost_skill_ = r; }
  std::int32_t GetSelfBoostTimeLeft() const { return self_boost_time_left_; }
  void SetSelfBoostTimeLeft(std::int32_t v) { self_boost_time_left_ = v; }

  // Ally-boost.
  std::uint8_t IsCastingAllyBoost() const { return casting_ally_boost_; }
  void SetCastingAllyBoost() { casting_ally_boost_ = 1; }
  void ClearCastingAllyBoost() { casting_ally_boost_ = 0; }
  std::uint8_t IsAllyBoostActive() const { return ally_boost_active_; }
  void SetAllyBoostActive() { ally_boost_active_ = 1; }
  void ClearAllyBoostActive() { ally_boost_active_ = 0; }
  std::uint8_t IsAllyBoostTargeted() const { return ally_boost_targeted_; }
  void SetAllyBoostTargeted() { ally_boost_targeted_ = 1; }
  void ClearAllyBoostTargeted() { ally_boost_targeted_ = 0; }
  std::int32_t GetAllyBoostTargetId() const { return ally_boost_target_id_; }
  void SetAllyBoostTargetId(std::int32_t v) { ally_boost_target_id_ = v; }
  Skill& GetAllyBoostSkill() { return ally_boost_skill_; }
  const Skill& GetAllyBoostSkill() const { return ally_boost_skill_; }
  void SetAllyBoostSkill(const Skill& r) { ally_boost_skill_ = r; }
  std::int32_t GetAllyBoostTimeLeft() const { return ally_boost_time_left_; }
  void SetAllyBoostTimeLeft(std::int32_t v) { ally_boost_time_left_ = v; }

  // Weakening.
  std::uint8_t IsCastingWeaken() const { return casting_weaken_; }
  void SetCastingWeaken() { casting_weaken_ = 1; }
  void ClearCastingWeaken() { casting_weaken_ = 0; }
  std::uint8_t IsWeakenActive() const { return weaken_active_; }
  void SetWeakenActive() { weaken_active_ = 1; }
  void ClearWeakenActive() { weaken_active_ = 0; }
  std::uint8_t IsWeakenTargeted() const { return weaken_targeted_; }
  void SetWeakenTargeted() { weaken_targeted_ = 1; }
  void ClearWeakenTargeted() { weaken_targeted_ = 0; }
  std::int32_t GetWeakenTargetId() const { return weaken_target_id_; }
  void SetWeakenTargetId(std::int32_t v) { weaken_target_id_ = v; }
  Skill& GetWeakenSkill() { return weaken_skill_; }
  const Skill& GetWeakenSkill() const { return weaken_skill_; }
  void SetWeakenSkill(const Skill& r) { weaken_skill_ = r; }
  std::int32_t GetWeakenTimeLeft() const { return weaken_time_left_; }
  void SetWeakenTimeLeft(std::int32_t v) { weaken_time_left_ = v; }

  // Cure.
  std::uint8_t IsCastingCure() const { return casting_cure_; }
  void SetCastingCure() { casting_cure_ = 1; }
  void ClearCastingCure() { casting_cure_ = 0; }
  std::uint8_t IsCureTargeted() const { return cure_targeted_; }
  void SetCureTargeted() { cure_targeted_ = 1; }
  void ClearCureTargeted() { cure_targeted_ = 0; }
  std::int32_t GetCureTargetId() const { return cure_target_id_; }
  void SetCureTargetId(std::int32_t v) { cure_target_id_ = v; }
  Skill& GetCureSkill() { return cure_skill_; }
  const Skill& GetCureSkill() const { return cure_skill_; }
  void SetCureSkill(const Skill& r) { cure_skill_ = r; }

  // Ailment.
  std::uint8_t IsCastingAilment() const { return casting_ailment_; }
  void SetCastingAilment() { casting_ailment_ = 1; }
  void ClearCastingAilment() { casting_ailment_ = 0; }
  std::uint8_t IsAilmentTargeted() const { return ailment_targeted_; }
  void SetAilmentTargeted() { ailment_targeted_ = 1; }
  void ClearAilmentTargeted() { ailment_targeted_ = 0; }
  std::int32_t GetAilmentTargetId() const { return ailment_target_id_; }
  void SetAilmentTargetId(std::int32_t v) { ailment_target_id_ = v; }
  Skill& GetAilmentSkill() { return ailment_skill_; }
  const Skill& GetAilmentSkill() const { return ailment_skill_; }
  void SetAilmentSkill(const Skill& r) { ailment_skill_ = r; }

  // Heal.
  std::uint8_t IsCastingHeal() const { return casting_heal_; }
  void SetCastingHeal() { casting_heal_ = 1; }
  void ClearCastingHeal() { casting_heal_ = 0; }
  std::uint8_t IsHealTargeted() const { return heal_targeted_; }
  void SetHealTargeted() { heal_targeted_ = 1; }
  void ClearHealTargeted() { heal_targeted_ = 0; }
  std::int32_t GetHealTargetId() const { return heal_target_id_; }
  void SetHealTargetId(std::int32_t v) { heal_target_id_ = v; }
  Skill& GetHealSkill() { return heal_skill_; }
  const Skill& GetHealSkill() const { return heal_skill_; }
  void SetHealSkill(const Skill& r) { heal_skill_ = r; }

  // The nation's tactic.
  std::uint8_t IsTacticActive() const { return tactic_active_; }
  void SetTacticActive() { tactic_active_ = 1; }
  void ClearTacticActive() { tactic_active_ = 0; }
  Tactic& GetTactic() { return tactic_; }
  const Tactic& GetTactic() const { return tactic_; }
  void SetTactic(const Tactic& r) { tactic_ = r; }
  std::int32_t GetTacticTimeLeft() const { return tactic_time_left_; }
  void SetTacticTimeLeft(std::int32_t v) { tactic_time_left_ = v; }

  // The reserved word and bytes, carried by copies and the save image.
  std::int32_t GetReservedWord() const { return reserved516_; }
  std::uint8_t GetReservedCureByte() const { return reserved2097_; }
  std::uint8_t GetReservedAilmentByte() const { return reserved2617_; }
  std::uint8_t GetReservedHealByte() const { return reserved3137_; }
  std::uint8_t GetReservedTacticByte1() const { return reserved3656_; }
  std::uint8_t GetReservedTacticByte2() const { return reserved3658_; }

 private:
  // Visits every field at its place in the block; the image writer and reader both walk it, so
  // the layout is written down once.
  template <typename Self, typename Io>
  static void Walk(Self& s, Io& io);

  std::uint8_t attacking_ = 0;
  Skill attack_skill_;
  std::int32_t reserved516_ = 0;
  std::int32_t attack_target_id_ = 0;
  std::int32_t action_step_ = 0;

  std::uint8_t casting_self_boost_ = 0;
  std::uint8_t self_boost_active_ = 0;
  Skill self_boost_skill_;
  std::int32_t self_boost_time_left_ = 0;

  std::uint8_t casting_ally_boost_ = 0;
  std::uint8_t ally_boost_active_ = 0;
  std::uint8_t ally_boost_targeted_ = 0;
  std::int32_t ally_boost_target_id_ = 0;
  Skill ally_boost_skill_;
  std::int32_t ally_boost_time_left_ = 0;

  std::uint8_t casting_weaken_ = 0;
  std::uint8_t weaken_active_ = 0;
  std::uint8_t weaken_targeted_ = 0;
  std::int32_t weaken_target_id_ = 0;
  Skill weaken_skill_;
  std::int32_t weaken_time_left_ = 0;

  std::uint8_t casting_cure_ = 0;
  std::uint8_t reserved2097_ = 0;
  std::uint8_t cure_targeted_ = 0;
  std::int32_t cure_target_id_ = 0;
  Skill cure_skill_;

  std::uint8_t casting_ailment_ = 0;
  std::uint8_t reserved2617_ = 0;
  std::uint8_t ailment_targeted_ = 0;
  std::int32_t ailment_target_id_ = 0;
  Skill ailment_skill_;

  std::uint8_t casting_heal_ = 0;
  std::uint8_t reserved3137_ = 0;
  std::uint8_t heal_targeted_ = 0;
  std::int32_t heal_target_id_ = 0;
  Skill heal_skill_;

  std::uint8_t reserved3656_ = 0;
  std::uint8_t tactic_active_ = 0;
  std::uint8_t reserved3658_ = 0;
  Tactic tactic_;
  std::int32_t tactic_time_left_ = 0;
};
