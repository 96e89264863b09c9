// A sound file (WAV or Ogg Vorbis) loaded whole and checked, copied into one
// device buffer when its first voice needs it: a sound never played takes
// no device memory. The samples of a WAV file are not kept; they are read
// from the file again when a device buffer is made (first voice, or a
// device closed and reopened by a full-screen switch); those of an Ogg
// Vorbis file are kept. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SoundDevice.h"
#include "sound/YSoundResource.h"

class YSoundBuffer : public YSoundResource {
 public:
  YSoundBuffer();
  ~YSoundBuffer() override;

  // Loads a data file by its extension (the up to three characters after
  // the last '.', any case): "wav" or "ogg". Raises SoundError with
  // "SoundBuffer already opened.", "Invalid filename: " + name, "Unknown
  // file type: " + name, or the reader's texts. When a device exists and
  // would refuse the samples, logs "OpenAL buffer error: %s" with the name.
  void Open(std::string_view fileName);
  // Loads a RIFF/WAVE file of PCM data; logs "Load WAV file %s". A file
  // cut short is refused as "Invalid WAV format " + name.
  void LoadWav(std::string_view fileName);
  // Decodes a whole Ogg Vorbis file.
  void LoadOgg(std::string_view fileName);

  // Nothing: the device buffer waits for a voice (DeviceBufferForVoice).
  void Create() override;
  // The device buffer, made now from the PCM bytes (read again for a WAV
  // file) when there is a device, a loaded file and no buffer yet. Null
  // when it cannot be made: a failure logs "OpenAL buffer error: %s" with
  // the file name once for the device and leaves the sound silent.
  const platform::SoundBuffer* DeviceBufferForVoice();
  // Copies the PCM bytes into a new device buffer; false (logged) on failure.
  // Caller holds SoundLock() and a device exists.
  bool Fill();
  // Makes a missing device buffer again, even after a failure; true when
  // the buffer exists afterwards.
  bool Restore();
  void Release() override;

  const platform::PcmFormat& Format() const { return format_; }
  // The samples of an Ogg Vorbis file; empty for a WAV file.
  const std::vector<std::uint8_t>& Data() const { return data_; }
  // The size of the loaded samples in bytes, whether kept or not.
  std::size_t PcmBytes() const { return pcmBytes_; }
  const std::string& FileName() const { return fileName_; }
  // The device buffer or null; caller holds SoundLock().
  const platform::SoundBuffer* DeviceBuffer() const { return buffer_.get(); }

 private:
  bool ReadWavAgain();
  void CheckForDevice(std::span<const std::uint8_t> pcm);

  platform::PcmFormat format_;
  std::unique_ptr<platform::SoundBuffer> buffer_;
  std::vector<std::uint8_t> data_;
  std::size_t pcmBytes_ = 0;
  bool fromWav_ = false;
  bool refused_ = false;  // no device buffer for this device
  std::string fileName_;
};
