#pragma once
// The open file of a list's Load or Save. Every write is checked; a read tells whether the
// whole record came.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/files.h"

class RecordFile {
 public:
  RecordFile() = default;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile();

  // "DATAFILE/<name>" in the current folder. A CP932 name is converted for the file system.
  static std::string DataPath(const char* file_name);

  // A plain file only: a folder, pipe or device at the name does not open (and never stalls).
  bool OpenRead(const std::string& path);
  // Through the platform's file calls: the file is made afresh at exactly `path` (under
  // DATAFILE/ whatever stands at the name is removed first, so a leftover link cannot send the
  // writes elsewhere), and it is on the disk once Close() returns true.
  bool OpenWrite(const std::string& path);
  // Closes; a written file is flushed and pushed to the disk first. False when anything written
  // did not reach the file.
  bool Close();

  // True only when all n bytes came.
  bool Read(void* out, std::size_t n);
  bool ReadI32(std::int32_t& out);
  // Writes are remembered: a failed one makes Close() report failure.
  bool Write(const void* data, std::size_t n);
  bool WriteI32(std::int32_t v);
  bool Ok() const { return ok_; }

 private:
  std::FILE* file_ = nullptr;
  std::string written_path_;  // the file being written; empty while reading
  bool ok_ = true;
};

// Writes a whole file at exactly `path` with every write checked; on any failure the file is
// removed and the result is false. A save slot writes its nine files this way under temporary
// names and renames them itself once all nine are written.
template <typename Body>
bool WriteRecordFileAt(const std::string& path, Body&& body) {
  RecordFile f;
  if (!f.OpenWrite(path)) return false;
  bool ok = body(f);
  ok = f.Close() && ok;
  if (!ok) platform::RemoveFile(path);
  return ok;
}

// Writes a whole top-level list file under a temporary name and renames it into place only when
// every write succeeded, so a failed save never destroys the previous file.
// `body` writes the content; returns false (and leaves the old file) on any failure.
template <typename Body>
bool SaveRecordFile(const char* file_name, Body&& body) {
  std::string path = RecordFile::DataPath(file_name);
  std::string temp = path + ".tmp";
  RecordFile f;
  if (!f.OpenWrite(temp)) return false;
  bool ok = body(f);
  ok = f.Close() && ok;
  if (!ok || !platform::RenameFile(temp, path)) {
    platform::RemoveFile(temp);
    return false;
  }
  return true;
}
