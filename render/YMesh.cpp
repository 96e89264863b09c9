#include "render/YMesh.h"

YMesh::~YMesh() {
  YMesh::ReleaseDeviceObjects();
}

void YMesh::CreateDeviceObjects() {
  if (g_render == nullptr) return;
  if (indexBuffer_ != nullptr) g_render->ReleaseIndexBuffer(indexBuffer_);
  indexBuffer_ = g_render->CreateIndexBuffer(indices);
}

void YMesh::ReleaseDeviceObjects() {
  if (g_render != nullptr && indexBuffer_ != nullptr) g_render->ReleaseIndexBuffer(indexBuffer_);
  indexBuffer_ = nullptr;
}

void YMesh::SetScale(float factor) {
  ScalePositions(vertices, positions, factor);
}

void YMesh::WriteCompiled(OutStream& out) const {
  Write(out);
}

bool YMesh::ReadCompiled(InStream& in, std::string& error) {
  if (!Read(in, *this, error)) return false;
  CreateDeviceObjects();
  return true;
}

void YMesh::ComputeFaceNormals() {
  YMeshData::ComputeFaceNormals(vertices, faces);
}

void YMesh::ComputeVertexNormals() {
  YMeshData::ComputeVertexNormals(vertices, faces, normalSets);
}
