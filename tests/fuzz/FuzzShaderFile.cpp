// Arbitrary bytes as a shader file, read with a recording renderer (no
// device). Each shader the file names is then made current and animated:
// however many maps a shader has, the renderer must only ever be asked
// about the stages the device has. Each input starts with an empty shader
// registry and texture container.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "render/YContainer.h"
#include "render/YShader.h"
#include "render/YShaderLoader.h"
#include "render/YTextureBase.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/render/RecordingRender.h"

namespace {

// The reader on bytes in memory, as the loader reads a file's bytes.
class Reader : public YShaderLoader {
 public:
  explicit Reader(const YRender& render) : YShaderLoader(render) {}
  using DataFileReader::ParseNamedStream;
};

// The call's first integer argument after its name ("BindTexture 3" -> 3).
unsigned long long FirstArgument(const std::string& text) {
  const std::size_t blank = text.find(' ');
  return blank == std::string::npos ? 0 : std::stoull(text.substr(blank + 1));
}

void CheckCalls(const RecordingRender& render) {
  for (const RecordingRender::Call& call : render.calls) {
    const bool perStage = call.text.starts_with("BindTexture") || call.text.starts_with("SetStageState") ||
                          call.text.starts_with("SetTextureMatrix");
    if (perStage && FirstArgument(call.text) >= render.stageLimit) std::abort();
  }
}

void UseNamedShaders(RecordingRender& render, const std::string& text) {
  for (std::size_t at = text.find("name=\""); at != std::string::npos; at = text.find("name=\"", at + 1)) {
    const std::size_t start = at + 6, end = text.find('"', start);
    if (end == std::string::npos) return;
    YShader* shader = FindShader(text.substr(start, end - start));
    if (shader == nullptr) continue;
    render.SetShader(shader, true);
    UpdateShaders(0.25f);
    render.SetShader(nullptr, true);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::AsText(data, size);
  {
    RecordingRender render(2);
    {
      Reader reader(render);
      std::istringstream in(text);
      reader.ParseNamedStream(in, "shaders.yml");
    }
    UseNamedShaders(render, text);
    CheckCalls(render);
    ClearShaders();
    YContainer<YTextureBase>::Clear();
  }
  return 0;
}
