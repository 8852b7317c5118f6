#include "world/division.h"

#include <vector>

#include "world/codec.h"
#include "world/ranking.h"

Division::Division(NameRef name, std::int32_t id, std::int32_t leader, std::int32_t member_count,
                   std::int32_t member_limit, std::int32_t fame_threshold, std::int32_t combat_power,
                   std::int32_t domestic_power, std::int32_t spare1, std::int32_t fame, std::int32_t popularity,
                   std::int32_t spare2, std::int32_t support_rate, std::int32_t average_friendship,
                   std::int32_t nation)
    : name_(name),
      id_(id),
      leader_(leader),
      member_count_(member_count),
      member_limit_(member_limit),
      fame_threshold_(fame_threshold),
      combat_power_(combat_power),
      domestic_power_(domestic_power),
      spare1_(spare1),
      fame_(fame),
      popularity_(popularity),
      spare2_(spare2),
      support_rate_(support_rate),
      average_friendship_(average_friendship),
      nation_(nation) {}

std::int32_t Division::FriendshipToward(std::int32_t nation) const {
  const RelationEntry* e = relations.Find(nation);
  return e ? e->GetFriendship() : 0;
}

std::uint8_t Division::WillingFlagToward(std::int32_t nation) const {
  const RelationEntry* e = relations.Find(nation);
  return e ? e->IsWilling() : 0;
}

// The twenty words in field order.
void Division::PackSaveImage() {
  const std::int32_t words[20] = {name_,         id_,          ranking_position_, shared_rank_,
                                  leader_,       member_count_, member_limit_,   fame_threshold_,
                                  combat_power_, domestic_power_, spare1_,       fame_,
                                  popularity_,   spare2_,      support_rate_,    average_friendship_,
                                  domestic_tendency_, sortie_tendency_, patrol_tendency_, nation_};
  for (std::size_t i = 0; i < 20; ++i) codec::PutI32(image_.data(), 4 * i, words[i]);
}

bool Division::LoadSaveImage(const std::uint8_t* image) {
  NameRef name = codec::GetI32(image, 0);
  if (!names::IsValid(name)) return false;
  std::int32_t* words[20] = {&name_,         &id_,          &ranking_position_, &shared_rank_,
                             &leader_,       &member_count_, &member_limit_,   &fame_threshold_,
                             &combat_power_, &domestic_power_, &spare1_,       &fame_,
                             &popularity_,   &spare2_,      &support_rate_,    &average_friendship_,
                             &domestic_tendency_, &sortie_tendency_, &patrol_tendency_, &nation_};
  for (std::size_t i = 0; i < 20; ++i) *words[i] = codec::GetI32(image, 4 * i);
  relations.Clear();
  return true;
}

bool DivisionList::Add(NameRef name, std::int32_t id, std::int32_t leader, std::int32_t member_count,
                       std::int32_t member_limit, std::int32_t fame_threshold, std::int32_t combat_power,
                       std::int32_t domestic_power, std::int32_t spare1, std::int32_t fame,
                       std::int32_t popularity, std::int32_t spare2, std::int32_t support_rate,
                       std::int32_t average_friendship, std::int32_t nation) {
  Append(Division(name, id, leader, member_count, member_limit, fame_threshold, combat_power, domestic_power,
                  spare1, fame, popularity, spare2, support_rate, average_friendship, nation));
  return true;
}

Division* DivisionList::FindByRankingPosition(std::int32_t position) const {
  return NthIf(0, [&](const Division& d) { return d.GetRankingPosition() == position; });
}

std::int32_t DivisionList::CountWilling(std::int32_t nation, std::uint8_t flag) const {
  return CountIf([&](const Division& d) { return d.WillingFlagToward(nation) == flag; });
}

Division* DivisionList::GetNthWilling(std::int32_t nation, std::uint8_t flag, std::int32_t n) const {
  return NthIf(n, [&](const Division& d) { return d.WillingFlagToward(nation) == flag; });
}

Division* DivisionList::GetNthWillingByPosition(std::int32_t nation, std::uint8_t flag, std::int32_t n) const {
  std::int32_t k = 0;
  for (std::int32_t position = 1; position <= 999; ++position) {
    for (Division& d : *this) {
      if (d.GetRankingPosition() != position || d.WillingFlagToward(nation) != flag) continue;
      if (++k == n) return &d;
    }
  }
  return GetAt(0);
}

void DivisionList::Rank(std::int32_t criterion, std::int32_t key) {
  auto value_of = [criterion, key](const Division& d) -> std::int32_t {
    switch (criterion) {
      case 1: return d.GetMemberCount();
      case 2: return d.GetCombatPower();
      case 3: return d.GetDomesticPower();
      case 4: return d.GetFame();
      case 11: return d.GetSupportRate();
      case 12: return d.GetAvgFriendship();
      case 13: return d.GetDomesticTendency();
      case 14: return d.GetSortieTendency();
      case 15: return d.GetPatrolTendency();
      case 21: return d.FriendshipToward(key);
      default: return 0;
    }
  };
  switch (criterion) {
    case 1: case 2: case 3: case 4: case 11: case 12: case 13: case 14: case 15: case 21: break;
    default: return;
  }

  // One entry per division, however many a loaded file brought.
  std::vector<ranking::Entry> table;
  table.reserve(static_cast<std::size_t>(Count()));
  for (std::int32_t i = 0; i < Count(); ++i) table.push_back({value_of(*GetAt(i)), i});
  ranking::SortDescending(table);
  ranking::ForEachPosition(table, [&](std::int32_t index, std::int32_t position, std::int32_t rank) {
    Division& d = *GetAt(index);
    d.SetRankingPosition(position);
    d.SetSharedRank(rank);
  });
}
