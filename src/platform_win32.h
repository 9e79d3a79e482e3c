#pragma once

#include <cstdint>

#include "dll_search_win32.h"
#include "platform.h"
#include "stdout_win32.h"

// What the Windows platform keeps between its operations.
struct WindowsPlatformState {
    StdoutTarget out;
    DllSearch dll_search;
    // Taken from GetLastError the moment the install call fails, before any
    // other call can overwrite it.
    std::uint32_t install_error;
};

// The platform seam made of the real Windows calls.
Platform WindowsPlatform(WindowsPlatformState* state);
