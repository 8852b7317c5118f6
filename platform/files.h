#pragma once
// The changes the game makes to its save files, one call each, so that a save can be made to
// survive a crash or a power cut: a written file is pushed to the disk before it is closed, and a
// folder can be told to put its entries (files created, renamed or removed in it) on the disk.
#include <cstdio>
#include <string>

namespace platform {

// Opens a file for writing ("wb"), creating or emptying it; null when it does not open.
std::FILE* OpenFileForWriting(const std::string& path);
// Flushes a written file, pushes its data to the disk and closes it; false when any step fails.
bool FinishWrittenFile(std::FILE* file, const std::string& path);
// Replaces `to` by `from` in one step (the name `to` never stands for nothing).
bool RenameFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// Puts the folder's entries on the disk.
bool SyncFolder(const std::string& path);

// What the crash tests need: every one of the five calls above first calls the hook, when one is
// set, with what it is about to do; a hook that ends the process there leaves the files as a
// crash at that point would.
enum class FileChange { kOpen, kFinish, kRename, kRemove, kSyncFolder };
using FileChangeHook = void (*)(FileChange change, const std::string& path);
void SetFileChangeHook(FileChangeHook hook);

}  // namespace platform
