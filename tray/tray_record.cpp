#include "tray/tray_record.h"

#include "protocol/messages.h"
#include "text/text.h"
#include "tray/tray_icon.h"

void ShowTrayIcon(HWND dialog, TrayRecord& record, HICON icon) {
    if (record.closed) return;
    record.wanted = true;
    record.icon = icon;
    bool added = false;
    (void)TrayIconUpdate(dialog, ID_TRAYICON, WM_TRAYNOTIFY, icon, kFirstTrayTip, &added);
    // A new icon carries the first tip, whatever an older one showed.
    if (added) CopyBounded(record.tip, kFirstTrayTip);
}

void SetTrayTip(HWND dialog, TrayRecord& record, const char* text) {
    if (record.closed) return;
    CopyBounded(record.tip, text);
    (void)TrayIconSetTip(dialog, ID_TRAYICON, text);
}

void RemoveTrayIcon(HWND dialog, TrayRecord& record) {
    record.wanted = false;
    // The icon takes its balloon with it.
    record.balloonOnShow = false;
    (void)TrayIconDelete(dialog, ID_TRAYICON);
}

void CloseTrayIcon(HWND dialog, TrayRecord& record, PendingTrayChanges& pending) {
    // Before the shell is asked: its call may run a handler that would
    // otherwise make one of the changes.
    record.closed = true;
    record.balloonOwed = false;
    pending.count = 0;
    pending.alertWaiting = false;
    RemoveTrayIcon(dialog, record);
}

namespace {

constexpr int kMaxPending = sizeof(PendingTrayChanges{}.changes) / sizeof(TrayChange);

bool LastIs(const PendingTrayChanges& pending, TrayChange::Kind kind, int back = 0) {
    const int index = pending.count - 1 - back;
    return index >= 0 && pending.changes[index].kind == kind;
}

TrayChange& Append(PendingTrayChanges& pending, TrayChange::Kind kind) {
    // The rules below keep at most a removal, a tip, an icon and a tip, so
    // there is always room; the last place is reused rather than overrun.
    if (pending.count < kMaxPending) ++pending.count;
    TrayChange& change = pending.changes[pending.count - 1];
    change = TrayChange{};
    change.kind = kind;
    return change;
}

}  // namespace

void QueueRemoveTrayIcon(PendingTrayChanges& pending) {
    // Nothing before a removal shows afterwards: the next icon is added anew.
    pending.count = 0;
    Append(pending, TrayChange::kRemove);
}

void QueueShowTrayIcon(PendingTrayChanges& pending, HICON icon) {
    // After a show the icon is there, so a later show only changes its image,
    // which leaves the tip alone: the earlier show takes the later image.
    if (LastIs(pending, TrayChange::kShow)) {
        pending.changes[pending.count - 1].icon = icon;
    } else if (LastIs(pending, TrayChange::kSetTip) && LastIs(pending, TrayChange::kShow, 1)) {
        pending.changes[pending.count - 2].icon = icon;
    } else {
        Append(pending, TrayChange::kShow).icon = icon;
    }
}

void QueueSetTrayTip(PendingTrayChanges& pending, const char* text) {
    // Of two tips in a row the second is the one that stays.
    TrayChange& change = LastIs(pending, TrayChange::kSetTip) ? pending.changes[pending.count - 1]
                                                               : Append(pending, TrayChange::kSetTip);
    CopyBounded(change.tip, text);
}

void QueueAlertState(PendingTrayChanges& pending, const AlertState& state) {
    pending.alert = state;
    pending.alertWaiting = true;
}

bool BalloonAllowed(const BalloonHistory& history, const AlertState& state, DWORD now) {
    if (!state.announce) return false;
    if (!history.any) return true;
    if (state.messageCode == history.messageCode && !history.calmSince) return false;
    // An error after a warning's balloon is not kept waiting.
    if (state.error && !history.error) return true;
    // Unsigned, so that the tick count's wrap after 49 days does no harm.
    return now - history.shownAt >= kBalloonInterval;
}

void NoteBalloon(BalloonHistory& history, const AlertState& state, DWORD now) {
    history.any = true;
    history.shownAt = now;
    history.messageCode = state.messageCode;
    history.error = state.error;
    history.calmSince = false;
}

void NoteCalm(BalloonHistory& history) { history.calmSince = true; }

namespace {

// The balloon for the state the shell was last told of, if the rules let it
// come. It counts as shown only once the shell took it; until then the state
// is owed its balloon.
void AnnounceAlert(HWND dialog, TrayRecord& record, DWORD now) {
    const AlertState& state = record.alert;
    record.balloonOwed = false;
    if (record.closed || !BalloonAllowed(record.balloons, state, now)) return;
    char title[64];
    GetWindowTextA(dialog, title, sizeof title);
    if (!TrayIconShowBalloon(dialog, ID_TRAYICON, title, state.text, state.error)) {
        record.balloonOwed = true;
        return;
    }
    NoteBalloon(record.balloons, state, now);
    record.balloonOnShow = true;
}

bool SameAlertState(const AlertState& a, const AlertState& b) {
    return a.severity == b.severity && a.messageCode == b.messageCode && lstrcmpA(a.text, b.text) == 0;
}

// A balloon tells of one state: once another is shown it comes down, also
// when the new state gets no balloon of its own.
void TellAlertState(HWND dialog, TrayRecord& record, const AlertState& state, DWORD now) {
    if (record.balloonOnShow && !SameAlertState(record.alert, state)) {
        record.balloonOnShow = false;
        (void)TrayIconHideBalloon(dialog, ID_TRAYICON);  // a refusal: no icon, so no balloon either
    }
    record.alert = state;
    if (!state.announce) {
        record.balloonOwed = false;
        NoteCalm(record.balloons);
        return;
    }
    AnnounceAlert(dialog, record, now);
}

}  // namespace

void RestoreTrayIcon(HWND dialog, TrayRecord& record, DWORD now) {
    if (!record.wanted) return;
    record.balloonOnShow = false;  // the restarted shell shows none
    if (!TrayIconAdd(dialog, ID_TRAYICON, WM_TRAYNOTIFY, record.icon, record.tip)) return;
    if (record.balloonOwed) AnnounceAlert(dialog, record, now);
}

void ApplyTrayChanges(HWND dialog, TrayRecord& record, PendingTrayChanges& pending, DWORD now) {
    // The count is read afresh: a shell call that let the dialog close has
    // dropped the rest.
    for (int i = 0; i < pending.count; ++i) {
        const TrayChange& change = pending.changes[i];
        switch (change.kind) {
        case TrayChange::kRemove:
            RemoveTrayIcon(dialog, record);
            break;
        case TrayChange::kShow:
            ShowTrayIcon(dialog, record, change.icon);
            break;
        case TrayChange::kSetTip:
            SetTrayTip(dialog, record, change.tip);
            break;
        }
    }
    pending.count = 0;
    if (!pending.alertWaiting) return;
    pending.alertWaiting = false;
    if (!record.closed) TellAlertState(dialog, record, pending.alert, now);
}

bool TrayChangesWaiting(const PendingTrayChanges& pending) {
    return pending.count > 0 || pending.alertWaiting;
}

bool TrayChangesOverdue(const PendingTrayChanges& pending, DWORD now) {
    // Unsigned, so that the tick count's wrap after 49 days does no harm.
    return TrayChangesWaiting(pending) && now - pending.since >= kTrayChangesMaxWait;
}
