#include "world/tactic.h"

#include <algorithm>

#include "world/codec.h"

using codec::GetF32;
using codec::GetF64;
using codec::GetI32;
using codec::PutF32;
using codec::PutF64;
using codec::PutI32;

void Tactic::WriteImage(std::uint8_t* out) const {
  PutI32(out, 0, name_);
  PutI32(out, 4, id_);
  PutI32(out, 8, spare8_[0]);
  PutI32(out, 12, spare8_[1]);
  PutF64(out, 16, attack_factor_);
  PutF64(out, 24, defence_factor_);
  PutI32(out, 32, dexterity_bonus_);
  PutI32(out, 36, evasion_bonus_);
  PutI32(out, 40, spare_bonus_);
  PutI32(out, 44, attack_speed_bonus_);
  PutI32(out, 48, attack_technique_bonus_);
  PutI32(out, 52, defence_technique_bonus_);
  PutI32(out, 56, healing_power_bonus_);
  PutF32(out, 60, special_attack_factor_);
  PutF32(out, 64, special_defence_factor_);
  PutI32(out, 68, spare68_);
  for (std::size_t i = 0; i < 5; ++i) effects_[i].Write(out, 72 + SkillEffect::kSize * i);
  PutI32(out, 132, used_point_);
  for (std::size_t i = 0; i < 6; ++i) PutI32(out, 136 + 4 * i, spare136_[i]);
  PutI32(out, 160, duration_);
  PutI32(out, 164, spare164_);
  PutI32(out, 168, research_cost_);
  for (std::size_t i = 0; i < 3; ++i) PutI32(out, 172 + 4 * i, spare172_[i]);
  PutI32(out, 184, word184_);
  for (std::size_t i = 0; i < 3; ++i) PutI32(out, 188 + 4 * i, spare188_[i]);
  PutI32(out, 200, word200_);
  tail_.Write(out, 204);
  PutI32(out, 268, 0);  // reserved: no reader uses it
}

bool Tactic::LoadSaveImage(const std::uint8_t* in) {
  Tactic t;
  t.name_ = GetI32(in, 0);
  if (!names::IsValid(t.name_) || !t.tail_.Read(in, 204)) return false;
  t.id_ = GetI32(in, 4);
  t.spare8_[0] = GetI32(in, 8);
  t.spare8_[1] = GetI32(in, 12);
  t.attack_factor_ = GetF64(in, 16);
  t.defence_factor_ = GetF64(in, 24);
  t.dexterity_bonus_ = GetI32(in, 32);
  t.evasion_bonus_ = GetI32(in, 36);
  t.spare_bonus_ = GetI32(in, 40);
  t.attack_speed_bonus_ = GetI32(in, 44);
  t.attack_technique_bonus_ = GetI32(in, 48);
  t.defence_technique_bonus_ = GetI32(in, 52);
  t.healing_power_bonus_ = GetI32(in, 56);
  t.special_attack_factor_ = GetF32(in, 60);
  t.special_defence_factor_ = GetF32(in, 64);
  t.spare68_ = GetI32(in, 68);
  for (std::size_t i = 0; i < 5; ++i) t.effects_[i].Read(in, 72 + SkillEffect::kSize * i);
  t.used_point_ = GetI32(in, 132);
  for (std::size_t i = 0; i < 6; ++i) t.spare136_[i] = GetI32(in, 136 + 4 * i);
  t.duration_ = GetI32(in, 160);
  t.spare164_ = GetI32(in, 164);
  t.research_cost_ = GetI32(in, 168);
  for (std::size_t i = 0; i < 3; ++i) t.spare172_[i] = GetI32(in, 172 + 4 * i);
  t.word184_ = GetI32(in, 184);
  for (std::size_t i = 0; i < 3; ++i) t.spare188_[i] = GetI32(in, 188 + 4 * i);
  t.word200_ = GetI32(in, 200);
  std::copy(in, in + kImageSize, t.image_.begin());
  *this = t;
  return true;
}

bool TacticList::Add(NameRef name, std::int32_t id, std::int32_t word184, std::int32_t word200,
                     double attack_factor, double defence_factor, std::int32_t dexterity_bonus,
                     std::int32_t evasion_bonus, std::int32_t spare_bonus,
                     std::int32_t attack_speed_bonus, std::int32_t attack_technique_bonus,
                     std::int32_t defence_technique_bonus, std::int32_t healing_power_bonus,
                     float special_attack_factor, float special_defence_factor,
                     std::int32_t used_point, std::int32_t word152, std::int32_t word156,
                     std::int32_t duration, std::int32_t word164, std::int32_t research_cost,
                     NameRef effect_name, std::int32_t col0, std::int32_t col1, std::int32_t col2,
                     std::int32_t col3, std::int32_t row0, std::int32_t row1, std::int32_t row2,
                     std::int32_t row3, std::int32_t tail_spare1, std::int32_t tail_spare2,
                     NameRef second_effect_name, std::int32_t tail_spare3,
                     std::int32_t tail_spare4, std::int32_t tail_spare5,
                     std::int32_t action_length) {
  Tactic t;
  t.name_ = name;
  t.id_ = id;
  t.word184_ = word184;
  t.word200_ = word200;
  t.attack_factor_ = attack_factor;
  t.defence_factor_ = defence_factor;
  t.dexterity_bonus_ = dexterity_bonus;
  t.evasion_bonus_ = evasion_bonus;
  t.spare_bonus_ = spare_bonus;
  t.attack_speed_bonus_ = attack_speed_bonus;
  t.attack_technique_bonus_ = attack_technique_bonus;
  t.defence_technique_bonus_ = defence_technique_bonus;
  t.healing_power_bonus_ = healing_power_bonus;
  t.special_attack_factor_ = special_attack_factor;
  t.special_defence_factor_ = special_defence_factor;
  t.used_point_ = used_point;
  t.spare136_[4] = word152;
  t.spare136_[5] = word156;
  t.duration_ = duration;
  t.spare164_ = word164;
  t.research_cost_ = research_cost;
  SkillTail& tail = t.tail_;
  tail.effect_name = effect_name;
  tail.anim_column[0] = col0;
  tail.anim_column[1] = col1;
  tail.anim_column[2] = col2;
  tail.anim_column[3] = col3;
  tail.anim_row[0] = row0;
  tail.anim_row[1] = row1;
  tail.anim_row[2] = row2;
  tail.anim_row[3] = row3;
  tail.spare_a[0] = tail_spare1;
  tail.spare_a[1] = tail_spare2;
  tail.second_effect_name = second_effect_name;
  tail.spare_b[0] = tail_spare3;
  tail.spare_b[1] = tail_spare4;
  tail.spare_b[2] = tail_spare5;
  tail.action_length = action_length;
  Append(t);
  return true;
}

bool TacticList::InsertSorted(const std::uint8_t* image) {
  Tactic t;
  if (!t.LoadSaveImage(image)) return false;
  std::int32_t at = 0;
  while (at < Count() && GetAt(at)->GetId() < t.GetId()) ++at;
  NoteAdded(InsertAt(at, t));
  return true;
}

bool TacticList::AddFromImage(const std::uint8_t* image) {
  Tactic t;
  if (!t.LoadSaveImage(image)) return false;
  std::int32_t at = Count();
  while (at > 0 && GetAt(at - 1)->GetId() > t.GetId()) --at;
  NoteAdded(InsertAt(at, t));
  return true;
}
