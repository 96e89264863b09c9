// Ending the process on a fatal error.
#pragma once

namespace platform {

// Flushes standard streams and ends the process with `exitCode`, running
// the destructors of static objects (so the log file is closed).
[[noreturn]] void EndProcess(int exitCode);

}  // namespace platform
