// The compiled mesh file: its layout byte for byte against a golden file,
// the round trip through it, and its reader refusing every truncated or
// damaged file without harm.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/MemoryInStream.h"
#include "framework/MemoryOutStream.h"
#include "platform/Random.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"
#include "tests/render/MeshTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(QV_SOURCE_DIR) / "tests/render/data";

std::string Compiled(const YMeshData& mesh) {
  MemoryOutStream out;
  mesh.Write(out);
  return out.Bytes();
}

YMeshData Parsed(const std::string& text) {
  YMesh mesh;
  mesh.name = "m.mes";
  EXPECT_EQ(YMeshLoader("m.mes", text).Parse(mesh), YMeshLoader::Result::kClean);
  return mesh;
}

// The tetrahedron's file holds every section (two materials, smoothing
// groups, a light-map part); its compiled form was checked field by field.
TEST(CompiledMesh, TheCompiledFileMatchesTheGoldenFileByteForByte) {
  testing_support::ScopedTempDir dir;
  testing_support::ScopedCwd cwd(dir.Path());
  fs::copy_file(kData / "tetra.mes", "tetra.mes");
  YMesh mesh;
  YMeshLoader::LoadFile(mesh, "tetra.mes");
  const std::string golden = testing_support::ReadFile(kData / "tetra.meb");
  ASSERT_EQ(golden.size(), 1031u);
  EXPECT_EQ(testing_support::ReadFile("tetra.meb"), golden);
  EXPECT_EQ(Compiled(mesh), golden);
}

TEST(CompiledMesh, ReadingAndWritingAgainGivesTheSameBytes) {
  const std::string texts[] = {mesh_test::CubeText(0), mesh_test::CubeText(1),
                               mesh_test::TrianglesText({3, 1, 3, 2}), mesh_test::BarText(true),
                               testing_support::ReadFile(kData / "tetra.mes")};
  for (const std::string& text : texts) {
    const std::string bytes = Compiled(Parsed(text));
    for (const bool sized : {true, false}) {
      MemoryInStream in(bytes, sized);
      YMeshData read;
      std::string error;
      ASSERT_TRUE(YMeshData::Read(in, read, error)) << error;
      EXPECT_EQ(Compiled(read), bytes);
    }
  }
}

// Every prefix of a good file is refused and leaves the mesh as it was.
TEST(CompiledMesh, EveryTruncationIsRefused) {
  const std::string bytes = testing_support::ReadFile(kData / "tetra.meb");
  YMeshData mesh = Parsed(mesh_test::CubeText(0));
  const std::string before = Compiled(mesh);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    MemoryInStream in(bytes.substr(0, length));
    std::string error;
    EXPECT_FALSE(YMeshData::Read(in, mesh, error)) << length;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(Compiled(mesh), before);
}

// Writes a 32-bit value over the bytes at `offset`.
std::string Patched(std::string bytes, std::size_t offset, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  return bytes;
}

// Offsets in the golden tetrahedron: its name takes 11 bytes, the vertices
// 4 + 400, the faces 4 + 96; the normal sets start at 515, the positions at
// 687, the edges at 859, the indices at 959, the subsets at 987.
TEST(CompiledMesh, CountsAndIndicesOutsideTheirArraysAreRefused) {
  const std::string bytes = testing_support::ReadFile(kData / "tetra.meb");
  const struct {
    std::size_t offset;
    std::int32_t value;
    const char* error;
  } cases[] = {
      {11, 0x7FFFFFFF, "bad or truncated vertices"},
      {11, -1, "bad or truncated vertices"},
      {415, 100000, "bad or truncated faces"},
      {419, 10, "face 0: vertex 10 of 10"},
      {515, 0x40000000, "bad or truncated normal sets"},
      {519, 66, "bad or truncated normal sets"},  // more faces than a normal set holds
      {523, 4, "normal set faces of record 0: index 4 of 4"},
      {703, 21, "bad or truncated positions"},  // more vertices than a position holds
      {711, -3, "position vertices of record 0: index -3 of 10"},
      {863, 10, "edge 0: vertices 10, 1, faces 0, 2"},
      {875, 4, "edge 0: vertices 0, 1, faces 0, 4"},
      {991, 10, "subset 0: indices 10 + 3 x 2, vertices 0 + 6"},
      {1023, 7, "subset 1: indices 6 + 3 x 2, vertices 7 + 10"},
      {963, 0x000A0000, "index 1: vertex 10 of 10"},
  };
  for (const auto& c : cases) {
    MemoryInStream in(Patched(bytes, c.offset, c.value));
    YMeshData mesh;
    std::string error;
    EXPECT_FALSE(YMeshData::Read(in, mesh, error)) << c.offset;
    EXPECT_EQ(error, c.error) << c.offset;
  }
}

// Random damage never harms the reader: a damaged file is refused, or what
// it gives has every index inside its array.
TEST(CompiledMesh, RandomlyDamagedFilesAreRefusedOrSound) {
  const std::string bytes = testing_support::ReadFile(kData / "tetra.meb");
  platform::SeedRandom(7);
  int refused = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string damaged = bytes;
    const int flips = 1 + platform::Random() % 4;
    for (int i = 0; i < flips; ++i)
      damaged[static_cast<std::size_t>(platform::Random()) % damaged.size()] ^=
          static_cast<char>(1 << (platform::Random() % 8));
    MemoryInStream in(damaged);
    YMeshData mesh;
    std::string error;
    if (!YMeshData::Read(in, mesh, error)) {
      ++refused;
      continue;
    }
    EXPECT_EQ(mesh.CheckIndices(), "");
  }
  EXPECT_GT(refused, 100);
}

}  // namespace
