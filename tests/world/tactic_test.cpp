// Tactics: the add and the image form at their offsets of the 272-byte image, the sorted insert
// and the nested list on a nation's file.
#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "data_folder.h"
#include "world/codec.h"
#include "world/record_file.h"
#include "world/tactic.h"

namespace {

constexpr NameRef kName = names::Of("猛攻ＬＶ１");
constexpr NameRef kEffect = names::Of("斬撃（縦）");
constexpr NameRef kSecondEffect = names::Of("軍議ＬＶ１");

using Image = std::array<std::uint8_t, Tactic::kImageSize>;

Image Packed(Tactic& t) {
  t.Pack();
  Image out;
  std::copy(t.SaveImageBytes(), t.SaveImageBytes() + Tactic::kImageSize, out.begin());
  return out;
}

// A tactic with every value distinct; the tail is effect names, columns 31..34, rows 41..44,
// spare words 51..55, action length 60.
void AddDistinct(TacticList& list, NameRef name, std::int32_t id) {
  list.Add(name, id, 184, 200, 1.2, 1.4, 32, 36, 40, 44, 48, 52, 56, 1.5f, 0.75f, 132, 152, 156,
           160, 164, 168, kEffect, 31, 32, 33, 34, 41, 42, 43, 44, 51, 52, kSecondEffect, 53, 54,
           55, 60);
}

// A tactic whose only distinct value is its id.
void AddPlain(TacticList& list, std::int32_t id) {
  list.Add(kName, id, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 99, 1, 0, names::kNone, 0, 1,
           0, 0, 5, 5, 0, 0, 0, 2, names::kNone, 0, 0, 0, 2);
}

std::vector<std::int32_t> Ids(const TacticList& list) {
  std::vector<std::int32_t> ids;
  for (const Tactic& t : list) ids.push_back(t.GetId());
  return ids;
}

}  // namespace

TEST(Tactic, AddPutsEveryValueAtItsOffset) {
  TacticList list;
  AddDistinct(list, kName, 17);
  Tactic& t = *list.GetAt(0);
  Image image = Packed(t);
  const std::vector<std::pair<std::size_t, std::int32_t>> words = {
      {0, kName}, {4, 17},   {32, 32},  {36, 36},  {40, 40},  {44, 44},  {48, 48},
      {52, 52},   {56, 56},  {132, 132}, {152, 152}, {156, 156}, {160, 160}, {164, 164},
      {168, 168}, {184, 184}, {200, 200}, {204, kEffect}, {208, 31}, {212, 32}, {216, 33},
      {220, 34},  {224, 41}, {228, 42}, {232, 43}, {236, 44}, {240, 51}, {244, 52},
      {248, kSecondEffect}, {252, 53}, {256, 54}, {260, 55}, {264, 60}};
  for (auto [off, v] : words) EXPECT_EQ(codec::GetI32(image.data(), off), v) << "offset " << off;
  EXPECT_EQ(codec::GetF64(image.data(), 16), 1.2);
  EXPECT_EQ(codec::GetF64(image.data(), 24), 1.4);
  EXPECT_EQ(codec::GetF32(image.data(), 60), 1.5f);
  EXPECT_EQ(codec::GetF32(image.data(), 64), 0.75f);
  // Spare words, effect entries and the reserved word are 0.
  for (auto [from, to] : std::vector<std::pair<std::size_t, std::size_t>>{
           {8, 16}, {68, 132}, {136, 152}, {172, 184}, {188, 200}, {268, 272}})
    for (std::size_t i = from; i < to; ++i) EXPECT_EQ(image[i], 0) << "byte " << i;

  EXPECT_EQ(t.GetName(), kName);
  EXPECT_EQ(t.GetId(), 17);
  EXPECT_EQ(t.GetAttackFactor(), 1.2);
  EXPECT_EQ(t.GetDefenceFactor(), 1.4);
  EXPECT_EQ(t.GetSpecialAttackFactor(), 1.5f);
  EXPECT_EQ(t.GetSpecialDefenceFactor(), 0.75f);
  EXPECT_EQ(t.GetDexterityBonus(), 32);
  EXPECT_EQ(t.GetEvasionBonus(), 36);
  EXPECT_EQ(t.GetAttackSpeedBonus(), 44);
  EXPECT_EQ(t.GetAttackTechniqueBonus(), 48);
  EXPECT_EQ(t.GetDefenceTechniqueBonus(), 52);
  EXPECT_EQ(t.GetHealingPowerBonus(), 56);
  EXPECT_EQ(t.GetUsedPoint(), 132);
  EXPECT_EQ(t.GetDuration(), 160);
  EXPECT_EQ(t.GetResearchCost(), 168);

  // A default tactic (an empty tactic slot) packs to zeros.
  Tactic empty;
  Image zero = Packed(empty);
  for (std::uint8_t b : zero) ASSERT_EQ(b, 0);
}

