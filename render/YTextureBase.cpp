#include "render/YTextureBase.h"

#include <utility>

#include "platform/GraphicsDevice.h"
#include "render/YRender.h"

YTextureBase::YTextureBase() = default;

YTextureBase::YTextureBase(std::string name) : name_(std::move(name)) {
  // Not virtual here: the texture's own loading, whatever derives from it.
  YTextureBase::CreateDeviceObjects();
}

YTextureBase::~YTextureBase() {
  SetWaiting(Waiting::No);
  YTextureBase::ReleaseDeviceObjects();
}

std::size_t YTextureBase::waitingForFirstUse_ = 0;

void YTextureBase::SetWaiting(Waiting waiting) {
  if (waiting_ == Waiting::FirstUse) --waitingForFirstUse_;
  if (waiting == Waiting::FirstUse) ++waitingForFirstUse_;
  waiting_ = waiting;
}

void YTextureBase::CreateDeviceObjects() {
  if (g_render == nullptr) return;
  SetWaiting(Waiting::No);
  if (deviceTexture_) g_render->ReleaseTexture(*this);
  g_render->LoadTexture(*this);
}

void YTextureBase::ReleaseDeviceObjects() {
  if (!deviceTexture_) return;
  if (g_render != nullptr) g_render->ReleaseTexture(*this);
  SetDeviceTexture(nullptr);
}

void YTextureBase::OnDeviceCreated() {
  if (waiting_ == Waiting::NextUse) return;
  if (g_render != nullptr && g_render->deferTextureLoads) {
    SetWaiting(Waiting::FirstUse);
    return;
  }
  CreateDeviceObjects();
}

void YTextureBase::ReleaseUntilUsed() {
  ReleaseDeviceObjects();
  SetWaiting(Waiting::NextUse);
}

void YTextureBase::LoadIfWaiting() {
  if (waiting_ == Waiting::No) return;
  SetWaiting(Waiting::No);
  CreateDeviceObjects();  // virtual: kinds that make their own texture do so
}

void YTextureBase::SetName(std::string_view name) {
  name_ = name;
  CreateDeviceObjects();
}

void YTextureBase::SetDeviceTexture(std::unique_ptr<platform::DeviceTexture> texture) {
  // The renderer must not take a later texture at the same address for this one.
  if (deviceTexture_ && g_render != nullptr) g_render->ForgetTexture(deviceTexture_.get());
  deviceTexture_ = std::move(texture);
}
