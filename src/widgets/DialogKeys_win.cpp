#include "widgets/DialogKeys_win.h"

#include <algorithm>
#include <vector>

namespace keytide::win32 {

namespace {

// The program's user-interface thread is the only one that uses this.
std::vector<HWND>& DialogWindows() {
    static std::vector<HWND> windows;
    return windows;
}

}  // namespace

void EnableDialogKeys(HWND window) {
    auto& windows = DialogWindows();
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
}

void DisableDialogKeys(HWND window) { std::erase(DialogWindows(), window); }

bool HandleDialogKeys(MSG& message) {
    if (message.hwnd == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto& windows = DialogWindows();
    if (std::find(windows.begin(), windows.end(), root) == windows.end()) return false;
    return IsDialogMessageW(root, &message) != FALSE;
}

}  // namespace keytide::win32
