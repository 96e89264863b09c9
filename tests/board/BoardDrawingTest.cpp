// Drawing the board against a recording renderer: the cell quad normal and
// mirrored, which side faces walls show, the mutex blend, the power points
// under units, the dimming of unreached cells and the face each unit is
// drawn with.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/BoardShaderNames.h"
#include "board/YTessor.h"
#include "board/YTessorPlayerUI.h"
#include "render/YCamera.h"
#include "render/YContainer.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
#include "render/YTextureBase.h"
#include "tests/board/BoardFixture.h"
#include "tests/render/RecordingRender.h"

namespace {

// Keeps every lit quad with the shader and material it was drawn with, and
// the face texture in place at each mesh part drawn with a face shader.
class QuadRecorder : public RecordingRender {
 public:
  struct Quad {
    std::array<YMeshVertex, 4> v;
    YShader* shader;
    YMaterial material;
    std::size_t call;  // index into calls
  };
  void DrawQuad40(const YMeshVertex* q) override {
    RecordingRender::DrawQuad40(q);
    quads.push_back({{q[0], q[1], q[2], q[3]}, currentShader, materialCache, calls.size() - 1});
  }
  void DrawIndexedSubset(VertexBufferHandle v, IndexBufferHandle i, const YMeshSubset& s) override {
    RecordingRender::DrawIndexedSubset(v, i, s);
    if (currentShader != nullptr && currentShader->name.find("face") != std::string::npos)
      faces.push_back(currentShader->stages.empty() ? nullptr : currentShader->stages[0]->texture);
  }
  std::vector<const Quad*> With(const char* shader) const {
    std::vector<const Quad*> found;
    for (const Quad& q : quads)
      if (q.shader == GetShader(shader)) found.push_back(&q);
    return found;
  }
  std::vector<Quad> quads;
  std::vector<YTextureBase*> faces;
};

class BoardDrawingTest : public BoardTest {
 protected:
  BoardDrawingTest() {
    saved_ = GetCamera().Placement();
    GetCamera().SetView(YCamera::LookAtPlacement({0, -15, 34}, {0, -0.15f, 0}, {0, 1, 0}));
    for (std::size_t k = 0; k < 4; ++k) {
      YMaterial& m = GetShader(board_shaders::kElements[k])->material;
      m = YShader::DefaultMaterial();
      m.diffuse = YColor(0.1f * static_cast<float>(k + 1), 0.5f, 1, 1);
      m.ambient = YColor(0.2f, 0.04f * static_cast<float>(k + 1), 0.4f, 1);
    }
  }
  ~BoardDrawingTest() override { GetCamera().SetView(saved_); }

  void Draw() {
    render.quads.clear();
    render.ClearCalls();
    tessor.DrawBoard();
  }

  QuadRecorder render;
  YTessor tessor;
  YMatrix4 saved_;
};

void ExpectCorner(const YMeshVertex& v, float x, float y, float u, float w, float lu, float lv) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, 0);
  EXPECT_FLOAT_EQ(v.nz, 1);
  EXPECT_FLOAT_EQ(v.u, u);
  EXPECT_FLOAT_EQ(v.v, w);
  EXPECT_FLOAT_EQ(v.lu, lu);
  EXPECT_FLOAT_EQ(v.lv, lv);
}

TEST_F(BoardDrawingTest, CellQuadCoversItsSquareAndMirrorsWithTheViewFlipKeepingBoardTexture) {
  const float s = 1.0f / 9;
  tessor.CellToWorld(0, 0, false);
  const auto& q = tessor.CellQuad();
  ExpectCorner(q[0], -4.5f, -4.5f, 0, 0, 0, 1);
  ExpectCorner(q[1], -3.5f, -4.5f, s, 0, 1, 1);
  ExpectCorner(q[2], -3.5f, -3.5f, s, s, 1, 0);
  ExpectCorner(q[3], -4.5f, -3.5f, 0, s, 0, 0);
  tessor.CellToWorld(0, 0, true);
  ExpectCorner(q[0], 4.5f, 4.5f, 0, 0, 0, 1);
  ExpectCorner(q[1], 3.5f, 4.5f, s, 0, 1, 1);
  ExpectCorner(q[2], 3.5f, 3.5f, s, s, 1, 0);
  ExpectCorner(q[3], 4.5f, 3.5f, 0, s, 0, 0);
  tessor.CellToWorld(8, 3, false);
  EXPECT_FLOAT_EQ(q[2].x, 4.5f);
  EXPECT_FLOAT_EQ(q[2].u, 1);
}

