#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/UniqueHandle.h"

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

UniqueHkey OpenExisting(platform::RegistryRoot root, const std::string& keyPath, REGSAM access) {
    UniqueHkey key;
    if (RegOpenKeyExA(RootKey(root), keyPath.c_str(), 0, access, key.put()) != ERROR_SUCCESS) return {};
    return key;
}

}  // namespace

std::optional<platform::RegistryValue> Win32Registry::ReadValue(platform::RegistryRoot root,
                                                                const std::string& keyPath,
                                                                const std::string& valueName) {
    UniqueHkey key = OpenExisting(root, keyPath, KEY_READ);
    if (!key) return std::nullopt;

    platform::RegistryValue value;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return value;  // Missing
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        value.type = platform::RegistryValueType::Other;
        return value;
    }
    std::vector<char> data(size + 1, '\0');
    DWORD readSize = size;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &readSize) != ERROR_SUCCESS) {
        return value;
    }
    value.type = platform::RegistryValueType::String;
    // The stored data may or may not carry its terminating zero.
    value.text.assign(data.data(), std::min<std::size_t>(readSize, data.size()));
    if (auto end = value.text.find('\0'); end != std::string::npos) value.text.resize(end);
    return value;
}

bool Win32Registry::WriteString(platform::RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                                const std::string& data) {
    UniqueHkey key = OpenExisting(root, keyPath, KEY_SET_VALUE);
    if (!key) return false;
    return RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

void Win32Registry::DeleteValue(platform::RegistryRoot root, const std::string& keyPath,
                                const std::string& valueName) {
    if (UniqueHkey key = OpenExisting(root, keyPath, KEY_SET_VALUE)) RegDeleteValueA(key.get(), valueName.c_str());
}

}  // namespace keytide::win32
