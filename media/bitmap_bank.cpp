#include "media/bitmap_bank.h"

#include <utility>

BitmapEntry::BitmapEntry(NameRef name) : bitmap_(std::make_unique<Bitmap>()), name_(names::Text(name)) {
  if (!bitmap_->Load(names::Text(name))) bitmap_.reset();
}

bool BitmapBank::Register(NameRef name) {
  BitmapEntry entry(name);
  if (!entry.GetBitmap()) return false;
  // try_emplace leaves an existing entry alone; the new one (and its picture) dies here.
  entries_.try_emplace(static_cast<std::uint32_t>(name), std::move(entry));
  return true;
}

Bitmap* BitmapBank::Get(NameRef name) { return entries_[static_cast<std::uint32_t>(name)].GetBitmap(); }
