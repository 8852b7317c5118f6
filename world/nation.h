#pragma once
// Nations: the seven powers of a game (ids 1 to 7) with their treasury, development, research,
// tactic and policy points, turn order, player or computer control, militia template and the
// tactics and policies they own. The ids 15 (no nation) and 16 (the lords) are groups outside the
// list. A defeated nation is removed from the list.
//
// Save image (388 bytes, little-endian): the scalar words from 0 to 96, the defeated byte at 100
// (101..103 zero), the militia template's 69 words at 104, the turn order at 380 and the turns
// taken at 384. The relation bytes are never saved: they are 0 after creation and after a load.
// In the nation file each record is followed by the nation's tactic list, then its policy list.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/policy.h"
#include "world/record_file.h"
#include "world/record_list.h"
#include "world/stats_block.h"
#include "world/tactic.h"

class Nation {
 public:
  static constexpr std::size_t kImageSize = 388;

  Nation() = default;
  Nation(NameRef name, std::int32_t number, std::int32_t funds, std::int32_t personnel_limit,
         std::int32_t member_count, std::int32_t lord_count, std::int32_t city_count,
         std::int32_t agriculture_value, std::int32_t commerce_value, std::int32_t industry_value,
         std::int32_t resource_value, std::int32_t domestic_technology, std::int32_t domestic_technology_exp,
         std::int32_t build_exp, std::int32_t id, std::int32_t computer, std::int32_t spare1, std::int32_t spare2,
         std::int32_t strategy_a, std::int32_t strategy_b, std::uint8_t defeated);

  NameRef GetName() const { return name_; }
  std::int32_t GetNumber() const { return number_; }
  std::int32_t GetId() const { return id_; }
  std::int32_t GetFunds() const { return funds_; }
  void SetFunds(std::int32_t v) { funds_ = v; }
  std::int32_t GetPersonnelLimit() const { return personnel_limit_; }
  void SetPersonnelLimit(std::int32_t v) { personnel_limit_ = v; }
  std::int32_t GetMemberCount() const { return member_count_; }
  void SetMemberCount(std::int32_t v) { member_count_ = v; }
  std::int32_t GetLordCount() const { return lord_count_; }
  void SetLordCount(std::int32_t v) { lord_count_ = v; }
  std::int32_t GetCityCount() const { return city_count_; }
  void SetCityCount(std::int32_t v) { city_count_ = v; }
  std::int32_t GetTotalCombatPower() const { return total_combat_power_; }
  void SetTotalCombatPower(std::int32_t v) { total_combat_power_ = v; }
  std::int32_t GetAgricultureValue() const { return agriculture_value_; }
  void SetAgricultureValue(std::int32_t v) { agriculture_value_ = v; }
  std::int32_t GetCommerceValue() const { return commerce_value_; }
  void SetCommerceValue(std::int32_t v) { commerce_value_ = v; }
  std::int32_t GetIndustryValue() const { return industry_value_; }
  void SetIndustryValue(std::int32_t v) { industry_value_ = v; }
  std::int32_t GetResourceValue() const { return resource_value_; }
  void SetResourceValue(std::int32_t v) { resource_value_ = v; }
  std::int32_t GetDomesticTechnology() const { return domestic_technology_; }
  void SetDomesticTechnology(std::int32_t v) { domestic_technology_ = v; }
  std::int32_t GetDomesticTechnologyExp() const { return domestic_technology_exp_; }
  void SetDomesticTechnologyExp(std::int32_t v) { domestic_technology_exp_ = v; }
  std::int32_t GetBuildExp() const { return build_exp_; }
  void SetBuildExp(std::int32_t v) { build_exp_ = v; }
  std::int32_t GetTacticsValue() const { return tactics_value_; }
  void SetTacticsValue(std::int32_t v) { tactics_value_ = v; }
  std::int32_t GetPolicyValue() const { return policy_value_; }
  void SetPolicyValue(std::int32_t v) { policy_value_ = v; }
  std::int32_t GetResearchPoints() const { return research_points_; }
  void SetResearchPoints(std::int32_t v) { research_points_ = v; }
  // The running total of research investment.
  std::int32_t GetResearchBonusFlag() const { return research_bonus_; }
  void SetResearchBonusFlag(std::int32_t v) { research_bonus_ = v; }
  std::int32_t GetTurnOrder() const { return turn_order_; }
  void SetTurnOrder(std::int32_t v) { turn_order_ = v; }
  // The turns the nation has taken; the planning phase counts them.
  std::int32_t GetTurnsTaken() const { return turns_taken_; }
  void SetTurnsTaken(std::int32_t v) { turns_taken_ = v; }
  bool IsComputer() const { return computer_ != 0; }
  void SetPlayerControlled() { computer_ = 0; }
  std::int32_t GetComputerFlag() const { return computer_; }
  // The two words the computer nations' decisions branch on (0, 1 or 2): strategy A is their
  // caution in attacking, strategy B in hiring.
  std::int32_t GetAttackCaution() const { return strategy_a_; }
  std::int32_t GetHiringCaution() const { return strategy_b_; }
  void SetDefeated() { defeated_ = 1; }
  bool IsMarkedForDissolution() const { return defeated_ != 0; }
  // The militia template (a whole stats block copied in).
  void SetSecondStatsBlock(const StatsBlock& block) { militia_ = block; }

