#include "tray/tray_record.h"

#include "protocol/messages.h"
#include "text/text.h"
#include "tray/tray_icon.h"

void ShowTrayIcon(HWND dialog, TrayRecord& record, HICON icon) {
    record.wanted = true;
    record.icon = icon;
    bool added = false;
    (void)TrayIconUpdate(dialog, ID_TRAYICON, WM_TRAYNOTIFY, icon, kFirstTrayTip, &added);
    // A new icon carries the first tip, whatever an older one showed.
    if (added) CopyBounded(record.tip, kFirstTrayTip);
}

void SetTrayTip(HWND dialog, TrayRecord& record, const char* text) {
    CopyBounded(record.tip, text);
    (void)TrayIconSetTip(dialog, ID_TRAYICON, text);
}

void RemoveTrayIcon(HWND dialog, TrayRecord& record) {
    record.wanted = false;
    (void)TrayIconDelete(dialog, ID_TRAYICON);
}

void RestoreTrayIcon(HWND dialog, const TrayRecord& record) {
    if (!record.wanted) return;
    (void)TrayIconAdd(dialog, ID_TRAYICON, WM_TRAYNOTIFY, record.icon, record.tip);
}
