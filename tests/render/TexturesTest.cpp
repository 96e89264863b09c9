// Named textures, the texture container and array textures, loaded through
// the renderer onto a recording device: get-or-create by exact name, loading
// only while a device exists, sizes under the device limit and the texture
// scale, box-filtered mip chains, failures left empty, and array cells cut
// from one surface that goes with its last cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "platform/DeviceTypes.h"
#include "platform/Image.h"
#include "render/Render_D3D.h"
#include "render/TextureLoading.h"
#include "render/YContainer.h"
#include "render/YSTexture.h"
#include "render/YSurface.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/FakeDisplaySystem.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::FakeDeviceTexture;
using testing_support::FakeDisplaySystem;
using testing_support::FakeGraphicsDevice;
using Textures = YContainer<YTextureBase>;

const FakeDeviceTexture* Fake(const YTextureBase& texture) {
  return dynamic_cast<const FakeDeviceTexture*>(texture.DeviceTexture());
}

std::array<int, 4> Texel(const platform::Image& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.bgra[at], image.bgra[at + 1], image.bgra[at + 2], image.bgra[at + 3]};
}

bool Logged(const LogCapture& log, const std::string& line) {
  for (const std::string& l : log.Lines())
    if (l == line) return true;
  return false;
}

int CountLogged(const LogCapture& log, const std::string& line) {
  int count = 0;
  for (const std::string& l : log.Lines()) count += l == line ? 1 : 0;
  return count;
}

// An image whose texels tell where they are: blue and green are the low
// bytes of x and y, red holds their high bits.
platform::Image Positions(int width, int height) {
  platform::Image image = platform::MakeImage(width, height, 0xFF000000);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* t = image.bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4;
      t[0] = static_cast<std::uint8_t>(x & 0xFF);
      t[1] = static_cast<std::uint8_t>(y & 0xFF);
      t[2] = static_cast<std::uint8_t>((x >> 8) * 16 + (y >> 8));
    }
  }
  return image;
}

std::array<int, 4> PositionTexel(int x, int y) {
  return {x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8), 255};
}

// A renderer on a fake display, working in a temporary folder that holds
// the image files under "tex/"; the texture scale is put back afterwards.
// Container items outlive each test, so every test uses names of its own.
class TexturesTest : public ::testing::Test {
 protected:
  TexturesTest() : cwd_(dir_.Path()) {}

  void SetUp() override {
    savedScale_ = g_textureScale;
    g_textureScale = 1;
    std::filesystem::create_directory(dir_.Path() / "tex");
    auto owned = std::make_unique<FakeDisplaySystem>();
    display = owned.get();
    display->modes = {{1024, 768, 60, platform::fmt::X8R8G8B8}};
    display->prepareDevice = [this](FakeGraphicsDevice& made) {
      made.caps.maxTextureWidth = maxSide;
      made.caps.maxTextureHeight = maxSide;
    };
    render = std::make_unique<Render_D3D>(std::move(owned));
    render->EnumerateModes();
  }

  void TearDown() override {
    render.reset();
    g_textureScale = savedScale_;
  }

  FakeGraphicsDevice& CreateDevice() {
    render->CreateDeviceOn(nullptr, true, 0);
    return *display->device;
  }

  // Writes tex/<file> and returns its data name "tex\<file>".
  std::string WriteImage(const std::string& file, const platform::Image& image) {
    EXPECT_TRUE(platform::WritePng(image, (dir_.Path() / "tex" / file).string()));
    return "tex\\" + file;
  }

  std::uint32_t maxSide = 2048;
  FakeDisplaySystem* display = nullptr;
  std::unique_ptr<Render_D3D> render;

 private:
  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_;
  std::int32_t savedScale_ = 1;
};

// ---- The container -------------------------------------------------------------------

TEST_F(TexturesTest, GetHandsOutOneItemPerExactName) {
  YTextureBase* first = Textures::Get("tex\\Same.png");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Textures::Get("tex\\Same.png"), first);
  EXPECT_EQ(Textures::Find("tex\\Same.png"), first);
  EXPECT_EQ(first->name(), "tex\\Same.png");

  YTextureBase* lower = Textures::Get("tex\\same.png");
  EXPECT_NE(lower, first);
  EXPECT_EQ(Textures::Find("tex\\SAME.png"), nullptr);
  EXPECT_EQ(Textures::Find("tex\\Same.pn"), nullptr);  // a prefix is not the name

  YTextureBase* empty = Textures::Get("");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(Textures::Find(""), empty);
}

