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

// Each call waits while the path is held, then does what the system's own does; the open calls
// take their mode from the arguments that follow the flags.
#define HOLDS(type, name, params, args) \
    type name params {                  \
        waitWhileHeld(path);            \
        return REAL(name) args;         \
    }
#define HOLDS_OPEN(name, params, args)                 \
    int name params {                                  \
        va_list more;                                  \
        va_start(more, flags);                         \
        const mode_t mode = (mode_t)va_arg(more, int); \
        va_end(more);                                  \
        waitWhileHeld(path);                           \
        return REAL(name) args;                        \
    }
HOLDS(int, stat, (const char* path, struct stat* out), (path, out))
HOLDS(int, lstat, (const char* path, struct stat* out), (path, out))
HOLDS(int, fstatat, (int dir, const char* path, struct stat* out, int flags),
      (dir, path, out, flags))
HOLDS(int, statx, (int dir, const char* path, int flags, unsigned mask, struct statx* out),
      (dir, path, flags, mask, out))
HOLDS(DIR*, opendir, (const char* path), (path))
HOLDS_OPEN(open, (const char* path, int flags, ...), (path, flags, mode))
HOLDS_OPEN(open64, (const char* path, int flags, ...), (path, flags, mode))
HOLDS_OPEN(openat, (int dir, const char* path, int flags, ...), (dir, path, flags, mode))
