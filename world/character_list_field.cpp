// The searches of the field map: who is near a unit or a city, the nearest enemy, the targets of
// a skill with an area, the character under the pointer, and the painter's order; and the giving
// up of an attack or cast in hand, which frees the cast's target.
//
// They know nothing of alliances: an enemy is any character of another nation id.
#include <cstdint>
#include <cstdlib>

#include "world/character_list.h"

namespace {

constexpr std::int32_t kFieldSize = 1920;
constexpr std::int32_t kViewHeight = 480;

Point PositionOf(const Character& c) {
  Point p;
  return c.GetPosition(p);
}

// Strictly inside the square of half-size r around the centre.
bool InSquare(const Point& p, const Point& centre, std::int32_t r) {
  std::int64_t dx = std::int64_t{p.x} - centre.x, dy = std::int64_t{p.y} - centre.y;
  return -std::int64_t{r} < dx && dx < r && -std::int64_t{r} < dy && dy < r;
}

bool InSquare(const Character& c, const Point& centre, std::int32_t r) { return InSquare(PositionOf(c), centre, r); }

std::int64_t Distance(const Point& a, const Point& b) {
  return std::llabs(std::int64_t{a.x} - b.x) + std::llabs(std::int64_t{a.y} - b.y);
}

// On the field and in play: neither thinking nor off the field, and not recuperating.
bool IsActive(const Character& c) {
  return c.GetState() != 0 && c.GetState() != 12 && c.GetOrder() != Character::kOrderRecuperation;
}

bool IsItself(const Character& c, const Character& searcher) { return c.GetName() == searcher.GetName(); }

bool IsAiling(const Character& c) { return c.IsPoisoned() || c.IsConfused() || c.IsAngry() || c.IsParalysed(); }

std::int64_t HpDeficit(const Character& c) { return std::int64_t{c.stats.GetMaxHp()} - c.stats.GetHp(); }

// The sprite box of the hit tests: 25 x 49 pixels, all bounds inclusive; (px, py) has its y
// counted down from the top of the view.
bool HoldsPointer(const Character& c, std::int32_t px, std::int32_t py) {
  if (c.GetState() == 0 || c.GetState() == 12) return false;
  Point p = PositionOf(c);
  std::int64_t fy = kViewHeight - std::int64_t{py};
  return std::int64_t{p.x} + 12 <= px && px <= std::int64_t{p.x} + 36 && p.y <= fy && fy <= std::int64_t{p.y} + 48;
}

bool OnField(const Character& c) {
  Point p = PositionOf(c);
  return p.x >= 0 && p.x < kFieldSize && p.y >= 0 && p.y < kFieldSize && c.GetState() != 12;
}

}  // namespace

// The nearest candidate by |dx| + |dy| from the searcher; a later one replaces the best only when
// strictly nearer, so the earlier one in list order wins a tie. The end when none passes.
template <typename Pred>
static Character* Nearest(const CharacterList& list, const Character& searcher, Pred pred) {
  const Point from = PositionOf(searcher);
  Character* best = nullptr;
  std::int64_t best_distance = 0;
  for (auto& c : list) {
    if (!pred(c)) continue;
    std::int64_t d = Distance(PositionOf(c), from);
    if (!best || d < best_distance) {
      best = &c;
      best_distance = d;
    }
  }
  return best;
}

// What the nearest-enemy searches give when no enemy is in the square (the field battle is
// written on it): the first character whose 49 x 49 box, bounds included, holds the point
// (searcher's x, 480 - searcher's y), else the last character.
static Character* NearestFallback(const CharacterList& list, const Character& searcher) {
  const Point s = PositionOf(searcher);
  const std::int64_t fy = kViewHeight - std::int64_t{s.y};
  for (auto& c : list) {
    Point p = PositionOf(c);
    if (p.x <= s.x && s.x <= std::int64_t{p.x} + 48 && p.y <= fy && fy <= std::int64_t{p.y} + 48) return &c;
  }
  return list.Empty() ? nullptr : list.GetAt(list.Count() - 1);
}

