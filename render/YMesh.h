// A static triangle mesh as loaded from a mesh file: its arrays (YMeshData)
// and the device index buffer drawing reads them through, which follows the
// device like every render resource. Meshes are loaded once per name by the
// mesh cache and placed in the world by instances. Main thread only.
#pragma once

#include <string>

#include "framework/InStream.h"
#include "framework/OutStream.h"
#include "render/YMeshData.h"
#include "render/YRender.h"
#include "render/YRenderResource.h"

class YMesh : public YRenderResource, public YMeshData {
 public:
  YMesh() = default;
  // Releases the index buffer.
  ~YMesh() override;

  // When a renderer exists: drops a held index buffer and makes one from
  // the indices (none for an empty mesh).
  void CreateDeviceObjects() override;
  void ReleaseDeviceObjects() override;
  // Every render vertex := its authored position x factor. Absolute: the
  // authored positions stay, so SetScale (2) then SetScale (3) gives x 3.
  virtual void SetScale(float factor);

  // The compiled form (YMeshData::Write).
  void WriteCompiled(OutStream& out) const;
  // Reads the compiled form, all or nothing (the name becomes the stored
  // one), then makes the device objects. False, the mesh unchanged, for a
  // damaged file; `error` says what was wrong.
  bool ReadCompiled(InStream& in, std::string& error);

  // Recomputes the face normals and the vertex normals from the vertices.
  void ComputeFaceNormals();
  void ComputeVertexNormals();

  IndexBufferHandle IndexBuffer() const { return indexBuffer_; }

 private:
  IndexBufferHandle indexBuffer_ = nullptr;
};
