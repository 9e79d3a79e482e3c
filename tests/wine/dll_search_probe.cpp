// Runs the tool's own DLL search code and prints where newdev.dll came from:
//   dll_search_probe           as the tool starts: SetDefaultDllDirectories where the system has it
//   dll_search_probe legacy    the way of systems that lack it, taken whatever this one has
// Output: "search=system32" or "search=legacy", then "newdev=<module path>"
// or "newdev=none <error code>".
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "dll_search_win32.h"

int main(int argc, char** argv) {
    const bool legacy = argc > 1 && std::strcmp(argv[1], "legacy") == 0;
    const DllSearch search = legacy ? LimitLegacyDllSearch() : LimitDllSearch();
    std::printf("search=%s\n", search == DllSearch::kLegacy ? "legacy" : "system32");

    HMODULE newdev = LoadSystemDll("newdev.dll", search);
    char module_path[MAX_PATH] = "";
    if (newdev == nullptr) {
        std::printf("newdev=none %lu\n", GetLastError());
    } else {
        GetModuleFileNameA(newdev, module_path, MAX_PATH);
        std::printf("newdev=%s\n", module_path);
    }
    return 0;
}
