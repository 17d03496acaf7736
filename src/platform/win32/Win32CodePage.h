#pragma once
// The system's ANSI code page (CP_ACP) through MultiByteToWideChar and
// WideCharToMultiByte.
#include "platform/CodePage.h"

namespace keytide::win32 {

class Win32CodePage final : public platform::CodePage {
public:
    std::string AnsiToUtf8(std::string_view ansi) const override;
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const override;
};

}  // namespace keytide::win32
