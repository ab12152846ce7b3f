// The bar's start-up entry: the value "quevor" of the current user's Run key, and the running
// program's path to compare it with. advapi32 is loaded when the menu first opens, not at
// start-up.

#include <vector>

#include "toolkit/win32/win32_toolkit.h"

namespace quevor::win32 {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kValueName = L"quevor";

}  // namespace

StartupEntry Win32Platform::readStartupEntry() {
    static auto* const regGetValue =
        systemFunction<decltype(RegGetValueW)>(L"advapi32.dll", "RegGetValueW");
    // A REG_EXPAND_SZ value comes expanded, as the system runs it.
    std::vector<wchar_t> text(MAX_PATH + 3, L'\0');
    while (true) {
        auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status = regGetValue(HKEY_CURRENT_USER, kRunKey, kValueName, RRF_RT_REG_SZ,
                                           nullptr, text.data(), &bytes);
        if (status == ERROR_SUCCESS) return {narrowToU16(text.data()), std::nullopt};
        if (status == ERROR_FILE_NOT_FOUND) return {};  // no key or no value: no entry
        // Something not text is there: an entry, but one that cannot start the bar.
        if (status == ERROR_UNSUPPORTED_TYPE) return {u"", std::nullopt};
        if (status != ERROR_MORE_DATA)
            return {std::nullopt, systemReason(static_cast<unsigned long>(status))};
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    }
}

std::optional<std::u16string> Win32Platform::writeStartupEntry(
    const std::optional<std::u16string>& command) {
    LSTATUS status;
    if (command) {
        static auto* const regSetKeyValue =
            systemFunction<decltype(RegSetKeyValueW)>(L"advapi32.dll", "RegSetKeyValueW");
        const std::wstring text = wide(*command);
        status = regSetKeyValue(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, text.c_str(),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    } else {
        static auto* const regDeleteKeyValue =
            systemFunction<decltype(RegDeleteKeyValueW)>(L"advapi32.dll", "RegDeleteKeyValueW");
        status = regDeleteKeyValue(HKEY_CURRENT_USER, kRunKey, kValueName);
        if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;  // gone already
    }
    if (status != ERROR_SUCCESS) return systemReason(static_cast<unsigned long>(status));
    return std::nullopt;
}

std::u16string Win32Platform::ownProgramPath() {
    std::vector<wchar_t> path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) fail(Message::internalError, {u"GetModuleFileNameW " + lastReason()});
        if (length < path.size()) return narrowToU16(std::wstring_view(path.data(), length));
        path.assign(path.size() * 2, L'\0');
    }
}

std::u16string Win32Platform::comparablePath(const std::u16string& path) {
    // Short (8.3) names become long ones where the file is there to ask; then one letter case,
    // as the file system compares names.
    std::wstring text = wide(path);
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetLongPathNameW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) break;  // as written
        if (length < buffer.size()) {
            text.assign(buffer.data(), length);
            break;
        }
        buffer.assign(length + 1, L'\0');
    }
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return narrowToU16(text);
}

}  // namespace quevor::win32
