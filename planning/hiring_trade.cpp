// The player nation's hiring (雇用) of characters and divisions willing to serve it (hiring menu
// 31 and its views 32 to 34) and its trade (交易) in treasures through the king (trade menu 35,
// boards 36 and 39, lists 37, 38, 40 and 41). A newcomer stands at the player's selected city and
// is willing to serve nobody else for the rest of the turn; goods change hands in one decide for
// the sum of the marked rows.
#include <algorithm>
#include <cstdint>

#include "planning/thinking_input.h"
#include "world/saturate.h"

using namespace thinking_input;

namespace {

// A newcomer is willing to serve no nation any more this turn.
template <typename Relations>
void ClearWillingTowardAll(Relations& relations, const NationList& nations) {
  for (const Nation& n : nations)
    if (RelationEntry* e = relations.Find(n.GetId())) e->ClearWilling();
}

// The player's selected city: the city at the selected index among the nation's cities.
City* SelectedCity(const ThinkingScreen& s, const ClickLists& w, const Nation& player) {
  return w.cities.GetNthOfNation(player.GetId(), s.GetSelectedCityIndex());
}

// The goods of a trade list, in list order; the king's lists are empty without a king.
std::int32_t TradeCount(std::int32_t state, const TradeGoodList& goods, const Character* king) {
  if (state == 37) return goods.CountByOwnerAndMarket(0, 1);
  if (!king) return 0;
  if (state == 38) return goods.CountOffersBy(king->GetId());
  if (state == 40) return goods.CountByOwnerAndMarket(king->GetId(), 0);
  return goods.CountOwnedWithOffer(king->GetId());
}

TradeGood* TradeNth(std::int32_t state, const TradeGoodList& goods, const Character* king, std::int32_t n) {
  if (state == 37) return goods.GetNthByOwnerAndMarket(0, 1, n);
  if (!king) return nullptr;
  if (state == 38) return goods.GetNthOfferBy(king->GetId(), n);
  if (state == 40) return goods.GetNthByOwnerAndMarket(king->GetId(), 0, n);
  return goods.GetNthOwnedWithOffer(king->GetId(), n);
}

// The market lists count a good at its price, the offer lists at the price offered.
std::int32_t RowValue(std::int32_t state, const TradeGood& g) {
  return state == 37 || state == 40 ? g.GetPrice() : g.GetOfferPrice();
}

// What a sale or purchase does to one marked good; it leaves its list.
void Trade(std::int32_t state, TradeGood& g, const Character& king) {
  switch (state) {
    case 37:
      g.SetOwnerId(king.GetId());
      g.SetPurchasePrice(g.GetPrice());
      break;
    case 38:
      g.SetOwnerId(king.GetId());
      g.SetOfferBuyerId(0);
      g.SetPurchasePrice(g.GetPrice());
      break;
    case 40: g.SetOwnerId(0); break;
    default:
      g.SetOwnerId(g.GetOfferBuyerId());
      g.SetOfferBuyerId(0);
      g.SetPurchasePrice(g.GetPrice());
      break;
  }
  g.SetOnMarket(0);
}

}  // namespace

void ThinkingInput::HiringMenu(ThinkingScreen& s, ClickLists& w) {
  const Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  ThinkingTurnState& t = s.turn;
  const int button = MenuButtonAt(t.click_x, t.click_y);
  if (button == 1 || button == 3) {
    // Single characters only while the nation has room for one more.
    if (player->GetPersonnelLimit() <= player->GetMemberCount()) return;
    t.menu_state = button == 1 ? 32 : 34;
    s.card_page_ = 1;
    t.hiring_candidate_position = 0;
    t.hiring_list_mode = 0;
    t.hiring_candidate_count = w.characters.CountWilling(player->GetId(), 1, button == 1 ? 0 : 1);
  } else if (button == 2) {
    t.menu_state = 33;
    t.hiring_candidate_position = 0;
    t.hiring_list_mode = 0;
    t.hiring_candidate_count = w.divisions.CountWilling(player->GetId(), 1);
  } else {
    return;
  }
  t.hiring_icon_state = ArrowState(0, t.hiring_candidate_count, t.hiring_icon_state);
  if (t.hiring_candidate_count == 0) t.menu_state = 31;
}

