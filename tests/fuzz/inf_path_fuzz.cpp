// Feeds INF path forming any command line: the first byte picks the argument
// count (0 to 3), the rest is split at NUL bytes into the arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../unit/fake_platform.h"
#include "inf_path.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The path the rules give for one argument, worked out the long way.
std::string ExpectedPath(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() == '"') {
        path.back() = '\\';
    }
    return path + "drivers\\cyusb3.inf";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int argc = data[0] % 4;
    std::vector<std::string> args(static_cast<std::size_t>(argc));
    std::size_t next = 0;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == '\0') {
            ++next;
        } else if (next < args.size()) {
            args[next].push_back(static_cast<char>(data[i]));
        }
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    argv.push_back(nullptr);

    char inf_path[kInfPathSize];
    std::memset(inf_path, 0x7f, sizeof inf_path);
    FakePlatform fake;
    const InfPathResult result = ResolveInfPath(argc, argv.data(), inf_path, fake.Seam());

    Require(std::memchr(inf_path, '\0', sizeof inf_path) != nullptr);
    const std::string formed(inf_path);
    if (argc == 1) {
        Require(result == InfPathResult::kFormed);
        Require(formed == ".\\drivers\\cyusb3.inf");
        Require(fake.operations.empty());
    } else if (argc == 2 && args[1].size() <= 493) {
        Require(result == InfPathResult::kFormed);
        Require(formed == ExpectedPath(args[1]));
        Require(fake.operations ==
                (std::vector<std::string>{"out:Drivers at path ", "out:" + formed, "out:\n"}));
    } else {
        Require(result == (argc == 2 ? InfPathResult::kTooLong : InfPathResult::kWrongArguments));
        Require(formed.empty());
        Require(fake.operations.empty());
    }
    return 0;
}
