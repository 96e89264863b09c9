#include "tests/e2e/duel/RunSupport.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/YFramework.h"
#include "framework/YLocale.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "players/DisplayedCounters.h"
#include "players/PlayerRules.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YPlayer.h"
#include "render/Render_D3D.h"
#include "render/YCamera.h"
#include "tiles/YTileset.h"

namespace run_support {

void EnterProgramFolder() {
  std::error_code error;
  std::filesystem::current_path(platform::ProgramFolder(), error);
  std::filesystem::create_directories(platform::MapPath(GetInit().UserPath()), error);
  Log::Open(GetInit().UserPath() + "log.txt");
}

void LoadCatalogues(const std::string& language) {
  const std::string folder = "ui\\" + language + "\\";
  GetLocale().Load(folder + "locale.yml");
  YArtifactLoader artifacts(folder + "artifacts.yml");
  YMonsterReader().Load(folder + "monsters.yml");
  YHeroReader heroes(folder + "heroes.yml");
  GetTileset().Load(folder);
}

void ShowValuesAtOnce(YPlayer& fighter) {
  SetCapsToBase(fighter);
  while (CountersAnimating(fighter)) StepDisplayedCounters(fighter);
}

std::pair<int, int> ScreenPoint(const YVector3& p, const YFramework& window) {
  const YCamera& camera = GetCamera();
  const YVector3 v = camera.View().TransformPoint(p);
  const YMatrix4& m = camera.Projection();
  const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
  const float cw = static_cast<float>(window.clientWidth), ch = static_cast<float>(window.clientHeight);
  const float vw = cw / ch >= window.designAspect ? ch * window.designAspect : cw;
  const float vh = vw / window.designAspect;
  return {static_cast<int>((cw - vw) / 2 + (x / w + 1) / 2 * vw),
          static_cast<int>((ch - vh) / 2 + (1 - y / w) / 2 * vh)};
}

bool SaveFrame(const YRender& renderer, const std::string& path) {
  const auto* render = dynamic_cast<const Render_D3D*>(&renderer);
  auto* device = render != nullptr ? dynamic_cast<platform::GLDevice*>(render->Device()) : nullptr;
  platform::Image frame;
  const bool saved = device != nullptr && device->ReadBackBuffer(frame) && platform::WritePng(frame, path);
  if (!saved) std::fprintf(stderr, "could not write %s\n", path.c_str());
  return saved;
}

}  // namespace run_support
