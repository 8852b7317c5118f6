#include "assets/roster.h"

#include "core/starting_tables.h"

namespace assets {
namespace {

constexpr Rgb kFair{250, 222, 194}, kLight{238, 200, 166}, kTan{214, 168, 124}, kBrown{168, 118, 78},
    kDeep{118, 80, 54};
constexpr Rgb kBlack{34, 28, 28}, kDarkBrown{72, 46, 30}, kChestnut{122, 74, 40}, kAuburn{156, 64, 32},
    kBlond{232, 198, 104}, kPlatinum{236, 230, 206}, kRed{196, 52, 32}, kGrey{158, 158, 162}, kWhite{232, 232, 236},
    kSilver{188, 200, 224}, kNavy{44, 50, 92};
constexpr Rgb kEyeBlue{60, 110, 190}, kEyeBrown{90, 56, 30}, kEyeGreen{50, 130, 70}, kEyeGrey{100, 110, 120},
    kEyeAmber{190, 130, 30}, kEyeViolet{120, 60, 160};

// The colour of each nation's cloth, after its name: 晴嵐 the clear sky, 緋鷹 scarlet, 雪椿 the
// camellia's rose, 岩槌 ochre rock, 翠波 jade, 朧谷 the misty valley's violet, 金砂 gold. The
// capes of its characters and the background of their portraits; 0 is the colour of no owner.
constexpr Rgb kNationColour[8] = {{222, 222, 214}, {50, 110, 220}, {204, 40, 40},  {226, 112, 150},
                                  {200, 112, 40},  {40, 156, 90},  {140, 62, 178}, {226, 186, 36}};

Look Named(int id) {
  const int nation = NationOf(id);
  const Rgb cape = kNationColour[nation >= 1 && nation <= 7 ? nation : 0];
  switch (id) {
    // 晴嵐: the young king 晴臣 with his greatsword, the knight 凪彦, 朱鷺子 of the vermilion hair.
    case 1: return {kFair, kBlond, Hair::kSwept, Beard::kShort, Headgear::kCrown, Weapon::kGreatsword, false, false, cape, {70, 60, 50}, kEyeBlue, 1};
    case 2: return {kLight, kBlack, Hair::kShort, Beard::kNone, Headgear::kPlumedHelm, Weapon::kSword, true, false, cape, {60, 60, 80}, kEyeBrown, 1};
    case 16: return {kFair, kRed, Hair::kLong, Beard::kNone, Headgear::kCirclet, Weapon::kSabre, false, true, cape, {90, 40, 40}, kEyeGreen, 0};
    // 緋鷹: the old spear king 鷹政, black-haired 黒羽, the strongman 豪月, the sorceress 澄江.
    case 12: return {kLight, kGrey, Hair::kShort, Beard::kFull, Headgear::kCrown, Weapon::kSpear, false, false, cape, {50, 50, 90}, kEyeGrey, 2};
    case 13: return {kLight, kBlack, Hair::kSpiky, Beard::kNone, Headgear::kNone, Weapon::kSword, false, false, cape, {80, 70, 50}, kEyeBrown, 0};
    case 14: return {kTan, kBlack, Hair::kBald, Beard::kMoustache, Headgear::kNone, Weapon::kAxe, false, false, cape, {90, 70, 40}, kEyeBrown, 2};
    case 15: return {kFair, kPlatinum, Hair::kBob, Beard::kNone, Headgear::kNone, Weapon::kStaff, false, true, cape, {60, 60, 110}, kEyeViolet, 0};
    // 雪椿: the snow-haired swordsman king 雪嗣 and frost-grey 霜介 with his axe.
    case 3: return {kFair, kWhite, Hair::kPonytail, Beard::kNone, Headgear::kCrown, Weapon::kSabre, false, false, cape, {40, 50, 70}, kEyeAmber, 1};
    case 4: return {kTan, kSilver, Hair::kWild, Beard::kStubble, Headgear::kNone, Weapon::kAxe, false, false, cape, {100, 70, 40}, kEyeGreen, 1};
    // 岩槌: the hammer king 岳牙, the hooded sage 朽葉, the bear-like spearman 熊彦.
    case 5: return {kBrown, kDarkBrown, Hair::kShort, Beard::kFull, Headgear::kCrown, Weapon::kHammer, false, false, cape, {90, 60, 30}, kEyeAmber, 2};
    case 17: return {kLight, kAuburn, Hair::kShort, Beard::kNone, Headgear::kHood, Weapon::kStaff, false, false, cape, {70, 60, 40}, kEyeGreen, 1};
    case 18: return {kBrown, kDarkBrown, Hair::kShort, Beard::kShort, Headgear::kHelmet, Weapon::kSpear, true, false, cape, {80, 70, 50}, kEyeBrown, 1};
    // 翠波: the sea king 澄定 with his long navy hair, the captain 錨丸, the spearwoman 潮音.
    case 7: return {kLight, kNavy, Hair::kLong, Beard::kShort, Headgear::kCrown, Weapon::kSpear, false, false, cape, {30, 60, 70}, kEyeBlue, 1};
    case 8: return {kTan, kDarkBrown, Hair::kWild, Beard::kStubble, Headgear::kBandana, Weapon::kSabre, false, false, cape, {60, 50, 60}, kEyeBrown, 1};
    case 6: return {kLight, kBlack, Hair::kPonytail, Beard::kNone, Headgear::kNone, Weapon::kSpear, false, true, cape, {50, 40, 70}, kEyeBrown, 0};
    // 朧谷: the silver-haired queen 宵姫 with her staff, the shield maiden 篝, the young lancer 燐.
    case 9: return {kFair, kSilver, Hair::kLong, Beard::kNone, Headgear::kCrown, Weapon::kStaff, false, true, cape, {70, 40, 90}, kEyeViolet, 1};
    case 10: return {kBrown, kRed, Hair::kBob, Beard::kNone, Headgear::kNone, Weapon::kSword, true, true, cape, {100, 60, 30}, kEyeBrown, 0};
    case 11: return {kFair, kBlond, Hair::kSpiky, Beard::kNone, Headgear::kNone, Weapon::kSpear, false, false, cape, {110, 80, 40}, kEyeBlue, 0};
    // 慈灯, the wandering saint who leads a band of pilgrims: no nation's colours.
    case 19: return {kTan, kGrey, Hair::kBald, Beard::kShort, Headgear::kNone, Weapon::kStaff, false, false, Rgb{150, 120, 84}, {70, 60, 46}, kEyeGrey, 2};
    // 金砂: the old sage king 聖真.
    case 20: return {kLight, kWhite, Hair::kLong, Beard::kFull, Headgear::kCrown, Weapon::kStaff, false, false, cape, {80, 70, 30}, kEyeBlue, 2};
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

const starting::CharacterRow* NamedCharacter(int id) {
  return id >= 1 && id <= kNamedCount ? starting::FindCharacter(id) : nullptr;
}

int NationOf(int id) {
  const starting::CharacterRow* row = NamedCharacter(id);
  return row ? row->nation : 15;
}

// A king is his nation's role 0.
bool IsKing(int id) {
  const starting::CharacterRow* row = NamedCharacter(id);
  return row && row->role == 0 && row->nation >= 1 && row->nation <= 7;
}

Rgb NationColour(int nation) { return kNationColour[nation >= 1 && nation <= 7 ? nation : 0]; }

}  // namespace assets
