#include "shell/TrayIconWindow_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "model/Names.h"

namespace keytide::win32 {

namespace {

GUID TrayGuid() {
    const names::Guid& id = names::kTrayIconGuid;
    GUID guid{};
    guid.Data1 = id.data1;
    guid.Data2 = id.data2;
    guid.Data3 = id.data3;
    std::copy(std::begin(id.data4), std::end(id.data4), std::begin(guid.Data4));
    return guid;
}

void SetTip(NOTIFYICONDATAW& data, const std::u16string& tip) {
    static_assert(sizeof(WCHAR) == sizeof(char16_t));
    const std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.data(), length, reinterpret_cast<char16_t*>(data.szTip));
    data.szTip[length] = L'\0';
}

}  // namespace

TrayIconWindow::TrayIconWindow(TrayPictures pictures, MessageWindow& notifications)
    : pictures_(std::move(pictures)), notifications_(notifications) {}

void TrayIconWindow::Create() {
    CreateParams params{};
    params.className = names::kTrayWindowClass;
    params.title = "";
    // Top-level (not message-only), because the shell broadcasts the new
    // taskbar to top-level windows; never shown.
    params.style = WS_POPUP;
    params.exStyle = WS_EX_TOOLWINDOW;
    params.width = 0;
    params.height = 0;
    WindowBase::Create(params);
    taskbarCreated_ = RegisterWindowMessageA(names::kTaskbarCreatedMessage);
    // An elevated copy would not get the broadcast from the shell otherwise.
    ChangeWindowMessageFilterEx(hwnd(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
    notifications_.OnMessage(names::kTrayCallbackMessage,
                             [this](WPARAM wParam, LPARAM lParam) { OnNotification(wParam, lParam); });
}

NOTIFYICONDATAW TrayIconWindow::Record(TrayIdentity identity) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;  // the current form, with the GUID
    data.hWnd = notifications_.hwnd();
    data.uID = names::kTrayIconNumber;
    if (identity == TrayIdentity::Guid) {
        data.uFlags |= NIF_GUID;
        data.guidItem = TrayGuid();
    }
    return data;
}

bool TrayIconWindow::Add(TrayIdentity identity, const TrayIconFace& face) {
    NOTIFYICONDATAW data = Record(identity);
    // The current callback form shows the plain tooltip only when asked to.
    data.uFlags |= NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = names::kTrayCallbackMessage;
    data.hIcon = pictures_.Picture(face.picture);
    SetTip(data, face.tip);
    currentCallbacks_ = false;
    const bool added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    if (added) shown_ = face;
    return added;
}

bool TrayIconWindow::Modify(TrayIdentity identity, const TrayIconFace& face) {
    NOTIFYICONDATAW data = Record(identity);
    if (!shown_ || pictures_.Picture(shown_->picture) != pictures_.Picture(face.picture)) {
        data.uFlags |= NIF_ICON;
        data.hIcon = pictures_.Picture(face.picture);
    }
    if (!shown_ || shown_->tip != face.tip) {
        data.uFlags |= NIF_TIP | NIF_SHOWTIP;
        SetTip(data, face.tip);
    }
    if ((data.uFlags & (NIF_ICON | NIF_TIP)) == 0) return true;
    const bool changed = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    if (changed) shown_ = face;
    return changed;
}

bool TrayIconWindow::Remove(TrayIdentity identity) {
    NOTIFYICONDATAW data = Record(identity);
    shown_.reset();
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

bool TrayIconWindow::UseCurrentCallbacks(TrayIdentity identity) {
    NOTIFYICONDATAW data = Record(identity);
    data.uVersion = NOTIFYICON_VERSION_4;
    currentCallbacks_ = Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
    return currentCallbacks_;
}

void TrayIconWindow::OnNotification(WPARAM wParam, LPARAM lParam) {
    if (icon_ == nullptr) return;
    UINT notification = 0;
    TrayPoint at;
    if (currentCallbacks_) {
        // The event in the low word, the icon in the high word; the position
        // (of the mouse, or of the icon for the keyboard) in wParam.
        notification = LOWORD(lParam);
        at = {GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
    } else {
        notification = static_cast<UINT>(lParam);
        POINT cursor{};
        GetCursorPos(&cursor);
        at = {cursor.x, cursor.y};
    }
    icon_->OnNotification(static_cast<TrayNotification>(notification), at);
}

LRESULT TrayIconWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // The new taskbar knows nothing of the icon (nor of what it showed).
        shown_.reset();
        if (icon_ != nullptr) icon_->OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_QUERYENDSESSION:
        if (controller_ != nullptr) controller_->OnCloseQuery();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam == FALSE && controller_ != nullptr) controller_->SessionEndCancelled();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) break;
        if (closeKey_) closeKey_();
        return 0;
    case WM_CLOSE:
        if (controller_ != nullptr) controller_->OnCloseQuery();
        DestroyWindow(hwnd());
        return 0;
    case WM_DESTROY:
        if (controller_ != nullptr) controller_->OnDestroy();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    if (menuMessages_) {
        if (auto handled = menuMessages_(message, wParam, lParam)) return *handled;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace keytide::win32