// Upright faces in the x = c or y = c plane.
std::size_t FacesOnPlane(const std::vector<const QuadRecorder::Quad*>& quads, bool alongX, float c) {
  return static_cast<std::size_t>(std::count_if(quads.begin(), quads.end(), [&](const QuadRecorder::Quad* q) {
    return std::all_of(q->v.begin(), q->v.end(), [&](const YMeshVertex& v) {
      return std::abs((alongX ? v.x : v.y) - c) < 1e-5f && v.z >= 0;
    });
  }));
}

TEST_F(BoardDrawingTest, WallsShowNoFaceBetweenThemAndTheirOuterFacesTowardsTheCamera) {
  YTessorBoard& board = tessor.Board();
  for (const auto& [x, y] : {std::pair{4, 4}, {5, 4}, {4, 0}}) board.SetCellType(x, y, cell_kind::kWall);
  for (const bool flip : {false, true}) {
    SCOPED_TRACE(flip);
    board.viewFlip = flip;
    Draw();
    const float m = flip ? -1.0f : 1.0f;
    const auto sides = render.With(board_shaders::kPit);
    EXPECT_EQ(sides.size(), 3u);
    EXPECT_EQ(FacesOnPlane(sides, true, 0.5f * m), 0u);                // none between (4, 4) and (5, 4)
    EXPECT_EQ(FacesOnPlane(sides, false, -0.5f), 2u);                  // the pair's faces towards the camera
    EXPECT_EQ(FacesOnPlane(sides, false, -4.5f * m), flip ? 0u : 1u);  // (4, 0): its outer face, near...
    EXPECT_EQ(FacesOnPlane(sides, false, -3.5f * m), flip ? 1u : 0u);  // ...or its inner one, far
    EXPECT_EQ(render.With(board_shaders::kWall).size(), 3u);
    for (const auto* top : render.With(board_shaders::kWall)) EXPECT_FLOAT_EQ(top->v[0].z, 0.3f);
  }
}

TEST_F(BoardDrawingTest, MutexCellsBlendTheMaterialsOfTwoElementsByTheClock) {
  tessor.Board().SetCellType(3, 3, cell_kind::kMutex);
  tessor.Board().clock = 0.5625f;  // phase 2.25: earth to water, a quarter of the way
  Draw();
  const auto earth = render.With("ar_earth");
  ASSERT_EQ(earth.size(), 1u);
  EXPECT_FLOAT_EQ(earth[0]->v[0].x, -1.5f);
  const YMaterial& m = earth[0]->material;
  EXPECT_NEAR(m.diffuse.r, 0.75f * 0.3f + 0.25f * 0.4f, 1e-6);
  EXPECT_NEAR(m.ambient.g, 0.75f * 0.12f + 0.25f * 0.16f, 1e-6);
  EXPECT_FLOAT_EQ(m.diffuse.b, 1);
  EXPECT_EQ(render.With("ar_air").size(), 80u);
}

TEST_F(BoardDrawingTest, PowerPointsUnderUnitsShowFaintlyAfterTheUnitsOthersBeforeThem) {
  YTessorBoard& board = tessor.Board();
  board.SetCellType(2, 2, cell_kind::kAir | cell_kind::kPowerPoint);
  board.SetCellType(6, 6, cell_kind::kFire | cell_kind::kPowerPoint);
  AddUnit(board, 0, 2, 2);
  AddUnit(board, 1, 7, 7);
  Draw();
  const auto points = render.With(board_shaders::kPowerPoint);
  ASSERT_EQ(points.size(), 2u);
  const auto subsets = render.CallsMatching("DrawIndexedSubset");
  ASSERT_FALSE(subsets.empty());
  const auto callIndex = [&](const RecordingRender::Call* c) {
    return static_cast<std::size_t>(c - render.calls.data());
  };
  EXPECT_LT(points[0]->call, callIndex(subsets.front()));
  EXPECT_FLOAT_EQ(points[0]->v[0].x, 1.5f);  // the free one, (6, 6), at full strength
  EXPECT_FLOAT_EQ(points[0]->material.diffuse.a, 1);
  EXPECT_GT(points[1]->call, callIndex(subsets.back()));
  EXPECT_FLOAT_EQ(points[1]->v[0].x, -2.5f);  // the one under the unit
  EXPECT_FLOAT_EQ(points[1]->material.diffuse.a, 0.33f);
  EXPECT_FLOAT_EQ(points[1]->material.emissive.r, 1);
  EXPECT_FLOAT_EQ(points[1]->v[0].lu, 0);  // the marker covers the cell
  EXPECT_FLOAT_EQ(points[1]->v[2].u, 1);
}

