#include "world/policy.h"

#include <algorithm>

#include "world/codec.h"

void Policy::Pack() {
  std::uint8_t* out = image_.data();
  codec::PutI32(out, 0, name_);
  codec::PutI32(out, 4, id_);
  codec::PutI32(out, 8, kind_);
  codec::PutI32(out, 12, chance_);
  codec::PutI32(out, 16, limit_);
  codec::PutI32(out, 20, price_);
  codec::PutF32(out, 24, amount_);
  codec::PutI32(out, 28, used_point_);
  codec::PutI32(out, 32, spare32_);
  codec::PutI32(out, 36, research_cost_);
  codec::PutU8(out, 40, available_);
  codec::PutU8(out, 41, 0);
  codec::PutU8(out, 42, 0);
  codec::PutU8(out, 43, 0);
}

bool Policy::LoadSaveImage(const std::uint8_t* in) {
  NameRef name = codec::GetI32(in, 0);
  if (!names::IsValid(name)) return false;
  // The limit is how many draws a policy makes (at most 20 in the game); a damaged file's
  // billions would keep the thinking phase drawing for hours.
  if (codec::GetI32(in, 16) > kMostDraws) return false;
  name_ = name;
  id_ = codec::GetI32(in, 4);
  kind_ = codec::GetI32(in, 8);
  chance_ = codec::GetI32(in, 12);
  limit_ = codec::GetI32(in, 16);
  price_ = codec::GetI32(in, 20);
  amount_ = codec::GetF32(in, 24);
  used_point_ = codec::GetI32(in, 28);
  spare32_ = codec::GetI32(in, 32);
  research_cost_ = codec::GetI32(in, 36);
  available_ = codec::GetU8(in, 40);
  std::copy(in, in + kImageSize, image_.begin());
  return true;
}

bool PolicyList::Add(NameRef name, std::int32_t id, std::int32_t kind, std::int32_t chance,
                     std::int32_t limit, std::int32_t price, float amount, std::int32_t used_point,
                     std::int32_t spare_word, std::int32_t research_cost, std::int32_t available) {
  Policy p;
  p.name_ = name;
  p.id_ = id;
  p.kind_ = kind;
  p.chance_ = chance;
  p.limit_ = limit;
  p.price_ = price;
  p.amount_ = amount;
  p.used_point_ = used_point;
  p.spare32_ = spare_word;
  p.research_cost_ = research_cost;
  p.available_ = static_cast<std::uint8_t>(available);
  Append(p);
  return true;
}

bool PolicyList::InsertSorted(const std::uint8_t* image) {
  Policy p;
  if (!p.LoadSaveImage(image)) return false;
  std::int32_t at = 0;
  while (at < Count() && GetAt(at)->GetId() < p.GetId()) ++at;
  NoteAdded(InsertAt(at, p));
  return true;
}

bool PolicyList::AddFromImage(const std::uint8_t* image) {
  Policy p;
  if (!p.LoadSaveImage(image)) return false;
  std::int32_t at = Count();
  while (at > 0 && GetAt(at - 1)->GetId() > p.GetId()) --at;
  NoteAdded(InsertAt(at, p));
  return true;
}

std::int32_t PolicyList::CountByAvailableFlag(std::int32_t flag) const {
  return CountIf([&](const Policy& p) { return p.IsAvailable() == flag; });
}

Policy* PolicyList::GetNthByAvailableFlag(std::int32_t flag, std::int32_t n) const {
  return NthIf(n, [&](const Policy& p) { return p.IsAvailable() == flag; });
}
