#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "core/error.h"
#include "core/text.h"
#include "settings/file_store.h"

namespace quevor {
namespace {

namespace fs = std::filesystem;

std::string describe(const fs::path& path) { return path.string(); }

[[noreturn]] void failErrno(const std::string& what, const fs::path& path, int error) {
    if (error == ENOENT) fail("File not found: " + describe(path));
    if (error == EACCES || error == EPERM || error == EROFS) {
        fail("Permission denied: " + describe(path));
    }
    fail(what + " " + describe(path) + ": " + std::strerror(error));
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closing reports deferred write errors (NFS, quotas), so it is checked.
    int release() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

class PosixFileStore final : public FileStore {
public:
    std::string read(const std::u16string& name) override {
        const fs::path path(toUtf8(name));
        Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0) failErrno("Cannot open", path, errno);
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0) failErrno("Cannot read", path, errno);
        if (!S_ISREG(info.st_mode)) fail("Not a file: " + describe(path));
        std::string bytes;
        char buffer[65536];
        while (true) {
            const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                failErrno("Cannot read", path, errno);
            }
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }

    void replace(const std::u16string& name, std::string_view bytes) override {
        const fs::path path(toUtf8(name));
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        mode_t mode = 0644;
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            fail("Permission denied: " + describe(folder));
        }
        if (::stat(path.c_str(), &info) == 0) {
            // A read-only settings file stays read-only: refuse as the system would for a
            // direct write, even for a user (root) whom the rename would let through.
            if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
                fail("Permission denied: " + describe(path));
            }
            mode = info.st_mode & 07777;
        }

        std::random_device random;
        fs::path temp;
        int raw = -1;
        for (int attempt = 0; attempt < 16 && raw < 0; ++attempt) {
            temp = folder / ("." + path.filename().string() + "." + std::to_string(random()) + ".tmp");
            raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (raw < 0 && errno != EEXIST) failErrno("Cannot write", path, errno);
        }
        if (raw < 0) fail("Cannot write " + describe(path) + ": no temporary name free");
        Fd fd(raw);
        try {
            std::size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t wrote = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
                if (wrote < 0) {
                    if (errno == EINTR) continue;
                    failErrno("Cannot write", path, errno);
                }
                done += static_cast<std::size_t>(wrote);
            }
            if (::fchmod(fd.get(), mode) != 0) failErrno("Cannot write", path, errno);
            if (::fsync(fd.get()) != 0) failErrno("Cannot write", path, errno);
            if (fd.release() != 0) failErrno("Cannot write", path, errno);
            if (::rename(temp.c_str(), path.c_str()) != 0) failErrno("Cannot write", path, errno);
        } catch (...) {
            ::unlink(temp.c_str());
            throw;
        }
        // Make the rename itself durable.
        Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0) ::fsync(dir.get());
        removeLeftovers(folder, path.filename().string());
    }

private:
    // A process killed between creating its temporary file and the rename leaves that file
    // behind; the next complete replace takes such leftovers away, so crashes do not pile up
    // hidden copies beside the settings file. Only names this store makes are touched.
    static void removeLeftovers(const fs::path& folder, const std::string& name) {
        const std::string prefix = "." + name + ".";
        const std::string suffix = ".tmp";
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string entry = it->path().filename().string();
            if (entry.size() <= prefix.size() + suffix.size() || entry.compare(0, prefix.size(), prefix) != 0 ||
                entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0) {
                continue;
            }
            const std::string digits = entry.substr(prefix.size(), entry.size() - prefix.size() - suffix.size());
            if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
            ::unlink(it->path().c_str());
        }
    }
};

}  // namespace

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<PosixFileStore>(); }

bool existsOnDisk(const std::u16string& path) {
    struct stat info {};
    return ::stat(toUtf8(path).c_str(), &info) == 0;
}

}  // namespace quevor