bool CharacterList::HasActiveEnemyNear(const Character& searcher, std::int32_t r) const {
  const Point centre = PositionOf(searcher);
  for (auto& c : *this)
    if (!IsItself(c, searcher) && c.GetNationId() != searcher.GetNationId() && IsActive(c) && c.GetState() != 7 &&
        InSquare(c, centre, r))
      return true;
  return false;
}

bool CharacterList::HasDuelingCharacterNear(const Character& searcher, std::int32_t r) const {
  const Point centre = PositionOf(searcher);
  for (auto& c : *this)
    if (!IsItself(c, searcher) && IsActive(c) && c.IsInDuel() && InSquare(c, centre, r)) return true;
  return false;
}

bool CharacterList::HasEnemyNearCity(const City& city, std::int32_t r) const {
  Point centre;
  city.GetPosition(centre);
  for (auto& c : *this)
    if (c.GetNationId() != city.GetOwner() && InSquare(c, centre, r)) return true;
  return false;
}

bool CharacterList::HasCharacterAtPoint(std::int32_t px, std::int32_t py) const {
  return HitTest(px, py) != nullptr;
}

Character* CharacterList::HitTest(std::int32_t px, std::int32_t py) const {
  return NthIf(0, [&](const Character& c) { return HoldsPointer(c, px, py); });
}

bool CharacterList::IsCharacterNearTarget(const Character& c, std::int32_t r) const {
  Point p, base;
  c.GetPosition(p);
  c.GetBasePoint(base);
  return std::llabs(std::int64_t{p.x} - base.x) < r && std::llabs(std::int64_t{p.y} - base.y) < r;
}

Character* CharacterList::FindNearestEnemyInSquare(const Character& searcher, std::int32_t r) const {
  const Point centre = PositionOf(searcher);
  Character* best = Nearest(*this, searcher, [&](const Character& c) {
    return !IsItself(c, searcher) && c.GetNationId() != searcher.GetNationId() && InSquare(c, centre, r);
  });
  return best ? best : NearestFallback(*this, searcher);
}

Character* CharacterList::FindNearestActiveEnemyInSquare(const Character& searcher, std::int32_t r) const {
  const Point centre = PositionOf(searcher);
  Character* best = Nearest(*this, searcher, [&](const Character& c) {
    return !IsItself(c, searcher) && c.GetNationId() != searcher.GetNationId() && IsActive(c) &&
           InSquare(c, centre, r);
  });
  return best ? best : NearestFallback(*this, searcher);
}

Character* CharacterList::FindDuelingCharacterNear(const Character& searcher, std::int32_t r) const {
  const Point centre = PositionOf(searcher);
  auto duellist = [&](const Character& c) {
    return !IsItself(c, searcher) && IsActive(c) && c.IsInDuel() && InSquare(c, centre, r);
  };
  const std::int32_t own = searcher.GetNationId();
  if (Character* c = NthIf(0, [&](const Character& c) { return c.GetNationId() == own && duellist(c); })) return c;
  return NthIf(0, [&](const Character& c) { return c.GetNationId() != own && duellist(c); });
}

// The test of the city owner's characters (not recuperating) near the city.
static auto OwnerNearCity(const City& city, std::int32_t r) {
  Point centre;
  city.GetPosition(centre);
  return [owner = city.GetOwner(), centre, r](const Character& c) {
    return c.GetNationId() == owner && c.GetOrder() != Character::kOrderRecuperation && InSquare(c, centre, r);
  };
}

std::int32_t CharacterList::CountOwnersNearCity(const City& city, std::int32_t r) const {
  return CountIf(OwnerNearCity(city, r));
}

Character* CharacterList::GetNthOwnerNearCity(const City& city, std::int32_t n, std::int32_t r) const {
  return NthIf(n, OwnerNearCity(city, r));
}

Character* CharacterList::FindByDrawSlot(std::int32_t slot) const {
  return NthIf(0, [&](const Character& c) { return c.GetDrawSlot() == slot; });
}

