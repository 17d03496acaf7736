#include "editor/ExeFileDialog_win.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {

// Two entries, each a caption and a pattern, ended by an empty one.
constexpr wchar_t kFilter[] = L"Exe files (*.exe)\0*.EXE\0All files (*.*)\0*.*\0";
constexpr DWORD kPathBufferLength = 32768;

}  // namespace

std::optional<std::string> ExeFileDialog::ChooseFile(const std::string& offered) {
    // The last chosen file is offered again; its folder is where the dialog opens.
    std::vector<wchar_t> path(kPathBufferLength, L'\0');
    const std::wstring start = Widen(offered);
    if (start.size() < path.size()) std::copy(start.begin(), start.end(), path.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathBufferLength;
    dialog.lpstrDefExt = L"exe";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return Narrow(path.data());
}

}  // namespace keytide::win32
