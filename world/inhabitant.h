#pragma once
// Inhabitants: units of 10,000 people, each with an occupation, a home city, the nation it
// supports and a favourite character. Six weights and two per-turn chances decide at the end of
// every turn whether its support and its favourite move; the number of units that favour a
// character is that character's popularity.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/record_list.h"

class Inhabitant {
 public:
  static constexpr std::size_t kImageSize = 56;

  Inhabitant() = default;
  // A new unit: every value given as 0 is drawn; the six weights are always drawn.
  Inhabitant(std::int32_t id, std::int32_t allegiance, std::int32_t occupation, std::int32_t home_city,
             std::int32_t group, std::int32_t favourite, std::int32_t allegiance_change_chance,
             std::int32_t favourite_change_chance);
  // A unit with every field as given.
  Inhabitant(std::int32_t id, std::int32_t allegiance, std::int32_t occupation, std::int32_t home_city,
             std::int32_t group, std::int32_t favourite, std::int32_t agriculture_weight,
             std::int32_t commerce_weight, std::int32_t industry_weight, std::int32_t technology_weight,
             std::int32_t fame_weight, std::int32_t home_owner_weight, std::int32_t allegiance_change_chance,
             std::int32_t favourite_change_chance);

  void SetId(std::int32_t v) { id_ = v; }
  std::int32_t GetAllegiance() const { return allegiance_; }
  void SetAllegiance(std::int32_t v) { allegiance_ = v; }
  std::int32_t GetOccupation() const { return occupation_; }
  void SetOccupation(std::int32_t v) { occupation_ = v; }
  std::int32_t GetHomeCityId() const { return home_city_; }
  void SetHomeCityId(std::int32_t v) { home_city_ = v; }
  void SetGroup(std::int32_t v) { group_ = v; }
  std::int32_t GetFavouriteCharacterId() const { return favourite_; }
  void SetFavouriteCharacterId(std::int32_t v) { favourite_ = v; }
  std::int32_t GetAgricultureLeaderWeight() const { return agriculture_weight_; }
  void SetAgricultureLeaderWeight(std::int32_t v) { agriculture_weight_ = v; }
  std::int32_t GetCommerceLeaderWeight() const { return commerce_weight_; }
  void SetCommerceLeaderWeight(std::int32_t v) { commerce_weight_ = v; }
  std::int32_t GetIndustryLeaderWeight() const { return industry_weight_; }
  void SetIndustryLeaderWeight(std::int32_t v) { industry_weight_ = v; }
  std::int32_t GetTechnologyLeaderWeight() const { return technology_weight_; }
  void SetTechnologyLeaderWeight(std::int32_t v) { technology_weight_ = v; }
  std::int32_t GetFameLeaderWeight() const { return fame_weight_; }
  void SetFameLeaderWeight(std::int32_t v) { fame_weight_ = v; }
  std::int32_t GetHomeOwnerWeight() const { return home_owner_weight_; }
  void SetHomeOwnerWeight(std::int32_t v) { home_owner_weight_ = v; }
  std::int32_t GetAllegianceChangeChance() const { return allegiance_change_chance_; }
  void SetAllegianceChangeChance(std::int32_t v) { allegiance_change_chance_ = v; }
  std::int32_t GetFavouriteChangeChance() const { return favourite_change_chance_; }
  void SetFavouriteChangeChance(std::int32_t v) { favourite_change_chance_ = v; }

  static int Random(int n, int base);

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  bool LoadSaveImage(const std::uint8_t* image);

 private:
  std::array<std::uint8_t, kImageSize> image_{};

  std::int32_t id_ = 0;
  std::int32_t allegiance_ = 0;
  std::int32_t occupation_ = 0;
  std::int32_t home_city_ = 0;
  std::int32_t group_ = 0;
  std::int32_t favourite_ = 0;
  std::int32_t agriculture_weight_ = 0;
  std::int32_t commerce_weight_ = 0;
  std::int32_t industry_weight_ = 0;
  std::int32_t technology_weight_ = 0;
  std::int32_t fame_weight_ = 0;
  std::int32_t home_owner_weight_ = 0;
  std::int32_t allegiance_change_chance_ = 0;
  std::int32_t favourite_change_chance_ = 0;
};

class InhabitantList : public RecordList<InhabitantList, Inhabitant> {
 public:
  // Appends a unit built by the random construction.
  bool Generate(std::int32_t id, std::int32_t allegiance, std::int32_t occupation, std::int32_t home_city,
                std::int32_t group, std::int32_t favourite, std::int32_t allegiance_change_chance,
                std::int32_t favourite_change_chance);

  std::int32_t CountByNation(std::int32_t nation) const;
  std::int32_t CountByNationAndJob(std::int32_t nation, std::int32_t occupation) const;
  // A character's popularity.
  std::int32_t CountWithFavourite(std::int32_t character) const;
  Inhabitant* GetNthByNation(std::int32_t nation, std::int32_t n) const;
};
