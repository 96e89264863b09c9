// The device's texture stages on OpenGL's fixed-function texture units: per
// stage its colour and alpha operations (texture combiners), its texture,
// a sampler object that makes filters and addressing follow the stage
// rather than the texture, and its texture matrix; plus the texture factor
// that every stage reads as its constant colour.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/DeviceTypes.h"
#include "platform/GLObject.h"

namespace platform {

class GLTextureStages {
 public:
  static constexpr std::uint32_t kMaxStages = 8;

  // With the context current and the entry points loaded. Creates the
  // samplers and a 1 x 1 opaque white texture that stages without a texture
  // read, and puts every stage in the device's initial state (stage 0
  // modulates texture and diffuse, the others are disabled).
  GLTextureStages(std::uint32_t units, bool haveModulateAdd, bool haveMirrorOnce,
                  std::weak_ptr<const void> contextToken);

  std::uint32_t Units() const { return units_; }
  // False when the driver gave no sampler or texture names.
  bool Ready() const;

  // A texture stage state (tss::); unknown states and stages are ignored.
  void SetState(std::uint32_t stage, std::uint32_t state, std::uint32_t value);
  // The GL texture name for the stage; 0 binds the white texture.
  void SetTexture(std::uint32_t stage, std::uint32_t glTexture);
  // The GL texture name bound to the stage (the white texture's when none).
  std::uint32_t BoundTexture(std::uint32_t stage) const;
  void SetMatrix(std::uint32_t stage, const Matrix16& matrix);
  // 0xAARRGGBB.
  void SetTextureFactor(std::uint32_t argb);

  // Whether a draw now reads the stage's texture through a mip filter (the
  // stage is on, as PrepareDraw left it, and its mip filter is not none).
  bool SamplesMipLevels(std::uint32_t stage) const {
    return stage < units_ && stages_[stage].enabled && stages_[stage].mipFilter != tfilter::None;
  }

  // Before each draw: turns on the stages before the first disabled one,
  // with their combiners, and turns off the rest.
  void PrepareDraw();

 private:
  struct Stage {
    std::uint32_t colorOp = top::Disable, colorArg1 = targ::Texture, colorArg2 = targ::Current;
    std::uint32_t alphaOp = top::Disable, alphaArg1 = targ::Texture, alphaArg2 = targ::Current;
    std::uint32_t magFilter = tfilter::Point, minFilter = tfilter::Point, mipFilter = tfilter::None;
    std::uint32_t addressU = taddress::Wrap, addressV = taddress::Wrap;
    std::uint32_t transformFlags = 0;
    Matrix16 matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::uint32_t texture = 0;
    GLObject sampler;
    bool combinerDirty = true;
    bool enabled = false;
  };

  bool SetCombinerState(Stage& stage, std::uint32_t state, std::uint32_t value);
  bool SetSamplerState(Stage& stage, std::uint32_t state, std::uint32_t value);
  void ApplyFilters(const Stage& stage) const;
  void ApplyAddressing(const Stage& stage) const;
  void ApplyMatrix(std::uint32_t index) const;
  void ApplyCombiner(Stage& stage) const;
  void Select(std::uint32_t unit) const;

  std::uint32_t units_ = 0;
  bool haveModulateAdd_ = false;
  bool haveMirrorOnce_ = false;
  GLObject white_;
  std::array<Stage, kMaxStages> stages_;
};

}  // namespace platform
