#include "tray/tray_icon.h"

#include "text/text.h"

ShellNotifyIconFunction g_shellNotifyIcon = Shell_NotifyIconA;

namespace {

// A fresh record in the first form (88 bytes): all zeros but the identity.
NOTIFYICONDATAA Record(HWND window, UINT id) {
    NOTIFYICONDATAA record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = id;
    return record;
}

void SetTip(NOTIFYICONDATAA& record, const char* tip) {
    CopyBounded(record.szTip, kTrayTipSize, tip);
}

}  // namespace

BOOL TrayIconAdd(HWND window, UINT id, UINT callbackMessage, HICON icon, const char* tip) {
    NOTIFYICONDATAA record = Record(window, id);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = callbackMessage;
    record.hIcon = icon;
    SetTip(record, tip);
    return g_shellNotifyIcon(NIM_ADD, &record);
}

BOOL TrayIconDelete(HWND window, UINT id) {
    NOTIFYICONDATAA record = Record(window, id);
    return g_shellNotifyIcon(NIM_DELETE, &record);
}

BOOL TrayIconSetTip(HWND window, UINT id, const char* tip) {
    NOTIFYICONDATAA record = Record(window, id);
    record.uFlags = NIF_TIP;
    SetTip(record, tip);
    return g_shellNotifyIcon(NIM_MODIFY, &record);
}

BOOL TrayIconSetIcon(HWND window, UINT id, HICON icon) {
    NOTIFYICONDATAA record = Record(window, id);
    record.uFlags = NIF_ICON;
    record.hIcon = icon;
    return g_shellNotifyIcon(NIM_MODIFY, &record);
}

namespace {

// A balloon's record: of the larger size that carries its fields, all zeros
// but the identity and the flag.
NOTIFYICONDATAA BalloonRecord(HWND window, UINT id) {
    NOTIFYICONDATAA record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V2_SIZE;
    record.hWnd = window;
    record.uID = id;
    record.uFlags = NIF_INFO;
    return record;
}

}  // namespace

BOOL TrayIconShowBalloon(HWND window, UINT id, const char* title, const char* text, bool error) {
    NOTIFYICONDATAA record = BalloonRecord(window, id);
    CopyBounded(record.szInfoTitle, sizeof record.szInfoTitle, title);
    CopyBounded(record.szInfo, sizeof record.szInfo, text);
    record.uTimeout = 10000;  // the shortest the shell keeps a balloon
    record.dwInfoFlags = error ? NIIF_ERROR : NIIF_WARNING;
    return g_shellNotifyIcon(NIM_MODIFY, &record);
}

BOOL TrayIconHideBalloon(HWND window, UINT id) {
    NOTIFYICONDATAA record = BalloonRecord(window, id);
    return g_shellNotifyIcon(NIM_MODIFY, &record);
}

BOOL TrayIconUpdate(HWND window, UINT id, UINT callbackMessage, HICON icon, const char* tip,
                    bool* added) {
    const bool changed = TrayIconSetIcon(window, id, icon) != FALSE;
    if (added != nullptr) *added = !changed;
    if (changed) return TRUE;
    if (!IsWindow(window)) {
        if (added != nullptr) *added = false;
        return FALSE;
    }
    return TrayIconAdd(window, id, callbackMessage, icon, tip);
}
