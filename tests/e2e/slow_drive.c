// A drive that does not answer, for the end-to-end test: preloaded into Wine's processes, it
// holds every look at a path holding "quevor-slow-drive" (its state, opening it, listing it)
// for as long as the file named by QUEVOR_SLOW_HOLD exists. Only quevor.exe's process waits;
// the test's own and Wine's server go on.
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

// Taken when the library loads: Wine rebuilds the environment afterwards.
static const char* hold;

__attribute__((constructor)) static void takeHold(void) {
    const char* named = getenv("QUEVOR_SLOW_HOLD");
    char line[4096] = {0};
    const int fd = REAL(open)("/proc/self/cmdline", O_RDONLY);
    const ssize_t size = fd < 0 ? 0 : read(fd, line, sizeof line - 1);
    if (fd >= 0) close(fd);
    for (ssize_t i = 0; i < size; ++i) {
        if (line[i] == '\0') line[i] = ' ';
    }
    if (named && strstr(line, "quevor.exe")) hold = strdup(named);
}

static void waitWhileHeld(const char* path) {
    if (!hold || !path || !strstr(path, "quevor-slow-drive")) return;
    while (access(hold, F_OK) == 0) usleep(20000);
}

int stat(const char* path, struct stat* out) {
    waitWhileHeld(path);
    return REAL(stat)(path, out);
}
int lstat(const char* path, struct stat* out) {
    waitWhileHeld(path);
    return REAL(lstat)(path, out);
}
int fstatat(int dir, const char* path, struct stat* out, int flags) {
    waitWhileHeld(path);
    return REAL(fstatat)(dir, path, out, flags);
}
int statx(int dir, const char* path, int flags, unsigned mask, struct statx* out) {
    waitWhileHeld(path);
    return REAL(statx)(dir, path, flags, mask, out);
}
int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (mode_t)va_arg(args, int);
    va_end(args);
    waitWhileHeld(path);
    return REAL(open)(path, flags, mode);
}
int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (mode_t)va_arg(args, int);
    va_end(args);
    waitWhileHeld(path);
    return REAL(open64)(path, flags, mode);
}
int openat(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (mode_t)va_arg(args, int);
    va_end(args);
    waitWhileHeld(path);
    return REAL(openat)(dir, path, flags, mode);
}
DIR* opendir(const char* path) {
    waitWhileHeld(path);
    return REAL(opendir)(path);
}
