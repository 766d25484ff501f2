// The host's readers on arbitrary bytes: no crash, and whatever they take holds up
// (63 lines with finite sizes; one finite width).
#include "core/ShedDataFormat.h"
#include "refhost/ShedDataFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace corvelle;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;

    refhost::ShedDesignData design;
    if (refhost::parseShedData(bytes, design, error)) {
        require(bytes.count("\r\n") == shedfile::LineCount);
        for (int line : {1, 2, 3, 47, 48})
            require(std::isfinite(design.value(line).toDouble()));
    } else {
        require(!error.isEmpty());
    }

    QString width;
    error.clear();
    if (refhost::parseShedSize(bytes, width, error)) {
        bool ok = false;
        require(std::isfinite(width.toDouble(&ok)) && ok);
        require(bytes == width.toLatin1() + "\r\n");
    } else {
        require(!error.isEmpty());
    }
    return 0;
}
