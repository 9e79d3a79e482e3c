#include <windows.h>

#include "install_run.h"
#include "platform_win32.h"

int main(int argc, char** argv) {
    // First of all, so that no DLL loaded from here on can come from the
    // executable's folder or the current directory.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    WindowsPlatformState state{0};
    return RunInstall(argc, argv, WindowsPlatform(&state));
}
