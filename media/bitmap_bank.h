#pragma once
// A screen's pictures, looked up by name. The screen's set-up registers every picture it will
// ever draw; its paint routine gets each by the same name on every paint. Nothing is removed.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "media/bitmap.h"
#include "world/names.h"

// The value filed under a name: the loaded picture (or none) and a copy of the name's text,
// which nothing reads. An entry owns its picture; moving it hands the picture over.
class BitmapEntry {
 public:
  // An entry without a picture.
  BitmapEntry() = default;
  // Loads "BITMAP/<name>.dat"; the entry holds the picture, or none when the load failed (the
  // loader has shown its box).
  explicit BitmapEntry(NameRef name);

  Bitmap* GetBitmap() const { return bitmap_.get(); }

 private:
  std::unique_ptr<Bitmap> bitmap_;
  std::string name_;
};

class BitmapBank {
 public:
  BitmapBank() = default;

  // Loads the name's picture and files it under the name. False when the file is missing or
  // unreadable (nothing is filed). When the name is already filed, the earlier entry stays, the
  // new picture is released, and the result is still true.
  bool Register(NameRef name);

  // The picture filed under the name. A name never registered gets an entry without a picture
  // and yields null, now and on every later Get.
  Bitmap* Get(NameRef name);

 private:
  // Ordered by the reference's unsigned 32-bit value.
  std::map<std::uint32_t, BitmapEntry> entries_;
};
