#pragma once

#include <cstdint>

// The operations the install run needs from the machine it runs on. The
// Windows layer fills this with the real calls; tests fill it with a fake
// that records every operation. `context` is handed back to each operation.
struct Platform {
    void* context;
    // Writes a NUL-terminated text to standard output and flushes it, so a
    // reader on a pipe sees it before the next step. A failed write is ignored.
    void (*write_out)(void* context, const char* text);
    // Installs the driver package whose INF file is at `inf_path`. Nonzero
    // when it was installed, zero when it was not.
    int (*install_driver)(void* context, const char* inf_path);
    // The failure code left by the install call that just returned zero.
    std::uint32_t (*install_error)(void* context);
    void (*sleep_ms)(void* context, std::uint32_t milliseconds);
};

inline void WriteOut(const Platform& platform, const char* text) {
    platform.write_out(platform.context, text);
}
