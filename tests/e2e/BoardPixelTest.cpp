// The board drawn by the board object on the OpenGL device in a real window
// with the shipped shaders, textures and meshes, through the board camera:
// every kind of square, units of every class on both sides, a path arrow.
// Read back: the element colours where their squares are, a wall's shadow
// on the square in front of it, the pieces of the two sides told apart,
// their faces (side 1's mirrored), and a selected unit's reach leaving the
// rest dimmed. The pictures are kept in the build's screenshots folder.
// Skipped without an X display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "board/YTessor.h"
#include "board/YTessorUnitBoss.h"
#include "board/YTessorUnitHero.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "players/YPlayer.h"
#include "render/Shadows.h"
#include "render/YCamera.h"
#include "render/YContainer.h"
#include "render/YMeshInstance.h"
#include "render/YMeshInstanceRef.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "tests/e2e/RenderWindow.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1000, kHeight = 625;

struct Pixel {
  int x, y;
};

Pixel Project(const YVector3& p) {
  const NdcPoint ndc = CameraNdc(p);
  return {static_cast<int>((ndc.x + 1) * 0.5f * kWidth), static_cast<int>((1 - ndc.y) * 0.5f * kHeight)};
}

struct Rgb {
  int r, g, b;
  int Sum() const { return r + g + b; }
};

Rgb At(const platform::Image& frame, Pixel p) {
  const std::uint8_t* t = &frame.bgra[(static_cast<std::size_t>(p.y) * frame.width + p.x) * 4];
  return {t[2], t[1], t[0]};
}

// The board, rows from y = 8 down to y = 0: a air, f fire, e earth, w water,
// m mutex, W wall, p pit, * an air power point.
constexpr const char* kRows[9] = {
    "aaaaaaaaa",  // 8
    "aWWaa*aaa",  // 7
    "aaaaaaapa",  // 6
    "fffmmweee",  // 5
    "fffmmweee",  // 4
    "aaaaaa*aa",  // 3
    "wwwaWaapp",  // 2
    "aaa*aaaaa",  // 1
    "aaaaaaaaa",  // 0
};

std::uint32_t KindOf(char c) {
  switch (c) {
    case 'f':
      return cell_kind::kFire;
    case 'e':
      return cell_kind::kEarth;
    case 'w':
      return cell_kind::kWater;
    case 'm':
      return cell_kind::kMutex;
    case 'W':
      return cell_kind::kWall;
    case 'p':
      return cell_kind::kPit;
    case '*':
      return cell_kind::kAir | cell_kind::kPowerPoint;
    default:
      return cell_kind::kAir;
  }
}

class BoardPixelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    RenderWindow opened;
    opened.Open("Board pixel test", kWidth, kHeight);
    window_ = std::move(opened.window);
    render_ = std::move(opened.render);
    device_ = opened.device;
    if (HasFatalFailure()) return;
    LoadShaders("data\\shaders.yml");
    UpdateShaders(0);
    saved_ = GetCamera().Placement();
    // The board camera, moved right of the board so that the HUD has room.
    GetCamera().SetView(YCamera::LookAtPlacement({2, -15, 34}, {2, -0.15f, 0}, {0, 1, 0}));
    SetUpBoard();
  }

  void TearDown() override {
    tessor_.reset();
    GetCamera().SetView(saved_);
    if (device_) {
      EXPECT_EQ(device_->TakeGLError(), 0u) << "OpenGL reported an error";
    }
    render_.reset();
    window_.reset();
  }

  void SetUpBoard() {
    tessor_ = std::make_unique<YTessor>();
    YTessorBoard& board = tessor_->Board();
    for (int y = 0; y < kBoardSize; ++y)
      for (int x = 0; x < kBoardSize; ++x) board.SetCellType(x, y, KindOf(kRows[8 - y][x]));
    board.clock = 0.4f;  // the mutex squares between fire and earth
    Add<YTessorUnit>(0, 1, 1, "textures\\monsters\\basilisk.tga", 2);
    Add<YTessorUnitBoss>(0, 3, 1, "textures\\monsters\\fire_drake.tga");
    Add<YTessorUnitHero>(0, 6, 0, "textures\\heroes\\emberkin_male.tga");
    Add<YTessorUnit>(1, 2, 8, "textures\\monsters\\djinn.tga");
    Add<YTessorUnitBoss>(1, 5, 7, "textures\\monsters\\efreet.tga");
    Add<YTessorUnitHero>(1, 7, 8, "textures\\heroes\\emberkin_female.tga");
  }

  template <typename Unit>
  YTessorUnit* Add(int side, int x, int y, const char* face, int distance = 3) {
    auto record = std::make_unique<YPlayer>();
    record->face = YContainer<YTextureBase>::Get(face);
    record->way = 1;
    record->distance = distance;
    YTessorUnit* unit = tessor_->Board().AddUnit(std::make_unique<Unit>(std::move(record), side));
    return tessor_->Board().PlaceUnit(unit, x, y);
  }

  platform::Image Frame(const char* shot) {
    render_->BeginFrame(true);
    render_->SetViewport(static_cast<float>(kWidth), static_cast<float>(kHeight));
    GetCamera().Apply();
    ClearShadowVolumes();
    tessor_->DrawBoard();
    tessor_->DrawArrow();
    DrawShadows();
    platform::Image frame;
    EXPECT_TRUE(device_->ReadBackBuffer(frame));
    const fs::path folder(QV_SCREENSHOT_DIR);
    fs::create_directories(folder);
    platform::WritePng(frame, (folder / shot).string());
    render_->EndFrame();
    return frame;
  }

  // A point of square (x, y) in its plain part, off the mark in its middle:
  // (dx, dy) from the centre.
  static YVector3 OnSquare(int x, int y, float dx = 0.33f, float dy = -0.33f) {
    return YVector3(static_cast<float>(x) - 4 + dx, static_cast<float>(y) - 4 + dy, 0);
  }

  testing_support::ScopedCwd cwd_{fs::path(QV_GAME_DIR)};
  std::unique_ptr<platform::Window> window_;
  std::unique_ptr<Render_D3D> render_;
  platform::GLDevice* device_ = nullptr;
  std::unique_ptr<YTessor> tessor_;
  YMatrix4 saved_;
};

