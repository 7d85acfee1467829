#include "damagedfile.h"

#include "inifile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Enough tries for several damaged files found within the same second.
constexpr int MaxAsideNames = 100;

} // namespace

QString DamagedFile::AsideName(const QString& path, const SystemTime& when) {
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return path + QStringLiteral(".damaged.") +
           QStringLiteral("%1").arg(when.year, 4, 10, QLatin1Char('0')) + two(when.month) +
           two(when.day) + QLatin1Char('-') + two(when.hour) + two(when.minute) + two(when.second);
}

QString DamagedFile::freeName(const QString& path, const SystemTime::Clock& clock) {
    const SystemTime now = clock ? SystemTime::nowUtc(clock) : SystemTime::nowUtc();
    const QString base = AsideName(path, now);
    for (int n = 1; n <= MaxAsideNames; ++n) {
        const QString target = n == 1 ? base : base + QStringLiteral("-%1").arg(n);
        const QFileInfo info(target);
        if (!info.exists() && !info.isSymLink())
            return target;
    }
    return QString();
}

bool DamagedFile::MoveAside(const QString& path, const SystemTime::Clock& clock) {
    return !MovedAside(path, clock).isEmpty();
}

QString DamagedFile::MovedAside(const QString& path, const SystemTime::Clock& clock) {
    const QString target = freeName(path, clock);
    return !target.isEmpty() && QFile::rename(path, target) ? target : QString();
}

bool DamagedFile::CopyAside(const QString& path, const SystemTime::Clock& clock) {
    const QString target = freeName(path, clock);
    return !target.isEmpty() && QFile::copy(path, target);
}

bool DamagedFile::KeepAside(const QString& path, const QByteArray& bytes,
                            const SystemTime::Clock& clock) {
    const QString target = freeName(path, clock);
    if (target.isEmpty())
        return false;
    QFile file(target);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && file.write(bytes) == bytes.size())
        return true;
    file.remove();
    return false;
}

bool DamagedFile::LoadIniForRewrite(IniFile& ini) {
    return ini.load() && (ini.unreadableLines() == 0 || CopyAside(ini.path()));
}