  // The relation byte toward a nation id 1..8 (1 = allied); 0 for any other id.
  std::uint8_t GetRelation(std::int32_t nation_id) const;
  // Sets the relation byte toward a nation id 1..8; nothing for any other id.
  void SetRelation(std::int32_t nation_id, std::uint8_t value);
  // How many of the eight relation bytes equal v; for any v other than 1 the count less 1 (the
  // nation's own byte is left out of a count of non-allies).
  std::int32_t CountRelationsEqual(std::uint8_t v) const;

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Every field of the image; relation bytes 0 and empty tactic and policy lists. False when the
  // nation's or the militia template's name is not in the table.
  bool LoadSaveImage(const std::uint8_t* image);
  bool ReadNested(RecordFile& f) { return tactics.Read(f) && policies.Read(f); }
  bool WriteNested(RecordFile& f) const { return tactics.Write(f) && policies.Write(f); }

  // The tactics and policies the nation owns, kept in id order by their lists.
  TacticList tactics;
  PolicyList policies;

 private:
  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t number_ = 0;
  std::int32_t funds_ = 0;
  std::int32_t personnel_limit_ = 0;
  std::int32_t member_count_ = 0;
  std::int32_t lord_count_ = 0;
  std::int32_t city_count_ = 0;
  std::int32_t total_combat_power_ = 0;
  std::int32_t agriculture_value_ = 0;
  std::int32_t commerce_value_ = 0;
  std::int32_t industry_value_ = 0;
  std::int32_t resource_value_ = 0;
  std::int32_t domestic_technology_ = 0;
  std::int32_t domestic_technology_exp_ = 0;
  std::int32_t build_exp_ = 0;
  std::int32_t tactics_value_ = 50;
  std::int32_t policy_value_ = 50;
  std::int32_t research_points_ = 0;
  std::int32_t research_bonus_ = 0;
  std::array<std::uint8_t, 8> relations_{};  // toward nation ids 1..8
  StatsBlock militia_;
  std::int32_t turn_order_ = 0;
  std::int32_t id_ = 0;
  std::int32_t computer_ = 1;
  std::int32_t spare1_ = 0;
  std::int32_t spare2_ = 0;
  std::int32_t strategy_a_ = 0;
  std::int32_t strategy_b_ = 0;
  std::uint8_t defeated_ = 0;
  std::int32_t turns_taken_ = 0;
};

class NationList : public RecordList<NationList, Nation> {
 public:
  bool Add(NameRef name, std::int32_t number, std::int32_t funds, std::int32_t personnel_limit,
           std::int32_t member_count, std::int32_t lord_count, std::int32_t city_count,
           std::int32_t agriculture_value, std::int32_t commerce_value, std::int32_t industry_value,
           std::int32_t resource_value, std::int32_t domestic_technology, std::int32_t domestic_technology_exp,
           std::int32_t build_exp, std::int32_t id, std::int32_t computer, std::int32_t spare1, std::int32_t spare2,
           std::int32_t strategy_a, std::int32_t strategy_b, std::uint8_t defeated);

  // Removes every nation with that id; true.
  bool RemoveById(std::int32_t id);
  // With 0: the player's nation (the end in spectator mode).
  Nation* FindByComputerFlag(std::int32_t flag) const;
  std::int32_t CountByComputerFlag(std::int32_t flag) const;

  // A leading nation by agriculture (1), commerce (2), industry (3) or domestic technology (4):
  // the best with a chance of 80 percent, else one of the runners-up; among equal leaders one at
  // random. Any other criterion gives the first nation.
  Nation* PickLeader(std::int32_t criterion) const;
  // Draws a new turn order: every nation gets a distinct place 0..count - 1.
  void ShuffleTurnOrder();
};
