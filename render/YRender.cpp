#include "render/YRender.h"

#include <algorithm>

#include "render/YFont.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
#include "render/YTextureBase.h"

YRender* g_render = nullptr;

const YColor kBaseColor(0, 0, 0, 1);
const YColor kWhite(1, 1, 1, 1);

namespace {

// The stages the caches can describe: the device's limit, but never more
// than the caches hold (drivers may report more texture units than that).
std::uint32_t UsableStages(std::uint32_t limit) {
  return std::min<std::uint32_t>(limit, kMaxStages);
}

// The material that colours untextured or tinted drawing: emissive is the
// colour, diffuse is black with the colour's alpha, the rest the base colour.
YMaterial ColourMaterial(const YColor& colour) {
  YMaterial material{kBaseColor, kBaseColor, kBaseColor, kBaseColor, 0};
  material.diffuse.a = colour.a;
  material.emissive = colour;
  return material;
}

bool SameColour(const YColor& a, const YColor& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

// One channel of a device colour: scaled to 0..255 and truncated; values
// outside the range (and NaN) are clamped.
std::uint32_t Channel(float value) {
  const float scaled = value * 255.0f;
  if (!(scaled > 0.0f)) return 0;
  if (scaled >= 255.0f) return 255;
  return static_cast<std::uint32_t>(scaled);
}

// base + direction x s.
YVector3 Along(const YVector3& base, const YVector3& direction, float s) {
  return YVector3(base.x + direction.x * s, base.y + direction.y * s, base.z + direction.z * s);
}

}  // namespace

bool YMaterial::operator==(const YMaterial& other) const {
  return SameColour(diffuse, other.diffuse) && SameColour(ambient, other.ambient) &&
         SameColour(specular, other.specular) && SameColour(emissive, other.emissive) && power == other.power;
}

YRender::YRender()
    : materialCache{kBaseColor, kBaseColor, kBaseColor, kBaseColor, 0},
      defaultStageStates(DefaultStageStates()) {
  g_render = this;
}

YRender::~YRender() {
  if (g_render == this) g_render = nullptr;
}

bool YRender::CheckDevice() {
  return true;
}

// ---- Frame start -----------------------------------------------------------

void YRender::BeginFrame(bool /*withColour*/) {
  boundTextures.fill(nullptr);
  for (auto& stage : stageStateCache) stage.fill(std::nullopt);
  renderStateCache.fill(std::nullopt);
  ApplyStates(defaultStates);

  materialCache = YMaterial{kWhite, kWhite, kWhite, kWhite, 0};
  ApplyMaterial(materialCache);
  EnableLight(true);

  const YMatrix4 identity;
  const std::uint32_t stages = UsableStages(stageLimit);
  for (std::uint32_t s = 0; s < stages; ++s) {
    ApplyStageStates(s, defaultStageStates);
    identityFlags[s] = true;
    SetTextureMatrix(identity, s);
  }
  SetStageCount(1);
  currentShader = nullptr;
}

// ---- Shaders and materials -------------------------------------------------

void YRender::SetShader(YShader* shader, bool withMaterial) {
  if (shader == currentShader) return;
  currentShader = shader;
  if (!shader) return;

  const auto stageTotal = static_cast<std::uint32_t>(shader->stages.size());
  if (stageTotal != stageCount) SetStageCount(stageTotal);
  ApplyStates(shader->states);

  const std::uint32_t used = std::min(stageTotal, UsableStages(stageCount));
  for (std::uint32_t i = 0; i < used; ++i) {
    YShaderStage& stage = *shader->stages[i];
    SetStageTexture(stage.texture, i);
    ApplyStageStates(i, stage.states);
    if (stage.identity && identityFlags[i]) continue;
    identityFlags[i] = stage.identity;
    SetTextureMatrix(stage.matrix, i);
  }
  if (withMaterial) SetMaterial(shader->material, true);
}

void YRender::SetShaderColor(YShader* shader, const YColor& colour) {
  SetShader(shader, false);
  SetMaterial(ColourMaterial(colour), true);
}

void YRender::SetColor(const YColor& colour) {
  SetMaterial(ColourMaterial(colour), true);
}

void YRender::SetMaterial(const YMaterial& material, bool check) {
  if (check && material == materialCache) return;
  materialCache = material;
  ApplyMaterial(materialCache);
}

// ---- Cached states ---------------------------------------------------------

void YRender::SetStageTexture(YTextureBase* texture, std::uint32_t stage) {
  if (!texture || stage >= UsableStages(stageLimit)) return;
  texture->LoadIfWaiting();
  const platform::DeviceTexture* handle = texture->DeviceTexture();
  if (handle == boundTextures[stage]) return;
  boundTextures[stage] = handle;
  BindTexture(texture, stage);
}

void YRender::ForgetTexture(const platform::DeviceTexture* texture) {
  if (texture == nullptr) return;
  std::replace(boundTextures.begin(), boundTextures.end(), texture,
               static_cast<const platform::DeviceTexture*>(nullptr));
}

void YRender::ApplyStates(const RenderStateBlock& block) {
  for (int id = 0; id < kRenderStateCount; ++id) {
    auto& cached = renderStateCache[static_cast<std::size_t>(id)];
    if (cached == block[id]) continue;
    cached = block[id];
    SetRenderState(static_cast<std::uint32_t>(id), block[id]);
  }
}

void YRender::ApplyStageStates(std::uint32_t stage, const StageStates& states) {
  if (stage >= kMaxStages) return;
  auto& cache = stageStateCache[stage];
  for (std::size_t id = 0; id < states.size(); ++id) {
    if (cache[id] == states[id]) continue;
    cache[id] = states[id];
    SetStageState(stage, static_cast<std::uint32_t>(id), states[id]);
  }
}

void YRender::Set2DTransform(const YMatrix4& matrix) {
  SetWorldTransform(matrix);
}

// ---- Keyword tables of shader files ----------------------------------------

namespace {

struct Keyword {
  std::string_view word;
  int value;
};

using KeywordTable = std::span<const Keyword>;

constexpr Keyword kBooleans[] = {{"true", 1}, {"1", 1}, {"false", 0}, {"0", 0}};
constexpr Keyword kTrueFalse[] = {{"true", 1}, {"false", 0}};
// "scrcolor" is the spelling shader files use for the source colour.
constexpr Keyword kBlends[] = {{"zero", 1},          {"one", 2},          {"scrcolor", 3},
                               {"invsrccolor", 4},   {"srcalpha", 5},     {"invsrcalpha", 6},
                               {"destalpha", 7},     {"invdestalpha", 8}, {"destcolor", 9},
                               {"invdestcolor", 10}, {"srcalphasat", 11}};
constexpr Keyword kCompares[] = {{"never", 1},   {"less", 2},     {"equal", 3},        {"lessequal", 4},
                                 {"greater", 5}, {"notequal", 6}, {"greaterequal", 7}, {"always", 8}};
constexpr Keyword kCulls[] = {{"none", 1}, {"cw", 2}, {"ccw", 3}};
constexpr Keyword kStencilOps[] = {{"keep", 1},    {"zero", 2},   {"replace", 3}, {"incrsat", 4},
                                   {"decrsat", 5}, {"invert", 6}, {"incr", 7},    {"decr", 8}};
constexpr Keyword kMaterialSources[] = {{"material", 0}, {"color1", 1}, {"color2", 2}};

// "substract" is the spelling shader files use; 22 and 23 have no keyword.
constexpr Keyword kStageOps[] = {{"disable", 1},
                                 {"selectarg1", 2},
                                 {"selectarg2", 3},
                                 {"modulate", 4},
                                 {"modulate2x", 5},
                                 {"modulate4x", 6},
                                 {"add", 7},
                                 {"addsigned", 8},
                                 {"addsigned2x", 9},
                                 {"substract", 10},
                                 {"addsmooth", 11},
                                 {"blenddiffusealpha", 12},
                                 {"blendtexturealpha", 13},
                                 {"blendfactoralpha", 14},
                                 {"blendtexturealphapm", 15},
                                 {"blendcurrentalpha", 16},
                                 {"premodulate", 17},
                                 {"modulatealpha_addcolor", 18},
                                 {"modulatecolor_addalpha", 19},
                                 {"modulateinvalpha_addcolor", 20},
                                 {"modulateinvcolor_addalpha", 21},
                                 {"dotproduct3", 24},
                                 {"multiplyadd", 25},
                                 {"lerp", 26}};
constexpr Keyword kStageArgs[] = {{"current", 1},  {"diffuse", 0}, {"selectmask", 15},
                                  {"specular", 4}, {"texture", 2}, {"color", 3}};
constexpr Keyword kFilters[] = {{"none", 0},        {"point", 1},     {"linear", 2},
                                {"anisotropic", 3}, {"flatcubic", 4}, {"gaussiancubic", 5}};
constexpr Keyword kAddressing[] = {
    {"repeat", 1}, {"clamp", 3}, {"mirror", 2}, {"border", 4}, {"mirroronce", 5}};

KeywordTable RenderStateTable(int id) {
  switch (id) {
    case 0:
    case 7:
    case 8:
      return kBooleans;
    case 6:
      return kTrueFalse;
    case 1:
    case 2:
      return kBlends;
    case 4:
    case 12:
      return kCompares;
    case 5:
      return kCulls;
    case 9:
    case 10:
    case 11:
      return kStencilOps;
    case 16:
    case 17:
    case 18:
    case 19:
      return kMaterialSources;
    default:
      return {};
  }
}

KeywordTable StageStateTable(int id) {
  switch (id) {
    case 0:
    case 3:
      return kStageOps;
    case 1:
    case 2:
    case 4:
    case 5:
      return kStageArgs;
    case 6:
    case 7:
    case 8:
      return kFilters;
    case 9:
    case 10:
      return kAddressing;
    default:
      return {};
  }
}

// Whole, case-sensitive match; -1 when the keyword is not in the table.
int Lookup(KeywordTable table, std::string_view keyword) {
  for (const Keyword& entry : table) {
    if (entry.word == keyword) return entry.value;
  }
  return -1;
}

}  // namespace

int YRender::RenderStateValue(int id, std::string_view keyword) const {
  return Lookup(RenderStateTable(id), keyword);
}

int YRender::TextureStageValue(int id, std::string_view keyword) const {
  return Lookup(StageStateTable(id), keyword);
}

// ---- Colours ---------------------------------------------------------------

std::uint32_t YRender::ColorToD3D(const YColor& colour) const {
  return Channel(colour.a) << 24 | Channel(colour.r) << 16 | Channel(colour.g) << 8 | Channel(colour.b);
}

// ---- Text ------------------------------------------------------------------

float YRender::DrawText(YFont& font, float x, float y, float size, std::string_view text) {
  return DrawTextEx(font, YVector3(x, y, 0), size, text, YVector3(1, 0, 0), YVector3(0, -1, 0));
}

float YRender::DrawTextEx(YFont& font, const YVector3& position, float size, std::string_view text,
                          const YVector3& penDirection, const YVector3& upDirection) {
  // A font no file defined yet has no shader: drawing its quads would use
  // whatever shader was current.
  if (font.shader == nullptr) return 0;
  SetShader(font.shader, true);
  float pen = 0;
  for (const char ch : text) {
    if (ch == '\0') break;  // the text ends at a terminating zero as well
    const auto c = static_cast<unsigned char>(ch);
    const float advance = font.widths[c] * size;
    if (advance != 0.0f) {
      YTexVertex quad[4];
      for (int k = 0; k < 4; ++k) {
        const YGlyphCorner& corner = font.glyphs[c].corners[k];
        const YVector3 onLine = Along(position, penDirection, size * corner.gx + pen);
        quad[k] =
            YTexVertex(Along(onLine, upDirection, size - size * corner.gy), YVector2(corner.u, corner.v));
      }
      DrawQuad28(quad);
    }
    pen += advance;
  }
  return pen;
}

void YRender::DrawScreenArea(float /*left*/, float /*bottom*/, float /*right*/, float /*top*/) {
  DrawScreenQuad();
}
