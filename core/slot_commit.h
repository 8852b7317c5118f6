#pragma once
// Putting a save slot's nine files in place as one step that a crash or a power cut cannot cut
// in two, and finishing or undoing such a step that was cut short.
//
// A save writes its nine files under temporary names ("<file>.new"), each made afresh and pushed
// to the disk. Commit then writes the slot's commit record (the size and checksum of each of the
// nine temporaries, and a checksum of its own) as "datafile<N>.commit.new", pushes it and the
// folder to the disk and renames it to "datafile<N>.commit": from that rename on the save counts
// as made. Only then are the nine temporaries renamed over the slot's files, in the order of
// SaveSlot::kKinds, and the record removed; that removal reaches the disk before the save counts
// as done.
//
// Recover settles what a crash left. Without a record, temporaries are leftovers of a save that
// never happened and go. With a record, file by file the new version is either still pending (its
// temporary, matching the record) or in place (the slot file matching the record; a temporary
// that does not match is a later save's leftover and decides nothing): all nine there finishes
// the save; none in place removes the record and the temporaries and the slot keeps its previous
// save; some in place while another is missing or does not match leaves the slot damaged, never a
// mix read as one save, until a later save's own record replaces this one. A record that the
// disk damaged gives its save up (the slot keeps its previous save) only while all nine
// temporaries are there, none renamed yet; otherwise the slot is damaged, and before it can be
// saved over the record is replaced by a whole mark of damage, which holds until a later save's
// own record replaces it. Nothing else in the folder is touched, and no name is read through a
// link.
//
// What this does not promise: a slot can still load as a mix of two saves when, once a later
// save's temporaries stand beside a damaged slot, the disk damages or someone deletes its record
// or its mark (a second damage on top of the one that made it damaged); when a finished save's
// file is damaged at rest; when the record is deleted by hand during the renames; or when a file
// is damaged right after its rename while the record stands.
#include <cstdint>
#include <string>

namespace slot_commit {

// What a slot is after Recover.
enum class Settled {
  kWhole,    // its files are one save (or there are none)
  kDamaged,  // a save was being put in place and some of its files are lost: the slot holds no
             // whole save; the record (or the mark of damage) stays on the disk and remembers it
             // until a new save replaces the slot
  kUndecided,  // something could not be read or changed (a read error, a folder or a pipe
               // where a file belongs, a rename that failed): nothing was removed, and the slot
               // is not to be read or saved over this time
};

// The temporary under which a save writes the slot file at `path`.
std::string Temporary(const std::string& path);
// "DATAFILE/datafile<N>.commit" as the file system names it.
std::string RecordPath(std::int32_t slot);

// Puts the nine written temporaries of slot 1..4 in place. False when that could not be done:
// before the record is in place the temporaries are removed and the slot is as it was (a
// damaged slot keeps its earlier record or its mark of damage); after it, the record stays and
// the next Recover finishes the save.
bool Commit(std::int32_t slot);
// Removes the slot's temporaries (a save that failed before its commit).
void Discard(std::int32_t slot);
// Finishes or undoes whatever a crash left of a commit of slot 1..4.
Settled Recover(std::int32_t slot);

}  // namespace slot_commit
