#include "world/relation_list.h"

#include "world/codec.h"

void RelationEntry::PackSaveImage() {
  std::uint8_t* out = image_.data();
  codec::PutI32(out, 0, key_);
  codec::PutI32(out, 4, value_);
  codec::PutI32(out, 8, value2_);
  codec::PutU8(out, 12, flag_);
  codec::PutU8(out, 13, 0);
  codec::PutU8(out, 14, 0);
  codec::PutU8(out, 15, 0);
}

bool RelationEntry::LoadSaveImage(const std::uint8_t* in) {
  key_ = codec::GetI32(in, 0);
  value_ = codec::GetI32(in, 4);
  value2_ = codec::GetI32(in, 8);
  // The willing flag is renewed every turn; a loaded entry starts unwilling.
  flag_ = 0;
  PackSaveImage();
  return true;
}

RelationEntry* RelationList::Find(std::int32_t key) const {
  return NthIf(0, [&](const RelationEntry& e) { return e.GetKey() == key; });
}
