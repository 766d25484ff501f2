#include "Layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace corvelle::shed::layout {

namespace {

constexpr double Eps = 1e-6;
// Penalties, in the order a builder weighs them: a joint with nothing behind it; a
// sliver or joints in line course to course; one more piece; a cut sheet where a whole
// one would do.
// A sliver or joints in line are worth one more piece to avoid.
constexpr double OffSupport = 1e7;
constexpr double Sliver = 1e5;
constexpr double InLine = 1e5;
constexpr double PieceCost = 1e4;
constexpr double CutSheet = 1;

} // namespace

QList<double> sheetJoints(const Run &run)
{
    struct Node {
        double at;
        bool supported;
    };
    std::vector<Node> nodes{{run.start, true}};
    nodes.reserve(size_t(run.supports.size()) + 8);
    QList<double> sorted = run.supports;
    std::sort(sorted.begin(), sorted.end());
    for (double s : sorted) {
        if (s > run.start + Eps && s < run.end - Eps && s - nodes.back().at > Eps)
            nodes.push_back({s, true});
    }
    nodes.push_back({run.end, true});
    // Gaps wider than a sheet: joints off support, a sheet apart.
    for (size_t i = 1; i < nodes.size(); ++i) {
        if (nodes[i].at - nodes[i - 1].at > run.piece + Eps)
            nodes.insert(nodes.begin() + long(i), Node{nodes[i - 1].at + run.piece, false});
    }

    QList<double> edges = run.edges;
    std::sort(edges.begin(), edges.end());
    const auto pieceCost = [&](double a, double b) {
        double cost = PieceCost + (b - a < run.piece - Eps ? CutSheet : 0);
        double from = a;
        for (double e : edges) {
            if (e > a + Eps && e < b - Eps) {
                if (e - from < run.minPiece - Eps)
                    cost += Sliver;
                from = e;
            }
        }
        if (b - from < run.minPiece - Eps)
            cost += Sliver;
        return cost;
    };
    const auto jointCost = [&](const Node &n) {
        double cost = n.supported ? 0 : OffSupport;
        for (double a : run.avoid) {
            if (std::abs(a - n.at) < 1)
                cost += InLine;
        }
        return cost;
    };

    const size_t n = nodes.size();
    std::vector<double> best(n, std::numeric_limits<double>::infinity());
    std::vector<size_t> from(n, 0);
    best[0] = 0;
    for (size_t j = 1; j < n; ++j) {
        const double joint = j + 1 < n ? jointCost(nodes[j]) : 0;
        for (size_t i = j; i-- > 0;) {
            if (nodes[j].at - nodes[i].at > run.piece + Eps)
                break;
            const double c = best[i] + pieceCost(nodes[i].at, nodes[j].at) + joint;
            if (c < best[j]) {
                best[j] = c;
                from[j] = i;
            }
        }
    }
    QList<double> joints;
    for (size_t j = from[n - 1]; j > 0; j = from[j])
        joints.prepend(nodes[j].at);
    return joints;
}

} // namespace corvelle::shed::layout
