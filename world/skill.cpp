#include "world/skill.h"

#include <algorithm>

#include "world/codec.h"
#include "world/saturate.h"

using codec::GetF32;
using codec::GetI32;
using codec::PutF32;
using codec::PutI32;

void SkillEffect::Write(std::uint8_t* buf, std::size_t off) const {
  codec::PutU8(buf, off, inflicts);
  codec::PutU8(buf, off + 1, cure);
  codec::PutU8(buf, off + 2, 0);
  codec::PutU8(buf, off + 3, 0);
  PutI32(buf, off + 4, rate);
  PutI32(buf, off + 8, duration);
}

void SkillEffect::Read(const std::uint8_t* buf, std::size_t off) {
  inflicts = codec::GetU8(buf, off);
  cure = codec::GetU8(buf, off + 1);
  rate = GetI32(buf, off + 4);
  duration = GetI32(buf, off + 8);
}

void SkillEffect::WriteAll(const SkillEffect (&entries)[kCount], std::uint8_t* buf, std::size_t off) {
  for (std::size_t i = 0; i < kCount; ++i) entries[i].Write(buf, off + kSize * i);
}

void SkillEffect::ReadAll(SkillEffect (&entries)[kCount], const std::uint8_t* buf, std::size_t off) {
  for (std::size_t i = 0; i < kCount; ++i) entries[i].Read(buf, off + kSize * i);
}

void SkillBonuses::Write(std::uint8_t* buf, std::size_t off) const {
  PutI32(buf, off, dexterity);
  PutI32(buf, off + 4, evasion);
  PutI32(buf, off + 8, spare);
  PutI32(buf, off + 12, attack_speed);
  PutI32(buf, off + 16, attack_technique);
  PutI32(buf, off + 20, defence_technique);
  PutI32(buf, off + 24, healing_power);
  PutF32(buf, off + 28, special_attack_factor);
  PutF32(buf, off + 32, special_defence_factor);
  PutI32(buf, off + 36, spare_word);
}

void SkillBonuses::Read(const std::uint8_t* buf, std::size_t off) {
  dexterity = GetI32(buf, off);
  evasion = GetI32(buf, off + 4);
  spare = GetI32(buf, off + 8);
  attack_speed = GetI32(buf, off + 12);
  attack_technique = GetI32(buf, off + 16);
  defence_technique = GetI32(buf, off + 20);
  healing_power = GetI32(buf, off + 24);
  special_attack_factor = GetF32(buf, off + 28);
  special_defence_factor = GetF32(buf, off + 32);
  spare_word = GetI32(buf, off + 36);
}

SkillTail SkillTail::Make(NameRef effect_name, std::int32_t col0, std::int32_t col1, std::int32_t col2,
                          std::int32_t col3, std::int32_t row0, std::int32_t row1, std::int32_t row2,
                          std::int32_t row3, std::int32_t spare_a0, std::int32_t spare_a1,
                          NameRef second_effect_name, std::int32_t spare_b0, std::int32_t spare_b1,
                          std::int32_t spare_b2, std::int32_t action_length) {
  return SkillTail{effect_name, {col0, col1, col2, col3}, {row0, row1, row2, row3}, {spare_a0, spare_a1},
                   second_effect_name, {spare_b0, spare_b1, spare_b2}, action_length};
}

void SkillTail::Write(std::uint8_t* buf, std::size_t off) const {
  PutI32(buf, off, effect_name);
  for (std::size_t i = 0; i < 4; ++i) PutI32(buf, off + 4 + 4 * i, anim_column[i]);
  for (std::size_t i = 0; i < 4; ++i) PutI32(buf, off + 20 + 4 * i, anim_row[i]);
  PutI32(buf, off + 36, spare_a[0]);
  PutI32(buf, off + 40, spare_a[1]);
  PutI32(buf, off + 44, second_effect_name);
  for (std::size_t i = 0; i < 3; ++i) PutI32(buf, off + 48 + 4 * i, spare_b[i]);
  PutI32(buf, off + 60, action_length);
}

bool SkillTail::Read(const std::uint8_t* buf, std::size_t off) {
  NameRef effect = GetI32(buf, off);
  NameRef second = GetI32(buf, off + 44);
  if (!names::IsValid(effect) || !names::IsValid(second)) return false;
  effect_name = effect;
  for (std::size_t i = 0; i < 4; ++i) anim_column[i] = GetI32(buf, off + 4 + 4 * i);
  for (std::size_t i = 0; i < 4; ++i) anim_row[i] = GetI32(buf, off + 20 + 4 * i);
  spare_a[0] = GetI32(buf, off + 36);
  spare_a[1] = GetI32(buf, off + 40);
  second_effect_name = second;
  for (std::size_t i = 0; i < 3; ++i) spare_b[i] = GetI32(buf, off + 48 + 4 * i);
  action_length = GetI32(buf, off + 60);
  return true;
}

