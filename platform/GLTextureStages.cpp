#include "platform/GLTextureStages.h"

#include <algorithm>

#include "platform/GLFunctions.h"
#include "platform/GLMatrices.h"
#include "platform/GLStageCombiner.h"

namespace platform {

namespace {

GLenum MagFilterOf(std::uint32_t mag) {
  return mag == tfilter::None || mag == tfilter::Point ? GL_NEAREST : GL_LINEAR;
}

// Anisotropic and cubic filters need settings the device does not take;
// they filter linearly.
GLenum MinFilterOf(std::uint32_t min, std::uint32_t mip) {
  const bool linear = min != tfilter::None && min != tfilter::Point;
  if (mip == tfilter::None) return linear ? GL_LINEAR : GL_NEAREST;
  if (mip == tfilter::Point) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

GLenum WrapOf(std::uint32_t address, bool haveMirrorOnce) {
  switch (address) {
    case taddress::Mirror:
      return GL_MIRRORED_REPEAT;
    case taddress::Clamp:
      return GL_CLAMP_TO_EDGE;
    case taddress::Border:
      return GL_CLAMP_TO_BORDER;  // the border colour stays transparent black
    case taddress::MirrorOnce:
      return haveMirrorOnce ? GL_MIRROR_CLAMP_TO_EDGE : GL_MIRRORED_REPEAT;
    default:
      return GL_REPEAT;
  }
}

GLenum FuncOf(CombineFunc func) {
  switch (func) {
    case CombineFunc::Replace:
      return GL_REPLACE;
    case CombineFunc::Modulate:
      return GL_MODULATE;
    case CombineFunc::Add:
      return GL_ADD;
    case CombineFunc::AddSigned:
      return GL_ADD_SIGNED;
    case CombineFunc::Subtract:
      return GL_SUBTRACT;
    case CombineFunc::Interpolate:
      return GL_INTERPOLATE;
    case CombineFunc::ModulateAdd:
      return GL_MODULATE_ADD_ATI;
    case CombineFunc::Dot3:
      return GL_DOT3_RGBA;
  }
  return GL_REPLACE;
}

GLenum SourceOf(CombineSource source) {
  switch (source) {
    case CombineSource::Previous:
      return GL_PREVIOUS;
    case CombineSource::Primary:
      return GL_PRIMARY_COLOR;
    case CombineSource::Texture:
      return GL_TEXTURE;
    case CombineSource::Constant:
      return GL_CONSTANT;
  }
  return GL_PREVIOUS;
}

GLenum OperandOf(CombineOperand operand) {
  switch (operand) {
    case CombineOperand::Color:
      return GL_SRC_COLOR;
    case CombineOperand::InvColor:
      return GL_ONE_MINUS_SRC_COLOR;
    case CombineOperand::Alpha:
      return GL_SRC_ALPHA;
    case CombineOperand::InvAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
  }
  return GL_SRC_COLOR;
}

// Loads one channel's combine into the active unit's environment.
void LoadCombine(const CombineSetup& setup, bool alpha) {
  constexpr GLenum kSources[2][3] = {{GL_SRC0_RGB, GL_SRC1_RGB, GL_SRC2_RGB},
                                     {GL_SRC0_ALPHA, GL_SRC1_ALPHA, GL_SRC2_ALPHA}};
  constexpr GLenum kOperands[2][3] = {{GL_OPERAND0_RGB, GL_OPERAND1_RGB, GL_OPERAND2_RGB},
                                      {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA, GL_OPERAND2_ALPHA}};
  const int channel = alpha ? 1 : 0;
  glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB,
            static_cast<GLint>(FuncOf(setup.func)));
  for (int i = 0; i < 3; ++i) {
    glTexEnvi(GL_TEXTURE_ENV, kSources[channel][i], static_cast<GLint>(SourceOf(setup.in[i].source)));
    glTexEnvi(GL_TEXTURE_ENV, kOperands[channel][i], static_cast<GLint>(OperandOf(setup.in[i].operand)));
  }
  glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, static_cast<GLfloat>(setup.scale));
}

GLObject MakeWhiteTexture(const std::weak_ptr<const void>& token) {
  GLObject texture = GLObject::Generate(GLObject::Kind::Texture, token);
  if (!texture) return texture;
  const std::uint8_t white[4] = {255, 255, 255, 255};
  glBindTexture(GL_TEXTURE_2D, texture.Name());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, white);
  return texture;
}

}  // namespace

GLTextureStages::GLTextureStages(std::uint32_t units, bool haveModulateAdd, bool haveMirrorOnce,
                                 std::weak_ptr<const void> contextToken)
    : units_(std::min(units, kMaxStages)),
      haveModulateAdd_(haveModulateAdd),
      haveMirrorOnce_(haveMirrorOnce) {
  white_ = MakeWhiteTexture(contextToken);
  stages_[0].colorOp = top::Modulate;
  stages_[0].alphaOp = top::SelectArg1;
  for (std::uint32_t i = 0; i < units_; ++i) {
    Stage& stage = stages_[i];
    stage.sampler = GLObject::Generate(GLObject::Kind::Sampler, contextToken);
    GL().BindSampler(i, stage.sampler.Name());
    ApplyFilters(stage);
    ApplyAddressing(stage);
    SetTexture(i, 0);
    ApplyMatrix(i);
    Select(i);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  }
  SetTextureFactor(0xFFFFFFFF);
  PrepareDraw();
}

bool GLTextureStages::Ready() const {
  if (!white_) return false;
  return std::all_of(stages_.begin(), stages_.begin() + units_,
                     [](const Stage& s) { return bool(s.sampler); });
}

