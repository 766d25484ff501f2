#pragma once

#include <QString>

namespace corvelle {

// Whether the whole text, less leading and trailing blanks, is a finite decimal number.
bool IsNumeric(QStringView text);

// The value of the longest numeric prefix, blanks skipped wherever they stand; 0 when none.
double LeadingNumber(QStringView text);

// The value of a text that passes IsNumeric; any other text throws a Failure.
double StrictNumber(QStringView text);

// The shortest decimal text that reads back to the same value ("16", "2.5").
QString NumberToText(double value);

// The step buttons' arithmetic: strict value plus delta, through text and back again.
QString StepNumberText(QStringView text, double delta);

} // namespace corvelle
