// The shed model from arbitrary data files: the reader either refuses the bytes or
// gives a design the framing, takeoff and warnings build without fault.
#include "shed/Framing.h"
#include "shed/Reader.h"
#include "shed/Takeoff.h"
#include "shed/Warnings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace corvelle::shed;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const PriceTable prices = defaultPrices();
    const ReadResult read = readDesign(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.design) {
        if (read.error.isEmpty())
            std::abort();
        return 0;
    }
    const Design &design = *read.design;
    for (double length : {design.width, design.depth, design.innerHeight, design.doorWidth, design.doorHeight})
        if (!std::isfinite(length))
            std::abort();
    const Model model = buildModel(design);
    takeoff(model, prices);
    warnings(design, model);
    return 0;
}
