#include <algorithm>
#include <initializer_list>
#include <utility>

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
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        fail(Message::fileInUse, {path});
    }
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT) {
        fail(Message::accessDenied, {path});
    }
    fail(what, {path, win32::systemReason(error)});
}

// Scanners, indexers and sync clients open a file for moments at a time. A step such a program
// refuses is tried again in short waits for about two seconds before it counts as failed.
constexpr ULONGLONG kHeldWaitMs = 2000;
constexpr DWORD kHeldRetryMs = 50;

// Whether another program has the file open without letting it be renamed or deleted: then
// even an open for deletion that shares everything is refused. Opening a file the user may not
// change is refused otherwise (or allowed), so the two "access denied" answers come apart.
bool openElsewhere(const std::u16string& file) {
    const win32::UniqueHandle probe =
        win32::fileHandle(CreateFileW(extendedFullPath(file).c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Runs step (which answers ERROR_SUCCESS or the system's error) again while its error says
// another program holds one of files, for the wait above at most. A rename over a held file
// answers "access denied" as a protected file does; such a denial is reported as the sharing
// violation it is.
template <typename Step>
DWORD retryWhileHeld(const Step& step, std::initializer_list<const std::u16string*> files) {
    const ULONGLONG deadline = GetTickCount64() + kHeldWaitMs;
    while (true) {
        DWORD error = step();
        if (error == ERROR_ACCESS_DENIED &&
            std::any_of(files.begin(), files.end(),
                        [](const std::u16string* file) { return openElsewhere(*file); })) {
            error = ERROR_SHARING_VIOLATION;
        }
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) ||
            GetTickCount64() >= deadline) {
            return error;
        }
        Sleep(kHeldRetryMs);
    }
}

// The file a path names, where a symbolic link or junction leads, so that a replace keeps the
// link and puts its temporary file beside the real file. The path as it is when the file is
// missing or the system cannot say.
std::u16string finalPath(const std::u16string& path) {
    // No access asked: this open neither conflicts with nor waits for another program's.
    const win32::UniqueHandle file = win32::fileHandle(CreateFileW(
        extendedFullPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return path;
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length =
                GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) >= name.size()) {
        name.resize(length);
    }
    if (length == 0) return path;
    name.resize(length);
    // Back to the ordinary form; the store extends every path it hands the system again.
    constexpr std::wstring_view kUnc = LR"(\\?\UNC\)", kLocal = LR"(\\?\)";
    if (name.rfind(kUnc, 0) == 0) return u"\\\\" + win32::narrowToU16(name.substr(kUnc.size()));
    if (name.rfind(kLocal, 0) == 0) return win32::narrowToU16(name.substr(kLocal.size()));
    return win32::narrowToU16(name);
}

// What the replaced file keeps of the old one's attributes (read-only refuses the replace).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Closing can report a deferred write error, so it is checked.
bool closeChecked(win32::UniqueHandle& file) { return CloseHandle(file.release()) != FALSE; }

// The system calls of one replace. Every path goes to the system in its extended form; messages
// name the settings file as the user gave it, though a link may lead elsewhere.
//
// ReplaceFileW would keep the attributes too, but some of its failures leave the target renamed
// away; a rename over the target leaves it old or new, so the temporary file takes the old
// file's attributes when it is made.
class Win32Replace final : public ReplaceSteps {
  public:
    Win32Replace(std::u16string shown, DWORD attributes)
        : shown_(std::move(shown)), attributes_(attributes) {}

    // A fresh name no other program knows, so nothing else can hold it: no waiting here.
    bool create(const std::u16string& temp, const std::u16string&) override {
        file_ = win32::fileHandle(
            CreateFileW(extendedFullPath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        attributes_ ? attributes_ : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            failWith(Message::cannotWrite, shown_, error);
        }
        return false;
    }

    void commit(const std::u16string& temp, const std::u16string& target,
                std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 20);
            DWORD wrote = 0;
            if (!WriteFile(file_.get(), bytes.data() + done, static_cast<DWORD>(chunk), &wrote,
                           nullptr)) {
                failWith(Message::cannotWrite, shown_, GetLastError());
            }
            if (wrote == 0) fail(Message::nothingWritten, {shown_});
            done += wrote;
        }
        if (!FlushFileBuffers(file_.get())) failWith(Message::cannotWrite, shown_, GetLastError());
        if (!closeChecked(file_)) failWith(Message::cannotWrite, shown_, GetLastError());
        // A scanner may hold the new file as soon as it is closed, or the old one.
        const DWORD renamed = retryWhileHeld(
            [&] {
                return MoveFileExW(extendedFullPath(temp).c_str(), extendedFullPath(target).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                           ? ERROR_SUCCESS
                           : GetLastError();
            },
            {&temp, &target});
        if (renamed != ERROR_SUCCESS) failWith(Message::cannotWrite, shown_, renamed);
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
        const win32::UniqueFind search = win32::findHandle(
            FindFirstFileExW(extendedFullPath(inFolder(folder, u"*")).c_str(), FindExInfoBasic,
                             &entry, FindExSearchNameMatch, nullptr, 0));
        if (!search) return found;
        do {
            found.push_back(win32::narrowToU16(entry.cFileName));
        } while (FindNextFileW(search.get(), &entry));
        return found;
    }

    void remove(const std::u16string& file) noexcept override {
        DeleteFileW(extendedFullPath(file).c_str());
    }

  private:
    std::u16string shown_;
    DWORD attributes_;
    win32::UniqueHandle file_;
};

class Win32FileStore final : public FileStore {
  public:
    std::string read(const std::u16string& path) override {
        win32::UniqueHandle file;
        const DWORD opened = retryWhileHeld(
            [&] {
                file =
                    win32::fileHandle(CreateFileW(extendedFullPath(path).c_str(), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                return file ? ERROR_SUCCESS : GetLastError();
            },
            {&path});
        if (opened != ERROR_SUCCESS) failWith(Message::cannotOpen, path, opened);
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
        const std::u16string file = finalPath(path);
        const DWORD folderAttributes = GetFileAttributesW(extendedFullPath(folderOf(file)).c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
            failWith(Message::cannotWrite, path, GetLastError());
        }
        if (!(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            fail(Message::fileNotFound, {path});
        }
        const DWORD attributes = GetFileAttributesW(extendedFullPath(file).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) fail(Message::notAFile, {path});
            // The rename would replace a read-only file without complaint; a direct write
            // would not, and the user marked it read-only for a reason.
            if (attributes & FILE_ATTRIBUTE_READONLY) fail(Message::accessDenied, {path});
        }
        Win32Replace steps(
            path, attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kKeptAttributes);
        replaceAtomically(steps, file, bytes);
    }

    bool exists(const std::u16string& path) override {
        return GetFileAttributesW(extendedFullPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

}  // namespace

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<Win32FileStore>(); }

}  // namespace quevor
