#pragma once
// Every character of the game, in the order they were added (slot file kind c), with the
// questions the screens and the end of turn ask of it: counts and n-th characters by nation,
// rank, division and spot (character_list_queries.cpp), the searches of the field map
// (character_list_field.cpp) and the rankings and leader pick (character_list_rank.cpp).
//
// Every query is one walk of the list from the front. A character result is a pointer; the end
// (nullptr) means no character and is never read.
#include <cstdint>

#include "world/character.h"
#include "world/city.h"
#include "world/names.h"
#include "world/record_list.h"

class CharacterList : public RecordList<CharacterList, Character> {
 public:
  // Appends a named character; the sixteenth value is not used. Always true.
  bool Add(NameRef name, NameRef portrait_name, NameRef portrait_bitmap_name, NameRef field_sprite_name,
           std::int32_t id, std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t division_id,
           std::int32_t party_id, std::int32_t role, std::int32_t rank, std::int32_t home_city_id,
           std::int32_t division_attachment, std::int32_t home_division_id, std::int32_t unused = 0);

  // The first character with the id; when none has it, the last character (the end only on an
  // empty list).
  Character* FindById(std::int32_t id) const;

  // --- counts and n-th characters (n from 0 in list order; the end past the last match) ---
  std::int32_t CountOfNation(std::int32_t nation_id) const;
  Character* GetNthOfNation(std::int32_t nation_id, std::int32_t n) const;
  // with_division 0: without a division, 1: with one; any other value matches nobody.
  std::int32_t CountOfNationByDivision(std::int32_t nation_id, std::int32_t with_division) const;
  Character* GetNthOfNationByDivision(std::int32_t nation_id, std::int32_t with_division, std::int32_t n) const;
  std::int32_t CountOfRank(std::int32_t rank) const;
  Character* GetNthOfRank(std::int32_t rank, std::int32_t n) const;
  Character* GetNthOfDivision(std::int32_t division_id, std::int32_t n) const;
  // Field states 5 to 10: moving to battle, fighting, duelling, defending, pursuing, resting.
  std::int32_t CountInBattleOfNation(std::int32_t nation_id) const;
  Character* GetNthInBattleOfNation(std::int32_t nation_id, std::int32_t n) const;
  // Willing flag toward the nation (whatever the character's own nation); a missing relation
  // entry counts as not willing.
  std::int32_t CountWilling(std::int32_t nation_id, std::int32_t willing, std::int32_t with_division) const;
  Character* GetNthWilling(std::int32_t nation_id, std::int32_t willing, std::int32_t with_division,
                           std::int32_t n) const;
  std::int32_t CountAt(std::int32_t x, std::int32_t y, std::int32_t nation_id) const;
  Character* GetNthAt(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t n) const;
  std::int32_t CountAtNotOfRank(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t rank) const;
  Character* GetNthAtNotOfRank(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t rank,
                               std::int32_t n) const;
  std::int32_t CountAtOfRank(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t rank) const;
  Character* GetNthAtNotInOrder(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t order,
                                std::int32_t n) const;
  std::int32_t CountAtInOrder(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t order) const;
  // Neither recuperating nor training.
  std::int32_t CountAtAvailable(std::int32_t x, std::int32_t y, std::int32_t nation_id) const;
  Character* GetNthAtAvailable(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t n) const;
  // Based at (x, y) but standing elsewhere.
  std::int32_t CountHeadingTo(std::int32_t x, std::int32_t y, std::int32_t nation_id) const;
  Character* GetNthHeadingTo(std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t n) const;
  // ... and neither fighting, pursuing nor resting.
  std::int32_t CountHeadingToNotEngaged(std::int32_t x, std::int32_t y, std::int32_t nation_id) const;
  Character* GetNthHeadingToNotEngaged(std::int32_t x, std::int32_t y, std::int32_t nation_id,
                                       std::int32_t n) const;
  // At (x, y) in free action with HP at least four fifths of max HP.
  std::int32_t CountHealthyIdleAt(std::int32_t x, std::int32_t y, std::int32_t nation_id) const;

