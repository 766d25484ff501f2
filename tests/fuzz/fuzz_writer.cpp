// The shed data file writer on arbitrary records: always 63 CR LF lines, 12-byte value
// fields, the sample file's comments, no control character inside a line, and a file
// the host's reader takes.
#include "core/Numbers.h"
#include "core/ShedDataFormat.h"
#include "core/ShedDesign.h"
#include "refhost/model/ShedDataReader.h"
#include "tests/support/TestData.h"

#include <QList>

#include <array>
#include <cstdint>
#include <cstdlib>

using namespace corvelle;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

using D = ShedDesign;
constexpr std::array<QString D::*, 24> Fields = {
    &D::ShedWidth,         &D::ShedDepth,         &D::ShedHeight,    &D::FloorType,       &D::BlockRows,
    &D::FloorHeight,       &D::JoistType,         &D::StudCenters,   &D::InnerHeight,     &D::StudMaterialLine,
    &D::InWallType,        &D::SheetrockThickness, &D::SidingName,   &D::OuterWallType,   &D::OuterWallMaterial,
    &D::SidingWidth,       &D::SidingHeight,      &D::MainDoorLocation, &D::MainDoorWidth, &D::MainDoorHeight,
    &D::RampLocation,      &D::RoofType,          &D::Trusses,       &D::ShadingMode,
};

// Size lines the wizard only ever fills from its own codes; an arbitrary record may put
// "nan" there, which the host rightly refuses.
bool unguardedSizeLine(const QString &error)
{
    for (int line : {24, 34, 40, 41})
        if (error.startsWith(QStringLiteral("ShedData.txt line %1: ").arg(line)) && error.endsWith(QLatin1String("is not a size")))
            return true;
    return false;
}

// The fields as the screens leave them: checked numbers, two-character list values.
void guardAsTheScreensDo(ShedDesign &d)
{
    for (QString D::*size : {&D::ShedWidth, &D::ShedDepth, &D::ShedHeight})
        if (!IsNumeric(d.*size))
            d.*size = QStringLiteral("10");
    for (QString D::*door : {&D::MainDoorWidth, &D::MainDoorHeight})
        d.*door = IsNumeric(d.*door) ? NumberToText(LeadingNumber(d.*door)) : QStringLiteral("6");
    d.FloorHeight = d.FloorHeight.left(2);
    d.InnerHeight = d.InnerHeight.left(2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QList<QByteArray> sample = testing::sampleShedDataLines();
    require(sample.size() == shedfile::LineCount);

    // Fields are separated by NUL bytes, each in UTF-8 (emoji, CJK, controls and all).
    ShedDesign d;
    const QList<QByteArray> parts = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    for (qsizetype i = 0; i < parts.size() && i < qsizetype(Fields.size()); ++i)
        d.*Fields[i] = QString::fromUtf8(parts[i]);
    guardAsTheScreensDo(d);

    const QByteArray bytes = ShedDataBytes(d);
    require(bytes.endsWith("\r\n") && bytes.count('\n') == shedfile::LineCount && bytes.count('\r') == shedfile::LineCount);
    const QList<QByteArray> lines = bytes.left(bytes.size() - 2).split('\n');
    require(lines.size() == shedfile::LineCount);
    for (int n = 1; n <= shedfile::LineCount; ++n) {
        QByteArray line = lines[n - 1];
        if (n < shedfile::LineCount) {
            require(line.endsWith('\r'));
            line.chop(1);
        }
        for (char c : line) {
            const auto u = static_cast<unsigned char>(c);
            require(u >= 0x20 && u != 0x7F && (u < 0x80 || u >= 0xA0));
        }
        const QByteArray &expected = sample[n - 1];
        switch (shedfile::rule(n).kind) {
        case shedfile::LineKind::Value:
            require(line.size() >= shedfile::ValueWidth && line.mid(shedfile::ValueWidth) == expected.mid(shedfile::ValueWidth));
            break;
        case shedfile::LineKind::Alone:
            require(line.size() == shedfile::ValueWidth);
            break;
        case shedfile::LineKind::Comment:
            require(line == expected);
            break;
        case shedfile::LineKind::Unfilled:
            require(line.endsWith(expected.mid(expected.indexOf(' '))));
            break;
        case shedfile::LineKind::Bare:
            if (!shedfile::rule(n).field)
                require(line == expected);
            break;
        }
    }

    const refhost::ShedDataRead shown = refhost::readShedData(bytes);
    require(shown.data || unguardedSizeLine(shown.error));
    return 0;
}
