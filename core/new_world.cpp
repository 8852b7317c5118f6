#include "core/new_world.h"

#include "core/builtin_tables.h"
#include "core/starting_characters.h"
#include "core/starting_tables.h"
#include "world/random.h"

namespace {

void Seed(const WorldSeeder& seed) {
  if (seed)
    seed();
  else
    rng::SeedFromTimeOfDay();
}

void AddDivisions(DivisionList& divisions) {
  for (const starting::DivisionRow& r : starting::Divisions()) {
    constexpr std::int32_t kCombatPower = 0, kDomesticPower = 0, kSpare1 = 0, kPopularity = 0,
                           kSpare2 = 0, kSupportRate = 0, kAverageFriendship = 0;
    divisions.Add(r.name, r.id, r.leader, r.members, r.member_limit, r.fame_threshold, kCombatPower,
                  kDomesticPower, kSpare1, r.fame, kPopularity, kSpare2, kSupportRate,
                  kAverageFriendship, r.employer);
  }
}

void AddNations(NationList& nations) {
  for (const starting::NationRow& r : starting::Nations()) {
    const std::int32_t* v = r.values;
    nations.Add(r.name, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11],
                v[12], v[13], v[14], v[15], v[16], v[17], v[18], static_cast<std::uint8_t>(v[19]));
  }
}

// The nation of a grant row, found by its name reference as every later step finds a nation.
Nation* NationOfNumber(NationList& nations, std::int32_t number) {
  for (const starting::NationRow& r : starting::Nations())
    if (r.values[0] == number) return nations.FindByName(r.name);
  return nullptr;
}

void GrantTacticsAndPolicies(NationList& nations) {
  for (const starting::NationGrantRow& row : starting::NationTactics()) {
    Nation* n = NationOfNumber(nations, row.nation);
    if (!n) continue;
    for (std::int32_t id : row.ids) {
      if (id == 0) break;
      builtin::AddTactic(n->tactics, id, /*as_granted=*/true);
    }
  }
  for (const starting::NationGrantRow& row : starting::NationPolicies()) {
    Nation* n = NationOfNumber(nations, row.nation);
    if (!n) continue;
    for (std::int32_t id : row.ids) {
      if (id == 0) break;
      builtin::AddPolicy(n->policies, id);
    }
  }
}

// Every nation's militia template is looked up as the hero template named "民間兵". No hero
// template has that name, so each nation gets a fresh stats block instead of whatever lies past
// the end of the template list.
void GiveMilitiaTemplates(NationList& nations, const HeroTemplateList& templates) {
  const HeroTemplate* t = templates.Find(names::Of("民間兵"));
  for (std::int32_t id = 1; id <= 7; ++id) {
    Nation* n = nations.FindById(id);
    if (!n) continue;
    n->SetSecondStatsBlock(t ? StatsBlock(*t) : StatsBlock());
  }
}

void AddTradeGoods(TradeGoodList& goods) {
  constexpr int kSets = 9;
  for (int set = 0; set < kSets; ++set)
    for (const starting::TradeGoodRow& r : starting::TradeGoods())
      goods.Add(r.name, r.id, r.price, r.purchase_price, r.recorded_price, r.grade, r.subcategory,
                r.owner, r.market_chance, r.level, r.category, r.price_class);
}

void AddInhabitants(InhabitantList& inhabitants) {
  // Every value given as 0 is drawn by the inhabitant itself.
  for (std::int32_t i = 0; i < 1000; ++i) inhabitants.Generate(i + 1, 0, 0, 0, 0, 0, 0, 0);
}

void AddCities(CityList& cities) {
  for (const starting::CityRow& r : starting::Cities()) {
    constexpr std::int32_t kGrowth = 0, kAdviser = 0;
    cities.Add(r.name, r.id, r.population, kGrowth, r.agriculture, r.commerce, r.industry,
               r.governor, kAdviser, r.sentiment, r.field_x, r.field_y, r.minimap_x, r.minimap_y,
               r.owner);
  }
}

}  // namespace

void ClearWorldLists(NewWorldLists& l) {
  l.characters.Clear();
  l.cities.Clear();
  l.nations.Clear();
  l.hero_templates.Clear();
  l.skills.Clear();
  l.field_parties.Clear();
  l.divisions.Clear();
  l.inhabitants.Clear();
  l.policies.Clear();
  l.tactics.Clear();
  l.trade_goods.Clear();
  l.name_pool.Clear();
}

void FillNewWorld(NewWorldLists& l, const WorldSeeder& seed) {
  for (NameRef name : starting::PoolNames()) l.name_pool.Add(name);
  builtin::AddMasterSkills(l.skills);
  builtin::AddMasterTactics(l.tactics);
  builtin::AddMasterPolicies(l.policies);
  AddNamedCharacters(l.characters);
  Seed(seed);
  AddMilitiaCharacters(l.characters, l.name_pool, l.skills);
  AddDivisions(l.divisions);
  GiveChanceRecords(l.characters);
  AddHeroTemplates(l.hero_templates);
  GiveNamedSkills(l.characters);
  AddStartingRelations(l.characters, l.divisions);
  GiveHeroTemplates(l.characters, l.hero_templates);
  AddNations(l.nations);
  GrantTacticsAndPolicies(l.nations);
  GiveMilitiaTemplates(l.nations, l.hero_templates);
  AddTradeGoods(l.trade_goods);
  Seed(seed);
  AddInhabitants(l.inhabitants);
  AddCities(l.cities);
}

void BuildNewWorld(NewWorldLists& lists, const WorldSeeder& seed) {
  ClearWorldLists(lists);
  FillNewWorld(lists, seed);
}
