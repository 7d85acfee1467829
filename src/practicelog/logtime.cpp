#include "logtime.h"

QString LogTime::Iso(const SystemTime& time) {
    if (!time.isValid())
        return QString();
    return QStringLiteral("%1-%2-%3T%4:%5:%6Z")
        .arg(time.year, 4, 10, QLatin1Char('0'))
        .arg(time.month, 2, 10, QLatin1Char('0'))
        .arg(time.day, 2, 10, QLatin1Char('0'))
        .arg(time.hour, 2, 10, QLatin1Char('0'))
        .arg(time.minute, 2, 10, QLatin1Char('0'))
        .arg(time.second, 2, 10, QLatin1Char('0'));
}

QString LogTime::DayStart(const QDate& day) {
    return day.toString(Qt::ISODate) + QStringLiteral("T00:00:00Z");
}

SystemTime LogTime::Now(const SystemTime::Clock& clock) {
    return clock ? SystemTime::nowUtc(clock) : SystemTime::nowUtc();
}
