#pragma once
// Field parties: a leader and up to five followers who march in a fixed formation around the
// leader, sortie together and are stationed together. A party names its characters by id and
// finds them in the character list handed to each check. Parties come only from a loaded party
// file; a new game has none.
//
// Save image (36 bytes, little-endian): 0 id | 4 leader | 8 slot 0 (the leader) | 12..28 slots 1
// to 5 | 32 reserved, 0. The active flag is not saved: a loaded party is inactive.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/character_list.h"
#include "world/point.h"
#include "world/record_list.h"

class FieldParty {
 public:
  static constexpr std::size_t kImageSize = 36;
  static constexpr int kSlots = 6;

  FieldParty() = default;
  // Slot 0 holds the leader, slots 1 to 5 the followers (0 = empty); inactive.
  FieldParty(std::int32_t id, std::int32_t leader, std::int32_t follower1, std::int32_t follower2,
             std::int32_t follower3, std::int32_t follower4, std::int32_t follower5);

  std::int32_t GetId() const { return id_; }
  std::int32_t GetLeaderId() const { return leader_; }
  // The character id in slot 0..5; 0 for an empty slot or any other slot number.
  std::int32_t GetMemberId(std::int32_t slot) const;
  bool IsActive() const { return active_ != 0; }
  void SetActive() { active_ = 1; }
  void ClearActive() { active_ = 0; }

  // Puts follower k (1..5) at the leader's position plus the formation offset of its slot, with
  // the leader's animation frame and walk step. Nothing for another k or an empty slot.
  void PlaceMember(const CharacterList& characters, std::int32_t k) const;
  // Every member leaves the formation and acts on its own again.
  void BreakFormation(const CharacterList& characters) const;
  // The leader and every member are stationed at (x, y).
  void SetBasePointAll(const CharacterList& characters, std::int32_t x, std::int32_t y) const;

  // The checks range over the occupied slots 0 to 5, the leader included. A slot whose id names
  // no character is skipped.
  bool AllMembersArrived(const CharacterList& characters) const;
  bool AllMembersAtBase(const CharacterList& characters) const;
  bool AllMembersLinedUp(const CharacterList& characters) const;
  bool AllMembersIdleAwayFromDestination(const CharacterList& characters) const;
  bool AnyMemberAtDestination(const CharacterList& characters) const;
  // The first member in slot order standing at its destination, or the end.
  Character* FindMemberAtDestination(const CharacterList& characters) const;
  bool HasIdleMemberAwayFromDestination(const CharacterList& characters) const;
  bool AnyMemberIdleAtBasePoint(const CharacterList& characters) const;
  bool AnyMemberOutOfFormation(const CharacterList& characters) const;

  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Id, leader, slot 0 from the leader, slots 1 to 5; inactive.
  bool LoadSaveImage(const std::uint8_t* image);

 private:
  // The character of an occupied slot, or the end for an empty slot or an unknown id.
  Character* MemberAt(const CharacterList& characters, int slot) const;
  template <typename Test>
  bool Every(const CharacterList& characters, Test test) const;
  template <typename Test>
  Character* First(const CharacterList& characters, Test test) const;

  std::array<std::uint8_t, kImageSize> image_{};
  std::int32_t id_ = 0;
  std::int32_t leader_ = 0;
  std::array<std::int32_t, kSlots> slots_{};
  std::uint8_t active_ = 0;
};

class FieldPartyList : public RecordList<FieldPartyList, FieldParty> {
 public:
  // Appends a party built from its id, leader and five followers; true.
  bool Add(std::int32_t id, std::int32_t leader, std::int32_t follower1, std::int32_t follower2,
           std::int32_t follower3, std::int32_t follower4, std::int32_t follower5);

  std::int32_t CountActive() const;
  FieldParty* GetNthActive(std::int32_t n) const;
};
