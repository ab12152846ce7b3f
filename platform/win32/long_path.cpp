#include "platform/win32/long_path.h"

#include "platform/win32/system.h"

namespace quevor::win32 {
namespace {

bool startsWith(std::wstring_view text, std::wstring_view start) {
    return text.substr(0, start.size()) == start;
}

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring extendedPath(std::wstring_view fullPath) {
    if (startsWith(fullPath, LR"(\\?\)") || startsWith(fullPath, LR"(\\.\)")) {
        return std::wstring(fullPath);
    }
    if (fullPath.size() >= 3 && isDriveLetter(fullPath[0]) && fullPath[1] == L':' &&
        fullPath[2] == L'\\') {
        return LR"(\\?\)" + std::wstring(fullPath);
    }
    if (fullPath.size() > 2 && startsWith(fullPath, LR"(\\)") && fullPath[2] != L'\\') {
        return LR"(\\?\UNC\)" + std::wstring(fullPath.substr(2));
    }
    return std::wstring(fullPath);
}

std::wstring extendedFullPath(std::u16string_view path) {
    const std::wstring given = wide(path);
    if (startsWith(given, LR"(\\?\)")) return given;
    const DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return given;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return given;
    full.resize(length);
    return extendedPath(full);
}

}  // namespace quevor::win32
