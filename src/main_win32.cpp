#include <windows.h>

#include "install_run.h"
#include "platform_win32.h"

int main(int argc, char** argv) {
    WindowsPlatformState state{};
    // First of all, so that no DLL loaded from here on can come from the
    // executable's folder or the current directory.
    state.dll_search = LimitDllSearch();
    state.out = OpenStdout();
    return RunInstall(argc, argv, WindowsPlatform(&state));
}
