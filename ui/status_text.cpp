#include "ui/status_text.h"

namespace {

// One below the largest position: an empty selection after the last character.
constexpr WPARAM kEndOfText = 0x7FFFFFFE;

void AppendAtEnd(HWND control, const char* text) {
    SendMessageA(control, EM_SETSEL, kEndOfText, kEndOfText);
    // wParam 0: the change cannot be undone.
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void ShowStatusText(HWND control, const char* text, bool append) {
    if (!append) {
        SetWindowTextA(control, text);
        return;
    }
    AppendAtEnd(control, text);
    AppendAtEnd(control, "\r\n");
    SendMessageA(control, EM_SCROLLCARET, 0, 0);
}
