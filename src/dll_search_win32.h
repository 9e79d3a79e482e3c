#pragma once

#include <windows.h>

#include <cstdint>

// How the process keeps DLLs from being loaded out of the executable's
// folder or the current directory, which may hold files anyone put there.
enum class DllSearch : std::uint8_t {
    kSystem32Only,  // SetDefaultDllDirectories limits every load to System32
    kLegacy,        // the current directory is out; System32 DLLs go by full path
};

// First thing at start: limits the DLL search to System32 where the system
// can (Windows 8, or 7 with KB2533623), and otherwise falls back to
// LimitLegacyDllSearch.
DllSearch LimitDllSearch();

// For systems without SetDefaultDllDirectories (Vista, Windows 7 as shipped):
// takes the current directory out of the DLL search.
DllSearch LimitLegacyDllSearch();

// Loads a DLL of Windows' own from System32 and from nowhere else; nullptr
// with the thread's error code set when it cannot be had.
HMODULE LoadSystemDll(const char* name, DllSearch search);

// The function `name` of a loaded DLL as the pointer type it really has, or
// nullptr. Through void(*)() so the compiler accepts the change of signature.
template <typename Function>
Function LookupFunction(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