// ---- Named textures ---------------------------------------------------------------------

TEST_F(TexturesTest, NothingLoadsWithoutADeviceAndEverythingLoadsWhenItComes) {
  const std::string name = WriteImage("early.png", platform::MakeImage(8, 4, 0xFF102030));
  YTextureBase* texture = Textures::Get(name);
  EXPECT_EQ(texture->DeviceTexture(), nullptr);

  LogCapture log;
  CreateDevice();
  const FakeDeviceTexture* loaded = Fake(*texture);
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->levels.size(), 4u);  // 8x4, 4x2, 2x1, 1x1
  EXPECT_EQ(loaded->levels[3].width, 1);
  EXPECT_EQ(loaded->levels[3].height, 1);
  EXPECT_TRUE(Logged(log, "Load texture tex\\early.png, ok"));
}

TEST_F(TexturesTest, ImagesBeyondTheDeviceLimitAreCutToIt) {
  FakeGraphicsDevice& device = CreateDevice();
  const std::string name = WriteImage("huge.png", platform::MakeImage(4096, 4096, 0xFF405060));
  YTextureBase* texture = Textures::Get(name);  // made while the device exists: loads at once
  const FakeDeviceTexture* loaded = Fake(*texture);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Width(), 2048);
  EXPECT_EQ(loaded->Height(), 2048);
  EXPECT_EQ(loaded->levels.size(), 12u);
  EXPECT_EQ(Texel(loaded->levels[0], 1000, 7), (std::array<int, 4>{0x60, 0x50, 0x40, 0xFF}));
  EXPECT_EQ(device.CallsStartingWith("CreateTexture").back(), "CreateTexture 2048x2048 12");
}

TEST_F(TexturesTest, TheTextureScaleDividesSizesAndCountsAsOneBelowOne) {
  FakeGraphicsDevice& device = CreateDevice();
  WriteImage("scaled.png", platform::MakeImage(256, 128, 0xFFFFFFFF));
  const std::vector<std::pair<int, std::string>> cases = {
      {2, "CreateTexture 128x64 8"}, {0, "CreateTexture 256x128 9"}, {-3, "CreateTexture 256x128 9"}};
  for (const auto& [scale, call] : cases) {
    const auto texture = LoadDeviceTexture(device, "tex\\scaled.png", 2048, scale);
    ASSERT_NE(texture, nullptr) << scale;
    EXPECT_EQ(device.calls.back(), call) << scale;
  }
  g_textureScale = 2;
  EXPECT_EQ(Fake(*Textures::Get("tex\\scaled.png"))->Width(), 128);

  EXPECT_EQ(ScaledTextureSide(5, 0, 2), 2);     // no limit known
  EXPECT_EQ(ScaledTextureSide(1, 2048, 4), 1);  // never below one texel
  EXPECT_EQ(ScaledTextureSide(3000, 2048, 1), 2048);
  EXPECT_EQ(ScaledTextureSide(3000, 2048, 3), 682);
  EXPECT_EQ(ScaledTextureSide(100, 2048, 0), 100);
}

TEST_F(TexturesTest, ShrinkingBoxFiltersTheImageAndEveryMipLevel) {
  FakeGraphicsDevice& device = CreateDevice();
  platform::Image image = platform::MakeImage(4, 2, 0xFF000000);
  // Left 2 x 2 block: blues 0, 40, 80, 120; right block all 200.
  const int blues[8] = {0, 40, 200, 200, 80, 120, 200, 200};
  for (int i = 0; i < 8; ++i)
    image.bgra[static_cast<std::size_t>(i) * 4] = static_cast<std::uint8_t>(blues[i]);
  WriteImage("boxed.png", image);
  const auto texture = LoadDeviceTexture(device, "tex\\boxed.png", 2048, 2);
  const auto* fake = dynamic_cast<const FakeDeviceTexture*>(texture.get());
  ASSERT_NE(fake, nullptr);
  ASSERT_EQ(fake->levels.size(), 2u);
  EXPECT_EQ(Texel(fake->levels[0], 0, 0)[0], 60);
  EXPECT_EQ(Texel(fake->levels[0], 1, 0)[0], 200);
  EXPECT_EQ(Texel(fake->levels[1], 0, 0)[0], 130);
}

