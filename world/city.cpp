#include "world/city.h"

#include "world/codec.h"
#include "world/saturate.h"

City::City(NameRef name, std::int32_t id, std::int32_t population, std::int32_t population_growth,
           std::int32_t agriculture, std::int32_t commerce, std::int32_t industry, std::int32_t governor,
           std::int32_t adviser, std::int32_t sentiment, std::int32_t field_x, std::int32_t field_y,
           std::int32_t minimap_x, std::int32_t minimap_y, std::int32_t owner)
    : name_(name),
      id_(id),
      population_(population),
      population_growth_(population_growth),
      agriculture_(agriculture),
      commerce_(commerce),
      industry_(industry),
      governor_(governor),
      adviser_(adviser),
      sentiment_(sentiment),
      field_x_(field_x),
      field_y_(field_y),
      minimap_x_(minimap_x),
      minimap_y_(minimap_y),
      owner_(owner) {}

void City::CopyFrom(const City& other) {
  name_ = other.GetName();
  id_ = other.GetId();
  population_ = other.GetPopulation();
  population_growth_ = other.GetPopulationGrowth();
  agriculture_ = other.GetAgriculture();
  commerce_ = other.GetCommerce();
  industry_ = other.GetIndustry();
  spare1_ = other.GetSpare1();
  governor_ = other.GetGovernorId();
  adviser_ = other.GetAdviserId();
  sentiment_ = other.GetSentiment();
  spare2_ = other.GetSpare2();
  defence_strength_ = other.GetDefenceStrength();
  Point p;
  other.GetPosition(p);
  field_x_ = p.x;
  field_y_ = p.y;
  other.GetMinimapPosition(p);
  minimap_x_ = p.x;
  minimap_y_ = p.y;
  owner_ = other.GetOwner();
  hired_this_turn_ = other.HasHiredThisTurn();
  riot_ = other.HasRiot();
}

void City::WriteLiveFields(std::uint8_t* at) const {
  codec::PutI32(at, 0, name_);
  codec::PutI32(at, 4, id_);
  codec::PutI32(at, 8, population_);
  codec::PutI32(at, 12, population_growth_);
  codec::PutI32(at, 16, agriculture_);
  codec::PutI32(at, 20, commerce_);
  codec::PutI32(at, 24, industry_);
  codec::PutI32(at, 28, spare1_);
  codec::PutI32(at, 32, governor_);
  codec::PutI32(at, 36, adviser_);
  codec::PutI32(at, 40, sentiment_);
  codec::PutI32(at, 44, spare2_);
  codec::PutI32(at, 48, defence_strength_);
  codec::PutI32(at, 52, field_x_);
  codec::PutI32(at, 56, field_y_);
  codec::PutI32(at, 60, minimap_x_);
  codec::PutI32(at, 64, minimap_y_);
  codec::PutI32(at, 68, owner_);
  codec::PutU8(at, 72, hired_this_turn_);
  codec::PutU8(at, 73, riot_);
  codec::PutU8(at, 74, 0);  // padding
  codec::PutU8(at, 75, 0);
}

bool City::ReadLiveFields(const std::uint8_t* at) {
  NameRef name = codec::GetI32(at, 0);
  if (!names::IsValid(name)) return false;
  name_ = name;
  id_ = codec::GetI32(at, 4);
  population_ = codec::GetI32(at, 8);
  population_growth_ = codec::GetI32(at, 12);
  agriculture_ = codec::GetI32(at, 16);
  commerce_ = codec::GetI32(at, 20);
  industry_ = codec::GetI32(at, 24);
  spare1_ = codec::GetI32(at, 28);
  governor_ = codec::GetI32(at, 32);
  adviser_ = codec::GetI32(at, 36);
  sentiment_ = codec::GetI32(at, 40);
  spare2_ = codec::GetI32(at, 44);
  defence_strength_ = codec::GetI32(at, 48);
  field_x_ = codec::GetI32(at, 52);
  field_y_ = codec::GetI32(at, 56);
  minimap_x_ = codec::GetI32(at, 60);
  minimap_y_ = codec::GetI32(at, 64);
  owner_ = codec::GetI32(at, 68);
  hired_this_turn_ = codec::GetU8(at, 72);
  riot_ = codec::GetU8(at, 73);
  return true;
}

bool CityList::Add(NameRef name, std::int32_t id, std::int32_t population, std::int32_t population_growth,
                   std::int32_t agriculture, std::int32_t commerce, std::int32_t industry, std::int32_t governor,
                   std::int32_t adviser, std::int32_t sentiment, std::int32_t field_x, std::int32_t field_y,
                   std::int32_t minimap_x, std::int32_t minimap_y, std::int32_t owner) {
  Append(City(name, id, population, population_growth, agriculture, commerce, industry, governor, adviser,
              sentiment, field_x, field_y, minimap_x, minimap_y, owner));
  return true;
}

