#include "world/names.h"

namespace names {

NameRef Find(std::string_view text) {
  for (std::int32_t i = 1; i < kCount; ++i) {
    if (std::string_view(kTable[i]) == text) return i;
  }
  return kNone;
}

}  // namespace names