TEST_F(TexturesTest, AMissingOrBrokenFileLeavesTheTextureEmptyWithoutRetry) {
  FakeGraphicsDevice& device = CreateDevice();
  LogCapture log;
  YTextureBase* missing = Textures::Get("tex\\later.png");
  EXPECT_EQ(missing->DeviceTexture(), nullptr);
  EXPECT_TRUE(Logged(log, "Load texture tex\\later.png, failed"));

  WriteImage("later.png", platform::MakeImage(2, 2));
  const int created = device.Count("CreateTexture");
  EXPECT_EQ(Textures::Get("tex\\later.png"), missing);
  EXPECT_EQ(missing->DeviceTexture(), nullptr);
  EXPECT_EQ(device.Count("CreateTexture"), created);

  // A new name loads the new file.
  missing->SetName("tex\\later.png");
  EXPECT_NE(missing->DeviceTexture(), nullptr);

  const auto good = platform::EncodePng(platform::MakeImage(16, 16, 0xFF00FF00));
  ASSERT_TRUE(good);
  testing_support::WriteFile("tex/broken.png", good->substr(0, good->size() / 2));
  EXPECT_EQ(Textures::Get("tex\\broken.png")->DeviceTexture(), nullptr);
  EXPECT_TRUE(Logged(log, "Load texture tex\\broken.png, failed"));

  device.creationsSucceed = false;
  WriteImage("refused.png", platform::MakeImage(2, 2));
  EXPECT_EQ(Textures::Get("tex\\refused.png")->DeviceTexture(), nullptr);
  EXPECT_TRUE(Logged(log, "Load texture tex\\refused.png, failed"));
}

TEST_F(TexturesTest, ReleasingTheDeviceDropsTexturesAndTheNextDeviceReloadsThem) {
  WriteImage("cycle.png", platform::MakeImage(4, 4));
  CreateDevice();
  YTextureBase* texture = Textures::Get("tex\\cycle.png");
  ASSERT_NE(texture->DeviceTexture(), nullptr);
  render->ReleaseDevice();
  EXPECT_EQ(texture->DeviceTexture(), nullptr);
  FakeGraphicsDevice& again = CreateDevice();
  ASSERT_NE(Fake(*texture), nullptr);
  EXPECT_GE(again.texturesCreated, 1);
}

// ---- Array textures ------------------------------------------------------------------------

TEST_F(TexturesTest, ArrayCellsAreCutRowByRowFromTheTopLeft) {
  CreateDevice();
  const std::string name = WriteImage("grid.png", Positions(512, 256));
  LogCapture log;
  std::vector<YSTexture*> cells;
  render->MakeArrayTexture(4, 2, 8, cells, name);
  ASSERT_EQ(cells.size(), 8u);

  const std::vector<std::string> expected = {"Make array texture...", "Create surface, ok",
                                             "Load surface tex\\grid.png, ok"};
  const std::vector<std::string> lines = log.Lines();
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), expected);
  EXPECT_EQ(CountLogged(log, "Create texture: ok, filtering: ok"), 8);

  for (int k = 0; k < 8; ++k) {
    const FakeDeviceTexture* cell = Fake(*cells[static_cast<std::size_t>(k)]);
    ASSERT_NE(cell, nullptr) << k;
    EXPECT_EQ(cell->Width(), 128);
    EXPECT_EQ(cell->Height(), 128);
    EXPECT_EQ(cell->levels.size(), 8u);
    EXPECT_EQ(Texel(cell->levels[0], 0, 0), PositionTexel((k % 4) * 128, (k / 4) * 128)) << k;
    EXPECT_TRUE(cells[static_cast<std::size_t>(k)]->name().empty());
  }
  // Cell 5 covers x 128..256 and y 128..256, texel for texel.
  const platform::Image& five = Fake(*cells[5])->levels[0];
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      ASSERT_EQ(Texel(five, x, y), PositionTexel(128 + x, 128 + y)) << x << "," << y;
  for (YSTexture* cell : cells) delete cell;
}

