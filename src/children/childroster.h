#pragma once

#include "filehome.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

class PracticeLog;

// The children who practise on this computer, kept in the practice log, and the guest "Gość"
// who owns the files from before any child was added. Each child's settings, statistics and
// recordings are in a folder of its own (FileHome::ForChild), made on first use.
class ChildRoster {
public:
    struct Profile {
        std::optional<qint64> id; // none: the guest
        QString name;
        int picture = 0; // 1..PictureCount, 0 for none
        bool operator==(const Profile&) const = default;
    };

    static constexpr int PictureCount = 12;
    static QString GuestName() { return QStringLiteral("Gość"); }
    static Profile Guest() { return {std::nullopt, GuestName(), 0}; }
    // An animal picture of the data pack, relative to the program's folder.
    static QString PictureFile(int picture);

    // Both must outlive the roster; the log may be closed (only the guest is there then).
    ChildRoster(PracticeLog& log, FileHome home);

    // The guest first, then the children by name.
    std::vector<Profile> Profiles();
    bool HasChildren();
    std::optional<Profile> Find(const QString& name);
    // The child of that name, added when there is none (the guest for its own name).
    std::optional<Profile> FindOrAdd(const QString& name);
    std::optional<Profile> Add(const QString& name, int picture = 0);
    bool Rename(qint64 id, const QString& name);
    bool SetPicture(qint64 id, int picture);
    // The child's rows in the log and its folder with every file in it.
    bool Remove(qint64 id);

    // Where the profile's files are.
    FileHome HomeOf(const Profile& profile) const;
    // Why the last change failed, for the therapist.
    const QString& LastProblem() const { return m_problem; }

private:
    bool failed();

    PracticeLog& m_log;
    FileHome m_home;
    QString m_problem;
};
