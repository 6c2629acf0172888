// Plays a sibling program that names its window in app_hnd, and measures how soon
// the launcher sees it: the file is written beside and renamed into place, and the
// delay runs from the rename to the moment the launcher opens app_hnd to read it
// (an inotify IN_OPEN event on the directory; nothing else opens the file).
//
//   bench_renamewatch <installation-dir> <rounds>
//
// After each round the file is removed again and the launcher given a moment to
// see that, as a program would do between two windows. Prints one line:
//   median_ms=<ms> max_ms=<ms> missed=<rounds in which the launcher never read it>

#include <sys/inotify.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

// Waits until app_hnd is opened, at most timeoutMs; the moment, or -1.
double waitForOpen(int fd, double timeoutMs)
{
    const double until = nowMs() + timeoutMs;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const double left = until - nowMs();
        if (left <= 0)
            return -1;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, int(left) + 1) <= 0)
            continue;
        const double at = nowMs();
        const ssize_t n = read(fd, buffer, sizeof buffer);
        for (ssize_t i = 0; i < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
            if ((e->mask & IN_OPEN) && e->len > 0 && std::strcmp(e->name, "app_hnd") == 0)
                return at;
            i += ssize_t(sizeof(inotify_event) + e->len);
        }
    }
}

void drain(int fd)
{
    char buffer[4096];
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, 0) > 0 && read(fd, buffer, sizeof buffer) > 0) {
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_renamewatch <installation-dir> <rounds>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int rounds = std::atoi(argv[2]);
    const std::string tmp = dir + "/app_hnd.tmp";
    const std::string target = dir + "/app_hnd";

    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, dir.c_str(), IN_OPEN) < 0) {
        std::perror("inotify");
        return 1;
    }
    std::vector<double> delays;
    int missed = 0;
    for (int r = 0; r < rounds; ++r) {
        FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) {
            std::perror("app_hnd.tmp");
            return 1;
        }
        std::fprintf(f, "%d\r\n", 4000 + r);
        std::fclose(f);
        drain(fd);
        const double renamed = nowMs();
        if (std::rename(tmp.c_str(), target.c_str()) != 0) {
            std::perror("rename");
            return 1;
        }
        const double seen = waitForOpen(fd, 5000);
        if (seen < 0)
            ++missed;
        else
            delays.push_back(seen - renamed);
        // Let the read finish, then the program closes its window again.
        const timespec settle{0, 100 * 1000 * 1000};
        nanosleep(&settle, nullptr);
        std::remove(target.c_str());
        nanosleep(&settle, nullptr);
    }
    std::sort(delays.begin(), delays.end());
    const double median = delays.empty() ? -1 : delays[delays.size() / 2];
    const double max = delays.empty() ? -1 : delays.back();
    std::printf("median_ms=%.1f max_ms=%.1f missed=%d\n", median, max, missed);
    return 0;
}
