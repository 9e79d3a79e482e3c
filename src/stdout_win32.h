#pragma once

#include <windows.h>

// Standard output as the process found it at start.
struct StdoutTarget {
    HANDLE handle;
    bool is_console;  // a console window, rather than a pipe, a file or nothing
};

StdoutTarget OpenStdout();

// Writes a NUL-terminated ANSI text whole, each "\n" as CR LF. A console gets
// it as UTF-16, since it would show the bytes in its own OEM code page;
// anything else gets the ANSI bytes. A failed write ends it quietly.
void WriteStdout(const StdoutTarget& out, const char* text);
