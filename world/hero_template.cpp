#include "world/hero_template.h"

namespace {

// Where each of the 45 numbers of a row goes in the stats block.
constexpr std::array<int, 45> kFieldOfValue = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,  // 1..19
    23, 24, 25, 26,                                                            // domestic values
    20, 21, 22,                                                                // reserved words
    27, 28, 29, 46, 51,                      // fame, combat and domestic power, charm, move pattern
    53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64,  // popularity to the susceptibilities
    67, 68,                                          // salary and hiring cost per level
};

}  // namespace

bool HeroTemplateList::Add(NameRef name, const Values& values) {
  HeroTemplate t;
  for (int i = 0; i < StatsBlock::kFieldCount; ++i) t.SetField(i, 0);
  t.SetName(name);
  for (std::size_t i = 0; i < values.size(); ++i) t.SetField(kFieldOfValue[i], values[i]);
  Append(t);
  return true;
}
