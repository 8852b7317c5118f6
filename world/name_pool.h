#pragma once
// The names given to the generated militia characters, each with a free flag. The new-game
// builder takes them in pool order and marks each one taken; the pool is saved with a slot.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/record_list.h"

class NamePoolEntry {
 public:
  static constexpr std::size_t kImageSize = 8;

  NamePoolEntry() = default;
  explicit NamePoolEntry(NameRef name) : name_(name), free_(1) {}

  NameRef GetName() const { return name_; }
  void MarkTaken() { free_ = 0; }

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // False for a name the table does not hold.
  bool LoadSaveImage(const std::uint8_t* image);

 private:
  std::array<std::uint8_t, kImageSize> image_{};
  NameRef name_ = names::kNone;
  std::int32_t free_ = 0;  // 1 free, 0 taken
};

class NamePool : public RecordList<NamePool, NamePoolEntry> {
 public:
  // Appends a free name.
  bool Add(NameRef name) {
    Append(NamePoolEntry(name));
    return true;
  }
};
