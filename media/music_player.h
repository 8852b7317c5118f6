#pragma once
// A music player: a performance with its loader, its own segment and its audio path. The game
// object and the thinking screen each own one for the whole run and play segments on it.
#include <cstdint>
#include <memory>

#include "platform/music.h"
#include "platform/win.h"

class MusicPlayer {
 public:
  MusicPlayer();
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Creates loader, performance and audio path; a failed step shows its box (owned by `window`)
  // and ends the set-up. A player set up before is first emptied. Returns 0. A soundfont that
  // fails only when read in full (on the audio device, after the set-up) shows the synthesiser's
  // box from the message loop, and the player plays nothing.
  int Init(HWND window);
  // Loads "MUSIC/<name>" as the player's own segment; if that fails the player is shut down
  // silently. Returns 0.
  int Load(const char* file_name);
  // Hundredths of a decibel. Returns 0.
  int SetMasterVolume(std::int32_t volume);
  // Plays the segment as a secondary segment; mode 2 on the player's audio path, any other on the
  // default path. Returns the result of the play call.
  platform::HRESULT Play(platform::MusicSegmentData* segment, int mode);
  // Silences every segment on the player and unloads its own segment. Returns 0.
  int Stop();
  // Stops the segment on the player and unloads it. Returns 0.
  int StopSegment(platform::MusicSegmentData* segment);

 private:
  void Release();

  std::unique_ptr<platform::MusicLoader> loader_;
  std::unique_ptr<platform::MusicPerformance> performance_;
  std::unique_ptr<platform::MusicSegmentData> segment_;  // own segment, loaded by Load
  std::unique_ptr<platform::MusicAudioPath> audio_path_;
};