namespace {

Point PositionOf(const City& c) {
  Point p;
  return c.GetPosition(p);
}

bool IsAt(const City& c, std::int32_t x, std::int32_t y) {
  Point p = PositionOf(c);
  return p.x == x && p.y == y;
}

bool OnMinimapDot(const City& c, std::int32_t px, std::int32_t py) {
  Point m;
  c.GetMinimapPosition(m);
  std::int64_t left = 640 + std::int64_t{m.x}, bottom = 480 - std::int64_t{m.y};
  return left <= px && px <= left + 5 && bottom - 5 <= py && py <= bottom;
}

// Strictly inside the square of half-size radius; the centre's own point is left out.
bool IsNearby(const City& c, std::int32_t x, std::int32_t y, std::int32_t nation, std::uint8_t owned,
              std::int32_t radius) {
  Point p = PositionOf(c);
  std::int64_t r = radius;
  if (!(x - r < p.x && p.x < x + r && y - r < p.y && p.y < y + r)) return false;
  if (p.x == x && p.y == y) return false;
  return (c.GetOwner() == nation ? 1 : 0) == owned;
}

template <typename Level>
std::int32_t IncomeOf(const CityList& list, std::int32_t nation, Level level) {
  SaturatingSum sum;
  for (auto& c : list) {
    if (c.GetOwner() != nation) continue;
    sum.Add(std::int64_t{level(c)} * c.GetPopulation() / 300);
  }
  return sum.Get();
}

}  // namespace

City* CityList::FindAtPosition(std::int32_t x, std::int32_t y) const {
  return NthIf(0, [&](const City& c) { return IsAt(c, x, y); });
}

bool CityList::HasCityAtMinimapPoint(std::int32_t px, std::int32_t py) const {
  return FindAtMinimapPoint(px, py) != nullptr;
}

City* CityList::FindAtMinimapPoint(std::int32_t px, std::int32_t py) const {
  return NthIf(0, [&](const City& c) { return OnMinimapDot(c, px, py); });
}

std::int32_t CityList::CountOfNation(std::int32_t nation) const {
  return CountIf([&](const City& c) { return c.GetOwner() == nation; });
}

City* CityList::GetNthOfNation(std::int32_t nation, std::int32_t n) const {
  return NthIf(n, [&](const City& c) { return c.GetOwner() == nation; });
}

std::int32_t CityList::CountOfNationExcludingPosition(std::int32_t nation, std::int32_t x, std::int32_t y) const {
  return CountIf([&](const City& c) { return c.GetOwner() == nation && !IsAt(c, x, y); });
}

City* CityList::GetNthOfNationExcludingPosition(std::int32_t nation, std::int32_t x, std::int32_t y,
                                                std::int32_t n) const {
  return NthIf(n, [&](const City& c) { return c.GetOwner() == nation && !IsAt(c, x, y); });
}

std::int32_t CityList::CountWithRiot() const {
  return CountIf([](const City& c) { return c.HasRiot() == 1; });
}

City* CityList::GetNthWithRiot(std::int32_t n) const {
  return NthIf(n, [](const City& c) { return c.HasRiot() == 1; });
}

std::int32_t CityList::CountOfNationWithSentimentAtMost(std::int32_t nation, std::int32_t bound) const {
  return CountIf([&](const City& c) { return c.GetOwner() == nation && c.GetSentiment() <= bound; });
}

City* CityList::GetNthOfNationWithSentimentAtMost(std::int32_t nation, std::int32_t bound, std::int32_t n) const {
  return NthIf(n, [&](const City& c) { return c.GetOwner() == nation && c.GetSentiment() <= bound; });
}

std::int32_t CityList::CountOfNationWithDefenceStrengthAtMost(std::int32_t nation, std::int32_t bound,
                                                              std::int32_t margin) const {
  return CountIf([&](const City& c) {
    return c.GetOwner() == nation && std::int64_t{c.GetDefenceStrength()} + margin <= bound;
  });
}

City* CityList::GetNthOfNationWithDefenceStrengthAtMost(std::int32_t nation, std::int32_t bound,
                                                        std::int32_t margin, std::int32_t n) const {
  return NthIf(n, [&](const City& c) {
    return c.GetOwner() == nation && std::int64_t{c.GetDefenceStrength()} + margin <= bound;
  });
}

std::int32_t CityList::CountNearby(std::int32_t x, std::int32_t y, std::int32_t nation, std::uint8_t owned,
                                   std::int32_t radius) const {
  return CountIf([&](const City& c) { return IsNearby(c, x, y, nation, owned, radius); });
}

City* CityList::GetNthNearby(std::int32_t x, std::int32_t y, std::int32_t nation, std::uint8_t owned,
                             std::int32_t n, std::int32_t radius) const {
  return NthIf(n, [&](const City& c) { return IsNearby(c, x, y, nation, owned, radius); });
}

std::int32_t CityList::AgricultureIncomeOfNation(std::int32_t nation) const {
  return IncomeOf(*this, nation, [](const City& c) { return c.GetAgriculture(); });
}

std::int32_t CityList::CommerceIncomeOfNation(std::int32_t nation) const {
  return IncomeOf(*this, nation, [](const City& c) { return c.GetCommerce(); });
}

std::int32_t CityList::IndustryIncomeOfNation(std::int32_t nation) const {
  return IncomeOf(*this, nation, [](const City& c) { return c.GetIndustry(); });
}
