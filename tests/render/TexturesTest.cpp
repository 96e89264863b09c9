// Named textures, the texture container and array textures, loaded through
// the renderer onto a recording device: get-or-create by exact name, sizes
// under the device limit and the texture scale, failures left empty, and
// array cells cut from one surface that goes with its last cell and that
// loads with the device whatever the resource list's order.
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
#include "render/SplashScreens.h"
#include "render/TextureLoading.h"
#include "render/YContainer.h"
#include "render/YSTexture.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
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

int CountLogged(const LogCapture& log, const std::string& line) {
  const std::vector<std::string> lines = log.Lines();
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

// An image whose texels tell where they are: blue and green are the low
// bytes of x and y, red holds their high bits.
std::array<int, 4> PositionTexel(int x, int y) {
  return {x & 0xFF, y & 0xFF, (x >> 8) * 16 + (y >> 8), 255};
}

platform::Image Positions(int width, int height) {
  platform::Image image = platform::MakeImage(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 4; ++c)
        image.bgra[(static_cast<std::size_t>(y) * width + x) * 4 + c] =
            static_cast<std::uint8_t>(PositionTexel(x, y)[c]);
  return image;
}

// A renderer on a fake display, working in a temporary folder that holds
// the image files under "tex/"; the texture scale is put back afterwards.
// Container items outlive each test, so every test uses names of its own.
class TexturesTest : public ::testing::Test {
 protected:
  TexturesTest() : cwd_(dir_.Path()) {
    g_textureScale = 1;
    std::filesystem::create_directory(dir_.Path() / "tex");
    auto owned = std::make_unique<FakeDisplaySystem>();
    display = owned.get();
    display->modes = {{1024, 768, 60, platform::fmt::X8R8G8B8}};
    render = std::make_unique<Render_D3D>(std::move(owned));
    render->EnumerateModes();
  }
  ~TexturesTest() override {
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

  FakeDisplaySystem* display = nullptr;
  std::unique_ptr<Render_D3D> render;

 private:
  std::int32_t savedScale_ = g_textureScale;
  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_;
};

// ---- Named textures ---------------------------------------------------------------------

TEST_F(TexturesTest, GetHandsOutOneItemPerExactName) {
  YTextureBase* first = Textures::Get("tex\\Same.png");
  EXPECT_EQ(Textures::Get("tex\\Same.png"), first);
  EXPECT_NE(Textures::Get("tex\\same.png"), first);
  EXPECT_EQ(Textures::Find("tex\\SAME.png"), nullptr);
  EXPECT_EQ(Textures::Find("tex\\Same.pn"), nullptr);  // a prefix is not the name
}

// Two users of a file (a shader stage and a widget name it alike), its
// first draw, spare-time loading and a second stage decode it once.
TEST_F(TexturesTest, AFileNamedAndDrawnTwiceIsDecodedOnce) {
  const std::string name = WriteImage("shared.png", platform::MakeImage(4, 4));
  render->deferTextureLoads = true;
  CreateDevice();
  const std::uint64_t before = platform::ImageFilesDecoded();
  YTextureBase* fromShader = Textures::Get(name);
  YTextureBase* fromWidget = Textures::Get(name);
  render->BeginFrame(true);
  render->SetStageTexture(fromShader, 0);
  while (LoadNextWaitingTexture()) {
  }
  render->SetStageTexture(fromWidget, 1);
  EXPECT_NE(fromWidget->DeviceTexture(), nullptr);
  EXPECT_EQ(platform::ImageFilesDecoded() - before, 1u);
}

TEST_F(TexturesTest, SidesAreCutToTheDeviceLimitAndDividedByTheScale) {
  FakeGraphicsDevice& device = CreateDevice();
  const std::string huge = WriteImage("huge.png", platform::MakeImage(4096, 4096, 0xFF405060));
  const FakeDeviceTexture* loaded = Fake(*Textures::Get(huge));  // made with a device: loads at once
  ASSERT_EQ(loaded ? loaded->Width() : 0, 2048);
  EXPECT_EQ(Texel(loaded->levels[0], 1000, 7), (std::array<int, 4>{0x60, 0x50, 0x40, 0xFF}));

  // Scales below 1 count as 1.
  WriteImage("scaled.png", platform::MakeImage(256, 128, 0xFFFFFFFF));
  for (const int scale : {0, -3}) {
    EXPECT_NE(LoadDeviceTexture(device, "tex\\scaled.png", 2048, scale), nullptr) << scale;
    EXPECT_EQ(device.calls.back(), "CreateTexture 256x128 9") << scale;
  }
  g_textureScale = 2;
  EXPECT_EQ(Fake(*Textures::Get("tex\\scaled.png"))->levels.size(), 8u);  // 128 x 64

  EXPECT_EQ(ScaledTextureSide(5, 0, 2), 2);     // no limit known
  EXPECT_EQ(ScaledTextureSide(1, 2048, 4), 1);  // never below one texel
  EXPECT_EQ(ScaledTextureSide(3000, 2048, 3), 682);
}

TEST_F(TexturesTest, AMissingOrBrokenFileLeavesTheTextureEmptyWithoutRetry) {
  FakeGraphicsDevice& device = CreateDevice();
  LogCapture log;
  YTextureBase* missing = Textures::Get("tex\\later.png");
  WriteImage("later.png", platform::MakeImage(2, 2));
  EXPECT_EQ(Textures::Get("tex\\later.png"), missing);
  EXPECT_EQ(missing->DeviceTexture(), nullptr);
  missing->SetName("tex\\later.png");  // a new name loads the new file
  EXPECT_NE(missing->DeviceTexture(), nullptr);

  testing_support::WriteFile("tex/broken.png",
                             platform::EncodePng(platform::MakeImage(16, 16))->substr(0, 40));
  EXPECT_EQ(Textures::Get("tex\\broken.png")->DeviceTexture(), nullptr);
  device.creationsSucceed = false;
  WriteImage("refused.png", platform::MakeImage(2, 2));
  EXPECT_EQ(Textures::Get("tex\\refused.png")->DeviceTexture(), nullptr);
  for (const char* name : {"later", "broken", "refused"})
    EXPECT_EQ(CountLogged(log, "Load texture tex\\" + std::string(name) + ".png, failed"), 1) << name;
}

// ---- Array textures ------------------------------------------------------------------------

// With deferred loads a new device loads no named texture until it is
// drawn or loaded in spare time; one released until used stays unloaded,
// even on a new device, keeps its item and loads when drawn again.
TEST_F(TexturesTest, WaitingTexturesLoadWhenDrawnOrInSpareTimeAndReleasedOnesWhenDrawnAgain) {
  const std::string drawn = WriteImage("drawn.png", platform::MakeImage(4, 4));
  const std::string spare = WriteImage("spare.png", platform::MakeImage(4, 4));
  const std::string card = WriteImage("card.png", platform::MakeImage(8, 8));
  YTextureBase* textures[3] = {Textures::Get(drawn), Textures::Get(spare), Textures::Get(card)};
  render->deferTextureLoads = true;
  FakeGraphicsDevice& device = CreateDevice();
  for (YTextureBase* texture : textures) EXPECT_EQ(texture->DeviceTexture(), nullptr);
  EXPECT_EQ(device.Count("CreateTexture"), 0);
  const std::size_t waiting = YTextureBase::WaitingForFirstUse();
  EXPECT_GE(waiting, 3u);

  render->BeginFrame(true);
  render->SetStageTexture(textures[0], 0);
  EXPECT_NE(textures[0]->DeviceTexture(), nullptr);
  EXPECT_EQ(device.calls.back(), "SetTexture 0 tex" + std::to_string(Fake(*textures[0])->id));
  textures[2]->ReleaseUntilUsed();  // not loaded yet: it now waits for a use, not for spare time
  EXPECT_EQ(YTextureBase::WaitingForFirstUse(), waiting - 2);
  while (LoadNextWaitingTexture()) {
  }
  EXPECT_EQ(YTextureBase::WaitingForFirstUse(), 0u);  // spare time stops walking the resources
  render->SetStageTexture(Textures::Get(drawn), 1);   // the same file named again: not decoded again
  EXPECT_NE(textures[1]->DeviceTexture(), nullptr);
  EXPECT_EQ(textures[2]->DeviceTexture(), nullptr);
  EXPECT_EQ(device.Count("CreateTexture"), 2);

  render->deferTextureLoads = false;
  textures[1]->ReleaseUntilUsed();
  render->ReleaseDevice();
  CreateDevice();
  EXPECT_NE(textures[0]->DeviceTexture(), nullptr);
  EXPECT_EQ(textures[1]->DeviceTexture(), nullptr);
  EXPECT_EQ(Textures::Find(spare), textures[1]);
  render->BeginFrame(true);
  render->SetStageTexture(textures[1], 1);
  const FakeDeviceTexture* again = Fake(*textures[1]);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->Width(), 4);
}

// After the splash its cards hold no device texture; drawn again, they load.
TEST_F(TexturesTest, SplashCardsReleasedAfterTheSplashLoadAgainWhenDrawn) {
  const std::string card = WriteImage("splash.png", platform::MakeImage(8, 8));
  GetShader("t_splash_card")->AddStage().texture = Textures::Get(card);
  CreateDevice();
  SplashScreens splash;
  splash.AddScreen("t_splash_card", "t_splash_ground", YColor(0, 0, 0, 1), 800, 600);
  ASSERT_NE(Textures::Get(card)->DeviceTexture(), nullptr);
  splash.ReleaseTextures();
  EXPECT_EQ(Textures::Find(card)->DeviceTexture(), nullptr);
  render->BeginFrame(false);
  EXPECT_TRUE(splash.Draw());
  EXPECT_NE(Textures::Find(card)->DeviceTexture(), nullptr);
}

TEST_F(TexturesTest, ArrayCellsAreCutRowByRowFromTheTopLeft) {
  CreateDevice();
  const std::string name = WriteImage("grid.png", Positions(512, 256));
  LogCapture log;
  std::vector<YSTexture*> cells;
  const std::uint64_t before = platform::ImageFilesDecoded();
  render->MakeArrayTexture(4, 2, 8, cells, name);
  ASSERT_EQ(cells.size(), 8u);
  EXPECT_EQ(platform::ImageFilesDecoded() - before, 1u);
  EXPECT_EQ(CountLogged(log, "Create texture: ok, filtering: ok"), 8);
  EXPECT_EQ(cells[0]->Surface()->Texels(), nullptr) << "the decoded image is not kept";
  for (int k = 0; k < 8; ++k) {
    const FakeDeviceTexture* cell = Fake(*cells[static_cast<std::size_t>(k)]);
    ASSERT_NE(cell, nullptr) << k;
    EXPECT_EQ(cell->levels.size(), 8u);  // 128 x 128 down to 1 x 1
    EXPECT_EQ(Texel(cell->levels[0], 0, 0), PositionTexel((k % 4) * 128, (k / 4) * 128)) << k;
  }
  // Cell 5 covers x 128..256 and y 128..256, texel for texel.
  const platform::Image& five = Fake(*cells[5])->levels[0];
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      ASSERT_EQ(Texel(five, x, y), PositionTexel(128 + x, 128 + y)) << x << "," << y;
  for (YSTexture* cell : cells) delete cell;
}

TEST_F(TexturesTest, DeletingAllCellsDeletesTheSurface) {
  CreateDevice();
  const std::size_t resourcesBefore = YRenderResource::Registered().size();
  std::vector<YSTexture*> cells;
  MakeArrayTexture(2, 1, 2, cells, WriteImage("shared.png", platform::MakeImage(64, 32)));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(YRenderResource::Registered().size(), resourcesBefore + 3);  // the surface and two cells
  std::weak_ptr<YSurface> surface = cells[0]->Surface();
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
  MakeArrayTexture(2, 2, 2, cells, "tex\\absent.png");
  ASSERT_EQ(cells.size(), 7u);
  const bool made[7] = {false, true, true, false, false, false, false};
  for (std::size_t i = 0; i < cells.size(); ++i)
    EXPECT_EQ(cells[i]->DeviceTexture() != nullptr, made[i]) << i;
  EXPECT_EQ(CountLogged(log, "Create texture: failed, filtering: failed"), 3);
  EXPECT_EQ(CountLogged(log, "Load surface tex\\absent.png, failed"), 1);
  for (YSTexture* cell : cells) delete cell;
  EXPECT_EQ(YRenderResource::Registered().size(), resourcesBefore);
}

TEST_F(TexturesTest, ArrayTexturesFollowTheDeviceWhateverTheListOrder) {
  const std::string name = WriteImage("order.png", Positions(32, 16));
  std::vector<YSTexture*> cells;
  MakeArrayTexture(2, 1, 2, cells, name);  // without a device: nothing loads yet
  EXPECT_EQ(cells[0]->Surface()->Texels(), nullptr);
  CreateDevice();
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

// As in the game: cut before the device, loaded when drawn or in spare
// time. No decoded image is held while no cell is cut; the surface is
// decoded once for all cells and dropped after the last; a cell released
// and drawn again decodes it for itself and drops it.
TEST_F(TexturesTest, ArraySurfacesAreDecodedOnlyWhileCellsAreCut) {
  const std::string name = WriteImage("deferred.png", Positions(64, 32));
  std::vector<YSTexture*> cells;
  MakeArrayTexture(2, 1, 2, cells, name);
  render->deferTextureLoads = true;
  CreateDevice();
  const std::shared_ptr<YSurface> surface = cells[0]->Surface();
  EXPECT_EQ(surface->Texels(), nullptr) << "nothing drawn, nothing decoded";
  const std::uint64_t before = platform::ImageFilesDecoded();
  render->BeginFrame(true);
  render->SetStageTexture(cells[1], 0);
  EXPECT_NE(surface->Texels(), nullptr) << "cell 0 still waits";
  while (LoadNextWaitingTexture()) {
  }
  EXPECT_EQ(surface->Texels(), nullptr);
  EXPECT_EQ(platform::ImageFilesDecoded() - before, 1u);
  cells[0]->ReleaseUntilUsed();
  render->SetStageTexture(cells[0], 0);
  EXPECT_EQ(surface->Texels(), nullptr);
  ASSERT_NE(Fake(*cells[0]), nullptr);
  EXPECT_EQ(Texel(Fake(*cells[0])->levels[0], 31, 31), PositionTexel(31, 31));
  EXPECT_EQ(Texel(Fake(*cells[1])->levels[0], 0, 0), PositionTexel(32, 0));
  for (YSTexture* cell : cells) delete cell;
}

}  // namespace
