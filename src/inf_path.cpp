#include "inf_path.h"

#include <cstring>

namespace {

constexpr char kSuffix[] = "drivers\\cyusb3.inf";
constexpr char kDefaultPath[] = ".\\drivers\\cyusb3.inf";

// Length of `text`, or kMaxFolderLength + 1 for anything longer, so an
// overlong argument is never scanned further than needed.
std::size_t BoundedLength(const char* text) {
    std::size_t length = 0;
    while (length <= kMaxFolderLength && text[length] != '\0') {
        ++length;
    }
    return length;
}

}  // namespace

InfPathResult ResolveInfPath(int argc, const char* const* argv, char (&inf_path)[kInfPathSize],
                             const Platform& platform) {
    inf_path[0] = '\0';
    if (argc == 1) {
        std::memcpy(inf_path, kDefaultPath, sizeof kDefaultPath);
        return InfPathResult::kFormed;
    }
    if (argc != 2 || argv == nullptr || argv[1] == nullptr) {
        return InfPathResult::kWrongArguments;
    }

    const char* folder = argv[1];
    const std::size_t length = BoundedLength(folder);
    if (length > kMaxFolderLength) {
        return InfPathResult::kTooLong;
    }
    std::memcpy(inf_path, folder, length);
    // Windows splits "C:\kit\" into C:\kit" since the backslash escapes the
    // closing quote. A quote can never be part of a file name, so the
    // trailing one stands for the backslash the user typed.
    if (length > 0 && folder[length - 1] == '"') {
        inf_path[length - 1] = '\\';
    }
    std::memcpy(inf_path + length, kSuffix, sizeof kSuffix);

    WriteOut(platform, "Drivers at path ");
    WriteOut(platform, inf_path);
    WriteOut(platform, "\n");
    return InfPathResult::kFormed;
}
