#pragma once

#include <QList>
#include <QString>

namespace corvelle::refhost {

// One value of the design as the start macro shows it: the value and what it means.
struct DesignEntry {
    int line = 0;       // 1-based line in ShedData.txt
    QString value;      // value field without its fill blanks
    QString comment;    // the file's own comment text (or the host's label for a bare material line)
};

struct DesignGroup {
    QString title;                 // "Size", "Floor", ...
    QList<DesignEntry> entries;
};

struct ShedDesignData {
    QList<DesignGroup> groups;
    QString value(int line) const; // value of a given line, empty when not shown
};

// Reads and checks the 63-line data file. On a problem returns false and sets error to a
// sentence that says what is wrong and where.
bool parseShedData(const QByteArray &bytes, ShedDesignData &out, QString &error);

// shedSize.txt: one width line ending in CR LF.
bool parseShedSize(const QByteArray &bytes, QString &width, QString &error);

} // namespace corvelle::refhost
