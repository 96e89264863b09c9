#include "sound/YSoundBuffer.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "framework/Log.h"
#include "framework/YLock.h"
#include "sound/OggStream.h"
#include "sound/SoundError.h"
#include "sound/SoundSystem.h"
#include "sound/WavReader.h"

namespace {

// The up to three characters after the last '.', lower-cased; nothing when
// the name is empty or has no '.'.
std::optional<std::string> Extension(std::string_view fileName) {
  std::size_t dot = fileName.rfind('.');
  if (fileName.empty() || dot == std::string_view::npos) return std::nullopt;
  std::string ext(fileName.substr(dot + 1, 3));
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

constexpr int kOggReadPiece = 65536;

}  // namespace

YSoundBuffer::YSoundBuffer() = default;

YSoundBuffer::~YSoundBuffer() { Release(); }

void YSoundBuffer::Open(std::string_view fileName) {
  {
    YLock hold(SoundLock());
    if (pcmBytes_ != 0) throw SoundError("SoundBuffer already opened.");
  }
  fileName_ = fileName;
  std::optional<std::string> ext = Extension(fileName);
  if (!ext) throw SoundError("Invalid filename: " + fileName_);
  if (*ext == "wav") return LoadWav(fileName);
  if (*ext == "ogg") return LoadOgg(fileName);
  throw SoundError("Unknown file type: " + fileName_);
}

void YSoundBuffer::LoadWav(std::string_view fileName) {
  std::string name(fileName);
  Log::Printf("Load WAV file %s", name.c_str());
  WavData wav;
  WavStatus status = ReadWavFile(fileName, wav);
  if (status == WavStatus::CannotOpen) throw SoundError("Could not open WAV file " + name);
  if (status != WavStatus::Ok || wav.cut) {
    std::string message = "Invalid WAV format " + name;
    Log::Printf("Load WAV file error: %s", message.c_str());
    throw SoundError(message);
  }
  format_ = wav.format;
  pcmBytes_ = wav.pcm.size();
  fromWav_ = true;
  CheckForDevice(wav.pcm);
}

void YSoundBuffer::LoadOgg(std::string_view fileName) {
  OggStream stream;
  stream.Open(fileName);
  // Read piece by piece up to the declared size, so a false length in the
  // file cannot make us allocate more than the file really decodes to.
  std::vector<std::uint8_t> pcm;
  std::int64_t total = stream.TotalBytes();
  pcm.reserve(static_cast<std::size_t>(std::min<std::int64_t>(total, 16 << 20)));
  while (static_cast<std::int64_t>(pcm.size()) < total) {
    std::size_t at = pcm.size();
    int want = static_cast<int>(std::min<std::int64_t>(kOggReadPiece, total - static_cast<std::int64_t>(at)));
    pcm.resize(at + static_cast<std::size_t>(want));
    int got = stream.Read(pcm.data() + at, want);
    pcm.resize(at + static_cast<std::size_t>(got));
    if (got < want) break;
  }
  format_ = stream.Format();
  data_ = std::move(pcm);
  pcmBytes_ = data_.size();
  CheckForDevice(data_);
  stream.Close();
}

// A refusal is logged when the file is loaded, as it would be when a voice
// first asks for the device buffer.
void YSoundBuffer::CheckForDevice(std::span<const std::uint8_t> pcm) {
  YLock hold(SoundLock());
  std::string error;
  if (GetSoundDevice() && !platform::SoundBuffer::Takes(format_, pcm, error)) {
    Log::Printf("OpenAL buffer error: %s", fileName_.c_str());
    refused_ = true;
  }
}

void YSoundBuffer::Create() {}

const platform::SoundBuffer* YSoundBuffer::DeviceBufferForVoice() {
  YLock hold(SoundLock());
  if (buffer_ || refused_ || pcmBytes_ == 0 || !GetSoundDevice()) return buffer_.get();
  if (data_.empty() && !ReadWavAgain()) {
    refused_ = true;
    return nullptr;
  }
  refused_ = !Fill();
  // The samples of a WAV file stay in the file until a device needs them.
  if (fromWav_) std::vector<std::uint8_t>().swap(data_);
  return buffer_.get();
}

// Without a log line of its own: the file was logged when it was opened.
bool YSoundBuffer::ReadWavAgain() {
  WavData wav;
  if (ReadWavFile(fileName_, wav) == WavStatus::Ok && wav.pcm.size() == pcmBytes_) {
    format_ = wav.format;
    data_ = std::move(wav.pcm);
    return true;
  }
  Log::Printf("OpenAL buffer error: %s", fileName_.c_str());
  return false;
}

bool YSoundBuffer::Fill() {
  std::string error;
  buffer_ = platform::SoundBuffer::Create(*GetSoundDevice(), format_, data_, error);
  if (!buffer_) Log::Printf("OpenAL buffer error: %s", fileName_.c_str());
  return buffer_ != nullptr;
}

bool YSoundBuffer::Restore() {
  YLock hold(SoundLock());
  refused_ = false;
  return DeviceBufferForVoice() != nullptr;
}

void YSoundBuffer::Release() {
  YLock hold(SoundLock());
  buffer_.reset();
  refused_ = false;
}
