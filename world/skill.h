#pragma once
// A character's combat skill ("技"): a basic or technique attack, a self boost, an ally boost, an
// enemy weakening, an ailment cure or a heal. The game's master list holds the 99 skills; every
// character holds its own list of copies. A skill is copied from one list to another by packing
// its save image and adding a skill rebuilt from that image.
//
// Save image (256 bytes, little-endian):
//   0 name | 4 id | 8 HP heal factor f32 | 12 SP heal factor f32 | 16 attack factor f32 |
//   20 defence factor f32 | 24 dexterity | 28 evasion | 32 spare bonus | 36 attack speed |
//   40 attack technique | 44 defence technique | 48 healing power (bonuses, int32) |
//   52 special attack factor f32 | 56 special defence factor f32 | 60 spare |
//   64 five effect entries of 12 bytes: poison, confusion, anger, paralysis, a fifth |
//   124 SP cost | 128 power factor f32 | 132, 136 spare | 140 hit bonus | 144 reach | 148 spread |
//   152 duration | 156 rarity | 160..168 spare | 172 kind | 176..188 spare | 192..252 the tail.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/record_list.h"

// One ailment entry of a skill or tactic image (12 bytes): inflicts flag, cure flag, two padding
// bytes (written 0), rate in percent, duration in ticks.
struct SkillEffect {
  std::uint8_t inflicts = 0;
  std::uint8_t cure = 0;
  std::int32_t rate = 0;
  std::int32_t duration = 0;

  static constexpr std::size_t kSize = 12;
  void Write(std::uint8_t* buf, std::size_t off) const;
  void Read(const std::uint8_t* buf, std::size_t off);
  friend bool operator==(const SkillEffect&, const SkillEffect&) = default;

  // The five entries (poison, confusion, anger, paralysis, a fifth) in a row, as both images
  // keep them.
  static constexpr std::size_t kCount = 5;
  static void WriteAll(const SkillEffect (&entries)[kCount], std::uint8_t* buf, std::size_t off);
  static void ReadAll(SkillEffect (&entries)[kCount], const std::uint8_t* buf, std::size_t off);
};

// The ten words of a boost that a skill's image and a tactic's share (40 bytes): the ability
// bonuses, a spare bonus among them, the two special factors (f32) and a spare word.
struct SkillBonuses {
  std::int32_t dexterity = 0;
  std::int32_t evasion = 0;
  std::int32_t spare = 0;
  std::int32_t attack_speed = 0;
  std::int32_t attack_technique = 0;
  std::int32_t defence_technique = 0;
  std::int32_t healing_power = 0;
  float special_attack_factor = 0;
  float special_defence_factor = 0;
  std::int32_t spare_word = 0;

  static constexpr std::size_t kSize = 40;
  void Write(std::uint8_t* buf, std::size_t off) const;
  void Read(const std::uint8_t* buf, std::size_t off);
  friend bool operator==(const SkillBonuses&, const SkillBonuses&) = default;
};

// The sixteen words that close a skill's image, and a tactic's: the effect picture's name, the
// sprite column and row of each of the four action steps, spare words, a second effect name and
// the action length.
struct SkillTail {
  NameRef effect_name = names::kNone;
  std::int32_t anim_column[4] = {};
  std::int32_t anim_row[4] = {};
  std::int32_t spare_a[2] = {};
  NameRef second_effect_name = names::kNone;
  std::int32_t spare_b[3] = {};
  std::int32_t action_length = 0;

  static constexpr std::size_t kSize = 64;
  // The tail from the builders' sixteen values, in image order.
  static SkillTail Make(NameRef effect_name, std::int32_t col0, std::int32_t col1, std::int32_t col2,
                        std::int32_t col3, std::int32_t row0, std::int32_t row1, std::int32_t row2,
                        std::int32_t row3, std::int32_t spare_a0, std::int32_t spare_a1,
                        NameRef second_effect_name, std::int32_t spare_b0, std::int32_t spare_b1,
                        std::int32_t spare_b2, std::int32_t action_length);
  void Write(std::uint8_t* buf, std::size_t off) const;
  // False when a name reference is outside the table (the tail is then unchanged).
  bool Read(const std::uint8_t* buf, std::size_t off);
  friend bool operator==(const SkillTail&, const SkillTail&) = default;
};

