#include "core/ExeFileDialog_win.h"

#include <commdlg.h>

#include <vector>

namespace keytide::win32 {

namespace {

// The records hold paths in the ANSI code page, as ktd.ini stores them.
std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

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
