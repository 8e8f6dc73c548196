#include "ui/status_dialog.h"

#include <initializer_list>

#include "config/monitor_key.h"
#include "config/reg_key.h"
#include "logo/logo_bitmap.h"
#include "protocol/config_names.h"
#include "protocol/messages.h"
#include "spooler/language_monitor_start.h"
#include "state/monitor_state.h"
#include "text/text.h"
#include "tray/tray_record.h"
#include "ui/resource.h"
#include "ui/status_text.h"
#include "ui/status_view.h"

namespace {

constexpr COLORREF kStatusTextColor = RGB(0, 255, 0);
constexpr COLORREF kStatusBackColor = RGB(0, 0, 0);

bool IsCtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

// The image drawn for the shell's small-icon size (16 pixels at 96 DPI, more
// on larger displays), rather than a 32-pixel one that the shell would
// shrink. Not shared: LoadIconA's cached 32-pixel copy would come back.
HICON LoadTrayIcon(HINSTANCE instance, int id) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

void LoadSeverityIcons(MonitorState& state) {
    state.normalIcon = LoadIconA(state.instance, MAKEINTRESOURCEA(IDI_NORMAL));
    state.warningIcon = LoadIconA(state.instance, MAKEINTRESOURCEA(IDI_WARNING));
    state.errorIcon = LoadIconA(state.instance, MAKEINTRESOURCEA(IDI_ERROR));
    state.errorSign = LoadIconA(nullptr, MAKEINTRESOURCEA(32513));    // IDI_HAND
    state.warningSign = LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_EXCLAMATION
    state.normalTrayIcon = LoadTrayIcon(state.instance, IDI_NORMAL);
    state.warningTrayIcon = LoadTrayIcon(state.instance, IDI_WARNING);
    state.errorTrayIcon = LoadTrayIcon(state.instance, IDI_ERROR);
}

// After the tray icon is gone: the shell holds its own copy of the image.
void DestroyTrayIcons(MonitorState& state) {
    for (HICON* icon : {&state.normalTrayIcon, &state.warningTrayIcon, &state.errorTrayIcon}) {
        if (*icon != nullptr) DestroyIcon(*icon);
        *icon = nullptr;
    }
}

void LoadLogo(HWND dialog, MonitorState& state) {
    LoadLogoBitmap(state.instance, dialog, state.logo, IDB_LOGO, IDC_LOGO);
}

// The code stored under "Code" is the first one shown. It is posted, so it is
// handled once the message loop runs.
void PostStoredStatusCode(HWND dialog, const MonitorState& state) {
    RegKey key(HKEY_LOCAL_MACHINE, state.monitorDataKeyPath, KEY_READ);
    const char* code = key.QueryString(kCodeValue);
    if (code[0] != '\0') PostMessageA(dialog, WM_STATUSCODE, 1, ParseDecimal(code));
}

INT_PTR OnInitDialog(HWND dialog, MonitorState& state) {
    state.dialog = dialog;
    // First of all, so the spooler starts the language monitor before
    // anything else happens.
    if (state.startRequest) RequestLanguageMonitorStart();

    LoadSeverityIcons(state);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state.normalIcon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state.normalIcon));
    ShowTrayIcon(dialog, state.tray, state.normalTrayIcon);
    SendDlgItemMessageA(dialog, IDC_STATUSTEXT, EM_LIMITTEXT, 0x7FFFFFFF, 0);

    GetMonitorDataKeyPath(state.monitorKey, state.monitorDataKeyPath);
    PostStoredStatusCode(dialog, state);
    state.stopMessage = RegisterWindowMessageA(kStopMessageName);
    state.taskbarCreatedMessage = RegisterWindowMessageA(kTaskbarCreatedMessageName);

    LoadLogo(dialog, state);
    return FALSE;  // no default keyboard focus
}

void OnNcDestroy(HWND dialog, MonitorState& state) {
    CloseTrayIcon(dialog, state.tray, state.trayChanges);
    DestroyTrayIcons(state);
    if (state.logo != nullptr) {
        DeleteObject(state.logo);
        state.logo = nullptr;
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
void OnLogoCommand(HWND dialog, MonitorState& state, WORD notification) {
    if (!state.testMode && !IsCtrlDown()) return;
    if (notification == STN_CLICKED) {
        // Cleared first, so the repeat test lets the code through again.
        const int code = state.lastMessageCode;
        state.lastMessageCode = 0;
        PostMessageA(dialog, WM_STATUSCODE, 1, code);
    } else if (notification == STN_DBLCLK) {
        state.testMode = !state.testMode;
        ShowWaitingStatusText(dialog, state);  // the notice comes after it
        ShowStatusText(GetDlgItem(dialog, IDC_STATUSTEXT),
                       state.testMode ? kTestModeOnNotice : kTestModeOffNotice,
                       state.scrollMode != 0);
    }
}

void OnTrayNotify(HWND dialog, LPARAM mouseMessage) {
    // A click on the balloon of an alert opens the dialog as the icon does.
    if (mouseMessage == WM_LBUTTONDOWN || mouseMessage == NIN_BALLOONUSERCLICK) {
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
    MonitorState& state = g_monitor;
    // Registered messages have numbers known only at run time, so they are
    // tested before the switch. While a number is 0 nothing matches it.
    if (state.stopMessage != 0 && message == state.stopMessage) {
        DestroyWindow(dialog);
        return TRUE;
    }
    if (state.taskbarCreatedMessage != 0 && message == state.taskbarCreatedMessage) {
        // A restarted shell has lost every tray icon: ours comes back as it was.
        RestoreTrayIcon(dialog, state.tray, GetTickCount());
        return FALSE;
    }
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, state);
    case WM_SYSCOLORCHANGE:
        LoadLogo(dialog, state);
        return FALSE;
    case WM_NCDESTROY:
        OnNcDestroy(dialog, state);
        return FALSE;
    case WM_SYSCOMMAND:
        return HideInsteadOfClosing(dialog, wParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_LOGO) return FALSE;
        OnLogoCommand(dialog, state, HIWORD(wParam));
        return TRUE;
    case WM_STATUSCODE:
        HandleStatusCode(dialog, state, static_cast<int>(lParam));
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
