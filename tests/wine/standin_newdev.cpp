// A stand-in for Windows' newdev.dll. Its DiInstallDriverA records what it
// was given and answers as the test asks, through environment variables:
//   STANDIN_LOG       file to write the record to
//   STANDIN_RESULT    "ok" to succeed, or the failure code to fail with
//   STANDIN_DELAY_MS  how long the call blocks before it answers
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

unsigned long long Ticks(FILETIME time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Milliseconds from the creation of the calling process until now.
double MsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    return static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
}

void WriteRecord(HWND parent, LPCSTR inf_path, DWORD flags, PBOOL need_reboot, double startup_ms) {
    char log_path[MAX_PATH];
    if (GetEnvironmentVariableA("STANDIN_LOG", log_path, sizeof log_path) == 0) {
        return;
    }
    char module_path[MAX_PATH] = "";
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&WriteRecord), &self);
    GetModuleFileNameA(self, module_path, sizeof module_path);

    FILE* log = std::fopen(log_path, "wb");
    if (log == nullptr) {
        return;
    }
    std::fprintf(log, "parent=%p\ninf_path=%s\nflags=%lu\nneed_reboot=%p\nmodule=%s\nstartup_ms=%.3f\n",
                 static_cast<void*>(parent), inf_path, flags, static_cast<void*>(need_reboot),
                 module_path, startup_ms);
    std::fclose(log);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI DiInstallDriverA(HWND parent, LPCSTR inf_path,
                                                              DWORD flags, PBOOL need_reboot) {
    const double startup_ms = MsSinceProcessStart();
    WriteRecord(parent, inf_path, flags, need_reboot, startup_ms);

    char value[32];
    if (GetEnvironmentVariableA("STANDIN_DELAY_MS", value, sizeof value) != 0) {
        Sleep(std::strtoul(value, nullptr, 10));
    }
    if (GetEnvironmentVariableA("STANDIN_RESULT", value, sizeof value) == 0 ||
        lstrcmpA(value, "ok") == 0) {
        // A stale code that a caller must not read after a success.
        SetLastError(ERROR_ACCESS_DENIED);
        return TRUE;
    }
    SetLastError(std::strtoul(value, nullptr, 0));
    return FALSE;
}
