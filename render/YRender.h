// The renderer interface through which all drawing goes: device slots that
// the one implementation (Render_D3D) provides, and the cached front end
// (shaders, materials, stage textures and states) that sends the device only
// what changed. One renderer exists at a time, reached through g_render.
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YColor.h"
#include "framework/YMatrix4.h"
#include "framework/YRect.h"
#include "framework/YTexVertex.h"
#include "framework/YVector3.h"
#include "render/RenderStateBlock.h"
#include "render/YMeshVertex.h"

namespace platform {
class Window;
class DeviceTexture;
class DeviceVertexBuffer;
class DeviceIndexBuffer;
}  // namespace platform

class YShader;
class YMeshInstanceBase;
struct YMeshSubset;
class YTextureBase;
class YSTexture;
class YFont;
struct DisplayMode;

// A fixed-function material: four colours and the specular power (17 floats).
struct YMaterial {
  YColor diffuse, ambient, specular, emissive;
  float power = 0;

  bool operator==(const YMaterial& other) const;
};

using VertexBufferHandle = platform::DeviceVertexBuffer*;
using IndexBufferHandle = platform::DeviceIndexBuffer*;

class YRender {
 public:
  // Publishes itself as g_render.
  YRender();
  // Clears g_render when it points here.
  virtual ~YRender();
  YRender(const YRender&) = delete;
  YRender& operator=(const YRender&) = delete;

