// qv_uiview --layout <file> [--styles <file>] [--frames N] [--screenshot out.png]:
// the interface toolkit's developer view. Run it from the program folder
// (<build>/game); file names are data names such as "ui\english\widgets.yml".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/uiview/UIViewApp.h"

namespace {

bool ParseOptions(int argc, char** argv, UIViewOptions& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i], value = argv[i + 1];
    if (arg == "--layout")
      options.layout = value;
    else if (arg == "--styles")
      options.styles = value;
    else if (arg == "--frames")
      options.frames = std::atoi(value.c_str());
    else if (arg == "--screenshot")
      options.screenshot = value;
    else
      return false;
  }
  return argc % 2 == 1 && !options.layout.empty() && options.frames >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  UIViewOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s --layout <file> [--styles <file>] [--frames N] [--screenshot file.png]\n",
                 argv[0]);
    return 2;
  }
  UIViewApp app(options);
  if (!app.ok) return 1;
  app.Open();
  app.Run();
  return app.ok ? 0 : 1;
}
