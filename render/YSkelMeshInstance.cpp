// YSkelMeshInstance: construction, skinning and key-frame poses. The
// animation channels are in YSkelMeshInstanceChannels.cpp.
#include "render/YSkelMeshInstance.h"

#include "render/YSkelMesh.h"

YSkelMeshInstance::YSkelMeshInstance(YSkelMesh* mesh, float scale, std::uint32_t drawMask)
    : YMeshInstance(mesh, scale, drawMask),
      rotations(mesh->bones.size()),
      channels(mesh->channels.size()),
      mountWorld(mesh->mounts.size()),
      skel_(mesh) {
  ownFaces_ = mesh->faces;
}

void YSkelMeshInstance::UpdateSkin() {
  const std::vector<YSkelBone>& bones = skel_->bones;
  boneWorld_.resize(bones.size());
  skinned_.assign(skel_->positions.size(), YVector3());
  for (std::size_t b = 0; b < bones.size(); ++b) {
    const YSkelBone& bone = bones[b];
    const bool root = bone.parent < 0;
    const YMatrix4 local = rotations[b].ToMatrix(root ? rootPosition : bone.bindTranslation);
    if (root)
      boneWorld_[b] = local;
    else
      boneWorld_[static_cast<std::size_t>(bone.parent)].Multiply(boneWorld_[b], local);
    YMatrix4 skin;
    boneWorld_[b].Multiply(skin, bone.inverseBind);
    for (const YSkelWeight& w : bone.weights) {
      YVector3 moved = skin.TransformPoint(skel_->positions[static_cast<std::size_t>(w.position)].position);
      moved.Scale(moved, w.weight);
      YVector3& sum = skinned_[static_cast<std::size_t>(w.position)];
      sum.Add(sum, moved);
    }
  }
  // The instance's scale applies to the skinned result and to where the mounts sit.
  for (std::size_t m = 0; m < skel_->mounts.size(); ++m) {
    const YSkelMount& mount = skel_->mounts[m];
    boneWorld_[static_cast<std::size_t>(mount.bone)].Multiply(mountWorld[m], mount.offset);
    for (int c = 0; c < 3; ++c) mountWorld[m].m[3][c] *= Scale();
  }
  for (std::size_t p = 0; p < skinned_.size(); ++p) {
    for (const std::int32_t v : skel_->positions[p].vertices) {
      YMeshVertex& vertex = vertices[static_cast<std::size_t>(v)];
      vertex.x = skinned_[p].x * Scale();
      vertex.y = skinned_[p].y * Scale();
      vertex.z = skinned_[p].z * Scale();
    }
  }
  dirty = true;
}

void YSkelMeshInstance::SetPose(int frame, bool withNormals) {
  if (frame < 0 || static_cast<std::size_t>(frame) >= skel_->frames.size()) return;
  const YSkelFrame& key = skel_->frames[static_cast<std::size_t>(frame)];
  rootPosition = key.root;
  rotations = key.rotations;
  UpdateSkin();
  YMeshData::ComputeFaceNormals(vertices, ownFaces_);
  if (withNormals) YMeshData::ComputeVertexNormals(vertices, ownFaces_, skel_->normalSets);
}