// --- targets of a skill with an area ---
//
// The first pass finds the target, the nearest candidate within range of the searcher; the second
// walks the whole list and takes the characters of the target's nation within area of it (the
// target itself included). The game found the target again by its name; names are unique, so
// holding on to the character is the same.

namespace {

// The nation the first pass looks at: another nation (ally 0) or the searcher's own (ally 1);
// any other flag has no candidates.
bool SideMatches(const Character& c, const Character& searcher, std::int32_t ally) {
  if (ally == 0) return c.GetNationId() != searcher.GetNationId();
  if (ally == 1) return c.GetNationId() == searcher.GetNationId();
  return false;
}

// Status 1: free of the four ailments; 0: ailing; any other value: nobody.
bool StatusMatches(const Character& c, std::int32_t status) {
  if (status == 1) return !IsAiling(c);
  if (status == 0) return IsAiling(c);
  return false;
}

// The three kinds of area search: which candidate may become the target, which characters
// around it count, and whether the searcher stands in when no candidate is in range.
template <typename Candidate, typename Member>
struct AreaSearch {
  bool searcher_stands_in;
  Candidate candidate;
  Member member;
};

auto Targets(const Character& searcher, std::int32_t ally) {
  return AreaSearch{false, [&searcher, ally](const Character& c) { return SideMatches(c, searcher, ally); },
                    [](const Character&) { return true; }};
}

auto StatusTargets(const Character& searcher, std::int32_t ally, std::int32_t status) {
  return AreaSearch{false,
                    [&searcher, ally, status](const Character& c) {
                      return SideMatches(c, searcher, ally) && StatusMatches(c, status);
                    },
                    [status](const Character& c) { return StatusMatches(c, status); }};
}

auto Wounded(const Character& searcher, std::int32_t ally, std::int32_t min_deficit) {
  return AreaSearch{true,
                    [&searcher, ally, min_deficit](const Character& c) {
                      return SideMatches(c, searcher, ally) && HpDeficit(c) >= min_deficit;
                    },
                    [min_deficit](const Character& c) { return HpDeficit(c) >= min_deficit; }};
}

// How many characters the search takes; the n-th of them (from 0) in *nth, or the end.
template <typename Search>
std::int32_t AroundNearest(const CharacterList& list, const Character& searcher, std::int32_t range,
                           std::int32_t area, const Search& search, std::int32_t n, Character** nth) {
  const Point from = PositionOf(searcher);
  const Character* target = Nearest(list, searcher, [&](const Character& c) {
    return !IsItself(c, searcher) && IsActive(c) && search.candidate(c) && InSquare(c, from, range);
  });
  if (!target && search.searcher_stands_in) target = &searcher;
  *nth = nullptr;
  if (!target) return 0;
  const Point centre = PositionOf(*target);
  std::int32_t count = 0;
  for (auto& c : list) {
    if (c.GetNationId() != target->GetNationId() || !IsActive(c) || !search.member(c) ||
        !InSquare(c, centre, area))
      continue;
    if (count == n && !*nth) *nth = &c;
    ++count;
  }
  return count;
}

template <typename Search>
std::int32_t CountAround(const CharacterList& list, const Character& searcher, std::int32_t range,
                         std::int32_t area, const Search& search) {
  Character* unused;
  return AroundNearest(list, searcher, range, area, search, -1, &unused);
}

template <typename Search>
Character* NthAround(const CharacterList& list, const Character& searcher, std::int32_t range, std::int32_t area,
                     const Search& search, std::int32_t n) {
  Character* nth;
  AroundNearest(list, searcher, range, area, search, n, &nth);
  return nth;
}

}  // namespace

std::int32_t CharacterList::CountTargetsAroundNearest(const Character& searcher, std::int32_t ally,
                                                      std::int32_t range, std::int32_t area) const {
  return CountAround(*this, searcher, range, area, Targets(searcher, ally));
}

