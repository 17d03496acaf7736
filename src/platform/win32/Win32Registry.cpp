#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace keytide::win32 {

namespace {

HKEY RootKey(platform::RegistryRoot root) {
    switch (root) {
    case platform::RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case platform::RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case platform::RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    }
    return HKEY_CURRENT_USER;
}

// Names and data are UTF-8 here and UTF-16 in the registry, so a path with
// characters outside the ANSI code page is stored as it is.
UniqueHkey OpenExisting(platform::RegistryRoot root, const std::string& keyPath, REGSAM access) {
    UniqueHkey key;
    if (RegOpenKeyExW(RootKey(root), Widen(keyPath).c_str(), 0, access, key.put()) != ERROR_SUCCESS) return {};
    return key;
}

}  // namespace

std::optional<platform::RegistryValue> Win32Registry::ReadValue(platform::RegistryRoot root,
                                                                const std::string& keyPath,
                                                                const std::string& valueName) {
    UniqueHkey key = OpenExisting(root, keyPath, KEY_READ);
    if (!key) return std::nullopt;

    platform::RegistryValue value;
    const std::wstring name = Widen(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return value;  // Missing
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        value.type = platform::RegistryValueType::Other;
        return value;
    }
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD readSize = size;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &readSize) != ERROR_SUCCESS) {
        return value;
    }
    value.type = platform::RegistryValueType::String;
    // The stored data may or may not carry its terminating zero.
    std::wstring_view text(data.data(), std::min<std::size_t>(readSize / sizeof(wchar_t), data.size()));
    if (auto end = text.find(L'\0'); end != std::wstring_view::npos) text = text.substr(0, end);
    value.text = Narrow(text);
    return value;
}

bool Win32Registry::WriteString(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                                const std::string& data) {
    UniqueHkey key;
    if (RegCreateKeyExW(RootKey(root), Widen(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring wide = Widen(data);
    return RegSetValueExW(key.get(), Widen(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void Win32Registry::DeleteValue(platform::RegistryRoot root, const std::string& keyPath,
                                const std::string& valueName) {
    if (UniqueHkey key = OpenExisting(root, keyPath, KEY_SET_VALUE)) {
        RegDeleteValueW(key.get(), Widen(valueName).c_str());
    }
}

}  // namespace keytide::win32
