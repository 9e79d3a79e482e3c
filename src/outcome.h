#pragma once

#include <cstdint>

// The line that tells the user how the install went, or nullptr when the
// failure code is not one the tool knows. `error_code` counts only when
// `installed` is false.
const char* OutcomeMessage(bool installed, std::uint32_t error_code);
