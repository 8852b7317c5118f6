#include "world/skill_slots.h"

#include <algorithm>

#include "world/codec.h"

namespace {

// A whole skill object in the block: the packed image, then the live fields in the same layout.
void WriteSkill(std::uint8_t* out, std::size_t off, const Skill& s) {
  s.WriteImage(out + off);
  s.WriteImage(out + off + Skill::kImageSize);
}

void WriteTactic(std::uint8_t* out, std::size_t off, const Tactic& t) {
  t.WriteImage(out + off);
  t.WriteImage(out + off + Tactic::kImageSize);
}

// The live half is what the battle used; the image half is only its last pack.
bool ReadSkill(const std::uint8_t* in, std::size_t off, Skill& s) {
  return s.LoadSaveImage(in + off + Skill::kImageSize);
}

bool ReadTactic(const std::uint8_t* in, std::size_t off, Tactic& t) {
  return t.LoadSaveImage(in + off + Tactic::kImageSize);
}

}  // namespace

void SkillSlots::WriteImage(std::uint8_t* out) const {
  using codec::PutI32;
  using codec::PutU8;
  std::fill(out, out + kImageSize, std::uint8_t{0});

  PutU8(out, 0, attacking_);
  WriteSkill(out, kAttackSkillOffset, attack_skill_);
  PutI32(out, 516, reserved516_);
  PutI32(out, 520, attack_target_id_);
  PutI32(out, 524, action_step_);

  PutU8(out, 528, casting_self_boost_);
  PutU8(out, 529, self_boost_active_);
  WriteSkill(out, kSelfBoostSkillOffset, self_boost_skill_);
  PutI32(out, 1044, self_boost_time_left_);

  PutU8(out, 1048, casting_ally_boost_);
  PutU8(out, 1049, ally_boost_active_);
  PutU8(out, 1050, ally_boost_targeted_);
  PutI32(out, 1052, ally_boost_target_id_);
  WriteSkill(out, kAllyBoostSkillOffset, ally_boost_skill_);
  PutI32(out, 1568, ally_boost_time_left_);

  PutU8(out, 1572, casting_weaken_);
  PutU8(out, 1573, weaken_active_);
  PutU8(out, 1574, weaken_targeted_);
  PutI32(out, 1576, weaken_target_id_);
  WriteSkill(out, kWeakenSkillOffset, weaken_skill_);
  PutI32(out, 2092, weaken_time_left_);

  PutU8(out, 2096, casting_cure_);
  PutU8(out, 2097, reserved2097_);
  PutU8(out, 2098, cure_targeted_);
  PutI32(out, 2100, cure_target_id_);
  WriteSkill(out, kCureSkillOffset, cure_skill_);

  PutU8(out, 2616, casting_ailment_);
  PutU8(out, 2617, reserved2617_);
  PutU8(out, 2618, ailment_targeted_);
  PutI32(out, 2620, ailment_target_id_);
  WriteSkill(out, kAilmentSkillOffset, ailment_skill_);

  PutU8(out, 3136, casting_heal_);
  PutU8(out, 3137, reserved3137_);
  PutU8(out, 3138, heal_targeted_);
  PutI32(out, 3140, heal_target_id_);
  WriteSkill(out, kHealSkillOffset, heal_skill_);

  PutU8(out, 3656, reserved3656_);
  PutU8(out, 3657, tactic_active_);
  PutU8(out, 3658, reserved3658_);
  WriteTactic(out, kTacticOffset, tactic_);
  PutI32(out, 4208, tactic_time_left_);
}

bool SkillSlots::ReadImage(const std::uint8_t* in) {
  using codec::GetI32;
  using codec::GetU8;
  SkillSlots s;
  if (!ReadSkill(in, kAttackSkillOffset, s.attack_skill_) ||
      !ReadSkill(in, kSelfBoostSkillOffset, s.self_boost_skill_) ||
      !ReadSkill(in, kAllyBoostSkillOffset, s.ally_boost_skill_) ||
      !ReadSkill(in, kWeakenSkillOffset, s.weaken_skill_) ||
      !ReadSkill(in, kCureSkillOffset, s.cure_skill_) ||
      !ReadSkill(in, kAilmentSkillOffset, s.ailment_skill_) ||
      !ReadSkill(in, kHealSkillOffset, s.heal_skill_) || !ReadTactic(in, kTacticOffset, s.tactic_))
    return false;

  s.attacking_ = GetU8(in, 0);
  s.reserved516_ = GetI32(in, 516);
  s.attack_target_id_ = GetI32(in, 520);
  s.action_step_ = GetI32(in, 524);

  s.casting_self_boost_ = GetU8(in, 528);
  s.self_boost_active_ = GetU8(in, 529);
  s.self_boost_time_left_ = GetI32(in, 1044);

  s.casting_ally_boost_ = GetU8(in, 1048);
  s.ally_boost_active_ = GetU8(in, 1049);
  s.ally_boost_targeted_ = GetU8(in, 1050);
  s.ally_boost_target_id_ = GetI32(in, 1052);
  s.ally_boost_time_left_ = GetI32(in, 1568);

  s.casting_weaken_ = GetU8(in, 1572);
  s.weaken_active_ = GetU8(in, 1573);
  s.weaken_targeted_ = GetU8(in, 1574);
  s.weaken_target_id_ = GetI32(in, 1576);
  s.weaken_time_left_ = GetI32(in, 2092);

  s.casting_cure_ = GetU8(in, 2096);
  s.reserved2097_ = GetU8(in, 2097);
  s.cure_targeted_ = GetU8(in, 2098);
  s.cure_target_id_ = GetI32(in, 2100);

  s.casting_ailment_ = GetU8(in, 2616);
  s.reserved2617_ = GetU8(in, 2617);
  s.ailment_targeted_ = GetU8(in, 2618);
  s.ailment_target_id_ = GetI32(in, 2620);

  s.casting_heal_ = GetU8(in, 3136);
  s.reserved3137_ = GetU8(in, 3137);
  s.heal_targeted_ = GetU8(in, 3138);
  s.heal_target_id_ = GetI32(in, 3140);

  s.reserved3656_ = GetU8(in, 3656);
  s.tactic_active_ = GetU8(in, 3657);
  s.reserved3658_ = GetU8(in, 3658);
  s.tactic_time_left_ = GetI32(in, 4208);

  *this = s;
  return true;
}
