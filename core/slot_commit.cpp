#include "core/slot_commit.h"

#include <array>
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
// reads as no record at all.
constexpr std::size_t kEntryAt = 8;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kChecksumAt = kEntryAt + kEntrySize * kFiles;
using Record = std::array<std::uint8_t, kChecksumAt + 8>;
constexpr char kMark[4] = {'V', '2', 'C', 'R'};

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

bool Exists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

// Length and checksum of the file at `path`; false when it does not read.
bool Measure(const std::string& path, Entry& entry) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
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
  return ok;
}

bool Matches(const std::string& path, const Entry& expected) {
  Entry found;
  return Measure(path, found) && found == expected;
}

Record Encode(const std::array<Entry, kFiles>& entries) {
  Record r{};
  std::memcpy(r.data(), kMark, 4);
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

// The slot's record, if it is there and reads whole: exactly its length, its mark, the nine kinds
// in their order and its own checksum.
bool ReadRecord(std::int32_t slot, std::array<Entry, kFiles>& entries) {
  std::FILE* f = std::fopen(RecordPath(slot).c_str(), "rb");
  if (!f) return false;
  Record r{};
  std::uint8_t extra = 0;
  const bool whole = std::fread(r.data(), 1, r.size(), f) == r.size() && std::fread(&extra, 1, 1, f) == 0;
  std::fclose(f);
  if (!whole || std::memcmp(r.data(), kMark, 4) != 0 ||
      codec::GetI32(r.data(), 4) != static_cast<std::int32_t>(kFiles) ||
      GetU64(r.data(), kChecksumAt) != Fnv(kFnvBasis, r.data(), kChecksumAt))
    return false;
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::size_t at = kEntryAt + kEntrySize * i;
    char kind[5] = {};
    std::memcpy(kind, r.data() + at, 4);
    if (std::string_view(kind) != SaveSlot::kKinds[i]) return false;
    entries[i] = {codec::GetI32(r.data(), at + 4), GetU64(r.data(), at + 8)};
  }
  return true;
}

void RemoveIfThere(const std::string& path) {
  if (Exists(path)) platform::RemoveFile(path);
}

// The record goes first: once it is gone, what is left of the temporaries is a leftover.
void RemoveRecordAndTemporaries(std::int32_t slot) {
  RemoveIfThere(RecordPath(slot));
  Discard(slot);
}

}  // namespace

std::string Temporary(const std::string& path) { return path + ".new"; }

std::string RecordPath(std::int32_t slot) {
  return RecordFile::DataPath(("datafile" + std::to_string(slot) + ".commit").c_str());
}

void Discard(std::int32_t slot) {
  for (std::size_t i = 0; i < kFiles; ++i) RemoveIfThere(Temporary(SlotPath(slot, i)));
}

bool Commit(std::int32_t slot) {
  std::array<Entry, kFiles> entries;
  bool ok = true;
  for (std::size_t i = 0; i < kFiles && ok; ++i) ok = Measure(Temporary(SlotPath(slot, i)), entries[i]);
  // The temporaries' names reach the disk before the record that names them, and the record
  // before any rename.
  ok = ok && platform::SyncFolder(Folder());
  const Record record = Encode(entries);
  ok = ok && WriteRecordFileAt(RecordPath(slot), [&](RecordFile& f) { return f.Write(record.data(), record.size()); });
  ok = ok && platform::SyncFolder(Folder());
  if (!ok) {
    RemoveRecordAndTemporaries(slot);
    return false;
  }
  // From here on the save is made: a failed rename leaves the record for Recover.
  for (std::size_t i = 0; i < kFiles; ++i) {
    const std::string path = SlotPath(slot, i);
    if (!platform::RenameFile(Temporary(path), path)) return false;
  }
  if (!platform::SyncFolder(Folder())) return false;
  platform::RemoveFile(RecordPath(slot));
  return true;
}

bool Recover(std::int32_t slot) {
  std::array<Entry, kFiles> entries;
  if (ReadRecord(slot, entries)) {
    // Each file's new version is either its temporary or, once renamed, the slot file itself.
    std::array<bool, kFiles> pending{};
    bool whole = true;
    for (std::size_t i = 0; i < kFiles && whole; ++i) {
      const std::string path = SlotPath(slot, i);
      pending[i] = Exists(Temporary(path));
      whole = Matches(pending[i] ? Temporary(path) : path, entries[i]);
    }
    if (whole) {
      for (std::size_t i = 0; i < kFiles; ++i) {
        const std::string path = SlotPath(slot, i);
        if (pending[i] && !platform::RenameFile(Temporary(path), path)) return false;
      }
      if (!platform::SyncFolder(Folder())) return false;
      platform::RemoveFile(RecordPath(slot));
    }
  }
  // No commit, a damaged one, or a finished one: the slot's files are one whole save and the rest
  // goes.
  RemoveRecordAndTemporaries(slot);
  for (std::size_t i = 0; i < kFiles; ++i) RemoveIfThere(SlotPath(slot, i) + ".old");
  return true;
}

}  // namespace slot_commit
