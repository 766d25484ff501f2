// The number helpers' invariants on arbitrary text and arbitrary doubles.
#include "core/Failure.h"
#include "core/Numbers.h"

#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void checkText(const QString &text)
{
    using namespace corvelle;
    const bool numeric = IsNumeric(text);
    const double leading = LeadingNumber(text);
    bool threw = false;
    double strict = 0;
    try {
        strict = StrictNumber(text);
    } catch (const Failure &) {
        threw = true;
    }
    // Numeric texts convert strictly, finitely, to their leading number; others fail.
    require(threw != numeric);
    if (numeric)
        require(std::isfinite(strict) && same(strict, leading));
    if (numeric)
        StepNumberText(text, 1); // a numeric text always steps
}

void checkValue(double value)
{
    using namespace corvelle;
    if (!std::isfinite(value))
        return;
    const QString text = corvelle::NumberToText(value);
    require(IsNumeric(text));
    // The text keeps 15 significant digits: it reads back within their rounding and,
    // read back, gives itself again.
    const double back = LeadingNumber(text);
    if (std::fabs(value) >= DBL_MIN) {
        require(std::fabs(back - value) <= 1e-14 * std::fabs(value));
        require(NumberToText(back) == text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    checkText(QString::fromUtf8(bytes, qsizetype(size)));
    checkText(QString::fromLatin1(bytes, qsizetype(size)));
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkValue(value);
    }
    return 0;
}