void Skill::WriteImage(std::uint8_t* out) const {
  PutI32(out, 0, name_);
  PutI32(out, 4, id_);
  PutF32(out, 8, hp_heal_factor_);
  PutF32(out, 12, sp_heal_factor_);
  PutF32(out, 16, attack_factor_);
  PutF32(out, 20, defence_factor_);
  bonuses_.Write(out, 24);
  SkillEffect::WriteAll(effects_, out, 64);
  PutI32(out, 124, sp_cost_);
  PutF32(out, 128, power_factor_);
  PutI32(out, 132, spare132_);
  PutI32(out, 136, spare136_);
  PutI32(out, 140, hit_bonus_);
  PutI32(out, 144, reach_);
  PutI32(out, 148, spread_);
  PutI32(out, 152, duration_);
  PutI32(out, 156, rarity_);
  for (std::size_t i = 0; i < 3; ++i) PutI32(out, 160 + 4 * i, spare160_[i]);
  PutI32(out, 172, kind_);
  for (std::size_t i = 0; i < 4; ++i) PutI32(out, 176 + 4 * i, spare176_[i]);
  tail_.Write(out, 192);
}

bool Skill::LoadSaveImage(const std::uint8_t* in) {
  Skill s;
  s.name_ = GetI32(in, 0);
  if (!names::IsValid(s.name_) || !s.tail_.Read(in, 192)) return false;
  s.id_ = GetI32(in, 4);
  s.hp_heal_factor_ = GetF32(in, 8);
  s.sp_heal_factor_ = GetF32(in, 12);
  s.attack_factor_ = GetF32(in, 16);
  s.defence_factor_ = GetF32(in, 20);
  s.bonuses_.Read(in, 24);
  SkillEffect::ReadAll(s.effects_, in, 64);
  s.sp_cost_ = GetI32(in, 124);
  s.power_factor_ = GetF32(in, 128);
  s.spare132_ = GetI32(in, 132);
  s.spare136_ = GetI32(in, 136);
  s.hit_bonus_ = GetI32(in, 140);
  s.reach_ = GetI32(in, 144);
  s.spread_ = GetI32(in, 148);
  s.duration_ = GetI32(in, 152);
  s.rarity_ = GetI32(in, 156);
  for (std::size_t i = 0; i < 3; ++i) s.spare160_[i] = GetI32(in, 160 + 4 * i);
  s.kind_ = GetI32(in, 172);
  for (std::size_t i = 0; i < 4; ++i) s.spare176_[i] = GetI32(in, 176 + 4 * i);
  // The image the skill was built from is its image until the next pack.
  std::copy(in, in + kImageSize, s.image_.begin());
  *this = s;
  return true;
}

namespace {

SkillEffect Inflicting(std::int32_t inflicts, std::int32_t rate, std::int32_t duration) {
  return SkillEffect{static_cast<std::uint8_t>(inflicts), 0, rate, duration};
}

SkillEffect Entry(std::int32_t inflicts, std::int32_t cure, std::int32_t rate, std::int32_t duration) {
  return SkillEffect{static_cast<std::uint8_t>(inflicts), static_cast<std::uint8_t>(cure), rate,
                     duration};
}

}  // namespace

bool SkillList::AddAttack(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t word188,
                          std::int32_t poison_inflicts, std::int32_t poison_rate,
                          std::int32_t poison_duration, std::int32_t confusion_inflicts,
                          std::int32_t confusion_rate, std::int32_t confusion_duration,
                          std::int32_t anger_inflicts, std::int32_t anger_rate,
                          std::int32_t anger_duration, std::int32_t paralysis_inflicts,
                          std::int32_t paralysis_rate, std::int32_t paralysis_duration,
                          std::int32_t sp_cost, float power_factor, std::int32_t word132,
                          std::int32_t word136, std::int32_t hit_bonus, std::int32_t reach,
                          std::int32_t spread, std::int32_t rarity, NameRef effect_name,
                          std::int32_t col0, std::int32_t col1, std::int32_t col2,
                          std::int32_t col3, std::int32_t row0, std::int32_t row1,
                          std::int32_t row2, std::int32_t row3, std::int32_t word228,
                          std::int32_t word232, NameRef second_effect_name, std::int32_t word240,
                          std::int32_t word244, std::int32_t word248, std::int32_t action_length) {
  Skill s;
  s.name_ = name;
  s.id_ = id;
  s.kind_ = kind;
  s.spare176_[3] = word188;
  s.effects_[Skill::kPoison] = Inflicting(poison_inflicts, poison_rate, poison_duration);
  s.effects_[Skill::kConfusion] = Inflicting(confusion_inflicts, confusion_rate, confusion_duration);
  s.effects_[Skill::kAnger] = Inflicting(anger_inflicts, anger_rate, anger_duration);
  s.effects_[Skill::kParalysis] = Inflicting(paralysis_inflicts, paralysis_rate, paralysis_duration);
  s.sp_cost_ = sp_cost;
  s.power_factor_ = power_factor;
  s.spare132_ = word132;
  s.spare136_ = word136;
  s.hit_bonus_ = hit_bonus;
  s.reach_ = reach;
  s.spread_ = spread;
  s.rarity_ = rarity;
  s.tail_ = SkillTail::Make(effect_name, col0, col1, col2, col3, row0, row1, row2, row3, word228, word232,
                            second_effect_name, word240, word244, word248, action_length);
  Append(s);
  return true;
}