TEST(Tactic, ImageFormTakesEveryFieldFromItsPlace) {
  Image image;
  for (std::size_t off = 0; off < Tactic::kImageSize; off += 4)
    codec::PutI32(image.data(), off, static_cast<std::int32_t>(0x2000 + off));
  codec::PutI32(image.data(), 0, kName);
  codec::PutI32(image.data(), 204, kEffect);
  codec::PutI32(image.data(), 248, kSecondEffect);
  codec::PutF64(image.data(), 16, 1.6);
  codec::PutF64(image.data(), 24, 1.8);
  for (std::size_t e = 72; e < 132; e += 12) {
    image[e] = 1;
    image[e + 1] = 1;
    image[e + 2] = 0xCC;
    image[e + 3] = 0xDD;
  }
  TacticList list;
  ASSERT_TRUE(list.InsertSorted(image.data()));
  Tactic& t = *list.GetAt(0);
  EXPECT_EQ(t.GetId(), 0x2004);
  EXPECT_EQ(t.GetAttackFactor(), 1.6);
  EXPECT_EQ(t.GetDefenceFactor(), 1.8);
  EXPECT_EQ(t.GetHealingPowerBonus(), 0x2038);
  EXPECT_EQ(t.GetUsedPoint(), 0x2084);
  EXPECT_EQ(t.GetDuration(), 0x20A0);
  EXPECT_EQ(t.GetResearchCost(), 0x20A8);

  // Packed again it is the same image, but for the padding of the effect entries and the
  // reserved word, written 0.
  Image expected = image;
  for (std::size_t e = 72; e < 132; e += 12) expected[e + 2] = expected[e + 3] = 0;
  codec::PutI32(expected.data(), 268, 0);
  EXPECT_EQ(Packed(t), expected);

  for (std::size_t off : {std::size_t{0}, std::size_t{204}, std::size_t{248}}) {
    Image bad = image;
    codec::PutI32(bad.data(), off, names::kCount + 3);
    EXPECT_FALSE(list.InsertSorted(bad.data())) << "offset " << off;
  }
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(TacticList, InsertSortedGoesBeforeTheFirstEqualOrGreaterId) {
  TacticList list;
  EXPECT_FALSE(list.ContainsId(1));
  for (std::int32_t id : {2, 5, 9}) AddPlain(list, id);

  TacticList source;
  AddDistinct(source, kName, 5);   // same id as one held: goes before it
  AddDistinct(source, kName, 10);  // above every id: last
  AddDistinct(source, kName, 1);   // below every id: first
  for (Tactic& t : source) {
    t.Pack();
    ASSERT_TRUE(list.InsertSorted(t.SaveImageBytes()));
  }
  EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{1, 2, 5, 5, 9, 10}));
  EXPECT_EQ(list.GetAt(2)->GetUsedPoint(), 132);  // the inserted 5 stands before the old one
  EXPECT_EQ(list.GetAt(3)->GetUsedPoint(), 0);
  EXPECT_TRUE(list.ContainsId(9));
  EXPECT_FALSE(list.ContainsId(3));
}

TEST(TacticList, NestedListRoundTripsAndStaysInIdOrder) {
  DataFolder folder;
  TacticList list;
  AddDistinct(list, kName, 4);
  AddPlain(list, 4);
  AddPlain(list, 7);
  TacticList out_of_order;  // a damaged file: ids 8, 3, 6
  AddPlain(out_of_order, 8);
  AddPlain(out_of_order, 3);
  AddPlain(out_of_order, 6);
  {
    RecordFile f;
    ASSERT_TRUE(f.OpenWrite(DataFolder::Path("k")));
    ASSERT_TRUE(list.Write(f));
    ASSERT_TRUE(out_of_order.Write(f));
    ASSERT_TRUE(f.Close());
  }
  EXPECT_EQ(DataFolder::Read("k").size(), 2 * (4 + 3 * Tactic::kImageSize));

  RecordFile f;
  ASSERT_TRUE(f.OpenRead(DataFolder::Path("k")));
  TacticList back;
  ASSERT_TRUE(back.Read(f));
  ASSERT_EQ(back.GetCount(), 3);
  for (std::int32_t i = 0; i < 3; ++i) EXPECT_EQ(Packed(*back.GetAt(i)), Packed(*list.GetAt(i)));
  TacticList sorted;
  ASSERT_TRUE(sorted.Read(f));
  EXPECT_EQ(Ids(sorted), (std::vector<std::int32_t>{3, 6, 8}));
}
