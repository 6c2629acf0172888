/* Watches a part of the screen while a window animates, to see the frames of the
 * main menu's slide-in that screenshots are far too slow to catch. Every
 * millisecond it reads the rectangle X, Y, WIDTH, HEIGHT of the root window and
 * finds the rightmost column (relative to X) in which at least MIN pixels have
 * exactly the colour RRGGBB (the face of the slot panels); each time that column
 * changes it prints the time in milliseconds and the column, -1 when there is none.
 *
 *   xframes SECONDS X Y WIDTH HEIGHT RRGGBB MIN
 *
 * Ends after SECONDS, or once a column was seen and stayed unchanged for three
 * seconds. Built by scripts/test-windows.sh with the host's C compiler (-lX11). */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

int main(int argc, char** argv)
{
    if (argc != 8) {
        fprintf(stderr, "usage: xframes SECONDS X Y WIDTH HEIGHT RRGGBB MIN\n");
        return 2;
    }
    const long seconds = atol(argv[1]);
    const int x = atoi(argv[2]), y = atoi(argv[3]);
    const int width = atoi(argv[4]), height = atoi(argv[5]);
    const unsigned long colour = strtoul(argv[6], NULL, 16) & 0xffffff;
    const int min = atoi(argv[7]);
    if (width <= 0 || height <= 0 || min <= 0) {
        fprintf(stderr, "xframes: bad rectangle or count\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xframes: no display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    int* counts = calloc((size_t)width, sizeof *counts);
    if (!counts)
        return 2;
    const long start = now_ms();
    long changed = start;
    int last = -2, seen = 0;
    const struct timespec pause = {0, 1000000L};
    while (now_ms() - start < seconds * 1000L) {
        XImage* image =
            XGetImage(display, root, x, y, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
        if (!image) {
            fprintf(stderr, "xframes: cannot read the screen\n");
            return 2;
        }
        for (int i = 0; i < width; ++i)
            counts[i] = 0;
        for (int j = 0; j < height; ++j)
            for (int i = 0; i < width; ++i)
                if ((XGetPixel(image, i, j) & 0xffffff) == colour)
                    ++counts[i];
        XDestroyImage(image);
        int edge = -1;
        for (int i = width - 1; i >= 0; --i) {
            if (counts[i] >= min) {
                edge = i;
                break;
            }
        }
        const long t = now_ms();
        if (edge != last) {
            printf("%ld %d\n", t - start, edge);
            fflush(stdout);
            last = edge;
            changed = t;
            seen = seen || edge >= 0;
        } else if (seen && t - changed > 3000) {
            break;
        }
        nanosleep(&pause, NULL);
    }
    free(counts);
    XCloseDisplay(display);
    return 0;
}
