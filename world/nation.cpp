#include "world/nation.h"

#include <vector>

#include "world/codec.h"
#include "world/random.h"
#include "world/ranking.h"

namespace {

enum Offset : std::size_t {
  kName = 0,
  kNumber = 4,
  kFunds = 8,
  kPersonnelLimit = 12,
  kMemberCount = 16,
  kLordCount = 20,
  kCityCount = 24,
  kTotalCombatPower = 28,
  kAgricultureValue = 32,
  kCommerceValue = 36,
  kIndustryValue = 40,
  kResourceValue = 44,
  kDomesticTechnology = 48,
  kDomesticTechnologyExp = 52,
  kBuildExp = 56,
  kTacticsValue = 60,
  kPolicyValue = 64,
  kResearchPoints = 68,
  kResearchBonus = 72,
  kId = 76,
  kComputer = 80,
  kSpare1 = 84,
  kSpare2 = 88,
  kStrategyA = 92,
  kStrategyB = 96,
  kDefeated = 100,
  kMilitia = 104,
  kTurnOrder = 380,
  kTurnsTaken = 384,
};

}  // namespace

Nation::Nation(NameRef name, std::int32_t number, std::int32_t funds, std::int32_t personnel_limit,
               std::int32_t member_count, std::int32_t lord_count, std::int32_t city_count,
               std::int32_t agriculture_value, std::int32_t commerce_value, std::int32_t industry_value,
               std::int32_t resource_value, std::int32_t domestic_technology,
               std::int32_t domestic_technology_exp, std::int32_t build_exp, std::int32_t id,
               std::int32_t computer, std::int32_t spare1, std::int32_t spare2, std::int32_t strategy_a,
               std::int32_t strategy_b, std::uint8_t defeated)
    : name_(name),
      number_(number),
      funds_(funds),
      personnel_limit_(personnel_limit),
      member_count_(member_count),
      lord_count_(lord_count),
      city_count_(city_count),
      agriculture_value_(agriculture_value),
      commerce_value_(commerce_value),
      industry_value_(industry_value),
      resource_value_(resource_value),
      domestic_technology_(domestic_technology),
      domestic_technology_exp_(domestic_technology_exp),
      build_exp_(build_exp),
      id_(id),
      computer_(computer),
      spare1_(spare1),
      spare2_(spare2),
      strategy_a_(strategy_a),
      strategy_b_(strategy_b),
      defeated_(defeated) {}

std::uint8_t Nation::GetRelation(std::int32_t nation_id) const {
  if (nation_id < 1 || nation_id > 8) return 0;
  return relations_[static_cast<std::size_t>(nation_id - 1)];
}

void Nation::SetRelation(std::int32_t nation_id, std::uint8_t value) {
  if (nation_id < 1 || nation_id > 8) return;
  relations_[static_cast<std::size_t>(nation_id - 1)] = value;
}

std::int32_t Nation::CountRelationsEqual(std::uint8_t v) const {
  std::int32_t n = 0;
  for (std::uint8_t r : relations_)
    if (r == v) ++n;
  return v == 1 ? n : n - 1;
}

void Nation::PackSaveImage() {
  image_.fill(0);
  std::uint8_t* p = image_.data();
  codec::PutI32(p, kName, name_);
  codec::PutI32(p, kNumber, number_);
  codec::PutI32(p, kFunds, funds_);
  codec::PutI32(p, kPersonnelLimit, personnel_limit_);
  codec::PutI32(p, kMemberCount, member_count_);
  codec::PutI32(p, kLordCount, lord_count_);
  codec::PutI32(p, kCityCount, city_count_);
  codec::PutI32(p, kTotalCombatPower, total_combat_power_);
  codec::PutI32(p, kAgricultureValue, agriculture_value_);
  codec::PutI32(p, kCommerceValue, commerce_value_);
  codec::PutI32(p, kIndustryValue, industry_value_);
  codec::PutI32(p, kResourceValue, resource_value_);
  codec::PutI32(p, kDomesticTechnology, domestic_technology_);
  codec::PutI32(p, kDomesticTechnologyExp, domestic_technology_exp_);
  codec::PutI32(p, kBuildExp, build_exp_);
  codec::PutI32(p, kTacticsValue, tactics_value_);
  codec::PutI32(p, kPolicyValue, policy_value_);
  codec::PutI32(p, kResearchPoints, research_points_);
  codec::PutI32(p, kResearchBonus, research_bonus_);
  codec::PutI32(p, kId, id_);
  codec::PutI32(p, kComputer, computer_);
  codec::PutI32(p, kSpare1, spare1_);
  codec::PutI32(p, kSpare2, spare2_);
  codec::PutI32(p, kStrategyA, strategy_a_);
  codec::PutI32(p, kStrategyB, strategy_b_);
  codec::PutU8(p, kDefeated, defeated_);
  militia_.WriteImage(p + kMilitia);
  codec::PutI32(p, kTurnOrder, turn_order_);
  codec::PutI32(p, kTurnsTaken, turns_taken_);
}

