#include "dll_search_win32.h"

#include <cstring>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD flags);

}  // namespace

DllSearch LimitDllSearch() {
    // Looked up at run time: a static import of a call that Vista and an
    // unpatched Windows 7 lack would stop the tool from starting at all.
    // kernel32.dll is a known DLL, always taken from System32.
    const auto set_default_dll_directories =
        LookupFunction<SetDefaultDllDirectoriesFunction>(GetModuleHandleA("kernel32.dll"),
                                                         "SetDefaultDllDirectories");
    if (set_default_dll_directories != nullptr &&
        set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE) {
        return DllSearch::kSystem32Only;
    }
    return LimitLegacyDllSearch();
}

DllSearch LimitLegacyDllSearch() {
    SetDllDirectoryA("");
    return DllSearch::kLegacy;
}

HMODULE LoadSystemDll(const char* name, DllSearch search) {
    if (search == DllSearch::kSystem32Only) {
        return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    // Without the System32-only flag, which older systems do not know, the
    // DLL goes by its full path, and LOAD_WITH_ALTERED_SEARCH_PATH makes the
    // loader look for its own dependencies in System32 first too.
    char path[MAX_PATH];
    const UINT folder_length = GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t name_length = std::strlen(name);
    if (folder_length == 0) {
        return nullptr;
    }
    if (folder_length + 1 + name_length >= MAX_PATH) {
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return nullptr;
    }
    path[folder_length] = '\\';
    std::memcpy(path + folder_length + 1, name, name_length + 1);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
