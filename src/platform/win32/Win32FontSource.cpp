#include "platform/win32/Win32FontSource.h"

#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowBase.h"

namespace keytide::win32 {

namespace {

// Face names in UTF-8: a face whose name the ANSI code page lacks is listed
// under its own name, not as question marks.
int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    GuardCallback([&] { reinterpret_cast<std::vector<std::string>*>(names)->push_back(Narrow(font->lfFaceName)); });
    return 1;
}

}  // namespace

std::vector<std::string> Win32FontSource::ScreenFontFaces() {
    std::vector<std::string> names;
    WindowDc screen(nullptr);
    if (screen.get() == nullptr) return names;
    LOGFONTW every{};
    every.lfCharSet = DEFAULT_CHARSET;  // every face in every character set
    EnumFontFamiliesExW(screen.get(), &every, &CollectFace, reinterpret_cast<LPARAM>(&names), 0);
    return names;
}

bool Win32FontSource::Precedes(const std::string& a, const std::string& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Widen(a).c_str(), -1, Widen(b).c_str(), -1) ==
           CSTR_LESS_THAN;
}

}  // namespace keytide::win32
