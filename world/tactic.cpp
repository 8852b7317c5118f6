#include "world/tactic.h"

#include <algorithm>

#include "world/codec.h"

using codec::GetF64;
using codec::GetI32;
using codec::PutF64;
using codec::PutI32;

void Tactic::WriteImage(std::uint8_t* out) const {
  PutI32(out, 0, name_);
  PutI32(out, 4, id_);
  PutI32(out, 8, spare8_[0]);
  PutI32(out, 12, spare8_[1]);
  PutF64(out, 16, attack_factor_);
  PutF64(out, 24, defence_factor_);
  bonuses_.Write(out, 32);
  SkillEffect::WriteAll(effects_, out, 72);
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
  t.bonuses_.Read(in, 32);
  SkillEffect::ReadAll(t.effects_, in, 72);
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
  t.bonuses_ = {dexterity_bonus, evasion_bonus, spare_bonus, attack_speed_bonus, attack_technique_bonus,
                defence_technique_bonus, healing_power_bonus, special_attack_factor, special_defence_factor, 0};
  t.used_point_ = used_point;
  t.spare136_[4] = word152;
  t.spare136_[5] = word156;
  t.duration_ = duration;
  t.spare164_ = word164;
  t.research_cost_ = research_cost;
  t.tail_ = SkillTail::Make(effect_name, col0, col1, col2, col3, row0, row1, row2, row3, tail_spare1, tail_spare2,
                            second_effect_name, tail_spare3, tail_spare4, tail_spare5, action_length);
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
