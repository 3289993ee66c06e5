// Starts a program and reports, in milliseconds from its start, when its top-level window
// (found by its exact title) is mapped on the X display and when the pixel at (x, y) of the
// window first shows the given colour, that is when the program has painted. Polls every
// millisecond; ends the program afterwards.
//
//   first_paint_probe TITLE X Y RRGGBB TIMEOUT-SECONDS PROGRAM [ARGUMENTS...]
//
// prints "mapped <ms> painted <ms>"; exits 1 on a timeout.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

Window findWindow(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) {
        const bool match = title == name;
        XFree(name);
        XWindowAttributes attributes;
        if (match && XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable)
            return window;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && found == 0; ++i)
            found = findWindow(display, children[i], title);
        XFree(children);
    }
    return found;
}

// 0xRRGGBB of one pixel, or -1 while it cannot be read.
long pixelAt(Display* display, Window window, int x, int y) {
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return -1;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return static_cast<long>(pixel & 0xFFFFFF);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: first_paint_probe TITLE X Y RRGGBB TIMEOUT PROGRAM...\n");
        return 2;
    }
    const std::string title = argv[1];
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const long colour = std::strtol(argv[4], nullptr, 16);
    const auto timeout = std::chrono::seconds(std::atoi(argv[5]));
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_paint_probe: no display\n");
        return 2;
    }
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // windows come and go

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(argv[6], argv + 6);
        _exit(127);
    }
    const auto since = [start] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    double mapped = -1, painted = -1;
    Window window = 0;
    while (painted < 0 && Clock::now() - start < timeout) {
        if (window == 0 && (window = findWindow(display, DefaultRootWindow(display), title)))
            mapped = since();
        if (window != 0 && pixelAt(display, window, x, y) == colour)
            painted = since();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(-child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (painted < 0) {
        std::fprintf(stderr, "first_paint_probe: no paint within the timeout\n");
        return 1;
    }
    std::printf("mapped %.0f painted %.0f\n", mapped, painted);
    return 0;
}
