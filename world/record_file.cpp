#include "world/record_file.h"

#include "world/codec.h"
#include "platform/files.h"
#include "platform/text.h"

RecordFile::~RecordFile() {
  if (file_) Close();
}

std::string RecordFile::DataPath(const char* file_name) {
  return platform::FileSystemPath(std::string("DATAFILE/") + file_name);
}

bool RecordFile::OpenRead(const std::string& path) {
  file_ = platform::OpenFileForReading(path);
  ok_ = file_ != nullptr;
  return ok_;
}

bool RecordFile::OpenWrite(const std::string& path) {
  // Only a name in the game's own folder is cleared for the new file; elsewhere a taken name is
  // refused.
  file_ = platform::CreateFileForWriting(path, path.starts_with(DataPath("")));
  ok_ = file_ != nullptr;
  if (ok_) written_path_ = path;
  return ok_;
}

bool RecordFile::Close() {
  if (!file_) return false;
  bool ok = ok_;
  if (written_path_.empty()) {
    if (std::ferror(file_)) ok = false;
    if (std::fclose(file_) != 0) ok = false;
  } else if (!platform::FinishWrittenFile(file_, written_path_)) {
    ok = false;
  }
  file_ = nullptr;
  written_path_.clear();
  return ok;
}

bool RecordFile::Read(void* out, std::size_t n) {
  if (!file_) return false;
  return std::fread(out, 1, n, file_) == n;
}

bool RecordFile::ReadI32(std::int32_t& out) {
  std::uint8_t b[4];
  if (!Read(b, 4)) return false;
  out = codec::GetI32(b, 0);
  return true;
}

bool RecordFile::Write(const void* data, std::size_t n) {
  if (!file_ || std::fwrite(data, 1, n, file_) != n) ok_ = false;
  return ok_;
}

bool RecordFile::WriteI32(std::int32_t v) {
  std::uint8_t b[4];
  codec::PutI32(b, 0, v);
  return Write(b, 4);
}
