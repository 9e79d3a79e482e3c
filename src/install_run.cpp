#include "install_run.h"

#include "inf_path.h"
#include "outcome.h"

namespace {

// Long enough to read the last line when the console closes with the tool.
constexpr std::uint32_t kFinalWaitMs = 4000;

// Why nothing was attempted, for a command line the tool cannot use.
const char* RefusalLine(InfPathResult result) {
    if (result == InfPathResult::kTooLong) {
        return "Folder path too long, Read the users manual for information on manually "
               "installing drivers\n";
    }
    // The usual cause is a folder with blanks given without quotes.
    return "Wrong arguments, give one folder path ending in a backslash, in quotes if it holds "
           "spaces\n";
}

}  // namespace

int RunInstall(int argc, const char* const* argv, const Platform& platform) {
    char inf_path[kInfPathSize];

    WriteOut(platform, "Attempting to install QM27R device drivers\n");
    const InfPathResult resolved = ResolveInfPath(argc, argv, inf_path, platform);
    if (resolved != InfPathResult::kFormed) {
        WriteOut(platform, RefusalLine(resolved));
    } else {
        WriteOut(platform, "Please wait...\n\n");
        const bool installed = platform.install_driver(platform.context, inf_path) != 0;
        // The failure code is only meaningful after a failed call; after a
        // success it may be stale from any earlier call.
        const std::uint32_t error_code =
            installed ? 0 : platform.install_error(platform.context);
        const char* outcome = OutcomeMessage(installed, error_code);
        if (outcome != nullptr) {
            WriteOut(platform, outcome);
        }
    }
    platform.sleep_ms(platform.context, kFinalWaitMs);
    return 0;
}
