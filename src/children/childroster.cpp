#include "childroster.h"

#include "practicelog.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

ChildRoster::ChildRoster(PracticeLog& log, FileHome home) : m_log(log), m_home(std::move(home)) {}

QString ChildRoster::PictureFile(int picture) {
    return QStringLiteral("Data/Dzieci/zwierze%1.png").arg(picture, 2, 10, QLatin1Char('0'));
}

std::vector<ChildRoster::Profile> ChildRoster::Profiles() {
    std::vector<Profile> profiles{Guest()};
    if (!m_log.IsOpen())
        return profiles;
    if (const auto children = m_log.Children())
        for (const PracticeLog::Child& child : *children)
            profiles.push_back({child.id, child.name, child.picture});
    return profiles;
}

bool ChildRoster::HasChildren() {
    return Profiles().size() > 1;
}

std::optional<ChildRoster::Profile> ChildRoster::Find(const QString& name) {
    const QString wanted = name.trimmed();
    for (const Profile& profile : Profiles())
        if (profile.name == wanted)
            return profile;
    return std::nullopt;
}

std::optional<ChildRoster::Profile> ChildRoster::FindOrAdd(const QString& name) {
    if (auto found = Find(name))
        return found;
    return Add(name);
}

bool ChildRoster::failed() {
    switch (m_log.LastProblem()) {
    case PracticeLog::Problem::EmptyName:
        m_problem = QStringLiteral("Imię nie może być puste.");
        break;
    case PracticeLog::Problem::NameTooLong:
        m_problem =
            QStringLiteral("Imię może mieć najwyżej %1 znaków.").arg(PracticeLog::MaxNameLength);
        break;
    case PracticeLog::Problem::NameTaken:
        m_problem = QStringLiteral("To imię ma już inne dziecko.");
        break;
    case PracticeLog::Problem::ReadOnly:
        m_problem = QStringLiteral("Dziennika ćwiczeń nie można teraz zmieniać.");
        break;
    default:
        m_problem = QStringLiteral("Nie udało się zapisać zmiany w dzienniku ćwiczeń: ") +
                    m_log.LastError();
        break;
    }
    return false;
}

std::optional<ChildRoster::Profile> ChildRoster::Add(const QString& name, int picture) {
    // The guest's name stays the guest's: two profiles of one name could not be told apart.
    if (name.trimmed() == GuestName()) {
        m_problem = QStringLiteral("To imię ma już inne dziecko.");
        return std::nullopt;
    }
    const std::optional<qint64> id = m_log.AddChild(name);
    if (!id) {
        failed();
        return std::nullopt;
    }
    if (picture > 0 && !m_log.SetChildPicture(*id, picture))
        failed();
    // Left over from a child of the same number in a log that was started afresh: not this
    // child's files, and not to be lost either.
    const QString folder = HomeOf({id, {}, 0}).userFolder();
    if (!folder.isEmpty() && QFileInfo::exists(folder))
        QDir().rename(folder, folder + QStringLiteral(".bez-dziennika.") +
                                  QDateTime::currentDateTimeUtc().toString(
                                      QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
    return Profile{id, name.trimmed(), picture};
}

bool ChildRoster::Rename(qint64 id, const QString& name) {
    if (name.trimmed() == GuestName()) {
        m_problem = QStringLiteral("To imię ma już inne dziecko.");
        return false;
    }
    return m_log.RenameChild(id, name) || failed();
}

bool ChildRoster::SetPicture(qint64 id, int picture) {
    return m_log.SetChildPicture(id, picture) || failed();
}

bool ChildRoster::Remove(qint64 id) {
    if (!m_log.RemoveChild(id))
        return failed();
    const QString folder = HomeOf({id, {}, 0}).userFolder();
    if (!folder.isEmpty() && QDir(folder).exists() && !QDir(folder).removeRecursively()) {
        m_problem = QStringLiteral("Nie udało się usunąć wszystkich plików dziecka z folderu:\n") +
                    QDir::toNativeSeparators(folder);
        return false;
    }
    return true;
}

FileHome ChildRoster::HomeOf(const Profile& profile) const {
    return profile.id ? m_home.ForChild(*profile.id) : m_home;
}
