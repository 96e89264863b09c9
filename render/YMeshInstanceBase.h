// The vertex data of one placement of a mesh: its own copy of the mesh's
// vertices (scaled when made, changed by skinning) kept in a device vertex
// buffer that follows the device, and the shadow silhouette it casts.
// Main thread only.
#pragma once

#include <span>
#include <vector>

#include "framework/YMatrix4.h"
#include "render/YMeshRecords.h"
#include "render/YMeshVertex.h"
#include "render/YRender.h"
#include "render/YRenderResource.h"

class YMesh;

class YMeshInstanceBase : public YRenderResource {
 public:
  // Copies the mesh's vertices, at `scale` x the authored positions when
  // the scale is not 1, and makes the vertex buffer. The mesh must outlive
  // the instance.
  YMeshInstanceBase(YMesh* mesh, float scale);
  // Releases the vertex buffer.
  ~YMeshInstanceBase() override;

  void CreateDeviceObjects() override;
  void ReleaseDeviceObjects() override;

  // Uploads the vertex copy when it changed since the last upload.
  void FlushVertices();
  // Adds the edges where the faces turned towards the light meet the faces
  // turned away from it to the frame's shadow volumes, placed by `world`.
  void AddShadowVolume(const YMatrix4& world);

  YMesh* Mesh() const { return mesh_; }
  VertexBufferHandle VertexBuffer() const { return vertexBuffer_; }
  float Scale() const { return scale_; }
  // The faces whose normals the silhouette uses: the mesh's, unless the
  // instance keeps its own.
  std::span<const YMeshFace> Faces() const;

  std::vector<YMeshVertex> vertices;  // the copy drawn
  bool dirty = false;                 // set by whoever changes the copy

 protected:
  // Faces with normals of the instance's own (skinned instances); empty to
  // use the mesh's.
  std::vector<YMeshFace> ownFaces_;

 private:
  VertexBufferHandle vertexBuffer_ = nullptr;
  YMesh* mesh_;
  float scale_;
};
