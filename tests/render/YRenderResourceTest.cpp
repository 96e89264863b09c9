// The render resource list: registration order, removal by moving the last
// resource into the gap, and the renderer's walks over it.
#include "render/YRenderResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records what the walks asked of it in a shared journal.
class Probe : public YRenderResource {
 public:
  Probe(std::vector<std::string>& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
  void CreateDeviceObjects() override {
    journal_.push_back("create " + name_);
    if (spawn) spawned = std::make_unique<Probe>(journal_, name_ + "'");
    spawn = false;
  }
  void ReleaseDeviceObjects() override { journal_.push_back("release " + name_); }

  bool spawn = false;  // makes one more resource during its next creation
  std::unique_ptr<Probe> spawned;

 private:
  std::vector<std::string>& journal_;
  std::string name_;
};

// The probes among the registered resources, in list order (resources of
// other tests may be registered too).
std::vector<const YRenderResource*> ProbesInList(const std::vector<const YRenderResource*>& probes) {
  std::vector<const YRenderResource*> found;
  for (const YRenderResource* r : YRenderResource::Registered())
    if (std::find(probes.begin(), probes.end(), r) != probes.end()) found.push_back(r);
  return found;
}

TEST(YRenderResource, RegistersInOrderAndFillsGapsWithTheLast) {
  std::vector<std::string> journal;
  const std::size_t before = YRenderResource::Registered().size();
  auto a = std::make_unique<Probe>(journal, "a");
  Probe b(journal, "b");
  Probe c(journal, "c");
  const std::vector<const YRenderResource*> all = {a.get(), &b, &c};
  EXPECT_EQ(ProbesInList(all), all);
  EXPECT_EQ(YRenderResource::Registered().size(), before + 3);

  const YRenderResource* gone = a.get();
  a.reset();
  EXPECT_EQ(ProbesInList({gone, &b, &c}), (std::vector<const YRenderResource*>{&c, &b}));
  EXPECT_EQ(YRenderResource::Registered().size(), before + 2);
}

TEST(YRenderResource, WalksVisitTheListInOrderIncludingLateArrivals) {
  std::vector<std::string> journal;
  Probe first(journal, "first");
  Probe second(journal, "second");
  first.spawn = true;
  YRenderResource::CreateAll();
  YRenderResource::DeviceLostAll();  // nothing by default
  YRenderResource::DeviceResetAll();
  YRenderResource::ReleaseAll();
  EXPECT_EQ(journal, (std::vector<std::string>{"create first", "create second", "create first'",
                                               "release first", "release second", "release first'"}));
}

}  // namespace
