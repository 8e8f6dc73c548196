#include "ui/status_text.h"

#include <string>

namespace {

// One below the largest position: an empty selection after the last character.
constexpr WPARAM kEndOfText = 0x7FFFFFFE;

void AppendAtEnd(HWND control, const char* text) {
    SendMessageA(control, EM_SETSEL, kEndOfText, kEndOfText);
    // wParam 0: the change cannot be undone.
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
}

// The caret's position, in the control's own units.
int CaretPosition(HWND control) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

// The position (in the control's units) of the first line to keep: the first
// line start at or after excess, but never past the start of the line that
// holds the newest text, which always stays whole. 0 keeps everything.
// Positions count bytes or characters, as the control does: an edit control
// may count a double-byte character once while its ANSI text holds two bytes.
int FirstPositionToKeep(const std::string& text, int excess, int newestStart,
                        bool countsBytes) {
    int keep = 0;
    int position = 0;
    const char* p = text.c_str();
    while (*p != '\0' && position <= newestStart) {
        const bool lineStart = position == 0 || p[-1] == '\n';
        if (lineStart) {
            keep = position;
            if (position >= excess) return position;
        }
        const char* next = countsBytes ? p + 1 : CharNextA(p);
        if (next == p) break;
        p = next;
        ++position;
    }
    return keep;
}

// Drops the oldest whole lines, down to the kept length, once the text is
// longer than the limit. end is the text's length in the control's units,
// newestStart where the newest text begins.
void DropOldestLines(HWND control, int end, int newestStart) {
    if (end <= kStatusHistoryLimit) return;
    const int bytes = GetWindowTextLengthA(control);
    if (bytes <= 0) return;
    std::string text(static_cast<std::size_t>(bytes) + 1, '\0');
    const int got = GetWindowTextA(control, &text[0], bytes + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));

    const int keep = FirstPositionToKeep(text, end - kStatusHistoryKept, newestStart,
                                         got == end);
    if (keep <= 0) return;
    SendMessageA(control, EM_SETSEL, 0, keep);
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
    // The caret stayed where the dropped lines were: back to the end.
    SendMessageA(control, EM_SETSEL, kEndOfText, kEndOfText);
}

// Whether the control's whole text is text.
bool Shows(HWND control, const char* text) {
    const int length = GetWindowTextLengthA(control);
    if (length != lstrlenA(text)) return false;
    std::string shown(static_cast<std::size_t>(length) + 1, '\0');
    return GetWindowTextA(control, &shown[0], length + 1) == length && shown.compare(0, length, text) == 0;
}

}  // namespace

void ShowStatusText(HWND control, const char* text, bool append) {
    if (!append) {
        // A text the area shows already is not set again: that would only
        // redraw it.
        if (!Shows(control, text)) SetWindowTextA(control, text);
        return;
    }
    // Where the newest text begins, read in the control's units before it goes in.
    SendMessageA(control, EM_SETSEL, kEndOfText, kEndOfText);
    const int newestStart = CaretPosition(control);
    // wParam 0: the change cannot be undone.
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
    AppendAtEnd(control, "\r\n");
    DropOldestLines(control, CaretPosition(control), newestStart);
    SendMessageA(control, EM_SCROLLCARET, 0, 0);
}