bool SkillList::AddStance(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t word188,
                          float attack_factor, float defence_factor, std::int32_t dexterity_bonus,
                          std::int32_t evasion_bonus, std::int32_t spare_bonus,
                          std::int32_t attack_speed_bonus, std::int32_t attack_technique_bonus,
                          std::int32_t defence_technique_bonus, std::int32_t healing_power_bonus,
                          float special_attack_factor, float special_defence_factor,
                          std::int32_t sp_cost, std::int32_t reach, std::int32_t spread,
                          std::int32_t duration, std::int32_t rarity, NameRef effect_name,
                          std::int32_t col0, std::int32_t col1, std::int32_t col2,
                          std::int32_t col3, std::int32_t row0, std::int32_t row1,
                          std::int32_t row2, std::int32_t row3, std::int32_t word228,
                          std::int32_t word232, NameRef second_effect_name, std::int32_t word240,
                          std::int32_t word244, std::int32_t word248, std::int32_t action_length) {
  Skill s;
  s.name_ = name;
  s.id_ = id;
  s.kind_ = kind;
  s.spare176_[3] = word188;
  s.attack_factor_ = attack_factor;
  s.defence_factor_ = defence_factor;
  s.bonuses_ = {dexterity_bonus, evasion_bonus, spare_bonus, attack_speed_bonus, attack_technique_bonus,
                defence_technique_bonus, healing_power_bonus, special_attack_factor, special_defence_factor, 0};
  s.sp_cost_ = sp_cost;
  s.reach_ = reach;
  s.spread_ = spread;
  s.duration_ = duration;
  s.rarity_ = rarity;
  s.tail_ = SkillTail::Make(effect_name, col0, col1, col2, col3, row0, row1, row2, row3, word228, word232,
                            second_effect_name, word240, word244, word248, action_length);
  Append(s);
  return true;
}

bool SkillList::AddHeal(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t word188,
                        float hp_heal_factor, float sp_heal_factor, std::int32_t e1_inflicts,
                        std::int32_t e1_cure, std::int32_t e1_rate, std::int32_t e1_duration,
                        std::int32_t e2_inflicts, std::int32_t e2_cure, std::int32_t e2_rate,
                        std::int32_t e2_duration, std::int32_t e3_inflicts, std::int32_t e3_cure,
                        std::int32_t e3_rate, std::int32_t e3_duration, std::int32_t e4_inflicts,
                        std::int32_t e4_cure, std::int32_t e4_rate, std::int32_t e4_duration,
                        std::int32_t e5_inflicts, std::int32_t e5_cure, std::int32_t e5_rate,
                        std::int32_t e5_duration, std::int32_t sp_cost, std::int32_t reach,
                        std::int32_t spread, std::int32_t duration, std::int32_t rarity,
                        NameRef effect_name, std::int32_t col0, std::int32_t col1,
                        std::int32_t col2, std::int32_t col3, std::int32_t row0, std::int32_t row1,
                        std::int32_t row2, std::int32_t row3, std::int32_t word228,
                        std::int32_t word232, NameRef second_effect_name, std::int32_t word240,
                        std::int32_t word244, std::int32_t word248, std::int32_t action_length) {
  Skill s;
  s.name_ = name;
  s.id_ = id;
  s.kind_ = kind;
  s.spare176_[3] = word188;
  s.hp_heal_factor_ = hp_heal_factor;
  s.sp_heal_factor_ = sp_heal_factor;
  s.effects_[0] = Entry(e1_inflicts, e1_cure, e1_rate, e1_duration);
  s.effects_[1] = Entry(e2_inflicts, e2_cure, e2_rate, e2_duration);
  s.effects_[2] = Entry(e3_inflicts, e3_cure, e3_rate, e3_duration);
  s.effects_[3] = Entry(e4_inflicts, e4_cure, e4_rate, e4_duration);
  s.effects_[4] = Entry(e5_inflicts, e5_cure, e5_rate, e5_duration);
  s.sp_cost_ = sp_cost;
  s.reach_ = reach;
  s.spread_ = spread;
  s.duration_ = duration;
  s.rarity_ = rarity;
  s.tail_ = SkillTail::Make(effect_name, col0, col1, col2, col3, row0, row1, row2, row3, word228, word232,
                            second_effect_name, word240, word244, word248, action_length);
  Append(s);
  return true;
}

