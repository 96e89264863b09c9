// Skeletal meshes: the skeleton file in both its forms, bind pose and
// skinning (identity, one bone, the whole skeleton, the rotation rule's
// orientation), scales, per-instance normals, and the compiled form.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/MemoryInStream.h"
#include "framework/MemoryOutStream.h"
#include "render/YSkelMesh.h"
#include "render/YSkelMeshCache.h"
#include "render/YSkelMeshInstance.h"
#include "render/YSkelMeshLoader.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/MeshTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using mesh_test::BarText;
using mesh_test::PositionOf;
using Result = YMeshLoader::Result;
namespace fs = std::filesystem;

void ExpectNear(const YVector3& actual, const YVector3& expected, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-5f) << what;
  EXPECT_NEAR(actual.z, expected.z, 1e-5f) << what;
}

std::unique_ptr<YSkelMesh> Bar(bool lightmap = false) {
  auto mesh = std::make_unique<YSkelMesh>();
  mesh->name = "bar.ams";
  EXPECT_EQ(YSkelMeshLoader("bar.ams", BarText(lightmap)).ParseSkeletal(*mesh), Result::kClean);
  return mesh;
}

std::string Compiled(const YSkelMesh& mesh) {
  MemoryOutStream out;
  mesh.WriteCompiled(out);
  mesh.WriteSkeleton(out);
  return out.Bytes();
}

TEST(SkelMeshFile, BothFormsOfTheSkeletonLineLoadTheSameSkeleton) {
  for (const bool lightmap : {false, true}) {
    const auto mesh = Bar(lightmap);
    ASSERT_EQ(mesh->bones.size(), 2u) << lightmap;
    EXPECT_EQ(mesh->bones[0].parent, -1);
    EXPECT_EQ(mesh->bones[1].parent, 0);
    EXPECT_EQ(mesh->mounts.size(), 1u);
    ASSERT_EQ(mesh->frames.size(), 3u);
    // Frame numbers 0, 10, 25.
    EXPECT_EQ(mesh->frames[0].duration, 0);
    EXPECT_EQ(mesh->frames[1].duration, 10);
    EXPECT_EQ(mesh->frames[2].duration, 15);
    // Ring 0 listed no influences: bone 0 at full weight; ring 1 is shared.
    EXPECT_EQ(mesh->bones[0].weights.size(), 8u);
    EXPECT_EQ(mesh->bones[1].weights.size(), 8u);
    EXPECT_EQ(mesh->bones[0].weights[0].weight, 1.0f);
    EXPECT_EQ(mesh->bones[0].weights[4].weight, 0.5f);
    EXPECT_TRUE(mesh->animations.empty());
  }
}

TEST(SkelMeshFile, BadSkeletonsAreRejected) {
  const std::string bar = BarText();
  const auto replaced = [&](const std::string& from, const std::string& to, std::string text = "") {
    if (text.empty()) text = bar;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const struct {
    std::string text, reason;
  } cases[] = {
      {replaced("1 0 1 0 0 0 0 0 1", "1 1 1 0 0 0 0 0 1"), "comes before its parent"},
      {replaced("7 1 1 0 0", "7 2 1 0 0"), "mount bone 2"},
      {replaced("1 1 1\n", "1 5 1\n"), "influence bone 5"},
      {replaced("frame 25", "frame 5"), "frame number 5 after 10"},
      {replaced("frames 3", "frames 4"), "expected frame number"},
      {replaced("\n2\n0 -1 0 0 0 0 0 0 1\n1 0 1 0 0 0 0 0 1\n", "\n0\n",
                replaced("mounts 1\n7 1 1 0 0 0 0 0 1\n", "mounts 0\n")),
       "no bones"},
  };
  for (const auto& c : cases) {
    LogCapture log;
    YSkelMesh mesh;
    EXPECT_NE(YSkelMeshLoader("bar.ams", c.text).ParseSkeletal(mesh), Result::kClean) << c.reason;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.bones.empty() && mesh.frames.empty()) << c.reason;
    const auto lines = log.Lines();
    EXPECT_TRUE(!lines.empty() && lines.back().find(c.reason) != std::string::npos) << c.reason;
  }
}

class SkelMeshFileTest : public ::testing::Test {
 protected:
  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_{dir_.Path()};
};

TEST_F(SkelMeshFileTest, TheCompiledFileHoldsTheWholeSkeletonAndIsReadInsteadLater) {
  testing_support::WriteFile("bar.ams", BarText());
  YSkelMesh first, second;
  {
    LogCapture log;
    YSkelMeshLoader::LoadFile(first, "bar.ams");
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"Load skeleton mesh file bar.ams"});
  }
  first.AddAnimationRange(0, 3);
  const std::string bytes = testing_support::ReadFile("bar.mab");
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), '\x1A');
  {
    LogCapture log;
    YSkelMeshLoader::LoadFile(second, "bar.ams");
    EXPECT_TRUE(log.Lines().empty());
  }
  EXPECT_TRUE(second.loaded);
  EXPECT_EQ(Compiled(second), bytes);
  // Animations made in code travel through the compiled form too.
  MemoryInStream in(Compiled(first));
  YSkelMesh third;
  std::string error;
  ASSERT_TRUE(third.ReadCompiled(in, error) && third.ReadSkeleton(in, error)) << error;
  EXPECT_EQ(third.animations, (std::vector<std::vector<std::int32_t>>{{0, 1, 2}}));
  EXPECT_EQ(YSkelMeshCache::Load("bar.ams"), YSkelMeshCache::Load("bar.ams"));
}

