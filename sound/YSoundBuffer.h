// A sound file (WAV or Ogg Vorbis) loaded whole into memory and copied into
// one device buffer that voices play. The PCM bytes are kept for the whole
// life of the object, so the device buffer can be made again after the
// device was closed and reopened (full-screen switch). Main thread only.
#pragma once

#include <cstdint>
#include <memory>
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
  // file type: " + name, or the reader's texts. Makes the device buffer at
  // once when a device exists.
  void Open(std::string_view fileName);
  // Loads a RIFF/WAVE file of PCM data; logs "Load WAV file %s".
  void LoadWav(std::string_view fileName);
  // Decodes a whole Ogg Vorbis file.
  void LoadOgg(std::string_view fileName);

  // Makes the device buffer from the kept PCM bytes when there is a device,
  // data and no buffer yet. A failure logs "OpenAL buffer error: %s" with
  // the file name and leaves the buffer silent.
  void Create() override;
  // Copies the PCM bytes into a new device buffer; false (logged) on failure.
  // Caller holds SoundLock() and a device exists.
  bool Fill();
  // Makes a missing device buffer again from the kept PCM bytes; true when
  // the buffer exists afterwards. (Device buffers are never lost on this
  // platform, so nothing needs this on the play path.)
  bool Restore();
  void Release() override;

  const platform::PcmFormat& Format() const { return format_; }
  const std::vector<std::uint8_t>& Data() const { return data_; }
  const std::string& FileName() const { return fileName_; }
  // The device buffer or null; caller holds SoundLock().
  const platform::SoundBuffer* DeviceBuffer() const { return buffer_.get(); }

 private:
  platform::PcmFormat format_;
  std::unique_ptr<platform::SoundBuffer> buffer_;
  std::vector<std::uint8_t> data_;
  std::string fileName_;
};
