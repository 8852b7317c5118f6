#include "platform/files.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

FileChangeHook hook = nullptr;

// False when the hook makes the change fail.
bool Announce(FileChange change, const std::string& path) { return !hook || hook(change, path); }

}  // namespace

void SetFileChangeHook(FileChangeHook h) { hook = h; }

std::FILE* OpenFileForReading(const std::string& path) {
  // Without O_NONBLOCK a pipe would hold the open until someone writes into it; for a plain file
  // the flag changes nothing. A link is not followed: what it points to is not the game's file.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EINVAL;
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

std::FILE* CreateFileForWriting(const std::string& path, bool replace) {
  if (!Announce(FileChange::kOpen, path)) return nullptr;
  if (replace && !RemoveLeftover(path)) return nullptr;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    close(fd);
    unlink(path.c_str());
  }
  return file;
}

bool FinishWrittenFile(std::FILE* file, const std::string& path) {
  bool ok = Announce(FileChange::kFinish, path);
  ok = ok && std::fflush(file) == 0 && !std::ferror(file) && fsync(fileno(file)) == 0;
  if (std::fclose(file) != 0) ok = false;
  return ok;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return Announce(FileChange::kRename, to) && std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
  return Announce(FileChange::kRemove, path) && unlink(path.c_str()) == 0;
}

bool RemoveLeftover(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode) && !S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode)) return false;
  return RemoveFile(path);
}

bool SyncFolder(const std::string& path) {
  if (!Announce(FileChange::kSyncFolder, path)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

}  // namespace platform