TEST_F(SkelMeshFileTest, DamagedCompiledFilesAreRefusedAndTheTextUsedInstead) {
  const std::string good = Compiled(*Bar());
  for (std::size_t length = 0; length + 1 < good.size(); length += 7) {
    MemoryInStream in(good.substr(0, length));
    YSkelMesh mesh;
    std::string error;
    EXPECT_FALSE(mesh.ReadCompiled(in, error) && mesh.ReadSkeleton(in, error)) << length;
  }
  testing_support::WriteFile("bar.ams", BarText());
  testing_support::WriteFile("bar.mab", good.substr(0, good.size() - 40));
  LogCapture log;
  YSkelMesh mesh;
  YSkelMeshLoader::LoadFile(mesh, "bar.ams");
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Compiled mesh bar.mab rejected: bad or truncated skeleton",
                                      "Load skeleton mesh file bar.ams"}));
  EXPECT_EQ(mesh.bones.size(), 2u);
  EXPECT_EQ(testing_support::ReadFile("bar.mab"), good.substr(0, 2) + "bar.ams" + good.substr(9));
}

// ---- Poses -----------------------------------------------------------------------

// A quarter turn about z by the rotation rule: x goes to -y, y to x.
YVector3 QuarterTurn(const YVector3& p) {
  return YVector3(p.y, -p.x, p.z);
}

TEST(SkelMeshPose, TheBindPoseLeavesEveryVertexWhereTheFilePutIt) {
  const auto mesh = Bar();
  YSkelMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.SetPose(0, true);
  for (std::size_t i = 0; i < mesh->vertices.size(); ++i)
    ExpectNear(PositionOf(instance.vertices[i]), PositionOf(mesh->vertices[i]), "bind pose");
  EXPECT_TRUE(instance.dirty);
  instance.SetPose(3, true);  // no such frame: nothing
  instance.SetPose(-1, true);
}

TEST(SkelMeshPose, TurningTheChildBoneTurnsItsRingAboutTheJointAndHalfTheSharedRing) {
  const auto mesh = Bar();
  YSkelMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.SetPose(1, false);
  const YVector3 joint(1, 0, 0);
  for (const YMeshPosition& p : mesh->positions) {
    const YVector3& at = p.position;
    YVector3 expected = at;
    if (at.x > 1.5f) {
      YVector3 local;
      at.Subtract(local, joint);
      QuarterTurn(local).Add(expected, joint);
    } else if (at.x > 0.5f) {
      expected = YVector3(1 + at.y / 2, at.y / 2, at.z);  // half on each bone
    }
    for (const std::int32_t v : p.vertices)
      ExpectNear(PositionOf(instance.vertices[static_cast<std::size_t>(v)]), expected, "frame 1");
  }
  // The mount on bone 1, one unit along its x, turned with it.
  ExpectNear(instance.mountWorld[0].TransformPoint(YVector3()), YVector3(1, -1, 0), "mount");
}

TEST(SkelMeshPose, TurningTheRootCarriesTheWholeSkeletonWithTheRootPosition) {
  const auto mesh = Bar();
  YSkelMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.SetPose(2, true);
  for (const YMeshPosition& p : mesh->positions) {
    YVector3 expected = QuarterTurn(p.position);
    expected.z += 1;
    for (const std::int32_t v : p.vertices)
      ExpectNear(PositionOf(instance.vertices[static_cast<std::size_t>(v)]), expected, "frame 2");
  }
}

// Each instance keeps its scale through skinning and its own face normals.
TEST(SkelMeshPose, InstancesKeepTheirScaleAndTheirOwnNormals) {
  const auto mesh = Bar();
  const std::vector<YMeshFace> authored = mesh->faces;
  YSkelMeshInstance big(mesh.get(), 2.0f, 1), plain(mesh.get(), 1.0f, 1);
  big.SetPose(2, true);
  for (std::size_t i = 0; i < mesh->vertices.size(); ++i) {
    YVector3 expected = QuarterTurn(PositionOf(mesh->vertices[i]));
    expected.z += 1;
    expected.Scale(expected, 2);
    ExpectNear(PositionOf(big.vertices[i]), expected, "scaled");
  }
  for (std::size_t f = 0; f < authored.size(); ++f) {
    ExpectNear(mesh->faces[f].normal, authored[f].normal, "mesh normals");
    ExpectNear(plain.Faces()[f].normal, authored[f].normal, "other instance");
    ExpectNear(big.Faces()[f].normal, QuarterTurn(authored[f].normal), "posed instance");
  }
  EXPECT_NEAR(big.vertices[0].nx * big.vertices[0].nx + big.vertices[0].ny * big.vertices[0].ny +
                  big.vertices[0].nz * big.vertices[0].nz,
              1.0f, 1e-5f);
}

// A skeletal mesh's own scale accumulates and carries the skeleton along.
TEST(SkelMeshPose, TheMeshScaleIsCumulativeAndScalesTheSkeleton) {
  const auto mesh = Bar();
  mesh->SetScale(2);
  mesh->SetScale(2);
  EXPECT_EQ(mesh->positions[8].position.x, 8.0f);
  EXPECT_EQ(mesh->bones[1].bindTranslation.x, 4.0f);
  EXPECT_EQ(mesh->mounts[0].offset.m[3][0], 4.0f);
  EXPECT_EQ(mesh->frames[2].root.z, 4.0f);
  YSkelMeshInstance instance(mesh.get(), 1.0f, 1);
  instance.SetPose(1, false);
  ExpectNear(PositionOf(instance.vertices[static_cast<std::size_t>(mesh->positions[8].vertices[0])]),
             YVector3(4 - 0.4f, -4, -0.4f), "scaled child ring");
}

}  // namespace
