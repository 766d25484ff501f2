// Host start-up: launch to the first painted window of corvelle-host against a bare
// QMainWindow, on an X display with a black root, each run on a private bus of its own
// (the host owns a bus name); with a project file, also the host opening it at start
// against the host started bare, alternating in the same run.
// Usage: bench_host_startup BARE HOST [RUNS [FILE.shed]]
#include "../startup/FirstPaint.h"

#include <string>

using namespace corvelle::bench;

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s BARE_MAINWINDOW HOST [RUNS [FILE.shed]]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const char *file = argc > 4 ? argv[4] : nullptr;
    // The window is titled after the document it opened: "name — Corvelle Host".
    std::string fileTitle;
    if (file) {
        const std::string path(file);
        fileTitle = path.substr(path.find_last_of('/') + 1) + " \u2014 Corvelle Host";
    }
    measure(connection, root, argv[1], "Bare main window"); // warm the file cache
    measure(connection, root, argv[2], "Corvelle Host");
    if (file)
        measure(connection, root, argv[2], fileTitle, file);
    std::vector<double> bare, host, withFile;
    std::vector<long> bareMemory, hostMemory, fileMemory;
    for (int i = 0; i < runs; ++i) {
        const Sample b = measure(connection, root, argv[1], "Bare main window");
        const Sample h = measure(connection, root, argv[2], "Corvelle Host");
        bare.push_back(b.milliseconds);
        host.push_back(h.milliseconds);
        bareMemory.push_back(b.peakKiB);
        hostMemory.push_back(h.peakKiB);
        if (file) {
            const Sample f = measure(connection, root, argv[2], fileTitle, file);
            withFile.push_back(f.milliseconds);
            fileMemory.push_back(f.peakKiB);
        }
    }
    const double bt = median(bare), ht = median(host);
    std::printf("host start-up to first paint, median of %d runs: bare QMainWindow %.1f ms, corvelle-host %.1f ms\n", runs,
                bt, ht);
    std::printf("  host / bare QMainWindow %.2f (target <= 1.5)\n", ht / bt);
    std::printf("peak memory, median: bare QMainWindow %ld KiB, corvelle-host %ld KiB (%.2f)\n", median(bareMemory),
                median(hostMemory), double(median(hostMemory)) / double(median(bareMemory)));
    if (file) {
        const double ft = median(withFile);
        std::printf("host start-up opening %s, median: %.1f ms, against the host started bare %.2f\n", file, ft,
                    ft / ht);
        std::printf("peak memory opening it, median: %ld KiB (%.2f of the host started bare)\n", median(fileMemory),
                    double(median(fileMemory)) / double(median(hostMemory)));
    }
    xcb_disconnect(connection);
    return 0;
}
