// Starts a program on an X display without a window manager and reports, from the
// screen alone, when its window first appears, when the slide-in is seen under
// way and when it has ended.
//
//   bench_slidewatch <x> <y> <mid-x> <timeout-ms> <program> [args...]
//
// The root window is painted a colour no program here uses. "shown" is the first
// moment the pixel at (4, 4) differs from it (the window at 0,0 is mapped and
// painted); "mid" and "done" the first moments the pixels at (mid-x, y) and
// (x, y) are neither the root colour nor black. For the launcher (x, y) lies where
// only the last frame of the slide-in puts slot panel 0, and (mid-x, y) where the
// panel arrives halfway through; so "done" is the end of the slide-in, and "mid"
// equal to "done" means the frames before the last never reached the screen. For
// a plain window all three coincide with its first paint. Prints one line:
//   pid=<pid> shown_ms=<ms> mid_ms=<ms> done_ms=<ms>
// and leaves the program running.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

constexpr std::uint32_t RootColour = 0x00204060;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

bool pixelAt(xcb_connection_t* c, xcb_window_t root, int x, int y, std::uint32_t& rgb)
{
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, std::int16_t(x),
                                          std::int16_t(y), 1, 1, ~0u),
                            nullptr);
    if (!reply)
        return false;
    const int length = xcb_get_image_data_length(reply);
    const std::uint8_t* data = xcb_get_image_data(reply);
    bool ok = length >= 3;
    if (ok)
        rgb = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16;
    std::free(reply);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: bench_slidewatch <x> <y> <mid-x> <timeout-ms> <program> [args...]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const int midX = std::atoi(argv[3]);
    const double timeout = std::atof(argv[4]);
    char** program = argv + 5;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "bench_slidewatch: cannot open the display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t root = screen->root;
    const std::uint32_t back = RootColour;
    xcb_change_window_attributes(c, root, XCB_CW_BACK_PIXEL, &back);
    xcb_clear_area(c, 0, root, 0, 0, 0, 0);
    // The pointer out of the way, so that no hover effect paints over the panels.
    xcb_warp_pointer(c, XCB_NONE, root, 0, 0, 0, 0, std::int16_t(screen->width_in_pixels - 1),
                     std::int16_t(screen->height_in_pixels - 1));
    // A round trip: the root is repainted before the program starts.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }
    if (pid == 0) {
        // The program's output goes to our error stream: whoever reads our one
        // line must not wait for the program to end.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execv(program[0], program);
        std::perror("execv");
        _exit(127);
    }

    double shown = -1;
    double mid = -1;
    double done = -1;
    while (done < 0) {
        const double t = nowMs() - start;
        if (t > timeout)
            break;
        std::uint32_t rgb = 0;
        if (shown < 0 && pixelAt(c, root, 4, 4, rgb) && rgb != RootColour)
            shown = t;
        if (mid < 0 && pixelAt(c, root, midX, y, rgb) && rgb != RootColour && rgb != 0)
            mid = t;
        if (pixelAt(c, root, x, y, rgb) && rgb != RootColour && rgb != 0)
            done = t;
        const timespec pause{0, 500 * 1000};
        nanosleep(&pause, nullptr);
    }
    if (done >= 0 && mid < 0)
        mid = done;
    if (mid >= 0 && shown < 0)
        shown = mid;
    std::printf("pid=%d shown_ms=%.0f mid_ms=%.0f done_ms=%.0f\n", int(pid), shown, mid, done);
    xcb_disconnect(c);
    return done < 0 ? 3 : 0;
}
