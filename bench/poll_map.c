/* Times a program from launch until its window is mapped on the X display, then reads the
 * resident memory of the process that owns the window and ends it.
 * Usage: poll_map TITLE PROGRAM [ARGS...]; prints "MILLISECONDS RSS-KB", or fails. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* A viewable top-level window with this title, or 0. */
static Window mapped(Display* d, const char* title) {
    Window root, parent, *children = NULL, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        char* name = NULL;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            XFetchName(d, children[i], &name) && strcmp(name, title) == 0)
            found = children[i];
        if (name) XFree(name);
    }
    if (children) XFree(children);
    return found;
}

/* A window may vanish between listing and asking: not an error here. */
static int ignoreError(Display* d, XErrorEvent* e) { return 0; }

static long ownerPid(Display* d, Window w) {
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = NULL;
    long pid = 0;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                           &type, &format, &items, &after, &data) == Success &&
        data && items == 1)
        pid = (long)*(unsigned long*)data;
    if (data) XFree(data);
    return pid;
}

static long residentKb(long pid) {
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%ld/status", pid);
    FILE* f = fopen(path, "r");
    while (f && fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld", &kb) == 1) break;
    if (f) fclose(f);
    return kb;
}

int main(int argc, char** argv) {
    Display* d = XOpenDisplay(NULL);
    if (argc < 3 || !d) {
        fprintf(stderr, "usage: poll_map TITLE PROGRAM [ARGS...] (with $DISPLAY)\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    const double start = now();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    Window w = 0;
    while (!(w = mapped(d, argv[1])) && now() - start < 30000 && waitpid(child, NULL, WNOHANG) == 0)
        usleep(200);
    const double elapsed = now() - start;
    long pid = w ? ownerPid(d, w) : 0;
    if (pid <= 0) pid = child;
    long kb = w ? residentKb(pid) : -1;
    kill(pid, SIGKILL);
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    while (w && mapped(d, argv[1])) usleep(1000); /* gone before the next launch */
    if (!w) {
        fprintf(stderr, "poll_map: no window \"%s\" was mapped\n", argv[1]);
        return 1;
    }
    printf("%.1f %ld\n", elapsed, kb);
    return 0;
}
