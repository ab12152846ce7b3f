#include "platform/win32/system.h"

#include "core/text.h"

namespace quevor::win32 {

std::u16string systemReason(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length > 0 && buffer) text.assign(buffer, buffer + length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' ||
                             text.back() == u'.')) {
        text.pop_back();
    }
    if (text.empty()) text = ascii("system error " + std::to_string(error));
    return text;
}

std::u16string lastReason() { return systemReason(GetLastError()); }

}  // namespace quevor::win32
