#include "core/Numbers.h"

#include "core/Failure.h"

#include <charconv>
#include <cmath>
#include <string>

namespace corvelle {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Length of the longest prefix of s in number form: sign, digits with an optional
// point (or a point and digits), then an exponent only when digits follow the "e".
// Returns 0 when no prefix has a digit in its mantissa.
qsizetype numberPrefix(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype intDigits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++intDigits;
    }
    qsizetype fracDigits = 0;
    if (i < n && s[i] == u'.') {
        qsizetype j = i + 1;
        while (j < n && isDigit(s[j])) {
            ++j;
            ++fracDigits;
        }
        if (intDigits + fracDigits > 0)
            i = j;
    }
    if (intDigits + fracDigits == 0)
        return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        qsizetype expDigits = 0;
        while (j < n && isDigit(s[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i;
}

double parse(QStringView numberForm)
{
    const std::string ascii = numberForm.toLatin1().toStdString();
    // from_chars takes no leading "+".
    const char *first = ascii.data();
    const char *last = ascii.data() + ascii.size();
    bool negate = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negate = *first == '-';
        ++first;
    }
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Tiny values underflow to zero, huge ones are not finite.
        value = std::strtod(std::string(first, last).c_str(), nullptr);
    }
    return negate ? -value : value;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

} // namespace

bool IsNumeric(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QStringView core = text.mid(begin, end - begin);
    if (core.isEmpty() || numberPrefix(core) != core.size())
        return false;
    return std::isfinite(parse(core));
}

double LeadingNumber(QStringView text)
{
    QString squeezed;
    squeezed.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            squeezed.append(c);
    }
    const qsizetype length = numberPrefix(squeezed);
    if (length == 0)
        return 0;
    return parse(QStringView(squeezed).left(length));
}

double StrictNumber(QStringView text)
{
    if (!IsNumeric(text)) {
        throw Failure(QStringLiteral("Converting a text to a number"),
                      QStringLiteral("\"%1\"").arg(text),
                      QStringLiteral("Type mismatch: the text is not a number."));
    }
    return LeadingNumber(text);
}

QString NumberToText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString StepNumberText(QStringView text, double delta)
{
    const double stepped = StrictNumber(text) + delta;
    return NumberToText(LeadingNumber(NumberToText(stepped)));
}

} // namespace corvelle