class Skill {
 public:
  static constexpr std::size_t kImageSize = 256;
  // Kinds of skill.
  static constexpr std::int32_t kBasicAttack = 0, kTechniqueAttack = 1, kSpecialAttack = 2,
                                kSelfBoost = 3, kAllyBoost = 4, kWeaken = 5, kCure = 8,
                                kAilment = 9, kHeal = 12;

  // The empty skill of an unused slot: the empty name and every value 0.
  Skill() = default;

  NameRef GetName() const { return name_; }
  std::int32_t GetId() const { return id_; }
  float GetHpHealFactor() const { return hp_heal_factor_; }
  float GetSpHealFactor() const { return sp_heal_factor_; }
  float GetAttackFactor() const { return attack_factor_; }
  float GetDefenceFactor() const { return defence_factor_; }
  std::int32_t GetDexterityBonus() const { return bonuses_.dexterity; }
  std::int32_t GetEvasionBonus() const { return bonuses_.evasion; }
  std::int32_t GetAttackSpeedBonus() const { return bonuses_.attack_speed; }
  std::int32_t GetAttackTechniqueBonus() const { return bonuses_.attack_technique; }
  std::int32_t GetDefenceTechniqueBonus() const { return bonuses_.defence_technique; }
  std::int32_t GetHealingPowerBonus() const { return bonuses_.healing_power; }
  float GetSpecialAttackFactor() const { return bonuses_.special_attack_factor; }
  float GetSpecialDefenceFactor() const { return bonuses_.special_defence_factor; }

  std::uint8_t InflictsPoison() const { return effects_[kPoison].inflicts; }
  std::int32_t GetPoisonRate() const { return effects_[kPoison].rate; }
  std::int32_t GetPoisonDuration() const { return effects_[kPoison].duration; }
  std::uint8_t InflictsConfusion() const { return effects_[kConfusion].inflicts; }
  std::int32_t GetConfusionRate() const { return effects_[kConfusion].rate; }
  std::int32_t GetConfusionDuration() const { return effects_[kConfusion].duration; }
  std::uint8_t InflictsAnger() const { return effects_[kAnger].inflicts; }
  std::int32_t GetAngerRate() const { return effects_[kAnger].rate; }
  std::int32_t GetAngerDuration() const { return effects_[kAnger].duration; }
  std::uint8_t InflictsParalysis() const { return effects_[kParalysis].inflicts; }
  std::int32_t GetParalysisRate() const { return effects_[kParalysis].rate; }
  std::int32_t GetParalysisDuration() const { return effects_[kParalysis].duration; }

  std::int32_t GetSpCost() const { return sp_cost_; }
  float GetPowerFactor() const { return power_factor_; }
  std::int32_t GetHitBonus() const { return hit_bonus_; }
  std::int32_t GetReach() const { return reach_; }
  std::int32_t GetSpread() const { return spread_; }
  std::int32_t GetDuration() const { return duration_; }
  // The rarity ("レア度"), 1..5.
  std::int32_t GetValue() const { return rarity_; }
  std::int32_t GetKind() const { return kind_; }
  // Sprite column and row of action step 0..3; 0 for any other step.
  std::int32_t GetAnimColumn(std::int32_t step) const {
    return step >= 0 && step < 4 ? tail_.anim_column[step] : 0;
  }
  std::int32_t GetAnimRow(std::int32_t step) const {
    return step >= 0 && step < 4 ? tail_.anim_row[step] : 0;
  }
  std::int32_t GetActionLength() const { return tail_.action_length; }

