#pragma once
// A nation's policy ("政策"): councils, investments, reinforcements, recruiting, heavy tax,
// public order, banquets, research investment. The game's master list holds the 57 policies; every
// nation holds its own list of those it owns, in ascending id order. Each turn the end of turn
// rolls the player nation's policies against their chances and marks the ones that came up as
// available.
//
// Save image (44 bytes, little-endian):
//   0 name | 4 id | 8 kind | 12 chance | 16 limit | 20 price | 24 amount f32 | 28 policy points |
//   32 spare | 36 research cost | 40 available flag (byte) | 41 padding, 0.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/record_list.h"

class Policy {
 public:
  static constexpr std::size_t kImageSize = 44;
  // The largest limit a policy read from a file may have.
  static constexpr std::int32_t kMostDraws = 1000;

  Policy() = default;

  NameRef GetName() const { return name_; }
  std::int32_t GetId() const { return id_; }
  // The policy's group, 1..18.
  std::int32_t GetKind() const { return kind_; }
  // Percent chance that it comes up in a turn.
  std::int32_t GetChance() const { return chance_; }
  std::int32_t GetLimit() const { return limit_; }
  // Money that carrying it out costs.
  std::int32_t GetPrice() const { return price_; }
  float GetAmount() const { return amount_; }
  // The policy points ("USEDPOINT") it needs and spends.
  std::int32_t GetUsedPoint() const { return used_point_; }
  std::int32_t GetResearchCost() const { return research_cost_; }
  std::uint8_t IsAvailable() const { return available_; }
  void SetAvailable() { available_ = 1; }
  void ClearAvailable() { available_ = 0; }

  // Fills the save image from the live fields.
  void Pack();
  void PackSaveImage() { Pack(); }
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Takes every field from the image, the available flag included; false (policy unchanged)
  // when the name is outside the table or the limit above kMostDraws.
  bool LoadSaveImage(const std::uint8_t* image);

 private:
  friend class PolicyList;

  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t id_ = 0;
  std::int32_t kind_ = 0;
  std::int32_t chance_ = 0;
  std::int32_t limit_ = 0;
  std::int32_t price_ = 0;
  float amount_ = 0;
  std::int32_t used_point_ = 0;
  std::int32_t spare32_ = 0;
  std::int32_t research_cost_ = 0;
  std::uint8_t available_ = 0;
};

class PolicyList : public RecordList<PolicyList, Policy> {
 public:
  // Appends a policy (the builder adds in id order).
  bool Add(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t chance,
           std::int32_t limit, std::int32_t price, float amount, std::int32_t used_point,
           std::int32_t spare_word, std::int32_t research_cost, std::int32_t available);

  // A policy rebuilt from a 44-byte image, inserted before the first policy whose id is greater
  // than or equal to its id (last when there is none). False when the image's name is outside
  // the table.
  bool InsertSorted(const std::uint8_t* image);

  // Reading the nation file: a record goes after every policy whose id is not greater, so a
  // file in id order reads back in its own order and the list stays in id order whatever it holds.
  bool AddFromImage(const std::uint8_t* image);

  bool ContainsId(std::int32_t id) const { return FindById(id) != nullptr; }

  // The policies whose available flag equals `flag`, and the n-th of them (from 0) or the end.
  std::int32_t CountByAvailableFlag(std::int32_t flag) const;
  Policy* GetNthByAvailableFlag(std::int32_t flag, std::int32_t n) const;
};
