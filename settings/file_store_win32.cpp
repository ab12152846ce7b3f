#include <algorithm>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/long_path.h"
#include "platform/win32/system.h"
#include "settings/atomic_replace.h"
#include "settings/file_store.h"

namespace quevor {
namespace {

using win32::extendedFullPath;

[[noreturn]] void failWith(Message what, const std::u16string& path, DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        fail(Message::fileNotFound, {path});
    }
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
        error == ERROR_SHARING_VIOLATION) {
        fail(Message::accessDenied, {path});
    }
    fail(what, {path, win32::systemReason(error)});
}

// Closing can report a deferred write error, so it is checked.
bool closeChecked(win32::UniqueHandle& file) { return CloseHandle(file.release()) != FALSE; }

// The system calls of one replace. Every path goes to the system in its extended form.
class Win32Replace final : public ReplaceSteps {
public:
    bool create(const std::u16string& temp, const std::u16string& path) override {
        file_ = win32::fileHandle(CreateFileW(extendedFullPath(temp).c_str(), GENERIC_WRITE, 0,
                                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            failWith(Message::cannotWrite, path, error);
        }
        return false;
    }

    void commit(const std::u16string& temp, const std::u16string& path,
                std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 20);
            DWORD wrote = 0;
            if (!WriteFile(file_.get(), bytes.data() + done, static_cast<DWORD>(chunk), &wrote,
                           nullptr)) {
                failWith(Message::cannotWrite, path, GetLastError());
            }
            if (wrote == 0) fail(Message::nothingWritten, {path});
            done += wrote;
        }
        if (!FlushFileBuffers(file_.get())) failWith(Message::cannotWrite, path, GetLastError());
        if (!closeChecked(file_)) failWith(Message::cannotWrite, path, GetLastError());
        if (!MoveFileExW(extendedFullPath(temp).c_str(), extendedFullPath(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            failWith(Message::cannotWrite, path, GetLastError());
        }
    }

    void discard(const std::u16string& temp) noexcept override {
        if (file_) closeChecked(file_);
        DeleteFileW(extendedFullPath(temp).c_str());
    }

    // MOVEFILE_WRITE_THROUGH has made the rename durable already.
    void flushFolder(const std::u16string&) noexcept override {}

    std::vector<std::u16string> names(const std::u16string& folder) override {
        std::vector<std::u16string> found;
        WIN32_FIND_DATAW entry{};
        HANDLE search = FindFirstFileExW(extendedFullPath(inFolder(folder, u"*")).c_str(), FindExInfoBasic,
                                         &entry, FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE) return found;
        do {
            found.push_back(win32::narrowToU16(entry.cFileName));
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return found;
    }

    void remove(const std::u16string& file) noexcept override {
        DeleteFileW(extendedFullPath(file).c_str());
    }

private:
    win32::UniqueHandle file_;
};

class Win32FileStore final : public FileStore {
public:
    std::string read(const std::u16string& path) override {
        win32::UniqueHandle file = win32::fileHandle(
            CreateFileW(extendedFullPath(path).c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) failWith(Message::cannotOpen, path, GetLastError());
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(file.get(), &info)) {
            failWith(Message::cannotRead, path, GetLastError());
        }
        if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            fail(Message::notAFile, {path});
        }
        std::string bytes;
        char buffer[65536];
        while (true) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
                failWith(Message::cannotRead, path, GetLastError());
            }
            if (got == 0) break;
            bytes.append(buffer, got);
        }
        return bytes;
    }

    void replace(const std::u16string& path, std::string_view bytes) override {
        const DWORD folderAttributes = GetFileAttributesW(extendedFullPath(folderOf(path)).c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
            failWith(Message::cannotWrite, path, GetLastError());
        }
        if (!(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            fail(Message::fileNotFound, {path});
        }
        const DWORD attributes = GetFileAttributesW(extendedFullPath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) fail(Message::notAFile, {path});
            // The rename would replace a read-only file without complaint; a direct write
            // would not, and the user marked it read-only for a reason.
            if (attributes & FILE_ATTRIBUTE_READONLY) fail(Message::accessDenied, {path});
        }
        Win32Replace steps;
        replaceAtomically(steps, path, bytes);
    }

    bool exists(const std::u16string& path) override {
        return GetFileAttributesW(extendedFullPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

}  // namespace

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<Win32FileStore>(); }

}  // namespace quevor
