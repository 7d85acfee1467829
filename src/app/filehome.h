#pragma once

#include <QString>
#include <QStringList>

// Where the program's files are, decided once at start-up; every file path of a run comes from
// here.
//
// The data pack (the "Data" folder) is read from beside the program (the portable folder, and
// build/) or, for an installed program, from the shared data folder given relative to the
// program's folder (bin/../share/wiklotek). The folder holding the pack is the run's working
// folder, so the pack's relative paths hold in both layouts.
//
// The user's files (data.ini, the statistics file, the recordings folder "Nagrane") stay beside
// the program when the pack is there and the program's folder is writable: a school's copy on a
// USB stick keeps everything in one place. Otherwise each user has them in
// $XDG_DATA_HOME/wiklotek (by default ~/.local/share/wiklotek); a portable folder that cannot be
// written (a locked stick) lends them its own files to start from.
class FileHome {
public:
    enum class Kind { Portable, PerUser };

    struct Inputs {
        QString programFolder;       // absolute folder of the program file
        QString installedPackFolder; // the shared pack's folder, relative to programFolder
        QString xdgDataHome;         // the variable's value, may be empty
        QString homeFolder;          // the user's home; empty when there is none
        bool programFolderWritable = false;
    };

    static FileHome Decide(const Inputs& inputs);
    // The inputs of this process: the program file's folder, the environment, the file system.
    static FileHome ForProgram(const QString& programFolder);

    Kind kind() const { return m_kind; }
    // The folder that holds "Data": the working folder of a run.
    const QString& packFolder() const { return m_packFolder; }
    // The folder of the statistics file and of "Nagrane"; empty when the user has no home to
    // keep them in (and so are the two paths below).
    const QString& userFolder() const { return m_userFolder; }
    QString settingsFile() const;
    QString recordingsFolder() const;
    // Where a portable folder keeps the user's files when that folder holds the pack but cannot
    // be written (a locked USB stick): the per-user files start from them. An empty
    // userFolder() when the program's folder is no such one.
    FileHome readOnlyPortable() const;
    // The files and folders of the program's own that a save the user asks for must never
    // replace: the pack, the settings, the recordings, the word models and the program itself
    // (its file and the progress view's module). The statistics file is known to its keeper.
    QStringList OwnPaths(const QString& programFile, const QStringList& moduleFiles) const;

    // The practice log, shared by every profile: in the user's folder, beside the guest's files.
    QString logFile() const;
    // The therapist's own word models ("Wzorce"), shared by every profile like the log.
    QString modelsFolder() const;
    // The files of a child's profile: the same pack, the user's files in a folder of the
    // child's own under the user's folder, readable by the user only. The files above stay the
    // guest's ("Gość"), as they were before any child was added.
    FileHome ForChild(qint64 childId) const;
    // The folder holding every child's folder.
    QString childrenFolder() const;

    // Creates the per-user folder when it is missing; false when it cannot be had. The files in
    // it are created by their owners with their usual content on first use.
    bool Prepare() const;

private:
    Kind m_kind = Kind::Portable;
    QString m_packFolder;
    QString m_userFolder;
    QString m_readOnlyPortable;
    QString m_logFile;
    QString m_modelsFolder;
    bool m_private = false;
};
