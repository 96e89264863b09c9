// A sound file (WAV or Ogg Vorbis) loaded whole into memory and copied into
// one device buffer that voices play. The samples of a WAV file are dropped
// once a device buffer holds them and read from the file again when the
// device was closed and reopened (full-screen switch); those of an Ogg
// Vorbis file are kept. Main thread only.
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
  // Loads a RIFF/WAVE file of PCM data; logs "Load WAV file %s". A file
  // cut short is refused as "Invalid WAV format " + name.
  void LoadWav(std::string_view fileName);
  // Decodes a whole Ogg Vorbis file.
  void LoadOgg(std::string_view fileName);

  // Makes the device buffer from the PCM bytes (read again for a WAV file)
  // when there is a device, a loaded file and no buffer yet. A failure logs
  // "OpenAL buffer error: %s" with the file name and leaves the buffer
  // silent.
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
  // The samples while no device buffer holds them (always for Ogg Vorbis).
  const std::vector<std::uint8_t>& Data() const { return data_; }
  // The size of the loaded samples in bytes, whether kept or not.
  std::size_t PcmBytes() const { return pcmBytes_; }
  const std::string& FileName() const { return fileName_; }
  // The device buffer or null; caller holds SoundLock().
  const platform::SoundBuffer* DeviceBuffer() const { return buffer_.get(); }

 private:
  bool ReadWavAgain();

  platform::PcmFormat format_;
  std::unique_ptr<platform::SoundBuffer> buffer_;
  std::vector<std::uint8_t> data_;
  std::size_t pcmBytes_ = 0;
  bool fromWav_ = false;
  std::string fileName_;
};
