// The host's readers on arbitrary bytes: no crash, and whatever they take holds up
// (63 lines with finite sizes; one finite width).
#include "core/ShedDataFormat.h"
#include "refhost/model/ShedDataReader.h"

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
    const refhost::ShedDataRead design = refhost::readShedData(bytes);
    if (design.data) {
        require(bytes.count("\r\n") == shedfile::LineCount);
        for (int line : {1, 2, 3, 47, 48})
            require(std::isfinite(design.data->text(line).toDouble()));
    } else {
        require(!design.error.isEmpty());
    }

    const refhost::ShedSizeRead width = refhost::readShedSize(bytes);
    if (width.feet) {
        bool ok = false;
        require(std::isfinite(width.text.toDouble(&ok)) && ok);
        require(bytes == width.text.toLatin1() + "\r\n");
    } else {
        require(!width.error.isEmpty());
    }
    return 0;
}
