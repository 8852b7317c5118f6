// The hiring menu (31) with its three candidate views (32 characters, 33 divisions, 34 division
// members), and the trade menu (35) with its buying and selling boards (36, 39) and four lists
// of goods (37, 38 to buy, 40, 41 to sell).
#include <algorithm>

#include "planning/paint_text.h"
#include "planning/thinking_painter.h"
#include "world/saturate.h"

using namespace paint_text;

namespace {

constexpr NameRef kHiringBoard = names::Of("思考雇用メニュー板");
constexpr NameRef kCharacterWindow = names::Of("思考人物メニュー");
constexpr NameRef kHiringStrip = names::Of("選択雇用アイコン");
constexpr NameRef kTradeBoard = names::Of("思考交易メニュー板");
constexpr NameRef kDealBoard = names::Of("思考交易売買メニュー板");
constexpr NameRef kListWindow = names::Of("思考戦術メニュー");
constexpr NameRef kScrollStrip = names::Of("選択上下決定アイコン");

// The merchant's id in the holder and buyer fields of the goods.
constexpr std::int32_t kMerchant = 1001;
constexpr std::int32_t kTradeRows = 15;

std::int32_t Difference(std::int32_t a, std::int32_t b) { return Plus(a, -std::int64_t{b}); }

}  // namespace

const Character* ThinkingMenuPainter::HiringCharacter(std::int32_t with_division) const {
  return CardCharacter(with_division != 0 ? 34 : 32, s_.turn.hiring_candidate_position, 0, 0, characters_, nations_,
                       cities_);
}

bool ThinkingMenuPainter::HiringTradePictures(Canvas& menu) {
  const std::int32_t state = s_.turn.menu_state;
  auto candidate_view = [&](int row, int y, const Character* portrait, bool tabs) {
    Board(menu, kHiringBoard, row, 7, 0, y);
    Board(menu, kCharacterWindow, 0, 1, 140, 100);
    Portrait(menu, portrait);
    const int strip = ArrowStripRow(s_.turn.hiring_icon_state);
    if (strip >= 0) Board(menu, kHiringStrip, strip, 4, 440, 100);
    if (tabs) CardPageTabs(menu);
  };
  switch (state) {
    case 31: Board(menu, kHiringBoard, 0, 1, 0, 228); return true;
    case 32: candidate_view(6, 444, HiringCharacter(0), true); return true;
    case 33: {
      // A division is shown by its leader's portrait.
      const Character* leader = nullptr;
      if (const Nation* player = PlayerNation(nations_))
        if (const Division* d = divisions_.GetNthWilling(player->GetId(), 1, s_.turn.hiring_candidate_position))
          leader = CharacterWithId(characters_, d->GetLeaderId());
      candidate_view(5, 408, leader, false);
      return true;
    }
    case 34: candidate_view(4, 372, HiringCharacter(1), true); return true;
    case 35: Board(menu, kTradeBoard, 0, 1, 0, 228); return true;
    case 36:
    case 39: Board(menu, kDealBoard, 0, 1, 0, 228); return true;
    case 37:
    case 40:
    case 38:
    case 41: {
      if (state == 37 || state == 40)
        Board(menu, kDealBoard, 6, 7, 0, 444);
      else
        Board(menu, kDealBoard, 5, 7, 0, 408);
      Board(menu, kListWindow, 0, 1, 140, 100);
      const int strip = ScrollStripRow(s_.trade_icon_state_);
      if (strip >= 0) Board(menu, kScrollStrip, strip, 4, 440, 100);
      TradeList(&menu);
      return true;
    }
    default: return false;
  }
}

bool ThinkingMenuPainter::HiringTradeTexts() {
  switch (s_.turn.menu_state) {
    case 31:
    case 35:
    case 36:
    case 39: return true;
    case 32:
    case 34:
      s_.DrawCharacterCard(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                           inhabitants_);
      return true;
    case 33:
      s_.DrawDivisionPanel(window_, dc_, font16_, font10_, characters_, nations_, cities_, parties_, divisions_,
                           inhabitants_);
      return true;
    case 37:
    case 38:
    case 40:
    case 41: TradeList(nullptr); return true;
    default: return false;
  }
}

