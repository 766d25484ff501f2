// Times the 3D launch (attach to the return of RunMorvish) against a corvelle-host it
// starts, and a bare round trip (Peer.Ping to the host) in the same run for scale.
#include "bus/BusContract.h"
#include "HostTestSupport.h"

#include "core/Failure.h"
#include "host/Host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>

#include <algorithm>
#include <cstdio>

using namespace corvelle;
using namespace corvelle::testing;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double percentile(QList<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min<qsizetype>(v.size() - 1, qsizetype(p * (v.size() - 1) + 0.5))];
}

// Forwards to the real client and keeps the time of each step.
class TimedHost : public Host {
public:
    explicit TimedHost(Host &inner) : inner_(inner) {}
    QMap<QString, QList<double>> steps;

    void attach() override { time("attach", [&] { inner_.attach(); }); }
    void bringToTop() override { time("BringToTop", [&] { inner_.bringToTop(); }); }
    HostRef documents() override { HostRef r; time("Get Documents", [&] { r = inner_.documents(); }); return r; }
    void add(const HostRef &c) override { time("Add", [&] { inner_.add(c); }); }
    HostRef activeDocument() override { HostRef r; time("Get ActiveDocument", [&] { r = inner_.activeDocument(); }); return r; }
    HostRef file(const HostRef &d) override { return inner_.file(d); }
    void setDraftingMode(const HostRef &d, bool on) override { inner_.setDraftingMode(d, on); }
    QVariant loadSymbol(const HostRef &f, QString &p, bool a, bool b, bool c) override { return inner_.loadSymbol(f, p, a, b, c); }
    void runMorvish(const HostRef &d, const QString &m) override { time("RunMorvish", [&] { inner_.runMorvish(d, m); }); }

private:
    template <typename F> void time(const char *name, F &&f)
    {
        QElapsedTimer t;
        t.start();
        f();
        steps[QLatin1String(name)].append(t.nsecsElapsed() / 1e3);
    }
    Host &inner_;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, QString::fromLocal8Bit(argv[1]).toInt()) : 50;
    if (!QDBusConnection::sessionBus().isConnected()) {
        std::fprintf(stderr, "no session bus; run as: dbus-run-session -- %s [runs]\n", argv[0]);
        return 2;
    }
    if (nameHasOwner(QDBusConnection::sessionBus())) {
        std::fprintf(stderr, "Brasswick.Application is already owned; run on a bus of its own (dbus-run-session)\n");
        return 2;
    }

    ProgramFolder folder;
    folder.writeShedData(sampleShedData());
    QList<double> launches, pings;
    DBusHost client;
    TimedHost timed(client);
    QDBusMessage ping = QDBusMessage::createMethodCall(bus::Service, bus::Application::Path, bus::Peer::Interface,
                                                      bus::Peer::Ping);
    ping.setAutoStartService(false);
    // Each launch adds a document and the host keeps a limited number open, so the runs
    // go in batches, each on a fresh host that is warmed up first.
    constexpr int WarmUp = 3;
    constexpr int Batch = 24;
    for (int done = 0; done < runs; done += Batch) {
        HostProcess hostProcess;
        if (!hostProcess.start(folder)) {
            std::fprintf(stderr, "cannot start corvelle-host: %s\n", qPrintable(hostProcess.errorText()));
            return 2;
        }
        try {
            for (int i = 0; i < WarmUp; ++i) // first window layout, font and SVG setup
                Launch3D(client, {});
            for (int i = done; i < std::min(runs, done + Batch); ++i) {
                QElapsedTimer t;
                t.start();
                Launch3D(timed, {});
                launches.append(t.nsecsElapsed() / 1e3);

                for (int k = 0; k < 5; ++k) {
                    t.start();
                    const QDBusMessage reply = QDBusConnection::sessionBus().call(ping, QDBus::Block, 5000);
                    pings.append(t.nsecsElapsed() / 1e3);
                    if (reply.type() != QDBusMessage::ReplyMessage)
                        throw Failure(bus::Peer::Ping, QStringLiteral("Peer.Ping"), reply.errorMessage());
                }
            }
        } catch (const Failure &f) {
            std::fprintf(stderr, "%s\n", f.what());
            return 1;
        }
    }

    const double launch = median(launches);
    const double rtt = median(pings);
    std::printf("3D launch against corvelle-host, %d runs (+%d warm-up a host), times in microseconds\n", runs, WarmUp);
    std::printf("  %-22s median %9.1f   p10 %9.1f   p90 %9.1f\n", "launch (attach..RunMorvish)", launch,
                percentile(launches, 0.1), percentile(launches, 0.9));
    for (auto it = timed.steps.cbegin(); it != timed.steps.cend(); ++it)
        std::printf("    %-24s median %9.1f\n", qPrintable(it.key()), median(it.value()));
    std::printf("  %-22s median %9.1f   p10 %9.1f   p90 %9.1f   (%lld samples)\n", "bare round trip (Ping)", rtt,
                percentile(pings, 0.1), percentile(pings, 0.9), static_cast<long long>(pings.size()));
    std::printf("  launch / round trip: %.1fx (the launch makes 6 round trips)\n", launch / rtt);
    return 0;
}
