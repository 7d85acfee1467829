#include "filehome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

bool hasPack(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/Data")).isDir();
}

// The XDG rule: an unset, empty or relative value means ~/.local/share. Empty without a home.
QString userDataBase(const QString& xdgDataHome, const QString& homeFolder) {
    if (!xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome))
        return QDir::cleanPath(xdgDataHome);
    if (homeFolder.isEmpty())
        return {};
    return QDir::cleanPath(homeFolder + QStringLiteral("/.local/share"));
}

// The home of this process's account in the system's user database; empty when it has none.
QString accountHome() {
    const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? size_t(hint) : 4096);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (found == nullptr || found->pw_dir == nullptr)
        return {};
    return QFile::decodeName(found->pw_dir);
}

} // namespace

FileHome FileHome::Decide(const Inputs& inputs) {
    FileHome home;
    const QString program = QDir::cleanPath(inputs.programFolder);
    const QString installed = QDir::cleanPath(program + u'/' + inputs.installedPackFolder);
    // A program folder with its pack beside it, or with no pack anywhere: then the missing pack
    // is reported from the program's folder as it always was.
    const bool besideProgram = hasPack(program) || !hasPack(installed);
    home.m_packFolder = besideProgram ? program : installed;
    if (besideProgram && inputs.programFolderWritable) {
        home.m_kind = Kind::Portable;
        home.m_userFolder = program;
    } else {
        home.m_kind = Kind::PerUser;
        const QString base = userDataBase(inputs.xdgDataHome, inputs.homeFolder);
        if (!base.isEmpty())
            home.m_userFolder = base + QStringLiteral("/wiklotek");
        if (besideProgram && hasPack(program))
            home.m_readOnlyPortable = program;
    }
    return home;
}

FileHome FileHome::ForProgram(const QString& programFolder) {
    Inputs inputs;
    inputs.programFolder = programFolder;
    inputs.installedPackFolder = QStringLiteral(WIKLOTEK_INSTALLED_PACK);
    inputs.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    // The toolkit's home for an unset HOME is the root folder, where no user's files belong.
    inputs.homeFolder = qEnvironmentVariable("HOME");
    if (inputs.homeFolder.isEmpty())
        inputs.homeFolder = accountHome();
    // For this user, also on a read-only mount.
    inputs.programFolderWritable = QFileInfo(programFolder).isWritable();
    return Decide(inputs);
}

FileHome FileHome::readOnlyPortable() const {
    FileHome portable;
    portable.m_packFolder = m_readOnlyPortable;
    portable.m_userFolder = m_readOnlyPortable;
    return portable;
}

QString FileHome::settingsFile() const {
    if (m_userFolder.isEmpty())
        return {};
    if (m_kind == Kind::Portable)
        return m_userFolder + QStringLiteral("/Data/data.ini");
    return m_userFolder + QStringLiteral("/data.ini");
}

QString FileHome::recordingsFolder() const {
    if (m_userFolder.isEmpty())
        return {};
    return m_userFolder + QStringLiteral("/Nagrane");
}

QStringList FileHome::OwnPaths(const QString& programFile, const QStringList& moduleFiles) const {
    return QStringList{m_packFolder + QStringLiteral("/Data"), settingsFile(), recordingsFolder(),
                       modelsFolder(), programFile}
           << moduleFiles;
}

QString FileHome::logFile() const {
    if (!m_logFile.isEmpty())
        return m_logFile;
    if (m_userFolder.isEmpty())
        return {};
    return m_userFolder + QStringLiteral("/dziennik.sqlite");
}

QString FileHome::modelsFolder() const {
    if (!m_modelsFolder.isEmpty())
        return m_modelsFolder;
    if (m_userFolder.isEmpty())
        return {};
    return m_userFolder + QStringLiteral("/Wzorce");
}

QString FileHome::childrenFolder() const {
    if (m_userFolder.isEmpty())
        return {};
    return m_userFolder + QStringLiteral("/Dzieci");
}

FileHome FileHome::ForChild(qint64 childId) const {
    FileHome child;
    child.m_kind = Kind::PerUser;
    child.m_packFolder = m_packFolder;
    child.m_logFile = logFile();
    child.m_modelsFolder = modelsFolder();
    if (!m_userFolder.isEmpty())
        child.m_userFolder = childrenFolder() + QLatin1Char('/') + QString::number(childId);
    child.m_private = true;
    return child;
}

bool FileHome::Prepare() const {
    if (m_kind == Kind::Portable)
        return true;
    if (m_userFolder.isEmpty() || !QDir().mkpath(m_userFolder))
        return false;
    if (!m_private)
        return true;
    // A child's name is in its files: neither they nor the folder of all children are open to
    // other users of the computer.
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    return QFile::setPermissions(m_userFolder, ownerOnly) &&
           QFile::setPermissions(QFileInfo(m_userFolder).absolutePath(), ownerOnly);
}
