#pragma once
// Putting a save slot's nine files in place as one step that a crash or a power cut cannot cut
// in two, and finishing or undoing such a step that was cut short.
//
// A save writes its nine files under temporary names ("<file>.new"), each pushed to the disk.
// Commit then writes the slot's commit record "datafile<N>.commit" (the size and checksum of each
// of the nine temporaries, and a checksum of its own), pushes it and the folder to the disk, and
// only then renames the nine temporaries over the slot's files and removes the record. Once the
// record is on the disk the save counts as made: whatever reads the slot first calls Recover,
// which renames what a crash left of the temporaries into place. Without a record that reads
// whole, the temporaries (and ".old" files of earlier versions of the game) are leftovers of a
// save that never happened and are removed; so are the temporaries and the record when a
// temporary does not match the record, and the slot stays as it was.
#include <cstdint>
#include <string>

namespace slot_commit {

// The temporary under which a save writes the slot file at `path`.
std::string Temporary(const std::string& path);
// "DATAFILE/datafile<N>.commit" as the file system names it.
std::string RecordPath(std::int32_t slot);

// Puts the nine written temporaries of slot 1..4 in place. False when that could not be done:
// before the record is on the disk the temporaries are removed and the slot is as it was; after
// it, the record stays and the next Recover finishes the save.
bool Commit(std::int32_t slot);
// Removes the slot's temporaries (a save that failed before its commit).
void Discard(std::int32_t slot);
// Finishes or undoes whatever a crash left of a commit of slot 1..4. False only when a commit on
// the disk could not be finished (a rename failed): the slot's files may then mix two saves and
// must not be read.
bool Recover(std::int32_t slot);

}  // namespace slot_commit
