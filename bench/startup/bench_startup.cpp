// Start-up benchmark: the time from launching a program to its first window being
// painted on an X display, and the program's peak memory at that point, for the
// wizard against a bare Qt program that shows one empty fixed-size dialog.
//
// Usage (on an X display with a black root, e.g. "Xvfb :N -br"):
//   bench_startup BARE_PROGRAM WIZARD_PROGRAM [RUNS [EARLIER_WIZARD]]
// The bare program runs twice over: empty, and with one label (--label).
#include "FirstPaint.h"

using namespace corvelle::bench;

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s BARE_PROGRAM WIZARD_PROGRAM [RUNS [EARLIER_WIZARD]]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 31;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    // An earlier build of the wizard, measured in the same alternation, for a before/after ratio.
    const char *earlier = argc > 4 ? argv[4] : nullptr;
    std::vector<double> bareTimes, labelTimes, wizardTimes, earlierTimes;
    std::vector<long> bareMemory, labelMemory, wizardMemory, earlierMemory;
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
        if (earlier) {
            const Sample before = measure(connection, root, earlier, "Choose Your Building Type");
            earlierTimes.push_back(before.milliseconds);
            earlierMemory.push_back(before.peakKiB);
        }
    }
    const double bt = median(bareTimes), lt = median(labelTimes), wt = median(wizardTimes);
    const long bm = median(bareMemory), lm = median(labelMemory), wm = median(wizardMemory);
    std::printf("start-up to first paint, median of %d runs: bare dialog %.1f ms, with one label %.1f ms, wizard %.1f ms\n",
                runs, bt, lt, wt);
    std::printf("  wizard / labelled dialog %.2f (target <= 1.10); wizard / bare dialog %.2f\n", wt / lt, wt / bt);
    std::printf("peak memory, median: bare dialog %ld KiB, with one label %ld KiB, wizard %ld KiB\n", bm, lm, wm);
    std::printf("  wizard / labelled dialog %.2f (target <= 1.3); wizard / bare dialog %.2f\n",
                static_cast<double>(wm) / static_cast<double>(lm), static_cast<double>(wm) / static_cast<double>(bm));
    if (earlier) {
        const double et = median(earlierTimes);
        const long em = median(earlierMemory);
        std::printf("earlier wizard (%s): first paint %.1f ms, peak %ld KiB; this / earlier: time %.2f, memory %.2f\n",
                    earlier, et, em, wt / et, static_cast<double>(wm) / static_cast<double>(em));
    }
    xcb_disconnect(connection);
    return 0;
}
