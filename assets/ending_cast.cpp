#include "assets/ending_cast.h"

namespace assets {

namespace {
constexpr Rgb kFairSkin{250, 222, 194}, kLightSkin{238, 200, 166}, kTanSkin{214, 168, 124}, kBrownSkin{168, 118, 78};
}  // namespace

Look EndingHero() {
  return {kFairSkin, {122, 74, 40}, Hair::kSwept, Beard::kNone, Headgear::kNone, Weapon::kSword, false, false,
          {40, 80, 200}, {60, 50, 40}, {60, 110, 190}, 1};
}
Look EndingFoe() {
  return {kTanSkin, {30, 24, 26}, Hair::kShort, Beard::kShort, Headgear::kHelmet, Weapon::kGreatsword, false, false,
          {150, 20, 30}, {40, 30, 40}, {90, 56, 30}, 1};
}
Look EndingQueen() {
  return {kFairSkin, {232, 198, 104}, Hair::kLong, Beard::kNone, Headgear::kCirclet, Weapon::kStaff, false, true,
          {240, 236, 220}, {200, 190, 170}, {50, 130, 70}, 1};
}
Look EndingPriest() {
  return {kLightSkin, {158, 158, 162}, Hair::kShort, Beard::kShort, Headgear::kHood, Weapon::kStaff, false, false,
          {230, 226, 210}, {120, 110, 90}, {100, 110, 120}, 2};
}
Look EndingKnight() {
  return {kLightSkin, {34, 28, 28}, Hair::kShort, Beard::kNone, Headgear::kPlumedHelm, Weapon::kSword, true, false,
          {200, 44, 40}, {60, 60, 80}, {90, 56, 30}, 1};
}
Look EndingMage() {
  return {kFairSkin, {236, 230, 206}, Hair::kBob, Beard::kNone, Headgear::kNone, Weapon::kStaff, false, true,
          {60, 60, 160}, {60, 60, 110}, {120, 60, 160}, 0};
}
Look EndingSoldier(Rgb cloth) {
  return {kBrownSkin, {34, 28, 28}, Hair::kShort, Beard::kShort, Headgear::kHelmet, Weapon::kSpear, false, false,
          cloth, {60, 70, 50}, {90, 56, 30}, 1};
}

}  // namespace assets
