#pragma once

#include <QString>

namespace corvelle {

// Whether the whole text, less leading and trailing blanks, is a finite decimal number.
bool IsNumeric(QStringView text);

// The value of the longest numeric prefix, blanks skipped wherever they stand; 0 when none.
double LeadingNumber(QStringView text);

// The value of a text that passes IsNumeric; any other text throws a Failure.
double StrictNumber(QStringView text);

// The platform's default text of a number: rounded to 15 significant digits, then
// its shortest form ("16", "2.5", "7.2" for 8.2 - 1); from 1E+15 up and below
// 1E-04 in scientific form ("1E+16", "1.5E-05").
QString NumberToText(double value);

// The step buttons' arithmetic: strict value plus delta, through text and back again.
QString StepNumberText(QStringView text, double delta);

} // namespace corvelle
