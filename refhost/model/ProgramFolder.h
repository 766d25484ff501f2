#pragma once

#include <QByteArray>
#include <QString>

namespace corvelle::refhost {

// The only files the host reads are inside its program folder. A host-side path is
// "*\" (the folder) and a relative rest with backslashes; it is resolved canonically,
// so neither ".." nor a symbolic link leads out of the folder. Every path that is not
// a readable regular file inside the folder gets the same answer, whether or not
// something exists at the place it names, and nothing outside is ever opened.
class ProgramFolder {
public:
    // Largest files the host reads whole; a larger one is refused before it is read.
    static constexpr qint64 MaxDrawingBytes = 8 * 1024 * 1024;
    static constexpr qint64 MaxShedDataBytes = 64 * 1024; // also a width file or a macro

    explicit ProgramFolder(const QString &folder);

    // The canonical file a host path names inside the folder, or an empty text.
    QString resolve(const QString &hostPath) const;

    struct Read {
        enum class Status { Read, NotInFolder, TooLarge };
        Status status = Status::NotInFolder;
        QString file;     // the canonical file, once found in the folder
        QByteArray bytes; // all of it, when read
        QString error;    // a sentence naming the host path (never the resolved one)

        bool ok() const { return status == Status::Read; }
    };
    // Reads the whole file a host path names, when it is at most maxBytes long.
    Read read(const QString &hostPath, qint64 maxBytes) const;

private:
    QString root_; // canonical, without a trailing "/"
};

} // namespace corvelle::refhost