// One list of goods: with a canvas, the marks beside the rows; without, the texts.
void ThinkingMenuPainter::TradeList(Canvas* menu) {
  const std::int32_t state = s_.turn.menu_state;
  const Nation* player = PlayerNation(nations_);
  const Character* king = player != nullptr ? characters_.FindByRankAndNation(0, player->GetId()) : nullptr;
  // Without a king only the market's own list has goods to show.
  const std::int32_t king_id = king != nullptr ? king->GetId() : 0;
  const bool has_king = king != nullptr;

  std::int32_t count = 0;
  switch (state) {
    case 37: count = goods_.CountByOwnerAndMarket(0, 1); break;
    case 38: count = has_king ? goods_.CountOffersBy(king_id) : 0; break;
    case 40: count = has_king ? goods_.CountByOwnerAndMarket(king_id, 0) : 0; break;
    case 41: count = has_king ? goods_.CountOwnedWithOffer(king_id) : 0; break;
    default: return;
  }
  auto nth = [&](std::int32_t n) -> const TradeGood* {
    switch (state) {
      case 37: return goods_.GetNthByOwnerAndMarket(0, 1, n);
      case 38: return goods_.GetNthOfferBy(king_id, n);
      case 40: return goods_.GetNthByOwnerAndMarket(king_id, 0, n);
      default: return goods_.GetNthOwnedWithOffer(king_id, n);
    }
  };
  // The merchant, or the character who holds (or bids for) the good.
  auto party_name = [&](std::int32_t id) -> const char* {
    if (id == kMerchant) return "商人";
    const Character* c = CharacterWithId(characters_, id);
    return c != nullptr ? NameOf(c->GetName()) : "";
  };

  if (menu == nullptr) {
    SetTextColor(dc_, kHeadRed);
    switch (state) {
      case 37: Text(dc_, 200, 10, "TRADENAME       WEEK      PRICE     TRADELEVEL"); break;
      case 40: Text(dc_, 200, 10, "TRADENAME       WEEK    DIFFER   PRICE  LEVEL"); break;
      default: Text(dc_, 200, 10, "TRADENAME       DIFFER   PRICE     NAME"); break;
    }
    SetTextColor(dc_, kBlack);
  }
  const std::int32_t rows = std::min(count, kTradeRows);
  for (std::int32_t i = 0; i < rows; ++i) {
    const TradeGood* g = nth(i + s_.trade_list_offset_);
    if (g == nullptr) continue;
    if (menu != nullptr) {
      ListMark(*menu, i, g->IsMarked() ? 5 : 0);
      continue;
    }
    const int y = 30 + 20 * i;
    TextF(dc_, 195, y, "%s", NameOf(g->GetName()));
    switch (state) {
      case 37:
        TextF(dc_, 330, y, "%6d     %6d           %3d", g->GetPriceChange(), g->GetPrice(), g->GetGrade());
        break;
      case 38:
        TextF(dc_, 300, y, "     %6d  %6d    %s", Difference(g->GetOfferPrice(), g->GetPrice()), g->GetOfferPrice(),
              party_name(g->GetOwnerId()));
        break;
      case 40:
        TextF(dc_, 300, y, "   %6d    %6d  %6d    %3d", g->GetPriceChange(), Difference(g->GetPriceB(), g->GetPriceA()),
              g->GetPrice(), g->GetGrade());
        break;
      default:
        TextF(dc_, 300, y, "     %6d  %6d    %s", Difference(g->GetOfferPrice(), g->GetPrice()), g->GetOfferPrice(),
              party_name(g->GetOfferBuyerId()));
        break;
    }
  }
  if (menu == nullptr) TextF(dc_, 235, 355, "合計金額：%7dG", s_.trade_sum_);
}
