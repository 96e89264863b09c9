#include "render/YRenderResource.h"

#include <algorithm>
#include <cstddef>

namespace {

// Never destroyed: resources held by static objects unregister at exit,
// after every ordinary static is gone.
std::vector<YRenderResource*>& Resources() {
  static auto* const resources = new std::vector<YRenderResource*>();
  return *resources;
}

// Calls `step` on every resource by index, so resources that register
// during the walk are reached as well.
template <typename Step>
void ForEachResource(Step step) {
  std::vector<YRenderResource*>& resources = Resources();
  for (std::size_t i = 0; i < resources.size(); ++i) step(*resources[i]);
}

}  // namespace

YRenderResource::YRenderResource() {
  Resources().push_back(this);
}

YRenderResource::~YRenderResource() {
  std::vector<YRenderResource*>& resources = Resources();
  const auto it = std::find(resources.begin(), resources.end(), this);
  if (it == resources.end()) return;
  *it = resources.back();
  resources.pop_back();
}

void YRenderResource::OnDeviceLost() {}

void YRenderResource::OnDeviceReset() {}

void YRenderResource::OnDeviceCreated() {
  CreateDeviceObjects();
}

void YRenderResource::CreateAll() {
  ForEachResource([](YRenderResource& resource) { resource.OnDeviceCreated(); });
}

void YRenderResource::ReleaseAll() {
  ForEachResource([](YRenderResource& resource) { resource.ReleaseDeviceObjects(); });
}

void YRenderResource::DeviceLostAll() {
  ForEachResource([](YRenderResource& resource) { resource.OnDeviceLost(); });
}

void YRenderResource::DeviceResetAll() {
  ForEachResource([](YRenderResource& resource) { resource.OnDeviceReset(); });
}

const std::vector<YRenderResource*>& YRenderResource::Registered() {
  return Resources();
}
