#include "platform_win32.h"

#include <windows.h>

#include <cstring>

namespace {

using DiInstallDriverAFunction = BOOL(WINAPI*)(HWND parent, LPCSTR inf_path, DWORD flags,
                                               PBOOL need_reboot);

// Room for an INF path of 511 characters below a long current folder.
constexpr DWORD kFullPathSize = 1024;

WindowsPlatformState& State(void* context) { return *static_cast<WindowsPlatformState*>(context); }

void WriteOut(void* context, const char* text) { WriteStdout(State(context).out, text); }

// The install call wants the INF file's fully qualified path, so a relative
// one is resolved against the current directory, as the user meant it. The
// formed path stands when that fails or does not fit, and when the current
// folder holds a character that the ANSI code page has not: that comes back
// as '?', which no file name can hold.
const char* FullyQualified(const char* inf_path, char (&full_path)[kFullPathSize]) {
    const DWORD length = GetFullPathNameA(inf_path, kFullPathSize, full_path, nullptr);
    if (length == 0 || length >= kFullPathSize || std::strchr(full_path, '?') != nullptr) {
        return inf_path;
    }
    return full_path;
}

// newdev.dll is not one of Windows' known DLLs, so it is loaded at run time
// from System32 only: a static import would be looked for first beside the
// executable, where anyone could have put a DLL of that name.
int InstallDriver(void* context, const char* inf_path) {
    char full_path[kFullPathSize];
    const char* install_path = FullyQualified(inf_path, full_path);
    HMODULE newdev = LoadSystemDll("newdev.dll", State(context).dll_search);
    const auto install = newdev == nullptr
                             ? nullptr
                             : LookupFunction<DiInstallDriverAFunction>(newdev, "DiInstallDriverA");
    const BOOL installed = install != nullptr && install(nullptr, install_path, 0, nullptr);
    // Whichever step failed last set the code: the load, the lookup or the
    // install itself. No call stands between it and here.
    if (!installed) {
        State(context).install_error = GetLastError();
    }
    return installed;
}

std::uint32_t InstallError(void* context) { return State(context).install_error; }

void SleepMs(void*, std::uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace

Platform WindowsPlatform(WindowsPlatformState* state) {
    return Platform{state, WriteOut, InstallDriver, InstallError, SleepMs};
}
