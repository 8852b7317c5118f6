#include "platform/files.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

FileChangeHook hook = nullptr;

void Announce(FileChange change, const std::string& path) {
  if (hook) hook(change, path);
}

}  // namespace

void SetFileChangeHook(FileChangeHook h) { hook = h; }

std::FILE* OpenFileForWriting(const std::string& path) {
  Announce(FileChange::kOpen, path);
  return std::fopen(path.c_str(), "wb");
}

bool FinishWrittenFile(std::FILE* file, const std::string& path) {
  Announce(FileChange::kFinish, path);
  bool ok = std::fflush(file) == 0 && !std::ferror(file);
  // Character devices (a test's /dev/full) cannot be synced and need not be.
  if (ok && fsync(fileno(file)) != 0 && errno != EINVAL) ok = false;
  if (std::fclose(file) != 0) ok = false;
  return ok;
}

bool RenameFile(const std::string& from, const std::string& to) {
  Announce(FileChange::kRename, to);
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
  Announce(FileChange::kRemove, path);
  return std::remove(path.c_str()) == 0;
}

bool SyncFolder(const std::string& path) {
  Announce(FileChange::kSyncFolder, path);
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

}  // namespace platform
