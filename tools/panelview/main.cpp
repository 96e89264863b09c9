// qv_panelview [--profile <file>] [--language <folder>] [--tab N] [--frames N] [--screenshot out.png]:
// the control panel's developer view. Run it from the program folder
// (<build>/game); the profile is a data name such as "players\00001.yml".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/panelview/PanelViewApp.h"

namespace {

bool ParseOptions(int argc, char** argv, PanelViewOptions& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i], value = argv[i + 1];
    if (arg == "--profile")
      options.profile = value;
    else if (arg == "--language")
      options.language = value;
    else if (arg == "--tab")
      options.tab = std::atoi(value.c_str());
    else if (arg == "--frames")
      options.view.frames = std::atoi(value.c_str());
    else if (arg == "--screenshot")
      options.view.screenshot = value;
    else
      return false;
  }
  return argc % 2 == 1 && options.view.frames >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  PanelViewOptions options;
  options.view.title = "Panel view";
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s [--profile <file>] [--language <folder>] [--tab N] [--frames N] [--screenshot file.png]\n",
                 argv[0]);
    return 2;
  }
  options.view.styles = "ui\\" + options.language + "\\styles.yml";
  PanelViewApp app(options);
  if (!app.ok) return 1;
  app.Open();
  app.Run();
  return app.ok ? 0 : 1;
}
