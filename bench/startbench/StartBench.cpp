// Start-up and idle benchmark of the built game: starts it on an X display
// with a fresh user folder, sends Escape as soon as its window maps, and
// reports over several runs (median, min, max) the time to the mapped
// window, to the first presented frame, to the first frame the game drew,
// to the menu (the first frame showing the game's cursor), the resident
// memory at the menu and the CPU share and the rate of presented frames
// over some seconds at the menu, without and with the console (the game
// draws up to 100 frames a second but presents only those that differ from
// the one shown). Measures only; never fails on a figure.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Options {
  std::string gameDir;
  std::string probe;
  int runs = 5;
  double idleSeconds = 10;
  std::vector<std::string> env;  // extra NAME=value for the game
};

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void SleepSeconds(double seconds) {
  const timespec t{static_cast<time_t>(seconds), static_cast<long>((seconds - static_cast<double>(
                                                                       static_cast<time_t>(seconds))) * 1e9)};
  nanosleep(&t, nullptr);
}

// Sends key presses through the XTEST extension (loaded at run time, so the
// benchmark needs no development package for it).
class Keyboard {
 public:
  explicit Keyboard(Display* display) : display_(display) {
    if (void* lib = dlopen("libXtst.so.6", RTLD_LAZY))
      fake_ = reinterpret_cast<FakeKeyFn>(dlsym(lib, "XTestFakeKeyEvent"));
  }
  bool Ready() const { return fake_ != nullptr; }
  // Presses the keys in order and lets them go in reverse.
  void Chord(std::initializer_list<KeySym> keys) {
    for (KeySym key : keys) fake_(display_, XKeysymToKeycode(display_, key), True, CurrentTime);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
      fake_(display_, XKeysymToKeycode(display_, *it), False, CurrentTime);
    XFlush(display_);
  }

 private:
  using FakeKeyFn = int (*)(Display*, unsigned int, Bool, unsigned long);
  Display* display_;
  FakeKeyFn fake_ = nullptr;
};

// Waits for the next X event until `deadline`; false on time-out.
bool NextEvent(Display* display, XEvent& event, double deadline) {
  while (XPending(display) == 0) {
    const double left = deadline - Now();
    if (left <= 0) return false;
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(display), &fds);
    timeval tv{static_cast<time_t>(left), static_cast<suseconds_t>((left - static_cast<double>(
                                                                        static_cast<time_t>(left))) * 1e6)};
    select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &tv);
  }
  XNextEvent(display, &event);
  return true;
}

// Whether the screen shows something bright near the pointer: the game's
// cursor, which only frames after the splash draw.
bool CursorVisible(Display* display, int x, int y) {
  constexpr int kBox = 24;
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, kBox, kBox, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool bright = false;
  for (int j = 0; j < kBox && !bright; ++j)
    for (int i = 0; i < kBox && !bright; ++i) {
      const unsigned long pixel = XGetPixel(image, i, j);
      bright = ((pixel >> 16) & 0xFF) > 96 || ((pixel >> 8) & 0xFF) > 96 || (pixel & 0xFF) > 96;
    }
  XDestroyImage(image);
  return bright;
}

std::vector<double> ReadSwapTimes(const fs::path& log) {
  std::vector<double> times;
  std::ifstream in(log);
  long long ns = 0;
  while (in >> ns) times.push_back(static_cast<double>(ns) * 1e-9);
  return times;
}

int CountBetween(const std::vector<double>& times, double from, double to) {
  return static_cast<int>(std::count_if(times.begin(), times.end(), [&](double t) { return t >= from && t < to; }));
}

// CPU seconds the process (all its threads) has used.
double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  unsigned long long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoull(field);
    if (i == 15) stime = std::stoull(field);
  }
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ResidentMiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  while (in >> key) {
    if (key == "VmRSS:") {
      double kib = 0;
      in >> kib;
      return kib / 1024.0;
    }
    in.ignore(1 << 16, '\n');
  }
  return 0;
}

pid_t StartGame(const Options& options, const fs::path& userDir, const fs::path& swapLog) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir(options.gameDir.c_str()) != 0) _exit(127);
  setenv("APPDATA", userDir.c_str(), 1);
  setenv("QV_SWAP_LOG", swapLog.c_str(), 1);
  if (!options.probe.empty()) setenv("SDL_OPENGL_LIBRARY", options.probe.c_str(), 1);
  if (getenv("ALSOFT_DRIVERS") == nullptr) setenv("ALSOFT_DRIVERS", "null", 1);
  for (const std::string& pair : options.env) putenv(const_cast<char*>(pair.c_str()));
  freopen("/dev/null", "w", stdout);
  freopen("/dev/null", "w", stderr);
  execl("./QuennelVarrick", "QuennelVarrick", static_cast<char*>(nullptr));
  _exit(127);
}

