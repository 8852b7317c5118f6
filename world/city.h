#pragma once
// A city of the field map (都市) and the list of all cities (slot file kind b).
//
// The 76-byte save image holds exactly the live fields in their order, so the same field codec
// writes a city's own record and the transfer-city copy inside a character's record.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/point.h"
#include "world/record_list.h"

class City {
 public:
  static constexpr std::size_t kImageSize = 76;
  // Owner of a city that no nation holds.
  static constexpr std::int32_t kNoOwner = 100;

  City() = default;
  City(NameRef name, std::int32_t id, std::int32_t population, std::int32_t population_growth,
       std::int32_t agriculture, std::int32_t commerce, std::int32_t industry, std::int32_t governor,
       std::int32_t adviser, std::int32_t sentiment, std::int32_t field_x, std::int32_t field_y,
       std::int32_t minimap_x, std::int32_t minimap_y, std::int32_t owner);

  NameRef GetName() const { return name_; }
  std::int32_t GetId() const { return id_; }
  std::int32_t GetPopulation() const { return population_; }
  void SetPopulation(std::int32_t v) { population_ = v; }
  std::int32_t GetPopulationGrowth() const { return population_growth_; }
  void SetPopulationGrowth(std::int32_t v) { population_growth_ = v; }
  std::int32_t GetAgriculture() const { return agriculture_; }
  void SetAgriculture(std::int32_t v) { agriculture_ = v; }
  std::int32_t GetCommerce() const { return commerce_; }
  void SetCommerce(std::int32_t v) { commerce_ = v; }
  std::int32_t GetIndustry() const { return industry_; }
  void SetIndustry(std::int32_t v) { industry_ = v; }
  std::int32_t GetSpare1() const { return spare1_; }
  std::int32_t GetGovernorId() const { return governor_; }
  void SetGovernor(std::int32_t id) { governor_ = id; }
  std::int32_t GetAdviserId() const { return adviser_; }
  void SetAdviser(std::int32_t id) { adviser_ = id; }
  std::int32_t GetSentiment() const { return sentiment_; }
  void SetSentiment(std::int32_t v) { sentiment_ = v; }
  std::int32_t GetSpare2() const { return spare2_; }
  std::int32_t GetDefenceStrength() const { return defence_strength_; }
  void SetDefenceStrength(std::int32_t v) { defence_strength_ = v; }
  Point& GetPosition(Point& out) const {
    out = {field_x_, field_y_};
    return out;
  }
  Point& GetMinimapPosition(Point& out) const {
    out = {minimap_x_, minimap_y_};
    return out;
  }
  std::int32_t GetOwner() const { return owner_; }
  void SetOwner(std::int32_t nation) { owner_ = nation; }
  std::uint8_t HasHiredThisTurn() const { return hired_this_turn_; }
  void MarkHiredThisTurn() { hired_this_turn_ = 1; }
  void ClearHiredThisTurn() { hired_this_turn_ = 0; }
  std::uint8_t HasRiot() const { return riot_; }
  void SetRiot() { riot_ = 1; }
  void ClearRiot() { riot_ = 0; }

  // Every live field of the other city, the spare words included; not its save image.
  void CopyFrom(const City& other);

  // The live fields in image order at `at` (76 bytes, the last two padding 0). A character's
  // record carries its transfer city this way as well.
  void WriteLiveFields(std::uint8_t* at) const;
  // False (nothing changed) when the name reference is not one of this build's names.
  bool ReadLiveFields(const std::uint8_t* at);

  void PackSaveImage() { WriteLiveFields(image_.data()); }
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  bool LoadSaveImage(const std::uint8_t* image) { return ReadLiveFields(image); }

 private:
  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t id_ = 0;
  std::int32_t population_ = 0;
  std::int32_t population_growth_ = 0;
  std::int32_t agriculture_ = 0;
  std::int32_t commerce_ = 0;
  std::int32_t industry_ = 0;
  std::int32_t spare1_ = 0;
  std::int32_t governor_ = 0;
  std::int32_t adviser_ = 0;
  std::int32_t sentiment_ = 0;
  std::int32_t spare2_ = 0;
  std::int32_t defence_strength_ = 0;
  std::int32_t field_x_ = 0;
  std::int32_t field_y_ = 0;
  std::int32_t minimap_x_ = 0;
  std::int32_t minimap_y_ = 0;
  std::int32_t owner_ = 0;
  std::uint8_t hired_this_turn_ = 0;
  std::uint8_t riot_ = 0;
};

class CityList : public RecordList<CityList, City> {
 public:
  bool Add(NameRef name, std::int32_t id, std::int32_t population, std::int32_t population_growth,
           std::int32_t agriculture, std::int32_t commerce, std::int32_t industry, std::int32_t governor,
           std::int32_t adviser, std::int32_t sentiment, std::int32_t field_x, std::int32_t field_y,
           std::int32_t minimap_x, std::int32_t minimap_y, std::int32_t owner);

  City* FindAtPosition(std::int32_t x, std::int32_t y) const;

  // The mini-map sits right of the 640-pixel field view; its dots are 6 x 6 window pixels.
  bool HasCityAtMinimapPoint(std::int32_t px, std::int32_t py) const;
  City* FindAtMinimapPoint(std::int32_t px, std::int32_t py) const;

  // Each count matches its n-th twin; n counts from 0 in list order, the end when there is none.
  std::int32_t CountOfNation(std::int32_t nation) const;
  City* GetNthOfNation(std::int32_t nation, std::int32_t n) const;
  std::int32_t CountOfNationExcludingPosition(std::int32_t nation, std::int32_t x, std::int32_t y) const;
  City* GetNthOfNationExcludingPosition(std::int32_t nation, std::int32_t x, std::int32_t y, std::int32_t n) const;
  std::int32_t CountWithRiot() const;
  City* GetNthWithRiot(std::int32_t n) const;
  std::int32_t CountOfNationWithSentimentAtMost(std::int32_t nation, std::int32_t bound) const;
  City* GetNthOfNationWithSentimentAtMost(std::int32_t nation, std::int32_t bound, std::int32_t n) const;
  std::int32_t CountOfNationWithDefenceStrengthAtMost(std::int32_t nation, std::int32_t bound,
                                                      std::int32_t margin) const;
  City* GetNthOfNationWithDefenceStrengthAtMost(std::int32_t nation, std::int32_t bound, std::int32_t margin,
                                                std::int32_t n) const;

  // Cities inside the open square of half-size radius around (x, y), the city standing exactly on
  // the centre left out, that the nation owns (flag 1) or does not own (flag 0, ownerless ones too).
  std::int32_t CountNearby(std::int32_t x, std::int32_t y, std::int32_t nation, std::uint8_t owned,
                           std::int32_t radius) const;
  City* GetNthNearby(std::int32_t x, std::int32_t y, std::int32_t nation, std::uint8_t owned, std::int32_t n,
                     std::int32_t radius) const;

  // What the nation's cities yield: the sum of (level x population) / 300, each term truncated.
  std::int32_t AgricultureIncomeOfNation(std::int32_t nation) const;
  std::int32_t CommerceIncomeOfNation(std::int32_t nation) const;
  std::int32_t IndustryIncomeOfNation(std::int32_t nation) const;
};
