#include "world/field_party.h"

#include "world/codec.h"
#include "world/saturate.h"

namespace {

// Where each follower stands around the leader, by slot.
constexpr Point kFormationOffset[FieldParty::kSlots] = {{0, 0}, {0, -16}, {-16, -6}, {16, -6}, {-10, 16}, {10, 16}};

bool At(const Character& c, const Point& p) {
  Point here;
  c.GetPosition(here);
  return here == p;
}

bool AtDestination(const Character& c) {
  Point p;
  return At(c, c.GetDestination(p));
}

bool AtBase(const Character& c) {
  Point p;
  return At(c, c.GetBasePoint(p));
}

bool AtLineUpPoint(const Character& c) {
  Point p;
  return At(c, c.GetLineUpPoint(p));
}

bool Idle(const Character& c) { return c.GetState() == 0; }

}  // namespace

FieldParty::FieldParty(std::int32_t id, std::int32_t leader, std::int32_t follower1, std::int32_t follower2,
                       std::int32_t follower3, std::int32_t follower4, std::int32_t follower5)
    : id_(id), leader_(leader), slots_{leader, follower1, follower2, follower3, follower4, follower5} {}

std::int32_t FieldParty::GetMemberId(std::int32_t slot) const {
  if (slot < 0 || slot >= kSlots) return 0;
  return slots_[static_cast<std::size_t>(slot)];
}

Character* FieldParty::MemberAt(const CharacterList& characters, int slot) const {
  std::int32_t id = slots_[static_cast<std::size_t>(slot)];
  if (id == 0) return nullptr;
  // The list's find falls back to its last character; a party only means the one with the id.
  Character* c = characters.FindById(id);
  return c && c->GetId() == id ? c : nullptr;
}

template <typename Test>
bool FieldParty::Every(const CharacterList& characters, Test test) const {
  for (int slot = 0; slot < kSlots; ++slot) {
    Character* c = MemberAt(characters, slot);
    if (c && !test(*c)) return false;
  }
  return true;
}

template <typename Test>
Character* FieldParty::First(const CharacterList& characters, Test test) const {
  for (int slot = 0; slot < kSlots; ++slot) {
    Character* c = MemberAt(characters, slot);
    if (c && test(*c)) return c;
  }
  return nullptr;
}

void FieldParty::PlaceMember(const CharacterList& characters, std::int32_t k) const {
  if (k < 1 || k >= kSlots) return;
  Character* member = MemberAt(characters, k);
  Character* leader = characters.FindById(leader_);
  if (!member || !leader || leader->GetId() != leader_) return;
  Point p;
  leader->GetPosition(p);
  const Point& offset = kFormationOffset[k];
  member->SetPosition(Plus(p.x, offset.x), Plus(p.y, offset.y));
  member->SetAnimFrame(leader->GetAnimFrame());
  member->SetWalkStep(leader->GetWalkStep());
}

void FieldParty::BreakFormation(const CharacterList& characters) const {
  for (int slot = 0; slot < kSlots; ++slot)
    if (Character* c = MemberAt(characters, slot)) c->ClearInFormation();
}

void FieldParty::SetBasePointAll(const CharacterList& characters, std::int32_t x, std::int32_t y) const {
  Character* leader = characters.FindById(leader_);
  if (leader && leader->GetId() == leader_) leader->SetBasePoint(x, y);
  for (int slot = 0; slot < kSlots; ++slot)
    if (Character* c = MemberAt(characters, slot)) c->SetBasePoint(x, y);
}

bool FieldParty::AllMembersArrived(const CharacterList& characters) const {
  return Every(characters, [](const Character& c) { return AtDestination(c) && Idle(c); });
}

bool FieldParty::AllMembersAtBase(const CharacterList& characters) const {
  return Every(characters, [](const Character& c) { return AtBase(c) && Idle(c); });
}

bool FieldParty::AllMembersLinedUp(const CharacterList& characters) const {
  return Every(characters, [](const Character& c) { return AtLineUpPoint(c); });
}

bool FieldParty::AllMembersIdleAwayFromDestination(const CharacterList& characters) const {
  return Every(characters, [](const Character& c) { return !AtDestination(c) && Idle(c); });
}

bool FieldParty::AnyMemberAtDestination(const CharacterList& characters) const {
  return FindMemberAtDestination(characters) != nullptr;
}

Character* FieldParty::FindMemberAtDestination(const CharacterList& characters) const {
  return First(characters, [](const Character& c) { return AtDestination(c); });
}

bool FieldParty::HasIdleMemberAwayFromDestination(const CharacterList& characters) const {
  return First(characters, [](const Character& c) { return !AtDestination(c) && Idle(c); }) != nullptr;
}

bool FieldParty::AnyMemberIdleAtBasePoint(const CharacterList& characters) const {
  return First(characters, [](const Character& c) { return AtBase(c) && Idle(c); }) != nullptr;
}

bool FieldParty::AnyMemberOutOfFormation(const CharacterList& characters) const {
  return First(characters, [](const Character& c) { return c.IsInFormation() == 0; }) != nullptr;
}

void FieldParty::PackSaveImage() {
  image_.fill(0);
  codec::PutI32(image_.data(), 0, id_);
  codec::PutI32(image_.data(), 4, leader_);
  for (std::size_t slot = 0; slot < kSlots; ++slot) codec::PutI32(image_.data(), 8 + 4 * slot, slots_[slot]);
}

bool FieldParty::LoadSaveImage(const std::uint8_t* image) {
  id_ = codec::GetI32(image, 0);
  leader_ = codec::GetI32(image, 4);
  // Slot 0 is the leader whatever the record holds there.
  slots_[0] = leader_;
  for (std::size_t slot = 1; slot < kSlots; ++slot) slots_[slot] = codec::GetI32(image, 8 + 4 * slot);
  active_ = 0;
  return true;
}

bool FieldPartyList::Add(std::int32_t id, std::int32_t leader, std::int32_t follower1, std::int32_t follower2,
                         std::int32_t follower3, std::int32_t follower4, std::int32_t follower5) {
  Append(FieldParty(id, leader, follower1, follower2, follower3, follower4, follower5));
  return true;
}

std::int32_t FieldPartyList::CountActive() const {
  return CountIf([](const FieldParty& p) { return p.IsActive(); });
}

FieldParty* FieldPartyList::GetNthActive(std::int32_t n) const {
  return NthIf(n, [](const FieldParty& p) { return p.IsActive(); });
}