void StopGame(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    SleepSeconds(0.01);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

struct Figures {
  double map = -1, firstPresent = -1, firstDrawn = -1, menu = -1, rss = -1;
  double cpuMenu = -1, fpsMenu = -1, cpuConsole = -1, fpsConsole = -1;
};

// CPU share of one core and frames per second over the idle time.
void MeasureIdle(pid_t pid, const fs::path& swapLog, double seconds, double& cpu, double& fps) {
  const double t0 = Now(), c0 = CpuSeconds(pid);
  SleepSeconds(seconds);
  const double t1 = Now(), c1 = CpuSeconds(pid);
  cpu = 100.0 * (c1 - c0) / (t1 - t0);
  fps = CountBetween(ReadSwapTimes(swapLog), t0, t1) / (t1 - t0);
}

std::optional<Figures> RunOnce(const Options& options, Display* display, Keyboard& keys) {
  const fs::path userDir = fs::temp_directory_path() / ("qv-startbench-" + std::to_string(getpid()));
  fs::remove_all(userDir);
  fs::create_directories(userDir);
  const fs::path swapLog = userDir / "swaps.txt";
  const int pointerX = 100, pointerY = 100;
  Window root = DefaultRootWindow(display);
  XWarpPointer(display, None, root, 0, 0, 0, 0, pointerX, pointerY);
  // The last run's window took the focus with it; keys go where the pointer is.
  XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, True);

  Figures f;
  const double start = Now();
  const pid_t pid = StartGame(options, userDir, swapLog);
  XEvent event;
  while (NextEvent(display, event, start + 20)) {
    if (event.type != MapNotify) continue;
    f.map = Now() - start;
    keys.Chord({XK_Escape});
    break;
  }
  while (f.map >= 0 && Now() < start + 20) {
    if (CursorVisible(display, pointerX, pointerY)) {
      f.menu = Now() - start;
      break;
    }
    SleepSeconds(0.001);
  }
  XSelectInput(display, root, NoEventMask);
  if (f.menu >= 0) {
    const std::vector<double> swaps = ReadSwapTimes(swapLog);
    if (!swaps.empty()) f.firstPresent = swaps[0] - start;
    if (swaps.size() > 1) f.firstDrawn = swaps[1] - start;
    SleepSeconds(2.0);
    f.rss = ResidentMiB(pid);
    MeasureIdle(pid, swapLog, options.idleSeconds, f.cpuMenu, f.fpsMenu);
    keys.Chord({XK_Control_L, XK_Alt_L, XK_grave});
    SleepSeconds(1.5);  // the console slides open
    MeasureIdle(pid, swapLog, options.idleSeconds, f.cpuConsole, f.fpsConsole);
  }
  StopGame(pid);
  fs::remove_all(userDir);
  if (f.menu < 0) return std::nullopt;
  return f;
}

void PrintRow(const char* name, std::vector<double> values, const char* unit) {
  if (values.empty()) return;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::printf("| %s | %.3f | %.3f | %.3f | %s |\n", name, median, values.front(), values.back(), unit);
}

void PrintTable(const std::vector<Figures>& runs) {
  auto column = [&](double Figures::*field) {
    std::vector<double> values;
    for (const Figures& f : runs)
      if (f.*field >= 0) values.push_back(f.*field);
    return values;
  };
  std::printf("| figure | median | min | max | unit |\n|---|---|---|---|---|\n");
  PrintRow("start to mapped window", column(&Figures::map), "s");
  PrintRow("start to first presented frame", column(&Figures::firstPresent), "s");
  PrintRow("start to first frame drawn by the game", column(&Figures::firstDrawn), "s");
  PrintRow("start to menu (Escape at map)", column(&Figures::menu), "s");
  PrintRow("resident memory at the menu", column(&Figures::rss), "MiB");
  PrintRow("CPU at the menu", column(&Figures::cpuMenu), "% of a core");
  PrintRow("frames presented per second at the menu", column(&Figures::fpsMenu), "1/s");
  PrintRow("CPU with the console open", column(&Figures::cpuConsole), "% of a core");
  PrintRow("frames presented per second with the console", column(&Figures::fpsConsole), "1/s");
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i], value = argv[i + 1];
    if (flag == "--game") options.gameDir = value;
    else if (flag == "--probe") options.probe = value;
    else if (flag == "--runs") options.runs = std::max(1, std::atoi(value.c_str()));
    else if (flag == "--idle") options.idleSeconds = std::max(0.5, std::atof(value.c_str()));
    else if (flag == "--env") options.env.push_back(value);
    else return false;
  }
  return !options.gameDir.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: qv_startbench --game DIR [--probe libqv_swapprobe.so] [--runs N] [--idle SECONDS] "
                 "[--env NAME=value]...\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "qv_startbench: no X display\n");
    return 2;
  }
  Keyboard keys(display);
  if (!keys.Ready()) {
    std::fprintf(stderr, "qv_startbench: the XTEST extension's library (libXtst.so.6) is missing\n");
    return 2;
  }
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::vector<Figures> runs;
  for (int i = 0; i <= options.runs; ++i) {  // the first run warms the caches and is not counted
    const auto figures = RunOnce(options, display, keys);
    if (!figures) std::fprintf(stderr, "qv_startbench: run %d never reached the menu\n", i);
    else if (i > 0) runs.push_back(*figures);
  }
  double loadAfter[3] = {0, 0, 0};
  getloadavg(loadAfter, 3);
  std::printf("%zu runs after a warm-up; load average %.2f before, %.2f after; %ld cores\n\n", runs.size(),
              load[0], loadAfter[0], sysconf(_SC_NPROCESSORS_ONLN));
  PrintTable(runs);
  XCloseDisplay(display);
  return 0;
}