void GLTextureStages::SetState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) {
  if (stage >= units_) return;
  Stage& s = stages_[stage];
  if (SetCombinerState(s, state, value) || SetSamplerState(s, state, value)) return;
  if (state == tss::TextureTransformFlags) {
    s.transformFlags = value;
    ApplyMatrix(stage);
  }
}

bool GLTextureStages::SetCombinerState(Stage& stage, std::uint32_t state, std::uint32_t value) {
  std::uint32_t* field = nullptr;
  switch (state) {
    case tss::ColorOp:
      field = &stage.colorOp;
      break;
    case tss::ColorArg1:
      field = &stage.colorArg1;
      break;
    case tss::ColorArg2:
      field = &stage.colorArg2;
      break;
    case tss::AlphaOp:
      field = &stage.alphaOp;
      break;
    case tss::AlphaArg1:
      field = &stage.alphaArg1;
      break;
    case tss::AlphaArg2:
      field = &stage.alphaArg2;
      break;
    default:
      return false;
  }
  if (*field != value) stage.combinerDirty = true;
  *field = value;
  return true;
}

bool GLTextureStages::SetSamplerState(Stage& stage, std::uint32_t state, std::uint32_t value) {
  switch (state) {
    case tss::MagFilter:
      stage.magFilter = value;
      break;
    case tss::MinFilter:
      stage.minFilter = value;
      break;
    case tss::MipFilter:
      stage.mipFilter = value;
      break;
    case tss::AddressU:
      stage.addressU = value;
      break;
    case tss::AddressV:
      stage.addressV = value;
      break;
    default:
      return false;
  }
  if (state == tss::AddressU || state == tss::AddressV)
    ApplyAddressing(stage);
  else
    ApplyFilters(stage);
  return true;
}

void GLTextureStages::ApplyFilters(const Stage& stage) const {
  const GLuint sampler = stage.sampler.Name();
  if (sampler == 0) return;
  GL().SamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(MagFilterOf(stage.magFilter)));
  GL().SamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER,
                         static_cast<GLint>(MinFilterOf(stage.minFilter, stage.mipFilter)));
}

void GLTextureStages::ApplyAddressing(const Stage& stage) const {
  const GLuint sampler = stage.sampler.Name();
  if (sampler == 0) return;
  GL().SamplerParameteri(sampler, GL_TEXTURE_WRAP_S,
                         static_cast<GLint>(WrapOf(stage.addressU, haveMirrorOnce_)));
  GL().SamplerParameteri(sampler, GL_TEXTURE_WRAP_T,
                         static_cast<GLint>(WrapOf(stage.addressV, haveMirrorOnce_)));
}

void GLTextureStages::SetTexture(std::uint32_t stage, std::uint32_t glTexture) {
  if (stage >= units_) return;
  stages_[stage].texture = glTexture != 0 ? glTexture : white_.Name();
  Select(stage);
  glBindTexture(GL_TEXTURE_2D, stages_[stage].texture);
}

std::uint32_t GLTextureStages::BoundTexture(std::uint32_t stage) const {
  return stage < units_ ? stages_[stage].texture : 0;
}

void GLTextureStages::SetMatrix(std::uint32_t stage, const Matrix16& matrix) {
  if (stage >= units_) return;
  stages_[stage].matrix = matrix;
  ApplyMatrix(stage);
}

// The matrix counts only while the stage's transform flags ask for
// transformed coordinates; any count is taken as two coordinates, the only
// kind the vertex formats carry.
void GLTextureStages::ApplyMatrix(std::uint32_t index) const {
  const Stage& stage = stages_[index];
  Select(index);
  glMatrixMode(GL_TEXTURE);
  if ((stage.transformFlags & 0xFF) == 0)
    glLoadIdentity();
  else
    glLoadMatrixf(TextureMatrixForGL(stage.matrix).data());
  glMatrixMode(GL_MODELVIEW);
}

void GLTextureStages::SetTextureFactor(std::uint32_t argb) {
  const GLfloat colour[4] = {
      static_cast<GLfloat>((argb >> 16) & 0xFF) / 255.0f, static_cast<GLfloat>((argb >> 8) & 0xFF) / 255.0f,
      static_cast<GLfloat>(argb & 0xFF) / 255.0f, static_cast<GLfloat>((argb >> 24) & 0xFF) / 255.0f};
  for (std::uint32_t i = 0; i < units_; ++i) {
    Select(i);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colour);
  }
}

void GLTextureStages::PrepareDraw() {
  std::array<std::uint32_t, kMaxStages> ops{};
  for (std::uint32_t i = 0; i < units_; ++i) ops[i] = stages_[i].colorOp;
  const std::uint32_t active = ActiveStageCount(std::span(ops.data(), units_));
  for (std::uint32_t i = 0; i < units_; ++i) {
    Stage& stage = stages_[i];
    const bool enable = i < active;
    if (enable == stage.enabled && !(enable && stage.combinerDirty)) continue;
    Select(i);
    if (enable) {
      glEnable(GL_TEXTURE_2D);
      ApplyCombiner(stage);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    stage.enabled = enable;
  }
}

void GLTextureStages::ApplyCombiner(Stage& stage) const {
  LoadCombine(ColorCombine(stage.colorOp, stage.colorArg1, stage.colorArg2, haveModulateAdd_), false);
  LoadCombine(AlphaCombine(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, haveModulateAdd_), true);
  stage.combinerDirty = false;
}

void GLTextureStages::Select(std::uint32_t unit) const {
  GL().ActiveTexture(GL_TEXTURE0 + unit);
}

}  // namespace platform
