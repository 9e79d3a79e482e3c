#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform.h"

// A platform that records every operation asked of it, in order, as one
// text each: "out:<text>", "install:<path>", "install_error" and
// "sleep:<ms>". Nothing is written and nothing really sleeps.
struct FakePlatform {
    int install_result = 1;
    std::uint32_t error_code = 0;
    std::vector<std::string> operations;

    Platform Seam();
};
