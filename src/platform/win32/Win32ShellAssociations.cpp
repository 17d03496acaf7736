#include "platform/win32/Win32ShellAssociations.h"

#include <windows.h>
// windows.h first: shlwapi.h depends on it.
#include <shlwapi.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {
// ASSOCF_IS_PROTOCOL, which the Windows 7 headers this program builds against
// do not have: Windows 8 and later answer with the user's choice; older
// systems refuse the flag, and the caller then reads the protocol's key.
constexpr ASSOCF kIsProtocol = 0x00001000;
}  // namespace

std::optional<std::string> Win32ShellAssociations::ProtocolOpenCommand(const std::string& protocol) {
    constexpr ASSOCF kFlags = kIsProtocol | ASSOCF_NOTRUNCATE;
    // Wide, then UTF-8 like all of the program's text: the ANSI answer lost a
    // path's letters beyond ASCII ("C:\Users\Jürgen\...").
    const std::wstring name = Widen(protocol);
    std::vector<wchar_t> command(1024);
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto size = static_cast<DWORD>(command.size());
        const HRESULT result =
            AssocQueryStringW(kFlags, ASSOCSTR_COMMAND, name.c_str(), L"open", command.data(), &size);
        if (SUCCEEDED(result)) return Narrow(command.data());
        // Too small: size now holds what is needed.
        if (result != E_POINTER || size <= command.size()) break;
        command.resize(size);
    }
    return std::nullopt;
}

}  // namespace keytide::win32
