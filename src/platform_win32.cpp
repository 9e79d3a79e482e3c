#include "platform_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

using DiInstallDriverAFunction = BOOL(WINAPI*)(HWND parent, LPCSTR inf_path, DWORD flags,
                                               PBOOL need_reboot);

WindowsPlatformState& State(void* context) { return *static_cast<WindowsPlatformState*>(context); }

void WriteOut(void*, const char* text) {
    std::fwrite(text, 1, std::strlen(text), stdout);
    std::fflush(stdout);
}

// newdev.dll is not one of Windows' known DLLs, so it is loaded at run time
// from System32 only: a static import would be looked for first beside the
// executable, where anyone could have put a DLL of that name.
int InstallDriver(void* context, const char* inf_path) {
    HMODULE newdev = LoadLibraryExA("newdev.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Through void(*)() so the compiler accepts the change of signature.
    const auto install =
        newdev == nullptr ? nullptr
                          : reinterpret_cast<DiInstallDriverAFunction>(reinterpret_cast<void (*)()>(
                                GetProcAddress(newdev, "DiInstallDriverA")));
    const BOOL installed = install != nullptr && install(nullptr, inf_path, 0, nullptr);
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
