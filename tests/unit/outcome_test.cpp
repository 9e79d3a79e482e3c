#include "outcome.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct OutcomeCase {
    bool installed;
    std::uint32_t error_code;
    const char* line;  // nullptr: no line
};

const OutcomeCase kCases[] = {
    {true, 0, "Driver successfully installed\n"},
    // After a success the code is stale and must not pick a failure line.
    {true, 5, "Driver successfully installed\n"},
    {false, 2,
     "Drivers Not Found, Read the users manual for information on manually installing drivers\n"},
    {false, 5, "Access denied, Restart and Run As Administrator\n"},
    {false, 1004,
     "Invalid Flags, Read the users manual for information on manually installing drivers\n"},
    {false, 0xE0000235,
     "Error installing drivers. PC must be 64-bit Operating System  Contact Quellmark for 32-bit "
     "drivers\n"},
    {false, 0, nullptr},
    {false, 3, nullptr},
    {false, 0x3EC + 1, nullptr},
    {false, 0xE0000234, nullptr},
    {false, 0xFFFFFFFF, nullptr},
};

TEST(OutcomeMessage, GivesTheLineOfEachKnownOutcomeAndNoneForOtherCodes) {
    for (const OutcomeCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "installed=" << c.installed << " code=" << c.error_code);
        const char* line = OutcomeMessage(c.installed, c.error_code);
        if (c.line == nullptr) {
            EXPECT_EQ(line, nullptr);
        } else {
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(std::string(line), c.line);
        }
    }
}

}  // namespace
