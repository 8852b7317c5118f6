#pragma once
// A tune loaded from "MUSIC/<name>" with its own loader, ready to be played on a MusicPlayer.
#include <cstdint>
#include <memory>

#include "platform/music.h"

class MusicSegment {
 public:
  MusicSegment();
  ~MusicSegment();
  MusicSegment(const MusicSegment&) = delete;
  MusicSegment& operator=(const MusicSegment&) = delete;

  // Creates the loader and points it at the current directory; failures show nothing. A segment
  // set up before is first emptied. Returns 0.
  int Init();
  // Loads "MUSIC/<name>"; on failure the segment and the loader are dropped silently. Returns 0.
  int Load(const char* file_name);
  // Loop points in music time ((0, 0): the whole tune) and repeat count (0xFFFFFFFF: for ever);
  // the count is set only when the loop points were accepted. Returns 0.
  int SetLoop(std::int32_t start, std::int32_t end, std::uint32_t repeats);
  // The segment to hand to MusicPlayer::Play and MusicPlayer::StopSegment; null when not loaded.
  platform::MusicSegmentData* GetSegment() const { return segment_.get(); }

 private:
  std::unique_ptr<platform::MusicLoader> loader_;
  std::unique_ptr<platform::MusicSegmentData> segment_;
  // A holder that nothing fills; were it ever set, its segment would go last, after the music
  // system has been left.
  std::unique_ptr<platform::MusicSegmentData> spare_;
};
