#pragma once
// The one table of the game's constant name strings (characters, nations, cities, divisions,
// bitmaps, skills, tactics, policies, trade goods). A name is referred to by its index in the
// table; records store that index, and lookups compare indexes, never text.
//
// The table's order is fixed: new names are only ever added at the end of names.def, so that
// save files written by an earlier build stay readable.
#include <cstdint>
#include <string_view>

using NameRef = std::int32_t;

namespace names {

// Index 0 is the empty name: a zero-filled record names nothing.
inline constexpr NameRef kNone = 0;

inline constexpr const char* kTable[] = {
    "",
#define NAME(text) text,
#include "world/names.def"
#undef NAME
};

inline constexpr std::int32_t kCount = static_cast<std::int32_t>(sizeof(kTable) / sizeof(kTable[0]));

// The reference of a name written in the code. Evaluated by the compiler: a name that is not in
// the table does not compile.
consteval NameRef Of(std::string_view text) {
  for (std::int32_t i = 0; i < kCount; ++i) {
    if (std::string_view(kTable[i]) == text) return i;
  }
  throw "name is not in world/names.def";
}

// True when a reference read from a file names an entry of the table.
constexpr bool IsValid(NameRef ref) { return ref >= 0 && ref < kCount; }

// The CP932 text of a name; the empty text for a reference outside the table.
constexpr const char* Text(NameRef ref) { return IsValid(ref) ? kTable[ref] : ""; }

// Looks a text up at run time (for tables built from text); kNone when it is not there.
NameRef Find(std::string_view text);

}  // namespace names
