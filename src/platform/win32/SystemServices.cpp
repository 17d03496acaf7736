#include "platform/win32/SystemServices.h"

#include <vector>

#include "platform/win32/UniqueHandle.h"

namespace keytide::win32 {

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) return std::nullopt;
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!contents.empty() &&
        !::ReadFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr)) {
        return std::nullopt;
    }
    contents.resize(read);
    return contents;
}

namespace {

bool WriteAll(HANDLE file, std::string_view contents) {
    DWORD written = 0;
    return contents.empty() ||
           (::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
            written == contents.size());
}

// Writes the bytes into the file where it stands, as the profile functions do;
// readers that have the file open (an editor, a virus scanner) do not stop it.
bool WriteInPlace(const std::string& path, std::string_view contents) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), contents) && SetEndOfFile(file.get());
}

}  // namespace

bool Win32FileSystem::WriteFile(const std::string& path, std::string_view contents) {
    // First to a neighbour that is then moved over the file, so that a failed
    // write never leaves a half-written file behind. Replacing a file that
    // another program holds open is refused, so then the bytes go in place.
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        UniqueFileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && WriteAll(file.get(), contents);
    }
    if (written && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    return WriteInPlace(path, contents);
}

bool Win32FileSystem::FileExists(const std::string& path) const {
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA(path.c_str(), &found));
    if (!search) return false;
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32UserMessages::ShowError(std::string_view caption, std::string_view text) {
    const std::string captionText(caption);
    const std::string bodyText(text);
    MessageBoxA(nullptr, bodyText.c_str(), captionText.c_str(), MB_OK | MB_ICONERROR);
}

int Win32Hotkeys::AtomForName(const char* name) { return GlobalAddAtomA(name); }

void Win32Hotkeys::DeleteAtom(int atom) { GlobalDeleteAtom(static_cast<ATOM>(atom)); }

bool Win32Hotkeys::Register(int id, std::uint32_t virtualKey) {
    return RegisterHotKey(window_, id, 0, virtualKey) != FALSE;
}

bool Win32Hotkeys::Unregister(int id) { return UnregisterHotKey(window_, id) != FALSE; }

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace keytide::win32
