// The treasure market at the end of a turn: which unowned goods are offered in the coming
// thinking phase, the walk of every price, the computer nations' purchases and sales (no money
// changes hands in them; the game has always traded that way), and the offers that the merchant,
// the lords and the kings make for goods already held.
#include <cstdint>

#include "core/end_of_turn.h"
#include "core/end_of_turn_rules.h"

namespace end_of_turn {

using namespace rules;

namespace {

// P + trunc(d / 100 x P): the fraction in single precision, as the offers were always priced.
std::int32_t OfferPrice(std::int32_t price, std::int32_t d) {
  const float part = static_cast<float>(d) / 100.0f * static_cast<float>(price);
  return Plus(price, static_cast<std::int64_t>(part));
}

// A king's id, or nullptr when the nation has no king to act for it.
const Character* KingOf(const Lists& w, const Nation& n) {
  return w.characters.FindByRankAndNation(kRankKing, n.GetId());
}

}  // namespace

void SetMarketFlags(const Lists& w) {
  if (w.nations.CountByComputerFlag(0) < 1) return;
  const std::int32_t count = w.goods.CountOfCategory(kTradeGoodCategory);
  for (std::int32_t i = 0; i < count; ++i) {
    TradeGood& g = *w.goods.GetNthOfCategory(kTradeGoodCategory, i);
    const int r = Random(100, 1);
    const bool list = r <= g.GetMarketChance() && g.GetOwnerId() == 0 && !g.IsOnMarket();
    g.SetOnMarket(list ? 1 : 0);
  }
}

void WalkPrices(const Lists& w) {
  const std::int32_t count = w.goods.CountOfCategory(kTradeGoodCategory);
  for (std::int32_t i = 0; i < count; ++i) {
    TradeGood& g = *w.goods.GetNthOfCategory(kTradeGoodCategory, i);
    g.UpdatePrice();
    g.ReissueIfWorthless();
  }
}

void ComputerNationsBuy(const Lists& w) {
  for (const Nation& n : w.nations) {
    const std::int32_t on_sale = w.goods.CountByOwnerAndMarket(0, 1);
    if (on_sale == 0) continue;
    const int i = Random(on_sale, 0);
    const int r = Random(100, 1);
    TradeGood& g = *w.goods.GetNthByOwnerAndMarket(0, 1, i);
    if (!n.IsComputer() || r < 96 || n.GetFunds() < g.GetPrice()) continue;
    if (const Character* king = KingOf(w, n)) {
      g.SetOwnerId(king->GetId());
      g.SetOnMarket(0);
    }
  }
}

void ComputerNationsSell(const Lists& w) {
  for (const Nation& n : w.nations) {
    const Character* king = KingOf(w, n);
    if (!king) continue;
    const std::int32_t held = w.goods.CountByOwnerAndMarket(king->GetId(), 0);
    if (held == 0) continue;
    const int i = Random(held, 0);
    const int r = Random(100, 1);
    TradeGood& g = *w.goods.GetNthByOwnerAndMarket(king->GetId(), 0, i);
    const bool short_of_money = std::int64_t{n.GetFunds()} <= 10 * std::int64_t{w.characters.TotalSalaryOfNation(n.GetId())};
    if (n.IsComputer() && (short_of_money || r >= 90)) {
      g.SetOwnerId(0);
      g.SetOnMarket(0);
    }
  }
}

void MakePurchaseOffers(const Lists& w) {
  for (TradeGood& g : w.goods) {
    if (g.GetOwnerId() <= 0) continue;
    const int r = Random(100, 1);
    if (r < 90) {
      g.SetOfferBuyerId(0);
      continue;
    }
    // 0 when nobody can make the offer: no lord to bid, no nation or no king.
    std::int32_t buyer = 0;
    const bool merchant = g.GetOwnerId() == kMerchantId;
    const Character* owner = merchant ? nullptr : w.characters.FindById(g.GetOwnerId());
    if (!merchant && !owner) {
      g.SetOfferBuyerId(0);
      continue;
    }
    if (!merchant && owner->GetRank() != kRankLord) {
      // A nation's character holds it: the merchant or a lord bids.
      if (Random(2, 1) == 1) {
        buyer = kMerchantId;
      } else {
        const std::int32_t lords = w.characters.CountOfRank(kRankLord);
        if (lords > 0) buyer = w.characters.GetNthOfRank(kRankLord, Random(lords, 0))->GetId();
      }
    } else {
      // The merchant or a lord holds it: a king bids.
      const std::int32_t nations = w.nations.Count();
      if (nations > 0) {
        const Nation& n = *w.nations.GetAt(Random(nations, 0));
        if (const Character* king = KingOf(w, n)) buyer = king->GetId();
      }
    }
    g.SetOfferBuyerId(buyer);
    if (buyer != 0) g.SetOfferPrice(OfferPrice(g.GetPrice(), Random(21, -10)));
  }
}

}  // namespace end_of_turn
