#include "core/militia_skills.h"

#include "world/random.h"

namespace {

// Type groups: the scholars (types 4 and 5), the veteran (type 6), everybody else.
enum Group { kScholar = 0, kVeteran = 1, kOther = 2 };

Group GroupOf(std::int32_t type) {
  if (type == 4 || type == 5) return kScholar;
  if (type == 6) return kVeteran;
  return kOther;
}

// A roll of 1..100 from `from` to `to` gives `rarity`.
struct Band {
  std::int32_t from, to, rarity;
};

struct Pass {
  std::int32_t kind;  // -1: drawn anew in every try as 4 or 5
  // How many skills the pass wants: a roll up to `wanted_roll` gives `wanted_then`, any other
  // gives `wanted_else`; per group.
  std::int32_t wanted_roll[3], wanted_then[3], wanted_else[3];
  Band bands[3][3];
  // The ids a drawn skill must lie in: for the scholars, and for the others.
  std::int32_t scholar_lo, scholar_hi, lo, hi;
};

// Passes 2 to 6. Pass 1 (a basic attack of rarity 2, any id, one try) has no bands.
// Pass 4's bands leave rolls 21..30 (veteran) and 11..20 (others) to no rarity.
constexpr Pass kPasses[] = {
    // pass 2: a technique attack among the spells and the first sword arts
    {1, {30, 15, 20}, {1, 1, 1}, {0, 0, 0},
     {{{1, 40, 3}, {41, 100, 2}, {0, -1, 0}},
      {{1, 40, 3}, {41, 100, 2}, {0, -1, 0}},
      {{1, 40, 3}, {41, 100, 2}, {0, -1, 0}}},
     29, 33, 21, 33},
    // pass 3: a sword art
    {1, {5, 80, 60}, {1, 1, 1}, {0, 0, 0},
     {{{1, 30, 3}, {31, 70, 2}, {71, 100, 1}},
      {{1, 5, 4}, {6, 30, 3}, {31, 100, 2}},
      {{1, 3, 4}, {4, 20, 3}, {21, 100, 2}}},
     51, 73, 51, 73},
    // pass 4: a stance
    {3, {5, 70, 50}, {1, 1, 1}, {0, 0, 0},
     {{{1, 30, 4}, {31, 70, 3}, {71, 100, 2}},
      {{1, 5, 4}, {6, 20, 3}, {31, 100, 2}},
      {{1, 3, 4}, {4, 10, 3}, {21, 100, 2}}},
     91, 111, 91, 111},
    // pass 5: a boost for the allies or a weakening of the enemy
    {-1, {10, 20, 10}, {2, 1, 1}, {1, 0, 0},
     {{{1, 5, 4}, {6, 30, 3}, {31, 100, 2}},
      {{1, 5, 4}, {6, 20, 3}, {21, 100, 2}},
      {{1, 3, 4}, {4, 20, 3}, {21, 100, 2}}},
     131, 169, 131, 169},
    // pass 6: a heal
    {12, {20, 10, 10}, {1, 1, 1}, {0, 0, 0},
     {{{1, 5, 4}, {6, 30, 3}, {31, 100, 2}},
      {{1, 5, 4}, {6, 30, 3}, {31, 100, 2}},
      {{1, 3, 4}, {4, 30, 3}, {31, 100, 2}}},
     201, 205, 201, 205},
};

// Pass 1's wanted rolls per group; its try takes a basic attack of rarity 2.
constexpr std::int32_t kPass1WantedRoll[3] = {10, 15, 15};
constexpr std::int32_t kBasicAttack = 0, kPass1Rarity = 2;

void CopyMasterSkill(SkillList& skills, Skill& master_skill) {
  master_skill.PackSaveImage();
  skills.AddImage(master_skill.SaveImageBytes());
}

// One try: the n-th master skill of the kind and rarity, copied when the soldier lacks it and its
// id lies in range. True when a skill was added.
bool Try(SkillList& skills, SkillList& master, std::int32_t kind, std::int32_t rarity,
         std::int32_t lo, std::int32_t hi) {
  std::int32_t count = master.CountOfKindAndValue(kind, rarity);
  if (count < 1) return false;
  Skill* s = master.GetNthOfKindAndValue(kind, rarity, rng::Random(count, 0));
  if (!s || skills.Contains(s->GetId()) || s->GetId() < lo || s->GetId() > hi) return false;
  CopyMasterSkill(skills, *s);
  return true;
}

}  // namespace

void GiveMilitiaSkills(SkillList& skills, std::int32_t type, SkillList& master) {
  if (Skill* first = master.FindById(1)) CopyMasterSkill(skills, *first);

  const Group g = GroupOf(type);
  // A roll that falls between pass 4's bands keeps the rarity of the try or pass before it.
  std::int32_t rarity = 0;

  // Pass 1: one try at a basic attack.
  if (rng::Random(100, 1) <= kPass1WantedRoll[g]) {
    rarity = kPass1Rarity;
    Try(skills, master, kBasicAttack, rarity, 0, 0x7fffffff);
  }

  // Passes 2 to 6: each wanted skill is tried for until one is added. The master table always
  // holds a skill the soldier lacks in every kind, rarity band and id range a pass can reach, so
  // the tries end.
  for (const Pass& p : kPasses) {
    std::int32_t r = rng::Random(100, 1);
    std::int32_t wanted = r <= p.wanted_roll[g] ? p.wanted_then[g] : p.wanted_else[g];
    std::int32_t lo = g == kScholar ? p.scholar_lo : p.lo;
    std::int32_t hi = g == kScholar ? p.scholar_hi : p.hi;
    for (std::int32_t w = 0; w < wanted; ++w) {
      for (;;) {
        r = rng::Random(100, 1);
        for (const Band& b : p.bands[g])
          if (r >= b.from && r <= b.to) rarity = b.rarity;
        std::int32_t kind = p.kind >= 0 ? p.kind : rng::Random(2, 4);
        if (Try(skills, master, kind, rarity, lo, hi)) break;
      }
    }
  }
}
