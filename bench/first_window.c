/* Starts a program and times it to its first top-level window on the X display, found by the
 * process id that Wine puts on the window (_NET_WM_PID), so that only the process started here is
 * measured. Once the window is up and has had time to paint, reads the process's Private_Dirty
 * memory, then ends it. Prints "SECONDS PRIVATE_DIRTY_KIB".
 * Usage: first_window SETTLE_MS TIMEOUT_MS PROGRAM [ARGUMENT...] */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static long WindowPid(Display* display, Window window, Atom pidAtom) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32) {
        pid = (long)*(unsigned long*)data;
    }
    if (data) {
        XFree(data);
    }
    return pid;
}

static long PrivateDirtyKib(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/smaps_rollup", (int)pid);
    FILE* file = fopen(path, "r");
    long kib = -1;
    char line[256];
    while (file && fgets(line, sizeof line, file)) {
        if (sscanf(line, "Private_Dirty: %ld kB", &kib) == 1) {
            break;
        }
    }
    if (file) {
        fclose(file);
    }
    return kib;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: first_window SETTLE_MS TIMEOUT_MS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const int settleMs = atoi(argv[1]);
    const double timeout = atoi(argv[2]) / 1000.0;
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "first_window: no X display\n");
        return 2;
    }
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    /* Listen before the start, so no map can be missed. */
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double seconds = -1;
    while (seconds < 0 && Now() - start < timeout) {
        struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
        poll(&wait, 1, 5);
        while (seconds < 0 && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && WindowPid(display, event.xmap.window, pidAtom) == child) {
                seconds = Now() - start;
            }
        }
    }
    long kib = -1;
    if (seconds >= 0) {
        usleep(settleMs * 1000);
        kib = PrivateDirtyKib(child);
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    if (seconds < 0) {
        fprintf(stderr, "first_window: no window from %s within the timeout\n", argv[3]);
        return 1;
    }
    printf("%.4f %ld\n", seconds, kib);
    return 0;
}
