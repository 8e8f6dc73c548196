#include "ui/status_dialog.h"

#include "app/messages.h"
#include "app/monitor_state.h"
#include "config/monitor_key.h"
#include "config/reg_key.h"
#include "support/language_monitor_start.h"
#include "support/logo_bitmap.h"
#include "support/text.h"
#include "tray/tray_icon.h"
#include "ui/resource.h"
#include "ui/status_code.h"
#include "ui/status_text.h"

namespace {

constexpr COLORREF kStatusTextColor = RGB(0, 255, 0);
constexpr COLORREF kStatusBackColor = RGB(0, 0, 0);

bool IsCtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

void LoadSeverityIcons() {
    HINSTANCE instance = g_monitor.instance;
    g_monitor.normalIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_NORMAL));
    g_monitor.warningIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_WARNING));
    g_monitor.errorIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ERROR));
}

// The code stored under "Code" is the first one shown. It is posted, so it is
// handled once the message loop runs.
void PostStoredStatusCode(HWND dialog) {
    RegKey key(HKEY_LOCAL_MACHINE, g_monitor.monitorDataKeyPath);
    const char* code = key.QueryString("Code");
    if (code[0] != '\0') PostMessageA(dialog, WM_STATUSCODE, 1, ParseDecimal(code));
}

INT_PTR OnInitDialog(HWND dialog) {
    g_monitor.dialog = dialog;
    // First of all, so the spooler starts the language monitor before
    // anything else happens.
    if (g_monitor.startRequest) RequestLanguageMonitorStart();

    LoadSeverityIcons();
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_monitor.normalIcon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_monitor.normalIcon));
    g_monitor.trayIconWanted = true;
    g_monitor.trayIcon = g_monitor.normalIcon;
    CopyBounded(g_monitor.trayTip, kFirstTrayTip);
    TrayIconUpdate(dialog, ID_TRAYICON, WM_TRAYNOTIFY, g_monitor.normalIcon, kFirstTrayTip);
    SendDlgItemMessageA(dialog, IDC_STATUSTEXT, EM_LIMITTEXT, 0x7FFFFFFF, 0);

    CopyBounded(g_monitor.monitorDataKeyPath, GetMonitorDataKeyPath());
    PostStoredStatusCode(dialog);
    g_monitor.stopMessage = RegisterWindowMessageA(kStopMessageName);
    g_monitor.taskbarCreatedMessage = RegisterWindowMessageA(kTaskbarCreatedMessageName);

    LoadLogoBitmap(dialog, g_monitor.logo, IDB_LOGO, IDC_LOGO);
    return FALSE;  // no default keyboard focus
}

// A restarted shell has lost every tray icon: add ours again as it was, unless
// the driver's bidirectional switch had turned it off.
void RestoreTrayIcon(HWND dialog) {
    if (!g_monitor.trayIconWanted) return;
    TrayIconAdd(dialog, ID_TRAYICON, WM_TRAYNOTIFY, g_monitor.trayIcon, g_monitor.trayTip);
}

void OnNcDestroy(HWND dialog) {
    TrayIconDelete(dialog, ID_TRAYICON);
    if (g_monitor.logo != nullptr) {
        DeleteObject(g_monitor.logo);
        g_monitor.logo = nullptr;
    }
    PostQuitMessage(0);
}

// Minimising and closing only hide the dialog; the tray icon brings it back.
INT_PTR HideInsteadOfClosing(HWND dialog, WPARAM command) {
    const WPARAM kind = command & 0xFFF0;
    if (kind != SC_MINIMIZE && kind != SC_CLOSE) return FALSE;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

INT_PTR OnControlColor(HDC context, HWND control) {
    if (GetDlgCtrlID(control) != IDC_STATUSTEXT) return FALSE;
    SetBkColor(context, kStatusBackColor);
    SetTextColor(context, kStatusTextColor);
    return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
}

// The hidden diagnostic switch: with Ctrl held (or in test mode) a click on
// the logo shows the last message again, a double click toggles test mode.
void OnLogoCommand(HWND dialog, WORD notification) {
    if (!g_monitor.testMode && !IsCtrlDown()) return;
    if (notification == STN_CLICKED) {
        // Cleared first, so the repeat test lets the code through again.
        const int code = g_monitor.lastMessageCode;
        g_monitor.lastMessageCode = 0;
        PostMessageA(dialog, WM_STATUSCODE, 1, code);
    } else if (notification == STN_DBLCLK) {
        g_monitor.testMode = !g_monitor.testMode;
        ShowStatusText(GetDlgItem(dialog, IDC_STATUSTEXT),
                       g_monitor.testMode ? kTestModeOnNotice : kTestModeOffNotice,
                       g_monitor.scrollMode != 0);
    }
}

void OnTrayNotify(HWND dialog, LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDOWN) {
        ShowWindow(dialog, SW_SHOW);
        SetForegroundWindow(dialog);
    } else if (mouseMessage == WM_RBUTTONDOWN && IsCtrlDown()) {
        DestroyWindow(dialog);
    }
}

}  // namespace

HWND CreateStatusDialog(HINSTANCE instance) {
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_STATUS), nullptr, StatusDialogProc, 0);
}

INT_PTR CALLBACK StatusDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Registered messages have numbers known only at run time, so they are
    // tested before the switch. While a number is 0 nothing matches it.
    if (g_monitor.stopMessage != 0 && message == g_monitor.stopMessage) {
        DestroyWindow(dialog);
        return TRUE;
    }
    if (g_monitor.taskbarCreatedMessage != 0 && message == g_monitor.taskbarCreatedMessage) {
        RestoreTrayIcon(dialog);
        return FALSE;
    }
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_SYSCOLORCHANGE:
        LoadLogoBitmap(dialog, g_monitor.logo, IDB_LOGO, IDC_LOGO);
        return FALSE;
    case WM_NCDESTROY:
        OnNcDestroy(dialog);
        return FALSE;
    case WM_SYSCOMMAND:
        return HideInsteadOfClosing(dialog, wParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_LOGO) return FALSE;
        OnLogoCommand(dialog, HIWORD(wParam));
        return TRUE;
    case WM_STATUSCODE:
        HandleStatusCode(dialog, static_cast<int>(lParam));
        return FALSE;
    case WM_STATUSQUIT:
        DestroyWindow(dialog);
        return FALSE;
    case WM_TRAYNOTIFY:
        OnTrayNotify(dialog, lParam);
        return FALSE;
    default:
        return FALSE;
    }
}
