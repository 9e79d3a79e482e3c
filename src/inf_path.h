#pragma once

#include <cstddef>
#include <cstdint>

#include "platform.h"

// Holds the INF path as NUL-terminated ANSI text: at most 511 characters.
constexpr std::size_t kInfPathSize = 512;

// The longest folder argument whose INF path still fits the buffer.
constexpr std::size_t kMaxFolderLength = kInfPathSize - 1 - (sizeof("drivers\\cyusb3.inf") - 1);

enum class InfPathResult : std::uint8_t {
    kFormed,          // the buffer holds the INF path
    kWrongArguments,  // not zero or one argument; the buffer holds ""
    kTooLong,         // the argument does not fit; the buffer holds ""
};

// Forms the INF path from the command line into `inf_path`. Without an
// argument it is the default below the current directory; with one it is the
// argument followed by drivers\cyusb3.inf, and the formed path is echoed.
InfPathResult ResolveInfPath(int argc, const char* const* argv, char (&inf_path)[kInfPathSize],
                             const Platform& platform);
