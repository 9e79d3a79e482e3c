#include "inf_path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_platform.h"

namespace {

struct PathCase {
    const char* name;
    std::vector<const char*> args;  // after the tool's own name
    std::string expected_path;      // "" when no path may be formed
};

const std::string kLongest(493, 'a');
const std::string kTooLong(494, 'a');
const std::string kLongestQuoted = std::string(492, 'a') + "\"";

std::vector<PathCase> Cases() {
    return {
        {"no argument", {}, ".\\drivers\\cyusb3.inf"},
        {"folder with backslash", {"E:\\kit\\"}, "E:\\kit\\drivers\\cyusb3.inf"},
        {"folder without backslash", {"E:\\kit"}, "E:\\kitdrivers\\cyusb3.inf"},
        {"empty argument", {""}, "drivers\\cyusb3.inf"},
        {"quote that ended a quoted folder", {"C:\\QM27R kit\""}, "C:\\QM27R kit\\drivers\\cyusb3.inf"},
        {"quote inside the folder", {"C:\\a\"b\\"}, "C:\\a\"b\\drivers\\cyusb3.inf"},
        {"longest folder", {kLongest.c_str()}, kLongest + "drivers\\cyusb3.inf"},
        {"longest quoted folder", {kLongestQuoted.c_str()},
         std::string(492, 'a') + "\\drivers\\cyusb3.inf"},
    };
}

struct Buffer {
    char inf_path[kInfPathSize];
    char guard[16];
};

TEST(ResolveInfPath, FormsThePathAndEchoesItOnlyForAnArgument) {
    for (const PathCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::vector<const char*> argv = {"qm27r-install.exe"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        argv.push_back(nullptr);
        FakePlatform fake;
        Buffer buffer;
        std::memset(&buffer, 'X', sizeof buffer);

        const InfPathResult result =
            ResolveInfPath(static_cast<int>(argv.size() - 1), argv.data(), buffer.inf_path, fake.Seam());

        EXPECT_EQ(result, InfPathResult::kFormed);
        EXPECT_EQ(std::string(buffer.inf_path), c.expected_path);
        EXPECT_LE(c.expected_path.size(), kInfPathSize - 1);
        EXPECT_EQ(std::string(buffer.guard, sizeof buffer.guard), std::string(16, 'X'));
        std::vector<std::string> echo;
        if (!c.args.empty()) {
            echo = {"out:Drivers at path ", "out:" + c.expected_path, "out:\n"};
        }
        EXPECT_EQ(fake.operations, echo);
    }
}

TEST(ResolveInfPath, RefusesWhatCannotFormAPathAndLeavesAnEmptyText) {
    const char* two_args[] = {"qm27r-install.exe", "C:\\QM27R", "kit\\", nullptr};
    const char* no_name[] = {nullptr};
    const char* too_long[] = {"qm27r-install.exe", kTooLong.c_str(), nullptr};
    const struct {
        const char* name;
        int argc;
        const char* const* argv;
        InfPathResult expected;
    } cases[] = {
        {"two arguments", 3, two_args, InfPathResult::kWrongArguments},
        {"not even the tool's name", 0, no_name, InfPathResult::kWrongArguments},
        {"null vector", 2, nullptr, InfPathResult::kWrongArguments},
        {"folder one too long", 2, too_long, InfPathResult::kTooLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform fake;
        Buffer buffer;
        std::memset(&buffer, 'X', sizeof buffer);

        EXPECT_EQ(ResolveInfPath(c.argc, c.argv, buffer.inf_path, fake.Seam()), c.expected);
        EXPECT_EQ(buffer.inf_path[0], '\0');
        EXPECT_EQ(std::string(buffer.guard, sizeof buffer.guard), std::string(16, 'X'));
        EXPECT_TRUE(fake.operations.empty());
    }
}

}  // namespace