TEST_F(TexturesTest, ArrayCellsFollowTheTextureScaleByNearestTexel) {
  CreateDevice();
  g_textureScale = 2;
  const std::string name = WriteImage("halfgrid.png", Positions(512, 256));
  std::vector<YSTexture*> cells;
  MakeArrayTexture(4, 2, 6, cells, name);
  ASSERT_EQ(cells.size(), 6u);
  const FakeDeviceTexture* five = Fake(*cells[5]);
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(five->Width(), 64);
  EXPECT_EQ(five->Height(), 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      ASSERT_EQ(Texel(five->levels[0], x, y), PositionTexel(128 + 2 * x, 128 + 2 * y)) << x << "," << y;
  for (YSTexture* cell : cells) delete cell;
}

TEST_F(TexturesTest, DeletingAllCellsDeletesTheSurface) {
  CreateDevice();
  const std::size_t resourcesBefore = YRenderResource::Registered().size();
  const std::string name = WriteImage("shared.png", platform::MakeImage(64, 32));
  std::vector<YSTexture*> cells;
  MakeArrayTexture(2, 1, 2, cells, name);
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(YRenderResource::Registered().size(), resourcesBefore + 3);  // the surface and two cells
  std::weak_ptr<YSurface> surface = cells[0]->Surface();
  EXPECT_EQ(cells[1]->Surface(), surface.lock());
  delete cells[0];
  EXPECT_FALSE(surface.expired());
  delete cells[1];
  EXPECT_TRUE(surface.expired());
  EXPECT_EQ(YRenderResource::Registered().size(), resourcesBefore);
}

TEST_F(TexturesTest, ArraysThatCannotBeCutMakeNoTexturesAndNoLeaks) {
  CreateDevice();
  const std::size_t resourcesBefore = YRenderResource::Registered().size();
  const std::string name = WriteImage("small.png", platform::MakeImage(4, 2));
  std::vector<YSTexture*> cells;
  LogCapture log;
  MakeArrayTexture(0, 1, 1, cells, name);  // no columns
  MakeArrayTexture(1, 2, 3, cells, name);  // cell 2 is beyond the grid
  MakeArrayTexture(8, 1, 1, cells, name);  // cells narrower than a texel
  MakeArrayTexture(2, 2, 0, cells, name);  // no cells: no surface either
  ASSERT_EQ(cells.size(), 5u);
  const bool made[5] = {false, true, true, false, false};
  for (std::size_t i = 0; i < cells.size(); ++i)
    EXPECT_EQ(cells[i]->DeviceTexture() != nullptr, made[i]) << i;
  EXPECT_EQ(CountLogged(log, "Create texture: failed, filtering: failed"), 3);
  EXPECT_EQ(CountLogged(log, "Make array texture..."), 4);
  for (YSTexture* cell : cells) delete cell;
  EXPECT_EQ(YRenderResource::Registered().size(), resourcesBefore);

  LogCapture missingLog;
  std::vector<YSTexture*> none;
  MakeArrayTexture(2, 2, 4, none, "tex\\absent.png");
  ASSERT_EQ(none.size(), 4u);
  EXPECT_TRUE(Logged(missingLog, "Create surface, failed"));
  EXPECT_TRUE(Logged(missingLog, "Load surface tex\\absent.png, failed"));
  EXPECT_EQ(CountLogged(missingLog, "Create texture: ok, filtering: ok"), 0);
  for (YSTexture* cell : none) {
    EXPECT_EQ(cell->DeviceTexture(), nullptr);
    delete cell;
  }
}

TEST_F(TexturesTest, ArrayTexturesFollowTheDeviceWhateverTheListOrder) {
  const std::string name = WriteImage("order.png", Positions(32, 16));
  // Made without a device: nothing loads yet.
  std::vector<YSTexture*> cells;
  MakeArrayTexture(2, 1, 2, cells, name);
  EXPECT_EQ(cells[0]->Surface()->Texels(), nullptr);
  EXPECT_EQ(cells[0]->DeviceTexture(), nullptr);

  CreateDevice();
  EXPECT_NE(cells[0]->Surface()->Texels(), nullptr);
  for (YSTexture* cell : cells) ASSERT_NE(Fake(*cell), nullptr);
  render->ReleaseDevice();
  EXPECT_EQ(cells[0]->Surface()->Texels(), nullptr);
  EXPECT_EQ(cells[1]->DeviceTexture(), nullptr);
  for (YSTexture* cell : cells) delete cell;

  // A cell that comes before its surface in the list loads the surface
  // itself: removing a resource moves the last one into its place.
  auto placeholder = std::make_unique<YSurface>("tex\\placeholder.png");
  auto surface = std::make_shared<YSurface>(name);
  YSTexture first(surface, 2, 1, 1);
  placeholder.reset();
  const auto& list = YRenderResource::Registered();
  ASSERT_LT(std::find(list.begin(), list.end(), &first), std::find(list.begin(), list.end(), surface.get()));
  LogCapture log;
  CreateDevice();
  EXPECT_EQ(CountLogged(log, "Load surface tex\\order.png, ok"), 1);
  ASSERT_NE(Fake(first), nullptr);
  EXPECT_EQ(Texel(Fake(first)->levels[0], 0, 0), PositionTexel(16, 0));
}

}  // namespace
