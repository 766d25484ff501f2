#pragma once

// Launch a program and time it to its first painted window on the X display, with its
// peak memory then: shared by the start-up benchmarks.
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

namespace corvelle::bench {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    long peakKiB;
};

inline std::string windowProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    const auto cookie = xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::string name;
    if (reply) {
        name.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                    static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return name;
}

// The window's title in UTF-8 (_NET_WM_NAME), else its WM_NAME.
inline std::string windowName(xcb_connection_t *connection, xcb_window_t window)
{
    static xcb_atom_t netWmName = [connection] {
        const char name[] = "_NET_WM_NAME";
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }();
    std::string name = netWmName != XCB_ATOM_NONE ? windowProperty(connection, window, netWmName) : std::string();
    return name.empty() ? windowProperty(connection, window, XCB_ATOM_WM_NAME) : name;
}

inline xcb_window_t findWindow(xcb_connection_t *connection, xcb_window_t root, const std::string &title)
{
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    xcb_window_t found = XCB_NONE;
    if (tree) {
        const xcb_window_t *children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && found == XCB_NONE; ++i) {
            // Qt also names its 1x1 group leader window after the program: skip such.
            if (windowName(connection, children[i]) != title)
                continue;
            xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, children[i]), nullptr);
            if (g && g->width >= 4 && g->height >= 4)
                found = children[i];
            std::free(g);
        }
        std::free(tree);
    }
    return found;
}

// Whether the window shows painted pixels at (x, y): before its first paint it
// shows the black root beneath it, or cannot be read at all while unmapped.
inline bool painted(xcb_connection_t *connection, xcb_window_t window, int x, int y)
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

inline long peakMemoryKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

inline Sample measure(xcb_connection_t *connection, xcb_window_t root, const char *program, const std::string &title,
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

} // namespace corvelle::bench
