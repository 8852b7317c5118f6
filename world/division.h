#pragma once
// Divisions "師団": named armies, knight orders and mercenary bands with a leader, members and a
// member limit, fame, an employing nation (15 when they serve none) and the averages of their
// members by which they are ranked. Each carries a relation list keyed by nation: its friendship
// toward each nation and whether it is willing to be hired by it this turn.
//
// Save image (80 bytes, little-endian): the twenty words from the name to the nation, in the order
// of the fields below. In the division file each record is followed by its relation list.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/record_file.h"
#include "world/record_list.h"
#include "world/relation_list.h"

// The employing nation of a division that serves none.
inline constexpr std::int32_t kNoNation = 15;

class Division {
 public:
  static constexpr std::size_t kImageSize = 80;

  Division() = default;
  Division(NameRef name, std::int32_t id, std::int32_t leader, std::int32_t member_count,
           std::int32_t member_limit, std::int32_t fame_threshold, std::int32_t combat_power,
           std::int32_t domestic_power, std::int32_t spare1, std::int32_t fame, std::int32_t popularity,
           std::int32_t spare2, std::int32_t support_rate, std::int32_t average_friendship, std::int32_t nation);

  NameRef GetName() const { return name_; }
  std::int32_t GetId() const { return id_; }
  std::int32_t GetRankingPosition() const { return ranking_position_; }
  void SetRankingPosition(std::int32_t v) { ranking_position_ = v; }
  std::int32_t GetSharedRank() const { return shared_rank_; }
  void SetSharedRank(std::int32_t v) { shared_rank_ = v; }
  std::int32_t GetLeaderId() const { return leader_; }
  std::int32_t GetMemberCount() const { return member_count_; }
  void SetMemberCount(std::int32_t v) { member_count_ = v; }
  std::int32_t GetMemberLimit() const { return member_limit_; }
  void SetMemberLimit(std::int32_t v) { member_limit_ = v; }
  std::int32_t GetFameThreshold() const { return fame_threshold_; }
  void SetFameThreshold(std::int32_t v) { fame_threshold_ = v; }
  std::int32_t GetCombatPower() const { return combat_power_; }
  void SetCombatPower(std::int32_t v) { combat_power_ = v; }
  std::int32_t GetDomesticPower() const { return domestic_power_; }
  void SetDomesticPower(std::int32_t v) { domestic_power_ = v; }
  std::int32_t GetFame() const { return fame_; }
  void SetFame(std::int32_t v) { fame_ = v; }
  std::int32_t GetPopularity() const { return popularity_; }
  void SetPopularity(std::int32_t v) { popularity_ = v; }
  std::int32_t GetSupportRate() const { return support_rate_; }
  void SetSupportRate(std::int32_t v) { support_rate_ = v; }
  std::int32_t GetAvgFriendship() const { return average_friendship_; }
  void SetAverageFriendship(std::int32_t v) { average_friendship_ = v; }
  std::int32_t GetDomesticTendency() const { return domestic_tendency_; }
  void SetDomesticTendency(std::int32_t v) { domestic_tendency_ = v; }
  std::int32_t GetSortieTendency() const { return sortie_tendency_; }
  void SetSortieTendency(std::int32_t v) { sortie_tendency_ = v; }
  std::int32_t GetPatrolTendency() const { return patrol_tendency_; }
  void SetPatrolTendency(std::int32_t v) { patrol_tendency_ = v; }
  std::int32_t GetNationId() const { return nation_; }
  void SetNationId(std::int32_t v) { nation_ = v; }

  // The entry for a nation read as the queries read it: a missing entry is friendship 0 and
  // unwilling.
  std::int32_t FriendshipToward(std::int32_t nation) const;
  std::uint8_t WillingFlagToward(std::int32_t nation) const;

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // All twenty fields; an empty relation list (the file's nested list fills it). False when the
  // name is not in the table.
  bool LoadSaveImage(const std::uint8_t* image);
  bool ReadNested(RecordFile& f) { return relations.Read(f); }
  bool WriteNested(RecordFile& f) const { return relations.Write(f); }

  // Keyed by nation ids 1 to 7.
  RelationList relations;

 private:
  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t id_ = 0;
  std::int32_t ranking_position_ = 0;
  std::int32_t shared_rank_ = 0;
  std::int32_t leader_ = 0;
  std::int32_t member_count_ = 0;
  std::int32_t member_limit_ = 0;
  std::int32_t fame_threshold_ = 0;
  std::int32_t combat_power_ = 0;
  std::int32_t domestic_power_ = 0;
  std::int32_t spare1_ = 0;
  std::int32_t fame_ = 0;
  std::int32_t popularity_ = 0;
  std::int32_t spare2_ = 0;
  std::int32_t support_rate_ = 0;
  std::int32_t average_friendship_ = 0;
  std::int32_t domestic_tendency_ = 0;
  std::int32_t sortie_tendency_ = 0;
  std::int32_t patrol_tendency_ = 0;
  std::int32_t nation_ = 0;
};

class DivisionList : public RecordList<DivisionList, Division> {
 public:
  bool Add(NameRef name, std::int32_t id, std::int32_t leader, std::int32_t member_count,
           std::int32_t member_limit, std::int32_t fame_threshold, std::int32_t combat_power,
           std::int32_t domestic_power, std::int32_t spare1, std::int32_t fame, std::int32_t popularity,
           std::int32_t spare2, std::int32_t support_rate, std::int32_t average_friendship, std::int32_t nation);

  Division* FindByRankingPosition(std::int32_t position) const;

  // Divisions whose willing flag toward the nation equals the flag.
  std::int32_t CountWilling(std::int32_t nation, std::uint8_t flag) const;
  Division* GetNthWilling(std::int32_t nation, std::uint8_t flag, std::int32_t n) const;
  // The same in ranking order, n counted from 1; the first division of the list when no such
  // division stands at positions 1 to 999.
  Division* GetNthWillingByPosition(std::int32_t nation, std::uint8_t flag, std::int32_t n) const;

  // Ranks every division by the criterion, writing its ranking position (1..N) and its shared
  // rank (1, 2, 2, 4): 1 member count, 2 combat power, 3 domestic power, 4 fame, 11 support rate,
  // 12 average friendship, 13 domestic, 14 sortie, 15 patrol tendency, 21 friendship toward the
  // nation `key`. Any other criterion changes nothing.
  void Rank(std::int32_t criterion, std::int32_t key);
};
