#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A file the therapist names for a table or a report. A regular file (new or existing) is
// written whole through a temporary file and a rename, so an interrupted save leaves the old
// one; a character device or a FIFO is written directly, as a shell would, and is never
// replaced by a file of its own name. Nothing else is written: a folder, a block device, a
// socket, and above all any of the program's own files, which a save would destroy.
class SaveTarget {
public:
    enum class Outcome {
        Saved,
        OwnFile,    // one of the program's own files, or inside one of its folders
        NotAFile,   // a folder, a block device or a socket
        NoReader,   // a FIFO nobody reads from
        WriteFailed // the system's reason is in `error`
    };
    struct Result {
        Outcome outcome = Outcome::Saved;
        QString error;
    };

    // ownPaths: the program's files and folders, as the program knows them (a link to one, a
    // hard link to one and a path that names one in another way count as the same).
    static Result Write(const QString& path, const QByteArray& bytes, const QStringList& ownPaths);
    static bool IsOwn(const QString& path, const QStringList& ownPaths);

    // One line for the command line (English) and one for the progress view (Polish).
    static QString Reason(const Result& result, const QString& path);
    static QString Message(const Result& result, const QString& path);
};
