#include "world/inhabitant.h"

#include "world/codec.h"
#include "world/random.h"

Inhabitant::Inhabitant(std::int32_t id, std::int32_t allegiance, std::int32_t occupation, std::int32_t home_city,
                       std::int32_t group, std::int32_t favourite, std::int32_t allegiance_change_chance,
                       std::int32_t favourite_change_chance)
    : Inhabitant(id, allegiance, occupation, home_city, group, favourite, 0, 0, 0, 0, 0, 0, allegiance_change_chance,
                 favourite_change_chance) {
  if (allegiance_ == 0) allegiance_ = Random(7, 1);
  if (occupation_ == 0) {
    // Farmers, merchants and workers 20 in 64 each; the four trades of state 1 in 64 each.
    std::int32_t r = Random(64, 1);
    if (r <= 20) {
      occupation_ = 1;
    } else if (r <= 40) {
      occupation_ = 2;
    } else if (r <= 60) {
      occupation_ = 3;
    } else {
      occupation_ = r - 57;  // 61..64 give 4..7
    }
  }
  if (home_city_ == 0) home_city_ = Random(23, 1);
  if (group_ == 0) group_ = Random(100, 1) > 50 ? 2 : 1;
  if (favourite_ == 0) favourite_ = Random(25, 1);

  // The weights are drawn whatever was given: five lumps of 10, then fifty single points, each to
  // a kind drawn 1 fame, 2 agriculture, 3 commerce, 4 industry, 5 technology, 6 home owner.
  std::int32_t* by_kind[6] = {&fame_weight_,     &agriculture_weight_, &commerce_weight_,
                              &industry_weight_, &technology_weight_,  &home_owner_weight_};
  for (int i = 0; i < 5; ++i) *by_kind[Random(6, 1) - 1] += 10;
  for (int i = 0; i < 50; ++i) *by_kind[Random(6, 1) - 1] += 1;

  if (allegiance_change_chance_ == 0) allegiance_change_chance_ = Random(10, 1);
  if (favourite_change_chance_ == 0) favourite_change_chance_ = Random(5, 1);
}

Inhabitant::Inhabitant(std::int32_t id, std::int32_t allegiance, std::int32_t occupation, std::int32_t home_city,
                       std::int32_t group, std::int32_t favourite, std::int32_t agriculture_weight,
                       std::int32_t commerce_weight, std::int32_t industry_weight,
                       std::int32_t technology_weight, std::int32_t fame_weight, std::int32_t home_owner_weight,
                       std::int32_t allegiance_change_chance, std::int32_t favourite_change_chance)
    : id_(id),
      allegiance_(allegiance),
      occupation_(occupation),
      home_city_(home_city),
      group_(group),
      favourite_(favourite),
      agriculture_weight_(agriculture_weight),
      commerce_weight_(commerce_weight),
      industry_weight_(industry_weight),
      technology_weight_(technology_weight),
      fame_weight_(fame_weight),
      home_owner_weight_(home_owner_weight),
      allegiance_change_chance_(allegiance_change_chance),
      favourite_change_chance_(favourite_change_chance) {}

int Inhabitant::Random(int n, int base) { return rng::Random(n, base); }

// The record is the fourteen fields in their order, four bytes each.
void Inhabitant::PackSaveImage() {
  const std::int32_t fields[14] = {id_,
                                   allegiance_,
                                   occupation_,
                                   home_city_,
                                   group_,
                                   favourite_,
                                   agriculture_weight_,
                                   commerce_weight_,
                                   industry_weight_,
                                   technology_weight_,
                                   fame_weight_,
                                   home_owner_weight_,
                                   allegiance_change_chance_,
                                   favourite_change_chance_};
  for (std::size_t i = 0; i < 14; ++i) codec::PutI32(image_.data(), 4 * i, fields[i]);
}

bool Inhabitant::LoadSaveImage(const std::uint8_t* image) {
  auto at = [image](std::size_t i) { return codec::GetI32(image, 4 * i); };
  *this = Inhabitant(at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8), at(9), at(10), at(11),
                     at(12), at(13));
  return true;
}

bool InhabitantList::Generate(std::int32_t id, std::int32_t allegiance, std::int32_t occupation,
                              std::int32_t home_city, std::int32_t group, std::int32_t favourite,
                              std::int32_t allegiance_change_chance, std::int32_t favourite_change_chance) {
  Append(Inhabitant(id, allegiance, occupation, home_city, group, favourite, allegiance_change_chance,
                    favourite_change_chance));
  return true;
}

std::int32_t InhabitantList::CountByNation(std::int32_t nation) const {
  return CountIf([&](const Inhabitant& u) { return u.GetAllegiance() == nation; });
}

std::int32_t InhabitantList::CountByNationAndJob(std::int32_t nation, std::int32_t occupation) const {
  return CountIf(
      [&](const Inhabitant& u) { return u.GetAllegiance() == nation && u.GetOccupation() == occupation; });
}

std::int32_t InhabitantList::CountWithFavourite(std::int32_t character) const {
  return CountIf([&](const Inhabitant& u) { return u.GetFavouriteCharacterId() == character; });
}

Inhabitant* InhabitantList::GetNthByNation(std::int32_t nation, std::int32_t n) const {
  return NthIf(n, [&](const Inhabitant& u) { return u.GetAllegiance() == nation; });
}
