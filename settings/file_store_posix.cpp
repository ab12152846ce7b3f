#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <utility>

#include "core/error.h"
#include "core/messages.h"
#include "core/text.h"
#include "settings/atomic_replace.h"
#include "settings/file_store.h"

namespace quevor {
namespace {

// The system's name of a path: its UTF-8 bytes.
std::string sys(const std::u16string& path) { return toUtf8(path); }

[[noreturn]] void failErrno(Message what, const std::u16string& path, int error) {
    if (error == ENOENT) fail(Message::fileNotFound, {path});
    if (error == EACCES || error == EPERM || error == EROFS) fail(Message::accessDenied, {path});
    fail(what, {path, fromUtf8(std::strerror(error))});
}

// The file a symbolic link leads to, so that a replace keeps the link and puts its temporary
// file beside the real file; any other path as it is.
std::u16string finalPath(const std::u16string& path) {
    struct stat info {};
    if (::lstat(sys(path).c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(sys(path), error);
    return error ? path : fromUtf8(real.string());
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
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closing reports deferred write errors (NFS, quotas), so it is checked.
    int release() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// The system calls of one replace; the temporary file is made with the target's permissions.
// Messages name the settings file as the user gave it, though a link may lead elsewhere.
class PosixReplace final : public ReplaceSteps {
  public:
    PosixReplace(std::u16string shown, mode_t mode) : shown_(std::move(shown)), mode_(mode) {}

    bool create(const std::u16string& temp, const std::u16string&) override {
        file_.reset(::open(sys(temp).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file_.get() >= 0) return true;
        if (errno != EEXIST) failErrno(Message::cannotWrite, shown_, errno);
        return false;
    }

    void commit(const std::u16string& temp, const std::u16string& target,
                std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t wrote = ::write(file_.get(), bytes.data() + done, bytes.size() - done);
            if (wrote < 0) {
                if (errno == EINTR) continue;
                failErrno(Message::cannotWrite, shown_, errno);
            }
            done += static_cast<std::size_t>(wrote);
        }
        if (::fchmod(file_.get(), mode_) != 0) failErrno(Message::cannotWrite, shown_, errno);
        if (::fsync(file_.get()) != 0) failErrno(Message::cannotWrite, shown_, errno);
        if (file_.release() != 0) failErrno(Message::cannotWrite, shown_, errno);
        if (::rename(sys(temp).c_str(), sys(target).c_str()) != 0)
            failErrno(Message::cannotWrite, shown_, errno);
    }

    void discard(const std::u16string& temp) noexcept override {
        file_.reset(-1);
        ::unlink(sys(temp).c_str());
    }

    void flushFolder(const std::u16string& folder) noexcept override {
        Fd dir(::open(sys(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0) ::fsync(dir.get());
    }

    std::vector<std::u16string> names(const std::u16string& folder) override {
        std::vector<std::u16string> found;
        std::error_code error;
        for (std::filesystem::directory_iterator it(sys(folder), error), end; !error && it != end;
             it.increment(error)) {
            found.push_back(fromUtf8(it->path().filename().string()));
        }
        return found;
    }

    void remove(const std::u16string& file) noexcept override { ::unlink(sys(file).c_str()); }

  private:
    std::u16string shown_;
    mode_t mode_;
    Fd file_{-1};
};

class PosixFileStore final : public FileStore {
  public:
    std::string read(const std::u16string& path) override {
        Fd fd(::open(sys(path).c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0) failErrno(Message::cannotOpen, path, errno);
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0) failErrno(Message::cannotRead, path, errno);
        if (!S_ISREG(info.st_mode)) fail(Message::notAFile, {path});
        std::string bytes;
        char buffer[65536];
        while (true) {
            const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                failErrno(Message::cannotRead, path, errno);
            }
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }

    void replace(const std::u16string& path, std::string_view bytes) override {
        const std::u16string file = finalPath(path);
        const std::u16string folder = folderOf(file);
        mode_t mode = 0644;
        struct stat info {};
        if (::stat(sys(folder).c_str(), &info) == 0 &&
            (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            fail(Message::accessDenied, {folder});
        }
        if (::stat(sys(file).c_str(), &info) == 0) {
            // A read-only settings file stays read-only: refuse as the system would for a
            // direct write, even for a user (root) whom the rename would let through.
            if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
                fail(Message::accessDenied, {path});
            }
            mode = info.st_mode & 07777;
        }
        PosixReplace steps(path, mode);
        replaceAtomically(steps, file, bytes);
    }

    bool exists(const std::u16string& path) override {
        struct stat info {};
        return ::stat(sys(path).c_str(), &info) == 0;
    }
};

}  // namespace

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<PosixFileStore>(); }

}  // namespace quevor
