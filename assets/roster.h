#pragma once
// Who has pictures of their own, and how each of them looks. The twenty named characters with
// their own portrait, list picture and sprite sheet are characters 1 to 20 (the seven kings, their
// vassals and the leader of free band 8); everyone else wears one of the six shared sets.
#include <array>
#include <cstdint>

#include "assets/image.h"

namespace starting {
struct CharacterRow;
}

namespace assets {

enum class Hair : std::uint8_t { kShort, kLong, kSpiky, kPonytail, kBald, kSwept, kBob, kWild };
enum class Beard : std::uint8_t { kNone, kStubble, kShort, kFull, kMoustache };
enum class Headgear : std::uint8_t { kNone, kCrown, kCirclet, kHelmet, kHood, kBandana, kStrawHat, kPlumedHelm };
enum class Weapon : std::uint8_t { kSword, kGreatsword, kAxe, kSpear, kHammer, kStaff, kSabre, kPitchfork };

struct Look {
  Rgb skin;
  Rgb hair;
  Hair hair_style;
  Beard beard;
  Headgear headgear;
  Weapon weapon;
  bool shield;
  bool soft_face;  // rounder face, lashes: the women of the cast
  Rgb cloth;       // cape, sleeves and portrait background
  Rgb trousers;
  Rgb eyes;
  int age;         // 0 young, 1 grown, 2 old (lines, grey)
};

// Looks of characters 1..20, then the shared sets.
enum class SharedSet : int { kMilitia = 21, kLords = 22, kMercenaryA = 23, kMercenaryB = 24, kMercenaryC = 25, kMercenaryD = 26 };
inline constexpr int kNamedCount = 20;
inline constexpr int kLookCount = 26;

// look index 1..26
const Look& LookOf(int look);

// The starting table's row of named character id (1..20): its portrait, list picture and sprite
// sheet names are the pictures painted for it. nullptr for other ids.
const starting::CharacterRow* NamedCharacter(int id);

// The nation a named character serves at the start (1..7), or 15 for the free band's leader.
int NationOf(int id);
bool IsKing(int id);

// The colour of a nation (1..7) on the mini-map, on banners and capes; 0 is the colour of no owner.
Rgb NationColour(int nation);

}  // namespace assets