TEST_F(BoardPixelTest, SquaresShowTheirElementsWallsCastShadowsAndReachDimsTheRest) {
  ASSERT_TRUE(ShadowsEnabled());
  const platform::Image frame = Frame("BoardPixelTest.png");

  const Rgb air = At(frame, Project(OnSquare(4, 0)));
  EXPECT_GT(air.r, air.b + 60);
  EXPECT_GT(air.g, air.b + 40);
  const Rgb fire = At(frame, Project(OnSquare(1, 4)));
  EXPECT_GT(fire.r, fire.g + 60);
  EXPECT_GT(fire.r, fire.b + 60);
  const Rgb earth = At(frame, Project(OnSquare(7, 4)));
  EXPECT_GT(earth.g, earth.r + 30);
  EXPECT_GT(earth.g, earth.b + 30);
  const Rgb water = At(frame, Project(OnSquare(1, 2)));
  EXPECT_GT(water.b, water.r + 60);
  const Rgb wall = At(frame, Project(YVector3(0, -2, 0.3f)));  // the top of (4, 2)
  EXPECT_LT(std::abs(wall.r - wall.b), 60) << "stone, not an element";

  // The wall on (4, 2) shades the front edge of (4, 1), lit by the light
  // from behind; the same spot of (6, 1) lies in the open.
  const Rgb shaded = At(frame, Project(OnSquare(4, 1, 0.05f, 0.42f)));
  const Rgb open = At(frame, Project(OnSquare(6, 1, 0.05f, 0.42f)));
  EXPECT_LT(shaded.Sum() * 10, open.Sum() * 8) << shaded.Sum() << " vs " << open.Sum();

  // Side 0's light pieces and side 1's dark ones, on their bodies' fronts.
  const auto body = [&](int x, int y) { return At(frame, Project(YVector3(x - 4.0f, y - 4.395f, 0.13f))); };
  EXPECT_GT(body(1, 1).Sum(), body(2, 8).Sum() + 150);

  // Selecting the unit on (1, 1) (two steps) dims what it cannot reach.
  YTessorUnit* unit = tessor_->Board().Cell(1, 1).occupant;
  tessor_->ComputeReach(unit);
  tessor_->selected = unit;
  ASSERT_TRUE(tessor_->BuildPathCurve(unit, 3, 3));
  const platform::Image dimmed = Frame("BoardPixelTestReach.png");
  const Rgb far = At(dimmed, Project(OnSquare(4, 0)));
  EXPECT_NEAR(far.Sum(), air.Sum() * 0.6, air.Sum() * 0.08);
  const Rgb nearBy = At(dimmed, Project(OnSquare(0, 0)));
  const Rgb nearBefore = At(frame, Project(OnSquare(0, 0)));
  EXPECT_NEAR(nearBy.Sum(), nearBefore.Sum(), 12);
}

// A portrait red on its left half and blue on its right: side 0's face
// shows it as it is, side 1's mirrored, on every class of piece.
TEST_F(BoardPixelTest, EachSideShowsItsFaceSide1Mirrored) {
  testing_support::ScopedTempDir dir;
  platform::Image halves = platform::MakeImage(64, 64, 0xFFE02020);
  for (int y = 0; y < 64; ++y)
    for (int x = 32; x < 64; ++x) std::copy_n("\xE0\x20\x20\xFF", 4, &halves.bgra[(y * 64 + x) * 4]);
  ASSERT_TRUE(platform::WritePng(halves, dir.File("halves.png")));
  const std::string face = dir.File("halves.png");
  struct Piece {
    YTessorUnit* unit;
    float faceZ;  // the face's height on the piece
  };
  const Piece pieces[] = {
      {Add<YTessorUnit>(0, 0, 6, face.c_str()), 0.26f},    {Add<YTessorUnit>(1, 2, 6, face.c_str()), 0.26f},
      {Add<YTessorUnitHero>(0, 4, 6, face.c_str()), 0.5f}, {Add<YTessorUnitHero>(1, 0, 4, face.c_str()), 0.5f},
      {Add<YTessorUnitBoss>(0, 3, 4, face.c_str()), 0.3f}, {Add<YTessorUnitBoss>(1, 2, 0, face.c_str()), 0.3f}};
  const platform::Image frame = Frame("BoardPixelTestFaces.png");
  for (const Piece& piece : pieces) {
    const float x = piece.unit->x - 4.0f, y = piece.unit->y - 4.0f;
    const Rgb left = At(frame, Project(YVector3(x - 0.15f, y, piece.faceZ)));
    const Rgb right = At(frame, Project(YVector3(x + 0.15f, y, piece.faceZ)));
    const bool mirrored = piece.unit->side == 1;
    const Rgb& red = mirrored ? right : left;
    const Rgb& blue = mirrored ? left : right;
    EXPECT_GT(red.r, red.b + 80) << "side " << piece.unit->side << " at " << x << ", " << y;
    EXPECT_GT(blue.b, blue.r + 80) << "side " << piece.unit->side << " at " << x << ", " << y;
  }
}

}  // namespace