TEST_F(BoardDrawingTest, CellsTheSelectedUnitCannotReachAreDimmed) {
  YTessorBoard& board = tessor.Board();
  YTessorUnit* unit = AddUnit(board, 0, 0, 0, UnitSpec{.distance = 1});
  tessor.ComputeReach(unit);
  const auto cellMaterial = [&](float x, float y) {
    for (const auto& q : render.quads)
      if (q.shader == GetShader("ar_air") && q.v[0].x == x && q.v[0].y == y) return q.material;
    ADD_FAILURE() << "no quad at " << x << ", " << y;
    return YMaterial{};
  };
  tessor.selected = unit;
  Draw();
  EXPECT_FLOAT_EQ(cellMaterial(-3.5f, -4.5f).diffuse.r, 0.1f);  // (1, 0): reached
  const YMaterial far = cellMaterial(3.5f, 3.5f);
  EXPECT_FLOAT_EQ(far.diffuse.r, 0.06f);
  EXPECT_FLOAT_EQ(far.ambient.b, 0.24f);
  EXPECT_FLOAT_EQ(far.diffuse.a, 1);
  tessor.stateFlags = board_state::kWalking;  // no dimming while a unit walks
  Draw();
  EXPECT_FLOAT_EQ(cellMaterial(3.5f, 3.5f).diffuse.r, 0.1f);
  tessor.stateFlags = 0;
  tessor.selected = nullptr;  // hovering a unit of the user's side to move dims too
  tessor.SetCommander(0, std::make_unique<YTessorPlayerUI>(0));
  tessor.cursorX = tessor.cursorY = 0;
  Draw();
  EXPECT_FLOAT_EQ(cellMaterial(3.5f, 3.5f).diffuse.r, 0.06f);
  tessor.SetCommander(0, nullptr);
}

TEST_F(BoardDrawingTest, EachUnitIsDrawnWithItsOwnFaceInItsSidesFaceShader) {
  YTessorBoard& board = tessor.Board();
  for (const char* name : {"piece_face", "piece_face_flip"})
    if (GetShader(name)->stages.empty()) GetShader(name)->AddStage();  // as the shader file gives them
  YTextureBase* faces[2] = {YContainer<YTextureBase>::Get("one.tga"),
                            YContainer<YTextureBase>::Get("two.tga")};
  AddUnit(board, 0, 1, 1)->record->face = faces[0];
  AddUnit(board, 1, 7, 7)->record->face = faces[1];
  AddUnit(board, 0, 3, 1)->record->face = faces[1];
  Draw();
  EXPECT_EQ(render.faces, (std::vector<YTextureBase*>{faces[0], faces[1], faces[1]}));
  const auto subsets = render.CallsMatching("DrawIndexedSubset");
  ASSERT_EQ(subsets.size(), 6u);
  EXPECT_EQ(subsets[1]->object, GetShader("piece_face"));
  EXPECT_EQ(subsets[4]->object, GetShader("piece2"));  // side 1 after side 0
  EXPECT_EQ(subsets[5]->object, GetShader("piece_face_flip"));
}

TEST_F(BoardDrawingTest, BlurCopiesUseTheSidesBlurShadersInTheGivenColourWithTheFace) {
  GetShader("pieceBlur_face_flip")->AddStage();
  YTextureBase* face = YContainer<YTextureBase>::Get("three.tga");
  YTessorUnit* unit = AddUnit(tessor.Board(), 1, 4, 4);
  unit->record->face = face;
  YMatrix4 place;
  place.SetTranslation(YVector3(1, 2, 0));
  render.ClearCalls();
  tessor.DrawUnitBlur(unit, place, YColor(1, 0.6f, 0.2f, 0.15f));
  const auto subsets = render.CallsMatching("DrawIndexedSubset");
  ASSERT_EQ(subsets.size(), 2u);
  EXPECT_EQ(subsets[0]->object, GetShader("pieceBlur2"));
  EXPECT_EQ(subsets[1]->object, GetShader("pieceBlur_face_flip"));
  EXPECT_EQ(render.faces, std::vector<YTextureBase*>{face});
  EXPECT_FLOAT_EQ(render.materialCache.emissive.g, 0.6f);
  EXPECT_FLOAT_EQ(render.materialCache.diffuse.a, 0.15f);
  EXPECT_FLOAT_EQ(render.CallsMatching("SetWorldTransform").back()->floats[13], 2);
}

}  // namespace
