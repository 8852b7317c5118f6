#pragma once
// A nation's tactic ("戦術"): while it is in force on a nation's characters their attack and
// defence are multiplied and six abilities raised. The game's master list holds the 30 tactics;
// every nation holds its own list of the tactics it owns, kept in ascending id order. Carrying a
// tactic out copies it whole into each character's tactic slot.
//
// Save image (272 bytes, little-endian):
//   0 name | 4 id | 8, 12 spare | 16 attack factor f64 | 24 defence factor f64 | 32 dexterity |
//   36 evasion | 40 spare bonus | 44 attack speed | 48 attack technique | 52 defence technique |
//   56 healing power (bonuses) | 60 special attack factor f32 | 64 special defence factor f32 |
//   68 spare | 72 five effect entries (as a skill's) | 132 tactic points | 136..156 spare |
//   160 duration | 164 spare | 168 research cost | 172..180 spare | 184 add's third value |
//   188..196 spare | 200 add's fourth value | 204 the tail (as a skill's) | 268 reserved, 0.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/record_list.h"
#include "world/skill.h"

class Tactic {
 public:
  static constexpr std::size_t kImageSize = 272;

  // The empty tactic of an unused slot: the empty name and every value 0.
  Tactic() = default;

  NameRef GetName() const { return name_; }
  std::int32_t GetId() const { return id_; }
  double GetAttackFactor() const { return attack_factor_; }
  double GetDefenceFactor() const { return defence_factor_; }
  float GetSpecialAttackFactor() const { return bonuses_.special_attack_factor; }
  float GetSpecialDefenceFactor() const { return bonuses_.special_defence_factor; }
  std::int32_t GetDexterityBonus() const { return bonuses_.dexterity; }
  std::int32_t GetEvasionBonus() const { return bonuses_.evasion; }
  std::int32_t GetAttackSpeedBonus() const { return bonuses_.attack_speed; }
  std::int32_t GetAttackTechniqueBonus() const { return bonuses_.attack_technique; }
  std::int32_t GetDefenceTechniqueBonus() const { return bonuses_.defence_technique; }
  std::int32_t GetHealingPowerBonus() const { return bonuses_.healing_power; }
  // The tactic points ("USEDPOINT") that carrying it out needs.
  std::int32_t GetUsedPoint() const { return used_point_; }
  std::int32_t GetDuration() const { return duration_; }
  std::int32_t GetResearchCost() const { return research_cost_; }

  // Fills the save image from the live fields.
  void Pack() { WriteImage(image_.data()); }
  void PackSaveImage() { Pack(); }
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Takes every field from its own place in an image; false (tactic unchanged) when a name
  // reference is outside the table.
  bool LoadSaveImage(const std::uint8_t* image);

  // The live fields written as an image into any 272 bytes (the tactic slot keeps a whole tactic).
  void WriteImage(std::uint8_t* out) const;

 private:
  friend class TacticList;

  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t id_ = 0;
  std::int32_t spare8_[2] = {};
  double attack_factor_ = 0;
  double defence_factor_ = 0;
  SkillBonuses bonuses_;  // at 32; its spare word is the word at 68
  SkillEffect effects_[SkillEffect::kCount] = {};
  std::int32_t used_point_ = 0;
  std::int32_t spare136_[6] = {};  // the last two are the add's words at 152 and 156
  std::int32_t duration_ = 0;
  std::int32_t spare164_ = 0;
  std::int32_t research_cost_ = 0;
  std::int32_t spare172_[3] = {};
  std::int32_t word184_ = 0;
  std::int32_t spare188_[3] = {};
  std::int32_t word200_ = 0;
  SkillTail tail_;
};

class TacticList : public RecordList<TacticList, Tactic> {
 public:
  // Appends a tactic (the builder adds in id order). 37 values; the spare words at 8, 12 and 68,
  // the effect entries, the words at 136 to 148 and the spare words at 172 and 188 are 0.
  bool Add(NameRef name, std::int32_t id, std::int32_t word184, std::int32_t word200,
           double attack_factor, double defence_factor, std::int32_t dexterity_bonus,
           std::int32_t evasion_bonus, std::int32_t spare_bonus, std::int32_t attack_speed_bonus,
           std::int32_t attack_technique_bonus, std::int32_t defence_technique_bonus,
           std::int32_t healing_power_bonus, float special_attack_factor,
           float special_defence_factor, std::int32_t used_point, std::int32_t word152,
           std::int32_t word156, std::int32_t duration, std::int32_t word164,
           std::int32_t research_cost, NameRef effect_name, std::int32_t col0, std::int32_t col1,
           std::int32_t col2, std::int32_t col3, std::int32_t row0, std::int32_t row1,
           std::int32_t row2, std::int32_t row3, std::int32_t tail_spare1, std::int32_t tail_spare2,
           NameRef second_effect_name, std::int32_t tail_spare3, std::int32_t tail_spare4,
           std::int32_t tail_spare5, std::int32_t action_length);

  // A tactic rebuilt from a 272-byte image, inserted before the first tactic whose id is greater
  // than or equal to its id (last when there is none). False when the image names something
  // outside the table.
  bool InsertSorted(const std::uint8_t* image);

  // Reading the nation file: a record goes after every tactic whose id is not greater, so a
  // file in id order reads back in its own order and the list stays in id order whatever it holds.
  bool AddFromImage(const std::uint8_t* image);

  bool ContainsId(std::int32_t id) const { return FindById(id) != nullptr; }
};
