#include "core/slot_commit.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/save_slot.h"
#include "platform/files.h"
#include "world/codec.h"
#include "world/record_file.h"

namespace slot_commit {
namespace {

constexpr std::size_t kFiles = std::size(SaveSlot::kKinds);

// What the record holds of one temporary: its kind, its length and an FNV-1a checksum of its
// bytes.
struct Entry {
  std::int32_t size = 0;
  std::uint64_t checksum = 0;
  bool operator==(const Entry&) const = default;
};

// The record: a mark, the count 9, then per kind its name (4 bytes, zero-padded), length and
// checksum, and last a checksum of everything before it, so that a record cut short or damaged
// never passes for a whole one.
constexpr std::size_t kEntryAt = 8;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kChecksumAt = kEntryAt + kEntrySize * kFiles;
using Record = std::array<std::uint8_t, kChecksumAt + 8>;
constexpr char kMark[4] = {'V', '2', 'C', 'R'};
// The mark of a record that names no save and only remembers that the slot is damaged. It takes
// the place of a record that the disk damaged after some of its files were put in place: beside
// that record a later save's nine temporaries would look like a save given up before its first
// rename.
constexpr char kDamageMark[4] = {'V', '2', 'C', 'D'};

constexpr std::uint64_t kFnvBasis = 14695981039346656037ull;
std::uint64_t Fnv(std::uint64_t h, const std::uint8_t* bytes, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  return h;
}

void PutU64(std::uint8_t* b, std::size_t at, std::uint64_t v) {
  codec::PutI32(b, at, static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  codec::PutI32(b, at + 4, static_cast<std::int32_t>(static_cast<std::uint32_t>(v >> 32)));
}
std::uint64_t GetU64(const std::uint8_t* b, std::size_t at) {
  return static_cast<std::uint32_t>(codec::GetI32(b, at)) |
         static_cast<std::uint64_t>(static_cast<std::uint32_t>(codec::GetI32(b, at + 4))) << 32;
}

std::string SlotPath(std::int32_t slot, std::size_t i) {
  return RecordFile::DataPath(SaveSlot::FileName(slot, SaveSlot::kKinds[i]).c_str());
}
std::string Folder() { return RecordFile::DataPath(""); }

// How a read of a file came out: its bytes, nothing at the name, or a failure that decides
// nothing (a read error, a folder or a pipe where a file belongs).
enum class Read { kOk, kAbsent, kFailed };

// Length and checksum of the file at `path`.
Read Measure(const std::string& path, Entry& entry) {
  std::FILE* f = platform::OpenFileForReading(path);
  if (!f) return errno == ENOENT ? Read::kAbsent : Read::kFailed;
  std::uint64_t h = kFnvBasis;
  long long size = 0;
  std::array<std::uint8_t, 65536> chunk;
  std::size_t n = 0;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
    h = Fnv(h, chunk.data(), n);
    size += static_cast<long long>(n);
  }
  const bool ok = !std::ferror(f) && size <= INT32_MAX;
  std::fclose(f);
  entry = {static_cast<std::int32_t>(size), h};
  return ok ? Read::kOk : Read::kFailed;
}

Record Encode(const std::array<Entry, kFiles>& entries, const char (&mark)[4] = kMark) {
  Record r{};
  std::memcpy(r.data(), mark, 4);
  codec::PutI32(r.data(), 4, static_cast<std::int32_t>(kFiles));
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::size_t at = kEntryAt + kEntrySize * i;
    std::memcpy(r.data() + at, SaveSlot::kKinds[i], std::strlen(SaveSlot::kKinds[i]));
    codec::PutI32(r.data(), at + 4, entries[i].size);
    PutU64(r.data(), at + 8, entries[i].checksum);
  }
  PutU64(r.data(), kChecksumAt, Fnv(kFnvBasis, r.data(), kChecksumAt));
  return r;
}

// The slot's record as found: whole (exactly its length, its mark, the nine kinds in their order
// and its own checksum), the whole mark of a damaged slot, absent, there but not whole, or not
// readable.
enum class Found { kWhole, kDamage, kAbsent, kBroken, kUnreadable };
Found ReadRecord(std::int32_t slot, std::array<Entry, kFiles>& entries) {
  std::FILE* f = platform::OpenFileForReading(RecordPath(slot));
  if (!f) return errno == ENOENT ? Found::kAbsent : Found::kUnreadable;
  Record r{};
  std::uint8_t extra = 0;
  const bool whole = std::fread(r.data(), 1, r.size(), f) == r.size() && std::fread(&extra, 1, 1, f) == 0;
  const bool failed = std::ferror(f);
  std::fclose(f);
  if (failed) return Found::kUnreadable;
  if (whole && r == Encode({}, kDamageMark)) return Found::kDamage;
  if (!whole || std::memcmp(r.data(), kMark, 4) != 0 ||
      codec::GetI32(r.data(), 4) != static_cast<std::int32_t>(kFiles) ||
      GetU64(r.data(), kChecksumAt) != Fnv(kFnvBasis, r.data(), kChecksumAt))
    return Found::kBroken;
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::size_t at = kEntryAt + kEntrySize * i;
    char kind[5] = {};
    std::memcpy(kind, r.data() + at, 4);
    if (std::string_view(kind) != SaveSlot::kKinds[i]) return Found::kBroken;
    entries[i] = {codec::GetI32(r.data(), at + 4), GetU64(r.data(), at + 8)};
  }
  return Found::kWhole;
}

