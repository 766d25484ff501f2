// Start-up benchmark: the time from launching a program to its first window being
// painted on an X display, and the program's peak memory at that point, for the
// wizard against a bare Qt program that shows one empty fixed-size dialog.
//
// Usage (on an X display with a black root, e.g. "Xvfb :N -br"):
//   bench_startup BARE_PROGRAM WIZARD_PROGRAM [RUNS]
// The bare program runs twice over: empty, and with one label (--label).
#include <xcb/xcb.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    long peakKiB;
};

std::string windowName(xcb_connection_t *connection, xcb_window_t window)
{
    const auto cookie = xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::string name;
    if (reply) {
        name.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                    static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return name;
}

xcb_window_t findWindow(xcb_connection_t *connection, xcb_window_t root, const std::string &title)
{
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    xcb_window_t found = XCB_NONE;
    if (tree) {
        const xcb_window_t *children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && found == XCB_NONE; ++i) {
            if (windowName(connection, children[i]) == title)
                found = children[i];
        }
        std::free(tree);
    }
    return found;
}

// Whether the window shows painted pixels at (x, y): before its first paint it
// shows the black root beneath it, or cannot be read at all while unmapped.
bool painted(xcb_connection_t *connection, xcb_window_t window, int x, int y)
{
    const auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, ~0u);
    xcb_get_image_reply_t *image = xcb_get_image_reply(connection, cookie, nullptr);
    if (!image)
        return false;
    const uint8_t *data = xcb_get_image_data(image);
    const bool any = data[0] | data[1] | data[2];
    std::free(image);
    return any;
}

long peakMemoryKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

Sample measure(xcb_connection_t *connection, xcb_window_t root, const char *program, const std::string &title,
               const char *option = nullptr)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program), const_cast<char *>(option), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
        std::perror(program);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);

    xcb_window_t window = XCB_NONE;
    for (;;) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before it painted a window\n", program);
            std::exit(1);
        }
        if (window == XCB_NONE)
            window = findWindow(connection, root, title);
        // A point of plain dialog background in both programs.
        if (window != XCB_NONE && painted(connection, window, 3, 3))
            break;
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the high-water mark after settling
    const long peak = peakMemoryKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return {ms, peak};
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s BARE_PROGRAM WIZARD_PROGRAM [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 31;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    std::vector<double> bareTimes, labelTimes, wizardTimes;
    std::vector<long> bareMemory, labelMemory, wizardMemory;
    measure(connection, root, argv[1], "Bare dialog"); // warm the file cache for both
    measure(connection, root, argv[2], "Choose Your Building Type");
    for (int i = 0; i < runs; ++i) {
        // Alternate, so drift in the machine's load falls on both alike.
        const Sample bare = measure(connection, root, argv[1], "Bare dialog");
        const Sample label = measure(connection, root, argv[1], "Bare dialog", "--label");
        const Sample wizard = measure(connection, root, argv[2], "Choose Your Building Type");
        bareTimes.push_back(bare.milliseconds);
        labelTimes.push_back(label.milliseconds);
        labelMemory.push_back(label.peakKiB);
        wizardTimes.push_back(wizard.milliseconds);
        bareMemory.push_back(bare.peakKiB);
        wizardMemory.push_back(wizard.peakKiB);
    }
    const double bt = median(bareTimes), lt = median(labelTimes), wt = median(wizardTimes);
    const long bm = median(bareMemory), lm = median(labelMemory), wm = median(wizardMemory);
    std::printf("start-up to first paint, median of %d runs: bare dialog %.1f ms, with one label %.1f ms, wizard %.1f ms\n",
                runs, bt, lt, wt);
    std::printf("  wizard / labelled dialog %.2f (target <= 1.10); wizard / bare dialog %.2f\n", wt / lt, wt / bt);
    std::printf("peak memory, median: bare dialog %ld KiB, with one label %ld KiB, wizard %ld KiB\n", bm, lm, wm);
    std::printf("  wizard / labelled dialog %.2f (target <= 1.3); wizard / bare dialog %.2f\n",
                static_cast<double>(wm) / static_cast<double>(lm), static_cast<double>(wm) / static_cast<double>(bm));
    xcb_disconnect(connection);
    return 0;
}
