#include "stdout_win32.h"

#include <cstddef>

namespace {

// Bytes of text taken at a time. The tool's texts are at most 511 bytes, so
// each goes in one piece and no character is ever split between two.
constexpr std::size_t kPieceSize = 512;
// Each byte may become CR LF.
constexpr std::size_t kLinesSize = 2 * kPieceSize;

bool WriteAllBytes(HANDLE handle, const char* bytes, DWORD size) {
    while (size > 0) {
        DWORD written = 0;
        if (WriteFile(handle, bytes, size, &written, nullptr) == FALSE || written == 0) {
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool WriteAllWide(HANDLE handle, const wchar_t* chars, DWORD count) {
    while (count > 0) {
        DWORD written = 0;
        if (WriteConsoleW(handle, chars, count, &written, nullptr) == FALSE || written == 0) {
            return false;
        }
        chars += written;
        count -= written;
    }
    return true;
}

// Copies the next piece of `text` into `lines`, each "\n" as CR LF, moves
// `text` past it and returns the size of the copy.
DWORD TakePiece(const char*& text, char (&lines)[kLinesSize]) {
    DWORD size = 0;
    for (std::size_t taken = 0; taken < kPieceSize && *text != '\0'; ++taken, ++text) {
        if (*text == '\n') {
            lines[size++] = '\r';
        }
        lines[size++] = *text;
    }
    return size;
}

}  // namespace

StdoutTarget OpenStdout() {
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    const bool is_console =
        handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != FALSE;
    return StdoutTarget{handle, is_console};
}

void WriteStdout(const StdoutTarget& out, const char* text) {
    char lines[kLinesSize];
    wchar_t wide[kLinesSize];
    while (*text != '\0') {
        const DWORD size = TakePiece(text, lines);
        bool written = false;
        if (out.is_console) {
            const int count = MultiByteToWideChar(CP_ACP, 0, lines, static_cast<int>(size), wide, kLinesSize);
            written = count > 0 && WriteAllWide(out.handle, wide, static_cast<DWORD>(count));
        } else {
            written = WriteAllBytes(out.handle, lines, size);
        }
        if (!written) {
            return;
        }
    }
}
