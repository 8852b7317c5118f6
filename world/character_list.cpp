#include "world/character_list.h"

bool CharacterList::Add(NameRef name, NameRef portrait_name, NameRef portrait_bitmap_name,
                        NameRef field_sprite_name, std::int32_t id, std::int32_t x, std::int32_t y,
                        std::int32_t nation_id, std::int32_t division_id, std::int32_t party_id, std::int32_t role,
                        std::int32_t rank, std::int32_t home_city_id, std::int32_t division_attachment,
                        std::int32_t home_division_id, std::int32_t /*unused*/) {
  Append(Character(name, portrait_name, portrait_bitmap_name, field_sprite_name, id, x, y, nation_id, division_id,
                   party_id, role, rank, home_city_id, division_attachment, home_division_id));
  return true;
}

Character* CharacterList::FindById(std::int32_t id) const {
  for (auto& c : *this)
    if (c.GetId() == id) return &c;
  // The game falls back to the last character; an empty list has none to give.
  return Empty() ? nullptr : GetAt(Count() - 1);
}
