// The process's own life: ending it on a fatal error, the folder it runs
// from, its free heap memory, and the requests to end it that arrive as signals (SIGTERM from the
// desktop or a service manager, SIGINT from a terminal).
#pragma once

#include <string>

namespace platform {

// Flushes standard streams and ends the process with `exitCode`, running
// the destructors of static objects (so the log file is closed).
[[noreturn]] void EndProcess(int exitCode);

// The folder that holds the running executable, without a trailing
// separator; empty when the system cannot tell.
std::string ProgramFolder();

// From now on SIGTERM and SIGINT only mark a request to end, which the
// message loop takes as its way out; a second such signal while the first
// is still pending ends the process at once, as the default would have.
// Call once, on the main thread, before other threads start.
void InstallTerminationHandlers();
// True once SIGTERM or SIGINT arrived after InstallTerminationHandlers.
// Any thread.
bool TerminationRequested();

// Hands memory the heap holds free back to the system (after a phase that
// freed much, such as the splash screens).
void ReturnFreedMemory();
// From now on every heap block of 128 KiB or more (decoded images, file
// buffers, the driver's texture storage) gets its own mapping and goes back
// to the system as soon as it is freed, rather than leaving a hole in the
// heap. Call once, on the main thread, before other threads start.
void ReturnLargeBlocksWhenFreed();

}  // namespace platform
