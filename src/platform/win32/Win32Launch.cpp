#include "platform/win32/Win32Launch.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/ShellTarget.h"
#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {

// Opens through the handler registered for a class (here a URL scheme)
// instead of letting the shell look the target up by its name.
void OpenWithClass(const std::wstring& target, const std::wstring& className) {
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    execute.lpFile = target.c_str();
    execute.lpClass = className.c_str();
    execute.nShow = SW_SHOW;
    ShellExecuteExW(&execute);
}

}  // namespace

void OpenWithShell(const std::string& target) {
    // Wine's ShellExecute (8.0) copies a name into a MAX_PATH buffer on its
    // stack while it looks for the program: a longer one overwrote the
    // caller's frame, and from about 996 characters its pointer to the name.
    const auto plan = platform::PlanShellOpen(target);
    if (!plan) return;
    const std::wstring file = Widen(plan->file);
    if (plan->className.empty()) {
        ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOW);
    } else {
        OpenWithClass(file, Widen(plan->className));
    }
}

void StartCommandLine(const std::string& commandLine, int showCommand) {
    std::wstring line = Widen(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace keytide::win32