// Writes a record whole under its temporary name and renames it over the slot's record, so that
// the record in place is only ever replaced by a whole one.
bool PutRecord(std::int32_t slot, const Record& record) {
  const std::string written = Temporary(RecordPath(slot));
  if (!WriteRecordFileAt(written, [&](RecordFile& f) { return f.Write(record.data(), record.size()); })) return false;
  if (platform::RenameFile(written, RecordPath(slot))) return true;
  platform::RemoveLeftover(written);
  return false;
}

// A damaged slot may be saved over only once what remembers the damage is on the disk.
Settled Damaged() { return platform::SyncFolder(Folder()) ? Settled::kDamaged : Settled::kUndecided; }

// Takes away the record of a save whose nine files are in place, and puts its removal on the
// disk before the slot is read or saved again: a failed removal is not passed over.
bool RemoveRecord(std::int32_t slot) {
  return platform::RemoveFile(RecordPath(slot)) && platform::SyncFolder(Folder());
}

// Gives up the save that the record names, before any of its files was put in place: the record
// goes first and reaches the disk, so that what is left of the temporaries is a leftover.
Settled KeepThePreviousSave(std::int32_t slot) {
  if (!platform::RemoveLeftover(RecordPath(slot)) || !platform::SyncFolder(Folder())) return Settled::kUndecided;
  Discard(slot);
  return Settled::kWhole;
}

// A record is written whole under another name and only then renamed to its own, so one that
// does not read whole was damaged on the disk. Its save is given up only while all nine
// temporaries are still there, that is before any of them was renamed into place. Otherwise the
// slot is damaged, and the mark of damage replaces the record before a later save writes its own
// temporaries at those names.
Settled SettleBrokenRecord(std::int32_t slot) {
  for (std::size_t i = 0; i < kFiles; ++i) {
    Entry ignored;
    const Read temporary = Measure(Temporary(SlotPath(slot, i)), ignored);
    if (temporary == Read::kFailed) return Settled::kUndecided;
    if (temporary == Read::kAbsent) return PutRecord(slot, Encode({}, kDamageMark)) ? Damaged() : Settled::kUndecided;
  }
  return KeepThePreviousSave(slot);
}

}  // namespace

std::string Temporary(const std::string& path) { return path + ".new"; }

std::string RecordPath(std::int32_t slot) {
  return RecordFile::DataPath(("datafile" + std::to_string(slot) + ".commit").c_str());
}

void Discard(std::int32_t slot) {
  for (std::size_t i = 0; i < kFiles; ++i) platform::RemoveLeftover(Temporary(SlotPath(slot, i)));
  platform::RemoveLeftover(Temporary(RecordPath(slot)));
}

bool Commit(std::int32_t slot) {
  std::array<Entry, kFiles> entries;
  bool ok = true;
  for (std::size_t i = 0; i < kFiles && ok; ++i) ok = Measure(Temporary(SlotPath(slot, i)), entries[i]) == Read::kOk;
  // The temporaries' names reach the disk before the record that names them, and the record
  // before any rename. What remembers that a damaged slot is damaged (an earlier save's record
  // or the mark of damage) is replaced only by the whole record of this one.
  ok = ok && platform::SyncFolder(Folder()) && PutRecord(slot, Encode(entries));
  if (!ok) {
    Discard(slot);
    return false;
  }
  // From here on the save is made: a failed step leaves the record for Recover.
  if (!platform::SyncFolder(Folder())) return false;
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::string path = SlotPath(slot, i);
    if (!platform::RenameFile(Temporary(path), path)) return false;
  }
  return platform::SyncFolder(Folder()) && RemoveRecord(slot);
}

Settled Recover(std::int32_t slot) {
  std::array<Entry, kFiles> entries;
  switch (ReadRecord(slot, entries)) {
    case Found::kAbsent: Discard(slot); return Settled::kWhole;
    case Found::kUnreadable: return Settled::kUndecided;
    case Found::kBroken: return SettleBrokenRecord(slot);
    case Found::kDamage: return Damaged();
    case Found::kWhole: break;
  }
  // Each file's new version is either pending (its temporary, as the record has it) or in place
  // (the slot file as the record has it); otherwise it is lost. A temporary that does not match
  // the record says nothing of the slot file at its name: it can be a later save's, begun after
  // this one was put in place (a power cut lost the record's removal) or left damaged.
  enum class Version { kPending, kInPlace, kLost };
  std::array<Version, kFiles> versions{};
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::string path = SlotPath(slot, i);
    Entry found;
    const Read temporary = Measure(Temporary(path), found);
    if (temporary == Read::kFailed) return Settled::kUndecided;
    if (temporary == Read::kOk && found == entries[i]) {
      versions[i] = Version::kPending;
      continue;
    }
    const Read placed = Measure(path, found);
    if (placed == Read::kFailed) return Settled::kUndecided;
    versions[i] = placed == Read::kOk && found == entries[i] ? Version::kInPlace : Version::kLost;
  }
  auto any = [&](Version v) { return std::find(versions.begin(), versions.end(), v) != versions.end(); };
  // All nine there: the save is finished. Otherwise, before the first rename the previous save is
  // still whole; after it, neither is.
  if (any(Version::kLost)) return any(Version::kInPlace) ? Settled::kDamaged : KeepThePreviousSave(slot);
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::string path = SlotPath(slot, i);
    if (versions[i] == Version::kPending && !platform::RenameFile(Temporary(path), path)) return Settled::kUndecided;
  }
  if (!platform::SyncFolder(Folder()) || !RemoveRecord(slot)) return Settled::kUndecided;
  // What temporaries are left belong to a later save that never reached its own record.
  Discard(slot);
  return Settled::kWhole;
}

}  // namespace slot_commit
