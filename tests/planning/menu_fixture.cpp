#include "tests/planning/menu_fixture.h"

namespace menu_test {

namespace {

std::vector<RECT> painted;

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    painted.push_back(ps.rcPaint);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace

void BuildStandardWorld(World& w) {
  Nation& player = w.AddNation(1, true);
  player.SetMemberCount(2);
  player.SetResearchPoints(1000);
  w.AddNation(2);
  w.AddNation(3);
  for (std::int32_t k = 1; k <= 5; ++k)
    w.AddCity(k, k <= 3 ? 1 : k == 4 ? 2 : City::kNoOwner, 100 + 200 * (k - 1), 100 + 200 * (k - 1), 20 * k,
              20 * k);
  w.AddCharacter(1, 1, 100, 100, 0);
  w.AddCharacter(2, 1, 100, 100).SetStateFighting();
  w.AddCharacter(3, 2, 700, 700);
  for (std::int32_t id : {10, 11, 12, 13}) {
    Character& c = w.AddCharacter(id, Character::kNationNone, -100, -100, 4, id >= 12 ? 1 : 0);
    if (id != 13) c.nation_relations.Find(1)->SetWilling();
  }
  w.AddCharacter(20, Character::kNationLords, -100, -100, 3);
  w.AddCharacter(21, Character::kNationLords, -100, -100, 3);
  w.AddDivision(1, 12, 2).relations.Find(1)->SetWilling();
  w.AddDivision(2, 3, 0);
  for (std::int32_t id = 1; id <= 3; ++id) {
    w.AddTactic(id, 10 * id, 40 + 10 * id);
    w.AddPolicy(id, 10 * id, 100 * id, 40 + 10 * id, id == 1 ? 1 : 0);
  }
  w.tactics.GetAt(0)->Pack();
  player.tactics.InsertSorted(w.tactics.GetAt(0)->SaveImageBytes());
  for (std::int32_t i : {0, 2}) {
    w.policies.GetAt(i)->Pack();
    player.policies.InsertSorted(w.policies.GetAt(i)->SaveImageBytes());
  }
  for (std::int32_t i = 1; i <= 4; ++i) w.inhabitants.Append(Inhabitant(i, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
}

std::vector<std::int64_t> Snapshot(const World& w) {
  std::vector<std::int64_t> v;
  auto relations = [&v](const RelationList& list) {
    for (const RelationEntry& e : list) v.insert(v.end(), {e.GetKey(), e.GetFriendship(), e.IsWilling()});
  };
  for (const Nation& n : w.nations) {
    v.insert(v.end(), {n.GetId(), n.GetFunds(), n.GetMemberCount(), n.GetResearchPoints(), n.GetTacticsValue(),
                       n.GetPolicyValue(), n.tactics.GetCount(), n.policies.GetCount()});
    for (const Tactic& t : n.tactics) v.push_back(t.GetId());
    for (const Policy& p : n.policies) v.insert(v.end(), {p.GetId(), p.IsAvailable()});
  }
  for (const City& c : w.cities) v.insert(v.end(), {c.GetId(), c.GetOwner(), c.GetDefenceStrength()});
  for (const Character& c : w.characters) {
    Point p, b;
    c.GetPosition(p);
    c.GetBasePoint(b);
    v.insert(v.end(), {c.GetId(), c.GetNationId(), c.GetDivisionId(), c.GetState(), c.GetOrder(), p.x, p.y, b.x,
                       b.y, c.skill_slots.IsTacticActive(), c.skill_slots.GetTacticTimeLeft(),
                       c.skill_slots.GetTactic().GetId(), c.GetRankingPosition()});
    for (int f = 0; f < StatsBlock::kFieldCount; ++f) v.push_back(c.stats.GetField(f));
    relations(c.nation_relations);
  }
  for (const Division& d : w.divisions) {
    v.insert(v.end(), {d.GetId(), d.GetNationId(), d.GetMemberCount(), d.GetRankingPosition()});
    relations(d.relations);
  }
  for (const TradeGood& g : w.goods)
    v.insert(v.end(), {g.GetOwnerId(), g.GetOfferBuyerId(), g.GetOfferPrice(), g.GetPriceA(), g.IsOnMarket(),
                       g.IsMarked()});
  return v;
}

void MenuTest::SetUp() {
  HeadlessTest::SetUp();
  WNDCLASSA wc{0, Proc, "thinking"};
  RegisterClassA(&wc);
  window = CreateWindowExA(0, "thinking", "t", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  headless::PumpMessages();  // the new window's first paint
  painted.clear();
}

void MenuTest::TearDown() {
  painted.clear();
  HeadlessTest::TearDown();
}

std::vector<RECT> MenuTest::TakePaints() {
  std::vector<RECT> out;
  out.swap(painted);
  return out;
}

}  // namespace menu_test