  // Fills the save image from the live fields.
  void PackSaveImage() { WriteImage(image_.data()); }
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Takes every field from its own place in an image; false (skill unchanged) when a name
  // reference is outside the table.
  bool LoadSaveImage(const std::uint8_t* image);

  // The live fields written as an image into any 256 bytes (the skill slots keep whole skills).
  void WriteImage(std::uint8_t* out) const;

 private:
  friend class SkillList;
  enum { kPoison = 0, kConfusion = 1, kAnger = 2, kParalysis = 3, kFifth = 4 };

  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t id_ = 0;
  float hp_heal_factor_ = 0;
  float sp_heal_factor_ = 0;
  float attack_factor_ = 0;
  float defence_factor_ = 0;
  SkillBonuses bonuses_;  // at 24; its spare word is the word at 60
  SkillEffect effects_[SkillEffect::kCount] = {};
  std::int32_t sp_cost_ = 0;
  float power_factor_ = 0;
  std::int32_t spare132_ = 0;
  std::int32_t spare136_ = 0;
  std::int32_t hit_bonus_ = 0;
  std::int32_t reach_ = 0;
  std::int32_t spread_ = 0;
  std::int32_t duration_ = 0;
  std::int32_t rarity_ = 0;
  std::int32_t spare160_[3] = {};
  std::int32_t kind_ = 0;
  std::int32_t spare176_[4] = {};  // the last of them is the add's "word at 188"
  SkillTail tail_;
};

class SkillList : public RecordList<SkillList, Skill> {
 public:
  // An attack (kinds 0, 1, 2): 40 values. Heal factors, stat factors and bonuses, duration, the
  // fifth effect entry, the cure flags and the other spare words are 0.
  bool AddAttack(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t word188,
                 std::int32_t poison_inflicts, std::int32_t poison_rate, std::int32_t poison_duration,
                 std::int32_t confusion_inflicts, std::int32_t confusion_rate,
                 std::int32_t confusion_duration, std::int32_t anger_inflicts, std::int32_t anger_rate,
                 std::int32_t anger_duration, std::int32_t paralysis_inflicts,
                 std::int32_t paralysis_rate, std::int32_t paralysis_duration, std::int32_t sp_cost,
                 float power_factor, std::int32_t word132, std::int32_t word136,
                 std::int32_t hit_bonus, std::int32_t reach, std::int32_t spread, std::int32_t rarity,
                 NameRef effect_name, std::int32_t col0, std::int32_t col1, std::int32_t col2,
                 std::int32_t col3, std::int32_t row0, std::int32_t row1, std::int32_t row2,
                 std::int32_t row3, std::int32_t word228, std::int32_t word232,
                 NameRef second_effect_name, std::int32_t word240, std::int32_t word244,
                 std::int32_t word248, std::int32_t action_length);

  // A stance, boost or weakening (kinds 3, 4, 5): 36 values. The rest is 0.
  bool AddStance(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t word188,
                 float attack_factor, float defence_factor, std::int32_t dexterity_bonus,
                 std::int32_t evasion_bonus, std::int32_t spare_bonus,
                 std::int32_t attack_speed_bonus, std::int32_t attack_technique_bonus,
                 std::int32_t defence_technique_bonus, std::int32_t healing_power_bonus,
                 float special_attack_factor, float special_defence_factor, std::int32_t sp_cost,
                 std::int32_t reach, std::int32_t spread, std::int32_t duration, std::int32_t rarity,
                 NameRef effect_name, std::int32_t col0, std::int32_t col1, std::int32_t col2,
                 std::int32_t col3, std::int32_t row0, std::int32_t row1, std::int32_t row2,
                 std::int32_t row3, std::int32_t word228, std::int32_t word232,
                 NameRef second_effect_name, std::int32_t word240, std::int32_t word244,
                 std::int32_t word248, std::int32_t action_length);

