// The render resource list: registration order, removal by moving the last
// resource into the gap, and the renderer's walks over it.
#include "render/YRenderResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Journal = std::vector<std::string>;
using Resources = std::vector<const YRenderResource*>;

// Records what the walks asked of it in a shared journal; with `spawn` set
// it makes one more resource during its next creation.
class Probe : public YRenderResource {
 public:
  Probe(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
  void CreateDeviceObjects() override {
    journal_.push_back("create " + name_);
    if (std::exchange(spawn, false)) spawned = std::make_unique<Probe>(journal_, name_ + "'");
  }
  void ReleaseDeviceObjects() override { journal_.push_back("release " + name_); }

  bool spawn = false;
  std::unique_ptr<Probe> spawned;

 private:
  Journal& journal_;
  std::string name_;
};

// The probes among the registered resources (other tests' may be there too), in list order.
Resources ProbesInList(const Resources& probes) {
  Resources found;
  for (const YRenderResource* r : YRenderResource::Registered())
    if (std::find(probes.begin(), probes.end(), r) != probes.end()) found.push_back(r);
  return found;
}

TEST(YRenderResource, RegistersInOrderAndFillsGapsWithTheLast) {
  Journal journal;
  auto a = std::make_unique<Probe>(journal, "a");
  Probe b(journal, "b");
  Probe c(journal, "c");
  EXPECT_EQ(ProbesInList({a.get(), &b, &c}), (Resources{a.get(), &b, &c}));
  const auto gone = reinterpret_cast<std::uintptr_t>(a.get());
  a.reset();
  EXPECT_EQ(ProbesInList({&b, &c}), (Resources{&c, &b}));
  for (const YRenderResource* r : YRenderResource::Registered())
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(r), gone);
}

TEST(YRenderResource, WalksVisitTheListInOrderIncludingLateArrivals) {
  Journal journal;
  Probe first(journal, "first");
  Probe second(journal, "second");
  first.spawn = true;
  YRenderResource::CreateAll();
  YRenderResource::DeviceLostAll();  // nothing by default
  YRenderResource::DeviceResetAll();
  YRenderResource::ReleaseAll();
  EXPECT_EQ(journal, (Journal{"create first", "create second", "create first'", "release first",
                              "release second", "release first'"}));
}

}  // namespace
