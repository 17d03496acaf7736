#include "platform/win32/Win32FontSource.h"

#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

namespace {

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
    GuardCallback([&] { reinterpret_cast<std::vector<std::string>*>(names)->emplace_back(font->lfFaceName); });
    return 1;
}

}  // namespace

std::vector<std::string> Win32FontSource::ScreenFontFaces() {
    std::vector<std::string> names;
    WindowDc screen(nullptr);
    if (screen.get() == nullptr) return names;
    LOGFONTA every{};
    every.lfCharSet = DEFAULT_CHARSET;  // every face in every character set
    EnumFontFamiliesExA(screen.get(), &every, &CollectFace, reinterpret_cast<LPARAM>(&names), 0);
    return names;
}

bool Win32FontSource::Precedes(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}

}  // namespace keytide::win32
