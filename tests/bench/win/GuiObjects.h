#pragma once
// Counting another process's GDI and USER objects, for leak checks.
//
// Windows answers GetGuiResources. Wine 8 implements it as a stub that
// returns 0, so there the counts come from elsewhere:
// - GDI: every GDI object of a Wine process has an entry in the process's own
//   GDI handle table (PEB GdiSharedHandleTable, 65536 entries of 24 bytes;
//   a live entry has a non-zero type byte). The table is read with
//   ReadProcessMemory.
// - USER: the process's windows (top-level, owned and child windows), counted
//   with EnumWindows/EnumChildWindows. Menus, cursors and icons are not
//   counted this way; the OSD creates none of them.
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keytide::bench {

struct ObjectCount {
    long count = -1;      // -1: could not be counted
    std::string method;
};

namespace detail {

inline std::optional<std::uintptr_t> ProcessEnvironmentBlock(HANDLE process) {
    using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (query == nullptr) return std::nullopt;
    PROCESS_BASIC_INFORMATION info{};
    ULONG length = 0;
    if (query(process, ProcessBasicInformation, &info, sizeof info, &length) != 0) return std::nullopt;
    return reinterpret_cast<std::uintptr_t>(info.PebBaseAddress);
}

constexpr std::size_t kGdiTableOffsetInPeb = 0xF8;  // x64 PEB.GdiSharedHandleTable
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;

// Type byte of every GDI handle table entry (0: free); empty if unreadable.
inline std::vector<unsigned char> GdiTableTypes(HANDLE process) {
    const auto peb = ProcessEnvironmentBlock(process);
    if (!peb) return {};
    std::uintptr_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<LPCVOID>(*peb + kGdiTableOffsetInPeb), &table, sizeof table,
                           &read) ||
        table == 0) {
        return {};
    }
    std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<LPCVOID>(table), entries.data(), entries.size(), &read)) {
        return {};
    }
    std::vector<unsigned char> types(kGdiEntries);
    for (std::size_t i = 0; i < kGdiEntries; ++i) types[i] = entries[i * kGdiEntrySize + kGdiTypeOffset];
    return types;
}

inline long CountGdiTableEntries(HANDLE process) {
    const std::vector<unsigned char> types = GdiTableTypes(process);
    if (types.empty()) return -1;
    long live = 0;
    for (unsigned char type : types) {
        if (type != 0) ++live;
    }
    return live;
}

struct WindowTally {
    DWORD pid;
    long count;
};

inline BOOL CALLBACK CountChild(HWND, LPARAM tally) {
    ++reinterpret_cast<WindowTally*>(tally)->count;
    return TRUE;
}

inline BOOL CALLBACK CountTopLevel(HWND window, LPARAM tally) {
    auto* t = reinterpret_cast<WindowTally*>(tally);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == t->pid) {
        ++t->count;
        EnumChildWindows(window, &CountChild, tally);
    }
    return TRUE;
}

}  // namespace detail

inline ObjectCount GdiObjects(HANDLE process) {
    const DWORD byWindows = GetGuiResources(process, GR_GDIOBJECTS);
    if (byWindows != 0) return {static_cast<long>(byWindows), "GetGuiResources(GR_GDIOBJECTS)"};
    return {detail::CountGdiTableEntries(process), "live entries of the process's GDI handle table"};
}

inline ObjectCount UserObjects(HANDLE process) {
    const DWORD byWindows = GetGuiResources(process, GR_USEROBJECTS);
    if (byWindows != 0) return {static_cast<long>(byWindows), "GetGuiResources(GR_USEROBJECTS)"};
    detail::WindowTally tally{GetProcessId(process), 0};
    EnumWindows(&detail::CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    return {tally.count, "windows of the process (GetGuiResources answers 0 here)"};
}

}  // namespace keytide::bench