  Character* FindByRankAndNation(std::int32_t rank, std::int32_t nation_id) const;
  // True when no member of the division serves a nation (also when it has no members).
  bool IsDivisionWithoutNationMembers(std::int32_t division_id) const;
  // The n-th (from 1) passing character in the order of the last ranking's positions 1 to 999;
  // the first character of the list when fewer pass.
  Character* GetNthWillingByPosition(std::int32_t nation_id, std::int32_t willing, std::int32_t with_division,
                                     std::int32_t n) const;
  // Level x hiring cost per level of the nation's n-th character; 0 for a king, a lord or none.
  std::int32_t GetHiringCostOfNth(std::int32_t nation_id, std::int32_t n) const;
  // The salary bill (俸禄) and the cost of hiring, summed over a nation or a division.
  std::int32_t TotalSalaryOfNation(std::int32_t nation_id) const;
  std::int32_t TotalSalaryOfDivision(std::int32_t division_id) const;
  std::int32_t TotalHiringCostOfDivision(std::int32_t division_id) const;

  // --- the field map (squares of half-size r are open on all four sides) ---
  bool HasActiveEnemyNear(const Character& searcher, std::int32_t r) const;
  bool HasDuelingCharacterNear(const Character& searcher, std::int32_t r) const;
  bool HasEnemyNearCity(const City& city, std::int32_t r) const;
  // (px, py): a field x and a y counted down from the top of the 480-pixel view.
  bool HasCharacterAtPoint(std::int32_t px, std::int32_t py) const;
  Character* HitTest(std::int32_t px, std::int32_t py) const;
  // Within r of its base point on both axes.
  bool IsCharacterNearTarget(const Character& c, std::int32_t r) const;
  // Nearest by |dx| + |dy|, the earlier one on a tie; see the fallback in the source.
  Character* FindNearestEnemyInSquare(const Character& searcher, std::int32_t r) const;
  Character* FindNearestActiveEnemyInSquare(const Character& searcher, std::int32_t r) const;
  // A duellist of the searcher's own nation first, then of another.
  Character* FindDuelingCharacterNear(const Character& searcher, std::int32_t r) const;
  // The city owner's characters (not recuperating) near the city.
  std::int32_t CountOwnersNearCity(const City& city, std::int32_t r) const;
  Character* GetNthOwnerNearCity(const City& city, std::int32_t n, std::int32_t r) const;
  Character* FindByDrawSlot(std::int32_t slot) const;
  // Whatever the character has in hand is given up (it is knocked out, stands down or leaves its
  // nation): the attack (action step 0) and the six casts; each cast on a character frees that
  // one to be targeted again, unless the boost or weakening is already in force on it.
  void DropActionsInHand(Character& c) const;

  // Targets of a skill with an area: the nearest candidate within range, then the characters of
  // its nation within area of it.
  std::int32_t CountTargetsAroundNearest(const Character& searcher, std::int32_t ally, std::int32_t range,
                                         std::int32_t area) const;
  Character* GetNthTargetAroundNearest(const Character& searcher, std::int32_t ally, std::int32_t range,
                                       std::int32_t area, std::int32_t n) const;
  // status 1: free of ailments, 0: ailing.
  std::int32_t CountStatusTargetsAroundNearest(std::int32_t ally, std::int32_t status, const Character& searcher,
                                               std::int32_t range, std::int32_t area) const;
  Character* GetNthStatusTargetAroundNearest(std::int32_t ally, std::int32_t status, const Character& searcher,
                                             std::int32_t range, std::int32_t area, std::int32_t n) const;
  // max HP - HP at least min_deficit; the searcher stands in when no ally is wounded.
  std::int32_t CountWoundedAroundNearest(std::int32_t ally, std::int32_t min_deficit, const Character& searcher,
                                         std::int32_t range, std::int32_t area) const;
  Character* GetNthWoundedAroundNearest(std::int32_t ally, std::int32_t min_deficit, const Character& searcher,
                                        std::int32_t range, std::int32_t area, std::int32_t n) const;

  // The painter's order of the field: every character on the field gets a distinct slot (the
  // farthest, largest y, lowest); every other character -1.
  void ComputeDrawOrder();

  // --- rankings ---
  // Ranks everybody by the criterion's value, highest first, and writes each character's
  // ranking position and shared rank.
  void Rank(std::int32_t criterion);
  Character* FindByRankingPosition(std::int32_t position) const;
  // One of the five most famous, the most famous preferred.
  Character* PickLeader() const;
};
