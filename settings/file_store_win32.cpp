#include <windows.h>

#include <random>

#include "core/error.h"
#include "core/text.h"
#include "settings/file_store.h"
#include "settings/system_reason.h"

namespace quevor {
namespace {

std::string describe(const std::u16string& path) { return toUtf8(path); }

std::wstring wide(const std::u16string& text) { return {text.begin(), text.end()}; }

// The folder part of a path, "." for a bare name; a drive's root keeps its separator.
std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
}

std::wstring nameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring inFolder(const std::wstring& folder, const std::wstring& name) {
    const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return separated ? folder + name : folder + L'\\' + name;
}

[[noreturn]] void failWith(const std::string& what, const std::u16string& path, DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        fail("File not found: " + describe(path));
    }
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
        error == ERROR_SHARING_VIOLATION) {
        fail("Permission denied: " + describe(path));
    }
    fail(what + " " + describe(path) + ": " + toUtf8(systemReason(error)));
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (valid()) CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    // Closing can report a deferred write error, so the caller checks it.
    bool close() {
        const BOOL ok = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE handle_;
};

class Win32FileStore final : public FileStore {
public:
    std::string read(const std::u16string& path) override {
        Handle file(CreateFileW(wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) failWith("Cannot open", path, GetLastError());
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(file.get(), &info)) {
            failWith("Cannot read", path, GetLastError());
        }
        if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) fail("Not a file: " + describe(path));
        std::string bytes;
        char buffer[65536];
        while (true) {
            DWORD got = 0;
            if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
                failWith("Cannot read", path, GetLastError());
            }
            if (got == 0) break;
            bytes.append(buffer, got);
        }
        return bytes;
    }

    void replace(const std::u16string& path, std::string_view bytes) override {
        const std::wstring target = wide(path);
        const std::wstring folder = folderOf(target);
        const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
            failWith("Cannot write", path, GetLastError());
        }
        if (!(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            fail("File not found: " + describe(path));
        }
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) fail("Not a file: " + describe(path));
            // The rename would replace a read-only file without complaint; a direct write
            // would not, and the user marked it read-only for a reason.
            if (attributes & FILE_ATTRIBUTE_READONLY) fail("Permission denied: " + describe(path));
        }

        std::random_device random;
        std::wstring temp;
        HANDLE raw = INVALID_HANDLE_VALUE;
        for (int attempt = 0; attempt < 16 && raw == INVALID_HANDLE_VALUE; ++attempt) {
            temp = inFolder(folder,
                            L"." + nameOf(target) + L"." + std::to_wstring(random()) + L".tmp");
            raw = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
            if (raw == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
                GetLastError() != ERROR_ALREADY_EXISTS) {
                failWith("Cannot write", path, GetLastError());
            }
        }
        if (raw == INVALID_HANDLE_VALUE) {
            fail("Cannot write " + describe(path) + ": no temporary name free");
        }
        Handle file(raw);
        try {
            std::size_t done = 0;
            while (done < bytes.size()) {
                const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 20);
                DWORD wrote = 0;
                if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(chunk), &wrote,
                               nullptr)) {
                    failWith("Cannot write", path, GetLastError());
                }
                if (wrote == 0) fail("Cannot write " + describe(path) + ": nothing was written");
                done += wrote;
            }
            if (!FlushFileBuffers(file.get())) failWith("Cannot write", path, GetLastError());
            if (!file.close()) failWith("Cannot write", path, GetLastError());
            if (!MoveFileExW(temp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                failWith("Cannot write", path, GetLastError());
            }
        } catch (...) {
            if (file.valid()) file.close();
            DeleteFileW(temp.c_str());
            throw;
        }
        removeLeftovers(folder, nameOf(target));
    }

private:
    // A process ended between creating its temporary file and the rename leaves that file
    // behind; the next complete replace takes such leftovers away, so crashes do not pile up
    // hidden copies beside the settings file. Only names this store makes are touched.
    static void removeLeftovers(const std::wstring& folder, const std::wstring& name) {
        const std::wstring prefix = L"." + name + L".";
        const std::wstring suffix = L".tmp";
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(inFolder(folder, L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const std::wstring entry = found.cFileName;
            if (entry.size() <= prefix.size() + suffix.size() ||
                entry.compare(0, prefix.size(), prefix) != 0 ||
                entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0) {
                continue;
            }
            const std::wstring digits =
                entry.substr(prefix.size(), entry.size() - prefix.size() - suffix.size());
            if (digits.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
            DeleteFileW(inFolder(folder, entry).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
};

}  // namespace

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<Win32FileStore>(); }

bool existsOnDisk(const std::u16string& path) {
    return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace quevor
