#include "core/starting_characters.h"

#include <utility>

#include "core/builtin_tables.h"
#include "core/militia_skills.h"
#include "core/starting_tables.h"
#include "world/random.h"

namespace {

constexpr std::int32_t kOffField = -100;
constexpr std::int32_t kFirstMilitiaId = 54, kMilitiaCount = 39;
constexpr std::int32_t kMilitiaTypes = 10;
constexpr std::int32_t kNations = 7, kDivisions = 17;
constexpr std::int32_t kLordRank = 3;

// Friendship toward the nations: every named character 20, the lords 10, and the wandering
// saint (character 19), who is close to 翠波国 and closer still to 朧谷国.
constexpr std::int32_t kNamedFriendship = 20, kLordFriendship = 10;
constexpr std::int32_t kSaintId = 19;
constexpr std::int32_t kSaintFriendship[kNations] = {10, 10, 10, 10, 40, 80, 10};
// Friendship toward the divisions: 50 for everyone but the lords, who start at 0.
constexpr std::int32_t kDivisionFriendship = 50, kLordDivisionFriendship = 0;

Character* FindNamed(CharacterList& characters, std::int32_t id) {
  const starting::CharacterRow* row = starting::FindCharacter(id);
  return row ? characters.FindByName(row->name) : nullptr;
}

template <std::size_t... I>
ChanceRecord ChancesFromRow(const starting::ChanceRow& row, std::index_sequence<I...>) {
  return ChanceRecord::ConstructFromValues(row.values[I]...);
}

builtin::SkillChange ChangeOf(std::int32_t character, std::int32_t skill) {
  builtin::SkillChange change;
  for (const starting::SkillGrantChangeRow& r : starting::SkillGrantChanges()) {
    if (r.character != character || r.skill != skill) continue;
    change.sp_cost = r.sp_cost;
    change.power = r.power;
    change.reach = r.reach;
    change.spread = r.spread;
  }
  return change;
}

}  // namespace

void AddNamedCharacters(CharacterList& characters) {
  for (const starting::CharacterRow& r : starting::Characters()) {
    std::int32_t x = kOffField, y = kOffField;
    if (const starting::CityRow* city = starting::FindCity(r.start_city)) {
      x = city->field_x;
      y = city->field_y;
    }
    constexpr std::int32_t kNoParty = 0, kNoHomeDivision = 0, kUnused = 1;
    characters.Add(r.name, r.portrait, r.list_picture, r.sprite_sheet, r.id, x, y, r.nation,
                   r.division, kNoParty, r.role, r.rank, r.home_city, r.attachment, kNoHomeDivision,
                   kUnused);
  }
}

void AddMilitiaCharacters(CharacterList& characters, NamePool& pool, SkillList& master_skills) {
  for (std::int32_t i = 0; i < kMilitiaCount; ++i) {
    const std::int32_t id = kFirstMilitiaId + i;
    const std::int32_t type = rng::Random(kMilitiaTypes, 1);
    Character soldier = Character::ConstructMilitia(id, type);

    NamePoolEntry* entry = pool.GetAt(i);
    if (!entry) break;
    const NameRef name = entry->GetName();
    soldier.SetName(name);
    soldier.stats.SetName(name);
    entry->MarkTaken();

    // The soldier joins the list through its save image, so it holds exactly what a saved
    // soldier would; everything after this goes to the copy in the list.
    soldier.PackSaveImage();
    characters.AddFromImage(soldier.SaveImageBytes());
    Character* c = characters.FindByName(name);
    if (!c) continue;

    GiveMilitiaSkills(c->skills, type, master_skills);
    for (std::int32_t key = 1; key <= kNations; ++key) c->nation_relations.Add(key, rng::Random(10, 1), 0);
    for (std::int32_t key = 1; key <= kDivisions; ++key) c->division_relations.Add(key, rng::Random(40, 1), 0);
  }
}

void GiveChanceRecords(CharacterList& characters) {
  for (const starting::ChanceRow& row : starting::Chances()) {
    ChanceRecord record = ChancesFromRow(row, std::make_index_sequence<ChanceRecord::kFieldCount>());
    if (Character* c = characters.FindByName(row.name)) c->chances.CopyFrom(record);
  }
}

void AddHeroTemplates(HeroTemplateList& templates) {
  for (const starting::HeroTemplateRow& row : starting::HeroTemplates()) {
    HeroTemplateList::Values values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = row.values[i];
    templates.Add(row.name, values);
  }
}

void GiveNamedSkills(CharacterList& characters) {
  for (const starting::SkillsRow& row : starting::Skills()) {
    Character* c = FindNamed(characters, row.character);
    if (!c) continue;
    for (std::int32_t id : row.skills) {
      if (id == 0) break;
      builtin::AddSkill(c->skills, id, ChangeOf(row.character, id));
    }
  }
  for (const starting::CharacterRow& r : starting::Characters()) {
    if (r.rank != kLordRank) continue;
    if (Character* c = characters.FindByName(r.name)) builtin::AddLordSkill(c->skills);
  }
}

void AddStartingRelations(CharacterList& characters, DivisionList& divisions) {
  for (const starting::CharacterRow& r : starting::Characters()) {
    Character* c = characters.FindByName(r.name);
    if (!c) continue;
    for (std::int32_t key = 1; key <= kNations; ++key) {
      std::int32_t friendship = r.rank == kLordRank ? kLordFriendship : kNamedFriendship;
      if (r.id == kSaintId) friendship = kSaintFriendship[key - 1];
      c->nation_relations.Add(key, friendship, 0);
    }
  }
  for (const starting::CharacterRow& r : starting::Characters()) {
    Character* c = characters.FindByName(r.name);
    if (!c) continue;
    for (std::int32_t key = 1; key <= kDivisions; ++key)
      c->division_relations.Add(key, r.rank == kLordRank ? kLordDivisionFriendship : kDivisionFriendship, 0);
  }
  for (std::int32_t id = 1; id <= kDivisions; ++id) {
    Division* d = divisions.FindById(id);
    if (!d) continue;
    for (std::int32_t key = 1; key <= kNations; ++key) d->relations.Add(key, 0, 0);
  }
}

void GiveHeroTemplates(CharacterList& characters, const HeroTemplateList& templates) {
  for (const starting::CharacterRow& r : starting::Characters()) {
    Character* c = characters.FindByName(r.name);
    const HeroTemplate* t = templates.Find(r.name);
    if (c && t) c->SetStatsBlock(*t);
  }
}
