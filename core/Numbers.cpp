#include "core/Numbers.h"

#include "core/Failure.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

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

// The digits of |value| rounded to 1 + decimals significant ones, and the decimal
// exponent of the first.
std::string significantDigits(double value, int decimals, int &exponent)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*e", decimals, std::fabs(value)); // "d.ddde+XX"
    const std::string_view form(buffer);
    const size_t e = form.find('e');
    exponent = std::atoi(buffer + e + 1);
    std::string digits;
    for (char c : form.substr(0, e)) {
        if (c != '.')
            digits += c;
    }
    return digits;
}

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
    if (!std::isfinite(value)) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return QString::fromLatin1(buffer, result.ptr - buffer);
    }
    if (value == 0)
        return QStringLiteral("0"); // negative zero too
    // Rounded to 15 significant digits first, so binary noise never shows
    // (8.2 - 1 is "7.2", not "7.199999999999999").
    const bool negative = value < 0;
    int exponent = 0;
    std::string digits = significantDigits(value, 14, exponent);
    if (std::isinf(std::strtod((digits.substr(0, 1) + '.' + digits.substr(1) + 'e' + std::to_string(exponent)).c_str(),
                               nullptr))) {
        // Within rounding of the largest number: cut instead, so the text still reads back.
        digits = significantDigits(value, 20, exponent).substr(0, 15);
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        // Scientific form: one digit before the point, a signed exponent of two digits or more.
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += '.' + digits.substr(1);
        char tail[16];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text += tail;
    } else if (exponent < 0) {
        text += "0." + std::string(size_t(-exponent - 1), '0') + digits;
    } else if (digits.size() <= size_t(exponent) + 1) {
        text += digits + std::string(size_t(exponent) + 1 - digits.size(), '0');
    } else {
        text += digits.substr(0, size_t(exponent) + 1) + '.' + digits.substr(size_t(exponent) + 1);
    }
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString StepNumberText(QStringView text, double delta)
{
    const double stepped = StrictNumber(text) + delta;
    return NumberToText(LeadingNumber(NumberToText(stepped)));
}

} // namespace corvelle
