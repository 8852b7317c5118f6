#include "media/music_player.h"

#include <string>

using platform::Failed;

MusicPlayer::MusicPlayer() { platform::CoInitialize(); }

MusicPlayer::~MusicPlayer() {
  if (performance_) performance_->CloseDown();
  audio_path_.reset();
  segment_.reset();
  loader_.reset();
  performance_.reset();
  platform::CoUninitialize();
}

// Everything the destructor lets go of, short of leaving the music system: the player can be set up
// again (a new world after a finished game) without the old tune sounding on.
void MusicPlayer::Release() {
  if (performance_) performance_->CloseDown();
  audio_path_.reset();
  segment_.reset();
  loader_.reset();
  performance_.reset();
}

int MusicPlayer::Init(HWND window) {
  if (loader_ || performance_ || segment_ || audio_path_) Release();
  if (Failed(platform::MusicLoader::Create(&loader_))) {
    MessageBoxA(window, "", "ローダの作成失敗", MB_OK);
    return 0;
  }
  if (Failed(loader_->SetSearchDirectory(platform::CurrentDirectory(), false))) {
    MessageBoxA(window, "", "ローダの設定失敗", MB_OK);
    return 0;
  }
  if (Failed(platform::MusicPerformance::Create(&performance_))) {
    MessageBoxA(window, "", "パフォーマンスの作成失敗", MB_OK);
    return 0;
  }
  // The synthesiser may turn out not to start only once its soundfont is read, after the set-up:
  // it then says so with the same box, shown by the message loop.
  const auto synthesiser_failed = [window] {
    MessageBoxA(window, "", "パフォーマンスとシンセサイザーの初期化失敗", MB_OK);
  };
  if (Failed(performance_->InitAudio(platform::MusicPathType::kSharedStereoPlusReverb, 64, synthesiser_failed))) {
    synthesiser_failed();
    return 0;
  }
  if (Failed(performance_->CreateStandardAudioPath(platform::MusicPathType::kDynamicStereo, 64, false,
                                                    &audio_path_))) {
    MessageBoxA(window, "", "オーディオパスの作成失敗", MB_OK);
  }
  return 0;
}

int MusicPlayer::Load(const char* file_name) {
  platform::HRESULT hr = platform::kMusicNotReady;  // no loader: nothing can load
  if (loader_ && file_name) hr = loader_->LoadSegmentFromFile(std::string("MUSIC/") + file_name, &segment_);
  if (Failed(hr)) {
    // A player without its own tune closes down, so that nothing plays on it.
    if (performance_) performance_->CloseDown();
    segment_.reset();
    loader_.reset();
    performance_.reset();
    audio_path_.reset();
    platform::CoUninitialize();
  }
  return 0;
}

int MusicPlayer::SetMasterVolume(std::int32_t volume) {
  if (performance_) performance_->SetMasterVolume(volume);
  return 0;
}

platform::HRESULT MusicPlayer::Play(platform::MusicSegmentData* segment, int mode) {
  if (segment == nullptr) return platform::kMusicInvalidArgument;
  segment->SetStandardMidiFile();
  if (!performance_) return platform::kMusicNotReady;
  segment->Download(*performance_);
  return performance_->PlaySecondary(*segment, mode == 2 ? audio_path_.get() : nullptr);
}

int MusicPlayer::Stop() {
  if (!performance_) return 0;
  performance_->Stop();
  if (segment_) segment_->Unload(*performance_);
  return 0;
}

int MusicPlayer::StopSegment(platform::MusicSegmentData* segment) {
  if (!performance_ || segment == nullptr) return 0;
  performance_->StopSegment(*segment);
  segment->Unload(*performance_);
  return 0;
}
