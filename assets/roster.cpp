#include "assets/roster.h"

namespace assets {
namespace {

// The names of characters 1..20, in id order. Placeholder names until the starting roster is in
// the name table: this is the one list to switch.
constexpr const char* kNames[kNamedCount] = {
    "レオンハルト", "ガレス",     "ヴァルター", "クラウス",   "イゾルデ",   "セレスタ",     "ゼノヴィア",
    "ベルナール",   "ドゥルガン", "アリアンナ", "ファルク",   "オスヴァルド", "ティモン", "リュシエル",
    "ボルグ",       "ミレーユ",   "カスパル",   "ロドリク",   "ザイファ",   "エルムント",
};

// Nation of characters 1..20 (15: the free band's leader, character 19).
constexpr int kNation[kNamedCount] = {1, 1, 3, 3, 4, 5, 5, 5, 6, 6, 6, 2, 2, 2, 2, 1, 4, 4, 15, 7};

constexpr Rgb kFair{250, 222, 194}, kLight{238, 200, 166}, kTan{214, 168, 124}, kBrown{168, 118, 78},
    kDeep{118, 80, 54};
constexpr Rgb kBlack{34, 28, 28}, kDarkBrown{72, 46, 30}, kChestnut{122, 74, 40}, kAuburn{156, 64, 32},
    kBlond{232, 198, 104}, kPlatinum{236, 230, 206}, kRed{196, 52, 32}, kGrey{158, 158, 162}, kWhite{232, 232, 236},
    kSilver{188, 200, 224}, kNavy{44, 50, 92};
constexpr Rgb kEyeBlue{60, 110, 190}, kEyeBrown{90, 56, 30}, kEyeGreen{50, 130, 70}, kEyeGrey{100, 110, 120},
    kEyeAmber{190, 130, 30}, kEyeViolet{120, 60, 160};

// The colour of the nation's cloth: capes of its characters and the background of their portraits.
constexpr Rgb kNationColour[8] = {{222, 222, 214}, {200, 44, 40},  {44, 86, 204},  {46, 150, 70},
                                  {226, 186, 36},  {140, 62, 178}, {228, 122, 34}, {32, 164, 176}};

Look Named(int id) {
  const Rgb cape = kNationColour[kNation[id - 1] == 15 ? 0 : kNation[id - 1]];
  switch (id) {
    // Nation 1: the young king, his sworn knight and the red-haired swordswoman.
    case 1: return {kFair, kBlond, Hair::kSwept, Beard::kShort, Headgear::kCrown, Weapon::kGreatsword, false, false, cape, {70, 60, 50}, kEyeBlue, 1};
    case 2: return {kLight, kBlack, Hair::kShort, Beard::kNone, Headgear::kPlumedHelm, Weapon::kSword, true, false, cape, {60, 60, 80}, kEyeBrown, 1};
    case 16: return {kFair, kRed, Hair::kLong, Beard::kNone, Headgear::kCirclet, Weapon::kSabre, false, true, cape, {90, 40, 40}, kEyeGreen, 0};
    // Nation 2: the old spear king and his four.
    case 12: return {kLight, kGrey, Hair::kShort, Beard::kFull, Headgear::kCrown, Weapon::kSpear, false, false, cape, {50, 50, 90}, kEyeGrey, 2};
    case 13: return {kLight, kChestnut, Hair::kSpiky, Beard::kNone, Headgear::kNone, Weapon::kSword, false, false, cape, {80, 70, 50}, kEyeBrown, 0};
    case 14: return {kFair, kPlatinum, Hair::kBob, Beard::kNone, Headgear::kNone, Weapon::kStaff, false, true, cape, {60, 60, 110}, kEyeViolet, 0};
    case 15: return {kTan, kBlack, Hair::kBald, Beard::kMoustache, Headgear::kNone, Weapon::kAxe, false, false, cape, {90, 70, 40}, kEyeBrown, 2};
    // Nation 3: the swordsman king with the long black tail and his wild axeman.
    case 3: return {kLight, kBlack, Hair::kPonytail, Beard::kNone, Headgear::kCrown, Weapon::kSabre, false, false, cape, {40, 60, 40}, kEyeAmber, 1};
    case 4: return {kTan, kAuburn, Hair::kWild, Beard::kStubble, Headgear::kNone, Weapon::kAxe, false, false, cape, {100, 70, 40}, kEyeGreen, 1};
    // Nation 4: the queen with sword and shield, a hooded mage and a spearman.
    case 5: return {kFair, kBlond, Hair::kLong, Beard::kNone, Headgear::kCrown, Weapon::kSword, true, true, cape, {110, 90, 40}, kEyeBlue, 1};
    case 17: return {kLight, kDarkBrown, Hair::kShort, Beard::kNone, Headgear::kHood, Weapon::kStaff, false, false, cape, {70, 60, 40}, kEyeGreen, 1};
    case 18: return {kBrown, kDarkBrown, Hair::kShort, Beard::kShort, Headgear::kHelmet, Weapon::kSpear, true, false, cape, {80, 70, 50}, kEyeBrown, 1};
    // Nation 5: the silver-haired sorceress queen, a bandit captain and a spearwoman.
    case 7: return {kFair, kSilver, Hair::kLong, Beard::kNone, Headgear::kCrown, Weapon::kStaff, false, true, cape, {70, 40, 90}, kEyeViolet, 1};
    case 8: return {kTan, kDarkBrown, Hair::kWild, Beard::kStubble, Headgear::kBandana, Weapon::kSabre, false, false, cape, {60, 50, 60}, kEyeBrown, 1};
    case 6: return {kLight, kBlack, Hair::kPonytail, Beard::kNone, Headgear::kNone, Weapon::kSpear, false, true, cape, {50, 40, 70}, kEyeBrown, 0};
    // Nation 6: the bearded axe king, a shield maiden and a young lancer.
    case 9: return {kDeep, kBlack, Hair::kShort, Beard::kFull, Headgear::kCrown, Weapon::kAxe, false, false, cape, {90, 60, 30}, kEyeAmber, 2};
    case 10: return {kBrown, kChestnut, Hair::kBob, Beard::kNone, Headgear::kNone, Weapon::kSword, true, true, cape, {100, 60, 30}, kEyeBrown, 0};
    case 11: return {kFair, kBlond, Hair::kSpiky, Beard::kNone, Headgear::kNone, Weapon::kSpear, false, false, cape, {110, 80, 40}, kEyeBlue, 0};
    // Character 19: leader of a free band, no nation's colours.
    case 19: return {kTan, kNavy, Hair::kWild, Beard::kStubble, Headgear::kNone, Weapon::kGreatsword, false, false, Rgb{96, 84, 70}, {50, 44, 40}, kEyeGrey, 1};
    // Nation 7: the old sage king.
    case 20: return {kLight, kWhite, Hair::kLong, Beard::kFull, Headgear::kCrown, Weapon::kStaff, false, false, cape, {40, 80, 90}, kEyeBlue, 2};
    default: break;
  }
  return {};
}

Look Shared(SharedSet set) {
  switch (set) {
    case SharedSet::kMilitia: return {kTan, kChestnut, Hair::kShort, Beard::kStubble, Headgear::kStrawHat, Weapon::kPitchfork, false, false, Rgb{150, 120, 80}, {110, 90, 60}, kEyeBrown, 1};
    case SharedSet::kLords: return {kLight, kDarkBrown, Hair::kShort, Beard::kMoustache, Headgear::kPlumedHelm, Weapon::kSword, true, false, Rgb{130, 30, 50}, {60, 40, 50}, kEyeGrey, 2};
    case SharedSet::kMercenaryA: return {kTan, kRed, Hair::kWild, Beard::kFull, Headgear::kBandana, Weapon::kAxe, false, false, Rgb{110, 80, 50}, {70, 60, 50}, kEyeGreen, 1};
    case SharedSet::kMercenaryB: return {kBrown, kBlack, Hair::kShort, Beard::kShort, Headgear::kHelmet, Weapon::kSpear, true, false, Rgb{80, 100, 70}, {60, 70, 50}, kEyeBrown, 1};
    case SharedSet::kMercenaryC: return {kLight, kBlack, Hair::kShort, Beard::kNone, Headgear::kHood, Weapon::kSabre, false, false, Rgb{60, 70, 90}, {40, 45, 60}, kEyeAmber, 1};
    case SharedSet::kMercenaryD: return {kDeep, kBlack, Hair::kBald, Beard::kFull, Headgear::kNone, Weapon::kHammer, false, false, Rgb{120, 60, 40}, {70, 50, 40}, kEyeBrown, 2};
  }
  return {};
}

std::array<Look, kLookCount + 1> BuildLooks() {
  std::array<Look, kLookCount + 1> looks{};
  for (int id = 1; id <= kNamedCount; ++id) looks[id] = Named(id);
  for (int s = 21; s <= kLookCount; ++s) looks[s] = Shared(static_cast<SharedSet>(s));
  return looks;
}

}  // namespace

const Look& LookOf(int look) {
  static const std::array<Look, kLookCount + 1> looks = BuildLooks();
  return looks[look >= 1 && look <= kLookCount ? look : 21];
}

const char* CharacterName(int id) { return id >= 1 && id <= kNamedCount ? kNames[id - 1] : ""; }

int NationOf(int id) { return id >= 1 && id <= kNamedCount ? kNation[id - 1] : 15; }

bool IsKing(int id) { return id == 1 || id == 12 || id == 3 || id == 5 || id == 7 || id == 9 || id == 20; }

Rgb NationColour(int nation) { return kNationColour[nation >= 1 && nation <= 7 ? nation : 0]; }

}  // namespace assets
