// A stand-in OpenGL library for the start-up benchmark: SDL loads it in
// place of libGL (SDL_OPENGL_LIBRARY), it passes every call on to libGL and
// writes the monotonic time of each presented frame, one line of
// nanoseconds, to the file named by QV_SWAP_LOG: a buffer swap, or the
// first of the copies of parts of the back buffer that show one frame
// (glXCopySubBufferMESA calls less than 2 ms after the last count as one).
// Only those two are its own; all other names resolve through its
// dependency on libGL, and the look-up of functions by name hands out
// these two too.
#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using SwapFn = void (*)(void* display, unsigned long drawable);
using CopyFn = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
using ProcFn = void* (*)(const unsigned char* name);

void* RealGL(const char* name) {
  static void* gl = [] {
    void* lib = dlopen("libGL.so.1", RTLD_LAZY | RTLD_NOLOAD);
    return lib != nullptr ? lib : dlopen("libGL.so.1", RTLD_LAZY);
  }();
  return gl != nullptr ? dlsym(gl, name) : nullptr;
}

SwapFn RealSwap() {
  static SwapFn real = reinterpret_cast<SwapFn>(RealGL("glXSwapBuffers"));
  return real;
}

int LogFile() {
  static int fd = [] {
    const char* path = std::getenv("QV_SWAP_LOG");
    return path != nullptr ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
  }();
  return fd;
}

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

void LogPresent(long long ns) {
  const int fd = LogFile();
  if (fd < 0) return;
  char line[32];
  const int length = std::snprintf(line, sizeof line, "%lld\n", ns);
  if (length > 0) (void)!write(fd, line, static_cast<size_t>(length));
}

void LogSwap() { LogPresent(NowNs()); }

void LogCopy() {
  static long long last = 0;
  const long long now = NowNs();
  if (now - last >= 2000000) LogPresent(now);
  last = now;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void glXSwapBuffers(void* display, unsigned long drawable) {
  if (SwapFn real = RealSwap()) real(display, drawable);
  LogSwap();
}

extern "C" __attribute__((visibility("default"))) void glXCopySubBufferMESA(void* display, unsigned long drawable,
                                                                             int x, int y, int width, int height) {
  static CopyFn real = reinterpret_cast<CopyFn>(RealGL("glXCopySubBufferMESA"));
  if (real != nullptr) real(display, drawable, x, y, width, height);
  LogCopy();
}

namespace {

void* LookUp(const char* real, const unsigned char* name) {
  if (std::strcmp(reinterpret_cast<const char*>(name), "glXSwapBuffers") == 0)
    return reinterpret_cast<void*>(&glXSwapBuffers);
  if (std::strcmp(reinterpret_cast<const char*>(name), "glXCopySubBufferMESA") == 0)
    return reinterpret_cast<void*>(&glXCopySubBufferMESA);
  auto fn = reinterpret_cast<ProcFn>(RealGL(real));
  return fn != nullptr ? fn(name) : nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void* glXGetProcAddress(const unsigned char* name) {
  return LookUp("glXGetProcAddress", name);
}

extern "C" __attribute__((visibility("default"))) void* glXGetProcAddressARB(const unsigned char* name) {
  return LookUp("glXGetProcAddressARB", name);
}
