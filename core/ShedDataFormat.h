#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>

namespace corvelle {

struct ShedDesign;

// The 63-line shed data file, described once: the wizard forms its bytes from this
// table and every reader checks a file against it.
namespace shedfile {

constexpr int LineCount = 63;
constexpr int ValueWidth = 12; // the value field of Value and Alone lines
inline const QString FileName = QStringLiteral("ShedData.txt");

enum class LineKind {
    Value,    // the value in a 12-character field (blank-filled or cut), then the comment
    Alone,    // the 12-character value field with nothing after it
    Bare,     // the value alone, at its own length
    Unfilled, // the value at its own length, then the comment (which starts with blanks)
    Comment,  // 12 blanks, then the comment: it describes the bare line above
};

struct LineRule {
    int line;                           // 1-based
    LineKind kind;
    QString ShedDesign::*field;         // where the value comes from; nullptr: the fixed text
    const char *fixed;                  // the value the wizard never varies (field is nullptr)
    const char *comment;                // text after the value, or the text of a Comment line
    const char *prefix = "";            // around the field's value on a Bare line
    const char *suffix = "";
    void (*derive)(ShedDesign &) = nullptr; // sets the field just before the line is formed

    bool isFixed() const { return field == nullptr && kind != LineKind::Comment; }
};

// All 63 rules in file order; rules()[n - 1].line == n.
std::span<const LineRule, LineCount> rules();
const LineRule &rule(int line);

// What a checked file holds, line by line.
struct Contents {
    QStringList lines;  // each line's text without its CR LF
    QStringList values; // each line's value: the value field less its fill blanks, a bare line
                        // less its prefix and suffix; empty for Comment lines

    QString line(int number) const { return lines.value(number - 1); }
    QString value(int number) const { return values.value(number - 1); }
};

// The outcome of reading a file: its contents, or the first problem found.
struct Check {
    Contents contents;
    int errorLine = 0; // the line of the problem; 0 when it concerns the whole file
    QString error;     // a sentence saying what is wrong and where; empty when the file is sound

    bool ok() const { return error.isEmpty(); }
};

// Sets the writer-derived fields in the record, each just before the line that prints
// it, and returns the 63 lines, CR LF after each, one ISO-8859-1 byte a character
// ("?" for any character outside it and for every control character).
QByteArray form(ShedDesign &design);

// Splits a file into its lines and checks each against its rule.
Check check(const QByteArray &bytes);

// Splits text on CR LF, each line ending in one; on any other line end, a missing final
// CR LF or an empty text returns false with a sentence naming fileName (and errorLine,
// when given, is set to the line concerned, 0 for the whole text).
bool splitCrLf(const QString &text, const QString &fileName, QStringList &lines, QString &error,
               int *errorLine = nullptr);

} // namespace shedfile

// The file's bytes for a design (see shedfile::form).
inline QByteArray ShedDataBytes(ShedDesign &design) { return shedfile::form(design); }

} // namespace corvelle