bool Nation::LoadSaveImage(const std::uint8_t* p) {
  NameRef name = codec::GetI32(p, kName);
  if (!names::IsValid(name)) return false;
  if (!militia_.ReadImage(p + kMilitia)) return false;
  name_ = name;
  number_ = codec::GetI32(p, kNumber);
  funds_ = codec::GetI32(p, kFunds);
  personnel_limit_ = codec::GetI32(p, kPersonnelLimit);
  member_count_ = codec::GetI32(p, kMemberCount);
  lord_count_ = codec::GetI32(p, kLordCount);
  city_count_ = codec::GetI32(p, kCityCount);
  total_combat_power_ = codec::GetI32(p, kTotalCombatPower);
  agriculture_value_ = codec::GetI32(p, kAgricultureValue);
  commerce_value_ = codec::GetI32(p, kCommerceValue);
  industry_value_ = codec::GetI32(p, kIndustryValue);
  resource_value_ = codec::GetI32(p, kResourceValue);
  domestic_technology_ = codec::GetI32(p, kDomesticTechnology);
  domestic_technology_exp_ = codec::GetI32(p, kDomesticTechnologyExp);
  build_exp_ = codec::GetI32(p, kBuildExp);
  tactics_value_ = codec::GetI32(p, kTacticsValue);
  policy_value_ = codec::GetI32(p, kPolicyValue);
  research_points_ = codec::GetI32(p, kResearchPoints);
  research_bonus_ = codec::GetI32(p, kResearchBonus);
  id_ = codec::GetI32(p, kId);
  computer_ = codec::GetI32(p, kComputer);
  spare1_ = codec::GetI32(p, kSpare1);
  spare2_ = codec::GetI32(p, kSpare2);
  strategy_a_ = codec::GetI32(p, kStrategyA);
  strategy_b_ = codec::GetI32(p, kStrategyB);
  defeated_ = codec::GetU8(p, kDefeated);
  turn_order_ = codec::GetI32(p, kTurnOrder);
  turns_taken_ = codec::GetI32(p, kTurnsTaken);
  relations_.fill(0);
  tactics.Clear();
  policies.Clear();
  return true;
}

bool NationList::Add(NameRef name, std::int32_t number, std::int32_t funds, std::int32_t personnel_limit,
                     std::int32_t member_count, std::int32_t lord_count, std::int32_t city_count,
                     std::int32_t agriculture_value, std::int32_t commerce_value, std::int32_t industry_value,
                     std::int32_t resource_value, std::int32_t domestic_technology,
                     std::int32_t domestic_technology_exp, std::int32_t build_exp, std::int32_t id,
                     std::int32_t computer, std::int32_t spare1, std::int32_t spare2, std::int32_t strategy_a,
                     std::int32_t strategy_b, std::uint8_t defeated) {
  Append(Nation(name, number, funds, personnel_limit, member_count, lord_count, city_count, agriculture_value,
                commerce_value, industry_value, resource_value, domestic_technology, domestic_technology_exp,
                build_exp, id, computer, spare1, spare2, strategy_a, strategy_b, defeated));
  return true;
}

bool NationList::RemoveById(std::int32_t id) {
  while (Nation* n = FindById(id)) Remove(n);
  return true;
}

Nation* NationList::FindByComputerFlag(std::int32_t flag) const {
  return NthIf(0, [&](const Nation& n) { return n.GetComputerFlag() == flag; });
}

std::int32_t NationList::CountByComputerFlag(std::int32_t flag) const {
  return CountIf([&](const Nation& n) { return n.GetComputerFlag() == flag; });
}

Nation* NationList::PickLeader(std::int32_t criterion) const {
  if (criterion < 1 || criterion > 4) return GetAt(0);
  const std::int32_t count = Count();
  if (count == 0) return nullptr;
  if (count == 1) return GetAt(0);

  std::vector<ranking::Entry> table;
  table.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const Nation& n = *GetAt(i);
    std::int32_t value = criterion == 1   ? n.GetAgricultureValue()
                         : criterion == 2 ? n.GetCommerceValue()
                         : criterion == 3 ? n.GetIndustryValue()
                                          : n.GetDomesticTechnology();
    table.push_back({value, i});
  }
  ranking::SortDescending(table);
  return GetAt(table[ranking::PickLeader(table)].index);
}

void NationList::ShuffleTurnOrder() {
  for (Nation& n : *this) n.SetTurnOrder(100);
  const std::int32_t count = Count();
  for (std::int32_t k = 1; k <= count;) {
    Nation* n = GetAt(rng::Random(count, 0));
    if (n->GetTurnOrder() == 100) {
      n->SetTurnOrder(k - 1);
      ++k;
    }
  }
}
