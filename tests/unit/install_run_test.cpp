#include "install_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fake_platform.h"

namespace {

const std::string kBanner = "out:Attempting to install QM27R device drivers\n";
const std::string kWait = "out:Please wait...\n\n";
const std::string kSleep = "sleep:4000";
const std::string kTooLongFolder(494, 'a');

struct RunCase {
    const char* name;
    std::vector<const char*> args;  // after the tool's own name
    int install_result;
    std::uint32_t error_code;
    std::vector<std::string> expected;
};

std::vector<RunCase> Cases() {
    const std::string echo_path = "out:E:\\kit\\drivers\\cyusb3.inf";
    return {
        {"success with the default path",
         {},
         1,
         0,
         {kBanner, kWait, "install:.\\drivers\\cyusb3.inf", "out:Driver successfully installed\n", kSleep}},
        {"success with a stale failure code, which is not read",
         {"E:\\kit\\"},
         1,
         5,
         {kBanner, "out:Drivers at path ", echo_path, "out:\n", kWait, "install:E:\\kit\\drivers\\cyusb3.inf",
          "out:Driver successfully installed\n", kSleep}},
        {"known failure",
         {"E:\\kit\\"},
         0,
         5,
         {kBanner, "out:Drivers at path ", echo_path, "out:\n", kWait, "install:E:\\kit\\drivers\\cyusb3.inf",
          "install_error", "out:Access denied, Restart and Run As Administrator\n", kSleep}},
        {"unknown failure code leaves no line",
         {},
         0,
         0x20,
         {kBanner, kWait, "install:.\\drivers\\cyusb3.inf", "install_error", kSleep}},
        {"failure code 0 leaves no line",
         {},
         0,
         0,
         {kBanner, kWait, "install:.\\drivers\\cyusb3.inf", "install_error", kSleep}},
        {"two arguments are refused",
         {"C:\\QM27R", "kit\\"},
         1,
         0,
         {kBanner,
          "out:Wrong arguments, give one folder path ending in a backslash, in quotes if it holds spaces\n",
          kSleep}},
        {"a folder too long is refused",
         {kTooLongFolder.c_str()},
         1,
         0,
         {kBanner,
          "out:Folder path too long, Read the users manual for information on manually installing "
          "drivers\n",
          kSleep}},
    };
}

TEST(RunInstall, RunsTheStepsInOrderAndAlwaysExitsZero) {
    for (const RunCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::vector<const char*> argv = {"qm27r-install.exe"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        argv.push_back(nullptr);
        FakePlatform fake;
        fake.install_result = c.install_result;
        fake.error_code = c.error_code;

        EXPECT_EQ(RunInstall(static_cast<int>(argv.size() - 1), argv.data(), fake.Seam()), 0);
        EXPECT_EQ(fake.operations, c.expected);
    }
}

TEST(RunInstall, RefusesARunWithoutEvenTheToolsName) {
    const char* argv[] = {nullptr};
    FakePlatform fake;

    EXPECT_EQ(RunInstall(0, argv, fake.Seam()), 0);
    EXPECT_EQ(fake.operations,
              (std::vector<std::string>{
                  kBanner,
                  "out:Wrong arguments, give one folder path ending in a backslash, in quotes if it holds spaces\n",
                  kSleep}));
}

}  // namespace
