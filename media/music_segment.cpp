#include "media/music_segment.h"

#include <string>

using platform::Failed;

MusicSegment::MusicSegment() { platform::CoInitialize(); }

MusicSegment::~MusicSegment() {
  segment_.reset();
  loader_.reset();
  platform::CoUninitialize();
}

int MusicSegment::Init() {
  segment_.reset();
  loader_.reset();
  // The segment goes on without music if these fail; the player's set-up has shown why.
  platform::MusicLoader::Create(&loader_);
  if (loader_) loader_->SetSearchDirectory(platform::CurrentDirectory(), false);
  return 0;
}

int MusicSegment::Load(const char* file_name) {
  platform::HRESULT hr = platform::kMusicNotReady;
  if (loader_ && file_name) hr = loader_->LoadSegmentFromFile(std::string("MUSIC/") + file_name, &segment_);
  if (Failed(hr)) {
    segment_.reset();
    loader_.reset();
  }
  return 0;
}

int MusicSegment::SetLoop(std::int32_t start, std::int32_t end, std::uint32_t repeats) {
  if (segment_ && !Failed(segment_->SetLoopPoints(start, end))) segment_->SetRepeats(repeats);
  return 0;
}