Character* CharacterList::GetNthTargetAroundNearest(const Character& searcher, std::int32_t ally,
                                                    std::int32_t range, std::int32_t area, std::int32_t n) const {
  return NthAround(*this, searcher, range, area, Targets(searcher, ally), n);
}

std::int32_t CharacterList::CountStatusTargetsAroundNearest(std::int32_t ally, std::int32_t status,
                                                            const Character& searcher, std::int32_t range,
                                                            std::int32_t area) const {
  return CountAround(*this, searcher, range, area, StatusTargets(searcher, ally, status));
}

Character* CharacterList::GetNthStatusTargetAroundNearest(std::int32_t ally, std::int32_t status,
                                                          const Character& searcher, std::int32_t range,
                                                          std::int32_t area, std::int32_t n) const {
  return NthAround(*this, searcher, range, area, StatusTargets(searcher, ally, status), n);
}

std::int32_t CharacterList::CountWoundedAroundNearest(std::int32_t ally, std::int32_t min_deficit,
                                                      const Character& searcher, std::int32_t range,
                                                      std::int32_t area) const {
  return CountAround(*this, searcher, range, area, Wounded(searcher, ally, min_deficit));
}

Character* CharacterList::GetNthWoundedAroundNearest(std::int32_t ally, std::int32_t min_deficit,
                                                     const Character& searcher, std::int32_t range,
                                                     std::int32_t area, std::int32_t n) const {
  return NthAround(*this, searcher, range, area, Wounded(searcher, ally, min_deficit), n);
}

void CharacterList::ComputeDrawOrder() {
  const std::int32_t n = Count();
  for (std::int32_t i = 0; i < n; ++i) {
    Character& c = *GetAt(i);
    // Only characters on the field are drawn. (The game gave one that is off the field but not
    // at x < 0 and y < 0 a slot as well, which could hide a character on the field.)
    if (!OnField(c)) {
      c.SetDrawSlot(-1);
      continue;
    }
    const Point p = PositionOf(c);
    std::int32_t slot = n;
    for (std::int32_t j = 0; j < n; ++j) {
      const Character& o = *GetAt(j);
      if (!OnField(o)) continue;
      const Point q = PositionOf(o);
      if (q == p && j >= i) --slot;  // the same spot: later ones in the list are drawn later
      if (q.y < p.y) --slot;         // nearer the bottom: drawn later
      if (q.y == p.y && q.x > p.x) --slot;
    }
    c.SetDrawSlot(slot);
  }
}

void CharacterList::DropActionsInHand(Character& c) const {
  SkillSlots& s = c.skill_slots;
  // Only the character a cast names, never the list's stand-in for an unknown id.
  auto target = [this](std::int32_t id) -> SkillSlots* {
    Character* t = FindById(id);
    return t && t->GetId() == id ? &t->skill_slots : nullptr;
  };
  s.ClearAttacking();
  s.SetActionStep(0);
  s.ClearCastingSelfBoost();
  if (s.IsCastingAllyBoost()) {
    s.ClearCastingAllyBoost();
    if (SkillSlots* t = target(s.GetAllyBoostTargetId()); t && !t->IsAllyBoostActive()) t->ClearAllyBoostTargeted();
  }
  if (s.IsCastingWeaken()) {
    s.ClearCastingWeaken();
    if (SkillSlots* t = target(s.GetWeakenTargetId()); t && !t->IsWeakenActive()) t->ClearWeakenTargeted();
  }
  if (s.IsCastingCure()) {
    s.ClearCastingCure();
    if (SkillSlots* t = target(s.GetCureTargetId())) t->ClearCureTargeted();
  }
  if (s.IsCastingAilment()) {
    s.ClearCastingAilment();
    if (SkillSlots* t = target(s.GetAilmentTargetId())) t->ClearAilmentTargeted();
  }
  if (s.IsCastingHeal()) {
    s.ClearCastingHeal();
    if (SkillSlots* t = target(s.GetHealTargetId())) t->ClearHealTargeted();
  }
}
