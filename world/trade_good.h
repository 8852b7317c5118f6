#pragma once
// Trade goods: the silver and gold bars, nuggets and chests of gold that kings, lords and the
// merchant buy and sell. Each good's price walks every turn by its trend and price class; a good
// whose price falls below 1 is re-issued as a fresh unowned good at a price of its grade.
//
// The nine goods of one kind share one id: a good is told apart from its twins only by its place
// in the list.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/names.h"
#include "world/record_list.h"

// Who holds or bids for a good besides the characters.
inline constexpr std::int32_t kMerchantId = 1001;
// The item category of every trade good; the end of turn walks the goods of this category.
inline constexpr std::int32_t kTradeGoodCategory = 12;

class TradeGood {
 public:
  static constexpr std::size_t kImageSize = 308;

  // A good as loading starts it: trend 1, no offer, off the market, everything else 0.
  TradeGood() = default;
  TradeGood(NameRef name, std::int32_t id, std::int32_t price, std::int32_t purchase_price,
            std::int32_t recorded_price, std::int32_t grade, std::int32_t subcategory, std::int32_t owner,
            std::int32_t market_chance, std::int32_t level, std::int32_t category, std::int32_t price_class);

  NameRef GetName() const { return name_; }
  std::int32_t GetPrice() const { return price_; }
  void SetPrice(std::int32_t v) { price_ = v; }
  std::int32_t GetPriceA() const { return purchase_price_; }
  void SetPurchasePrice(std::int32_t v) { purchase_price_ = v; }
  std::int32_t GetPriceB() const { return recorded_price_; }
  void SetPriceB(std::int32_t v) { recorded_price_ = v; }
  std::int32_t GetGrade() const { return grade_; }
  std::int32_t GetPriceChange() const { return price_change_; }
  void SetPriceChange(std::int32_t v) { price_change_ = v; }
  std::int32_t GetSubcategory() const { return subcategory_; }
  void SetSubcategory(std::int32_t v) { subcategory_ = v; }
  void SetTrend(std::int32_t v) { trend_ = v; }
  std::int32_t GetOwnerId() const { return owner_; }
  void SetOwnerId(std::int32_t v) { owner_ = v; }
  std::int32_t GetOfferBuyerId() const { return offer_buyer_; }
  void SetOfferBuyerId(std::int32_t v) { offer_buyer_ = v; }
  std::int32_t GetOfferPrice() const { return offer_price_; }
  void SetOfferPrice(std::int32_t v) { offer_price_ = v; }
  std::uint8_t IsOnMarket() const { return on_market_; }
  void SetOnMarket(std::uint8_t v) { on_market_ = v; }
  std::uint8_t IsMarked() const { return marked_; }
  void SetMarked(std::uint8_t v) { marked_ = v; }
  std::int32_t GetMarketChance() const { return market_chance_; }
  std::int32_t GetCategory() const { return category_; }
  void SetPriceClass(std::int32_t v) { price_class_ = v; }

  // The turn's price walk: trend, band, move, recorded price, and now and then a new class.
  void UpdatePrice();
  // A good worth less than 1 comes back unowned at a fresh price of its grade.
  void ReissueIfWorthless();
  static int Random(int n, int base);

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Takes the saved fields; false for an unknown name, a class outside 1..4 or a grade outside
  // 1..5 (a price walk or a re-issue could not use them).
  bool LoadSaveImage(const std::uint8_t* image);

 private:
  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  std::int32_t id_ = 0;
  std::int32_t price_ = 0;
  std::int32_t purchase_price_ = 0;
  std::int32_t recorded_price_ = 0;
  std::int32_t grade_ = 0;
  std::int32_t price_change_ = 0;
  std::int32_t subcategory_ = 0;
  std::int32_t trend_ = 1;
  std::int32_t owner_ = 0;
  std::int32_t offer_buyer_ = 0;
  std::int32_t offer_price_ = 0;
  std::uint8_t on_market_ = 0;
  std::uint8_t marked_ = 0;
  std::int32_t market_chance_ = 0;
  std::int32_t level_ = 0;
  std::int32_t category_ = 0;
  std::int32_t price_class_ = 0;
  // The general item part (effects, the unused item words, the two empty name references) is
  // never set by a trade good: it is written as zeros, the empty name being reference 0.
};

class TradeGoodList : public RecordList<TradeGoodList, TradeGood> {
 public:
  bool Add(NameRef name, std::int32_t id, std::int32_t price, std::int32_t purchase_price,
           std::int32_t recorded_price, std::int32_t grade, std::int32_t subcategory, std::int32_t owner,
           std::int32_t market_chance, std::int32_t level, std::int32_t category, std::int32_t price_class);

  std::int32_t CountOfCategory(std::int32_t category) const;
  TradeGood* GetNthOfCategory(std::int32_t category, std::int32_t n) const;
  // (0, 1) gives the goods for sale on the market.
  std::int32_t CountByOwnerAndMarket(std::int32_t owner, std::uint8_t on_market) const;
  TradeGood* GetNthByOwnerAndMarket(std::int32_t owner, std::uint8_t on_market, std::int32_t n) const;
  std::int32_t CountOwned() const;
  TradeGood* GetNthOwned(std::int32_t n) const;
  // A holder's goods that someone bids for.
  std::int32_t CountOwnedWithOffer(std::int32_t owner) const;
  TradeGood* GetNthOwnedWithOffer(std::int32_t owner, std::int32_t n) const;
  // Held goods that a buyer bids for.
  std::int32_t CountOffersBy(std::int32_t buyer) const;
  TradeGood* GetNthOfferBy(std::int32_t buyer, std::int32_t n) const;
};
