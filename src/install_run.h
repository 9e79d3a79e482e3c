#pragma once

#include "platform.h"

// The whole tool: announces the install, forms the INF path from the command
// line, installs the driver package, reports how it went, waits so the user
// can read it, and returns the exit status, which is always 0.
int RunInstall(int argc, const char* const* argv, const Platform& platform);
