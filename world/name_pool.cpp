#include "world/name_pool.h"

#include "world/codec.h"

void NamePoolEntry::PackSaveImage() {
  codec::PutI32(image_.data(), 0, name_);
  codec::PutI32(image_.data(), 4, free_);
}

bool NamePoolEntry::LoadSaveImage(const std::uint8_t* image) {
  NameRef name = codec::GetI32(image, 0);
  if (!names::IsValid(name)) return false;
  name_ = name;
  free_ = codec::GetI32(image, 4);
  return true;
}