bool SkillList::AddWithoutEffects(
    NameRef name, std::int32_t id, float hp_heal_factor, float sp_heal_factor, float attack_factor,
    float defence_factor, std::int32_t dexterity_bonus, std::int32_t evasion_bonus,
    std::int32_t spare_bonus, std::int32_t attack_speed_bonus, std::int32_t attack_technique_bonus,
    std::int32_t defence_technique_bonus, std::int32_t healing_power_bonus,
    float special_attack_factor, float special_defence_factor, std::int32_t word60,
    std::int32_t sp_cost, float power_factor, std::int32_t word132, std::int32_t word136,
    std::int32_t hit_bonus, std::int32_t reach, std::int32_t spread, std::int32_t duration,
    std::int32_t rarity, std::int32_t word160, std::int32_t word164, std::int32_t word168,
    std::int32_t kind, std::int32_t word176, std::int32_t word180, std::int32_t word184,
    std::int32_t word188, NameRef effect_name, std::int32_t col0, std::int32_t col1,
    std::int32_t col2, std::int32_t col3, std::int32_t row0, std::int32_t row1, std::int32_t row2,
    std::int32_t row3, std::int32_t word228, std::int32_t word232, NameRef second_effect_name,
    std::int32_t word240, std::int32_t word244, std::int32_t word248, std::int32_t action_length) {
  Skill s;
  s.name_ = name;
  s.id_ = id;
  s.hp_heal_factor_ = hp_heal_factor;
  s.sp_heal_factor_ = sp_heal_factor;
  s.attack_factor_ = attack_factor;
  s.defence_factor_ = defence_factor;
  s.bonuses_ = {dexterity_bonus, evasion_bonus, spare_bonus, attack_speed_bonus, attack_technique_bonus,
                defence_technique_bonus, healing_power_bonus, special_attack_factor, special_defence_factor, word60};
  s.sp_cost_ = sp_cost;
  s.power_factor_ = power_factor;
  s.spare132_ = word132;
  s.spare136_ = word136;
  s.hit_bonus_ = hit_bonus;
  s.reach_ = reach;
  s.spread_ = spread;
  s.duration_ = duration;
  s.rarity_ = rarity;
  s.spare160_[0] = word160;
  s.spare160_[1] = word164;
  s.spare160_[2] = word168;
  s.kind_ = kind;
  s.spare176_[0] = word176;
  s.spare176_[1] = word180;
  s.spare176_[2] = word184;
  s.spare176_[3] = word188;
  s.tail_ = SkillTail::Make(effect_name, col0, col1, col2, col3, row0, row1, row2, row3, word228, word232,
                            second_effect_name, word240, word244, word248, action_length);
  Append(s);
  return true;
}

std::int32_t SkillList::CountOfKind(std::int32_t kind) const {
  return CountIf([&](const Skill& s) { return s.GetKind() == kind; });
}

Skill* SkillList::GetNthOfKind(std::int32_t kind, std::int32_t n) const {
  return NthIf(n, [&](const Skill& s) { return s.GetKind() == kind; });
}

std::int32_t SkillList::CountOfKindAndValue(std::int32_t kind, std::int32_t rarity) const {
  return CountIf([&](const Skill& s) { return s.GetKind() == kind && s.GetValue() == rarity; });
}

Skill* SkillList::GetNthOfKindAndValue(std::int32_t kind, std::int32_t rarity, std::int32_t n) const {
  return NthIf(n, [&](const Skill& s) { return s.GetKind() == kind && s.GetValue() == rarity; });
}

std::int32_t SkillList::GetSkillScore() const {
  // The groups of kinds: 0; 1; 3; 4; 5; 8 and 9 together; 12. Other kinds count in none.
  auto group_of = [](std::int32_t kind) {
    switch (kind) {
      case Skill::kBasicAttack: return 0;
      case Skill::kTechniqueAttack: return 1;
      case Skill::kSelfBoost: return 2;
      case Skill::kAllyBoost: return 3;
      case Skill::kWeaken: return 4;
      case Skill::kCure: case Skill::kAilment: return 5;
      case Skill::kHeal: return 6;
      default: return -1;
    }
  };
  std::int64_t sum[7] = {};
  std::int64_t count[7] = {};
  for (const Skill& s : *this) {
    int g = group_of(s.GetKind());
    if (g < 0) continue;
    sum[g] += s.GetValue();
    count[g] += 1;
  }
  std::int64_t score = 0;
  for (int g = 0; g < 7; ++g)
    if (count[g] > 0) score += sum[g] / count[g] + count[g];
  return SaturateToI32(score);
}
