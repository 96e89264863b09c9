#include "platform/SoundBuffer.h"

#include "platform/ALPcm.h"
#include "platform/SoundDevice.h"

namespace platform {

SoundBuffer::SoundBuffer(SoundDevice& device, ALObject buffer, const PcmFormat& format)
    : device_(&device), buffer_(std::move(buffer)), format_(format) {}

bool SoundBuffer::Takes(const PcmFormat& format, std::span<const std::uint8_t> pcm, std::string& error) {
  return CheckPcm(format, pcm, error);
}

std::unique_ptr<SoundBuffer> SoundBuffer::Create(SoundDevice& device, const PcmFormat& format,
                                                 std::span<const std::uint8_t> pcm, std::string& error) {
  if (!Takes(format, pcm, error)) return nullptr;
  ALObject buffer = ALObject::Generate(ALObject::Kind::Buffer);
  if (!buffer) {
    error = "the sound library gave no buffer";
    return nullptr;
  }
  if (!UploadPcm(buffer.Name(), format, pcm)) {
    error = "the sound library did not take " + std::to_string(pcm.size()) + " bytes";
    return nullptr;
  }
  std::unique_ptr<SoundBuffer> result(new SoundBuffer(device, std::move(buffer), format));
  device.AddBuffer(result.get());
  return result;
}

SoundBuffer::~SoundBuffer() {
  if (device_ != nullptr) device_->RemoveBuffer(this);
  buffer_.Reset();
}

void SoundBuffer::Orphan() {
  buffer_.Reset();
  device_ = nullptr;
}

}  // namespace platform