  // A cure or heal (kinds 8, 12): 47 values; the five effect entries as (inflicts, cure, rate,
  // duration) each. The rest is 0.
  bool AddHeal(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t word188,
               float hp_heal_factor, float sp_heal_factor, std::int32_t e1_inflicts,
               std::int32_t e1_cure, std::int32_t e1_rate, std::int32_t e1_duration,
               std::int32_t e2_inflicts, std::int32_t e2_cure, std::int32_t e2_rate,
               std::int32_t e2_duration, std::int32_t e3_inflicts, std::int32_t e3_cure,
               std::int32_t e3_rate, std::int32_t e3_duration, std::int32_t e4_inflicts,
               std::int32_t e4_cure, std::int32_t e4_rate, std::int32_t e4_duration,
               std::int32_t e5_inflicts, std::int32_t e5_cure, std::int32_t e5_rate,
               std::int32_t e5_duration, std::int32_t sp_cost, std::int32_t reach,
               std::int32_t spread, std::int32_t duration, std::int32_t rarity, NameRef effect_name,
               std::int32_t col0, std::int32_t col1, std::int32_t col2, std::int32_t col3,
               std::int32_t row0, std::int32_t row1, std::int32_t row2, std::int32_t row3,
               std::int32_t word228, std::int32_t word232, NameRef second_effect_name,
               std::int32_t word240, std::int32_t word244, std::int32_t word248,
               std::int32_t action_length);

  // 49 values: name, id, the fourteen words from HP heal factor to the spare word at 60, then
  // the thirty-three words from SP cost to action length. The effect entries are cleared.
  bool AddWithoutEffects(NameRef name, std::int32_t id, float hp_heal_factor, float sp_heal_factor,
                         float attack_factor, float defence_factor, std::int32_t dexterity_bonus,
                         std::int32_t evasion_bonus, std::int32_t spare_bonus,
                         std::int32_t attack_speed_bonus, std::int32_t attack_technique_bonus,
                         std::int32_t defence_technique_bonus, std::int32_t healing_power_bonus,
                         float special_attack_factor, float special_defence_factor,
                         std::int32_t word60, std::int32_t sp_cost, float power_factor,
                         std::int32_t word132, std::int32_t word136, std::int32_t hit_bonus,
                         std::int32_t reach, std::int32_t spread, std::int32_t duration,
                         std::int32_t rarity, std::int32_t word160, std::int32_t word164,
                         std::int32_t word168, std::int32_t kind, std::int32_t word176,
                         std::int32_t word180, std::int32_t word184, std::int32_t word188,
                         NameRef effect_name, std::int32_t col0, std::int32_t col1,
                         std::int32_t col2, std::int32_t col3, std::int32_t row0, std::int32_t row1,
                         std::int32_t row2, std::int32_t row3, std::int32_t word228,
                         std::int32_t word232, NameRef second_effect_name, std::int32_t word240,
                         std::int32_t word244, std::int32_t word248, std::int32_t action_length);

  // Appends a skill rebuilt from a 256-byte image (a packed copy of another list's skill); false
  // when the image names something outside the table.
  bool AddImage(const std::uint8_t* image) { return AddFromImage(image); }

  // Whether a skill with that id is in the list.
  bool Contains(std::int32_t id) const { return FindById(id) != nullptr; }

  std::int32_t CountOfKind(std::int32_t kind) const;
  // The n-th (from 0, list order) skill of the kind, or the end.
  Skill* GetNthOfKind(std::int32_t kind, std::int32_t n) const;
  std::int32_t CountOfKindAndValue(std::int32_t kind, std::int32_t rarity) const;
  Skill* GetNthOfKindAndValue(std::int32_t kind, std::int32_t rarity, std::int32_t n) const;

  // The skill score that the character's rating adds: per group of kinds (0; 1; 3; 4; 5; 8 and 9
  // together; 12) with at least one skill, sum of rarities / count + count.
  std::int32_t GetSkillScore() const;
};
