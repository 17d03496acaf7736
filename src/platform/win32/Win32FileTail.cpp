#include "platform/win32/Win32FileTail.h"

#include <algorithm>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace keytide::win32 {

std::optional<std::string> Win32FileTailReader::ReadTail(const std::string& path, std::size_t count) {
    // Shared for reading and writing: the player may have the file open.
    UniqueFileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
    const auto length = std::min<std::uint64_t>(static_cast<std::uint64_t>(size.QuadPart), count);
    LARGE_INTEGER start{};
    start.QuadPart = size.QuadPart - static_cast<LONGLONG>(length);
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return std::nullopt;

    std::string bytes(static_cast<std::size_t>(length), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

}  // namespace keytide::win32