void ThinkingInput::CandidateView(ThinkingScreen& s, ClickLists& w) {
  Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  ThinkingTurnState& t = s.turn;
  const int x = t.click_x, y = t.click_y;
  std::int32_t& position = t.hiring_candidate_position;
  bool stepped = false;
  if (OnBackArrow(x, y) && t.hiring_icon_state != 2 && t.hiring_icon_state != 6) {
    position -= 1;
    stepped = true;
  } else if (OnForwardArrow(x, y) && t.hiring_icon_state != 3 && t.hiring_icon_state != 6) {
    position += 1;
    stepped = true;
  }
  if (stepped) {
    t.hiring_icon_state = position == 0 ? 2 : position == t.hiring_candidate_count - 1 ? 3 : 0;
    return;
  }

  if (OnDecide(x, y)) {
    City* city = SelectedCity(s, w, *player);
    if (!city) return;  // a nation without a city has nowhere to place a newcomer
    Point at;
    city->GetPosition(at);
    if (t.menu_state == 33) {
      Division* d = w.divisions.GetNthWilling(player->GetId(), 1, position);
      if (!d) return;
      const std::int32_t members = d->GetMemberCount();
      const std::int32_t cost = w.characters.TotalHiringCostOfDivision(d->GetId());
      // The whole division must fit, and the treasury must be above its price.
      if (std::int64_t{player->GetPersonnelLimit()} < std::int64_t{player->GetMemberCount()} + members ||
          player->GetFunds() <= cost)
        return;
      player->SetFunds(Plus(player->GetFunds(), -std::int64_t{cost}));
      player->SetMemberCount(Plus(player->GetMemberCount(), members));
      for (std::int32_t j = 0; j < members; ++j) {
        Character* c = w.characters.GetNthOfDivision(d->GetId(), j);
        if (!c) break;
        c->JoinNationAt(at.x, at.y, player->GetId());
        ClearWillingTowardAll(c->nation_relations, w.nations);
      }
      ClearWillingTowardAll(d->relations, w.nations);
      d->SetNationId(player->GetId());
      city->SetDefenceStrength(Plus(city->GetDefenceStrength(), d->GetCombatPower()));
    } else {
      Character* c = w.characters.GetNthWilling(player->GetId(), 1, t.menu_state == 32 ? 0 : 1, position);
      if (!c) return;
      const std::int32_t cost = c->stats.HiringPrice();
      if (player->GetFunds() < cost) return;
      player->SetFunds(Plus(player->GetFunds(), -std::int64_t{cost}));
      player->SetMemberCount(Plus(player->GetMemberCount(), 1));
      c->JoinNationAt(at.x, at.y, player->GetId());
      ClearWillingTowardAll(c->nation_relations, w.nations);
      city->SetDefenceStrength(Plus(city->GetDefenceStrength(), c->stats.GetCombatPower()));
    }
    t.menu_state = 31;
    return;
  }

  if (t.menu_state != 33) {
    if (int page = CardPageTabAt(x, y)) s.card_page_ = page;
  }
}

void ThinkingInput::TradeMenu(ThinkingScreen& s) {
  const int button = MenuButtonAt(s.turn.click_x, s.turn.click_y);
  if (button == 1) s.turn.menu_state = 36;
  if (button == 2) s.turn.menu_state = 39;
}

void ThinkingInput::TradeBoard(ThinkingScreen& s, ClickLists& w) {
  const Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  const int button = MenuButtonAt(s.turn.click_x, s.turn.click_y);
  if (button != 1 && button != 2) return;
  // Buying: the market (37) and the offers to the king (38); selling: to the market (40) and to
  // the bidders (41). A list opens also when it is empty.
  const std::int32_t list = s.turn.menu_state == 36 ? (button == 1 ? 37 : 38) : (button == 1 ? 40 : 41);
  const Character* king = w.characters.FindByRankAndNation(0, player->GetId());
  s.turn.menu_state = list;
  s.trade_list_offset_ = 0;
  s.trade_list_length_ = TradeCount(list, w.goods, king);
  s.trade_icon_state_ = s.trade_list_length_ > 15 ? 2 : 0;
  for (std::int32_t n = 0; n < s.trade_list_length_; ++n)
    if (TradeGood* g = TradeNth(list, w.goods, king, n)) g->SetMarked(0);
  s.trade_sum_ = 0;
}

void ThinkingInput::TradeList(ThinkingScreen& s, ClickLists& w) {
  Nation* player = w.nations.FindByComputerFlag(0);
  if (!player) return;
  const std::int32_t state = s.turn.menu_state;
  const Character* king = w.characters.FindByRankAndNation(0, player->GetId());
  const int x = s.turn.click_x, y = s.turn.click_y;
  std::int32_t& offset = s.trade_list_offset_;
  std::int32_t& icon = s.trade_icon_state_;
  // The list is counted again on every click.
  const std::int32_t count = TradeCount(state, w.goods, king);
  const int row = ListRowAt(x, y);

  if (OnBackArrow(x, y)) {
    if (icon != 0 && icon != 2) {
      offset -= 1;
      icon = ScrollState(offset, s.trade_list_length_);
    }
  } else if (OnForwardArrow(x, y)) {
    if (icon != 0 && icon != 1) {
      offset += 1;
      icon = ScrollState(offset, s.trade_list_length_);
    }
  } else if (row >= 0 && row < std::min<std::int32_t>(count, 15)) {
    if (TradeGood* g = TradeNth(state, w.goods, king, offset + row)) {
      const std::int64_t value = RowValue(state, *g);
      g->SetMarked(g->IsMarked() ? 0 : 1);
      s.trade_sum_ = Plus(s.trade_sum_, g->IsMarked() ? value : -value);
    }
  } else if (OnDecide(x, y)) {
    const bool buying = state == 37 || state == 38;
    if (count < 1 || s.trade_sum_ < 1 || !king) return;
    if (buying && player->GetFunds() < s.trade_sum_) return;
    // Each good that is traded leaves the list, so the walk stays on the same index after it.
    std::int32_t moved = 0;
    for (std::int32_t i = 0; i < count; ++i) {
      TradeGood* g = TradeNth(state, w.goods, king, i - moved);
      if (!g || !g->IsMarked()) continue;
      Trade(state, *g, *king);
      ++moved;
    }
    player->SetFunds(Plus(player->GetFunds(), buying ? -std::int64_t{s.trade_sum_} : s.trade_sum_));
    s.turn.menu_state = buying ? 36 : 39;
  }
}
