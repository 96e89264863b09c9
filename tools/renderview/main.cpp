// qv_renderview [--frames N] [--screenshot file.png]: the renderer's debug
// view. Run it from the program folder (<build>/game).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/renderview/RenderViewApp.h"

namespace {

bool ParseOptions(int argc, char** argv, RenderViewOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    if (arg == "--frames")
      options.frames = std::atoi(argv[++i]);
    else if (arg == "--screenshot")
      options.screenshot = argv[++i];
    else
      return false;
  }
  // The picture is the last frame, so a screenshot needs an end.
  if (!options.screenshot.empty() && options.frames <= 0) options.frames = 60;
  return options.frames >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  RenderViewOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s [--frames N] [--screenshot file.png]\n", argv[0]);
    return 2;
  }
  RenderViewApp app(options);
  app.Open();
  app.Run();
  return app.ok ? 0 : 1;
}
