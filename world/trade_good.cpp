#include "world/trade_good.h"

#include <cstdint>
#include <limits>

#include "world/codec.h"
#include "world/random.h"
#include "world/saturate.h"

namespace {

// The new trend by the current one: r = Random(100, 1) falls in the first column whose upper
// bound holds it. The columns run soaring, rising, steady, falling, collapsing.
constexpr std::int32_t kTrendColumn[5] = {4, 2, 1, 3, 5};
constexpr std::int32_t kTrendBound[5][5] = {
    {4, 15, 85, 96, 100},   // steady
    {2, 65, 96, 98, 100},   // rising
    {2, 4, 35, 98, 100},    // falling
    {80, 92, 96, 98, 100},  // soaring
    {2, 4, 8, 20, 100},     // collapsing
};

// A band of the walk: b = Random(1000, 1) up to `upper` moves the price by up to `m` per mille,
// up for a positive m, down for a negative one.
struct Band {
  std::int32_t upper;
  std::int32_t m;
};
using BandRow = Band[6];

// [price class - 1][trend - 1].
constexpr BandRow kBands[4][5] = {
    {
        {{400, 30}, {800, -30}, {893, 100}, {992, -100}, {996, 1000}, {1000, -1000}},
        {{400, 30}, {800, -30}, {899, 100}, {998, -100}, {999, 1000}, {1000, -1000}},
        {{400, 30}, {800, -30}, {899, 100}, {998, -100}, {999, 1000}, {1000, -1000}},
        {{400, 50}, {800, -50}, {899, 200}, {998, -200}, {999, 1000}, {1000, -1000}},
        {{400, 50}, {800, -50}, {899, 200}, {998, -200}, {999, 1000}, {1000, -1000}},
    },
    {
        {{700, 20}, {800, -10}, {899, 200}, {998, -200}, {999, 500}, {1000, -500}},
        {{700, 50}, {800, -50}, {899, 200}, {998, -200}, {999, 500}, {1000, 1000}},
        {{500, 50}, {800, -50}, {899, 200}, {998, -200}, {999, -500}, {1000, -1000}},
        {{700, 50}, {750, -50}, {949, 200}, {998, -200}, {999, 500}, {1000, 1000}},
        {{200, 50}, {700, -100}, {749, 200}, {998, -300}, {999, -1000}, {1000, -2000}},
    },
    {
        {{400, 30}, {800, -30}, {899, 100}, {998, -100}, {999, 1000}, {1000, -1000}},
        {{400, 30}, {800, 50}, {899, 200}, {998, 300}, {999, 500}, {1000, 1000}},
        {{400, -30}, {800, -50}, {899, -100}, {998, -200}, {999, -500}, {1000, -1000}},
        {{400, 50}, {800, 100}, {899, 300}, {998, 400}, {999, 1000}, {1000, 2000}},
        {{400, -30}, {800, -50}, {899, -300}, {998, -400}, {999, -1000}, {1000, -2000}},
    },
    {
        {{400, 30}, {800, -30}, {899, 100}, {998, -100}, {999, 1000}, {1000, -1000}},
        {{500, 30}, {938, -30}, {978, 500}, {998, 1000}, {999, 2000}, {1000, 3000}},
        {{500, 30}, {938, -30}, {978, -400}, {998, -800}, {999, -2000}, {1000, -3000}},
        {{400, 50}, {800, -50}, {902, 400}, {992, 800}, {996, 2000}, {1000, 3000}},
        {{400, 50}, {800, -50}, {902, -300}, {992, -600}, {996, -2000}, {1000, -3000}},
    },
};

// A price move as the game makes it: single-precision product, truncated toward zero. Huge
// prices give products beyond the int32 range; they stop at its ends.
std::int32_t TruncateMove(float value) {
  double v = value;
  if (v >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  if (v < -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// Image offsets of the fields a trade good sets; the rest of the 308 bytes is the general item
// part, all zero.
enum Offset : std::size_t {
  kName = 0,
  kId = 4,
  kPrice = 160,
  kPurchasePrice = 164,
  kRecordedPrice = 168,
  kGrade = 172,
  kPriceChange = 176,
  kSubcategory = 180,
  kTrend = 184,
  kOwner = 188,
  kOfferBuyer = 192,
  kOfferPrice = 196,
  kOnMarket = 200,
  kMarked = 201,
  kMarketChance = 204,
  kLevel = 208,
  kCategory = 224,
  kPriceClass = 236,
  kEmptyName1 = 244,
  kEmptyName2 = 288,
};

}  // namespace

TradeGood::TradeGood(NameRef name, std::int32_t id, std::int32_t price, std::int32_t purchase_price,
                     std::int32_t recorded_price, std::int32_t grade, std::int32_t subcategory, std::int32_t owner,
                     std::int32_t market_chance, std::int32_t level, std::int32_t category,
                     std::int32_t price_class)
    : name_(name),
      id_(id),
      price_(price),
      purchase_price_(purchase_price),
      recorded_price_(recorded_price),
      grade_(grade),
      subcategory_(subcategory),
      owner_(owner),
      market_chance_(market_chance),
      level_(level),
      category_(category),
      price_class_(price_class) {}

int TradeGood::Random(int n, int base) { return rng::Random(n, base); }

void TradeGood::UpdatePrice() {
  // 1. Trend.
  std::int32_t r = Random(100, 1);
  if (trend_ >= 1 && trend_ <= 5) {
    const std::int32_t* bounds = kTrendBound[trend_ - 1];
    for (int c = 0; c < 5; ++c) {
      if (r <= bounds[c]) {
        trend_ = kTrendColumn[c];
        break;
      }
    }
  }

  // 2. Band. A class or trend that no table row names (only a caller's own setting can give
  // one) moves nothing.
  std::int32_t b = Random(1000, 1);
  if (price_class_ >= 1 && price_class_ <= 4 && trend_ >= 1 && trend_ <= 5) {
    const Band* row = kBands[price_class_ - 1][trend_ - 1];
    const Band* band = &row[5];
    for (int i = 0; i < 6; ++i) {
      if (b <= row[i].upper) {
        band = &row[i];
        break;
      }
    }
    bool falling = band->m < 0;
    std::int32_t m = falling ? -band->m : band->m;

    // 3. Move.
    std::int32_t step = Random(m, 1);
    if (price_class_ == 1) {
      // The change carries the sign of the move.
      float signed_price = falling ? -static_cast<float>(price_) : static_cast<float>(price_);
      price_change_ = TruncateMove(signed_price * static_cast<float>(step) / 1000.0f);
      price_ = Plus(price_, price_change_);
    } else {
      // The change is the size of the move, whichever way the price went.
      price_change_ = TruncateMove(static_cast<float>(price_) * static_cast<float>(step) / 1000.0f);
      price_ = Plus(price_, falling ? -std::int64_t{price_change_} : price_change_);
    }
  }

  // 4. Recorded price.
  recorded_price_ = price_;

  // 5. Now and then the good changes its class.
  if (Random(50, 1) == 1 && price_class_ >= 1 && price_class_ <= 4) price_class_ = Random(4, 1);
}

void TradeGood::ReissueIfWorthless() {
  if (price_ >= 1) return;
  switch (grade_) {
    case 1: price_ = Random(3000, 1000); break;
    case 2: price_ = Random(10000, 10000); break;
    case 3: price_ = Random(10000, 50000); break;
    case 4: price_ = Random(50000, 100000); break;
    case 5: price_ = Random(50000, 300000); break;
    default: break;
  }
  purchase_price_ = 0;
  recorded_price_ = 0;
  subcategory_ = 0;
  owner_ = 0;
  on_market_ = 0;
}

void TradeGood::PackSaveImage() {
  image_.fill(0);
  std::uint8_t* p = image_.data();
  codec::PutI32(p, kName, name_);
  codec::PutI32(p, kId, id_);
  codec::PutI32(p, kPrice, price_);
  codec::PutI32(p, kPurchasePrice, purchase_price_);
  codec::PutI32(p, kRecordedPrice, recorded_price_);
  codec::PutI32(p, kGrade, grade_);
  codec::PutI32(p, kPriceChange, price_change_);
  codec::PutI32(p, kSubcategory, subcategory_);
  codec::PutI32(p, kTrend, trend_);
  codec::PutI32(p, kOwner, owner_);
  codec::PutI32(p, kOfferBuyer, offer_buyer_);
  codec::PutI32(p, kOfferPrice, offer_price_);
  codec::PutU8(p, kOnMarket, on_market_);
  codec::PutU8(p, kMarked, marked_);
  codec::PutI32(p, kMarketChance, market_chance_);
  codec::PutI32(p, kLevel, level_);
  codec::PutI32(p, kCategory, category_);
  codec::PutI32(p, kPriceClass, price_class_);
  codec::PutI32(p, kEmptyName1, names::kNone);
  codec::PutI32(p, kEmptyName2, names::kNone);
}

bool TradeGood::LoadSaveImage(const std::uint8_t* image) {
  NameRef name = codec::GetI32(image, kName);
  std::int32_t grade = codec::GetI32(image, kGrade);
  std::int32_t price_class = codec::GetI32(image, kPriceClass);
  if (!names::IsValid(name) || grade < 1 || grade > 5 || price_class < 1 || price_class > 4) return false;
  // Only these come back; trend, change, offer and the market flags start afresh and the next
  // end of turn settles them.
  name_ = name;
  id_ = codec::GetI32(image, kId);
  price_ = codec::GetI32(image, kPrice);
  purchase_price_ = codec::GetI32(image, kPurchasePrice);
  recorded_price_ = codec::GetI32(image, kRecordedPrice);
  grade_ = grade;
  subcategory_ = codec::GetI32(image, kSubcategory);
  owner_ = codec::GetI32(image, kOwner);
  market_chance_ = codec::GetI32(image, kMarketChance);
  level_ = codec::GetI32(image, kLevel);
  category_ = codec::GetI32(image, kCategory);
  price_class_ = price_class;
  return true;
}

bool TradeGoodList::Add(NameRef name, std::int32_t id, std::int32_t price, std::int32_t purchase_price,
                        std::int32_t recorded_price, std::int32_t grade, std::int32_t subcategory,
                        std::int32_t owner, std::int32_t market_chance, std::int32_t level,
                        std::int32_t category, std::int32_t price_class) {
  Append(TradeGood(name, id, price, purchase_price, recorded_price, grade, subcategory, owner, market_chance,
                   level, category, price_class));
  return true;
}

std::int32_t TradeGoodList::CountOfCategory(std::int32_t category) const {
  return CountIf([&](const TradeGood& g) { return g.GetCategory() == category; });
}

TradeGood* TradeGoodList::GetNthOfCategory(std::int32_t category, std::int32_t n) const {
  return NthIf(n, [&](const TradeGood& g) { return g.GetCategory() == category; });
}

std::int32_t TradeGoodList::CountByOwnerAndMarket(std::int32_t owner, std::uint8_t on_market) const {
  return CountIf([&](const TradeGood& g) { return g.GetOwnerId() == owner && g.IsOnMarket() == on_market; });
}

TradeGood* TradeGoodList::GetNthByOwnerAndMarket(std::int32_t owner, std::uint8_t on_market,
                                                 std::int32_t n) const {
  return NthIf(n, [&](const TradeGood& g) { return g.GetOwnerId() == owner && g.IsOnMarket() == on_market; });
}

std::int32_t TradeGoodList::CountOwned() const {
  return CountIf([](const TradeGood& g) { return g.GetOwnerId() > 0; });
}

TradeGood* TradeGoodList::GetNthOwned(std::int32_t n) const {
  return NthIf(n, [](const TradeGood& g) { return g.GetOwnerId() > 0; });
}

std::int32_t TradeGoodList::CountOwnedWithOffer(std::int32_t owner) const {
  return CountIf([&](const TradeGood& g) { return g.GetOwnerId() == owner && g.GetOfferBuyerId() != 0; });
}

TradeGood* TradeGoodList::GetNthOwnedWithOffer(std::int32_t owner, std::int32_t n) const {
  return NthIf(n, [&](const TradeGood& g) { return g.GetOwnerId() == owner && g.GetOfferBuyerId() != 0; });
}

std::int32_t TradeGoodList::CountOffersBy(std::int32_t buyer) const {
  return CountIf([&](const TradeGood& g) { return g.GetOfferBuyerId() == buyer && g.GetOwnerId() != 0; });
}

TradeGood* TradeGoodList::GetNthOfferBy(std::int32_t buyer, std::int32_t n) const {
  return NthIf(n, [&](const TradeGood& g) { return g.GetOfferBuyerId() == buyer && g.GetOwnerId() != 0; });
}
