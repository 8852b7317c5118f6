#pragma once
// How one owner (a character or a division) stands toward each of a set of others: one entry per
// nation (keys 1..7) or per division (keys 1..17), with friendship "親交値", tenure "在籍" in turns
// and the willing flag, renewed every turn. The entries are added once at a new game, keys in
// ascending order, so the entry for nation k stands at index k - 1.
//
// Save image (16 bytes, little-endian): 0 key | 4 friendship | 8 tenure | 12 willing flag (byte) |
// 13 padding, 0. The flag is written, but an entry read back always starts unwilling.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/record_list.h"

class RelationEntry {
 public:
  static constexpr std::size_t kImageSize = 16;

  RelationEntry() = default;
  RelationEntry(std::int32_t key, std::int32_t friendship, std::int32_t tenure)
      : key_(key), value_(friendship), value2_(tenure) {}

  std::int32_t GetKey() const { return key_; }
  // Friendship toward the key, 0..100 (the callers that change it keep the range).
  std::int32_t GetFriendship() const { return value_; }
  void SetFriendship(std::int32_t v) { value_ = v; }
  // Turns spent in the key's nation or division.
  std::int32_t GetTenure() const { return value2_; }
  void SetTenure(std::int32_t v) { value2_ = v; }
  std::uint8_t IsWilling() const { return flag_; }
  void SetWilling() { flag_ = 1; }
  void ClearWilling() { flag_ = 0; }

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Key, friendship and tenure from the image; the willing flag starts at 0.
  bool LoadSaveImage(const std::uint8_t* image);

 private:
  std::array<std::uint8_t, kImageSize> image_{};
  std::int32_t key_ = 0;
  std::int32_t value_ = 0;
  std::int32_t value2_ = 0;
  std::uint8_t flag_ = 0;
};

class RelationList : public RecordList<RelationList, RelationEntry> {
 public:
  // Appends an entry, unwilling. Keys are not checked for uniqueness.
  bool Add(std::int32_t key, std::int32_t friendship, std::int32_t tenure) {
    Append(RelationEntry(key, friendship, tenure));
    return true;
  }

  // The first entry with that key, or the end.
  RelationEntry* Find(std::int32_t key) const;
};
