#include "platform/win32/Win32ShellAssociations.h"

#include <windows.h>
// windows.h first: shlwapi.h depends on it.
#include <shlwapi.h>

#include <vector>

namespace keytide::win32 {

namespace {
// ASSOCF_IS_PROTOCOL, which the Windows 7 headers this program builds against
// do not have: Windows 8 and later answer with the user's choice; older
// systems refuse the flag, and the caller then reads the protocol's key.
constexpr ASSOCF kIsProtocol = 0x00001000;
}  // namespace

std::optional<std::string> Win32ShellAssociations::ProtocolOpenCommand(const std::string& protocol) {
    constexpr ASSOCF kFlags = kIsProtocol | ASSOCF_NOTRUNCATE;
    std::vector<char> command(1024);
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto size = static_cast<DWORD>(command.size());
        const HRESULT result =
            AssocQueryStringA(kFlags, ASSOCSTR_COMMAND, protocol.c_str(), "open", command.data(), &size);
        if (SUCCEEDED(result)) return std::string(command.data());
        // Too small: size now holds what is needed.
        if (result != E_POINTER || size <= command.size()) break;
        command.resize(size);
    }
    return std::nullopt;
}

}  // namespace keytide::win32
