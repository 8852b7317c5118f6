#pragma once
// The game's calls on its save files, so that a save can be made to survive a crash or a power
// cut and nothing odd in the save folder can stall or mislead the game: a written file is made
// afresh at its own name and pushed to the disk before it is closed, a folder can be told to put
// its entries (files created, renamed or removed in it) on the disk, and a file is read only when
// it is a plain file, never through a link and without waiting on a pipe or a device that stands
// at its name.
#include <cstdio>
#include <string>

namespace platform {

// Opens a plain file for reading ("rb"). Null when it does not open, with errno ENOENT only when
// nothing stands at the name; a link, folder, pipe, device or other non-plain file at the name is
// not opened for good (errno ELOOP or EINVAL), and opening it never waits.
std::FILE* OpenFileForReading(const std::string& path);
// Makes a new file at `path` and opens it for writing ("wb"). When `replace` is set, a file, link
// or pipe standing at the name is removed first (a folder or a device never is); the new file is
// created at that very name, never through a link. Null when it cannot be made.
std::FILE* CreateFileForWriting(const std::string& path, bool replace);
// Flushes a written file, pushes its data to the disk and closes it; false when any step fails.
bool FinishWrittenFile(std::FILE* file, const std::string& path);
// Replaces `to` by `from` in one step (the name `to` never stands for nothing).
bool RenameFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// Removes the file, link or pipe standing at `path` (never a folder or a device, and never what a
// link points to). True when nothing stands there any more.
bool RemoveLeftover(const std::string& path);
// Puts the folder's entries on the disk.
bool SyncFolder(const std::string& path);

// What the crash and disk tests need: every one of the changes above first calls the hook,
// when one is set, with what it is about to do; a hook that ends the process there leaves the
// files as a crash at that point would, and a hook that returns false makes that change fail as
// a failing disk would (the file made, finished, renamed, removed or folder synced reports
// failure; a finished file is closed all the same).
enum class FileChange { kOpen, kFinish, kRename, kRemove, kSyncFolder };
using FileChangeHook = bool (*)(FileChange change, const std::string& path);
void SetFileChangeHook(FileChangeHook hook);

}  // namespace platform
