#include "filehome.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool hasPack(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/Data")).isDir();
}

// The XDG rule: an unset, empty or relative value means ~/.local/share.
QString userDataBase(const QString& xdgDataHome, const QString& homeFolder) {
    if (!xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome))
        return QDir::cleanPath(xdgDataHome);
    return QDir::cleanPath(homeFolder + QStringLiteral("/.local/share"));
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
        home.m_userFolder =
            userDataBase(inputs.xdgDataHome, inputs.homeFolder) + QStringLiteral("/wiklotek");
    }
    return home;
}

FileHome FileHome::ForProgram(const QString& programFolder) {
    Inputs inputs;
    inputs.programFolder = programFolder;
    inputs.installedPackFolder = QStringLiteral(WIKLOTEK_INSTALLED_PACK);
    inputs.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    inputs.homeFolder = QDir::homePath();
    // For this user, also on a read-only mount.
    inputs.programFolderWritable = QFileInfo(programFolder).isWritable();
    return Decide(inputs);
}

QString FileHome::settingsFile() const {
    if (m_kind == Kind::Portable)
        return m_userFolder + QStringLiteral("/Data/data.ini");
    return m_userFolder + QStringLiteral("/data.ini");
}

QString FileHome::recordingsFolder() const {
    return m_userFolder + QStringLiteral("/Nagrane");
}

QStringList FileHome::OwnPaths(const QString& programFile, const QStringList& moduleFiles) const {
    return QStringList{m_packFolder + QStringLiteral("/Data"), settingsFile(), recordingsFolder(),
                       programFile}
           << moduleFiles;
}

bool FileHome::Prepare() const {
    if (m_kind == Kind::Portable)
        return true;
    return QDir().mkpath(m_userFolder);
}
