#include "platform/win32/SystemServices.h"

#include <vector>

#include "platform/ShellTarget.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

namespace {

bool NamesNothing(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return true;
    default:
        return false;
    }
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

platform::FileRead Win32FileSystem::ReadFile(const std::string& path, std::size_t maxSize) const {
    using platform::FileReadStatus;
    UniqueFileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {NamesNothing(GetLastError()) ? FileReadStatus::Missing : FileReadStatus::Unreadable, {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {FileReadStatus::Unreadable, {}};
    if (static_cast<std::uint64_t>(size.QuadPart) > maxSize) return {FileReadStatus::TooLarge, {}};

    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled), &read,
                        nullptr)) {
            return {FileReadStatus::Unreadable, {}};
        }
        if (read == 0) break;  // the file got shorter meanwhile
        filled += read;
    }
    bytes.resize(filled);
    return {FileReadStatus::Read, std::move(bytes)};
}

std::optional<platform::FileAttributes> Win32FileSystem::Attributes(const std::string& path) const {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return platform::FileAttributes{(attributes & FILE_ATTRIBUTE_READONLY) != 0,
                                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

bool Win32FileSystem::WriteReplacing(const std::string& path, std::string_view bytes) {
    const std::wstring target = Widen(path);
    const std::wstring temporary = target + L".tmp";
    bool written = false;
    {
        UniqueFileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && WriteAll(file.get(), bytes);
    }
    // ReplaceFileW gives the new file the old one's attributes and security;
    // a file that is not there yet is simply moved into place.
    if (written && (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES
                        ? ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                        : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

bool Win32FileSystem::WriteInPlace(const std::string& path, std::string_view bytes) {
    UniqueFileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), bytes) && SetEndOfFile(file.get());
}

bool Win32FileSystem::FileExists(const std::string& path) const {
    // Windows finds nothing by a name of MAX_PATH or more (the program does
    // not declare long-path support); Wine would, and its ShellExecute then
    // overruns a MAX_PATH buffer with it. The same answer on both.
    if (!platform::FitsMaxPath(path)) return false;
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW(Widen(path).c_str(), &found));
    if (!search) return false;
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32UserMessages::ShowError(std::string_view caption, std::string_view text) {
    ProgramBoxes().ShowOnce(caption, text, [&] {
        MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | MB_ICONERROR);
    });
}

int Win32Hotkeys::AtomForName(const char* name) { return GlobalAddAtomA(name); }

void Win32Hotkeys::DeleteAtom(int atom) { GlobalDeleteAtom(static_cast<ATOM>(atom)); }

bool Win32Hotkeys::Register(int id, std::uint32_t virtualKey) {
    return RegisterHotKey(window_, id, 0, virtualKey) != FALSE;
}

bool Win32Hotkeys::Unregister(int id) { return UnregisterHotKey(window_, id) != FALSE; }

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace keytide::win32
