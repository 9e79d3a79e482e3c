#pragma once

#include <cstdint>

#include "platform.h"

// What the Windows platform keeps between its operations.
struct WindowsPlatformState {
    // Taken from GetLastError the moment the install call fails, before any
    // other call can overwrite it.
    std::uint32_t install_error;
};

// The platform seam made of the real Windows calls.
Platform WindowsPlatform(WindowsPlatformState* state);