  // ---- Device slots ----------------------------------------------------
  // Binds the texture's device texture to the stage; a texture without one
  // (it failed to load) leaves the stage bound to no texture.
  virtual void BindTexture(YTextureBase* texture, std::uint32_t stage) = 0;
  // Sends one texture stage state (id 0..10) / render state (id 0..19), uncached.
  virtual void SetStageState(std::uint32_t stage, std::uint32_t id, std::uint32_t value) = 0;
  virtual void SetRenderState(std::uint32_t id, std::uint32_t value) = 0;
  // Render state 3 from a colour, sent only when it changed.
  virtual void SetTextureFactor(const YColor& colour) = 0;
  virtual void ApplyMaterial(const YMaterial& material) = 0;
  // Light 0 and specular highlights on or off.
  virtual void EnableLight(bool on) = 0;
  // Limits the stages in use; stages dropped are unbound and disabled.
  virtual void SetStageCount(std::uint32_t count) = 0;
  // The stage's texture matrix, or its texture transform off when the
  // renderer's identity flag of the stage is set.
  virtual void SetTextureMatrix(const YMatrix4& matrix, std::uint32_t stage) = 0;
  // Keyword tables of shader files: the state value a keyword names for a
  // render-state / stage-state id; -1 when the keyword is not one of its.
  virtual int RenderStateValue(int id, std::string_view keyword) const;
  virtual int TextureStageValue(int id, std::string_view keyword) const;
  // 0xAARRGGBB, each channel clamped to 0..255.
  virtual std::uint32_t ColorToD3D(const YColor& colour) const;
  virtual void Clear(bool withColour) = 0;
  // Loads the texture's image by its name (at most once while a device exists).
  virtual void LoadTexture(YTextureBase& texture) = 0;
  virtual void ReleaseTexture(YTextureBase& texture) = 0;
  // Cuts `count` cells of columns x rows from one image; the caller owns them.
  virtual void MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& out,
                                std::string_view fileName) = 0;
  virtual void Set2DProjection(float width, float height) = 0;
  virtual void SetPerspective(float fovDegrees, float aspect, float nearZ, float farZ) = 0;
  virtual void SetWorldTransform(const YMatrix4& matrix) = 0;
  virtual void SetViewProjection(const YMatrix4& projection, const YMatrix4& view) = 0;
  // Primitives from the caller's memory; counts are primitives.
  virtual void DrawLineStrip(const YVector3* vertices, std::uint32_t lineCount) = 0;
  virtual void DrawQuad28(const YTexVertex* fourVertices) = 0;
  virtual void DrawQuad40(const YMeshVertex* fourVertices) = 0;
  virtual void DrawTriangles(const YVector3* vertices, std::uint32_t triangleCount) = 0;
  virtual void DrawStrip28(const YTexVertex* vertices, std::uint32_t triangleCount) = 0;
  virtual void DrawStrip40(const YMeshVertex* vertices, std::uint32_t triangleCount) = 0;
  // Meshes: the instance's vertex buffer with its mesh's index buffer, one
  // indexed triangle list per subset in subset order. DrawMesh keeps the
  // current shader; before subset i, DrawMeshEx makes shader i modulo the
  // list's length current with the colour (SetShaderColor), DrawMeshEx2 with
  // its material. An empty shader list draws nothing.
  virtual void DrawMesh(YMeshInstanceBase& instance);
  virtual void DrawMeshEx(YMeshInstanceBase& instance, std::span<YShader* const> shaders,
                          const YColor& colour);
  virtual void DrawMeshEx2(YMeshInstanceBase& instance, std::span<YShader* const> shaders);
  // One subset's triangles from device buffers, in the mesh vertex format;
  // null or released buffers draw nothing.
  virtual void DrawIndexedSubset(VertexBufferHandle vertices, IndexBufferHandle indices,
                                 const YMeshSubset& subset) = 0;
  // Device buffers; null without a device (or for no indices). The renderer
  // owns what it returns until the matching Release.
  virtual VertexBufferHandle CreateVertexBuffer(std::span<const YMeshVertex> vertices) = 0;
  virtual void ReleaseVertexBuffer(VertexBufferHandle handle) = 0;
  virtual void UpdateVertexBuffer(VertexBufferHandle handle, std::span<const YMeshVertex> vertices) = 0;
  virtual IndexBufferHandle CreateIndexBuffer(std::span<const std::uint16_t> indices) = 0;
  virtual void ReleaseIndexBuffer(IndexBufferHandle handle) = 0;
  // Covers the viewport at depth 1; leaves all transforms at identity.
  virtual void DrawScreenQuad() = 0;
  // The part of the screen quad between the clip-space corners (x and y
  // from -1 to 1, y up). The base draws the whole quad.
  virtual void DrawScreenArea(float left, float bottom, float right, float top);
  virtual std::vector<DisplayMode> EnumerateModes() = 0;
  virtual void CreateDevice(platform::Window& window, bool fullscreen, int modeIndex) = 0;
  virtual bool Resize() = 0;
  virtual void ReleaseDevice() = 0;
  // The base resets the caches to the defaults (the implementation calls it
  // first).
  virtual void BeginFrame(bool withColour);
  virtual void EndFrame() = 0;
  // False while the device is lost (the frame is skipped). The base: true.
  virtual bool CheckDevice();
  // Marks what is drawn from now on as slow drawing (on) or not (off): it
  // moves slower than the eye can tell, so a frame that changes only there
  // may be shown later than it comes. EndFrame turns it off. The base:
  // nothing.
  virtual void SetSlowDrawing(bool /*slow*/) {}
  // Marks what follows, from the frame's start, as its still layer (on) or
  // not (off): drawing that seldom changes, whose picture may be kept and
  // shown again while it stays the same. EndFrame turns it off. The base:
  // nothing.
  virtual void SetStillDrawing(bool /*still*/) {}
  // Marks what is drawn up to EndSpot as a part whose look follows the
  // pointer, drawn only inside `area` (in the units of the last
  // Set2DProjection): a device may draw again only there when the part
  // alone changed. EndSpot sets the material alike after every look. The
  // base: nothing.
  virtual void BeginSpot(const YRect& /*area*/) {}
  virtual void EndSpot() {}
  // The last frame ended drew nothing new outside slow drawing, or kept
  // its still layer's picture (the screen is calm). The base: false.
  virtual bool LastFrameCalm() const { return false; }
  // A frame that differs from the last one only in slow drawing would not
  // be shown now (the device holds such frames back for a while), so it
  // need not be drawn. The base: false.
  virtual bool HoldsSlowDrawing() const { return false; }
  // Letterboxes the viewport to keep width : height.
  virtual void SetViewport(float width, float height) = 0;
  // Limits the drawing and clears that follow to the pixels that `area`
  // covers, in the units of the letterboxed viewport SetViewport(width,
  // height) makes, rounded out to whole pixels; Unclip (or EndFrame) lifts
  // the limit. The base: nothing, and a device may draw everywhere, so
  // what is drawn under the limit must also be right outside it.
  virtual void ClipTo(const YRect& /*area*/, float /*width*/, float /*height*/) {}
  virtual void Unclip() {}

  // ---- Cached front end ------------------------------------------------
  // Makes a shader current: nothing when it already is; otherwise only what
  // differs from the caches is sent. Null makes no shader current.
  void SetShader(YShader* shader, bool withMaterial);
  // The shader without material, then a material whose emissive is the
  // colour and whose diffuse alpha is the colour's alpha.
  void SetShaderColor(YShader* shader, const YColor& colour);
  void SetColor(const YColor& colour);
  // With check, nothing when the material equals the cached one.
  void SetMaterial(const YMaterial& material, bool check);
  // Binds when the texture's device texture differs from the stage's cache
  // and the stage is below the limit (one that failed to load counts as no
  // texture, in the cache as on the device); a null texture changes nothing.
  void SetStageTexture(YTextureBase* texture, std::uint32_t stage);
  // Forgets a device texture that is about to be freed: every stage whose
  // cache holds it counts as unbound, so a new texture that happens to get
  // the same address is bound when asked for.
  void ForgetTexture(const platform::DeviceTexture* texture);
  void ApplyStates(const RenderStateBlock& block);
  void ApplyStageStates(std::uint32_t stage, const StageStates& states);
  // The world matrix under the 2D projection; the identity restores it.
  void Set2DTransform(const YMatrix4& matrix);
  // Text with the font's glyph quads; returns the pen advance. A font
  // without a shader draws nothing and returns 0.
  float DrawText(YFont& font, float x, float y, float size, std::string_view text);
  float DrawTextEx(YFont& font, const YVector3& position, float size, std::string_view text,
                   const YVector3& penDirection, const YVector3& upDirection);

  // ---- State -----------------------------------------------------------
  YShader* currentShader = nullptr;
  YMaterial materialCache;
  // What was last sent to the device; nullopt = unknown (never skipped).
  std::array<std::optional<std::uint32_t>, kRenderStateCount> renderStateCache{};
  std::array<std::array<std::optional<std::uint32_t>, kStageStateCount>, kMaxStages> stageStateCache{};
  std::uint32_t stageLimit = 0;  // the device's simultaneous textures, at most kMaxStages
  std::uint32_t stageCount = 0;
  std::array<const platform::DeviceTexture*, kMaxStages> boundTextures{};
  std::array<bool, kMaxStages> identityFlags{};
  bool stencil = false;  // the current display mode has a stencil buffer
  // When a device is created, named textures wait for their first use (or
  // LoadNextWaitingTexture) instead of loading at once, so the first frame
  // does not wait for every texture (the game sets it; off by default).
  bool deferTextureLoads = false;
  RenderStateBlock defaultStates;
  StageStates defaultStageStates;
};

// The one renderer; null when none exists.
extern YRender* g_render;

// The base colour (0, 0, 0, 1) and white (1, 1, 1, 1).
extern const YColor kBaseColor;
extern const YColor kWhite;
