#include "world/skill_slots.h"

#include <algorithm>

#include "world/codec.h"

namespace {

struct BlockWriter {
  std::uint8_t* out;
  void Byte(std::size_t off, std::uint8_t v) { codec::PutU8(out, off, v); }
  void Word(std::size_t off, std::int32_t v) { codec::PutI32(out, off, v); }
  // A whole skill or tactic object: the packed image, then the live fields in the same layout.
  template <typename T>
  void Object(std::size_t off, const T& o) {
    o.WriteImage(out + off);
    o.WriteImage(out + off + T::kImageSize);
  }
};

struct BlockReader {
  const std::uint8_t* in;
  bool ok = true;
  void Byte(std::size_t off, std::uint8_t& v) { v = codec::GetU8(in, off); }
  void Word(std::size_t off, std::int32_t& v) { v = codec::GetI32(in, off); }
  // The live half is what the battle used; the image half is only its last pack.
  template <typename T>
  void Object(std::size_t off, T& o) {
    if (!o.LoadSaveImage(in + off + T::kImageSize)) ok = false;
  }
};

// A cast aimed at somebody: three flag bytes (casting, then "active" or a reserved byte, then
// targeted) and the target id stand just before its skill.
template <typename Io, typename Byte, typename Word, typename Obj>
void TargetedCast(Io& io, std::size_t skill_off, Byte& casting, Byte& second, Byte& targeted, Word& target_id,
                  Obj& skill) {
  io.Byte(skill_off - 8, casting);
  io.Byte(skill_off - 7, second);
  io.Byte(skill_off - 6, targeted);
  io.Word(skill_off - 4, target_id);
  io.Object(skill_off, skill);
}

}  // namespace

template <typename Self, typename Io>
void SkillSlots::Walk(Self& s, Io& io) {
  io.Byte(0, s.attacking_);
  io.Object(kAttackSkillOffset, s.attack_skill_);
  io.Word(516, s.reserved516_);
  io.Word(520, s.attack_target_id_);
  io.Word(524, s.action_step_);

  io.Byte(528, s.casting_self_boost_);
  io.Byte(529, s.self_boost_active_);
  io.Object(kSelfBoostSkillOffset, s.self_boost_skill_);
  io.Word(1044, s.self_boost_time_left_);

  TargetedCast(io, kAllyBoostSkillOffset, s.casting_ally_boost_, s.ally_boost_active_, s.ally_boost_targeted_,
               s.ally_boost_target_id_, s.ally_boost_skill_);
  io.Word(1568, s.ally_boost_time_left_);

  TargetedCast(io, kWeakenSkillOffset, s.casting_weaken_, s.weaken_active_, s.weaken_targeted_,
               s.weaken_target_id_, s.weaken_skill_);
  io.Word(2092, s.weaken_time_left_);

  TargetedCast(io, kCureSkillOffset, s.casting_cure_, s.reserved2097_, s.cure_targeted_, s.cure_target_id_,
               s.cure_skill_);
  TargetedCast(io, kAilmentSkillOffset, s.casting_ailment_, s.reserved2617_, s.ailment_targeted_,
               s.ailment_target_id_, s.ailment_skill_);
  TargetedCast(io, kHealSkillOffset, s.casting_heal_, s.reserved3137_, s.heal_targeted_, s.heal_target_id_,
               s.heal_skill_);

  io.Byte(3656, s.reserved3656_);
  io.Byte(3657, s.tactic_active_);
  io.Byte(3658, s.reserved3658_);
  io.Object(kTacticOffset, s.tactic_);
  io.Word(4208, s.tactic_time_left_);
}

void SkillSlots::WriteImage(std::uint8_t* out) const {
  std::fill(out, out + kImageSize, std::uint8_t{0});
  BlockWriter writer{out};
  Walk(*this, writer);
}

bool SkillSlots::ReadImage(const std::uint8_t* in) {
  SkillSlots s;
  BlockReader reader{in};
  Walk(s, reader);
  if (!reader.ok) return false;
  *this = s;
  return true;
}
