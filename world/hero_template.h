#pragma once
// Hero templates: the full starting parameters of each named hero, looked up by the hero's name
// while a new game is built. They live only in memory and are never saved.
#include <array>
#include <cstdint>

#include "world/names.h"
#include "world/record_list.h"
#include "world/stats_block.h"

// A template is a whole stats block, copied into the hero it belongs to.
using HeroTemplate = StatsBlock;

class HeroTemplateList : public RecordList<HeroTemplateList, HeroTemplate> {
 public:
  // The 45 numbers of a template row, in the order the tables write them.
  using Values = std::array<std::int32_t, 45>;

  // Appends a template named `name`: the numbers fill the fields 1 to 19, 23 to 26, 20 to 22,
  // 27, 28, 29, 46, 51, 53 to 64, 67 and 68, in that order; every other field is 0.
  bool Add(NameRef name, const Values& values);

  // The first template whose name reference is `name`, or the end. Two names of the same text
  // but different references are different templates.
  HeroTemplate* Find(NameRef name) const { return FindByName(name); }
};
