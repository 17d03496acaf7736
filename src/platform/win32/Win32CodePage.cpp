#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {
// With "Use Unicode UTF-8 for worldwide language support" on, the ANSI code
// page is UTF-8 itself.
bool AnsiIsUtf8() { return GetACP() == CP_UTF8; }
}  // namespace

std::string Win32CodePage::AnsiToUtf8(std::string_view ansi) const {
    if (ansi.empty() || AnsiIsUtf8()) return std::string(ansi);
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return Narrow(wide);
}

std::optional<std::string> Win32CodePage::Utf8ToAnsi(std::string_view utf8) const {
    if (utf8.empty() || AnsiIsUtf8()) return std::string(utf8);
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLength == 0) return std::nullopt;  // not UTF-8 at all
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        wideLength);
    BOOL substituted = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr,
                                           &substituted);
    if (substituted) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, ansi.data(), length, nullptr,
                        &substituted);
    if (substituted) return std::nullopt;
    return ansi;
}

}  // namespace keytide::win32
