// The least a program can do to reach the install call: the yardstick for
// the tool's start-up cost.
#include <windows.h>

using DiInstallDriverAFunction = BOOL(WINAPI*)(HWND, LPCSTR, DWORD, PBOOL);

int main() {
    HMODULE newdev = LoadLibraryExA("newdev.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (newdev == nullptr) {
        return 1;
    }
    const auto install = reinterpret_cast<DiInstallDriverAFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(newdev, "DiInstallDriverA")));
    return install != nullptr && install(nullptr, ".\\drivers\\cyusb3.inf", 0, nullptr) ? 0 : 1;
}
