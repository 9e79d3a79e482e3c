#include "outcome.h"

namespace {

struct OutcomeRow {
    std::uint32_t error_code;
    const char* line;
};

// Windows failure codes of the install call that the user can act on.
constexpr OutcomeRow kFailureRows[] = {
    {2,  // ERROR_FILE_NOT_FOUND
     "Drivers Not Found, Read the users manual for information on manually installing drivers\n"},
    {5,  // ERROR_ACCESS_DENIED
     "Access denied, Restart and Run As Administrator\n"},
    {1004,  // ERROR_INVALID_FLAGS
     "Invalid Flags, Read the users manual for information on manually installing drivers\n"},
    {0xE0000235,  // ERROR_IN_WOW64
     "Error installing drivers. PC must be 64-bit Operating System  Contact Quellmark for 32-bit "
     "drivers\n"},
};

}  // namespace

const char* OutcomeMessage(bool installed, std::uint32_t error_code) {
    if (installed) {
        return "Driver successfully installed\n";
    }
    for (const OutcomeRow& row : kFailureRows) {
        // cppcheck-suppress useStlAlgorithm ; a plain loop over four rows reads clearer than find_if
        if (row.error_code == error_code) {
            return row.line;
        }
    }
    return nullptr;
}
